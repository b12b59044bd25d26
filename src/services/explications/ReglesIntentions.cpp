// Regles de l'intention de l'etudiant : ce qu'il voulait ecrire, reconnu a ses propres noms et
// valeurs, avant les regles qui ne disent que ce que la lecture attendait. Chaque correction
// concrete est proposee (et donc essayee avant d'etre donnee) ; chaque regle dit la cause dans
// l'en-tete.
#include "services/explications/Explication.h"

#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"

#include <algorithm>

using nsUtil::EMsg;

namespace nsTramelo::nsRegles
{
    namespace
    {
        bool IsComparateur (const CContexte & C, const SJeton & J)
        {
            for (const char * Op : { "<", "<=", ">", ">=", "=", "==", "vaut", "ne_vaut_pas", "!=", "<>" })
                if (C.MotEst (J, Op)) return true;
            return false;
        }

        bool IsConnecteur (const CContexte & C, const SJeton & J)
        {
            for (const char * Op : { "ET", "OU", "ET_ALORS", "OU_SINON" })
                if (C.MotEst (J, Op)) return true;
            return false;
        }

        // Un jeton qui peut terminer une valeur (nom, nombre, litteral, parenthese ou crochet fermants).
        bool FinitValeur (const CContexte & C, const SJeton & J)
        {
            if (J.Genre == EJeton::Nombre || J.Genre == EJeton::Chaine || J.Genre == EJeton::Caractere) return true;
            if (J.Genre == EJeton::Mot) return ! IsIdentReserve (C.Mot (J)) || C.MotEst (J, "vrai") || C.MotEst (J, "faux");
            return C.MotEst (J, ")") || C.MotEst (J, "]");
        }

        // Un jeton qui peut commencer une valeur.
        bool CommenceValeur (const CContexte & C, const SJeton & J)
        {
            if (J.Genre == EJeton::Nombre || J.Genre == EJeton::Chaine || J.Genre == EJeton::Caractere) return true;
            if (J.Genre == EJeton::Mot)
            {
                const std::string M = C.Mot (J);
                return ! IsIdentReserve (M) || IsFonction (M) || M == "vrai" || M == "faux" || M == "NON";
            }
            return false;
        }

        // Les jetons de l'instruction en cours, de son debut a la fin de la ligne de l'arret (ou
        // a son ; si elle continue).
        std::vector <SJeton> Jetons (const CContexte & C)
        {
            return C.Lex.Jetons (C.DebutInstruction (), C.FinInstruction () + 1);
        }

        // L'indice du jeton qui commence a Pos, ou V.size ().
        std::size_t Indice (const std::vector <SJeton> & V, std::size_t Pos)
        {
            for (std::size_t k = 0; k < V.size (); ++k)
                if (V [k].Debut == Pos) return k;
            return V.size ();
        }

        // Le debut de l'operande qui finit juste avant le jeton k : en remontant au meme niveau de
        // parentheses, jusqu'a une parenthese ouvrante, un connecteur, un comparateur, une virgule
        // ou la fleche.
        std::size_t DebutOperande (const CContexte & C, const std::vector <SJeton> & V, std::size_t k)
        {
            int Profondeur = 0;
            while (k > 0)
            {
                const SJeton & J = V [k - 1];
                if (C.MotEst (J, ")") || C.MotEst (J, "]")) ++Profondeur;
                else if (C.MotEst (J, "(") || C.MotEst (J, "["))
                {
                    if (Profondeur == 0) break;
                    --Profondeur;
                }
                else if (Profondeur == 0 && (IsConnecteur (C, J) || IsComparateur (C, J) || C.MotEst (J, ",")
                                             || C.MotEst (J, "<-") || (J.Genre == EJeton::Mot && IsStruct (C.Mot (J)))))
                    break;
                --k;
            }
            return k;
        }

        // La fin (exclue) de l'operande qui commence au jeton k.
        std::size_t FinOperande (const CContexte & C, const std::vector <SJeton> & V, std::size_t k)
        {
            int Profondeur = 0;
            for (; k < V.size (); ++k)
            {
                const SJeton & J = V [k];
                if (C.MotEst (J, "(") || C.MotEst (J, "[")) ++Profondeur;
                else if (C.MotEst (J, ")") || C.MotEst (J, "]"))
                {
                    if (Profondeur == 0) break;
                    --Profondeur;
                }
                else if (Profondeur == 0 && (IsConnecteur (C, J) || IsComparateur (C, J) || C.MotEst (J, ",")
                                             || C.MotEst (J, ";")))
                    break;
            }
            return k;
        }

        std::string Texte (const CContexte & C, const std::vector <SJeton> & V, std::size_t De, std::size_t A)
        {
            if (De >= A || A > V.size ()) return "";
            return TexteDe (C, V [De].Debut, V [A - 1].Fin ());
        }

        // Le contraire d'un comparateur, ou vide.
        std::string Contraire (const std::string & Op)
        {
            if (Op == "<") return ">=";
            if (Op == "<=") return ">";
            if (Op == ">") return "<=";
            if (Op == ">=") return "<";
            if (Op == "vaut") return "ne_vaut_pas";
            if (Op == "ne_vaut_pas") return "vaut";
            return "";
        }

        // Le texte de l'instruction [Debut, Fin) une fois la retouche appliquee, sur une ligne.
        std::string Retouchee (const CContexte & C, std::size_t Debut, std::size_t Fin, const SRetouche & R)
        {
            if (R.Decalage < Debut || R.Decalage + R.Longueur > Fin) return TexteDe (C, Debut, Fin);
            const std::string Avant = C.Texte.substr (Debut, R.Decalage - Debut);
            const std::string Apres = C.Texte.substr (R.Decalage + R.Longueur, Fin - R.Decalage - R.Longueur);
            std::string S = Avant + R.Texte + Apres, N;
            for (char c : S)
            {
                if (c == ' ' || c == '\n' || c == '\r' || c == '\t')
                {
                    if (! N.empty () && N.back () != ' ') N += ' ';
                }
                else N += c;
            }
            while (! N.empty () && N.back () == ' ') N.pop_back ();
            return Utf8Valide (N);
        }

        // La fin de l'instruction en cours dans le texte : apres son ; (ou la fin de la ligne).
        std::size_t FinAvecPointVirgule (const CContexte & C)
        {
            const std::size_t F = C.FinInstruction ();
            return F < C.Texte.size () && C.Texte [F] == ';' ? F + 1 : F;
        }

        bool IsNumerique (unsigned Type) { return Type == TEntier || Type == TEntierNaturel || Type == TReel; }
    }

