#include "ecriture/Ecrivain.h"

#include "driver/Tramelo.h"
#include "expressions/Numerique.h"
#include "scanner/Litteraux.h"
#include "scanner/Source.h"
#include "types/TypesCodes.h"
#include "units/CParamFormel.h"

namespace nsTramelo
{
    namespace
    {
        // Les types C++ d'une variable simple et d'un tableau, par type d'element.
        const char * TypeSimple (unsigned Type)
        {
            switch (Type & MasqueSimple)
            {
                case TEntier        : return "long int";
                case TEntierNaturel : return "long unsigned";
                case TReel          : return "double";
                case TBooleen       : return "bool";
                default             : return (Type & TChaine) ? "string" : "char";
            }
        }

        const char * TypeVecteur (unsigned Elem)
        {
            switch (Elem & MasqueSimple)
            {
                case TEntier        : return "CVLInt";
                case TEntierNaturel : return "CVLUInt";
                case TReel          : return "CVDouble";
                case TBooleen       : return "CVBool";
                default             : return (Elem & TChaine) ? "CVString" : "CVChar";
            }
        }

        const char * TexteComparateurCpp (EComparateur Op)
        {
            static const char * const Textes [] = { " == ", " != ", " < ", " <= ", " > ", " >= " };
            return Textes [static_cast <unsigned> (Op)];
        }

        char CaractereOperateur (EOperateur Op)
        {
            static const char Car [] = { '+', '-', '*', '/' };
            return Car [static_cast <unsigned> (Op)];
        }

        const char * TexteConnecteur (EOperateur Op)
        {
            switch (Op)
            {
                case EOperateur::Et      : return " & ";
                case EOperateur::Ou      : return " | ";
                case EOperateur::EtAlors : return " && ";
                default                  : return " || ";
            }
        }
    }

    const std::string & CEcrivain::Source () const { return fi.GetTexte (); }

    std::string CEcrivain::Extrait (SPlage P) const { return Source ().substr (P.Debut, P.Longueur); }

    std::string CEcrivain::TypeCpp (unsigned Type) const
    {
        return IsTypeTableau (Type) ? TypeVecteur (GetTypeElem (Type)) : TypeSimple (Type);
    }

    // --- Le programme ---

    void CEcrivain::Entete () { GenererEntete (); }

    void CEcrivain::Fin (const std::string & Algo) { Generer_main (Algo); }

    // --- Unites ---

    // En-tete : "type nom (parametres)" puis l'accolade ; chaque parametre sur sa ligne, un pas
    // plus loin que l'en-tete.
    void CEcrivain::EnteteUnite (const SUnite & U, std::size_t PosNom)
    {
        std::string Params = "(void)";
        if (! U.Parametres.empty ())
        {
            const std::string Indent = Tabul + std::string (TabulSz, ' ');
            Params = "(\n";
            for (std::size_t i = 0; i < U.Parametres.size (); ++i)
            {
                const SDeclaration & P = M ().Declarations [U.Parametres [i]];
                if (i > 0) Params += ",\n";
                Params += Indent + TypeCpp (P.Type) + (P.Mode == ModeIn ? " " : " & ") + P.Nom;
            }
            Params += "\n" + Tabul + ")";
        }
        const std::string Retour = U.Nature == ENature::Fonction ? GetTypeCpp (U.TypeRetour) : "void";
        Sortie << Tabul << Retour << ' ' << U.Nom << ' ' << Params << '\n' << Tabul << "{\n";
        if (U.Nature != ENature::Algorithme) EntreeUnite (U, PosNom);
    }

    void CEcrivain::FinUnite (const SUnite & U, std::size_t PosMotFin)
    {
        if (U.Nature == ENature::Fonction) FinSansRenvoie (U, PosMotFin);
        Sortie << '\n' << Tabul << "} // " << U.Nom << "()\n\n";
    }

    void CEcrivain::DebutSuite () { AugmenterTabul (Tabul, TabulSz); }

    void CEcrivain::FinSuite () { ReduireTabul (Tabul, TabulSz); }

    // --- Instructions simples ---

    void CEcrivain::Declarer (const SDeclaration & D, bool Constante, IdExpr Taille, IdExpr Val)
    {
        std::string Type, Args, Valeur;
        if (Constante)
        {
            Type = std::string ("const ") + TypeSimple (D.Type);
            Valeur = " (" + this->Valeur (Val, D.Type) + ")";
        }
        else if (IsTypeTableau (D.Type))
        {
            Type = TypeCpp (D.Type);
            const unsigned Elem = GetTypeElem (D.Type);
            const std::string Remplissage = Elem == TString ? "string ()"
                                          : std::string ("numeric_limits <") + TypeSimple (Elem) + ">::max()";
            Args = " (" + (Taille == Aucun ? std::string ("0") : Texte (Taille)) + ", " + Remplissage + ")";
        }
        else
        {
            Type = TypeSimple (D.Type);
            if (Taille != Aucun) Args = " (" + Texte (Taille) + ", '\\0')";
        }
        Sortie << Tabul << Type << ' ' << D.Nom << Args << Valeur << ";\n";
    }

