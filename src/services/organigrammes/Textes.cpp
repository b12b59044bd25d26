#include "services/organigrammes/Textes.h"

#include <cstdint>

namespace nsTramelo::nsOrganigramme
{
    namespace
    {
        bool Blanc (char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

        void AjouterUtf8 (std::string & R, std::uint32_t C)
        {
            if (C < 0x80) R += static_cast <char> (C);
            else if (C < 0x800)
            {
                R += static_cast <char> (0xC0 | (C >> 6));
                R += static_cast <char> (0x80 | (C & 0x3F));
            }
            else if (C < 0x10000)
            {
                R += static_cast <char> (0xE0 | (C >> 12));
                R += static_cast <char> (0x80 | ((C >> 6) & 0x3F));
                R += static_cast <char> (0x80 | (C & 0x3F));
            }
            else
            {
                R += static_cast <char> (0xF0 | (C >> 18));
                R += static_cast <char> (0x80 | ((C >> 12) & 0x3F));
                R += static_cast <char> (0x80 | ((C >> 6) & 0x3F));
                R += static_cast <char> (0x80 | (C & 0x3F));
            }
        }

        // Le caractere UTF-8 qui commence a S [i] : sa valeur et sa longueur ; longueur 0 si les
        // octets ne forment pas un caractere valide (trop long, tronque, substitut, au-dela de U+10FFFF).
        std::size_t Decoder (const std::string & S, std::size_t i, std::uint32_t & C)
        {
            const unsigned char b0 = static_cast <unsigned char> (S [i]);
            std::size_t n;
            std::uint32_t Min;
            if (b0 < 0x80) { C = b0; return 1; }
            if (b0 >= 0xC2 && b0 <= 0xDF) { n = 2; C = b0 & 0x1F; Min = 0x80; }
            else if (b0 >= 0xE0 && b0 <= 0xEF) { n = 3; C = b0 & 0x0F; Min = 0x800; }
            else if (b0 >= 0xF0 && b0 <= 0xF4) { n = 4; C = b0 & 0x07; Min = 0x10000; }
            else return 0;
            if (i + n > S.size ()) return 0;
            for (std::size_t k = 1; k < n; ++k)
            {
                const unsigned char b = static_cast <unsigned char> (S [i + k]);
                if ((b & 0xC0) != 0x80) return 0;
                C = (C << 6) | (b & 0x3F);
            }
            if (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) return 0;
            return n;
        }

        bool CommandeDeSens (std::uint32_t C)
        {
            return C == 0x061C || C == 0x200E || C == 0x200F || (C >= 0x202A && C <= 0x202E)
                || (C >= 0x2066 && C <= 0x2069);
        }

        // Debut du caractere UTF-8 qui suit celui de S [i] (texte deja valide).
        std::size_t Suivant (const std::string & S, std::size_t i)
        {
            ++i;
            while (i < S.size () && (static_cast <unsigned char> (S [i]) & 0xC0) == 0x80) ++i;
            return i;
        }
    }

    std::string TexteSource (const std::string & Texte, std::size_t Debut, std::size_t Fin)
    {
        if (Fin > Texte.size ()) Fin = Texte.size ();
        std::string R;
        bool BlancEnAttente = false;
        std::size_t i = Debut;
        // Un litteral se copie tel quel, blancs compris, jusqu'a son guillemet fermant.
        auto Copier = [&] (std::size_t j) { R += Texte [j]; };
        while (i < Fin)
        {
            const char c = Texte [i];
            if (Blanc (c))
            {
                BlancEnAttente = ! R.empty ();
                ++i;
                continue;
            }
            if (BlancEnAttente) R += ' ';
            BlancEnAttente = false;
            if (c == '"')
            {
                Copier (i++);
                bool Echappe = false;
                while (i < Fin)
                {
                    const char d = Texte [i];
                    Copier (i++);
                    if (d == '"' && ! Echappe) break;
                    Echappe = ! Echappe && d == '\\';
                }
            }
            else if (c == '\'')
            {
                // caractere ::= ' (c | \ c) '
                Copier (i++);
                if (i < Fin && Texte [i] == '\\') Copier (i++);
                if (i < Fin) Copier (i++);
                if (i < Fin && Texte [i] == '\'') Copier (i++);
            }
            else Copier (i++);
        }
        return R;
    }

    std::string Assainir (const std::string & S)
    {
        std::string R;
        R.reserve (S.size ());
        std::size_t i = 0;
        while (i < S.size ())
        {
            std::uint32_t C = 0;
            const std::size_t n = Decoder (S, i, C);
            if (n == 0)
            {
                AjouterUtf8 (R, 0xFFFD);
                ++i;
                continue;
            }
            if (C < 0x20) AjouterUtf8 (R, 0x2400 + C);
            else if (C == 0x7F) AjouterUtf8 (R, 0x2421);
            else if ((C >= 0x80 && C < 0xA0) || C == 0xFFFE || C == 0xFFFF || CommandeDeSens (C))
                AjouterUtf8 (R, 0xFFFD);
            else R.append (S, i, n);
            i += n;
        }
        return R;
    }

