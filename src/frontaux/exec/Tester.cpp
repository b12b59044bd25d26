#include "frontaux/exec/Tester.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Correction.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Travail.h"

#include <iostream>

#include <sys/stat.h>

namespace nsExec
{
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
        std::size_t Reussis = 0;
        std::cout << nsTramelo::EnteteCompteRendu (E);
        for (std::size_t i = 0; i < E.Tests.size (); ++i)
        {
            const nsTramelo::STestExercice & T = E.Tests [i];
            if (! T.Visible) continue;
            const std::string Dossier = DansTravail ("test-" + std::to_string (i));
            if (mkdir (Dossier.c_str (), 0700) != 0) Echouer (StatutSysteme, "impossible de creer " + Affichable (Dossier));
            const SResultatTest R = EvaluerTest (Programme, E, T, Dossier);
            if (R.Verdict == EVerdict::Reussi) ++Reussis;
            std::cout << nsTramelo::CompteRenduTest (E, T, R);
            std::cout.flush ();
        }
        std::cout << nsTramelo::BilanCompteRendu (E, Reussis);
        std::cout.flush ();
        return Reussis == nsTramelo::TestsVisibles (E) ? 0 : StatutTestsEchoues;
    }
}
