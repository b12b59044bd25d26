// Procedures standard : afficher, saisir, ligne_suivante, allonger, redimensionner.
#pragma once

#include <string>

namespace nsTramelo
{
    void TraiterProcStandard (const std::string & Nom);
    void TraiterAfficher ();
    std::string & TraiterParamAfficher (std::string & s);
    void TraiterSaisir ();
    void TraiterLigneSuivante ();
    void TraiterAllonger ();
    void TraiterRedimensionner ();
}
