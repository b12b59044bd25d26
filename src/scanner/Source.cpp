#include "scanner/Source.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace nsTramelo
{
    CSource fi;
    std::vector <std::uint32_t> FinLigne;

    bool IsBlanc (char c)
    {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }

    void CSource::Charger (std::string T)
    {
        Texte = std::move (T);
        Pos = 0;
        Echec = false;
    }

    bool CSource::LireCarFormate (char & c)
    {
        if (Echec) return false;
        while (Pos < Texte.size () && IsBlanc (Texte [Pos])) ++Pos;
        if (Pos >= Texte.size ())
        {
            MettreEnEchec ();
            return false;
        }
        c = Texte [Pos++];
        return true;
    }

    bool CSource::Get (char & c)
    {
        if (Echec) return false;
        if (Pos >= Texte.size ())
        {
            MettreEnEchec ();
            return false;
        }
        c = Texte [Pos++];
        return true;
    }

    void CSource::Unget ()
    {
        if (! Echec && Pos > 0) --Pos;
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
        char * Fin = nullptr;
        errno = 0;
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
