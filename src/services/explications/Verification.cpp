#include "services/explications/Verification.h"

#include "services/analyses/Analyses.h"
#include "services/analyses/References.h"
#include "services/analyses/Logique.h"
#include "services/explications/Explication.h"
#include "types/TypesCodes.h"

#include <algorithm>
#include <cstdio>

namespace nsTramelo
{
    namespace
    {
        // Le si (ou la boucle) qui termine le corps d'une fonction, pour dire pourquoi sa fin peut
        // etre atteinte : son premier mot, sa ligne et, pour un si, s'il a une branche sinon.
        struct SDerniere
        {
            std::string Mot;
            std::size_t Ligne = 0;
            bool        AvecSinon = false;
        };

        SDerniere DerniereDe (const STraduction & T, const SUnite & U)
        {
            SDerniere R;
            const SInstr * I = DerniereInstruction (T.Modele, U);
            if (! I) return R;
            const CLexique Lex (T.Texte, T.FinLignes);
            R.Mot = Lex.Extrait (Lex.Suivant (I->Plage.Debut));
            R.Ligne = Lex.Ligne (I->Plage.Debut);
            R.AvecSinon = I->Genre == EInstr::Si && I->NbSuites > I->NbExprs;
            return R;
        }

        void VerifierRenvoie (const STraduction & T, const SUnite & U, CSitueur & P, SVerification & V)
        {
            SDiagnosticExplique D;
            D.Code = CodeFinSansRenvoie;
            D.Message = "la fin de la fonction " + Citer (U.Nom) + " peut être atteinte sans renvoie";
            D.Position = P.Situer (U.DecalageFin);
            D.Longueur = 3;
            D.Regle = "fin_sans_renvoie";
            const std::string Type = NomType (U.TypeRetour);
            const SDerniere Derniere = DerniereDe (T, U);
            if (Derniere.Mot == "si" && ! Derniere.AvecSinon)
                D.Aides.push_back ({ true, "le si de la " + TexteLigne (Derniere.Ligne) + " n'a pas de sinon : "
                                           "quand sa condition est fausse, la fonction arrive à fin sans rien renvoyer" });
            else if (Derniere.Mot == "si")
                D.Aides.push_back ({ true, "une branche du si de la " + TexteLigne (Derniere.Ligne)
                                           + " ne se termine pas par renvoie" });
            else if (Derniere.Mot == "pour" || Derniere.Mot == "tant_que" || Derniere.Mot == "jusqua"
                     || Derniere.Mot == "repeter" || Derniere.Mot == "boucle")
                D.Aides.push_back ({ true, "la fonction se termine par la boucle " + Derniere.Mot + " de la "
                                           + TexteLigne (Derniere.Ligne) + " : un renvoie dans une boucle ne suffit pas, "
                                           "la boucle peut se terminer sans l'atteindre" });
            else if (! Derniere.Mot.empty ())
                D.Aides.push_back ({ true, "la dernière instruction de la fonction (" + TexteLigne (Derniere.Ligne)
                                           + ") n'est pas un renvoie" });
            D.Aides.push_back ({ false, "terminez la fonction par « renvoie valeur; » juste avant ce fin (une valeur de type "
                                        + Type + "), ou donnez un renvoie à chaque branche d'un si … sinon … fsi" });
            V.Diagnostics.push_back (std::move (D));
        }

        void SignalerDivision (const STraduction & T, const SDivisionEntiere & Div, CSitueur & P,
                               SVerification & V)
        {
            SDiagnosticExplique D;
            D.Gravite = EGravite::Avertissement;
            D.Code = CodeDivisionEntiere;
            const std::string Litteral = T.Texte.substr (Div.Litteral.Decalage, Div.Litteral.Longueur);
            const bool ADroite = Div.Litteral.Decalage > Div.Operateur;
            const std::string Forme = ADroite ? "… / " + Litteral : Litteral + " / …";
            D.Message = "division entière : " + Citer (Litteral) + " est un entier dans ce langage";
            D.Position = P.Situer (Div.Litteral.Decalage);
            D.Longueur = Div.Litteral.Longueur;
            D.Regle = "division_entiere";
            D.Aides.push_back ({ true, "un nombre dont la partie décimale est nulle est un entier : " + Citer (Litteral)
                                       + " s'écrit " + Citer (std::to_string (static_cast <long long> (std::strtod (Litteral.c_str (), nullptr))))
                                       + " en C++, et " + Citer (Forme) + " entre entiers est une division entière (7 / 2.0 vaut 3)" });
            D.Aides.push_back ({ false, "pour une division réelle, un des deux opérandes doit être de type reel : par exemple "
                                        "« declarer DEUX : constante reel <- 2; » puis « n / DEUX », ou recopiez "
                                        "l'entier dans une variable reel avant de diviser" });
            V.Diagnostics.push_back (std::move (D));
        }
    }

