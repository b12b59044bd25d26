// Memes reponses partout : chaque programme .algo accepte des chemins donnes (dossiers parcourus),
// avec son entree (CAS.in a cote), est execute par l'interpreteur de la bibliotheque et par le
// programme compile du profil verifie ; sortie standard (octets exacts), erreur standard (message
// d'erreur d'execution, ligne, colonne) et statut doivent etre identiques.
//
// Pour que le tout tienne en quelques dizaines de secondes, les programmes compiles sont reunis
// par lots : chaque C++ du profil verifie, tel quel, dans un espace de noms a lui (main renomme),
// un main commun choisissant le programme par son numero. Le code de chaque programme est
// inchange ; chaque execution reste un processus a part.
//
//   tramelo_differentiel [--cxx COMMANDE] [--lots N] [--garder DOSSIER] CHEMIN...
//
// Sont ecartes (et comptes) : les sources refuses, ceux qui tirent au hasard (Rand), les cas
// d'une limite du systeme (CAS.memoire : ulimit -v, CAS.pile : ulimit -s), ceux dont
// l'execution depasse le budget de pas. CAS.env (lignes NOM=VALEUR) est l'environnement que le
// cas donne au programme : au programme compile tel quel, a l'interpreteur ce qu'il en lit
// (TRAMELO_MEMOIRE).
#include "bibliotheque/Tramelo.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace nsTramelo;

namespace
{
    // Pas d'interpretation au plus : au-dela, le programme est ecarte (boucle sans fin voulue
    // par un cas de traduction, par exemple).
    constexpr std::uint64_t PasMax = 50000000;
    constexpr std::size_t SortieMax = std::size_t (8) << 20;
    // Secondes permises a un programme compile (calcul) et a l'interpreteur.
    constexpr rlim_t DelaiCompile = 20;
    constexpr int DelaiInterprete = 10;

    std::string Lire (const fs::path & Chemin)
    {
        std::ifstream F (Chemin, std::ios::binary);
        std::ostringstream S;
        S << F.rdbuf ();
        return S.str ();
    }

    void Ecrire (const fs::path & Chemin, const std::string & Texte)
    {
        std::ofstream F (Chemin, std::ios::binary | std::ios::trunc);
        F << Texte;
        if (! F) throw std::runtime_error ("ecriture impossible : " + Chemin.string ());
    }

    struct SResultat
    {
        std::string Sortie, Erreur;
        int Statut = 0;
    };

    struct SProgramme
    {
        fs::path Source;
        std::string Nom;          // pour les messages
        std::string Entree;
        std::vector <std::pair <std::string, std::string>> Environnement;   // CAS.env
        std::string Cpp;          // profil verifie
        SResultat Interprete;
        std::size_t Lot = 0, Numero = 0;
    };

    // Les en-tetes qui ouvrent le C++ produit, et le reste (a partir de la premiere autre ligne).
    void Decouper (const std::string & Cpp, std::string & Inclusions, std::string & Reste)
    {
        std::size_t Debut = 0;
        Inclusions.clear ();
        while (Debut < Cpp.size ())
        {
            const std::size_t Fin = Cpp.find ('\n', Debut);
            if (Fin == std::string::npos) break;
            const std::string Ligne = Cpp.substr (Debut, Fin - Debut);
            if (Ligne.rfind ("#include ", 0) == 0) Inclusions += Ligne + '\n';
            else if (! Ligne.empty () && Ligne.rfind ("//", 0) != 0) break;
            Debut = Fin + 1;
        }
        Reste = Cpp.substr (Debut);
    }

