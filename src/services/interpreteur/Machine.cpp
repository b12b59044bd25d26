// La machine de l'interpreteur : execute le code compile (Code.h) avec une pile de cadres
// explicite, s'arrete et reprend a une marque (budget, pas a pas), a une saisie sans entree, et
// tient la memoire et la pile du programme dans les bornes du programme compile.
#include "services/interpreteur/Interpreteur.h"

#include "services/interpreteur/Code.h"
#include "services/interpreteur/Controles.h"
#include "services/interpreteur/Valeurs.h"

#include <chrono>
#include <cstring>
#include <new>
#include <sstream>

namespace nsTramelo
{
    using namespace nsInterpreteur;
    namespace C = nsControles;

    namespace
    {
        // Un cadre : l'unite, ses cases, ou revenir, et ce que le suivi en a deja montre.
        struct SCadre
        {
            std::uint32_t Unite = 0;
            SCase *       Base = nullptr;
            std::uint32_t Retour = 0;
            Operande      Resultat = PasDOperande;
            std::size_t   Segment = 0, Occupe = 0;   // la pile de cases avant ce cadre
            // Suivi : derniere ligne montree, derniere marque, valeurs montrees.
            bool          ALigne = false;
            std::uint32_t Ligne = 0, Ordre = 0;
            std::uint32_t Marque = 0xFFFFFFFFu;        // la derniere marque passee
            std::vector <std::pair <std::uint32_t, std::string>> Valeurs;
        };

        constexpr std::size_t TailleSegment = std::size_t (1) << 16;

        bool Blanc (char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

        enum class ELecture { Lu, Attente, Fin };

        const CChaine ChaineVide {};
        const CTableau TableauVide {};

        // Les octets que le programme compile alloue pour une chaine de cette capacite (rien
        // sous 16 caracteres : la chaine tient dans l'objet) et pour les elements d'un tableau :
        // long, double, char, std::string (32 octets), bits d'un vector <bool>.
        std::size_t OctetsChaine (std::size_t Capacite) { return Capacite > 15 ? Capacite + 1 : 0; }

        std::size_t TailleElement (EElem G)
        {
            switch (G)
            {
                case EElem::Octet  : return 1;
                case EElem::Chaine : return 32;
                default            : return 8;
            }
        }

        std::size_t OctetsTableau (const CTableau & T)
        {
            switch (T.Genre)
            {
                case EElem::Entier : return T.I.capacity () * 8;
                case EElem::Reel   : return T.R.capacity () * 8;
                case EElem::Octet  : return T.Bits ? (T.O.capacity () + 63) / 64 * 8 : T.O.capacity ();
                default            : return T.S.capacity () * 32;
            }
        }

        // La capacite que prend une chaine de capacite Avant qui doit tenir N caracteres
        // (_M_create de la bibliotheque standard : au moins le double).
        std::size_t NouvelleCapacite (std::size_t Avant, std::size_t N)
        {
            if (N <= Avant) return Avant;
            return N < 2 * Avant ? 2 * Avant : N;
        }
    }

    struct CExecution::SEtat
    {
        SOptionsExecution Options;
        SProgramme Prog;
        bool EstPret = false;
        std::string Refus;

        enum class EEtat { EnCours, Fini, Erreur } Etat = EEtat::EnCours;
        SErreurExecution Erreur;
        std::uint32_t Pc = 0;
        std::vector <SCadre> Cadres;
        std::vector <std::unique_ptr <SCase []>> Segments;
        std::vector <std::size_t> Tailles;
        std::size_t Segment = 0, Occupe = 0;
        std::size_t PileOctets = 0;    // le cout des cadres en cours
        std::size_t Octets = 0;        // chaines et tableaux
        C::Pos Ici = C::SansPosition;  // le dernier calcul qui alloue (_Ici)

        // Les references inscrites le temps d'un appel (_Lien) : l'objet, l'indice et l'adresse
        // de l'element a l'appel ; le genre de la reference ; le nombre de cadres de l'appel.
        struct SLien
        {
            const void * Objet;
            std::size_t  Indice;
            const void * Adresse;
            unsigned     Genre;
            std::uint32_t Code;
            std::size_t  Profondeur;
        };
        std::vector <SLien> Liens;

        // L'adresse de l'element Indice de l'objet (nullptr au-dela de sa taille).
        static const void * AdresseElement (const void * Objet, unsigned Genre, std::size_t Indice)
        {
            if (Genre == RefCar)
            {
                const std::string & S = static_cast <const CChaine *> (Objet)->S;
                return Indice < S.size () ? S.data () + Indice : nullptr;
            }
            const CTableau & T = * static_cast <const CTableau *> (Objet);
            if (Indice >= T.Taille ()) return nullptr;
            switch (Genre)
            {
                case RefElemI : return T.I.data () + Indice;
                case RefElemR : return T.R.data () + Indice;
                case RefElemO : return T.O.data () + Indice;
                default       : return T.S.data () + Indice;
            }
        }

        // _VerifierLiens : apres que Objet a change (Operation), chaque reference inscrite vers un
        // de ses elements doit encore le designer.
        void VerifierLiens (const void * Objet, const char * Operation, C::Pos P)
        {
            for (std::size_t k = Liens.size (); k-- > 0;)
            {
                const SLien & L = Liens [k];
                if (L.Objet != Objet || AdresseElement (Objet, L.Genre, L.Indice) == L.Adresse) continue;
                const SLienCode & Code = Prog.Liens [L.Code];
                // Le nom tel qu'ecrit a cet endroit (pas de marque : les extraits du source
                // peuvent contenir n'importe quel octet).
                const std::string Nom = P < Prog.Positions.size () && Prog.Positions [P].Nom < Prog.Noms.size ()
                                      ? Prog.Noms [Prog.Positions [P].Nom] : std::string ();
                std::string Op = Operation;
                const std::size_t i = Op.find ('@');
                if (i != std::string::npos) Op.replace (i, 1, Nom);
                C::Signaler (P, "Référence invalidée : " + Op + " a déplacé " + (Code.Chaine ? "les caractères de " : "les éléments de ")
                                + Nom + ", et " + Code.Element + ", passé par référence à " + Code.Unite + ", ne les désigne plus",
                             "note : ligne " + std::to_string (Code.Ligne) + ", l'appel de " + Code.Unite + " reçoit par référence à la fois "
                                + (Code.Chaine ? "la chaîne " : "le tableau ") + Code.Conteneur + " et son "
                                + (Code.Chaine ? "caractère " : "élément ") + Code.Element
                                + " ; en C++, la référence désignerait une mémoire libérée",
                             std::string ("aide : passez l'élément par valeur (paramètre in) ou passez son indice, ou ")
                                + (Code.Chaine ? "changez la chaîne" : "allongez le tableau") + " avant l'appel");
            }
        }

        std::string Tampon;            // l'entree recue ; Lu : ce qui en est consomme
        std::size_t Lu = 0;
        bool EntreeFermee = false;
        std::string Sortie;
        std::ostringstream Flux;       // l'ecriture d'un reel par cout

        bool PasAPas = false, Suivi = false;
        std::vector <SEvenementSuivi> Evenements;
        std::uint64_t Lignes = 0, Pas = 0;
        std::size_t DerniereProfondeur = 0;   // la derniere ligne ecrite par le suivi
        std::uint32_t DerniereLigne = 0;
        std::uint64_t Alea = 0;

        ~SEtat ()
        {
            while (! Cadres.empty ()) Depiler ();
        }

        // --- Memoire ---

        std::uint64_t LimiteMio () const
        {
            return (Options.Limites.Memoire >> 20) + ((Options.Limites.Memoire & ((std::size_t (1) << 20) - 1)) != 0);
        }

