#include "statements/Instructions.h"

#include "controles/Controles.h"
#include "driver/Tramelo.h"
#include "expressions/Booleenne.h"
#include "expressions/Chaine.h"
#include "expressions/Expression.h"
#include "expressions/Numerique.h"
#include "journal/Journal.h"
#include "expressions/ParamEffectifs.h"
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
    std::string TraiterInstructions (const std::string & Fin)
    {
        CImbrication Niveau;
        AugmenterTabul (Tabul, TabulSz);
        ++NivBloc;
        std::string Mot;
        const bool FinDeBranche = Fin == "fin_bloc_si";
        Journal.OuvrirBloc (Fin);
        bool Terminale = false;
        for (;;)
        {
            // Aucune relecture ne revient sur une instruction terminee.
            OublierLectures ();
            ExtraireIdentForce (Mot);
            // Profil verifie : les lignes produites renvoient a celle de l'instruction ou du mot de fin.
            SituerSortie (GetPosLecture () - Mot.size ());
            if (FinDeBranche ? IsMotDeBranche (Mot) : Mot == Fin) break;
            Journal.DebuterInstruction (Mot.size ());
            TraiterInstruction (Mot);
            Terminale = Journal.InstructionTerminale;
            Journal.FinirInstruction ();
        }
        Journal.FermerBloc ();
        // L'instruction qui contient cette suite ne finit pas pour autant (sauf si elle le dit).
        Journal.SuiteTerminale = Terminale;
        Journal.InstructionTerminale = false;
        DepilerDecl (NivBloc);
        --NivBloc;
        ReduireTabul (Tabul, TabulSz);
        return Mot;
    }

    namespace
    {
        // Cible d'une affectation a une chaine : la chaine entiere, ou un de ses caracteres.
        void AffecterChaine (const std::string & Nom)
        {
            if (SkipSpaces () == '[')
            {
                std::string Indice;
                TraiterAffectation (Nom + ExtraireIndice (Indice, Nom), TCaractere);
            }
            else TraiterAffectation (Nom, TString);
        }

        void AffecterElement (const std::string & Nom, unsigned TypeTableau)
        {
            std::string Indice;
            TraiterAffectation (Nom + ExtraireIndice (Indice, Nom), GetTypeElem (TypeTableau));
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
            if (IsTypeTableau (Type)) return AffecterElement (Mot, Type);
            if (Type == TString) return AffecterChaine (Mot);
            return TraiterAffectation (Mot, Type);
        }
        if (R.IsProc ()) return TraiterAppelProcedure (R.Proc);
        throw CExcTramelo (EMsg::AttenteVariable);
    }

    // affectation ::= cible <- valeur ;
    void TraiterAffectation (const std::string & Cible, unsigned Type)
    {
        ValidCar ('<');
        ValidCar ('-');
        if (IsTypeTableau (Type)) throw CExcTramelo (EMsg::AffectationTableau);
        std::string Valeur;
        unsigned TypeVal;
        const std::size_t PosValeur = PositionControlee ();
        if (Type == TBooleen) ExtraireExprBooleenne (Valeur);
        else if (Type == TCaractere) ExtraireExprCaractere (Valeur);
        else if (Type == TString) ExtraireExprString (Valeur);
        else
        {
            ExtraireExprNumerique (Valeur, TypeVal);
            if (ProfilVerifie) Valeur = Convertir (Valeur, TypeVal, Type, PosValeur);
        }
        ValidCar (';');
        Sortie << Tabul << Cible << " = " << Valeur << ";\n";
    }

    // appel ::= procedure [( parametre_effectif { , parametre_effectif } )] ;
    void TraiterAppelProcedure (std::size_t Index)
    {
        // Les listes ne changent pas pendant la lecture d'un appel : pas besoin de copie.
        const CVParamFormel & Params = ParamsProc (Index);
        const std::size_t PosNom = GetPosLecture () - VIdentProc [Index].size ();
        std::string Liste;
        ExtraireListeParamEffectifs (Params, Liste);
        ValidCar (';');
        // L'algorithme qui s'appelle lui-meme : la pile est controlee avant l'appel.
        if (ProfilVerifie && VIdentProc [Index] == IdentAlgo)
            Sortie << Tabul << "_Entree (\"" << IdentAlgo << "\", " << TextePosition (PosNom) << ");\n";
        Sortie << Tabul << VIdentProc [Index] << " (" << Liste << ");\n";
    }

    std::string & ExtraireValeurRenvoyee (std::string & s)
    {
        if (LeTypeDeRetour == 0) throw CExcTramelo (EMsg::RenvoieHorsFonction);
        unsigned Type;
        const std::size_t PosValeur = PositionControlee ();
        ExtraireExpression (s, Type);
        VerifType (Type, LeTypeDeRetour, false);
        if (ProfilVerifie) s = Convertir (s, Type, LeTypeDeRetour, PosValeur);
        ValidCar (';');
        return s;
    }

    // renvoie ::= renvoie expression ;
    void TraiterRenvoie ()
    {
        std::string Valeur;
        ExtraireValeurRenvoyee (Valeur);
        Sortie << Tabul << "return (" << Valeur << ");\n";
        Journal.InstructionTerminale = true;
    }
}