    // Ce que le C++ du profil verifie met hors de son espace de noms anonyme : les declarations
    // du systeme (une fois par lot) et operator new / delete, qui comptent la memoire du
    // programme. Dans un lot, new et delete passent par des pointeurs que le programme lance
    // dirige vers ses propres fonctions ; avant lui (initialisations statiques), un bloc a la
    // meme forme (sa taille devant lui) et une marque qui le fait rendre directement.
    const char * const OperateursDuLot = R"(
namespace _Lot
{
    void * (* Allouer) (std::size_t) = nullptr;
    void (* Liberer) (void *) = nullptr;
    const std::size_t Marque = 0x54524d4c4f543031u;
    void * AvantLeProgramme (std::size_t N)
    {
        void * const P = std::malloc (N + 16);
        if (P == nullptr) throw std::bad_alloc ();
        static_cast <std::size_t *> (P) [0] = N;
        static_cast <std::size_t *> (P) [1] = Marque;
        return static_cast <char *> (P) + 16;
    }
    void Rendre (void * P)
    {
        if (P == nullptr) return;
        std::size_t * const Bloc = reinterpret_cast <std::size_t *> (static_cast <char *> (P) - 16);
        if (Bloc [1] == Marque || Liberer == nullptr) std::free (Bloc);
        else Liberer (P);
    }
}
void * operator new (std::size_t N) { return _Lot::Allouer ? _Lot::Allouer (N) : _Lot::AvantLeProgramme (N); }
void * operator new[] (std::size_t N) { return _Lot::Allouer ? _Lot::Allouer (N) : _Lot::AvantLeProgramme (N); }
void operator delete (void * P) noexcept { _Lot::Rendre (P); }
void operator delete[] (void * P) noexcept { _Lot::Rendre (P); }
void operator delete (void * P, std::size_t) noexcept { _Lot::Rendre (P); }
void operator delete[] (void * P, std::size_t) noexcept { _Lot::Rendre (P); }
)";

    // Retire de Reste le bloc qui commence a la ligne Debut et finit a la ligne Fin (comprises) ;
    // rend son texte (vide s'il n'y est pas).
    std::string Extraire (std::string & Reste, const std::string & Debut, const std::string & Fin)
    {
        const std::size_t i = Reste.find (Debut);
        if (i == std::string::npos) return "";
        const std::size_t j = Reste.find (Fin, i);
        if (j == std::string::npos) return "";
        const std::string Bloc = Reste.substr (i, j + Fin.size () - i);
        Reste.erase (i, Bloc.size ());
        return Bloc;
    }

    // L'interpreteur, toute l'entree donnee d'avance (comme un fichier redirige).
    bool Interpreter (const STraduction & T, const std::string & Source, unsigned Tab, const SProgramme & P,
                      SResultat & R, std::string & Raison)
    {
        const std::string & Entree = P.Entree;
        SOptionsExecution O;
        O.NomSource = "p.algo";
        O.TailleTab = Tab;
        O.Graine = 1;
        // La pile du programme compile lance ici : celle du test (la note de la recursion la dit).
        struct rlimit Pile;
        if (getrlimit (RLIMIT_STACK, & Pile) == 0 && Pile.rlim_cur != RLIM_INFINITY) O.Limites.LimitePile = Pile.rlim_cur;
        for (const auto & V : P.Environnement)
            if (V.first == "TRAMELO_MEMOIRE")
            {
                O.VariableMemoireDonnee = true;
                O.VariableMemoire = V.second;
            }
        CExecution X (T, Source, O);
        if (! X.Pret ())
        {
            Raison = "refuse par l'interpreteur : " + X.Refus ();
            return true;
        }
        X.AjouterEntree (Entree);
        X.FermerEntree ();
        const auto Debut = std::chrono::steady_clock::now ();
        for (;;)
        {
            const EArret A = X.Executer (100000);
            R.Sortie += X.PrendreSortie ();
            if (A == EArret::Fini || A == EArret::Erreur) break;
            if (X.PasExecutes () > PasMax || R.Sortie.size () > SortieMax
                || std::chrono::steady_clock::now () - Debut > std::chrono::seconds (DelaiInterprete))
            {
                Raison = "trop long";
                return false;
            }
        }
        R.Statut = X.Statut ();
        if (R.Statut != 0)
        {
            const SErreurExecution & E = X.ErreurExecution ();
            R.Erreur = E.Texte + '\n' + (E.Notes.empty () ? "" : E.Notes + '\n');
        }
        return true;
    }

    // Lance Programme Numero, l'entree, la sortie et l'erreur dans des fichiers.
    SResultat Lancer (const fs::path & Programme, std::size_t Numero, const fs::path & Dossier, const std::string & Entree,
                      const std::vector <std::pair <std::string, std::string>> & Environnement)
    {
        const fs::path In = Dossier / "in", Out = Dossier / "out", Err = Dossier / "err";
        Ecrire (In, Entree);
        SResultat R;
        const pid_t Pid = fork ();
        if (Pid == 0)
        {
            const int i = open (In.c_str (), O_RDONLY), o = open (Out.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0600),
                      e = open (Err.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (i < 0 || o < 0 || e < 0) _exit (125);
            dup2 (i, 0);
            dup2 (o, 1);
            dup2 (e, 2);
            struct rlimit L { DelaiCompile, DelaiCompile };
            setrlimit (RLIMIT_CPU, & L);
            unsetenv ("TRAMELO_PILE");
            unsetenv ("TRAMELO_MEMOIRE");
            for (const auto & V : Environnement) setenv (V.first.c_str (), V.second.c_str (), 1);
            const std::string N = std::to_string (Numero);
            execl (Programme.c_str (), Programme.c_str (), N.c_str (), static_cast <char *> (nullptr));
            _exit (126);
        }
        int Etat = 0;
        while (waitpid (Pid, & Etat, 0) < 0 && errno == EINTR) {}
        R.Statut = WIFEXITED (Etat) ? WEXITSTATUS (Etat) : 200 + WTERMSIG (Etat);
        R.Sortie = Lire (Out);
        R.Erreur = Lire (Err);
        return R;
    }

    // "p.algo:LIGNE:COLONNE: erreur : ...\n" au debut de Texte.
    bool LirePosition (const std::string & Texte, unsigned long & Ligne, unsigned long & Colonne)
    {
        const std::string Debut = "p.algo:";
        if (Texte.compare (0, Debut.size (), Debut) != 0) return false;
        std::size_t i = Debut.size ();
        auto Nombre = [&] (unsigned long & N)
        {
            const std::size_t Premier = i;
            N = 0;
            while (i < Texte.size () && Texte [i] >= '0' && Texte [i] <= '9' && i - Premier < 9)
                N = N * 10 + static_cast <unsigned long> (Texte [i++] - '0');
            return i > Premier;
        };
        if (! Nombre (Ligne) || i >= Texte.size () || Texte [i++] != ':' || ! Nombre (Colonne)) return false;
        return Texte.compare (i, 11, ": erreur : ") == 0 && Texte.find ('\n', i) != std::string::npos;
    }

    // Un appel de Rand : le mot Rand (pas la fin d'un autre nom), des blancs, une parenthese.
    bool TireAuHasard (const std::string & Source)
    {
        for (std::size_t i = Source.find ("Rand"); i != std::string::npos; i = Source.find ("Rand", i + 1))
        {
            const auto Mot = [] (char c) { return std::isalnum (static_cast <unsigned char> (c)) || c == '_'; };
            if (i > 0 && Mot (Source [i - 1])) continue;
            std::size_t j = i + 4;
            while (j < Source.size () && std::isspace (static_cast <unsigned char> (Source [j]))) ++j;
            if (j < Source.size () && Source [j] == '(') return true;
        }
        return false;
    }

    // Le programme compile du profil verifie evalue les operandes d'une expression dans l'ordre
    // choisi par le compilateur, l'interpreteur de gauche a droite : quand deux operandes d'une
    // meme ligne sont en erreur, l'interpreteur signale le plus a gauche. Rien d'autre ne peut
    // differer : meme sortie, statut 1 des deux cotes, meme ligne, colonne plus a gauche.
    // (TRAMELO_ORDRE_STRICT : toute difference compte, pour un profil verifie de gauche a droite.)
    bool OrdreDEvaluation (const SResultat & I, const SResultat & C)
    {
        if (I.Statut != 1 || C.Statut != 1 || I.Sortie != C.Sortie || I.Erreur == C.Erreur) return false;
        // La premiere ligne seulement : les notes qui suivent dependent de l'erreur trouvee.
        unsigned long LigneI, ColonneI, LigneC, ColonneC;
        if (! LirePosition (I.Erreur, LigneI, ColonneI) || ! LirePosition (C.Erreur, LigneC, ColonneC)) return false;
        return LigneI == LigneC && ColonneI < ColonneC;
    }

    // Ce qui differe, en quelques mots.
    std::string Difference (const std::string & Quoi, const std::string & A, const std::string & B)
    {
        if (A == B) return "";
        std::size_t i = 0;
        while (i < A.size () && i < B.size () && A [i] == B [i]) ++i;
        const std::size_t Debut = i > 40 ? i - 40 : 0;
        std::ostringstream S;
        S << "  " << Quoi << " differente a l'octet " << i << " :\n    interprete : "
          << std::quoted (A.substr (Debut, 120)) << "\n    compile    : " << std::quoted (B.substr (Debut, 120)) << '\n';
        return S.str ();
    }

    void Collecter (const fs::path & Chemin, std::vector <fs::path> & Sources)
    {
        if (fs::is_directory (Chemin))
        {
            for (const auto & E : fs::recursive_directory_iterator (Chemin))
                if (E.is_regular_file () && E.path ().extension () == ".algo") Sources.push_back (E.path ());
        }
        else Sources.push_back (Chemin);
    }
}

