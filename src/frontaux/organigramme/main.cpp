// tramelo-organigramme : l'organigramme de chaque unite d'un source, en SVG (par defaut), en DOT
// (Graphviz) ou en Mermaid. Tout le dessin est dans la bibliotheque (ProduireOrganigramme) ; ici,
// la ligne de commande, la lecture du source, les diagnostics et l'ecriture du resultat, qui ne
// remplace le fichier de sortie qu'une fois le dessin complet.
#include "bibliotheque/Tramelo.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
    const char * const NomOutil = "tramelo-organigramme";

    const char * const Usage =
        "Usage : tramelo-organigramme [--format svg|dot|mermaid] [--unite NOM] [--tabulation N]\n"
        "                            [-o SORTIE] fichier.algo\n";

    const char * const Aide =
        "Dessine l'organigramme de chaque unite du source (algorithme, procedures, fonctions) avec\n"
        "les formes du cours : terminaux Debut et Fin, parallelogrammes pour saisir et afficher,\n"
        "rectangles pour les affectations et les appels, losanges pour les conditions, hexagones\n"
        "pour les boucles pour.\n"
        "\n"
        "Options :\n"
        "  --format svg      image SVG mise en page (par defaut), toutes les unites l'une sous l'autre\n"
        "  --format dot      graphe pour Graphviz (dot -Tpdf ...)\n"
        "  --format mermaid  diagramme Mermaid, pour les documents Markdown\n"
        "  --unite NOM       seulement l'unite NOM\n"
        "  --tabulation N    largeur des tabulations du source (1 a 1000, 4 par defaut)\n"
        "  -o SORTIE         ecrit dans SORTIE (remplace seulement si le dessin reussit) ;\n"
        "                    sans -o, ou avec -o -, sur la sortie standard\n"
        "  --aide            affiche cette aide\n"
        "\n"
        "Statut : 0 ; le code de la premiere erreur du source (102 a 150, comme tramelo-verifier,\n"
        "avec le meme diagnostic explique) ; 252 fichier illisible ; 253 ligne de commande\n"
        "invalide ou unite inconnue ; 254 dessin de plus de 20000 formes, ou ecriture impossible.\n";

    constexpr int StatutUsage = 253;
    constexpr int StatutSysteme = 254;

    [[noreturn]] void ErreurUsage (const std::string & Message)
    {
        std::cerr << NomOutil << " : " << Message << '\n' << Usage;
        std::exit (StatutUsage);
    }

    struct SArguments
    {
        nsTramelo::SOptions Options;
        nsTramelo::SDemandeOrganigramme Demande;
        std::string Source;
        std::string Sortie;        // vide ou "-" : la sortie standard
    };

    SArguments LireArguments (int argc, char * argv [])
    {
        SArguments A;
        A.Options.Modele = true;
        bool Options = true;
        std::vector <std::string> Fichiers;
        for (int i = 1; i < argc; ++i)
        {
            const std::string Arg = argv [i];
            if (Options && Arg == "--")
            {
                Options = false;
                continue;
            }
            if (! Options || Arg.empty () || Arg [0] != '-' || Arg == "-")
            {
                Fichiers.push_back (Arg);
                continue;
            }
            if (Arg == "--aide" || Arg == "-h" || Arg == "--help")
            {
                std::cout << Usage << '\n' << Aide;
                std::exit (0);
            }
            std::string Nom = Arg, Valeur;
            const std::size_t Egal = Arg.find ('=');
            const bool AvecValeur = Egal != std::string::npos && Arg.compare (0, 2, "--") == 0;
            if (AvecValeur)
            {
                Nom = Arg.substr (0, Egal);
                Valeur = Arg.substr (Egal + 1);
            }
            if (Nom == "--sortie") Nom = "-o";
            if (Nom != "--format" && Nom != "--unite" && Nom != "--tabulation" && Nom != "-o")
                ErreurUsage ("option inconnue : " + Arg);
            if (! AvecValeur)
            {
                if (i + 1 >= argc) ErreurUsage ("valeur manquante pour " + Nom);
                Valeur = argv [++i];
            }
            if (Nom == "--format")
            {
                if (! nsTramelo::LireFormatOrganigramme (Valeur, A.Demande.Format))
                    ErreurUsage ("format inconnu : " + Valeur + " (svg, dot ou mermaid)");
            }
            else if (Nom == "--unite")
            {
                if (Valeur.empty ()) ErreurUsage ("nom d'unite vide");
                A.Demande.Unite = Valeur;
            }
            else if (Nom == "--tabulation")
            {
                if (! nsTramelo::LireTailleTabulation (Valeur, A.Options.TailleTab))
                    ErreurUsage (nsTramelo::TexteErreurOutil (nsTramelo::EErreurOutil::TailleTabulation) + " : " + Valeur);
            }
            else
            {
                if (Valeur.empty ()) ErreurUsage ("nom de sortie vide");
                A.Sortie = Valeur;
            }
        }
        if (Fichiers.empty ()) ErreurUsage ("aucun fichier a dessiner");
        if (Fichiers.size () > 1) ErreurUsage ("un seul fichier a la fois");
        A.Source = Fichiers [0];
        A.Demande.Titre = A.Source;
        return A;
    }

    bool CouleurVoulue ()
    {
        const char * Non = std::getenv ("NO_COLOR");
        const char * Terminal = std::getenv ("TERM");
        return (Non == nullptr || Non [0] == '\0') && isatty (STDERR_FILENO)
            && ! (Terminal != nullptr && std::strcmp (Terminal, "dumb") == 0);
    }

    // Vrai si Sortie designe le fichier source lui-meme (on ne l'ecrase jamais).
    bool MemeFichier (const std::string & Source, const std::string & Sortie)
    {
        struct stat a, b;
        return stat (Source.c_str (), & a) == 0 && stat (Sortie.c_str (), & b) == 0
            && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    }

    bool ToutEcrire (int fd, const std::string & Texte)
    {
        std::size_t Fait = 0;
        while (Fait < Texte.size ())
        {
            const ssize_t n = write (fd, Texte.data () + Fait, Texte.size () - Fait);
            if (n < 0)
            {
                if (errno == EINTR) continue;
                return false;
            }
            Fait += static_cast <std::size_t> (n);
        }
        return true;
    }

    // Ecrit dans un fichier temporaire a cote de Sortie, puis le renomme : une ecriture ratee
    // (disque plein, dossier interdit) laisse Sortie tel qu'il etait. Rend le message d'erreur.
    std::string EcrireFichier (const std::string & Sortie, const std::string & Texte)
    {
        std::string Modele = Sortie + ".XXXXXX";
        std::vector <char> Nom (Modele.begin (), Modele.end ());
        Nom.push_back ('\0');
        const int fd = mkstemp (Nom.data ());
        if (fd < 0) return std::strerror (errno);
        const mode_t Masque = umask (0);
        umask (Masque);
        std::string Erreur;
        if (fchmod (fd, 0666 & ~Masque) != 0 || ! ToutEcrire (fd, Texte)) Erreur = std::strerror (errno);
        if (close (fd) != 0 && Erreur.empty ()) Erreur = std::strerror (errno);
        if (Erreur.empty () && std::rename (Nom.data (), Sortie.c_str ()) != 0) Erreur = std::strerror (errno);
        if (! Erreur.empty ()) unlink (Nom.data ());
        return Erreur;
    }
}

