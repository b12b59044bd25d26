#include "expressions/Expression.h"

#include "expressions/Booleenne.h"
#include "expressions/Chaine.h"
#include "expressions/Numerique.h"
#include "scanner/Relecture.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"
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
            if (! Essayer ([&] { ExtraireExprBooleenne (s); }))
            {
                Type = TBooleen;
                return s;
            }
            if (! Essayer ([&] { ExtraireExprCaractere (s); }, nsUtil::GetCode (EMsg::QuoteAttendue)))
            {
                Type = TCaractere;
                return s;
            }
            if (! Essayer ([&] { ExtraireExprString (s); }, nsUtil::GetCode (EMsg::GuillemetAttendu)))
            {
                Type = TString;
                return s;
            }
            if (! Essayer ([&] { ExtraireExprNumerique (s, Type); })) return s;
            ExtraireExprTableau (s);
            Type = GetTypeElem (GetTypeIdent (s)) | TTableau;
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
    std::string & ExtraireIndice (std::string & s)
    {
        CImbrication Niveau;
        ValidCar ('[');
        unsigned Type;
        ExtraireExprNumerique (s, Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::IndiceEntier, s);
        ValidCar (']');
        s = ".at (" + s + ")";
        return s;
    }
}
