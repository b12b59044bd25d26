#include "frontaux/exec/Deboguer.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Execution.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"

#include <cstring>

namespace nsExec
{
    namespace
    {
        const char * const Rappel =
            "Debogage avec gdb : le programme est arrete sur la premiere instruction de l'algorithme.\n"
            "Commandes utiles (entree seule : repeter la derniere) :\n"
            "  next      (n)  executer la ligne, sans entrer dans les procedures et fonctions appelees\n"
            "  step      (s)  executer la ligne, en entrant dans les procedures et fonctions appelees\n"
            "  print x   (p)  afficher la valeur de x (un tableau, une chaine, une expression)\n"
            "  info locals    afficher les variables de l'unite en cours\n"
            "  break 12  (b)  s'arreter a la ligne 12 du source ; continue (c) : aller jusqu'a l'arret suivant\n"
            "  bt             les appels en cours (apres une erreur d'execution : ou elle s'est produite)\n"
            "  quit      (q)  quitter\n"
            "\n";
    }

    int Deboguer (const SDeboguer & D)
    {
        Dire (Rappel);
        SLancement L;
        L.Args = { D.Gdb, "-q", "-nx", "-x", D.Script, "--args", D.Programme };
        L.Environnement = { { "TRAMELO_DEBOGUER_CADRE", D.Cadre }, { "TRAMELO_DEBOGUER_ALGO", D.Algorithme } };
        DonnerLaPile (L);
        DonnerLaMemoire (L, false);
        RelayerPourGdb (ERelais::SaufClavier);
        const SIssue I = Lancer (L);
        VerifierSignal ();
        if (! I.Lance)
            Echouer (StatutGdbIntrouvable, "impossible de lancer gdb (" + Affichable (D.Gdb) + ") : " + std::strerror (I.Erreur));
        return StatutProcessus (I.Etat);
    }
}
