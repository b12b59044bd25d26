#include "statements/Boucles.h"

#include "controles/Controles.h"
#include "driver/Tramelo.h"
#include "expressions/Booleenne.h"
#include "expressions/Numerique.h"
#include "journal/Journal.h"
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
        void TraiterBoucleFaire (const char * Avant, const char * Apres)
        {
            CBoucleOuverte Boucle;
            const std::string Condition = LireConditionParenthesee ();
            Sortie << Tabul << Avant << Condition << Apres << Tabul << "{\n";
            TraiterFaireFFaire ();
            Sortie << Tabul << "}\n";
        }
    }

    // repeter ::= repeter instructions jusqua ( condition )
    void TraiterRepeter ()
    {
        CBoucleOuverte Boucle;
        Sortie << Tabul << "do\n" << Tabul << "{\n";
        TraiterInstructions ("jusqua");
        const std::string Condition = LireConditionParenthesee ();
        Sortie << Tabul << "}\n" << Tabul << "while (! (" << Condition << "));\n";
    }

    // boucle ::= boucle instructions fboucle
    void TraiterBoucle ()
    {
        CBoucleOuverte Boucle;
        Sortie << Tabul << "do\n" << Tabul << "{\n";
        TraiterInstructions ("fboucle");
        Sortie << Tabul << "}\n" << Tabul << "while (true);\n";
    }

    // tant_que ::= tant_que ( condition ) faire instructions ffaire
    void TraiterTantQue () { TraiterBoucleFaire ("while (", ")\n"); }

    // jusqua ::= jusqua ( condition ) faire instructions ffaire
    void TraiterJusquA () { TraiterBoucleFaire ("while ( !(", "))\n"); }

    // faire instructions ffaire
    void TraiterFaireFFaire ()
    {
        ValidMot ("faire");
        TraiterInstructions ("ffaire");
    }

    // borne ::= expression_numerique (entier ou entier_naturel)
    std::string & ExtraireBorne (std::string & s)
    {
        unsigned Type;
        ExtraireExprNumerique (s, Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::BorneInvalide);
        return s;
    }

    // pour ::= pour ( nom variant_de borne a borne [descendant] ) faire instructions ffaire
    void TraiterPour ()
    {
        CBoucleOuverte Boucle;
        ValidCar ('(');
        std::string Nom, Inf, Sup;
        ExtraireIdentForce (Nom);
        TestIdentNonMotCle (Nom);
        Journal.Declarer (Nom, ENature::VariableBoucle, NivBloc + 1);
        Journal.Preciser (ENature::VariableBoucle, TEntier);
        ValidMot ("variant_de");
        ExtraireBorne (Inf);
        ValidMot ("a");
        ExtraireBorne (Sup);
        std::string Pas = "++", Comparaison = " <= ";
        char c;
        TestFinInopineeCode (c);
        if (c == 'd')
        {
            Pas = "--";
            Comparaison = " >= ";
            ValidMot ("descendant");
        }
        // Entree apres les bornes : en C++ elles sont evaluees avant que la variable existe.
        AjouterVar (Nom, TEntier, NivBloc + 1, true);
        ValidCar (')');
        Sortie << Tabul << "{\n";
        AugmenterTabul (Tabul, TabulSz);
        Sortie << Tabul << "long long int _BorneInf (" << Inf << ");\n"
                  << Tabul << "long long int _BorneSup (" << Sup << ");\n";
        if (ProfilVerifie)
        {
            // Profil verifie : la variable n'avance que si la borne n'est pas atteinte (une borne
            // egale au plus grand entier ferait deborder ++, et la boucle ne finirait jamais).
            const bool Monte = Pas == "++";
            Sortie << Tabul << "for (long long int " << Nom << " = _BorneInf, _Encore = " << Nom << Comparaison
                   << "_BorneSup; _Encore; _Encore = " << Nom << (Monte ? " < " : " > ") << "_BorneSup, "
                   << Nom << (Monte ? " += " : " -= ") << "_Encore)\n";
        }
        else
            Sortie << Tabul << "for (long long int " << Nom << " = _BorneInf; " << Nom << Comparaison
                   << "_BorneSup; " << Pas << Nom << ")\n";
        Sortie << Tabul << "{\n";
        TraiterFaireFFaire ();
        Sortie << Tabul << "}\n";
        ReduireTabul (Tabul, TabulSz);
        Sortie << Tabul << "}\n";
    }
}
