#include "services/explications/Retouches.h"

#include "services/explications/Lexique.h"
#include "symbols/Vocabulaire.h"

#include <algorithm>

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // La fenetre s'ouvre quelques lignes avant l'erreur (ce qui precede ne garde que les
        // declarations) et se ferme quelques dizaines de lignes apres elle.
        constexpr std::size_t LignesAvant = 10, LignesApres = 40;
        // Une retouche passe si la lecture va au moins ce nombre de mots au-dela d'elle (et de
        // l'erreur) : remplacer le ; de "saisir (n;" par ")" ne fait que deplacer l'erreur au mot
        // suivant.
        constexpr std::size_t JetonsAuDela = 3;
        // Budget : au plus ce nombre d'essais, et au plus trois traductions du source en octets
        // retraduits (plus une petite marge, qui ne compte que pour les petits sources).
        constexpr std::size_t MaxEssaisAbsolu = 40, MargeOctets = 64 * 1024;

        std::size_t LigneDe (const std::vector <std::uint32_t> & FinLignes, std::size_t Pos)
        {
            return std::upper_bound (FinLignes.begin (), FinLignes.end (), Pos) - FinLignes.begin () + 1;
        }

        bool IsMotOuChiffre (char c)
        {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
                || static_cast <unsigned char> (c) >= 0x80;
        }

        // Le texte insere entre Avant et Apres, avec un blanc la ou deux mots se colleraient.
        std::string Espace (const std::string & Texte, std::size_t Pos, const std::string & Insere)
        {
            if (Insere.empty ()) return Insere;
            std::string R = Insere;
            if (Pos > 0 && IsMotOuChiffre (Texte [Pos - 1]) && IsMotOuChiffre (Insere.front ())) R = ' ' + R;
            if (Pos < Texte.size () && IsMotOuChiffre (Texte [Pos]) && IsMotOuChiffre (Insere.back ())) R += ' ';
            return R;
        }
    }

    std::string Appliquer (const std::string & Texte, const SRetouche & R)
    {
        if (R.Decalage > Texte.size ()) return Texte;
        std::string S = Texte;
        S.replace (R.Decalage, std::min (R.Longueur, Texte.size () - R.Decalage), R.Texte);
        return S;
    }

    // --- La fenetre ---

    std::size_t CEssayeur::SFenetre::VersFenetre (std::size_t Pos, bool Fin) const
    {
        auto It = std::upper_bound (Morceaux.begin (), Morceaux.end (), Pos,
                                    [] (std::size_t P, const SMorceau & M) { return P < M.Origine; });
        if (It == Morceaux.begin ()) return SEssai::Bout;
        --It;
        if (Pos < It->Origine + It->Longueur || (Fin && Pos == It->Origine + It->Longueur))
            return It->Fenetre + (Pos - It->Origine);
        return SEssai::Bout;
    }

    std::size_t CEssayeur::SFenetre::VersOrigine (std::size_t Pos) const
    {
        auto It = std::upper_bound (Morceaux.begin (), Morceaux.end (), Pos,
                                    [] (std::size_t P, const SMorceau & M) { return P < M.Fenetre; });
        if (It == Morceaux.begin ()) return Morceaux.empty () ? 0 : Morceaux.front ().Origine;
        const auto Avant = It - 1;
        if (Pos < Avant->Fenetre + Avant->Longueur) return Avant->Origine + (Pos - Avant->Fenetre);
        // Sur le blanc qui remplace un retrait, ou apres le dernier morceau.
        return It == Morceaux.end () ? SEssai::Bout : It->Origine;
    }

    void CEssayeur::Retirer (IdSuite S, std::size_t Limite, bool Tout, std::vector <SPlage> & Retraits) const
    {
        if (S == Aucun) return;
        const SModele & M = T.Modele;
        const SSuite & Suite = M.Suites [S];
        for (std::uint32_t i = 0; i < Suite.NbInstrs; ++i)
        {
            const SInstr & I = M.InstrDe (Suite, i);
            if (I.Drapeaux & InstrIncomplete)
            {
                for (std::uint32_t s = 0; s < I.NbSuites; ++s) Retirer (M.IdSuiteDe (I, s), Limite, false, Retraits);
            }
            else if (I.Plage.Fin () <= Limite && I.Plage.Longueur > 0 && (Tout || I.Genre != EInstr::Declarer))
                Retraits.push_back (I.Plage);
        }
    }

    void CEssayeur::Construire (SFenetre & F, bool AvecRetraits) const
    {
        std::vector <SPlage> Retraits;
        if (AvecRetraits)
        {
            // Les noms employes de l'unite de l'erreur a la fin de la fenetre : une unite finie avant
            // elle qui n'y est pas nommee est retiree tout entiere (personne ne l'appelle ici).
            std::size_t DebutUnite = Avant;
            for (const SUnite & U : T.Modele.Unites)
                if (U.Debut <= Arret) DebutUnite = std::min (U.Debut, Avant);
            std::vector <std::string> Noms;
            const CLexique Lex (T.Texte, T.FinLignes);
            for (SJeton J = Lex.Suivant (DebutUnite); J.Genre != EJeton::Fin && J.Debut < Coupe; J = Lex.Suivant (J.Fin ()))
                if (J.Genre == EJeton::Mot) Noms.push_back (Lex.Extrait (J));
            std::sort (Noms.begin (), Noms.end ());
            Noms.erase (std::unique (Noms.begin (), Noms.end ()), Noms.end ());
            for (const SUnite & U : T.Modele.Unites)
            {
                if (U.Debut >= Avant) break;
                if (U.Complete && U.Fin <= DebutUnite && U.Fin > U.Debut
                    && ! std::binary_search (Noms.begin (), Noms.end (), U.Nom))
                {
                    Retraits.push_back ({ static_cast <std::uint32_t> (U.Debut), static_cast <std::uint32_t> (U.Fin - U.Debut) });
                    continue;
                }
                Retirer (U.Corps, Avant, U.Complete && U.Fin <= Avant, Retraits);
            }
        }
        std::sort (Retraits.begin (), Retraits.end (), [] (const SPlage & a, const SPlage & b) { return a.Debut < b.Debut; });
        F.Texte.clear ();
        F.Morceaux.clear ();
        std::size_t Curseur = 0;
        auto Garder = [&] (std::size_t Fin)
        {
            if (Fin <= Curseur) return;
            F.Morceaux.push_back ({ Curseur, F.Texte.size (), Fin - Curseur });
            F.Texte.append (T.Texte, Curseur, Fin - Curseur);
        };
        bool ApresRetrait = false;
        for (const SPlage & R : Retraits)
        {
            if (R.Debut < Curseur) continue;   // imbrique dans un retrait precedent
            if (R.Fin () > Coupe) break;
            // Deux retraits que seuls des blancs separent n'en font qu'un.
            bool Blancs = ApresRetrait;
            for (std::size_t i = Curseur; Blancs && i < R.Debut; ++i)
                Blancs = T.Texte [i] == ' ' || T.Texte [i] == '\n' || T.Texte [i] == '\r';
            if (! Blancs)
            {
                Garder (R.Debut);
                F.Texte += ' ';
            }
            Curseur = R.Fin ();
            ApresRetrait = true;
        }
        Garder (Coupe);
        if (F.Texte.empty () || F.Texte.back () != '\n') F.Texte += '\n';
    }

    CEssayeur::CEssayeur (const STraduction & Tr, const SOptions & O) : T (Tr), Options (O)
    {
        Options.Modele = false;
        Options.Verifie = false;
        const std::size_t Taille = T.Texte.size ();
        Arret = T.Erreur ? std::min (T.Erreur->Arret.Decalage, Taille) : Taille;
        const std::size_t NbLignes = T.FinLignes.size ();
        const std::size_t Ligne = NbLignes == 0 ? 1 : std::min (LigneDe (T.FinLignes, Arret), NbLignes);
        const std::size_t Premiere = Ligne > LignesAvant ? Ligne - LignesAvant : 1;
        Avant = Premiere <= 1 || NbLignes == 0 ? 0 : T.FinLignes [Premiere - 2];
        Coupe = NbLignes == 0 ? Taille : std::min <std::size_t> (T.FinLignes [std::min (Ligne + LignesApres, NbLignes) - 1], Taille);
        Construire (Compacte, true);
        // Le budget se compte en octets retraduits (une retouche loin de l'erreur retraduit une
        // fenetre plus grande) ; au moins trois essais, pour les aides des regles.
        Budget = std::max (3 * Taille + MargeOctets, 3 * Compacte.Texte.size ());
    }

    bool CEssayeur::Epuise () const
    {
        return Essais >= MaxEssaisAbsolu || Consomme + Compacte.Texte.size () > Budget;
    }

    SEssai CEssayeur::Essayer (const SRetouche & R)
    {
        SEssai Echec;
        Echec.Atteint = R.Decalage;
        if (Epuise () || ! T.Erreur || R.Decalage + R.Longueur > Coupe) return Echec;
        // Un essai qui depasserait le budget n'est pas fait (le premier de chaque fenetre l'est
        // toujours, grace au minimum de trois).
        // Une retouche ne change que du texte garde, d'un seul tenant.
        auto Placer = [&] (const SFenetre & F)
        {
            const std::size_t D = F.VersFenetre (R.Decalage, R.Longueur == 0);
            const std::size_t Fin = F.VersFenetre (R.Decalage + R.Longueur, true);
            return D != SEssai::Bout && Fin != SEssai::Bout && Fin - D == R.Longueur ? D : SEssai::Bout;
        };
        const SFenetre * F = & Compacte;
        std::size_t Pos = Placer (* F);
        if (Pos == SEssai::Bout)
        {
            if (Entiere.Texte.empty ()) Construire (Entiere, false);
            F = & Entiere;
            Pos = Placer (* F);
            if (Pos == SEssai::Bout) return Echec;
        }
        if (Consomme + F->Texte.size () > Budget) return Echec;
        ++Essais;
        Consomme += F->Texte.size ();
        std::string Texte = F->Texte;
        Texte.replace (Pos, R.Longueur, R.Texte);
        const STraduction Essai = Traduire (Texte, Options);
        if (! Essai.Erreur) return { true, SEssai::Bout };
        const SDiagnostic & E = * Essai.Erreur;
        if (! E.Positionne) return Echec;
        // Une chaine ou un caractere ouverts par la retouche avalent le texte : jamais un progres.
        if ((E.Msg == EMsg::GuillemetAttendu || E.Msg == EMsg::QuoteAttendue) && E.Msg != T.Erreur->Msg) return Echec;
        // L'arret de l'essai, ramene au texte d'origine.
        std::size_t Q = E.Arret.Decalage;
        if (Q >= Pos + R.Texte.size ()) Q = Q - R.Texte.size () + R.Longueur;
        else if (Q >= Pos) return Echec;   // dans le texte insere
        const std::size_t Origine = Q >= F->Texte.size () - 1 ? SEssai::Bout : F->VersOrigine (Q);
        if (Origine == SEssai::Bout || Origine >= Coupe) return { true, SEssai::Bout };
        SEssai S;
        S.Atteint = Origine;
        const std::size_t Depart = std::max (R.Decalage + R.Longueur, Arret);
        if (Origine <= Arret || Origine <= Depart) return S;
        const CLexique Lex (T.Texte, T.FinLignes);
        std::size_t N = 0;
        for (SJeton J = Lex.Suivant (Depart); J.Genre != EJeton::Fin && J.Fin () <= Origine && N < JetonsAuDela;
             J = Lex.Suivant (J.Fin ()))
            ++N;
        S.Passe = N >= JetonsAuDela;
        return S;
    }

    // --- La recherche ---

    std::vector <SCandidat> CandidatsAutour (const STraduction & T)
    {
        std::vector <SCandidat> V;
        if (! T.Erreur || ! T.Erreur->Positionne) return V;
        const SDiagnostic & E = * T.Erreur;
        const std::string & Texte = T.Texte;
        const CLexique Lex (Texte, T.FinLignes);
        const std::size_t A = std::min (E.Arret.Decalage, Texte.size ());
        const SJeton Au = Lex.Suivant (A), Avant = Lex.Precedent (A);
        const std::size_t Ici = Au.Genre == EJeton::Fin ? A : Au.Debut;
        // Au bout du mot precedent (sur la meme ligne ou sur une ligne precedente).
        const std::size_t Bout = Avant.Genre == EJeton::Fin ? Ici : Avant.Fin ();

        auto Ajouter = [&] (std::size_t Pos, std::size_t Lg, const std::string & Insere, unsigned Cout)
        {
            SCandidat C;
            C.Retouche = { Pos, Lg, Lg == 0 ? Espace (Texte, Pos, Insere) : Insere };
            if (Lg > 0 && ! Insere.empty ())
            {
                // Un mot qui en remplace un autre garde ses blancs autour.
                std::string Avec = Insere;
                if (Pos > 0 && IsMotOuChiffre (Texte [Pos - 1]) && IsMotOuChiffre (Insere.front ())) Avec = ' ' + Avec;
                if (Pos + Lg < Texte.size () && IsMotOuChiffre (Texte [Pos + Lg]) && IsMotOuChiffre (Insere.back ())) Avec += ' ';
                C.Retouche.Texte = Avec;
            }
            else if (Lg > 0 && Pos > 0 && Pos + Lg < Texte.size () && IsMotOuChiffre (Texte [Pos - 1])
                     && IsMotOuChiffre (Texte [Pos + Lg]))
                C.Retouche.Texte = " ";   // 1,2 : supprimer la virgule ne doit pas faire 12
            C.Cout = Cout;
            for (const SCandidat & D : V)
                if (D.Retouche == C.Retouche) return;
            V.push_back (std::move (C));
        };
        // Ce qu'on ne supprime ni ne remplace jamais : ce que l'etudiant a nomme ou ecrit.
        auto Modifiable = [&] (const SJeton & J)
        {
            if (J.Genre == EJeton::Symbole) return Texte.compare (J.Debut, J.Longueur, "\"") != 0 && Texte [J.Debut] != '\'';
            return J.Genre == EJeton::Mot && IsIdentReserve (Lex.Extrait (J));
        };
        auto Cout = [] (const std::string & S) { return IsMotOuChiffre (S.front ()) ? 2u : 1u; };

        std::string Attendu;
        if (E.Msg == EMsg::CaractereAttendu || E.Msg == EMsg::MotCleAttendu) Attendu = E.Attendu;
        if (E.Msg == EMsg::DebutAttendu) Attendu = "debut";
        if (! Attendu.empty ())
        {
            Ajouter (Bout, 0, Attendu, Cout (Attendu));
            Ajouter (Ici, 0, Attendu, Cout (Attendu));
            if (Au.Genre != EJeton::Fin && Modifiable (Au)) Ajouter (Au.Debut, Au.Longueur, Attendu, Cout (Attendu));
            // La parenthese et le ; oublies ensemble, au bout d'une ligne.
            if (Attendu == ")" && Bout != Ici && LigneDe (T.FinLignes, Bout) < LigneDe (T.FinLignes, Ici))
                Ajouter (Bout, 0, ");", 2);
        }
        if (Au.Genre != EJeton::Fin && Modifiable (Au)) Ajouter (Au.Debut, Au.Longueur, "", 1);
        if (Avant.Genre != EJeton::Fin && Modifiable (Avant) && LigneDe (T.FinLignes, Avant.Debut) == LigneDe (T.FinLignes, A))
            Ajouter (Avant.Debut, Avant.Longueur, "", 1);
        static const char * const Signes [] = { ";", ",", ")", "(", ":", "]", ".", "<-" };
        if (Au.Genre == EJeton::Symbole && Modifiable (Au))
            for (const char * S : Signes) Ajouter (Au.Debut, Au.Longueur, S, 1);
        for (const char * S : Signes)
        {
            if (std::string (S) == "." || std::string (S) == "<-") continue;
            Ajouter (Bout, 0, S, 1);
            Ajouter (Ici, 0, S, 1);
        }
        // Les textes remplaces a l'identique ne changent rien.
        V.erase (std::remove_if (V.begin (), V.end (), [&] (const SCandidat & C)
                 { return C.Retouche.Longueur > 0 && Texte.compare (C.Retouche.Decalage, C.Retouche.Longueur, C.Retouche.Texte) == 0; }),
                 V.end ());
        return V;
    }

    std::optional <SRetouche> ChercherRetouche (CEssayeur & E, const std::vector <SCandidat> & Candidats)
    {
        std::optional <SRetouche> Meilleure;
        SEssai Meilleur;
        unsigned CoutMeilleur = 0;
        for (const SCandidat & C : Candidats)
        {
            if (E.Epuise ()) break;
            const SEssai S = E.Essayer (C.Retouche);
            if (! S.Passe) continue;
            const bool PlusLoin = ! Meilleure || S.Atteint > Meilleur.Atteint;
            const bool AussiLoinMoinsCher = Meilleure && S.Atteint == Meilleur.Atteint && C.Cout < CoutMeilleur;
            if (PlusLoin || AussiLoinMoinsCher)
            {
                Meilleure = C.Retouche;
                Meilleur = S;
                CoutMeilleur = C.Cout;
            }
            // Au bout, pour le moindre cout : rien ne fera mieux.
            if (Meilleur.Atteint == SEssai::Bout && CoutMeilleur == 1) break;
        }
        return Meilleure;
    }
}
