// Regles des operateurs venus d'autres notations : = pour <-, = et == pour vaut, <> et != pour
// ne_vaut_pas, mod et % pour modulo, et/ou/non/&&/|| pour ET/OU/NON (ou ET_ALORS/OU_SINON),
// puissance, increments.
#include "services/explications/Explication.h"

using nsUtil::EMsg;

namespace nsTramelo::nsRegles
{
    namespace
    {
        // Le texte du jeton qui precede, s'il est simple (nom ou nombre), sinon "…".
        std::string Operande (const CContexte & C, const SJeton & J)
        {
            return J.Genre == EJeton::Mot || J.Genre == EJeton::Nombre ? Utf8Valide (C.Mot (J)) : "…";
        }

        // Le jeton de l'operateur fautif : a l'arret, ou juste avant.
        bool OperateurProche (const CContexte & C, std::initializer_list <const char *> Ops, SJeton & Trouve)
        {
            for (const SJeton * J : { & C.AuArret, & C.AvantArret })
                for (const char * Op : Ops)
                    if (C.MotEst (* J, Op) && C.Ligne (J->Debut) == C.Ligne (C.Arret))
                    {
                        Trouve = * J;
                        return true;
                    }
            return false;
        }
    }

    // x = 5; ou x := 5; : l'affectation s'ecrit <-.
    bool AffectationEgal (const CContexte & C, SExplication & X)
    {
        const char Attendu = C.CaractereAttendu ();
        SJeton Op;
        // x = 5; avec x inconnu : Tramelo s'arrete sur x, mais le = est aussi a corriger.
        if (C.MessageEst (EMsg::AttenteVariable))
        {
            const SJeton Nom = C.MotInstruction ();
            const SJeton Suite = C.Lex.Suivant (Nom.Fin ());
            if (! C.MotEst (Suite, "=") && ! C.MotEst (Suite, ":=")) return false;
            const std::string N = Utf8Valide (C.Mot (Nom));
            X.Placer (Nom);
            X.Cause = "l'affectation s'écrit avec la flèche « <- », pas avec " + Citer (C.Mot (Suite));
            const std::string Texte = "l'affectation s'écrit avec la flèche « <- » : « " + N + " <- "
                                    + Operande (C, C.Lex.Suivant (Suite.Fin ())) + "; » au lieu de « " + C.Mot (Suite) + " »";
            if (! C.Visible (C.Mot (Nom), C.Arret))
            {
                X.Aide (Texte);
                X.Aide (Citer (N) + " n'est pas déclaré : déclarez-le d'abord, par exemple « declarer " + N + " : entier; »");
                return true;
            }
            X.Proposer ({ Suite.Debut, Suite.Longueur, "<-" }, Texte);
            X.Constat (Texte);
            return true;
        }
        if (Attendu != '<' && Attendu != '-') return false;
        if (! OperateurProche (C, { "=", ":=", "==", "<=", "=<" }, Op))
        {
            if (Attendu == '-' && C.Arret > 0 && C.Texte [C.Arret - 1] == '<')
            {
                X.Placer (C.Arret - 1, C.AuArret.Fin () - C.Arret + 1);
                X.Cause = "la flèche « <- » s'écrit sans espace";
                X.Proposer ({ C.Arret - 1, C.AuArret.Fin () - C.Arret + 1, "<-" }, "la flèche d'affectation « <- » s'écrit sans espace entre < et -");
                X.Constat ("la flèche d'affectation « <- » s'écrit sans espace entre < et -");
                return true;
            }
            return false;
        }
        X.Placer (Op);
        const SJeton Cible = C.MotInstruction ();
        const SJeton Valeur = C.Lex.Suivant (Op.Fin ());
        X.Cause = "l'affectation s'écrit avec la flèche « <- », pas avec " + Citer (C.Mot (Op));
        std::string Texte = "l'affectation s'écrit avec la flèche « <- » : « "
                          + (Cible.Genre == EJeton::Mot ? Utf8Valide (C.Mot (Cible)) + " " : std::string ()) + "<- "
                          + Operande (C, Valeur) + "; » au lieu de « " + C.Mot (Op) + " »";
        if (C.MotEst (Cible, "declarer"))
        {
            // declarer PI : constante reel = 3.14; : la valeur d'une constante suit la fleche.
            X.Cause = "la valeur d'une constante se donne avec la flèche « <- », pas avec " + Citer (C.Mot (Op));
            const std::size_t Fin = C.FinInstruction ();
            Texte = "écrivez « " + TexteDe (C, Cible.Debut, Op.Debut) + " <- " + TexteDe (C, Op.Fin (), Fin) + "; »";
        }
        X.Proposer ({ Op.Debut, Op.Longueur, "<-" }, Texte);
        X.Constat (Texte);
        return true;
    }

