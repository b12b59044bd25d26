// Positions du protocole : ligne et caractere comptes en unites UTF-16, les lignes separees par
// "\n", "\r\n" ou "\r" seul, comme les editeurs les comptent. Le texte est pris tel quel, octets
// UTF-8 invalides compris (chacun compte pour un caractere de remplacement).
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

    class CLignes
    {
      public :
        void Calculer (const std::string & Texte);

        // Position du protocole de l'octet Decalage (borne a la fin du texte). Au milieu d'une
        // sequence UTF-8, on se place avant elle, ou apres elle avec ArrondiHaut (fin d'un intervalle).
        SPositionLsp VersLsp (const std::string & Texte, std::size_t Decalage, bool ArrondiHaut = false) const;
        // Octet d'une position du protocole ; une ligne ou un caractere au-dela de la fin sont
        // ramenes a la fin du texte ou de la ligne, comme le protocole le demande.
        std::size_t VersOctet (const std::string & Texte, SPositionLsp P) const;

        std::size_t NbLignes () const { return Debuts.size (); }

      private :
        std::vector <std::size_t> Debuts;   // debut de chaque ligne (la premiere a 0)
        std::size_t FinLigne (const std::string & Texte, std::size_t Ligne) const;
    };

    // Longueur en octets du caractere UTF-8 qui commence a Pos (1 pour un octet invalide, ou la
    // partie valide d'une sequence tronquee) et nombre d'unites UTF-16 qu'il occupe.
    std::size_t LireCaractere (const std::string & Texte, std::size_t Pos, std::size_t Fin, std::size_t & Unites);
}
