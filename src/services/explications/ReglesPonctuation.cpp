// Regles de ponctuation, de mots-cles oublies et de types : ; oublie, () apres une procedure sans
// parametre, message dans saisir, condition sans parentheses, nombre de parametres, faire ou
// renvoie oublies, chaine donnee pour un nombre, nombre ajoute a une chaine, tableau entier.
#include "services/explications/Explication.h"

#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"

using nsUtil::EMsg;

namespace nsTramelo::nsRegles
{
    namespace
    {
        bool SurLigneSuivante (const CContexte & C)
        {
            return C.AvantArret.Genre != EJeton::Fin
                && (C.AuArret.Genre == EJeton::Fin || C.Ligne (C.AuArret.Debut) > C.Ligne (C.AvantArret.Fin () - 1));
        }

        // La parenthese ouvrante non fermee qui precede l'arret, dans l'instruction : le mot avant elle.
        SJeton AppelOuvert (const CContexte & C, std::size_t & NbVirgules)
        {
            const std::size_t Debut = C.Instruction ? C.Instruction->Decalage : C.Lex.DebutLigne (C.Ligne (C.Arret));
            const std::vector <SJeton> V = C.Lex.Jetons (Debut, C.Arret);
            std::vector <std::size_t> Pile;
            std::vector <std::size_t> Virgules;
            for (std::size_t k = 0; k < V.size (); ++k)
            {
                if (C.MotEst (V [k], "("))
                {
                    Pile.push_back (k);
                    Virgules.push_back (0);
                }
                else if (C.MotEst (V [k], ")") && ! Pile.empty ())
                {
                    Pile.pop_back ();
                    Virgules.pop_back ();
                }
                else if (C.MotEst (V [k], ",") && ! Virgules.empty ()) ++Virgules.back ();
            }
            if (Pile.empty () || Pile.back () == 0) return {};
            NbVirgules = Virgules.back ();
            return V [Pile.back () - 1];
        }
    }

    // Bonjour (); ou ligne_suivante (); : pas de parentheses sans parametre.
    bool ParenthesesSansParametre (const CContexte & C, SExplication & X)
    {
        if (C.CaractereAttendu () != ';' || ! C.MotEst (C.AuArret, "(")) return false;
        const SJeton Nom = C.AvantArret;
        if (Nom.Genre != EJeton::Mot) return false;
        const std::string N = C.Mot (Nom);
        const SDeclaration * D = C.Visible (N, C.Arret);
        const bool Procedure = D && (D->Nature == ENature::Procedure);
        if (! Procedure && N != "ligne_suivante") return false;
        SJeton Fin = C.Lex.Suivant (C.AuArret.Fin ());
        while (Fin.Genre != EJeton::Fin && ! C.MotEst (Fin, ")") && ! C.MotEst (Fin, ";")) Fin = C.Lex.Suivant (Fin.Fin ());
        X.Placer (C.AuArret.Debut, (C.MotEst (Fin, ")") ? Fin.Fin () : C.AuArret.Fin ()) - C.AuArret.Debut);
        X.Aide (Citer (N) + " n'a pas de paramètre : on l'appelle sans parenthèses, « " + N + "; »");
        return true;
    }

    // saisir ("message", x) : saisir ne lit que des variables.
    bool MessageDansSaisir (const CContexte & C, SExplication & X)
    {
        if (! C.Instruction || C.Mot (* C.Instruction) != "saisir") return false;
        if (C.AuArret.Genre == EJeton::Chaine || C.AuArret.Genre == EJeton::Caractere)
        {
            X.Placer (C.AuArret);
            X.Aide ("saisir ne lit que des variables : affichez d'abord le message, « afficher (" + Utf8Valide (C.Mot (C.AuArret))
                    + "); », puis « saisir (variable); »");
            return true;
        }
        if (C.MotEst (C.AuArret, "[") && C.CaractereAttendu () != 0)
        {
            const SJeton Nom = C.AvantArret;
            X.Placer (Nom.Debut, C.AuArret.Fin () - Nom.Debut);
            X.Aide ("saisir lit une variable simple, pas un élément de tableau : saisissez dans une variable, puis "
                    "« " + Utf8Valide (C.Mot (Nom)) + "[i] <- variable; »");
            return true;
        }
        if (C.MessageEst (EMsg::DoitEtreVariable))
        {
            const std::string Nom = C.MotDuMessage ();
            const SDeclaration * D = C.Visible (Nom, C.Arret);
            if (! D) return false;
            if (C.Mot (C.AvantArret) == Nom) X.Placer (C.AvantArret);
            if (D->Nature == ENature::Parametre)
                X.Aide (Citer (Nom) + " est un paramètre : saisir ne lit que des variables déclarées par declarer ; "
                        "saisissez dans une variable locale, puis affectez-la au paramètre");
            else if (D->Nature == ENature::Tableau)
                X.Aide (Citer (Nom) + " est un tableau : saisissez chaque élément dans une variable, puis "
                        "« " + Nom + "[i] <- variable; » dans une boucle");
            else
                X.Aide (Citer (Nom) + " est " + (D->Nature == ENature::Constante ? std::string ("une constante")
                                                 : NomNature (D->Nature)) + " (" + TexteLigne (C.Ligne (D->Decalage))
                        + ") : saisir ne lit que des variables ; saisissez dans une variable déclarée par declarer");
            return true;
        }
        return false;
    }

