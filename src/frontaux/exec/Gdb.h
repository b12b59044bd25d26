// Ce que --pas-a-pas et --deboguer partagent : gdb, les scripts de tramelo-exec pour gdb
// (fichiers installes a cote de l'outil), et le source tel que gdb le voit.
//
// Les chemins n'arrivent a gdb que comme des donnees : par l'environnement, lus par les scripts,
// et passes a une commande par une variable de gdb (eval "skip file %s", $variable) ; jamais
// colles dans le texte d'une commande.
#pragma once

#include "frontaux/exec/Traduction.h"

#include <string>

namespace nsExec
{
    // GDB, ou gdb ; Echouer (StatutGdbIntrouvable) s'il est introuvable.
    std::string TrouverGdb ();
    // Vrai si gdb et le script Nom sont la (sans rien terminer).
    bool GdbPresent (const std::string & Script);
    // Le script Nom (outils/gdb) : dans le dossier gdb/ de l'outil (construction), ou dans
    // ../share/tramelo/gdb/ (installation) ; Echouer (StatutGdbIntrouvable) sinon.
    std::string TrouverScript (const std::string & Nom);

    // Le source tel que gdb le voit. gdb lit le source par le nom ecrit dans les #line et ses
    // scripts Python ne savent pas tenir un nom qui n'est pas de l'UTF-8 : un source au nom
    // imprimable, fichier ordinaire, est vu tel quel ; un autre (octets de controle, octets
    // hors UTF-8, tube nomme) est vu par une copie de son texte dans le dossier de travail, sous
    // son nom rendu affichable (Affichable).
    struct SVue
    {
        std::string Nom;       // dans les #line et les messages du programme
        std::string Chemin;    // le fichier que gdb lit, en chemin absolu
        std::string Dossier;   // ou compiler pour que gdb trouve Nom ("" : le dossier courant)
        std::string Texte;     // une copie du texte, lue par le script du pas a pas
    };
    SVue PreparerVue (const SSource & S);
}
