// Chargement du source : tabulations, commentaires, fins de ligne, et numero de ligne des erreurs
// (les decalages de FinLigne doivent rester exacts apres blanchiment des commentaires).
#include "Commun.h"

using namespace nsTramelo;
using nsTest::Charger;

TEST (Chargement, Tabulations)
{
    struct SCas { const char * Ligne; unsigned Largeur; const char * Attendu; };
    const SCas Cas [] =
    {
        { "\tx", 4, "    x" },
        { "ab\t", 4, "ab  " },
        { "abcd\t", 4, "abcd    " },
        { "\t\t", 4, "        " },
        { "a\tb\tc", 4, "a   b   c" },
        { "abc\td", 3, "abc   d" },
        { "\tx", 1, " x" },
        { "\tx", 8, "        x" },
        { "sans tab", 4, "sans tab" },
        { "", 4, "" },
    };
    for (const SCas & C : Cas)
    {
        Charger (C.Ligne, C.Largeur);
        EXPECT_EQ (fi.GetTexte (), std::string (C.Attendu) + (* C.Ligne ? "\n" : "")) << C.Ligne << " / " << C.Largeur;
    }
}

TEST (Chargement, CommentairesBlanchisSansChangerLaLongueur)
{
    struct SCas { const char * Ligne, * Attendu; };
    const SCas Cas [] =
    {
        { "x <- 1; // mise a un", "x <- 1;             " },
        { "//", "  " },
        { "a / b", "a / b" },
        { "a /", "a /" },
        { "\"a//b\" // c", "\"a//b\"     " },
        { "'/' // c", "'/'     " },
        { "'/'//'c'", "'/'     " },
        // Guillemet jamais ferme : ce qui suit n'est pas un commentaire.
        { "\"abc // pas un commentaire", "\"abc // pas un commentaire" },
        { "'abc // pas un commentaire", "'abc // pas un commentaire" },
        { "\"a\\\"b // c\" // d", "\"a\\\"b // c\"     " },
        // Une barre oblique echappe exactement le caractere suivant : "x\\" est ferme.
        { "\"x\\\\\" // c", "\"x\\\\\"     " },
        { "'\\\\' // c", "'\\\\'     " },
        { "\"a\\\\\\\" // c", "\"a\\\\\\\" // c" },
        { "'\"' // c", "'\"'     " },
        { "\"'\" // c", "\"'\"     " },
    };
    for (const SCas & C : Cas)
    {
        Charger (C.Ligne);
        EXPECT_EQ (fi.GetTexte (), std::string (C.Attendu) + "\n") << C.Ligne;
    }
}

TEST (Chargement, FinLigneEtSourceTamponne)
{
    Charger ("abc\n\nde\tf");
    // Longueurs apres expansion : 3, 0, 5.
    EXPECT_EQ (FinLigne, (std::vector <std::uint32_t> { 4, 5, 11 }));
    EXPECT_EQ (fi.GetTexte (), "abc\n\nde  f\n");

    // Avec ou sans saut de ligne final, meme source.
    Charger ("abc\n\nde\tf\n");
    EXPECT_EQ (FinLigne, (std::vector <std::uint32_t> { 4, 5, 11 }));
    EXPECT_EQ (fi.GetTexte (), "abc\n\nde  f\n");

    Charger ("");
    EXPECT_TRUE (FinLigne.empty ());
    EXPECT_EQ (fi.GetTexte (), "");

    // Un retour chariot reste un caractere ordinaire de la ligne.
    Charger ("ab\r\n\r\n");
    EXPECT_EQ (FinLigne, (std::vector <std::uint32_t> { 4, 6 }));
    EXPECT_EQ (fi.GetTexte (), "ab\r\n\r\n");

    // La largeur de tabulation change les decalages.
    Charger ("\tx\ny", 8);
    EXPECT_EQ (FinLigne, (std::vector <std::uint32_t> { 10, 12 }));

    // Les commentaires blanchis gardent les decalages.
    Charger ("n <- 1; // un\nfin");
    EXPECT_EQ (fi.GetTexte (), "n <- 1;      \nfin\n");
    EXPECT_EQ (FinLigne, (std::vector <std::uint32_t> { 14, 18 }));
}

TEST (Chargement, GetLiColNumeroteLesLignes)
{
    Charger ("a\nbb\nccc");
    // FinLigne = 2, 5, 9 : une position donne la ligne du caractere qui la precede.
    const std::pair <std::size_t, const char *> Cas [] =
    {
        { 0, "Ligne    1 - " }, { 1, "Ligne    1 - " }, { 2, "Ligne    1 - " },
        { 3, "Ligne    2 - " }, { 5, "Ligne    2 - " }, { 6, "Ligne    3 - " },
        { 9, "Ligne    3 - " },
    };
    for (const auto & C : Cas)
    {
        fi.Seekg (C.first);
        EXPECT_EQ (GetLiCol (), C.second) << C.first;
        // Prendre la position ne la deplace pas.
        EXPECT_EQ (fi.Tellg (), C.first);
    }

    Charger ("");
    EXPECT_EQ (GetLiCol (), "Ligne    1 - ");
}

TEST (Chargement, GetLiColLargeurDuNumero)
{
    for (const auto & C : { std::pair <std::size_t, const char *> { 7, "Ligne    7 - " },
                            { 1234, "Ligne 1234 - " }, { 12345, "Ligne 12345 - " } })
    {
        Charger (std::string (C.first - 1, '\n') + "x");
        fi.Seekg (fi.Taille ());
        EXPECT_EQ (GetLiCol (), C.second);
        nsTramelo::CExcTramelo Exc ("Type invalide", 137);
        EXPECT_EQ (Exc.GetLibelle (), std::string (C.second) + "Type invalide");
    }
}