    // si x > 0, tant_que x > 0, pour i variant_de… : parentheses obligatoires.
    bool ConditionSansParentheses (const CContexte & C, SExplication & X)
    {
        if (C.CaractereAttendu () != '(') return false;
        const std::string Avant = C.Mot (C.AvantArret);
        X.Placer (C.AuArret);
        if (Avant == "si" || Avant == "sinon_si" || Avant == "tant_que" || Avant == "jusqua")
            X.Aide ("la condition s'écrit entre parenthèses : « " + Avant + " (condition)"
                    + (Avant == "tant_que" || Avant == "jusqua" ? " faire »" : " »"));
        else if (Avant == "pour")
            X.Aide ("la boucle pour s'écrit « pour (i variant_de début a fin) faire », avec les parenthèses");
        else if (Avant == "afficher" || Avant == "saisir" || Avant == "allonger" || Avant == "redimensionner")
            X.Aide ("les paramètres de " + Avant + " s'écrivent entre parenthèses : « " + Avant + " (…); »");
        else if (IsFonction (Avant))
            X.Aide ("les paramètres de la fonction " + Avant + " s'écrivent entre parenthèses : « " + Avant + " (…) »");
        else return false;
        return true;
    }

    // Un parametre de trop ou de moins dans un appel.
    bool NombreDeParametres (const CContexte & C, SExplication & X)
    {
        const char Attendu = C.CaractereAttendu ();
        if (Attendu != ',' && Attendu != ')') return false;
        std::size_t Virgules = 0;
        const SJeton Nom = AppelOuvert (C, Virgules);
        if (Nom.Genre != EJeton::Mot) return false;
        const std::string N = C.Mot (Nom);
        const SDeclaration * D = C.Visible (N, C.Arret);
        // Les fonctions standard : Rand et modulo en prennent deux, les autres un.
        const bool Standard = ! D && IsFonction (N);
        if (! Standard && (! D || (D->Nature != ENature::Procedure && D->Nature != ENature::Fonction))) return false;
        std::size_t Attendus = Standard ? (N == "Rand" || N == "modulo" ? 2 : 1) : 0;
        for (const SUnite & U : C.J.Unites)
            if (! Standard && U.Nom == N) Attendus = C.NbParametres (U);
        const std::size_t Donnes = Virgules + 1;
        if (Attendu == ',' && C.MotEst (C.AuArret, ")"))
        {
            X.Placer (C.AuArret);
            X.Aide (Citer (N) + " attend " + std::to_string (Attendus) + " paramètres, " + std::to_string (Donnes)
                    + (Donnes == 1 ? " seul est donné" : " seulement sont donnés"));
        }
        else if (Attendu == ')' && C.MotEst (C.AuArret, ","))
        {
            X.Placer (C.AuArret);
            X.Aide (Citer (N) + " n'attend que " + std::to_string (Attendus) + " paramètre" + (Attendus > 1 ? "s" : "")
                    + " : retirez ceux qui sont en trop");
        }
        else return false;
        X.Cause = Citer (N) + " attend " + std::to_string (Attendus) + " paramètre" + (Attendus > 1 ? "s" : "") + ", "
                + std::to_string (Donnes) + (Donnes > 1 ? " sont donnés" : " est donné");
        if (Attendu == ')' && C.MotEst (C.AuArret, ",")) X.Cause = Citer (N) + " attend " + std::to_string (Attendus)
                                                                 + " paramètre" + (Attendus > 1 ? "s" : "") + ", il y en a plus";
        if (Standard && N == "Rand") X.Note ("« Rand (a, b) » tire un entier entre a et b compris");
        else if (Standard && N == "modulo") X.Note ("« modulo (a, b) » est le reste de la division de a par b");
        else if (D) X.Note (Citer (N) + " est déclarée " + TexteLigne (C.Ligne (D->Decalage)));
        return true;
    }

