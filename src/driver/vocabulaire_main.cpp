// Ecrit le vocabulaire reserve, une ligne "categorie mot" par mot : les fichiers de coloration
// des editeurs en sont tires, pour ne jamais diverger du traducteur.
// Avec --noms-cpp, ecrit plutot les noms que le C++ refuse (table NomsCpp), un par ligne :
// le generateur des noms des en-tetes (outils/noms) les ecarte de sa table.
#include "driver/ListeVocabulaire.h"
#include "symbols/Vocabulaire.h"

#include <cstring>
#include <iostream>

int main (int argc, char * argv [])
{
    using namespace nsTramelo;
    if (argc == 2 && std::strcmp (argv [1], "--noms-cpp") == 0)
    {
        for (std::size_t i = 0; i < NbNomsCpp; ++i) std::cout << NomsCpp [i] << '\n';
        return std::cout ? 0 : 1;
    }
    if (argc != 1)
    {
        std::cerr << "Usage : tramelo-vocabulaire [--noms-cpp]\n";
        return 2;
    }
    for (const SMotColore & M : ListerVocabulaire ()) std::cout << M.Categorie << ' ' << M.Mot << '\n';
    return std::cout ? 0 : 1;
}