    void CEcrivain::Affectation (IdExpr Cible, IdExpr Val)
    {
        const std::string TexteCible = Texte (Cible);
        Sortie << Tabul << TexteCible << " = " << Valeur (Val, M ().Exprs [Cible].Type) << ";\n";
    }

    std::string CEcrivain::ListeEffectifs (const SDeclaration & Unite, const IdExpr * Args, std::size_t Nb)
    {
        std::string Liste;
        const std::vector <IdDecl> & Formels = M ().Unites [Unite.Unite].Parametres;
        for (std::size_t i = 0; i < Nb; ++i)
        {
            const SDeclaration & F = M ().Declarations [Formels [i]];
            if (i > 0) Liste += ", ";
            Liste += F.Mode == ModeIn ? Valeur (Args [i], F.Type) : Texte (Args [i]);
        }
        return Liste;
    }

    void CEcrivain::AppelProcedure (const SDeclaration & Proc, const IdExpr * Args, std::size_t NbArgs,
                                    std::size_t PosNom)
    {
        const std::string Liste = ListeEffectifs (Proc, Args, NbArgs);
        // L'algorithme qui s'appelle lui-meme : la pile est controlee avant l'appel.
        if (Proc.Nature == ENature::Algorithme) EntreeAlgorithme (Proc, PosNom);
        Sortie << Tabul << Proc.Nom << " (" << Liste << ");\n";
    }

    void CEcrivain::Renvoie (IdExpr Val)
    {
        Sortie << Tabul << "return (" << Valeur (Val, M ().Unites.back ().TypeRetour) << ");\n";
    }

    void CEcrivain::Afficher (const IdExpr * Valeurs, std::size_t Nb)
    {
        std::string Texte = this->Texte (Valeurs [0]);
        for (std::size_t i = 1; i < Nb; ++i) Texte += ") << (" + this->Texte (Valeurs [i]);
        Sortie << Tabul << "cout << (" << Texte << ");\n";
    }

    void CEcrivain::Saisir (IdExpr Variable)
    {
        const SExpr & V = M ().Exprs [Variable];
        const std::string Nom = Extrait (V.Plage);
        if (IsTypeString (V.Type)) Sortie << Tabul << "getline (cin, " << Nom << ");\n";
        else if (V.Type == TCaractere) Sortie << Tabul << Nom << " = cin.get();\n";
        else
        {
            // Le bloc jette le reste de la ligne saisie apres la valeur.
            Sortie << Tabul << "cin >> " << Nom << ";\n" << Tabul << "{\n";
            AugmenterTabul (Tabul, TabulSz);
            Sortie << Tabul << "string _S;\n" << Tabul << "getline (cin, _S);\n";
            ReduireTabul (Tabul, TabulSz);
            Sortie << Tabul << "}\n";
        }
    }

    void CEcrivain::LigneSuivante () { Sortie << Tabul << "cout << endl;\n"; }

    void CEcrivain::Redimension (bool Allonger, IdExpr Nom, IdExpr Longueur)
    {
        const std::string N = Extrait (M ().Exprs [Nom].Plage);
        if (Allonger) Sortie << Tabul << N << ".resize (" << N << ".size() + (" << Texte (Longueur) << "));\n";
        else Sortie << Tabul << N << ".resize ((" << Texte (Longueur) << "));\n";
    }

    // --- Si ---

    void CEcrivain::Si (IdExpr Condition)
    {
        Sortie << Tabul << "if (" << Texte (Condition) << ")\n" << Tabul << "{\n";
    }

    void CEcrivain::SortieCourte () { Sortie << Tabul << "    break;\n" << Tabul << "}\n"; }

    void CEcrivain::ContinueCourt () { Sortie << Tabul << "    continue;\n" << Tabul << "}\n"; }

    void CEcrivain::RenvoieCourt (IdExpr Val)
    {
        Sortie << Tabul << "   return (" << Valeur (Val, M ().Unites.back ().TypeRetour) << ");\n";
    }

    void CEcrivain::FermerBranche () { Sortie << Tabul << "}\n"; }

    void CEcrivain::SinonSi (IdExpr Condition)
    {
        Sortie << Tabul << "else if (" << Texte (Condition) << ")\n" << Tabul << "{\n";
    }

    void CEcrivain::Sinon () { Sortie << Tabul << "else\n" << Tabul << "{\n"; }

    // --- Boucles ---

    void CEcrivain::TantQue (IdExpr Condition)
    {
        Sortie << Tabul << "while (" << Texte (Condition) << ")\n" << Tabul << "{\n";
    }

    void CEcrivain::JusquA (IdExpr Condition)
    {
        Sortie << Tabul << "while ( !(" << Texte (Condition) << "))\n" << Tabul << "{\n";
    }

    void CEcrivain::FinFaire () { Sortie << Tabul << "}\n"; }

    void CEcrivain::Repeter () { Sortie << Tabul << "do\n" << Tabul << "{\n"; }

