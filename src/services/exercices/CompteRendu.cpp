#include "services/exercices/CompteRendu.h"

namespace nsTramelo
{
    namespace
    {
        // Au plus 20 lignes de l'erreur standard, chacune ouverte par "  | ".
        std::string Retrait (const std::string & Texte)
        {
            const std::size_t Max = 20;
            std::string R;
            std::size_t Debut = 0, n = 0;
            while (Debut < Texte.size ())
            {
                std::size_t Fin = Texte.find ('\n', Debut);
                if (Fin == std::string::npos) Fin = Texte.size ();
                if (++n > Max)
                {
                    R += "  | [...]\n";
                    break;
                }
                R += "  | " + LigneVisible (Texte.substr (Debut, Fin - Debut)) + '\n';
                Debut = Fin + 1;
            }
            return R;
        }
    }

    SResultatTest JugerTest (const STestExercice & T, const SSortieTest & X)
    {
        SResultatTest R;
        R.Nom = T.Nom;
        R.Visible = T.Visible;
        R.PointsMax = T.Points;
        R.Statut = X.Statut;
        R.Erreurs = X.Erreurs;
        if (X.TempsDepasse) R.Verdict = EVerdict::TempsDepasse;
        else if (X.SortieDepassee) R.Verdict = EVerdict::SortieTropLongue;
        else if (X.Statut != 0) R.Verdict = EVerdict::ErreurExecution;
        else
        {
            R.Difference = ComparerSorties (T.Sortie, X.Sortie, T.Comparaison, T.Tolerance);
            R.Verdict = R.Difference.Egales ? EVerdict::Reussi : EVerdict::Echoue;
        }
        if (R.Verdict == EVerdict::Reussi) R.Points = T.Points;
        return R;
    }

    std::string LibelleVerdict (EVerdict V)
    {
        switch (V)
        {
            case EVerdict::Reussi : return "réussi";
            case EVerdict::Echoue : return "échoué";
            case EVerdict::ErreurExecution : return "erreur d'exécution";
            case EVerdict::TempsDepasse : return "temps dépassé";
            default : return "sortie trop longue";
        }
    }

    std::string MotVerdict (EVerdict V)
    {
        switch (V)
        {
            case EVerdict::Reussi : return "reussi";
            case EVerdict::Echoue : return "echoue";
            case EVerdict::ErreurExecution : return "erreur";
            case EVerdict::TempsDepasse : return "temps";
            default : return "sortie";
        }
    }

    bool ComparaisonDuNom (const std::string & Nom, EComparaison & Comparaison)
    {
        if (Nom == "exacte") Comparaison = EComparaison::Exacte;
        else if (Nom == "blancs") Comparaison = EComparaison::Blancs;
        else if (Nom == "reels") Comparaison = EComparaison::Reels;
        else if (Nom == "casse") Comparaison = EComparaison::Casse;
        else return false;
        return true;
    }

    std::size_t TestsVisibles (const SExercice & E)
    {
        std::size_t n = 0;
        for (const STestExercice & T : E.Tests)
            if (T.Visible) ++n;
        return n;
    }

    std::string EnteteCompteRendu (const SExercice & E)
    {
        const std::size_t n = TestsVisibles (E);
        return "Exercice : " + LigneVisible (E.Titre) + " (" + std::to_string (n)
               + (n > 1 ? " tests visibles" : " test visible") + ")\n";
    }

    std::string CompteRenduTest (const SExercice & E, const STestExercice & T, const SResultatTest & R)
    {
        std::string S = "Test " + T.Nom + " : " + LibelleVerdict (R.Verdict);
        switch (R.Verdict)
        {
            case EVerdict::Reussi : return S + '\n';
            case EVerdict::Echoue :
                S += " (comparaison " + NomComparaison (T.Comparaison, T.Tolerance) + ")\n"
                     + MontrerDifference (R.Difference, "  ");
                break;
            case EVerdict::ErreurExecution : S += " (statut " + std::to_string (R.Statut) + ")\n"; break;
            case EVerdict::TempsDepasse : S += " (limite : " + std::to_string (E.Temps) + " s)\n"; break;
            case EVerdict::SortieTropLongue : S += " (limite : " + std::to_string (E.LimiteSortie) + " Kio)\n"; break;
        }
        // Les erreurs d'execution du profil verifie disent la ligne du source.
        return S + Retrait (R.Erreurs);
    }

    std::string BilanCompteRendu (const SExercice & E, std::size_t Reussis)
    {
        const std::size_t n = TestsVisibles (E);
        std::string S;
        if (n == 0) S = "Aucun test visible : rien n'a été vérifié (les tests cachés servent à la notation).\n";
        return S + "Bilan : " + std::to_string (Reussis) + " sur " + std::to_string (n)
               + (n > 1 ? " tests visibles réussis" : " test visible réussi") + '\n';
    }
}
