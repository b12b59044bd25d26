// Le modele du programme : la forme des noeuds de chaque construction, leurs places dans le
// source, les noms relies a leur declaration ; sur tout le corpus, une instruction du modele a
// chaque ligne qui en commence une, et des noeuds qui restent dans leurs parents.
#include "services/analyses/Analyses.h"
#include "driver/Traduction.h"
#include "types/TypesCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace nsTramelo;

namespace
{
    struct SLu
    {
        STraduction T;
        const SModele & M () const { return T.Modele; }
        std::string Texte (SPlage P) const { return T.Texte.substr (P.Debut, P.Longueur); }
        // Les instructions du corps de l'unite u.
        const SInstr & Instr (std::size_t u, std::uint32_t i) const
        {
            return M ().InstrDe (M ().Suites.at (M ().Unites.at (u).Corps), i);
        }
    };

    SLu Lire (const std::string & Source)
    {
        SLu L { Traduire (Source) };
        EXPECT_EQ (Incoherence (L.T.Modele, L.T.Texte.size ()), "");
        return L;
    }

    std::string Algo (const std::string & Corps) { return "algorithme A\ndebut\n" + Corps + "fin\n"; }
}

TEST (Modele, ExpressionsEtLeursPlaces)
{
    const SLu L = Lire (Algo ("    declarer x : entier;\n    declarer t : tableau_de 5 reel;\n"
                              "    x <- -(x + 2) * modulo (x, 3);\n    t [x - 1] <- x / 2.5;\n"));
    ASSERT_EQ (L.T.Statut, 0);
    const SInstr & Aff = L.Instr (0, 2);
    EXPECT_EQ (Aff.Genre, EInstr::Affectation);
    ASSERT_EQ (Aff.NbExprs, 2u);
    const SExpr & Cible = L.M ().ExprDe (Aff, 0);
    EXPECT_EQ (Cible.Genre, EExpr::Nom);
    EXPECT_EQ (L.M ().Declarations [Cible.Ref].Nom, "x");
    // -(x + 2) * modulo (x, 3) : un produit dont le premier facteur est l'oppose d'une parenthese.
    const SExpr & Produit = L.M ().ExprDe (Aff, 1);
    EXPECT_EQ (Produit.Genre, EExpr::Operation);
    EXPECT_EQ (L.Texte (Produit.Plage), "-(x + 2) * modulo (x, 3)");
    EXPECT_EQ (Produit.Type, TEntier);
    EXPECT_EQ (L.M ().OperateurDe (Produit, 1).Op, EOperateur::Fois);
    EXPECT_EQ (L.T.Texte [L.M ().OperateurDe (Produit, 1).Decalage], '*');
    const SExpr & Oppose = L.M ().Enfant (Produit, 0);
    EXPECT_EQ (Oppose.Genre, EExpr::Oppose);
    EXPECT_EQ (L.M ().Enfant (Oppose, 0).Genre, EExpr::Parenthese);
    const SExpr & Somme = L.M ().Enfant (L.M ().Enfant (Oppose, 0), 0);
    EXPECT_EQ (L.Texte (Somme.Plage), "x + 2");
    EXPECT_EQ (L.M ().Enfant (Somme, 1).Type, TEntierNaturel);
    const SExpr & Modulo = L.M ().Enfant (Produit, 1);
    EXPECT_EQ (Modulo.Genre, EExpr::AppelStandard);
    EXPECT_EQ (static_cast <EFonction> (Modulo.Op), EFonction::Modulo);
    EXPECT_EQ (Modulo.NbEnfants, 2u);
    // t [x - 1] : un element de t, d'indice x - 1, de type reel ; x / 2.5 est reel.
    const SInstr & Aff2 = L.Instr (0, 3);
    const SExpr & Element = L.M ().ExprDe (Aff2, 0);
    EXPECT_EQ (Element.Genre, EExpr::Element);
    EXPECT_EQ (Element.Type, TReel);
    EXPECT_EQ (L.M ().Declarations [Element.Ref].Nature, ENature::Tableau);
    EXPECT_EQ (L.Texte (L.M ().Enfant (Element, 0).Plage), "x - 1");
    EXPECT_EQ (L.M ().ExprDe (Aff2, 1).Type, TReel);
    // Le C++ vient de ces noeuds.
    EXPECT_NE (L.T.Cpp.find ("        x = - (x + 2) *  ((x) % (3));\n"), std::string::npos);
    EXPECT_NE (L.T.Cpp.find ("        t.at (x - 1) = x / 2.5;\n"), std::string::npos);
}

