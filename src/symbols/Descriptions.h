// Une ligne d'explication et la forme d'emploi de chaque mot du vocabulaire, pour les outils
// (survol du serveur de langage). Les mots sont ceux des tables du traducteur : un test verifie
// que chaque mot des tables a exactement une description.
#pragma once

#include <cstddef>
#include <string>

namespace nsTramelo
{
    struct SDescription
    {
        const char * Mot;
        const char * Explication;   // une phrase en francais
        const char * Forme;         // la forme d'emploi, en pseudo-langage
    };

    extern const SDescription Descriptions [];
    extern const std::size_t NbDescriptions;

    // Mots decrits qui ne sont dans aucune table du vocabulaire reserve (constantes predeclarees,
    // mots lus a un seul endroit) : un nom declare de meme ecriture passe avant eux.
    extern const char * const MotsDecritsNonReserves [];
    extern const std::size_t NbMotsDecritsNonReserves;

    // La description du mot, ou nullptr (la casse compte, comme pour le traducteur).
    const SDescription * TrouverDescription (const std::string & Mot);
}
