#include "services/explications/Lexique.h"

#include "scanner/Source.h"

#include <algorithm>
#include <cstring>

namespace nsTramelo
{
    namespace
    {
        bool IsNonAscii (char c) { return static_cast <unsigned char> (c) >= 0x80; }
        bool IsLettreAscii (char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
        bool IsChiffreAscii (char c) { return c >= '0' && c <= '9'; }

        // Symboles de deux caracteres qu'on rencontre dans les sources des debutants.
        const char * const Doubles [] =
            { "<-", "<=", ">=", "<>", "==", "!=", "&&", "||", ":=", "++", "--", "+=", "-=", "**",
              "=<", "=>", "/=" };
    }

    bool SJeton::Est (const std::string & Texte, const char * Mot) const
    {
        const std::size_t Lg = std::strlen (Mot);
        return Lg == Longueur && Texte.compare (Debut, Lg, Mot) == 0;
    }

    SJeton CLexique::LireJeton (std::size_t Pos) const
    {
        SJeton J;
        J.Debut = Pos;
        if (Pos >= Texte.size ()) return J;
        const char c = Texte [Pos];
        std::size_t i = Pos + 1;
        if (IsLettreAscii (c) || IsNonAscii (c) || c == '_')
        {
            J.Genre = EJeton::Mot;
            J.NonAscii = IsNonAscii (c);
            for (; i < Texte.size () && (IsAlnum (Texte [i]) || IsNonAscii (Texte [i])); ++i)
                if (IsNonAscii (Texte [i])) J.NonAscii = true;
        }
        else if (IsChiffreAscii (c))
        {
            J.Genre = EJeton::Nombre;
            while (i < Texte.size () && (IsChiffreAscii (Texte [i]) || Texte [i] == '.')) ++i;
            if (i < Texte.size () && (Texte [i] == 'e' || Texte [i] == 'E'))
            {
                std::size_t k = i + 1;
                if (k < Texte.size () && (Texte [k] == '+' || Texte [k] == '-')) ++k;
                if (k < Texte.size () && IsChiffreAscii (Texte [k]))
                {
                    i = k;
                    while (i < Texte.size () && IsChiffreAscii (Texte [i])) ++i;
                }
            }
        }
        else if (c == '"')
        {
            J.Genre = EJeton::Chaine;
            while (i < Texte.size () && Texte [i] != '"') i += Texte [i] == '\\' ? 2 : 1;
            J.Ferme = i < Texte.size ();
            i = std::min (i + 1, Texte.size ());
        }
        else if (c == '\'')
        {
            J.Genre = EJeton::Caractere;
            // Jusqu'a l'apostrophe fermante de la meme ligne ; sans elle, l'apostrophe seule.
            std::size_t k = i;
            while (k < Texte.size () && Texte [k] != '\'' && Texte [k] != '\n') k += Texte [k] == '\\' ? 2 : 1;
            if (k < Texte.size () && Texte [k] == '\'') i = k + 1;
            else J.Ferme = false;
        }
        else
        {
            J.Genre = EJeton::Symbole;
            for (const char * D : Doubles)
                if (i < Texte.size () && c == D [0] && Texte [i] == D [1])
                {
                    ++i;
                    break;
                }
        }
        J.Longueur = i - Pos;
        return J;
    }

    SJeton CLexique::Suivant (std::size_t Pos) const
    {
        while (Pos < Texte.size () && IsBlanc (Texte [Pos])) ++Pos;
        return LireJeton (Pos);
    }

    std::vector <SJeton> CLexique::Jetons (std::size_t Debut, std::size_t Fin) const
    {
        std::vector <SJeton> V;
        Fin = std::min (Fin, Texte.size ());
        for (SJeton J = Suivant (Debut); J.Genre != EJeton::Fin && J.Debut < Fin; J = Suivant (J.Fin ()))
            V.push_back (J);
        return V;
    }

    SJeton CLexique::Precedent (std::size_t Pos) const
    {
        if (Pos == 0 || FinLignes.empty ()) return {};
        Pos = std::min (Pos, Texte.size ());
        // Les lignes blanches qui precedent sont sautees, sans remonter indefiniment.
        std::size_t L = Ligne (Pos - 1);
        for (std::size_t Essais = 0; L >= 1 && Essais < 10000; --L, ++Essais)
        {
            // Une ligne blanche n'a pas de jeton ; la lire ferait sauter a Suivant tous les blancs
            // qui suivent, jusqu'a Pos (quadratique sur des milliers de lignes blanches).
            if (! LigneBlanche (L))
            {
                SJeton Dernier;
                for (const SJeton & J : Jetons (DebutLigne (L), std::min (Pos, FinLigne (L))))
                    if (J.Fin () <= Pos) Dernier = J;
                if (Dernier.Genre != EJeton::Fin) return Dernier;
            }
            if (L == 1) break;
        }
        return {};
    }

