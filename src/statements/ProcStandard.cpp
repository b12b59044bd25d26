#include "statements/ProcStandard.h"

#include "controles/Controles.h"
#include "driver/Tramelo.h"
#include "expressions/Expression.h"
#include "expressions/Numerique.h"
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

    std::string & TraiterParamAfficher (std::string & s)
    {
        unsigned Type;
        ExtraireExpression (s, Type);
        // Un tableau entier n'a pas d'operateur de sortie en C++.
        if (IsTypeTableau (Type)) throw CExcTramelo (EMsg::TypeInvalide);
        return s;
    }

    // afficher ::= afficher ( expression { , expression } ) ;
    void TraiterAfficher ()
    {
        ValidCar ('(');
        std::string Valeurs, Arg;
        Valeurs += TraiterParamAfficher (Arg);
        while (LireCarSi (','))
            Valeurs += ") << (" + TraiterParamAfficher (Arg);
        ValidCar (')');
        ValidCar (';');
        Sortie << Tabul << "cout << (" << Valeurs << ");\n";
    }

    // saisir ::= saisir ( variable { , variable } ) ;
    void TraiterSaisir ()
    {
        ValidCar ('(');
        std::string Nom;
        for (;;)
        {
            ExtraireIdentForce (Nom);
            if (! IsIdentVar (Nom)) throw CExcTramelo (EMsg::DoitEtreVariable, Nom);
            const unsigned Type = GetTypeIdent (Nom);
            // Profil verifie : une saisie invalide ou une fin d'entree est signalee.
            if (ProfilVerifie) GenererSaisir (Nom, GetPosLecture () - Nom.size ());
            else if (IsTypeString (Type)) Sortie << Tabul << "getline (cin, " << Nom << ");\n";
            else if (Type == TCaractere) Sortie << Tabul << Nom << " = cin.get();\n";
            else
            {
                // Le bloc jette le reste de la ligne saisie apres la valeur.
                Sortie << Tabul << "cin >> " << Nom << ";\n" << Tabul << "{\n";
                AugmenterTabul (Tabul, TabulSz);
                Sortie << Tabul << "string _S;\n" << Tabul << "getline (cin, _S);\n";
                ReduireTabul (Tabul, TabulSz);
                Sortie << Tabul << "}\n";
            }
            if (! LireCarSi (',')) break;
        }
        // Le ; est exige comme partout : un oubli ne doit pas manger le debut de l'instruction suivante.
        ValidCar (')');
        ValidCar (';');
    }

    // ligne_suivante ::= ligne_suivante ;
    void TraiterLigneSuivante ()
    {
        ValidCar (';');
        Sortie << Tabul << "cout << endl;\n";
    }

    namespace
    {
        // ( nom , longueur ) ; ou nom est un tableau ou une chaine modifiable.
        void LireRedimension (EMsg Refus, std::string & Nom, std::string & Longueur, std::size_t & Pos)
        {
            ValidCar ('(');
            ExtraireIdentForce (Nom);
            if (IsIdentCst (Nom)) throw CExcTramelo (Refus, Nom);
            const unsigned Type = GetTypeIdent (Nom);
            // Un nom de fonction n'a pas de membre resize en C++.
            const bool Objet = IsIdentVar (Nom) || IsIdentTab (Nom) || IsIdentParamFormel (Nom);
            if ((! IsTypeTableau (Type) && ! IsTypeString (Type)) || ! Objet)
                throw CExcTramelo (Refus, Nom);
            ValidCar (',');
            unsigned TypeLg;
            Pos = PositionControlee ();
            ExtraireExprNumerique (Longueur, TypeLg);
            VerifType (TypeLg, TEntierNaturel, true);
            ValidCar (')');
            ValidCar (';');
        }
    }

    // allonger ::= allonger ( nom , expression_numerique ) ;
    void TraiterAllonger ()
    {
        std::string Nom, Longueur;
        std::size_t Pos;
        LireRedimension (EMsg::NonAllongeable, Nom, Longueur, Pos);
        if (ProfilVerifie) GenererRedimension (true, Nom, Longueur, Pos);
        else Sortie << Tabul << Nom << ".resize (" << Nom << ".size() + (" << Longueur << "));\n";
    }

    // redimensionner ::= redimensionner ( nom , expression_numerique ) ;
    void TraiterRedimensionner ()
    {
        std::string Nom, Longueur;
        std::size_t Pos;
        LireRedimension (EMsg::NonRedimensionnable, Nom, Longueur, Pos);
        if (ProfilVerifie) GenererRedimension (false, Nom, Longueur, Pos);
        else Sortie << Tabul << Nom << ".resize ((" << Longueur << "));\n";
    }
}
