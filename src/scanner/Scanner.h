// Primitives de lecture du source tamponne : blancs, identificateurs, ponctuation, mots-cles.
#pragma once

#include <cstddef>
#include <string>

namespace nsTramelo
{
    char SkipSpaces ();
    void TestFinInopineeCode (char & c);
    void ValidCar (char c);
    std::string & ExtraireIdent (std::string & s);
    std::string & ExtraireIdentForce (std::string & s);
    void RemettreIdentDansFlux (const std::string & s);
    void VerifIdentAttendu (const std::string & Lu, const std::string & Attendu);
    bool IsAlnum (char c);
    bool IsLettre (char c);
    bool IsChiffre (char c);

    // Prend le prochain caractere non blanc (rien a la fin du texte).
    char LireCarNonBlanc ();
}
