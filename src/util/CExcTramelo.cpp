#include "util/CExcTramelo.h"

#include "scanner/Source.h"

#include <algorithm>
#include <cstdio>

namespace nsTramelo
{
    std::string GetLiCol ()
    {
        std::size_t Pos = fi.Tellg ();
        if (Pos == CSource::PosInvalide) Pos = fi.Taille ();
        const std::vector <std::uint32_t> & Fins = FinLigne;
        const std::size_t Ligne =
            1 + (std::lower_bound (Fins.begin (), Fins.end (), Pos) - Fins.begin ());
        char Tampon [32];
        std::snprintf (Tampon, sizeof Tampon, "Ligne %4zu - ", Ligne);
        return Tampon;
    }

    CExcTramelo::CExcTramelo (const std::string & Libelle, unsigned CodErr)
        : CException (GetLiCol () + Libelle, CodErr) {}

    CExcTramelo::CExcTramelo (nsUtil::EMsg Msg, const std::string & Var1, const std::string & Var2)
        : CExcTramelo (nsUtil::Texte (Msg, Var1, Var2), nsUtil::GetCode (Msg)) {}
}
