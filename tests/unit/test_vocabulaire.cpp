// Vocabulaire : la recherche rapide (premiere lettre et longueur, puis table de hachage) ne doit
// reconnaitre que les mots exacts, et tout mot-cle du C++17 doit etre refuse comme nom.
#include "Commun.h"

#include "symbols/Vocabulaire.h"

using namespace nsTramelo;
using nsTest::Charger;
using nsTest::Erreur;

TEST (Vocabulaire, MotsProchesNonReserves)
{
    // Casse, prefixes et prolongements des mots reserves, mot vide, mot tres long.
    for (const char * Mot : { "vrai", "continue", "fin_bloc_si", "et", "inout", "in_", "i", "Si",
                              "FSI", "VAUT", "rand", "Entier", "tableau", "string_d", "sinon_s",
                              "debuts", "ET_", "", "sinon_si_sinon_si_sinon_si_sinon_si_sinon_si" })
    {
        EXPECT_FALSE (IsIdentReserve (Mot)) << Mot;
        EXPECT_FALSE (IsIdentReserveSaufFonction (Mot)) << Mot;
    }
    EXPECT_TRUE (IsIdentReserve ("sinon_si"));
    EXPECT_TRUE (IsIdentReserve ("Rand"));
    EXPECT_FALSE (IsIdentReserveSaufFonction ("Rand"));
}

TEST (Vocabulaire, MotsClesDuCpp17RefusesCommeNoms)
{
    // Liste du C++17 (mots-cles et symboles alternatifs) : un oubli donnerait un C++ qui ne compile pas.
    for (const char * Mot :
         { "alignas", "alignof", "asm", "auto", "bool", "break", "case", "catch", "char",
           "char16_t", "char32_t", "class", "const", "constexpr", "const_cast", "continue",
           "decltype", "default", "delete", "do", "double", "dynamic_cast", "else", "enum",
           "explicit", "export", "extern", "false", "float", "for", "friend", "goto", "if",
           "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "nullptr",
           "operator", "private", "protected", "public", "register", "reinterpret_cast",
           "return", "short", "signed", "sizeof", "static", "static_assert", "static_cast",
           "struct", "switch", "template", "this", "thread_local", "throw", "true", "try",
           "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void",
           "volatile", "wchar_t", "while", "and", "and_eq", "bitand", "bitor", "compl", "not",
           "not_eq", "or", "or_eq", "xor", "xor_eq",
           // Noms dont se sert le programme produit apres le code de l'utilisateur.
           "main", "std", "cout", "cin", "endl", "getline", "string", "numeric_limits",
           "out_of_range", "CVLInt", "CVLUInt", "CVChar", "CVBool", "CVString", "CVDouble",
           "ULong_t", "CRand" })
        EXPECT_TRUE (IsNomCpp (Mot)) << Mot;
    // Mots-cles apparus apres le C++17, et noms qui ne different que par la casse : permis.
    for (const char * Mot : { "concept", "requires", "char8_t", "co_await", "consteval", "import",
                              "module", "final", "override", "Int", "Main", "cerr", "vector", "_S" })
        EXPECT_FALSE (IsNomCpp (Mot)) << Mot;
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
