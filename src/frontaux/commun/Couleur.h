// La couleur des diagnostics des outils (tramelo-verifier, tramelo-exec).
#pragma once

#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace nsOutils
{
    // Seulement sur un terminal (Descripteur : la sortie ou s'ecrivent les diagnostics), et sans
    // NO_COLOR (non vide) ni TERM=dumb.
    inline bool CouleurVoulue (int Descripteur)
    {
        const char * Sans = std::getenv ("NO_COLOR");
        const char * Terminal = std::getenv ("TERM");
        return isatty (Descripteur) && ! (Sans && * Sans) && ! (Terminal && std::strcmp (Terminal, "dumb") == 0);
    }
}
