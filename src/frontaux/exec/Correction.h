// Un test d'exercice sur un programme compile : une execution sous les limites de l'exercice
// (temps, memoire, ecriture, groupe de processus tue a la fin), puis la comparaison de sa sortie
// avec l'attendue. Sert a tramelo-exec --tester et a tramelo-noter.
#pragma once

#include "bibliotheque/Tramelo.h"

#include <functional>
#include <string>

namespace nsExec
{
    // Limites d'une execution : celles de l'exercice.
    struct SLimitesTest
    {
        unsigned Temps = 2;               // secondes (temps ecoule et temps de processeur)
        unsigned long SortieKio = 1024;   // par fichier ecrit (sortie, erreurs)
    };

    // Le programme d'un test : un executable, ou (sans compilateur) une fonction qui l'interprete
    // dans le processus du test, sous les memes limites.
    struct SProgrammeTest
    {
        std::string Chemin;
        std::function <int ()> Interprete;

        SProgrammeTest () = default;
        SProgrammeTest (const std::string & C) : Chemin (C) {}
    };

    // Ce qu'une execution a donne.
    struct SExecutionTest
    {
        bool Lance = false;               // faux : le programme n'a pas pu etre lance
        int Etat = 0;                     // etat de waitpid
        bool TempsDepasse = false;
        bool SortieDepassee = false;
        std::string Sortie, Erreurs;      // ce qu'il a ecrit (bornes par la limite)
    };

    // L'etape d'execution, seule a lancer le programme : une autre maniere d'executer (sans
    // compilateur, par exemple) ne changerait qu'elle. Dossier : un dossier a soi, vide, ou
    // sont ecrits entree, sortie et erreurs, et dont bac/ devient le dossier courant du programme.
    SExecutionTest ExecuterUnTest (const SProgrammeTest & Programme, const std::string & Entree,
                                   const SLimitesTest & Limites, const std::string & Dossier);

    using nsTramelo::EVerdict;
    using nsTramelo::SResultatTest;
    using nsTramelo::LibelleVerdict;
    using nsTramelo::MotVerdict;

    // Execute le test et juge ; Dossier comme pour ExecuterUnTest.
    SResultatTest EvaluerTest (const SProgrammeTest & Programme, const nsTramelo::SExercice & E,
                               const nsTramelo::STestExercice & T, const std::string & Dossier);
}
