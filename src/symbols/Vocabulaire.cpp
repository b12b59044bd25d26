#include "symbols/Vocabulaire.h"

#include "util/CExcTramelo.h"

#include <algorithm>

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
        template <std::size_t N>
        bool Chercher (const std::string (& Table) [N], const std::string & Mot)
        {
            return std::binary_search (Table, Table + N, Mot);
        }
    }

    bool IsStruct (const std::string & Mot) { return Chercher (Structs, Mot); }
    bool IsBegin (const std::string & Mot) { return Chercher (Begins, Mot); }
    bool IsEnd (const std::string & Mot) { return Chercher (Ends, Mot); }
    bool IsMotCle (const std::string & Mot) { return Chercher (MotsCle, Mot); }
    bool IsOperateur (const std::string & Mot) { return Chercher (Operateurs, Mot); }
    bool IsProcedure (const std::string & Mot) { return Chercher (Procedures, Mot); }
    bool IsFonction (const std::string & Mot) { return Chercher (Fonctions, Mot); }
    bool IsTypeSimple (const std::string & Mot) { return Chercher (TypesSimples, Mot); }
    bool IsTypeCompose (const std::string & Mot) { return Chercher (TypesComposes, Mot); }
    bool IsType (const std::string & Mot) { return IsTypeSimple (Mot) || IsTypeCompose (Mot); }

    bool IsIdentReserveSaufFonction (const std::string & Mot)
    {
        return IsType (Mot) || IsBegin (Mot) || IsEnd (Mot) || IsMotCle (Mot)
            || IsOperateur (Mot) || IsProcedure (Mot) || IsStruct (Mot);
    }

    bool IsIdentReserve (const std::string & Mot)
    {
        return IsIdentReserveSaufFonction (Mot) || IsFonction (Mot);
    }

    bool IsEtEtOuOu (const std::string & Mot) { return Mot == "ET_ALORS" || Mot == "OU_SINON"; }
    bool IsRelIdent (const std::string & Mot) { return Mot == "vaut" || Mot == "ne_vaut_pas"; }
    bool IsNomCpp (const std::string & Mot) { return std::binary_search (NomsCpp, NomsCpp + NbNomsCpp, Mot); }

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
        if (IsIdentReserve (Nom)) throw CExcTramelo (EMsg::MotReserve, Nom);
        TestIdentNonNomCpp (Nom);
    }

    void TestIdentNonNomCpp (const std::string & Nom)
    {
        if (IsNomCpp (Nom)) throw CExcTramelo (EMsg::MotReserve, Nom);
    }
}
