#include "driver/Tramelo.h"

#include "ecriture/Ecrivain.h"
#include "modele/Construction.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "scanner/Source.h"
#include "statements/Boucles.h"
#include "symbols/Symboles.h"
#include "types/TypesCodes.h"
#include "units/Unites.h"
#include "util/CExcTramelo.h"

#include <cstring>

using nsUtil::EMsg;

namespace nsTramelo
{
    CSortie Sortie;

    std::string CSortie::Prendre ()
    {
        std::string Texte = std::move (Tampon);
        Oublier ();
        return Texte;
    }

    void CSortie::Oublier ()
    {
        std::string ().swap (Tampon);
        Suivi = DansSource = false;
        DebutLigne = true;
        LigneAlgo = Prochaine = NbLignes = 0;
        DirectiveSource.clear ();
        DirectiveCpp.clear ();
    }

    void CSortie::Suivre (const std::string & Source, const std::string & Cpp)
    {
        Suivi = true;
        DirectiveSource = ' ' + LitteralCpp (Source) + '\n';
        DirectiveCpp = ' ' + LitteralCpp (Cpp) + '\n';
    }

    void CSortie::Ecrire (const char * Texte, std::size_t Lg)
    {
        while (Lg > 0)
        {
            if (DebutLigne)
            {
                // Une ligne vide ne porte pas de code : elle est seulement comptee.
                if (* Texte != '\n') Annoter ();
                DebutLigne = false;
            }
            const void * Fin = std::memchr (Texte, '\n', Lg);
            const std::size_t n = Fin ? static_cast <const char *> (Fin) - Texte + 1 : Lg;
            Tampon.append (Texte, n);
            if (Fin)
            {
                DebutLigne = true;
                ++NbLignes;
                ++Prochaine;
            }
            Texte += n;
            Lg -= n;
        }
    }

    void CSortie::Annoter ()
    {
        if (LigneAlgo != 0 && (! DansSource || Prochaine != LigneAlgo))
        {
            Tampon += "#line " + std::to_string (LigneAlgo) + DirectiveSource;
            DansSource = true;
            Prochaine = LigneAlgo;
            ++NbLignes;
        }
        else if (LigneAlgo == 0 && DansSource)
        {
            // La ligne qui suit la directive est la NbLignes + 2e du fichier.
            Tampon += "#line " + std::to_string (NbLignes + 2) + DirectiveCpp;
            DansSource = false;
            ++NbLignes;
        }
    }

    std::string Tabul;
    std::uint32_t TabulSz = 4;
    std::string IdentAlgo;

    void AugmenterTabul (std::string & Indent, unsigned n) { Indent.resize (Indent.size () + n, ' '); }
    void ReduireTabul (std::string & Indent, unsigned n) { Indent.resize (Indent.size () - n); }

    void GenererRand ()
    {
        Sortie <<
            "    class CRand\n"
            "    {\n"
            "      public :\n"
            "        CRand ()\n"
            "        {\n"
            "            time_t Date;\n"
            "            srandom (time (& Date));\n"
            "        }\n"
            "    } __Rand;\n"
            "\n"
            "    int Rand (int Min, int Max)\n"
            "    {\n"
            "        if (Min < 0       ) Min = 0;\n"
            "        if (Max > RAND_MAX) Max = RAND_MAX;\n"
            "        if (Max <= Min    ) return Min;\n"
            "\n"
            "        return Min + (random() % (Max - Min + 1));\n"
            "\n"
            "    } // Rand()\n"
            "\n";
    }

    // Le prelude commun aux deux profils, apres sa premiere ligne : en-tetes, types des tableaux.
    const char * const CorpsEntete =
            "\n"
            "#include <iostream>\n"
            "#include <stdexcept>\n"
            "#include <string>\n"
            "#include <vector>\n"
            "#include <limits>\n"
            "\n"
            "#include <ctime>          // time_t, time()\n"
            "#include <cstdlib>        // random(), srandom()\n"
            "#include <cstring>        // tolower(), toupper()\n"
            "\n"
            "using namespace std;\n"
            "\n"
            "namespace\n"
            "{\n"
            "\n"
            "    typedef std::vector <long int>      CVLInt;\n"
            "    typedef std::vector <long unsigned> CVLUInt;\n"
            "    typedef std::vector <char>          CVChar;\n"
            "    typedef std::vector <bool>          CVBool;\n"
            "    typedef std::vector <string>        CVString;\n"
            "    typedef std::vector <double>        CVDouble;\n"
            "    typedef unsigned long               ULong_t;\n"
            "\n";

    void GenererEntete ()
    {
        Sortie << "// fichier Source\n" << CorpsEntete;
        GenererRand ();
    }

    void Generer_main (const std::string & Algo)
    {
        Sortie <<
            "} // namespace\n"
            "\n"
            "int main()\n"
            "{\n"
            "    try\n"
            "    {\n"
            "        " << Algo << "(); \n"
            "    }\n"
            "    catch (const out_of_range & )\n"
            "    {\n"
            "        cout << \"\\nIndice invalide\\n\";\n"
            "        return 1;\n"
            "    }\n"
            "   return 0;\n"
            "\n"
            "} // main()\n";
    }

    // source ::= { procedure | fonction } algorithme
    void Tramelo ()
    {
        AjouterCst ("vrai", TBooleen, 0, Aucun);
        AjouterCst ("faux", TBooleen, 0, Aucun);
        Ecrivain->Entete ();
        AugmenterTabul (Tabul, TabulSz);
        for (;;)
        {
            const char c = SkipSpaces ();
            if (c == 0) throw CExcTramelo (EMsg::FinFichierPrematuree);
            if (c != 'p' && c != 'f' && c != 'a') throw CExcTramelo (EMsg::UniteAttendue);
            TraiterSsProgrOuAlgo (c);
            if (c == 'a') break;
        }
        if (SkipSpaces () != 0) throw CExcTramelo (EMsg::CodeApresFin);
        Ecrivain->Fin (IdentAlgo);
    }

    void Reinitialiser ()
    {
        ReinitialiserSymboles ();
        ReinitialiserRelecture ();
        OublierEcriture ();
        Tabul.clear ();
        TabulSz = 4;
        IdentAlgo.clear ();
        LeTypeDeRetour = 0;
        NbRepetImbriques = 0;
        FinLigne.clear ();
        fi.Charger ("");
        Sortie.Oublier ();
        Construction.Vider ();
    }
}
