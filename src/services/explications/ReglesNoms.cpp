// Regles des noms et des mots : casse des mots-cles, mots du cours papier, declaration sans
// declarer, fonction appelee comme une procedure, nom hors de sa portee, nom inconnu, mot
// reserve pris pour un nom, double declaration.
#include "services/explications/Explication.h"

#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"

using nsUtil::EMsg;

namespace nsTramelo::nsRegles
{
    namespace
    {
        // Les mots ou la faute peut se trouver : le mot qui commence l'instruction (127), le mot du
        // message, ceux qui entourent l'arret.
        std::vector <SJeton> MotsCandidats (const CContexte & C)
        {
            std::vector <SJeton> V;
            if (C.MessageEst (EMsg::AttenteVariable))
            {
                V.push_back (C.MotInstruction ());
                return V;
            }
            if (C.MessageEst (EMsg::MotCleAttendu))
            {
                // mot-cle attendu : "X" au lieu de "Y" : seul Y est en cause.
                const std::string & Y = C.E.Trouve;
                for (const SJeton * J : { & C.AvantArret, & C.AuArret })
                    if (J->Genre == EJeton::Mot && C.Mot (* J) == Y) V.push_back (* J);
                return V;
            }
            const std::string Nom = C.MotDuMessage ();
            if (C.AvantArret.Genre == EJeton::Mot && (Nom.empty () || C.Mot (C.AvantArret) == Nom)) V.push_back (C.AvantArret);
            if (C.AuArret.Genre == EJeton::Mot) V.push_back (C.AuArret);
            return V;
        }

        // Le type probable d'une variable d'apres la valeur qui lui est donnee : "nom <- valeur".
        std::string TypeProbable (const CContexte & C, const SJeton & Nom)
        {
            // x <- Nom : le type de la variable qui recoit sa valeur.
            const SJeton Avant = C.Lex.Precedent (Nom.Debut);
            if (C.MotEst (Avant, "<-"))
            {
                const SJeton Cible = C.Lex.Precedent (Avant.Debut);
                if (Cible.Genre == EJeton::Mot)
                    if (const SDeclaration * D = C.Visible (C.Mot (Cible), C.Arret))
                    {
                        if (IsTypeString (D->Type)) return "string";
                        if (D->Type != 0 && ! IsTypeTableau (D->Type)) return NomType (D->Type);
                    }
            }
            const SJeton Fleche = C.Lex.Suivant (Nom.Fin ());
            if (C.MotEst (Fleche, "["))
            {
                // t [i] <- valeur : le type des elements d'apres la valeur.
                SJeton J = Fleche;
                int Profondeur = 0;
                for (; J.Genre != EJeton::Fin && C.Ligne (J.Debut) == C.Ligne (Nom.Debut); J = C.Lex.Suivant (J.Fin ()))
                {
                    if (C.MotEst (J, "[")) ++Profondeur;
                    else if (C.MotEst (J, "]") && --Profondeur == 0) break;
                }
                const SJeton Apres = C.Lex.Suivant (J.Fin ());
                std::string Elem = "entier";
                if (C.MotEst (Apres, "<-"))
                {
                    const SJeton Valeur = C.Lex.Suivant (Apres.Fin ());
                    if (Valeur.Genre == EJeton::Chaine) Elem = "string";
                    else if (Valeur.Genre == EJeton::Caractere) Elem = "caractere";
                    else if (C.MotEst (Valeur, "vrai") || C.MotEst (Valeur, "faux")) Elem = "booleen";
                    else if (Valeur.Genre == EJeton::Nombre && C.Mot (Valeur).find_first_of (".eE") != std::string::npos) Elem = "reel";
                }
                return "tableau_de 10 " + Elem;
            }
            if (! C.MotEst (Fleche, "<-")) return "entier";
            const SJeton Valeur = C.Lex.Suivant (Fleche.Fin ());
            if (Valeur.Genre == EJeton::Chaine) return "string";
            if (Valeur.Genre == EJeton::Caractere) return "caractere";
            if (C.MotEst (Valeur, "vrai") || C.MotEst (Valeur, "faux")) return "booleen";
            if (Valeur.Genre == EJeton::Nombre)
            {
                const std::string N = C.Mot (Valeur);
                const std::size_t Point = N.find ('.');
                if (Point != std::string::npos && N.find_first_not_of ('0', Point + 1) != std::string::npos) return "reel";
            }
            if (Valeur.Genre == EJeton::Mot)
                if (const SDeclaration * D = C.Visible (C.Mot (Valeur), C.Arret))
                    if (D->Type != 0 && ! IsTypeTableau (D->Type)) return NomType (D->Type);
            return "entier";
        }