    namespace
    {
        void SignalerReference (const STraduction & T, const SReferenceDouble & R, CSitueur & P, SVerification & V)
        {
            SDiagnosticExplique D;
            D.Gravite = EGravite::Avertissement;
            D.Code = CodeReferenceDouble;
            const bool Chaine = IsTypeString (R.Conteneur->Type);
            const std::string Tableau = T.Texte.substr (R.Tableau.Debut, R.Tableau.Longueur);
            const std::string Element = T.Texte.substr (R.Element.Debut, R.Element.Longueur);
            D.Message = Citer (Tableau) + (Chaine ? " et son caractère " : " et son élément ") + Citer (Element)
                      + " sont passés par référence au même appel de " + R.Unite->Nom;
            D.Position = P.Situer (R.Element.Debut);
            D.Longueur = R.Element.Longueur;
            D.Regle = "reference_double";
            D.Aides.push_back ({ true, "si " + R.Unite->Nom + (Chaine ? " change la chaîne " : " allonge ou redimensionne le tableau ")
                                       + Tableau + " pendant l'appel, la référence vers " + Element + " peut ne plus désigner "
                                       "un de ses " + (Chaine ? "caractères" : "éléments")
                                       + " : en C++, le programme lirait ou écrirait une mémoire libérée" });
            D.Aides.push_back ({ false, "passez " + Citer (Element) + " par valeur (paramètre in), ou passez son indice" });
            V.Diagnostics.push_back (std::move (D));
        }