        bool Deborde (std::size_t Ajout) const
        {
            return Options.Limites.Memoire != 0
                && (Ajout > Options.Limites.Memoire || Octets > Options.Limites.Memoire - Ajout);
        }

        // Une allocation de Ajout octets (operator new du programme compile).
        void Prevoir (std::size_t Ajout)
        {
            if (Deborde (Ajout)) C::MemoireInsuffisante (Ajout, 0, false, 0, Octets, LimiteMio (), false, Ici);
        }

        // _Place : N elements (caracteres) demandes d'un coup, avant de les allouer.
        void Placer (std::size_t N, EElem Genre, bool Bits)
        {
            const std::size_t Ajout = Bits ? (N + 7) / 8 : N * TailleElement (Genre);
            if (Deborde (Ajout))
                C::MemoireInsuffisante (Ajout, N, false, Bits ? 0 : TailleElement (Genre), Octets, LimiteMio (), false, Ici);
        }

        void PlacerCaracteres (std::size_t N)
        {
            if (Deborde (N)) C::MemoireInsuffisante (N, N, true, 1, Octets, LimiteMio (), false, Ici);
        }

        // La chaine S va tenir N caracteres : la memoire d'une nouvelle capacite, s'il en faut une.
        void PrevoirChaine (const CChaine & S, std::size_t N)
        {
            if (N > S.S.capacity ()) Prevoir (OctetsChaine (NouvelleCapacite (S.S.capacity (), N)));
        }

        void Ajuster (CChaine & S)
        {
            const std::size_t N = OctetsChaine (S.S.capacity ());
            if (N == S.Compte) return;
            Octets = Octets + N - S.Compte;
            S.Compte = N;
        }

        void Ajuster (CTableau & T)
        {
            const std::size_t N = OctetsTableau (T);
            Octets = Octets + N - T.Compte;
            T.Compte = N;
        }

        CChaine & Chaine (SCase & Case)
        {
            if (! Case.P) Case.P = new CChaine ();
            return * static_cast <CChaine *> (Case.P);
        }

        static const CChaine & Lire (const SCase & Case)
        {
            return Case.P ? * static_cast <const CChaine *> (Case.P) : ChaineVide;
        }

        static CTableau & Tableau (const SCase & Case)
        {
            return Case.P ? * static_cast <CTableau *> (Case.P) : const_cast <CTableau &> (TableauVide);
        }

        void LibererChaine (CChaine * S)
        {
            Octets -= S->Compte;
            delete S;
        }

        std::size_t CompteElements (const CTableau & T, std::size_t Debut)
        {
            std::size_t N = 0;
            for (std::size_t i = Debut; i < T.S.size (); ++i) N += T.S [i].Compte;
            return N;
        }

        void LibererTableau (CTableau * T)
        {
            Octets -= T->Compte + CompteElements (* T, 0);
            delete T;
        }

        // La nouvelle taille d'un tableau : les elements ajoutes valent Valeur (0 par allonger).
        void Retailler (CTableau & T, std::size_t N, SCase Valeur)
        {
            const std::size_t Avant = T.Taille ();
            if (N > Avant && N > Capacite (T)) Placer (N, T.Genre, T.Bits);
            switch (T.Genre)
            {
                case EElem::Entier : T.I.resize (N, Valeur.I); break;
                case EElem::Reel   : T.R.resize (N, Valeur.R); break;
                case EElem::Octet  : T.O.resize (N, static_cast <char> (Valeur.I)); break;
                case EElem::Chaine :
                    if (N < Avant) Octets -= CompteElements (T, N);
                    T.S.resize (N);
                    break;
            }
            Ajuster (T);
        }

        void Vider (CTableau & T)
        {
            Octets -= T.Compte + CompteElements (T, 0);
            std::vector <std::int64_t> ().swap (T.I);
            std::vector <double> ().swap (T.R);
            std::vector <char> ().swap (T.O);
            std::vector <CChaine> ().swap (T.S);
            T.Compte = 0;
        }

        static std::size_t Capacite (const CTableau & T)
        {
            switch (T.Genre)
            {
                case EElem::Entier : return T.I.capacity ();
                case EElem::Reel   : return T.R.capacity ();
                case EElem::Octet  : return T.O.capacity ();
                default            : return T.S.capacity ();
            }
        }

        // --- Cadres ---

        SCase * Allouer (std::size_t N)
        {
            if (Segments.empty () || Occupe + N > Tailles [Segment])
            {
                if (! Segments.empty ()) ++Segment;
                if (Segment == Segments.size () || Tailles [Segment] < N)
                {
                    const std::size_t Taille = std::max (TailleSegment, N);
                    if (Segment == Segments.size ())
                    {
                        Segments.emplace_back (new SCase [Taille]);
                        Tailles.push_back (Taille);
                    }
                    else
                    {
                        Segments [Segment].reset (new SCase [Taille]);
                        Tailles [Segment] = Taille;
                    }
                }
                Occupe = 0;
            }
            SCase * Base = Segments [Segment].get () + Occupe;
            std::memset (static_cast <void *> (Base), 0, N * sizeof (SCase));
            Occupe += N;
            return Base;
        }

        void Empiler (std::uint32_t Unite, const SArgument * Args, std::uint32_t NbArgs, const SCase * Appelant,
                      std::uint32_t Retour, Operande Resultat, C::Pos Position)
        {
            const SUniteCode & U = Prog.Unites [Unite];
            if (PileOctets + U.Cout > Options.Limites.Pile) C::RecursionTropProfonde (U.Nom, Options.Limites.LimitePile, Position);
            SCadre Cadre;
            Cadre.Unite = Unite;
            Cadre.Retour = Retour;
            Cadre.Resultat = Resultat;
            Cadre.Segment = Segment;
            Cadre.Occupe = Occupe;
            Cadres.push_back (std::move (Cadre));
            PileOctets += U.Cout;
            SCase * Base = Allouer (U.NbCases);
            Cadres.back ().Base = Base;
            std::uint32_t k = 0;
            for (std::uint32_t a = 0; a < NbArgs; ++a)
            {
                const SArgument & A = Args [a];
                const SCase & Source = (A.Source & 1) ? Prog.Constantes [A.Source >> 1] : Appelant [A.Source >> 1];
                switch (A.Passage)
                {
                    case EPassage::Valeur : case EPassage::Objet : Base [k++] = Source; break;
                    case EPassage::CopieChaine :
                    {
                        const CChaine & S = Lire (Source);
                        Prevoir (OctetsChaine (S.S.size ()));
                        CChaine & Copie = Chaine (Base [k++]);
                        Copie.S = S.S;
                        Ajuster (Copie);
                        break;
                    }
                    case EPassage::CopieTableau :
                    {
                        const CTableau & T = Tableau (Source);
                        Prevoir (T.Taille () * (T.Bits ? 0 : TailleElement (T.Genre)) + (T.Bits ? (T.Taille () + 63) / 64 * 8 : 0)
                                 + CompteElements (T, 0));
                        CTableau * Copie = new CTableau (T);
                        Base [k++].P = Copie;
                        Copie->Compte = 0;
                        Ajuster (* Copie);
                        for (CChaine & S : Copie->S)
                        {
                            S.Compte = 0;
                            Ajuster (S);
                        }
                        break;
                    }
                    case EPassage::Reference :
                        Base [k++] = Source;
                        Base [k++] = Appelant [(A.Source >> 1) + 1];
                        if (A.Lien != 0xFFFFFFFFu)
                        {
                            const unsigned Genre = static_cast <unsigned> (Base [k - 1].I & 7);
                            const std::size_t Indice = static_cast <std::size_t> (Base [k - 1].I >> 3);
                            Liens.push_back ({ Source.P, Indice, AdresseElement (Source.P, Genre, Indice), Genre, A.Lien, Cadres.size () });
                        }
                        break;
                }
            }
        }