    // 10 <= note <= 20 : deux comparaisons enchainees.
    bool ComparaisonEnchainee (const CContexte & C, SExplication & X)
    {
        if (! IsComparateur (C, C.AuArret) || C.MessageEst (EMsg::AttenteVariable)) return false;
        const std::vector <SJeton> V = Jetons (C);
        const std::size_t k = Indice (V, C.AuArret.Debut);
        if (k == V.size () || k == 0) return false;
        const std::size_t DebutMilieu = DebutOperande (C, V, k);
        if (DebutMilieu == 0 || DebutMilieu >= k || ! IsComparateur (C, V [DebutMilieu - 1])) return false;
        const std::size_t DebutGauche = DebutOperande (C, V, DebutMilieu - 1);
        const std::size_t FinDroite = FinOperande (C, V, k + 1);
        if (DebutGauche >= DebutMilieu - 1 || FinDroite <= k + 1) return false;
        const std::string Gauche = Texte (C, V, DebutGauche, DebutMilieu - 1), Milieu = Texte (C, V, DebutMilieu, k),
                          Droite = Texte (C, V, k + 1, FinDroite);
        const std::string Op1 = C.Mot (V [DebutMilieu - 1]), Op2 = C.Mot (C.AuArret);
        const std::string Ecrit = Gauche + " " + Op1 + " " + Milieu + " " + Op2 + " " + Droite;
        const std::string Juste = Gauche + " " + Op1 + " " + Milieu + " ET " + Milieu + " " + Op2 + " " + Droite;
        X.Placer (C.AuArret);
        X.Cause = "comparaisons enchaînées : " + Citer (Ecrit) + " ne se lit pas comme en mathématiques";
        X.Proposer ({ C.AuArret.Debut, C.AuArret.Longueur, "ET " + Milieu + " " + Op2 },
                    "chaque comparaison a deux côtés : écrivez " + Citer (Juste) + ", les deux comparaisons reliées par ET");
        X.Note ("supprimer « " + Op2 + " " + Droite + " » ferait bien passer la traduction, mais ne vérifierait plus que "
                + Milieu + " " + Op2 + " " + Droite);
        return true;
    }

    // n > 0 ET < 10 : le nom compare n'est pas repete apres le connecteur.
    bool ComparaisonSansGauche (const CContexte & C, SExplication & X)
    {
        if (! IsComparateur (C, C.AuArret) || ! IsConnecteur (C, C.AvantArret)) return false;
        const std::vector <SJeton> V = Jetons (C);
        const std::size_t k = Indice (V, C.AvantArret.Debut);
        if (k == V.size () || k < 3) return false;
        // Avant le connecteur : g op d.
        const std::size_t DebutDroite = DebutOperande (C, V, k);
        if (DebutDroite == 0 || ! IsComparateur (C, V [DebutDroite - 1])) return false;
        const std::size_t DebutGauche = DebutOperande (C, V, DebutDroite - 1);
        if (DebutGauche >= DebutDroite - 1) return false;
        const std::string Gauche = Texte (C, V, DebutGauche, DebutDroite - 1);
        const std::string Connecteur = C.Mot (C.AvantArret);
        const std::size_t Op = Indice (V, C.AuArret.Debut);
        const std::string Reste = Op < V.size () ? Texte (C, V, Op, FinOperande (C, V, Op + 1)) : C.Mot (C.AuArret);
        X.Placer (C.AuArret);
        X.Cause = "après " + Citer (Connecteur) + ", la comparaison n'a pas de côté gauche";
        const SRetouche R { C.AuArret.Debut, 0, Gauche + " " };
        X.Proposer (R, "chaque côté de " + Connecteur + " est une comparaison complète : répétez " + Citer (Gauche) + ", « "
                    + Texte (C, V, DebutGauche, k) + " " + Connecteur + " " + Gauche + " " + Reste + " »");
        return true;
    }