        // Les avertissements de logique, en mots de debutant, avec les noms et valeurs du programme.
        void SignalerLogique (const STraduction & T, const SFauteLogique & F, CSitueur & P, SVerification & V)
        {
            const SModele & M = T.Modele;
            const CLexique Lex (T.Texte, T.FinLignes);
            auto Nom = [&] (IdDecl D) { return D < M.Declarations.size () ? Citer (M.Declarations [D].Nom) : std::string ("…"); };
            auto Brut = [&] (SPlage Pl)
            {
                std::string R;
                for (std::size_t i = Pl.Debut; i < Pl.Fin () && i < T.Texte.size (); ++i)
                    if (T.Texte [i] != '\n' && T.Texte [i] != '\r' && ! (R.size () && R.back () == ' ' && T.Texte [i] == ' ')) R += T.Texte [i];
                return R;
            };
            auto Extrait = [&] (SPlage Pl) { return Citer (Brut (Pl)); };
            SDiagnosticExplique D;
            D.Gravite = EGravite::Avertissement;
            D.Position = P.Situer (F.Place.Debut);
            D.Longueur = F.Place.Longueur;
            const std::string MotBoucle = F.Instr ? Lex.Extrait (Lex.Suivant (F.Instr->Plage.Debut)) : "";
            switch (F.Genre)
            {
                case ELogique::PourSansDescendant :
                {
                    const bool Descendant = F.Instr && (F.Instr->Drapeaux & InstrDescendant);
                    const std::string A = std::to_string (F.Valeurs [0]), B = std::to_string (F.Valeurs [1]);
                    D.Code = CodePourSensContraire;
                    D.Regle = "pour_sens_contraire";
                    D.Message = "la boucle pour va de " + A + " à " + B + (Descendant ? " avec" : " sans") + " « descendant » : "
                                "son corps ne s'exécute jamais";
                    if (Descendant)
                        D.Aides.push_back ({ false, "pour compter de " + A + " à " + B + ", retirez « descendant » ; pour compter à "
                                                    "rebours, écrivez d'abord la plus grande borne : « pour (" + M.Declarations [F.Decl].Nom
                                                    + " variant_de " + B + " a " + A + " descendant) »" });
                    else
                        D.Aides.push_back ({ false, "pour compter à rebours de " + A + " à " + B + ", ajoutez « descendant » : « pour ("
                                                    + (F.Decl < M.Declarations.size () ? M.Declarations [F.Decl].Nom : "i")
                                                    + " variant_de " + A + " a " + B + " descendant) »" });
                    break;
                }
                case ELogique::BoucleFigee :
                {
                    std::string Noms;
                    for (std::size_t k = 0; k < F.Noms.size (); ++k)
                        Noms += (k == 0 ? "" : k + 1 == F.Noms.size () ? " ni " : ", ") + Nom (F.Noms [k]);
                    D.Code = CodeBoucleFigee;
                    D.Regle = "boucle_figee";
                    D.Message = "la condition de la boucle " + MotBoucle + " ne change jamais : le corps ne modifie "
                              + (F.Noms.size () > 1 ? "ni " : "pas ") + Noms;
                    if (MotBoucle == "repeter")
                        D.Aides.push_back ({ true, "la boucle s'arrête au premier tour si " + Extrait (F.Place) + " est vraie ; sinon, "
                                                   "elle ne s'arrête jamais" });
                    else if (MotBoucle == "jusqua")
                        D.Aides.push_back ({ true, "si " + Extrait (F.Place) + " est fausse au premier tour, la boucle ne s'arrête "
                                                   "jamais" });
                    else
                        D.Aides.push_back ({ true, "si " + Extrait (F.Place) + " est vraie au premier tour, la boucle ne s'arrête "
                                                   "jamais" });
                    D.Aides.push_back ({ false, "faites évoluer " + Nom (F.Noms [0]) + " dans le corps de la boucle (une "
                                                "affectation, une saisie), ou vérifiez que la condition porte sur la bonne variable" });
                    break;
                }
                case ELogique::ReelDansEntier :
                {
                    D.Code = CodeReelDansEntier;
                    D.Regle = "reel_dans_entier";
                    const bool Renvoie = F.Instr && F.Instr->Genre == EInstr::Renvoie;
                    const std::string Valeur = Extrait (F.Place);
                    if (Renvoie)
                        D.Message = "la fonction " + Nom (F.Decl) + " renvoie un entier : la valeur reel " + Valeur
                                  + " y perd sa partie décimale";
                    else
                        D.Message = "la valeur reel " + Valeur + " est rangée dans " + Nom (F.Decl) + ", un entier : sa partie "
                                    "décimale est perdue";
                    if (F.Valeurs [0])
                        D.Aides.push_back ({ true, Valeur + " devient " + std::to_string (F.Valeurs [1])
                                                   + " (la partie décimale est tronquée)" });
                    D.Aides.push_back ({ false, Renvoie ? "si la partie décimale compte, la fonction doit renvoyer un reel : "
                                                          "« renvoie reel » dans son en-tête"
                                                        : "si la partie décimale compte, déclarez " + Nom (F.Decl) + " de type reel" });
                    break;
                }
                case ELogique::ParametreInModifie :
                {
                    D.Code = CodeParametreInModifie;
                    D.Regle = "parametre_in_modifie";
                    const SDeclaration & Decl = M.Declarations [F.Decl];
                    const std::string Unite = Decl.Unite < M.Unites.size () ? Citer (M.Unites [Decl.Unite].Nom) : "l'unité";
                    D.Message = Nom (F.Decl) + " est un paramètre in : cette modification ne change que la copie locale, "
                                "l'appelant ne la voit pas";
                    D.Aides.push_back ({ false, "pour rendre la valeur à l'appelant, déclarez « " + Decl.Nom + " : in_out "
                                                + NomType (Decl.Type) + " » dans l'en-tête de " + Unite
                                                + " (ou out si la valeur reçue ne sert pas)" });
                    break;
                }
                case ELogique::LectureAvantValeur :
                {
                    D.Code = CodeLectureSansValeur;
                    D.Regle = "lecture_sans_valeur";
                    const bool Parfois = F.Valeurs [0] != 0;
                    D.Message = Parfois ? Nom (F.Decl) + " peut être lu sans avoir reçu de valeur"
                                        : Nom (F.Decl) + " est lu avant d'avoir reçu une valeur";
                    if (Parfois)
                        D.Aides.push_back ({ true, Nom (F.Decl) + " ne reçoit une valeur que sur certains chemins avant cette ligne "
                                                   "(dans un si sans sinon, ou dans une boucle qui peut ne pas tourner)" });
                    D.Aides.push_back ({ true, "le profil vérifié met chaque variable à 0 au départ, le profil standard lui laisse "
                                               "une valeur quelconque : le programme peut sembler juste et ne pas l'être" });
                    D.Aides.push_back ({ false, "donnez une valeur à " + Nom (F.Decl) + " avant de le lire, sur tous les chemins "
                                                "(« " + M.Declarations [F.Decl].Nom + " <- … ; » ou une saisie)" });
                    break;
                }
                case ELogique::IndiceHorsTaille :
                {
                    D.Code = CodeIndiceHorsTaille;
                    D.Regle = "indice_hors_taille";
                    const std::string Tableau = M.Declarations [F.Decl].Nom;
                    const long long N = F.Valeurs [1], Fautif = F.Valeurs [0];
                    const std::string Indices = N == 0 ? Citer (Tableau) + " n'a aucun élément (tableau_de 0)"
                                              : Citer (Tableau) + " a " + std::to_string (N) + (N == 1 ? " élément" : " éléments")
                                                + ", d'indices 0 à " + std::to_string (N - 1);
                    const std::string Arret = "l'exécution s'arrêterait ici sur « Indice invalide »";
                    if (! F.Instr)
                    {
                        const std::string Indice = Brut (F.Place);
                        D.Message = Citer (Tableau + "[" + Indice + "]")
                                  + (Indice == std::to_string (Fautif) ? "" : " (indice " + std::to_string (Fautif) + ")")
                                  + " sort du tableau : " + Indices;
                        D.Aides.push_back ({ true, Arret });
                        if (N > 0)
                            D.Aides.push_back ({ false, "le premier élément est « " + Tableau + "[0] », le dernier « " + Tableau + "["
                                                        + std::to_string (N - 1) + "] » (taille (" + Tableau + ") - 1)" });
                        else
                            D.Aides.push_back ({ false, "donnez une taille au tableau dans sa déclaration, ou allongez-le "
                                                        "(allonger, redimensionner) avant d'y accéder" });
                        break;
                    }
                    const std::string Var = M.Declarations [F.Noms [0]].Nom;
                    const long long c = F.Valeurs [2], A = F.Valeurs [3], B = F.Valeurs [4];
                    const bool Descendant = F.Instr->Drapeaux & InstrDescendant;
                    const std::string Element = Citer (Tableau + "[" + Brut (F.Place) + "]");
                    D.Message = "quand « " + Var + " » vaut " + std::to_string (Fautif - c) + ", " + Element
                              + (c == 0 ? "" : " (indice " + std::to_string (Fautif) + ")") + " sort du tableau : " + Indices;
                    D.Aides.push_back ({ true, "la boucle pour de la " + TexteLigne (Lex.Ligne (F.Instr->Plage.Debut)) + " fait aller « "
                                               + Var + " » de " + std::to_string (A) + " à " + std::to_string (B) + " ; " + Arret });
                    if (N == 0) break;
                    // Les bornes qui gardent l'indice dans le tableau : decalees si la boucle a le
                    // bon nombre de tours (de 1 a N au lieu de 0 a N - 1), rognees sinon.
                    const long long Tours = Descendant ? A - B + 1 : B - A + 1;
                    long long Bas = std::max (Descendant ? B : A, -c), Haut = std::min (Descendant ? A : B, N - 1 - c);
                    if (c == 0 && Tours == N) { Bas = 0; Haut = N - 1; }
                    if (Bas > Haut) break;
                    const std::string De = std::to_string (Descendant ? Haut : Bas), Jusqua = std::to_string (Descendant ? Bas : Haut);
                    std::string Aide = "faites aller « " + Var + " » de " + De + " à " + Jusqua + " : « pour (" + Var + " variant_de " + De
                                     + " a " + Jusqua + (Descendant ? " descendant" : "") + ") »";
                    if (c == 0 && ! Descendant && Bas == 0 && Haut == N - 1)
                        Aide += ", ou « pour (" + Var + " variant_de 0 a taille (" + Tableau + ") - 1) »";
                    D.Aides.push_back ({ false, Aide });
                    break;
                }
            }
            V.Diagnostics.push_back (std::move (D));
        }
    }

