#include "services/organigrammes/Textes.h"
#include "services/explications/Lexique.h"

#include <cstdint>

namespace nsTramelo::nsOrganigramme
{
    namespace
    {
        bool Blanc (char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

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
            const std::size_t n = LongueurUtf8 (S, i);
            if (n == 0)
            {
                AjouterUtf8 (R, 0xFFFD);
                ++i;
                continue;
            }
            const std::uint32_t C = PointDeCode (S, i);
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
