// Procedures standard : afficher, saisir, ligne_suivante, allonger, redimensionner.
#pragma once

#include "modele/Modele.h"

#include <string>

namespace nsTramelo
{
    void TraiterProcStandard (const std::string & Nom);
    void TraiterAfficher ();
    IdExpr TraiterParamAfficher ();
    void TraiterSaisir ();
    void TraiterLigneSuivante ();
    void TraiterAllonger ();
    void TraiterRedimensionner ();
}