    // = ou == dans une comparaison : vaut.
    bool ComparaisonEgal (const CContexte & C, SExplication & X)
    {
        SJeton Op;
        if (C.MessageEst (EMsg::AttenteVariable) || C.CaractereAttendu () == '<') return false;
        // declarer n : entier = 0; n'est pas une comparaison (la regle du ; s'en charge).
        if (C.Instruction && C.Mot (* C.Instruction) == "declarer") return false;
        if (! OperateurProche (C, { "=", "==", "=<", "=>" }, Op)) return false;
        X.Placer (Op);
        const std::string O = C.Mot (Op);
        const SJeton Gauche = C.Lex.Precedent (Op.Debut), Droite = C.Lex.Suivant (Op.Fin ());
        if (O == "=" && (C.MotEst (Gauche, "<") || C.MotEst (Gauche, ">")))
        {
            X.Placer (Gauche.Debut, Op.Fin () - Gauche.Debut);
            X.Cause = Citer (C.Texte.substr (Gauche.Debut, Op.Fin () - Gauche.Debut)) + " s'écrit « " + C.Mot (Gauche) + "= »";
            const std::string Texte = Citer (C.Texte.substr (Gauche.Debut, Op.Fin () - Gauche.Debut))
                                    + " s'écrit sans espace entre les deux signes : « " + C.Mot (Gauche) + "= »";
            X.Proposer ({ Gauche.Debut, Op.Fin () - Gauche.Debut, C.Mot (Gauche) + "=" }, Texte);
            X.Constat (Texte);
            return true;
        }
        std::string Texte, Juste;
        if (O == "=<" || O == "=>")
        {
            Juste = O == "=<" ? "<=" : ">=";
            X.Cause = "« " + O + " » s'écrit « " + Juste + " »";
            Texte = "« " + O + " » s'écrit « " + Juste + " » (le signe = en second)";
        }
        else
        {
            Juste = "vaut";
            X.Cause = "l'égalité s'écrit « vaut », pas " + Citer (O);
            Texte = "l'égalité s'écrit « vaut » : « " + Operande (C, Gauche) + " vaut " + Operande (C, Droite)
                  + " » au lieu de « " + O + " » ; l'affectation, elle, s'écrit « <- »";
        }
        X.Proposer ({ Op.Debut, Op.Longueur, Juste == "vaut" ? " vaut " : Juste }, Texte);
        X.Constat (Texte);
        return true;
    }

    // <>, !=, /= : ne_vaut_pas.
    bool Difference (const CContexte & C, SExplication & X)
    {
        SJeton Op;
        // <> : Tramelo a lu < puis s'arrete sur >.
        if (C.MotEst (C.AuArret, ">") && C.AuArret.Debut > 0 && C.Texte [C.AuArret.Debut - 1] == '<')
            Op = { EJeton::Symbole, C.AuArret.Debut - 1, 2 };
        else if (! OperateurProche (C, { "!=", "<>", "/=" }, Op)) return false;
        X.Placer (Op);
        const SJeton Gauche = C.Lex.Precedent (Op.Debut), Droite = C.Lex.Suivant (Op.Fin ());
        X.Cause = "« différent de » s'écrit « ne_vaut_pas », pas " + Citer (C.Texte.substr (Op.Debut, Op.Longueur));
        const std::string Texte = "« différent de » s'écrit « ne_vaut_pas » : « " + Operande (C, Gauche) + " ne_vaut_pas "
                                + Operande (C, Droite) + " » au lieu de « " + C.Texte.substr (Op.Debut, Op.Longueur) + " »";
        X.Proposer ({ Op.Debut, Op.Longueur, " ne_vaut_pas " }, Texte);
        X.Constat (Texte);
        return true;
    }

