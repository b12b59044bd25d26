#include "units/Unites.h"

#include "driver/Tramelo.h"
#include "ecriture/Ecrivain.h"
#include "modele/Construction.h"
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
        Ecrivain->Situer (GetPosLecture ());
        // Genre de l'unite : sa place dans LibellesSsProgr.
        enum EUnite : unsigned { Algorithme, Fonction, Procedure };
        const EUnite Unite = c == 'a' ? Algorithme : c == 'f' ? Fonction : Procedure;
        Construction.OuvrirUnite (Unite == Algorithme ? ENature::Algorithme
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
        Construction.NommerUnite (Nom);
        const IdDecl Decl = Construction.DerniereDeclaration ();

        LeTypeDeRetour = 0;
        CVParamFormel Params;
        if (Unite == Fonction)
        {
            TraiterParametres (Params);
            AjouterParamsFct (Params);
            TraiterTypeRetour ();
            Construction.FixerTypeUnite (LeTypeDeRetour);
            AjouterFct (Nom, LeTypeDeRetour, Decl);
        }
        else if (Unite == Algorithme)
        {
            AjouterProc (Nom, Decl);
            IdentAlgo = Nom;
        }
        else
        {
            TraiterParametres (Params);
            AjouterParamsProc (Params);
            AjouterProc (Nom, Decl);
        }
        const SUnite & U = Construction.M.Unites.back ();
        Ecrivain->EnteteUnite (U, PosNom);

        if (SkipSpaces () != 'd') throw CExcTramelo (EMsg::DebutAttendu);
        ValidMot ("debut");
        Construction.DebuterInstruction (5);   // debut ouvre le corps
        TraiterInstructions ("fin");
        Ecrivain->FinUnite (Construction.M.Unites.back (), GetPosLecture () - 3);
        Construction.FinirInstruction ();
        Construction.FermerUnite ();

        if (Unite == Algorithme && SkipSpaces () != 0) throw CExcTramelo (EMsg::CodeApresFin);
        DepilerDecl (NivBloc);
        --NivBloc;
    }
}
