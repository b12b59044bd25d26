// Lecture d'une denotation de type (declaration ou parametre formel).
#pragma once

#include <string>

namespace nsTramelo
{
    void TraiterType (const std::string & Mot, std::string & TypeCpp, std::string & ArgsCtor,
                      unsigned & Type, bool DimensionPermise);
    std::string & ExtraireTaille (std::string & s);
}
