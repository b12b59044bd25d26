// Codes de type : octet bas = type simple, 0x100 = chaine, 0x200 = tableau (type d'element dessous).
#pragma once

#include <string>

namespace nsTramelo
{
    constexpr unsigned TAucun         = 0;
    constexpr unsigned TEntier        = 1;
    constexpr unsigned TEntierNaturel = 2;
    constexpr unsigned TReel          = 3;
    constexpr unsigned TBooleen       = 4;
    constexpr unsigned TCaractere     = 5;
    constexpr unsigned TChaine        = 0x100;                // drapeau chaine (de caracteres)
    constexpr unsigned TString        = TChaine | TCaractere;
    constexpr unsigned TTableau       = 0x200;                // drapeau tableau

    // Ce qui reste du type d'un element : le type simple, et pour un tableau aussi le drapeau chaine.
    constexpr unsigned MasqueSimple   = 0xFF;
    constexpr unsigned MasqueElement  = TChaine | MasqueSimple;

    unsigned GetType (const std::string & Nom);
    std::string TypeSimpleCpp (const std::string & Nom);
    std::string TypeVectorCpp (const std::string & Nom);
    std::string GetTypeCpp (unsigned Type);
    inline bool IsTypeNumerique (unsigned Type) { return Type >= TEntier && Type <= TReel; }
    inline bool IsTypeTableau (unsigned Type) { return (Type & TTableau) != 0; }
    inline bool IsTypeString (unsigned Type) { return (Type & TString) == TString; }
    inline unsigned GetTypeElem (unsigned Type)
    {
        return Type & (IsTypeTableau (Type) ? MasqueElement : MasqueSimple);
    }
    void VerifType (unsigned Type1, unsigned Type2, bool Strict);
}
