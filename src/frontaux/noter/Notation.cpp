#include "frontaux/noter/Notation.h"

#include "frontaux/exec/Compilation.h"
#include "frontaux/exec/Correction.h"
#include "frontaux/exec/Interpretation.h"
#include "frontaux/exec/Processus.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Traduction.h"
#include "frontaux/exec/Travail.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace nsNoter
{
    using nlohmann::json;
    using namespace nsExec;

    namespace
    {
        const std::size_t MaxDiagnostics = 64 << 10;

        std::string Relire (const std::string & Chemin, std::size_t Max)
        {
            // Par morceaux : reserver Max d'avance couterait autant que de lire Max octets.
            std::ifstream F (Chemin, std::ios::binary);
            std::string R;
            char Tampon [1 << 16];
            while (F && R.size () < Max)
            {
                F.read (Tampon, static_cast <std::streamsize> (std::min (sizeof Tampon, Max - R.size ())));
                R.append (Tampon, static_cast <std::size_t> (F.gcount ()));
            }
            return R;
        }

        // Ecrit puis renomme : le parent ne lit jamais un resultat a moitie ecrit.
        bool EcrireAtomique (const std::string & Chemin, const std::string & Texte)
        {
            const std::string Provisoire = Chemin + ".tmp";
            {
                std::ofstream F (Provisoire, std::ios::binary | std::ios::trunc);
                F << Texte;
                if (! F.flush ()) return false;
            }
            return std::rename (Provisoire.c_str (), Chemin.c_str ()) == 0;
        }

        std::string Dossier (const std::string & Chemin)
        {
            const std::size_t Barre = Chemin.rfind ('/');
            if (Barre == std::string::npos) return ".";
            return Barre == 0 ? "/" : Chemin.substr (0, Barre);
        }
    }

    void NoterDansCetEnfant (const nsTramelo::SExercice & E, const SCopie & C, const std::string & Bac,
                             const std::vector <std::string> & Compilateur)
    {
        // Les messages de la traduction vont dans le dossier de la copie ; rien sur le terminal.
        const int Diag = open ((Bac + "/diagnostics.txt").c_str (), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int Nul = open ("/dev/null", O_RDWR | O_CLOEXEC);
        if (Diag < 0 || Nul < 0) _exit (StatutSysteme);
        dup2 (Nul, 0);
        dup2 (Nul, 1);
        dup2 (Diag, 2);
        PreparerProcessus ();
        setenv ("TMPDIR", Bac.c_str (), 1);
        setenv ("NO_COLOR", "1", 1);
        // Le source est lu depuis son dossier : les messages le nomment sans chemin.
        const std::string Nom = C.Source.substr (C.Source.rfind ('/') + 1);
        if (chdir (Dossier (C.Source).c_str ()) != 0) Echouer (StatutSysteme, "dossier de la copie inaccessible");
        PreparerTravail ();

        SCommande Cmd;
        Cmd.Mode = EMode::Tester;
        Cmd.Args = { Nom };
        Cmd.Source = Nom;
        const SSource S = LireLeSource (Cmd);
        nsTramelo::STraduction Standard = VerifierLeSource (Cmd, S);
        SProgrammeTest Programme;
        if (Compilateur.empty ())
            // Chaque test interprete le programme dans son propre processus, sous les memes limites.
            Programme.Interprete = [&] { return Interpreter ({ & Standard, & S, false, 0, false }); };
        else
        {
            const std::string Cpp = DansTravail ("programme.cpp");
            Programme.Chemin = DansTravail ("programme");
            const nsTramelo::STraduction T = TraduireLeSource (Cmd, S, std::move (Standard), { S.Nom, Cpp });
            if (! EcrireAtomique (Cpp, T.Cpp)) Echouer (StatutSysteme, "impossible d'ecrire le C++ produit");
            SCompilation X;
            X.Compilateur = Compilateur;
            X.Cpp = Cpp;
            X.Programme = Programme.Chemin;
            X.Inclusions = InclusionsDuPrelude (T.Cpp);
            X.Conserve = Cpp;
            Compiler (X);
        }

        json Tests = json::array ();
        for (std::size_t i = 0; i < E.Tests.size (); ++i)
        {
            const std::string D = DansTravail ("test-" + std::to_string (i));
            if (mkdir (D.c_str (), 0700) != 0) Echouer (StatutSysteme, "impossible de creer un dossier de test");
            const SResultatTest R = EvaluerTest (Programme, E, E.Tests [i], D);
            Tests.push_back ({ { "nom", R.Nom }, { "verdict", MotVerdict (R.Verdict) }, { "libelle", LibelleVerdict (R.Verdict) },
                               { "points", R.Points }, { "max", R.PointsMax }, { "visible", R.Visible },
                               { "statut", R.Statut }, { "difference", nsTramelo::MontrerDifference (R.Difference, "") },
                               { "erreurs", R.Erreurs } });
        }
        const std::string Texte = json ({ { "tests", Tests } }).dump (-1, ' ', false, json::error_handler_t::replace);
        if (! EcrireAtomique (Bac + "/resultat.json", Texte)) Echouer (StatutSysteme, "impossible d'ecrire le resultat");
        Terminer (0);
    }

    SNote NoteAbsente (const nsTramelo::SExercice & E, const SCopie & C)
    {
        SNote N;
        N.Etudiant = C.Etudiant;
        N.Etat = "absente";
        N.Diagnostics = C.Probleme;
        N.Max = E.PointsMax ();
        return N;
    }

    SNote LireLaNote (const nsTramelo::SExercice & E, const SCopie & C, const std::string & Bac, int Etat)
    {
        SNote N;
        N.Etudiant = C.Etudiant;
        N.Fichier = C.Source;
        N.Max = E.PointsMax ();
        N.Statut = StatutProcessus (Etat);
        N.Diagnostics = Relire (Bac + "/diagnostics.txt", MaxDiagnostics);
        if (N.Statut == 0)
        {
            try
            {
                const json R = json::parse (Relire (Bac + "/resultat.json", std::size_t (256) << 20));
                for (const json & T : R.at ("tests"))
                {
                    STestNote X;
                    X.Nom = T.at ("nom");
                    X.Mot = T.at ("verdict");
                    X.Libelle = T.at ("libelle");
                    X.Points = T.at ("points");
                    X.Max = T.at ("max");
                    X.Visible = T.at ("visible");
                    X.Statut = T.at ("statut");
                    X.Difference = T.at ("difference");
                    X.Erreurs = T.at ("erreurs");
                    N.Points += X.Points;
                    N.Tests.push_back (X);
                }
                N.Etat = "notee";
                return N;
            }
            catch (const json::exception &)
            {
                N.Statut = StatutSysteme;
                N.Diagnostics += "tramelo-noter : resultat de la notation illisible\n";
            }
        }
        const bool Traduction = (N.Statut >= 102 && N.Statut <= 150) || (N.Statut >= 252 && N.Statut <= 255);
        N.Etat = Traduction ? "non_traduite" : "erreur_outil";
        N.Tests.clear ();
        N.Points = 0;
        return N;
    }
}