    // mod, %, div.
    bool Modulo (const CContexte & C, SExplication & X)
    {
        SJeton Op;
        if (! OperateurProche (C, { "mod", "MOD", "Mod", "%", "div", "DIV" }, Op)) return false;
        X.Placer (Op);
        const SJeton Gauche = C.Lex.Precedent (Op.Debut), Droite = C.Lex.Suivant (Op.Fin ());
        const std::string O = C.Mot (Op);
        const bool Simples = Operande (C, Gauche) != "…" && Operande (C, Droite) != "…";
        if (Minuscules (O) == "div")
        {
            X.Cause = "la division entière s'écrit « / », pas " + Citer (O);
            const std::string Texte = "la division entière s'écrit « / » entre deux entiers : « " + Operande (C, Gauche) + " / "
                                    + Operande (C, Droite) + " »";
            X.Proposer ({ Op.Debut, Op.Longueur, "/" }, Texte);
            X.Constat (Texte);
            return true;
        }
        X.Cause = "le reste de la division s'écrit « modulo (a, b) », pas " + Citer (O);
        const std::string Texte = "le reste de la division entière s'écrit avec la fonction modulo : « modulo ("
                                + Operande (C, Gauche) + ", " + Operande (C, Droite) + ") » au lieu de « " + Operande (C, Gauche)
                                + " " + O + " " + Operande (C, Droite) + " »";
        if (Simples)
            X.Proposer ({ Gauche.Debut, Droite.Fin () - Gauche.Debut,
                          "modulo (" + Operande (C, Gauche) + ", " + Operande (C, Droite) + ")" }, Texte);
        X.Constat (Texte);
        return true;
    }

    // et, ou, and, or, &&, ||, Et (128) : ET, OU, ET_ALORS, OU_SINON.
    bool Connecteur (const CContexte & C, SExplication & X)
    {
        SJeton Op;
        if (C.MessageEst (EMsg::ConnecteurAttendu)) Op = C.AvantArret;
        else if (! OperateurProche (C, { "et", "ou", "and", "or", "AND", "OR", "&&", "||", "&", "|", "Et", "Ou", "Or", "And" }, Op))
            return false;
        if (Op.Genre == EJeton::Fin || C.Visible (C.Mot (Op), C.Arret)) return false;
        std::string O;
        for (char c : Minuscules (C.Mot (Op)))
            if (c != '_') O += c;
        std::string Juste;
        // "a" & "b" : la concatenation (a la maniere de certains tableurs) s'ecrit +.
        if (O == "&" && (C.Lex.Precedent (Op.Debut).Genre == EJeton::Chaine || C.Lex.Suivant (Op.Fin ()).Genre == EJeton::Chaine))
        {
            X.Placer (Op);
            X.Cause = "deux chaînes se mettent bout à bout avec « + », pas avec « & »";
            X.Proposer ({ Op.Debut, Op.Longueur, "+" }, "écrivez « + » au lieu de « & » : « \"a\" + \"b\" » vaut « \"ab\" »");
            X.Constat ("la concaténation s'écrit « + »");
            return true;
        }
        if (O == "et" || O == "and" || O == "&") Juste = "ET";
        else if (O == "ou" || O == "or" || O == "|") Juste = "OU";
        else if (O == "&&" || O == "etalors") Juste = "ET_ALORS";
        else if (O == "||" || O == "ousinon") Juste = "OU_SINON";
        else if (C.MessageEst (EMsg::ConnecteurAttendu))
        {
            X.Placer (Op);
            X.Aide (Citer (C.Mot (Op)) + " n'est pas un opérateur logique : les opérateurs sont ET, OU, ET_ALORS, OU_SINON "
                    "(en majuscules) ; pour la suite de la condition, vérifiez les parenthèses");
            return true;
        }
        else return false;
        X.Placer (Op);
        X.Cause = "l'opérateur logique s'écrit " + Citer (Juste) + ", pas " + Citer (C.Mot (Op));
        const std::string Texte = "écrivez " + Citer (Juste) + " au lieu de " + Citer (C.Mot (Op))
                                + " : les opérateurs logiques s'écrivent en majuscules (ET, OU, NON, ET_ALORS, OU_SINON)";
        X.Proposer ({ Op.Debut, Op.Longueur, " " + Juste + " " }, Texte);
        X.Constat (Texte);
        // Un cote droit qui lit un tableau ou divise : il ne doit etre evalue que si le gauche le permet.
        if (Juste == "ET" || Juste == "OU")
        {
            bool Garde = false;
            for (const SJeton & J : C.Lex.Jetons (Op.Fin (), C.FinInstruction ()))
                Garde = Garde || C.MotEst (J, "[") || C.MotEst (J, "/");
            if (Garde)
                X.Note ("le côté droit lit un tableau (ou divise) : avec « " + Juste + (Juste == "ET" ? "_ALORS" : "_SINON")
                        + " », il n'est évalué que si le côté gauche " + (Juste == "ET" ? "est vrai" : "est faux")
                        + ", ce qui évite un indice invalide");
        }
        return true;
    }