    std::size_t CLexique::Ligne (std::size_t Pos) const
    {
        if (FinLignes.empty ()) return 1;
        const std::size_t L = std::upper_bound (FinLignes.begin (), FinLignes.end (), Pos) - FinLignes.begin () + 1;
        return std::min (L, FinLignes.size ());
    }

    std::size_t CLexique::DebutLigne (std::size_t L) const
    {
        return L <= 1 || FinLignes.empty () ? 0 : FinLignes [std::min (L, FinLignes.size ()) - 2];
    }

    std::size_t CLexique::FinLigne (std::size_t L) const
    {
        if (FinLignes.empty ()) return 0;
        return FinLignes [std::min (std::max <std::size_t> (L, 1), FinLignes.size ()) - 1] - 1;
    }

    std::size_t CLexique::PremierNonBlanc (std::size_t L) const
    {
        std::size_t i = DebutLigne (L);
        const std::size_t Fin = FinLigne (L);
        while (i < Fin && IsBlanc (Texte [i])) ++i;
        return i;
    }

    bool CLexique::LigneBlanche (std::size_t L) const { return PremierNonBlanc (L) >= FinLigne (L); }

    std::size_t CLexique::Indentation (std::size_t L) const { return PremierNonBlanc (L) - DebutLigne (L); }

    bool CLexique::EnDebutDeLigne (std::size_t Pos) const
    {
        return PremierNonBlanc (Ligne (Pos)) >= Pos;
    }

    // --- Texte des messages ---

