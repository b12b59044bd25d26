// Analyses du programme sur son modele, pour les outils (jamais pour Tramelo) : ce que le C++ ne
// dit pas et qu'un debutant doit savoir (fin de fonction atteignable sans renvoie, division
// entiere ecrite avec un litteral a point...).
#pragma once

#include "modele/Modele.h"

#include <cstddef>
#include <string>
#include <vector>

namespace nsTramelo
{
    // Toutes les instructions d'une suite et de ses suites imbriquees, dans l'ordre du source.
    template <class F>
    void ParcourirSuite (const SModele & M, IdSuite S, F && Visiter)
    {
        if (S == Aucun) return;
        const SSuite & Suite = M.Suites [S];
        for (std::uint32_t i = 0; i < Suite.NbInstrs; ++i)
        {
            const SInstr & I = M.InstrDe (Suite, i);
            Visiter (I);
            for (std::uint32_t s = 0; s < I.NbSuites; ++s) ParcourirSuite (M, M.IdSuiteDe (I, s), Visiter);
        }
    }

    // Une division entiere dont un operande s'ecrit avec un litteral a point (2.0 est un entier).
    struct SDivisionEntiere
    {
        std::size_t Operateur = 0;   // le /
        SMot        Litteral;
    };
    // Dans l'ordre ou elles sont lues.
    std::vector <SDivisionEntiere> DivisionsEntieres (const SModele & M, const std::string & Texte);

    // L'instruction ne laisse pas continuer apres elle : renvoie, si dont toutes les branches
    // (sinon compris) finissent ainsi, boucle qui ne peut pas finir (boucle sans sortie,
    // tant_que (vrai), jusqua (faux), repeter ... jusqua (faux)).
    bool IsTerminale (const SModele & M, const SInstr & I);
    // La suite finit par une instruction terminale.
    bool IsSuiteTerminale (const SModele & M, IdSuite S);
    // Une fonction dont la fin peut etre atteinte sans renvoie.
    bool FinSansRenvoie (const SModele & M, const SUnite & U);
    // La derniere instruction du corps d'une unite, ou nulle.
    const SInstr * DerniereInstruction (const SModele & M, const SUnite & U);
}
