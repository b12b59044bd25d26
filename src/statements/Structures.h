// Aiguillage des structures, conditionnelle si, et choix_sur.
#pragma once

#include <string>

namespace nsTramelo
{
    void TraiterStruct (const std::string & Mot);
    void TraiterSi ();
    void TraiterChoixSur ();
    // sinon, sinon_si ou fsi : un mot qui termine une branche de si.
    bool IsMotDeBranche (const std::string & Mot);
}
