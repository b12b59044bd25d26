// Parametres formels des en-tetes de procedures et de fonctions.
#pragma once

#include "symbols/Symboles.h"

namespace nsTramelo
{
    // parametres ::= ( parametre { , parametre } ), ou rien : chacun ajoute a Params et a l'unite.
    void TraiterParametres (CVParamFormel & Params);
    void TraiterParamFormel (CParamFormel & Param);
}
