#include "frontaux/lsp/Texte.h"

#include "bibliotheque/Tramelo.h"

#include <algorithm>
#include <cstring>

namespace nsLsp
{
    CTexte::CTexte (std::string Texte) : Tampon (std::move (Texte)), Ecart (Tampon.size ())
    {
        for (std::size_t i = 0; i < Tampon.size (); ++i)
        {
            if (Tampon [i] == '\n') Avant.push_back (i + 1);
            else if (Tampon [i] & 0x80) ++NonAscii;
        }
    }

    std::size_t CTexte::LireCaractere (std::size_t Pos, std::size_t Fin, std::size_t & Unites) const
    {
        return nsTramelo::LireCaractereUtf8 ([this] (std::size_t i) { return (* this) [i]; }, Pos, Fin, Unites);
    }

    // ---- Tampon a ecart ----

    void CTexte::DeplacerEcart (std::size_t Position)
    {
        if (LargeurEcart != 0)
        {
            if (Position < Ecart)
                std::memmove (& Tampon [Position + LargeurEcart], & Tampon [Position], Ecart - Position);
            else if (Position > Ecart)
                std::memmove (& Tampon [Ecart], & Tampon [Ecart + LargeurEcart], Position - Ecart);
        }
        Ecart = Position;
    }

    // Les debuts de ligne jusqu'a Position (compris) dans Avant, les suivants dans Apres.
    void CTexte::DeplacerLignes (std::size_t Position)
    {
        const std::size_t T = Taille ();
        while (! Avant.empty () && Avant.back () > Position)
        {
            Apres.push_back (T - Avant.back ());
            Avant.pop_back ();
        }
        while (! Apres.empty () && T - Apres.back () <= Position)
        {
            Avant.push_back (T - Apres.back ());
            Apres.pop_back ();
        }
    }

    void CTexte::Remplacer (std::size_t Debut, std::size_t Fin, const std::string & Nouveau)
    {
        Fin = std::min (Fin, Taille ());
        Debut = std::min (Debut, Fin);
        for (std::size_t i = Debut; i < Fin; ++i)
            if ((* this) [i] & 0x80) --NonAscii;
        for (char c : Nouveau)
            if (c & 0x80) ++NonAscii;

        // Les reperes d'apres le changement ne valent plus ; ceux d'avant, si (leur ligne et ce
        // qui les precede n'ont pas change).
        while (! Reperes.empty () && Reperes.back ().Octet > Debut) Reperes.pop_back ();

        // Les lignes qui commencaient dans la partie remplacee disparaissent ; celles d'apres,
        // comptees depuis la fin, ne bougent pas.
        DeplacerLignes (Debut);
        while (! Apres.empty () && Taille () - Apres.back () <= Fin) Apres.pop_back ();

        DeplacerEcart (Debut);
        LargeurEcart += Fin - Debut;
        if (Nouveau.size () > LargeurEcart)
        {
            // L'ecart grandit d'un huitieme du texte au moins : cout amorti constant par octet.
            const std::size_t Largeur = Nouveau.size () + std::max <std::size_t> (4096, Taille () / 8);
            const std::size_t Queue = Tampon.size () - Ecart - LargeurEcart;
            Tampon.resize (Tampon.size () + Largeur - LargeurEcart);
            std::memmove (& Tampon [Ecart + Largeur], & Tampon [Ecart + LargeurEcart], Queue);
            LargeurEcart = Largeur;
        }
        if (! Nouveau.empty ()) std::memcpy (& Tampon [Ecart], Nouveau.data (), Nouveau.size ());
        Ecart += Nouveau.size ();
        LargeurEcart -= Nouveau.size ();

        for (std::size_t i = 0; i < Nouveau.size (); ++i)
            if (Nouveau [i] == '\n') Avant.push_back (Debut + i + 1);
    }

    std::string CTexte::Lire (std::size_t Debut, std::size_t Fin) const
    {
        Fin = std::min (Fin, Taille ());
        Debut = std::min (Debut, Fin);
        std::string S;
        S.reserve (Fin - Debut);
        for (std::size_t i = Debut; i < Fin; ++i) S += (* this) [i];
        return S;
    }

    const std::string & CTexte::Contigu ()
    {
        if (LargeurEcart != 0)
        {
            DeplacerEcart (Taille ());
            Tampon.resize (Ecart);
            LargeurEcart = 0;
        }
        // La memoire d'un texte qui a beaucoup raccourci est rendue.
        if (Tampon.capacity () > 2 * Tampon.size () + 4096) Tampon.shrink_to_fit ();
        return Tampon;
    }

    // ---- Lignes ----

    std::size_t CTexte::DebutLigne (std::size_t Ligne) const
    {
        if (Ligne == 0) return 0;
        if (Ligne <= Avant.size ()) return Avant [Ligne - 1];
        const std::size_t j = Ligne - 1 - Avant.size ();
        if (j >= Apres.size ()) return Taille ();
        return Taille () - Apres [Apres.size () - 1 - j];
    }

