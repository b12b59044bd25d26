// Regles des blocs et des unites : mot de fin ecrit a la maniere du cours papier (fin si, finsi),
// sinon si en deux mots, bloc ou unite restes ouverts, algorithme place avant les procedures,
// texte apres la fin de l'algorithme, ; apres un mot de fin.
#include "services/explications/Explication.h"

#include "symbols/Vocabulaire.h"

using nsUtil::EMsg;

namespace nsTramelo::nsRegles
{
    namespace
    {
        // Ou manque le mot de fin d'un bloc ouvert : la ligne qui suit son dernier contenu. Le contenu
        // s'arrete a la premiere ligne indentee comme l'ouvrant (ou moins) qui n'est pas une de ses
        // branches, si le bloc est indente ; sinon a la ligne de l'erreur.
        std::size_t PlacerFinManquante (const CContexte & C, SExplication & X, const SBloc & B, std::size_t LigneErreur)
        {
            const CLexique & L = C.Lex;
            const std::size_t LigneOuvrant = C.Ligne (B.Ouvrant.Decalage);
            const std::size_t Indent = L.Indentation (LigneOuvrant);
            std::size_t Premiere = LigneOuvrant + 1;
            while (Premiere < LigneErreur && L.LigneBlanche (Premiere)) ++Premiere;
            std::size_t Limite = LigneErreur;
            if (Premiere < LigneErreur && L.Indentation (Premiere) > Indent)
                for (std::size_t l = Premiere + 1; l < LigneErreur; ++l)
                {
                    if (L.LigneBlanche (l) || L.Indentation (l) > Indent) continue;
                    const SJeton Mot = L.Suivant (L.DebutLigne (l));
                    if (B.FinAttendue == "fsi" && (C.MotEst (Mot, "sinon") || C.MotEst (Mot, "sinon_si"))) continue;
                    Limite = l;
                    break;
                }
            // La ligne qui suit le dernier contenu (une ligne blanche, ou la limite elle-meme).
            std::size_t Ligne = Limite;
            while (Ligne > LigneOuvrant + 1 && L.LigneBlanche (Ligne - 1)) --Ligne;
            if (Ligne > L.NbLignes () || (Ligne == L.NbLignes () && L.LigneBlanche (Ligne) && Ligne == LigneErreur
                                          && C.Arret >= C.Texte.size ()))
            {
                // Fin de fichier : apres le dernier contenu.
                std::size_t Derniere = std::min (Ligne, L.NbLignes ());
                while (Derniere > 1 && L.LigneBlanche (Derniere)) --Derniere;
                X.Placer (L.FinLigne (Derniere), 0);
                return Derniere;
            }
            if (L.LigneBlanche (Ligne)) X.Placer (L.DebutLigne (Ligne) + std::min (Indent, L.FinLigne (Ligne) - L.DebutLigne (Ligne)), 0);
            else
            {
                const SJeton Premier = L.Suivant (L.DebutLigne (Ligne));
                X.Placer (Premier);
            }
            return Ligne;
        }

        // Aide et cause d'un bloc reste ouvert : le mot de fin, insere a la place trouvee, est
        // essaye ; s'il ne suffit pas, seul le constat reste.
        void ExpliquerBlocOuvert (const CContexte & C, SExplication & X, const SBloc & B, std::size_t Ligne)
        {
            const std::size_t LigneOuvrant = LigneBloc (C, B);
            const std::string Nom = NomBloc (C, B);
            const std::string E = Nom.compare (0, 3, "la ") == 0 ? "e" : "";
            X.Cause = Nom + " ouvert" + E + " " + TexteLigne (LigneOuvrant) + " n'est pas fermé" + E + " : il manque "
                    + Citer (B.FinAttendue);
            // L'insertion : au debut de la ligne trouvee (au retrait de l'ouvrant), sur sa propre ligne.
            const std::size_t Retrait = C.Lex.Indentation (C.Ligne (B.Ouvrant.Decalage));
            std::size_t Pos = X.Decalage;
            std::string Insere;
            if (X.Longueur == 0 && Pos >= C.Lex.FinLigne (C.Ligne (Pos)))
                Insere = "\n" + std::string (Retrait, ' ') + B.FinAttendue;   // au bout d'une ligne
            else
            {
                Pos = C.Lex.DebutLigne (C.Ligne (X.Decalage));
                Insere = std::string (Retrait, ' ') + B.FinAttendue + "\n";
            }
            X.Proposer ({ Pos, 0, Insere }, "il manque " + Citer (B.FinAttendue) + " pour fermer " + Nom + " ouvert" + E + " "
                        + TexteLigne (LigneOuvrant) + " : ajoutez-le "
                        + (C.Lex.LigneBlanche (Ligne) ? "à la " + TexteLigne (Ligne) : "avant la " + TexteLigne (Ligne)));
            X.Constat ("ajoutez " + Citer (B.FinAttendue) + " à la fin de " + Nom + ", après sa dernière instruction");
        }

