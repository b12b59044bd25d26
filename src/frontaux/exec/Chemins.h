// Les noms de fichiers tels que tramelo-exec les passe aux outils et les montre : un nom est une
// donnee, jamais une option ni une commande, et il ne peut rien forger a l'ecran.
#pragma once

#include <string>

namespace nsExec
{
    // Le chemin en argument d'un outil (g++...) : "./" devant un chemin qui commence par "-".
    std::string Argument (const std::string & Chemin);
    // Le chemin rendu absolu (depuis le dossier courant) ; inchange s'il l'est deja.
    std::string Absolu (const std::string & Chemin);
    // Le nom dans les messages de tramelo-exec : les octets de controle et ceux qui ne sont pas de
    // l'UTF-8 valide ecrits \xNN.
    std::string Affichable (const std::string & Nom);
    // Vrai si Nom est de l'UTF-8 valide sans caractere de controle (C0, DEL, C1).
    bool Imprimable (const std::string & Nom);

    // Le dossier du source ("." s'il n'en a pas) et son nom sans dossier ni extension .algo.
    struct SPlace
    {
        std::string Dossier, Base;
    };
    SPlace Placer (const std::string & Source);
    bool Finit (const std::string & Texte, const std::string & Fin);

    // Le dossier ou se trouve l'executable de tramelo-exec ("" s'il est introuvable).
    std::string DossierDeLOutil ();
}