    std::size_t LongueurUtf8 (const std::string & T, std::size_t Pos)
    {
        if (Pos >= T.size ()) return 0;
        const unsigned char c = static_cast <unsigned char> (T [Pos]);
        std::size_t Lg;
        if (c < 0x80) return 1;
        else if (c >= 0xC2 && c <= 0xDF) Lg = 2;
        else if (c >= 0xE0 && c <= 0xEF) Lg = 3;
        else if (c >= 0xF0 && c <= 0xF4) Lg = 4;
        else return 0;
        if (Pos + Lg > T.size ()) return 0;
        for (std::size_t k = 1; k < Lg; ++k)
            if ((static_cast <unsigned char> (T [Pos + k]) & 0xC0) != 0x80) return 0;
        // Formes trop longues et substituts refuses.
        const unsigned char d = static_cast <unsigned char> (T [Pos + 1]);
        if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90)
            || (c == 0xF4 && d >= 0x90)) return 0;
        return Lg;
    }

    std::uint32_t PointDeCode (const std::string & T, std::size_t Pos)
    {
        const std::size_t Lg = LongueurUtf8 (T, Pos);
        if (Lg == 0) return 0;
        const unsigned char c = static_cast <unsigned char> (T [Pos]);
        std::uint32_t Cp = Lg == 1 ? c : Lg == 2 ? (c & 0x1F) : Lg == 3 ? (c & 0x0F) : (c & 0x07);
        for (std::size_t k = 1; k < Lg; ++k) Cp = (Cp << 6) | (static_cast <unsigned char> (T [Pos + k]) & 0x3F);
        return Cp;
    }

    void AjouterUtf8 (std::string & R, std::uint32_t Code)
    {
        if (Code < 0x80) R += static_cast <char> (Code);
        else if (Code < 0x800)
        {
            R += static_cast <char> (0xC0 | (Code >> 6));
            R += static_cast <char> (0x80 | (Code & 0x3F));
        }
        else if (Code < 0x10000)
        {
            R += static_cast <char> (0xE0 | (Code >> 12));
            R += static_cast <char> (0x80 | ((Code >> 6) & 0x3F));
            R += static_cast <char> (0x80 | (Code & 0x3F));
        }
        else
        {
            R += static_cast <char> (0xF0 | (Code >> 18));
            R += static_cast <char> (0x80 | ((Code >> 12) & 0x3F));
            R += static_cast <char> (0x80 | ((Code >> 6) & 0x3F));
            R += static_cast <char> (0x80 | (Code & 0x3F));
        }
    }

    std::string Utf8Valide (const std::string & T)
    {
        std::string R;
        R.reserve (T.size ());
        for (std::size_t i = 0; i < T.size (); )
        {
            const std::size_t Lg = LongueurUtf8 (T, i);
            if (Lg == 0)
            {
                R += "\xEF\xBF\xBD";
                ++i;
            }
            else
            {
                R.append (T, i, Lg);
                i += Lg;
            }
        }
        return R;
    }

    std::string Citer (const std::string & Mot) { return "« " + Utf8Valide (Mot) + " »"; }

    std::size_t LargeurAffichee (const std::string & T, std::size_t Debut, std::size_t Fin)
    {
        std::size_t N = 0;
        for (std::size_t i = Debut; i < Fin && i < T.size (); )
        {
            const std::size_t Lg = LongueurUtf8 (T, i);
            i += Lg == 0 ? 1 : Lg;
            ++N;
        }
        return N;
    }

    std::size_t Distance (const std::string & a, const std::string & b, std::size_t Max)
    {
        const std::size_t n = a.size (), m = b.size ();
        if ((n > m ? n - m : m - n) > Max) return Max + 1;
        // Seule la bande |i - j| <= Max compte : hors d'elle la distance depasse deja Max. Le cout
        // est en n * Max et non n * m (deux longs noms voisins se comparent sans delai).
        const std::size_t Infini = Max + 1;
        std::vector <std::size_t> Avant (m + 2, Infini), Prec (m + 2, Infini), Cour (m + 2, Infini);
        for (std::size_t j = 0; j <= std::min (m, Max); ++j) Prec [j] = j;
        for (std::size_t i = 1; i <= n; ++i)
        {
            const std::size_t Debut = i > Max ? i - Max : 1, Fin = std::min (m, i + Max);
            // Bords de la bande : la colonne qui la precede et celle qui la suit, lues par cette
            // ligne et la suivante.
            Cour [Debut - 1] = Debut == 1 ? std::min (i, Infini) : Infini;
            Cour [Fin + 1] = Infini;
            std::size_t MinLigne = Cour [Debut - 1];
            for (std::size_t j = Debut; j <= Fin; ++j)
            {
                const std::size_t Cout = a [i - 1] == b [j - 1] ? 0 : 1;
                Cour [j] = std::min ({ Prec [j] + 1, Cour [j - 1] + 1, Prec [j - 1] + Cout, Infini });
                if (i > 1 && j > 1 && a [i - 1] == b [j - 2] && a [i - 2] == b [j - 1])
                    Cour [j] = std::min (Cour [j], Avant [j - 2] + 1);
                MinLigne = std::min (MinLigne, Cour [j]);
            }
            if (MinLigne > Max) return Max + 1;
            Avant.swap (Prec);
            Prec.swap (Cour);
        }
        return std::min (Prec [m], Max + 1);
    }

    std::string Minuscules (const std::string & Mot)
    {
        std::string R = Mot;
        for (char & c : R)
            if (c >= 'A' && c <= 'Z') c = static_cast <char> (c - 'A' + 'a');
        return R;
    }

    std::string SansAccents (const std::string & Mot)
    {
        static const struct { std::uint32_t Cp; const char * Ascii; } Table [] =
        {
            { 0xE0, "a" }, { 0xE2, "a" }, { 0xE4, "a" }, { 0xE1, "a" }, { 0xE7, "c" }, { 0xE9, "e" },
            { 0xE8, "e" }, { 0xEA, "e" }, { 0xEB, "e" }, { 0xEE, "i" }, { 0xEF, "i" }, { 0xED, "i" },
            { 0xF4, "o" }, { 0xF6, "o" }, { 0xF3, "o" }, { 0xF9, "u" }, { 0xFB, "u" }, { 0xFC, "u" },
            { 0xFA, "u" }, { 0xFF, "y" }, { 0xF1, "n" }, { 0x153, "oe" }, { 0xE6, "ae" },
            { 0xC0, "A" }, { 0xC2, "A" }, { 0xC4, "A" }, { 0xC7, "C" }, { 0xC9, "E" }, { 0xC8, "E" },
            { 0xCA, "E" }, { 0xCB, "E" }, { 0xCE, "I" }, { 0xCF, "I" }, { 0xD4, "O" }, { 0xD6, "O" },
            { 0xD9, "U" }, { 0xDB, "U" }, { 0xDC, "U" }, { 0x152, "OE" }, { 0xC6, "AE" },
        };
        std::string R;
        for (std::size_t i = 0; i < Mot.size (); )
        {
            if (! IsNonAscii (Mot [i]))
            {
                R += Mot [i++];
                continue;
            }
            const std::size_t Lg = LongueurUtf8 (Mot, i);
            const std::uint32_t Cp = PointDeCode (Mot, i);
            for (const auto & E : Table)
                if (E.Cp == Cp)
                {
                    R += E.Ascii;
                    break;
                }
            i += Lg == 0 ? 1 : Lg;
        }
        return R;
    }
}
