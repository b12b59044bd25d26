// Parametres effectifs des appels de procedures et de fonctions du programme.
#pragma once

#include "symbols/Symboles.h"

#include <cstddef>
#include <string>

namespace nsTramelo
{
    std::string & ExtraireListeParamEffectifs (const CVParamFormel & Params, std::string & Liste);
    std::string & ExtraireParamEffectif (const CParamFormel & Param, std::string & s);
    // Appel de la fonction a la position Pos de VIdentFct : nom (parametres).
    std::string & ExtraireAppelFonction (std::size_t Pos, std::string & s);
    // Le texte C++ designe-t-il un objet qu'une reference non constante peut lier ?
    bool IsReferencable (const std::string & Texte);
}
