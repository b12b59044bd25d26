#include "types/Denotations.h"

#include "controles/Controles.h"
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
    std::string & ExtraireTaille (std::string & s)
    {
        unsigned Type;
        const std::size_t Pos = PositionControlee ();
        ExtraireExprNumerique (s, Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::TailleInvalide);
        if (ProfilVerifie) s = Taille (s, Pos);
        return s;
    }

    // type ::= type_simple | string_de taille | tableau_de [taille] type_simple
    void TraiterType (const std::string & Mot, std::string & TypeCpp, std::string & ArgsCtor,
                      unsigned & Type, bool DimensionPermise)
    {
        ArgsCtor.clear ();
        Type = TAucun;
        if (IsTypeSimple (Mot))
        {
            TypeCpp = TypeSimpleCpp (Mot);
            Type = GetType (Mot);
            return;
        }
        if (Mot == "string_de")
        {
            if (! DimensionPermise) throw CExcTramelo (EMsg::PasDeDimension);
            TypeCpp = "string";
            Type = TString;
            std::string Dim;
            ExtraireTaille (Dim);
            ArgsCtor = " (" + Dim + ", '\\0')";
            return;
        }
        if (Mot != "tableau_de") throw CExcTramelo (EMsg::TypeDeBaseAttendu, Mot);

        std::string Dim = "0", Elem;
        // 1. un mot : le type d'element, ou le debut d'une dimension nommee suivie du type ;
        // 2. si cette lecture echoue, la dimension, relue depuis la ou elle s'est arretee, puis le type.
        if (! EssayerMot ([&]
            {
                ExtraireIdentForce (Elem);
                if (IsTypeSimple (Elem)) return;
                if (! DimensionPermise) throw CExcTramelo (EMsg::PasDeDimension);
                RemettreIdentDansFlux (Elem);
                ExtraireTaille (Dim);
                ExtraireIdentForce (Elem);
            }))
        {
            if (! DimensionPermise) throw CExcTramelo (EMsg::PasDeDimension);
            ExtraireTaille (Dim);
            ExtraireIdentForce (Elem);
        }
        Type = GetType (Elem) | TTableau;
        if (! IsTypeSimple (Elem)) throw CExcTramelo (EMsg::TypeDeBaseAttendu, Elem);
        TypeCpp = TypeVectorCpp (Elem);
        if (DimensionPermise)
        {
            const std::string Remplissage = Elem == "string"
                ? "string ()" : "numeric_limits <" + TypeSimpleCpp (Elem) + ">::max()";
            ArgsCtor = " (" + Dim + ", " + Remplissage + ")";
        }
    }
}
