#include "frontaux/lsp/Analyse.h"

#include <algorithm>

namespace nsLsp
{
    std::size_t CVue::VersOrigine (std::size_t Decalage)
    {
        const std::vector <std::uint32_t> & Fins = Analyse.FinLignes;
        if (! Analyse.Tabulations || Fins.empty ()) return std::min (Decalage, Texte.size ());
        if (Decalage >= Fins.back ()) return Texte.size ();
        return Situeur.Situer (Decalage).DecalageOrigine;
    }

    std::size_t CVue::VersTamponne (std::size_t Octet)
    {
        if (! Analyse.Tabulations || Analyse.FinLignes.empty ()) return Octet;
        return Situeur.VersTampon (Octet);
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
