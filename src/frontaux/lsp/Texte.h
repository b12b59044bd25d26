// Le texte d'un document ouvert et ses positions du protocole.
//
// Une ligne finit a "\n" (un "\r" juste avant en fait partie, "\r\n") ; un "\r" seul n'est pas une
// fin de ligne, comme pour le traducteur, dont les numeros de ligne sont ainsi ceux de l'editeur.
// Les caracteres se comptent en unites UTF-16 ; le texte est pris tel quel, octets UTF-8
// invalides compris (chacun compte pour un caractere de remplacement).
//
// Un changement coute selon sa taille, pas selon celle du texte : le texte est un tampon a
// ecart (l'ecart suit les modifications) et l'index des lignes aussi (les debuts de ligne apres
// l'ecart sont comptes depuis la fin du texte, si bien qu'un changement ne les touche pas).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nsLsp
{
    struct SPositionLsp
    {
        std::size_t Ligne = 0, Caractere = 0;
    };

    class CTexte
    {
      public :
        CTexte () = default;
        explicit CTexte (std::string Texte);

        std::size_t Taille () const { return Tampon.size () - LargeurEcart; }
        char operator [] (std::size_t i) const { return Tampon [i < Ecart ? i : i + LargeurEcart]; }

        // Copie des octets [Debut, Fin).
        std::string Lire (std::size_t Debut, std::size_t Fin) const;
        // Remplace les octets [Debut, Fin) par Nouveau (bornes deja ramenees dans le texte).
        void Remplacer (std::size_t Debut, std::size_t Fin, const std::string & Nouveau);
        // Le texte d'un seul tenant, pour la traduction : referme l'ecart (une fois par analyse).
        const std::string & Contigu ();

        std::size_t NbLignes () const { return 1 + Avant.size () + Apres.size (); }
        std::size_t DebutLigne (std::size_t Ligne) const;
        // Fin du contenu de la ligne (avant "\n" ou "\r\n").
        std::size_t FinLigne (std::size_t Ligne) const;
        // La ligne de l'octet Decalage (la derniere au-dela du texte).
        std::size_t LigneDe (std::size_t Decalage) const;

        // Position du protocole de l'octet Decalage (borne a la fin du texte). Au milieu d'une
        // sequence UTF-8, on se place avant elle, ou apres elle avec ArrondiHaut (fin d'un intervalle).
        SPositionLsp VersLsp (std::size_t Decalage, bool ArrondiHaut = false) const;
        // Octet d'une position du protocole ; une ligne ou un caractere au-dela de la fin sont
        // ramenes a la fin du texte ou de la ligne, comme le protocole le demande.
        std::size_t VersOctet (SPositionLsp P) const;

        // Un point d'une ligne : un octet de debut de caractere et les unites UTF-16 qui le
        // precedent sur sa ligne. Avancer compte depuis Depart jusqu'a Cible (au plus Fin, la fin
        // de la ligne) ; ArrondiHaut comme pour VersLsp.
        struct SRepere
        {
            std::size_t Octet = 0, Unites = 0;
        };
        SRepere Avancer (SRepere Depart, std::size_t Cible, std::size_t Fin, bool ArrondiHaut) const;

      private :
        // Sur une ligne longue qui n'est pas en ASCII, une position se compte depuis un repere
        // (un point tous les PasRepere octets environ, notes au fil des conversions de la ligne
        // la plus recemment convertie) : une modification coute au plus PasRepere octets relus.
        static constexpr std::size_t PasRepere = 4096;
        mutable std::size_t LigneReperes = static_cast <std::size_t> (-1);
        mutable std::vector <SRepere> Reperes;   // croissants, en octets comme en unites
        SRepere Repere (std::size_t Ligne, bool ParUnites, std::size_t Valeur) const;
        void Noter (SRepere R) const;
        // Avancer, en notant des reperes (sur la ligne LigneReperes seulement).
        SRepere Balayer (SRepere Depart, std::size_t Cible, std::size_t Fin, bool ArrondiHaut, bool NoterReperes) const;

        std::string Tampon;                  // le texte, l'ecart de LargeurEcart octets a Ecart
        std::size_t Ecart = 0, LargeurEcart = 0;
        std::vector <std::size_t> Avant;     // debuts des lignes 1..k, croissants
        std::vector <std::size_t> Apres;     // debuts des lignes suivantes, comptes depuis la fin du
                                             // texte ; la ligne k+1 en dernier
        std::size_t NonAscii = 0;            // octets >= 0x80 : sans eux, un octet vaut une unite

        void DeplacerEcart (std::size_t Position);
        void DeplacerLignes (std::size_t Position);
        // Longueur en octets du caractere qui commence a Pos (1 pour un octet invalide, ou la
        // partie valide d'une sequence tronquee) et nombre d'unites UTF-16 qu'il occupe.
        std::size_t LireCaractere (std::size_t Pos, std::size_t Fin, std::size_t & Unites) const;
    };
}