    const char * TexteGravite (EGravite Gravite) { return Gravite == EGravite::Erreur ? "erreur" : "attention"; }

    SVerification Verifier (const std::string & Source, const SOptions & Options)
    {
        SVerification V;
        V.Traduction = Traduire (Source, Options);
        const STraduction & T = V.Traduction;
        CSitueur P (Source, Options.TailleTab, T.FinLignes);
        if (T.Erreur)
        {
            const SDiagnostic & E = * T.Erreur;
            if (E.Positionne)
            {
                std::optional <SRetouche> Retouche;
                SDiagnosticExplique D = Expliquer (Source, Options, T, & Retouche);
                D.Position = P.Situer (D.Position.Decalage);
                D.Arret = E.Arret;
                if (Retouche)
                {
                    // La correction, dans le source d'origine (les tabulations n'y sont qu'un octet).
                    SCorrection Corr;
                    Corr.Position = P.Situer (Retouche->Decalage);
                    const SPosition Fin = P.Situer (Retouche->Decalage + Retouche->Longueur);
                    Corr.Longueur = Fin.DecalageOrigine - Corr.Position.DecalageOrigine;
                    Corr.Texte = Retouche->Texte;
                    D.Correction = std::move (Corr);
                }
                V.Diagnostics.push_back (std::move (D));
            }
            else
            {
                SDiagnosticExplique D;
                D.Code = E.Code;
                D.Message = D.MessageTramelo = E.Libelle;
                D.Positionne = false;
                D.Regle = "sans_position";
                V.Diagnostics.push_back (std::move (D));
            }
            return V;
        }
        // Verifications des outils, sur un source que Tramelo traduit.
        for (const SDivisionEntiere & Div : DivisionsEntieres (T.Modele, T.Texte)) SignalerDivision (T, Div, P, V);
        for (const SReferenceDouble & R : ReferencesDoubles (T.Modele)) SignalerReference (T, R, P, V);
        for (const SFauteLogique & F : FautesLogiques (T.Modele)) SignalerLogique (T, F, P, V);
        for (const SUnite & U : T.Modele.Unites)
            if (FinSansRenvoie (T.Modele, U)) VerifierRenvoie (T, U, P, V);
        std::stable_sort (V.Diagnostics.begin (), V.Diagnostics.end (),
                          [] (const SDiagnosticExplique & a, const SDiagnosticExplique & b)
                          { return a.Position.Decalage < b.Position.Decalage; });
        return V;
    }

