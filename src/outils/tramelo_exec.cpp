// tramelo-exec : verifie un algorithme, le traduit, compile le C++ obtenu et l'execute, en une
// seule commande ; ou l'execute pas a pas sous gdb, ou ouvre gdb sur le source. La traduction et
// la verification sont celles de la bibliotheque (Verifier, Traduire) ; le C++ execute est celui
// du profil verifie, sauf avec --standard.
#include "driver/Ppal.h"
#include "services/explications/Verification.h"
#include "outils/Couleur.h"
#include "util/CException.h"
#include "util/Messages.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
    // Statuts propres a l'outil (les autres viennent de la traduction ou du programme execute).
    const int StatutUsage = 253;          // meme statut que Tramelo pour une ligne de commande invalide
    const int StatutCompilation = 125;    // compilation ratee, fichier impossible a ecrire
    const int StatutIntrouvable = 127;    // compilateur ou gdb introuvable
    const int StatutLimite = 124;         // --pas-a-pas : limite de lignes atteinte

    const char * const NomOutil = "tramelo-exec";

    // Le script gdb de --pas-a-pas (outils/gdb/pas_a_pas.py), incorpore a la construction.
    const char * const ScriptPasAPas =
#include "PasAPas.inc"
        ;

    const char * const Usage =
        "Usage : tramelo-exec [--garder] fichier.algo [taille_tabulation]\n"
        "        tramelo-exec --traduire fichier.algo [taille_tabulation]\n"
        "        tramelo-exec --pas-a-pas [--limite N] fichier.algo [taille_tabulation]\n"
        "        tramelo-exec --deboguer fichier.algo [taille_tabulation]\n"
        "        tramelo-exec --construire-seulement fichier.algo [taille_tabulation]\n"
        "        tramelo-exec --aide\n";

    const char * const Aide =
        "\n"
        "Verifie fichier.algo, le traduit, compile le C++ obtenu et execute le programme, branche\n"
        "sur l'entree et la sortie du terminal. Le statut de sortie est celui du programme.\n"
        "\n"
        "Le programme est traduit dans le profil verifie : chaque erreur d'execution (indice hors\n"
        "du tableau, division par zero, depassement de capacite, valeur qui ne tient pas dans son\n"
        "type, taille invalide, saisie invalide ou fin de l'entree, fonction terminee sans renvoie,\n"
        "recursion trop profonde) est signalee en francais sur l'erreur standard avec la ligne du\n"
        "source (fichier.algo:LIGNE:COLONNE: erreur : ...), et le programme s'arrete avec le statut 1.\n"
        "\n"
        "Options :\n"
        "  --garder     conserve le C++ produit a cote du source (fichier.cpp)\n"
        "  --traduire   ecrit seulement fichier.cpp a cote du source, sans compiler ni executer ;\n"
        "               refuse un source sans extension .algo\n"
        "  --standard   profil standard : le C++ exact de Tramelo, sans controles (un indice\n"
        "               invalide affiche \"Indice invalide\" et donne le statut 1)\n"
        "  --pas-a-pas  execute le programme sous gdb en affichant, sur l'erreur standard, chaque\n"
        "               ligne executee et les variables qui changent\n"
        "  --limite N   avec --pas-a-pas : arret apres N lignes executees (1000 par defaut)\n"
        "  --deboguer   ouvre gdb sur le source, arrete sur la premiere instruction de l'algorithme\n"
        "  --construire-seulement\n"
        "               construit le programme verifie avec les informations de debogage, a cote\n"
        "               du source (fichier, et fichier.cpp), sans l'executer (pour un debogueur\n"
        "               comme celui de VS Code) ; refuse un source sans extension .algo\n"
        "  --aide       affiche cette aide\n"
        "  --           fin des options (pour un source dont le nom commence par -)\n"
        "\n"
        "Variables d'environnement :\n"
        "  CXX        compilateur C++ (defaut : g++), appele avec -std=c++17 -O1 (-g -O0 pour\n"
        "             --pas-a-pas, --deboguer et --construire-seulement)\n"
        "  GDB        debogueur (defaut : gdb)\n"
        "  TMPDIR     dossier ou creer le dossier de travail temporaire (defaut : /tmp)\n"
        "\n"
        "Une erreur de traduction est expliquee au format de GCC, avec un extrait du source et des\n"
        "aides ; les avertissements s'affichent avant l'execution.\n"
        "\n"
        "Statuts : celui du programme ; en cas d'erreur de traduction, le statut de Tramelo ;\n"
        "150 si une fonction peut se terminer sans renvoie (le programme n'est pas lance) ;\n"
        "124 si --pas-a-pas atteint sa limite ; 125 si la compilation echoue ; 127 si le\n"
        "compilateur ou gdb est introuvable ; 253 si la ligne de commande est invalide ;\n"
        "128 + n apres le signal n (130 : Ctrl-C, 129 : SIGHUP, 143 : SIGTERM), relaye au\n"
        "programme en cours.\n";

    enum class EMode { Executer, Traduire, PasAPas, Deboguer, Construire };

    struct SOptionsExec
    {
        EMode Mode = EMode::Executer;
        bool  Garder = false;
        bool  Standard = false;
        unsigned long Limite = 1000;
        bool  AvecLimite = false;
        std::vector <std::string> Args;   // le source et, peut-etre, la taille de tabulation
    };

    // --- Fin du processus et menage -----------------------------------------------------------

    // Dossier de travail prive : cree par CreerTravail, retire par Terminer (ou reduit au seul
    // C++ si ConserverTravail, apres une compilation ratee).
    std::string Travail;
    bool ConserverTravail = false;
    // Fichier temporaire a cote du source, le temps d'une ecriture ; retire par Terminer.
    std::string Temporaire;

    // Premier signal recu (HUP, INT, QUIT, TERM), 0 sinon ; mis par Relayer, lu aux points de
    // controle et apres chaque processus lance.
    volatile std::sig_atomic_t SignalRecu = 0;
    // Processus en cours (compilateur, programme, gdb), 0 sinon ; fixe et remis par Lancer.
    volatile pid_t Enfant = 0;

    [[noreturn]] void Terminer (int Statut)
    {
        if (! Temporaire.empty ()) unlink (Temporaire.c_str ());
        if (! Travail.empty ())
        {
            std::error_code Err;
            if (ConserverTravail)
            {
                for (const char * Nom : { "programme", "compilation.txt", "pas_a_pas.py", "deboguer.gdb" })
                    std::filesystem::remove (Travail + '/' + Nom, Err);
            }
            else std::filesystem::remove_all (Travail, Err);
        }
        std::cout.flush ();
        std::exit (Statut);
    }

    void VerifierSignal ()
    {
        if (SignalRecu != 0) Terminer (128 + SignalRecu);
    }

    extern "C" void Relayer (int Signal)
    {
        if (SignalRecu == 0) SignalRecu = Signal;
        const pid_t P = Enfant;
        if (P > 0) kill (P, Signal);
    }

    void InstallerSignaux (bool AvecInterruption)
    {
        struct sigaction Action {};
        Action.sa_handler = Relayer;
        sigemptyset (& Action.sa_mask);
        for (int Signal : { SIGHUP, SIGINT, SIGQUIT, SIGTERM })
        {
            if (! AvecInterruption && (Signal == SIGINT || Signal == SIGQUIT))
            {
                // Sous gdb interactif, Ctrl-C interrompt le programme : gdb s'en charge.
                struct sigaction Ignorer {};
                Ignorer.sa_handler = SIG_IGN;
                sigaction (Signal, & Ignorer, nullptr);
            }
            else sigaction (Signal, & Action, nullptr);
        }
    }

    [[noreturn]] void ErreurUsage (const std::string & Message)
    {
        std::cerr << NomOutil << " : " << Message << '\n'
                  << "Usage : tramelo-exec [--garder] fichier.algo [taille_tabulation]\n";
        Terminer (StatutUsage);
    }

    // --- Ligne de commande --------------------------------------------------------------------

    bool LireLimite (const std::string & Texte, unsigned long & Limite)
    {
        if (Texte.empty () || Texte.size () > 9) return false;
        for (char c : Texte)
            if (c < '0' || c > '9') return false;
        Limite = std::stoul (Texte);
        return Limite > 0;
    }

    SOptionsExec LireOptions (int argc, char * argv [])
    {
        SOptionsExec O;
        int i = 1;
        bool ModeChoisi = false;
        std::string OptionMode;
        auto ChoisirMode = [&] (EMode Mode, const std::string & Option)
        {
            if (ModeChoisi && OptionMode != Option)
                ErreurUsage ("options incompatibles : " + OptionMode + " et " + Option);
            ModeChoisi = true;
            OptionMode = Option;
            O.Mode = Mode;
        };
        for (; i < argc; ++i)
        {
            const std::string A = argv [i];
            if (A == "--aide" || A == "-h" || A == "--help")
            {
                std::cout << Usage << Aide;
                Terminer (0);
            }
            else if (A == "--garder") O.Garder = true;
            else if (A == "--traduire") ChoisirMode (EMode::Traduire, A);
            else if (A == "--standard") O.Standard = true;
            else if (A == "--pas-a-pas") ChoisirMode (EMode::PasAPas, A);
            else if (A == "--deboguer") ChoisirMode (EMode::Deboguer, A);
            else if (A == "--construire-seulement") ChoisirMode (EMode::Construire, A);
            else if (A == "--limite" || A.rfind ("--limite=", 0) == 0)
            {
                std::string Valeur;
                if (A == "--limite")
                {
                    if (i + 1 >= argc) ErreurUsage ("--limite attend un nombre de lignes");
                    Valeur = argv [++i];
                }
                else Valeur = A.substr (9);
                if (! LireLimite (Valeur, O.Limite)) ErreurUsage ("limite invalide : " + Valeur);
                O.AvecLimite = true;
            }
            else if (A == "--")
            {
                ++i;
                break;
            }
            else if (A.size () > 1 && A [0] == '-') ErreurUsage ("option inconnue : " + A);
            else break;
        }
        for (; i < argc; ++i) O.Args.push_back (argv [i]);
        if (O.Args.empty () || O.Args.size () > 2) ErreurUsage ("nombre d'arguments invalide");
        if (O.AvecLimite && O.Mode != EMode::PasAPas) ErreurUsage ("--limite ne s'emploie qu'avec --pas-a-pas");
        // Le debogueur suit les lignes du source grace au profil verifie.
        if (O.Standard && (O.Mode == EMode::PasAPas || O.Mode == EMode::Deboguer || O.Mode == EMode::Construire))
            ErreurUsage ("--standard ne s'emploie pas avec " + OptionMode);
        return O;
    }

    // --- Fichiers -----------------------------------------------------------------------------

    bool Finit (const std::string & Texte, const std::string & Fin)
    {
        return Texte.size () >= Fin.size () && Texte.compare (Texte.size () - Fin.size (), Fin.size (), Fin) == 0;
    }

    // Dossier et nom de base (sans .algo) du source.
    void DecouperSource (const std::string & Source, std::string & Dossier, std::string & Base)
    {
        const std::size_t Barre = Source.rfind ('/');
        Dossier = Barre == std::string::npos ? "." : Source.substr (0, Barre);
        if (Dossier.empty ()) Dossier = "/";
        Base = Barre == std::string::npos ? Source : Source.substr (Barre + 1);
        if (Finit (Base, ".algo")) Base.resize (Base.size () - 5);
        if (Base.empty ()) Base = "programme";
    }

    bool EcrireFichier (const std::string & Nom, const std::string & Contenu)
    {
        std::ofstream F (Nom, std::ios::binary | std::ios::trunc);
        F.write (Contenu.data (), static_cast <std::streamsize> (Contenu.size ()));
        F.close ();
        return static_cast <bool> (F);
    }

    // Remplace Cible d'un coup par le contenu de Origine (copie a cote, puis renommage) : jamais
    // de fichier partiel, l'ancien reste intact si l'ecriture echoue. Mode : droits voulus avant
    // le masque (0666 pour un fichier ordinaire, 0777 pour un programme).
    bool Remplacer (const std::string & Dossier, const std::string & Base, const std::string & Cible,
                    const std::string & Origine, mode_t Mode)
    {
        struct stat Etat;
        if (stat (Cible.c_str (), & Etat) == 0 && S_ISDIR (Etat.st_mode)) return false;
        std::string Modele = Dossier + "/." + Base + ".XXXXXX";
        std::vector <char> Tampon (Modele.begin (), Modele.end ());
        Tampon.push_back ('\0');
        const int Fd = mkstemp (Tampon.data ());
        if (Fd < 0) return false;
        Temporaire = Tampon.data ();
        close (Fd);
        std::error_code Err;
        std::filesystem::copy_file (Origine, Temporaire, std::filesystem::copy_options::overwrite_existing, Err);
        const mode_t Masque = umask (0);
        umask (Masque);
        if (Err || chmod (Temporaire.c_str (), Mode & ~Masque) != 0
            || rename (Temporaire.c_str (), Cible.c_str ()) != 0)
            return false;
        Temporaire.clear ();
        return true;
    }

    // Dossiers de travail de plus d'un jour laisses par des executions tuees sans pouvoir faire le
    // menage (SIGKILL ne peut pas etre intercepte) : les notres seulement, au premier niveau.
    void NettoyerAnciens (const std::string & DossierTmp)
    {
        DIR * D = opendir (DossierTmp.c_str ());
        if (! D) return;
        const std::time_t Maintenant = std::time (nullptr);
        std::vector <std::string> Anciens;
        while (const dirent * E = readdir (D))
        {
            const std::string Nom = E->d_name;
            if (Nom.size () != 19 || Nom.compare (0, 13, "tramelo-exec.") != 0) continue;
            const std::string Chemin = DossierTmp + '/' + Nom;
            struct stat Etat;
            if (lstat (Chemin.c_str (), & Etat) != 0 || ! S_ISDIR (Etat.st_mode) || Etat.st_uid != getuid ())
                continue;
            if (Maintenant - Etat.st_mtime >= 24 * 3600) Anciens.push_back (Chemin);
        }
        closedir (D);
        for (const std::string & Chemin : Anciens)
        {
            std::error_code Err;
            std::filesystem::remove_all (Chemin, Err);
        }
    }

    std::string DossierTemporaire ()
    {
        const char * Tmp = std::getenv ("TMPDIR");
        return Tmp && * Tmp ? Tmp : "/tmp";
    }

    void CreerTravail (const std::string & DossierTmp)
    {
        std::string Modele = DossierTmp + "/tramelo-exec.XXXXXX";
        std::vector <char> Tampon (Modele.begin (), Modele.end ());
        Tampon.push_back ('\0');
        if (! mkdtemp (Tampon.data ()))
        {
            std::cerr << NomOutil << " : impossible de creer un dossier temporaire\n";
            Terminer (StatutCompilation);
        }
        Travail = Tampon.data ();
    }

    // --- Commandes ----------------------------------------------------------------------------

    // Une commande cherchee comme le ferait le shell : chemin donne, ou dans le PATH.
    bool Trouver (const std::string & Commande)
    {
        if (Commande.empty ()) return false;
        auto Executable = [] (const std::string & Chemin)
        {
            struct stat Etat;
            return stat (Chemin.c_str (), & Etat) == 0 && ! S_ISDIR (Etat.st_mode) && access (Chemin.c_str (), X_OK) == 0;
        };
        if (Commande.find ('/') != std::string::npos) return Executable (Commande);
        const char * Path = std::getenv ("PATH");
        const std::string Chemins = Path ? Path : "/usr/local/bin:/usr/bin:/bin";
        std::size_t Debut = 0;
        for (;;)
        {
            const std::size_t Fin = Chemins.find (':', Debut);
            std::string Dossier = Chemins.substr (Debut, Fin == std::string::npos ? std::string::npos : Fin - Debut);
            if (Dossier.empty ()) Dossier = ".";
            if (Executable (Dossier + '/' + Commande)) return true;
            if (Fin == std::string::npos) return false;
            Debut = Fin + 1;
        }
    }

    // CXX peut contenir une commande suivie d'options (ex. : "ccache g++") : decoupe aux blancs.
    std::vector <std::string> Mots (const std::string & Texte)
    {
        std::vector <std::string> R;
        std::string Mot;
        for (char c : Texte + ' ')
        {
            if (c == ' ' || c == '\t' || c == '\n')
            {
                if (! Mot.empty ()) R.push_back (Mot);
                Mot.clear ();
            }
            else Mot += c;
        }
        return R;
    }

    // Ce que l'enfant fait avant exec : redirections, limites, environnement.
    struct SLancement
    {
        int Entree = -1, Sortie = -1, Erreur = -1;   // -1 : herite
        int SortieProgramme = -1;                    // pour gdb : la sortie du programme, en 3
        bool PileAgrandie = false;
        std::vector <std::pair <std::string, std::string>> Environnement;
        bool Recherche = true;                       // execvp (PATH) plutot qu'execv
    };

    // Taille de pile donnee au programme (et budget de ses controles de recursion) : la limite
    // douce est portee a 64 Mo si la limite dure le permet.
    const rlim_t PileVoulue = rlim_t (64) << 20;
    // Marge laissee sous la limite pour ce qui suit le controle (bibliotheque, message d'erreur).
    const rlim_t MargePile = rlim_t (2) << 20;

    void AgrandirPile ()
    {
        struct rlimit L;
        if (getrlimit (RLIMIT_STACK, & L) != 0) return;
        if (L.rlim_cur == RLIM_INFINITY || L.rlim_cur < PileVoulue)
        {
            rlim_t Voulue = PileVoulue;
            if (L.rlim_max != RLIM_INFINITY && L.rlim_max < Voulue) Voulue = L.rlim_max;
            if (L.rlim_cur == RLIM_INFINITY || Voulue > L.rlim_cur)
            {
                L.rlim_cur = Voulue;
                setrlimit (RLIMIT_STACK, & L);
            }
        }
        if (getrlimit (RLIMIT_STACK, & L) == 0 && L.rlim_cur != RLIM_INFINITY && L.rlim_cur > 2 * MargePile)
            setenv ("TRAMELO_PILE", std::to_string (L.rlim_cur - MargePile).c_str (), 1);
    }

    // Lance la commande et attend sa fin ; rend son statut comme le shell (128 + n si le signal n
    // l'a tuee). Un signal recu pendant l'attente lui est relaye.
    int Lancer (const std::vector <std::string> & Args, const SLancement & L)
    {
        VerifierSignal ();
        std::vector <char *> Argv;
        for (const std::string & A : Args) Argv.push_back (const_cast <char *> (A.c_str ()));
        Argv.push_back (nullptr);
        const pid_t P = fork ();
        if (P < 0)
        {
            std::cerr << NomOutil << " : impossible de lancer " << Args [0] << " : " << std::strerror (errno) << '\n';
            return StatutIntrouvable;
        }
        if (P == 0)
        {
            for (int Signal : { SIGHUP, SIGINT, SIGQUIT, SIGTERM }) std::signal (Signal, SIG_DFL);
            if (L.SortieProgramme >= 0) dup2 (L.SortieProgramme, 3);
            if (L.Entree >= 0) dup2 (L.Entree, 0);
            if (L.Sortie >= 0) dup2 (L.Sortie, 1);
            if (L.Erreur >= 0) dup2 (L.Erreur, 2);
            if (L.PileAgrandie) AgrandirPile ();
            for (const auto & V : L.Environnement) setenv (V.first.c_str (), V.second.c_str (), 1);
            if (L.Recherche) execvp (Argv [0], Argv.data ());
            else execv (Argv [0], Argv.data ());
            const std::string Message = std::string (NomOutil) + " : impossible de lancer " + Args [0] + " : "
                                      + std::strerror (errno) + '\n';
            if (write (2, Message.data (), Message.size ()) < 0) {}
            _exit (StatutIntrouvable);
        }
        Enfant = P;
        // Un signal arrive entre fork et ici n'a pas encore ete relaye.
        if (SignalRecu != 0) kill (P, SignalRecu);
        int Etat = 0;
        while (waitpid (P, & Etat, 0) < 0 && errno == EINTR) {}
        Enfant = 0;
        if (WIFEXITED (Etat)) return WEXITSTATUS (Etat);
        if (WIFSIGNALED (Etat)) return 128 + WTERMSIG (Etat);
        return StatutCompilation;
    }

    int Ouvrir (const std::string & Nom, int Drapeaux)
    {
        const int Fd = open (Nom.c_str (), Drapeaux | O_CLOEXEC, 0600);
        return Fd;
    }

    // --- Verification et traduction -----------------------------------------------------------

    // Diagnostics de Verifier sur l'erreur standard ; rend le code de la premiere erreur (0 si
    // aucune). Une erreur de traduction du source (102 a 149) est expliquee ; les autres
    // messages (tabulation invalide, source trop volumineux...) passent tels que Tramelo les ecrit.
    unsigned Diagnostiquer (const std::string & Fichier, const std::string & Source,
                            const nsTramelo::SOptions & Options, const nsTramelo::SVerification & V)
    {
        const nsTramelo::STraduction & T = V.Traduction;
        if (T.Erreur && (T.Erreur->Code < 102 || T.Erreur->Code > 149))
        {
            std::cerr << T.Erreur->Libelle << '\n';
            return T.Erreur->Code;
        }
        const bool Couleur = nsOutils::CouleurVoulue (STDERR_FILENO);
        unsigned Premiere = 0;
        for (const nsTramelo::SDiagnosticExplique & D : V.Diagnostics)
        {
            std::cerr << nsTramelo::FormaterGcc (Fichier, Source, Options, D, Couleur);
            if (D.Gravite == nsTramelo::EGravite::Erreur && Premiere == 0) Premiere = D.Code;
        }
        if (T.Erreur) return T.Erreur->Code;
        return Premiere;
    }

    std::string NomAlgorithme (const nsTramelo::STraduction & T)
    {
        for (const nsTramelo::SUnite & U : T.Modele.Unites)
            if (U.Nature == nsTramelo::ENature::Algorithme) return U.Nom;
        return "";
    }

    // Une chaine Python qui vaut Texte (chemin du C++, quel que soit son nom ; UTF-8 tel quel).
    std::string LitteralPython (const std::string & Texte)
    {
        std::string R = "'";
        for (unsigned char c : Texte)
        {
            if (c == '\\' || c == '\'') R += '\\';
            if (c < 32 || c == 127)
            {
                const char * Chiffres = "0123456789abcdef";
                R += "\\x";
                R += Chiffres [c >> 4];
                R += Chiffres [c & 15];
            }
            else R += static_cast <char> (c);
        }
        return R + "'";
    }

    // Le script de gdb de --deboguer : arret sur la premiere instruction de l'algorithme et sur
    // toute erreur d'execution, sans entrer dans la bibliotheque ni dans les controles.
    std::string ScriptDeboguer (const std::string & Algo, const std::string & Cpp)
    {
        // Les reglages passent par python (to_string) : gdb les annoncerait un par un. L'arret sur
        // une erreur d'execution (_Arreter) est silencieux et se place sur la ligne du source
        // fautive, pas dans le C++ des controles, que l'etudiant n'a pas a connaitre.
        std::string S =
            "set confirm off\n"
            "set disable-randomization off\n"
            "set print inferior-events off\n"
            "set print thread-events off\n"
            "set width 0\n"
            "break " + Algo + "\n"
            "python\n"
            "import gdb\n"
            "_cpp = " + LitteralPython (Cpp) + "\n"
            "for _c in ['skip -gfi /usr/include/*' + '/*' * _n for _n in range (6)] + \\\n"
            "          ['skip -rfu ^std::', 'skip -rfu ^__gnu_cxx::', 'skip -rfu ::_[A-Z]', 'skip file ' + _cpp]:\n"
            "    gdb.execute (_c, to_string=True)\n"
            "_arret = gdb.Breakpoint ('_Arreter', internal=True)\n"
            "_arret.silent = True\n"
            "def _vers_source (ev):\n"
            "    if not isinstance (ev, gdb.BreakpointEvent) or _arret not in ev.breakpoints:\n"
            "        return\n"
            "    f = gdb.newest_frame ()\n"
            "    while f is not None:\n"
            "        s = f.find_sal ().symtab\n"
            "        if s is not None and s.fullname () != _cpp and not s.fullname ().startswith ('/usr/'):\n"
            "            break\n"
            "        f = f.older ()\n"
            "    if f is not None:\n"
            "        f.select ()\n"
            "        print ('\\nErreur d\\'execution : arret sur la ligne fautive du source (bt : les appels en cours).')\n"
            "        gdb.execute ('frame')\n"
            "gdb.events.stop.connect (_vers_source)\n"
            "end\n"
            "run\n";
        return S;
    }

    // La cause probable d'un signal, dans les mots de l'etudiant.
    std::string CauseSignal (int Signal)
    {
        switch (Signal)
        {
            case SIGFPE : return " (SIGFPE) : erreur arithmetique, division entiere par zero ?";
            case SIGSEGV : return " (SIGSEGV) : acces memoire invalide, recursion trop profonde ou indice hors du tableau ?";
            case SIGABRT : return " (SIGABRT) : arret anormal du programme";
            case SIGKILL : return " (SIGKILL) : tue, par manque de memoire ou de l'exterieur";
            case SIGBUS : return " (SIGBUS) : acces memoire invalide";
            default : return "";
        }
    }

    const char * const RappelDeboguer =
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

