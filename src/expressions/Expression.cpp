#include "expressions/Expression.h"

#include "controles/Controles.h"
#include "expressions/FctStandard.h"
#include "expressions/Numerique.h"
#include "expressions/ParamEffectifs.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    // expression ::= booleenne | caractere | string | numerique | tableau
    std::string & ExtraireExpression (std::string & s, unsigned & Type)
    {
        return Memoriser (ELecteur::Expression, s, Type, [] (std::string & s, unsigned & Type) -> std::string &
        {
            if (EssayerBooleenne (s)) Type = TBooleen;
            else if (EssayerCaractere (s)) Type = TCaractere;
            else if (EssayerString (s)) Type = TString;
            else if (! EssayerNumerique (s, Type))
            {
                ExtraireExprTableau (s);
                Type = GetTypeElem (GetTypeIdent (s)) | TTableau;
            }
            return s;
        });
    }

    // tableau ::= nom
    std::string & ExtraireExprTableau (std::string & s)
    {
        ExtraireIdentForce (s);
        if (! IsTypeTableau (GetTypeIdent (s))) throw CExcTramelo (EMsg::PasUnTableau, s);
        return s;
    }

    // indice ::= [ expression_numerique ]
    std::string & ExtraireIndice (std::string & s, const std::string & Nom)
    {
        CImbrication Niveau;
        ValidCar ('[');
        unsigned Type;
        const std::size_t Pos = PositionControlee ();
        ExtraireExprNumerique (s, Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::IndiceEntier, s);
        ValidCar (']');
        s = TexteIndice (Nom, s, Pos);
        return s;
    }

    // suite_nom ::= rien | indice | parametres_effectifs | ( arguments )
    unsigned ExtraireSuiteNom (const std::string & Nom, EForme Forme, std::string & s)
    {
        const SNom N = Classer (Nom, Forme);
        if (N.Refus) throw CExcTramelo (* N.Refus);
        std::string Indice;
        switch (N.Suite)
        {
            case ESuite::Rien          : s = Nom; break;
            case ESuite::Indice        : s = Nom + ExtraireIndice (Indice, Nom); break;
            case ESuite::Appel         : ExtraireAppelFonction (N.Fct, s); break;
            case ESuite::AppelStandard : ExtraireFctStandard (Nom, s); break;
        }
        return N.Type;
    }
}