        void Depiler ()
        {
            SCadre & Cadre = Cadres.back ();
            const SUniteCode & U = Prog.Unites [Cadre.Unite];
            while (! Liens.empty () && Liens.back ().Profondeur >= Cadres.size ()) Liens.pop_back ();
            for (std::uint32_t c : U.Chaines)
                if (Cadre.Base [c].P) LibererChaine (static_cast <CChaine *> (Cadre.Base [c].P));
            for (std::uint32_t c : U.Tableaux)
                if (Cadre.Base [c].P) LibererTableau (static_cast <CTableau *> (Cadre.Base [c].P));
            PileOctets -= U.Cout;
            Segment = Cadre.Segment;
            Occupe = Cadre.Occupe;
            Cadres.pop_back ();
        }

        // --- Entree ---

        // _LireMot : le mot suivant (blancs sautes), puis le reste de sa ligne ; attend si
        // l'entree n'est pas fermee et que le mot ou la ligne peut continuer.
        ELecture LireMot (std::string & Mot)
        {
            std::size_t i = Lu;
            while (i < Tampon.size () && Blanc (Tampon [i])) ++i;
            if (i == Tampon.size ())
            {
                if (! EntreeFermee) return ELecture::Attente;
                Lu = i;
                Mot.clear ();
                return ELecture::Fin;
            }
            const std::size_t Debut = i;
            while (i < Tampon.size () && ! Blanc (Tampon [i])) ++i;
            if (i == Tampon.size () && ! EntreeFermee) return ELecture::Attente;
            const std::size_t Nl = Tampon.find ('\n', i);
            if (Nl == std::string::npos && ! EntreeFermee) return ELecture::Attente;
            Mot.assign (Tampon, Debut, i - Debut);
            Lu = Nl == std::string::npos ? Tampon.size () : Nl + 1;
            return ELecture::Lu;
        }

        // getline : la ligne sans sa fin ; echoue seulement a la fin de l'entree.
        ELecture LireLigne (std::string & Ligne)
        {
            const std::size_t Nl = Tampon.find ('\n', Lu);
            if (Nl == std::string::npos)
            {
                if (! EntreeFermee) return ELecture::Attente;
                if (Lu == Tampon.size ()) return ELecture::Fin;
                Ligne.assign (Tampon, Lu, std::string::npos);
                Lu = Tampon.size ();
                return ELecture::Lu;
            }
            Ligne.assign (Tampon, Lu, Nl - Lu);
            Lu = Nl + 1;
            return ELecture::Lu;
        }

        ELecture LireCaractere (char & c)
        {
            if (Lu < Tampon.size ())
            {
                c = Tampon [Lu++];
                return ELecture::Lu;
            }
            return EntreeFermee ? ELecture::Fin : ELecture::Attente;
        }

        // --- Hasard : 63 bits par tirage (splitmix64) ---

