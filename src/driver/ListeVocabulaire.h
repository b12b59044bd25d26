// Le vocabulaire reserve, mot par mot, range par categorie de coloration : les fichiers des
// editeurs et la coloration de la page web en sont tires, pour ne jamais diverger du traducteur.
#pragma once

#include <string>
#include <vector>

namespace nsTramelo
{
    struct SMotColore
    {
        std::string Categorie;   // structure, bloc, motcle, operateur, procedure, fonction, type, constante
        std::string Mot;
    };

    std::vector <SMotColore> ListerVocabulaire ();
}
