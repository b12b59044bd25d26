// Retouches verifiees : la fenetre retraduite, le jugement d'un essai (aller au-dela de l'erreur,
// pas seulement la deplacer), la recherche de la meilleure retouche simple et son budget.
#include "services/explications/Retouches.h"

#include <gtest/gtest.h>

#include <string>

using namespace nsTramelo;

namespace
{
    STraduction Traduction (const std::string & Source)
    {
        STraduction T = Traduire (Source);
        EXPECT_TRUE (T.Erreur.has_value ()) << "le source devait etre faux";
        return T;
    }

    std::size_t Ou (const std::string & Texte, const std::string & Motif, std::size_t Rang = 0)
    {
        std::size_t P = Texte.find (Motif);
        while (Rang-- > 0 && P != std::string::npos) P = Texte.find (Motif, P + 1);
        return P;
    }

    // Un algorithme de N instructions avant une erreur, pour la fenetre et le budget.
    std::string Long (std::size_t N, const std::string & Faute)
    {
        std::string S = "algorithme A\ndebut\n    declarer x : entier;\n    declarer y : entier;\n";
        for (std::size_t i = 0; i < N; ++i) S += "    x <- x + " + std::to_string (i) + ";\n";
        return S + Faute + "    afficher (x, y);\nfin\n";
    }
}

TEST (Retouches, LaFenetreGardeLesDeclarationsEtPasLesInstructionsLointaines)
{
    const STraduction T = Traduction (Long (200, "    saisir (y;\n"));
    CEssayeur E (T, {});
    const std::string & F = E.Fenetre ();
    EXPECT_NE (F.find ("declarer x : entier;"), std::string::npos);
    EXPECT_NE (F.find ("declarer y : entier;"), std::string::npos);
    EXPECT_EQ (F.find ("x <- x + 3;"), std::string::npos) << "une instruction lointaine est restee";
    EXPECT_NE (F.find ("x <- x + 199;"), std::string::npos) << "les dernieres lignes avant l'erreur doivent rester";
    EXPECT_NE (F.find ("saisir (y;"), std::string::npos);
    EXPECT_LT (F.size (), T.Texte.size () / 4);
}

TEST (Retouches, UneRetoucheQuiDeplaceLErreurNePassePas)
{
    // saisir (n; : inserer ) passe ; remplacer ; par ) laisse l'erreur au mot suivant.
    const std::string S = "algorithme A\ndebut\n    declarer n : entier;\n    saisir (n;\n    afficher (n);\nfin\n";
    const STraduction T = Traduction (S);
    CEssayeur E (T, {});
    const std::size_t PV = Ou (T.Texte, ";", 1);
    EXPECT_TRUE (E.Essayer ({ PV, 0, ")" }).Passe);
    const SEssai Remplacer = E.Essayer ({ PV, 1, ")" });
    EXPECT_FALSE (Remplacer.Passe);
    EXPECT_GT (Remplacer.Atteint, PV) << "l'erreur a bien bouge, mais d'un mot seulement";
    // Rien ne change : l'erreur reste a sa place.
    EXPECT_FALSE (E.Essayer ({ PV, 0, "" }).Passe);
    EXPECT_EQ (E.NbEssais (), 3u);
}

TEST (Retouches, SupprimerUneBorneNEstJamaisProposeEtRienNePasse)
{
    // 10 <= note <= 20 : aucune retouche simple ne va au-dela (supprimer « <= » laisse « 20 »).
    const std::string S = "algorithme A\ndebut\n    declarer note : entier;\n    saisir (note);\n"
                          "    si (10 <= note <= 20)\n        afficher (note);\n    fsi\nfin\n";
    const STraduction T = Traduction (S);
    const std::vector <SCandidat> V = CandidatsAutour (T);
    ASSERT_FALSE (V.empty ());
    for (const SCandidat & C : V)
    {
        const std::string Ancien = T.Texte.substr (C.Retouche.Decalage, C.Retouche.Longueur);
        EXPECT_NE (Ancien, "20") << "un nombre de l'etudiant ne se supprime pas";
        EXPECT_NE (Ancien, "note");
    }
    CEssayeur E (T, {});
    EXPECT_FALSE (ChercherRetouche (E, V).has_value ());
}

