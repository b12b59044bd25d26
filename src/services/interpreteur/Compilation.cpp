// Compilation du modele en code : chaque nom devient une case de son cadre, chaque expression une
// suite d'operations sur des cases temporaires, chaque structure des sauts. Les conversions et
// les controles sont places exactement la ou l'ecrivain du profil verifie les ecrit
// (EcrivainVerifie.cpp), avec la meme position du source. L'evaluation va de gauche a droite :
// une valeur deja calculee est mise de cote avant un appel qui pourrait changer ce qu'elle lit.
// La profondeur de la compilation suit l'imbrication du source, bornee par le traducteur.
#include "services/interpreteur/Code.h"

#include "driver/Traduction.h"
#include "types/TypesCodes.h"

#include <cstring>
#include <map>
#include <set>

namespace nsTramelo::nsInterpreteur
{
    namespace
    {
        using nsControles::Pos;

        bool IsEntierModele (unsigned Type) { return Type == TEntier || Type == TEntierNaturel; }

        // Le type d'une operation numerique : reel, sinon entier, sinon entier_naturel.
        unsigned Combiner (unsigned T1, unsigned T2)
        {
            if (T1 == TReel || T2 == TReel) return TReel;
            if (T1 == TEntier || T2 == TEntier) return TEntier;
            return TEntierNaturel;
        }

        // --- Litteraux : la valeur que le compilateur C++ donne au texte qu'ecrit Tramelo ---

        // Le caractere designe par l'echappement \c (le saut de ligne brut est ecrit \n par
        // Tramelo, le retour chariot \r) ; les echappements inconnus valent le caractere, comme
        // pour g++ (\e : echappement ASCII).
        char Echappement (char c)
        {
            switch (c)
            {
                case 'n' : case '\n' : return '\n';
                case 't' : return '\t';
                case 'r' : case '\r' : return '\r';
                case 'a' : return '\a';
                case 'b' : return '\b';
                case 'f' : return '\f';
                case 'v' : return '\v';
                case 'e' : case 'E' : return 27;
                default  : return c;
            }
        }

        bool IsOctal (char c) { return c >= '0' && c <= '7'; }

        // string ("...") : construite depuis un char *, elle s'arrete au premier caractere nul.
        std::string ValeurLitteralChaine (const std::string & Texte, SPlage P)
        {
            std::string S;
            const std::size_t Fin = P.Fin () - 1;
            for (std::size_t i = P.Debut + 1; i < Fin; ++i)
            {
                char c = Texte [i];
                if (c == '\\' && i + 1 < Fin)
                {
                    c = Texte [++i];
                    if (IsOctal (c))
                    {
                        unsigned V = 0;
                        for (int n = 0; n < 3 && i < Fin && IsOctal (Texte [i]); ++n, ++i) V = V * 8 + (Texte [i] - '0');
                        --i;
                        c = static_cast <char> (V & 0xFF);
                    }
                    else c = Echappement (c);
                }
                if (c == '\0') break;
                S += c;
            }
            return S;
        }

        char ValeurLitteralCaractere (const std::string & Texte, SPlage P)
        {
            const char c = Texte [P.Debut + 1];
            if (c != '\\') return c;
            const char e = Texte [P.Debut + 2];
            return IsOctal (e) ? static_cast <char> (e - '0') : Echappement (e);
        }

        // Le genre d'une valeur calculee : ce que le C++ du profil verifie en fait.
        enum class EGenre : unsigned char
        {
            Entier,     // long, long long, int : signe
            Naturel,    // unsigned long, size_t : non signe
            Reel, Booleen, Caractere, Chaine, Tableau
        };

        // Une valeur compilee : son operande, son genre, et si elle ne peut plus changer
        // (temporaire de l'expression, constante) ; sinon (variable, element, vue sur une chaine)
        // elle est copiee avant un appel qui la suivrait.
        struct SValeur
        {
            Operande Op = 0;
            EGenre   Genre = EGenre::Entier;
            bool     Fixe = true;
            // Un int du C++ (32 bits) : nombre ecrit dans le source qui y tient, appel d'une
            // fonction entier, Rand ; un calcul entre deux int se fait sur 32 bits.
            bool     Int = false;
        };

        // Les temporaires d'un genre de case : une pile par genre, les cases allouees une fois.
        enum ETemp : unsigned char { TempScalaire, TempChaine, TempPointeur, TempRef, NbGenresTemp };

        struct SNiveaux
        {
            std::uint32_t N [NbGenresTemp] = {};
        };

        class CCompilateur
        {
          public :
            CCompilateur (const STraduction & T, const std::string & Source, unsigned TailleTab, SProgramme & P)
                : T (T), M (T.Modele), P (P), Situeur (Source, TailleTab, T.FinLignes) {}

            void Programme ();

          private :
            const STraduction & T;
            const SModele & M;
            SProgramme & P;
            CSitueur Situeur;

            // --- Unite en cours ---
            std::uint32_t Unite = 0;
            std::vector <std::uint32_t> CaseDe;     // par declaration : sa case dans son cadre
            std::vector <bool> EstRef;              // par declaration : parametre par reference
            std::vector <std::uint32_t> Temps [NbGenresTemp];
            SNiveaux Profondeur;
            std::uint32_t Visibles = 0xFFFFFFFFu;   // derniere variable visible
            unsigned TypeRetour = 0;
            std::size_t DecalageFin = 0;           // le mot fin de l'unite

            // Les boucles ouvertes : les sauts de continue et de sortie a corriger.
            struct SBoucle
            {
                std::vector <std::uint32_t> Continues, Sorties;
            };
            std::vector <SBoucle> Boucles;

            std::map <std::int64_t, std::uint32_t> EntiersConstants;
            std::map <std::uint64_t, std::uint32_t> ReelsConstants;
            std::map <std::string, std::uint32_t> ChainesConstantes;
            std::map <std::size_t, Pos> PositionsConnues;

            // --- Emission ---
            std::uint32_t Emettre (ECode Code, std::uint32_t A = 0, std::uint32_t B = 0, std::uint32_t C = 0,
                                   std::uint32_t D = 0, std::uint16_t X = 0)
            {
                SOp Op;
                Op.Code = Code;
                Op.X = X;
                Op.A = A;
                Op.B = B;
                Op.C = C;
                Op.D = D;
                P.Ops.push_back (Op);
                return static_cast <std::uint32_t> (P.Ops.size () - 1);
            }
            std::uint32_t Ici () const { return static_cast <std::uint32_t> (P.Ops.size ()); }
            void Corriger (std::uint32_t Saut, std::uint32_t Cible) { P.Ops [Saut].A = Cible; }

            SPositionCode Situer (std::size_t Decalage)
            {
                const SPosition S = Situeur.Situer (Decalage);
                SPositionCode C;
                C.Ligne = static_cast <std::uint32_t> (S.Ligne);
                C.Colonne = static_cast <std::uint32_t> (S.ColonneOrigine);
                C.Decalage = static_cast <std::uint32_t> (S.DecalageOrigine);
                return C;
            }

            Pos Position (std::size_t Decalage)
            {
                auto It = PositionsConnues.find (Decalage);
                if (It != PositionsConnues.end ()) return It->second;
                P.Positions.push_back (Situer (Decalage));
                const Pos R = static_cast <Pos> (P.Positions.size () - 1);
                PositionsConnues [Decalage] = R;
                return R;
            }

            // Un texte des notes, dans Noms.
            std::uint32_t Texte (const std::string & T)
            {
                P.Noms.push_back (T);
                return static_cast <std::uint32_t> (P.Noms.size () - 1);
            }

            // La position de l'indice de t[i] : ses notes nomment t, et la boucle pour dont i
            // est la variable (_Indice).
            Pos PositionIndice (const SExpr & Element)
            {
                const IdExpr IdIndice = M.IdEnfant (Element, 0);
                const Pos R = PositionPropre (M.Exprs [IdIndice].Plage.Debut);
                SPositionCode & Pc = P.Positions [R];
                Pc.Nom = Texte (M.Declarations [Element.Ref].Nom);
                IdExpr I = IdIndice;
                while (M.Exprs [I].Genre == EExpr::Parenthese) I = M.IdEnfant (M.Exprs [I], 0);
                const SExpr & X = M.Exprs [I];
                if (X.Genre == EExpr::Nom && M.Declarations [X.Ref].Nature == ENature::VariableBoucle)
                    Pc.Notes = Texte ("note : " + M.Declarations [X.Ref].Nom + " est la variable de la boucle pour de la ligne "
                                      + std::to_string (Situer (M.Declarations [X.Ref].Decalage).Ligne));
                return R;
            }

            // Les calculs dont le resultat va dans une cible signee (entier, borne de pour) par des
            // +, -, * et moins unaires : le programme compile y calcule modulo 2^64 (_Mod), et un
            // tel calcul en entier_naturel, operande d'un autre, y est relu en signe (_IG, _ID).
            std::set <IdExpr> Modulaires;
            bool ModulaireIci = false;   // l'expression que Expr passe a Operation ou Oppose

            static bool Arithmetique (EOperateur Op) { return Op == EOperateur::Plus || Op == EOperateur::Moins || Op == EOperateur::Fois; }

            bool LitteralEntier (const SExpr & E) const { return E.Genre == EExpr::Nombre && E.Type != TReel; }

            // IsModulaire du profil verifie : un calcul entier qui finit par +, - ou * (ou -x).
            bool EstModulaire (IdExpr Id) const
            {
                const SExpr & E = M.Exprs [Id];
                switch (E.Genre)
                {
                    case EExpr::Parenthese : return EstModulaire (M.IdEnfant (E, 0));
                    case EExpr::Oppose     : return IsEntierModele (E.Type) && ! LitteralEntier (M.Enfant (E, 0));
                    case EExpr::Operation  : return IsEntierModele (E.Type) && Arithmetique (M.OperateurDe (E, E.NbEnfants - 1).Op);
                    default                : return false;
                }
            }