        // Ce qui reserve un mot du langage.
        std::string Reservation (const std::string & Mot)
        {
            if (Mot == "a") return "il sépare les deux bornes dans « pour (i variant_de 1 a n) »";
            if (Mot == "variant_de" || Mot == "pour" || Mot == "faire" || Mot == "ffaire")
                return "il appartient à la boucle « pour (i variant_de … a …) faire … ffaire »";
            if (Mot == "debut" || Mot == "fin") return "debut … fin encadrent le corps d'une unité";
            if (Mot == "si" || Mot == "sinon" || Mot == "sinon_si" || Mot == "fsi") return "il appartient à la conditionnelle si … fsi";
            if (Mot == "tant_que" || Mot == "jusqua" || Mot == "repeter" || Mot == "boucle" || Mot == "fboucle")
                return "il appartient aux boucles";
            if (Mot == "declarer" || Mot == "constante") return "il sert aux déclarations";
            if (Mot == "in" || Mot == "out" || Mot == "in_out") return "c'est un mode de passage des paramètres";
            if (Mot == "procedure" || Mot == "fonction" || Mot == "algorithme" || Mot == "renvoie")
                return "il sert à écrire les unités";
            if (Mot == "sortie") return "il sert dans « si (condition) sortie; »";
            if (Mot == "choix_sur" || Mot == "cas" || Mot == "autre" || Mot == "fchoix" || Mot == "de" || Mot == "entre"
                || Mot == "predicat")
                return "c'est un mot-clé réservé du langage";
            if (IsOperateur (Mot)) return "c'est un opérateur";
            if (IsProcedure (Mot)) return "c'est une procédure standard";
            if (IsFonction (Mot)) return "c'est une fonction standard";
            if (IsType (Mot)) return "c'est un nom de type";
            if (IsNomCpp (Mot)) return "c'est un mot du C++, la langue du programme produit";
            return "c'est un mot réservé";
        }

