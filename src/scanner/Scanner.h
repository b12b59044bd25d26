// Primitives de lecture du source tamponne : blancs, identificateurs, ponctuation, mots-cles.
#pragma once

#include <cstddef>
#include <string>

#include "scanner/Source.h"

namespace nsTramelo
{
    char SkipSpaces ();
    void TestFinInopineeCode (char & c);
    void ValidCar (char c);
    std::string & ExtraireIdent (std::string & s);
    std::string & ExtraireIdentForce (std::string & s);
    void RemettreIdentDansFlux (const std::string & s);
    void VerifIdentAttendu (const std::string & Lu, const std::string & Attendu);
    inline bool IsLettre (char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    inline bool IsChiffre (char c) { return c >= '0' && c <= '9'; }
    inline bool IsAlnum (char c) { return IsCarIdent (c); }

    // Prend le prochain caractere non blanc (rien a la fin du texte).
    char LireCarNonBlanc ();
}
