// Regles des caracteres : marque d'ordre des octets, octets non ASCII (accents, ponctuation
// typographique), litteraux caractere et chaine mal fermes, echappements, octet nul.
#include "services/explications/Explication.h"

#include "scanner/Scanner.h"

#include "symbols/Vocabulaire.h"

#include <cstdio>

using nsUtil::EMsg;

namespace nsTramelo::nsRegles
{
    namespace
    {
        std::string Hexa (unsigned char c)
        {
            char T [8];
            std::snprintf (T, sizeof T, "0x%02X", c);
            return T;
        }

        // Un caractere typographique et ce qu'il faut ecrire a sa place.
        struct SRemplacement { std::uint32_t Cp; const char * Nom; const char * Ecrire; };
        const SRemplacement Remplacements [] =
        {
            { 0x2019, "l'apostrophe typographique « ’ »", "l'apostrophe droite « ' »" },
            { 0x2018, "l'apostrophe typographique « ‘ »", "l'apostrophe droite « ' »" },
            { 0x201C, "le guillemet typographique « “ »", "le guillemet droit « \" »" },
            { 0x201D, "le guillemet typographique « ” »", "le guillemet droit « \" »" },
            { 0xAB, "le guillemet français « « »", "le guillemet droit « \" »" },
            { 0xBB, "le guillemet français « » »", "le guillemet droit « \" »" },
            { 0xA0, "une espace insécable", "une espace ordinaire" },
            { 0x202F, "une espace fine insécable", "une espace ordinaire" },
            { 0x2264, "le signe « ≤ »", "« <= »" },
            { 0x2265, "le signe « ≥ »", "« >= »" },
            { 0x2260, "le signe « ≠ »", "« ne_vaut_pas »" },
            { 0x2190, "la flèche « ← »", "« <- » (deux caractères : < puis -)" },
            { 0xD7, "le signe « × »", "« * »" },
            { 0xF7, "le signe « ÷ »", "« / »" },
            { 0x2212, "le signe moins typographique « − »", "« - »" },
            { 0x2013, "le tiret « – »", "« - »" },
        };
    }

    // Le fichier commence par EF BB BF : Tramelo y voit un caractere qui ne commence aucune unite.
    bool MarqueOrdreOctets (const CContexte & C, SExplication & X)
    {
        if (C.Texte.compare (0, 3, "\xEF\xBB\xBF") != 0 || C.Arret > 3) return false;
        X.Placer (0, 3);
        X.Aide ("le fichier commence par une marque d'ordre des octets UTF-8 (BOM, les octets EF BB BF), "
                "invisible dans la plupart des éditeurs : enregistrez-le en « UTF-8 sans BOM »");
        return true;
    }

    bool CaractereNul (const CContexte & C, SExplication & X)
    {
        // 149 apres une traduction complete ; ailleurs, un NUL est pris pour la fin du texte (113...).
        const bool Nul = C.Arret < C.Texte.size () && C.Texte [C.Arret] == '\0';
        if (! C.MessageEst (EMsg::CaractereNul) && ! Nul) return false;
        X.Placer (Nul ? C.Arret : C.Arret > 0 ? C.Arret - 1 : 0, 1);
        X.Aide ("le fichier contient un octet nul (0x00), ce qui n'arrive que dans un fichier abîmé ou binaire : "
                "vérifiez que c'est bien le source, enregistré comme texte");
        return true;
    }

