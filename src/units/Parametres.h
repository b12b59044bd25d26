// Parametres formels des en-tetes de procedures et de fonctions.
#pragma once

#include "symbols/Symboles.h"

#include <string>

namespace nsTramelo
{
    std::string & TraiterParametres (std::string & Texte, CVParamFormel & Params);
    std::string & TraiterParamFormel (std::string & Texte, CParamFormel & Param);
}
