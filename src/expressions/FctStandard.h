// Fonctions standard : taille, modulo, Rand, rang, succ, pred, toupper, tolower.
#pragma once

#include "modele/Construction.h"

#include <cstddef>
#include <string>

namespace nsTramelo
{
    // Le nom (qui commence a Debut) vient d'etre lu : ses arguments entre parentheses.
    IdExpr ExtraireFctStandard (const std::string & Nom, std::size_t Debut);
    // Chacune lit ses arguments (sans les parentheses) et les ajoute a Args.
    void ExtraireAppelTaille (CConstructeur::CEnfants & Args);
    void ExtraireAppelModulo (CConstructeur::CEnfants & Args);
    void ExtraireAppelRand (CConstructeur::CEnfants & Args);
    // rang, succ, pred, toupper, tolower : un caractere (le texte C++ differe, pas la lecture).
    void ExtraireAppelRang (CConstructeur::CEnfants & Args);
    void ExtraireAppelSucc (CConstructeur::CEnfants & Args);
    void ExtraireAppelPred (CConstructeur::CEnfants & Args);
    void ExtraireAppelToupper (CConstructeur::CEnfants & Args);
    void ExtraireAppelTolower (CConstructeur::CEnfants & Args);
}
