// Coeur du serveur de langage : un message JSON-RPC entre, des messages sortent. Rien ici ne lit
// ni n'ecrit sur stdin/stdout (main.cpp s'en charge), pour que les tests et le fuzzer le pilotent.
// Ici, l'aiguillage des messages et le cycle de vie ; chaque service a son fichier
// (Documents, Diagnostics, Survol, Symboles, VoirCpp, Configuration).
#pragma once

#include "frontaux/lsp/Configuration.h"
#include "frontaux/lsp/Documents.h"
#include "frontaux/lsp/Json.h"

#include <string>
#include <vector>

namespace nsLsp
{
    // Codes d'erreur de JSON-RPC et du protocole.
    enum ECodeErreur : int
    {
        ParseError = -32700, InvalidRequest = -32600, MethodNotFound = -32601, InvalidParams = -32602,
        InternalError = -32603, ServerNotInitialized = -32002, RequestFailed = -32803
    };

    class CServeur
    {
      public :
        explicit CServeur (SLimites Limites = {}) : Documents (Limites) {}

        // Un corps de message (du JSON, peut-etre invalide).
        void Traiter (const std::string & Corps);
        // Un message de Taille octets, au-dela de MaxTailleMessage, ignore sans etre lu : Debut est
        // ce qui en a ete vu (de quoi reconnaitre sa requete ou son document).
        void Ignorer (const std::string & Debut, std::size_t Taille);
        // Une anomalie du flux (en-tete invalide...) : signalee au client par window/logMessage.
        void Signaler (const std::string & Texte, int Type = 1);
        // Ce que l'utilisateur doit voir (document refuse...) : window/showMessage.
        void Annoncer (const std::string & Texte, int Type = 1);
        // Diagnostics des documents changes depuis le dernier appel (un seul envoi par rafale).
        void Publier ();

        // Messages a envoyer, dans l'ordre (JSON serialise, sans en-tete) ; l'appelant les retire.
        std::vector <std::string> Sorties;

        bool Termine () const { return Sorti; }
        int StatutSortie () const { return Arrete ? 0 : 1; }

        // Pour les tests : le document d'une adresse, ou nullptr ; la memoire comptee des documents.
        const SDocument * Document (const std::string & Uri) const { return Documents.Trouver (Uri); }
        std::size_t MemoireDocuments () const { return Documents.Total (); }

      private :
        bool Initialise = false, Arrete = false, Sorti = false;
        SConfiguration Config;
        CDocuments Documents;

        void Envoyer (const json & Message);
        void Repondre (const json & Id, json Resultat);
        void RepondreErreur (const json & Id, int Code, const std::string & Message);
        // Un message perdu (trop grand, trop imbrique) : sa requete recoit une erreur, et le
        // document qu'il changeait peut-etre ne suit plus l'editeur.
        void Perdu (const std::string & Debut, const std::string & Raison);

        void Ouvrir (json & Params);
        void Changer (json & Params);
        void Fermer (const json & Params);
        json Survol (const json & Params);
        json Symboles (const json & Params);
        json Cpp (const std::string & Uri);
        SDocument & Trouver (const json & Params);
    };
}
