// Vocabulaire reserve du langage, et noms que le C++ produit ne peut pas recevoir.
#pragma once

#include <cstddef>
#include <string>

namespace nsTramelo
{
    constexpr std::size_t NbStructs = 7, NbBegins = 2, NbEnds = 7, NbMotsCle = 17,
                          NbOperateurs = 7, NbProcedures = 5, NbFonctions = 8,
                          NbTypesSimples = 6, NbTypesComposes = 3, NbLibellesSsProgr = 3;

    extern const std::string Structs [NbStructs];
    extern const std::string Begins [NbBegins];
    extern const std::string Ends [NbEnds];
    extern const std::string MotsCle [NbMotsCle];
    extern const std::string Operateurs [NbOperateurs];
    extern const std::string Procedures [NbProcedures];
    extern const std::string Fonctions [NbFonctions];
    extern const std::string TypesSimples [NbTypesSimples];
    extern const std::string TypesSimplesCpp [NbTypesSimples];
    extern const std::string TypesVectorsCpp [NbTypesSimples];
    extern const std::string TypesComposes [NbTypesComposes];
    extern const std::string LibellesSsProgr [NbLibellesSsProgr];
    extern const unsigned    TypesFonctions [NbFonctions];

    // Mots-cles du C++17 et noms dont le programme produit depend (triee).
    extern const std::string NomsCpp [];
    extern const std::size_t NbNomsCpp;

    bool IsStruct (const std::string & Mot);
    bool IsBegin (const std::string & Mot);
    bool IsEnd (const std::string & Mot);
    bool IsMotCle (const std::string & Mot);
    bool IsOperateur (const std::string & Mot);
    bool IsProcedure (const std::string & Mot);
    bool IsFonction (const std::string & Mot);
    bool IsTypeSimple (const std::string & Mot);
    bool IsTypeCompose (const std::string & Mot);
    bool IsType (const std::string & Mot);
    bool IsIdentReserveSaufFonction (const std::string & Mot);
    bool IsIdentReserve (const std::string & Mot);
    bool IsEtEtOuOu (const std::string & Mot);
    bool IsRelIdent (const std::string & Mot);
    bool IsNomCpp (const std::string & Mot);
    // Noms des en-tetes du programme produit (table generee NomsEntetes.inc) : macros et
    // autres noms refuses partout ; noms refuses seulement pour l'algorithme, que main appelle
    // hors de l'espace de noms des unites, ou std est aussi visible.
    bool IsNomEntete (const std::string & Mot);
    bool IsNomEnteteAlgo (const std::string & Mot);

    // Position d'un nom dans Fonctions par recherche lineaire ; NbFonctions s'il n'y est pas.
    std::size_t PosFonction (const std::string & Mot);
    // Position d'un type simple dans TypesSimples ; le nom doit en etre un.
    std::size_t PosTypeSimple (const std::string & Mot);

    // Mot reserve du langage ou nom interdit en C++ : erreur 105.
    void TestIdentNonMotCle (const std::string & Nom);
    // Nom interdit en C++ seulement (les noms declares par declarer peuvent etre des mots du langage).
    void TestIdentNonNomCpp (const std::string & Nom);
    // Nom d'algorithme dont l'appel depuis main ne compilerait pas : erreur 105.
    void TestNomAlgoNonNomEntete (const std::string & Nom);
}
