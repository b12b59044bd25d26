#include "statements/Boucles.h"

#include "driver/Tramelo.h"
#include "expressions/Booleenne.h"
#include "expressions/Numerique.h"
#include "ecriture/Ecrivain.h"
#include "modele/Construction.h"
#include "scanner/Scanner.h"
#include "statements/Instructions.h"
#include "symbols/Symboles.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"


using nsUtil::EMsg;

namespace nsTramelo
{
    std::uint32_t NbRepetImbriques = 0;

    namespace
    {
        // Compte une boucle ouverte le temps de sa traduction.
        struct CBoucleOuverte
        {
            CBoucleOuverte () { ++NbRepetImbriques; }
            ~CBoucleOuverte () { --NbRepetImbriques; }
        };

        // tant_que / jusqua ( condition ) faire instructions ffaire
        void TraiterBoucleFaire (EInstr Genre)
        {
            CBoucleOuverte Boucle;
            Construction.Genre (Genre);
            const IdExpr Condition = LireConditionParenthesee ();
            Construction.AjouterExpr (Condition);
            if (Genre == EInstr::TantQue) Ecrivain->TantQue (Condition);
            else Ecrivain->JusquA (Condition);
            TraiterFaireFFaire ();
            Ecrivain->FinFaire ();
        }
    }

    // repeter ::= repeter instructions jusqua ( condition )
    void TraiterRepeter ()
    {
        CBoucleOuverte Boucle;
        Construction.Genre (EInstr::Repeter);
        Ecrivain->Repeter ();
        TraiterInstructions ("jusqua");
        const IdExpr Condition = LireConditionParenthesee ();
        Construction.AjouterExpr (Condition);
        Ecrivain->FinRepeter (Condition);
    }

    // boucle ::= boucle instructions fboucle
    void TraiterBoucle ()
    {
        CBoucleOuverte Boucle;
        Construction.Genre (EInstr::Boucle);
        Ecrivain->Boucle ();
        TraiterInstructions ("fboucle");
        Ecrivain->FinBoucle ();
    }

    // tant_que ::= tant_que ( condition ) faire instructions ffaire
    void TraiterTantQue () { TraiterBoucleFaire (EInstr::TantQue); }

    // jusqua ::= jusqua ( condition ) faire instructions ffaire
    void TraiterJusquA () { TraiterBoucleFaire (EInstr::JusquA); }

    // faire instructions ffaire
    void TraiterFaireFFaire ()
    {
        ValidMot ("faire");
        TraiterInstructions ("ffaire");
    }

    // borne ::= expression_numerique (entier ou entier_naturel)
    IdExpr ExtraireBorne ()
    {
        unsigned Type;
        const IdExpr Borne = ExtraireExprNumerique (Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::BorneInvalide);
        Construction.AjouterExpr (Borne);
        return Borne;
    }

    // pour ::= pour ( nom variant_de borne a borne [descendant] ) faire instructions ffaire
    void TraiterPour ()
    {
        CBoucleOuverte Boucle;
        Construction.Genre (EInstr::Pour);
        ValidCar ('(');
        std::string Nom;
        ExtraireIdentForce (Nom);
        TestIdentNonMotCle (Nom);
        Construction.Declarer (Nom, ENature::VariableBoucle, NivBloc + 1);
        Construction.Preciser (ENature::VariableBoucle, TEntier);
        const IdDecl Decl = Construction.DerniereDeclaration ();
        Construction.FixerDecl (Decl);
        ValidMot ("variant_de");
        const IdExpr Inf = ExtraireBorne ();
        ValidMot ("a");
        const IdExpr Sup = ExtraireBorne ();
        char c;
        TestFinInopineeCode (c);
        const bool Descendant = c == 'd';
        if (Descendant)
        {
            ValidMot ("descendant");
            Construction.Drapeau (InstrDescendant);
        }
        // Entree apres les bornes : en C++ elles sont evaluees avant que la variable existe.
        AjouterVar (Nom, TEntier, NivBloc + 1, Decl, true);
        ValidCar (')');
        Ecrivain->Pour (Construction.M.Declarations [Decl], Inf, Sup, Descendant);
        TraiterFaireFFaire ();
        Ecrivain->FinPour ();
    }
}