int main (int argc, char * argv [])
{
    std::string Cxx = "g++";
    std::size_t NbLots = 2;
    fs::path Garder;
    std::vector <fs::path> Sources;
    for (int i = 1; i < argc; ++i)
    {
        const std::string A = argv [i];
        if (A == "--cxx" && i + 1 < argc) Cxx = argv [++i];
        else if (A == "--lots" && i + 1 < argc) NbLots = std::max (1, std::atoi (argv [++i]));
        else if (A == "--garder" && i + 1 < argc) Garder = argv [++i];
        else Collecter (A, Sources);
    }
    std::sort (Sources.begin (), Sources.end ());
    if (Sources.empty ())
    {
        std::cerr << "tramelo_differentiel : aucun source\n";
        return 2;
    }

    std::vector <SProgramme> Programmes;
    std::vector <std::string> Ecartes;
    for (const fs::path & Chemin : Sources)
    {
        fs::path Base = Chemin;
        Base.replace_extension ();
        const std::string Nom = Chemin.lexically_normal ().string ();
        if (fs::exists (Base.string () + ".memoire") || fs::exists (Base.string () + ".pile"))
        {
            Ecartes.push_back (Nom + " : limite du systeme");
            continue;
        }
        const std::string Source = Lire (Chemin);
        SOptions O;
        std::string Args = fs::exists (Base.string () + ".args") ? Lire (Base.string () + ".args") : "";
        while (! Args.empty () && (Args.back () == '\n' || Args.back () == ' ')) Args.pop_back ();
        if (! Args.empty () && ! LireTailleTabulation (Args, O.TailleTab))
        {
            Ecartes.push_back (Nom + " : tabulation invalide");
            continue;
        }
        STraduction T = Traduire (Source, O);
        if (T.Erreur) continue;   // refuse : rien a executer
        if (TireAuHasard (Source))
        {
            Ecartes.push_back (Nom + " : tire au hasard");
            continue;
        }
        SProgramme P;
        P.Source = Chemin;
        P.Nom = Nom;
        if (fs::exists (Base.string () + ".in")) P.Entree = Lire (Base.string () + ".in");
        if (fs::exists (Base.string () + ".env"))
        {
            std::istringstream Lignes (Lire (Base.string () + ".env"));
            for (std::string L; std::getline (Lignes, L);)
            {
                const std::size_t Egal = L.find ('=');
                if (Egal != std::string::npos && Egal > 0) P.Environnement.emplace_back (L.substr (0, Egal), L.substr (Egal + 1));
            }
        }
        std::string Raison;
        if (! Interpreter (T, Source, O.TailleTab, P, P.Interprete, Raison))
        {
            Ecartes.push_back (Nom + " : " + Raison);
            continue;
        }
        if (! Raison.empty ())
        {
            // Un programme accepte que l'interpreteur refuse : une difference en soi.
            std::cout << "DIFFERENCE " << Nom << "\n  " << Raison << '\n';
            return 1;
        }
        SOptions V = O;
        V.Verifie = true;
        V.NomSource = "p.algo";
        V.NomCpp = "p.cpp";
        V.Modele = false;
        P.Cpp = Traduire (Source, V).Cpp;
        Programmes.push_back (std::move (P));
    }

    // Les lots, compiles en parallele.
    const fs::path Travail = Garder.empty () ? fs::temp_directory_path () / ("tramelo-differentiel." + std::to_string (getpid ()))
                                             : Garder;
    fs::create_directories (Travail);
    NbLots = std::min (NbLots, std::max <std::size_t> (1, Programmes.size ()));
    std::vector <std::string> Inclusions (NbLots), Corps (NbLots), Aiguillage (NbLots), Systemes (NbLots);
    std::vector <std::size_t> Nb (NbLots, 0);
    for (std::size_t i = 0; i < Programmes.size (); ++i)
    {
        SProgramme & P = Programmes [i];
        P.Lot = i % NbLots;
        P.Numero = Nb [P.Lot]++;
        std::string Inc, Reste;
        Decouper (P.Cpp, Inc, Reste);
        if (Inclusions [P.Lot].empty ()) Inclusions [P.Lot] = Inc;
        else if (Inc != Inclusions [P.Lot])
        {
            std::cout << "DIFFERENCE " << P.Nom << "\n  en-tetes du prelude inattendus\n";
            return 1;
        }
        // Les declarations du systeme, une fois par lot ; les operateurs globaux, ceux du lot.
        const std::string Systeme = Extraire (Reste, "namespace _Systeme\n{\n", "\n}\n");
        if (Systemes [P.Lot].empty ()) Systemes [P.Lot] = Systeme;
        const std::string Operateurs = Extraire (Reste, "void * operator new (std::size_t _N)",
                                                 "void operator delete[] (void * _P, std::size_t) noexcept { _Liberer (_P); }\n");
        if (Systeme != Systemes [P.Lot] || Operateurs.empty ())
        {
            std::cout << "DIFFERENCE " << P.Nom << "\n  prelude du profil verifie inattendu\n";
            return 1;
        }
        const std::string Ns = "_Programme" + std::to_string (P.Numero);
        const std::size_t Main = Reste.rfind ("\nint main()\n");
        if (Main == std::string::npos)
        {
            std::cout << "DIFFERENCE " << P.Nom << "\n  main introuvable dans le C++\n";
            return 1;
        }
        Reste.replace (Main, 12, "\nint _Principal()\n{\n    _Lot::Allouer = & _Allouer;\n    _Lot::Liberer = & _Liberer;\n");
        Reste.erase (Main + std::strlen ("\nint _Principal()\n{\n    _Lot::Allouer = & _Allouer;\n    _Lot::Liberer = & _Liberer;\n"), 2);
        Corps [P.Lot] += "namespace " + Ns + "\n{\n" + Reste + "\n}\n";
        Aiguillage [P.Lot] += "        case " + std::to_string (P.Numero) + " : return " + Ns + "::_Principal ();\n";
    }
    std::vector <int> Compilations (NbLots, 0);
    std::vector <std::thread> Fils;
    for (std::size_t k = 0; k < NbLots; ++k)
    {
        const fs::path Cpp = Travail / ("lot" + std::to_string (k) + ".cpp");
        Ecrire (Cpp, Inclusions [k] + Systemes [k] + OperateursDuLot + Corps [k] + "\nint main (int argc, char ** argv)\n{\n    switch (argc > 1 ? std::atoi (argv [1]) : -1)\n    {\n"
                     + Aiguillage [k] + "        default : return 99;\n    }\n}\n");
        const std::string Commande = Cxx + " -std=c++17 -O1 -o '" + (Travail / ("lot" + std::to_string (k))).string () + "' '"
                                   + Cpp.string () + "' 2> '" + (Travail / ("lot" + std::to_string (k) + ".journal")).string () + "'";
        Fils.emplace_back ([&Compilations, k, Commande] { Compilations [k] = std::system (Commande.c_str ()); });
    }
    for (std::thread & F : Fils) F.join ();
    for (std::size_t k = 0; k < NbLots; ++k)
        if (Compilations [k] != 0)
        {
            std::cout << "ECHEC : le lot " << k << " ne compile pas :\n"
                      << Lire (Travail / ("lot" + std::to_string (k) + ".journal")).substr (0, 3000) << '\n';
            if (Garder.empty ()) fs::remove_all (Travail);
            return 1;
        }

    std::size_t Differences = 0;
    std::vector <std::string> Ordre;
    const bool OrdreStrict = std::getenv ("TRAMELO_ORDRE_STRICT") != nullptr;
    for (const SProgramme & P : Programmes)
    {
        const SResultat C = Lancer (Travail / ("lot" + std::to_string (P.Lot)), P.Numero, Travail, P.Entree, P.Environnement);
        if (! OrdreStrict && OrdreDEvaluation (P.Interprete, C))
        {
            Ordre.push_back (P.Nom + " : " + P.Interprete.Erreur.substr (0, P.Interprete.Erreur.size () - 1)
                             + " (compile : " + C.Erreur.substr (0, C.Erreur.size () - 1) + ")");
            continue;
        }
        std::string D = Difference ("sortie", P.Interprete.Sortie, C.Sortie)
                      + Difference ("erreur standard", P.Interprete.Erreur, C.Erreur);
        if (P.Interprete.Statut != C.Statut)
            D += "  statut " + std::to_string (P.Interprete.Statut) + " (interprete) au lieu de " + std::to_string (C.Statut) + '\n';
        if (! D.empty ())
        {
            ++Differences;
            std::cout << "DIFFERENCE " << P.Nom << '\n' << D;
        }
    }
    if (Garder.empty ()) fs::remove_all (Travail);
    std::cout << Programmes.size () << " programmes compares, " << Differences << " differences ; "
              << Ordre.size () << " erreurs trouvees dans un autre ordre :\n";
    for (const std::string & E : Ordre) std::cout << "  " << E << '\n';
    std::cout << Ecartes.size () << " ecartes :\n";
    for (const std::string & E : Ecartes) std::cout << "  " << E << '\n';
    return Differences == 0 ? 0 : 1;
}
