// Les documents ouverts : leur texte, les changements de l'editeur et les bornes de memoire.
// Un document au-dela des bornes (Limites.h) est refuse : son texte est abandonne, il ne garde
// que la raison, que le serveur publie comme diagnostic, jusqu'a ce qu'un texte complet permis
// arrive (changement complet, ou fermeture puis reouverture).
#pragma once

#include "frontaux/lsp/Analyse.h"
#include "frontaux/lsp/Json.h"
#include "frontaux/lsp/Limites.h"
#include "frontaux/lsp/Texte.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace nsLsp
{
    struct SDocument
    {
        std::string Uri;
        std::int64_t Version = 0;
        CTexte Texte;
        std::string Refus;                   // non vide : document refuse, et pourquoi
        bool Analyse = false;                // Resultat et Diagnostics suivent Texte
        bool APublier = false;               // diagnostics pas encore envoyes pour ce texte
        SAnalyse Resultat;
        json Diagnostics = json::array ();
    };

    // Un changement de didChange, lu et verifie avant d'appliquer quoi que ce soit.
    struct SChangement
    {
        bool Complet = false;                // sans range : le texte entier
        SPositionLsp Debut, Fin;
        std::string * Texte = nullptr;       // dans le message, deplace a l'application
    };

    // Une position du protocole { line, character } ; leve CParamsInvalides.
    SPositionLsp LirePosition (const json & P);

    // Lit tous les changements ; leve CParamsInvalides au premier invalide, sans rien appliquer.
    std::vector <SChangement> LireChangements (json & Changements);

    class CDocuments
    {
      public :
        explicit CDocuments (SLimites Limites = {}) : Limites (Limites) {}

        // Ouvre (ou rouvre) un document ; vrai s'il vient d'etre refuse (sa raison dans Refus).
        // nullptr si meme sa trace depasserait les bornes : il n'est pas suivi.
        SDocument * Ouvrir (const std::string & Uri, std::string && Texte, std::int64_t Version, bool & Refuse);
        // Applique tout le lot, dans l'ordre ; vrai si le document vient d'etre refuse. Sur un
        // document refuse, seul un texte complet compte (les changements partiels s'appliquaient
        // a un texte qui n'est plus tenu).
        bool Changer (SDocument & Doc, std::vector <SChangement> & Lot);
        bool Fermer (const std::string & Uri);
        SDocument * Trouver (const std::string & Uri);
        const SDocument * Trouver (const std::string & Uri) const;

        void Refuser (SDocument & Doc, std::string Raison);
        // Tous les documents ouverts (un changement perdu a pu toucher n'importe lequel).
        void RefuserTous (const std::string & Raison);

        // Memoire comptee : textes, adresses et CoutDocument par document.
        std::size_t Total () const { return TotalOctets; }

        // Documents dont les diagnostics sont a publier, dans l'ordre ; l'appelant les retire.
        std::vector <std::string> APublier;

        const SLimites Limites;

      private :
        std::map <std::string, SDocument> Tous;
        std::size_t TotalOctets = 0;

        void Modifie (SDocument & Doc);
        // La raison du refus d'un texte de Taille octets pour Doc, ou "" s'il est permis.
        std::string Depassement (const SDocument & Doc, std::size_t Taille) const;
    };
}
