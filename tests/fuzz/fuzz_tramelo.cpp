// Cible libFuzzer : n'importe quels octets comme fichier source. La traduction doit finir
// normalement ou par une erreur d'analyse de la table (102 a 147) ; tout le reste est une trouvaille.
// Chaque source est traduit deux fois, avec et sans relecture rapide (predictions et memoire des
// lectures) : sortie, message et code doivent etre identiques.
#include "driver/Ppal.h"
#include "driver/Tramelo.h"
#include "relecture/Essai.h"
#include "scanner/Source.h"
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
#include <sstream>
#include <string>
#include <vector>

namespace
{
    // Recoit la sortie standard d'une traduction ; vide avant chacune.
    std::stringbuf Tampon;

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

    // Ce qu'une traduction donne : le texte produit, le message et le code de l'erreur (0 sinon).
    struct SResultat
    {
        std::string Sortie, Message;
        unsigned    Code = 0;
        bool operator== (const SResultat & R) const
        {
            return Sortie == R.Sortie && Message == R.Message && Code == R.Code;
        }
    };

    SResultat Traduire (const std::string & Source)
    {
        SResultat Resultat;
        Tampon.str ("");
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
            Resultat.Code = Exc.GetCodErr ();
            Resultat.Message = Exc.GetLibelle ();
            if (! IsCodeAnalyse (Resultat.Code))
                Trouvaille ("code hors de la table", std::to_string (Resultat.Code) + " " + Exc.GetLibelle ());
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
        nsTramelo::Sortie.Vider ();
        Resultat.Sortie = Tampon.str ();
        return Resultat;
    }

    // Sans relecture rapide, chaque appel imbrique triple a peu pres le travail, et chaque
    // parenthese le fait croitre comme le carre de la profondeur : au-dela de 8 appels ou de 40
    // parentheses imbriques, on ne compare plus (le corpus de test compare jusqu'a la borne).
    bool IsComparable (const std::string & Source)
    {
        std::vector <bool> Appels;   // pour chaque parenthese ouverte : suit-elle un nom ?
        unsigned NbAppels = 0;
        char Precedent = ' ';
        for (const char c : Source)
        {
            if (c == '(')
            {
                Appels.push_back (nsTramelo::IsAlnum (Precedent));
                NbAppels += Appels.back ();
                if (NbAppels > 8 || Appels.size () > 40) return false;
            }
            else if (c == ')' && ! Appels.empty ())
            {
                NbAppels -= Appels.back ();
                Appels.pop_back ();
            }
            if (! nsTramelo::IsBlanc (c)) Precedent = c;
        }
        return true;
    }
}

extern "C" int LLVMFuzzerInitialize (int *, char ***)
{
    std::cout.rdbuf (& Tampon);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t * Donnees, std::size_t Taille)
{
    const std::string Source (reinterpret_cast <const char *> (Donnees), Taille);
    nsTramelo::RelectureRapide = true;
    const SResultat Rapide = Traduire (Source);
    if (! IsComparable (Source)) return 0;
    nsTramelo::RelectureRapide = false;
    const SResultat Lent = Traduire (Source);
    nsTramelo::RelectureRapide = true;
    if (! (Rapide == Lent))
        Trouvaille ("traduction differente sans relecture rapide",
                    "codes " + std::to_string (Rapide.Code) + " et " + std::to_string (Lent.Code) + "\n"
                    + Rapide.Message + "\n" + Lent.Message);
    return 0;
}
