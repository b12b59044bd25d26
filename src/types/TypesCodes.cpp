#include "types/TypesCodes.h"

#include "symbols/Vocabulaire.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    unsigned GetType (const std::string & Nom)
    {
        // Aiguillage sur la longueur : une seule comparaison de texte au plus.
        switch (Nom.size ())
        {
            case 4  : return Nom == "reel" ? TReel : TAucun;
            case 6  : return Nom == "entier" ? TEntier : Nom == "string" ? TString : TAucun;
            case 7  : return Nom == "booleen" ? TBooleen : TAucun;
            case 9  : return Nom == "caractere" ? TCaractere : Nom == "string_de" ? TString : TAucun;
            case 10 : return Nom == "tableau_de" ? TTableau : TAucun;
            case 14 : return Nom == "entier_naturel" ? TEntierNaturel : TAucun;
            default : return TAucun;
        }
    }

    std::string TypeSimpleCpp (const std::string & Nom)
    {
        return TypesSimplesCpp [PosTypeSimple (Nom)];
    }

    std::string TypeVectorCpp (const std::string & Nom)
    {
        return TypesVectorsCpp [PosTypeSimple (Nom)];
    }

    std::string GetTypeCpp (unsigned Type)
    {
        switch (Type)
        {
            case TEntier        : return "int";
            case TEntierNaturel : return "long unsigned";
            case TReel          : return "double";
            case TBooleen       : return "bool";
            case TCaractere     : return "char";
            case TString        : return "string";
            default             : return "void";
        }
    }

    void VerifType (unsigned Type1, unsigned Type2, bool Strict)
    {
        if (Type1 == Type2) return;
        if (! Strict && IsTypeNumerique (Type1) && IsTypeNumerique (Type2)) return;
        throw CExcTramelo (EMsg::TypeInvalide);
    }
}