    // 145 sur un appel de fonction : l'appel ne se lit pas, le plus souvent faute du bon nombre
    // de parametres.
    bool AppelDeFonction (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::PasUnTableau)) return false;
        const std::string N = C.MotDuMessage ();
        const SDeclaration * D = C.Visible (N, C.Arret);
        if (! D || D->Nature != ENature::Fonction) return false;
        const SUnite * U = nullptr;
        for (const SUnite & Un : C.J.Unites)
            if (Un.Nom == N) U = & Un;
        const std::size_t Attendus = U ? C.NbParametres (* U) : 0;
        // L'appel dans l'instruction : nom ( … ), virgules comptees au premier niveau.
        const std::size_t Debut = C.Instruction ? C.Instruction->Decalage : C.Lex.DebutLigne (C.Ligne (C.Arret));
        const std::vector <SJeton> V = C.Lex.Jetons (Debut, C.FinInstruction ());
        for (std::size_t k = 0; k < V.size (); ++k)
        {
            if (C.Mot (V [k]) != N) continue;
            X.Placer (V [k]);
            std::size_t Donnes = 0;
            if (k + 1 < V.size () && C.MotEst (V [k + 1], "("))
            {
                int Profondeur = 0;
                Donnes = 1;
                for (std::size_t m = k + 1; m < V.size (); ++m)
                {
                    if (C.MotEst (V [m], "(")) ++Profondeur;
                    else if (C.MotEst (V [m], ")") && --Profondeur == 0)
                    {
                        if (m == k + 2) Donnes = 0;
                        break;
                    }
                    else if (C.MotEst (V [m], ",") && Profondeur == 1) ++Donnes;
                }
            }
            if (Donnes != Attendus)
                X.Aide ("la fonction " + Citer (N) + " attend " + std::to_string (Attendus) + " paramètre" + (Attendus > 1 ? "s" : "")
                        + ", et cet appel en donne " + std::to_string (Donnes));
            else
                X.Aide ("l'appel de " + Citer (N) + " ne se lit pas : vérifiez le type de chaque paramètre (et que les noms "
                        "employés sont déclarés)");
            X.Note ("la fonction " + Citer (N) + " est déclarée " + TexteLigne (C.Ligne (D->Decalage)));
            return true;
        }
        return false;
    }

    // Un caractere de ponctuation oublie (; ) ] :) : a la fin de la ligne precedente s'il est
    // vu au debut d'une ligne, devant le mot trouve s'il manque un ; entre deux instructions.
    // Ailleurs, la recherche generique dit quoi retoucher (ou ce qui ne va pas).
    bool PointVirguleOublie (const CContexte & C, SExplication & X)
    {
        const char Attendu = C.CaractereAttendu ();
        if (Attendu != ';' && Attendu != ')' && Attendu != ']' && Attendu != ':') return false;
        const std::string A (1, Attendu);
        // declarer x : entier <- 5; : une variable n'a pas de valeur dans sa declaration.
        if (Attendu == ';' && C.Instruction && C.Mot (* C.Instruction) == "declarer"
            && (C.MotEst (C.AuArret, "<-") || C.MotEst (C.AuArret, "=") || C.MotEst (C.AuArret, ":=")))
        {
            const SJeton Nom = C.Lex.Suivant (C.Instruction->Decalage + C.Instruction->Longueur);
            const SJeton DeuxPoints = C.Lex.Suivant (Nom.Fin ());
            const std::string N = Utf8Valide (C.Mot (Nom));
            const std::string Type = C.MotEst (DeuxPoints, ":") ? TexteDe (C, DeuxPoints.Fin (), C.AuArret.Debut) : "type";
            const std::size_t PointVirgule = C.Texte.find (';', C.AuArret.Fin ());
            const std::string Valeur = PointVirgule != std::string::npos && C.Ligne (PointVirgule) == C.Ligne (C.Arret)
                                     ? TexteDe (C, C.AuArret.Fin (), PointVirgule) : "valeur";
            X.Placer (C.AuArret);
            X.Cause = "une variable ne reçoit pas de valeur dans sa déclaration";
            X.Proposer ({ C.AuArret.Debut, C.AuArret.Longueur, "; " + N + " <-" },
                        "déclarez-la, puis donnez-lui sa valeur par une affectation : « declarer " + N + " : " + Type
                        + "; » puis « " + N + " <- " + Valeur + "; » (pour une valeur qui ne change jamais, déclarez une constante : "
                        "« declarer " + N + " : constante " + Type + " <- " + Valeur + "; »)");
            X.Constat ("déclarez-la, puis donnez-lui sa valeur par une affectation : « " + N + " <- " + Valeur + "; »");
            return true;
        }
        if (C.AvantArret.Genre == EJeton::Fin) return false;
        const std::size_t Bout = C.AvantArret.Fin ();
        if (SurLigneSuivante (C))
        {
            const std::size_t Ligne = C.Ligne (Bout - 1);
            X.Placer (Bout, 0);
            X.Proposer ({ Bout, 0, A }, "il manque " + Citer (A) + " à la fin de la " + TexteLigne (Ligne));
            if (Attendu == ')')
                X.Proposer ({ Bout, 0, ");" }, "il manque « ); » à la fin de la " + TexteLigne (Ligne)
                            + " : la parenthèse ouverte n'est pas fermée, et l'instruction ne se termine pas par « ; »");
            if (Attendu == ';')
                X.Note ("chaque instruction se termine par « ; » ; l'oubli se voit au mot suivant, "
                        + (C.AuArret.Genre == EJeton::Fin ? std::string ("la fin du fichier")
                                                         : Citer (C.Mot (C.AuArret)) + ", " + TexteLigne (C.Ligne (C.AuArret.Debut))));
            return true;
        }
        if (C.AuArret.Genre == EJeton::Fin) return false;
        if (Attendu == ';' && C.AuArret.Genre == EJeton::Mot)
        {
            X.Placer (Bout, 0);
            X.Proposer ({ Bout, 0, ";" }, "il manque « ; » avant " + Citer (C.Mot (C.AuArret))
                        + " : chaque instruction se termine par « ; »");
            return true;
        }
        // saisir (n; : la parenthese n'est pas fermee avant la fin de l'instruction.
        if (Attendu == ')' && C.MotEst (C.AuArret, ";"))
        {
            X.Placer (C.AuArret.Debut, 0);
            std::size_t Virgules = 0;
            const SJeton Appel = AppelOuvert (C, Virgules);
            X.Proposer ({ C.AuArret.Debut, 0, ")" }, "il manque « ) » avant « ; » : la parenthèse ouverte"
                        + (Appel.Genre == EJeton::Mot ? " après " + Citer (C.Mot (Appel)) : std::string ())
                        + " n'est pas fermée");
            return true;
        }
        return false;
    }

    // 104 : mot-cle attendu, au lieu d'un autre (faire oublie, renvoie oublie, de pour variant_de...).
    bool MotCleOublie (const CContexte & C, SExplication & X)
    {
        if (C.MessageEst (EMsg::DebutAttendu) && C.MotEst (C.AuArret, ";"))
        {
            // algorithme A; : l'en-tete d'une unite ne se termine pas par ;
            X.Placer (C.AuArret);
            X.Cause = "pas de « ; » après l'en-tête d'une unité";
            X.Proposer ({ C.AuArret.Debut, C.AuArret.Longueur, "" }, "supprimez ce « ; » : l'en-tête est suivi de « debut »");
            X.Constat ("l'en-tête d'une unité est suivi de « debut », sans « ; »");
            return true;
        }
        if (C.MessageEst (EMsg::DebutAttendu))
        {
            X.Placer (C.AuArret);
            X.Aide ("le corps d'une unité commence par « debut », au lieu de " + Citer (C.Mot (C.AuArret))
                    + (C.MotEst (C.AuArret, "(") ? " : l'algorithme n'a pas de paramètres, retirez les parenthèses" : ""));
            return true;
        }
        if (! C.MessageEst (EMsg::MotCleAttendu)) return false;
        const std::string & Attendu = C.E.Attendu, & Trouve = C.E.Trouve;
        // Le mot lu (juste avant l'arret), et ce qui le precede.
        const SJeton Lu = Trouve.empty () ? C.AuArret : C.AvantArret;
        const SJeton Avant = C.Lex.Precedent (Lu.Debut);
        const bool Oubli = Avant.Genre != EJeton::Fin && Lu.Genre != EJeton::Fin
                        && C.Ligne (Lu.Debut) > C.Ligne (Avant.Fin () - 1);
        if (Attendu == "debut")
        {
            X.Placer (Lu);
            X.Aide ("le corps d'une unité commence par « debut » : ajoutez-le avant " + Citer (Trouve)
                    + " (les déclarations se placent après debut)");
            return true;
        }
        if (Attendu == "renvoie")
        {
            X.Placer (Lu);
            X.Cause = "le type du résultat d'une fonction suit le mot « renvoie »";
            const std::string Texte = "l'en-tête d'une fonction donne son type après « renvoie » : « fonction Nom (…) renvoie "
                                      "entier »" + (Trouve.empty () ? std::string (", sans « : »") : "");
            if (C.MotEst (Lu, ":")) X.Proposer ({ Lu.Debut, Lu.Longueur, "renvoie" }, Texte);
            else if (Lu.Genre == EJeton::Mot && IsType (C.Mot (Lu))) X.Proposer ({ Lu.Debut, 0, "renvoie " }, Texte);
            if (X.Propositions.empty ()) X.Aide (Texte);
            else X.Constat (Texte);
            return true;
        }
        if ((Attendu == "procedure" || Attendu == "fonction" || Attendu == "algorithme") && Lu.Genre == EJeton::Mot)
        {
            X.Placer (Lu);
            X.Aide (Citer (Trouve) + " ne commence aucune unité : le programme principal s'écrit « algorithme Nom », "
                    "les sous-programmes « procedure Nom » ou « fonction Nom »");
            return true;
        }
        if (Oubli)
        {
            X.Placer (Avant.Fin (), 0);
            const std::string Texte = "il manque " + Citer (Attendu) + " à la fin de la " + TexteLigne (C.Ligne (Avant.Fin () - 1))
                                    + (Attendu == "faire" ? " : « tant_que (condition) faire »" : "");
            X.Cause = Citer (Attendu) + " oublié à la fin de la " + TexteLigne (C.Ligne (Avant.Fin () - 1));
            X.Proposer ({ Avant.Fin (), 0, " " + Attendu }, Texte);
            X.Constat ("la ligne " + std::to_string (C.Ligne (Avant.Fin () - 1)) + " devait se terminer par " + Citer (Attendu)
                       + ", mais l'ajouter ne suffit pas : vérifiez aussi le reste de cette ligne");
            return true;
        }
        X.Placer (Lu);
        std::string Texte;
        if (Attendu == "variant_de")
            Texte = "la boucle pour s'écrit « pour (i variant_de début a fin) faire » : " + Citer (Trouve) + " doit être « variant_de »";
        else if (Attendu == "a")
            Texte = "les deux bornes d'une boucle pour sont séparées par « a » : « pour (i variant_de 1 a n) », au lieu de "
                  + Citer (Trouve);
        else if (Attendu == "faire")
            Texte = "après la condition vient « faire » : « tant_que (condition) faire », au lieu de " + Citer (Trouve);
        else
            Texte = "écrivez " + Citer (Attendu) + " à la place de " + Citer (Trouve);
        if (Lu.Genre == EJeton::Mot && C.Mot (Lu) == Trouve)
        {
            X.Cause = Citer (Attendu) + " était attendu à la place de " + Citer (Trouve);
            X.Proposer ({ Lu.Debut, Lu.Longueur, Attendu }, Texte);
            // Un mot oublie plutot que mal ecrit : inserer avant le mot trouve.
            X.Proposer ({ Lu.Debut, 0, Attendu + " " }, "il manque " + Citer (Attendu) + " avant " + Citer (Trouve));
            return true;
        }
        X.Aide (Texte);
        return true;
    }

    // "18" donne pour un nombre.
    bool ChainePourNombre (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::ExprNumerique) && ! C.MessageEst (EMsg::TypeInvalide)) return false;
        const SJeton Lit = C.AuArret.Genre == EJeton::Chaine ? C.AuArret
                         : C.MessageEst (EMsg::TypeInvalide) && C.AvantArret.Genre == EJeton::Chaine ? C.AvantArret : SJeton {};
        if (Lit.Genre != EJeton::Chaine || ! Lit.Ferme) return false;
        X.Placer (Lit);
        const std::string T = C.Mot (Lit);
        const std::string Contenu = T.substr (1, T.size () - 2);
        const bool Nombre = ! Contenu.empty () && Contenu.find_first_not_of ("0123456789.-") == std::string::npos;
        if (Nombre)
            X.Aide (Citer (T) + " est une chaîne de caractères : pour le nombre, écrivez " + Citer (Contenu) + " sans guillemets");
        else
            X.Aide ("un nombre est attendu ici, et " + Citer (Utf8Valide (T)) + " est une chaîne de caractères ; "
                    "pour un texte, déclarez une variable de type string");
        return true;
    }

    // "Total : " + n : on n'ajoute pas un nombre a une chaine.
    bool NombreDansChaine (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::TypeInvalide) && ! C.MessageEst (EMsg::IdentifiantAttendu)
            && ! C.MessageEst (EMsg::ExprString))
            return false;
        const std::size_t Debut = C.Instruction ? C.Instruction->Decalage : C.Lex.DebutLigne (C.Ligne (C.Arret));
        const std::vector <SJeton> V = C.Lex.Jetons (Debut, C.FinInstruction ());
        bool Chaine = false;
        for (std::size_t k = 0; k + 1 < V.size (); ++k)
        {
            if (V [k].Genre == EJeton::Chaine) Chaine = true;
            if (const SDeclaration * D = V [k].Genre == EJeton::Mot ? C.Visible (C.Mot (V [k]), C.Arret) : nullptr)
                if (D->Type == TString) Chaine = true;
            if (! Chaine || ! C.MotEst (V [k], "+")) continue;
            const SJeton & N = V [k + 1];
            bool Numerique = N.Genre == EJeton::Nombre;
            if (N.Genre == EJeton::Mot)
                if (const SDeclaration * D = C.Visible (C.Mot (N), C.Arret))
                    Numerique = IsTypeNumerique (D->Type) || IsTypeNumerique (GetTypeElem (D->Type))
                             || (D->Nature == ENature::Fonction && IsTypeNumerique (D->Type));
            if (N.Genre == EJeton::Mot && (C.Mot (N) == "taille" || C.Mot (N) == "modulo" || C.Mot (N) == "Rand" || C.Mot (N) == "rang"))
                Numerique = true;
            if (! Numerique) continue;
            X.Placer (N);
            const bool Afficher = C.Instruction && C.Mot (* C.Instruction) == "afficher";
            X.Aide ("on ne peut pas ajouter un nombre (" + Citer (C.Mot (N)) + ") à une chaîne avec « + » : il n'y a pas de "
                    "conversion automatique");
            if (Afficher)
                X.Aide ("pour afficher un texte puis un nombre, séparez-les par une virgule : « afficher (\"…\", "
                        + Utf8Valide (C.Mot (N)) + "); »");
            else
                X.Aide ("affichez le texte et le nombre séparément : « afficher (texte, " + Utf8Valide (C.Mot (N)) + "); »");
            return true;
        }
        return false;
    }

    // t <- u; ou afficher (t) : un tableau ne s'utilise pas d'un coup.
    bool TableauEntier (const CContexte & C, SExplication & X)
    {
        SJeton Nom;
        if (C.CaractereAttendu () == '[') Nom = C.MotInstruction ();
        else if (C.MessageEst (EMsg::TypeInvalide) && C.Instruction && C.Mot (* C.Instruction) == "afficher"
                 && C.AvantArret.Genre == EJeton::Mot)
            Nom = C.AvantArret;
        if (Nom.Genre != EJeton::Mot) return false;
        const SDeclaration * D = C.Visible (C.Mot (Nom), C.Arret);
        if (! D || ! IsTypeTableau (D->Type)) return false;
        X.Placer (Nom);
        const std::string N = Utf8Valide (C.Mot (Nom));
        if (C.CaractereAttendu () == '[')
            X.Aide (Citer (N) + " est un tableau : il ne s'affecte pas d'un coup ; donnez une valeur à chaque élément, "
                    "« " + N + "[i] <- … » dans une boucle pour");
        else
            X.Aide (Citer (N) + " est un tableau : il ne s'affiche pas d'un coup ; affichez ses éléments un par un, "
                    "« afficher (" + N + "[i]); » dans une boucle pour");
        return true;
    }
}
