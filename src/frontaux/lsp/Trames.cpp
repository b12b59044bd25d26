#include "frontaux/lsp/Trames.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace nsLsp
{
    namespace
    {
        constexpr std::size_t MaxEnTete = 8192;   // un en-tete honnete tient en quelques dizaines d'octets
        const std::string NomLongueur = "content-length:";

        std::string Minuscules (std::string s)
        {
            for (char & c : s) c = static_cast <char> (std::tolower (static_cast <unsigned char> (c)));
            return s;
        }

        // Position de "Content-Length:" (casse indifferente) dans s a partir de Depuis, ou npos.
        std::size_t ChercherLongueur (const std::string & s, std::size_t Depuis, std::size_t Fin)
        {
            for (std::size_t i = Depuis; i + NomLongueur.size () <= Fin; ++i)
            {
                if ((s [i] | 0x20) != 'c') continue;
                std::size_t k = 0;
                while (k < NomLongueur.size ()
                       && std::tolower (static_cast <unsigned char> (s [i + k])) == NomLongueur [k]) ++k;
                if (k == NomLongueur.size ()) return i;
            }
            return std::string::npos;
        }

        // Nom d'en-tete : lettres, chiffres et tirets, suivi de ':'.
        bool IsLigneEnTete (const std::string & Ligne)
        {
            const std::size_t DeuxPoints = Ligne.find (':');
            if (DeuxPoints == 0 || DeuxPoints == std::string::npos) return false;
            for (std::size_t i = 0; i < DeuxPoints; ++i)
                if (! std::isalnum (static_cast <unsigned char> (Ligne [i])) && Ligne [i] != '-') return false;
            return true;
        }
    }

    void CTrames::Ajouter (const char * Octets, std::size_t Nb)
    {
        Tampon.append (Octets, Nb);
    }

    void CTrames::Compacter ()
    {
        if (Debut > 65536 && Debut * 2 > Tampon.size ())
        {
            Tampon.erase (0, Debut);
            Debut = 0;
        }
        if (Debut == Tampon.size ())
        {
            Tampon.clear ();
            Debut = 0;
            // Un grand message lu ne garde pas sa memoire.
            if (Tampon.capacity () > (std::size_t (1) << 20)) std::string ().swap (Tampon);
        }
    }

    // en-tete : { nom ':' valeur "\r\n" } "\r\n" ; il faut un Content-Length entier, au plus MaxCorps.
    bool CTrames::LireEnTete (std::vector <std::string> & Anomalies)
    {
        const std::size_t Fin = Tampon.find ("\r\n\r\n", Debut);
        if (Fin == std::string::npos)
        {
            if (Tampon.size () - Debut <= MaxEnTete) return false;
            // Pas d'en-tete dans tout ce qui est arrive : on garde a partir du dernier
            // Content-Length (ou la toute fin, qui peut en etre le debut) et on jette le reste.
            std::size_t Garde = Tampon.size () - std::min <std::size_t> (Tampon.size () - Debut, NomLongueur.size ());
            for (std::size_t p = ChercherLongueur (Tampon, Debut + 1, Tampon.size ()); p != std::string::npos;
                 p = ChercherLongueur (Tampon, p + 1, Tampon.size ()))
                Garde = p;
            if (! ParasitesSignales)
                Anomalies.push_back ("octets hors message ignorés (aucun en-tête Content-Length)");
            ParasitesSignales = true;
            Debut = Garde;
            Compacter ();
            return false;
        }
        // Lignes de l'en-tete ; une ligne qui n'en est pas une annule ce qui precede, sauf si un
        // Content-Length y commence plus loin (reste d'un message precedent colle a l'en-tete).
        bool Parasites = false, LongueurVue = false, LongueurValide = false;
        std::size_t Longueur = 0;
        std::size_t i = Debut;
        while (i < Fin)
        {
            std::size_t FinLigne = Tampon.find ("\r\n", i);
            if (FinLigne == std::string::npos || FinLigne > Fin) FinLigne = Fin;
            std::string Ligne = Tampon.substr (i, FinLigne - i);
            i = FinLigne + 2;
            if (! IsLigneEnTete (Ligne))
            {
                Parasites = true;
                LongueurVue = LongueurValide = false;
                const std::size_t p = ChercherLongueur (Ligne, 0, Ligne.size ());
                if (p == std::string::npos) continue;
                Ligne.erase (0, p);
            }
            const std::size_t DeuxPoints = Ligne.find (':');
            if (Minuscules (Ligne.substr (0, DeuxPoints + 1)) != NomLongueur) continue;
            LongueurVue = true;
            LongueurValide = false;
            std::size_t a = DeuxPoints + 1, b = Ligne.size ();
            while (a < b && (Ligne [a] == ' ' || Ligne [a] == '\t')) ++a;
            while (b > a && (Ligne [b - 1] == ' ' || Ligne [b - 1] == '\t')) --b;
            if (a == b || b - a > 12) continue;
            Longueur = 0;
            LongueurValide = true;
            for (std::size_t k = a; k < b; ++k)
            {
                if (Ligne [k] < '0' || Ligne [k] > '9') { LongueurValide = false; break; }
                Longueur = Longueur * 10 + static_cast <std::size_t> (Ligne [k] - '0');
            }
        }
        Debut = Fin + 4;
        const bool DejaSignales = ParasitesSignales;
        ParasitesSignales = false;
        if (! LongueurVue)
        {
            if (! DejaSignales)
                Anomalies.push_back (Parasites ? "octets hors message ignorés (aucun en-tête Content-Length)"
                                               : "en-tête sans Content-Length : message ignoré");
            return true;
        }
        if (Parasites && ! DejaSignales) Anomalies.push_back ("octets hors message ignorés avant un en-tête");
        if (! LongueurValide)
        {
            Anomalies.push_back ("Content-Length invalide : message ignoré");
            return true;
        }
        if (Longueur > MaxCorps)
        {
            // Son corps passera pour des octets parasites, deja signales par le refus.
            TropGrand = Longueur;
            ParasitesSignales = true;
            return true;
        }
        Attendu = Longueur;
        DansCorps = true;
        return true;
    }

    // message : en-tete corps ; corps : exactement Content-Length octets (du JSON, verifie plus loin).
    bool CTrames::Extraire (std::string & Corps, std::vector <std::string> & Anomalies)
    {
        Tronquee = 0;
        for (;;)
        {
            if (TropGrand != 0)
            {
                // Le debut du corps trop grand, sans le consommer : s'il contient une fin d'en-tete,
                // la longueur etait fausse et la resynchronisation trouvera le message suivant.
                const std::size_t Voulu = std::min (TropGrand, MaxApercu);
                const std::size_t Vu = std::min (Tampon.size () - Debut, Voulu);
                if (Vu < Voulu && Tampon.find ("\r\n\r\n", Debut) == std::string::npos) return false;
                Corps.assign (Tampon, Debut, Vu);
                Tronquee = TropGrand;
                TropGrand = 0;
                return true;
            }
            if (! DansCorps)
            {
                if (! LireEnTete (Anomalies)) return false;
                continue;
            }
            if (Tampon.size () - Debut < Attendu)
            {
                // Un grand corps est reserve d'un coup : sans recopies successives, chaque page n'est
                // touchee qu'une fois (une longueur fausse ne reserve que de la memoire virtuelle).
                if (Debut > 0 && Tampon.size () - Debut < 65536 && Attendu > 65536)
                {
                    Tampon.erase (0, Debut);
                    Debut = 0;
                }
                if (Tampon.capacity () < Debut + Attendu) Tampon.reserve (Debut + Attendu);
                return false;
            }
            if (Debut == 0 && Attendu > 65536)
            {
                // Un grand corps en tete du tampon est rendu sans recopie ; la suite (le debut
                // d'un autre message) passe dans un tampon neuf.
                std::string Reste = Tampon.substr (Attendu);
                Tampon.resize (Attendu);
                Corps.swap (Tampon);
                Tampon = std::move (Reste);
                DansCorps = false;
                return true;
            }
            Corps.assign (Tampon, Debut, Attendu);
            Debut += Attendu;
            DansCorps = false;
            Compacter ();
            return true;
        }
    }
}
