// Survol d'un mot : un nom declare, decrit d'apres ce que la traduction en a vu (nature, type,
// en-tete d'une procedure ou d'une fonction), ou un mot du langage, decrit par le vocabulaire.
#pragma once

#include "frontaux/lsp/Analyse.h"

#include <string>

namespace nsLsp
{
    // Le resultat de textDocument/hover pour l'octet Octet (null : rien a dire).
    json Survoler (CVue & Vue, std::size_t Octet, bool Markdown);

    // Texte du survol d'un nom declare : « n : variable de type entier », « t : tableau de reel »...
    // (une procedure ou une fonction : son en-tete sur une seconde ligne).
    std::string DecrireDeclaration (const nsTramelo::SModele & Modele, const nsTramelo::SDeclaration & D);
    // Ce qui suit « nom : » dans DecrireDeclaration, sur une ligne ; le genre d'une unite.
    std::string NatureDeclaration (const nsTramelo::SDeclaration & D);
}
