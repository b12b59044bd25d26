// Ce que le client dit de lui a initialize (capacites) et ce qu'il demande (initializationOptions),
// et les capacites que le serveur annonce en retour.
#pragma once

#include "frontaux/lsp/Json.h"

#include <string>
#include <vector>

namespace nsLsp
{
    struct SConfiguration
    {
        unsigned TailleTab = 4;              // initializationOptions.tailleTabulation
        bool AidesDansMessage = false;       // initializationOptions.aidesDansMessage
        bool SurvolMarkdown = false;         // le client lit le markdown dans un survol
        bool SymbolesHierarchiques = true;   // le client accepte DocumentSymbol[]
    };

    // Les parametres d'initialize ; une option invalide est ignoree et dite dans Avertissements.
    SConfiguration LireConfiguration (const json & Params, std::vector <std::string> & Avertissements);

    // Le resultat d'initialize.
    json Capacites ();
}