        bool IsInstructionFautive (const CContexte & C) { return C.MessageEst (EMsg::AttenteVariable) && C.Instruction; }
    }

    // fin si, fin pour, fin tant_que... en deux mots.
    bool FinDeBlocEnDeuxMots (const CContexte & C, SExplication & X)
    {
        if (! IsInstructionFautive (C)) return false;
        const SJeton Fin = C.MotInstruction ();
        if (Minuscules (C.Mot (Fin)) != "fin") return false;
        const SJeton Suite = C.Lex.Suivant (Fin.Fin ());
        if (Suite.Genre != EJeton::Mot || C.Ligne (Suite.Debut) != C.Ligne (Fin.Debut)) return false;
        const std::string S = Minuscules (C.Mot (Suite));
        std::string Juste;
        if (S == "si") Juste = "fsi";
        else if (S == "pour" || S == "tant_que" || S == "tantque" || S == "tant" || S == "faire" || S == "jusqua")
            Juste = "ffaire";
        else if (S == "boucle") Juste = "fboucle";
        else return false;
        X.Placer (Fin.Debut, Suite.Fin () - Fin.Debut);
        const std::string Ecrit = C.Texte.substr (Fin.Debut, Suite.Fin () - Fin.Debut);
        X.Cause = Citer (Ecrit) + " s'écrit " + Citer (Juste);
        const std::string Texte = Citer (Ecrit) + " s'écrit en un seul mot : " + Citer (Juste);
        X.Proposer ({ Fin.Debut, Suite.Fin () - Fin.Debut, Juste }, Texte);
        X.Constat (Texte);
        if (C.Bloc && C.Bloc->FinAttendue != Juste && C.Bloc->FinAttendue != "fin")
            X.Note ("le bloc ouvert ici est " + NomBloc (C, * C.Bloc) + " de la " + TexteLigne (LigneBloc (C, * C.Bloc))
                    + ", fermé par " + Citer (C.Bloc->FinAttendue));
        return true;
    }

    // finsi, fin_si, finpour, fintantque, finboucle... soudes ou abreges.
    bool FinDeBlocSoude (const CContexte & C, SExplication & X)
    {
        if (! IsInstructionFautive (C)) return false;
        const SJeton Mot = C.MotInstruction ();
        std::string M;
        for (char c : Minuscules (C.Mot (Mot)))
            if (c != '_') M += c;
        static const struct { const char * Mot, * Juste; } Table [] =
        {
            { "finsi", "fsi" }, { "fsi", "fsi" }, { "endif", "fsi" }, { "finpour", "ffaire" }, { "fpour", "ffaire" },
            { "fintantque", "ffaire" }, { "ftantque", "ffaire" }, { "fintq", "ffaire" }, { "ftq", "ffaire" },
            { "finfaire", "ffaire" }, { "ffaire", "ffaire" }, { "fintant", "ffaire" }, { "endwhile", "ffaire" },
            { "endfor", "ffaire" }, { "done", "ffaire" }, { "finboucle", "fboucle" }, { "fboucle", "fboucle" },
            { "finalgorithme", "fin" }, { "finalgo", "fin" }, { "finprocedure", "fin" }, { "finfonction", "fin" },
            { "end", "fin" },
        };
        for (const auto & E : Table)
            if (M == E.Mot && C.Mot (Mot) != E.Juste)
            {
                X.Placer (Mot);
                X.Cause = Citer (C.Mot (Mot)) + " s'écrit " + Citer (E.Juste);
                X.Proposer ({ Mot.Debut, Mot.Longueur, E.Juste }, Citer (C.Mot (Mot)) + " s'écrit " + Citer (E.Juste));
                X.Constat (Citer (C.Mot (Mot)) + " s'écrit " + Citer (E.Juste));
                if (C.Bloc && C.Bloc->FinAttendue != E.Juste && std::string (E.Juste) != "fin")
                    X.Note ("le bloc ouvert ici est " + NomBloc (C, * C.Bloc) + " de la "
                            + TexteLigne (LigneBloc (C, * C.Bloc)) + ", fermé par " + Citer (C.Bloc->FinAttendue));
                return true;
            }
        return false;
    }

