// Vocabulaire reserve : les tables sont cherchees par dichotomie (donc doivent rester triees),
// et la liste exacte des mots reserves decide de ce qu'un eleve peut nommer.
#include "Commun.h"

#include "symbols/Vocabulaire.h"

#include <algorithm>
#include <iterator>
#include <set>

using namespace nsTramelo;
using nsTest::Charger;
using nsTest::Erreur;

namespace
{
    template <std::size_t N>
    bool TrieeStrictement (const std::string (& Table) [N])
    {
        return std::adjacent_find (Table, Table + N, std::greater_equal <std::string> ()) == Table + N;
    }

    const std::set <std::string> LesMotsReserves =
    {
        "boucle", "choix_sur", "jusqua", "pour", "repeter", "si", "tant_que",
        "debut", "faire",
        "fboucle", "fchoix", "ffaire", "fin", "fsi", "sinon", "sinon_si",
        "a", "algorithme", "autre", "cas", "constante", "de", "declarer", "entre", "fonction",
        "in", "in_out", "out", "predicat", "procedure", "renvoie", "sortie", "variant_de",
        "ET", "ET_ALORS", "NON", "OU", "OU_SINON", "ne_vaut_pas", "vaut",
        "afficher", "allonger", "ligne_suivante", "redimensionner", "saisir",
        "Rand", "modulo", "pred", "rang", "succ", "taille", "tolower", "toupper",
        "booleen", "caractere", "entier", "entier_naturel", "reel", "string",
        "string_de", "tableau_de",
    };

    // Mots-cles et symboles alternatifs du C++17, ni plus ni moins.
    const std::set <std::string> MotsCleCpp17 =
    {
        "alignas", "alignof", "asm", "auto", "bool", "break", "case", "catch", "char",
        "char16_t", "char32_t", "class", "const", "constexpr", "const_cast", "continue",
        "decltype", "default", "delete", "do", "double", "dynamic_cast", "else", "enum",
        "explicit", "export", "extern", "false", "float", "for", "friend", "goto", "if",
        "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "nullptr",
        "operator", "private", "protected", "public", "register", "reinterpret_cast",
        "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast",
        "struct", "switch", "template", "this", "thread_local", "throw", "true", "try",
        "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void",
        "volatile", "wchar_t", "while",
        "and", "and_eq", "bitand", "bitor", "compl", "not", "not_eq", "or", "or_eq", "xor",
        "xor_eq",
    };

    // Noms dont le programme produit se sert apres le debut du code de l'utilisateur.
    const std::set <std::string> NomsDuProgrammeProduit =
    {
        "main", "std", "cout", "cin", "endl", "getline", "string", "numeric_limits",
        "out_of_range", "CVLInt", "CVLUInt", "CVChar", "CVBool", "CVString", "CVDouble",
        "ULong_t", "CRand",
    };
}

TEST (Vocabulaire, TablesTrieesPourLaDichotomie)
{
    EXPECT_TRUE (TrieeStrictement (Structs));
    EXPECT_TRUE (TrieeStrictement (Begins));
    EXPECT_TRUE (TrieeStrictement (Ends));
    EXPECT_TRUE (TrieeStrictement (MotsCle));
    EXPECT_TRUE (TrieeStrictement (Operateurs));
    EXPECT_TRUE (TrieeStrictement (Procedures));
    EXPECT_TRUE (TrieeStrictement (Fonctions));
    EXPECT_TRUE (TrieeStrictement (TypesSimples));
    EXPECT_TRUE (TrieeStrictement (TypesComposes));
    EXPECT_TRUE (std::adjacent_find (NomsCpp, NomsCpp + NbNomsCpp, std::greater_equal <std::string> ())
                 == NomsCpp + NbNomsCpp);
}

TEST (Vocabulaire, LesSoixanteEtUnMotsReserves)
{
    std::set <std::string> Union;
    auto Ajouter = [&] (const std::string * Debut, std::size_t N) { Union.insert (Debut, Debut + N); };
    Ajouter (Structs, NbStructs);
    Ajouter (Begins, NbBegins);
    Ajouter (Ends, NbEnds);
    Ajouter (MotsCle, NbMotsCle);
    Ajouter (Operateurs, NbOperateurs);
    Ajouter (Procedures, NbProcedures);
    Ajouter (Fonctions, NbFonctions);
    Ajouter (TypesSimples, NbTypesSimples);
    Ajouter (TypesComposes, NbTypesComposes);
    EXPECT_EQ (Union.size (), 61u);
    EXPECT_EQ (Union, LesMotsReserves);
    for (const std::string & Mot : LesMotsReserves)
    {
        EXPECT_TRUE (IsIdentReserve (Mot)) << Mot;
        EXPECT_EQ (IsIdentReserveSaufFonction (Mot), ! IsFonction (Mot)) << Mot;
    }
}

