// Point d'entree : traduit le source, puis transforme toute erreur en message et statut.
#include "driver/Ppal.h"
#include "util/CException.h"
#include "util/Messages.h"

#include <exception>
#include <iostream>

int main (int argc, char * argv [])
{
    std::ios::sync_with_stdio (false);
    // Un grand tampon de sortie : le C++ produit peut faire plusieurs fois la taille du source.
    static char Tampon [1 << 20];
    std::cout.rdbuf ()->pubsetbuf (Tampon, sizeof Tampon);
    try
    {
        nsTramelo::ppal (argc, argv);
        return 0;
    }
    catch (const nsUtil::CException & Exc)
    {
        std::cerr << Exc.GetLibelle () << '\n';
        return static_cast <int> (Exc.GetCodErr ());
    }
    catch (const std::exception & Exc)
    {
        std::cerr << nsUtil::Texte (nsUtil::EMsg::ExceptionStandard) << Exc.what () << '\n';
        return static_cast <int> (nsUtil::GetCode (nsUtil::EMsg::ExceptionStandard));
    }
    catch (...)
    {
        std::cerr << nsUtil::Texte (nsUtil::EMsg::ExceptionInconnue) << '\n';
        return static_cast <int> (nsUtil::GetCode (nsUtil::EMsg::ExceptionInconnue));
    }
}
