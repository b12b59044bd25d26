// Le code de l'interpreteur : la forme compacte d'un programme, compilee une fois depuis le
// modele. Une machine a registres : chaque unite a un cadre de cases (parametres, variables,
// temporaires), chaque operation lit et ecrit des cases designees par un operande.
//
// Un operande : (indice << 1) | zone ; zone 0 : une case du cadre courant, zone 1 : une
// constante du programme. Une case tient un entier (entier, entier_naturel, booleen, caractere,
// variable de pour), un reel, ou l'adresse d'un objet (chaine, tableau). Un parametre out ou
// in_out d'un type simple occupe deux cases : l'objet et l'indice d'element (voir SRef).
#pragma once

#include "driver/Traduction.h"
#include "services/interpreteur/Controles.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace nsTramelo::nsInterpreteur
{
    using Operande = std::uint32_t;
    constexpr Operande PasDOperande = 0xFFFFFFFFu;

    union SCase
    {
        std::int64_t I;
        double       R;
        void *       P;
    };

    // Une chaine et ce qu'elle compte dans la memoire du programme.
    struct CChaine
    {
        std::string S;
        std::size_t Compte = 0;
    };

    // Genre des elements d'un tableau : entiers (64 bits), reels, octets (booleen, caractere),
    // chaines.
    enum class EElem : unsigned char { Entier, Reel, Octet, Chaine };

    struct CTableau
    {
        EElem Genre = EElem::Entier;
        bool  Bits = false;   // booleens : un bit chacun dans le programme compile (memoire)
        std::vector <std::int64_t> I;
        std::vector <double>       R;
        std::vector <char>         O;
        std::vector <CChaine>      S;
        std::size_t Compte = 0;
        std::size_t Taille () const
        {
            switch (Genre)
            {
                case EElem::Entier : return I.size ();
                case EElem::Reel   : return R.size ();
                case EElem::Octet  : return O.size ();
                default            : return S.size ();
            }
        }
    };

    // Un parametre out ou in_out d'un type simple, ou d'une chaine : deux cases, l'objet (P) et
    // Index << 3 | genre (I). Une reference garde son conteneur et son indice, jamais l'adresse
    // d'un element : un tableau redimensionne entre-temps ne la rend pas invalide.
    enum ERef : unsigned
    {
        RefCase = 0,      // P : la case d'une variable (SCase *)
        RefElemI = 1,     // P : CTableau * (entiers)
        RefElemR = 2,     // P : CTableau * (reels)
        RefElemO = 3,     // P : CTableau * (caracteres)
        RefCar = 4,       // P : CChaine *, un caractere
        RefObjet = 5,     // P : l'objet lui-meme (chaine)
        RefElemS = 6      // P : CTableau * (chaines)
    };

    enum ECode : std::uint16_t
    {
        // --- Copies et conversions ---
        Copier,             // A <- B
        EntierVersReel,     // A <- double (B)   (B signe)
        NaturelVersReel,    // A <- double (B)   (B non signe)
        Naturel,            // A <- _Naturel (B) ; D : position
        EntierDeReel,       // A <- _EntierDeReel (B)
        NaturelDeReel,      // A <- _NaturelDeReel (B)
        // --- Entiers (controles) ---
        Plus, Moins, Fois, Div, Modulo,   // A <- B op C ; D : position
        PlusK, MoinsK,      // A <- B op constante C (entier), D : position
        Oppose,             // A <- -B
        // --- Reels ---
        RPlus, RMoins, RFois,
        RDiv,               // A <- B / C ; D : position
        ROppose,
        // --- Booleens ---
        Non,                // A <- ! B
        Et, Ou,             // A <- B & C, B | C
        // --- Comparaisons : A <- B op C ---
        EgalI, DiffI, InfI, InfEgalI, SupI, SupEgalI,
        EgalR, DiffR, InfR, InfEgalR, SupR, SupEgalR,
        EgalS, DiffS, InfS, InfEgalS, SupS, SupEgalS,
        // --- Sauts ---
        Saut,               // vers A
        SiVrai, SiFaux,     // si B : vers A
        // Comparaison et saut si elle est fausse : vers A si ! (B op C)
        SautSiNonEgalI, SautSiNonDiffI, SautSiNonInfI, SautSiNonInfEgalI, SautSiNonSupI, SautSiNonSupEgalI,
        SautSiNonEgalR, SautSiNonDiffR, SautSiNonInfR, SautSiNonInfEgalR, SautSiNonSupR, SautSiNonSupEgalR,
        // pour : A variable, B borne de fin ; C : debut du corps ; D : sortie
        PourDebut,          // A <- valeur (X : 1 si descendant) ; si la borne est depassee, vers D
        PourSuivant,        // si A < B : A++ et vers C
        PourSuivantDesc,    // si A > B : A-- et vers C
        // --- Chaines ---
        ChCopier,           // *A <- *B (A : chaine possedee, allouee au besoin) ; X : 1 si D est _Ici
        ChEchanger,         // *A <- *B deplacee (deux chaines possedees), B videe et rendue
        ChAjouter,          // *A += *B ; X : 1 si D est _Ici
        ChAjouterCar,       // *A += caractere B ; X : 1 si D est _Ici
        ChTaille,           // A <- taille (*B)
        ChElement,          // A <- (*B) [C] ; D : position de l'indice
        ChEcrire,           // (*A) [B] <- C ; D : position
        ChDeclarer,         // A : chaine vide, ou de B caracteres nuls (D : position) si B != PasDOperande
        ChAllonger,         // allonger (*A, B) ; D : position
        ChRedimensionner,
        // --- Tableaux (X : genre des elements) ---
        TabDeclarer,        // A : tableau de B elements (PasDOperande : vide), valeur C ; D : position ;
                            // X : genre, | 0x10 pour des booleens
        TabElementI,        // A <- (*B) [C] ; D : position
        TabElementR,
        TabElementO,        // caractere (signe) ou booleen
        TabElementS,        // A : pointeur vers l'element (case non possedee)
        TabEcrireI,         // (*A) [B] <- C ; D : position
        TabEcrireR,
        TabEcrireO,
        TabEcrireS,         // copie de la chaine C
        TabTaille,          // A <- taille (*B)
        TabAllonger,        // allonger (*A, B) ; D : position
        TabRedimensionner,
        // --- References (parametres out et in_out) ---
        RefDeCase,          // A, A+1 <- reference a la case B (operande de cadre)
        RefDeElement,       // A, A+1 <- reference a (*B) [C] ; D : position ; X : genre ERef
        RefCopier,          // A, A+1 <- B, B+1
        RefDeObjet,         // A, A+1 <- reference a l'objet B (chaine)
        RefLireI,           // A <- valeur entiere designee par la reference B ; D : position
        RefLireR,
        RefEcrireI,         // la reference A <- B
        RefEcrireR,
        RefChaine,          // A <- adresse de la chaine designee par B (case non possedee)
        // --- Unites ---
        Appel,              // A : unite ; B : arguments (SAppel) ; C : resultat ; D : position
        Renvoie,            // A : valeur ; X : 0 scalaire, 1 chaine a copier, 2 chaine a deplacer
        FinUnite,           // fin d'une procedure ou de l'algorithme
        FinSansRenvoie,     // fin d'une fonction : _SansRenvoie ; D : position
        // --- Fonctions standard ---
        Rand,               // A <- Rand (B, C)
        Succ, Pred, Majuscule, Minuscule, Rang,   // A <- f (B)
        // --- Entree et sortie ---
        AfficherI, AfficherN, AfficherR, AfficherB, AfficherC, AfficherS,   // cout << A
        LigneSuivante,
        SaisirI,            // A : la case ; B : le nom ; X : ESaisie ; D : position
        SaisirR, SaisirS, SaisirC,
        ChChangee,          // la chaine *A (une vue) vient de recevoir une valeur : references inscrites ; D : position
        VersInt,            // A <- B, qui doit tenir dans un int (renvoie d'une fonction entier) ;
                            // D : position ; X : 1 si B est un entier_naturel ; 2 : B, un
                            // entier_naturel, doit tenir dans un entier (64 bits)
        // --- Pas ---
        Marque,             // A : le marqueur (une ligne executee) ; budget et pas a pas
        NbCodes
    };

    struct SOp
    {
        std::uint16_t Code = 0;
        std::uint16_t X = 0;
        std::uint32_t A = 0, B = 0, C = 0, D = 0;
    };

    // Un argument d'appel : la case de l'appelant et la facon de le passer.
    enum class EPassage : unsigned char
    {
        Valeur,         // une case copiee (scalaire)
        CopieChaine,    // parametre in de type chaine : copie possedee par l'appele
        CopieTableau,   // parametre in de type tableau : copie possedee par l'appele
        Objet,          // tableau out ou in_out : l'adresse du tableau
        Reference       // deux cases (SRef)
    };

    struct SArgument
    {
        Operande  Source = 0;
        EPassage  Passage = EPassage::Valeur;
        // Un element passe par reference a une unite qui recoit aussi son tableau (sa chaine)
        // par reference : inscrit le temps de l'appel (dans Liens), sinon PasDeLien.
        std::uint32_t Lien = 0xFFFFFFFFu;
    };

    // Ce que dit le message d'une reference invalidee : l'appel, tel qu'ecrit.
    struct SLienCode
    {
        std::string   Conteneur, Element, Unite;
        std::uint32_t Ligne = 0;
        bool          Chaine = false;
    };

    struct SAppel
    {
        std::uint32_t Premier = 0, Nb = 0;   // tranche de Arguments
    };

    // Une position dans le source d'origine (controles, lignes du suivi).
    struct SPositionCode
    {
        std::uint32_t Ligne = 1, Colonne = 1;
        std::uint32_t Decalage = 0;
        // Dans Noms : l'objet indexe a cet endroit (ses notes le nomment), les notes connues a la
        // traduction (boucle en cours, variable de pour), deja prefixees ; PasDeNom sinon.
        std::uint32_t Nom = 0xFFFFFFFFu, Notes = 0xFFFFFFFFu;
    };

    // Une variable visible dans le suivi : chainee a celles deja visibles (portees).
    enum class EVue : unsigned char { Entier, Naturel, Reel, Booleen, Caractere, Chaine, Tableau };

    struct SVisible
    {
        std::uint32_t Nom = 0;        // dans Noms
        std::uint32_t Case = 0;
        EVue          Vue = EVue::Entier;
        EElem         Elem = EElem::Entier;   // pour un tableau
        bool          Naturel = false;        // tableau d'entier_naturel
        bool          Booleen = false;        // tableau de booleen
        bool          Reference = false;      // parametre out ou in_out d'un type simple ou chaine
        std::uint32_t Parent = 0xFFFFFFFFu;   // la variable visible avant elle
    };

    // Un point ou une ligne commence : le budget de pas, le pas a pas, le suivi.
    enum class EMarque : unsigned char
    {
        Instruction,    // une instruction ou un tour de boucle
        Invisible,      // tour de boucle sans ligne a montrer (boucle, repeter) : budget seulement
        FinUnite        // le mot fin d'une unite, avant d'en sortir
    };

    struct SMarque
    {
        EMarque       Genre = EMarque::Instruction;
        std::uint32_t Ligne = 0;
        std::uint32_t Ordre = 0;        // decalage dans le texte : avant ou apres sur la meme ligne
        std::uint32_t Debut = 0, Fin = 0;   // l'instruction, dans le source d'origine
        std::uint32_t Visibles = 0xFFFFFFFFu;   // la derniere variable visible
    };

    struct SUniteCode
    {
        std::string   Nom;
        bool          Fonction = false, Algorithme = false;
        std::uint32_t Debut = 0;        // premiere operation
        std::uint32_t NbCases = 0;
        std::uint32_t NbParametres = 0; // cases des parametres (au debut du cadre)
        std::vector <std::uint32_t> Chaines;    // cases de chaines possedees (liberees en sortie)
        std::vector <std::uint32_t> Tableaux;   // cases de tableaux possedes
        std::uint32_t PosEntree = nsControles::SansPosition;   // _Entree : le nom dans l'en-tete
        std::uint32_t LigneEntete = 0;
        std::uint32_t VisiblesEntree = 0xFFFFFFFFu;   // les parametres
        std::size_t   Cout = 0;         // octets de pile d'un cadre
        EVue          VueRetour = EVue::Entier;   // fonction : comment ecrire sa valeur au suivi
    };

    struct SProgramme
    {
        std::vector <SOp>            Ops;
        std::vector <SCase>          Constantes;
        std::vector <std::unique_ptr <CChaine>> ChainesConstantes;
        std::vector <SUniteCode>     Unites;
        std::uint32_t                Algorithme = 0;
        std::vector <SArgument>      Arguments;
        std::vector <SAppel>         Appels;
        std::vector <SLienCode>      Liens;
        std::vector <SPositionCode>  Positions;
        std::vector <std::string>    Noms;       // noms des variables saisies et du suivi
        std::vector <SMarque>        Marques;
        std::vector <SVisible>       Visibles;
        std::vector <std::string>    Lignes;     // texte de chaque ligne du source (suivi)
    };

    // Compile le modele d'une traduction reussie ; faux et Refus rempli sinon.
    bool Compiler (const STraduction & T, const std::string & Source, unsigned TailleTab,
                   SProgramme & P, std::string & Refus);

    inline Operande OperandeCase (std::uint32_t Case) { return Case << 1; }
    inline Operande OperandeConstante (std::uint32_t Indice) { return (Indice << 1) | 1; }
    inline bool EstCase (Operande O) { return (O & 1) == 0; }
    inline std::uint32_t IndiceDe (Operande O) { return O >> 1; }
}
