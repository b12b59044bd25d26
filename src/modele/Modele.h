// Le modele du programme : ce que la traduction a lu, sous forme d'arbre type. Les unites, leurs
// parametres et declarations, chaque instruction et chaque expression, avec leur type et leur
// place dans le source ; chaque nom renvoie a sa declaration (un indice, jamais un nom a
// rechercher). Les ecrivains du C++, l'explicateur, le serveur de langage, l'interpreteur, les
// organigrammes et les verifications des outils lisent ce modele.
//
// Une structure de donnees simple : des tableaux de noeuds et des indices. Les enfants d'un noeud
// sont une tranche contigue d'une liste (Listes, Instrs...) : un noeud est ajoute quand il est
// complet, ses enfants avant lui. Les positions sont des decalages dans le texte tamponne
// (tabulations developpees, commentaires blanchis), que CPositions traduit en ligne et colonnes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace nsTramelo
{
    using IdExpr  = std::uint32_t;
    using IdInstr = std::uint32_t;
    using IdSuite = std::uint32_t;
    using IdDecl  = std::uint32_t;
    constexpr std::uint32_t Aucun = static_cast <std::uint32_t> (-1);

    constexpr std::size_t PorteeOuverte = static_cast <std::size_t> (-1);

    // Une place dans le texte tamponne : premier octet et longueur.
    struct SPlage
    {
        std::uint32_t Debut = 0, Longueur = 0;
        std::uint32_t Fin () const { return Debut + Longueur; }
    };

    // --- Declarations ---

    enum class ENature : unsigned char
    {
        Variable, VariableBoucle, Constante, Tableau, Parametre, Procedure, Fonction, Algorithme
    };

    // Un nom declare : ou il est ecrit, son type, et le texte sur lequel il vaut.
    struct SDeclaration
    {
        std::string Nom;
        ENature     Nature = ENature::Variable;
        unsigned    Type = 0;          // code de type (0 pour une procedure ou l'algorithme)
        unsigned    Mode = 0;          // passage d'un parametre : 0 in, 1 out, 2 in_out
        unsigned    Niveau = 0;        // niveau de bloc
        std::size_t Decalage = 0;      // debut du nom dans le texte tamponne
        std::size_t FinPortee = PorteeOuverte;   // ou sa portee s'est fermee
        IdExpr      Valeur = Aucun;    // constante : sa valeur
        IdExpr      Taille = Aucun;    // string_de, tableau_de : la taille declaree (Aucun : sans)
        std::uint32_t Unite = Aucun;   // l'unite qui la contient ; pour un nom d'unite, l'unite elle-meme
    };

    // --- Expressions ---

    enum class EExpr : unsigned char
    {
        Nombre,          // litteral numerique ; Ref : sa valeur dans Nombres
        Chaine,          // litteral "..." (la plage comprend les guillemets)
        Caractere,       // litteral '.'
        Booleen,         // vrai ou faux ; Op : 1 pour vrai
        Nom,             // variable, constante, parametre, tableau entier ; Ref : la declaration
        Element,         // nom [indice] ; Ref : la declaration ; un enfant : l'indice
        Appel,           // fonction du programme ; Ref : sa declaration ; enfants : parametres effectifs
        AppelStandard,   // Op : EFonction ; enfants : les arguments
        Parenthese,      // ( e ) ; un enfant
        Oppose,          // - f ; Ref : la place du signe ; un enfant
        Non,             // NON f ; un enfant
        Operation,       // t0 op1 t1 op2 t2... ; enfants : les termes ; Ref : premier de Operateurs
        Comparaison      // g op d ; Op : EComparateur ; Ref : la place de l'operateur ; deux enfants
    };

    enum class EOperateur : unsigned char { Plus, Moins, Fois, Divise, Et, Ou, EtAlors, OuSinon };
    enum class EComparateur : unsigned char { Egal, Different, Inf, InfEgal, Sup, SupEgal };
    // Dans l'ordre de la table des fonctions standard du vocabulaire.
    enum class EFonction : unsigned char { Rand, Modulo, Pred, Rang, Succ, Taille, Tolower, Toupper };

    // Un operateur d'une Operation, avant le terme de meme rang (le premier terme n'en a pas).
    struct SOperateur
    {
        EOperateur    Op = EOperateur::Plus;
        std::uint32_t Decalage = 0;   // le caractere ou le mot de l'operateur
    };

    struct SExpr
    {
        EExpr          Genre = EExpr::Nombre;
        unsigned char  Op = 0;
        std::uint16_t  Type = 0;       // code de type de la valeur (tableau : le type du tableau)
        SPlage         Plage;
        std::uint32_t  Ref = Aucun;
        std::uint32_t  Enfants = 0, NbEnfants = 0;   // tranche de Listes
    };

    // --- Instructions ---

    enum class EInstr : unsigned char
    {
        Declarer,        // Decl ; exprs : la taille ou la valeur de constante, s'il y en a
        Affectation,     // exprs : la cible (Nom ou Element), la valeur
        AppelProcedure,  // Decl : la procedure ; exprs : les parametres effectifs
        Renvoie,         // exprs : la valeur
        Si,              // exprs : les conditions ; suites : les branches (sinon : une de plus)
        TantQue,         // exprs : la condition ; une suite
        JusquA,          // jusqua (c) faire ... ffaire : exprs : la condition ; une suite
        Pour,            // Decl : la variable ; exprs : les deux bornes ; une suite
        Repeter,         // une suite ; exprs : la condition de jusqua
        Boucle,          // une suite
        Sortie,          // si (c) sortie;
        Continue,        // si (c) continue;
        Afficher,        // exprs : les valeurs
        Saisir,          // exprs : les variables (Nom)
        LigneSuivante,
        Allonger,        // exprs : le tableau ou la chaine (Nom), la longueur
        Redimensionner,  // idem
        ChoixSur         // accepte, sans effet
    };

    // Drapeaux d'une instruction.
    enum : unsigned char
    {
        InstrDescendant  = 1,   // pour ... descendant
        InstrFormeCourte = 2,   // si (c) sortie; / continue; / renvoie e; (la premiere branche)
        InstrIncomplete  = 4    // arretee par l'erreur de traduction
    };

    struct SInstr
    {
        EInstr        Genre = EInstr::ChoixSur;
        unsigned char Drapeaux = 0;
        SPlage        Plage;            // du premier mot a la fin (; ou mot de fin)
        IdDecl        Decl = Aucun;
        std::uint32_t Exprs = 0, NbExprs = 0;     // tranche de Listes
        std::uint32_t Suites = 0, NbSuites = 0;   // tranche de ListeSuites
    };

    // Une suite d'instructions : un corps, une branche, le corps d'une boucle.
    struct SSuite
    {
        std::uint32_t Instrs = 0, NbInstrs = 0;   // tranche de ListeInstrs
        SPlage        MotOuvrant;      // le premier mot de l'instruction qui l'ouvre (debut pour un corps)
        SPlage        MotFin;          // fin, ffaire, sinon_si, fsi... (vide : pas encore lu)
    };

    // --- Unites ---

    // Une unite : du premier caractere de son mot-cle a la fin de son mot fin.
    struct SUnite
    {
        ENature     Nature = ENature::Algorithme;
        std::string Nom;
        std::size_t Debut = 0, Fin = PorteeOuverte;
        std::size_t DecalageFin = PorteeOuverte;   // le mot fin de son corps
        std::size_t Declaration = 0;               // son nom dans Declarations
        unsigned    TypeRetour = 0;
        std::vector <IdDecl> Parametres;
        IdSuite     Corps = Aucun;
        bool        Complete = false;
    };

    // --- Ce qui restait ouvert quand la traduction s'est arretee ---

    // Un mot du source : sa position et sa longueur.
    struct SMot
    {
        std::size_t Decalage = 0, Longueur = 0;
    };

    // Une suite d'instructions ouverte : le mot qui l'a ouverte et le mot qui doit la fermer.
    struct SBloc
    {
        SMot        Ouvrant;
        std::string FinAttendue;   // "fin", "ffaire", "fboucle", "jusqua", ou "fsi" pour un si
    };

    // Le modele.
    struct SModele
    {
        std::vector <SUnite>       Unites;
        std::vector <SDeclaration> Declarations;
        std::vector <SInstr>       Instrs;
        std::vector <SSuite>       Suites;
        std::vector <SExpr>        Exprs;
        std::vector <std::uint32_t> Listes;        // enfants des expressions et des instructions
        std::vector <IdInstr>      ListeInstrs;    // instructions des suites
        std::vector <IdSuite>      ListeSuites;    // suites des instructions
        std::vector <SOperateur>   Operateurs;
        std::vector <double>       Nombres;        // valeurs des litteraux numeriques

        // A l'erreur : les suites encore ouvertes (de l'externe a l'interne) et les instructions
        // commencees (premier mot), de l'externe a l'interne. Vides apres une traduction complete.
        std::vector <SBloc> Blocs;
        std::vector <SMot>  Instructions;

        // Acces aux enfants.
        const SExpr & Enfant (const SExpr & E, std::uint32_t i) const { return Exprs [Listes [E.Enfants + i]]; }
        IdExpr IdEnfant (const SExpr & E, std::uint32_t i) const { return Listes [E.Enfants + i]; }
        // Les elements de Listes a partir de Debut (nullptr pour une liste vide en fin de Listes :
        // &Listes [Listes.size ()] serait une reference hors du tableau).
        const IdExpr * ListeDe (std::uint32_t Debut) const { return Debut < Listes.size () ? & Listes [Debut] : nullptr; }
        IdExpr IdExprDe (const SInstr & I, std::uint32_t i) const { return Listes [I.Exprs + i]; }
        const SExpr & ExprDe (const SInstr & I, std::uint32_t i) const { return Exprs [Listes [I.Exprs + i]]; }
        IdSuite IdSuiteDe (const SInstr & I, std::uint32_t i) const { return ListeSuites [I.Suites + i]; }
        const SSuite & SuiteDe (const SInstr & I, std::uint32_t i) const { return Suites [ListeSuites [I.Suites + i]]; }
        IdInstr IdInstrDe (const SSuite & S, std::uint32_t i) const { return ListeInstrs [S.Instrs + i]; }
        const SInstr & InstrDe (const SSuite & S, std::uint32_t i) const { return Instrs [ListeInstrs [S.Instrs + i]]; }
        const SOperateur & OperateurDe (const SExpr & E, std::uint32_t i) const { return Operateurs [E.Ref + i - 1]; }
        double Valeur (const SExpr & E) const { return Nombres [E.Ref]; }

        // Le nom declare et encore dans sa portee a Pos (la declaration la plus recente), ou nul.
        const SDeclaration * Visible (const std::string & Nom, std::size_t Pos) const;
        // La derniere declaration de ce nom dont la portee s'est fermee avant Pos, ou nulle.
        const SDeclaration * SortieDePortee (const std::string & Nom, std::size_t Pos) const;
        // L'unite dont le texte contient Pos, ou nulle.
        const SUnite * UniteEn (std::size_t Pos) const;
        // La declaration que designe le nom Nom ecrit a Pos : la declaration elle-meme, ou celle que
        // la traduction a donnee a ce nom (expression, appel) ; hors de ce que la traduction a lu,
        // la plus interne dont la portee couvre Pos (un nom d'unite vaut partout). Ou nulle.
        const SDeclaration * Designation (const std::string & Nom, std::size_t Pos) const;

      private:
        // Les declarations d'un nom, dans l'ordre : chercher chaque nom d'une longue instruction
        // parmi des milliers de declarations serait quadratique. Etendu a la premiere recherche
        // qui suit un ajout (le modele grandit pendant la traduction).
        const std::vector <std::uint32_t> & DeclarationsDe (const std::string & Nom) const;
        mutable std::unordered_map <std::string, std::vector <std::uint32_t>> ParNom;
        mutable std::size_t NbIndexees = 0;
    };

    // Les invariants du modele d'un texte tamponne de TailleTexte octets : chaque plage dans le
    // texte, chaque enfant dans la plage de son parent, chaque reference dans son tableau, chaque
    // instruction a sa place. Rend la premiere violation, ou une chaine vide.
    std::string Incoherence (const SModele & M, std::size_t TailleTexte);

    // Noms stables des genres, pour la forme inspectable du modele (--arbre) et les messages.
    const char * NomGenre (EExpr G);
    const char * NomGenre (EInstr G);
    const char * NomNatureCourt (ENature N);     // "variable", "parametre"...
    const char * TexteOperateur (EOperateur Op); // "+", "ET"...
    const char * TexteComparateur (EComparateur Op);   // "vaut", "<="...
    const char * NomFonction (EFonction F);      // "modulo", "taille"...
}
