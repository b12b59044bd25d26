// Lecture des litteraux nombre, chaine et caractere, et leur texte C++.
#pragma once

#include <string>

namespace nsTramelo
{
    std::string & ExtraireLitteralNombre (std::string & s, unsigned & Type);
    std::string & ExtraireLitteralChaine (std::string & s);
    std::string & ExtraireLitteralCaractere (std::string & s);

    // Texte C++ d'une valeur numerique lue : entier en decimal, reel relu a l'identique.
    std::string TexteNombre (double Val, unsigned Type);
}
