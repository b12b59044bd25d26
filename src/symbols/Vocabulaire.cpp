#include "symbols/Vocabulaire.h"

#include "util/CExcTramelo.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <unordered_map>

using nsUtil::EMsg;

namespace nsTramelo
{
    // Les tables marquees triees sont parcourues par recherche dichotomique : garder l'ordre.
    const std::string Structs [NbStructs] =
        { "boucle", "choix_sur", "jusqua", "pour", "repeter", "si", "tant_que" };
    const std::string Begins [NbBegins] = { "debut", "faire" };
    const std::string Ends [NbEnds] =
        { "fboucle", "fchoix", "ffaire", "fin", "fsi", "sinon", "sinon_si" };
    const std::string MotsCle [NbMotsCle] =
        { "a", "algorithme", "autre", "cas", "constante", "de", "declarer", "entre", "fonction",
          "in", "in_out", "out", "predicat", "procedure", "renvoie", "sortie", "variant_de" };
    const std::string Operateurs [NbOperateurs] =
        { "ET", "ET_ALORS", "NON", "OU", "OU_SINON", "ne_vaut_pas", "vaut" };
    const std::string Procedures [NbProcedures] =
        { "afficher", "allonger", "ligne_suivante", "redimensionner", "saisir" };
    const std::string Fonctions [NbFonctions] =
        { "Rand", "modulo", "pred", "rang", "succ", "taille", "tolower", "toupper" };
    const std::string TypesSimples [NbTypesSimples] =
        { "booleen", "caractere", "entier", "entier_naturel", "reel", "string" };
    const std::string TypesSimplesCpp [NbTypesSimples] =
        { "bool", "char", "long int", "long unsigned", "double", "string" };
    const std::string TypesVectorsCpp [NbTypesSimples] =
        { "CVBool", "CVChar", "CVLInt", "CVLUInt", "CVDouble", "CVString" };
    const std::string TypesComposes [NbTypesComposes] = { "string", "string_de", "tableau_de" };
    const std::string LibellesSsProgr [NbLibellesSsProgr] = { "algorithme", "fonction", "procedure" };
    const unsigned TypesFonctions [NbFonctions] = { 2, 2, 5, 2, 5, 2, 5, 5 };

    // Un nom declare par le source devient tel quel un nom C++ : ni mot-cle ou symbole alternatif
    // du C++17, ni nom dont depend le texte produit apres le debut du code de l'utilisateur.
    const std::string NomsCpp [] =
    {
        "CRand",                                    // classe d'amorcage de Rand (prelude)
        "CVBool", "CVChar", "CVDouble", "CVLInt",   // types des tableaux (prelude, declarations)
        "CVLUInt", "CVString",
        "ULong_t",                                  // typedef du prelude
        "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break",
        "case", "catch", "char", "char16_t", "char32_t", "cin",   // cin : saisir
        "class", "compl", "const", "const_cast", "constexpr", "continue",
        "cout",                                     // afficher, ligne_suivante, main
        "decltype", "default", "delete", "do", "double", "dynamic_cast", "else",
        "endl",                                     // ligne_suivante
        "enum", "explicit", "export", "extern", "false", "float", "for", "friend",
        "getline",                                  // saisir
        "goto", "if", "inline", "int", "long",
        "main",                                     // point d'entree du programme produit
        "mutable", "namespace", "new", "noexcept", "not", "not_eq", "nullptr",
        "numeric_limits",                           // valeur initiale des tableaux
        "operator", "or", "or_eq",
        "out_of_range",                             // main : indice invalide
        "private", "protected", "public", "register", "reinterpret_cast", "return", "short",
        "signed", "sizeof", "static", "static_assert", "static_cast",
        "std",                                      // qualification du prelude
        "string",                                   // type string
        "struct", "switch", "template", "this", "thread_local", "throw", "true", "try",
        "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void",
        "volatile", "wchar_t", "while", "xor", "xor_eq",
    };
    const std::size_t NbNomsCpp = sizeof (NomsCpp) / sizeof (NomsCpp [0]);

    namespace
    {
        // Portee d'un nom des en-tetes : refuse partout, ou seulement comme nom de l'algorithme.
        enum EPorteeNom : unsigned char { NomPartout, NomAlgo };

        struct SNomEntete
        {
            std::string_view Nom;
            EPorteeNom       Portee;
        };

        // Noms que les en-tetes inclus par le programme produit rendent inutilisables (triee).
        constexpr SNomEntete NomsEntetes [] =
        {
#include "symbols/NomsEntetes.inc"
        };

        constexpr bool TriesStrictement (const SNomEntete * Debut, const SNomEntete * Fin)
        {
            for (const SNomEntete * p = Debut; p + 1 < Fin; ++p)
                if (! (p->Nom < (p + 1)->Nom)) return false;
            return true;
        }
        static_assert (TriesStrictement (std::begin (NomsEntetes), std::end (NomsEntetes)),
                       "NomsEntetes.inc doit rester triee : la regenerer");