    // sinon si en deux mots : le si ouvre un si imbrique qui reclame son propre fsi ; l'erreur arrive
    // bien plus loin. On cherche "sinon si" dans le si encore ouvert.
    bool SinonSiEnDeuxMots (const CContexte & C, SExplication & X)
    {
        for (const SBloc & B : C.J.Blocs)
        {
            if (B.FinAttendue != "fsi") continue;
            const std::vector <SJeton> V = C.Lex.Jetons (B.Ouvrant.Decalage, C.Arret);
            for (std::size_t k = 0; k + 1 < V.size (); ++k)
                if (C.MotEst (V [k], "sinon") && C.MotEst (V [k + 1], "si") && C.Ligne (V [k].Debut) == C.Ligne (V [k + 1].Debut))
                {
                    X.Placer (V [k].Debut, V [k + 1].Fin () - V [k].Debut);
                    X.Cause = "« sinon si » s'écrit « sinon_si »";
                    X.Proposer ({ V [k].Debut, V [k + 1].Fin () - V [k].Debut, "sinon_si" },
                                "« sinon si » s'écrit en un seul mot : « sinon_si »");
                    X.Constat ("« sinon si » s'écrit en un seul mot : « sinon_si »");
                    X.Note ("écrit en deux mots, ce si ouvre un nouveau si, qui attend son propre fsi : le si de la "
                            + TexteLigne (C.Ligne (B.Ouvrant.Decalage)) + " reste ouvert");
                    return true;
                }
        }
        return false;
    }

    // procedure, fonction ou algorithme lus comme une instruction : l'unite precedente n'a pas de fin.
    bool UniteNonFermee (const CContexte & C, SExplication & X)
    {
        if (! IsInstructionFautive (C) || ! C.Bloc) return false;
        const SJeton Mot = C.MotInstruction ();
        const std::string M = C.Mot (Mot);
        if (M != "procedure" && M != "fonction" && M != "algorithme") return false;
        // Le bloc le plus interne d'abord : c'est son mot de fin qui manque en premier.
        const SBloc & B = * C.Bloc;
        const std::size_t Ligne = PlacerFinManquante (C, X, B, C.Ligne (Mot.Debut));
        ExpliquerBlocOuvert (C, X, B, Ligne);
        if (B.FinAttendue != "fin" && C.Unite)
            X.Note ("il manque aussi « fin » à " + NomBloc (C, C.J.Blocs.front ()) + ", avant ce « " + M + " »");
        return true;
    }

    // Un mot de fin qui ne ferme pas le bloc le plus interne : le mot de fin de celui-ci manque.
    bool BlocOuvert (const CContexte & C, SExplication & X)
    {
        if (! IsInstructionFautive (C) || ! C.Bloc) return false;
        const SJeton Mot = C.MotInstruction ();
        const std::string M = C.Mot (Mot);
        if (! IsEnd (M) && M != "jusqua") return false;
        const SBloc & B = * C.Bloc;
        // Un bloc ouvert attend-il ce mot ? Sinon il est en trop (fin ferme toujours l'unite).
        const std::string Attendu = M == "sinon" || M == "sinon_si" ? "fsi" : M;
        bool AttenduParUnBloc = false;
        for (const SBloc & Ouvert : C.J.Blocs) AttenduParUnBloc = AttenduParUnBloc || Ouvert.FinAttendue == Attendu;
        if (B.FinAttendue == "fin" || ! AttenduParUnBloc)
        {
            // Rien a fermer : un mot de fin en trop.
            X.Placer (Mot);
            X.Cause = Citer (M) + " ne ferme rien ici";
            X.Aide (Citer (M) + " ne ferme rien ici : aucun bloc qui se termine par " + Citer (Attendu)
                    + " n'est ouvert ; supprimez-le, ou vérifiez le bloc qu'il devait fermer");
            const std::size_t L = C.Ligne (Mot.Debut);
            for (std::size_t l = L; l-- > 1 && l + 5 > L; )
            {
                const std::vector <SJeton> V = C.Lex.Jetons (C.Lex.DebutLigne (l), C.Lex.FinLigne (l));
                if (! V.empty () && C.MotEst (V [0], "si"))
                    for (const SJeton & J : V)
                        if (C.MotEst (J, "sortie") || C.MotEst (J, "continue") || C.MotEst (J, "renvoie"))
                        {
                            X.Note ("la forme courte « si (…) " + C.Mot (J) + " … ; » de la " + TexteLigne (l)
                                    + " se termine à son « ; » et n'a pas de fsi");
                            return true;
                        }
            }
            return true;
        }
        const std::size_t Ligne = PlacerFinManquante (C, X, B, C.Ligne (Mot.Debut));
        ExpliquerBlocOuvert (C, X, B, Ligne);
        return true;
    }