        std::uint64_t Tirer ()
        {
            std::uint64_t z = (Alea += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            return (z ^ (z >> 31)) >> 1;
        }

        // --- Suivi ---

        std::string TexteVariable (const SVisible & V, const SCase * Base) const
        {
            const SCase & Case = Base [V.Case];
            if (V.Vue == EVue::Tableau)
            {
                const CTableau & T = Tableau (Case);
                std::string R = "{";
                const std::size_t N = T.Taille ();
                for (std::size_t i = 0; i < N; ++i)
                {
                    if (i > 0) R += ", ";
                    if (i == 100)
                    {
                        R += "…";
                        break;
                    }
                    switch (T.Genre)
                    {
                        case EElem::Entier :
                            R += V.Naturel ? std::to_string (static_cast <std::uint64_t> (T.I [i])) : std::to_string (T.I [i]);
                            break;
                        case EElem::Reel : R += TexteReel (T.R [i]); break;
                        case EElem::Octet : R += V.Booleen ? (T.O [i] ? "vrai" : "faux") : TexteCaractere (T.O [i]); break;
                        case EElem::Chaine : R += TexteChaine (T.S [i].S); break;
                    }
                }
                return R + "}";
            }
            if (V.Vue == EVue::Chaine)
            {
                if (! V.Reference) return TexteChaine (Lire (Case).S);
                const CChaine * S = ResoudreChaine (& Case, false);
                return S ? TexteChaine (S->S) : "?";
            }
            SCase Valeur = Case;
            if (V.Reference)
            {
                bool Ok = true;
                Valeur = LireReference (& Case, V.Vue == EVue::Reel, Ok);
                if (! Ok) return "?";
            }
            switch (V.Vue)
            {
                case EVue::Naturel   : return std::to_string (static_cast <std::uint64_t> (Valeur.I));
                case EVue::Reel      : return TexteReel (Valeur.R);
                case EVue::Booleen   : return Valeur.I ? "vrai" : "faux";
                case EVue::Caractere : return TexteCaractere (static_cast <char> (Valeur.I));
                default              : return std::to_string (Valeur.I);
            }
        }

        // Les variables visibles a une marque, dans l'ordre de leur declaration.
        std::vector <std::uint32_t> VisiblesA (std::uint32_t Dernier) const
        {
            std::vector <std::uint32_t> L;
            for (std::uint32_t v = Dernier; v != 0xFFFFFFFFu; v = Prog.Visibles [v].Parent) L.push_back (v);
            return std::vector <std::uint32_t> (L.rbegin (), L.rend ());
        }

        void EmettreLigne (std::uint32_t Ligne)
        {
            SEvenementSuivi E;
            E.Ligne = true;
            E.NumeroLigne = Ligne;
            E.Texte = Ligne >= 1 && Ligne <= Prog.Lignes.size () ? TexteLigne (Prog.Lignes [Ligne - 1]) : "";
            E.Profondeur = Cadres.size ();
            Evenements.push_back (std::move (E));
            DerniereProfondeur = Cadres.size ();
            DerniereLigne = Ligne;
            ++Lignes;
        }

        void EmettreRenvoi (std::uint32_t Unite, const SCase & Valeur)
        {
            SVisible V;
            V.Vue = Prog.Unites [Unite].VueRetour;
            SEvenementSuivi E;
            E.Genre = ESuivi::Renvoi;
            E.Ligne = false;
            E.NumeroLigne = DerniereLigne;
            E.Nom = Prog.Unites [Unite].Nom;
            E.Valeur = TexteVariable (V, & Valeur);
            E.Profondeur = Cadres.size ();
            Evenements.push_back (std::move (E));
        }

        // Les variables du cadre courant qui ont change depuis la derniere ligne montree ;
        // elles suivent leur ligne (ecrite a nouveau si une autre s'est intercalee).
        void EmettreChangements (std::uint32_t Visibles)
        {
            SCadre & Cadre = Cadres.back ();
            std::vector <std::pair <std::uint32_t, std::string>> Valeurs;
            for (std::uint32_t v : VisiblesA (Visibles))
            {
                std::string Texte = TexteVariable (Prog.Visibles [v], Cadre.Base);
                bool Change = true;
                for (const auto & Connue : Cadre.Valeurs)
                    if (Connue.first == v) Change = Connue.second != Texte;
                if (Change)
                {
                    if (Cadre.ALigne && (DerniereProfondeur != Cadres.size () || DerniereLigne != Cadre.Ligne))
                        EmettreLigne (Cadre.Ligne);
                    SEvenementSuivi E;
                    E.Genre = ESuivi::Variable;
                    E.Ligne = false;
                    E.NumeroLigne = Cadre.Ligne;
                    E.Nom = Prog.Noms [Prog.Visibles [v].Nom];
                    E.Valeur = Texte;
                    E.Profondeur = Cadres.size ();
                    Evenements.push_back (std::move (E));
                }
                Valeurs.emplace_back (v, std::move (Texte));
            }
            Cadre.Valeurs = std::move (Valeurs);
        }

        // Une marque sous suivi : rend Budget pour continuer, Pas ou Limite pour s'arreter. Une
        // ligne est executee a nouveau quand le controle revient a l'endroit ou son execution a
        // commence, ou avant (boucle ecrite sur une ligne : chaque tour compte, sans quoi une
        // boucle sans fin sur une ligne ne s'arreterait jamais en pas a pas) ; un saut plus loin
        // dans la meme ligne la continue (le tour suivant d'un pour ecrit sur une ligne).
        EArret MarqueSuivie (const SMarque & M)
        {
            SCadre & Cadre = Cadres.back ();
            if (M.Genre == EMarque::Invisible) return EArret::Budget;
            const bool Nouvelle = ! Cadre.ALigne || M.Ligne != Cadre.Ligne || M.Ordre <= Cadre.Ordre;
            if (! Nouvelle) return EArret::Budget;
            if (Options.LimiteLignes != 0 && Lignes >= Options.LimiteLignes) return EArret::Limite;
            EmettreChangements (M.Visibles);
            EmettreLigne (M.Ligne);
            Cadre.ALigne = true;
            Cadre.Ligne = M.Ligne;
            Cadre.Ordre = M.Ordre;
            return PasAPas ? EArret::Pas : EArret::Budget;
        }

        // L'entree dans une unite appelee : sa ligne d'en-tete, puis ses parametres.
        EArret EntreeSuivie ()
        {
            if (Options.LimiteLignes != 0 && Lignes >= Options.LimiteLignes) return EArret::Limite;
            SCadre & Cadre = Cadres.back ();
            const SUniteCode & U = Prog.Unites [Cadre.Unite];
            EmettreLigne (U.LigneEntete);
            Cadre.ALigne = true;
            Cadre.Ligne = U.LigneEntete;
            EmettreChangements (U.VisiblesEntree);
            return PasAPas ? EArret::Pas : EArret::Budget;
        }

        // --- References ---

        // La valeur designee par une reference (deux cases) ; Ok faux si l'element n'existe plus.
        static SCase LireReference (const SCase * R, bool Reel, bool & Ok)
        {
            SCase V;
            V.I = 0;
            const std::uint64_t Index = static_cast <std::uint64_t> (R [1].I) >> 3;
            switch (static_cast <unsigned> (R [1].I & 7))
            {
                case RefCase : return * static_cast <const SCase *> (R [0].P);
                case RefElemI :
                case RefElemR :
                case RefElemO :
                {
                    const CTableau & T = * static_cast <const CTableau *> (R [0].P);
                    if (Index >= T.Taille ()) break;
                    if (T.Genre == EElem::Reel) V.R = T.R [Index];
                    else if (T.Genre == EElem::Octet) V.I = static_cast <signed char> (T.O [Index]);
                    else V.I = T.I [Index];
                    (void) Reel;
                    return V;
                }
                case RefCar :
                {
                    const std::string & S = static_cast <const CChaine *> (R [0].P)->S;
                    if (Index >= S.size ()) break;
                    V.I = static_cast <signed char> (S [Index]);
                    return V;
                }
                default : break;
            }
            Ok = false;
            return V;
        }

        static const CChaine * ResoudreChaine (const SCase * R, bool)
        {
            if ((R [1].I & 7) == RefObjet) return static_cast <const CChaine *> (R [0].P);
            const CTableau & T = * static_cast <const CTableau *> (R [0].P);
            const std::uint64_t Index = static_cast <std::uint64_t> (R [1].I) >> 3;
            return Index < T.S.size () ? & T.S [Index] : nullptr;
        }

        // L'element d'une reference a disparu (tableau ou chaine raccourci pendant l'appel).
        [[noreturn]] static void ReferencePerdue (const SCase * R, C::Pos P)
        {
            const std::uint64_t Index = static_cast <std::uint64_t> (R [1].I) >> 3;
            const unsigned Genre = static_cast <unsigned> (R [1].I & 7);
            std::size_t Taille = 0;
            if (Genre == RefCar || Genre == RefObjet) Taille = static_cast <const CChaine *> (R [0].P)->S.size ();
            else Taille = static_cast <const CTableau *> (R [0].P)->Taille ();
            C::HorsBornes (static_cast <std::int64_t> (Index), Taille, Genre == RefCar, P);
        }

        void EcrireReference (SCase * R, SCase V, C::Pos P)
        {
            const std::uint64_t Index = static_cast <std::uint64_t> (R [1].I) >> 3;
            switch (static_cast <unsigned> (R [1].I & 7))
            {
                case RefCase : * static_cast <SCase *> (R [0].P) = V; return;
                case RefElemI :
                case RefElemR :
                case RefElemO :
                {
                    CTableau & T = * static_cast <CTableau *> (R [0].P);
                    if (Index >= T.Taille ()) ReferencePerdue (R, P);
                    if (T.Genre == EElem::Reel) T.R [Index] = V.R;
                    else if (T.Genre == EElem::Octet) T.O [Index] = static_cast <char> (V.I);
                    else T.I [Index] = V.I;
                    return;
                }
                case RefCar :
                {
                    std::string & S = static_cast <CChaine *> (R [0].P)->S;
                    if (Index >= S.size ()) ReferencePerdue (R, P);
                    S [Index] = static_cast <char> (V.I);
                    return;
                }
                default : return;
            }
        }

        // --- Arret sur erreur ---

        // Le systeme a refuse avant la limite (ulimit -v, taille impossible) : le message du
        // programme compile.
        void ArreterFauteDeMemoire ()
        {
            try
            {
                C::MemoireInsuffisante (0, 0, false, 0, Octets, LimiteMio (), true, Ici);
            }
            catch (const C::CErreurExecution & E)
            {
                Arreter (E);
            }
        }

        void Arreter (const C::CErreurExecution & E)
        {
            Etat = EEtat::Erreur;
            Erreur = SErreurExecution {};
            Erreur.Message = E.Message;
            // Les notes du controle, celles de l'endroit (_Notes), puis l'aide.
            std::string Notes = E.Notes, DEndroit;
            if (E.Position != C::SansPosition && E.Position < Prog.Positions.size ())
            {
                const SPositionCode & P = Prog.Positions [E.Position];
                const std::string Nom = P.Nom < Prog.Noms.size () ? Prog.Noms [P.Nom] : std::string ();
                for (std::string * T : { & Erreur.Message, & Notes })
                    for (std::size_t i = T->find (C::NomMarque); i != std::string::npos; i = T->find (C::NomMarque, i + Nom.size ()))
                        T->replace (i, 1, Nom);
                if (P.Notes < Prog.Noms.size ()) DEndroit = Prog.Noms [P.Notes];
            }
            for (const std::string * L : { static_cast <const std::string *> (& DEndroit), & E.Aide })
                if (! L->empty ()) Notes += (Notes.empty () ? "" : "\n") + * L;
            Erreur.Notes = Notes;
            if (E.Position != C::SansPosition && E.Position < Prog.Positions.size ())
            {
                const SPositionCode & P = Prog.Positions [E.Position];
                Erreur.Positionnee = true;
                Erreur.Ligne = P.Ligne;
                Erreur.Colonne = P.Colonne;
                Erreur.Decalage = P.Decalage;
                Erreur.Texte = Options.NomSource + ':' + std::to_string (P.Ligne) + ':' + std::to_string (P.Colonne)
                             + ": erreur : " + Erreur.Message;
            }
            else Erreur.Texte = Options.NomSource + ": erreur : " + Erreur.Message;
        }

        EArret Executer (std::uint64_t Budget);
    };