        // Les mots du cours papier (ou d'autres langages) et ce qu'il faut ecrire.
        struct SMotCours { const char * Mot; const char * Aide; };
        const SMotCours MotsCours [] =
        {
            { "ecrire", "pour afficher, écrivez « afficher (…); »" },
            { "ecrireln", "pour afficher, écrivez « afficher (…); » puis « ligne_suivante; »" },
            { "imprimer", "pour afficher, écrivez « afficher (…); »" },
            { "print", "pour afficher, écrivez « afficher (…); »" },
            { "println", "pour afficher, écrivez « afficher (…); » puis « ligne_suivante; »" },
            { "printf", "pour afficher, écrivez « afficher (…); »" },
            { "cout", "pour afficher, écrivez « afficher (…); »" },
            { "write", "pour afficher, écrivez « afficher (…); »" },
            { "writeln", "pour afficher, écrivez « afficher (…); » puis « ligne_suivante; »" },
            { "lire", "pour lire une valeur au clavier, écrivez « saisir (variable); »" },
            { "read", "pour lire une valeur au clavier, écrivez « saisir (variable); »" },
            { "readln", "pour lire une valeur au clavier, écrivez « saisir (variable); »" },
            { "saisie", "pour lire une valeur au clavier, écrivez « saisir (variable); »" },
            { "scanf", "pour lire une valeur au clavier, écrivez « saisir (variable); »" },
            { "cin", "pour lire une valeur au clavier, écrivez « saisir (variable); »" },
            { "entrer", "pour lire une valeur au clavier, écrivez « saisir (variable); »" },
            { "retourner", "le résultat d'une fonction se donne par « renvoie valeur; »" },
            { "retourne", "le résultat d'une fonction se donne par « renvoie valeur; »" },
            { "return", "le résultat d'une fonction se donne par « renvoie valeur; »" },
            { "retour", "le résultat d'une fonction se donne par « renvoie valeur; »" },
            { "renvoyer", "le résultat d'une fonction se donne par « renvoie valeur; »" },
            { "alors", "pas de « alors » : la conditionnelle s'écrit « si (condition) instructions fsi »" },
            { "then", "pas de « then » : la conditionnelle s'écrit « si (condition) instructions fsi »" },
            { "tantque", "« tantque » s'écrit « tant_que »" },
            { "sinonsi", "« sinonsi » s'écrit « sinon_si »" },
            { "elif", "la branche suivante d'un si s'écrit « sinon_si (condition) »" },
            { "elsif", "la branche suivante d'un si s'écrit « sinon_si (condition) »" },
            { "else", "l'autre branche d'un si s'écrit « sinon »" },
            { "var", "une variable se déclare par « declarer nom : type; »" },
            { "variable", "une variable se déclare par « declarer nom : type; »" },
            { "variables", "une variable se déclare par « declarer nom : type; »" },
            { "declare", "une variable se déclare par « declarer nom : type; »" },
            { "const", "une constante se déclare par « declarer NOM : constante type <- valeur; »" },
            { "int", "une variable se déclare par « declarer nom : entier; »" },
            { "integer", "une variable se déclare par « declarer nom : entier; »" },
            { "sortir", "on sort d'une boucle par « si (condition) sortie; »" },
            { "break", "on sort d'une boucle par « si (condition) sortie; »" },
            { "quitter", "on sort d'une boucle par « si (condition) sortie; »" },
            { "sortie", "« sortie » ne s'emploie que dans « si (condition) sortie; », à l'intérieur d'une boucle" },
            { "continue", "« continue » ne s'emploie que dans « si (condition) continue; », à l'intérieur d'une boucle" },
            { "selon", "il n'y a pas de « selon » : enchaînez « si … sinon_si … sinon … fsi »" },
            { "switch", "il n'y a pas de « switch » : enchaînez « si … sinon_si … sinon … fsi »" },
            { "appeler", "une procédure s'appelle par son seul nom : « Nom (paramètres); »" },
            { "call", "une procédure s'appelle par son seul nom : « Nom (paramètres); »" },
        };
    }

    // Un mot du langage ecrit avec une autre casse : Si, Fin, Algorithme, Debut, Entier, Et...
    bool CasseMotCle (const CContexte & C, SExplication & X)
    {
        std::vector <SJeton> V = MotsCandidats (C);
        if (C.MessageEst (EMsg::TypeDeBaseAttendu) || C.MessageEst (EMsg::ConnecteurAttendu))
            V.insert (V.begin (), C.AvantArret);
        for (const SJeton & J : V)
        {
            if (J.Genre != EJeton::Mot || J.NonAscii || J.Longueur < 2) continue;
            const std::string Mot = C.Mot (J);
            const std::string Juste = MotCleACasse (Mot);
            if (Juste.empty () || C.Visible (Mot, C.Arret)) continue;
            X.Placer (J);
            const bool Majuscules = Juste [0] >= 'A' && Juste [0] <= 'Z';
            X.Cause = Citer (Mot) + " s'écrit " + Citer (Juste);
            const std::string Texte = "écrivez " + Citer (Juste) + " au lieu de " + Citer (Mot) + " : la casse compte, et ce mot "
                                      "s'écrit " + (Majuscules ? (Juste == "Rand" ? "avec une majuscule initiale" : "en majuscules")
                                                                : "en minuscules");
            X.Proposer ({ J.Debut, J.Longueur, Juste }, Texte);
            X.Constat (Texte);
            return true;
        }
        return false;
    }

