#include "frontaux/exec/LigneCommande.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Statuts.h"

#include <iostream>

namespace nsExec
{
    namespace
    {
        const char * const Usage =
            "Usage : tramelo-exec [--garder] fichier.algo [taille_tabulation]\n"
            "        tramelo-exec --interprete [--pas-a-pas [--limite N]] fichier.algo [taille_tabulation]\n"
            "        tramelo-exec --traduire fichier.algo [taille_tabulation]\n"
            "        tramelo-exec --pas-a-pas [--limite N] fichier.algo [taille_tabulation]\n"
            "        tramelo-exec --deboguer fichier.algo [taille_tabulation]\n"
            "        tramelo-exec --construire-seulement fichier.algo [taille_tabulation]\n"
            "        tramelo-exec --tester EXERCICE fichier.algo [taille_tabulation]\n"
            "        tramelo-exec --aide\n";

        // Tenue a jour avec la page de manuel (man/tramelo-exec.1) et le README.
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
            "Sans compilateur C++ (CXX, ou g++, introuvable), une ligne le dit et le programme est\n"
            "interprete, sans compilation : memes sorties, memes saisies, memes erreurs d'execution et\n"
            "memes statuts que le programme compile. De meme, --pas-a-pas sans gdb est interprete.\n"
            "\n"
            "Options :\n"
            "  --garder     conserve le C++ produit a cote du source (fichier.cpp)\n"
            "  --traduire   ecrit seulement fichier.cpp a cote du source, sans compiler ni executer ;\n"
            "               refuse un source sans extension .algo\n"
            "  --standard   profil standard : le C++ exact de Tramelo, sans controles (un indice\n"
            "               invalide affiche \"Indice invalide\" et donne le statut 1)\n"
            "  --pas-a-pas  execute le programme en affichant, sur l'erreur standard, chaque ligne\n"
            "               executee et les variables qui changent (sous gdb, ou interprete)\n"
            "  --limite N   avec --pas-a-pas : arret apres N lignes executees (1000 par defaut)\n"
            "  --interprete execute le programme sans le compiler (ni compilateur ni gdb) ; refuse\n"
            "               avec --standard, --traduire, --deboguer, --construire-seulement\n"
            "  --compiler   exige la compilation : sans compilateur, statut 162 ; sans gdb pour\n"
            "               --pas-a-pas, statut 163\n"
            "  --memoire N  memoire permise au programme, en Mio (de 1 a 1073741824 ; par defaut\n"
            "               TRAMELO_MEMOIRE, sinon 2048) : au-dela, le profil verifie s'arrete sur\n"
            "               \"Memoire insuffisante\" a la ligne de l'allocation ; le programme tourne\n"
            "               aussi sous une limite d'espace d'adressage (N + 512 Mio), dans les deux\n"
            "               profils\n"
            "  --deboguer   ouvre gdb sur le source, arrete sur la premiere instruction de l'algorithme\n"
            "  --construire-seulement\n"
            "               construit le programme verifie avec les informations de debogage, a cote\n"
            "               du source (fichier, et fichier.cpp), sans l'executer (pour un debogueur\n"
            "               comme celui de VS Code) ; refuse un source sans extension .algo\n"
            "  --tester EXERCICE\n"
            "               execute les tests visibles du dossier d'exercice EXERCICE (une fois par\n"
            "               test, sous le temps, la memoire et la limite de sortie de l'exercice) et\n"
            "               dit pour chacun : reussi, echoue (avec la premiere ligne qui differe),\n"
            "               erreur d'execution (avec sa ligne du source), temps depasse ou sortie trop\n"
            "               longue ; puis le bilan (format des exercices : docs/langage.md, section 22)\n"
            "  --aide       affiche cette aide\n"
            "  --           fin des options (pour un source dont le nom commence par -)\n"
            "\n"
            "fichier.cpp et le programme ne remplacent qu'un fichier produit auparavant par Tramelo\n"
            "(un C++ traduit, un programme) : jamais un fichier ecrit par quelqu'un d'autre.\n"
            "\n"
            "Variables d'environnement :\n"
            "  CXX        compilateur C++ (defaut : g++), appele avec -std=c++17 -O1 (-g -O0 pour\n"
            "             --pas-a-pas, --deboguer et --construire-seulement)\n"
            "  GDB        debogueur (defaut : gdb)\n"
            "  TMPDIR     dossier ou creer le dossier de travail temporaire (defaut : /tmp)\n"
            "  XDG_CACHE_HOME\n"
            "             cache des en-tetes precompiles (defaut : ~/.cache), dans tramelo/\n"
            "  NO_COLOR   non vide : diagnostics jamais en couleur\n"
            "  TRAMELO_MEMOIRE\n"
            "             memoire permise au programme verifie, en Mio, sans --memoire (2048 sinon)\n"
            "\n"
            "Une erreur de traduction est expliquee au format de GCC, avec un extrait du source et des\n"
            "aides ; les avertissements s'affichent avant l'execution.\n"
            "\n"
            "Statuts de sortie :\n"
            "  0          le programme s'est termine normalement ; --traduire, --construire-seulement\n"
            "             ont reussi\n"
            "  1          erreur d'execution (profil verifie ou interprete) ou \"Indice invalide\"\n"
            "             (profil standard)\n"
            "  102 a 149  erreur dans le source : le code de Tramelo\n"
            "  150        une fonction peut se terminer sans renvoie : le programme n'est pas lance\n"
            "  252 a 255  erreur de Tramelo sans position : source illisible (252), ligne de\n"
            "             commande invalide (253, options de tramelo-exec comprises), erreur du\n"
            "             systeme (254), erreur inconnue (255)\n"
            "  160        --pas-a-pas a atteint sa limite de lignes\n"
            "  161        la compilation du C++ produit a echoue\n"
            "  162        compilateur C++ introuvable (--compiler, --standard, --deboguer,\n"
            "             --construire-seulement)\n"
            "  163        gdb introuvable, ou les scripts gdb de tramelo-exec (--compiler, --deboguer)\n"
            "  164        tramelo-exec n'a pas pu faire son travail : dossier de travail, ecriture\n"
            "             d'un fichier, lancement d'un processus, session gdb interrompue\n"
            "  165        fichier.cpp ou le programme remplacerait un fichier que Tramelo n'a pas\n"
            "             produit\n"
            "  166        --tester : le dossier d'exercice est refuse (fichier et ligne en cause dits)\n"
            "  Avec --tester : 0 si tous les tests visibles reussissent, 1 si l'un d'eux echoue\n"
            "             (sortie differente, erreur d'execution, temps ou sortie depasses)\n"
            "  200 + n    arret par le signal n, du programme ou de tramelo-exec : 202 Ctrl-C,\n"
            "             203 Ctrl-\\, 201 terminal ferme, 215 SIGTERM, 208 SIGFPE, 211 SIGSEGV,\n"
            "             206 SIGABRT (251 au-dela du signal 51)\n"
            "  Avec --deboguer, le statut est celui de gdb (0 apres quit).\n";

