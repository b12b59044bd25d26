// Le C++ que Tramelo produit pour le texte d'un document (commande tramelo.voirCpp et requete
// tramelo/voirCpp) : { cpp, statut, message }.
#pragma once

#include "frontaux/lsp/Json.h"

#include <string>

namespace nsLsp
{
    json VoirCpp (const std::string & Texte, unsigned TailleTab);
}