TEST (Retouches, LaRechercheChoisitLaMoinsChereQuiVaAuBout)
{
    const std::string S = "algorithme A\ndebut\n    declarer n : entier;\n    n <- 3\n    afficher (n);\nfin\n";
    const STraduction T = Traduction (S);
    CEssayeur E (T, {});
    const std::size_t Bout = Ou (T.Texte, "3\n") + 1;
    // Le meme ; au bout de la ligne, plus cher, puis moins cher : le moins cher l'emporte, et, a cout
    // egal, le premier.
    const std::vector <SCandidat> V = { { { Bout, 0, "; " }, 2 }, { { Bout, 0, ";" }, 1 }, { { Bout, 0, " ;" }, 1 } };
    const std::optional <SRetouche> R = ChercherRetouche (E, V);
    ASSERT_TRUE (R.has_value ());
    EXPECT_EQ (R->Texte, ";");
    // Et la recherche generique trouve la meme chose d'elle-meme.
    CEssayeur E2 (T, {});
    const std::optional <SRetouche> G = ChercherRetouche (E2, CandidatsAutour (T));
    ASSERT_TRUE (G.has_value ());
    EXPECT_EQ (Appliquer (T.Texte, * G).find ("n <- 3;"), Ou (T.Texte, "n <- 3"));
}

TEST (Retouches, UneRetoucheDansUnTexteRetireEstEssayeeSurLaFenetreEntiere)
{
    // Le ; oublie est loin avant l'erreur vue (declarer n'est pas retire) ; une retouche sur une
    // instruction retiree de la fenetre reste essayable.
    const STraduction T = Traduction (Long (100, "    y <- (1;\n"));
    CEssayeur E (T, {});
    const std::size_t Loin = Ou (T.Texte, "x <- x + 5;");
    ASSERT_EQ (E.Fenetre ().find ("x <- x + 5;"), std::string::npos);
    // Casser une instruction lointaine n'aide pas : l'essai echoue sans planter.
    EXPECT_FALSE (E.Essayer ({ Loin, 1, "" }).Passe);
    // La vraie correction passe.
    EXPECT_TRUE (E.Essayer ({ Ou (T.Texte, "(1;") + 2, 0, ")" }).Passe);
}

TEST (Retouches, LeBudgetBorneLesEssaisSurUnGrandSource)
{
    // 20 000 declarations gardees dans la fenetre : chaque essai est cher, il y en a peu.
    std::string S = "algorithme A\ndebut\n";
    for (int i = 0; i < 20000; ++i) S += "    declarer v" + std::to_string (i) + " : entier;\n";
    S += "    v1 <- (v2 + ;\nfin\n";
    const STraduction T = Traduction (S);
    CEssayeur E (T, {});
    (void) ChercherRetouche (E, CandidatsAutour (T));
    EXPECT_LE (E.NbEssais (), 4u);
    EXPECT_TRUE (E.Epuise () || E.NbEssais () < 4u);
    // Epuise, un essai de plus ne traduit plus rien.
    while (! E.Epuise ()) (void) E.Essayer ({ 0, 0, "" });
    const std::size_t Avant = E.NbEssais ();
    EXPECT_FALSE (E.Essayer ({ Ou (T.Texte, "+ ;") + 2, 0, "1" }).Passe);
    EXPECT_EQ (E.NbEssais (), Avant);
}

TEST (Retouches, MemeSourceMemeRetouche)
{
    const std::string S = "algorithme A\ndebut\n    declarer x : entier;\n    x <- 1,5;\nfin\n";
    const STraduction T = Traduction (S);
    CEssayeur E1 (T, {}), E2 (T, {});
    const auto R1 = ChercherRetouche (E1, CandidatsAutour (T)), R2 = ChercherRetouche (E2, CandidatsAutour (T));
    ASSERT_TRUE (R1 && R2);
    EXPECT_EQ (* R1, * R2);
    // 1,5 : supprimer la virgule collerait 15 ; la suppression laisse un blanc, et seul le point passe.
    EXPECT_EQ (R1->Texte, ".");
}

TEST (Retouches, HorsDeLaFenetreOuHorsDuTexte)
{
    const STraduction T = Traduction (Long (10, "    saisir (y;\n") + std::string (60, '\n') + "// fin\n");
    CEssayeur E (T, {});
    EXPECT_FALSE (E.Essayer ({ T.Texte.size () + 10, 0, ";" }).Passe);
    EXPECT_FALSE (E.Essayer ({ T.Texte.size () - 1, 5, "" }).Passe);
    EXPECT_EQ (E.NbEssais (), 0u);
}