int main (int argc, char * argv [])
{
    std::ios::sync_with_stdio (false);
    const SOptionsExec O = LireOptions (argc, argv);
    InstallerSignaux (O.Mode != EMode::Deboguer);
    const std::string & Source = O.Args [0];

    // Le C++ remplace fichier.cpp (et le programme, fichier) : un autre nom serait ecrase.
    if ((O.Mode == EMode::Traduire || O.Mode == EMode::Construire) && ! Finit (Source, ".algo"))
    {
        std::cerr << NomOutil << " : " << Source << " n'a pas l'extension .algo ; rien n'est "
                  << (O.Mode == EMode::Traduire ? "traduit" : "construit") << '\n';
        Terminer (StatutUsage);
    }

    std::vector <std::string> Compilateur;
    if (O.Mode != EMode::Traduire)
    {
        const char * Cxx = std::getenv ("CXX");
        Compilateur = Mots (Cxx ? Cxx : "g++");
        if (Compilateur.empty () || ! Trouver (Compilateur [0]))
        {
            std::cerr << NomOutil << " : compilateur C++ introuvable (" << (Compilateur.empty () ? "" : Compilateur [0])
                      << ") ; definir CXX\n";
            Terminer (StatutIntrouvable);
        }
    }
    std::string Gdb;
    if (O.Mode == EMode::PasAPas || O.Mode == EMode::Deboguer)
    {
        const char * G = std::getenv ("GDB");
        Gdb = G && * G ? G : "gdb";
        if (! Trouver (Gdb))
        {
            std::cerr << NomOutil << " : debogueur gdb introuvable (" << Gdb << ") ; installer gdb ou definir GDB\n";
            Terminer (StatutIntrouvable);
        }
    }

    std::string DossierSource, Base;
    DecouperSource (Source, DossierSource, Base);
    const std::string Garde = DossierSource + '/' + Base + ".cpp";
    const std::string DossierTmp = DossierTemporaire ();
    NettoyerAnciens (DossierTmp);
    CreerTravail (DossierTmp);
    const std::string Cpp = Travail + '/' + Base + ".cpp";

    // La ligne de commande et le source, avec les messages et statuts de Tramelo.
    nsTramelo::SOptions Options;
    std::string Texte;
    try
    {
        Options = nsTramelo::LireArguments (O.Args);
        Texte = nsTramelo::LireFichierSource (Source);
    }
    catch (const nsUtil::CException & Exc)
    {
        std::cerr << Exc.GetLibelle () << '\n';
        Terminer (static_cast <int> (Exc.GetCodErr ()));
    }
    catch (const std::exception & Exc)
    {
        std::cerr << nsUtil::Texte (nsUtil::EMsg::ExceptionStandard) << Exc.what () << '\n';
        Terminer (static_cast <int> (nsUtil::GetCode (nsUtil::EMsg::ExceptionStandard)));
    }
    VerifierSignal ();

    // Verification dans le profil standard : erreurs expliquees, avertissements avant
    // l'execution ; une fonction dont la fin peut etre atteinte sans renvoie n'est pas lancee
    // (avec --traduire, le C++ est tout de meme ecrit, puisque rien n'est execute).
    nsTramelo::SVerification V = nsTramelo::Verifier (Texte, Options);
    const unsigned Code = Diagnostiquer (Source, Texte, Options, V);
    if (V.Traduction.Erreur) Terminer (static_cast <int> (Code));
    if (Code != 0 && O.Mode != EMode::Traduire) Terminer (static_cast <int> (Code));
    VerifierSignal ();

    // Traduction pour l'execution : le profil verifie, sauf --standard.
    const bool Debogage = O.Mode == EMode::PasAPas || O.Mode == EMode::Deboguer || O.Mode == EMode::Construire;
    std::string CppNomme = Cpp;
    if (O.Mode == EMode::Traduire || O.Mode == EMode::Construire || O.Garder) CppNomme = Garde;
    nsTramelo::STraduction T;
    if (O.Standard) T = std::move (V.Traduction);
    else
    {
        nsTramelo::SOptions OptionsVerifie = Options;
        OptionsVerifie.Verifie = true;
        OptionsVerifie.NomSource = Source;
        OptionsVerifie.NomCpp = CppNomme;
        T = nsTramelo::Traduire (Texte, OptionsVerifie);
        if (T.Erreur)
        {
            std::cerr << NomOutil << " : erreur interne du profil verifie : " << T.Erreur->Libelle << '\n';
            Terminer (T.Statut);
        }
    }
    if (! EcrireFichier (Cpp, T.Cpp))
    {
        std::cerr << NomOutil << " : impossible d'ecrire " << Cpp << '\n';
        Terminer (StatutCompilation);
    }

    if (O.Garder || O.Mode == EMode::Traduire || O.Mode == EMode::Construire)
    {
        if (! Remplacer (DossierSource, Base + ".cpp", Garde, Cpp, 0666))
        {
            std::cerr << NomOutil << " : impossible d'ecrire " << Garde << '\n';
            Terminer (StatutCompilation);
        }
    }
    if (O.Mode == EMode::Traduire) Terminer (0);

    // Compilation : ses messages ne s'affichent que si elle echoue.
    const std::string Programme = Travail + "/programme";
    {
        std::vector <std::string> Args = Compilateur;
        Args.push_back ("-std=c++17");
        if (Debogage)
        {
            Args.push_back ("-g");
            Args.push_back ("-O0");
        }
        else Args.push_back ("-O1");
        Args.insert (Args.end (), { "-o", Programme, O.Mode == EMode::Construire ? Garde : Cpp });
        const std::string Journal = Travail + "/compilation.txt";
        SLancement L;
        L.Entree = Ouvrir ("/dev/null", O_RDONLY);
        L.Sortie = L.Erreur = Ouvrir (Journal, O_WRONLY | O_CREAT | O_TRUNC);
        const int Statut = Lancer (Args, L);
        close (L.Entree);
        close (L.Sortie);
        VerifierSignal ();
        if (Statut != 0)
        {
            std::ifstream Messages (Journal, std::ios::binary);
            std::cerr << Messages.rdbuf ();
            std::cerr.flush ();
            std::string Conserve = Cpp;
            if (O.Garder || O.Mode == EMode::Construire) Conserve = Garde;
            else ConserverTravail = true;
            std::cerr << NomOutil << " : la compilation du C++ produit a echoue ; il est conserve dans "
                      << Conserve << '\n';
            Terminer (StatutCompilation);
        }
    }

    if (O.Mode == EMode::Construire)
    {
        const std::string Executable = DossierSource + '/' + Base;
        if (! Remplacer (DossierSource, Base, Executable, Programme, 0777))
        {
            std::cerr << NomOutil << " : impossible d'ecrire " << Executable << '\n';
            Terminer (StatutCompilation);
        }
        Terminer (0);
    }

    // L'entree du programme (une entree fermee devient vide).
    SLancement L;
    if (fcntl (STDIN_FILENO, F_GETFD) < 0) L.Entree = Ouvrir ("/dev/null", O_RDONLY);
    L.PileAgrandie = true;
    int Statut;
    if (O.Mode == EMode::Executer)
    {
        L.Recherche = false;
        Statut = Lancer ({ Programme }, L);
    }
    else if (O.Mode == EMode::PasAPas)
    {
        const std::string Script = Travail + "/pas_a_pas.py";
        if (! EcrireFichier (Script, ScriptPasAPas))
        {
            std::cerr << NomOutil << " : impossible d'ecrire " << Script << '\n';
            Terminer (StatutCompilation);
        }
        // gdb ecrit dans /dev/null ; le programme retrouve la vraie sortie sur le descripteur 3.
        L.SortieProgramme = dup (STDOUT_FILENO);
        L.Sortie = Ouvrir ("/dev/null", O_WRONLY);
        L.Environnement = { { "TRAMELO_PAS_SOURCE", Source }, { "TRAMELO_PAS_CPP", CppNomme },
                            { "TRAMELO_PAS_ALGO", NomAlgorithme (T) },
                            { "TRAMELO_PAS_LIMITE", std::to_string (O.Limite) },
                            { "TRAMELO_PAS_STATUT_LIMITE", std::to_string (StatutLimite) },
                            { "SHELL", "/bin/sh" } };
        Statut = Lancer ({ Gdb, "-q", "-nx", "-batch", "-x", Script, "--args", Programme }, L);
    }
    else
    {
        const std::string Script = Travail + "/deboguer.gdb";
        if (! EcrireFichier (Script, ScriptDeboguer (NomAlgorithme (T), CppNomme)))
        {
            std::cerr << NomOutil << " : impossible d'ecrire " << Script << '\n';
            Terminer (StatutCompilation);
        }
        std::cerr << RappelDeboguer;
        Statut = Lancer ({ Gdb, "-q", "-nx", "-x", Script, "--args", Programme }, L);
    }
    VerifierSignal ();
    // Un programme tue par un signal ne dit rien : on le dit pour lui (surtout en --standard).
    const int Sig = Statut - 128;
    if (O.Mode == EMode::Executer && Sig > 0 && Sig < 65 && Sig != SIGPIPE && Sig != SIGINT && Sig != SIGTERM
        && Sig != SIGHUP && Sig != SIGQUIT)
        std::cerr << NomOutil << " : le programme a ete arrete par le signal " << Sig << CauseSignal (Sig) << '\n';
    Terminer (Statut);
}
