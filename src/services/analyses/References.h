// Appels qui passent par reference, a la fois, un tableau (ou une chaine) et un de ses elements :
// si l'unite appelee allonge ou redimensionne ce tableau (ou change cette chaine) pendant
// l'appel, la reference vers l'element peut designer une memoire liberee. Pour les outils
// (avertissement 152), jamais pour Tramelo.
#pragma once

#include "modele/Modele.h"

#include <string>
#include <vector>

namespace nsTramelo
{
    struct SReferenceDouble
    {
        const SDeclaration * Unite = nullptr;       // l'unite appelee
        const SDeclaration * Conteneur = nullptr;   // le tableau ou la chaine
        SPlage Appel;                               // l'appel entier
        SPlage Tableau;                             // le parametre effectif qui nomme le tableau
        SPlage Element;                             // celui qui en designe un element
    };

    // Dans l'ordre du source (une fois par element concerne).
    std::vector <SReferenceDouble> ReferencesDoubles (const SModele & M);
}
