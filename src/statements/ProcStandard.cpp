#include "statements/ProcStandard.h"

#include "ecriture/Ecrivain.h"
#include "expressions/Expression.h"
#include "expressions/Numerique.h"
#include "modele/Construction.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"


using nsUtil::EMsg;

namespace nsTramelo
{
    void TraiterProcStandard (const std::string & Nom)
    {
        if (Nom == "afficher") TraiterAfficher ();
        else if (Nom == "saisir") TraiterSaisir ();
        else if (Nom == "allonger") TraiterAllonger ();
        else if (Nom == "ligne_suivante") TraiterLigneSuivante ();
        else if (Nom == "redimensionner") TraiterRedimensionner ();
        else throw CExcTramelo (EMsg::ProcStandardInconnue, Nom);
    }

    IdExpr TraiterParamAfficher ()
    {
        unsigned Type;
        const IdExpr E = ExtraireExpression (Type);
        // Un tableau entier n'a pas d'operateur de sortie en C++.
        if (IsTypeTableau (Type)) throw CExcTramelo (EMsg::TypeInvalide);
        return E;
    }

    // afficher ::= afficher ( expression { , expression } ) ;
    void TraiterAfficher ()
    {
        Construction.Genre (EInstr::Afficher);
        ValidCar ('(');
        CConstructeur::CEnfants Valeurs (Construction);
        Valeurs.Ajouter (TraiterParamAfficher ());
        while (LireCarSi (','))
            Valeurs.Ajouter (TraiterParamAfficher ());
        for (std::size_t i = 0; i < Valeurs.Nb (); ++i) Construction.AjouterExpr (Valeurs [i]);
        ValidCar (')');
        ValidCar (';');
        Ecrivain->Afficher (Valeurs.Donnees (), Valeurs.Nb ());
    }

    // saisir ::= saisir ( variable { , variable } ) ;
    void TraiterSaisir ()
    {
        Construction.Genre (EInstr::Saisir);
        ValidCar ('(');
        std::string Nom;
        for (;;)
        {
            ExtraireIdentForce (Nom);
            if (! IsIdentVar (Nom)) throw CExcTramelo (EMsg::DoitEtreVariable, Nom);
            const std::size_t Fin = GetPosLecture ();
            const IdExpr Variable = Construction.Nouvelle (EExpr::Nom, GetTypeIdent (Nom), Fin - Nom.size (), Fin,
                                                           DeclDuNom (Nom));
            Construction.AjouterExpr (Variable);
            // Chaque variable est ecrite des qu'elle est lue.
            Ecrivain->Saisir (Variable);
            if (! LireCarSi (',')) break;
        }
        // Le ; est exige comme partout : un oubli ne doit pas manger le debut de l'instruction suivante.
        ValidCar (')');
        ValidCar (';');
    }

    // ligne_suivante ::= ligne_suivante ;
    void TraiterLigneSuivante ()
    {
        Construction.Genre (EInstr::LigneSuivante);
        ValidCar (';');
        Ecrivain->LigneSuivante ();
    }

    namespace
    {
        // ( nom , longueur ) ; ou nom est un tableau ou une chaine modifiable.
        void LireRedimension (EMsg Refus, IdExpr & Nom, IdExpr & Longueur)
        {
            ValidCar ('(');
            std::string N;
            ExtraireIdentForce (N);
            if (IsIdentCst (N)) throw CExcTramelo (Refus, N);
            const unsigned Type = GetTypeIdent (N);
            // Un nom de fonction n'a pas de membre resize en C++.
            const bool Objet = IsIdentVar (N) || IsIdentTab (N) || IsIdentParamFormel (N);
            if ((! IsTypeTableau (Type) && ! IsTypeString (Type)) || ! Objet)
                throw CExcTramelo (Refus, N);
            const std::size_t Fin = GetPosLecture ();
            Nom = Construction.Nouvelle (EExpr::Nom, Type, Fin - N.size (), Fin, DeclDuNom (N));
            Construction.AjouterExpr (Nom);
            ValidCar (',');
            unsigned TypeLg;
            Longueur = ExtraireExprNumerique (TypeLg);
            VerifType (TypeLg, TEntierNaturel, true);
            Construction.AjouterExpr (Longueur);
            ValidCar (')');
            ValidCar (';');
        }
    }

    // allonger ::= allonger ( nom , expression_numerique ) ;
    void TraiterAllonger ()
    {
        Construction.Genre (EInstr::Allonger);
        IdExpr Nom, Longueur;
        LireRedimension (EMsg::NonAllongeable, Nom, Longueur);
        Ecrivain->Redimension (true, Nom, Longueur);
    }

    // redimensionner ::= redimensionner ( nom , expression_numerique ) ;
    void TraiterRedimensionner ()
    {
        Construction.Genre (EInstr::Redimensionner);
        IdExpr Nom, Longueur;
        LireRedimension (EMsg::NonRedimensionnable, Nom, Longueur);
        Ecrivain->Redimension (false, Nom, Longueur);
    }
}
