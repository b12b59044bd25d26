// tramelo-noter : note toutes les copies d'un dossier sur tous les tests d'un exercice (caches
// compris), plusieurs copies a la fois, chacune dans son propre processus et son propre dossier
// temporaire ; ecrit notes.csv, rapport.json et rapport.html.
#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Compilation.h"
#include "frontaux/exec/Execution.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Tester.h"
#include "frontaux/noter/Copies.h"
#include "frontaux/noter/Notation.h"
#include "frontaux/noter/Lien.h"
#include "frontaux/noter/Rapports.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace nsNoter;
using namespace nsExec;

namespace
{
    constexpr int StatutAucuneCopie = 167;
    constexpr unsigned MaxTaches = 256;

    const char * const Usage = "Usage : tramelo-noter [-j N] [-o DOSSIER_RAPPORTS] [--interprete | --compiler] EXERCICE DOSSIER\n"
                               "        tramelo-noter --exporter moodle [-o FICHIER.xml] EXERCICE\n"
        "        tramelo-noter --exporter lien [--page ADRESSE] [-o FICHIER] EXERCICE\n";
    // Tenue a jour avec man/tramelo-noter.1.
    const char * const Aide =
        "\n"
        "Note chaque copie de DOSSIER (un fichier .algo par etudiant, ou un sous-dossier par etudiant\n"
        "contenant un seul .algo) sur tous les tests de l'exercice EXERCICE, caches compris, et ecrit\n"
        "notes.csv, rapport.json et rapport.html dans DOSSIER_RAPPORTS (le dossier courant par defaut).\n"
        "\n"
        "Options :\n"
        "  -j N         N copies notees a la fois (par defaut : le nombre de processeurs)\n"
        "  -o DOSSIER   dossier des rapports, cree s'il n'existe pas (avec --exporter : le fichier\n"
        "               XML ; la sortie standard par defaut)\n"
        "  --interprete chaque copie est executee par l'interpreteur, sans compilateur (c'est le cas\n"
        "               sans --compiler quand il n'y a pas de compilateur C++ : une ligne le dit)\n"
        "  --compiler   exige le compilateur C++ (162 s'il est introuvable)\n"
        "  --exporter moodle\n"
        "               ecrit l'exercice comme une question Moodle pour le code (XML d'import),\n"
        "               tests compris ; rien n'est note\n"
        "  --exporter lien\n"
        "               ecrit le lien qui ouvre l'exercice dans la page de tramelo (enonce,\n"
        "               programme de depart, tests visibles pour le bouton « Vérifier » ; jamais\n"
        "               les tests caches) : le fragment #exercice=..., precede de ADRESSE avec\n"
        "               --page ADRESSE (l'adresse de la page, index.html)\n"
        "  --aide       affiche cette aide\n"
        "\n"
        "Statuts de sortie :\n"
        "  0     toutes les copies ont ete notees (quelles que soient leurs notes)\n"
        "  162   compilateur C++ introuvable avec --compiler\n"
        "  164   erreur du systeme (dossier temporaire, ecriture des rapports)\n"
        "  166   le dossier d'exercice est refuse\n"
        "  167   aucune copie dans DOSSIER (ou DOSSIER illisible)\n"
        "  253   ligne de commande invalide\n"
        "  200 + n  arret par le signal n\n";

    struct SCommandeNoter
    {
        std::string Exercice, Copies, Rapports = ".";
        unsigned Taches = 0;
        std::string Format;            // --exporter : le format (moodle, lien)
        std::string Page;              // --page : l'adresse de la page, devant le fragment du lien
        bool RapportsDonnes = false;
        int Moteur = 0;                // --interprete : 1, --compiler : 2, sinon 0 (selon la machine)
    };

    [[noreturn]] void ErreurUsage (const std::string & Message)
    {
        Dire ("tramelo-noter : " + Message + "\n" + Usage);
        Terminer (StatutUsage);
    }

