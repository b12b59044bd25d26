#include "units/Unites.h"

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
        const unsigned Sorte = c == 'a' ? 0 : c == 'f' ? 1 : 2;
        Journal.OuvrirUnite (Sorte == 0 ? ENature::Algorithme : Sorte == 1 ? ENature::Fonction : ENature::Procedure);
        const std::string & MotUnite = LibellesSsProgr [Sorte];
        std::string Mot;
        VerifIdentAttendu (ExtraireIdent (Mot), MotUnite);

        if (! IsLettre (SkipSpaces ())) throw CExcTramelo (EMsg::IdentificateurAttendu, MotUnite);
        std::string Nom;
        ExtraireIdent (Nom);
        TestIdentNonMotCle (Nom);
        if (Sorte == 0) TestNomAlgoNonNomEntete (Nom);
        if (IsIdentSsProgr (Nom)) throw CExcTramelo (EMsg::DejaDeclare, Nom);
        Journal.NommerUnite (Nom);

        LeTypeDeRetour = 0;
        std::string TexteRetour = "void", TexteParams = "(void)";
        CVParamFormel Params;
        if (Sorte == 1)
        {
            TraiterParametres (TexteParams, Params);
            AjouterParamsFct (Params);
            TraiterTypeRetour ();
            Journal.FixerTypeUnite (LeTypeDeRetour);
            TexteRetour = GetTypeCpp (LeTypeDeRetour);
            AjouterFct (Nom, LeTypeDeRetour);
        }
        else if (Sorte == 0)
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

        if (SkipSpaces () != 'd') throw CExcTramelo (EMsg::DebutAttendu);
        VerifIdentAttendu (ExtraireIdent (Mot), "debut");
        Journal.DebuterInstruction (Mot.size ());   // debut ouvre le corps
        TraiterInstructions ("fin");
        Journal.FinirInstruction ();
        Journal.FermerUnite ();
        Sortie << '\n' << Tabul << "} // " << Nom << "()\n\n";

        if (Sorte == 0 && SkipSpaces () != 0) throw CExcTramelo (EMsg::CodeApresFin);
        DepilerDecl (NivBloc);
        --NivBloc;
    }
}
