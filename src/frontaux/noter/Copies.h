// Les copies d'un dossier a noter : chaque fichier .algo (l'etudiant est son nom sans
// l'extension), ou chaque sous-dossier qui en contient un (l'etudiant est le sous-dossier).
#pragma once

#include <string>
#include <vector>

namespace nsNoter
{
    struct SCopie
    {
        std::string Etudiant;
        std::string Source;     // chemin du .algo ("" : pas de copie notable)
        std::string Probleme;   // pourquoi il n'y a pas de copie (sous-dossier vide, plusieurs .algo)
    };

    // Les copies dans l'ordre des noms ; les noms caches (".x") sont ignores. Faux si le dossier
    // ne peut etre lu.
    bool TrouverCopies (const std::string & Dossier, std::vector <SCopie> & Copies);
}
