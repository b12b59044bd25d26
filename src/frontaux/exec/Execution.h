// Lancer le programme compile, branche sur l'entree et la sortie de tramelo-exec.
#pragma once

#include "frontaux/exec/Processus.h"

#include <string>

namespace nsExec
{
    // La pile donnee au programme (et le budget de ses controles de recursion, TRAMELO_PILE) :
    // 64 Mo si la limite dure le permet. Remplit Pile et l'environnement du lancement.
    void DonnerLaPile (SLancement & L);

    // Execute ; rend le statut du programme selon la table des statuts. Un programme tue par un
    // signal ne dit rien : la cause probable est dite pour lui.
    int Executer (const std::string & Programme);
}
