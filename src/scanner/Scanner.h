// Primitives de lecture du source tamponne : blancs, identificateurs, ponctuation, mots-cles.
#pragma once

#include <cstddef>
#include <string>

#include "scanner/Source.h"

namespace nsTramelo
{
    // Le prochain caractere non blanc, sans le consommer ; 0 a la fin du texte.
    inline char SkipSpaces ()
    {
        char c = 0;
        if (fi.LireCarFormate (c)) fi.Unget ();
        return c;
    }
    // Prend le prochain caractere non blanc (rien a la fin du texte).
    inline char LireCarNonBlanc ()
    {
        char c = 0;
        fi.LireCarFormate (c);
        return c;
    }
    [[noreturn]] void ErreurFinInopinee ();
    inline void TestFinInopineeCode (char & c)
    {
        c = SkipSpaces ();
        if (c == 0) ErreurFinInopinee ();
    }
    void ValidCar (char c);
    // Prend c s'il est le prochain caractere non blanc ; vrai s'il l'a pris.
    inline bool LireCarSi (char c)
    {
        if (SkipSpaces () != c) return false;
        LireCarNonBlanc ();
        return true;
    }
    std::string & ExtraireIdent (std::string & s);
    std::string & ExtraireIdentForce (std::string & s);
    void RemettreIdentDansFlux (const std::string & s);
    void VerifIdentAttendu (const std::string & Lu, const std::string & Attendu);
    inline bool IsLettre (char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    inline bool IsChiffre (char c) { return c >= '0' && c <= '9'; }
    inline bool IsAlnum (char c) { return IsCarIdent (c); }

}