            // Une valeur qui va dans une cible signee.
            void VersSigne (IdExpr Id)
            {
                const SExpr & E = M.Exprs [Id];
                if (IsEntierModele (E.Type) && ! LitteralEntier (E)) Modulaires.insert (Id);
            }

            // Les drapeaux des types d'une operation entre entiers (0 : deux entiers signes).
            static std::uint16_t DrapeauxTypes (EGenre G, EGenre D)
            {
                return static_cast <std::uint16_t> ((G == EGenre::Naturel ? nsControles::GaucheNaturel : 0u)
                                                    | (D == EGenre::Naturel ? nsControles::DroiteNaturel : 0u));
            }

            // Les boucles ouvertes, de la plus exterieure a la plus interieure : la note d'un calcul
            // refait a chaque tour (NoteBoucle du profil verifie).
            std::vector <std::string> NotesBoucles;

            void OuvrirNoteBoucle (const char * Mot, std::size_t Decalage)
            {
                NotesBoucles.push_back (std::string ("note : ce calcul est dans la boucle ") + Mot + " de la ligne "
                                        + std::to_string (Situer (Decalage).Ligne) + " : il est refait à chaque tour");
            }

            // Une position a elle, pour des notes ou un nom qu'une autre verification au meme
            // endroit ne doit pas recevoir.
            Pos PositionPropre (std::size_t Decalage)
            {
                P.Positions.push_back (Situer (Decalage));
                return static_cast <Pos> (P.Positions.size () - 1);
            }

            // La position d'un calcul controle (+, -, *, /, modulo, moins unaire).
            Pos PositionCalcul (std::size_t Decalage)
            {
                if (NotesBoucles.empty ()) return Position (Decalage);
                const Pos R = PositionPropre (Decalage);
                P.Positions [R].Notes = Texte (NotesBoucles.back ());
                return R;
            }

            Operande Constante (SCase C)
            {
                P.Constantes.push_back (C);
                return OperandeConstante (static_cast <std::uint32_t> (P.Constantes.size () - 1));
            }

            Operande Entier (std::int64_t V)
            {
                auto It = EntiersConstants.find (V);
                if (It != EntiersConstants.end ()) return OperandeConstante (It->second);
                SCase C;
                C.I = V;
                const Operande O = Constante (C);
                EntiersConstants [V] = IndiceDe (O);
                return O;
            }

            Operande Reel (double V)
            {
                std::uint64_t Bits;
                std::memcpy (& Bits, & V, sizeof Bits);
                auto It = ReelsConstants.find (Bits);
                if (It != ReelsConstants.end ()) return OperandeConstante (It->second);
                SCase C;
                C.R = V;
                const Operande O = Constante (C);
                ReelsConstants [Bits] = IndiceDe (O);
                return O;
            }

            Operande Chaine (const std::string & S)
            {
                auto It = ChainesConstantes.find (S);
                if (It != ChainesConstantes.end ()) return OperandeConstante (It->second);
                auto Objet = std::make_unique <CChaine> ();
                Objet->S = S;
                SCase C;
                C.P = Objet.get ();
                P.ChainesConstantes.push_back (std::move (Objet));
                const Operande O = Constante (C);
                ChainesConstantes [S] = IndiceDe (O);
                return O;
            }

            std::uint32_t NouvelleCase () { return P.Unites [Unite].NbCases++; }

            // Un temporaire du genre voulu, au sommet de sa pile.
            Operande Temp (ETemp Genre)
            {
                std::uint32_t & N = Profondeur.N [Genre];
                if (N == Temps [Genre].size ())
                {
                    const std::uint32_t Case = NouvelleCase ();
                    if (Genre == TempRef) NouvelleCase ();
                    if (Genre == TempChaine) P.Unites [Unite].Chaines.push_back (Case);
                    Temps [Genre].push_back (Case);
                }
                return OperandeCase (Temps [Genre] [N++]);
            }

            SNiveaux Niveaux () const { return Profondeur; }
            void Rendre (const SNiveaux & S) { Profondeur = S; }

            // --- Expressions ---
            EGenre GenreDeType (unsigned Type) const;
            EVue VueDe (unsigned Type) const;
            EGenre GenreDe (IdExpr E) const;
            bool ContientAppel (IdExpr E) const;
            bool Lit (IdExpr E, IdDecl D) const;
            bool Reutilisable (const SValeur & V) const { return V.Fixe && EstCase (V.Op); }
            Operande Dest (Operande Cible, const SValeur & Source);
            Operande Neuve (Operande Cible) { return Cible != PasDOperande ? Cible : Temp (TempScalaire); }
            SValeur Expr (IdExpr E, Operande Cible = PasDOperande);
            SValeur MettreDeCote (const SValeur & V);
            SValeur EnReel (const SValeur & V);
            bool ConversionControlee (IdExpr E, unsigned TypeCible) const;
            SValeur Valeur (IdExpr E, unsigned TypeCible, Operande Cible = PasDOperande);
            SValeur Nom (const SExpr & E);
            Operande Objet (IdDecl D, std::size_t Decalage);
            SValeur Element (const SExpr & E, Operande Cible);
            SValeur Oppose (const SExpr & E, Operande Cible);
            SValeur Operation (const SExpr & E, Operande Cible);
            SValeur Concatenation (const SExpr & E, Operande Cible);
            SValeur Logique (const SExpr & E, Operande Cible);
            void GroupeLogique (const SExpr & E, std::uint32_t Debut, std::uint32_t Fin, int Niveau, Operande R);
            SValeur Comparaison (const SExpr & E, Operande Cible);
            SValeur AppelStandard (const SExpr & E, Operande Cible);
            SValeur AppelFonction (const SExpr & E, Operande Cible);
            std::uint32_t Arguments (IdDecl Unite, const IdExpr * Args, std::uint32_t Nb);
            void Conditionner (IdExpr Condition, std::vector <std::uint32_t> & SiFaux);

            // --- Instructions ---
            void Suite (IdSuite S);
            void Instruction (IdInstr I);
            void Declarer (const SInstr & I);
            void Affecter (const SInstr & I);
            void Si (const SInstr & I);
            void TantQue (const SInstr & I);
            void Pour (const SInstr & I);
            void Repeter (const SInstr & I);
            void BoucleSansFin (const SInstr & I);
            void Afficher (const SInstr & I);
            void Saisir (const SInstr & I);
            void Redimension (const SInstr & I);
            void Renvoyer (IdExpr Valeur);
            void FermerBoucle (std::uint32_t Continuer, std::uint32_t Sortir);
            void Marquer (EMarque Genre, std::size_t Decalage, std::size_t Ordre, SPlage Instr);
            void RendreVisible (IdDecl D);
            void UniteCode (std::uint32_t U);
        };

        // --- Genres ---

        EGenre CCompilateur::GenreDeType (unsigned Type) const
        {
            if (IsTypeTableau (Type)) return EGenre::Tableau;
            if (IsTypeString (Type)) return EGenre::Chaine;
            switch (Type)
            {
                case TEntierNaturel : return EGenre::Naturel;
                case TReel          : return EGenre::Reel;
                case TBooleen       : return EGenre::Booleen;
                case TCaractere     : return EGenre::Caractere;
                default             : return EGenre::Entier;
            }
        }

        // Le genre du C++ d'une expression : une operation entre entiers du profil verifie rend
        // un long, taille et rang un non signe.
        EGenre CCompilateur::GenreDe (IdExpr Id) const
        {
            const SExpr & E = M.Exprs [Id];
            switch (E.Genre)
            {
                case EExpr::Nombre : return E.Type == TReel ? EGenre::Reel : EGenre::Entier;
                case EExpr::Parenthese : return GenreDe (M.IdEnfant (E, 0));
                case EExpr::Oppose :
                    return E.Type == TReel ? EGenre::Reel : GenreDe (M.IdEnfant (E, 0)) == EGenre::Naturel ? EGenre::Naturel : EGenre::Entier;
                case EExpr::Operation :
                    if (! IsEntierModele (E.Type)) return GenreDeType (E.Type);
                    // Un entier_naturel parmi les operandes : le calcul se fait en non signe.
                    for (std::uint32_t i = 0; i < E.NbEnfants; ++i)
                        if (GenreDe (M.IdEnfant (E, i)) == EGenre::Naturel) return EGenre::Naturel;
                    return EGenre::Entier;
                case EExpr::AppelStandard :
                    switch (static_cast <EFonction> (E.Op))
                    {
                        case EFonction::Taille : case EFonction::Rang : return EGenre::Naturel;
                        case EFonction::Modulo :
                            return GenreDe (M.IdEnfant (E, 0)) == EGenre::Naturel || GenreDe (M.IdEnfant (E, 1)) == EGenre::Naturel
                                 ? EGenre::Naturel : EGenre::Entier;
                        case EFonction::Rand : return EGenre::Entier;
                        default : return EGenre::Caractere;
                    }
                default : return GenreDeType (E.Type);
            }
        }

        bool CCompilateur::ContientAppel (IdExpr Id) const
        {
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Appel) return true;
            for (std::uint32_t i = 0; i < E.NbEnfants; ++i)
                if (ContientAppel (M.IdEnfant (E, i))) return true;
            return false;
        }

        bool CCompilateur::Lit (IdExpr Id, IdDecl D) const
        {
            const SExpr & E = M.Exprs [Id];
            if ((E.Genre == EExpr::Nom || E.Genre == EExpr::Element) && E.Ref == D) return true;
            for (std::uint32_t i = 0; i < E.NbEnfants; ++i)
                if (Lit (M.IdEnfant (E, i), D)) return true;
            return false;
        }

        // La case d'un resultat scalaire : la cible, sinon le temporaire de la source, sinon un
        // nouveau temporaire (une operation lit ses operandes avant d'ecrire).
        Operande CCompilateur::Dest (Operande Cible, const SValeur & Source)
        {
            if (Cible != PasDOperande) return Cible;
            if (Reutilisable (Source) && Source.Genre != EGenre::Chaine) return Source.Op;
            return Temp (TempScalaire);
        }