    void CEcrivain::FinRepeter (IdExpr Condition)
    {
        Sortie << Tabul << "}\n" << Tabul << "while (! (" << Texte (Condition) << "));\n";
    }

    void CEcrivain::Boucle () { Repeter (); }

    void CEcrivain::FinBoucle () { Sortie << Tabul << "}\n" << Tabul << "while (true);\n"; }

    void CEcrivain::Pour (const SDeclaration & Variable, IdExpr Inf, IdExpr Sup, bool Descendant)
    {
        Sortie << Tabul << "{\n";
        AugmenterTabul (Tabul, TabulSz);
        Sortie << Tabul << "long long int _BorneInf (" << Texte (Inf) << ");\n"
               << Tabul << "long long int _BorneSup (" << Texte (Sup) << ");\n";
        const std::string & Nom = Variable.Nom;
        Sortie << Tabul << "for (long long int " << Nom << " = _BorneInf; " << Nom
               << (Descendant ? " >= " : " <= ") << "_BorneSup; " << (Descendant ? "--" : "++") << Nom << ")\n";
        Sortie << Tabul << "{\n";
    }

    void CEcrivain::FinPour ()
    {
        Sortie << Tabul << "}\n";
        ReduireTabul (Tabul, TabulSz);
        Sortie << Tabul << "}\n";
    }

    // --- Expressions ---

    std::string CEcrivain::Valeur (IdExpr E, unsigned) { return Texte (E); }

    std::string CEcrivain::TexteAppelStandard (const SExpr & E)
    {
        const EFonction F = static_cast <EFonction> (E.Op);
        const IdExpr A = M ().IdEnfant (E, 0);
        switch (F)
        {
            case EFonction::Taille  : return Texte (A) + ".size()";
            case EFonction::Modulo  : return " ((" + Texte (A) + ") % (" + Texte (M ().IdEnfant (E, 1)) + "))";
            case EFonction::Rand    :
                return " Rand ((" + Valeur (A, TEntier) + "), (" + Valeur (M ().IdEnfant (E, 1), TEntier) + "))";
            case EFonction::Rang    : return " ((unsigned long) (" + Texte (A) + "))";
            case EFonction::Succ    : return " char ((" + Texte (A) + ") + 1)";
            case EFonction::Pred    : return " char ((" + Texte (A) + ") - 1)";
            case EFonction::Toupper : return " char (toupper (" + Texte (A) + "))";
            default                 : return " char (tolower (" + Texte (A) + "))";
        }
    }

    std::string CEcrivain::Texte (IdExpr Id)
    {
        const SExpr & E = M ().Exprs [Id];
        switch (E.Genre)
        {
            case EExpr::Nombre    : return TexteNombre (M ().Valeur (E), E.Type);
            case EExpr::Chaine    : return TexteLitteralChaine (Source (), E.Plage);
            case EExpr::Caractere : return TexteLitteralCaractere (Source (), E.Plage);
            case EExpr::Booleen   : return E.Op ? "true" : "false";
            case EExpr::Nom       : return M ().Declarations [E.Ref].Nom;
            case EExpr::Element :
            {
                const std::string & Nom = M ().Declarations [E.Ref].Nom;
                return Nom + ".at (" + Texte (M ().IdEnfant (E, 0)) + ")";
            }
            case EExpr::Appel :
            {
                const SDeclaration & F = M ().Declarations [E.Ref];
                return F.Nom + " (" + ListeEffectifs (F, M ().ListeDe (E.Enfants), E.NbEnfants) + ")";
            }
            case EExpr::AppelStandard : return TexteAppelStandard (E);
            case EExpr::Parenthese    : return " (" + Texte (M ().IdEnfant (E, 0)) + ")";
            case EExpr::Oppose :
            {
                // Deux signes colles feraient l'operateur -- en C++.
                const std::string Facteur = Texte (M ().IdEnfant (E, 0));
                return (Facteur [0] == '-' ? "- " : "-") + Facteur;
            }
            case EExpr::Non           : return "! " + Texte (M ().IdEnfant (E, 0));
            case EExpr::Comparaison :
            {
                const IdExpr G = M ().IdEnfant (E, 0), D = M ().IdEnfant (E, 1);
                const std::string TG = Texte (G);
                return TG + TexteComparateurCpp (static_cast <EComparateur> (E.Op)) + Texte (D);
            }
            case EExpr::Operation :
            {
                const IdExpr Premier = M ().IdEnfant (E, 0);
                std::string s = Texte (Premier);
                for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
                {
                    const SOperateur & Op = M ().OperateurDe (E, i);
                    const IdExpr Terme = M ().IdEnfant (E, i);
                    const std::string T = Texte (Terme);
                    if (Op.Op >= EOperateur::Et) s += TexteConnecteur (Op.Op) + T;
                    else if (E.Type == TString) s += " + " + T;
                    else s += std::string (" ") + CaractereOperateur (Op.Op) + ' ' + T;
                }
                return s;
            }
        }
        return "";
    }
}
