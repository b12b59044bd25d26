#include "frontaux/lsp/Analyse.h"

#include <algorithm>

namespace nsLsp
{
    std::size_t CVue::VersOrigine (std::size_t Decalage)
    {
        const std::vector <std::uint32_t> & Fins = Analyse.FinLignes;
        if (! Analyse.Tabulations || Fins.empty ()) return std::min (Decalage, Texte.size ());
        const std::size_t Index = std::upper_bound (Fins.begin (), Fins.end (), Decalage) - Fins.begin ();
        if (Index >= Lignes.NbLignes ()) return Texte.size ();
        const std::size_t DebutTamponne = Index == 0 ? 0 : Fins [Index - 1];
        const std::size_t Colonne = Decalage - DebutTamponne;
        // Depuis le point connu le plus proche sur la ligne, ou depuis son debut.
        std::size_t i = Lignes.DebutLigne (Index), C = 0;
        auto It = ReperesOrigine.upper_bound (Decalage);
        if (It != ReperesOrigine.begin () && (-- It)->first >= DebutTamponne)
        {
            i = It->second.first;
            C = It->second.second;
        }
        while (i < Texte.size () && Texte [i] != '\n')
        {
            const std::size_t Largeur = Texte [i] == '\t' ? TailleTab - C % TailleTab : 1;
            if (C + Largeur > Colonne) break;
            C += Largeur;
            ++i;
        }
        ReperesOrigine [DebutTamponne + C] = { i, C };
        return i;
    }

    std::size_t CVue::VersTamponne (std::size_t Octet) const
    {
        const std::vector <std::uint32_t> & Fins = Analyse.FinLignes;
        if (! Analyse.Tabulations || Fins.empty ()) return Octet;
        const std::size_t Index = Lignes.LigneDe (Octet);
        if (Index > Fins.size ()) return Octet;
        std::size_t C = 0;
        for (std::size_t i = Lignes.DebutLigne (Index); i < Octet && i < Texte.size (); ++i)
            C += Texte [i] == '\t' ? TailleTab - C % TailleTab : 1;
        return (Index == 0 ? 0 : Fins [Index - 1]) + C;
    }

    SPositionLsp CVue::VersLsp (std::size_t Octet, bool ArrondiHaut)
    {
        Octet = std::min (Octet, Texte.size ());
        SPositionLsp P;
        P.Ligne = Lignes.LigneDe (Octet);
        const std::size_t Debut = Lignes.DebutLigne (P.Ligne), Fin = Lignes.FinLigne (P.Ligne);
        const std::size_t Cible = std::min (Octet, Fin);
        CTexte::SRepere Depart { Debut, 0 };
        auto It = ReperesLsp.upper_bound (Cible);
        if (It != ReperesLsp.begin () && (-- It)->first >= Debut) Depart = { It->first, It->second };
        const CTexte::SRepere R = Lignes.Avancer (Depart, Cible, Fin, ArrondiHaut);
        ReperesLsp [R.Octet] = R.Unites;
        P.Caractere = R.Unites;
        return P;
    }

    json CVue::Intervalle (std::size_t Debut, std::size_t Fin)
    {
        const SPositionLsp A = VersLsp (Debut);
        const SPositionLsp B = VersLsp (std::max (Debut, Fin), true);
        return { { "start", { { "line", A.Ligne }, { "character", A.Caractere } } },
                 { "end", { { "line", B.Ligne }, { "character", B.Caractere } } } };
    }
}
