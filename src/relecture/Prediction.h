// Echecs certains des formes essayees, vus sans rien lire : l'entree de la forme saute alors
// l'essai. Un predicat ne repond vrai que si la forme echoue des son premier mot, sans toucher la
// fin du texte et sans erreur qui traverse l'essai (111, 112, erreurs definitives) : la
// traduction est exactement la meme qu'en essayant. Faux si RelectureRapide est faux.
#pragma once

namespace nsTramelo
{
    bool EchecCertainBooleenne ();
    bool EchecCertainFacteurCompare ();
    bool EchecCertainCaractere ();
    bool EchecCertainString ();
    bool EchecCertainNumerique ();
    // Le premier caractere non blanc n'est ni une lettre ni la fin : un mot ne peut pas etre lu.
    // Saute les blancs, comme la lecture essayee l'aurait fait.
    bool IsEchecSansMot ();

    // Oublie le mot garde par les predictions.
    void ReinitialiserPredictions ();
}