    SCommandeNoter LireCommande (int argc, char * argv [])
    {
        SCommandeNoter C;
        std::vector <std::string> Args;
        bool Options = true;
        for (int i = 1; i < argc; ++i)
        {
            const std::string A = argv [i];
            if (Options && (A == "--aide" || A == "-h" || A == "--help"))
            {
                std::cout << Usage << Aide;
                std::cout.flush ();
                Terminer (0);
            }
            else if (Options && (A == "--exporter" || A.rfind ("--exporter=", 0) == 0))
            {
                if (A == "--exporter" && i + 1 >= argc) ErreurUsage ("--exporter attend un format (moodle)");
                C.Format = A == "--exporter" ? argv [++i] : A.substr (11);
                if (C.Format != "moodle" && C.Format != "lien")
                    ErreurUsage ("format d'export inconnu : " + Affichable (C.Format) + " (moodle ou lien)");
            }
            else if (Options && A == "--page")
            {
                if (i + 1 >= argc || argv [i + 1][0] == '\0') ErreurUsage ("--page attend l'adresse de la page");
                C.Page = argv [++i];
                // Le lien tient sur une ligne : une adresse avec un caractere de commande est refusee.
                for (const char c : C.Page)
                    if (static_cast <unsigned char> (c) < 0x20 || c == 0x7F)
                        ErreurUsage ("--page : adresse invalide (caractere de commande) : " + Affichable (C.Page));
            }
            else if (Options && (A == "-j" || A == "-o"))
            {
                if (i + 1 >= argc) ErreurUsage (A + " attend une valeur");
                const std::string V = argv [++i];
                if (A == "-o")
                {
                    if (V.empty ()) ErreurUsage ("-o attend un dossier");
                    C.Rapports = V;
                    C.RapportsDonnes = true;
                    continue;
                }
                if (V.empty () || V.size () > 3 || V.find_first_not_of ("0123456789") != std::string::npos
                    || std::stoul (V) == 0 || std::stoul (V) > MaxTaches)
                    ErreurUsage ("-j attend un nombre de 1 a " + std::to_string (MaxTaches) + " : " + Affichable (V));
                C.Taches = static_cast <unsigned> (std::stoul (V));
            }
            else if (Options && (A == "--interprete" || A == "--compiler"))
            {
                const int M = A == "--interprete" ? 1 : 2;
                if (C.Moteur != 0 && C.Moteur != M) ErreurUsage ("--interprete et --compiler s'excluent");
                C.Moteur = M;
            }
            else if (Options && A == "--") Options = false;
            else if (Options && A.size () > 1 && A [0] == '-') ErreurUsage ("option inconnue : " + Affichable (A));
            else Args.push_back (A);
        }
        if (Args.size () != (C.Format.empty () ? 2u : 1u)) ErreurUsage ("nombre d'arguments invalide");
        if (! C.Page.empty () && C.Format != "lien") ErreurUsage ("--page ne sert qu'avec --exporter lien");
        C.Exercice = Absolu (Args [0]);
        if (C.Format.empty ()) C.Copies = Args [1];
        if (C.Taches == 0)
        {
            const long N = sysconf (_SC_NPROCESSORS_ONLN);
            C.Taches = N > 0 ? static_cast <unsigned> (std::min <long> (N, MaxTaches)) : 1;
        }
        return C;
    }

    // Le dossier de la notation : TMPDIR/tramelo-noter.XXXXXX, une copie par sous-dossier.
    std::string Racine;

    void RetirerRacine ()
    {
        std::error_code Err;
        if (! Racine.empty ()) std::filesystem::remove_all (Racine, Err);
        Racine.clear ();
    }

    void CreerRacine ()
    {
        const char * Tmp = std::getenv ("TMPDIR");
        std::string Modele = Absolu (Tmp && * Tmp ? Tmp : "/tmp") + "/tramelo-noter.XXXXXX";
        std::vector <char> T (Modele.begin (), Modele.end ());
        T.push_back ('\0');
        if (! mkdtemp (T.data ()))
            Echouer (StatutSysteme, "impossible de creer le dossier temporaire dans " + Affichable (Modele)
                                    + " : " + std::strerror (errno) + " (voir TMPDIR)");
        Racine = T.data ();
    }

    void Progression (bool Terminal, std::size_t Faites, std::size_t Total)
    {
        if (! Terminal) return;
        const std::size_t Largeur = 30, Pleines = Total == 0 ? Largeur : Faites * Largeur / Total;
        Dire ("\rNotation [" + std::string (Pleines, '#') + std::string (Largeur - Pleines, '.') + "] "
              + std::to_string (Faites) + "/" + std::to_string (Total) + (Faites == Total ? "\n" : ""));
    }

