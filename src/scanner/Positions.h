// Les positions dans le source : le seul endroit ou l'on passe du texte tamponne (tabulations
// developpees) au source d'origine, et ou l'on compte colonnes, tabulations et unites UTF-16.
// La traduction, les ecrivains, l'explicateur, le serveur de langage et les outils s'en servent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace nsTramelo
{
    // La largeur d'une tabulation qui commence a la colonne C (comptee a partir de 0).
    inline std::size_t LargeurTabulation (std::size_t C, unsigned TailleTab) { return TailleTab - C % TailleTab; }

    // Le caractere UTF-8 qui commence a Pos (avant Fin) : sa longueur en octets (1 pour un octet
    // invalide, ou la partie valide d'une sequence tronquee, comme le decodage WHATWG qui la
    // remplace par U+FFFD) et, dans Unites, le nombre d'unites UTF-16 qu'il occupe. Octet (i)
    // rend l'octet i du texte (une chaine, ou un tampon a ecart).
    template <class FOctet>
    std::size_t LireCaractereUtf8 (FOctet && Octet, std::size_t Pos, std::size_t Fin, std::size_t & Unites)
    {
        const unsigned char c = static_cast <unsigned char> (Octet (Pos));
        Unites = 1;
        if (c < 0x80) return 1;
        // Longueur annoncee et bornes du deuxieme octet (sans formes trop longues ni surrogates).
        std::size_t Longueur;
        unsigned char Min = 0x80, Max = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) Longueur = 2;
        else if (c >= 0xE0 && c <= 0xEF)
        {
            Longueur = 3;
            if (c == 0xE0) Min = 0xA0;
            if (c == 0xED) Max = 0x9F;
        }
        else if (c >= 0xF0 && c <= 0xF4)
        {
            Longueur = 4;
            if (c == 0xF0) Min = 0x90;
            if (c == 0xF4) Max = 0x8F;
        }
        else return 1;
        std::size_t Lus = 1;
        while (Lus < Longueur && Pos + Lus < Fin)
        {
            const unsigned char s = static_cast <unsigned char> (Octet (Pos + Lus));
            if (s < Min || s > Max) break;
            Min = 0x80;
            Max = 0xBF;
            ++Lus;
        }
        if (Lus == Longueur && Longueur == 4) Unites = 2;   // hors du plan de base : une paire
        return Lus;
    }

    // Une position dans le source : ligne et colonne comptees a partir de 1, la colonne en octets
    // apres developpement des tabulations ; Decalage dans le texte tamponne, DecalageOrigine dans
    // le texte donne a Traduire ; ColonneOrigine, la colonne en octets dans la ligne d'origine
    // (tabulation = un octet), celle qu'attendent les editeurs (%c de Vim, GCC) ; ColonneUtf16,
    // la colonne en unites UTF-16 de la ligne d'origine (a partir de 1), celle des editeurs qui
    // comptent ainsi (VS Code, protocole du serveur de langage).
    struct SPosition
    {
        std::size_t Ligne = 1, Colonne = 1, Decalage = 0, DecalageOrigine = 0, ColonneOrigine = 1, ColonneUtf16 = 1;
    };

    // Positions completes de decalages du texte tamponne, et le chemin inverse. Une ligne ne finit
    // qu'a "\n", comme pour la traduction. Les debuts de ligne du source d'origine ne sont releves
    // que jusqu'a la ligne demandee ; sur une ligne, chaque conversion reprend au point deja
    // calcule le plus proche : une suite de positions coute la longueur du texte parcouru, meme
    // sur une ligne immense.
    class CSitueur
    {
      public :
        CSitueur (const std::string & Source, unsigned TailleTab, const std::vector <std::uint32_t> & FinLignes)
            : Source (Source), TailleTab (TailleTab), FinLignes (FinLignes) {}
        SPosition Situer (std::size_t Decalage);
        // Le decalage du texte tamponne d'un octet du source d'origine (meme ligne, meme colonne).
        std::size_t VersTampon (std::size_t DecalageOrigine);

      private :
        // Le debut de la ligne Index (a partir de 0) dans le source d'origine.
        std::size_t DebutOrigine (std::size_t Index);

        const std::string & Source;
        const unsigned TailleTab;
        const std::vector <std::uint32_t> & FinLignes;
        std::vector <std::size_t> Debuts;   // debut de chaque ligne du source d'origine
        struct SRepere { std::size_t Octet, Colonne, Utf16; };
        std::map <std::size_t, SRepere> Reperes;   // decalage tamponne -> point deja calcule
    };

    // Position complete d'un seul decalage du texte tamponne.
    inline SPosition SituerDecalage (const std::string & Source, unsigned TailleTab,
                                     const std::vector <std::uint32_t> & FinLignes, std::size_t Decalage)
    {
        return CSitueur (Source, TailleTab, FinLignes).Situer (Decalage);
    }
}
