// --deboguer : gdb interactif sur le programme (script deboguer.py), arrete sur la premiere
// instruction de l'algorithme et sur toute erreur d'execution.
#pragma once

#include <string>

namespace nsExec
{
    struct SDeboguer
    {
        std::string Gdb, Script;
        std::string Programme;
        std::string Cadre;          // le C++ compile, tel que ses #line le nomment
        std::string Algorithme;
    };

    // Rend le statut de gdb (0 apres quit), ou StatutSignal s'il a ete tue.
    int Deboguer (const SDeboguer & D);
}
