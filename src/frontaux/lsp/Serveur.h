// Coeur du serveur de langage : un message JSON-RPC entre, des messages sortent. Rien ici ne lit
// ni n'ecrit sur stdin/stdout (main.cpp s'en charge), pour que les tests et le fuzzer le pilotent.
// La traduction et les explications viennent de la bibliotheque (Verifier, Traduire, Descriptions).
#pragma once

#include "driver/Traduction.h"
#include "frontaux/lsp/Positions.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace nsLsp
{
    using json = nlohmann::json;

    // Codes d'erreur de JSON-RPC et du protocole.
    enum ECodeErreur : int
    {
        ParseError = -32700, InvalidRequest = -32600, MethodNotFound = -32601, InvalidParams = -32602,
        InternalError = -32603, ServerNotInitialized = -32002, RequestFailed = -32803
    };

    // Un document ouvert : son texte, et ce que la derniere traduction en a vu.
    struct SDocument
    {
        std::string Uri;
        std::string Texte;
        std::int64_t Version = 0;
        CLignes Lignes;                      // lignes du protocole
        bool Analyse = false;                // Journal et Diagnostics suivent Texte
        bool APublier = false;               // diagnostics pas encore envoyes pour ce texte
        nsTramelo::SJournal Journal;
        std::vector <std::uint32_t> FinLignes;   // fins de ligne du texte tamponne
        std::vector <std::size_t> DebutsSource;  // debuts des lignes "\n" du texte, s'il a des tabulations
        json Diagnostics = json::array ();
    };

    class CServeur
    {
      public :
        // Un corps de message (du JSON, peut-etre invalide).
        void Traiter (const std::string & Corps);
        // Une anomalie du flux (en-tete invalide...) : signalee au client par window/logMessage.
        void Signaler (const std::string & Texte, int Type = 1);
        // Diagnostics des documents changes depuis le dernier appel (un seul envoi par rafale).
        void Publier ();

        // Messages a envoyer, dans l'ordre (JSON serialise, sans en-tete) ; l'appelant les retire.
        std::vector <std::string> Sorties;

        bool Termine () const { return Sorti; }
        int StatutSortie () const { return Arrete ? 0 : 1; }

        // Pour les tests : le document d'une adresse, ou nullptr.
        const SDocument * Document (const std::string & Uri) const;

      private :
        bool Initialise = false, Arrete = false, Sorti = false;
        unsigned TailleTab = 4;              // initializationOptions.tailleTabulation
        bool AidesDansMessage = false;       // initializationOptions.aidesDansMessage
        bool SurvolMarkdown = false;         // le client lit le markdown dans un survol
        bool SymbolesHierarchiques = true;   // le client accepte DocumentSymbol[]
        std::map <std::string, SDocument> Documents;

        void Envoyer (const json & Message);
        void Repondre (const json & Id, json Resultat);
        void RepondreErreur (const json & Id, int Code, const std::string & Message);

        json Initialiser (const json & Params);
        void Ouvrir (json & Params);
        void Changer (json & Params);
        void Fermer (const json & Params);
        json Survol (const json & Params);
        json Symboles (const json & Params);
        json VoirCpp (const std::string & Uri);

        SDocument & Trouver (const json & Params);
        void Analyser (SDocument & Doc);
        void Modifier (SDocument & Doc);
        std::size_t VersOrigine (const SDocument & Doc, std::size_t Decalage) const;
        std::size_t VersTamponne (const SDocument & Doc, std::size_t Octet) const;
        json Intervalle (const SDocument & Doc, std::size_t Debut, std::size_t Fin) const;
        std::size_t Octet (const SDocument & Doc, const json & Position) const;
    };

    // Texte du survol d'un nom declare : « n : variable de type entier », « t : tableau de reel »...
    std::string DecrireDeclaration (const nsTramelo::SJournal & Journal, const nsTramelo::SDeclaration & D);
}
