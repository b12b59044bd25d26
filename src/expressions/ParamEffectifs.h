// Parametres effectifs des appels de procedures et de fonctions du programme.
#pragma once

#include "modele/Construction.h"
#include "symbols/Symboles.h"

#include <cstddef>

namespace nsTramelo
{
    // parametres_effectifs ::= ( parametre { , parametre } ) : chacun ajoute a Args.
    void ExtraireListeParamEffectifs (const CVParamFormel & Params, CConstructeur::CEnfants & Args);
    IdExpr ExtraireParamEffectif (const CParamFormel & Param);
    // Appel de la fonction a la position Pos de VIdentFct, dont le nom commence a Debut.
    IdExpr ExtraireAppelFonction (std::size_t Pos, std::size_t Debut);
    // L'expression designe-t-elle un objet qu'une reference non constante peut lier ?
    bool IsReferencable (IdExpr E);
}
