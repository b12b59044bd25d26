// Les textes des organigrammes (normalisation, UTF-8 valide, coupe en lignes, echappements) et la
// limite du nombre de formes, sur la bibliotheque elle-meme.
#include "bibliotheque/Tramelo.h"
#include "services/organigrammes/Textes.h"

#include <gtest/gtest.h>

#include <string>

using namespace nsTramelo;
using namespace nsTramelo::nsOrganigramme;

namespace
{
    // Chaque ligne est du UTF-8 valide : Assainir ne la change pas.
    void ToutesValides (const std::vector <std::string> & Lignes)
    {
        for (const std::string & L : Lignes) EXPECT_EQ (Assainir (L), L);
    }
}

TEST (Textes, BlancsNormalisesHorsDesLitteraux)
{
    const std::string T = "  x   <-\t\"a  \\\"  b\"  +\n   ' '  +  '\\''  \r\n";
    EXPECT_EQ (TexteSource (T, 0, T.size ()), "x <- \"a  \\\"  b\" + ' ' + '\\''");
    EXPECT_EQ (TexteSource (T, 2, 3), "x");
    EXPECT_EQ (TexteSource (T, 0, 1000), TexteSource (T, 0, T.size ()));
    // Un litteral coupe par la fin de la plage s'arrete a elle.
    EXPECT_EQ (TexteSource ("\"ab  c", 0, 4), "\"ab ");
}

TEST (Textes, Utf8ValideEtAffichable)
{
    EXPECT_EQ (Assainir ("é😀 ok"), "é😀 ok");
    // Octets isoles, trop long, substitut, tronque, au-dela de U+10FFFF.
    EXPECT_EQ (Assainir ("\xff\xc0\x80\xed\xa0\x80\xe2\x82\xf5"),
               "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ (Assainir (std::string ("a\x01\x1f\x7f", 4)), "a\u2401\u241f\u2421");
    // C1, sens d'ecriture, non-caracteres.
    EXPECT_EQ (Assainir ("\xc2\x85|\u202e|\u2067|\xef\xbf\xbe"), "\uFFFD|\uFFFD|\uFFFD|\uFFFD");
    EXPECT_EQ (NbCaracteres ("é😀a"), 3u);
}

TEST (Textes, CoupeEnLignes)
{
    bool Tronque = true;
    EXPECT_EQ (Couper ("", 10, 3, Tronque), std::vector <std::string> { "" });
    EXPECT_FALSE (Tronque);
    // Coupure preferee hors des chaines, puis a n'importe quel blanc, puis dans le mot.
    EXPECT_EQ (Couper ("Afficher \"Total du jour : \"", 24, 3, Tronque),
               (std::vector <std::string> { "Afficher", "\"Total du jour : \"" }));
    EXPECT_EQ (Couper ("\"a b c d e f g\"", 8, 3, Tronque), (std::vector <std::string> { "\"a b c d", "e f g\"" }));
    EXPECT_EQ (Couper ("abcdefghij", 4, 3, Tronque), (std::vector <std::string> { "abcd", "efgh", "ij" }));
    EXPECT_FALSE (Tronque);
    const std::vector <std::string> L = Couper ("ééééé ééééé ééééé ééééé", 5, 3, Tronque);
    EXPECT_TRUE (Tronque);
    EXPECT_EQ (L, (std::vector <std::string> { "ééééé", "ééééé", "éééé…" }));
    ToutesValides (Couper ("😀😀😀😀😀😀😀😀😀", 4, 2, Tronque));
    EXPECT_EQ (Abreger ("éééé", 2), "éé…");
    EXPECT_EQ (Abreger ("éé", 2), "éé");
}

TEST (Textes, Echappements)
{
    EXPECT_EQ (EchapperXml ("<a href='x'>&\"</a>"), "&lt;a href=&#39;x&#39;&gt;&amp;&quot;&lt;/a&gt;");
    EXPECT_EQ (EchapperDot ("a\\n\"b\" &amp;"), "a\\\\n\\\"b\\\" &amp;amp;");
    EXPECT_EQ (EchapperMermaid ("x <- \"a\"; %%{`#|é"), "x #60;- #34;a#34;#59; #37;#37;#123;#96;#35;#124;é");
}

TEST (Organigramme, LimiteDuNombreDeFormes)
{
    // Debut, Fin et une action par ligne : exactement la limite passe, une forme de plus non.
    auto Source = [] (std::size_t N)
    {
        std::string S = "algorithme A\ndebut\n    declarer n : entier;\n";
        for (std::size_t i = 0; i < N; ++i) S += "    n <- 1;\n";
        return S + "fin\n";
    };
    const STraduction Juste = Traduire (Source (MaxFormesOrganigramme - 2));
    ASSERT_EQ (Juste.Statut, 0);
    EXPECT_EQ (ConstruireOrganigrammes (Juste).at (0).Formes.size (), MaxFormesOrganigramme);
    const STraduction Trop = Traduire (Source (MaxFormesOrganigramme - 1));
    EXPECT_THROW (ConstruireOrganigrammes (Trop), COrganigrammeTropGrand);
    SDemandeOrganigramme D;
    const SOrganigrammeProduit P = ProduireOrganigramme (Source (MaxFormesOrganigramme - 1), {}, D);
    EXPECT_EQ (P.Statut, StatutTropDeFormes);
    EXPECT_TRUE (P.Texte.empty ());
    EXPECT_NE (P.Refus.find ("20000 formes"), std::string::npos);
}

TEST (Organigramme, UnSeulRetourParBoucleEtJonctionsAuxRencontres)
{
    // Le corps finit par un si a deux branches : une jonction les reunit, un seul retour remonte.
    const STraduction T = Traduire ("algorithme A\ndebut\n    declarer n : entier;\n"
                                    "    tant_que (n > 0) faire\n        si (n > 5) n <- n - 2; sinon n <- n - 1; fsi\n"
                                    "    ffaire\nfin\n");
    ASSERT_EQ (T.Statut, 0);
    const SOrganigramme O = ConstruireOrganigrammes (T).at (0);
    std::size_t Retours = 0, Jonctions = 0;
    for (const SArc & A : O.Arcs)
        if (A.Genre == EArc::Retour)
        {
            ++Retours;
            EXPECT_EQ (O.Formes [A.De].Forme, EFigure::Jonction);
            EXPECT_EQ (O.Formes [A.Vers].Forme, EFigure::Decision);
        }
    for (const SForme & F : O.Formes) Jonctions += F.Forme == EFigure::Jonction;
    EXPECT_EQ (Retours, 1u);
    EXPECT_EQ (Jonctions, 1u);
}