    void Ecrire (const std::string & Dossier, const std::string & Nom, const std::string & Texte)
    {
        const std::string Chemin = Dossier + "/" + Nom, Provisoire = Chemin + ".tmp";
        std::ofstream F (Provisoire, std::ios::binary | std::ios::trunc);
        F << Texte;
        F.close ();
        if (! F || std::rename (Provisoire.c_str (), Chemin.c_str ()) != 0)
        {
            const int Erreur = errno;
            std::remove (Provisoire.c_str ());
            RetirerRacine ();
            Echouer (StatutSysteme, "impossible d'ecrire " + Affichable (Chemin) + " : " + std::strerror (Erreur));
        }
    }

    // --exporter moodle : le XML sur la sortie standard ou dans -o FICHIER ; ce que Moodle ne
    // reprendra pas tel quel est dit sur l'erreur standard. --exporter lien : le lien de la page.
    int Exporter (const SCommandeNoter & C, const nsTramelo::SExercice & E)
    {
        std::string Xml;
        if (C.Format == "lien")
        {
            std::string Fragment, Cause;
            if (! FragmentExercice (E, Fragment, Cause)) Echouer (StatutExercice, Cause);
            if (nsTramelo::TestsVisibles (E) == 0)
                Dire ("tramelo-noter : attention : aucun test visible : le bouton « Vérifier » n'aura rien a lancer\n");
            Xml = C.Page.substr (0, C.Page.find ('#')) + "#" + Fragment + "\n";
        }
        else
        {
            std::vector <std::string> Avertissements;
            Xml = nsTramelo::ExporterMoodle (E, Avertissements);
            for (const std::string & A : Avertissements) Dire ("tramelo-noter : attention : " + A + "\n");
        }
        if (! C.RapportsDonnes)
        {
            std::cout << Xml;
            std::cout.flush ();
            if (! std::cout) Echouer (StatutSysteme, "impossible d'ecrire la sortie standard");
            return 0;
        }
        const std::filesystem::path Chemin (C.Rapports);
        const std::string Dossier = Chemin.has_parent_path () ? Chemin.parent_path ().string () : ".";
        Ecrire (Dossier, Chemin.filename ().string (), Xml);
        return 0;
    }

    double Maintenant ()
    {
        timespec T;
        clock_gettime (CLOCK_MONOTONIC, & T);
        return static_cast <double> (T.tv_sec) + static_cast <double> (T.tv_nsec) / 1e9;
    }
}

