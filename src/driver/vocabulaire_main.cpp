// Ecrit le vocabulaire reserve, une ligne "categorie mot" par mot : les fichiers de coloration
// des editeurs en sont tires, pour ne jamais diverger du traducteur.
#include "driver/ListeVocabulaire.h"

#include <iostream>

int main ()
{
    for (const nsTramelo::SMotColore & M : nsTramelo::ListerVocabulaire ())
        std::cout << M.Categorie << ' ' << M.Mot << '\n';
    return std::cout ? 0 : 1;
}
