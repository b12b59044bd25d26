// Decoupage du flux du protocole en messages : en-tetes "Nom: valeur" finis par une ligne vide,
// dont Content-Length (obligatoire), puis le corps. Un flux abime (octets parasites, en-tete sans
// longueur ou de longueur invalide) est signale puis resynchronise sur l'en-tete suivant.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nsLsp
{
    // Au-dela, un message est refuse sans etre lu : un source de plus de 256 Mo doit encore passer
    // (pour recevoir le refus du traducteur), meme avec ses caracteres echappes en JSON.
    constexpr std::size_t MaxTailleMessage = std::size_t (1) << 30;

    class CTrames
    {
      public :
        explicit CTrames (std::size_t Max = MaxTailleMessage) : MaxCorps (Max) {}

        void Ajouter (const char * Octets, std::size_t Nb);
        // Rend le prochain corps complet ; les anomalies rencontrees en chemin sont ajoutees a
        // Anomalies (une phrase chacune). Faux s'il faut d'autres octets.
        bool Extraire (std::string & Corps, std::vector <std::string> & Anomalies);

      private :
        std::size_t MaxCorps;
        std::string Tampon;
        std::size_t Debut = 0;               // octets deja consommes au debut de Tampon
        std::size_t Attendu = 0;             // longueur du corps en cours de lecture
        bool        DansCorps = false;       // vrai entre l'en-tete et la fin du corps
        bool        ParasitesSignales = false;   // un seul message par suite d'octets parasites

        bool LireEnTete (std::vector <std::string> & Anomalies);
        void Compacter ();
    };
}
