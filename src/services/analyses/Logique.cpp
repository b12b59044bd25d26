#include "services/analyses/Logique.h"

#include "services/analyses/Analyses.h"
#include "types/TypesCodes.h"

#include <algorithm>
#include <cmath>

namespace nsTramelo
{
    namespace
    {
        bool IsBoucle (EInstr G)
        {
            return G == EInstr::TantQue || G == EInstr::JusquA || G == EInstr::Pour || G == EInstr::Repeter || G == EInstr::Boucle;
        }

        // Le mode du parametre de rang i de l'unite appelee (0 in, 1 out, 2 in_out) ; 2 si on ne
        // le sait pas (prudence : compte comme une ecriture et une lecture).
        unsigned ModeParametre (const SModele & M, IdDecl Appelee, std::uint32_t i)
        {
            if (Appelee >= M.Declarations.size ()) return 2;
            const std::uint32_t U = M.Declarations [Appelee].Unite;
            if (U >= M.Unites.size () || i >= M.Unites [U].Parametres.size ()) return 2;
            const IdDecl P = M.Unites [U].Parametres [i];
            return P < M.Declarations.size () ? M.Declarations [P].Mode : 2;
        }

        // La declaration que designe une cible (nom ou element), ou Aucun.
        IdDecl Cible (const SModele & M, IdExpr Id)
        {
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Parenthese && E.NbEnfants == 1) return Cible (M, M.IdEnfant (E, 0));
            if ((E.Genre == EExpr::Nom || E.Genre == EExpr::Element) && E.Ref < M.Declarations.size ()) return E.Ref;
            return Aucun;
        }

        // --- Bornes constantes ---

        bool Constante (const SModele & M, IdExpr Id, long long & V, int Profondeur = 0)
        {
            if (Profondeur > 32) return false;
            const SExpr & E = M.Exprs [Id];
            switch (E.Genre)
            {
                case EExpr::Nombre :
                {
                    const double D = M.Valeur (E);
                    if (E.Type == TReel || std::fabs (D) > 1e15 || D != std::floor (D)) return false;
                    V = static_cast <long long> (D);
                    return true;
                }
                case EExpr::Parenthese : return E.NbEnfants == 1 && Constante (M, M.IdEnfant (E, 0), V, Profondeur + 1);
                case EExpr::Oppose :
                    if (E.NbEnfants != 1 || ! Constante (M, M.IdEnfant (E, 0), V, Profondeur + 1)) return false;
                    V = -V;
                    return true;
                case EExpr::Nom :
                {
                    if (E.Ref >= M.Declarations.size ()) return false;
                    const SDeclaration & D = M.Declarations [E.Ref];
                    return D.Nature == ENature::Constante && D.Valeur != Aucun && Constante (M, D.Valeur, V, Profondeur + 1);
                }
                case EExpr::Operation :
                {
                    if (E.NbEnfants == 0 || ! Constante (M, M.IdEnfant (E, 0), V, Profondeur + 1)) return false;
                    for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
                    {
                        long long T = 0;
                        if (! Constante (M, M.IdEnfant (E, i), T, Profondeur + 1)) return false;
                        const EOperateur Op = M.OperateurDe (E, i).Op;
                        if (std::llabs (V) > 1000000000LL || std::llabs (T) > 1000000000LL) return false;
                        if (Op == EOperateur::Plus) V += T;
                        else if (Op == EOperateur::Moins) V -= T;
                        else if (Op == EOperateur::Fois) V *= T;
                        else return false;
                    }
                    return true;
                }
                default : return false;
            }
        }

        // --- Parcours des expressions ---

