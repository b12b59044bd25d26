// Aiguillage des structures, conditionnelle si, et choix_sur.
#pragma once

#include <string>

namespace nsTramelo
{
    void TraiterStruct (const std::string & Mot);
    void TraiterSi ();
    void TraiterChoixSur ();
}
