// Expressions de type string et caractere.
#pragma once

#include "symbols/Symboles.h"

#include <string>

namespace nsTramelo
{
    std::string & ExtraireExprString (std::string & s);
    std::string & ExtraireFacteurString (std::string & s);
    std::string & ExtraireExprCaractere (std::string & s);
    // Un nom de type Type (resolu en R) lu comme caractere doit-il etre suivi d'un indice ?
    // Oui pour un tableau ou une chaine, variable ou parametre.
    bool IsCaractereIndexe (unsigned Type, const SResolution & R);
}