    // Les mots du cours papier ou d'autres langages, en debut d'instruction.
    bool MotDuCours (const CContexte & C, SExplication & X)
    {
        if (C.MessageEst (EMsg::TypeDeBaseAttendu)) return false;
        std::vector <SJeton> V = MotsCandidats (C);
        for (const SJeton & J : V)
        {
            if (J.Genre != EJeton::Mot) continue;
            const std::string Mot = C.Mot (J);
            // Un mot du langage n'est pris pour un mot du cours qu'en tete d'instruction (127).
            if (C.Visible (Mot, C.Arret) || (IsIdentReserve (Mot) && ! C.MessageEst (EMsg::AttenteVariable))) continue;
            const std::string M = Minuscules (SansAccents (Mot));
            // tant que, jusqu'a : un mot compose coupe.
            const SJeton Suite = C.Lex.Suivant (J.Fin ());
            if (M == "tant" && Minuscules (C.Mot (Suite)) == "que")
            {
                X.Placer (J.Debut, Suite.Fin () - J.Debut);
                X.Cause = "« " + Mot + " " + C.Mot (Suite) + " » s'écrit « tant_que »";
                const std::string Texte = "« " + Mot + " " + C.Mot (Suite) + " » s'écrit en un seul mot, avec un tiret bas : « tant_que »";
                X.Proposer ({ J.Debut, Suite.Fin () - J.Debut, "tant_que" }, Texte);
                X.Constat (Texte);
                return true;
            }
            if (M == "jusqu" && C.MotEst (Suite, "'"))
            {
                X.Placer (J.Debut, Suite.Fin () - J.Debut + 1);
                X.Aide ("« jusqu'a » s'écrit « jusqua », sans apostrophe ni accent");
                return true;
            }
            if (M == "debut" && Mot == "debut" && C.MessageEst (EMsg::AttenteVariable))
            {
                X.Placer (J);
                X.Aide ("« debut » ne s'écrit qu'après l'en-tête d'une unité : les instructions d'un si ou d'une boucle "
                        "se suivent directement, sans debut … fin");
                return true;
            }
            if (M == "faire" && Mot == "faire" && C.MessageEst (EMsg::AttenteVariable))
            {
                X.Placer (J);
                X.Aide ("une boucle qui teste sa condition à la fin s'écrit « repeter … jusqua (condition) »");
                return true;
            }
            for (const SMotCours & E : MotsCours)
                if (M == E.Mot)
                {
                    X.Placer (J);
                    X.Cause = Citer (Mot) + " n'est pas un mot du langage";
                    const std::string Texte = Citer (Mot) + " n'est pas un mot du langage : " + E.Aide;
                    // Le mot du langage qui le remplace mot pour mot, quand il y en a un.
                    static const struct { const char * Mot, * Juste; } Remplacants [] =
                    {
                        { "ecrire", "afficher" }, { "imprimer", "afficher" }, { "print", "afficher" }, { "printf", "afficher" },
                        { "write", "afficher" }, { "lire", "saisir" }, { "read", "saisir" }, { "readln", "saisir" },
                        { "saisie", "saisir" }, { "entrer", "saisir" }, { "retourner", "renvoie" }, { "retourne", "renvoie" },
                        { "return", "renvoie" }, { "retour", "renvoie" }, { "renvoyer", "renvoie" }, { "alors", "" },
                        { "then", "" }, { "tantque", "tant_que" }, { "sinonsi", "sinon_si" }, { "elif", "sinon_si" },
                        { "elsif", "sinon_si" }, { "else", "sinon" },
                    };
                    for (const auto & R : Remplacants)
                        if (M == R.Mot) X.Proposer ({ J.Debut, J.Longueur, R.Juste }, Texte);
                    if (X.Propositions.empty ()) X.Aide (Texte);
                    else X.Constat (Texte);
                    return true;
                }
            // entier n; (declaration a la maniere du C)
            if (C.MessageEst (EMsg::AttenteVariable) && (IsTypeSimple (Mot) || IsTypeCompose (Mot)))
            {
                const SJeton Nom = C.Lex.Suivant (J.Fin ());
                X.Placer (J);
                X.Aide ("une variable se déclare par « declarer " + (Nom.Genre == EJeton::Mot ? Utf8Valide (C.Mot (Nom)) : "nom")
                        + " : " + Mot + "; »");
                return true;
            }
        }
        return false;
    }