    // Fin du fichier au milieu d'un bloc (113) ou avant l'algorithme (102).
    bool FinDeFichier (const CContexte & C, SExplication & X)
    {
        if (C.MessageEst (EMsg::FinFichierPrematuree))
        {
            std::size_t Derniere = C.Lex.NbLignes ();
            while (Derniere > 1 && C.Lex.LigneBlanche (Derniere)) --Derniere;
            X.Placer (C.Texte.empty () ? 0 : C.Lex.FinLigne (Derniere), 0);
            if (C.J.Unites.empty ())
                X.Aide ("le fichier ne contient aucune unité : un programme s'écrit « algorithme Nom », "
                        "« debut », ses instructions, puis « fin »");
            else
                X.Aide ("le fichier se termine sans algorithme : après les procédures et les fonctions, écrivez "
                        "l'algorithme, « algorithme Nom debut … fin », qui est le programme principal");
            return true;
        }
        if (! C.MessageEst (EMsg::FinInopinee) || ! C.Bloc) return false;
        const SBloc & B = * C.Bloc;
        const std::size_t Ligne = PlacerFinManquante (C, X, B, C.Lex.NbLignes () + 1);
        (void) Ligne;
        std::string Manque;
        for (auto It = C.J.Blocs.rbegin (); It != C.J.Blocs.rend (); ++It)
            Manque += (Manque.empty () ? "" : ", puis ") + Citer (It->FinAttendue) + " (" + NomBloc (C, * It)
                    + " de la " + TexteLigne (LigneBloc (C, * It)) + ")";
        const std::string NomB = NomBloc (C, B);
        X.Cause = "le fichier se termine alors que " + NomB + " (" + TexteLigne (LigneBloc (C, B)) + ") n'est pas fermé"
                + (NomB.compare (0, 3, "la ") == 0 ? "e" : "");
        X.Aide ("le fichier se termine alors que des blocs sont encore ouverts : il manque " + Manque);
        const SJeton Dernier = C.Lex.Precedent (C.Texte.size ());
        if (Dernier.Genre != EJeton::Fin && ! C.MotEst (Dernier, ";") && ! IsEnd (C.Mot (Dernier))
            && ! C.MotEst (Dernier, "faire") && ! C.MotEst (Dernier, "debut") && ! C.MotEst (Dernier, ")"))
            X.Note ("la dernière instruction, " + TexteLigne (C.Ligne (Dernier.Debut)) + ", est incomplète");
        return true;
    }

    // L'algorithme avant les procedures : appel d'une unite definie plus loin, ou code apres sa fin.
    bool AlgorithmeAvantUnites (const CContexte & C, SExplication & X)
    {
        std::string Nom;
        std::size_t Appel = 0, Definition = std::string::npos;
        const SUnite * Algo = nullptr;
        if (C.MessageEst (EMsg::CodeApresFin))
        {
            if (! C.MotEst (C.AuArret, "procedure") && ! C.MotEst (C.AuArret, "fonction")) return false;
            for (const SUnite & U : C.J.Unites)
                if (U.Nature == ENature::Algorithme) Algo = & U;
            if (! Algo) return false;
            Definition = C.AuArret.Debut;
            const SJeton N = C.Lex.Suivant (C.AuArret.Fin ());
            Nom = C.Mot (N);
        }
        else
        {
            const SJeton N = C.NomFautif ();
            if (N.Genre != EJeton::Mot) return false;
            Nom = C.Mot (N);
            Definition = C.UniteDefinieApres (Nom, C.Arret);
            if (Definition == std::string::npos) return false;
            Appel = N.Debut;
            if (C.Unite && C.Unite->Nature == ENature::Algorithme) Algo = C.Unite;
            else
            {
                X.Placer (N);
                X.Aide (Citer (Nom) + " est définie plus loin, " + TexteLigne (C.Ligne (Definition))
                        + " : une unité ne peut appeler que celles écrites avant elle ; déplacez " + Citer (Nom)
                        + " avant " + (C.Unite ? Citer (C.Unite->Nom) : std::string ("cette unité")));
                return true;
            }
        }
        const SJeton MotAlgo = C.Lex.Suivant (Algo->Debut);
        X.Placer (MotAlgo);
        X.Aide ("l'algorithme doit être la dernière unité du fichier : déplacez « algorithme " + Utf8Valide (Algo->Nom)
                + " … fin » après les procédures et les fonctions");
        if (Appel)
            X.Note (Citer (Nom) + " est appelée " + TexteLigne (C.Ligne (Appel)) + " mais définie plus loin, "
                    + TexteLigne (C.Ligne (Definition)) + " : une unité ne peut appeler que celles écrites avant elle");
        else
            X.Note (Citer (Nom) + ", " + TexteLigne (C.Ligne (Definition)) + ", vient après la fin de l'algorithme");
        return true;
    }