TEST (Modele, ConditionsComparaisonsEtChaines)
{
    const SLu L = Lire (Algo ("    declarer s : string;\n    declarer c : caractere;\n"
                              "    si (s vaut \"a\" ET_ALORS NON (c < 'z') OU vrai)\n        s <- s + c + \"!\";\n    fsi\n"));
    ASSERT_EQ (L.T.Statut, 0);
    const SInstr & Si = L.Instr (0, 2);
    EXPECT_EQ (Si.Genre, EInstr::Si);
    ASSERT_EQ (Si.NbExprs, 1u);
    ASSERT_EQ (Si.NbSuites, 1u);
    const SExpr & Cond = L.M ().ExprDe (Si, 0);
    EXPECT_EQ (Cond.Genre, EExpr::Operation);
    EXPECT_EQ (Cond.NbEnfants, 3u);
    EXPECT_EQ (L.M ().OperateurDe (Cond, 1).Op, EOperateur::EtAlors);
    EXPECT_EQ (L.M ().OperateurDe (Cond, 2).Op, EOperateur::Ou);
    const SExpr & Egal = L.M ().Enfant (Cond, 0);
    EXPECT_EQ (Egal.Genre, EExpr::Comparaison);
    EXPECT_EQ (static_cast <EComparateur> (Egal.Op), EComparateur::Egal);
    EXPECT_EQ (L.M ().Enfant (Egal, 1).Genre, EExpr::Chaine);
    EXPECT_EQ (L.M ().Enfant (Cond, 1).Genre, EExpr::Non);
    EXPECT_EQ (L.M ().Enfant (Cond, 2).Genre, EExpr::Booleen);
    const SInstr & Aff = L.M ().InstrDe (L.M ().SuiteDe (Si, 0), 0);
    const SExpr & Concat = L.M ().ExprDe (Aff, 1);
    EXPECT_EQ (Concat.Type, TString);
    EXPECT_EQ (L.M ().Enfant (Concat, 1).Type, TCaractere);
    EXPECT_EQ (L.Texte (Concat.Plage), "s + c + \"!\"");
}

TEST (Modele, StructuresEtLeursSuites)
{
    const SLu L = Lire (Algo (
        "    declarer n : entier;\n"
        "    pour (i variant_de 10 a 1 descendant) faire\n"
        "        si (i > 5) continue;\n"
        "        tant_que (n < i) faire\n            n <- n + 1;\n        ffaire\n"
        "    ffaire\n"
        "    repeter\n        n <- n - 1;\n    jusqua (n <= 0)\n"
        "    boucle\n        si (n vaut 0) sortie;\n    fboucle\n"
        "    si (n > 0)\n        afficher (n);\n    sinon_si (n < 0)\n        ligne_suivante;\n    sinon\n"
        "        saisir (n);\n    fsi\n"));
    ASSERT_EQ (L.T.Statut, 0);
    const SInstr & Pour = L.Instr (0, 1);
    EXPECT_EQ (Pour.Genre, EInstr::Pour);
    EXPECT_TRUE (Pour.Drapeaux & InstrDescendant);
    EXPECT_EQ (L.M ().Declarations [Pour.Decl].Nom, "i");
    EXPECT_EQ (L.M ().Declarations [Pour.Decl].Nature, ENature::VariableBoucle);
    EXPECT_EQ (Pour.NbExprs, 2u);
    const SSuite & Corps = L.M ().SuiteDe (Pour, 0);
    ASSERT_EQ (Corps.NbInstrs, 2u);
    EXPECT_EQ (L.Texte (Corps.MotFin), "ffaire");
    const SInstr & Court = L.M ().InstrDe (Corps, 0);
    EXPECT_TRUE (Court.Drapeaux & InstrFormeCourte);
    EXPECT_EQ (L.M ().InstrDe (L.M ().SuiteDe (Court, 0), 0).Genre, EInstr::Continue);
    // i, dans la condition du tant_que, renvoie a la variable du pour.
    const SInstr & TantQue = L.M ().InstrDe (Corps, 1);
    EXPECT_EQ (L.M ().Enfant (L.M ().ExprDe (TantQue, 0), 1).Ref, Pour.Decl);
    const SInstr & Repeter = L.Instr (0, 2);
    EXPECT_EQ (Repeter.Genre, EInstr::Repeter);
    EXPECT_EQ (L.Texte (L.M ().ExprDe (Repeter, 0).Plage), "n <= 0");
    EXPECT_EQ (L.Texte (L.M ().SuiteDe (Repeter, 0).MotFin), "jusqua");
    EXPECT_EQ (L.Instr (0, 3).Genre, EInstr::Boucle);
    // si / sinon_si / sinon : deux conditions, trois branches, chacune fermee par son mot.
    const SInstr & Si = L.Instr (0, 4);
    EXPECT_EQ (Si.NbExprs, 2u);
    ASSERT_EQ (Si.NbSuites, 3u);
    EXPECT_EQ (L.Texte (L.M ().SuiteDe (Si, 0).MotFin), "sinon_si");
    EXPECT_EQ (L.Texte (L.M ().SuiteDe (Si, 2).MotFin), "fsi");
    EXPECT_EQ (L.M ().InstrDe (L.M ().SuiteDe (Si, 1), 0).Genre, EInstr::LigneSuivante);
    EXPECT_EQ (L.M ().InstrDe (L.M ().SuiteDe (Si, 2), 0).Genre, EInstr::Saisir);
    EXPECT_EQ (L.Texte (Si.Plage).substr (0, 2), "si");
    EXPECT_EQ (L.Texte (Si.Plage).substr (L.Texte (Si.Plage).size () - 3), "fsi");
}