    // 115 : un type d'un autre langage ou du cours papier.
    bool TypeInconnu (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::TypeDeBaseAttendu)) return false;
        const std::string Mot = C.MotDuMessage ();
        const std::string M = Minuscules (SansAccents (Mot));
        static const struct { const char * Mot, * Type; } Table [] =
        {
            { "int", "entier" }, { "integer", "entier" }, { "long", "entier" }, { "entiers", "entier" },
            { "naturel", "entier_naturel" }, { "unsigned", "entier_naturel" }, { "float", "reel" },
            { "double", "reel" }, { "real", "reel" }, { "reels", "reel" }, { "bool", "booleen" },
            { "boolean", "booleen" }, { "logique", "booleen" }, { "char", "caractere" }, { "car", "caractere" },
            { "chaine", "string" }, { "texte", "string" }, { "str", "string" }, { "chaines", "string" },
            { "tableau", "tableau_de" }, { "table", "tableau_de" }, { "array", "tableau_de" }, { "vecteur", "tableau_de" },
        };
        for (const auto & E : Table)
            if (M == E.Mot)
            {
                SJeton Lu = C.AvantArret;
                if (C.Mot (Lu) != Mot) Lu = C.AuArret;
                if (C.Mot (Lu) == Mot) X.Placer (Lu);
                X.Cause = Citer (Mot) + " n'est pas un type du langage";
                if (std::string (E.Type) != "tableau_de")
                {
                    const std::string Texte = Citer (Mot) + " n'est pas un type du langage : écrivez " + Citer (E.Type);
                    if (C.Mot (Lu) == Mot) X.Proposer ({ Lu.Debut, Lu.Longueur, E.Type }, Texte);
                    X.Constat (Texte);
                    return true;
                }
                // tableau [10] de reel, tableau de 10 entier... : la taille et le type que l'etudiant a ecrits.
                std::string Taille, TypeElem;
                std::size_t Fin = Lu.Fin ();
                for (SJeton J = C.Lex.Suivant (Lu.Fin ()); J.Genre != EJeton::Fin && ! C.MotEst (J, ";")
                     && C.Ligne (J.Debut) == C.Ligne (Lu.Debut); J = C.Lex.Suivant (J.Fin ()))
                {
                    if (Taille.empty () && (J.Genre == EJeton::Nombre || (J.Genre == EJeton::Mot && C.Visible (C.Mot (J), C.Arret))))
                        Taille = C.Mot (J);
                    else if (IsTypeSimple (C.Mot (J)))
                    {
                        TypeElem = C.Mot (J);
                        Fin = J.Fin ();
                        break;
                    }
                }
                const std::string Juste = "tableau_de " + (Taille.empty () ? std::string ("10") : Taille) + " "
                                        + (TypeElem.empty () ? std::string ("entier") : TypeElem);
                const std::string Texte = Citer (Mot) + " n'est pas un type du langage : un tableau se déclare « tableau_de "
                                        "taille type », ici " + Citer (Juste);
                if (! Taille.empty () && ! TypeElem.empty () && C.Mot (Lu) == Mot)
                    X.Proposer ({ Lu.Debut, Fin - Lu.Debut, Juste }, Texte + " au lieu de "
                                + Citer (TexteDe (C, Lu.Debut, Fin)));
                X.Constat (Texte);
                return true;
            }
        return false;
    }

    // n : entier; sans declarer.
    bool DeclarationSansDeclarer (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::AttenteVariable)) return false;
        const SJeton Nom = C.MotInstruction ();
        const SJeton Suite = C.Lex.Suivant (Nom.Fin ());
        if (! C.MotEst (Suite, ":") && ! C.MotEst (Suite, ",")) return false;
        SJeton Type = C.Lex.Suivant (Suite.Fin ());
        while (C.MotEst (Suite, ",") && (Type.Genre == EJeton::Mot || C.MotEst (Type, ",")) && ! C.MotEst (Type, ":"))
            Type = C.Lex.Suivant (Type.Fin ());
        if (C.MotEst (Type, ":")) Type = C.Lex.Suivant (Type.Fin ());
        X.Placer (Nom);
        X.Aide ("pour déclarer une variable, écrivez « declarer " + Utf8Valide (C.Mot (Nom)) + " : "
                + (Type.Genre == EJeton::Mot ? Utf8Valide (C.Mot (Type)) : "type") + "; »"
                + (C.MotEst (Suite, ",") ? ", une variable par declarer" : ""));
        return true;
    }

    // Une fonction appelee comme une instruction.
    bool FonctionCommeProcedure (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::AttenteVariable)) return false;
        const SJeton Nom = C.MotInstruction ();
        const SDeclaration * D = C.Visible (C.Mot (Nom), C.Arret);
        if (! D || (D->Nature != ENature::Fonction && D->Nature != ENature::Algorithme)) return false;
        X.Placer (Nom);
        const std::string N = Utf8Valide (C.Mot (Nom));
        if (D->Nature == ENature::Algorithme)
        {
            X.Aide ("l'algorithme " + Citer (N) + " est le programme principal : il ne s'appelle pas");
            return true;
        }
        SJeton Fin = C.Lex.Suivant (Nom.Fin ());
        std::string Appel = N;
        if (C.MotEst (Fin, "("))
        {
            int Profondeur = 0;
            for (SJeton J = Fin; J.Genre != EJeton::Fin && J.Debut < C.Texte.size (); J = C.Lex.Suivant (J.Fin ()))
            {
                if (C.MotEst (J, "(")) ++Profondeur;
                else if (C.MotEst (J, ")") && --Profondeur == 0)
                {
                    Appel = C.Texte.substr (Nom.Debut, J.Fin () - Nom.Debut);
                    break;
                }
                if (C.MotEst (J, ";")) break;
            }
        }
        X.Aide (Citer (N) + " est une fonction (elle renvoie un " + NomType (D->Type) + ") : son résultat doit servir, "
                "par exemple « x <- " + Utf8Valide (Appel) + "; » ou « afficher (" + Utf8Valide (Appel) + "); »");
        X.Note ("la fonction " + Citer (N) + " est déclarée " + TexteLigne (C.Ligne (D->Decalage))
                + " ; seule une procédure s'appelle comme une instruction");
        return true;
    }

    bool ConstanteModifiee (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::AttenteVariable)) return false;
        const SJeton Nom = C.MotInstruction ();
        const SDeclaration * D = C.Visible (C.Mot (Nom), C.Arret);
        if (! D || D->Nature != ENature::Constante) return false;
        X.Placer (Nom);
        X.Aide (Citer (C.Mot (Nom)) + " est une constante (déclarée " + TexteLigne (C.Ligne (D->Decalage))
                + ") : sa valeur ne peut pas changer ; déclarez une variable si elle doit changer");
        return true;
    }

    // Un nom utilise apres la fin du bloc (ou de la boucle, ou de l'unite) qui l'a declare.
    bool HorsPortee (const CContexte & C, SExplication & X)
    {
        const SJeton Nom = C.NomFautif ();
        if (Nom.Genre != EJeton::Mot) return false;
        const std::string N = C.Mot (Nom);
        if (C.Visible (N, C.Arret)) return false;
        const SDeclaration * D = C.SortieDePortee (N, C.Arret);
        if (! D) return false;
        X.Placer (Nom);
        const std::size_t LigneDecl = C.Ligne (D->Decalage);
        const SUnite * UniteDecl = C.UniteEn (D->Decalage);
        if (UniteDecl && C.Unite && UniteDecl != C.Unite)
        {
            X.Aide (Citer (N) + " est déclaré" + (D->Nature == ENature::Parametre ? " comme paramètre" : "") + " dans "
                    + (UniteDecl->Nature == ENature::Procedure ? "la procédure " : UniteDecl->Nature == ENature::Fonction
                       ? "la fonction " : "l'algorithme ") + Citer (UniteDecl->Nom) + " (" + TexteLigne (LigneDecl)
                    + ") et n'existe pas ailleurs : déclarez-le ici, ou passez la valeur en paramètre");
            return true;
        }
        if (D->Nature == ENature::VariableBoucle)
        {
            X.Aide (Citer (N) + " est la variable de la boucle pour de la " + TexteLigne (LigneDecl)
                    + " : elle n'existe que dans cette boucle, jusqu'à son ffaire (" + TexteLigne (C.Ligne (D->FinPortee)) + ")");
            X.Aide ("pour garder une valeur après la boucle, déclarez une variable avant elle (« declarer dernier : entier; ») "
                    "et affectez-la dans la boucle");
            return true;
        }
        X.Aide (Citer (N) + " est déclaré " + TexteLigne (LigneDecl) + ", dans un bloc qui se ferme " + TexteLigne (C.Ligne (D->FinPortee))
                + " : après lui, ce nom n'existe plus ; déclarez-le avant ce bloc pour l'utiliser ensuite");
        return true;
    }

    // Un nom inconnu : faute de frappe (nom voisin), ou variable jamais declaree.
    bool NomInconnu (const CContexte & C, SExplication & X)
    {
        const SJeton Nom = C.NomFautif ();
        if (Nom.Genre != EJeton::Mot || Nom.NonAscii) return false;
        const std::string N = C.Mot (Nom);
        if (C.Visible (N, C.Arret) || IsIdentReserve (N)) return false;
        X.Placer (Nom);
        // Un nom que le C++ reserve ne peut pas etre declare : ne jamais proposer « declarer true ».
        if (IsNomCpp (N) || IsNomEntete (N))
        {
            X.Cause = Citer (N) + " n'est pas un mot du langage";
            X.Aide (Citer (N) + " est un mot du C++, la langue du programme produit : il ne peut servir ni de valeur ni de nom "
                    "ici ; employez les mots du langage (vrai, faux, NON, ET, OU…) ou un autre nom");
            return true;
        }
        const std::string Voisin = C.NomVoisin (N, C.Arret);
        if (! Voisin.empty ())
        {
            const SDeclaration * D = C.Visible (Voisin, C.Arret);
            X.Cause = Citer (N) + " n'est pas déclaré";
            const std::string Texte = Citer (N) + " n'est pas déclaré ; vouliez-vous dire " + Citer (Voisin) + " ("
                                    + NomNature (D->Nature) + ", " + TexteLigne (C.Ligne (D->Decalage)) + ") ?";
            X.Proposer ({ Nom.Debut, Nom.Longueur, Voisin }, Texte);
            X.Constat (Texte);
            return true;
        }
        const SJeton Suite = C.Lex.Suivant (Nom.Fin ());
        X.Cause = Citer (N) + " n'est pas déclaré";
        if (C.MotEst (Suite, "(") || (C.MessageEst (EMsg::AttenteVariable) && C.MotEst (Suite, ";")))
        {
            X.Aide ("aucune procédure ni fonction " + Citer (N) + " n'est déclarée avant cette ligne : vérifiez son nom, "
                    "ou écrivez-la avant l'unité qui l'appelle");
            return true;
        }
        const bool DansAlgo = C.Unite && C.Unite->Nature == ENature::Algorithme;
        X.Aide (Citer (N) + " n'est pas déclaré : déclarez-le avant de l'utiliser, par exemple « declarer " + N + " : "
                + TypeProbable (C, Nom) + "; » au début " + (DansAlgo ? "de l'algorithme" : "de l'unité"));
        return true;
    }

    // 105 : un mot reserve (du langage ou du C++) pris pour un nom.
    bool MotReserve (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::MotReserve)) return false;
        const std::string Mot = C.MotDuMessage ();
        if (C.Mot (C.AvantArret) == Mot) X.Placer (C.AvantArret);
        X.Cause = Citer (Mot) + " est réservé : il ne peut pas servir de nom";
        X.Aide (Citer (Mot) + " est réservé (" + Reservation (Mot) + ") : choisissez un autre nom, par exemple "
                + Citer (Mot + "1") + " ou un nom plus parlant");
        return true;
    }

    // declarer accepte les mots du langage, mais ils ne peuvent pas commencer une instruction :
    // "declarer fin : entier;" puis "fin <- 0;" termine l'unite.
    bool MotReserveDeclare (const CContexte & C, SExplication & X)
    {
        for (auto It = C.J.Declarations.rbegin (); It != C.J.Declarations.rend (); ++It)
        {
            // Seuls les mots que la lecture d'une instruction prend pour le langage font echouer.
            const std::string & N = It->Nom;
            if (It->Nature != ENature::Variable
                || ! (IsStruct (N) || IsProcedure (N) || IsEnd (N) || N == "declarer" || N == "renvoie"))
                continue;
            // Un emploi du nom juste avant l'arret, ou en tete de l'instruction en cours.
            const bool Emploi = C.Mot (C.AvantArret) == It->Nom
                             || (C.Instruction && C.Mot (* C.Instruction) == It->Nom && C.Instruction->Decalage > It->Decalage);
            if (! Emploi) continue;
            X.Placer (It->Decalage, It->Nom.size ());
            X.Cause = Citer (It->Nom) + " est un mot réservé : il ne peut pas servir de nom de variable";
            X.Aide (Citer (It->Nom) + " est un mot réservé (" + Reservation (It->Nom) + ") : choisissez un autre nom, par "
                    "exemple " + Citer (It->Nom + "1") + ", à la déclaration et à chaque emploi");
            X.Note (TexteLigne (C.Ligne (C.AvantArret.Genre == EJeton::Mot ? C.AvantArret.Debut : C.Arret)) + ", " + Citer (It->Nom)
                    + " est lu comme le mot du langage, pas comme la variable");
            return true;
        }
        return false;
    }

    // 116, 108, 119 : un nom declare deux fois.
    bool DoubleDeclaration (const CContexte & C, SExplication & X)
    {
        const bool Double = C.MessageEst (EMsg::DoubleDeclaration);
        if (! Double && ! C.MessageEst (EMsg::DejaDeclare) && ! C.MessageEst (EMsg::ParamDejaDeclare)) return false;
        const std::string Nom = C.MotDuMessage ();
        if (C.Mot (C.AvantArret) == Nom) X.Placer (C.AvantArret);
        if (Nom == "vrai" || Nom == "faux")
        {
            X.Aide (Citer (Nom) + " est une constante du langage, toujours déclarée : choisissez un autre nom");
            return true;
        }
        const SDeclaration * D = nullptr;
        for (auto It = C.J.Declarations.rbegin (); It != C.J.Declarations.rend (); ++It)
            if (It->Nom == Nom && It->Decalage < X.Decalage && (It->FinPortee == PorteeOuverte || It->FinPortee > X.Decalage))
            {
                D = & * It;
                break;
            }
        const std::string Ou = D ? " (" + NomNature (D->Nature) + ", " + TexteLigne (C.Ligne (D->Decalage)) + ")" : "";
        if (C.MessageEst (EMsg::DejaDeclare))
            X.Aide ("une unité s'appelle déjà " + Citer (Nom) + Ou + " : deux unités ne peuvent pas porter le même nom ; "
                    "renommez l'une d'elles");
        else if (C.MessageEst (EMsg::ParamDejaDeclare))
            X.Aide ("deux paramètres s'appellent " + Citer (Nom) + " : donnez-leur des noms différents");
        else if (D && D->Nature == ENature::Parametre)
            X.Aide (Citer (Nom) + " est déjà un paramètre de l'unité (" + TexteLigne (C.Ligne (D->Decalage))
                    + ") : ne le redéclarez pas, utilisez-le directement");
        else
            X.Aide (Citer (Nom) + " est déjà déclaré" + Ou + " dans un bloc encore ouvert : supprimez cette seconde déclaration, "
                    "ou choisissez un autre nom");
        return true;
    }
}
