// Traduction d'une unite : algorithme, procedure ou fonction.
#pragma once

namespace nsTramelo
{
    // Type de retour de la fonction en cours (0 ailleurs) ; remis a 0 au debut de chaque unite,
    // fixe par TraiterTypeRetour.
    extern unsigned LeTypeDeRetour;

    void TraiterSsProgrOuAlgo (char c);
    void TraiterTypeRetour ();
}
