#include "frontaux/exec/Gdb.h"

#include "frontaux/exec/Chemins.h"
#include "frontaux/exec/Compilation.h"
#include "frontaux/exec/Statuts.h"
#include "frontaux/exec/Travail.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace nsExec
{
    namespace
    {
        // Au-dela, le nom affichable d'une copie serait trop long pour un nom de fichier.
        const std::size_t MaxNomCopie = 200;

        void Ecrire (const std::string & Chemin, const std::string & Contenu)
        {
            std::ofstream F (Chemin, std::ios::binary | std::ios::trunc);
            F.write (Contenu.data (), static_cast <std::streamsize> (Contenu.size ()));
            F.close ();
            if (! F) Echouer (StatutSysteme, "impossible d'ecrire " + Affichable (Chemin));
        }
    }

    std::string TrouverGdb ()
    {
        const char * G = std::getenv ("GDB");
        const std::string Gdb = G && * G ? G : "gdb";
        if (! Trouver (Gdb))
            Echouer (StatutGdbIntrouvable, "debogueur gdb introuvable (" + Affichable (Gdb) + ") ; installer gdb ou definir GDB");
        return Gdb;
    }

    namespace
    {
        std::string CheminScript (const std::string & Nom, std::string (& Places) [2])
        {
            const std::string Outil = DossierDeLOutil ();
            Places [0] = Outil + "/gdb/" + Nom;
            Places [1] = Outil + "/../share/tramelo/gdb/" + Nom;
            if (! Outil.empty ())
                for (const std::string & P : Places)
                    if (access (P.c_str (), R_OK) == 0) return P;
            return "";
        }
    }

    bool GdbPresent (const std::string & Script)
    {
        const char * G = std::getenv ("GDB");
        std::string Places [2];
        return Trouver (G && * G ? G : "gdb") && ! CheminScript (Script, Places).empty ();
    }

    std::string TrouverScript (const std::string & Nom)
    {
        std::string Places [2];
        const std::string Chemin = CheminScript (Nom, Places);
        if (! Chemin.empty ()) return Chemin;
        Echouer (StatutGdbIntrouvable, "script gdb " + Nom + " introuvable (cherche dans " + Affichable (Places [0])
                                       + " et " + Affichable (Places [1]) + ") ; reinstaller Tramelo");
    }

    SVue PreparerVue (const SSource & S)
    {
        SVue V;
        V.Texte = DansTravail ("texte.algo");
        Ecrire (V.Texte, S.Texte);
        if (S.Ordinaire && Imprimable (S.Nom))
        {
            V.Nom = S.Nom;
            V.Chemin = Absolu (S.Nom);
            return V;
        }
        V.Dossier = DansTravail ("source");
        if (mkdir (V.Dossier.c_str (), 0700) != 0)
            Echouer (StatutSysteme, "impossible de creer " + Affichable (V.Dossier) + " : " + std::strerror (errno));
        V.Nom = Affichable (Placer (S.Nom).Base + (Finit (S.Nom, ".algo") ? ".algo" : ""));
        if (V.Nom.size () > MaxNomCopie || V.Nom == "." || V.Nom == "..") V.Nom = "source.algo";
        V.Chemin = V.Dossier + '/' + V.Nom;
        Ecrire (V.Chemin, S.Texte);
        return V;
    }
}
