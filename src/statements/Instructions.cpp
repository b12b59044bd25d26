#include "statements/Instructions.h"

#include "driver/Tramelo.h"
#include "ecriture/Ecrivain.h"
#include "expressions/Booleenne.h"
#include "expressions/Chaine.h"
#include "expressions/Expression.h"
#include "expressions/Numerique.h"
#include "expressions/ParamEffectifs.h"
#include "modele/Construction.h"
#include "relecture/Essai.h"
#include "scanner/Scanner.h"
#include "statements/ProcStandard.h"
#include "statements/Structures.h"
#include "symbols/Symboles.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "units/Declarations.h"
#include "units/Unites.h"
#include "util/CExcTramelo.h"


using nsUtil::EMsg;

namespace nsTramelo
{
    // instructions ::= { instruction } mot_de_fin
    std::string TraiterInstructions (const std::string & Fin, bool SuiteOuverte)
    {
        CImbrication Niveau;
        Ecrivain->DebutSuite ();
        ++NivBloc;
        std::string Mot;
        const bool FinDeBranche = Fin == "fin_bloc_si";
        Construction.OuvrirBloc (Fin);
        if (! SuiteOuverte) Construction.OuvrirSuite ();
        for (;;)
        {
            // Aucune relecture ne revient sur une instruction terminee.
            OublierLectures ();
            ExtraireIdentForce (Mot);
            // Profil verifie : les lignes produites renvoient a celle de l'instruction ou du mot de fin.
            const std::size_t Debut = GetPosLecture () - Mot.size ();
            Ecrivain->Situer (Debut);
            if (FinDeBranche ? IsMotDeBranche (Mot) : Mot == Fin) break;
            Construction.DebuterInstruction (Mot.size ());
            Construction.OuvrirInstr (Debut);
            TraiterInstruction (Mot);
            Construction.FermerInstr ();
            Construction.FinirInstruction ();
        }
        Construction.FermerBloc ();
        Construction.FermerSuite (Mot.size ());
        DepilerDecl (NivBloc);
        --NivBloc;
        Ecrivain->FinSuite ();
        return Mot;
    }

    namespace
    {
        // La declaration modifiable d'un nom (variable, tableau ou parametre, comme TypeModifiable).
        IdDecl DeclModifiable (const SResolution & R)
        {
            if (R.IsVar ()) return VDeclVar [R.Var];
            if (R.IsTab ()) return VDeclTab [R.Tab];
            return VDeclParamFormel [R.Param];
        }

        // nom [ indice ], le nom commencant a Debut : l'element, de type Type.
        IdExpr LireElement (IdDecl Decl, unsigned Type, std::size_t Debut)
        {
            CConstructeur::CEnfants E (Construction);
            E.Ajouter (ExtraireIndice ());
            return Construction.Nouvelle (EExpr::Element, Type, Debut, GetPosLecture (), Decl, 0, & E);
        }

        // Cible d'une affectation a une chaine : la chaine entiere, ou un de ses caracteres.
        void AffecterChaine (IdDecl Decl, std::size_t Debut)
        {
            if (SkipSpaces () == '[') TraiterAffectation (LireElement (Decl, TCaractere, Debut), TCaractere);
            else TraiterAffectation (Construction.Nouvelle (EExpr::Nom, TString, Debut, GetPosLecture (), Decl), TString);
        }
    }

    // instruction ::= declarer ... | renvoie ... | proc_standard ... | structure ...
    //               | cible <- valeur ; | procedure [parametres_effectifs] ;
    void TraiterInstruction (std::string & Mot)
    {
        if (Mot == "declarer") return TraiterDeclarer ();
        if (Mot == "renvoie") return TraiterRenvoie ();
        if (IsProcedure (Mot)) return TraiterProcStandard (Mot);
        if (IsStruct (Mot)) return TraiterStruct (Mot);
        const SResolution R = Resoudre (Mot);
        if (const unsigned Type = TypeModifiable (R))
        {
            const std::size_t Debut = GetPosLecture () - Mot.size ();
            const IdDecl Decl = DeclModifiable (R);
            if (IsTypeTableau (Type))
            {
                const unsigned Elem = GetTypeElem (Type);
                return TraiterAffectation (LireElement (Decl, Elem, Debut), Elem);
            }
            if (Type == TString) return AffecterChaine (Decl, Debut);
            return TraiterAffectation (Construction.Nouvelle (EExpr::Nom, Type, Debut, GetPosLecture (), Decl), Type);
        }
        if (R.IsProc ()) return TraiterAppelProcedure (R.Proc);
        throw CExcTramelo (EMsg::AttenteVariable);
    }

    // affectation ::= cible <- valeur ;
    void TraiterAffectation (IdExpr Cible, unsigned Type)
    {
        Construction.Genre (EInstr::Affectation);
        Construction.AjouterExpr (Cible);
        ValidCar ('<');
        ValidCar ('-');
        if (IsTypeTableau (Type)) throw CExcTramelo (EMsg::AffectationTableau);
        IdExpr Valeur;
        unsigned TypeVal;
        if (Type == TBooleen) Valeur = ExtraireExprBooleenne ();
        else if (Type == TCaractere) Valeur = ExtraireExprCaractere ();
        else if (Type == TString) Valeur = ExtraireExprString ();
        else Valeur = ExtraireExprNumerique (TypeVal);
        Construction.AjouterExpr (Valeur);
        ValidCar (';');
        Ecrivain->Affectation (Cible, Valeur);
    }

    // appel ::= procedure [( parametre_effectif { , parametre_effectif } )] ;
    void TraiterAppelProcedure (std::size_t Index)
    {
        Construction.Genre (EInstr::AppelProcedure);
        Construction.FixerDecl (VDeclProc [Index]);
        // Les listes ne changent pas pendant la lecture d'un appel : pas besoin de copie.
        const CVParamFormel & Params = ParamsProc (Index);
        const std::size_t PosNom = GetPosLecture () - VIdentProc [Index].size ();
        CConstructeur::CEnfants Args (Construction);
        ExtraireListeParamEffectifs (Params, Args);
        for (std::size_t i = 0; i < Args.Nb (); ++i) Construction.AjouterExpr (Args [i]);
        ValidCar (';');
        Ecrivain->AppelProcedure (Construction.M.Declarations [VDeclProc [Index]], Args.Donnees (), Args.Nb (), PosNom);
    }

    IdExpr ExtraireValeurRenvoyee ()
    {
        if (LeTypeDeRetour == 0) throw CExcTramelo (EMsg::RenvoieHorsFonction);
        unsigned Type;
        const IdExpr Valeur = ExtraireExpression (Type);
        VerifType (Type, LeTypeDeRetour, false);
        Construction.AjouterExpr (Valeur);
        ValidCar (';');
        return Valeur;
    }

    // renvoie ::= renvoie expression ;
    void TraiterRenvoie ()
    {
        Construction.Genre (EInstr::Renvoie);
        Ecrivain->Renvoie (ExtraireValeurRenvoyee ());
    }
}
