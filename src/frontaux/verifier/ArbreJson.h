// La forme inspectable du modele : tramelo-verifier --arbre. Les noms des champs sont stables et
// decrits dans le guide du langage ; un champ nouveau peut s'ajouter, aucun ne change de sens.
#pragma once

#include "bibliotheque/Tramelo.h"

#include <nlohmann/json.hpp>

#include <string>

namespace nsOutils
{
    // Le modele de la traduction d'un source (jusqu'a l'erreur s'il y en a une) et son erreur.
    nlohmann::json ArbreJson (const std::string & Fichier, const std::string & Source,
                              const nsTramelo::SOptions & Options, const nsTramelo::SVerification & V);
}
