// Fautes de logique des premieres semaines, vues sur le modele d'un programme que Tramelo traduit
// (pour les outils : jamais pour Tramelo). Chacune est sure : elle ne vise que des formes ou le
// programme ne fait certainement pas ce que l'etudiant croit, pour qu'un programme juste n'en
// recoive aucune.
#pragma once

#include "modele/Modele.h"

#include <cstddef>
#include <string>
#include <vector>

namespace nsTramelo
{
    enum class ELogique : unsigned char
    {
        PourSansDescendant,    // pour (i variant_de 10 a 1) : bornes constantes qui descendent
        BoucleFigee,           // tant_que / jusqua / repeter dont la condition ne change jamais dans le corps
        ReelDansEntier,        // valeur reel affectee (ou renvoyee) a un entier : partie decimale perdue
        ParametreInModifie,    // affectation d'un parametre in que rien ne relit : l'appelant ne la voit pas
        LectureAvantValeur,    // variable lue avant toute affectation, sur au moins un chemin
        IndiceHorsTaille       // t [5] (ou t [i] d'un pour aux bornes constantes) hors d'un tableau de taille constante
    };

    struct SFauteLogique
    {
        ELogique    Genre = ELogique::PourSansDescendant;
        SPlage      Place;                  // ce qui est montre
        IdDecl      Decl = Aucun;           // la variable, le parametre ou la cible en cause
        const SInstr * Instr = nullptr;     // la boucle ou l'instruction en cause
        // PourSansDescendant : les deux bornes ; LectureAvantValeur : 1 si la variable recoit une
        // valeur sur un autre chemin avant cette lecture, 0 si elle n'en a recu sur aucun ;
        // ReelDansEntier : 1 et la valeur tronquee si la valeur est un litteral ; IndiceHorsTaille :
        // l'indice fautif (le premier atteint), la taille du tableau, puis pour un indice qui suit
        // la variable d'un pour (Instr : ce pour ; nul pour un indice constant) : le decalage c de
        // « i + c » et les deux bornes du pour.
        long long   Valeurs [5] = { 0, 0, 0, 0, 0 };
        // BoucleFigee : les noms lus par la condition.
        std::vector <IdDecl> Noms;
    };

    // Les fautes du programme, dans l'ordre du source (au plus une lecture avant valeur par
    // variable, une affectation de parametre in par parametre).
    std::vector <SFauteLogique> FautesLogiques (const SModele & M);
}
