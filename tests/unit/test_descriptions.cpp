// Descriptions du survol : chaque mot des tables du traducteur en a exactement une, et il n'en
// existe pour aucun autre mot que les quelques mots non reserves listes ; ainsi le survol ne peut
// pas contredire le traducteur (un mot ajoute a une table sans description fait echouer ce test).
#include "symbols/Descriptions.h"
#include "symbols/Vocabulaire.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

using namespace nsTramelo;

namespace
{
    template <std::size_t N>
    void Ajouter (std::set <std::string> & Mots, const std::string (& Table) [N])
    {
        Mots.insert (Table, Table + N);
    }
}

TEST (Descriptions, UneParMotDuVocabulaire)
{
    std::set <std::string> Reserves;
    Ajouter (Reserves, Structs);
    Ajouter (Reserves, Begins);
    Ajouter (Reserves, Ends);
    Ajouter (Reserves, MotsCle);
    Ajouter (Reserves, Operateurs);
    Ajouter (Reserves, Procedures);
    Ajouter (Reserves, Fonctions);
    Ajouter (Reserves, TypesSimples);
    Ajouter (Reserves, TypesComposes);
    const std::set <std::string> Autres (MotsDecritsNonReserves, MotsDecritsNonReserves + NbMotsDecritsNonReserves);

    std::multiset <std::string> Decrits;
    for (std::size_t i = 0; i < NbDescriptions; ++i)
    {
        const SDescription & D = Descriptions [i];
        Decrits.insert (D.Mot);
        EXPECT_TRUE (Reserves.count (D.Mot) != Autres.count (D.Mot)) << D.Mot << " : ni reserve ni liste, ou les deux";
        // Une ligne d'explication ; la forme montre le mot decrit.
        EXPECT_TRUE (* D.Explication && ! std::strchr (D.Explication, '\n')) << D.Mot;
        EXPECT_NE (std::strstr (D.Forme, D.Mot), nullptr) << D.Mot;
        EXPECT_EQ (TrouverDescription (D.Mot), & D);
    }
    for (const std::string & Mot : Reserves) EXPECT_EQ (Decrits.count (Mot), 1u) << Mot;
    for (const std::string & Mot : Autres) EXPECT_EQ (Decrits.count (Mot), 1u) << Mot;
    EXPECT_EQ (TrouverDescription ("Si"), nullptr);
    EXPECT_EQ (TrouverDescription ("rand"), nullptr);
}