    std::size_t CTexte::FinLigne (std::size_t Ligne) const
    {
        if (Ligne + 1 >= NbLignes ()) return Taille ();
        const std::size_t Debut = DebutLigne (Ligne);
        std::size_t Fin = DebutLigne (Ligne + 1) - 1;   // le "\n"
        if (Fin > Debut && (* this) [Fin - 1] == '\r') --Fin;
        return Fin;
    }

    std::size_t CTexte::LigneDe (std::size_t Decalage) const
    {
        const std::size_t T = Taille ();
        Decalage = std::min (Decalage, T);
        const std::size_t n = std::upper_bound (Avant.begin (), Avant.end (), Decalage) - Avant.begin ();
        if (n < Avant.size ()) return n;
        // Apres est croissant (distances a la fin) : les debuts <= Decalage sont les distances >= T - Decalage.
        return n + (Apres.end () - std::lower_bound (Apres.begin (), Apres.end (), T - Decalage));
    }

    // ---- Positions du protocole ----

    CTexte::SRepere CTexte::Repere (std::size_t Ligne, bool ParUnites, std::size_t Valeur) const
    {
        const SRepere Debut { DebutLigne (Ligne), 0 };
        if (Ligne != LigneReperes)
        {
            Reperes.clear ();
            LigneReperes = Ligne;
            return Debut;
        }
        const auto It = std::upper_bound (Reperes.begin (), Reperes.end (), Valeur, [ParUnites] (std::size_t V, const SRepere & R)
                                          { return V < (ParUnites ? R.Unites : R.Octet); });
        return It == Reperes.begin () ? Debut : * (It - 1);
    }

    void CTexte::Noter (SRepere R) const
    {
        const auto It = std::lower_bound (Reperes.begin (), Reperes.end (), R.Octet, [] (const SRepere & A, std::size_t O)
                                          { return A.Octet < O; });
        if (It != Reperes.end () && It->Octet == R.Octet) return;
        if (Reperes.size () >= 65536) Reperes.clear ();   // borne de prudence : ils se renoteront
        Reperes.insert (It, R);
    }

    CTexte::SRepere CTexte::Avancer (SRepere Depart, std::size_t Cible, std::size_t Fin, bool ArrondiHaut) const
    {
        return Balayer (Depart, Cible, Fin, ArrondiHaut, false);
    }

    CTexte::SRepere CTexte::Balayer (SRepere Depart, std::size_t Cible, std::size_t Fin, bool ArrondiHaut,
                                     bool NoterReperes) const
    {
        SRepere R = Depart;
        if (Cible <= R.Octet) return R;
        if (NonAscii == 0)
        {
            R.Unites += Cible - R.Octet;
            R.Octet = Cible;
            return R;
        }
        std::size_t Prochain = R.Octet + PasRepere;
        while (R.Octet < Cible)
        {
            std::size_t Unites;
            const std::size_t Longueur = LireCaractere (R.Octet, Fin, Unites);
            if (R.Octet + Longueur > Cible && ! ArrondiHaut) break;
            R.Unites += Unites;
            R.Octet += Longueur;
            if (NoterReperes && R.Octet >= Prochain)
            {
                Noter (R);
                Prochain = R.Octet + PasRepere;
            }
        }
        return R;
    }

    SPositionLsp CTexte::VersLsp (std::size_t Decalage, bool ArrondiHaut) const
    {
        Decalage = std::min (Decalage, Taille ());
        SPositionLsp P;
        P.Ligne = LigneDe (Decalage);
        const std::size_t Fin = FinLigne (P.Ligne);
        // Un decalage dans le separateur ("\r" de "\r\n") : la fin de la ligne.
        const std::size_t Cible = std::min (Decalage, Fin);
        if (NonAscii == 0) P.Caractere = Cible - DebutLigne (P.Ligne);
        else P.Caractere = Balayer (Repere (P.Ligne, false, Cible), Cible, Fin, ArrondiHaut, true).Unites;
        return P;
    }

    std::size_t CTexte::VersOctet (SPositionLsp P) const
    {
        if (P.Ligne >= NbLignes ()) return Taille ();
        const std::size_t Fin = FinLigne (P.Ligne);
        std::size_t i = DebutLigne (P.Ligne);
        if (NonAscii == 0) return P.Caractere < Fin - i ? i + P.Caractere : Fin;
        const SRepere Depart = Repere (P.Ligne, true, P.Caractere);
        i = Depart.Octet;
        std::size_t Compte = Depart.Unites, Prochain = i + PasRepere;
        while (i < Fin && Compte < P.Caractere)
        {
            std::size_t Unites;
            const std::size_t Longueur = LireCaractere (i, Fin, Unites);
            // Au milieu d'une paire de surrogates : avant le caractere.
            if (Compte + Unites > P.Caractere) break;
            Compte += Unites;
            i += Longueur;
            if (i >= Prochain)
            {
                Noter ({ i, Compte });
                Prochain = i + PasRepere;
            }
        }
        return i;
    }
}