    std::size_t NbCaracteres (const std::string & S)
    {
        std::size_t N = 0;
        for (const char c : S)
            if ((static_cast <unsigned char> (c) & 0xC0) != 0x80) ++N;
        return N;
    }

    std::string Abreger (const std::string & S, std::size_t Max)
    {
        std::size_t i = 0, N = 0;
        while (i < S.size () && N < Max)
        {
            i = Suivant (S, i);
            ++N;
        }
        if (i >= S.size ()) return S;
        return S.substr (0, i) + "…";
    }

    std::vector <std::string> Couper (const std::string & S, std::size_t MaxColonnes, std::size_t MaxLignes,
                                      bool & Tronque)
    {
        Tronque = false;
        std::vector <std::string> Lignes;
        if (MaxColonnes < 2) MaxColonnes = 2;
        // Les blancs hors des litteraux sont les coupures preferees : un libelle
        // « Afficher "Total : ", s » ne se coupe pas au milieu de sa chaine s'il peut l'eviter.
        std::vector <bool> Dehors (S.size (), false);
        {
            char Litteral = 0;
            bool Echappe = false;
            for (std::size_t k = 0; k < S.size (); ++k)
            {
                const char c = S [k];
                if (Litteral != 0)
                {
                    if (c == Litteral && ! Echappe) Litteral = 0;
                    Echappe = ! Echappe && c == '\\';
                }
                else if (c == '"' || c == '\'') Litteral = c;
                else Dehors [k] = c == ' ';
            }
        }
        std::size_t i = 0;
        while (i < S.size ())
        {
            if (Lignes.size () == MaxLignes)
            {
                // Il reste du texte : la derniere ligne le dit.
                Tronque = true;
                std::string & Derniere = Lignes.back ();
                while (NbCaracteres (Derniere) + 1 > MaxColonnes)
                {
                    std::size_t j = Derniere.size ();
                    do --j; while (j > 0 && (static_cast <unsigned char> (Derniere [j]) & 0xC0) == 0x80);
                    Derniere.erase (j);
                }
                Derniere += "…";
                break;
            }
            // Au plus MaxColonnes caracteres ; coupe au dernier blanc hors litteral, sinon au
            // dernier blanc, sinon dans le mot.
            std::size_t j = i, N = 0, BlancDehors = std::string::npos, Blanc = std::string::npos;
            while (j < S.size () && N < MaxColonnes)
            {
                if (S [j] == ' ')
                {
                    Blanc = j;
                    if (Dehors [j]) BlancDehors = j;
                }
                j = Suivant (S, j);
                ++N;
            }
            std::size_t Fin = j, Reprise = j;
            if (j < S.size ())
            {
                if (S [j] == ' ' && Dehors [j]) Reprise = j + 1;
                else if (BlancDehors != std::string::npos && BlancDehors > i)
                {
                    Fin = BlancDehors;
                    Reprise = BlancDehors + 1;
                }
                else if (S [j] == ' ') Reprise = j + 1;
                else if (Blanc != std::string::npos && Blanc > i)
                {
                    Fin = Blanc;
                    Reprise = Blanc + 1;
                }
            }
            Lignes.push_back (S.substr (i, Fin - i));
            i = Reprise;
        }
        if (Lignes.empty ()) Lignes.emplace_back ();
        return Lignes;
    }

    std::string EchapperXml (const std::string & S)
    {
        std::string R;
        R.reserve (S.size ());
        for (const char c : S)
        {
            switch (c)
            {
                case '&' : R += "&amp;"; break;
                case '<' : R += "&lt;"; break;
                case '>' : R += "&gt;"; break;
                case '"' : R += "&quot;"; break;
                case '\'' : R += "&#39;"; break;
                default : R += c;
            }
        }
        return R;
    }

    std::string EchapperDot (const std::string & S)
    {
        // Entre guillemets, DOT ne connait que \" ; mais un libelle interprete aussi \n, \l, \N,
        // \G... (chaque \ est double) et les entites HTML (&amp; : chaque & en devient une).
        std::string R;
        R.reserve (S.size ());
        for (const char c : S)
        {
            if (c == '&')
            {
                R += "&amp;";
                continue;
            }
            if (c == '"' || c == '\\') R += '\\';
            R += c;
        }
        return R;
    }

    std::string EchapperMermaid (const std::string & S)
    {
        // Dans "...", Mermaid lit les entites #nom; et #123; ; il ecrit le libelle en HTML ou en
        // Markdown (`, *, _) : tout signe qui pourrait etre lu autrement devient une entite.
        std::string R;
        R.reserve (S.size ());
        for (const char c : S)
        {
            const unsigned char u = static_cast <unsigned char> (c);
            const bool Sur = u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                          || c == ' ' || c == ',' || c == '.' || c == '(' || c == ')' || c == '-' || c == '+'
                          || c == ':' || c == '=' || c == '/' || c == '\'' || c == '!' || c == '?' || c == '_';
            if (Sur) R += c;
            else R += "#" + std::to_string (u) + ";";
        }
        return R;
    }
}
