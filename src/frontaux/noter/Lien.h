// --exporter lien : l'exercice dans un fragment d'adresse de la page (« #exercice=... ») ; la page
// ouverte par ce lien montre l'enonce, charge le programme de depart et son bouton « Vérifier »
// lance les tests visibles. Les tests caches n'y sont jamais : le lien est donne aux etudiants.
#pragma once

#include "bibliotheque/Tramelo.h"

#include <string>

namespace nsNoter
{
    // Le fragment, sans "#" : "exercice=" puis l'objet JSON (UTF-8) en base64 pour les URL.
    // Faux (et Cause remplie) si un texte a y mettre n'est pas de l'UTF-8 valide.
    bool FragmentExercice (const nsTramelo::SExercice & E, std::string & Fragment, std::string & Cause);
}