    // choix vaut 1 OU 2 : la valeur apres OU n'est pas une condition.
    bool ConnecteurSansComparaison (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::ExprBooleenne) && ! C.MessageEst (EMsg::ConnecteurAttendu)
            && ! C.MessageEst (EMsg::CaractereAttendu))
            return false;
        const std::vector <SJeton> V = Jetons (C);
        // Le connecteur le plus proche avant l'arret, suivi d'une seule valeur.
        std::size_t c = V.size ();
        for (std::size_t k = 0; k < V.size () && V [k].Debut < C.Arret; ++k)
            if (IsConnecteur (C, V [k])) c = k;
        if (c == V.size () || c + 1 >= V.size () || c < 3) return false;
        const std::size_t FinValeur = FinOperande (C, V, c + 1);
        if (FinValeur != c + 2 || (FinValeur < V.size () && IsComparateur (C, V [FinValeur]))) return false;
        const SJeton & Valeur = V [c + 1];
        if (Valeur.Genre != EJeton::Nombre && Valeur.Genre != EJeton::Chaine && Valeur.Genre != EJeton::Caractere) return false;
        const std::size_t DebutDroite = DebutOperande (C, V, c);
        if (DebutDroite == 0 || ! IsComparateur (C, V [DebutDroite - 1])) return false;
        const std::size_t DebutGauche = DebutOperande (C, V, DebutDroite - 1);
        if (DebutGauche >= DebutDroite - 1) return false;
        const std::string Gauche = Texte (C, V, DebutGauche, DebutDroite - 1), Op = C.Mot (V [DebutDroite - 1]);
        const std::string Connecteur = C.Mot (V [c]);
        const std::string V2 = Utf8Valide (C.Mot (Valeur));
        X.Placer (Valeur);
        X.Cause = Citer (Connecteur + " " + V2) + " : " + Citer (V2) + " n'est pas une condition";
        X.Proposer ({ Valeur.Debut, 0, Gauche + " " + Op + " " },
                    "chaque côté de " + Connecteur + " est une comparaison complète : « " + Texte (C, V, DebutGauche, c) + " "
                    + Connecteur + " " + Gauche + " " + Op + " " + V2 + " »");
        return true;
    }

    // tant_que (n) faire, si (n) : un nombre n'est pas une condition.
    bool ConditionNumerique (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::ExprBooleenne) || ! C.MotEst (C.AuArret, ")")) return false;
        const SJeton Nom = C.AvantArret;
        const SJeton Ouvrante = C.Lex.Precedent (Nom.Debut);
        if (Nom.Genre != EJeton::Mot || ! C.MotEst (Ouvrante, "(")) return false;
        const SJeton Mot = C.Lex.Precedent (Ouvrante.Debut);
        const std::string M = C.Mot (Mot);
        if (M != "si" && M != "sinon_si" && M != "tant_que" && M != "jusqua") return false;
        const std::string N = C.Mot (Nom);
        const SDeclaration * D = C.Visible (N, C.Arret);
        if (! D || IsTypeTableau (D->Type)) return false;
        X.Placer (Nom);
        if (IsNumerique (D->Type))
        {
            X.Cause = Citer (N) + " est un nombre (" + NomType (D->Type) + "), pas une condition";
            X.Proposer ({ Nom.Fin (), 0, " ne_vaut_pas 0" },
                        "écrivez la comparaison voulue, par exemple « " + M + " (" + N + " ne_vaut_pas 0) » (" + N
                        + " n'est pas nul) ou « " + M + " (" + N + " > 0) »");
        }
        else if (D->Type == TString || D->Type == TCaractere)
        {
            X.Cause = Citer (N) + " est " + (D->Type == TString ? "une chaîne" : "un caractère") + ", pas une condition";
            X.Aide ("comparez-le à une valeur : « " + M + " (" + N + " vaut " + (D->Type == TString ? "\"oui\"" : "'o'") + ") »");
        }
        else return false;
        X.Note (Citer (N) + " est " + NomNature (D->Nature) + " déclarée " + TexteLigne (C.Ligne (D->Decalage)));
        return true;
    }

    // pour (i variant_de 1 a 20 pas 2) : pas de pas dans une boucle pour.
    bool PasDansPour (const CContexte & C, SExplication & X)
    {
        if (! C.Instruction || C.Mot (* C.Instruction) != "pour" || C.AuArret.Genre != EJeton::Mot) return false;
        const std::string Mot = Minuscules (C.Mot (C.AuArret));
        if (Mot != "pas" && Mot != "step" && Mot != "par" && Mot != "increment" && Mot != "de") return false;
        const std::vector <SJeton> V = C.Lex.Jetons (C.Instruction->Decalage, C.FinInstruction () + 1);
        std::size_t Var = V.size (), Variant = V.size (), A = V.size ();
        for (std::size_t k = 0; k < V.size (); ++k)
        {
            if (C.MotEst (V [k], "(") && Var == V.size () && k + 1 < V.size ()) Var = k + 1;
            if (C.MotEst (V [k], "variant_de") && Variant == V.size ()) Variant = k;
            if (C.MotEst (V [k], "a") && A == V.size () && k > Variant) A = k;
        }
        const std::size_t k = Indice (V, C.AuArret.Debut);
        if (Var >= V.size () || Variant >= V.size () || A >= V.size () || k >= V.size () || k <= A + 1) return false;
        // Le pas : ce qui suit « pas » (ou « par pas de ») jusqu'a la parenthese.
        std::size_t DebutPas = k + 1;
        while (DebutPas < V.size () && (C.MotEst (V [DebutPas], "pas") || C.MotEst (V [DebutPas], "de"))) ++DebutPas;
        std::size_t FinPas = DebutPas;
        while (FinPas < V.size () && ! C.MotEst (V [FinPas], ")")) ++FinPas;
        const std::string I = Utf8Valide (C.Mot (V [Var])), Debut = Texte (C, V, Variant + 1, A), Fin = Texte (C, V, A + 1, k),
                          Pas = Texte (C, V, DebutPas, FinPas);
        X.Placer (C.AuArret);
        X.Cause = "une boucle pour avance de 1 en 1 : " + Citer (C.Mot (C.AuArret)) + " n'existe pas dans son en-tête";
        if (Pas == "-1")
        {
            const SRetouche R { C.AuArret.Debut, V [FinPas - 1].Fin () - C.AuArret.Debut, "descendant" };
            X.Proposer (R, "pour compter à rebours de 1 en 1, écrivez « pour (" + I + " variant_de " + Debut + " a " + Fin
                        + " descendant) »");
            return true;
        }
        X.Aide ("pour avancer de " + (Pas.empty () ? std::string ("plusieurs") : Pas) + " en " + (Pas.empty () ? "plusieurs" : Pas)
                + ", écrivez une boucle tant_que qui fait avancer " + Citer (I) + " elle-même : « " + I + " <- " + Debut
                + "; tant_que (" + I + " <= " + Fin + ") faire … " + I + " <- " + I + " + " + (Pas.empty () ? "2" : Pas)
                + "; ffaire » (" + Citer (I) + " déclaré par declarer)");
        X.Note ("une boucle pour qui descend de 1 en 1 s'écrit avec « descendant » : « pour (" + I + " variant_de " + Fin + " a "
                + Debut + " descendant) »");
        return true;
    }

    // afficher ("Total : " n) : la virgule entre deux parametres est oubliee.
    bool VirguleOubliee (const CContexte & C, SExplication & X)
    {
        const char Attendu = C.CaractereAttendu ();
        if (Attendu != ')' && Attendu != ',') return false;
        if (! CommenceValeur (C, C.AuArret) || ! FinitValeur (C, C.AvantArret)) return false;
        if (C.Ligne (C.AvantArret.Debut) != C.Ligne (C.AuArret.Debut)) return false;
        // L'appel ouvert : le mot avant la parenthese non fermee.
        const std::vector <SJeton> V = C.Lex.Jetons (C.DebutInstruction (), C.Arret);
        std::vector <std::size_t> Pile;
        for (std::size_t k = 0; k < V.size (); ++k)
        {
            if (C.MotEst (V [k], "(")) Pile.push_back (k);
            else if (C.MotEst (V [k], ")") && ! Pile.empty ()) Pile.pop_back ();
        }
        if (Pile.empty () || Pile.back () == 0) return false;
        const std::string Appel = C.Mot (V [Pile.back () - 1]);
        const SDeclaration * D = C.Visible (Appel, C.Arret);
        const bool Unite = D && (D->Nature == ENature::Procedure || D->Nature == ENature::Fonction);
        const bool Litteral = C.AvantArret.Genre == EJeton::Chaine || C.AuArret.Genre == EJeton::Chaine
                           || C.AvantArret.Genre == EJeton::Caractere || C.AuArret.Genre == EJeton::Caractere;
        if (Appel != "afficher" && ! Unite) return false;
        if (Appel != "afficher" && ! Litteral)
        {
            // Un parametre de plus doit encore etre attendu.
            std::size_t Virgules = 0;
            for (std::size_t k = Pile.back () + 1; k < V.size (); ++k) Virgules += C.MotEst (V [k], ",");
            std::size_t Attendus = 0;
            for (const SUnite & U : C.J.Unites)
                if (U.Nom == Appel) Attendus = C.NbParametres (U);
            if (Virgules + 2 > Attendus) return false;
        }
        const SRetouche R { C.AvantArret.Fin (), 0, "," };
        X.Placer (C.AvantArret.Fin (), 0);
        X.Cause = "il manque une virgule entre " + Citer (C.Mot (C.AvantArret)) + " et " + Citer (C.Mot (C.AuArret));
        X.Proposer (R, "les paramètres " + std::string (Appel == "afficher" ? "d'afficher" : "d'un appel")
                    + " se séparent par des virgules : « " + Retouchee (C, C.DebutInstruction (), FinAvecPointVirgule (C), R) + " »");
        return true;
    }

    // x <- 1,5; : virgule decimale.
    bool VirguleDecimale (const CContexte & C, SExplication & X)
    {
        if (! C.MotEst (C.AuArret, ",") || C.AvantArret.Genre != EJeton::Nombre || C.AvantArret.Fin () != C.AuArret.Debut)
            return false;
        const SJeton Suite = C.Lex.Suivant (C.AuArret.Fin ());
        if (Suite.Genre != EJeton::Nombre || Suite.Debut != C.AuArret.Fin ()) return false;
        const std::string Ecrit = C.Mot (C.AvantArret) + "," + C.Mot (Suite), Juste = C.Mot (C.AvantArret) + "." + C.Mot (Suite);
        X.Placer (C.AuArret);
        X.Cause = "virgule décimale : " + Citer (Ecrit) + " s'écrit " + Citer (Juste);
        X.Proposer ({ C.AuArret.Debut, 1, "." }, "un nombre décimal s'écrit avec un point : " + Citer (Juste) + " au lieu de "
                    + Citer (Ecrit) + " (la virgule sépare des paramètres)");
        return true;
    }

    // nb-eleves : un tiret dans un nom.
    bool TiretDansNom (const CContexte & C, SExplication & X)
    {
        // Le nom coupe par le tiret : a l'arret (declaration) ou nom inconnu (emploi).
        SJeton Premier;
        if (C.MotEst (C.AuArret, "-") && C.AvantArret.Genre == EJeton::Mot && C.AvantArret.Fin () == C.AuArret.Debut)
            Premier = C.AvantArret;
        else
        {
            const SJeton N = C.NomFautif ();
            if (N.Genre != EJeton::Mot) return false;
            Premier = N;
        }
        std::string Joint = C.Mot (Premier);
        std::size_t Fin = Premier.Fin ();
        bool Tiret = false;
        for (;;)
        {
            const SJeton T = C.Lex.Suivant (Fin);
            if (! C.MotEst (T, "-") || T.Debut != Fin) break;
            const SJeton Suite = C.Lex.Suivant (T.Fin ());
            if (Suite.Genre != EJeton::Mot || Suite.Debut != T.Fin () || IsIdentReserve (C.Mot (Suite))) break;
            Joint += "_" + C.Mot (Suite);
            Fin = Suite.Fin ();
            Tiret = true;
        }
        if (! Tiret || Premier.NonAscii) return false;
        const std::string Ecrit = C.Texte.substr (Premier.Debut, Fin - Premier.Debut);
        // Une declaration (declarer, parametre), ou un emploi dont le nom a tiret bas existe.
        const bool Declaration = C.CaractereAttendu () == ':' || C.MessageEst (EMsg::NatureParametre);
        const SDeclaration * D = C.Visible (Joint, C.Arret);
        if (! Declaration && ! D) return false;
        X.Placer (Premier.Debut, Fin - Premier.Debut);
        X.Cause = Citer (Ecrit) + " : un nom ne contient pas de tiret";
        const SRetouche R { Premier.Debut, Fin - Premier.Debut, Joint };
        X.Proposer (R, "écrivez " + Citer (Joint) + ", avec des tirets bas : le tiret « - » est le signe moins, "
                    + Citer (Ecrit) + " se lit comme une soustraction" + (Declaration ? " ; corrigez aussi chaque emploi du nom" : ""));
        if (D) X.Note (Citer (Joint) + " est " + NomNature (D->Nature) + " déclarée " + TexteLigne (C.Ligne (D->Decalage)));
        return true;
    }

    // procedure P (x : in entier; y : in entier) : les parametres se separent par des virgules.
    bool PointVirguleEntreParametres (const CContexte & C, SExplication & X)
    {
        const char Attendu = C.CaractereAttendu ();
        if ((Attendu != ')' && Attendu != ',') || ! C.MotEst (C.AuArret, ";")) return false;
        // Apres le ; : « nom : » (un parametre formel).
        const SJeton Nom = C.Lex.Suivant (C.AuArret.Fin ()), DeuxPoints = C.Lex.Suivant (Nom.Fin ());
        if (Nom.Genre != EJeton::Mot || ! C.MotEst (DeuxPoints, ":")) return false;
        if (C.Instruction) return false;   // dans un en-tete, aucune instruction n'est commencee
        X.Placer (C.AuArret);
        X.Cause = "les paramètres se séparent par des virgules, pas par « ; »";
        const SRetouche R { C.AuArret.Debut, 1, "," };
        X.Proposer (R, "remplacez « ; » par « , » : « " + Retouchee (C, C.Lex.DebutLigne (C.Ligne (C.Arret)),
                                                                    C.Lex.FinLigne (C.Ligne (C.Arret)), R) + " »");
        return true;
    }

    // reponse <- "o" pour un caractere, s <- 'bonjour' pour une chaine.
    bool LitteralDuMauvaisType (const CContexte & C, SExplication & X)
    {
        const SJeton & L = C.AuArret;
        if (L.Genre != EJeton::Chaine && L.Genre != EJeton::Caractere) return false;
        if (! L.Ferme) return false;
        // La variable a qui la valeur est donnee ou comparee : la cible de l'affectation, ou le nom
        // avant le comparateur.
        SJeton Cible;
        const SJeton Op = C.AvantArret;
        if (C.MotEst (Op, "<-") || IsComparateur (C, Op)) Cible = C.Lex.Precedent (Op.Debut);
        if (Cible.Genre != EJeton::Mot) return false;
        const SDeclaration * D = C.Visible (C.Mot (Cible), C.Arret);
        if (! D) return false;
        const std::string T = C.Mot (L), Contenu = T.size () >= 2 ? T.substr (1, T.size () - 2) : "";
        const std::string N = Utf8Valide (C.Mot (Cible));
        X.Placer (L);
        if (D->Type == TCaractere && L.Genre == EJeton::Chaine)
        {
            X.Cause = Citer (N) + " est un caractere, et " + Citer (Utf8Valide (T)) + " une chaîne";
            if (Contenu.size () == 1 || (Contenu.size () == 2 && Contenu [0] == '\\'))
                X.Proposer ({ L.Debut, L.Longueur, "'" + Contenu + "'" },
                            "un caractère s'écrit entre apostrophes : " + Citer ("'" + Contenu + "'")
                            + " ; les guillemets sont pour les chaînes (string)");
            else
                X.Constat (Citer (N) + " ne contient qu'un caractère, écrit entre apostrophes ('o') ; pour un texte, "
                           "déclarez " + Citer (N) + " de type string");
        }
        else if (D->Type == TString && L.Genre == EJeton::Caractere)
        {
            X.Cause = "une chaîne s'écrit entre guillemets : " + Citer (Utf8Valide (T)) + " n'est pas un caractère";
            X.Proposer ({ L.Debut, L.Longueur, "\"" + Contenu + "\"" },
                        "écrivez " + Citer (Utf8Valide ("\"" + Contenu + "\"")) + " : les apostrophes n'entourent qu'un seul caractère");
        }
        else return false;
        X.Note (Citer (N) + " est " + NomNature (D->Nature) + " déclarée " + TexteLigne (C.Ligne (D->Decalage))
                + " de type " + NomType (D->Type));
        return true;
    }

    // afficher (Bonjour) : un texte sans guillemets.
    bool TexteSansGuillemets (const CContexte & C, SExplication & X)
    {
        if (! C.Instruction) return false;
        const SJeton Nom = C.NomFautif ();
        if (Nom.Genre != EJeton::Mot || Nom.NonAscii) return false;
        const std::string N = C.Mot (Nom);
        if (C.Visible (N, C.Arret) || C.SortieDePortee (N, C.Arret) || ! C.NomVoisin (N, C.Arret).empty ()
            || IsIdentReserve (N) || IsNomCpp (N))
            return false;
        // Le texte : les mots qui se suivent jusqu'a la virgule ou la parenthese d'afficher, ou,
        // rangés dans une variable string (s <- Bonjour;), jusqu'au ; ou a un +.
        const SJeton Avant = C.Lex.Precedent (Nom.Debut);
        std::string Cible;
        if (C.Mot (* C.Instruction) == "afficher")
        {
            if (! C.MotEst (Avant, "(") && ! C.MotEst (Avant, ",")) return false;
        }
        else
        {
            const SJeton V = C.Lex.Precedent (Avant.Debut);
            const SDeclaration * D = V.Genre == EJeton::Mot ? C.Visible (C.Mot (V), C.Arret) : nullptr;
            if (! C.MotEst (Avant, "<-") || ! D || ! IsTypeString (D->Type)) return false;
            Cible = C.Mot (V);
        }
        std::size_t Fin = Nom.Fin ();
        for (SJeton J = C.Lex.Suivant (Fin); J.Genre != EJeton::Fin && C.Ligne (J.Debut) == C.Ligne (Nom.Debut);
             J = C.Lex.Suivant (J.Fin ()))
        {
            if (C.MotEst (J, ")") || C.MotEst (J, ",") || C.MotEst (J, ";")) break;
            if (! Cible.empty () && C.MotEst (J, "+")) break;
            if (J.Genre == EJeton::Chaine) return false;
            Fin = J.Fin ();
        }
        const std::string Ecrit = C.Texte.substr (Nom.Debut, Fin - Nom.Debut);
        if (Ecrit.find ('"') != std::string::npos || Ecrit.find ('\\') != std::string::npos) return false;
        // Un texte plutot qu'une variable oubliee : plusieurs mots, ou un mot qui commence par une
        // majuscule (Bonjour) ; un nom en minuscules seul reste l'affaire de nom_inconnu.
        const bool Majuscule = N.size () > 1 && N [0] >= 'A' && N [0] <= 'Z' && N [1] >= 'a' && N [1] <= 'z';
        if (Fin == Nom.Fin () && ! Majuscule) return false;
        X.Placer (Nom.Debut, Fin - Nom.Debut);
        if (Cible.empty ())
        {
            X.Cause = Citer (N) + " n'est pas déclaré : un texte à afficher s'écrit entre guillemets";
            X.Proposer ({ Nom.Debut, Fin - Nom.Debut, "\"" + Ecrit + "\"" },
                        "pour afficher le texte, écrivez-le entre guillemets : « afficher (\"" + Utf8Valide (Ecrit) + "\"); »");
            X.Note ("si " + Citer (N) + " devait être une variable, déclarez-la avant de l'utiliser (« declarer " + N + " : type; »)");
            return true;
        }
        X.Cause = Citer (N) + " n'est pas déclaré : un texte s'écrit entre guillemets";
        X.Proposer ({ Nom.Debut, Fin - Nom.Debut, "\"" + Ecrit + "\"" },
                    "pour ranger ce texte dans « " + Cible + " », écrivez-le entre guillemets : « " + Cible + " <- \""
                    + Utf8Valide (Ecrit) + "\"; »");
        X.Note ("si " + Citer (N) + " devait être une variable, déclarez-la avant de l'utiliser (« declarer " + N + " : string; »)");
        return true;
    }

    // Un texte sans guillemets dont la lecture s'est arretee sur un mot accentue : le texte passe
    // avant le conseil d'ecrire les noms sans accent.
    bool TexteAccentueSansGuillemets (const CContexte & C, SExplication & X)
    {
        return C.AuArret.NonAscii && TexteSansGuillemets (C, X);
    }

    // true, false, True, VRAI... : les booleens s'ecrivent vrai et faux.
    bool BooleenEtranger (const CContexte & C, SExplication & X)
    {
        const SJeton Nom = C.NomFautif ().Genre == EJeton::Mot ? C.NomFautif () : C.AuArret;
        if (Nom.Genre != EJeton::Mot) return false;
        const std::string N = C.Mot (Nom), M = Minuscules (N);
        std::string Juste;
        if (M == "true" || M == "vrai") Juste = "vrai";
        else if (M == "false" || M == "faux") Juste = "faux";
        else return false;
        if (N == Juste || C.Visible (N, C.Arret)) return false;
        X.Placer (Nom);
        X.Cause = Citer (N) + " n'est pas une valeur du langage : les booléens s'écrivent « vrai » et « faux »";
        X.Proposer ({ Nom.Debut, Nom.Longueur, Juste }, "écrivez " + Citer (Juste) + " au lieu de " + Citer (N));
        return true;
    }

    // repeter ... tant_que (c) : la boucle repeter se termine par jusqua, avec la condition contraire.
    bool RepeterTantQue (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::MotCleAttendu) || C.E.Attendu != "faire" || ! C.Instruction) return false;
        if (C.Mot (* C.Instruction) != "tant_que" || ! C.Bloc || C.Bloc->FinAttendue != "jusqua") return false;
        const SJeton TantQue = C.MotInstruction ();
        const SJeton Ouvrante = C.Lex.Suivant (TantQue.Fin ());
        if (! C.MotEst (Ouvrante, "(")) return false;
        // La condition, jusqu'a la parenthese qui ferme.
        const std::vector <SJeton> V = C.Lex.Jetons (Ouvrante.Fin (), C.Arret);
        int Profondeur = 0;
        std::size_t Fermante = V.size ();
        for (std::size_t k = 0; k < V.size (); ++k)
        {
            if (C.MotEst (V [k], "(")) ++Profondeur;
            else if (C.MotEst (V [k], ")") && Profondeur-- == 0)
            {
                Fermante = k;
                break;
            }
        }
        if (Fermante == V.size () || Fermante == 0) return false;
        const std::string Condition = Texte (C, V, 0, Fermante);
        // La condition contraire : le comparateur inverse d'une comparaison simple, sinon NON (…).
        std::string Contre;
        std::size_t NbComp = 0, Comp = 0;
        bool Connecte = false;
        for (std::size_t k = 0; k < Fermante; ++k)
        {
            if (IsComparateur (C, V [k])) { ++NbComp; Comp = k; }
            Connecte = Connecte || IsConnecteur (C, V [k]) || C.MotEst (V [k], "NON");
        }
        if (NbComp == 1 && ! Connecte && ! Contraire (C.Mot (V [Comp])).empty ())
            Contre = Texte (C, V, 0, Comp) + " " + Contraire (C.Mot (V [Comp])) + " " + Texte (C, V, Comp + 1, Fermante);
        else Contre = "NON (" + Condition + ")";
        const SRetouche R { TantQue.Debut, V [Fermante].Fin () - TantQue.Debut, "jusqua (" + Contre + ")" };
        X.Placer (TantQue.Debut, V [Fermante].Fin () - TantQue.Debut);
        X.Cause = "une boucle repeter se termine par « jusqua (condition) », pas par tant_que";
        X.Proposer (R, "la condition de jusqua dit quand s'arrêter, le contraire de celle de tant_que : écrivez « jusqua ("
                    + Contre + ") » au lieu de « tant_que (" + Condition + ") »");
        X.Note ("la boucle repeter est ouverte " + TexteLigne (C.Ligne (C.Bloc->Ouvrant.Decalage)));
        return true;
    }

    // si … fsi sinon … fsi : un fsi de trop ferme le si avant sa branche sinon.
    bool FsiAvantSinon (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::AttenteVariable) || ! C.Instruction) return false;
        const std::string M = C.Mot (* C.Instruction);
        if (M != "sinon" && M != "sinon_si") return false;
        const SJeton Fsi = C.Lex.Precedent (C.Instruction->Decalage);
        if (! C.MotEst (Fsi, "fsi")) return false;
        // Le si que ce fsi ferme.
        const SInstr * Si = nullptr;
        for (const SInstr & I : C.J.Instrs)
            if (I.Genre == EInstr::Si && ! (I.Drapeaux & InstrIncomplete) && I.Plage.Fin () == Fsi.Fin ()) Si = & I;
        if (! Si) return false;
        const bool AvecSinon = Si->NbSuites > Si->NbExprs;
        X.Placer (Fsi);
        X.Cause = Citer (M) + " après « fsi » : le si de la " + TexteLigne (C.Ligne (Si->Plage.Debut)) + " est déjà fermé";
        if (AvecSinon)
        {
            X.Constat ("le si de la " + TexteLigne (C.Ligne (Si->Plage.Debut)) + " a déjà sa branche sinon : un si n'a qu'un sinon, "
                       "le dernier ; réunissez les instructions dans cette branche");
            return true;
        }
        X.Proposer ({ Fsi.Debut, Fsi.Longueur, "" },
                    "supprimez ce « fsi » de la " + TexteLigne (C.Ligne (Fsi.Debut)) + " : un si se ferme par un seul fsi, après sa "
                    "dernière branche (« si … " + M + " … fsi »)");
        return true;
    }

    // Une procedure ou une fonction ecrite dans le corps d'une autre unite (indentee dedans).
    bool UniteDansUnCorps (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::AttenteVariable) || ! C.Unite || C.Unite->Corps == Aucun) return false;
        const SJeton Mot = C.MotInstruction ();
        const std::string M = C.Mot (Mot);
        if (M != "procedure" && M != "fonction") return false;
        const std::size_t LigneMot = C.Ligne (Mot.Debut), LigneUnite = C.Ligne (C.Unite->Debut);
        const std::size_t Retrait = C.Lex.Indentation (LigneMot);
        if (Retrait <= C.Lex.Indentation (LigneUnite)) return false;
        // La fin de l'unite imbriquee : la ligne « fin » au meme retrait.
        std::size_t LigneFin = 0;
        for (std::size_t l = LigneMot + 1; l <= C.Lex.NbLignes () && l < LigneMot + 2000; ++l)
        {
            if (C.Lex.LigneBlanche (l) || C.Lex.Indentation (l) != Retrait) continue;
            const SJeton P = C.Lex.Suivant (C.Lex.DebutLigne (l));
            if (C.MotEst (P, "fin")) { LigneFin = l; break; }
            if (! C.MotEst (P, "debut")) break;
        }
        const SJeton Nom = C.Lex.Suivant (Mot.Fin ());
        const std::string N = Nom.Genre == EJeton::Mot ? Utf8Valide (C.Mot (Nom)) : "…";
        const std::string Englobante = (C.Unite->Nature == ENature::Algorithme ? "l'algorithme "
                                        : C.Unite->Nature == ENature::Procedure ? "la procédure " : "la fonction ")
                                     + Citer (Utf8Valide (C.Unite->Nom));
        X.Placer (Mot);
        X.Cause = "une " + M + " ne s'écrit pas dans le corps d'une autre unité";
        const std::string Ou = LigneFin ? " (lignes " + std::to_string (LigneMot) + " à " + std::to_string (LigneFin) + ")" : "";
        const std::string Deplacer = "déplacez « " + M + " " + N + " … fin »" + Ou + " avant " + Englobante
                                   + " : les procédures et les fonctions s'écrivent l'une après l'autre, avant l'algorithme, "
                                     "qui les appelle";
        if (LigneFin)
        {
            // Le deplacement, d'un seul tenant : l'unite imbriquee passe avant l'en-tete englobant.
            const std::size_t DebutUnite = C.Lex.DebutLigne (LigneUnite), DebutImbrique = C.Lex.DebutLigne (LigneMot);
            const std::size_t FinImbrique = C.Lex.FinLigne (LigneFin) + 1;
            std::string Imbrique;
            for (std::size_t l = LigneMot; l <= LigneFin; ++l)
            {
                const std::size_t D = C.Lex.DebutLigne (l), F = C.Lex.FinLigne (l);
                const std::size_t Retire = C.Lex.LigneBlanche (l) ? F - D : std::min (Retrait, C.Lex.Indentation (l));
                Imbrique += C.Texte.substr (D + Retire, F - D - Retire) + "\n";
            }
            X.Proposer ({ DebutUnite, FinImbrique - DebutUnite, Imbrique + "\n" + C.Texte.substr (DebutUnite, DebutImbrique - DebutUnite) },
                        Deplacer);
        }
        X.Constat ("une " + M + " s'écrit avant l'algorithme, jamais dans le corps d'une unité ; "
                   + Deplacer.substr (0, Deplacer.find (" :")));
        return true;
    }

    // Deux algorithmes dans un fichier.
    bool DeuxAlgorithmes (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::CodeApresFin) || ! C.MotEst (C.AuArret, "algorithme")) return false;
        const SUnite * Premier = nullptr;
        for (const SUnite & U : C.J.Unites)
            if (U.Nature == ENature::Algorithme) Premier = & U;
        if (! Premier) return false;
        const SJeton Nom = C.Lex.Suivant (C.AuArret.Fin ());
        const std::string N = Nom.Genre == EJeton::Mot ? Utf8Valide (C.Mot (Nom)) : "…";
        X.Placer (C.AuArret);
        X.Cause = "un fichier ne contient qu'un algorithme : " + Citer (Utf8Valide (Premier->Nom)) + " ("
                + TexteLigne (C.Ligne (Premier->Debut)) + ") en est déjà un";
        X.Aide ("si " + Citer (N) + " est un autre programme, mettez-le dans son propre fichier ; si c'est une partie de "
                + Citer (Utf8Valide (Premier->Nom)) + ", écrivez-le comme une procédure (« procedure " + N
                + " … fin ») placée avant « algorithme " + Utf8Valide (Premier->Nom) + " », qui l'appelle par « " + N + "; »");
        return true;
    }

    // total : entier dans un en-tete : le mode de passage manque (ou est mal ecrit).
    bool ModeDePassage (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::NatureParametre)) return false;
        const std::string N = C.MotDuMessage ();
        // Le nom du parametre, puis « : », puis ce qui est ecrit a la place du mode.
        SJeton Nom;
        for (const SJeton & J : C.Lex.Jetons (C.Lex.DebutLigne (C.Ligne (C.Arret)), C.Arret + 1))
            if (J.Genre == EJeton::Mot && C.Mot (J) == N) Nom = J;
        if (Nom.Genre != EJeton::Mot) return false;
        const SJeton DeuxPoints = C.Lex.Suivant (Nom.Fin ());
        if (! C.MotEst (DeuxPoints, ":")) return false;
        const SJeton Apres = C.Lex.Suivant (DeuxPoints.Fin ());
        if (Apres.Genre != EJeton::Mot) return false;
        const std::string A = C.Mot (Apres), Min = Minuscules (SansAccents (A));
        std::string Mode;
        if (Min == "in" || Min == "entree" || Min == "e" || Min == "donnee") Mode = "in";
        else if (Min == "out" || Min == "sortie" || Min == "s" || Min == "resultat") Mode = "out";
        else if (Min == "inout" || Min == "in_out" || Min == "entree_sortie" || Min == "es" || Min == "var") Mode = "in_out";
        X.Placer (Nom);
        X.Cause = "le mode de passage du paramètre " + Citer (N) + " manque";
        if (! Mode.empty ())
        {
            const SJeton Type = C.Lex.Suivant (Apres.Fin ());
            X.Cause = "le mode de passage du paramètre " + Citer (N) + " est mal écrit : " + Citer (A);
            X.Proposer ({ Apres.Debut, Apres.Longueur, Mode }, "écrivez « " + N + " : " + Mode + " " + Utf8Valide (C.Mot (Type))
                        + " » : les modes s'écrivent in, out ou in_out, en minuscules");
            return true;
        }
        const std::string Type = Utf8Valide (A);
        X.Proposer ({ Apres.Debut, 0, "in " }, "précisez comment " + Citer (N) + " est passé : « " + N + " : in " + Type
                    + " » s'il est une donnée, « " + N + " : out " + Type + " » s'il est un résultat, « " + N + " : in_out " + Type
                    + " » s'il est les deux");
        return true;
    }

    // declarer largeur, hauteur : entier; : une variable par declarer.
    bool PlusieursNomsDeclares (const CContexte & C, SExplication & X)
    {
        if (C.CaractereAttendu () != ':' || ! C.MotEst (C.AuArret, ",") || ! C.Instruction
            || C.Mot (* C.Instruction) != "declarer")
            return false;
        const std::size_t Debut = C.Instruction->Decalage;
        const std::size_t Fin = C.Texte.find (';', C.Arret);
        if (Fin == std::string::npos || C.Ligne (Fin) != C.Ligne (C.Arret)) return false;
        const std::vector <SJeton> V = C.Lex.Jetons (Debut, Fin);
        std::vector <std::string> Noms;
        std::size_t k = 1;
        for (; k < V.size (); ++k)
        {
            if (V [k].Genre == EJeton::Mot) Noms.push_back (Utf8Valide (C.Mot (V [k])));
            else if (! C.MotEst (V [k], ",")) break;
        }
        if (k >= V.size () || ! C.MotEst (V [k], ":") || Noms.size () < 2) return false;
        const std::string Type = Texte (C, V, k + 1, V.size ());
        if (Type.empty ()) return false;
        const std::string Retrait (C.Lex.Indentation (C.Ligne (Debut)), ' ');
        std::string Juste, Cite;
        for (const std::string & N : Noms)
        {
            Juste += (Juste.empty () ? "" : "\n" + Retrait) + "declarer " + N + " : " + Type + ";";
            Cite += (Cite.empty () ? "" : " puis ") + Citer ("declarer " + N + " : " + Type + ";");
        }
        X.Placer (C.AuArret);
        X.Cause = "une déclaration ne déclare qu'une variable";
        X.Proposer ({ Debut, Fin + 1 - Debut, Juste }, "écrivez une déclaration par variable : " + Cite);
        return true;
    }
}

