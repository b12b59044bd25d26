#include "units/Declarations.h"

#include "controles/Controles.h"
#include "driver/Tramelo.h"
#include "expressions/Booleenne.h"
#include "journal/Journal.h"
#include "expressions/Chaine.h"
#include "expressions/Numerique.h"
#include "scanner/Scanner.h"
#include "symbols/Symboles.h"
#include "symbols/Vocabulaire.h"
#include "types/Denotations.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"


using nsUtil::EMsg;

namespace nsTramelo
{
    // declarer ::= declarer nom : [constante type <- valeur | type] ;
    void TraiterDeclarer ()
    {
        std::string Nom;
        ExtraireIdentForce (Nom);
        TestIdentNonNomCpp (Nom);
        if (IsIdentVar (Nom) || IsIdentCst (Nom) || IsIdentTab (Nom) || IsIdentParamFormel (Nom))
            throw CExcTramelo (EMsg::DoubleDeclaration, Nom);
        Journal.Declarer (Nom, ENature::Variable, NivBloc);
        ValidCar (':');
        std::string Mot, Prefixe, TypeCpp, ArgsCtor, Valeur;
        ExtraireIdentForce (Mot);
        unsigned Type;
        if (Mot == "constante")
        {
            Prefixe = "const ";
            ExtraireIdentForce (Mot);
            if (Mot == "tableau_de") throw CExcTramelo (EMsg::TableauConstant, Nom);
            // Une constante dimensionnee donnerait une ligne que le C++ refuse.
            if (Mot == "string_de") throw CExcTramelo (EMsg::TypeDeBaseAttendu, Mot);
            const unsigned TypeCst = GetType (Mot);
            AjouterCst (Nom, TypeCst, NivBloc);
            Journal.Preciser (ENature::Constante, TypeCst);
            TraiterType (Mot, TypeCpp, ArgsCtor, Type, true);
            ValidCar ('<');
            ValidCar ('-');
            unsigned TypeVal;
            const std::size_t PosValeur = PositionControlee ();
            if (IsTypeNumerique (TypeCst))
            {
                ExtraireExprNumerique (Valeur, TypeVal);
                if (ProfilVerifie) Valeur = Convertir (Valeur, TypeVal, TypeCst, PosValeur);
            }
            else if (TypeCst == TBooleen) ExtraireExprBooleenne (Valeur);
            else if (TypeCst == TCaractere) ExtraireExprCaractere (Valeur);
            else ExtraireExprString (Valeur);
            Valeur = " (" + Valeur + ")";
        }
        else if (Mot == "tableau_de")
        {
            AjouterTab (Nom, NivBloc);
            TraiterType (Mot, TypeCpp, ArgsCtor, Type, true);
            FixerTypeTab (Type);
            Journal.Preciser (ENature::Tableau, Type);
        }
        else
        {
            AjouterVar (Nom, GetType (Mot), NivBloc);
            TraiterType (Mot, TypeCpp, ArgsCtor, Type, true);
            Journal.Preciser (ENature::Variable, Type);
        }
        ValidCar (';');
        // Profil verifie : une variable simple part de 0, faux, '\0' ou la chaine vide.
        if (ProfilVerifie && ArgsCtor.empty () && Valeur.empty ()) Valeur = " {}";
        Sortie << Tabul << Prefixe << TypeCpp << ' ' << Nom << ArgsCtor << Valeur << ";\n";
    }
}
