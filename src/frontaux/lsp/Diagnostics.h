// Diagnostics d'un document : sa verification par la bibliotheque (traduction et explications),
// convertie en diagnostics du protocole ; pour un document refuse, la raison du refus.
#pragma once

#include "frontaux/lsp/Configuration.h"
#include "frontaux/lsp/Documents.h"

namespace nsLsp
{
    // Traduit le document si son texte a change depuis la derniere fois : Resultat et
    // Diagnostics le suivent ensuite. Le texte est d'abord rendu d'un seul tenant.
    void Analyser (SDocument & Doc, const SConfiguration & Config);
}
