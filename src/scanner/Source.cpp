#include "scanner/Source.h"

#include <cmath>
#include <cstdlib>

namespace nsTramelo
{
    CSource fi;
    std::vector <std::uint32_t> FinLigne;

    void CSource::Charger (std::string T)
    {
        Texte = std::move (T);
        Pos = 0;
        Echec = false;
        NbEchecs = 0;
    }

    bool CSource::ExtraireDouble (double & Val)
    {
        Val = 0.0;
        if (Echec) return false;
        while (Pos < Texte.size () && IsBlanc (Texte [Pos])) ++Pos;
        // Accumule ce qu'un flux standard accepterait : chiffres, un point, un exposant signe.
        std::string Acc;
        bool Point = false, Exposant = false, Mantisse = false;
        while (Pos < Texte.size ())
        {
            const char c = Texte [Pos];
            if (c >= '0' && c <= '9')
            {
                if (! Exposant) Mantisse = true;
            }
            else if (c == '.' && ! Point && ! Exposant) Point = true;
            else if ((c == 'e' || c == 'E') && ! Exposant && Mantisse) Exposant = true;
            else if ((c == '+' || c == '-') && ! Acc.empty ()
                     && (Acc.back () == 'e' || Acc.back () == 'E')) {}
            else break;
            Acc += c;
            ++Pos;
        }
        if (Pos >= Texte.size ()) MettreEnEchec ();
        if (Acc.empty ()) { MettreEnEchec (); return false; }
        // Un entier court se lit exactement sans passer par strtod.
        if (Acc.size () <= 15 && Acc.find_first_not_of ("0123456789") == std::string::npos)
        {
            long long N = 0;
            for (char c : Acc) N = N * 10 + (c - '0');
            Val = static_cast <double> (N);
            return true;
        }
        char * Fin = nullptr;
        const double V = std::strtod (Acc.c_str (), & Fin);
        if (Fin != Acc.c_str () + Acc.size () || std::isinf (V))
        {
            Echec = true;
            return false;
        }
        Val = V;
        return true;
    }
}
