#include "expressions/Expression.h"

#include "ecriture/Ecrivain.h"
#include "expressions/FctStandard.h"
#include "expressions/Numerique.h"
#include "expressions/ParamEffectifs.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    // expression ::= booleenne | caractere | string | numerique | tableau
    IdExpr ExtraireExpression (unsigned & Type)
    {
        return Memoriser (ELecteur::Expression, Type, [] (unsigned & Type) -> IdExpr
        {
            IdExpr E;
            if (EssayerBooleenne (E)) Type = TBooleen;
            else if (EssayerCaractere (E)) Type = TCaractere;
            else if (EssayerString (E)) Type = TString;
            else if (! EssayerNumerique (E, Type))
            {
                E = ExtraireExprTableau ();
                Type = Construction.Expr (E).Type;
            }
            return E;
        });
    }

    IdDecl DeclDuNom (const std::string & Nom) { return DeclIdent (Resoudre (Nom)); }

    // tableau ::= nom
    IdExpr ExtraireExprTableau ()
    {
        std::string s;
        ExtraireIdentForce (s);
        const unsigned Type = GetTypeIdent (s);
        if (! IsTypeTableau (Type)) throw CExcTramelo (EMsg::PasUnTableau, s);
        const std::size_t Fin = GetPosLecture ();
        return Construction.Nouvelle (EExpr::Nom, GetTypeElem (Type) | TTableau, Fin - s.size (), Fin, DeclDuNom (s));
    }

    // indice ::= [ expression_numerique ]
    IdExpr ExtraireIndice ()
    {
        CImbrication Niveau;
        ValidCar ('[');
        unsigned Type;
        const IdExpr I = ExtraireExprNumerique (Type);
        if (Type != TEntier && Type != TEntierNaturel)
        {
            // Le message cite l'indice tel que le C++ l'ecrirait.
            throw CExcTramelo (EMsg::IndiceEntier, Ecrivain->Texte (I));
        }
        ValidCar (']');
        return I;
    }

    // suite_nom ::= rien | indice | parametres_effectifs | ( arguments )
    IdExpr ExtraireSuiteNom (const std::string & Nom, EForme Forme, std::size_t Debut)
    {
        const SNom N = Classer (Nom, Forme);
        if (N.Refus) throw CExcTramelo (* N.Refus);
        switch (N.Suite)
        {
            case ESuite::Rien : return Construction.Nouvelle (EExpr::Nom, N.Type, Debut, GetPosLecture (), N.Decl);
            case ESuite::Indice :
            {
                CConstructeur::CEnfants E (Construction);
                E.Ajouter (ExtraireIndice ());
                return Construction.Nouvelle (EExpr::Element, N.Type, Debut, GetPosLecture (), N.Decl, 0, & E);
            }
            case ESuite::Appel : return ExtraireAppelFonction (N.Fct, Debut);
            default : return ExtraireFctStandard (Nom, Debut);
        }
    }
}
