#include "units/Unites.h"

#include "controles/Controles.h"
#include "driver/Tramelo.h"
#include "journal/Journal.h"
#include "scanner/Scanner.h"
#include "statements/Instructions.h"
#include "symbols/Symboles.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "units/Parametres.h"
#include "util/CExcTramelo.h"


using nsUtil::EMsg;

namespace nsTramelo
{
    unsigned LeTypeDeRetour = 0;

    // type_retour ::= renvoie (entier | entier_naturel | reel | booleen | caractere | string)
    void TraiterTypeRetour ()
    {
        char c;
        TestFinInopineeCode (c);
        std::string Mot;
        VerifIdentAttendu (ExtraireIdent (Mot), "renvoie");
        ExtraireIdentForce (Mot);
        LeTypeDeRetour = GetType (Mot);
        if (LeTypeDeRetour == TAucun || Mot == "string_de" || Mot == "tableau_de")
            throw CExcTramelo (EMsg::TypeDeRetour);
    }

    // unite ::= procedure nom [parametres] debut instructions fin
    //         | fonction nom [parametres] type_retour debut instructions fin
    //         | algorithme nom debut instructions fin
    void TraiterSsProgrOuAlgo (char c)
    {
        ++NivBloc;
        // Profil verifie : l'en-tete produit renvoie a la ligne du mot de l'unite.
        SituerSortie (GetPosLecture ());
        // Genre de l'unite : sa place dans LibellesSsProgr.
        enum EUnite : unsigned { Algorithme, Fonction, Procedure };
        const EUnite Unite = c == 'a' ? Algorithme : c == 'f' ? Fonction : Procedure;
        Journal.OuvrirUnite (Unite == Algorithme ? ENature::Algorithme
                             : Unite == Fonction ? ENature::Fonction : ENature::Procedure);
        const std::string & MotUnite = LibellesSsProgr [Unite];
        // Le mot commence par c, une lettre : ValidMot le lit tel quel.
        ValidMot (MotUnite);

        if (! IsLettre (SkipSpaces ())) throw CExcTramelo (EMsg::IdentificateurAttendu, MotUnite);
        std::string Nom;
        ExtraireIdent (Nom);
        const std::size_t PosNom = GetPosLecture () - Nom.size ();
        TestIdentNonMotCle (Nom);
        if (Unite == Algorithme) TestNomAlgoNonNomEntete (Nom);
        if (IsIdentSsProgr (Nom)) throw CExcTramelo (EMsg::DejaDeclare, Nom);
        Journal.NommerUnite (Nom);

        LeTypeDeRetour = 0;
        std::string TexteRetour = "void", TexteParams = "(void)";
        CVParamFormel Params;
        if (Unite == Fonction)
        {
            TraiterParametres (TexteParams, Params);
            AjouterParamsFct (Params);
            TraiterTypeRetour ();
            Journal.FixerTypeUnite (LeTypeDeRetour);
            TexteRetour = TypeRetourCpp (LeTypeDeRetour);
            AjouterFct (Nom, LeTypeDeRetour);
        }
        else if (Unite == Algorithme)
        {
            AjouterProc (Nom);
            IdentAlgo = Nom;
        }
        else
        {
            TraiterParametres (TexteParams, Params);
            AjouterParamsProc (Params);
            AjouterProc (Nom);
        }
        Sortie << Tabul << TexteRetour << ' ' << Nom << ' ' << TexteParams << '\n'
                  << Tabul << "{\n";
        // L'algorithme n'est appele que par main : ses propres appels recursifs sont controles
        // la ou ils sont ecrits (TraiterAppelProcedure).
        if (ProfilVerifie && Unite != Algorithme) GenererEntreeUnite (Nom, PosNom);

        if (SkipSpaces () != 'd') throw CExcTramelo (EMsg::DebutAttendu);
        ValidMot ("debut");
        Journal.DebuterInstruction (5);   // debut ouvre le corps
        TraiterInstructions ("fin");
        if (ProfilVerifie && Unite == Fonction) GenererFinSansRenvoie (Nom, GetPosLecture () - 3);
        Journal.FinirInstruction ();
        Journal.FermerUnite ();
        Sortie << '\n' << Tabul << "} // " << Nom << "()\n\n";

        if (Unite == Algorithme && SkipSpaces () != 0) throw CExcTramelo (EMsg::CodeApresFin);
        DepilerDecl (NivBloc);
        --NivBloc;
    }
}