TEST (Vocabulaire, MotsNonReserves)
{
    for (const char * Mot : { "vrai", "faux", "continue", "fin_bloc_si", "et", "ou", "non", "inout",
                              "in_", "i", "Si", "FSI", "VAUT", "Afficher", "rand", "Entier",
                              "tableau", "string_d", "sinon_s", "debuts", "ET_", "" })
    {
        EXPECT_FALSE (IsIdentReserve (Mot)) << Mot;
        EXPECT_FALSE (IsIdentReserveSaufFonction (Mot)) << Mot;
    }
}

TEST (Vocabulaire, PredicatsParTable)
{
    EXPECT_TRUE (IsMotCle ("in"));
    EXPECT_TRUE (IsMotCle ("in_out"));
    EXPECT_FALSE (IsMotCle ("inout"));
    EXPECT_TRUE (IsTypeSimple ("string"));
    EXPECT_TRUE (IsTypeCompose ("string"));
    EXPECT_FALSE (IsTypeSimple ("string_de"));
    EXPECT_TRUE (IsType ("tableau_de"));
    EXPECT_TRUE (IsEnd ("fchoix"));
    EXPECT_FALSE (IsEnd ("fin_bloc_si"));
    EXPECT_TRUE (IsStruct ("choix_sur"));
    EXPECT_FALSE (IsStruct ("sinon"));
    EXPECT_TRUE (IsBegin ("faire"));
    EXPECT_TRUE (IsOperateur ("ne_vaut_pas"));
    EXPECT_FALSE (IsOperateur ("et"));
    EXPECT_TRUE (IsProcedure ("ligne_suivante"));
    EXPECT_FALSE (IsIdentReserveSaufFonction ("taille"));
    EXPECT_TRUE (IsFonction ("Rand"));
    EXPECT_FALSE (IsFonction ("rand"));

    EXPECT_FALSE (IsEtEtOuOu ("ET"));
    EXPECT_TRUE (IsEtEtOuOu ("ET_ALORS"));
    EXPECT_TRUE (IsEtEtOuOu ("OU_SINON"));
    EXPECT_FALSE (IsEtEtOuOu ("OU"));
    EXPECT_TRUE (IsRelIdent ("vaut"));
    EXPECT_TRUE (IsRelIdent ("ne_vaut_pas"));
    EXPECT_FALSE (IsRelIdent ("VAUT"));
}

TEST (Vocabulaire, TablesParalleles)
{
    const unsigned Attendus [NbFonctions] = { 2, 2, 5, 2, 5, 2, 5, 5 };
    for (std::size_t i = 0; i < NbFonctions; ++i)
    {
        EXPECT_EQ (TypesFonctions [i], Attendus [i]) << Fonctions [i];
        EXPECT_EQ (PosFonction (Fonctions [i]), i);
    }
    EXPECT_EQ (PosFonction ("rand"), NbFonctions);
    EXPECT_EQ (PosFonction ("taille"), 5u);

    const std::string Cpp [] = { "bool", "char", "long int", "long unsigned", "double", "string" };
    const std::string Vect [] = { "CVBool", "CVChar", "CVLInt", "CVLUInt", "CVDouble", "CVString" };
    for (std::size_t i = 0; i < NbTypesSimples; ++i)
    {
        EXPECT_EQ (TypesSimplesCpp [i], Cpp [i]) << TypesSimples [i];
        EXPECT_EQ (TypesVectorsCpp [i], Vect [i]) << TypesSimples [i];
        EXPECT_EQ (PosTypeSimple (TypesSimples [i]), i);
    }
    EXPECT_EQ (LibellesSsProgr [0], "algorithme");
    EXPECT_EQ (LibellesSsProgr [1], "fonction");
    EXPECT_EQ (LibellesSsProgr [2], "procedure");
}

