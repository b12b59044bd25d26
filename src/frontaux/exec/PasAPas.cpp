#include "frontaux/exec/PasAPas.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Execution.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Travail.h"

#include <climits>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        // Envoie Signal au programme que gdb suit : le script a note son numero, et /proc dit si
        // c'est bien encore notre programme.
        void SignalerAuProgramme (const std::string & FichierPid, const std::string & Programme, int Signal)
        {
            std::ifstream F (FichierPid);
            long Pid = 0;
            if (! (F >> Pid) || Pid <= 0) return;
            std::vector <char> Lien (PATH_MAX + 1);
            const std::string Proc = "/proc/" + std::to_string (Pid) + "/exe";
            const ssize_t n = readlink (Proc.c_str (), Lien.data (), Lien.size () - 1);
            if (n <= 0) return;
            const std::string Exe (Lien.data (), static_cast <std::size_t> (n));
            if (Exe == Programme || Exe == Programme + " (deleted)") kill (static_cast <pid_t> (Pid), Signal);
        }
    }

    int PasAPas (const SPasAPas & P)
    {
        const std::string Resultat = DansTravail ("resultat");
        const std::string Pid = DansTravail ("pid");
        SLancement L;
        L.Args = { P.Gdb, "-q", "-nx", "-batch", "-x", P.Script, "--args", P.Programme };
        // gdb ecrit dans /dev/null ; le programme recoit la vraie sortie en 3, et le script la
        // remet en 1 des le debut de l'algorithme : rien de gdb ne s'y mele.
        const int Sortie = fcntl (STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
        const int Vide = open ("/dev/null", O_WRONLY | O_CLOEXEC);
        if (Sortie < 0 || Vide < 0) Echouer (StatutSysteme, std::string ("sortie standard inutilisable : ") + std::strerror (errno));
        L.Descripteur3 = Sortie;
        L.Sortie = Vide;
        L.Environnement = { { "TRAMELO_PAS_SOURCE", P.Vue.Nom }, { "TRAMELO_PAS_CHEMIN", P.Vue.Chemin },
                            { "TRAMELO_PAS_TEXTE", P.Vue.Texte },
                            { "TRAMELO_PAS_CADRE", P.Cadre }, { "TRAMELO_PAS_ALGO", P.Algorithme },
                            { "TRAMELO_PAS_LIMITE", std::to_string (P.Limite) },
                            { "TRAMELO_PAS_RESULTAT", Resultat }, { "TRAMELO_PAS_PID", Pid },
                            { "TRAMELO_PAS_COULEUR", P.Couleur ? "1" : "0" } };
        DonnerLaPile (L);
        DonnerLaMemoire (L, false);
        // gdb fait tourner le programme dans son propre groupe : un signal de fin ne l'atteint
        // que par nous. Arrete par SIGINT, il est vu par le script, qui arrete tout.
        L.AuSignal = [&] { SignalerAuProgramme (Pid, P.Programme, SIGINT); };
        RelayerPourGdb (ERelais::Interruption);
        const SIssue I = Lancer (L);
        close (Sortie);
        close (Vide);
        // Si gdb a du etre tue, le programme qu'il suivait peut lui survivre.
        SignalerAuProgramme (Pid, P.Programme, SIGKILL);
        VerifierSignal ();
        if (! I.Lance)
            Echouer (StatutGdbIntrouvable, "impossible de lancer gdb (" + Affichable (P.Gdb) + ") : " + std::strerror (I.Erreur));

        // Le verdict du script : "fin N", "signal N", "limite", "interrompu N" ou "erreur".
        std::ifstream F (Resultat);
        std::string Verdict;
        long N = 0;
        F >> Verdict >> N;
        if (Verdict == "fin") return static_cast <int> (N);
        if (Verdict == "signal" || Verdict == "interrompu") return StatutSignal (static_cast <int> (N));
        if (Verdict == "limite") return StatutLimite;
        // Le script a dit pourquoi.
        if (Verdict == "erreur") Terminer (StatutSysteme);
        Echouer (StatutSysteme, "gdb s'est arrete sans achever le pas a pas (statut de gdb : "
                                + std::to_string (StatutProcessus (I.Etat)) + ")");
    }
}
