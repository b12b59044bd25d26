// Construction et mise en page des organigrammes (voir Organigramme.h).
//
// Chaque construction est placee dans son propre repere : l'axe en x = 0, l'entree en haut, la
// sortie en (0, H). Elle rend son bloc : ses etendues a gauche et a droite de l'axe, sa hauteur,
// sa forme d'entree, ses arcs en attente (au plus un, qui finit sur sa sortie : la construction
// qui suit le relie a son entree) et ses sauts en attente (sortie, continue, renvoie : la boucle ou
// l'unite visee les relie). Le parent deplace le bloc a sa place : les formes et les arcs crees
// par un bloc forment une tranche contigue des tableaux, deplacee d'un coup.
#include "services/organigrammes/Organigramme.h"

#include "services/organigrammes/Textes.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace nsTramelo
{
    using namespace nsOrganigramme;

    const char * NomFigure (EFigure F)
    {
        switch (F)
        {
            case EFigure::Debut        : return "debut";
            case EFigure::Fin          : return "fin";
            case EFigure::EntreeSortie : return "entree-sortie";
            case EFigure::Action       : return "action";
            case EFigure::Decision     : return "decision";
            case EFigure::Pour         : return "pour";
            case EFigure::Jonction     : return "jonction";
        }
        return "action";
    }

    const char * NomArc (EArc A)
    {
        switch (A)
        {
            case EArc::Suite    : return "suite";
            case EArc::Oui      : return "oui";
            case EArc::Non      : return "non";
            case EArc::Tour     : return "tour";
            case EArc::Fini     : return "fini";
            case EArc::Retour   : return "retour";
            case EArc::Sortie   : return "sortie";
            case EArc::Continue : return "continue";
            case EArc::Renvoie  : return "renvoie";
        }
        return "suite";
    }

    namespace
    {
        // --- Mesures (pixels ; police a chasse fixe de 14 px : 8,4 px par caractere) ---
        constexpr double LargeurCaractere = 8.4;
        constexpr int HauteurLigne = 18;
        constexpr int Ecart = 36;          // entre deux formes d'une suite (la fleche)
        constexpr int Couloir = 24;        // d'un couloir de boucle au bloc qu'il longe
        constexpr int EcartColonnes = 40;  // entre deux branches d'un si
        constexpr int Marge = 16;
        constexpr std::size_t MaxLignesForme = 3;

        int Pair (double v) { const int n = static_cast <int> (std::ceil (v)); return n + (n & 1); }

        struct SSaut
        {
            std::uint32_t Arc;
            EArc Genre;
        };

        struct SDessinBloc
        {
            int G = 0, D = 0, H = 0;       // etendues a gauche et a droite de l'axe, hauteur
            int EntreeY = 0;               // ou l'arc qui arrive touche la forme d'entree
            std::uint32_t Entree = Aucun;
            std::vector <std::uint32_t> Sorties;   // au plus un arc en attente, qui finit en (0, H)
            std::vector <SSaut> Sauts;
            std::uint32_t Formes0 = 0, Formes1 = 0, Arcs0 = 0, Arcs1 = 0;
            bool Vide () const { return Entree == Aucun; }
        };

        class CConstructeur
        {
          public :
            CConstructeur (const STraduction & T, std::size_t & NbFormes)
                : M (T.Modele), Texte (T.Texte), FinLignes (T.FinLignes), NbFormes (NbFormes) {}

            SOrganigramme Unite (const SUnite & U)
            {
                O = SOrganigramme ();
                O.Nom = Assainir (U.Nom);
                const std::size_t DebutCorps = U.Corps != Aucun ? M.Suites [U.Corps].MotOuvrant.Debut : U.Debut;
                O.Titre = Assainir (TexteSource (Texte, U.Debut, DebutCorps));

                std::string Entete = "Début " + O.Nom;
                const std::size_t Ouvrante = O.Titre.find ('(');
                if (U.Nature != ENature::Algorithme && Ouvrante != std::string::npos)
                {
                    const std::size_t Fermante = O.Titre.find (')', Ouvrante);
                    if (Fermante != std::string::npos)
                        Entete += " " + O.Titre.substr (Ouvrante, Fermante - Ouvrante + 1);
                }
                const std::uint32_t Deb = Nouvelle (EFigure::Debut, "", Entete, U.Debut);
                const std::uint32_t Fin = Nouvelle (EFigure::Fin, "", "Fin",
                                                    U.DecalageFin != PorteeOuverte ? U.DecalageFin : U.Debut);
                const SForme & FD = O.Formes [Deb];
                const int hd = FD.Hauteur, wd = FD.Largeur;
                Placer (Deb, 0, hd / 2);

                SDessinBloc B;
                if (U.Corps != Aucun) B = Suite (U.Corps, true);
                const int yB = hd + Ecart;
                Deplacer (B, 0, yB);
                const std::uint32_t a = NouvelArc (Deb, EArc::Suite, "", { 0, hd });
                std::vector <std::uint32_t> Attente;
                int Bas = hd;
                if (! B.Vide ())
                {
                    Relier (a, B.Entree, { 0, yB + B.EntreeY });
                    Attente = B.Sorties;
                    Bas = yB + B.H;
                }
                else Attente.push_back (a);

                const int hf = O.Formes [Fin].Hauteur, wf = O.Formes [Fin].Largeur;
                const int yF = Bas + Ecart;
                Placer (Fin, 0, yF + hf / 2);
                for (const std::uint32_t p : Attente) Relier (p, Fin, { 0, yF });
                // Les renvoie venus de l'interieur : par un couloir a droite de tout, jusqu'a Fin.
                const int xr = std::max ({ B.D, wf / 2, wd / 2 }) + Couloir;
                for (const SSaut & S : B.Sauts)
                {
                    Prolonger (S.Arc, { xr, Dernier (S.Arc).Y });
                    Prolonger (S.Arc, { xr, yF + hf / 2 });
                    Relier (S.Arc, Fin, { wf / 2, yF + hf / 2 });
                }
                Cadrer ();
                return std::move (O);
            }

          private :
            const SModele & M;
            const std::string & Texte;
            const std::vector <std::uint32_t> & FinLignes;
            std::size_t & NbFormes;
            SOrganigramme O;

            // --- Formes et arcs ---

            std::size_t LigneDe (std::size_t Decalage) const
            {
                return static_cast <std::size_t> (std::upper_bound (FinLignes.begin (), FinLignes.end (), Decalage)
                                                  - FinLignes.begin ()) + 1;
            }

            std::uint32_t Nouvelle (EFigure F, const std::string & Genre, const std::string & TexteBrut, std::size_t Decalage)
            {
                if (++NbFormes > MaxFormesOrganigramme)
                    throw COrganigrammeTropGrand ("organigramme trop grand : plus de "
                                             + std::to_string (MaxFormesOrganigramme)
                                             + " formes (decoupez le programme, ou choisissez une unite avec --unite)");
                SForme S;
                S.Forme = F;
                S.Genre = Genre;
                S.Texte = Abreger (Assainir (TexteBrut), MaxTexteComplet);
                if (F != EFigure::Jonction) S.Ligne = LigneDe (Decalage);
                const std::size_t Colonnes = F == EFigure::Decision ? 24 : 32;
                if (F != EFigure::Jonction) S.Lignes = Couper (S.Texte, Colonnes, MaxLignesForme, S.Tronque);
                std::size_t Max = 0;
                for (const std::string & L : S.Lignes) Max = std::max (Max, NbCaracteres (L));
                const double tw = std::max (1.0, Max * LargeurCaractere);
                const double th = static_cast <double> (S.Lignes.size () * HauteurLigne);
                switch (F)
                {
                    case EFigure::Debut :
                    case EFigure::Fin :
                        S.Largeur = Pair (std::max (tw + 2 * 20, 96.0));
                        S.Hauteur = Pair (th + 16);
                        break;
                    case EFigure::EntreeSortie :
                        S.Largeur = Pair (std::max (tw + 2 * 14 + 2 * 10, 96.0));
                        S.Hauteur = Pair (th + 16);
                        break;
                    case EFigure::Action :
                        S.Largeur = Pair (std::max (tw + 2 * 14, 80.0));
                        S.Hauteur = Pair (th + 16);
                        break;
                    case EFigure::Decision :
                    {
                        // Losange de demi-diagonales a, b contenant le texte : tw/2a + th/2b <= 1.
                        const double b = th / 2 + 16;
                        const double a = (tw / 2) / (1 - (th / 2) / b) + 10;
                        S.Largeur = Pair (std::max (2 * a, 80.0));
                        S.Hauteur = Pair (2 * b);
                        break;
                    }
                    case EFigure::Pour :
                    {
                        const double h = th + 16;
                        S.Largeur = Pair (std::max (tw + 2 * 12 + h, 96.0));
                        S.Hauteur = Pair (h);
                        break;
                    }
                    case EFigure::Jonction :
                        break;
                }
                O.Formes.push_back (std::move (S));
                return static_cast <std::uint32_t> (O.Formes.size () - 1);
            }

            void Placer (std::uint32_t F, int X, int Y)
            {
                O.Formes [F].X = X;
                O.Formes [F].Y = Y;
            }

            std::uint32_t NouvelArc (std::uint32_t De, EArc Genre, const char * Etiquette, SPoint Depart)
            {
                return NouvelArc (De, Genre, Etiquette, Depart, false);
            }

            // Un saut (sortie, continue, renvoie qui ne finit pas l'unite) : relie par la boucle
            // ou l'unite qu'il vise.
            SSaut NouveauSaut (std::uint32_t De, EArc Genre, const char * Etiquette, SPoint Depart)
            {
                return { NouvelArc (De, Genre, Etiquette, Depart, true), Genre };
            }

            std::uint32_t NouvelArc (std::uint32_t De, EArc Genre, const char * Etiquette, SPoint Depart, bool Saut)
            {
                SArc A;
                A.De = De;
                A.Vers = Aucun;
                A.Genre = Genre;
                A.Etiquette = Etiquette;
                A.Saut = Saut;
                A.Trace.push_back (Depart);
                O.Arcs.push_back (std::move (A));
                return static_cast <std::uint32_t> (O.Arcs.size () - 1);
            }

            SPoint Dernier (std::uint32_t A) const { return O.Arcs [A].Trace.back (); }

            void Prolonger (std::uint32_t A, SPoint P)
            {
                std::vector <SPoint> & T = O.Arcs [A].Trace;
                if (T.back ().X == P.X && T.back ().Y == P.Y) return;
                // Un point sur le prolongement du segment precedent le remplace.
                if (T.size () >= 2)
                {
                    const SPoint & a = T [T.size () - 2];
                    const SPoint & b = T.back ();
                    const bool MemeDroite = (a.X == b.X && b.X == P.X && (b.Y - a.Y) * (P.Y - b.Y) > 0)
                                         || (a.Y == b.Y && b.Y == P.Y && (b.X - a.X) * (P.X - b.X) > 0);
                    if (MemeDroite)
                    {
                        T.back () = P;
                        return;
                    }
                }
                T.push_back (P);
            }

            void Relier (std::uint32_t A, std::uint32_t Vers, SPoint Arrivee)
            {
                Prolonger (A, Arrivee);
                O.Arcs [A].Vers = Vers;
            }

            // Les arcs en attente (chacun finit en x = sa colonne, au-dessus de Y) rejoignent
            // l'axe en (0, Y) ; a plusieurs, par une jonction d'ou part un seul arc.
            std::vector <std::uint32_t> Fusionner (const std::vector <std::uint32_t> & Attente, int Y)
            {
                for (const std::uint32_t p : Attente) Prolonger (p, { Dernier (p).X, Y });
                if (Attente.size () <= 1)
                {
                    for (const std::uint32_t p : Attente) Prolonger (p, { 0, Y });
                    return Attente;
                }
                const std::uint32_t J = Nouvelle (EFigure::Jonction, "", "", 0);
                Placer (J, 0, Y);
                for (const std::uint32_t p : Attente) Relier (p, J, { 0, Y });
                return { NouvelArc (J, EArc::Suite, "", { 0, Y }) };
            }

            void Debuter (SDessinBloc & B) const
            {
                B.Formes0 = static_cast <std::uint32_t> (O.Formes.size ());
                B.Arcs0 = static_cast <std::uint32_t> (O.Arcs.size ());
            }

            SDessinBloc & Terminer (SDessinBloc & B) const
            {
                B.Formes1 = static_cast <std::uint32_t> (O.Formes.size ());
                B.Arcs1 = static_cast <std::uint32_t> (O.Arcs.size ());
                return B;
            }

            void Deplacer (const SDessinBloc & B, int dx, int dy)
            {
                if (dx == 0 && dy == 0) return;
                for (std::uint32_t i = B.Formes0; i < B.Formes1; ++i)
                {
                    O.Formes [i].X += dx;
                    O.Formes [i].Y += dy;
                }
                for (std::uint32_t i = B.Arcs0; i < B.Arcs1; ++i)
                    for (SPoint & P : O.Arcs [i].Trace)
                    {
                        P.X += dx;
                        P.Y += dy;
                    }
            }

            // Tout en coordonnees positives, avec une marge.
            void Cadrer ()
            {
                // Un arc sans arrivee (un saut hors de toute boucle, que le traducteur refuse) n'est
                // pas dessine.
                O.Arcs.erase (std::remove_if (O.Arcs.begin (), O.Arcs.end (),
                                              [] (const SArc & A) { return A.Vers == Aucun; }),
                              O.Arcs.end ());
                int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
                bool Premier = true;
                auto Inclure = [&] (int a, int b, int c, int d)
                {
                    if (Premier) { x0 = a; y0 = b; x1 = c; y1 = d; Premier = false; return; }
                    x0 = std::min (x0, a); y0 = std::min (y0, b); x1 = std::max (x1, c); y1 = std::max (y1, d);
                };
                for (const SForme & F : O.Formes)
                    Inclure (F.X - F.Largeur / 2 - 4, F.Y - F.Hauteur / 2 - 4, F.X + F.Largeur / 2 + 4, F.Y + F.Hauteur / 2 + 4);
                for (const SArc & A : O.Arcs)
                    for (const SPoint & P : A.Trace) Inclure (P.X - 4, P.Y, P.X + 4, P.Y);
                // Place des etiquettes (« Oui », « terminé ») a droite des traces.
                x1 += 64;
                const int dx = Marge - x0, dy = Marge - y0;
                for (SForme & F : O.Formes) { F.X += dx; F.Y += dy; }
                for (SArc & A : O.Arcs)
                    for (SPoint & P : A.Trace) { P.X += dx; P.Y += dy; }
                O.Largeur = x1 - x0 + 2 * Marge;
                O.Hauteur = y1 - y0 + 2 * Marge;
            }

            // --- Textes du source ---

            std::string TexteDe (const SPlage & P) const { return TexteSource (Texte, P.Debut, P.Fin ()); }
            std::string TexteDe (IdExpr E) const { return TexteDe (M.Exprs [E].Plage); }

            std::string Arguments (const SInstr & I) const
            {
                std::string R;
                for (std::uint32_t k = 0; k < I.NbExprs; ++k)
                {
                    if (k > 0) R += ", ";
                    R += TexteDe (M.IdExprDe (I, k));
                }
                return R;
            }

            // L'instruction telle qu'ecrite, sans son point-virgule.
            std::string TexteInstruction (const SInstr & I) const
            {
                std::string R = TexteDe (I.Plage);
                if (! R.empty () && R.back () == ';') R.pop_back ();
                while (! R.empty () && R.back () == ' ') R.pop_back ();
                return R;
            }

            // --- Constructions ---

            static bool Dessinee (const SInstr & I)
            {
                return I.Genre != EInstr::Declarer && I.Genre != EInstr::ChoixSur;
            }

            SDessinBloc Suite (IdSuite S, bool FinEnsuite)
            {
                SDessinBloc R;
                Debuter (R);
                const SSuite & Su = M.Suites [S];
                std::uint32_t Derniere = Aucun;
                for (std::uint32_t i = 0; i < Su.NbInstrs; ++i)
                    if (Dessinee (M.InstrDe (Su, i))) Derniere = i;
                int y = 0;
                std::vector <std::uint32_t> Attente;
                for (std::uint32_t i = 0; i < Su.NbInstrs; ++i)
                {
                    const IdInstr I = M.IdInstrDe (Su, i);
                    if (! Dessinee (M.Instrs [I])) continue;
                    SDessinBloc B = Instruction (I, FinEnsuite && i == Derniere);
                    if (B.Vide ()) continue;
                    if (! R.Vide ()) y += Ecart;
                    Deplacer (B, 0, y);
                    for (const std::uint32_t a : Attente) Relier (a, B.Entree, { 0, y + B.EntreeY });
                    if (R.Vide ())
                    {
                        R.Entree = B.Entree;
                        R.EntreeY = B.EntreeY;
                    }
                    Attente = B.Sorties;
                    R.G = std::max (R.G, B.G);
                    R.D = std::max (R.D, B.D);
                    R.Sauts.insert (R.Sauts.end (), B.Sauts.begin (), B.Sauts.end ());
                    y += B.H;
                }
                R.H = y;
                R.Sorties = Attente;
                // Chaque rangee d'une suite n'a qu'une construction : un saut sort de la sienne
                // et gagne le bord de la suite sans rien traverser.
                AuBord (R);
                return Terminer (R);
            }

            // Un saut finit sur le bord de son bloc : a droite (sortie, renvoie), a gauche
            // (continue, vers le couloir de retour).
            static bool VersLaGauche (const SSaut & S) { return S.Genre == EArc::Continue; }

            void AuBord (const SDessinBloc & R)
            {
                for (const SSaut & S : R.Sauts)
                    Prolonger (S.Arc, { VersLaGauche (S) ? -R.G : R.D, Dernier (S.Arc).Y });
            }

            SDessinBloc Simple (EFigure F, const SInstr & I, const std::string & T)
            {
                SDessinBloc R;
                Debuter (R);
                R.Entree = Nouvelle (F, NomGenre (I.Genre), T, I.Plage.Debut);
                const SForme & S = O.Formes [R.Entree];
                const int w = S.Largeur, h = S.Hauteur;
                Placer (R.Entree, 0, h / 2);
                R.G = R.D = w / 2;
                R.H = h;
                R.Sorties.push_back (NouvelArc (R.Entree, EArc::Suite, "", { 0, h }));
                return Terminer (R);
            }

            SDessinBloc Renvoie (const SInstr & I, bool FinEnsuite)
            {
                SDessinBloc R;
                Debuter (R);
                R.Entree = Nouvelle (EFigure::Action, "renvoie", TexteInstruction (I), I.Plage.Debut);
                const int w = O.Formes [R.Entree].Largeur, h = O.Formes [R.Entree].Hauteur;
                Placer (R.Entree, 0, h / 2);
                R.G = R.D = w / 2;
                R.H = h;
                if (FinEnsuite) R.Sorties.push_back (NouvelArc (R.Entree, EArc::Renvoie, "", { 0, h }));
                else R.Sauts.push_back (NouveauSaut (R.Entree, EArc::Renvoie, "", { w / 2, h / 2 }));
                return Terminer (R);
            }

            // sortie ou continue hors d'un si (le traducteur ne le permet pas) : une action qui saute.
            SDessinBloc SautSeul (const SInstr & I, EArc Genre)
            {
                SDessinBloc R;
                Debuter (R);
                R.Entree = Nouvelle (EFigure::Action, NomGenre (I.Genre), TexteInstruction (I), I.Plage.Debut);
                const int w = O.Formes [R.Entree].Largeur, h = O.Formes [R.Entree].Hauteur;
                Placer (R.Entree, 0, h / 2);
                R.G = R.D = w / 2;
                R.H = h;
                const int x = Genre == EArc::Continue ? -w / 2 : w / 2;
                R.Sauts.push_back (NouveauSaut (R.Entree, Genre, "", { x, h / 2 }));
                return Terminer (R);
            }

            SDessinBloc Instruction (IdInstr Id, bool FinEnsuite)
            {
                const SInstr & I = M.Instrs [Id];
                switch (I.Genre)
                {
                    case EInstr::Affectation :
                        if (I.NbExprs >= 2)
                            return Simple (EFigure::Action, I, TexteDe (M.IdExprDe (I, 0)) + " ← " + TexteDe (M.IdExprDe (I, 1)));
                        return Simple (EFigure::Action, I, TexteInstruction (I));
                    case EInstr::AppelProcedure :
                    case EInstr::Allonger :
                    case EInstr::Redimensionner :
                        return Simple (EFigure::Action, I, TexteInstruction (I));
                    case EInstr::Afficher : return Simple (EFigure::EntreeSortie, I, "Afficher " + Arguments (I));
                    case EInstr::Saisir : return Simple (EFigure::EntreeSortie, I, "Lire " + Arguments (I));
                    case EInstr::LigneSuivante : return Simple (EFigure::EntreeSortie, I, "ligne_suivante");
                    case EInstr::Renvoie : return Renvoie (I, FinEnsuite);
                    case EInstr::Si : return Si (I, FinEnsuite);
                    case EInstr::TantQue :
                    case EInstr::JusquA :
                    case EInstr::Pour : return BoucleEnTete (I);
                    case EInstr::Repeter : return Repeter (I);
                    case EInstr::Boucle : return Boucle (I);
                    case EInstr::Sortie : return SautSeul (I, EArc::Sortie);
                    case EInstr::Continue : return SautSeul (I, EArc::Continue);
                    case EInstr::Declarer :
                    case EInstr::ChoixSur : break;
                }
                SDessinBloc R;
                Debuter (R);
                return Terminer (R);
            }

            // si (c) sortie; / si (c) continue; / si (c) renvoie e; : le losange, « Non » vers
            // le bas, « Oui » de cote vers le saut.
            SDessinBloc SiCourt (const SInstr & I, const SInstr & Saut)
            {
                SDessinBloc R;
                Debuter (R);
                const std::uint32_t D = Nouvelle (EFigure::Decision, "si", TexteDe (M.IdExprDe (I, 0)), M.ExprDe (I, 0).Plage.Debut);
                R.Entree = D;
                const int w = O.Formes [D].Largeur, h = O.Formes [D].Hauteur;
                if (Saut.Genre == EInstr::Renvoie)
                {
                    const std::uint32_t Rn = Nouvelle (EFigure::Action, "renvoie", TexteInstruction (Saut), Saut.Plage.Debut);
                    const int rw = O.Formes [Rn].Largeur, rh = O.Formes [Rn].Hauteur;
                    const int hh = std::max (h, rh);
                    Placer (D, 0, hh / 2);
                    Placer (Rn, w / 2 + Ecart + rw / 2, hh / 2);
                    const std::uint32_t a = NouvelArc (D, EArc::Oui, "Oui", { w / 2, hh / 2 });
                    Relier (a, Rn, { w / 2 + Ecart, hh / 2 });
                    R.Sauts.push_back (NouveauSaut (Rn, EArc::Renvoie, "", { w / 2 + Ecart + rw, hh / 2 }));
                    R.G = w / 2;
                    R.D = w / 2 + Ecart + rw;
                    R.H = hh;
                    R.EntreeY = (hh - h) / 2;
                    R.Sorties.push_back (NouvelArc (D, EArc::Non, "Non", { 0, (hh + h) / 2 }));
                    return Terminer (R);
                }
                Placer (D, 0, h / 2);
                R.G = R.D = w / 2;
                R.H = h;
                R.Sorties.push_back (NouvelArc (D, EArc::Non, "Non", { 0, h }));
                if (Saut.Genre == EInstr::Continue)
                    R.Sauts.push_back (NouveauSaut (D, EArc::Continue, "Oui", { -w / 2, h / 2 }));
                else
                    R.Sauts.push_back (NouveauSaut (D, EArc::Sortie, "Oui", { w / 2, h / 2 }));
                return Terminer (R);
            }

            // si / sinon_si / sinon : les losanges sur une rangee, chacun au-dessus de sa branche
            // (« Oui » vers le bas, « Non » vers le losange suivant, a droite) ; la branche sinon
            // (ou le chemin « Non » du dernier) a droite ; tout se rejoint sous la plus longue.
            SDessinBloc Si (const SInstr & I, bool FinEnsuite)
            {
                const std::uint32_t nC = I.NbExprs, nS = I.NbSuites;
                if ((I.Drapeaux & InstrFormeCourte) && nC == 1 && nS == 1)
                {
                    const SSuite & S = M.SuiteDe (I, 0);
                    if (S.NbInstrs == 1)
                    {
                        const SInstr & Saut = M.InstrDe (S, 0);
                        if (Saut.Genre == EInstr::Sortie || Saut.Genre == EInstr::Continue || Saut.Genre == EInstr::Renvoie)
                            return SiCourt (I, Saut);
                    }
                }
                SDessinBloc R;
                Debuter (R);
                if (nC == 0)
                    return Terminer (R);
                const bool Sinon = nS > nC;
                std::vector <std::uint32_t> Losanges;
                for (std::uint32_t c = 0; c < nC; ++c)
                    Losanges.push_back (Nouvelle (EFigure::Decision, "si", TexteDe (M.IdExprDe (I, c)),
                                                  M.ExprDe (I, c).Plage.Debut));
                std::vector <SDessinBloc> Branches;
                for (std::uint32_t s = 0; s < nS; ++s) Branches.push_back (Suite (M.IdSuiteDe (I, s), FinEnsuite));
                while (Branches.size () < nC + (Sinon ? 1 : 0))
                {
                    Branches.emplace_back ();
                    Debuter (Branches.back ());
                    Terminer (Branches.back ());
                }

                auto w = [&] (std::uint32_t c) { return O.Formes [Losanges [c]].Largeur; };
                auto h = [&] (std::uint32_t c) { return O.Formes [Losanges [c]].Hauteur; };
                int hD = 0;
                for (std::uint32_t c = 0; c < nC; ++c) hD = std::max (hD, h (c));

                // Colonnes.
                std::vector <int> x (nC, 0);
                for (std::uint32_t c = 1; c < nC; ++c)
                    x [c] = x [c - 1] + std::max (Branches [c - 1].D, w (c - 1) / 2) + EcartColonnes
                          + std::max (Branches [c].G, w (c) / 2);
                const int DroiteDernier = x [nC - 1] + std::max (Branches [nC - 1].D, w (nC - 1) / 2);
                const int xSinon = Sinon ? DroiteDernier + EcartColonnes + Branches [nC].G : DroiteDernier + EcartColonnes / 2;

                const int yB = hD + Ecart;
                for (std::uint32_t c = 0; c < nC; ++c) Placer (Losanges [c], x [c], hD / 2);
                for (std::uint32_t c = 0; c < nC; ++c) Deplacer (Branches [c], x [c], yB);
                if (Sinon) Deplacer (Branches [nC], xSinon, yB);

                // Chaque chemin qui atteint le bas de sa colonne : (arc, colonne).
                std::vector <std::uint32_t> Attente;
                int Bas = yB;
                for (std::uint32_t c = 0; c < nC; ++c)
                {
                    const std::uint32_t a = NouvelArc (Losanges [c], EArc::Oui, "Oui", { x [c], hD / 2 + h (c) / 2 });
                    const SDessinBloc & B = Branches [c];
                    if (! B.Vide ())
                    {
                        Relier (a, B.Entree, { x [c], yB + B.EntreeY });
                        Attente.insert (Attente.end (), B.Sorties.begin (), B.Sorties.end ());
                        Bas = std::max (Bas, yB + B.H);
                    }
                    else
                    {
                        Prolonger (a, { x [c], yB });
                        Attente.push_back (a);
                    }
                    if (c + 1 < nC)
                    {
                        const std::uint32_t n = NouvelArc (Losanges [c], EArc::Non, "Non", { x [c] + w (c) / 2, hD / 2 });
                        Relier (n, Losanges [c + 1], { x [c + 1] - w (c + 1) / 2, hD / 2 });
                    }
                }
                const std::uint32_t n = NouvelArc (Losanges [nC - 1], EArc::Non, "Non",
                                                   { x [nC - 1] + w (nC - 1) / 2, hD / 2 });
                Prolonger (n, { xSinon, hD / 2 });
                if (Sinon && ! Branches [nC].Vide ())
                {
                    const SDessinBloc & B = Branches [nC];
                    Relier (n, B.Entree, { xSinon, yB + B.EntreeY });
                    Attente.insert (Attente.end (), B.Sorties.begin (), B.Sorties.end ());
                    Bas = std::max (Bas, yB + B.H);
                }
                else
                {
                    Prolonger (n, { xSinon, yB });
                    Attente.push_back (n);
                }

                R.Entree = Losanges [0];
                R.EntreeY = (hD - h (0)) / 2;
                R.G = std::max (Branches [0].G, w (0) / 2);
                R.D = xSinon + (Sinon ? Branches [nC].D : 0);
                for (std::uint32_t c = 0; c < nC; ++c)
                    R.D = std::max (R.D, x [c] + std::max (Branches [c].D, w (c) / 2));
                const int yReunion = Attente.empty () ? Bas : Bas + Ecart / 2;
                if (! Attente.empty ()) R.Sorties = Fusionner (Attente, yReunion);
                R.H = yReunion;

                // Les sauts des branches. Celui qui va du cote ou une autre branche est rangee
                // descend un couloir de l'ecart entre les colonnes jusque sous la reunion, puis
                // gagne le bord : il ne traverse aucune forme (il coupe au plus la ligne de
                // reunion). Une rangee sous la reunion par genre de saut.
                auto Rangee = [&] (EArc G) { return yReunion + (G == EArc::Sortie ? 8 : G == EArc::Renvoie ? 16 : 24); };
                bool Couloirs = false;
                for (std::uint32_t c = 0; c < Branches.size (); ++c)
                {
                    const bool EstSinon = Sinon && c == nC;
                    const int xc = EstSinon ? xSinon : x [c];
                    const int Gauche = xc - (EstSinon ? Branches [c].G : std::max (Branches [c].G, w (c) / 2));
                    const int Droite = xc + (EstSinon ? Branches [c].D : std::max (Branches [c].D, w (c) / 2));
                    for (const SSaut & S : Branches [c].Sauts)
                    {
                        const bool Direct = VersLaGauche (S) ? c == 0 : EstSinon;
                        if (! Direct)
                        {
                            const int Voie = VersLaGauche (S) ? Gauche - 8 : Droite + (S.Genre == EArc::Renvoie ? 16 : 8);
                            Prolonger (S.Arc, { Voie, Dernier (S.Arc).Y });
                            Prolonger (S.Arc, { Voie, Rangee (S.Genre) });
                            Couloirs = true;
                        }
                        R.Sauts.push_back (S);
                    }
                }
                if (Couloirs)
                {
                    R.H = yReunion + 32;
                    for (const std::uint32_t p : R.Sorties) Prolonger (p, { 0, R.H });
                }
                AuBord (R);
                return Terminer (R);
            }

            // Les sauts du corps d'une boucle : ceux qui la visent sont rendus, les autres (les
            // renvoie) passent a l'unite.
            static void TrierSauts (const SDessinBloc & Corps, SDessinBloc & R, std::vector <std::uint32_t> & Sorties,
                                    std::vector <std::uint32_t> & Continues)
            {
                for (const SSaut & S : Corps.Sauts)
                {
                    if (S.Genre == EArc::Sortie) Sorties.push_back (S.Arc);
                    else if (S.Genre == EArc::Continue) Continues.push_back (S.Arc);
                    else R.Sauts.push_back (S);
                }
            }

            // tant_que, jusqua, pour : la tete (losange ou hexagone), le corps en dessous, le
            // retour par la gauche dans la tete, la sortie par la droite.
            SDessinBloc BoucleEnTete (const SInstr & I)
            {
                SDessinBloc R;
                Debuter (R);
                const bool Pour = I.Genre == EInstr::Pour;
                std::uint32_t T;
                if (Pour)
                {
                    // L'en-tete tel qu'ecrit, de « pour » a la parenthese fermante.
                    std::size_t Fin = I.Plage.Fin ();
                    if (I.NbExprs >= 2)
                    {
                        std::size_t k = M.ExprDe (I, 1).Plage.Fin ();
                        while (k < Texte.size () && k < I.Plage.Fin () && Texte [k] != ')') ++k;
                        Fin = std::min (k + 1, static_cast <std::size_t> (I.Plage.Fin ()));
                    }
                    T = Nouvelle (EFigure::Pour, "pour", TexteSource (Texte, I.Plage.Debut, Fin), I.Plage.Debut);
                }
                else
                    T = Nouvelle (EFigure::Decision, NomGenre (I.Genre),
                                  I.NbExprs > 0 ? TexteDe (M.IdExprDe (I, 0)) : std::string (),
                                  I.NbExprs > 0 ? M.ExprDe (I, 0).Plage.Debut : I.Plage.Debut);
                R.Entree = T;
                const int w = O.Formes [T].Largeur, h = O.Formes [T].Hauteur;
                Placer (T, 0, h / 2);

                SDessinBloc B;
                if (I.NbSuites > 0) B = Suite (M.IdSuiteDe (I, 0), false);
                const int yB = h + Ecart;
                Deplacer (B, 0, yB);
                const bool TantQue = I.Genre == EInstr::TantQue;
                const std::uint32_t a = Pour ? NouvelArc (T, EArc::Tour, "", { 0, h })
                                             : NouvelArc (T, TantQue ? EArc::Oui : EArc::Non, TantQue ? "Oui" : "Non", { 0, h });
                std::vector <std::uint32_t> Attente;
                int Bas = yB;
                if (! B.Vide ())
                {
                    Relier (a, B.Entree, { 0, yB + B.EntreeY });
                    Attente = B.Sorties;
                    Bas = yB + B.H;
                }
                else
                {
                    Prolonger (a, { 0, yB });
                    Attente.push_back (a);
                }
                std::vector <std::uint32_t> Sorties, Continues;
                TrierSauts (B, R, Sorties, Continues);

                const int xg = -(std::max (B.G, w / 2) + Couloir);
                const int xd = std::max (B.D, w / 2) + Couloir;
                const int yR = Bas + Ecart / 2;
                for (const std::uint32_t p : Attente)
                {
                    O.Arcs [p].Genre = EArc::Retour;
                    Prolonger (p, { 0, yR });
                    Prolonger (p, { xg, yR });
                    Prolonger (p, { xg, h / 2 });
                    Relier (p, T, { -w / 2, h / 2 });
                }
                for (const std::uint32_t p : Continues)
                {
                    Prolonger (p, { xg, Dernier (p).Y });
                    Prolonger (p, { xg, h / 2 });
                    Relier (p, T, { -w / 2, h / 2 });
                }
                const int yS = yR + Ecart / 2;
                const std::uint32_t e = Pour ? NouvelArc (T, EArc::Fini, "terminé", { w / 2, h / 2 })
                                             : NouvelArc (T, TantQue ? EArc::Non : EArc::Oui, TantQue ? "Non" : "Oui", { w / 2, h / 2 });
                Prolonger (e, { xd, h / 2 });
                std::vector <std::uint32_t> Fin { e };
                for (const std::uint32_t p : Sorties)
                {
                    Prolonger (p, { xd, Dernier (p).Y });
                    Fin.push_back (p);
                }
                R.G = -xg;
                R.D = xd + (R.Sauts.empty () ? 0 : Couloir / 2);
                R.H = yS;
                R.Sorties = FusionnerColonne (Fin, xd, yS);
                AuBord (R);
                return Terminer (R);
            }

            // Des arcs qui descendent le couloir x jusqu'a Y puis rejoignent l'axe.
            std::vector <std::uint32_t> FusionnerColonne (const std::vector <std::uint32_t> & Arcs, int x, int Y)
            {
                for (const std::uint32_t p : Arcs) Prolonger (p, { x, Dernier (p).Y });
                return Fusionner (Arcs, Y);
            }

            // repeter ... jusqua (c) : une jonction en tete, le corps, le losange en bas ; « Non »
            // remonte par la gauche a la jonction, « Oui » continue en dessous.
            SDessinBloc Repeter (const SInstr & I)
            {
                SDessinBloc R;
                Debuter (R);
                const std::uint32_t J = Nouvelle (EFigure::Jonction, "", "", 0);
                Placer (J, 0, 0);
                R.Entree = J;
                SDessinBloc B;
                if (I.NbSuites > 0) B = Suite (M.IdSuiteDe (I, 0), false);
                const int yB = Ecart / 2;
                Deplacer (B, 0, yB);
                const std::uint32_t a = NouvelArc (J, EArc::Suite, "", { 0, 0 });
                std::vector <std::uint32_t> Attente;
                int Bas = yB;
                if (! B.Vide ())
                {
                    Relier (a, B.Entree, { 0, yB + B.EntreeY });
                    Attente = B.Sorties;
                    Bas = yB + B.H;
                }
                else Attente.push_back (a);
                std::vector <std::uint32_t> Sorties, Continues;
                TrierSauts (B, R, Sorties, Continues);

                const std::uint32_t D = Nouvelle (EFigure::Decision, "repeter",
                                                  I.NbExprs > 0 ? TexteDe (M.IdExprDe (I, 0)) : std::string (),
                                                  I.NbExprs > 0 ? M.ExprDe (I, 0).Plage.Debut : I.Plage.Debut);
                const int w = O.Formes [D].Largeur, h = O.Formes [D].Hauteur;
                const int yD = Bas + Ecart;
                Placer (D, 0, yD + h / 2);
                for (const std::uint32_t p : Attente) Relier (p, D, { 0, yD });
                // continue : au losange, par un couloir interieur qui rejoint l'axe juste au-dessus.
                const int xc = -(std::max (B.G, 0) + Couloir);
                for (const std::uint32_t p : Continues)
                {
                    Prolonger (p, { xc, Dernier (p).Y });
                    Prolonger (p, { xc, yD - Ecart / 2 });
                    Prolonger (p, { 0, yD - Ecart / 2 });
                    Relier (p, D, { 0, yD });
                }
                const int xg = std::min (xc - (Continues.empty () ? 0 : Couloir), -(w / 2 + Couloir));
                const std::uint32_t r = NouvelArc (D, EArc::Retour, "Non", { -w / 2, yD + h / 2 });
                Prolonger (r, { xg, yD + h / 2 });
                Prolonger (r, { xg, 0 });
                Relier (r, J, { 0, 0 });

                const std::uint32_t e = NouvelArc (D, EArc::Oui, "Oui", { 0, yD + h });
                const int xd = std::max (B.D, w / 2) + Couloir;
                R.G = -xg;
                R.D = (Sorties.empty () ? std::max (B.D, w / 2) : xd) + (R.Sauts.empty () ? 0 : Couloir / 2);
                if (Sorties.empty ())
                {
                    R.H = yD + h;
                    R.Sorties.push_back (e);
                }
                else
                {
                    R.H = yD + h + Ecart / 2;
                    std::vector <std::uint32_t> Fin { e };
                    for (const std::uint32_t p : Sorties)
                    {
                        Prolonger (p, { xd, Dernier (p).Y });
                        Prolonger (p, { xd, R.H });
                        Fin.push_back (p);
                    }
                    R.Sorties = Fusionner (Fin, R.H);
                }
                AuBord (R);
                return Terminer (R);
            }

            // boucle ... fboucle : une jonction en tete, le corps, le retour par la gauche ; on
            // n'en sort que par les sorties (couloir de droite).
            SDessinBloc Boucle (const SInstr & I)
            {
                SDessinBloc R;
                Debuter (R);
                const std::uint32_t J = Nouvelle (EFigure::Jonction, "", "", 0);
                Placer (J, 0, 0);
                R.Entree = J;
                SDessinBloc B;
                if (I.NbSuites > 0) B = Suite (M.IdSuiteDe (I, 0), false);
                const int yB = Ecart / 2;
                Deplacer (B, 0, yB);
                const std::uint32_t a = NouvelArc (J, EArc::Suite, "", { 0, 0 });
                std::vector <std::uint32_t> Attente;
                int Bas = yB;
                if (! B.Vide ())
                {
                    Relier (a, B.Entree, { 0, yB + B.EntreeY });
                    Attente = B.Sorties;
                    Bas = yB + B.H;
                }
                else Attente.push_back (a);
                std::vector <std::uint32_t> Sorties, Continues;
                TrierSauts (B, R, Sorties, Continues);

                const int xg = -(B.G + Couloir);
                const int xd = B.D + Couloir;
                const int yR = Bas + Ecart / 2;
                for (const std::uint32_t p : Attente)
                {
                    O.Arcs [p].Genre = EArc::Retour;
                    Prolonger (p, { 0, yR });
                    Prolonger (p, { xg, yR });
                    Prolonger (p, { xg, 0 });
                    Relier (p, J, { 0, 0 });
                }
                for (const std::uint32_t p : Continues)
                {
                    Prolonger (p, { xg, Dernier (p).Y });
                    Prolonger (p, { xg, 0 });
                    Relier (p, J, { 0, 0 });
                }
                R.G = -xg;
                R.D = (Sorties.empty () ? B.D : xd) + (R.Sauts.empty () ? 0 : Couloir / 2);
                if (Sorties.empty ()) R.H = yR;
                else
                {
                    R.H = yR + Ecart / 2;
                    for (const std::uint32_t p : Sorties)
                    {
                        Prolonger (p, { xd, Dernier (p).Y });
                        Prolonger (p, { xd, R.H });
                    }
                    R.Sorties = Fusionner (Sorties, R.H);
                }
                AuBord (R);
                return Terminer (R);
            }
        };
    }

    std::vector <SOrganigramme> ConstruireOrganigrammes (const STraduction & T, const std::string & Unite)
    {
        std::vector <SOrganigramme> R;
        std::size_t NbFormes = 0;
        CConstructeur C (T, NbFormes);
        for (const SUnite & U : T.Modele.Unites)
        {
            if (! U.Complete || U.Corps == Aucun) continue;
            if (! Unite.empty () && U.Nom != Unite) continue;
            R.push_back (C.Unite (U));
        }
        return R;
    }
}
