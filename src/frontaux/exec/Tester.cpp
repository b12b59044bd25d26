#include "frontaux/exec/Tester.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Correction.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Travail.h"

#include <iostream>

#include <sys/stat.h>

namespace nsExec
{
    namespace
    {
        // Les lignes de Texte, chacune ouverte par Retrait ; au plus Max lignes.
        std::string Retrait (const std::string & Texte, const std::string & Marge, std::size_t Max = 20)
        {
            std::string R;
            std::size_t Debut = 0, n = 0;
            while (Debut < Texte.size ())
            {
                std::size_t Fin = Texte.find ('\n', Debut);
                if (Fin == std::string::npos) Fin = Texte.size ();
                if (++n > Max)
                {
                    R += Marge + "[...]\n";
                    break;
                }
                R += Marge + Affichable (Texte.substr (Debut, Fin - Debut)) + '\n';
                Debut = Fin + 1;
            }
            return R;
        }
    }

    nsTramelo::SExercice ChargerLExercice (const std::string & Dossier)
    {
        nsTramelo::SExercice E;
        nsTramelo::SErreurExercice Erreur;
        if (! nsTramelo::ChargerExercice (Dossier, E, Erreur))
            Echouer (StatutExercice, "exercice refuse : " + Affichable (Erreur.Texte ()));
        return E;
    }

    int TesterLeProgramme (const nsTramelo::SExercice & E, const SProgrammeTest & Programme)
    {
        std::size_t Visibles = 0, Reussis = 0;
        for (const nsTramelo::STestExercice & T : E.Tests)
            if (T.Visible) ++Visibles;
        std::cout << "Exercice : " << Affichable (E.Titre) << " (" << Visibles
                  << (Visibles > 1 ? " tests visibles" : " test visible") << ")\n";
        for (std::size_t i = 0; i < E.Tests.size (); ++i)
        {
            const nsTramelo::STestExercice & T = E.Tests [i];
            if (! T.Visible) continue;
            const std::string Dossier = DansTravail ("test-" + std::to_string (i));
            if (mkdir (Dossier.c_str (), 0700) != 0) Echouer (StatutSysteme, "impossible de creer " + Affichable (Dossier));
            const SResultatTest R = EvaluerTest (Programme, E, T, Dossier);
            std::cout << "Test " << T.Nom << " : " << LibelleVerdict (R.Verdict);
            switch (R.Verdict)
            {
                case EVerdict::Reussi : ++Reussis; std::cout << '\n'; break;
                case EVerdict::Echoue :
                    std::cout << " (comparaison " << nsTramelo::NomComparaison (T.Comparaison, T.Tolerance) << ")\n"
                              << nsTramelo::MontrerDifference (R.Difference, "  ");
                    break;
                case EVerdict::ErreurExecution :
                    std::cout << " (statut " << R.Statut << ")\n";
                    break;
                case EVerdict::TempsDepasse : std::cout << " (limite : " << E.Temps << " s)\n"; break;
                case EVerdict::SortieTropLongue : std::cout << " (limite : " << E.LimiteSortie << " Kio)\n"; break;
            }
            // Les erreurs d'execution du profil verifie disent la ligne du source.
            if (R.Verdict != EVerdict::Reussi) std::cout << Retrait (R.Erreurs, "  | ");
            std::cout.flush ();
        }
        if (Visibles == 0)
            std::cout << "Aucun test visible : rien n'a été vérifié (les tests cachés servent à la notation).\n";
        std::cout << "Bilan : " << Reussis << " sur " << Visibles
                  << (Visibles > 1 ? " tests visibles réussis" : " test visible réussi") << '\n';
        std::cout.flush ();
        return Reussis == Visibles ? 0 : StatutTestsEchoues;
    }
}