    // non, not, ! : NON.
    bool Negation (const CContexte & C, SExplication & X)
    {
        SJeton Op;
        if (! OperateurProche (C, { "non", "not", "!", "Non", "NOT", "Not" }, Op)) return false;
        if (C.Visible (C.Mot (Op), C.Arret)) return false;
        X.Placer (Op);
        const SJeton Suite = C.Lex.Suivant (Op.Fin ());
        X.Cause = "la négation s'écrit « NON », pas " + Citer (C.Mot (Op));
        const std::string Texte = "la négation s'écrit « NON », en majuscules : « NON " + Operande (C, Suite) + " » au lieu de « "
                                + C.Mot (Op) + (C.Mot (Op) == "!" ? "" : " ") + Operande (C, Suite) + " »";
        X.Proposer ({ Op.Debut, Op.Longueur, "NON " }, Texte);
        X.Constat (Texte);
        return true;
    }

    // ^, **, ++, +=, -= : pas de tels operateurs.
    bool AutreOperateur (const CContexte & C, SExplication & X)
    {
        SJeton Op;
        if (! OperateurProche (C, { "^", "**", "++", "--", "+=", "-=" }, Op)) return false;
        X.Placer (Op);
        const std::string O = C.Mot (Op);
        const SJeton Gauche = C.Lex.Precedent (Op.Debut);
        const std::string G = Operande (C, Gauche);
        X.Cause = "l'opérateur " + Citer (O) + " n'existe pas dans le langage";
        if (O == "^" || O == "**")
            X.Aide ("il n'y a pas d'opérateur de puissance : multipliez, « " + G + " * " + G + " », ou écrivez une boucle");
        else if (O == "++" || O == "--")
        {
            const std::string Texte = "écrivez « " + G + " <- " + G + (O == "++" ? " + 1" : " - 1") + "; »";
            if (G != "…" && Gauche.Genre == EJeton::Mot)
                X.Proposer ({ Op.Debut, Op.Longueur, std::string (" <- ") + G + (O == "++" ? " + 1" : " - 1") }, Texte);
            X.Constat (Texte);
        }
        else
        {
            const std::string D = Operande (C, C.Lex.Suivant (Op.Fin ()));
            const std::string Texte = "écrivez « " + G + " <- " + G + " " + O.substr (0, 1) + " " + D + "; »";
            if (G != "…" && Gauche.Genre == EJeton::Mot)
                X.Proposer ({ Op.Debut, Op.Longueur, " <- " + G + " " + O.substr (0, 1) }, Texte);
            X.Constat (Texte);
        }
        return true;
    }
}
