#include "types/Denotations.h"

#include "expressions/Numerique.h"
#include "scanner/Relecture.h"
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
        ExtraireExprNumerique (s, Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::TailleInvalide);
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
        // Premiere lecture : un mot (type d'element, ou debut d'une dimension nommee) ; si elle
        // echoue, la dimension est relue depuis la ou la premiere lecture s'est arretee. Devant
        // autre chose qu'une lettre (un nombre...), elle echouerait sur ce caractere, blancs sautes.
        const char Premier = SkipSpaces ();
        const bool Echec = (Premier != 0 && ! IsLettre (Premier)) || Essayer ([&]
        {
            ExtraireIdentForce (Elem);
            if (IsTypeSimple (Elem)) return;
            if (! DimensionPermise) throw CExcTramelo (EMsg::PasDeDimension);
            RemettreIdentDansFlux (Elem);
            ExtraireTaille (Dim);
            ExtraireIdentForce (Elem);
        }, 0, false);
        if (Echec)
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
