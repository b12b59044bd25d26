// Les valeurs telles que le suivi les montre, dans le format du pas a pas sous gdb
// (outils/gdb/pas_a_pas.py) : entiers en decimal, reels par leur plus courte ecriture, booleens
// vrai/faux, caracteres et chaines entre apostrophes ou guillemets, tableaux entre accolades.
// Les caracteres de controle, invisibles ou hors UTF-8 sont ecrits visiblement (\n, \x1b,
// \u200e) : une valeur ne peut ni forger une ligne de la trace ni agir sur un terminal.
#pragma once

#include <cstdint>
#include <string>

namespace nsTramelo::nsInterpreteur
{
    // Le texte rendu visible : controles (C0, DEL, C1), caracteres invisibles et octets hors
    // UTF-8 ecrits \xNN ou \uNNNN ; \n, \r, \t et le caractere nul par leur echappement.
    std::string TexteVisible (const std::string & Texte);
    std::string TexteCaractere (char C);
    std::string TexteChaine (const std::string & S);
    // Une ligne du source dans le suivi : sans blancs autour, rendue visible.
    std::string TexteLigne (const std::string & Ligne);
    // Un reel comme Python l'ecrit (repr) : 1.5, 2.0, 1e+20, 1e-05, inf, nan.
    std::string TexteReel (double V);
}
