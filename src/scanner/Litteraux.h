// Lecture des litteraux nombre, chaine et caractere, et leur texte C++.
#pragma once

#include "modele/Modele.h"

#include <string>

namespace nsTramelo
{
    IdExpr ExtraireLitteralNombre (unsigned & Type);
    IdExpr ExtraireLitteralChaine ();
    IdExpr ExtraireLitteralCaractere ();

    // Texte C++ d'une valeur numerique lue : entier en decimal, reel relu a l'identique.
    std::string TexteNombre (double Val, unsigned Type);
    // Texte C++ des litteraux lus a cette plage du texte tamponne (guillemets compris).
    std::string TexteLitteralChaine (const std::string & Texte, SPlage P);
    std::string TexteLitteralCaractere (const std::string & Texte, SPlage P);
    // Un litteral entier ecrit avec un point ou un exposant (2.0, 1e3) : un entier pour le
    // traducteur, un reel pour qui le lit.
    bool IsLitteralAPoint (const std::string & Texte, SPlage P);
}