namespace nsTramelo::nsRegles
{
    // pour (i = 1 a 10), pour (i de 1 a 10), pour (i <- 1 a 10) : variant_de.
    bool PourSansVariantDe (const CContexte & C, SExplication & X)
    {
        if (! C.Instruction || C.Mot (* C.Instruction) != "pour") return false;
        const SJeton Pour = C.MotInstruction ();
        const SJeton Ouvrante = C.Lex.Suivant (Pour.Fin ()), Var = C.Lex.Suivant (Ouvrante.Fin ());
        const SJeton Mot = C.Lex.Suivant (Var.Fin ());
        if (! C.MotEst (Ouvrante, "(") || Var.Genre != EJeton::Mot || Mot.Debut > C.Arret + 1) return false;
        const std::string M = Minuscules (C.Mot (Mot));
        if (M != "=" && M != ":=" && M != "<-" && M != "de" && M != "allant_de" && M != "variant" && M != "from"
            && M != "varie_de" && M != "variantde" && M != ":")
            return false;
        X.Placer (Mot);
        X.Cause = "la variable d'une boucle pour est suivie de « variant_de », pas de " + Citer (C.Mot (Mot));
        const std::string Texte = "écrivez « pour (" + Utf8Valide (C.Mot (Var)) + " variant_de … a …) » : « variant_de » "
                                  "donne la première valeur, « a » la dernière";
        X.Proposer ({ Mot.Debut, Mot.Longueur, " variant_de " }, Texte);
        X.Constat (Texte);
        return true;
    }