TEST (Modele, UnitesParametresEtAppels)
{
    const SLu L = Lire ("procedure p (nb : in entier, t : in_out tableau_de caractere)\ndebut\n"
                        "    allonger (t, 2);\nfin\n"
                        "fonction f (x : in reel) renvoie entier\ndebut\n    renvoie x;\nfin\n"
                        "algorithme A\ndebut\n    declarer u : tableau_de caractere;\n"
                        "    declarer c : constante entier <- 3;\n    p (f (c), u);\nfin\n");
    ASSERT_EQ (L.T.Statut, 0);
    ASSERT_EQ (L.M ().Unites.size (), 3u);
    const SUnite & P = L.M ().Unites [0];
    ASSERT_EQ (P.Parametres.size (), 2u);
    EXPECT_EQ (L.M ().Declarations [P.Parametres [1]].Mode, 2u);
    EXPECT_EQ (L.M ().Declarations [P.Parametres [1]].Type, TTableau | TCaractere);
    EXPECT_TRUE (P.Complete);
    EXPECT_EQ (L.Instr (0, 0).Genre, EInstr::Allonger);
    EXPECT_EQ (L.M ().Unites [1].TypeRetour, TEntier);
    const SInstr & Appel = L.Instr (2, 2);
    EXPECT_EQ (Appel.Genre, EInstr::AppelProcedure);
    EXPECT_EQ (L.M ().Declarations [Appel.Decl].Nom, "p");
    const SExpr & f = L.M ().ExprDe (Appel, 0);
    EXPECT_EQ (f.Genre, EExpr::Appel);
    EXPECT_EQ (L.M ().Declarations [f.Ref].Unite, 1u);
    const SExpr & c = L.M ().Enfant (f, 0);
    EXPECT_EQ (L.M ().Declarations [c.Ref].Nature, ENature::Constante);
    EXPECT_NE (L.M ().Declarations [c.Ref].Valeur, Aucun);
}

TEST (Modele, CeQuiAEteLuAvantUneErreur)
{
    // L'erreur est dans l'afficher du deuxieme si : le si externe, le tant_que et le si interne
    // sont incomplets, l'affectation qui precede est complete.
    const SLu L = Lire (Algo ("    declarer x : entier;\n    tant_que (x < 3) faire\n        x <- x + 1;\n"
                              "        si (x > 1)\n            afficher (x +);\n"));
    ASSERT_NE (L.T.Statut, 0);
    const SUnite & U = L.M ().Unites.at (0);
    EXPECT_FALSE (U.Complete);
    const SInstr & TantQue = L.Instr (0, 1);
    EXPECT_TRUE (TantQue.Drapeaux & InstrIncomplete);
    const SSuite & Corps = L.M ().SuiteDe (TantQue, 0);
    ASSERT_EQ (Corps.NbInstrs, 2u);
    EXPECT_FALSE (L.M ().InstrDe (Corps, 0).Drapeaux & InstrIncomplete);
    const SInstr & Si = L.M ().InstrDe (Corps, 1);
    EXPECT_TRUE (Si.Drapeaux & InstrIncomplete);
    EXPECT_EQ (L.M ().InstrDe (L.M ().SuiteDe (Si, 0), 0).Genre, EInstr::Afficher);
    EXPECT_EQ (L.M ().Blocs.size (), 3u);
}

