// Primitives de lecture du source tamponne : blancs, identificateurs, ponctuation, mots-cles.
#pragma once

#include <string>

#include "scanner/Source.h"

namespace nsTramelo
{
    inline bool IsLettre (char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    inline bool IsChiffre (char c) { return c >= '0' && c <= '9'; }

    // Le prochain caractere non blanc, sans le consommer ; 0 a la fin du texte.
    inline char SkipSpaces ()
    {
        char c = 0;
        if (fi.LireCarFormate (c)) fi.Unget ();
        return c;
    }

    // Prend le prochain caractere non blanc et le rend (0, rien pris, a la fin du texte).
    inline char LireCarNonBlanc ()
    {
        char c = 0;
        fi.LireCarFormate (c);
        return c;
    }

    // Prend c s'il est le prochain caractere non blanc ; vrai s'il l'a pris.
    inline bool LireCarSi (char c)
    {
        if (SkipSpaces () != c) return false;
        LireCarNonBlanc ();
        return true;
    }

    // Erreur 113, "Fin inopinee du code".
    [[noreturn]] void ErreurFinInopinee ();

    // Le prochain caractere non blanc dans c, sans le consommer ; 113 a la fin du texte.
    inline void TestFinInopineeCode (char & c)
    {
        c = SkipSpaces ();
        if (c == 0) ErreurFinInopinee ();
    }

    // Exige c comme prochain caractere non blanc et le prend ; 110 sinon.
    void ValidCar (char c);

    // Les caracteres d'identificateur qui commencent ici, sans sauter de blanc (peut etre vide).
    std::string & ExtraireIdent (std::string & s);

    // Saute les blancs et lit un identificateur, qui doit commencer par une lettre (106, 113).
    std::string & ExtraireIdentForce (std::string & s);

    // Remet dans le flux le mot s qui vient d'etre lu : la position revient a son debut.
    void RemettreIdentDansFlux (const std::string & s);

    // Le mot lu doit etre le mot-cle attendu ; 104 sinon.
    void VerifIdentAttendu (const std::string & Lu, const std::string & Attendu);

    // Exige le mot-cle Attendu comme prochain identificateur (ExtraireIdentForce, puis 104).
    void ValidMot (const std::string & Attendu);
}