        enum : unsigned
        {
            FStruct = 1, FBegin = 2, FEnd = 4, FMotCle = 8, FOperateur = 16, FProcedure = 32,
            FFonction = 64, FTypeSimple = 128, FTypeCompose = 256, FNomCpp = 512,
            FNomEntete = 1024, FNomEnteteAlgo = 2048
        };

        template <std::size_t N>
        void Marquer (std::unordered_map <std::string, unsigned> & M, const std::string (& Table) [N],
                      unsigned Drapeau)
        {
            for (const std::string & Mot : Table) M [Mot] |= Drapeau;
        }

        struct STableMots
        {
            std::unordered_map <std::string, unsigned> Drapeaux;

            STableMots ()
            {
                Marquer (Drapeaux, Structs, FStruct);
                Marquer (Drapeaux, Begins, FBegin);
                Marquer (Drapeaux, Ends, FEnd);
                Marquer (Drapeaux, MotsCle, FMotCle);
                Marquer (Drapeaux, Operateurs, FOperateur);
                Marquer (Drapeaux, Procedures, FProcedure);
                Marquer (Drapeaux, Fonctions, FFonction);
                Marquer (Drapeaux, TypesSimples, FTypeSimple);
                Marquer (Drapeaux, TypesComposes, FTypeCompose);
                for (std::size_t i = 0; i < NbNomsCpp; ++i) Drapeaux [NomsCpp [i]] |= FNomCpp;
                for (const SNomEntete & N : NomsEntetes)
                    Drapeaux [std::string (N.Nom)] |= N.Portee == NomPartout ? FNomEntete : FNomEnteteAlgo;
            }
        };

        // Une seule recherche par mot pour toutes les tables (elles restent triees pour la lecture).
        unsigned Drapeaux (const std::string & Mot)
        {
            static const STableMots Table;
            const auto It = Table.Drapeaux.find (Mot);
            return It == Table.Drapeaux.end () ? 0 : It->second;
        }

        constexpr unsigned FReserveSaufFonction =
            FStruct | FBegin | FEnd | FMotCle | FOperateur | FProcedure | FTypeSimple | FTypeCompose;
    }

    bool IsStruct (const std::string & Mot) { return Drapeaux (Mot) & FStruct; }
    bool IsBegin (const std::string & Mot) { return Drapeaux (Mot) & FBegin; }
    bool IsEnd (const std::string & Mot) { return Drapeaux (Mot) & FEnd; }
    bool IsMotCle (const std::string & Mot) { return Drapeaux (Mot) & FMotCle; }
    bool IsOperateur (const std::string & Mot) { return Drapeaux (Mot) & FOperateur; }
    bool IsProcedure (const std::string & Mot) { return Drapeaux (Mot) & FProcedure; }
    bool IsFonction (const std::string & Mot) { return Drapeaux (Mot) & FFonction; }
    bool IsTypeSimple (const std::string & Mot) { return Drapeaux (Mot) & FTypeSimple; }
    bool IsTypeCompose (const std::string & Mot) { return Drapeaux (Mot) & FTypeCompose; }
    bool IsType (const std::string & Mot) { return Drapeaux (Mot) & (FTypeSimple | FTypeCompose); }

    bool IsIdentReserveSaufFonction (const std::string & Mot) { return Drapeaux (Mot) & FReserveSaufFonction; }

    bool IsIdentReserve (const std::string & Mot)
    {
        return Drapeaux (Mot) & (FReserveSaufFonction | FFonction);
    }

    bool IsEtEtOuOu (const std::string & Mot) { return Mot == "ET_ALORS" || Mot == "OU_SINON"; }
    bool IsRelIdent (const std::string & Mot) { return Mot == "vaut" || Mot == "ne_vaut_pas"; }
    bool IsNomCpp (const std::string & Mot) { return Drapeaux (Mot) & FNomCpp; }

    bool IsNomEntete (const std::string & Mot) { return Drapeaux (Mot) & FNomEntete; }
    bool IsNomEnteteAlgo (const std::string & Mot) { return Drapeaux (Mot) & FNomEnteteAlgo; }

    std::size_t PosFonction (const std::string & Mot)
    {
        return std::find (Fonctions, Fonctions + NbFonctions, Mot) - Fonctions;
    }

    std::size_t PosTypeSimple (const std::string & Mot)
    {
        return std::find (TypesSimples, TypesSimples + NbTypesSimples, Mot) - TypesSimples;
    }

    void TestIdentNonMotCle (const std::string & Nom)
    {
        if (Drapeaux (Nom) & (FReserveSaufFonction | FFonction | FNomCpp | FNomEntete))
            throw CExcTramelo (EMsg::MotReserve, Nom);
    }

    void TestIdentNonNomCpp (const std::string & Nom)
    {
        if (Drapeaux (Nom) & (FNomCpp | FNomEntete)) throw CExcTramelo (EMsg::MotReserve, Nom);
    }

    void TestNomAlgoNonNomEntete (const std::string & Nom)
    {
        if (IsNomEnteteAlgo (Nom)) throw CExcTramelo (EMsg::MotReserve, Nom);
    }
}
