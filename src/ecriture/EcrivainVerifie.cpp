#include "ecriture/EcrivainVerifie.h"

#include "driver/Tramelo.h"
#include "expressions/Numerique.h"
#include "scanner/Source.h"
#include "types/TypesCodes.h"
#include "units/CParamFormel.h"

#include <algorithm>

namespace nsTramelo
{
    namespace
    {
        bool IsEntier (unsigned Type) { return Type == TEntier || Type == TEntierNaturel; }

        bool IsArithmetique (EOperateur Op) { return Op == EOperateur::Plus || Op == EOperateur::Moins || Op == EOperateur::Fois; }

        // Un texte C++ qui appelle quelque chose (un controle, une fonction) : son evaluation peut
        // avoir un effet ou s'arreter sur une erreur, son ordre compte.
        bool Calcule (const std::string & Texte) { return Texte.find ('(') != std::string::npos; }

        // Le type C++ d'une variable, d'un parametre, d'une constante, d'un element ou d'un appel
        // de fonction entier, sur a la lecture : 'S' (entier, variable de pour : 64 bits signes),
        // 'U' (entier_naturel), 'I' (fonction entier : int), ou 0.
        char TypeConnu (const SModele & M, IdExpr Id)
        {
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Parenthese) return TypeConnu (M, M.IdEnfant (E, 0));
            if (E.Genre == EExpr::Appel) return E.Type == TEntier ? 'I' : E.Type == TEntierNaturel ? 'U' : 0;
            if (E.Genre != EExpr::Nom && E.Genre != EExpr::Element) return 0;
            return E.Type == TEntier ? 'S' : E.Type == TEntierNaturel ? 'U' : 0;
        }

        // La ligne du source (a partir de 1) du caractere a ce decalage du texte tamponne.
        std::size_t LigneSource (std::size_t Decalage)
        {
            if (FinLigne.empty ()) return 1;
            const std::size_t D = std::min <std::size_t> (Decalage, FinLigne.back () - 1);
            return std::upper_bound (FinLigne.begin (), FinLigne.end (), D) - FinLigne.begin () + 1;
        }

        // Un extrait du source dans un message : sur une ligne, et court.
        std::string Cite (std::string Texte)
        {
            for (char & c : Texte)
                if (c == '\n' || c == '\r' || c == '\t') c = ' ';
            if (Texte.size () > 40) Texte = Texte.substr (0, 37) + "...";
            return Texte;
        }

        // Le type C++ d'une cible entiere du profil standard (variable, element, parametre), ou vide.
        const char * CibleEntiere (unsigned Type)
        {
            return Type == TEntier ? "long int" : Type == TEntierNaturel ? "long unsigned" : "";
        }

        const char * const NoteInt = "note : en C++, une fonction entier rend un int, sur 32 bits (de -2147483648 à 2147483647)";