        SValeur CCompilateur::MettreDeCote (const SValeur & V)
        {
            if (V.Fixe || V.Genre == EGenre::Tableau) return V;
            SValeur R = V;
            R.Fixe = true;
            if (V.Genre == EGenre::Chaine)
            {
                R.Op = Temp (TempChaine);
                Emettre (ChCopier, R.Op, V.Op);
            }
            else
            {
                R.Op = Temp (TempScalaire);
                Emettre (Copier, R.Op, V.Op);
            }
            return R;
        }

        SValeur CCompilateur::EnReel (const SValeur & V)
        {
            if (V.Genre == EGenre::Reel) return V;
            SValeur R;
            R.Genre = EGenre::Reel;
            if (! EstCase (V.Op))
            {
                const std::int64_t I = P.Constantes [IndiceDe (V.Op)].I;
                R.Op = Reel (V.Genre == EGenre::Naturel ? double (std::uint64_t (I)) : double (I));
                return R;
            }
            R.Op = Reutilisable (V) ? V.Op : Temp (TempScalaire);
            Emettre (V.Genre == EGenre::Naturel ? NaturelVersReel : EntierVersReel, R.Op, V.Op);
            return R;
        }

        // La conversion vers TypeCible est-elle controlee (CEcrivainVerifie::Convertir) ?
        bool CCompilateur::ConversionControlee (IdExpr Id, unsigned TypeCible) const
        {
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Nombre && E.Type != TReel) return false;
            if (TypeCible == TEntier) return E.Type == TReel;
            // Un entier_naturel (variable, element, calcul en non signe) y tient toujours.
            if (TypeCible == TEntierNaturel) return E.Type == TReel || (IsEntierModele (E.Type) && GenreDe (Id) != EGenre::Naturel);
            return false;
        }

        // La valeur donnee a une cible de type TypeCible (affectation, renvoie, parametre in,
        // constante, borne de Rand) : controlee si elle peut ne pas y tenir ; un reel recu par un
        // entier perd sa partie decimale.
        SValeur CCompilateur::Valeur (IdExpr Id, unsigned TypeCible, Operande Cible)
        {
            const SExpr & E = M.Exprs [Id];
            if (ConversionControlee (Id, TypeCible))
            {
                const SValeur V = Expr (Id);
                SValeur R;
                R.Genre = TypeCible == TEntier ? EGenre::Entier : EGenre::Naturel;
                R.Op = Dest (Cible, V);
                const ECode Code = E.Type == TReel ? (TypeCible == TEntier ? EntierDeReel : NaturelDeReel) : Naturel;
                Emettre (Code, R.Op, V.Op, 0, Position (E.Plage.Debut));
                return R;
            }
            SValeur V;
            if (TypeCible == TReel && E.Type != TReel)
            {
                V = EnReel (Expr (Id));
                if (Cible != PasDOperande && V.Op != Cible)
                {
                    Emettre (Copier, Cible, V.Op);
                    V.Op = Cible;
                }
                return V;
            }
            if (TypeCible == TEntier) VersSigne (Id);
            V = Expr (Id, Cible);
            if (TypeCible == TEntier && V.Genre == EGenre::Naturel)
            {
                // _Vers <long> : un entier_naturel doit tenir dans un entier, sauf un calcul
                // modulaire, relu en signe.
                if (! EstModulaire (Id))
                {
                    const Operande R = Cible != PasDOperande ? Cible : Reutilisable (V) ? V.Op : Temp (TempScalaire);
                    Emettre (VersInt, R, V.Op, 0, Position (E.Plage.Debut), 2);
                    V.Op = R;
                }
                V.Genre = EGenre::Entier;
            }
            if (TypeCible == TEntierNaturel && V.Genre == EGenre::Entier) V.Genre = EGenre::Naturel;
            if (Cible != PasDOperande && V.Op != Cible)
            {
                if (V.Genre != EGenre::Chaine) Emettre (Copier, Cible, V.Op);
                else Emettre (Reutilisable (V) ? ChEchanger : ChCopier, Cible, V.Op);
                V.Op = Cible;
            }
            return V;
        }

        // Une expression ; Cible : la case ou la mettre si l'operation finale peut l'y ecrire
        // (l'appelant copie sinon).
        SValeur CCompilateur::Expr (IdExpr Id, Operande Cible)
        {
            const SExpr & E = M.Exprs [Id];
            SValeur V;
            switch (E.Genre)
            {
                case EExpr::Nombre :
                    if (E.Type == TReel)
                    {
                        V.Genre = EGenre::Reel;
                        V.Op = Reel (M.Valeur (E));
                    }
                    else
                    {
                        const std::int64_t N = static_cast <std::int64_t> (M.Valeur (E));
                        V.Op = Entier (N);
                        V.Int = N >= std::numeric_limits <std::int32_t>::min () && N <= std::numeric_limits <std::int32_t>::max ();
                    }
                    return V;
                case EExpr::Chaine :
                    V.Genre = EGenre::Chaine;
                    V.Op = Chaine (ValeurLitteralChaine (T.Texte, E.Plage));
                    return V;
                case EExpr::Caractere :
                    V.Genre = EGenre::Caractere;
                    V.Op = Entier (static_cast <signed char> (ValeurLitteralCaractere (T.Texte, E.Plage)));
                    return V;
                case EExpr::Booleen :
                    V.Genre = EGenre::Booleen;
                    V.Op = Entier (E.Op ? 1 : 0);
                    return V;
                case EExpr::Nom : return Nom (E);
                case EExpr::Element : return Element (E, Cible);
                case EExpr::Parenthese :
                    if (Modulaires.count (Id)) Modulaires.insert (M.IdEnfant (E, 0));
                    return Expr (M.IdEnfant (E, 0), Cible);
                case EExpr::Oppose :
                    ModulaireIci = Modulaires.count (Id) > 0;
                    return Oppose (E, Cible);
                case EExpr::Non :
                {
                    const SValeur X = Expr (M.IdEnfant (E, 0));
                    V.Genre = EGenre::Booleen;
                    V.Op = Dest (Cible, X);
                    Emettre (Non, V.Op, X.Op);
                    return V;
                }
                case EExpr::Operation :
                    if (E.Type == TBooleen) return Logique (E, Cible);
                    if (IsTypeString (E.Type)) return Concatenation (E, Cible);
                    ModulaireIci = Modulaires.count (Id) > 0;
                    return Operation (E, Cible);
                case EExpr::Comparaison : return Comparaison (E, Cible);
                case EExpr::AppelStandard : return AppelStandard (E, Cible);
                case EExpr::Appel : return AppelFonction (E, Cible);
            }
            return V;
        }

        // Un nom : sa case ; un parametre out ou in_out est lu par sa reference.
        SValeur CCompilateur::Nom (const SExpr & E)
        {
            const SDeclaration & D = M.Declarations [E.Ref];
            SValeur V;
            V.Genre = GenreDeType (D.Type);
            const std::uint32_t Case = CaseDe [E.Ref];
            if (V.Genre == EGenre::Tableau || ! EstRef [E.Ref])
            {
                V.Op = OperandeCase (Case);
                V.Fixe = false;
                return V;
            }
            if (V.Genre == EGenre::Chaine)
            {
                V.Op = Objet (E.Ref, E.Plage.Debut);
                V.Fixe = false;
                return V;
            }
            V.Op = Temp (TempScalaire);
            Emettre (D.Type == TReel ? RefLireR : RefLireI, V.Op, OperandeCase (Case), 0, Position (E.Plage.Debut));
            return V;
        }

        // L'operande d'un tableau ou d'une chaine nommes ; une chaine par reference est resolue
        // en une vue (case non possedee), a employer aussitot.
        Operande CCompilateur::Objet (IdDecl D, std::size_t Decalage)
        {
            if (EstRef [D] && ! IsTypeTableau (M.Declarations [D].Type))
            {
                const Operande Vue = Temp (TempPointeur);
                Emettre (RefChaine, Vue, OperandeCase (CaseDe [D]), 0, Position (Decalage));
                return Vue;
            }
            return OperandeCase (CaseDe [D]);
        }

        // t[i] ou s[i] : l'indice, puis l'acces controle (_Indice, a la position de l'indice).
        SValeur CCompilateur::Element (const SExpr & E, Operande Cible)
        {
            const IdExpr IdIndice = M.IdEnfant (E, 0);
            const SNiveaux Depart = Niveaux ();
            const SValeur I = Expr (IdIndice);
            const Pos Ici = PositionIndice (E);
            const unsigned Type = M.Declarations [E.Ref].Type;
            const Operande Conteneur = Objet (E.Ref, E.Plage.Debut);
            SValeur V;
            if (! IsTypeTableau (Type))
            {
                Rendre (Depart);
                V.Genre = EGenre::Caractere;
                V.Op = Neuve (Cible);
                Emettre (ChElement, V.Op, Conteneur, I.Op, Ici);
                return V;
            }
            const unsigned Elem = GetTypeElem (Type);
            V.Genre = GenreDeType (Elem);
            if (V.Genre == EGenre::Chaine)
            {
                // Une vue sur l'element, copiee si un appel suit avant son emploi.
                V.Op = Temp (TempPointeur);
                V.Fixe = false;
                Emettre (TabElementS, V.Op, Conteneur, I.Op, Ici);
                return V;
            }
            Rendre (Depart);
            V.Op = Neuve (Cible);
            const ECode Code = Elem == TReel ? TabElementR
                             : (Elem == TBooleen || Elem == TCaractere) ? TabElementO : TabElementI;
            Emettre (Code, V.Op, Conteneur, I.Op, Ici);
            return V;
        }

        // - f : controle sur un entier qui n'est pas un litteral (_Oppose, a la place du signe).
        SValeur CCompilateur::Oppose (const SExpr & E, Operande Cible)
        {
            const SExpr & F = M.Enfant (E, 0);
            SValeur V;
            if (F.Genre == EExpr::Nombre && F.Type != TReel)
            {
                const std::int64_t N = static_cast <std::int64_t> (M.Valeur (F));
                V.Op = Entier (-N);
                V.Int = N <= std::numeric_limits <std::int32_t>::max ();
                return V;
            }
            const bool Mod = ModulaireIci;
            const IdExpr IdF = M.IdEnfant (E, 0);
            if (Mod) Modulaires.insert (IdF);
            const SValeur X = Expr (IdF);
            V.Genre = X.Genre == EGenre::Reel ? EGenre::Reel : X.Genre == EGenre::Naturel ? EGenre::Naturel : EGenre::Entier;
            V.Int = X.Int;
            V.Op = Dest (Cible, X);
            std::uint16_t Drapeaux = 0;
            if (X.Genre == EGenre::Naturel)
                Drapeaux = static_cast <std::uint16_t> (nsControles::GaucheNaturel | (Mod ? nsControles::Modulaire : 0u)
                                                        | (Mod && EstModulaire (IdF) ? nsControles::RelireGauche : 0u));
            if (X.Genre == EGenre::Reel) Emettre (ROppose, V.Op, X.Op);
            else Emettre (nsInterpreteur::Oppose, V.Op, X.Op, 0, PositionCalcul (E.Plage.Debut), Drapeaux);
            return V;
        }

        // t0 op1 t1 op2 t2... de gauche a droite : entre entiers, calcul controle sur 64 bits
        // (position : l'operateur) ; sinon en reels, la division controlee.
        SValeur CCompilateur::Operation (const SExpr & E, Operande Cible)
        {
            // Le mode de chaque operateur, comme le profil verifie le donne (TexteCalcul) : celui
            // de l'expression pour le dernier, transmis vers la gauche par les +, -, * entiers.
            const std::uint32_t n = E.NbEnfants;
            std::vector <unsigned> Types (n);
            Types [0] = M.Enfant (E, 0).Type;
            for (std::uint32_t i = 1; i < n; ++i) Types [i] = Combiner (Types [i - 1], M.Enfant (E, i).Type);
            std::vector <bool> ModeOp (n, false);
            ModeOp [n - 1] = ModulaireIci;
            auto ModeOperandes = [&] (std::uint32_t i)
            {
                return Arithmetique (M.OperateurDe (E, i).Op) && ModeOp [i] && Types [i] != TReel;
            };
            for (std::uint32_t i = n - 1; i >= 2; --i) ModeOp [i - 1] = ModeOperandes (i);
            if (ModeOperandes (1)) Modulaires.insert (M.IdEnfant (E, 0));
            bool RelireG = ModeOperandes (1) && EstModulaire (M.IdEnfant (E, 0));

            SValeur Acc = Expr (M.IdEnfant (E, 0));
            unsigned Type = M.Exprs [M.IdEnfant (E, 0)].Type;
            for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
            {
                const IdExpr IdTerme = M.IdEnfant (E, i);
                const unsigned TypeTerme = M.Exprs [IdTerme].Type;
                const SOperateur & Op = M.OperateurDe (E, i);
                const bool Entiers = IsEntierModele (Type) && IsEntierModele (TypeTerme);
                if (ContientAppel (IdTerme)) Acc = MettreDeCote (Acc);
                const EGenre GenreG = Acc.Genre;
                if (! Entiers) Acc = EnReel (Acc);
                const SNiveaux Avant = Niveaux ();
                if (ModeOperandes (i)) Modulaires.insert (IdTerme);
                const bool RelireD = ModeOperandes (i) && EstModulaire (IdTerme);
                SValeur X = Expr (IdTerme);
                std::uint16_t Drapeaux = 0;
                bool Naturel = false;
                const bool Int = Entiers && Acc.Int && X.Int;
                if (Int && Arithmetique (Op.Op)) Drapeaux = nsControles::CalculInt;
                if (Entiers && (Acc.Genre == EGenre::Naturel || X.Genre == EGenre::Naturel))
                {
                    Naturel = true;
                    Drapeaux = DrapeauxTypes (Acc.Genre, X.Genre);
                    if (Arithmetique (Op.Op))
                        Drapeaux |= static_cast <std::uint16_t> ((ModeOp [i] ? nsControles::Modulaire : 0u)
                                                                 | (RelireG ? nsControles::RelireGauche : 0u)
                                                                 | (RelireD ? nsControles::RelireDroite : 0u));
                }
                RelireG = i + 1 < n && Arithmetique (Op.Op) && ModeOperandes (i + 1);
                ECode Code;
                Pos D = PositionCalcul (Op.Decalage);
                std::uint16_t TypesReels = 0;
                if (Entiers)
                {
                    switch (Op.Op)
                    {
                        case EOperateur::Plus  : Code = EstCase (X.Op) ? Plus : PlusK; break;
                        case EOperateur::Moins : Code = EstCase (X.Op) ? Moins : MoinsK; break;
                        case EOperateur::Fois  : Code = Fois; break;
                        default                : Code = Div; break;
                    }
                    if (Code == PlusK || Code == MoinsK) X.Op = static_cast <Operande> (IndiceDe (X.Op));
                }
                else
                {
                    auto TypesReel = [] (EGenre G, unsigned Entier, unsigned Naturel)
                    {
                        return G == EGenre::Naturel ? Naturel : G == EGenre::Reel ? 0u : Entier;
                    };
                    TypesReels = static_cast <std::uint16_t> (TypesReel (GenreG, nsControles::ReelGaucheEntier, nsControles::ReelGaucheNaturel)
                                                                | TypesReel (X.Genre, nsControles::ReelDroiteEntier, nsControles::ReelDroiteNaturel));
                    X = EnReel (X);
                    switch (Op.Op)
                    {
                        case EOperateur::Plus  : Code = RPlus; break;
                        case EOperateur::Moins : Code = RMoins; break;
                        case EOperateur::Fois  : Code = RFois; break;
                        default                : Code = RDiv; break;
                    }
                }
                Rendre (Avant);
                const Operande Resultat = i + 1 == E.NbEnfants && Cible != PasDOperande ? Cible
                                        : Reutilisable (Acc) ? Acc.Op : Temp (TempScalaire);
                Emettre (Code, Resultat, Acc.Op, X.Op, D, Entiers ? Drapeaux : TypesReels);
                Acc.Op = Resultat;
                Acc.Genre = Entiers ? (Naturel ? EGenre::Naturel : EGenre::Entier) : EGenre::Reel;
                Acc.Int = Int;
                Acc.Fixe = true;
                Type = Combiner (Type, TypeTerme);
            }
            return Acc;
        }

        // s0 + s1 + c2... : une chaine, a laquelle s'ajoutent chaines et caracteres.
        SValeur CCompilateur::Concatenation (const SExpr & E, Operande Cible)
        {
            const Operande Acc = Temp (TempChaine);
            const SNiveaux Depart = Niveaux ();
            {
                const SValeur Premier = Expr (M.IdEnfant (E, 0));
                // La copie du premier operande, puis chaque ajout : la memoire de _Concat.
                Emettre (ChCopier, Acc, Premier.Op, 0, Position (M.OperateurDe (E, 1).Decalage), 1);
            }
            for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
            {
                Rendre (Depart);
                const SValeur X = Expr (M.IdEnfant (E, i));
                Emettre (X.Genre == EGenre::Chaine ? ChAjouter : ChAjouterCar, Acc, X.Op, 0,
                         Position (M.OperateurDe (E, i).Decalage), 1);
            }
            Rendre (Depart);
            SValeur R;
            R.Genre = EGenre::Chaine;
            R.Op = Acc;
            if (Cible != PasDOperande)
            {
                Emettre (ChEchanger, Cible, Acc);
                R.Op = Cible;
            }
            return R;
        }

        // Priorite d'un operateur logique dans le C++ : 0 &, 1 |, 2 &&, 3 ||.
        int Priorite (EOperateur Op)
        {
            switch (Op)
            {
                case EOperateur::Et      : return 0;
                case EOperateur::Ou      : return 1;
                case EOperateur::EtAlors : return 2;
                default                  : return 3;
            }
        }

        // ET, OU, ET_ALORS, OU_SINON tels que le C++ les lit : & avant |, avant &&, avant ||.
        // & et | evaluent tous leurs termes ; && et || s'arretent des que le resultat est connu.
        SValeur CCompilateur::Logique (const SExpr & E, Operande Cible)
        {
            const Operande R = Temp (TempScalaire);
            GroupeLogique (E, 0, E.NbEnfants, 3, R);
            SValeur V;
            V.Genre = EGenre::Booleen;
            V.Op = R;
            if (Cible != PasDOperande)
            {
                Emettre (Copier, Cible, R);
                V.Op = Cible;
            }
            return V;
        }

        // Les termes [Debut, Fin) au niveau de priorite Niveau, dans la case R.
        void CCompilateur::GroupeLogique (const SExpr & E, std::uint32_t Debut, std::uint32_t Fin, int Niveau,
                                          Operande R)
        {
            if (Niveau < 0)
            {
                const SNiveaux Avant = Niveaux ();
                const SValeur V = Expr (M.IdEnfant (E, Debut), R);
                if (V.Op != R) Emettre (Copier, R, V.Op);
                Rendre (Avant);
                return;
            }
            std::vector <std::uint32_t> Coupes { Debut };
            for (std::uint32_t i = Debut + 1; i < Fin; ++i)
                if (Priorite (M.OperateurDe (E, i).Op) == Niveau) Coupes.push_back (i);
            Coupes.push_back (Fin);
            if (Coupes.size () == 2) return GroupeLogique (E, Debut, Fin, Niveau - 1, R);
            if (Niveau >= 2)
            {
                std::vector <std::uint32_t> Sauts;
                for (std::size_t g = 0; g + 1 < Coupes.size (); ++g)
                {
                    GroupeLogique (E, Coupes [g], Coupes [g + 1], Niveau - 1, R);
                    if (g + 2 < Coupes.size ()) Sauts.push_back (Emettre (Niveau == 2 ? SiFaux : SiVrai, 0, R));
                }
                for (std::uint32_t S : Sauts) Corriger (S, Ici ());
                return;
            }
            GroupeLogique (E, Coupes [0], Coupes [1], Niveau - 1, R);
            for (std::size_t g = 1; g + 1 < Coupes.size (); ++g)
            {
                const SNiveaux Avant = Niveaux ();
                const Operande Autre = Temp (TempScalaire);
                GroupeLogique (E, Coupes [g], Coupes [g + 1], Niveau - 1, Autre);
                Emettre (Niveau == 0 ? Et : Ou, R, R, Autre);
                Rendre (Avant);
            }
        }

        // Entre deux entiers, comparaison d'entiers signes ; avec un reel, en reels ; caracteres
        // et booleens comme des entiers ; chaines octet par octet.
        SValeur CCompilateur::Comparaison (const SExpr & E, Operande Cible)
        {
            const IdExpr IdG = M.IdEnfant (E, 0), IdD = M.IdEnfant (E, 1);
            SValeur G = Expr (IdG);
            if (ContientAppel (IdD)) G = MettreDeCote (G);
            const bool Reels = M.Exprs [IdG].Type == TReel || M.Exprs [IdD].Type == TReel;
            if (Reels) G = EnReel (G);
            const SNiveaux Avant = Niveaux ();
            SValeur D = Expr (IdD);
            ECode Base = EgalI;
            if (G.Genre == EGenre::Chaine) Base = EgalS;
            else if (Reels)
            {
                Base = EgalR;
                D = EnReel (D);
            }
            Rendre (Avant);
            SValeur V;
            V.Genre = EGenre::Booleen;
            V.Op = Cible != PasDOperande ? Cible : Reutilisable (G) && G.Genre != EGenre::Chaine ? G.Op : Temp (TempScalaire);
            // Entre entiers de signes differents (ou deux entier_naturel), la comparaison du C++.
            const bool Entiers = Base == EgalI && IsEntierModele (M.Exprs [IdG].Type) && IsEntierModele (M.Exprs [IdD].Type);
            Emettre (static_cast <ECode> (Base + E.Op), V.Op, G.Op, D.Op, Entiers ? Position (E.Ref) : 0,
                     Entiers ? DrapeauxTypes (G.Genre, D.Genre) : 0);
            return V;
        }

        // Une condition : les sauts a corriger vers la suite quand elle est fausse. Une
        // comparaison de nombres devient une seule operation qui compare et saute.
        void CCompilateur::Conditionner (IdExpr Condition, std::vector <std::uint32_t> & SiFaux)
        {
            const SNiveaux Depart = Niveaux ();
            IdExpr Id = Condition;
            while (M.Exprs [Id].Genre == EExpr::Parenthese) Id = M.IdEnfant (M.Exprs [Id], 0);
            const SExpr & E = M.Exprs [Id];
            if (E.Genre == EExpr::Comparaison && ! IsTypeString (M.Enfant (E, 0).Type))
            {
                const IdExpr IdG = M.IdEnfant (E, 0), IdD = M.IdEnfant (E, 1);
                SValeur G = Expr (IdG);
                if (ContientAppel (IdD)) G = MettreDeCote (G);
                const bool Reels = M.Exprs [IdG].Type == TReel || M.Exprs [IdD].Type == TReel;
                if (Reels) G = EnReel (G);
                SValeur D = Expr (IdD);
                if (Reels) D = EnReel (D);
                const ECode Base = Reels ? SautSiNonEgalR : SautSiNonEgalI;
                const bool Entiers = ! Reels && IsEntierModele (M.Exprs [IdG].Type) && IsEntierModele (M.Exprs [IdD].Type);
                SiFaux.push_back (Emettre (static_cast <ECode> (Base + E.Op), 0, G.Op, D.Op, Entiers ? Position (E.Ref) : 0,
                                           Entiers ? DrapeauxTypes (G.Genre, D.Genre) : 0));
                Rendre (Depart);
                return;
            }
            const SValeur V = Expr (Condition);
            SiFaux.push_back (Emettre (nsInterpreteur::SiFaux, 0, V.Op));
            Rendre (Depart);
        }

        SValeur CCompilateur::AppelStandard (const SExpr & E, Operande Cible)
        {
            const EFonction F = static_cast <EFonction> (E.Op);
            const IdExpr A = M.IdEnfant (E, 0);
            SValeur V;
            switch (F)
            {
                case EFonction::Taille :
                {
                    const SExpr & X = M.Exprs [A];
                    V.Genre = EGenre::Naturel;
                    const Operande O = X.Genre == EExpr::Nom ? Objet (X.Ref, X.Plage.Debut) : Expr (A).Op;
                    V.Op = Neuve (Cible);
                    Emettre (IsTypeTableau (X.Type) ? TabTaille : ChTaille, V.Op, O);
                    return V;
                }
                case EFonction::Modulo :
                case EFonction::Rand :
                {
                    const IdExpr B = M.IdEnfant (E, 1);
                    SValeur X = F == EFonction::Rand ? Valeur (A, TEntier) : Expr (A);
                    if (ContientAppel (B)) X = MettreDeCote (X);
                    const SNiveaux Avant = Niveaux ();
                    const SValeur Y = F == EFonction::Rand ? Valeur (B, TEntier) : Expr (B);
                    Rendre (Avant);
                    V.Op = Dest (Cible, X);
                    if (F == EFonction::Rand)
                    {
                        V.Int = true;
                        Emettre (nsInterpreteur::Rand, V.Op, X.Op, Y.Op);
                    }
                    else
                    {
                        if (X.Genre == EGenre::Naturel || Y.Genre == EGenre::Naturel) V.Genre = EGenre::Naturel;
                        Emettre (nsInterpreteur::Modulo, V.Op, X.Op, Y.Op, PositionCalcul (M.Exprs [B].Plage.Debut),
                                 DrapeauxTypes (X.Genre, Y.Genre));
                    }
                    return V;
                }
                default :
                {
                    const SValeur X = Expr (A);
                    V.Genre = F == EFonction::Rang ? EGenre::Naturel : EGenre::Caractere;
                    V.Op = Dest (Cible, X);
                    ECode Code = Rang;
                    switch (F)
                    {
                        case EFonction::Succ    : Code = Succ; break;
                        case EFonction::Pred    : Code = Pred; break;
                        case EFonction::Toupper : Code = Majuscule; break;
                        case EFonction::Tolower : Code = Minuscule; break;
                        default : break;
                    }
                    Emettre (Code, V.Op, X.Op, 0, Code == Rang ? Position (E.Plage.Debut) : 0);
                    return V;
                }
            }
        }

        // Les arguments d'un appel, de gauche a droite : valeurs converties vers le type du
        // parametre (in), references aux objets (out, in_out). Rend l'indice de l'appel.
        std::uint32_t CCompilateur::Arguments (IdDecl IdUnite, const IdExpr * Args, std::uint32_t Nb)
        {
            const std::vector <IdDecl> & Formels = M.Unites [M.Declarations [IdUnite].Unite].Parametres;
            std::vector <SArgument> Liste;
            for (std::uint32_t i = 0; i < Nb; ++i)
            {
                const SDeclaration & F = M.Declarations [Formels [i]];
                const SExpr & X = M.Exprs [Args [i]];
                bool AppelApres = false;
                for (std::uint32_t j = i + 1; j < Nb && ! AppelApres; ++j) AppelApres = ContientAppel (Args [j]);
                SArgument A;
                if (IsTypeTableau (F.Type))
                {
                    A.Source = OperandeCase (CaseDe [X.Ref]);
                    A.Passage = F.Mode == 0 ? EPassage::CopieTableau : EPassage::Objet;
                }
                else if (F.Mode == 0)
                {
                    SValeur V = Valeur (Args [i], F.Type);
                    if (AppelApres) V = MettreDeCote (V);
                    A.Source = V.Op;
                    A.Passage = V.Genre == EGenre::Chaine ? EPassage::CopieChaine : EPassage::Valeur;
                }
                else
                {
                    // Une reference : a la variable, a sa reference, ou a l'element (indice
                    // controle maintenant, comme .at (_Indice (...)) au moment de l'appel).
                    const Operande R = Temp (TempRef);
                    const std::uint32_t Case = CaseDe [X.Ref];
                    if (X.Genre == EExpr::Nom)
                    {
                        if (EstRef [X.Ref]) Emettre (RefCopier, R, OperandeCase (Case));
                        else if (IsTypeString (F.Type)) Emettre (RefDeObjet, R, OperandeCase (Case));
                        else Emettre (RefDeCase, R, OperandeCase (Case));
                    }
                    else
                    {
                        const IdExpr IdIndice = M.IdEnfant (X, 0);
                        const SNiveaux Avant = Niveaux ();
                        const SValeur I = Expr (IdIndice);
                        const Pos Ici = PositionIndice (X);
                        const unsigned TypeConteneur = M.Declarations [X.Ref].Type;
                        const Operande Conteneur = IsTypeTableau (TypeConteneur) || ! EstRef [X.Ref]
                                                 ? OperandeCase (Case) : Objet (X.Ref, X.Plage.Debut);
                        unsigned Genre = RefCar;
                        if (IsTypeTableau (TypeConteneur))
                        {
                            const unsigned Elem = GetTypeElem (TypeConteneur);
                            Genre = Elem == TReel ? RefElemR : IsTypeString (Elem) ? RefElemS
                                  : Elem == TCaractere ? RefElemO : RefElemI;
                        }
                        Emettre (RefDeElement, R, Conteneur, I.Op, Ici, static_cast <std::uint16_t> (Genre));
                        Rendre (Avant);
                        // Le tableau (la chaine) de l'element, passe lui aussi par reference ?
                        std::uint32_t Avec = Nb;
                        for (std::uint32_t k = 0; k < Nb && Avec == Nb; ++k)
                            if (k != i && M.Declarations [Formels [k]].Mode != 0 && M.Exprs [Args [k]].Genre == EExpr::Nom
                                && M.Exprs [Args [k]].Type == TypeConteneur)
                                Avec = k;
                        if (Avec != Nb)
                        {
                            auto Cite = [this] (SPlage Plage)
                            {
                                std::string Texte = T.Texte.substr (Plage.Debut, Plage.Longueur);
                                for (char & c : Texte)
                                    if (c == '\n' || c == '\r' || c == '\t') c = ' ';
                                if (Texte.size () > 40) Texte = Texte.substr (0, 37) + "...";
                                return Texte;
                            };
                            SLienCode L;
                            L.Conteneur = Cite (M.Exprs [Args [Avec]].Plage);
                            L.Element = Cite (X.Plage);
                            L.Unite = M.Declarations [IdUnite].Nom;
                            L.Ligne = Situer (X.Plage.Debut).Ligne;
                            L.Chaine = ! IsTypeTableau (TypeConteneur);
                            P.Liens.push_back (L);
                            A.Lien = static_cast <std::uint32_t> (P.Liens.size () - 1);
                        }
                    }
                    A.Source = R;
                    A.Passage = EPassage::Reference;
                }
                Liste.push_back (A);
            }
            SAppel Appel;
            Appel.Premier = static_cast <std::uint32_t> (P.Arguments.size ());
            Appel.Nb = Nb;
            P.Arguments.insert (P.Arguments.end (), Liste.begin (), Liste.end ());
            P.Appels.push_back (Appel);
            return static_cast <std::uint32_t> (P.Appels.size () - 1);
        }

        SValeur CCompilateur::AppelFonction (const SExpr & E, Operande Cible)
        {
            const SNiveaux Depart = Niveaux ();
            const SDeclaration & F = M.Declarations [E.Ref];
            const std::uint32_t Appel = Arguments (E.Ref, M.ListeDe (E.Enfants), E.NbEnfants);
            Rendre (Depart);
            SValeur V;
            V.Genre = GenreDeType (F.Type);
            V.Int = F.Type == TEntier;
            V.Op = Cible != PasDOperande ? Cible : Temp (V.Genre == EGenre::Chaine ? TempChaine : TempScalaire);
            Emettre (nsInterpreteur::Appel, F.Unite, Appel, V.Op, P.Unites [F.Unite].PosEntree);
            return V;
        }

        // --- Instructions ---

        void CCompilateur::Marquer (EMarque Genre, std::size_t Decalage, std::size_t Ordre, SPlage Instr)
        {
            SMarque Marque;
            Marque.Genre = Genre;
            Marque.Ligne = Situer (Decalage).Ligne;
            Marque.Ordre = static_cast <std::uint32_t> (Ordre);
            Marque.Debut = Situer (Instr.Debut).Decalage;
            Marque.Fin = Situer (Instr.Fin ()).Decalage;
            Marque.Visibles = Visibles;
            P.Marques.push_back (Marque);
            Emettre (nsInterpreteur::Marque, static_cast <std::uint32_t> (P.Marques.size () - 1));
        }

        // Comment le suivi ecrit une valeur d'un type simple ou d'une chaine.
        EVue CCompilateur::VueDe (unsigned Type) const
        {
            switch (GenreDeType (Type))
            {
                case EGenre::Naturel   : return EVue::Naturel;
                case EGenre::Reel      : return EVue::Reel;
                case EGenre::Booleen   : return EVue::Booleen;
                case EGenre::Caractere : return EVue::Caractere;
                case EGenre::Chaine    : return EVue::Chaine;
                default                : return EVue::Entier;
            }
        }

        void CCompilateur::RendreVisible (IdDecl D)
        {
            const SDeclaration & Decl = M.Declarations [D];
            SVisible V;
            P.Noms.push_back (Decl.Nom);
            V.Nom = static_cast <std::uint32_t> (P.Noms.size () - 1);
            V.Case = CaseDe [D];
            V.Reference = EstRef [D] && ! IsTypeTableau (Decl.Type);
            V.Vue = VueDe (IsTypeTableau (Decl.Type) ? GetTypeElem (Decl.Type) : Decl.Type);
            if (IsTypeTableau (Decl.Type))
            {
                V.Naturel = V.Vue == EVue::Naturel;
                V.Booleen = V.Vue == EVue::Booleen;
                V.Vue = EVue::Tableau;
            }
            V.Parent = Visibles;
            P.Visibles.push_back (V);
            Visibles = static_cast <std::uint32_t> (P.Visibles.size () - 1);
        }

        void CCompilateur::Suite (IdSuite Id)
        {
            const std::uint32_t Avant = Visibles;
            const SSuite & S = M.Suites [Id];
            for (std::uint32_t i = 0; i < S.NbInstrs; ++i) Instruction (M.IdInstrDe (S, i));
            Visibles = Avant;
        }

        void CCompilateur::Instruction (IdInstr Id)
        {
            const SInstr & I = M.Instrs [Id];
            Rendre (SNiveaux {});
            switch (I.Genre)
            {
                case EInstr::Si : return Si (I);
                case EInstr::TantQue : case EInstr::JusquA : return TantQue (I);
                case EInstr::Pour : return Pour (I);
                case EInstr::Repeter : return Repeter (I);
                case EInstr::Boucle : return BoucleSansFin (I);
                case EInstr::ChoixSur : return;
                default : break;
            }
            Marquer (EMarque::Instruction, I.Plage.Debut, I.Plage.Debut, I.Plage);
            switch (I.Genre)
            {
                case EInstr::Declarer : Declarer (I); break;
                case EInstr::Affectation : Affecter (I); break;
                case EInstr::AppelProcedure :
                {
                    const SDeclaration & Proc = M.Declarations [I.Decl];
                    const std::uint32_t Appel = Arguments (I.Decl, M.ListeDe (I.Exprs), I.NbExprs);
                    // L'algorithme qui s'appelle lui-meme : la pile est controlee a l'appel.
                    const Pos Ici = Proc.Nature == ENature::Algorithme ? Position (I.Plage.Debut)
                                                                       : P.Unites [Proc.Unite].PosEntree;
                    Emettre (nsInterpreteur::Appel, Proc.Unite, Appel, PasDOperande, Ici);
                    break;
                }
                case EInstr::Renvoie : Renvoyer (M.IdExprDe (I, 0)); break;
                case EInstr::Sortie :
                    Boucles.back ().Sorties.push_back (Emettre (Saut));
                    break;
                case EInstr::Continue :
                    Boucles.back ().Continues.push_back (Emettre (Saut));
                    break;
                case EInstr::Afficher : Afficher (I); break;
                case EInstr::Saisir : Saisir (I); break;
                case EInstr::LigneSuivante : Emettre (nsInterpreteur::LigneSuivante); break;
                case EInstr::Allonger : case EInstr::Redimensionner : Redimension (I); break;
                default : break;
            }
        }

        void CCompilateur::Declarer (const SInstr & I)
        {
            const SDeclaration & D = M.Declarations [I.Decl];
            const Operande Case = OperandeCase (CaseDe [I.Decl]);
            const IdExpr Expr = I.NbExprs > 0 ? M.IdExprDe (I, 0) : Aucun;
            if (D.Nature == ENature::Constante)
            {
                if (IsTypeString (D.Type)) Emettre (ChDeclarer, Case, PasDOperande);
                Valeur (Expr, D.Type, Case);
            }
            else if (IsTypeTableau (D.Type) || IsTypeString (D.Type))
            {
                // La taille declaree, controlee (_Taille) avant d'allouer.
                Operande Taille = PasDOperande;
                Pos Ici = 0;
                if (D.Taille != Aucun)
                {
                    Taille = this->Expr (D.Taille).Op;
                    Ici = Position (M.Exprs [D.Taille].Plage.Debut);
                }
                if (IsTypeTableau (D.Type))
                {
                    const unsigned Elem = GetTypeElem (D.Type);
                    const EElem Genre = Elem == TReel ? EElem::Reel : IsTypeString (Elem) ? EElem::Chaine
                                      : (Elem == TBooleen || Elem == TCaractere) ? EElem::Octet : EElem::Entier;
                    // Chaque element vaut le plus grand de son type (numeric_limits <T>::max ()).
                    SCase Max;
                    switch (Elem)
                    {
                        case TEntierNaturel : Max.I = -1; break;
                        case TReel          : Max.R = std::numeric_limits <double>::max (); break;
                        case TBooleen       : Max.I = 1; break;
                        case TCaractere     : Max.I = std::numeric_limits <char>::max (); break;
                        default             : Max.I = std::numeric_limits <std::int64_t>::max (); break;
                    }
                    Emettre (TabDeclarer, Case, Taille, Constante (Max), Ici,
                             static_cast <std::uint16_t> (static_cast <unsigned> (Genre) | (Elem == TBooleen ? 0x10u : 0u)));
                }
                else Emettre (ChDeclarer, Case, Taille, 0, Ici);
            }
            else Emettre (Copier, Case, D.Type == TReel ? Reel (0.0) : Entier (0));
            RendreVisible (I.Decl);
        }

        void CCompilateur::Affecter (const SInstr & I)
        {
            const IdExpr IdCible = M.IdExprDe (I, 0), IdValeur = M.IdExprDe (I, 1);
            const SExpr & Cible = M.Exprs [IdCible];
            const SDeclaration & D = M.Declarations [Cible.Ref];
            if (Cible.Genre == EExpr::Nom)
            {
                if (! EstRef [Cible.Ref])
                {
                    const Operande Case = OperandeCase (CaseDe [Cible.Ref]);
                    const SExpr & V = M.Exprs [IdValeur];
                    // s <- s + ... (sans appel, s lu seulement en tete) : ajout sur place.
                    if (IsTypeString (D.Type) && V.Genre == EExpr::Operation && M.Enfant (V, 0).Genre == EExpr::Nom
                        && M.Enfant (V, 0).Ref == Cible.Ref && ! ContientAppel (IdValeur))
                    {
                        bool Relu = false;
                        for (std::uint32_t i = 1; i < V.NbEnfants && ! Relu; ++i) Relu = Lit (M.IdEnfant (V, i), Cible.Ref);
                        if (! Relu)
                        {
                            for (std::uint32_t i = 1; i < V.NbEnfants; ++i)
                            {
                                Rendre (SNiveaux {});
                                const SValeur X = Expr (M.IdEnfant (V, i));
                                Emettre (X.Genre == EGenre::Chaine ? ChAjouter : ChAjouterCar, Case, X.Op, 0,
                                         Position (M.OperateurDe (V, i).Decalage), 1);
                            }
                            return;
                        }
                    }
                    Valeur (IdValeur, D.Type, Case);
                    return;
                }
                // Par reference : la valeur, puis l'objet designe.
                SValeur V = Valeur (IdValeur, D.Type);
                const Pos Ici = PositionPropre (Cible.Plage.Debut);
                if (IsTypeString (D.Type))
                {
                    V = MettreDeCote (V);
                    const Operande Vue = Temp (TempPointeur);
                    Emettre (RefChaine, Vue, OperandeCase (CaseDe [Cible.Ref]), 0, Ici);
                    Emettre (EstCase (V.Op) ? ChEchanger : ChCopier, Vue, V.Op);
                    P.Positions [Ici].Nom = Texte (D.Nom);
                    Emettre (ChChangee, Vue, 0, 0, Ici);
                    return;
                }
                Emettre (D.Type == TReel ? RefEcrireR : RefEcrireI, OperandeCase (CaseDe [Cible.Ref]), V.Op, 0, Ici);
                return;
            }
            // t[i] <- v : la valeur d'abord (C++17), puis l'indice et l'acces controle.
            const unsigned TypeElem = Cible.Type;
            SValeur V = Valeur (IdValeur, TypeElem);
            const IdExpr IdIndice = M.IdEnfant (Cible, 0);
            if (ContientAppel (IdIndice)) V = MettreDeCote (V);
            const SValeur Indice = Expr (IdIndice);
            const Pos Ici = PositionIndice (Cible);
            const Operande Conteneur = Objet (Cible.Ref, Cible.Plage.Debut);
            if (! IsTypeTableau (D.Type))
            {
                Emettre (ChEcrire, Conteneur, Indice.Op, V.Op, Ici);
                return;
            }
            const ECode Code = TypeElem == TReel ? TabEcrireR : IsTypeString (TypeElem) ? TabEcrireS
                             : (TypeElem == TBooleen || TypeElem == TCaractere) ? TabEcrireO : TabEcrireI;
            Emettre (Code, Conteneur, Indice.Op, V.Op, Ici);
        }

        void CCompilateur::Afficher (const SInstr & I)
        {
            for (std::uint32_t i = 0; i < I.NbExprs; ++i)
            {
                Rendre (SNiveaux {});
                const IdExpr Id = M.IdExprDe (I, i);
                const SValeur V = Expr (Id);
                ECode Code;
                switch (GenreDe (Id))
                {
                    case EGenre::Naturel   : Code = AfficherN; break;
                    case EGenre::Reel      : Code = AfficherR; break;
                    case EGenre::Booleen   : Code = AfficherB; break;
                    case EGenre::Caractere : Code = AfficherC; break;
                    case EGenre::Chaine    : Code = AfficherS; break;
                    default                : Code = AfficherI; break;
                }
                Emettre (Code, V.Op);
            }
        }

        void CCompilateur::Saisir (const SInstr & I)
        {
            for (std::uint32_t i = 0; i < I.NbExprs; ++i)
            {
                const SExpr & V = M.ExprDe (I, i);
                const Operande Case = OperandeCase (CaseDe [V.Ref]);
                P.Noms.push_back (T.Texte.substr (V.Plage.Debut, V.Plage.Longueur));
                const std::uint32_t Nom = static_cast <std::uint32_t> (P.Noms.size () - 1);
                const unsigned Type = M.Declarations [V.Ref].Type;
                const Pos Ici = IsTypeString (Type) ? PositionPropre (V.Plage.Debut) : Position (V.Plage.Debut);
                if (IsTypeString (Type))
                {
                    // Le nom, tel qu'ecrit, dans le message d'une reference invalidee.
                    P.Positions [Ici].Nom = Nom;
                    Emettre (SaisirS, Case, Nom, 0, Ici);
                }
                else if (Type == TCaractere) Emettre (SaisirC, Case, Nom, 0, Ici);
                else if (Type == TReel) Emettre (SaisirR, Case, Nom, 0, Ici);
                else
                {
                    const nsControles::ESaisie Genre = Type == TEntierNaturel ? nsControles::ESaisie::Naturel
                                                     : Type == TBooleen ? nsControles::ESaisie::Booleen
                                                     : nsControles::ESaisie::Entier;
                    Emettre (SaisirI, Case, Nom, 0, Ici, static_cast <std::uint16_t> (Genre));
                }
            }
        }

        void CCompilateur::Redimension (const SInstr & I)
        {
            const SExpr & X = M.ExprDe (I, 0);
            const IdExpr IdLongueur = M.IdExprDe (I, 1);
            const bool Allonger = I.Genre == EInstr::Allonger;
            const SValeur N = Expr (IdLongueur);
            const Pos Ici = PositionPropre (M.Exprs [IdLongueur].Plage.Debut);
            P.Positions [Ici].Nom = Texte (M.Declarations [X.Ref].Nom);
            const Operande O = Objet (X.Ref, X.Plage.Debut);
            if (IsTypeTableau (M.Declarations [X.Ref].Type))
                Emettre (Allonger ? TabAllonger : TabRedimensionner, O, N.Op, 0, Ici);
            else Emettre (Allonger ? ChAllonger : ChRedimensionner, O, N.Op, 0, Ici);
        }

        void CCompilateur::Renvoyer (IdExpr Id)
        {
            const char * const NoteInt = "note : en C++, une fonction entier rend un int, sur 32 bits (de -2147483648 à 2147483647)";
            SValeur V;
            if (TypeRetour == TEntier && M.Exprs [Id].Type == TReel)
            {
                // Un reel rendu par une fonction entier perd sa partie decimale dans un int.
                const SValeur X = Expr (Id);
                V.Op = Reutilisable (X) ? X.Op : Temp (TempScalaire);
                const Pos Ici = PositionPropre (M.Exprs [Id].Plage.Debut);
                P.Positions [Ici].Notes = Texte (NoteInt);
                Emettre (EntierDeReel, V.Op, X.Op, 0, Ici, 1);
                V.Int = true;
            }
            else if (TypeRetour == TEntier)
            {
                // _Vers <int> directement (pas de passage par un entier de 64 bits).
                VersSigne (Id);
                V = Expr (Id);
            }
            else V = Valeur (Id, TypeRetour);
            // Une fonction entier rend un int : la valeur doit y tenir (_Vers <int>), sauf un
            // nombre ecrit ou un autre int.
            const SExpr & E = M.Exprs [Id];
            if (TypeRetour == TEntier && E.Type != TReel && ! V.Int && ! LitteralEntier (E))
            {
                const Operande R = Reutilisable (V) ? V.Op : Temp (TempScalaire);
                const Pos Ici = PositionPropre (E.Plage.Debut);
                P.Positions [Ici].Notes = Texte (NoteInt);
                Emettre (VersInt, R, V.Op, 0, Ici, V.Genre == EGenre::Naturel && ! EstModulaire (Id) ? 1 : 0);
                V.Op = R;
                V.Genre = EGenre::Entier;
            }
            std::uint16_t Mode = 0;
            if (V.Genre == EGenre::Chaine)
            {
                // Une chaine possedee par ce cadre (temporaire ou variable locale) est deplacee.
                Mode = 1;
                if (EstCase (V.Op))
                {
                    const std::vector <std::uint32_t> & Possedees = P.Unites [Unite].Chaines;
                    for (std::uint32_t C : Possedees)
                        if (C == IndiceDe (V.Op)) Mode = 2;
                }
            }
            // La sortie de l'unite se montre sur son mot fin.
            const SPlage Fin { static_cast <std::uint32_t> (DecalageFin), 3 };
            Marquer (EMarque::FinUnite, DecalageFin, DecalageFin, Fin);
            Emettre (nsInterpreteur::Renvoie, V.Op, 0, 0, 0, Mode);
        }

        void CCompilateur::Si (const SInstr & I)
        {
            Marquer (EMarque::Instruction, I.Plage.Debut, I.Plage.Debut, I.Plage);
            std::vector <std::uint32_t> VersFin;
            for (std::uint32_t b = 0; b < I.NbSuites; ++b)
            {
                std::vector <std::uint32_t> SiFaux;
                if (b < I.NbExprs)
                {
                    const IdExpr Condition = M.IdExprDe (I, b);
                    // sinon_si : la ligne de sa condition est executee a son tour.
                    if (b > 0)
                    {
                        Rendre (SNiveaux {});
                        const SPlage Plage = M.Exprs [Condition].Plage;
                        Marquer (EMarque::Instruction, Plage.Debut, Plage.Debut, Plage);
                    }
                    Conditionner (Condition, SiFaux);
                }
                Suite (M.IdSuiteDe (I, b));
                if (b + 1 < I.NbSuites) VersFin.push_back (Emettre (Saut));
                for (std::uint32_t S : SiFaux) Corriger (S, Ici ());
            }
            for (std::uint32_t S : VersFin) Corriger (S, Ici ());
        }

        void CCompilateur::FermerBoucle (std::uint32_t Continuer, std::uint32_t Sortir)
        {
            for (std::uint32_t S : Boucles.back ().Continues) Corriger (S, Continuer);
            for (std::uint32_t S : Boucles.back ().Sorties) Corriger (S, Sortir);
            Boucles.pop_back ();
        }

        // tant_que (c) et jusqua (c) : la ligne d'en-tete a chaque tour, la condition, le corps.
        void CCompilateur::TantQue (const SInstr & I)
        {
            const std::uint32_t Tete = Ici ();
            Marquer (EMarque::Instruction, I.Plage.Debut, I.Plage.Debut, I.Plage);
            OuvrirNoteBoucle (I.Genre == EInstr::TantQue ? "tant_que" : "jusqua", I.Plage.Debut);
            std::vector <std::uint32_t> Sortir;
            if (I.Genre == EInstr::TantQue) Conditionner (M.IdExprDe (I, 0), Sortir);
            else
            {
                const SValeur V = Expr (M.IdExprDe (I, 0));
                Sortir.push_back (Emettre (SiVrai, 0, V.Op));
            }
            Boucles.emplace_back ();
            Suite (M.IdSuiteDe (I, 0));
            Emettre (Saut, Tete);
            for (std::uint32_t S : Sortir) Corriger (S, Ici ());
            FermerBoucle (Tete, Ici ());
            NotesBoucles.pop_back ();
        }

        // pour : les bornes une seule fois ; la variable n'avance que si la borne n'est pas
        // atteinte (CEcrivainVerifie::EntetePour). Le tour suivant se montre sur la ligne du
        // pour, a la place de ffaire (apres le corps sur la meme ligne).
        void CCompilateur::Pour (const SInstr & I)
        {
            Marquer (EMarque::Instruction, I.Plage.Debut, I.Plage.Debut, I.Plage);
            const bool Descendant = (I.Drapeaux & InstrDescendant) != 0;
            const Operande Variable = OperandeCase (CaseDe [I.Decl]);
            const Operande Borne = OperandeCase (NouvelleCase ());
            VersSigne (M.IdExprDe (I, 0));
            VersSigne (M.IdExprDe (I, 1));
            const SValeur Inf = Expr (M.IdExprDe (I, 0));
            Operande Depart = Inf.Op;
            if (ContientAppel (M.IdExprDe (I, 1)) && ! Inf.Fixe) Depart = MettreDeCote (Inf).Op;
            const SValeur Sup = Expr (M.IdExprDe (I, 1), Borne);
            if (Sup.Op != Borne) Emettre (Copier, Borne, Sup.Op);
            const std::uint32_t Debut = Emettre (PourDebut, Variable, Depart, Borne, 0, Descendant ? 1 : 0);
            const std::uint32_t Avant = Visibles;
            RendreVisible (I.Decl);
            Boucles.emplace_back ();
            OuvrirNoteBoucle ("pour", I.Plage.Debut);
            const std::uint32_t Corps = Ici ();
            Suite (M.IdSuiteDe (I, 0));
            const std::uint32_t Suivant = Ici ();
            const SSuite & S = M.SuiteDe (I, 0);
            Marquer (EMarque::Instruction, I.Plage.Debut, S.MotFin.Debut, I.Plage);
            // _Avancer, _Reculer : situes sur la variable, qu'ils nomment.
            const Pos Avance = PositionPropre (M.Declarations [I.Decl].Decalage);
            P.Positions [Avance].Nom = Texte (M.Declarations [I.Decl].Nom);
            Emettre (Descendant ? PourSuivantDesc : PourSuivant, Variable, Borne, Corps, Avance);
            P.Ops [Debut].D = Ici ();
            Visibles = Avant;
            FermerBoucle (Suivant, Ici ());
            NotesBoucles.pop_back ();
        }

        // repeter ... jusqua (c) : la condition a chaque tour, sur sa ligne, apres le corps.
        void CCompilateur::Repeter (const SInstr & I)
        {
            const std::uint32_t Tete = Ici ();
            Marquer (EMarque::Invisible, I.Plage.Debut, I.Plage.Debut, I.Plage);
            Boucles.emplace_back ();
            OuvrirNoteBoucle ("repeter", I.Plage.Debut);
            Suite (M.IdSuiteDe (I, 0));
            const std::uint32_t Condition = Ici ();
            Rendre (SNiveaux {});
            const IdExpr C = M.IdExprDe (I, 0);
            Marquer (EMarque::Instruction, M.Exprs [C].Plage.Debut, M.Exprs [C].Plage.Debut, M.Exprs [C].Plage);
            std::vector <std::uint32_t> Encore;
            Conditionner (C, Encore);
            for (std::uint32_t S : Encore) Corriger (S, Tete);
            FermerBoucle (Condition, Ici ());
            NotesBoucles.pop_back ();
        }

        void CCompilateur::BoucleSansFin (const SInstr & I)
        {
            const std::uint32_t Tete = Ici ();
            Marquer (EMarque::Invisible, I.Plage.Debut, I.Plage.Debut, I.Plage);
            Boucles.emplace_back ();
            OuvrirNoteBoucle ("boucle", I.Plage.Debut);
            Suite (M.IdSuiteDe (I, 0));
            Emettre (Saut, Tete);
            FermerBoucle (Tete, Ici ());
            NotesBoucles.pop_back ();
        }

        // Une unite : ses cases (parametres d'abord, puis chaque nom declare dans son texte),
        // son corps, et sa fin.
        void CCompilateur::UniteCode (std::uint32_t U)
        {
            Unite = U;
            const SUnite & Modele = M.Unites [U];
            SUniteCode & Code = P.Unites [U];
            for (unsigned g = 0; g < NbGenresTemp; ++g) Temps [g].clear ();
            Rendre (SNiveaux {});
            Visibles = 0xFFFFFFFFu;
            TypeRetour = Modele.TypeRetour;
            DecalageFin = Modele.DecalageFin;
            for (IdDecl D : Modele.Parametres)
            {
                const SDeclaration & Decl = M.Declarations [D];
                CaseDe [D] = NouvelleCase ();
                EstRef [D] = Decl.Mode != 0;
                if (EstRef [D] && ! IsTypeTableau (Decl.Type)) NouvelleCase ();
                if (! EstRef [D] && IsTypeTableau (Decl.Type)) Code.Tableaux.push_back (CaseDe [D]);
                if (! EstRef [D] && IsTypeString (Decl.Type)) Code.Chaines.push_back (CaseDe [D]);
                RendreVisible (D);
            }
            Code.NbParametres = Code.NbCases;
            Code.VisiblesEntree = Visibles;
            for (IdDecl D = 0; D < M.Declarations.size (); ++D)
            {
                const SDeclaration & Decl = M.Declarations [D];
                if (Decl.Unite != U || Decl.Nature == ENature::Parametre || Decl.Nature == ENature::Procedure
                    || Decl.Nature == ENature::Fonction || Decl.Nature == ENature::Algorithme)
                    continue;
                CaseDe [D] = NouvelleCase ();
                EstRef [D] = false;
                if (IsTypeTableau (Decl.Type)) Code.Tableaux.push_back (CaseDe [D]);
                else if (IsTypeString (Decl.Type)) Code.Chaines.push_back (CaseDe [D]);
            }
            Code.Debut = Ici ();
            // Le corps, ses noms encore visibles sur le mot fin.
            const SSuite & Corps = M.Suites [Modele.Corps];
            for (std::uint32_t i = 0; i < Corps.NbInstrs; ++i) Instruction (M.IdInstrDe (Corps, i));
            Rendre (SNiveaux {});
            const SPlage Fin { static_cast <std::uint32_t> (Modele.DecalageFin), 3 };
            Marquer (EMarque::FinUnite, Modele.DecalageFin, Modele.DecalageFin, Fin);
            if (Modele.Nature == ENature::Fonction) Emettre (FinSansRenvoie, 0, 0, 0, Position (Modele.DecalageFin));
            else Emettre (FinUnite);
            Code.Cout = Code.NbCases * sizeof (SCase) + 64;
        }

        void CCompilateur::Programme ()
        {
            CaseDe.assign (M.Declarations.size (), 0);
            EstRef.assign (M.Declarations.size (), false);
            // Les unites d'abord (leurs noms et positions d'entree servent aux appels).
            P.Unites.resize (M.Unites.size ());
            for (std::uint32_t U = 0; U < M.Unites.size (); ++U)
            {
                const SUnite & Modele = M.Unites [U];
                SUniteCode & Code = P.Unites [U];
                Code.Nom = Modele.Nom;
                Code.Fonction = Modele.Nature == ENature::Fonction;
                Code.Algorithme = Modele.Nature == ENature::Algorithme;
                if (Code.Fonction) Code.VueRetour = VueDe (Modele.TypeRetour);
                Code.LigneEntete = Situer (Modele.Debut).Ligne;
                if (! Code.Algorithme) Code.PosEntree = Position (M.Declarations [Modele.Declaration].Decalage);
                if (Code.Algorithme) P.Algorithme = U;
            }
            for (std::uint32_t U = 0; U < M.Unites.size (); ++U) UniteCode (U);
        }
    }

    bool Compiler (const STraduction & T, const std::string & Source, unsigned TailleTab, SProgramme & P,
                   std::string & Refus)
    {
        if (T.Statut != 0 || T.Erreur)
        {
            Refus = "le programme n'a pas ete traduit";
            return false;
        }
        const SModele & M = T.Modele;
        bool Algorithme = false;
        for (const SUnite & U : M.Unites)
        {
            if (! U.Complete || U.Corps == Aucun || U.DecalageFin == PorteeOuverte)
            {
                Refus = "le modele du programme est incomplet";
                return false;
            }
            Algorithme = Algorithme || U.Nature == ENature::Algorithme;
        }
        if (! Algorithme)
        {
            Refus = "le programme n'a pas d'algorithme";
            return false;
        }
        CCompilateur C (T, Source, TailleTab, P);
        C.Programme ();
        // Les lignes du source, pour le suivi.
        std::size_t Debut = 0;
        for (;;)
        {
            const std::size_t Fin = Source.find ('\n', Debut);
            P.Lignes.push_back (Source.substr (Debut, Fin == std::string::npos ? std::string::npos : Fin - Debut));
            if (Fin == std::string::npos) break;
            Debut = Fin + 1;
        }
        return true;
    }
}