int main (int argc, char * argv [])
{
    std::ios::sync_with_stdio (false);
    NommerOutil ("tramelo-noter");
    const SCommandeNoter C = LireCommande (argc, argv);
    const nsTramelo::SExercice E = ChargerLExercice (C.Exercice);
    if (! C.Format.empty ()) Terminer (Exporter (C, E));
    std::vector <SCopie> Copies;
    if (! TrouverCopies (C.Copies, Copies))
        Echouer (StatutAucuneCopie, "dossier des copies illisible : " + Affichable (C.Copies));
    if (Copies.empty ()) Echouer (StatutAucuneCopie, "aucune copie (.algo) dans " + Affichable (C.Copies));
    for (SCopie & X : Copies)
        if (! X.Source.empty ()) X.Source = Absolu (X.Source);
    std::error_code Err;
    std::filesystem::create_directories (C.Rapports, Err);
    if (Err) Echouer (StatutSysteme, "impossible de creer " + Affichable (C.Rapports) + " : " + Err.message ());
    // Le dossier des rapports range parmi les copies n'est pas une copie.
    for (std::size_t i = 0; i < Copies.size (); ++i)
    {
        std::error_code E2;
        if (Copies [i].Source.empty ()
            && std::filesystem::equivalent (std::filesystem::path (C.Copies) / Copies [i].Etudiant, C.Rapports, E2))
        {
            Copies.erase (Copies.begin () + static_cast <std::ptrdiff_t> (i));
            break;
        }
    }
    if (Copies.empty ()) Echouer (StatutAucuneCopie, "aucune copie (.algo) dans " + Affichable (C.Copies));

    ChoisirMemoire (E.Memoire);
    PreparerProcessus ();
    // Sans compilateur (ou avec --interprete), chaque copie est interpretee : meme sens que le
    // profil verifie compile, memes limites, memes rapports. Compilateur vide : interpreter.
    std::vector <std::string> Compilateur;
    if (C.Moteur == 2 || (C.Moteur == 0 && CompilateurPresent ())) Compilateur = TrouverCompilateur ();
    else if (C.Moteur == 0)
    {
        const std::vector <std::string> Cxx = CommandeDuCompilateur ();
        Dire ("tramelo-noter : compilateur C++ introuvable (" + Affichable (Cxx.empty () ? "" : Cxx [0])
              + ") : les copies sont interpretees (--compiler pour exiger la compilation)\n");
    }
    CreerRacine ();

    // Une copie ne peut retenir la notation au-dela de ce delai : compilation et tous ses tests.
    const double DelaiCopie = 300.0 + static_cast <double> (E.Tests.size ()) * (E.Temps + 5);
    const bool Terminal = isatty (STDERR_FILENO) != 0;
    std::vector <SNote> Notes (Copies.size ());
    struct SEnCours { std::size_t Copie; double Debut; bool Arretee; };
    std::map <pid_t, SEnCours> EnCours;
    std::size_t Suivante = 0, Faites = 0;
    Progression (Terminal, 0, Copies.size ());
    while (Faites < Copies.size ())
    {
        if (SignalRecu () != 0)
        {
            for (const auto & P : EnCours) kill (P.first, SIGTERM);
            for (const auto & P : EnCours)
            {
                int Etat;
                while (waitpid (P.first, & Etat, 0) < 0 && errno == EINTR) {}
            }
            RetirerRacine ();
            Terminer (StatutSignal (SignalRecu ()));
        }
        while (EnCours.size () < C.Taches && Suivante < Copies.size ())
        {
            const std::size_t i = Suivante++;
            if (Copies [i].Source.empty ())
            {
                Notes [i] = NoteAbsente (E, Copies [i]);
                Progression (Terminal, ++Faites, Copies.size ());
                continue;
            }
            const std::string Bac = Racine + "/copie-" + std::to_string (i);
            if (mkdir (Bac.c_str (), 0700) != 0)
            {
                RetirerRacine ();
                Echouer (StatutSysteme, "impossible de creer " + Affichable (Bac) + " : " + std::strerror (errno));
            }
            std::cout.flush ();
            const pid_t P = fork ();
            if (P < 0)
            {
                RetirerRacine ();
                Echouer (StatutSysteme, "impossible de lancer la notation d'une copie : " + std::string (std::strerror (errno)));
            }
            if (P == 0) NoterDansCetEnfant (E, Copies [i], Bac, Compilateur);
            EnCours [P] = { i, Maintenant (), false };
        }
        int Etat = 0;
        const pid_t P = waitpid (-1, & Etat, WNOHANG);
        if (P > 0 && EnCours.count (P) != 0)
        {
            const std::size_t i = EnCours [P].Copie;
            EnCours.erase (P);
            Notes [i] = LireLaNote (E, Copies [i], Racine + "/copie-" + std::to_string (i), Etat);
            std::error_code E2;
            std::filesystem::remove_all (Racine + "/copie-" + std::to_string (i), E2);
            Progression (Terminal, ++Faites, Copies.size ());
            continue;
        }
        // Une notation trop longue (compilateur bloque...) est arretee : la copie n'est pas notee.
        const double T = Maintenant ();
        for (auto & X : EnCours)
            if (! X.second.Arretee && T - X.second.Debut > DelaiCopie)
            {
                kill (X.first, SIGTERM);
                X.second.Arretee = true;
            }
        const timespec Pause { 0, 20 * 1000000L };
        nanosleep (& Pause, nullptr);
    }

    Ecrire (C.Rapports, "notes.csv", TexteCsv (E, Notes));
    Ecrire (C.Rapports, "rapport.json", TexteJson (E, Notes));
    Ecrire (C.Rapports, "rapport.html", TexteHtml (E, Notes));
    RetirerRacine ();
    std::size_t Notees = 0;
    for (const SNote & N : Notes)
        if (N.Etat == "notee") ++Notees;
    std::cout << Notes.size () << " copies, " << Notees << " notees ; rapports dans " << Affichable (C.Rapports) << "\n";
    std::cout.flush ();
    Terminer (0);
}
