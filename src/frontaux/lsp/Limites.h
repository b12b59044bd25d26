// Les bornes du serveur de langage : ce qu'un client (maladroit ou hostile) peut lui faire tenir
// en memoire. Chacune est dans la page de manuel (tramelo-lsp(1), LIMITES).
#pragma once

#include <cstddef>

namespace nsLsp
{
    // Un document au-dela est refuse (un source d'etudiant tient en quelques dizaines de Ko ;
    // l'analyse d'un document garde jusqu'a une dizaine de fois sa taille).
    constexpr std::size_t MaxTailleDocument = std::size_t (16) << 20;
    // Tous les documents ouverts ensemble ; chacun compte aussi son adresse et CoutDocument.
    constexpr std::size_t MaxTotalDocuments = std::size_t (64) << 20;
    constexpr std::size_t CoutDocument = 1024;
    // Un message au-dela est ignore sans etre lu. Un document permis y tient toujours, meme si
    // chacun de ses octets s'ecrit \u00XX en JSON.
    constexpr std::size_t MaxTailleMessage = std::size_t (128) << 20;
    // Imbrication des tableaux et objets d'un message (ceux du protocole ne depassent pas 10).
    constexpr std::size_t MaxProfondeurJson = 64;

    static_assert (MaxTailleMessage >= 6 * MaxTailleDocument + 65536, "un document permis doit tenir dans un message");

    // Les bornes des documents d'un serveur (les tests en prennent de petites).
    struct SLimites
    {
        std::size_t Document = MaxTailleDocument;
        std::size_t Total = MaxTotalDocuments;
    };
}
