// Lecture d'une denotation de type (declaration ou parametre formel).
#pragma once

#include "modele/Modele.h"

#include <string>

namespace nsTramelo
{
    // Mot : le premier mot de la denotation, deja lu. Type : son code ; Taille : la taille
    // declaree (string_de, tableau_de), ou Aucun.
    void TraiterType (const std::string & Mot, unsigned & Type, IdExpr & Taille, bool DimensionPermise);
    IdExpr ExtraireTaille ();
}
