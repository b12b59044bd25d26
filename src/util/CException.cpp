#include "util/CException.h"

namespace nsUtil
{
    CException::CException (const std::string & Libelle, unsigned CodErr)
        : Libelle (Libelle), CodErr (CodErr) {}

    const char * CException::what () const noexcept { return Libelle.c_str (); }
}