    // longueur (s), sqrt (x), random (10), s.taille : des fonctions d'autres langages.
    bool FonctionEtrangere (const CContexte & C, SExplication & X)
    {
        // Le nom : inconnu et suivi de « ( », ou apres un point (s.taille).
        SJeton Nom = C.NomFautif ();
        SJeton Objet;
        if (Nom.Genre == EJeton::Mot && C.MotEst (C.Lex.Suivant (Nom.Fin ()), ".") && C.Visible (C.Mot (Nom), C.Arret))
        {
            Objet = Nom;
            Nom = C.Lex.Suivant (C.Lex.Suivant (Nom.Fin ()).Fin ());
        }
        else if (C.MotEst (C.AuArret, ".") && C.AvantArret.Genre == EJeton::Mot)
        {
            Objet = C.AvantArret;
            Nom = C.Lex.Suivant (C.AuArret.Fin ());
        }
        if (Nom.Genre != EJeton::Mot || C.Visible (C.Mot (Nom), C.Arret)) return false;
        const std::string N = C.Mot (Nom), M = Minuscules (SansAccents (N));
        const SJeton Ouvrante = C.Lex.Suivant (Nom.Fin ());
        if (Objet.Genre != EJeton::Mot && ! C.MotEst (Ouvrante, "(")) return false;
        std::string Juste, Constat;
        if (M == "longueur" || M == "length" || M == "len" || M == "size" || M == "strlen" || M == "long" || M == "nb_elements"
            || M == "taille")
            Juste = "taille";
        else if (M == "random" || M == "rand" || M == "alea" || M == "hasard" || M == "aleatoire" || M == "randint")
            Juste = "Rand";
        else if (M == "sqrt" || M == "racine" || M == "racine_carree" || M == "rac")
            Constat = "le langage n'a pas de racine carrée : écrivez-la dans une fonction (« fonction Racine (x : in reel) renvoie "
                      "reel »), par exemple par la méthode de Newton";
        else if (M == "abs" || M == "valeur_absolue" || M == "valabs" || M == "fabs")
            Constat = "le langage n'a pas de valeur absolue : écrivez « si (x < 0) x <- -x; fsi », ou une fonction "
                      "« ValeurAbsolue (x : in entier) renvoie entier »";
        else if (M == "pow" || M == "puissance" || M == "exp")
            Constat = "le langage n'a pas de puissance : multipliez dans une boucle, ou écrivez une fonction « Puissance (x : in reel, "
                      "n : in entier) renvoie reel »";
        else if (M == "round" || M == "arrondi" || M == "floor" || M == "ent" || M == "partie_entiere" || M == "trunc" || M == "int")
            Constat = "le langage n'a pas de fonction d'arrondi : ranger un reel dans une variable entier garde sa partie entière "
                      "(n <- x;), et n <- x + 0.5; arrondit un nombre positif";
        else if (M == "max" || M == "min" || M == "maximum" || M == "minimum")
            Constat = "le langage n'a pas de fonction " + M + " : comparez avec un si, ou écrivez la fonction (« fonction "
                      + (M [1] == 'a' ? std::string ("Max") : std::string ("Min")) + " (p : in entier, q : in entier) renvoie entier »)";
        else return false;
        X.Placer (Objet.Genre == EJeton::Mot ? Objet.Debut : Nom.Debut,
                  (Objet.Genre == EJeton::Mot ? Nom.Fin () - Objet.Debut : Nom.Longueur));
        X.Cause = Citer (N) + " n'est pas une fonction du langage";
        if (! Constat.empty ())
        {
            X.Aide (Constat);
            return true;
        }
        if (Objet.Genre == EJeton::Mot)
        {
            // s.taille, s.length () : la fonction prend le nom entre parenthèses.
            X.Cause = Citer (C.Mot (Objet) + "." + N) + " ne s'écrit pas ainsi : une fonction prend son paramètre entre "
                      "parenthèses";
            std::size_t Fin = Nom.Fin ();
            const SJeton P1 = C.Lex.Suivant (Fin);
            if (C.MotEst (P1, "(") && C.MotEst (C.Lex.Suivant (P1.Fin ()), ")")) Fin = C.Lex.Suivant (P1.Fin ()).Fin ();
            const std::string Appel = Juste + " (" + Utf8Valide (C.Mot (Objet)) + ")";
            X.Proposer ({ Objet.Debut, Fin - Objet.Debut, Appel }, "écrivez " + Citer (Appel) + " : " + Juste
                        + " prend le nom entre parenthèses");
            X.Constat ("écrivez " + Citer (Appel));
            return true;
        }
        const std::string Texte = Juste == "Rand" ? "écrivez « Rand (a, b) », qui tire un entier entre a et b compris"
                                                  : "écrivez « taille (…) », qui donne le nombre d'éléments d'un tableau ou de "
                                                    "caractères d'une chaîne";
        X.Proposer ({ Nom.Debut, Nom.Longueur, Juste }, Texte);
        X.Constat (Texte);
        return true;
    }

