// Fonctions standard : taille, modulo, Rand, rang, succ, pred, toupper, tolower.
#pragma once

#include <string>

namespace nsTramelo
{
    std::string & ExtraireFctStandard (const std::string & Nom, std::string & s);
    std::string & ExtraireAppelTaille (std::string & s);
    std::string & ExtraireAppelModulo (std::string & s);
    std::string & ExtraireAppelRand (std::string & s);
    std::string & ExtraireAppelRang (std::string & s);
    std::string & ExtraireAppelSucc (std::string & s);
    std::string & ExtraireAppelPred (std::string & s);
    std::string & ExtraireAppelToupper (std::string & s);
    std::string & ExtraireAppelTolower (std::string & s);
}