        // Les deux ecrivains ; l'ecrivain verifie est refait a chaque traduction de ce profil.
        CEcrivain Standard;
        std::unique_ptr <CEcrivainVerifie> Verifie;
    }

    CEcrivain * Ecrivain = & Standard;

    void PreparerEcriture (const std::string & Source, const SOptions & Options)
    {
        if (! Options.Verifie)
        {
            Ecrivain = & Standard;
            return;
        }
        Verifie = std::make_unique <CEcrivainVerifie> (Source, Options);
        Ecrivain = Verifie.get ();
    }

    void OublierEcriture ()
    {
        Ecrivain = & Standard;
        Verifie.reset ();
    }

    std::string LitteralCpp (const std::string & Texte)
    {
        std::string R = "\"";
        for (char c : Texte)
        {
            const unsigned char o = static_cast <unsigned char> (c);
            if (c == '"' || c == '\\') R += '\\';
            if (c == '\n') R += "\\n";
            else if (o < 32 || o == 127)
            {
                // Tout autre octet de controle (retour chariot, echappement...) en octal sur trois
                // chiffres : g++ refuse un retour chariot dans un litteral, et trois chiffres
                // n'absorbent jamais le caractere suivant.
                R += '\\';
                R += static_cast <char> ('0' + (o >> 6));
                R += static_cast <char> ('0' + ((o >> 3) & 7));
                R += static_cast <char> ('0' + (o & 7));
            }
            else R += c;
        }
        return R + '"';
    }

    // FinLigne est rempli ensuite par ChargerSource ; le situeur n'en garde que la reference.
    CEcrivainVerifie::CEcrivainVerifie (const std::string & Source, const SOptions & Options)
        : Situeur (Source, Options.TailleTab, FinLigne),
          NomSource (Options.NomSource.empty () ? "programme.algo" : Options.NomSource)
    {
        Sortie.Suivre (NomSource, Options.NomCpp.empty () ? "programme.cpp" : Options.NomCpp);
    }

    void CEcrivainVerifie::Entete () { GenererEnteteVerifie (NomSource); }

    void CEcrivainVerifie::Fin (const std::string & Algo) { Generer_mainVerifie (Algo); }

    void CEcrivainVerifie::Situer (std::size_t Decalage)
    {
        DebutInstruction = Decalage;
        Sortie.Situer (LigneSource (Decalage));
    }

    std::string CEcrivainVerifie::TextePosition (std::size_t Decalage)
    {
        if (FinLigne.empty ()) return "1, 1";
        const SPosition P = Situeur.Situer (Decalage);
        return std::to_string (P.Ligne) + ", " + std::to_string (P.ColonneOrigine);
    }

    std::string CEcrivainVerifie::Appel (const char * Fonction, const std::string & Args, std::size_t Decalage)
    {
        return std::string (Fonction) + " (" + Args + ", " + TextePosition (Decalage) + ")";
    }

    std::string CEcrivainVerifie::ArgumentNotes (const std::string & Notes)
    {
        return Notes.empty () ? std::string () : ", " + LitteralCpp (Notes);
    }

    // --- Boucles ---

    void CEcrivainVerifie::OuvrirBoucle (const char * Mot) { Boucles.push_back ({ Mot, LigneSource (DebutInstruction) }); }

    std::string CEcrivainVerifie::NoteBoucle () const
    {
        if (Boucles.empty ()) return "";
        return std::string ("note : ce calcul est dans la boucle ") + Boucles.back ().Mot + " de la ligne "
             + std::to_string (Boucles.back ().Ligne) + " : il est refait à chaque tour";
    }

    void CEcrivainVerifie::TantQue (IdExpr Condition)
    {
        OuvrirBoucle ("tant_que");
        CEcrivain::TantQue (Condition);
    }

    void CEcrivainVerifie::JusquA (IdExpr Condition)
    {
        OuvrirBoucle ("jusqua");
        CEcrivain::JusquA (Condition);
    }

    void CEcrivainVerifie::FinFaire ()
    {
        CEcrivain::FinFaire ();
        if (! Boucles.empty ()) Boucles.pop_back ();
    }

    void CEcrivainVerifie::Repeter ()
    {
        CEcrivain::Repeter ();
        OuvrirBoucle ("repeter");
    }

    void CEcrivainVerifie::FinRepeter (IdExpr Condition)
    {
        CEcrivain::FinRepeter (Condition);
        if (! Boucles.empty ()) Boucles.pop_back ();
    }

    void CEcrivainVerifie::Boucle ()
    {
        CEcrivain::Repeter ();
        OuvrirBoucle ("boucle");
    }

    void CEcrivainVerifie::FinBoucle ()
    {
        CEcrivain::FinBoucle ();
        if (! Boucles.empty ()) Boucles.pop_back ();
    }

    // Les bornes sont des long long int, comme dans le profil standard ; la variable n'avance
    // pas au-dela du plus grand entier (le C++ standard y deborderait).
    void CEcrivainVerifie::Pour (const SDeclaration & Variable, IdExpr Inf, IdExpr Sup, bool Descendant)
    {
        Sortie << Tabul << "{\n";
        AugmenterTabul (Tabul, TabulSz);
        Sortie << Tabul << "long long int _BorneInf (" << TexteConversion (Inf, "long long int") << ");\n"
               << Tabul << "long long int _BorneSup (" << TexteConversion (Sup, "long long int") << ");\n";
        const std::string & Nom = Variable.Nom;
        Sortie << Tabul << "for (long long int " << Nom << " = _BorneInf; " << Nom << (Descendant ? " >= " : " <= ")
               << "_BorneSup; " << Appel (Descendant ? "_Reculer" : "_Avancer", Nom + ", \"" + Nom + '"', Variable.Decalage)
               << ")\n" << Tabul << "{\n";
        OuvrirBoucle ("pour");
    }

    void CEcrivainVerifie::FinPour ()
    {
        if (! Boucles.empty ()) Boucles.pop_back ();
        CEcrivain::FinPour ();
    }

    // --- Unites ---

    // Entree d'une unite : la pile d'execution ne doit pas etre epuisee (recursion trop profonde).
    // L'algorithme n'est appele que par main : ses propres appels recursifs sont controles la ou
    // ils sont ecrits (EntreeAlgorithme).
    void CEcrivainVerifie::EntreeUnite (const SUnite & U, std::size_t PosNom)
    {
        Sortie << Tabul << std::string (TabulSz, ' ') << Appel ("_Entree", '"' + U.Nom + '"', PosNom) << ";\n";
    }

    void CEcrivainVerifie::EntreeAlgorithme (const SDeclaration & Algo, std::size_t PosNom)
    {
        Sortie << Tabul << "_Entree (\"" << Algo.Nom << "\", " << TextePosition (PosNom) << ");\n";
    }

    // Fin d'une fonction atteinte sans renvoie ; PosMotFin : son mot fin.
    void CEcrivainVerifie::FinSansRenvoie (const SUnite & U, std::size_t PosMotFin)
    {
        Sortie << Tabul << std::string (TabulSz, ' ') << Appel ("_SansRenvoie", '"' + U.Nom + '"', PosMotFin) << ";\n";
    }

    // --- Instructions ---

    // Les tailles declarees sont controlees (negatives, demesurees, plus grandes que la memoire
    // permise) ; les variables simples commencent a une valeur connue.
    void CEcrivainVerifie::Declarer (const SDeclaration & D, bool Constante, IdExpr Taille, IdExpr Val)
    {
        Sortie << Tabul;
        if (Constante) Sortie << "const " << TypeCpp (D.Type) << ' ' << D.Nom << " (" << Valeur (Val, D.Type) << ");\n";
        else if (IsTypeTableau (D.Type))
        {
            const unsigned Elem = GetTypeElem (D.Type);
            const std::string Remplissage = Elem == TString ? "string ()" : "numeric_limits <" + TypeCpp (Elem) + ">::max()";
            const std::string Nb = Taille == Aucun ? std::string ("0")
                                 : Appel (("_TailleDeclaree <" + TypeCpp (Elem) + ">").c_str (), TexteExpr (Taille, EMode::Observe),
                                          M ().Exprs [Taille].Plage.Debut);
            Sortie << TypeCpp (D.Type) << ' ' << D.Nom << " (" << Nb << ", " << Remplissage << ");\n";
        }
        else if (Taille != Aucun)
            Sortie << TypeCpp (D.Type) << ' ' << D.Nom << " ("
                   << Appel ("_TailleDeclaree <char>", TexteExpr (Taille, EMode::Observe), M ().Exprs [Taille].Plage.Debut)
                   << ", '\\0');\n";
        else Sortie << TypeCpp (D.Type) << ' ' << D.Nom << " {};\n";
    }

    // La valeur est calculee avant la cible, comme en C++17. Une chaine qui recoit une valeur
    // peut allouer (position du message de memoire) et deplacer ses caracteres.
    void CEcrivainVerifie::Affectation (IdExpr Cible, IdExpr Val)
    {
        const SExpr & C = M ().Exprs [Cible];
        const std::string TexteCible = TexteExpr (Cible, EMode::Observe);
        const std::string TexteValeur = Valeur (Val, C.Type);
        const bool Chaine = IsTypeString (C.Type);
        if (Chaine) Sortie << Tabul << "_Ici (" << TextePosition (C.Plage.Debut) << ");\n";
        Sortie << Tabul << TexteCible << " = " << TexteValeur << ";\n";
        if (Chaine && C.Genre == EExpr::Nom)
            Sortie << Tabul << Appel ("_Changee", TexteCible + ", \"" + TexteCible + '"', C.Plage.Debut) << ";\n";
    }

    void CEcrivainVerifie::AppelProcedure (const SDeclaration & Proc, const IdExpr * Args, std::size_t NbArgs,
                                           std::size_t PosNom)
    {
        const std::string Texte = TexteAppel (Proc, Args, NbArgs, PosNom);
        // L'algorithme qui s'appelle lui-meme : la pile est controlee avant l'appel.
        if (Proc.Nature == ENature::Algorithme) EntreeAlgorithme (Proc, PosNom);
        Sortie << Tabul << Texte << ";\n";
    }

    namespace
    {
        // Le type C++ que rend une fonction du profil standard, pour une cible entiere.
        std::string CibleRenvoyee (unsigned Type)
        {
            return Type == TEntier ? "int" : Type == TEntierNaturel ? "long unsigned" : "";
        }
    }

    // Une fonction entier rend un int, comme dans le profil standard : la valeur doit y tenir.
    void CEcrivainVerifie::Renvoie (IdExpr Val)
    {
        const unsigned Type = M ().Unites.back ().TypeRetour;
        Sortie << Tabul << "return (" << TexteConversion (Val, CibleRenvoyee (Type), Type == TEntier ? NoteInt : "") << ");\n";
    }

    void CEcrivainVerifie::RenvoieCourt (IdExpr Val)
    {
        const unsigned Type = M ().Unites.back ().TypeRetour;
        Sortie << Tabul << "   return (" << TexteConversion (Val, CibleRenvoyee (Type), Type == TEntier ? NoteInt : "") << ");\n";
    }

    // Une saisie invalide ou une fin d'entree est signalee.
    void CEcrivainVerifie::Saisir (IdExpr Variable)
    {
        const SExpr & V = M ().Exprs [Variable];
        const std::string Nom = Extrait (V.Plage);
        Sortie << Tabul << Appel ("_Saisir", Nom + ", \"" + Nom + '"', V.Plage.Debut) << ";\n";
    }

    void CEcrivainVerifie::Redimension (bool Allonger, IdExpr Nom, IdExpr Longueur)
    {
        const std::string N = Extrait (M ().Exprs [Nom].Plage);
        Sortie << Tabul << (Allonger ? "_Allonger (" : "_Redimensionner (") << N << ", "
               << TexteExpr (Longueur, EMode::Observe) << ", " << TextePosition (M ().Exprs [Longueur].Plage.Debut)
               << ", \"" << N << "\");\n";
    }

    // --- Expressions ---

    std::string CEcrivainVerifie::Texte (IdExpr E) { return TexteExpr (E, EMode::Observe); }

    std::string CEcrivainVerifie::Valeur (IdExpr E, unsigned TypeCible) { return TexteConversion (E, CibleEntiere (TypeCible)); }

    bool CEcrivainVerifie::IsModulaire (IdExpr Id) const
    {
        const SExpr & E = M ().Exprs [Id];
        switch (E.Genre)
        {
            case EExpr::Parenthese : return IsModulaire (M ().IdEnfant (E, 0));
            case EExpr::Oppose     : return IsEntier (E.Type) && ! IsLitteralEntier (M ().Enfant (E, 0));
            case EExpr::Operation  : return IsEntier (E.Type) && IsArithmetique (M ().OperateurDe (E, E.NbEnfants - 1).Op);
            default                : return false;
        }
    }

    // Vers un entier signe, un calcul +, -, * entre entiers est modulaire (la cible relit en
    // signe une valeur entier_naturel) ; vers un entier_naturel, il est observe.
    std::string CEcrivainVerifie::TexteConversion (IdExpr Id, const std::string & Cible, const std::string & Notes)
    {
        const SExpr & E = M ().Exprs [Id];
        if (Cible.empty () || IsLitteralEntier (E) || ! IsTypeNumerique (E.Type)) return TexteExpr (Id, EMode::Observe);
        const bool Signee = Cible.find ("unsigned") == std::string::npos;
        // Une variable du type de la cible (64 bits) y tient toujours.
        const char Connu = TypeConnu (M (), Id);
        if ((Connu == 'S' && Signee && Cible != "int") || (Connu == 'I' && Signee) || (Connu == 'U' && ! Signee))
            return TexteExpr (Id, EMode::Observe);
        const bool Modulaire = Signee && IsEntier (E.Type);
        const std::string Valeur = TexteExpr (Id, Modulaire ? EMode::Modulaire : EMode::Observe);
        const std::string Modele = "_Vers <" + Cible + (Modulaire && IsModulaire (Id) ? ", true>" : ">");
        return Modele + " (" + Valeur + ", " + TextePosition (E.Plage.Debut) + ArgumentNotes (Notes) + ")";
    }

    std::string CEcrivainVerifie::TexteExpr (IdExpr Id, EMode Mode)
    {
        const SExpr & E = M ().Exprs [Id];
        switch (E.Genre)
        {
            case EExpr::Element       : return TexteElement (E);
            case EExpr::Appel         : return TexteAppel (M ().Declarations [E.Ref], M ().ListeDe (E.Enfants), E.NbEnfants,
                                                           E.Plage.Debut);
            case EExpr::AppelStandard : return TexteAppelStandard (E);
            case EExpr::Parenthese    : return " (" + TexteExpr (M ().IdEnfant (E, 0), Mode) + ")";
            case EExpr::Oppose        : return TexteOppose (E, Mode);
            case EExpr::Non           : return "! " + TexteExpr (M ().IdEnfant (E, 0), EMode::Observe);
            case EExpr::Comparaison   : return TexteComparaison (E);
            case EExpr::Operation :
                if (E.Type == TString) return TexteConcatenation (E);
                if (IsTypeNumerique (E.Type)) return TexteCalcul (E, Mode);
                break;
            default : return CEcrivain::Texte (Id);
        }
        // Les connecteurs logiques : le texte du profil standard (les priorites du C++ s'y appliquent).
        std::string s = TexteExpr (M ().IdEnfant (E, 0), EMode::Observe);
        for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
        {
            static const char * const Connecteurs [] = { " & ", " | ", " && ", " || " };
            const EOperateur Op = M ().OperateurDe (E, i).Op;
            s += Connecteurs [static_cast <unsigned> (Op) - static_cast <unsigned> (EOperateur::Et)]
               + TexteExpr (M ().IdEnfant (E, i), EMode::Observe);
        }
        return s;
    }

    // t0 op1 t1 op2 t2... : chaque operation est un controle, ses deux operandes dans un _Deux.
    // Le mode d'une operation vient de celle qui emploie son resultat : un +, -, * entre entiers
    // transmet le sien, une division (ou un calcul reel) observe ses operandes.
    std::string CEcrivainVerifie::TexteCalcul (const SExpr & E, EMode Mode)
    {
        const std::uint32_t n = E.NbEnfants;
        std::vector <unsigned> Type (n);
        Type [0] = M ().Enfant (E, 0).Type;
        for (std::uint32_t i = 1; i < n; ++i) Type [i] = Combiner (Type [i - 1], M ().Enfant (E, i).Type);
        auto Op = [&] (std::uint32_t i) { return M ().OperateurDe (E, i); };
        std::vector <EMode> ModeOp (n, EMode::Observe);
        ModeOp [n - 1] = Mode;
        // Le mode que l'operateur i donne a ses operandes.
        auto ModeOperandes = [&] (std::uint32_t i)
        {
            return IsArithmetique (Op (i).Op) && ModeOp [i] == EMode::Modulaire && Type [i] != TReel ? EMode::Modulaire
                                                                                                       : EMode::Observe;
        };
        for (std::uint32_t i = n - 1; i >= 2; --i) ModeOp [i - 1] = ModeOperandes (i);

        const IdExpr Premier = M ().IdEnfant (E, 0);
        std::string s = TexteExpr (Premier, ModeOperandes (1));
        bool InterG = ModeOperandes (1) == EMode::Modulaire && IsModulaire (Premier);
        const std::string Notes = ArgumentNotes (NoteBoucle ());
        for (std::uint32_t i = 1; i < n; ++i)
        {
            const IdExpr Terme = M ().IdEnfant (E, i);
            const EMode ModeTerme = ModeOperandes (i);
            const std::string t = TexteExpr (Terme, ModeTerme);
            const std::string Deux = "_Deux {" + s + ", " + t + "}";
            const std::string Position = TextePosition (Op (i).Decalage);
            if (Op (i).Op == EOperateur::Divise) s = "_Div (" + Deux + ", " + Position + Notes + ")";
            else
            {
                const bool InterD = ModeTerme == EMode::Modulaire && IsModulaire (Terme);
                const unsigned Drapeaux = (ModeOp [i] == EMode::Modulaire ? 1 : 0) | (InterG ? 2 : 0) | (InterD ? 4 : 0);
                static const char * const Noms [] = { "_Plus", "_Moins", "_Fois" };
                s = std::string (Noms [static_cast <unsigned> (Op (i).Op)]) + " <" + std::to_string (Drapeaux) + "> ("
                  + Deux + ", " + Position + Notes + ")";
            }
            InterG = i + 1 < n && IsArithmetique (Op (i).Op) && ModeOperandes (i + 1) == EMode::Modulaire;
        }
        return s;
    }

    // Chaque concatenation situe la memoire qu'elle demande.
    std::string CEcrivainVerifie::TexteConcatenation (const SExpr & E)
    {
        std::string s = TexteExpr (M ().IdEnfant (E, 0), EMode::Observe);
        for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
            s = "_Concat (" + s + ", " + TexteExpr (M ().IdEnfant (E, i), EMode::Observe) + ", "
              + TextePosition (M ().OperateurDe (E, i).Decalage) + ")";
        return s;
    }

    // Entre entiers, le controle compare comme le C++ et verifie que le resultat est le resultat
    // mathematique ; ailleurs, le texte du profil standard, ordonne si les deux cotes calculent.
    std::string CEcrivainVerifie::TexteComparaison (const SExpr & E)
    {
        const SExpr & G = M ().Enfant (E, 0);
        const SExpr & D = M ().Enfant (E, 1);
        const std::string TG = TexteExpr (M ().IdEnfant (E, 0), EMode::Observe);
        const std::string TD = TexteExpr (M ().IdEnfant (E, 1), EMode::Observe);
        const unsigned Op = E.Op;
        if ((IsEntier (G.Type) && IsEntier (D.Type)) || (Calcule (TG) && Calcule (TD)))
        {
            static const char * const Noms [] = { "_Egal", "_Different", "_Inf", "_InfEgal", "_Sup", "_SupEgal" };
            return "_Comparer <" + std::string (Noms [Op]) + "> (_Deux {" + TG + ", " + TD + "}, " + TextePosition (E.Ref) + ")";
        }
        static const char * const Textes [] = { " == ", " != ", " < ", " <= ", " > ", " >= " };
        return TG + Textes [Op] + TD;
    }

    // Le moins unaire : un litteral ou un reel tel quel, sinon controle.
    std::string CEcrivainVerifie::TexteOppose (const SExpr & E, EMode Mode)
    {
        const IdExpr Id = M ().IdEnfant (E, 0);
        const SExpr & F = M ().Exprs [Id];
        if (F.Type == TReel || IsLitteralEntier (F))
        {
            const std::string Facteur = TexteExpr (Id, EMode::Observe);
            return (Facteur [0] == '-' ? "- " : "-") + Facteur;
        }
        const unsigned Drapeaux = Mode == EMode::Modulaire ? (IsModulaire (Id) ? 3 : 1) : 0;
        return "_Oppose <" + std::to_string (Drapeaux) + "> (" + TexteExpr (Id, Mode) + ", " + TextePosition (E.Plage.Debut)
             + ArgumentNotes (NoteBoucle ()) + ")";
    }

    // "t.at (_Indice (t, i, LIGNE, COLONNE, "t"))" : la forme ".at (" reste celle du profil
    // standard.
    std::string CEcrivainVerifie::TexteElement (const SExpr & E)
    {
        return M ().Declarations [E.Ref].Nom + ".at (" + TexteIndice (E) + ")";
    }

    // L'indice controle d'un element ; un indice qui est la variable d'un pour nomme sa boucle.
    std::string CEcrivainVerifie::TexteIndice (const SExpr & E)
    {
        const std::string & Nom = M ().Declarations [E.Ref].Nom;
        const IdExpr Indice = M ().IdEnfant (E, 0);
        std::string Notes;
        IdExpr I = Indice;
        while (M ().Exprs [I].Genre == EExpr::Parenthese) I = M ().IdEnfant (M ().Exprs [I], 0);
        const SExpr & X = M ().Exprs [I];
        if (X.Genre == EExpr::Nom && M ().Declarations [X.Ref].Nature == ENature::VariableBoucle)
            Notes = "note : " + M ().Declarations [X.Ref].Nom + " est la variable de la boucle pour de la ligne "
                  + std::to_string (LigneSource (M ().Declarations [X.Ref].Decalage));
        return "_Indice (" + Nom + ", " + TexteExpr (Indice, EMode::Observe) + ", " + TextePosition (M ().Exprs [Indice].Plage.Debut)
             + ", \"" + Nom + '"' + ArgumentNotes (Notes) + ")";
    }

    std::string CEcrivainVerifie::TexteAppelStandard (const SExpr & E)
    {
        const EFonction F = static_cast <EFonction> (E.Op);
        const IdExpr A = M ().IdEnfant (E, 0);
        const std::string Position = TextePosition (E.Plage.Debut);
        switch (F)
        {
            case EFonction::Taille : return TexteExpr (A, EMode::Observe) + ".size()";
            case EFonction::Modulo :
            {
                const IdExpr B = M ().IdEnfant (E, 1);
                const std::string TA = TexteExpr (A, EMode::Observe);
                return "_Modulo (_Deux {" + TA + ", " + TexteExpr (B, EMode::Observe) + "}, "
                     + TextePosition (M ().Exprs [B].Plage.Debut) + ArgumentNotes (NoteBoucle ()) + ")";
            }
            case EFonction::Rand :
            {
                const char * const Note = "note : en C++, les bornes de Rand sont des int, sur 32 bits (de -2147483648 à 2147483647)";
                const std::string Min = TexteConversion (A, "int", Note);
                return " Rand (" + Min + ", " + TexteConversion (M ().IdEnfant (E, 1), "int", Note) + ", " + Position + ")";
            }
            case EFonction::Rang    : return "_Rang (" + TexteExpr (A, EMode::Observe) + ", " + Position + ")";
            case EFonction::Succ    : return " char ((" + TexteExpr (A, EMode::Observe) + ") + 1)";
            case EFonction::Pred    : return " char ((" + TexteExpr (A, EMode::Observe) + ") - 1)";
            case EFonction::Toupper : return " char (toupper (" + TexteExpr (A, EMode::Observe) + "))";
            default                 : return " char (tolower (" + TexteExpr (A, EMode::Observe) + "))";
        }
    }

    // Un parametre in recoit une valeur controlee (ou une copie situee d'un tableau, d'une
    // chaine) ; un element passe par reference a une unite qui recoit aussi un tableau (une
    // chaine) de ce type par reference est inscrit le temps de l'appel. Comme dans le profil
    // standard, les parametres effectifs sont ceux d'un appel de fonction C++ : g++ les evalue de
    // droite a gauche.
    std::string CEcrivainVerifie::TexteAppel (const SDeclaration & Unite, const IdExpr * Args, std::size_t Nb,
                                              std::size_t PosNom)
    {
        const std::vector <IdDecl> & Formels = M ().Unites [Unite.Unite].Parametres;
        auto ParReference = [&] (std::size_t i) { return M ().Declarations [Formels [i]].Mode != ModeIn; };
        std::string Liste;
        for (std::size_t i = 0; i < Nb; ++i)
        {
            const SDeclaration & F = M ().Declarations [Formels [i]];
            const SExpr & A = M ().Exprs [Args [i]];
            std::string T;
            if (! ParReference (i))
            {
                if ((IsTypeTableau (F.Type) || IsTypeString (F.Type)) && (A.Genre == EExpr::Nom || A.Genre == EExpr::Element))
                    T = "_Copie (" + TexteExpr (Args [i], EMode::Observe) + ", " + TextePosition (A.Plage.Debut) + ")";
                else T = Valeur (Args [i], F.Type);
            }
            else if (A.Genre == EExpr::Element)
            {
                // Le tableau (la chaine) qui contient l'element, passe lui aussi par reference ?
                const unsigned Conteneur = M ().Declarations [A.Ref].Type;
                std::size_t Avec = Nb;
                for (std::size_t k = 0; k < Nb && Avec == Nb; ++k)
                    if (k != i && ParReference (k) && M ().Exprs [Args [k]].Genre == EExpr::Nom && M ().Exprs [Args [k]].Type == Conteneur)
                        Avec = k;
                if (Avec == Nb) T = TexteExpr (Args [i], EMode::Observe);
                else
                    T = "_Reference {" + M ().Declarations [A.Ref].Nom + ", " + TexteIndice (A) + ", "
                      + LitteralCpp (Cite (Extrait (M ().Exprs [Args [Avec]].Plage))) + ", " + LitteralCpp (Cite (Extrait (A.Plage)))
                      + ", \"" + Unite.Nom + "\", " + TextePosition (PosNom) + "}._R";
            }
            else T = TexteExpr (Args [i], EMode::Observe);
            Liste += (i > 0 ? ", " : "") + T;
        }
        return Unite.Nom + " (" + Liste + ")";
    }

    void Generer_mainVerifie (const std::string & Algo)
    {
        Sortie.Cadre ();
        Sortie <<
            "} // namespace\n"
            "\n"
            "int main()\n"
            "{\n"
            "    _BasePile = static_cast <char *> (__builtin_frame_address (0));\n"
            "    _LireBudgetPile ();\n"
            "    _LireMemoire ();\n"
            "    try\n"
            "    {\n"
            "        " << Algo << "();\n"
            "    }\n"
            "    catch (const std::bad_alloc &)\n"
            "    {\n"
            "        _MemoireInsuffisante (0, 0, false, 0, true);\n"
            "    }\n"
            "    catch (const std::exception & _E)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Erreur inattendue de la bibliothèque C++ (\" << _E.what () << \")\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    catch (...)\n"
            "    {\n"
            "        _SignalerSansPosition () << \"Erreur inattendue\";\n"
            "        _Arreter ();\n"
            "    }\n"
            "    std::cout.flush ();\n"
            "    return 0;\n"
            "\n"
            "} // main()\n";
    }
}