    // 103 : du texte apres le fin de l'algorithme.
    bool CodeApresFin (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::CodeApresFin)) return false;
        X.Placer (C.AuArret);
        std::size_t FinAlgo = 0;
        for (const SUnite & U : C.J.Unites)
            if (U.Nature == ENature::Algorithme && U.DecalageFin != PorteeOuverte) FinAlgo = U.DecalageFin;
        X.Cause = C.MotEst (C.AuArret, "fin") ? "« fin » en trop : l'algorithme est déjà terminé"
                                              : "du texte après la fin de l'algorithme";
        if (C.MotEst (C.AuArret, "fin"))
            X.Aide ("« fin » en trop : l'algorithme est déjà terminé par le fin de la " + TexteLigne (C.Ligne (FinAlgo))
                    + " ; vérifiez que chaque si se ferme par fsi et chaque boucle par ffaire, puis supprimez ce fin");
        else
            X.Aide ("l'algorithme se termine par le fin de la " + TexteLigne (C.Ligne (FinAlgo)) + " : rien ne peut le suivre "
                    "(sauf des commentaires) ; " + Citer (C.Mot (C.AuArret)) + " doit être déplacé avant, dans une unité");
        return true;
    }

    // ; apres fsi, ffaire, fboucle, jusqua (…) : les structures n'en prennent pas.
    bool PointVirguleApresFinDeBloc (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::IdentifiantAttendu) || ! C.MotEst (C.AuArret, ";")) return false;
        const SJeton & Avant = C.AvantArret;
        std::string Quoi;
        if (C.MotEst (Avant, "fsi") || C.MotEst (Avant, "ffaire") || C.MotEst (Avant, "fboucle")
            || C.MotEst (Avant, "faire") || C.MotEst (Avant, "debut") || C.MotEst (Avant, "sinon"))
            Quoi = C.Mot (Avant);
        else if (C.MotEst (Avant, ")"))
        {
            const SJeton Premier = C.Lex.Suivant (C.Lex.DebutLigne (C.Ligne (Avant.Debut)));
            if (C.MotEst (Premier, "jusqua")) Quoi = "jusqua (…)";
        }
        else if (C.MotEst (Avant, ";"))
        {
            X.Placer (C.AuArret);
            X.Cause = "« ; » en double";
            X.Proposer ({ C.AuArret.Debut, C.AuArret.Longueur, "" }, "« ; » en double : supprimez le second");
            X.Constat ("« ; » en double : supprimez le second");
            return true;
        }
        if (Quoi.empty ()) return false;
        X.Placer (C.AuArret);
        X.Cause = "« ; » en trop après " + Citer (Quoi);
        const std::string Texte = "pas de « ; » après " + Citer (Quoi) + " : une structure se termine par son mot de fin ; "
                                  "supprimez ce « ; »";
        X.Proposer ({ C.AuArret.Debut, C.AuArret.Longueur, "" }, Texte);
        X.Constat (Texte);
        return true;
    }

    // 104 "fsi" au lieu de "sinon" : une branche apres le sinon.
    bool SinonApresSinon (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::MotCleAttendu) || C.E.Attendu != "fsi" || C.E.Trouve.compare (0, 5, "sinon") != 0)
            return false;
        X.Placer (C.AvantArret);
        X.Cause = "une branche " + Citer (C.E.Trouve) + " après le sinon";
        X.Aide ("après la branche sinon, seul fsi peut venir : mettez les branches sinon_si avant le sinon, "
                "qui doit être la dernière");
        if (C.Instruction && C.Mot (* C.Instruction) == "si")
            X.Note ("le si est ouvert " + TexteLigne (C.Ligne (C.Instruction->Decalage)));
        return true;
    }
}