    // tableau_de entier [10], tableau_de entier 10 : la taille vient avant le type des elements.
    bool TailleApresLeType (const CContexte & C, SExplication & X)
    {
        if (! C.Instruction || C.Mot (* C.Instruction) != "declarer") return false;
        SJeton Tab;
        for (const SJeton & J : C.Lex.Jetons (C.Instruction->Decalage, C.Arret))
            if (C.MotEst (J, "tableau_de") || C.MotEst (J, "string_de")) Tab = J;
        if (Tab.Genre != EJeton::Mot || ! C.MotEst (Tab, "tableau_de")) return false;
        const SJeton Type = C.Lex.Suivant (Tab.Fin ());
        if (! IsTypeSimple (C.Mot (Type))) return false;
        SJeton Taille = C.Lex.Suivant (Type.Fin ());
        std::size_t Fin = Taille.Fin ();
        if (C.MotEst (Taille, "["))
        {
            const SJeton N = C.Lex.Suivant (Taille.Fin ()), Fermant = C.Lex.Suivant (N.Fin ());
            if (! C.MotEst (Fermant, "]")) return false;
            Taille = N;
            Fin = Fermant.Fin ();
        }
        if (Taille.Genre != EJeton::Nombre && ! (Taille.Genre == EJeton::Mot && C.Visible (C.Mot (Taille), C.Arret))) return false;
        const std::string Juste = "tableau_de " + C.Mot (Taille) + " " + C.Mot (Type);
        X.Placer (Tab.Debut, Fin - Tab.Debut);
        X.Cause = "la taille d'un tableau s'écrit avant le type de ses éléments";
        const std::string Texte = "écrivez " + Citer (Juste) + " au lieu de " + Citer (TexteDe (C, Tab.Debut, Fin));
        X.Proposer ({ Tab.Debut, Fin - Tab.Debut, Juste }, Texte);
        X.Constat (Texte);
        return true;
    }
}