    // --- La boucle d'execution ---

    EArret CExecution::SEtat::Executer (std::uint64_t Budget)
    {
        if (Etat == EEtat::Fini) return EArret::Fini;
        if (Etat == EEtat::Erreur) return EArret::Erreur;
        const SOp * const Ops = Prog.Ops.data ();
        SCase * Cases = Cadres.back ().Base;
        const SCase * const K = Prog.Constantes.data ();
        std::uint32_t pc = Pc;
        // Un operande source : une case du cadre ou une constante ; une destination : une case.
#define V(o) (((o) & 1) ? K [(o) >> 1] : Cases [(o) >> 1])
#define D(o) (Cases [(o) >> 1])
#define S(o) (* static_cast <const CChaine *> (V (o).P ? V (o).P : & ChaineVide))
#define T(o) (Tableau (V (o)))
        try
        {
            for (;;)
            {
                const SOp & O = Ops [pc];
                switch (O.Code)
                {
                    // --- Copies et conversions ---
                    case Copier : D (O.A) = V (O.B); break;
                    case EntierVersReel : D (O.A).R = static_cast <double> (V (O.B).I); break;
                    case NaturelVersReel : D (O.A).R = static_cast <double> (static_cast <std::uint64_t> (V (O.B).I)); break;
                    case Naturel : D (O.A).I = C::Naturel (V (O.B).I, O.D); break;
                    case EntierDeReel : D (O.A).I = O.X == 1 ? C::IntDeReel (V (O.B).R, O.D) : C::EntierDeReel (V (O.B).R, O.D); break;
                    case NaturelDeReel : D (O.A).I = C::NaturelDeReel (V (O.B).R, O.D); break;

                    // --- Entiers ---
                    // X : les drapeaux des types (C::GaucheNaturel...) ; 0 entre entiers signes.
                    case Plus : D (O.A).I = O.X ? C::CalculType ('+', V (O.B).I, V (O.C).I, O.X, O.D) : C::Plus (V (O.B).I, V (O.C).I, O.D); break;
                    case Moins : D (O.A).I = O.X ? C::CalculType ('-', V (O.B).I, V (O.C).I, O.X, O.D) : C::Moins (V (O.B).I, V (O.C).I, O.D); break;
                    case Fois : D (O.A).I = O.X ? C::CalculType ('*', V (O.B).I, V (O.C).I, O.X, O.D) : C::Fois (V (O.B).I, V (O.C).I, O.D); break;
                    case Div : D (O.A).I = O.X ? C::DivisionType (false, V (O.B).I, V (O.C).I, O.X, O.D) : C::Div (V (O.B).I, V (O.C).I, O.D); break;
                    case nsInterpreteur::Modulo :
                        D (O.A).I = O.X ? C::DivisionType (true, V (O.B).I, V (O.C).I, O.X, O.D) : C::Modulo (V (O.B).I, V (O.C).I, O.D);
                        break;
                    case PlusK : D (O.A).I = O.X ? C::CalculType ('+', V (O.B).I, K [O.C].I, O.X, O.D) : C::Plus (V (O.B).I, K [O.C].I, O.D); break;
                    case MoinsK : D (O.A).I = O.X ? C::CalculType ('-', V (O.B).I, K [O.C].I, O.X, O.D) : C::Moins (V (O.B).I, K [O.C].I, O.D); break;
                    case nsInterpreteur::Oppose : D (O.A).I = O.X ? C::OpposeType (V (O.B).I, O.X, O.D) : C::Oppose (V (O.B).I, O.D); break;

                    // --- Reels ---
                    // X : les types des operandes (C::ReelGaucheEntier...).
                    case RPlus : D (O.A).R = C::Reel (V (O.B).R + V (O.C).R, V (O.B).R, " + ", V (O.C).R, O.X, O.D); break;
                    case RMoins : D (O.A).R = C::Reel (V (O.B).R - V (O.C).R, V (O.B).R, " - ", V (O.C).R, O.X, O.D); break;
                    case RFois : D (O.A).R = C::Reel (V (O.B).R * V (O.C).R, V (O.B).R, " * ", V (O.C).R, O.X, O.D); break;
                    case RDiv : D (O.A).R = C::DivReel (V (O.B).R, V (O.C).R, O.X, O.D); break;
                    case ROppose : D (O.A).R = -V (O.B).R; break;

                    // --- Booleens ---
                    case Non : D (O.A).I = V (O.B).I == 0; break;
                    case Et : D (O.A).I = V (O.B).I & V (O.C).I; break;
                    case Ou : D (O.A).I = V (O.B).I | V (O.C).I; break;

                    // --- Comparaisons ---
                    case EgalI : D (O.A).I = O.X ? C::ComparerType (0, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I == V (O.C).I; break;
                    case DiffI : D (O.A).I = O.X ? C::ComparerType (1, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I != V (O.C).I; break;
                    case InfI : D (O.A).I = O.X ? C::ComparerType (2, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I < V (O.C).I; break;
                    case InfEgalI : D (O.A).I = O.X ? C::ComparerType (3, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I <= V (O.C).I; break;
                    case SupI : D (O.A).I = O.X ? C::ComparerType (4, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I > V (O.C).I; break;
                    case SupEgalI : D (O.A).I = O.X ? C::ComparerType (5, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I >= V (O.C).I; break;
                    case EgalR : D (O.A).I = V (O.B).R == V (O.C).R; break;
                    case DiffR : D (O.A).I = V (O.B).R != V (O.C).R; break;
                    case InfR : D (O.A).I = V (O.B).R < V (O.C).R; break;
                    case InfEgalR : D (O.A).I = V (O.B).R <= V (O.C).R; break;
                    case SupR : D (O.A).I = V (O.B).R > V (O.C).R; break;
                    case SupEgalR : D (O.A).I = V (O.B).R >= V (O.C).R; break;
                    case EgalS : D (O.A).I = S (O.B).S == S (O.C).S; break;
                    case DiffS : D (O.A).I = S (O.B).S != S (O.C).S; break;
                    case InfS : D (O.A).I = S (O.B).S < S (O.C).S; break;
                    case InfEgalS : D (O.A).I = S (O.B).S <= S (O.C).S; break;
                    case SupS : D (O.A).I = S (O.B).S > S (O.C).S; break;
                    case SupEgalS : D (O.A).I = S (O.B).S >= S (O.C).S; break;

                    // --- Sauts ---
                    case Saut : pc = O.A; continue;
                    case SiVrai : if (V (O.B).I) { pc = O.A; continue; } break;
                    case SiFaux : if (! V (O.B).I) { pc = O.A; continue; } break;
                    case SautSiNonEgalI :
                        if (! (O.X ? C::ComparerType (0, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I == V (O.C).I)) { pc = O.A; continue; }
                        break;
                    case SautSiNonDiffI :
                        if (! (O.X ? C::ComparerType (1, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I != V (O.C).I)) { pc = O.A; continue; }
                        break;
                    case SautSiNonInfI :
                        if (! (O.X ? C::ComparerType (2, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I < V (O.C).I)) { pc = O.A; continue; }
                        break;
                    case SautSiNonInfEgalI :
                        if (! (O.X ? C::ComparerType (3, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I <= V (O.C).I)) { pc = O.A; continue; }
                        break;
                    case SautSiNonSupI :
                        if (! (O.X ? C::ComparerType (4, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I > V (O.C).I)) { pc = O.A; continue; }
                        break;
                    case SautSiNonSupEgalI :
                        if (! (O.X ? C::ComparerType (5, V (O.B).I, V (O.C).I, O.X, O.D) : V (O.B).I >= V (O.C).I)) { pc = O.A; continue; }
                        break;
                    case SautSiNonEgalR : if (! (V (O.B).R == V (O.C).R)) { pc = O.A; continue; } break;
                    case SautSiNonDiffR : if (! (V (O.B).R != V (O.C).R)) { pc = O.A; continue; } break;
                    case SautSiNonInfR : if (! (V (O.B).R < V (O.C).R)) { pc = O.A; continue; } break;
                    case SautSiNonInfEgalR : if (! (V (O.B).R <= V (O.C).R)) { pc = O.A; continue; } break;
                    case SautSiNonSupR : if (! (V (O.B).R > V (O.C).R)) { pc = O.A; continue; } break;
                    case SautSiNonSupEgalR : if (! (V (O.B).R >= V (O.C).R)) { pc = O.A; continue; } break;
                    case PourDebut :
                    {
                        const std::int64_t Debut = V (O.B).I, Borne = V (O.C).I;
                        D (O.A).I = Debut;
                        if (O.X ? ! (Debut >= Borne) : ! (Debut <= Borne)) { pc = O.D; continue; }
                        break;
                    }
                    case PourSuivant :
                        if (D (O.A).I < V (O.B).I) { ++D (O.A).I; pc = O.C; continue; }
                        if (D (O.A).I == C::EntierMax) C::FinPour (D (O.A).I, true, O.D);
                        break;
                    case PourSuivantDesc :
                        if (D (O.A).I > V (O.B).I) { --D (O.A).I; pc = O.C; continue; }
                        if (D (O.A).I == C::EntierMin) C::FinPour (D (O.A).I, false, O.D);
                        break;

                    // --- Chaines ---
                    case ChCopier :
                    {
                        const CChaine & Source = S (O.B);
                        CChaine & Cible = Chaine (D (O.A));
                        if (O.X == 1) Ici = O.D;
                        if (& Cible != & Source)
                        {
                            PrevoirChaine (Cible, Source.S.size ());
                            Cible.S = Source.S;
                            Ajuster (Cible);
                        }
                        break;
                    }
                    case ChEchanger :
                    {
                        // Comme une affectation par deplacement suivie de la fin du temporaire :
                        // l'ancienne valeur de A est rendue aussitot.
                        CChaine & A = Chaine (D (O.A));
                        CChaine & B = Chaine (D (O.B));
                        if (& A == & B) break;
                        A.S = std::move (B.S);
                        std::string ().swap (B.S);
                        Ajuster (A);
                        Ajuster (B);
                        break;
                    }
                    case ChAjouter :
                    {
                        CChaine & Cible = Chaine (D (O.A));
                        const CChaine & Source = S (O.B);
                        if (O.X == 1) Ici = O.D;
                        PrevoirChaine (Cible, Cible.S.size () + Source.S.size ());
                        Cible.S += Source.S;
                        Ajuster (Cible);
                        break;
                    }
                    case ChAjouterCar :
                    {
                        CChaine & Cible = Chaine (D (O.A));
                        if (O.X == 1) Ici = O.D;
                        PrevoirChaine (Cible, Cible.S.size () + 1);
                        Cible.S += static_cast <char> (V (O.B).I);
                        Ajuster (Cible);
                        break;
                    }
                    case ChTaille : D (O.A).I = static_cast <std::int64_t> (S (O.B).S.size ()); break;
                    case ChElement :
                    {
                        const std::string & Ch = S (O.B).S;
                        D (O.A).I = static_cast <signed char> (Ch [C::Indice (Ch.size (), V (O.C).I, true, O.D)]);
                        break;
                    }
                    case ChEcrire :
                    {
                        std::string & Ch = Chaine (D (O.A)).S;
                        const std::size_t i = C::Indice (Ch.size (), V (O.B).I, true, O.D);
                        Ch [i] = static_cast <char> (V (O.C).I);
                        break;
                    }
                    case ChDeclarer :
                    {
                        std::size_t N = 0;
                        if (O.B != PasDOperande)
                        {
                            Ici = O.D;
                            N = C::Taille (V (O.B).I, O.D);
                            PlacerCaracteres (N);
                        }
                        // Une nouvelle chaine a chaque declaration (l'ancienne est rendue).
                        CChaine & Ch = Chaine (D (O.A));
                        std::string ().swap (Ch.S);
                        Ajuster (Ch);
                        Ch.S.assign (N, '\0');
                        Ajuster (Ch);
                        break;
                    }
                    case ChAllonger :
                    case ChRedimensionner :
                    {
                        CChaine & Ch = Chaine (D (O.A));
                        Ici = O.D;
                        const std::size_t N = O.Code == ChAllonger ? C::Allonger (Ch.S.size (), V (O.B).I, O.D)
                                                                   : C::Redimensionner (V (O.B).I, O.D);
                        if (N > Ch.S.capacity ()) PlacerCaracteres (N);
                        Ch.S.resize (N);
                        Ajuster (Ch);
                        if (! Liens.empty ())
                            VerifierLiens (& Ch, O.Code == ChAllonger ? "allonger (@, …)" : "redimensionner (@, …)", O.D);
                        break;
                    }

                    // --- Tableaux ---
                    case TabDeclarer :
                    {
                        std::size_t N = 0;
                        if (O.B != PasDOperande)
                        {
                            Ici = O.D;
                            N = C::Taille (V (O.B).I, O.D);
                        }
                        SCase & Case = D (O.A);
                        if (! Case.P) Case.P = new CTableau ();
                        CTableau & Tab = * static_cast <CTableau *> (Case.P);
                        // Un nouveau tableau a chaque declaration : l'ancien est rendu.
                        Vider (Tab);
                        Tab.Genre = static_cast <EElem> (O.X & 0xF);
                        Tab.Bits = (O.X & 0x10) != 0;
                        Retailler (Tab, N, K [O.C >> 1]);
                        break;
                    }
                    case TabElementI :
                    {
                        const CTableau & Tab = T (O.B);
                        D (O.A).I = Tab.I [C::Indice (Tab.I.size (), V (O.C).I, false, O.D)];
                        break;
                    }
                    case TabElementR :
                    {
                        const CTableau & Tab = T (O.B);
                        D (O.A).R = Tab.R [C::Indice (Tab.R.size (), V (O.C).I, false, O.D)];
                        break;
                    }
                    case TabElementO :
                    {
                        const CTableau & Tab = T (O.B);
                        D (O.A).I = static_cast <signed char> (Tab.O [C::Indice (Tab.O.size (), V (O.C).I, false, O.D)]);
                        break;
                    }
                    case TabElementS :
                    {
                        CTableau & Tab = T (O.B);
                        D (O.A).P = & Tab.S [C::Indice (Tab.S.size (), V (O.C).I, false, O.D)];
                        break;
                    }
                    case TabEcrireI :
                    {
                        CTableau & Tab = T (O.A);
                        Tab.I [C::Indice (Tab.I.size (), V (O.B).I, false, O.D)] = V (O.C).I;
                        break;
                    }
                    case TabEcrireR :
                    {
                        CTableau & Tab = T (O.A);
                        Tab.R [C::Indice (Tab.R.size (), V (O.B).I, false, O.D)] = V (O.C).R;
                        break;
                    }
                    case TabEcrireO :
                    {
                        CTableau & Tab = T (O.A);
                        Tab.O [C::Indice (Tab.O.size (), V (O.B).I, false, O.D)] = static_cast <char> (V (O.C).I);
                        break;
                    }
                    case TabEcrireS :
                    {
                        CTableau & Tab = T (O.A);
                        CChaine & Cible = Tab.S [C::Indice (Tab.S.size (), V (O.B).I, false, O.D)];
                        const CChaine & Source = S (O.C);
                        if (& Cible != & Source)
                        {
                            PrevoirChaine (Cible, Source.S.size ());
                            Cible.S = Source.S;
                            Ajuster (Cible);
                        }
                        break;
                    }
                    case TabTaille : D (O.A).I = static_cast <std::int64_t> (T (O.B).Taille ()); break;
                    case TabAllonger :
                    case TabRedimensionner :
                    {
                        SCase & Case = D (O.A);
                        if (! Case.P) Case.P = new CTableau ();
                        CTableau & Tab = * static_cast <CTableau *> (Case.P);
                        Ici = O.D;
                        const std::size_t N = O.Code == TabAllonger ? C::Allonger (Tab.Taille (), V (O.B).I, O.D)
                                                                    : C::Redimensionner (V (O.B).I, O.D);
                        SCase Zero;
                        Zero.I = 0;
                        Retailler (Tab, N, Zero);
                        if (! Liens.empty ())
                            VerifierLiens (& Tab, O.Code == TabAllonger ? "allonger (@, …)" : "redimensionner (@, …)", O.D);
                        break;
                    }
                    case ChChangee :
                        if (! Liens.empty ()) VerifierLiens (V (O.A).P, "@ <- …", O.D);
                        break;

                    // --- References ---
                    case RefDeCase :
                        D (O.A).P = & D (O.B);
                        Cases [(O.A >> 1) + 1].I = RefCase;
                        break;
                    case RefDeElement :
                    {
                        const std::int64_t i = V (O.C).I;
                        std::size_t Taille;
                        void * Conteneur;
                        if (O.X == RefCar)
                        {
                            CChaine & Ch = Chaine (D (O.B));
                            Conteneur = & Ch;
                            Taille = Ch.S.size ();
                        }
                        else
                        {
                            CTableau & Tab = T (O.B);
                            Conteneur = & Tab;
                            Taille = Tab.Taille ();
                        }
                        const std::size_t Index = C::Indice (Taille, i, O.X == RefCar, O.D);
                        D (O.A).P = Conteneur;
                        Cases [(O.A >> 1) + 1].I = static_cast <std::int64_t> (Index << 3) | O.X;
                        break;
                    }
                    case RefCopier :
                        D (O.A) = D (O.B);
                        Cases [(O.A >> 1) + 1] = Cases [(O.B >> 1) + 1];
                        break;
                    case RefDeObjet :
                        D (O.A).P = & Chaine (D (O.B));
                        Cases [(O.A >> 1) + 1].I = RefObjet;
                        break;
                    case RefLireI :
                    case RefLireR :
                    {
                        bool Ok = true;
                        const SCase * R = & D (O.B);
                        D (O.A) = LireReference (R, O.Code == RefLireR, Ok);
                        if (! Ok) ReferencePerdue (R, O.D);
                        break;
                    }
                    case RefEcrireI :
                    case RefEcrireR : EcrireReference (& D (O.A), V (O.B), O.D); break;
                    case RefChaine :
                    {
                        const SCase * R = & D (O.B);
                        const CChaine * Ch = ResoudreChaine (R, false);
                        if (! Ch) ReferencePerdue (R, O.D);
                        D (O.A).P = const_cast <CChaine *> (Ch);
                        break;
                    }

                    // --- Unites ---
                    case nsInterpreteur::Appel :
                    {
                        const SAppel & A = Prog.Appels [O.B];
                        Empiler (O.A, Prog.Arguments.data () + A.Premier, A.Nb, Cases, pc + 1, O.C, O.D);
                        Cases = Cadres.back ().Base;
                        pc = Prog.Unites [O.A].Debut;
                        if (Suivi || PasAPas)
                        {
                            const EArret R = EntreeSuivie ();
                            if (R != EArret::Budget)
                            {
                                Pc = pc;
                                return R;
                            }
                        }
                        continue;
                    }
                    case nsInterpreteur::Renvoie :
                    {
                        SCadre & Cadre = Cadres.back ();
                        SCase * Appelant = Cadres [Cadres.size () - 2].Base;
                        SCase & Cible = Appelant [Cadre.Resultat >> 1];
                        if (O.X == 0) Cible = V (O.A);
                        else
                        {
                            CChaine & Dest = Chaine (Cible);
                            if (O.X == 2)
                            {
                                CChaine & Source = Chaine (D (O.A));
                                Dest.S.swap (Source.S);
                                std::swap (Dest.Compte, Source.Compte);
                            }
                            else
                            {
                                const CChaine & Source = S (O.A);
                                Prevoir (Source.S.size ());
                                Dest.S = Source.S;
                                Ajuster (Dest);
                            }
                        }
                        // Le suivi dit la valeur renvoyee, au niveau de la fonction, apres son fin.
                        if (Suivi || PasAPas) EmettreRenvoi (Cadre.Unite, Cible);
                        pc = Cadre.Retour;
                        Depiler ();
                        Cases = Cadres.back ().Base;
                        continue;
                    }
                    case FinUnite :
                    {
                        if (Cadres.size () == 1)
                        {
                            if ((Suivi || PasAPas) && Cadres.back ().Marque < Prog.Marques.size ())
                                EmettreChangements (Prog.Marques [Cadres.back ().Marque].Visibles);
                            Etat = EEtat::Fini;
                            Pc = pc;
                            return EArret::Fini;
                        }
                        pc = Cadres.back ().Retour;
                        Depiler ();
                        Cases = Cadres.back ().Base;
                        continue;
                    }
                    case FinSansRenvoie : C::SansRenvoie (Prog.Unites [Cadres.back ().Unite].Nom, O.D);

                    // --- Fonctions standard ---
                    case nsInterpreteur::Rand :
                        D (O.A).I = C::Rand (V (O.B).I, V (O.C).I, [this] { return Tirer (); });
                        break;
                    case Succ : D (O.A).I = static_cast <signed char> (V (O.B).I + 1); break;
                    case Pred : D (O.A).I = static_cast <signed char> (V (O.B).I - 1); break;
                    case Majuscule :
                    {
                        const std::int64_t c = V (O.B).I;
                        D (O.A).I = c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
                        break;
                    }
                    case Minuscule :
                    {
                        const std::int64_t c = V (O.B).I;
                        D (O.A).I = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
                        break;
                    }
                    case VersInt :
                        D (O.A).I = O.X == 2 ? C::EntierDeNaturel (V (O.B).I, O.D) : C::VersInt (V (O.B).I, O.X == 1, O.D);
                        break;
                    case Rang :
                        if (static_cast <char> (V (O.B).I) < 0) C::RangNegatif (static_cast <char> (V (O.B).I), O.D);
                        D (O.A).I = static_cast <unsigned char> (V (O.B).I);
                        break;

                    // --- Entree et sortie ---
                    case AfficherI : Sortie += std::to_string (V (O.A).I); break;
                    case AfficherN : Sortie += std::to_string (static_cast <std::uint64_t> (V (O.A).I)); break;
                    case AfficherR :
                        Flux.str (std::string ());
                        Flux << V (O.A).R;
                        Sortie += Flux.str ();
                        break;
                    case AfficherB : Sortie += V (O.A).I ? '1' : '0'; break;
                    case AfficherC : Sortie += static_cast <char> (V (O.A).I); break;
                    case AfficherS : Sortie += S (O.A).S; break;
                    case LigneSuivante : Sortie += '\n'; break;
                    case SaisirI :
                    case SaisirR :
                    {
                        std::string Mot;
                        if (LireMot (Mot) == ELecture::Attente)
                        {
                            Pc = pc;
                            return EArret::Entree;
                        }
                        if (O.Code == SaisirR) D (O.A).R = C::SaisirReel (Mot, Prog.Noms [O.B], O.D);
                        else D (O.A).I = C::SaisirEntier (Mot, static_cast <C::ESaisie> (O.X), Prog.Noms [O.B], O.D);
                        break;
                    }
                    case SaisirS :
                    {
                        std::string Ligne;
                        const ELecture L = LireLigne (Ligne);
                        if (L == ELecture::Attente)
                        {
                            Pc = pc;
                            return EArret::Entree;
                        }
                        if (L == ELecture::Fin) C::MauvaiseSaisie (Prog.Noms [O.B], C::ESaisie::Chaine, "", false, O.D);
                        // Comme getline : la chaine videe recoit la ligne (sa memoire gardee si elle
                        // suffit, sinon deplacee).
                        Ici = O.D;
                        CChaine & Ch = Chaine (D (O.A));
                        Ch.S.clear ();
                        PrevoirChaine (Ch, Ligne.size ());
                        Ch.S.append (Ligne);
                        Ajuster (Ch);
                        if (! Liens.empty ()) VerifierLiens (& Ch, "saisir (@)", O.D);
                        break;
                    }
                    case SaisirC :
                    {
                        char c = 0;
                        const ELecture L = LireCaractere (c);
                        if (L == ELecture::Attente)
                        {
                            Pc = pc;
                            return EArret::Entree;
                        }
                        if (L == ELecture::Fin) C::MauvaiseSaisie (Prog.Noms [O.B], C::ESaisie::Caractere, "", false, O.D);
                        D (O.A).I = static_cast <signed char> (c);
                        break;
                    }

                    // --- Pas ---
                    case Marque :
                    {
                        if (Budget == 0)
                        {
                            Pc = pc;
                            return EArret::Budget;
                        }
                        --Budget;
                        ++Pas;
                        Cadres.back ().Marque = O.A;
                        if (Suivi || PasAPas)
                        {
                            const EArret R = MarqueSuivie (Prog.Marques [O.A]);
                            if (R != EArret::Budget)
                            {
                                Pc = R == EArret::Limite ? pc : pc + 1;
                                return R;
                            }
                        }
                        break;
                    }
                    default : break;
                }
                ++pc;
            }
        }
        catch (const C::CErreurExecution & E)
        {
            Pc = pc;
            Arreter (E);
        }
        catch (const std::bad_alloc &)
        {
            Pc = pc;
            ArreterFauteDeMemoire ();
        }
        catch (const std::length_error &)
        {
            Pc = pc;
            ArreterFauteDeMemoire ();
        }
#undef V
#undef D
#undef S
#undef T
        return EArret::Erreur;
    }

    // --- La face ---

    CExecution::CExecution (const STraduction & T, const std::string & Source, const SOptionsExecution & Options)
        : Etat (std::make_unique <SEtat> ())
    {
        Etat->Options = Options;
        Etat->PasAPas = Options.PasAPas;
        Etat->Suivi = Options.Suivi || Options.PasAPas;
        Etat->Flux.imbue (std::locale::classic ());
        Etat->Alea = Options.Graine != 0 ? Options.Graine
                   : static_cast <std::uint64_t> (std::chrono::system_clock::now ().time_since_epoch ().count ());
        try
        {
            Etat->EstPret = Compiler (T, Source, Options.TailleTab, Etat->Prog, Etat->Refus);
        }
        catch (const std::exception & E)
        {
            Etat->Refus = E.what ();
            Etat->EstPret = false;
        }
        if (! Etat->EstPret)
        {
            Etat->Etat = SEtat::EEtat::Fini;
            return;
        }
        // L'algorithme, appele par main : sans controle de pile (comme le programme compile).
        const SUniteCode & Algo = Etat->Prog.Unites [Etat->Prog.Algorithme];
        Etat->Cadres.emplace_back ();
        Etat->Cadres.back ().Unite = Etat->Prog.Algorithme;
        Etat->Cadres.back ().Base = Etat->Allouer (Algo.NbCases);
        Etat->PileOctets = Algo.Cout;
        Etat->Pc = Algo.Debut;
        // _LireMemoire, avant la premiere instruction.
        if (Options.VariableMemoireDonnee)
        {
            std::uint64_t Mio = 0;
            if (C::LireMemoire (Options.VariableMemoire, Mio)) Etat->Options.Limites.Memoire = static_cast <std::size_t> (Mio << 20);
            else
            {
                try
                {
                    C::MemoireInvalide (Options.VariableMemoire);
                }
                catch (const C::CErreurExecution & E)
                {
                    Etat->Arreter (E);
                }
            }
        }
    }

    CExecution::~CExecution () = default;

    bool CExecution::Pret () const { return Etat->EstPret; }
    const std::string & CExecution::Refus () const { return Etat->Refus; }

    void CExecution::AjouterEntree (const std::string & Octets)
    {
        if (Etat->EntreeFermee) return;
        // Ce qui est deja lu est oublie de temps en temps : le tampon ne croit pas sans fin.
        if (Etat->Lu > (std::size_t (1) << 16) && Etat->Lu * 2 > Etat->Tampon.size ())
        {
            Etat->Tampon.erase (0, Etat->Lu);
            Etat->Lu = 0;
        }
        Etat->Tampon += Octets;
    }

    void CExecution::FermerEntree () { Etat->EntreeFermee = true; }

    EArret CExecution::Executer (std::uint64_t Budget) { return Etat->Executer (Budget); }

    void CExecution::PasAPas (bool Actif)
    {
        Etat->PasAPas = Actif;
        Etat->Suivi = Actif || Etat->Options.Suivi;
    }

    std::string CExecution::PrendreSortie ()
    {
        std::string R;
        R.swap (Etat->Sortie);
        return R;
    }

    std::vector <SEvenementSuivi> CExecution::PrendreSuivi ()
    {
        std::vector <SEvenementSuivi> R;
        R.swap (Etat->Evenements);
        return R;
    }

    int CExecution::Statut () const { return Etat->Etat == SEtat::EEtat::Erreur ? 1 : 0; }

    const SErreurExecution & CExecution::ErreurExecution () const { return Etat->Erreur; }

    SPositionCourante CExecution::PositionCourante () const
    {
        SPositionCourante P;
        if (Etat->Cadres.empty ()) return P;
        const SCadre & Cadre = Etat->Cadres.back ();
        P.Profondeur = Etat->Cadres.size ();
        if (Cadre.Marque < Etat->Prog.Marques.size ())
        {
            const SMarque & M = Etat->Prog.Marques [Cadre.Marque];
            P.Valide = true;
            P.Ligne = M.Ligne;
            P.Debut = M.Debut;
            P.Fin = M.Fin;
        }
        else if (Cadre.ALigne)
        {
            // A l'entree d'une unite : son en-tete.
            P.Valide = true;
            P.Ligne = Cadre.Ligne;
        }
        return P;
    }

    std::vector <SVariableVisible> CExecution::Variables () const
    {
        std::vector <SVariableVisible> R;
        if (Etat->Cadres.empty ()) return R;
        const SCadre & Cadre = Etat->Cadres.back ();
        const std::uint32_t Dernier = Cadre.Marque < Etat->Prog.Marques.size ()
                                    ? Etat->Prog.Marques [Cadre.Marque].Visibles
                                    : Etat->Prog.Unites [Cadre.Unite].VisiblesEntree;
        for (std::uint32_t v : Etat->VisiblesA (Dernier))
        {
            const SVisible & Vis = Etat->Prog.Visibles [v];
            R.push_back ({ Etat->Prog.Noms [Vis.Nom], Etat->TexteVariable (Vis, Cadre.Base) });
        }
        return R;
    }

    std::uint64_t CExecution::LignesSuivies () const { return Etat->Lignes; }
    std::uint64_t CExecution::PasExecutes () const { return Etat->Pas; }
}
