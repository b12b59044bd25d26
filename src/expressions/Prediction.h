// Echecs certains des essais de lecture, vus sans rien lire : les lecteurs qui essaient
// plusieurs formes sautent une forme dont l'echec est sur, au lieu de lever et rattraper une
// erreur qu'ils jetteraient de toute facon. Chaque predicat ne repond vrai que si la forme
// echoue des son premier mot, sans toucher la fin du texte et sans erreur qui traverse
// (111, 112, 147) : le resultat de la traduction est exactement le meme.
#pragma once

namespace nsTramelo
{
    bool EchecCertainFacteurBooleen ();
    bool EchecCertainCaractere ();
    bool EchecCertainString ();
    bool EchecCertainNumerique ();
}
