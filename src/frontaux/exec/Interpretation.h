// --interprete : le programme execute par l'interpreteur de la bibliotheque, sans compilateur,
// branche sur l'entree et la sortie de tramelo-exec ; avec --pas-a-pas, la trace sur l'erreur
// standard, au format du pas a pas sous gdb.
#pragma once

#include "frontaux/exec/Traduction.h"

#include <cstddef>
#include <string>

namespace nsExec
{
    struct SInterpretation
    {
        const nsTramelo::STraduction * Traduction = nullptr;   // traduction reussie, modele garde
        const SSource * Source = nullptr;
        bool PasAPas = false;
        unsigned long Limite = 1000;     // --pas-a-pas : lignes executees au plus
        bool Couleur = false;            // la trace en couleur (terminal, sans NO_COLOR)
    };

    // Rend le statut : 0, 1 apres une erreur d'execution, StatutLimite, ou StatutSignal apres
    // une interruption (Ctrl-C, SIGTERM...) ou une sortie standard fermee (SIGPIPE).
    int Interpreter (const SInterpretation & I);
}
