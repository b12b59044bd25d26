#include "scanner/Scanner.h"

#include "scanner/Source.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    void ErreurFinInopinee () { throw CExcTramelo (EMsg::FinInopinee); }

    void ValidCar (char c)
    {
        if (SkipSpaces () != c) throw CExcTramelo (EMsg::CaractereAttendu, std::string (1, c));
        LireCarNonBlanc ();
    }

    std::string & ExtraireIdent (std::string & s)
    {
        fi.LireSuiteAlnum (s);
        return s;
    }

    std::string & ExtraireIdentForce (std::string & s)
    {
        char c;
        TestFinInopineeCode (c);
        if (! IsLettre (c)) throw CExcTramelo (EMsg::IdentifiantAttendu);
        return ExtraireIdent (s);
    }

    void RemettreIdentDansFlux (const std::string & s)
    {
        for (std::size_t i = s.size (); i-- > 0; ) fi.Unget ();
    }

    void VerifIdentAttendu (const std::string & Lu, const std::string & Attendu)
    {
        if (Lu != Attendu) throw CExcTramelo (EMsg::MotCleAttendu, Attendu, Lu);
    }

    void ValidMot (const std::string & Attendu)
    {
        std::string Mot;
        VerifIdentAttendu (ExtraireIdentForce (Mot), Attendu);
    }
}
