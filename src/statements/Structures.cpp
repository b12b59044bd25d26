#include "statements/Structures.h"

#include "ecriture/Ecrivain.h"
#include "expressions/Booleenne.h"
#include "modele/Construction.h"
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
        // La forme courte (sortie, continue, renvoie) est la premiere instruction de la premiere
        // branche ; Mot vient d'etre lu.
        void OuvrirFormeCourte (const std::string & Mot, EInstr Genre)
        {
            Construction.Drapeau (InstrFormeCourte);
            Construction.OuvrirSuite ();
            Construction.OuvrirInstr (GetPosLecture () - Mot.size (), Genre);
        }

        // sortie ou continue dans la forme courte : seulement a l'interieur d'une boucle.
        void TraiterSortieCourte (const std::string & Mot, EInstr Genre, EMsg Msg)
        {
            OuvrirFormeCourte (Mot, Genre);
            if (NbRepetImbriques == 0) throw CExcTramelo (Msg);
            ValidCar (';');
            if (Genre == EInstr::Sortie) Ecrivain->SortieCourte ();
            else Ecrivain->ContinueCourt ();
            Construction.FermerInstr ();
            Construction.FermerSuite (0);
        }
    }

    // si ::= si ( condition ) ( sortie ; | continue ; | renvoie expression ;
    //        | instructions { sinon_si ( condition ) instructions } [sinon instructions] fsi )
    void TraiterSi ()
    {
        Construction.Genre (EInstr::Si);
        // La condition est lue avant d'ecrire : une erreur ne laisse rien de la ligne.
        const IdExpr Condition = LireConditionParenthesee ();
        Construction.AjouterExpr (Condition);
        Ecrivain->Si (Condition);

        std::string Mot;
        ExtraireIdentForce (Mot);
        // Profil verifie : une forme courte ecrite sur sa propre ligne y est rapportee.
        Ecrivain->Situer (GetPosLecture () - Mot.size ());
        if (Mot == "sortie") return TraiterSortieCourte (Mot, EInstr::Sortie, EMsg::SortieMalUtilisee);
        if (Mot == "continue") return TraiterSortieCourte (Mot, EInstr::Continue, EMsg::ContinueMalUtilise);
        bool SuiteOuverte = false;
        if (Mot == "renvoie")
        {
            OuvrirFormeCourte (Mot, EInstr::Renvoie);
            Ecrivain->RenvoieCourt (ExtraireValeurRenvoyee ());
            Construction.FermerInstr ();
            std::string Suivant;
            ExtraireIdentForce (Suivant);
            RemettreIdentDansFlux (Suivant);
            if (! IsMotDeBranche (Suivant))
            {
                Construction.FermerSuite (0);
                Ecrivain->FermerBranche ();
                return;
            }
            // D'autres branches suivent : la premiere se poursuit (sans instruction).
            SuiteOuverte = true;
        }
        else RemettreIdentDansFlux (Mot);

        bool ApresSinon = false;
        for (;;)
        {
            const std::string Fin = TraiterInstructions ("fin_bloc_si", SuiteOuverte);
            SuiteOuverte = false;
            // Apres la branche sinon, seul fsi peut venir (sinon le C++ aurait un else orphelin).
            if (ApresSinon) VerifIdentAttendu (Fin, "fsi");
            if (Fin == "fsi") break;
            Ecrivain->FermerBranche ();
            if (Fin == "sinon")
            {
                ApresSinon = true;
                Ecrivain->Sinon ();
            }
            else
            {
                const IdExpr Autre = LireConditionParenthesee ();
                Construction.AjouterExpr (Autre);
                Ecrivain->SinonSi (Autre);
            }
        }
        Ecrivain->FermerBranche ();
    }

    // choix_sur : accepte, ne produit rien.
    void TraiterChoixSur () { Construction.Genre (EInstr::ChoixSur); }
}