        [[noreturn]] void ErreurUsage (const std::string & Message)
        {
            Dire ("tramelo-exec : " + Message + "\n"
                  "Usage : tramelo-exec [--garder] fichier.algo [taille_tabulation]\n");
            Terminer (StatutUsage);
        }

        bool LireLimite (const std::string & Texte, unsigned long & Limite)
        {
            if (Texte.empty () || Texte.size () > 9) return false;
            for (char c : Texte)
                if (c < '0' || c > '9') return false;
            Limite = std::stoul (Texte);
            return Limite > 0;
        }

        // Les bornes que le programme verifie accepte pour TRAMELO_MEMOIRE.
        bool LireMemoire (const std::string & Texte, unsigned long & Mio)
        {
            if (Texte.empty () || Texte.size () > 10) return false;
            for (char c : Texte)
                if (c < '0' || c > '9') return false;
            Mio = std::stoul (Texte);
            return Mio > 0 && Mio <= MemoireMaxMio;
        }
    }

    SCommande LireCommande (int argc, char * argv [])
    {
        SCommande C;
        bool ModeChoisi = false, AvecLimite = false;
        std::string OptionMode;
        auto ChoisirMode = [&] (EMode Mode, const std::string & Option)
        {
            if (ModeChoisi && OptionMode != Option)
                ErreurUsage ("options incompatibles : " + OptionMode + " et " + Option);
            ModeChoisi = true;
            OptionMode = Option;
            C.Mode = Mode;
        };
        int i = 1;
        for (; i < argc; ++i)
        {
            const std::string A = argv [i];
            if (A == "--aide" || A == "-h" || A == "--help")
            {
                std::cout << Usage << Aide;
                Terminer (0);
            }
            else if (A == "--garder") C.Garder = true;
            else if (A == "--traduire") ChoisirMode (EMode::Traduire, A);
            else if (A == "--standard") C.Standard = true;
            else if (A == "--pas-a-pas") ChoisirMode (EMode::PasAPas, A);
            else if (A == "--deboguer") ChoisirMode (EMode::Deboguer, A);
            else if (A == "--construire-seulement") ChoisirMode (EMode::Construire, A);
            else if (A == "--interprete" || A == "--compiler")
            {
                const EMoteur Moteur = A == "--interprete" ? EMoteur::Interprete : EMoteur::Compiler;
                if (C.Moteur != EMoteur::Auto && C.Moteur != Moteur)
                    ErreurUsage ("options incompatibles : --interprete et --compiler");
                C.Moteur = Moteur;
            }
            else if (A == "--tester" || A.rfind ("--tester=", 0) == 0)
            {
                if (A == "--tester")
                {
                    if (i + 1 >= argc) ErreurUsage ("--tester attend le dossier d'un exercice");
                    C.Exercice = argv [++i];
                }
                else C.Exercice = A.substr (9);
                if (C.Exercice.empty ()) ErreurUsage ("--tester attend le dossier d'un exercice");
                ChoisirMode (EMode::Tester, "--tester");
            }
            else if (A == "--limite" || A.rfind ("--limite=", 0) == 0)
            {
                std::string Valeur;
                if (A == "--limite")
                {
                    if (i + 1 >= argc) ErreurUsage ("--limite attend un nombre de lignes");
                    Valeur = argv [++i];
                }
                else Valeur = A.substr (9);
                if (! LireLimite (Valeur, C.Limite)) ErreurUsage ("limite invalide : " + Affichable (Valeur));
                AvecLimite = true;
            }
            else if (A == "--memoire" || A.rfind ("--memoire=", 0) == 0)
            {
                std::string Valeur;
                if (A == "--memoire")
                {
                    if (i + 1 >= argc) ErreurUsage ("--memoire attend un nombre de Mio");
                    Valeur = argv [++i];
                }
                else Valeur = A.substr (10);
                if (! LireMemoire (Valeur, C.Memoire))
                    ErreurUsage ("memoire invalide : " + Affichable (Valeur) + " (un nombre de Mio, de 1 a "
                                 + std::to_string (MemoireMaxMio) + ")");
            }
            else if (A == "--")
            {
                ++i;
                break;
            }
            else if (A.size () > 1 && A [0] == '-') ErreurUsage ("option inconnue : " + Affichable (A));
            else break;
        }
        for (; i < argc; ++i) C.Args.push_back (argv [i]);
        if (C.Args.empty () || C.Args.size () > 2) ErreurUsage ("nombre d'arguments invalide");
        if (AvecLimite && C.Mode != EMode::PasAPas) ErreurUsage ("--limite ne s'emploie qu'avec --pas-a-pas");
        // Sans execution, la limite n'aurait aucun effet : le dire plutot que l'ignorer.
        if (C.Memoire != 0 && C.Mode == EMode::Tester)
            ErreurUsage ("--memoire ne s'emploie pas avec --tester (la limite est celle de l'exercice)");
        if (C.Standard && C.Mode == EMode::Tester)
            ErreurUsage ("--standard ne s'emploie pas avec --tester (les tests se font dans le profil verifie)");
        if (C.Memoire != 0 && (C.Mode == EMode::Traduire || C.Mode == EMode::Construire))
            ErreurUsage ("--memoire ne s'emploie pas avec " + OptionMode);
        // Le debogueur suit les lignes du source grace au profil verifie.
        if (C.Standard && C.Debogage ()) ErreurUsage ("--standard ne s'emploie pas avec " + OptionMode);
        // L'interpreteur execute le sens du profil verifie, et rien d'autre que l'execution.
        if (C.Moteur == EMoteur::Interprete && C.Standard) ErreurUsage ("--standard ne s'emploie pas avec --interprete");
        if (C.Moteur == EMoteur::Interprete && ! C.Interpretable ())
            ErreurUsage ("--interprete ne s'emploie pas avec " + OptionMode);
        if (C.Moteur == EMoteur::Compiler && C.Mode == EMode::Traduire) ErreurUsage ("--compiler ne s'emploie pas avec --traduire");
        C.Source = C.Args [0];
        return C;
    }
}
