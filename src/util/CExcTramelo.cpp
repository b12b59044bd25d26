#include "util/CExcTramelo.h"

#include "scanner/Source.h"

#include <algorithm>
#include <cstdio>

namespace nsTramelo
{
    std::size_t GetLigne (std::size_t Decalage)
    {
        const std::vector <std::uint32_t> & Fins = FinLigne;
        return 1 + (std::lower_bound (Fins.begin (), Fins.end (), Decalage) - Fins.begin ());
    }

    std::string GetLiCol ()
    {
        char Tampon [32];
        std::snprintf (Tampon, sizeof Tampon, "Ligne %4zu - ", GetLigne (GetPosLecture ()));
        return Tampon;
    }

    CExcTramelo::CExcTramelo (const std::string & Libelle, unsigned CodErr, nsUtil::EMsg Msg)
        : CException (GetLiCol () + Libelle, CodErr), Decalage (GetPosLecture ()), Msg (Msg) {}

    CExcTramelo::CExcTramelo (nsUtil::EMsg Msg, const std::string & Var1, const std::string & Var2)
        : CExcTramelo (nsUtil::Texte (Msg, Var1, Var2), nsUtil::GetCode (Msg), Msg)
    {
        this->Var1 = Var1;
        this->Var2 = Var2;
    }
}
