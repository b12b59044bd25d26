// Decoupage du flux du protocole en messages : en-tetes "Nom: valeur" finis par une ligne vide,
// dont Content-Length (obligatoire), puis le corps. Un flux abime (octets parasites, en-tete sans
// longueur ou de longueur invalide) est signale puis resynchronise sur l'en-tete suivant.
// Un corps annonce au-dela de la borne n'est jamais garde : seul son debut est rendu (pour
// reconnaitre sa requete), puis le flux est resynchronise comme apres des octets parasites (un
// corps JSON ne contient jamais de fin d'en-tete), si bien qu'une longueur fausse ne rend pas
// le serveur sourd.
#pragma once

#include "frontaux/lsp/Limites.h"

#include <cstddef>
#include <string>
#include <vector>

namespace nsLsp
{
    class CTrames
    {
      public :
        explicit CTrames (std::size_t Max = MaxTailleMessage) : MaxCorps (Max) {}

        // Debut d'un corps trop grand rendu par Extraire.
        static constexpr std::size_t MaxApercu = 65536;

        void Ajouter (const char * Octets, std::size_t Nb);
        // Rend le prochain corps complet ; les anomalies rencontrees en chemin sont ajoutees a
        // Anomalies (une phrase chacune). Faux s'il faut d'autres octets. Pour un message trop
        // grand, Corps n'en est que le debut et Tronque () sa longueur annoncee (0 sinon).
        bool Extraire (std::string & Corps, std::vector <std::string> & Anomalies);
        std::size_t Tronque () const { return Tronquee; }

      private :
        std::size_t MaxCorps;
        std::string Tampon;
        std::size_t Debut = 0;               // octets deja consommes au debut de Tampon
        std::size_t Attendu = 0;             // longueur du corps en cours de lecture
        bool        DansCorps = false;       // vrai entre l'en-tete et la fin du corps
        bool        ParasitesSignales = false;   // un seul message par suite d'octets parasites
        std::size_t TropGrand = 0;           // longueur annoncee d'un corps trop grand dont on attend le debut
        std::size_t Tronquee = 0;            // celle du dernier corps rendu tronque

        bool LireEnTete (std::vector <std::string> & Anomalies);
        void Compacter ();
    };
}
