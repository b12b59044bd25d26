#include "frontaux/exec/Chemins.h"

#include <climits>
#include <vector>

#include <unistd.h>

namespace nsExec
{
    namespace
    {
        // Longueur de la sequence UTF-8 valide qui commence en Texte [i], 0 si elle ne l'est pas
        // (formes trop longues, substituts et valeurs au-dela de U+10FFFF refusees) ; Point :
        // la valeur du caractere.
        std::size_t SequenceUtf8 (const std::string & Texte, std::size_t i, unsigned long & Point)
        {
            const unsigned char c = static_cast <unsigned char> (Texte [i]);
            std::size_t n;
            if (c < 0x80) n = 1, Point = c;
            else if (c >= 0xC2 && c <= 0xDF) n = 2, Point = c & 0x1F;
            else if (c >= 0xE0 && c <= 0xEF) n = 3, Point = c & 0x0F;
            else if (c >= 0xF0 && c <= 0xF4) n = 4, Point = c & 0x07;
            else return 0;
            if (i + n > Texte.size ()) return 0;
            for (std::size_t k = 1; k < n; ++k)
            {
                const unsigned char s = static_cast <unsigned char> (Texte [i + k]);
                if ((s & 0xC0) != 0x80) return 0;
                Point = (Point << 6) | (s & 0x3F);
            }
            if ((n == 3 && Point < 0x800) || (n == 4 && (Point < 0x10000 || Point > 0x10FFFF))
                || (Point >= 0xD800 && Point <= 0xDFFF))
                return 0;
            return n;
        }

        bool Controle (unsigned long Point) { return Point < 0x20 || (Point >= 0x7F && Point <= 0x9F); }
    }

    std::string Argument (const std::string & Chemin)
    {
        return ! Chemin.empty () && Chemin [0] == '-' ? "./" + Chemin : Chemin;
    }

    std::string Absolu (const std::string & Chemin)
    {
        if (! Chemin.empty () && Chemin [0] == '/') return Chemin;
        std::vector <char> Tampon (PATH_MAX + 1);
        if (! getcwd (Tampon.data (), Tampon.size ())) return Chemin;
        const std::string Courant = Tampon.data ();
        return (Courant == "/" ? "" : Courant) + '/' + Chemin;
    }

    std::string Affichable (const std::string & Nom)
    {
        std::string R;
        for (std::size_t i = 0; i < Nom.size ();)
        {
            unsigned long Point = 0;
            const std::size_t n = SequenceUtf8 (Nom, i, Point);
            if (n > 0 && ! Controle (Point))
            {
                R.append (Nom, i, n);
                i += n;
                continue;
            }
            // Un octet refuse (ou chaque octet d'un caractere de controle C1).
            const std::size_t Fin = n > 0 ? i + n : i + 1;
            for (; i < Fin; ++i)
            {
                const unsigned char c = static_cast <unsigned char> (Nom [i]);
                const char * Chiffres = "0123456789abcdef";
                R += "\\x";
                R += Chiffres [c >> 4];
                R += Chiffres [c & 15];
            }
        }
        return R;
    }

    bool Imprimable (const std::string & Nom)
    {
        for (std::size_t i = 0; i < Nom.size ();)
        {
            unsigned long Point = 0;
            const std::size_t n = SequenceUtf8 (Nom, i, Point);
            if (n == 0 || Controle (Point)) return false;
            i += n;
        }
        return true;
    }

    bool Finit (const std::string & Texte, const std::string & Fin)
    {
        return Texte.size () >= Fin.size () && Texte.compare (Texte.size () - Fin.size (), Fin.size (), Fin) == 0;
    }

    SPlace Placer (const std::string & Source)
    {
        SPlace P;
        const std::size_t Barre = Source.rfind ('/');
        P.Dossier = Barre == std::string::npos ? "." : Source.substr (0, Barre);
        if (P.Dossier.empty ()) P.Dossier = "/";
        P.Base = Barre == std::string::npos ? Source : Source.substr (Barre + 1);
        if (Finit (P.Base, ".algo")) P.Base.resize (P.Base.size () - 5);
        if (P.Base.empty ()) P.Base = "programme";
        return P;
    }

    std::string DossierDeLOutil ()
    {
        std::vector <char> Tampon (PATH_MAX + 1);
        const ssize_t n = readlink ("/proc/self/exe", Tampon.data (), Tampon.size () - 1);
        if (n <= 0) return "";
        const std::string Chemin (Tampon.data (), static_cast <std::size_t> (n));
        const std::size_t Barre = Chemin.rfind ('/');
        return Barre == std::string::npos ? "" : Chemin.substr (0, Barre == 0 ? 1 : Barre);
    }
}
