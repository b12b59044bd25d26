// Le jugement d'un test d'exercice et le compte rendu de l'etudiant, quelle que soit la maniere
// dont le programme a tourne (compile sous limites, interprete dans un processus, interprete
// dans la page) : tramelo-exec --tester et le bouton « Vérifier » de la page ecrivent ainsi le
// meme texte, et tramelo-noter les memes verdicts.
#pragma once

#include "services/exercices/Exercice.h"

#include <cstddef>
#include <string>

namespace nsTramelo
{
    enum class EVerdict { Reussi, Echoue, ErreurExecution, TempsDepasse, SortieTropLongue };

    // Ce qu'une execution d'un test a donne.
    struct SSortieTest
    {
        int Statut = 0;                   // du programme (200 + n : arrete par le signal n)
        bool TempsDepasse = false;
        bool SortieDepassee = false;
        std::string Sortie, Erreurs;      // ce qu'il a ecrit (bornes par la limite)
    };

    struct SResultatTest
    {
        std::string Nom;
        bool Visible = true;
        EVerdict Verdict = EVerdict::Echoue;
        unsigned Points = 0, PointsMax = 0;
        int Statut = 0;
        SDifference Difference;           // avec Echoue
        std::string Erreurs;              // ce que le programme a ecrit sur l'erreur standard
    };

    // Le temps d'abord, puis la sortie trop longue, un statut non nul, enfin la comparaison.
    SResultatTest JugerTest (const STestExercice & T, const SSortieTest & X);

    // "réussi", "échoué", "erreur d'exécution", "temps dépassé", "sortie trop longue"
    std::string LibelleVerdict (EVerdict V);
    // Le mot des rapports : reussi, echoue, erreur, temps, sortie
    std::string MotVerdict (EVerdict V);
    // "exacte", "blancs", "reels", "casse" ; faux pour un autre nom.
    bool ComparaisonDuNom (const std::string & Nom, EComparaison & Comparaison);

    std::size_t TestsVisibles (const SExercice & E);
    // Le compte rendu : "Exercice : TITRE (N tests visibles)", puis un bloc par test visible,
    // puis "Bilan : R sur N ...". Les textes venus de l'exercice ou du programme y sont rendus
    // visibles (octets de controle en \xNN), sur une ligne chacun.
    std::string EnteteCompteRendu (const SExercice & E);
    std::string CompteRenduTest (const SExercice & E, const STestExercice & T, const SResultatTest & R);
    std::string BilanCompteRendu (const SExercice & E, std::size_t Reussis);
}