    namespace
    {
        // Sequences ANSI, comme GCC : emplacement en gras, gravite en couleur, aides en vert.
        const char * const Gras = "\033[1m";
        const char * const Rouge = "\033[1;31m";
        const char * const Magenta = "\033[1;35m";
        const char * const Vert = "\033[1;32m";
        const char * const Cyan = "\033[1;36m";
        const char * const Normal = "\033[0m";
    }

    std::string FormaterGcc (const std::string & Fichier, const std::string & Source, const SOptions & Options,
                             const SDiagnosticExplique & D, bool Couleur)
    {
        auto Colorer = [Couleur] (const char * Sequence, const std::string & Texte)
        {
            return Couleur ? Sequence + Texte + Normal : Texte;
        };
        const std::string Gravite = Colorer (D.Gravite == EGravite::Erreur ? Rouge : Magenta, TexteGravite (D.Gravite));
        const std::string Suffixe = " : " + D.Message + " [" + std::to_string (D.Code) + "]\n";
        if (! D.Positionne) return Colorer (Gras, Fichier + ":") + " " + Gravite + Suffixe;

        std::string R = Colorer (Gras, Fichier + ':' + std::to_string (D.Position.Ligne) + ':'
                                       + std::to_string (D.Position.ColonneOrigine) + ':')
                      + ' ' + Gravite + Suffixe;

        // L'extrait : la ligne d'origine, tabulations developpees, et le signe sous la faute.
        const std::size_t Pos = std::min (D.Position.DecalageOrigine, Source.size ());
        const std::size_t Debut = Pos == 0 ? 0 : (Source.rfind ('\n', Pos - 1) == std::string::npos ? 0 : Source.rfind ('\n', Pos - 1) + 1);
        std::size_t Fin = Source.find ('\n', Debut);
        if (Fin == std::string::npos) Fin = Source.size ();
        if (Fin > Debut && Source [Fin - 1] == '\r') --Fin;
        const unsigned Tab = Options.TailleTab == 0 ? 4 : Options.TailleTab;
        std::string Ligne, Avant;
        std::size_t AvantFaute = 0, FinFaute = 0;
        for (std::size_t i = Debut; i <= Fin; ++i)
        {
            if (i == Pos) AvantFaute = Ligne.size ();
            if (i == std::min (Pos + D.Longueur, Fin)) FinFaute = Ligne.size ();
            if (i == Fin) break;
            if (Source [i] == '\t') Ligne.append (Tab - Ligne.size () % Tab, ' ');
            else Ligne += Source [i];
        }
        if (Pos > Fin) AvantFaute = FinFaute = Ligne.size ();
        char Marge [32];
        std::snprintf (Marge, sizeof Marge, "%5zu | ", D.Position.Ligne);
        R += Marge + Ligne + '\n';
        const std::size_t Decale = LargeurAffichee (Ligne, 0, AvantFaute);
        const std::size_t Largeur = FinFaute > AvantFaute ? LargeurAffichee (Ligne, AvantFaute, FinFaute) : 1;
        R += "      | " + std::string (Decale, ' ')
           + Colorer (Vert, '^' + std::string (Largeur - 1, '~')) + '\n';
        for (const SAide & A : D.Aides)
            R += Colorer (A.Note ? Cyan : Vert, A.Note ? "note :" : "aide :") + ' ' + A.Texte + '\n';
        return R;
    }
}
