// Ligne de commande et chargement du source dans le source tamponne.
#pragma once

#include "bibliotheque/Tramelo.h"

#include <string>
#include <vector>

namespace nsTramelo
{
    void ppal (int argc, char * argv []);
    // Les options d'une ligne de commande (les arguments qui suivent le nom du programme) ;
    // leve l'erreur 253 si leur nombre ou la largeur de tabulation est invalide.
    SOptions LireArguments (const std::vector <std::string> & Args);
    // Le texte (apres "Exception standard : ") d'une sortie standard impossible a ecrire.
    std::string TexteSortieImpossible ();
    // Lit la largeur de tabulation comme l'extraction d'un entier non signe ; faux si invalide.
    bool LireTailleTabulation (const std::string & Arg, unsigned & Largeur);
    // Le contenu du fichier source (252 s'il ne peut etre lu, 254 s'il est trop volumineux).
    std::string LireFichierSource (const std::string & Nom);
    // Remplit fi et FinLigne a partir du texte d'un fichier source.
    void ChargerSource (std::string Contenu, unsigned Largeur);
}