        // Chaque nom lu par l'expression (Lire (IdDecl, const SExpr &, bool Garde)), et chaque nom
        // ecrit par un appel de fonction (parametre out ou in_out : Ecrire (IdDecl)). Garde : la
        // lecture est dans un terme qu'un ET_ALORS ou un OU_SINON peut ne pas evaluer.
        template <class FLire, class FEcrire>
        void LecturesGardees (const SModele & M, IdExpr Id, FLire & Lire, FEcrire & Ecrire, bool Garde)
        {
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Nom)
            {
                if (E.Ref < M.Declarations.size ()) Lire (E.Ref, E, Garde);
                return;
            }
            if (E.Genre == EExpr::Appel)
            {
                for (std::uint32_t i = 0; i < E.NbEnfants; ++i)
                {
                    const unsigned Mode = ModeParametre (M, E.Ref, i);
                    const IdExpr A = M.IdEnfant (E, i);
                    if (Mode != 1) LecturesGardees (M, A, Lire, Ecrire, Garde);
                    else if (M.Exprs [A].Genre == EExpr::Element)
                        for (std::uint32_t k = 0; k < M.Exprs [A].NbEnfants; ++k)
                            LecturesGardees (M, M.IdEnfant (M.Exprs [A], k), Lire, Ecrire, Garde);
                    if (Mode != 0 && Cible (M, A) != Aucun) Ecrire (Cible (M, A));
                }
                return;
            }
            if (E.Genre == EExpr::Element && E.Ref < M.Declarations.size ()) Lire (E.Ref, E, Garde);
            bool G = Garde;
            for (std::uint32_t i = 0; i < E.NbEnfants; ++i)
            {
                if (E.Genre == EExpr::Operation && i > 0)
                {
                    const EOperateur Op = M.OperateurDe (E, i).Op;
                    G = G || Op == EOperateur::EtAlors || Op == EOperateur::OuSinon;
                }
                LecturesGardees (M, M.IdEnfant (E, i), Lire, Ecrire, G);
            }
        }

        template <class FLire, class FEcrire>
        void Lectures (const SModele & M, IdExpr Id, FLire & Lire, FEcrire & Ecrire)
        {
            auto L = [&] (IdDecl D, const SExpr & X, bool) { Lire (D, X); };
            LecturesGardees (M, Id, L, Ecrire, false);
        }

        // Les indices d'une cible (t [i] <- … lit i).
        template <class FLire, class FEcrire>
        void IndicesDeCible (const SModele & M, IdExpr Id, FLire & Lire, FEcrire & Ecrire)
        {
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Parenthese && E.NbEnfants == 1) return IndicesDeCible (M, M.IdEnfant (E, 0), Lire, Ecrire);
            if (E.Genre == EExpr::Element)
                for (std::uint32_t i = 0; i < E.NbEnfants; ++i) Lectures (M, M.IdEnfant (E, i), Lire, Ecrire);
        }

        // Ce qu'une instruction lit et ecrit, sans ses suites (les conditions d'un si ou d'une
        // boucle sont lues ici ; celle d'un repeter aussi, bien qu'evaluee apres le corps).
        template <class FLire, class FEcrire>
        void Effets (const SModele & M, const SInstr & I, FLire & Lire, FEcrire & Ecrire)
        {
            switch (I.Genre)
            {
                case EInstr::Affectation :
                    if (I.NbExprs < 2) return;
                    IndicesDeCible (M, M.IdExprDe (I, 0), Lire, Ecrire);
                    Lectures (M, M.IdExprDe (I, 1), Lire, Ecrire);
                    if (Cible (M, M.IdExprDe (I, 0)) != Aucun) Ecrire (Cible (M, M.IdExprDe (I, 0)));
                    return;
                case EInstr::Saisir :
                    for (std::uint32_t e = 0; e < I.NbExprs; ++e)
                    {
                        IndicesDeCible (M, M.IdExprDe (I, e), Lire, Ecrire);
                        if (Cible (M, M.IdExprDe (I, e)) != Aucun) Ecrire (Cible (M, M.IdExprDe (I, e)));
                    }
                    return;
                case EInstr::AppelProcedure :
                    for (std::uint32_t e = 0; e < I.NbExprs; ++e)
                    {
                        const unsigned Mode = ModeParametre (M, I.Decl, e);
                        const IdExpr A = M.IdExprDe (I, e);
                        if (Mode != 1) Lectures (M, A, Lire, Ecrire);
                        else IndicesDeCible (M, A, Lire, Ecrire);
                        if (Mode != 0 && Cible (M, A) != Aucun) Ecrire (Cible (M, A));
                    }
                    return;
                case EInstr::Allonger :
                case EInstr::Redimensionner :
                    for (std::uint32_t e = 0; e < I.NbExprs; ++e) Lectures (M, M.IdExprDe (I, e), Lire, Ecrire);
                    if (I.NbExprs > 0 && Cible (M, M.IdExprDe (I, 0)) != Aucun) Ecrire (Cible (M, M.IdExprDe (I, 0)));
                    return;
                case EInstr::Declarer : return;   // la taille et la valeur d'une constante ne lisent que des constantes
                default :
                    for (std::uint32_t e = 0; e < I.NbExprs; ++e) Lectures (M, M.IdExprDe (I, e), Lire, Ecrire);
                    if (I.Genre == EInstr::Pour && I.Decl != Aucun) Ecrire (I.Decl);
                    return;
            }
        }

        // --- Lecture avant toute valeur : affectation definie ---

        struct SEtat
        {
            std::vector <char> Sur, Peut;   // recue sur tous les chemins / sur au moins un
            bool Mort = false;              // chemin qui ne continue pas (apres renvoie, sortie…)
        };

        // Apres deux chemins : recue sur tous ceux des deux, sur au moins un de l'un ou l'autre. Une
        // variable declaree sur un seul des chemins n'est plus visible apres eux (rang absent : 1).
        SEtat Joindre (const SEtat & a, const SEtat & b)
        {
            if (a.Mort) return b;
            if (b.Mort) return a;
            SEtat R = a;
            const std::size_t N = std::max (a.Sur.size (), b.Sur.size ());
            R.Sur.resize (N, 1);
            R.Peut.resize (N, 1);
            for (std::size_t i = 0; i < N; ++i)
            {
                const bool SurB = i < b.Sur.size () ? b.Sur [i] : true, PeutB = i < b.Peut.size () ? b.Peut [i] : true;
                R.Sur [i] = R.Sur [i] && SurB;
                R.Peut [i] = R.Peut [i] || PeutB;
            }
            return R;
        }

        // Une variable lue avant toute valeur. Le corps d'une boucle est juge a son premier tour.
        // Sont signalees les lectures sans
        // aucune valeur possible (aucun chemin n'en donne), et, hors de tout si et de toute boucle,
        // celles qu'un chemin seulement laisse sans valeur (si sans sinon). Une lecture gardee par
        // ET_ALORS ou OU_SINON n'est jamais signalee : la garde est le travail de l'etudiant.
        class CAffectationDefinie
        {
          public :
            CAffectationDefinie (const SModele & M, std::vector <SFauteLogique> & Fautes) : M (M), Fautes (Fautes)
            {
                Suivie.assign (M.Declarations.size (), Aucun);
            }

            void Unite (const SUnite & U)
            {
                if (U.Corps == Aucun) return;
                // Les rangs sont propres a chaque unite : les etats restent a la taille de l'unite.
                for (IdDecl D : Index) Suivie [D] = Aucun;
                Index.clear ();
                Signalee.clear ();
                Boucles.clear ();
                Profondeur = 0;
                SEtat E;
                Suite (U.Corps, E);
            }

          private :
            struct SBoucle { std::vector <SEtat> Sorties, Continues; };

            void Suite (IdSuite S, SEtat & E)
            {
                const SSuite & Su = M.Suites [S];
                for (std::uint32_t i = 0; i < Su.NbInstrs; ++i) Instr (M.InstrDe (Su, i), E);
            }

            void Lire (IdDecl D, const SExpr & X, bool Garde, const SEtat & E)
            {
                if (E.Mort || Garde || D >= Suivie.size () || Suivie [D] == Aucun) return;
                const std::uint32_t k = Suivie [D];
                if (k >= E.Sur.size () || E.Sur [k] || Signalee [k]) return;
                if (E.Peut [k] && Profondeur > 0) return;
                Signalee [k] = 1;
                SFauteLogique F;
                F.Genre = ELogique::LectureAvantValeur;
                F.Place = X.Plage;
                F.Decl = D;
                F.Valeurs [0] = E.Peut [k] ? 1 : 0;
                Fautes.push_back (std::move (F));
            }

            void Ecrire (IdDecl D, SEtat & E)
            {
                if (E.Mort || D >= Suivie.size () || Suivie [D] == Aucun) return;
                const std::uint32_t k = Suivie [D];
                if (k < E.Sur.size ()) E.Sur [k] = E.Peut [k] = 1;
            }

            void Effets (const SInstr & I, SEtat & E)
            {
                // Les ecritures d'un appel de fonction valent apres les lectures de l'instruction.
                std::vector <IdDecl> Ecrites;
                auto L = [&] (IdDecl D, const SExpr & X) { Lire (D, X, false, E); };
                auto W = [&] (IdDecl D) { Ecrites.push_back (D); };
                nsTramelo::Effets (M, I, L, W);
                for (IdDecl D : Ecrites) Ecrire (D, E);
            }

            void LireExpr (IdExpr Id, SEtat & E)
            {
                std::vector <IdDecl> Ecrites;
                auto L = [&] (IdDecl D, const SExpr & X, bool Garde) { Lire (D, X, Garde, E); };
                auto W = [&] (IdDecl D) { Ecrites.push_back (D); };
                LecturesGardees (M, Id, L, W, false);
                for (IdDecl D : Ecrites) Ecrire (D, E);
            }

            // Le corps d'une boucle, au premier tour (ses lectures y sont jugees). Rend l'etat a la
            // fin du corps (et des continue). Aux tours suivants, tout ce que le corps a pu affecter
            // l'a peut-etre ete : les sorties de ces tours sont celles du premier, augmentees de ce
            // que le corps affecte (Sur ne change pas : un tour ne retire aucune valeur).
            SEtat Tours (const SInstr & I, const SEtat & Entree, std::vector <SEtat> & Sorties)
            {
                Boucles.emplace_back ();
                SEtat Corps = Entree;
                ++Profondeur;
                if (I.NbSuites > 0) Suite (M.IdSuiteDe (I, 0), Corps);
                --Profondeur;
                SEtat Fin = Corps;
                for (const SEtat & S : Boucles.back ().Continues) Fin = Joindre (Fin, S);
                Sorties = std::move (Boucles.back ().Sorties);
                Boucles.pop_back ();
                if (! Fin.Mort)
                    for (SEtat & S : Sorties)
                        for (std::size_t k = 0; k < S.Peut.size () && k < Fin.Peut.size (); ++k) S.Peut [k] = S.Peut [k] || Fin.Peut [k];
                return Fin;
            }

            void Instr (const SInstr & I, SEtat & E)
            {
                if (E.Mort) return;
                switch (I.Genre)
                {
                    case EInstr::Declarer :
                    {
                        if (I.Decl >= M.Declarations.size ()) return;
                        const SDeclaration & D = M.Declarations [I.Decl];
                        const bool Scalaire = D.Type == TEntier || D.Type == TEntierNaturel || D.Type == TReel
                                           || D.Type == TBooleen || D.Type == TCaractere;
                        if (D.Nature != ENature::Variable || ! Scalaire) return;
                        if (Suivie [I.Decl] == Aucun)
                        {
                            Suivie [I.Decl] = static_cast <std::uint32_t> (Index.size ());
                            Index.push_back (I.Decl);
                            Signalee.push_back (0);
                        }
                        const std::uint32_t k = Suivie [I.Decl];
                        E.Sur.resize (Index.size (), 1);
                        E.Peut.resize (Index.size (), 1);
                        E.Sur [k] = E.Peut [k] = 0;
                        return;
                    }
                    case EInstr::Renvoie :
                        Effets (I, E);
                        E.Mort = true;
                        return;
                    case EInstr::Sortie :
                    case EInstr::Continue :
                        if (! Boucles.empty ())
                            (I.Genre == EInstr::Sortie ? Boucles.back ().Sorties : Boucles.back ().Continues).push_back (E);
                        E.Mort = true;
                        return;
                    case EInstr::Si :
                    {
                        SEtat Cond = E, Resultat;
                        Resultat.Mort = true;
                        for (std::uint32_t s = 0; s < I.NbSuites; ++s)
                        {
                            if (s < I.NbExprs) LireExpr (M.IdExprDe (I, s), Cond);
                            SEtat Branche = Cond;
                            ++Profondeur;
                            Suite (M.IdSuiteDe (I, s), Branche);
                            --Profondeur;
                            Resultat = Joindre (Resultat, Branche);
                        }
                        if (I.NbSuites <= I.NbExprs)
                        {
                            for (std::uint32_t s = I.NbSuites; s < I.NbExprs; ++s) LireExpr (M.IdExprDe (I, s), Cond);
                            Resultat = Joindre (Resultat, Cond);
                        }
                        E = Resultat;
                        return;
                    }
                    case EInstr::TantQue :
                    case EInstr::JusquA :
                    case EInstr::Pour :
                    {
                        // Condition ou bornes, avant le premier tour ; la boucle peut ne pas tourner.
                        if (I.Genre == EInstr::Pour) Effets (I, E);
                        else if (I.NbExprs > 0) LireExpr (M.IdExprDe (I, 0), E);
                        std::vector <SEtat> Sorties;
                        const SEtat Fin = Tours (I, E, Sorties);
                        E = Joindre (E, Fin);   // apres zero, un ou plusieurs tours
                        for (const SEtat & S : Sorties) E = Joindre (E, S);
                        return;
                    }
                    case EInstr::Repeter :
                    case EInstr::Boucle :
                    {
                        std::vector <SEtat> Sorties;
                        SEtat Fin = Tours (I, E, Sorties);
                        SEtat Apres;
                        Apres.Mort = true;
                        if (I.Genre == EInstr::Repeter)
                        {
                            ++Profondeur;
                            for (std::uint32_t e = 0; e < I.NbExprs; ++e) LireExpr (M.IdExprDe (I, e), Fin);
                            --Profondeur;
                            Apres = Fin;
                        }
                        for (const SEtat & S : Sorties) Apres = Joindre (Apres, S);
                        E = Apres;
                        return;
                    }
                    default :
                        Effets (I, E);
                        return;
                }
            }

            const SModele & M;
            std::vector <SFauteLogique> & Fautes;
            std::vector <std::uint32_t> Suivie;   // declaration -> rang suivi (Aucun : pas suivie)
            std::vector <IdDecl> Index;
            std::vector <char> Signalee;
            std::vector <SBoucle> Boucles;
            int Profondeur = 0;
        };

        // --- Les autres fautes, instruction par instruction ---

        // Parcourt les instructions d'une suite avec la pile des boucles qui les contiennent.
        template <class F>
        void ParcourirAvecBoucles (const SModele & M, IdSuite S, std::vector <const SInstr *> & Boucles, F & Visiter)
        {
            if (S == Aucun) return;
            const SSuite & Su = M.Suites [S];
            for (std::uint32_t i = 0; i < Su.NbInstrs; ++i)
            {
                const SInstr & I = M.InstrDe (Su, i);
                Visiter (I, Boucles);
                const bool Boucle = IsBoucle (I.Genre);
                if (Boucle) Boucles.push_back (& I);
                for (std::uint32_t s = 0; s < I.NbSuites; ++s) ParcourirAvecBoucles (M, M.IdSuiteDe (I, s), Boucles, Visiter);
                if (Boucle) Boucles.pop_back ();
            }
        }

        void FautesDeLUnite (const SModele & M, const SUnite & U, std::vector <SFauteLogique> & Fautes)
        {
            if (U.Corps == Aucun) return;
            // Toutes les lectures de l'unite : (declaration, position).
            std::vector <std::pair <IdDecl, std::uint32_t>> Lus;
            auto Noter = [&] (IdDecl D, const SExpr & X) { Lus.push_back ({ D, X.Plage.Debut }); };
            auto Rien = [] (IdDecl) {};
            ParcourirSuite (M, U.Corps, [&] (const SInstr & I) { Effets (M, I, Noter, Rien); });
            auto LuDans = [&] (IdDecl D, std::uint32_t Debut, std::uint32_t Fin)
            {
                for (const auto & L : Lus)
                    if (L.first == D && L.second >= Debut && L.second < Fin) return true;
                return false;
            };

            std::vector <IdDecl> ParametresSignales;
            std::vector <const SInstr *> Pile;
            auto Visiter = [&] (const SInstr & I, const std::vector <const SInstr *> & Boucles)
            {
                // pour (i variant_de 10 a 1) : le corps ne s'execute jamais.
                if (I.Genre == EInstr::Pour && I.NbExprs >= 2)
                {
                    long long A = 0, B = 0;
                    const bool Descendant = I.Drapeaux & InstrDescendant;
                    if (Constante (M, M.IdExprDe (I, 0), A) && Constante (M, M.IdExprDe (I, 1), B)
                        && (Descendant ? A < B : A > B))
                    {
                        SFauteLogique F;
                        F.Genre = ELogique::PourSansDescendant;
                        F.Place = { M.ExprDe (I, 0).Plage.Debut, M.ExprDe (I, 1).Plage.Fin () - M.ExprDe (I, 0).Plage.Debut };
                        F.Decl = I.Decl;
                        F.Instr = & I;
                        F.Valeurs [0] = A;
                        F.Valeurs [1] = B;
                        Fautes.push_back (std::move (F));
                    }
                }
                // Une boucle dont la condition ne lit rien que le corps modifie.
                if ((I.Genre == EInstr::TantQue || I.Genre == EInstr::JusquA || I.Genre == EInstr::Repeter)
                    && I.NbExprs >= 1 && I.NbSuites == 1)
                {
                    std::vector <IdDecl> Noms;
                    bool Appel = false;
                    auto Lire = [&] (IdDecl D, const SExpr &)
                    {
                        if (M.Declarations [D].Nature != ENature::Constante
                            && std::find (Noms.begin (), Noms.end (), D) == Noms.end ())
                            Noms.push_back (D);
                    };
                    auto Ecrire = [&] (IdDecl) { Appel = true; };
                    Lectures (M, M.IdExprDe (I, 0), Lire, Ecrire);
                    // Un appel (fonction du programme, Rand) peut changer a chaque tour.
                    std::vector <IdExpr> Pile2 { M.IdExprDe (I, 0) };
                    while (! Pile2.empty ())
                    {
                        const SExpr & X = M.Exprs [Pile2.back ()];
                        Pile2.pop_back ();
                        if (X.Genre == EExpr::Appel || (X.Genre == EExpr::AppelStandard && X.Op == static_cast <unsigned char> (EFonction::Rand)))
                            Appel = true;
                        for (std::uint32_t k = 0; k < X.NbEnfants; ++k) Pile2.push_back (M.IdEnfant (X, k));
                    }
                    bool Change = false, Quitte = false;
                    auto Rien2 = [] (IdDecl, const SExpr &) {};
                    auto Ecrit = [&] (IdDecl D) { Change = Change || std::find (Noms.begin (), Noms.end (), D) != Noms.end (); };
                    ParcourirSuite (M, M.IdSuiteDe (I, 0), [&] (const SInstr & J)
                    {
                        if (J.Genre == EInstr::Sortie || J.Genre == EInstr::Renvoie) Quitte = true;
                        Effets (M, J, Rien2, Ecrit);
                    });
                    if (! Noms.empty () && ! Appel && ! Change && ! Quitte)
                    {
                        SFauteLogique F;
                        F.Genre = ELogique::BoucleFigee;
                        F.Place = M.ExprDe (I, 0).Plage;
                        F.Instr = & I;
                        F.Noms = Noms;
                        Fautes.push_back (std::move (F));
                    }
                }
                // Une valeur reel rangee dans un entier.
                if (I.Genre == EInstr::Affectation && I.NbExprs == 2)
                {
                    const SExpr & Cib = M.ExprDe (I, 0), & Val = M.ExprDe (I, 1);
                    if ((Cib.Type == TEntier || Cib.Type == TEntierNaturel) && Val.Type == TReel)
                    {
                        SFauteLogique F;
                        F.Genre = ELogique::ReelDansEntier;
                        F.Place = Val.Plage;
                        F.Decl = Cible (M, M.IdExprDe (I, 0));
                        F.Instr = & I;
                        if (Val.Genre == EExpr::Nombre && std::fabs (M.Valeur (Val)) < 1e15)
                        {
                            F.Valeurs [0] = 1;
                            F.Valeurs [1] = static_cast <long long> (M.Valeur (Val));
                        }
                        Fautes.push_back (std::move (F));
                    }
                }
                if (I.Genre == EInstr::Renvoie && I.NbExprs == 1 && U.Nature == ENature::Fonction
                    && (U.TypeRetour == TEntier || U.TypeRetour == TEntierNaturel) && M.ExprDe (I, 0).Type == TReel)
                {
                    SFauteLogique F;
                    F.Genre = ELogique::ReelDansEntier;
                    F.Place = M.ExprDe (I, 0).Plage;
                    F.Decl = M.Declarations.size () > U.Declaration ? static_cast <IdDecl> (U.Declaration) : Aucun;
                    F.Instr = & I;
                    Fautes.push_back (std::move (F));
                }
                // Un parametre in modifie que rien ne relit ensuite : l'etudiant attendait que
                // l'appelant recoive la valeur.
                if ((I.Genre == EInstr::Affectation || I.Genre == EInstr::Allonger || I.Genre == EInstr::Redimensionner)
                    && I.NbExprs >= 1)
                {
                    const IdDecl D = Cible (M, M.IdExprDe (I, 0));
                    if (D != Aucun && M.Declarations [D].Nature == ENature::Parametre && M.Declarations [D].Mode == 0
                        && std::find (ParametresSignales.begin (), ParametresSignales.end (), D) == ParametresSignales.end ())
                    {
                        bool Relu = LuDans (D, I.Plage.Fin (), static_cast <std::uint32_t> (-1));
                        // Relu au tour suivant : dans le corps ou la condition d'une boucle qui l'entoure (les
                        // bornes d'un pour ne sont lues qu'une fois, avant le premier tour).
                        for (const SInstr * B : Boucles)
                        {
                            const std::uint32_t Debut = B->Genre == EInstr::Pour && B->NbExprs >= 2
                                                      ? M.ExprDe (* B, 1).Plage.Fin () : B->Plage.Debut;
                            Relu = Relu || LuDans (D, Debut, B->Plage.Fin ());
                        }
                        if (! Relu)
                        {
                            ParametresSignales.push_back (D);
                            SFauteLogique F;
                            F.Genre = ELogique::ParametreInModifie;
                            F.Place = M.ExprDe (I, 0).Plage;
                            F.Decl = D;
                            F.Instr = & I;
                            Fautes.push_back (std::move (F));
                        }
                    }
                }
            };
            ParcourirAvecBoucles (M, U.Corps, Pile, Visiter);
        }
    }

    namespace
    {
        // --- Indices hors d'un tableau de taille constante ---

        // Chaque sous-expression de Id (Visiter (IdExpr, Garde)) ; Garde : dans un terme qu'un
        // ET_ALORS ou un OU_SINON peut ne pas evaluer.
        template <class F>
        void ParcourirExpr (const SModele & M, IdExpr Id, bool Garde, F & Visiter)
        {
            const SExpr & E = M.Exprs [Id];
            Visiter (Id, Garde);
            bool G = Garde;
            for (std::uint32_t i = 0; i < E.NbEnfants; ++i)
            {
                if (E.Genre == EExpr::Operation && i > 0)
                {
                    const EOperateur Op = M.OperateurDe (E, i).Op;
                    G = G || Op == EOperateur::EtAlors || Op == EOperateur::OuSinon;
                }
                ParcourirExpr (M, M.IdEnfant (E, i), G, Visiter);
            }
        }

        // Les tableaux dont la taille peut changer dans l'unite : allonges, redimensionnes, ou
        // passes tout entiers en out ou in_out (l'unite appelee peut les allonger).
        std::vector <IdDecl> TaillesVariables (const SModele & M, const SUnite & U)
        {
            std::vector <IdDecl> R;
            auto Entier = [&] (IdExpr A)
            {
                const SExpr & X = M.Exprs [A];
                if (X.Genre == EExpr::Nom && X.Ref != Aucun) R.push_back (X.Ref);
            };
            auto VoirExpr = [&] (IdExpr Id, bool)
            {
                const SExpr & X = M.Exprs [Id];
                if (X.Genre == EExpr::Appel)
                    for (std::uint32_t k = 0; k < X.NbEnfants; ++k)
                        if (ModeParametre (M, X.Ref, k) != 0) Entier (M.IdEnfant (X, k));
            };
            ParcourirSuite (M, U.Corps, [&] (const SInstr & I)
            {
                if ((I.Genre == EInstr::Allonger || I.Genre == EInstr::Redimensionner) && I.NbExprs > 0)
                    Entier (M.IdExprDe (I, 0));
                for (std::uint32_t e = 0; e < I.NbExprs; ++e)
                {
                    if (I.Genre == EInstr::AppelProcedure && ModeParametre (M, I.Decl, e) != 0) Entier (M.IdExprDe (I, e));
                    if (I.Genre != EInstr::Declarer) ParcourirExpr (M, M.IdExprDe (I, e), false, VoirExpr);
                }
            });
            return R;
        }

        // L'indice vaut « v + c », v la variable D ; faux pour une autre forme.
        bool DecalageDe (const SModele & M, IdExpr Id, IdDecl D, long long & c)
        {
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Parenthese && E.NbEnfants == 1) return DecalageDe (M, M.IdEnfant (E, 0), D, c);
            if (E.Genre == EExpr::Nom) { c = 0; return E.Ref == D; }
            if (E.Genre != EExpr::Operation || E.NbEnfants != 2) return false;
            const EOperateur Op = M.OperateurDe (E, 1).Op;
            const SExpr & G = M.Enfant (E, 0);
            if (G.Genre != EExpr::Nom || G.Ref != D || (Op != EOperateur::Plus && Op != EOperateur::Moins)) return false;
            if (! Constante (M, M.IdEnfant (E, 1), c) || std::llabs (c) > 1000000000LL) return false;
            if (Op == EOperateur::Moins) c = -c;
            return true;
        }

        // Une suite d'ou l'on peut sortir avant sa fin (sortie, continue, renvoie).
        bool Interrompue (const SModele & M, IdSuite S)
        {
            bool R = false;
            ParcourirSuite (M, S, [&] (const SInstr & I)
            {
                R = R || I.Genre == EInstr::Sortie || I.Genre == EInstr::Continue || I.Genre == EInstr::Renvoie;
            });
            return R;
        }

        // Un indice qui sort certainement du tableau quand l'instruction s'execute : constant, ou
        // la variable (plus une constante) d'un pour aux bornes constantes dont le corps execute
        // l'instruction a chaque tour (elle est a son premier niveau, ni sortie, ni continue, ni
        // renvoie dans le corps, hors d'un terme qu'un ET_ALORS ou un OU_SINON peut sauter).
        void IndicesHorsTaille (const SModele & M, const SUnite & U, std::vector <SFauteLogique> & Fautes)
        {
            if (U.Corps == Aucun) return;
            const std::vector <IdDecl> Variables = TaillesVariables (M, U);
            // Pour chaque tableau, les pour deja signales (un seul avertissement par boucle).
            std::vector <std::pair <IdDecl, const SInstr *>> Signales;
            std::vector <std::pair <const SInstr *, bool>> Sorties;   // pour -> son corps peut etre quitte
            auto Taille = [&] (IdDecl D, long long & N)
            {
                if (D >= M.Declarations.size ()) return false;
                const SDeclaration & Decl = M.Declarations [D];
                return Decl.Nature == ENature::Tableau && Decl.Taille != Aucun && Constante (M, Decl.Taille, N) && N >= 0
                    && std::find (Variables.begin (), Variables.end (), D) == Variables.end ();
            };
            auto Examiner = [&] (const SInstr & I, const SInstr * Pour)
            {
                if (I.Genre == EInstr::Declarer) return;
                auto Voir = [&] (IdExpr Id, bool Garde)
                {
                    const SExpr & X = M.Exprs [Id];
                    long long N = 0, k = 0, c = 0;
                    if (X.Genre != EExpr::Element || X.NbEnfants != 1 || ! Taille (X.Ref, N)) return;
                    const IdExpr Indice = M.IdEnfant (X, 0);
                    SFauteLogique F;
                    F.Genre = ELogique::IndiceHorsTaille;
                    F.Place = M.Exprs [Indice].Plage;
                    F.Decl = X.Ref;
                    F.Valeurs [1] = N;
                    if (Constante (M, Indice, k))
                    {
                        if (k >= 0 && k < N) return;
                        F.Valeurs [0] = k;
                        Fautes.push_back (std::move (F));
                        return;
                    }
                    long long A = 0, B = 0;
                    if (Garde || ! Pour || ! DecalageDe (M, Indice, Pour->Decl, c)
                        || ! Constante (M, M.IdExprDe (* Pour, 0), A) || ! Constante (M, M.IdExprDe (* Pour, 1), B))
                        return;
                    const bool Descendant = Pour->Drapeaux & InstrDescendant;
                    if (Descendant ? A < B : A > B) return;   // la boucle ne tourne pas
                    // Les valeurs de l'indice, dans l'ordre des tours : de A + c a B + c.
                    const long long Premier = A + c, Dernier = B + c;
                    long long Fautif;
                    if (! Descendant && Premier < 0) Fautif = Premier;
                    else if (! Descendant && Dernier >= N) Fautif = std::max (Premier, N);
                    else if (Descendant && Premier >= N) Fautif = Premier;
                    else if (Descendant && Dernier < 0) Fautif = std::min (Premier, -1LL);
                    else return;
                    for (const auto & S : Signales)
                        if (S.first == X.Ref && S.second == Pour) return;
                    // Le corps, parcouru une fois par boucle au plus (seulement quand il le faut).
                    auto Vu = std::find_if (Sorties.begin (), Sorties.end (), [&] (const auto & P) { return P.first == Pour; });
                    if (Vu == Sorties.end ()) Vu = Sorties.insert (Sorties.end (), { Pour, Interrompue (M, M.IdSuiteDe (* Pour, 0)) });
                    if (Vu->second) return;
                    Signales.push_back ({ X.Ref, Pour });
                    F.Valeurs [0] = Fautif;
                    F.Valeurs [2] = c;
                    F.Valeurs [3] = A;
                    F.Valeurs [4] = B;
                    F.Instr = Pour;
                    F.Noms.push_back (Pour->Decl);
                    Fautes.push_back (std::move (F));
                };
                // Les expressions de l'instruction elle-meme (conditions, bornes), pas de ses suites ;
                // la condition d'un sinon_si n'est evaluee que si les precedentes sont fausses.
                for (std::uint32_t e = 0; e < I.NbExprs; ++e)
                    ParcourirExpr (M, M.IdExprDe (I, e), I.Genre == EInstr::Si && e > 0, Voir);
            };
            // Parcours avec le pour dont le corps contient l'instruction a son premier niveau.
            std::vector <std::pair <IdSuite, const SInstr *>> Pile { { U.Corps, nullptr } };
            while (! Pile.empty ())
            {
                const auto [S, Pour] = Pile.back ();
                Pile.pop_back ();
                const SSuite & Su = M.Suites [S];
                for (std::uint32_t i = 0; i < Su.NbInstrs; ++i)
                {
                    const SInstr & I = M.InstrDe (Su, i);
                    Examiner (I, Pour);
                    for (std::uint32_t s = 0; s < I.NbSuites; ++s)
                    {
                        const IdSuite Fille = M.IdSuiteDe (I, s);
                        const bool Corps = I.Genre == EInstr::Pour && I.NbExprs >= 2 && I.Decl != Aucun;
                        Pile.push_back ({ Fille, Corps ? & I : nullptr });
                    }
                }
            }
        }
    }

    std::vector <SFauteLogique> FautesLogiques (const SModele & M)
    {
        std::vector <SFauteLogique> Fautes;
        CAffectationDefinie Definie (M, Fautes);
        for (const SUnite & U : M.Unites)
        {
            FautesDeLUnite (M, U, Fautes);
            IndicesHorsTaille (M, U, Fautes);
            Definie.Unite (U);
        }
        std::stable_sort (Fautes.begin (), Fautes.end (),
                          [] (const SFauteLogique & a, const SFauteLogique & b) { return a.Place.Debut < b.Place.Debut; });
        return Fautes;
    }
}
