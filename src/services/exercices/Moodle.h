// Un exercice ecrit comme une question Moodle (format XML d'import des questions), du type de
// question pour le code que Moodle offre par une extension (questions evaluees par un serveur
// d'execution) : l'enonce, le programme de depart, les tests avec leurs points, visibles comme
// exemples ou caches, les limites de temps et de memoire. Le serveur d'execution doit avoir
// tramelo-exec (et g++) : le modele de la question lui passe le programme de l'etudiant.
#pragma once

#include "services/exercices/Exercice.h"

#include <string>
#include <vector>

namespace nsTramelo
{
    // Le fichier XML (UTF-8) d'une question ; Avertissements : ce que Moodle ne pourra pas
    // reprendre tel quel (une phrase par point, en francais).
    std::string ExporterMoodle (const SExercice & Exercice, std::vector <std::string> & Avertissements);
}