TEST (Vocabulaire, NomsInterditsEnCpp)
{
    std::set <std::string> Attendus = MotsCleCpp17;
    Attendus.insert (NomsDuProgrammeProduit.begin (), NomsDuProgrammeProduit.end ());
    const std::set <std::string> Table (NomsCpp, NomsCpp + NbNomsCpp);
    EXPECT_EQ (Table.size (), NbNomsCpp) << "doublon dans la table";
    EXPECT_EQ (Table, Attendus);
    for (const std::string & Mot : Attendus) EXPECT_TRUE (IsNomCpp (Mot)) << Mot;
    // Mots-cles apparus apres le C++17, et noms qui ne different que par la casse : permis.
    for (const char * Mot : { "concept", "requires", "char8_t", "co_await", "co_return", "co_yield",
                              "consteval", "constinit", "import", "module", "final", "override",
                              "Int", "Main", "cerr", "vector", "Rand", "time", "random", "_S" })
        EXPECT_FALSE (IsNomCpp (Mot)) << Mot;
}

TEST (Vocabulaire, TestIdentNonMotCle)
{
    Charger ("x");
    auto E = Erreur ([] { TestIdentNonMotCle ("taille"); });
    EXPECT_EQ (E.Code, 105u);
    EXPECT_EQ (E.Libelle, "Ligne    1 - taille : C'est un mot-cle ou reserve");
    E = Erreur ([] { TestIdentNonMotCle ("in"); });
    EXPECT_EQ (E.Libelle, "Ligne    1 - in : C'est un mot-cle ou reserve");
    // Un mot-cle du C++ est refuse comme nom, meme s'il n'est pas reserve par le langage.
    E = Erreur ([] { TestIdentNonMotCle ("continue"); });
    EXPECT_EQ (E.Code, 105u);
    EXPECT_EQ (E.Libelle, "Ligne    1 - continue : C'est un mot-cle ou reserve");
    E = Erreur ([] { TestIdentNonNomCpp ("cout"); });
    EXPECT_EQ (E.Libelle, "Ligne    1 - cout : C'est un mot-cle ou reserve");

    for (const char * Nom : { "vrai", "faux", "fin_bloc_si", "Int", "Afficher", "et", "inout" })
        EXPECT_NO_THROW (TestIdentNonMotCle (Nom)) << Nom;
    // declarer accepte les mots du langage, pas les noms interdits en C++.
    EXPECT_NO_THROW (TestIdentNonNomCpp ("si"));
    EXPECT_NO_THROW (TestIdentNonNomCpp ("afficher"));
}

// Noms des en-tetes du programme produit (table generee) : les macros sont refusees partout,
// par le meme test que les mots-cles du C++ ; les noms dont l'appel depuis main serait ambigu,
// seulement pour l'algorithme.
TEST (Vocabulaire, NomsDesEntetes)
{
    Charger ("x");
    for (const char * Nom : { "EOF", "NULL", "RAND_MAX", "errno", "offsetof", "alloca", "linux",
                              "unix", "typeof", "stoi", "stold", "CLOCK_PROCESS_CPUTIME_ID" })
    {
        EXPECT_TRUE (IsNomEntete (Nom)) << Nom;
        const auto E = Erreur ([Nom] { TestIdentNonNomCpp (Nom); });
        EXPECT_EQ (E.Code, 105u);
        EXPECT_EQ (E.Libelle, std::string ("Ligne    1 - ") + Nom + " : C'est un mot-cle ou reserve");
        EXPECT_THROW (TestIdentNonMotCle (Nom), CExcTramelo) << Nom;
        EXPECT_FALSE (IsNomEnteteAlgo (Nom)) << Nom;
    }
    for (const char * Nom : { "rand", "random", "abort", "clock", "vector", "size_t", "FILE",
                              "is_nothrow_default_constructible" })
    {
        EXPECT_NO_THROW (TestIdentNonMotCle (Nom)) << Nom;
        const auto E = Erreur ([Nom] { TestNomAlgoNonNomEntete (Nom); });
        EXPECT_EQ (E.Libelle, std::string ("Ligne    1 - ") + Nom + " : C'est un mot-cle ou reserve");
    }
    // Noms des en-tetes sans conflit, casse differente, prefixes et prolongements d'entrees.
    for (const char * Nom : { "index", "time", "abs", "min", "max", "exit", "data", "size", "eof",
                              "Null", "Unix", "sto", "stoii", "EOF_", "A", "zzz", "" })
    {
        EXPECT_NO_THROW (TestIdentNonMotCle (Nom)) << Nom;
        EXPECT_NO_THROW (TestNomAlgoNonNomEntete (Nom)) << Nom;
    }
}