int main (int argc, char * argv [])
{
    std::ios::sync_with_stdio (false);
    try
    {
        const SArguments A = LireArguments (argc, argv);
        const bool VersFichier = ! A.Sortie.empty () && A.Sortie != "-";
        if (VersFichier && MemeFichier (A.Source, A.Sortie))
            ErreurUsage ("la sortie " + A.Sortie + " est le source lui-meme");

        const bool Couleur = CouleurVoulue ();
        std::string Source;
        try
        {
            Source = nsTramelo::LireFichierSource (A.Source);
        }
        catch (const nsUtil::CException & Exc)
        {
            nsTramelo::SDiagnosticExplique D;
            D.Positionne = false;
            D.Code = Exc.GetCodErr ();
            D.Message = Exc.GetLibelle ();
            std::cerr << nsTramelo::FormaterGcc (A.Source, Source, A.Options, D, Couleur);
            return static_cast <int> (D.Code);
        }

        const nsTramelo::SOrganigrammeProduit P = nsTramelo::ProduireOrganigramme (Source, A.Options, A.Demande);
        // Les diagnostics (erreur du source, avertissements), comme tramelo-verifier les ecrit.
        for (const nsTramelo::SDiagnosticExplique & D : P.Verification.Diagnostics)
            std::cerr << nsTramelo::FormaterGcc (A.Source, Source, A.Options, D, Couleur);
        if (P.Statut != 0)
        {
            if (! P.Refus.empty ()) std::cerr << NomOutil << " : " << P.Refus << '\n';
            return P.Statut;
        }

        if (VersFichier)
        {
            const std::string Erreur = EcrireFichier (A.Sortie, P.Texte);
            if (! Erreur.empty ())
            {
                std::cerr << NomOutil << " : impossible d'ecrire " << A.Sortie << " : " << Erreur << '\n';
                return StatutSysteme;
            }
            return 0;
        }
        std::cout << P.Texte;
        std::cout.flush ();
        if (! std::cout)
        {
            std::cerr << NomOutil << " : ecriture impossible sur la sortie standard\n";
            return StatutSysteme;
        }
        return 0;
    }
    catch (const std::exception & Exc)
    {
        std::cerr << NomOutil << " : " << nsTramelo::TexteErreurOutil (nsTramelo::EErreurOutil::ExceptionStandard)
                  << Exc.what () << '\n';
        return StatutSysteme;
    }
}
