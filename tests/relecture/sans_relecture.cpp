// Tramelo sans predictions ni memoire des lectures : le meme point d'entree que Tramelo, mais
// chaque essai relit tout. Sert seulement aux tests, qui comparent les deux traductions.
#include "relecture/Memoire.h"

namespace
{
    // RelectureRapide est initialisee avant tout code : on la coupe au chargement.
    const bool Coupee = (nsTramelo::RelectureRapide = false, true);
}
