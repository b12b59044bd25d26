// Ce que la derniere traduction d'un document en a vu, et la conversion de ses positions : le
// journal et les diagnostics parlent du texte tamponne (tabulations developpees), l'editeur en
// positions du protocole. Le survol et les symboles ne lisent le document que par CVue.
#pragma once

#include "bibliotheque/Tramelo.h"
#include "frontaux/lsp/Json.h"
#include "frontaux/lsp/Texte.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace nsLsp
{
    struct SAnalyse
    {
        nsTramelo::SModele Modele;   // le modele du programme lu
        std::vector <std::uint32_t> FinLignes;   // fins de ligne du texte tamponne
        bool Tabulations = false;                // sinon, texte tamponne et texte ont les memes decalages
    };

    // Un document analyse vu par ses positions. Chaque conversion reprend au point deja calcule
    // le plus proche sur sa ligne : une suite de positions croissantes (diagnostics, symboles)
    // coute la longueur du texte parcouru, meme sur une ligne immense.
    class CVue
    {
      public :
        CVue (const CTexte & Lignes, const std::string & Texte, const SAnalyse & Analyse, unsigned TailleTab)
            : Lignes (Lignes), Texte (Texte), Analyse (Analyse), TailleTab (TailleTab),
              Situeur (Texte, TailleTab, Analyse.FinLignes) {}

        const CTexte & Lignes;
        const std::string & Texte;           // le meme texte, d'un seul tenant
        const SAnalyse & Analyse;
        unsigned TailleTabulation () const { return TailleTab; }

        // Decalage du texte tamponne -> octet du texte (meme ligne, colonne recalculee).
        std::size_t VersOrigine (std::size_t Decalage);
        // Octet du texte -> decalage du texte tamponne.
        std::size_t VersTamponne (std::size_t Octet);
        SPositionLsp VersLsp (std::size_t Octet, bool ArrondiHaut = false);
        // L'intervalle du protocole des octets [Debut, Fin).
        json Intervalle (std::size_t Debut, std::size_t Fin);

      private :
        const unsigned TailleTab;
        std::map <std::size_t, std::size_t> ReperesLsp;   // octet -> unites UTF-16 depuis le debut de sa ligne
        nsTramelo::CSitueur Situeur;   // texte tamponne <-> texte, par la bibliotheque
    };
}
