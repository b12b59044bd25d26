// Lancer le programme compile, branche sur l'entree et la sortie de tramelo-exec.
#pragma once

#include "frontaux/exec/Processus.h"

#include <cstddef>
#include <string>

namespace nsExec
{
    // La pile donnee au programme (et le budget de ses controles de recursion, TRAMELO_PILE) :
    // 64 Mo si la limite dure le permet. Remplit Pile et l'environnement du lancement.
    void DonnerLaPile (SLancement & L);
    // Le budget de pile (octets) qu'aurait le programme compile lance par DonnerLaPile : celui
    // de l'interpreteur, pour que la recursion s'arrete a peu pres a la meme profondeur.
    std::size_t PileDuProgramme ();

    // La memoire permise au programme, en Mio : --memoire (Mio non nul), sinon TRAMELO_MEMOIRE
    // s'il est valide, sinon 2048. A appeler avant tout lancement du programme.
    void ChoisirMemoire (unsigned long Mio);
    // TRAMELO_MEMOIRE dans l'environnement du lancement (le programme verifie compte ce qu'il
    // alloue et s'arrete a la limite, avec la ligne) ; avec Espace, aussi une limite d'espace
    // d'adressage un peu au-dessus, pour les deux profils (le programme, pas gdb).
    void DonnerLaMemoire (SLancement & L, bool Espace);
    // TRAMELO_MEMOIRE tel que le programme lance par DonnerLaMemoire le lirait (faux : absent) ;
    // pour l'interpreteur, qui le lit comme lui.
    bool VariableMemoireDuProgramme (std::string & Texte);
    // La limite de pile (octets) qu'aurait le programme lance par DonnerLaPile, 0 sans limite.
    std::size_t LimitePileDuProgramme ();

    // Execute ; rend le statut du programme selon la table des statuts. Un programme tue par un
    // signal ne dit rien : la cause probable est dite pour lui.
    int Executer (const std::string & Programme);
}