namespace nsTramelo::nsRegles
{
    // si (x > 0) { … } : les accolades n'existent pas.
    bool Accolades (const CContexte & C, SExplication & X)
    {
        if (! C.MotEst (C.AuArret, "{") && ! C.MotEst (C.AuArret, "}")) return false;
        X.Placer (C.AuArret);
        X.Cause = "les accolades n'existent pas dans le langage";
        const std::string Fin = C.Bloc && C.Bloc->FinAttendue != "fin" ? Citer (C.Bloc->FinAttendue) : std::string ("son mot de fin");
        X.Proposer ({ C.AuArret.Debut, C.AuArret.Longueur, "" },
                    "supprimez " + Citer (C.Mot (C.AuArret)) + " : un bloc n'a pas d'accolades, il se termine par son mot de fin "
                    "(fsi pour un si, ffaire pour une boucle)");
        X.Constat ("un bloc n'a pas d'accolades : il commence après sa condition et se termine par " + Fin);
        return true;
    }

    // x <- saisir (); ou x <- lire () : saisir est une instruction, elle range la valeur lue.
    bool SaisirCommeFonction (const CContexte & C, SExplication & X)
    {
        if (! C.Instruction) return false;
        const SJeton Cible = C.MotInstruction ();
        const SJeton Fleche = C.Lex.Suivant (Cible.Fin ()), Mot = C.Lex.Suivant (Fleche.Fin ());
        if (Cible.Genre != EJeton::Mot || ! C.MotEst (Fleche, "<-") || Mot.Genre != EJeton::Mot) return false;
        const std::string M = Minuscules (SansAccents (C.Mot (Mot)));
        if (M != "saisir" && M != "lire" && M != "saisie" && M != "input" && M != "read") return false;
        if (C.Arret < Mot.Debut) return false;
        // Jusqu'a la fin de l'appel : la parenthese fermante, puis le ;.
        std::size_t Fin = Mot.Fin ();
        SJeton J = C.Lex.Suivant (Fin);
        if (C.MotEst (J, "("))
        {
            int Profondeur = 0;
            for (; J.Genre != EJeton::Fin && C.Ligne (J.Debut) == C.Ligne (Mot.Debut); J = C.Lex.Suivant (J.Fin ()))
            {
                if (C.MotEst (J, "(")) ++Profondeur;
                else if (C.MotEst (J, ")") && --Profondeur == 0) { Fin = J.Fin (); break; }
            }
        }
        const std::string N = Utf8Valide (C.Mot (Cible));
        X.Placer (Mot);
        X.Cause = "saisir est une instruction, pas une fonction : elle ne se place pas à droite de « <- »";
        const std::string Texte = "écrivez « saisir (" + N + "); » : saisir range elle-même la valeur lue dans " + Citer (N);
        X.Proposer ({ Cible.Debut, Fin - Cible.Debut, "saisir (" + N + ")" }, Texte);
        X.Constat (Texte);
        return true;
    }
}
