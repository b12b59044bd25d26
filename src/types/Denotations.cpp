#include "types/Denotations.h"

#include "expressions/Numerique.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    // taille ::= expression_numerique (entier ou entier_naturel)
    IdExpr ExtraireTaille ()
    {
        unsigned Type;
        const IdExpr Taille = ExtraireExprNumerique (Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::TailleInvalide);
        return Taille;
    }

    // type ::= type_simple | string_de taille | tableau_de [taille] type_simple
    void TraiterType (const std::string & Mot, unsigned & Type, IdExpr & Taille, bool DimensionPermise)
    {
        Type = TAucun;
        Taille = Aucun;
        if (IsTypeSimple (Mot))
        {
            Type = GetType (Mot);
            return;
        }
        if (Mot == "string_de")
        {
            if (! DimensionPermise) throw CExcTramelo (EMsg::PasDeDimension);
            Type = TString;
            Taille = ExtraireTaille ();
            return;
        }
        if (Mot != "tableau_de") throw CExcTramelo (EMsg::TypeDeBaseAttendu, Mot);

        std::string Elem;
        // 1. un mot : le type d'element, ou le debut d'une dimension nommee suivie du type ;
        // 2. si cette lecture echoue, la dimension, relue depuis la ou elle s'est arretee, puis le type.
        if (! EssayerMot ([&]
            {
                ExtraireIdentForce (Elem);
                if (IsTypeSimple (Elem)) return;
                if (! DimensionPermise) throw CExcTramelo (EMsg::PasDeDimension);
                RemettreIdentDansFlux (Elem);
                Taille = ExtraireTaille ();
                ExtraireIdentForce (Elem);
            }))
        {
            if (! DimensionPermise) throw CExcTramelo (EMsg::PasDeDimension);
            Taille = ExtraireTaille ();
            ExtraireIdentForce (Elem);
        }
        Type = GetType (Elem) | TTableau;
        if (! IsTypeSimple (Elem)) throw CExcTramelo (EMsg::TypeDeBaseAttendu, Elem);
    }
}