    // 111 : un litteral caractere ne contient qu'un octet entre apostrophes.
    bool CaractereLong (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::QuoteAttendue)) return false;
        const std::size_t DebutLigne = C.Lex.DebutLigne (C.Ligne (C.Arret));
        std::size_t Quote = C.Texte.rfind ('\'', C.Arret == 0 ? 0 : C.Arret - 1);
        if (Quote == std::string::npos || Quote < DebutLigne) return false;
        // L'apostrophe ouvrante : celle qui precede le premier caractere lu.
        if (Quote + 1 < C.Arret && C.Texte [Quote] == '\'' && Quote > DebutLigne && C.Texte [Quote - 1] == '\'') --Quote;
        const SJeton Lit = C.Lex.Suivant (Quote);
        X.Placer (Lit);
        const std::string Texte = C.Mot (Lit);
        const std::string Contenu = Lit.Ferme && Texte.size () >= 2 ? Texte.substr (1, Texte.size () - 2) : Texte.substr (1);
        bool NonAscii = false;
        for (char c : Contenu) NonAscii = NonAscii || static_cast <unsigned char> (c) >= 0x80;
        if (! Lit.Ferme)
        {
            X.Placer (Lit.Debut, 1);
            X.Aide ("l'apostrophe ouverte ici n'est pas refermée : un caractère s'écrit « 'a' » ; pour un texte, "
                    "utilisez des guillemets : « \"texte\" »");
        }
        else if (NonAscii)
        {
            X.Aide (Citer (Texte) + " : " + Citer (Contenu) + " occupe plusieurs octets en UTF-8 et un caractère "
                    "n'en contient qu'un ; écrivez une chaîne « \"" + Utf8Valide (Contenu)
                    + "\" » (type string) ou une lettre sans accent « '" + SansAccents (Contenu) + "' »");
        }
        else if (Contenu.empty ())
            X.Aide ("« '' » ne contient aucun caractère : pour une espace, écrivez « ' ' » ; pour un texte vide, « \"\" »");
        else
            X.Aide (Citer (Texte) + " contient plusieurs caractères : un caractère s'écrit avec un seul entre "
                    "apostrophes (« 'a' ») ; pour un texte, utilisez des guillemets : « \"" + Utf8Valide (Contenu) + "\" »");
        return true;
    }

    // 112 : la lecture s'est arretee sur le guillemet ouvrant, la chaine court jusqu'a la fin du fichier.
    bool ChaineOuverte (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::GuillemetAttendu))
        {
            // Une chaine de l'instruction qui passe a la ligne : son guillemet fermant est le plus
            // souvent oublie (elle se referme au premier guillemet d'une ligne suivante).
            for (const SJeton & J : C.Lex.Jetons (C.DebutInstruction (), C.Arret))
            {
                if (J.Genre != EJeton::Chaine || C.Texte.find ('\n', J.Debut) >= J.Fin ()) continue;
                const std::size_t Ligne = C.Ligne (J.Debut);
                std::size_t Fin = C.Lex.FinLigne (Ligne);
                while (Fin > J.Debut + 1 && IsBlanc (C.Texte [Fin - 1])) --Fin;
                X.Placer (J.Debut, Fin - J.Debut);
                X.Aide ("la chaîne " + Citer (C.Texte.substr (J.Debut, Fin - J.Debut)) + " commencée " + TexteLigne (Ligne)
                        + " n'est pas fermée sur sa ligne : ajoutez le guillemet fermant « \" » à la fin du texte");
                X.Note ("sans lui, la chaîne continue jusqu'au guillemet suivant, " + TexteLigne (C.Ligne (J.Fin () - 1)));
                return true;
            }
            // Un nombre impair de guillemets sur la ligne de l'arret : une chaine s'y ferme trop tot.
            const std::size_t Ligne = C.Ligne (C.Arret);
            std::size_t NbGuillemets = 0, Premier = std::string::npos;
            for (std::size_t i = C.Lex.DebutLigne (Ligne); i < C.Lex.FinLigne (Ligne); ++i)
            {
                if (C.Texte [i] == '\\') ++i;
                else if (C.Texte [i] == '"')
                {
                    if (Premier == std::string::npos) Premier = i;
                    ++NbGuillemets;
                }
            }
            if (NbGuillemets % 2 == 0 || C.E.Code != 110) return false;
            X.Placer (Premier, 1);
            X.Aide ("cette ligne contient un nombre impair de guillemets : une chaîne n'y est pas fermée là où il faut ; "
                    "chaque texte s'écrit entre deux guillemets « \"…\" »");
            return true;
        }
        const std::size_t Ligne = C.Ligne (C.Arret);
        const std::size_t FinLigne = C.Lex.FinLigne (Ligne);
        std::size_t Fin = FinLigne;
        while (Fin > C.Arret + 1 && IsBlanc (C.Texte [Fin - 1])) --Fin;
        X.Placer (C.Arret, Fin > C.Arret ? Fin - C.Arret : 1);
        const std::string Debut = C.Texte.substr (C.Arret, Fin - C.Arret);
        X.Aide ("la chaîne " + Citer (Debut) + " commencée " + TexteLigne (Ligne)
                + " n'est jamais fermée : ajoutez le guillemet fermant « \" » à la fin du texte");
        if (Debut.find ("\\\"") != std::string::npos)
            X.Note ("« \\\" » est un guillemet dans la chaîne, pas sa fin : pour finir par une barre oblique "
                    "inverse, écrivez « \\\\\" »");
        else
            X.Note ("sans guillemet fermant, la chaîne continue jusqu'à la fin du fichier");
        return true;
    }

    bool Echappement (const CContexte & C, SExplication & X)
    {
        if (! C.MessageEst (EMsg::SequenceEchappement)) return false;
        const std::size_t Barre = C.Texte.rfind ('\\', C.Arret == 0 ? 0 : C.Arret - 1);
        if (Barre != std::string::npos && Barre + 2 >= C.Arret) X.Placer (Barre, 2);
        const std::string Seq = X.Longueur == 2 ? C.Texte.substr (X.Decalage, 2) : "\\x";
        X.Aide (Citer (Seq) + " n'est pas permis dans un littéral (\\x, \\u et \\U ouvriraient un code "
                "numérique que le C++ refuse écrit ainsi) : écrivez le caractère lui-même");
        return true;
    }

    // Un octet non ASCII hors d'un litteral : accent dans un nom, ponctuation typographique, fichier
    // qui n'est pas en UTF-8. Tramelo s'arrete sur lui (ou juste apres le debut du mot).
    bool OctetNonAscii (const CContexte & C, SExplication & X)
    {
        const std::size_t Debut = C.Instruction ? std::min (C.Instruction->Decalage, C.Lex.DebutLigne (C.Ligne (C.Arret)))
                                                : C.Lex.DebutLigne (C.Ligne (C.Arret));
        SJeton Fautif;
        for (const SJeton & J : C.Lex.Jetons (Debut, C.FinInstruction () + 1))
            if (J.Genre == EJeton::Mot && J.NonAscii && (J.Debut <= C.Arret || C.Ligne (J.Debut) == C.Ligne (C.Arret)))
            {
                Fautif = J;
                break;
            }
        if (Fautif.Genre == EJeton::Fin) return false;
        const std::string Mot = C.Mot (Fautif);
        X.Placer (Fautif);
        // Le premier octet non ASCII du mot.
        std::size_t i = 0;
        while (i < Mot.size () && static_cast <unsigned char> (Mot [i]) < 0x80) ++i;
        const std::uint32_t Cp = PointDeCode (Mot, i);
        if (Cp == 0)
        {
            X.Aide ("l'octet " + Hexa (static_cast <unsigned char> (Mot [i])) + " de " + Citer (Mot)
                    + " n'est pas de l'UTF-8 : le fichier est sans doute enregistré en Latin-1 ; enregistrez-le "
                    "en UTF-8, et n'utilisez que des lettres sans accent dans les noms");
            return true;
        }
        const std::size_t Lg = LongueurUtf8 (Mot, i);
        for (const SRemplacement & R : Remplacements)
            if (R.Cp == Cp)
            {
                X.Placer (Fautif.Debut + i, Lg);
                X.Aide (std::string (R.Nom) + " n'est pas un caractère du langage : écrivez " + R.Ecrire);
                return true;
            }
        const std::string Propose = SansAccents (Mot);
        if (Mot == "\xC3\xA0")   // à
        {
            X.Aide ("« à » s'écrit « a », sans accent : les mots du langage n'en ont pas"
                    + std::string (C.Instruction && C.Mot (* C.Instruction) == "pour"
                                   ? " (pour (i variant_de 1 a n))" : ""));
            return true;
        }
        if (IsIdentReserve (Propose))
        {
            X.Aide (Citer (Mot) + " s'écrit " + Citer (Propose) + " : les mots du langage s'écrivent sans accent");
            return true;
        }
        if (Propose == "reel" || Propose == "booleen" || Propose == "caractere" || Propose == "chaine")
        {
            X.Aide (Citer (Mot) + " : les types s'écrivent sans accent (entier, entier_naturel, reel, booleen, "
                    "caractere, string)");
            return true;
        }
        if (Propose.empty () || ! IsLettre (Propose [0]))
            X.Aide ("le caractère " + Citer (Mot.substr (i, Lg)) + " n'est permis que dans une chaîne ou un "
                    "commentaire : les noms s'écrivent avec des lettres sans accent, des chiffres et « _ »");
        else
            X.Aide ("les noms s'écrivent sans accent (lettres, chiffres et « _ ») : écrivez " + Citer (Propose)
                    + " au lieu de " + Citer (Mot) + ", partout où ce nom apparaît");
        return true;
    }
}
