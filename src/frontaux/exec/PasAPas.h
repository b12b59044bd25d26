// --pas-a-pas : le programme sous gdb (script pas_a_pas.py), chaque ligne du source executee et
// les variables qui changent ecrites sur l'erreur standard.
#pragma once

#include "frontaux/exec/Gdb.h"

#include <string>

namespace nsExec
{
    struct SPasAPas
    {
        std::string Gdb, Script;
        std::string Programme;
        std::string Cadre;          // le C++ compile, tel que ses #line le nomment
        std::string Algorithme;     // ou la trace commence
        unsigned long Limite = 1000;
        SVue Vue;
        bool Couleur = false;       // la trace en couleur (terminal, sans NO_COLOR)
    };

    // Rend le statut : celui du programme, StatutLimite, ou StatutSignal apres une
    // interruption (Ctrl-C, Ctrl-\, SIGTERM, SIGHUP), qui arrete le programme et gdb.
    int PasAPas (const SPasAPas & P);
}
