#include "statements/Structures.h"

#include "controles/Controles.h"
#include "driver/Tramelo.h"
#include "expressions/Booleenne.h"
#include "journal/Journal.h"
#include "scanner/Scanner.h"
#include "statements/Boucles.h"
#include "statements/Instructions.h"
#include "util/CExcTramelo.h"


using nsUtil::EMsg;

namespace nsTramelo
{
    void TraiterStruct (const std::string & Mot)
    {
        if (Mot == "boucle") TraiterBoucle ();
        else if (Mot == "choix_sur") TraiterChoixSur ();
        else if (Mot == "jusqua") TraiterJusquA ();
        else if (Mot == "pour") TraiterPour ();
        else if (Mot == "repeter") TraiterRepeter ();
        else if (Mot == "si") TraiterSi ();
        else if (Mot == "tant_que") TraiterTantQue ();
    }

    bool IsMotDeBranche (const std::string & Mot)
    {
        return Mot == "sinon" || Mot == "sinon_si" || Mot == "fsi";
    }

    namespace
    {
        // sortie ou continue dans la forme courte : seulement a l'interieur d'une boucle.
        void TraiterSortieCourte (EMsg Msg, const char * Ligne)
        {
            if (NbRepetImbriques == 0) throw CExcTramelo (Msg);
            ValidCar (';');
            Sortie << Tabul << Ligne << Tabul << "}\n";
        }
    }

    // si ::= si ( condition ) ( sortie ; | continue ; | renvoie expression ;
    //        | instructions { sinon_si ( condition ) instructions } [sinon instructions] fsi )
    void TraiterSi ()
    {
        // La condition est lue avant d'ecrire : une erreur ne laisse rien de la ligne.
        const std::string Condition = LireConditionParenthesee ();
        Sortie << Tabul << "if (" << Condition << ")\n" << Tabul << "{\n";

        std::string Mot;
        ExtraireIdentForce (Mot);
        // Profil verifie : une forme courte ecrite sur sa propre ligne y est rapportee.
        SituerSortie (GetPosLecture () - Mot.size ());
        if (Mot == "sortie") return TraiterSortieCourte (EMsg::SortieMalUtilisee, "    break;\n");
        if (Mot == "continue") return TraiterSortieCourte (EMsg::ContinueMalUtilise, "    continue;\n");
        if (Mot == "renvoie")
        {
            std::string Valeur;
            ExtraireValeurRenvoyee (Valeur);
            Sortie << Tabul << "   return (" << Valeur << ");\n";
            std::string Suivant;
            ExtraireIdentForce (Suivant);
            RemettreIdentDansFlux (Suivant);
            if (! IsMotDeBranche (Suivant))
            {
                Sortie << Tabul << "}\n";
                return;
            }
        }
        else RemettreIdentDansFlux (Mot);

        bool ApresSinon = false;
        // Toutes les branches finissent-elles par un renvoie ? (la premiere en est un si la forme
        // courte est suivie d'une autre branche)
        bool Terminale = true, BrancheRenvoie = Mot == "renvoie";
        for (;;)
        {
            const std::string Fin = TraiterInstructions ("fin_bloc_si");
            Terminale = Terminale && (Journal.SuiteTerminale || BrancheRenvoie);
            BrancheRenvoie = false;
            // Apres la branche sinon, seul fsi peut venir (sinon le C++ aurait un else orphelin).
            if (ApresSinon) VerifIdentAttendu (Fin, "fsi");
            if (Fin == "fsi") break;
            Sortie << Tabul << "}\n";
            if (Fin == "sinon")
            {
                ApresSinon = true;
                Sortie << Tabul << "else\n" << Tabul << "{\n";
            }
            else
            {
                const std::string Condition = LireConditionParenthesee ();
                Sortie << Tabul << "else if (" << Condition << ")\n" << Tabul << "{\n";
            }
        }
        Sortie << Tabul << "}\n";
        Journal.InstructionTerminale = ApresSinon && Terminale;
    }

    // choix_sur : accepte, ne produit rien.
    void TraiterChoixSur () {}
}