TEST (Modele, SansGarderLeModeleLeCxxEstLeMeme)
{
    const std::string Source = Algo ("    declarer x : entier;\n    pour (i variant_de 1 a 3) faire\n"
                                     "        x <- x + i * 2;\n        afficher (x);\n    ffaire\n");
    SOptions SansModele;
    SansModele.Modele = false;
    const STraduction A = Traduire (Source), B = Traduire (Source, SansModele);
    EXPECT_EQ (A.Cpp, B.Cpp);
    EXPECT_GT (A.Modele.Exprs.size (), 4u);
    // Sans modele garde, les instructions ecrites sont oubliees : rien ne reste en memoire.
    EXPECT_EQ (B.Modele.Instrs.size (), 0u);
    EXPECT_EQ (B.Modele.Exprs.size (), 0u);
}

namespace
{
    // Le premier mot d'une ligne et s'il est suivi de <- (une affectation).
    bool PremierMot (const std::string & Ligne, std::string & Mot, bool & Affectation)
    {
        std::size_t i = Ligne.find_first_not_of (" \t");
        if (i == std::string::npos) return false;
        std::size_t j = i;
        while (j < Ligne.size () && (std::isalnum (static_cast <unsigned char> (Ligne [j])) || Ligne [j] == '_')) ++j;
        Mot = Ligne.substr (i, j - i);
        const std::size_t k = Ligne.find_first_not_of (" \t", j);
        Affectation = k != std::string::npos && Ligne.compare (k, 2, "<-") == 0;
        return ! Mot.empty ();
    }

    const char * const MotsDInstruction [] = {
        "afficher", "saisir", "si", "pour", "tant_que", "repeter", "boucle", "declarer", "renvoie",
        "ligne_suivante", "allonger", "redimensionner" };
}

// Sur tout le corpus : les noeuds restent dans leurs parents, et chaque ligne qui commence une
// instruction (avant l'erreur, s'il y en a une) a une instruction du modele qui commence sur elle.
TEST (Modele, UneInstructionAChaqueLigneDuCorpus)
{
    std::size_t NbSources = 0, NbLignes = 0;
    for (const char * Dossier : { "tests/golden", "exemples" })
        for (const auto & F : std::filesystem::recursive_directory_iterator (std::string (TRAMELO_RACINE) + "/" + Dossier))
        {
            if (F.path ().extension () != ".algo") continue;
            std::ifstream Flux (F.path (), std::ios::binary);
            std::stringstream Tout;
            Tout << Flux.rdbuf ();
            const std::string Source = Tout.str ();
            const STraduction T = Traduire (Source);
            ASSERT_EQ (Incoherence (T.Modele, T.Texte.size ()), "") << F.path ();
            // Les lignes ou commence une instruction du modele.
            std::vector <bool> Debut (T.FinLignes.size () + 2, false);
            for (const SInstr & I : T.Modele.Instrs)
                Debut [std::upper_bound (T.FinLignes.begin (), T.FinLignes.end (), I.Plage.Debut) - T.FinLignes.begin () + 1] = true;
            const std::size_t Limite = T.Erreur ? T.Erreur->LigneSignalee : T.FinLignes.size () + 1;
            std::istringstream Lignes (T.Texte);
            std::string Ligne, Mot;
            bool Affectation;
            for (std::size_t n = 1; std::getline (Lignes, Ligne) && n < Limite; ++n)
            {
                if (! PremierMot (Ligne, Mot, Affectation)) continue;
                bool Instruction = Affectation;
                for (const char * M : MotsDInstruction) Instruction = Instruction || Mot == M;
                if (! Instruction) continue;
                ++NbLignes;
                EXPECT_TRUE (Debut [n]) << F.path () << ":" << n << " : " << Ligne;
            }
            ++NbSources;
        }
    EXPECT_GT (NbSources, 150u);
    EXPECT_GT (NbLignes, 900u);
}
