// Symboles du document : chaque unite (algorithme, procedure, fonction) avec son etendue, et les
// noms declares dans chacune, d'apres ce que la traduction en a vu.
#pragma once

#include "frontaux/lsp/Analyse.h"

#include <string>

namespace nsLsp
{
    // Le resultat de textDocument/documentSymbol : DocumentSymbol[] (Hierarchique) ou
    // SymbolInformation[] pour les clients qui n'acceptent que la liste a plat.
    json ListerSymboles (CVue & Vue, const std::string & Uri, bool Hierarchique);
}
