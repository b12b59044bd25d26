// Cible libFuzzer : n'importe quels octets comme fichier source. La traduction doit finir
// normalement ou par une erreur d'analyse de la table (102 a 147) ; tout le reste est une trouvaille.
#include "driver/Ppal.h"
#include "driver/Tramelo.h"
#include "relecture/Essai.h"
#include "statements/Boucles.h"
#include "symbols/Symboles.h"
#include "util/CException.h"
#include "util/Messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <streambuf>
#include <string>

namespace
{
    // Accepte tout sans rien garder : la sortie produite n'interesse pas le fuzzer.
    class CTamponNul : public std::streambuf
    {
      protected :
        int_type overflow (int_type c) override { return traits_type::not_eof (c); }
        std::streamsize xsputn (const char *, std::streamsize n) override { return n; }
    };

    CTamponNul TamponNul;

    [[noreturn]] void Trouvaille (const char * Quoi, const std::string & Detail)
    {
        std::fprintf (stderr, "\n*** %s : %s\n", Quoi, Detail.c_str ());
        std::abort ();
    }

    // Les codes des erreurs d'analyse, tires de la table des messages (pas tout 102..147).
    bool IsCodeAnalyse (unsigned Code)
    {
        if (Code < 102 || Code > 147) return false;
        for (unsigned i = 0; i < static_cast <unsigned> (nsUtil::EMsg::NbMessages); ++i)
            if (nsUtil::GetCode (static_cast <nsUtil::EMsg> (i)) == Code) return true;
        return false;
    }

    // Une erreur d'analyse commence par "Ligne ", le numero sur 4 caracteres au moins, " - ".
    bool IsLibelleLigne (const std::string & Libelle)
    {
        if (Libelle.compare (0, 6, "Ligne ") != 0) return false;
        std::size_t i = 6;
        while (i < Libelle.size () && Libelle [i] == ' ') ++i;
        const std::size_t Chiffres = i;
        while (i < Libelle.size () && Libelle [i] >= '0' && Libelle [i] <= '9') ++i;
        if (i == Chiffres || i < 10 || Libelle [Chiffres] == '0') return false;
        return Libelle.compare (i, 3, " - ") == 0 && Libelle.size () > i + 3;
    }
}

extern "C" int LLVMFuzzerInitialize (int *, char ***)
{
    std::cout.rdbuf (& TamponNul);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t * Donnees, std::size_t Taille)
{
    const std::string Source (reinterpret_cast <const char *> (Donnees), Taille);
    std::cout.clear ();
    nsTramelo::Reinitialiser ();
    const std::size_t NbVar = nsTramelo::VIdentVar.size (), NbTab = nsTramelo::VIdentTab.size ();
    const std::size_t NbCst = nsTramelo::VIdentCst.size (), NbParam = nsTramelo::VIdentParamFormel.size ();
    try
    {
        nsTramelo::ChargerSource (Source, 4);
        nsTramelo::Tramelo ();
        // Une traduction complete a referme tous ses blocs : seuls vrai et faux restent declares.
        if (nsTramelo::NivBloc != 0 || nsTramelo::NbRepetImbriques != 0 || nsTramelo::Tabul != "    ")
            Trouvaille ("blocs non refermes apres une traduction", std::to_string (nsTramelo::NivBloc));
        if (nsTramelo::VIdentVar.size () != NbVar || nsTramelo::VIdentTab.size () != NbTab
            || nsTramelo::VIdentCst.size () != NbCst + 2 || nsTramelo::VIdentParamFormel.size () != NbParam)
            Trouvaille ("declarations non depilees apres une traduction", "");
    }
    catch (const nsUtil::CException & Exc)
    {
        const unsigned Code = Exc.GetCodErr ();
        if (! IsCodeAnalyse (Code))
            Trouvaille ("code hors de la table", std::to_string (Code) + " " + Exc.GetLibelle ());
        if (! IsLibelleLigne (Exc.GetLibelle ()))
            Trouvaille ("message sans ligne", Exc.GetLibelle ());
    }
    catch (const std::exception & Exc)
    {
        Trouvaille ("exception standard", Exc.what ());
    }
    catch (...)
    {
        Trouvaille ("exception inconnue", "");
    }
    // Chaque niveau ouvert doit avoir ete referme, erreur ou pas : sinon la borne derive.
    if (nsTramelo::Imbrication != 0)
        Trouvaille ("imbrication non refermee", std::to_string (nsTramelo::Imbrication));
    return 0;
}
