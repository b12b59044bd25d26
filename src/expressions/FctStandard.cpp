#include "expressions/FctStandard.h"

#include "expressions/Chaine.h"
#include "expressions/Expression.h"
#include "expressions/Numerique.h"
#include "scanner/Litteraux.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // Deux operandes numeriques separes par une virgule, chacun verifie par Verif.
        template <class FVerif>
        void LireDeuxNombres (CConstructeur::CEnfants & Args, FVerif Verif)
        {
            unsigned Type;
            Args.Ajouter (ExtraireExprNumerique (Type));
            Verif (Type);
            ValidCar (',');
            Args.Ajouter (ExtraireExprNumerique (Type));
            Verif (Type);
        }
    }

    // fonction_standard ::= nom ( arguments )
    IdExpr ExtraireFctStandard (const std::string & Nom, std::size_t Debut)
    {
        CImbrication Niveau;
        ValidCar ('(');
        CConstructeur::CEnfants Args (Construction);
        if (Nom == "Rand") ExtraireAppelRand (Args);
        else if (Nom == "modulo") ExtraireAppelModulo (Args);
        else if (Nom == "taille") ExtraireAppelTaille (Args);
        else if (Nom == "pred") ExtraireAppelPred (Args);
        else if (Nom == "succ") ExtraireAppelSucc (Args);
        else if (Nom == "rang") ExtraireAppelRang (Args);
        else if (Nom == "tolower") ExtraireAppelTolower (Args);
        else if (Nom == "toupper") ExtraireAppelToupper (Args);
        else throw CExcTramelo (EMsg::FctStandardInconnue, Nom);
        ValidCar (')');
        const std::size_t F = PosFonction (Nom);
        return Construction.Nouvelle (EExpr::AppelStandard, TypesFonctions [F], Debut, GetPosLecture (), Aucun,
                                      static_cast <unsigned char> (F), & Args);
    }

    // taille ( litteral_chaine | nom de tableau ou de chaine )
    void ExtraireAppelTaille (CConstructeur::CEnfants & Args)
    {
        if (SkipSpaces () == '"')
        {
            Args.Ajouter (ExtraireLitteralChaine ());
            return;
        }
        std::string x;
        ExtraireIdentForce (x);
        const unsigned Type = GetTypeIdent (x);
        // Une fonction de type string n'a pas de membre size en C++.
        const bool Objet = IsIdentCst (x) || IsIdentVar (x) || IsIdentTab (x) || IsIdentParamFormel (x);
        if ((! IsTypeTableau (Type) && ! IsTypeString (Type)) || ! Objet)
            throw CExcTramelo (EMsg::TailleTypeInvalide, x);
        const std::size_t Fin = GetPosLecture ();
        Args.Ajouter (Construction.Nouvelle (EExpr::Nom, Type, Fin - x.size (), Fin, DeclDuNom (x)));
    }

    // modulo ( nombre_entier , nombre_entier )
    void ExtraireAppelModulo (CConstructeur::CEnfants & Args)
    {
        // % n'existe pas sur un double en C++ : un reel est refuse.
        LireDeuxNombres (Args, [] (unsigned Type)
        {
            VerifType (Type, TEntier, false);
            if (Type == TReel) throw CExcTramelo (EMsg::TypeInvalide);
        });
    }

    // Rand ( nombre , nombre )
    void ExtraireAppelRand (CConstructeur::CEnfants & Args)
    {
        LireDeuxNombres (Args, [] (unsigned Type) { VerifType (Type, TEntierNaturel, false); });
    }

    // rang, succ, pred, toupper, tolower ( caractere )
    void ExtraireAppelRang (CConstructeur::CEnfants & Args) { Args.Ajouter (ExtraireExprCaractere ()); }
    void ExtraireAppelSucc (CConstructeur::CEnfants & Args) { Args.Ajouter (ExtraireExprCaractere ()); }
    void ExtraireAppelPred (CConstructeur::CEnfants & Args) { Args.Ajouter (ExtraireExprCaractere ()); }
    void ExtraireAppelToupper (CConstructeur::CEnfants & Args) { Args.Ajouter (ExtraireExprCaractere ()); }
    void ExtraireAppelTolower (CConstructeur::CEnfants & Args) { Args.Ajouter (ExtraireExprCaractere ()); }
}
