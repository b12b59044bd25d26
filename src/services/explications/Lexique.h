// Lecture locale du texte tamponne pour les explications : mots, nombres, litteraux et symboles
// autour d'une position, lignes et indentation. Rien n'y relit tout le source : les regles ne
// regardent que l'instruction ou les quelques lignes qui entourent la faute.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nsTramelo
{
    enum class EJeton : unsigned char { Fin, Mot, Nombre, Chaine, Caractere, Symbole };

    // Un jeton du texte tamponne. Un mot peut contenir des octets non ASCII (« côté » est un seul
    // mot ici, alors que le traducteur n'en lit que « c ») ; NonAscii le signale.
    struct SJeton
    {
        EJeton      Genre = EJeton::Fin;
        std::size_t Debut = 0, Longueur = 0;
        bool        NonAscii = false;
        bool        Ferme = true;   // litteral : son guillemet (ou apostrophe) fermant est la

        std::size_t Fin () const { return Debut + Longueur; }
        bool Est (const std::string & Texte, const char * Mot) const;
    };

    class CLexique
    {
      public :
        CLexique (const std::string & Texte, const std::vector <std::uint32_t> & FinLignes)
            : Texte (Texte), FinLignes (FinLignes) {}

        const std::string & GetTexte () const { return Texte; }
        std::string Extrait (const SJeton & J) const { return Texte.substr (J.Debut, J.Longueur); }

        // Le jeton qui commence a Pos, ou apres les blancs qui suivent Pos.
        SJeton Suivant (std::size_t Pos) const;
        // Le dernier jeton qui finit au plus tard a Pos (en remontant les lignes vides).
        SJeton Precedent (std::size_t Pos) const;
        // Les jetons de [Debut, Fin).
        std::vector <SJeton> Jetons (std::size_t Debut, std::size_t Fin) const;

        // Lignes comptees a partir de 1.
        std::size_t Ligne (std::size_t Pos) const;
        std::size_t NbLignes () const { return FinLignes.size (); }
        std::size_t DebutLigne (std::size_t Ligne) const;
        std::size_t FinLigne (std::size_t Ligne) const;   // position du '\n'
        // Premier caractere non blanc de la ligne (sa fin si elle est blanche).
        std::size_t PremierNonBlanc (std::size_t Ligne) const;
        bool LigneBlanche (std::size_t Ligne) const;
        std::size_t Indentation (std::size_t Ligne) const;
        // Vrai si rien que des blancs ne precede Pos sur sa ligne.
        bool EnDebutDeLigne (std::size_t Pos) const;

      private :
        SJeton LireJeton (std::size_t Pos) const;

        const std::string & Texte;
        const std::vector <std::uint32_t> & FinLignes;
    };

    // Outils de texte pour les messages.
    // « mot » : le mot cite ; les octets qui ne forment pas de l'UTF-8 valide sont remplaces.
    std::string Citer (const std::string & Mot);
    // Le texte en UTF-8 valide (un octet fautif devient U+FFFD).
    std::string Utf8Valide (const std::string & Texte);
    // Longueur d'une sequence UTF-8 valide commencant a Pos (0 si invalide).
    std::size_t LongueurUtf8 (const std::string & Texte, std::size_t Pos);
    // Le point de code de la sequence UTF-8 valide commencant a Pos (0 si invalide).
    std::uint32_t PointDeCode (const std::string & Texte, std::size_t Pos);
    // Ajoute le point de code Code (au plus U+10FFFF) ecrit en UTF-8.
    void AjouterUtf8 (std::string & Texte, std::uint32_t Code);
    // Nombre de caracteres affiches (points de code) de [Debut, Fin).
    std::size_t LargeurAffichee (const std::string & Texte, std::size_t Debut, std::size_t Fin);
    // Distance d'edition (insertions, suppressions, substitutions, transpositions), bornee :
    // au-dela de Max, rend Max + 1.
    std::size_t Distance (const std::string & a, const std::string & b, std::size_t Max);
    std::string Minuscules (const std::string & Mot);
    // Le mot sans accents (lettres latines usuelles en UTF-8), pour proposer un nom permis.
    std::string SansAccents (const std::string & Mot);
}
