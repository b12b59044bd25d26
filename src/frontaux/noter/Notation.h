// La notation d'une copie, dans un processus a part (fork) : traduction, compilation, puis chaque
// test de l'exercice (caches compris) ; le resultat est ecrit en JSON dans le dossier de la copie
// et relu par le processus principal. Une copie qui plante, boucle ou deborde ne touche ainsi que
// son propre processus.
#pragma once

#include "bibliotheque/Tramelo.h"
#include "frontaux/noter/Copies.h"

#include <string>
#include <vector>

namespace nsNoter
{
    struct STestNote
    {
        std::string Nom, Mot, Libelle;  // Mot : reussi, echoue, erreur, temps, sortie
        unsigned Points = 0, Max = 0;
        bool Visible = true;
        int Statut = 0;
        std::string Difference, Erreurs;
    };

    struct SNote
    {
        std::string Etudiant, Fichier;
        // notee, non_traduite, erreur_outil (compilation refusee, systeme), absente
        std::string Etat;
        int Statut = 0;                 // de la notation (celui de tramelo-exec pour la meme copie)
        std::string Diagnostics;        // messages de la traduction, ou cause de l'absence
        unsigned Points = 0, Max = 0;
        std::vector <STestNote> Tests;
    };

    // Dans l'enfant : note la copie et termine (jamais de retour). Bac : dossier a elle, vide.
    // Compilateur vide : chaque test interprete la copie (pas de compilateur, ou --interprete).
    [[noreturn]] void NoterDansCetEnfant (const nsTramelo::SExercice & E, const SCopie & C, const std::string & Bac,
                                          const std::vector <std::string> & Compilateur);

    // Dans le parent, l'enfant termine (etat de waitpid) : la note, lue dans Bac.
    SNote LireLaNote (const nsTramelo::SExercice & E, const SCopie & C, const std::string & Bac, int Etat);
    // La note d'une copie absente (sous-dossier sans .algo...).
    SNote NoteAbsente (const nsTramelo::SExercice & E, const SCopie & C);
}
