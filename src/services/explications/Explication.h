// L'explicateur : a partir du diagnostic de la traduction, du texte et du journal, une table de
// regles nommees cherche la faute la plus probable, sa place, et ecrit les aides. Chaque regle est
// petite : elle regarde l'erreur et quelques jetons autour, dit si elle s'applique et, si oui,
// place la faute et ecrit ses aides. La premiere regle qui s'applique l'emporte ; les dernieres
// de la table, generiques, s'appliquent toujours.
#pragma once

#include "driver/Traduction.h"
#include "services/explications/Lexique.h"
#include "services/explications/Retouches.h"
#include "services/explications/Verification.h"
#include "util/Messages.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace nsTramelo
{
    // Ce qu'une regle sait de l'erreur. Tout est calcule une fois, sans relire le source entier.
    class CContexte
    {
      public :
        CContexte (const STraduction & T, const SDiagnostic & E, const SOptions & Options = {});

        const STraduction & T;
        const SDiagnostic & E;
        const SOptions &    Options;
        const SModele &     J;            // le modele lu jusqu'a l'erreur
        const std::string & Texte;
        CLexique            Lex;

        std::size_t   Arret;          // ou la lecture s'est arretee, dans le texte tamponne
        SJeton        AuArret;        // le jeton a l'arret (ou apres les blancs qui le suivent)
        SJeton        AvantArret;     // le dernier jeton fini avant l'arret
        const SMot *  Instruction;    // le premier mot de l'instruction la plus interne, ou nul
        const SBloc * Bloc;           // le bloc le plus interne encore ouvert, ou nul
        const SUnite * Unite;         // l'unite en cours de lecture, ou nulle

        bool MessageEst (nsUtil::EMsg Msg) const { return E.Msg == Msg; }
        // Pour un message "Caractere attendu : "c"" : c ; 0 sinon.
        char CaractereAttendu () const;
        std::string Mot (const SJeton & J) const { return Lex.Extrait (J); }
        std::string Mot (const SMot & M) const { return Texte.substr (M.Decalage, M.Longueur); }
        bool MotEst (const SJeton & J, const char * Mot) const { return J.Est (Texte, Mot); }
        std::size_t Ligne (std::size_t Pos) const { return Lex.Ligne (Pos); }

        // Le nom declare et encore dans sa portee a Pos (la declaration la plus recente).
        const SDeclaration * Visible (const std::string & Nom, std::size_t Pos) const;
        // La derniere declaration de ce nom dont la portee s'est fermee avant Pos.
        const SDeclaration * SortieDePortee (const std::string & Nom, std::size_t Pos) const;
        // L'unite qui contient la position, ou nulle.
        const SUnite * UniteEn (std::size_t Pos) const;
        // Nombre de parametres d'une unite (d'apres ses declarations).
        std::size_t NbParametres (const SUnite & U) const;
        // Une procedure ou une fonction de ce nom definie apres Pos : la position de son nom.
        std::size_t UniteDefinieApres (const std::string & Nom, std::size_t Pos) const;
        // Les noms visibles a Pos les plus proches de Nom (distance d'edition ou casse).
        std::string NomVoisin (const std::string & Nom, std::size_t Pos) const;

        // Le premier mot de l'instruction en cours (jeton), ou un jeton de fin.
        SJeton MotInstruction () const;
        // Ou commence le texte de l'instruction en cours : son premier mot, sauf si ce mot ouvre
        // un bloc (debut, si, pour...) sur une ligne precedente : alors le debut de la ligne de
        // l'arret (l'erreur est dans une instruction du bloc qui n'a pas encore commence).
        std::size_t DebutInstruction () const;
        // La fin de l'instruction en cours vue du texte : le premier ";" apres l'arret, ou la fin
        // de la ligne de l'arret.
        std::size_t FinInstruction () const;
        // Le premier nom de l'instruction en cours qui n'est ni un mot du langage ni un nom
        // visible a l'arret : le nom inconnu d'une expression.
        SJeton PremierNomInconnu () const;
        // Le nom fautif : le mot qui commence l'instruction (127), le nom cite par le message, ou
        // le premier nom inconnu de l'instruction.
        SJeton NomFautif () const;
        // Le nom que le diagnostic cite (donne par la traduction, jamais relu dans le message), ou vide.
        std::string MotDuMessage () const;

        // Les essais de retouches de cette erreur (construits au premier besoin, partages par
        // toutes les regles : le budget d'essais vaut pour toute l'explication).
        CEssayeur & Essayeur () const;
        // La declaration designee par le message, ou nulle.
        const SDeclaration * DeclarationDuMessage () const;
        // L'instruction du modele la plus interne encore ouverte a l'arret, ou nulle.
        const SInstr * InstrOuverte () const;

      private :
        mutable std::optional <CEssayeur> Essais;
    };

    // Ce qu'une regle dit : la place de la faute (texte tamponne), la cause quand elle la connait,
    // les aides, et les corrections qu'elle propose.
    //
    // Une correction concrete passe par Proposer : elle n'est donnee que si, appliquee au texte,
    // la traduction va au-dela de l'erreur (la premiere qui passe, dans l'ordre des propositions).
    // Si aucune ne passe, les constats (Constat) prennent sa place ; sans constat, la regle ne
    // s'applique pas et la suivante est essayee.
    struct SExplication
    {
        struct SProposition
        {
            SRetouche   Retouche;
            std::string Aide;
            bool        Verifiee = false;   // deja essayee et passee (recherche generique)
        };

        std::size_t Decalage = 0, Longueur = 0;
        std::vector <SAide> Aides;
        // L'en-tete du diagnostic, en francais, quand la regle connait la vraie cause (le message
        // de Tramelo passe alors dans une note).
        std::string Cause;
        std::vector <SProposition> Propositions;
        std::vector <std::string> Constats;
        std::size_t PlaceProposition = 0;   // ou l'aide de la correction s'insere dans Aides

        void Placer (std::size_t Pos, std::size_t Lg) { Decalage = Pos; Longueur = Lg; }
        void Placer (const SJeton & J) { Placer (J.Debut, J.Longueur); }
        void Aide (std::string Texte) { Aides.push_back ({ false, std::move (Texte) }); }
        void Note (std::string Texte) { Aides.push_back ({ true, std::move (Texte) }); }
        void Proposer (SRetouche R, std::string Texte, bool Verifiee = false)
        {
            if (Propositions.empty () && Constats.empty ()) PlaceProposition = Aides.size ();
            Propositions.push_back ({ std::move (R), std::move (Texte), Verifiee });
        }
        void Constat (std::string Texte)
        {
            if (Propositions.empty () && Constats.empty ()) PlaceProposition = Aides.size ();
            Constats.push_back (std::move (Texte));
        }
    };

    using FRegle = bool (*) (const CContexte & C, SExplication & X);

    struct SRegle
    {
        const char * Nom;
        FRegle       Appliquer;
    };

    // La table des regles, dans l'ordre ou elles sont essayees (Regles.cpp).
    extern const SRegle Regles [];
    extern const std::size_t NbRegles;

    // Explique l'erreur de la traduction : la premiere regle de la table qui s'applique.
    // Expliquer rend aussi la correction retenue (texte tamponne), s'il y en a une.
    SDiagnosticExplique Expliquer (const std::string & Source, const SOptions & Options,
                                   const STraduction & T, std::optional <SRetouche> * Retenue = nullptr);

    // --- Outils partages par les regles ---

    // "ligne 12"
    std::string TexteLigne (std::size_t Ligne);
    // Nom du type, en mots du langage : "entier", "tableau_de reel"...
    std::string NomType (unsigned Type);
    // "la variable", "le parametre", "la fonction"...
    std::string NomNature (ENature Nature);
    // Le mot du langage qui s'ecrit comme Mot a la casse pres ("Si" -> "si"), ou vide.
    std::string MotCleACasse (const std::string & Mot);
    // Vrai si Mot est un mot reserve du langage (structures, mots-cles, types...).
    bool IsMotDuLangage (const std::string & Mot);
    // Le mot de fin d'un bloc, en clair : "fsi" -> "le si", "ffaire" -> "la boucle".
    std::string NomBloc (const CContexte & C, const SBloc & B);
    // La ligne ou le bloc s'ouvre (celle de l'en-tete pour le corps d'une unite).
    std::size_t LigneBloc (const CContexte & C, const SBloc & B);

    // Une retouche en mots : "il manque « ; » à la fin de la ligne 6", "ajoutez « , » entre « a »
    // et « b »", "supprimez « x »", "remplacez « x » par « y »".
    std::string DecrireRetouche (const CContexte & C, const SRetouche & R);
    // La recherche generique d'une retouche simple autour de l'erreur ; si une passe, elle est
    // proposee (deja verifiee) et vrai est rendu.
    bool ProposerAutour (const CContexte & C, SExplication & X);
    // Le texte de [Debut, Fin) sur une ligne, blancs reduits (pour citer une condition, un appel).
    std::string TexteDe (const CContexte & C, std::size_t Debut, std::size_t Fin);

    // Les familles de regles (un fichier par famille) ; Regles.cpp les range dans la table.
    namespace nsRegles
    {
        // Caracteres : marque d'ordre UTF-8, octets non ASCII, litteraux.
        bool MarqueOrdreOctets (const CContexte &, SExplication &);
        bool OctetNonAscii (const CContexte &, SExplication &);
        bool CaractereLong (const CContexte &, SExplication &);
        bool ChaineOuverte (const CContexte &, SExplication &);
        bool Echappement (const CContexte &, SExplication &);
        bool CaractereNul (const CContexte &, SExplication &);

        // Blocs et unites.
        bool FinDeBlocEnDeuxMots (const CContexte &, SExplication &);
        bool FinDeBlocSoude (const CContexte &, SExplication &);
        bool SinonSiEnDeuxMots (const CContexte &, SExplication &);
        bool UniteNonFermee (const CContexte &, SExplication &);
        bool BlocOuvert (const CContexte &, SExplication &);
        bool FinDeFichier (const CContexte &, SExplication &);
        bool AlgorithmeAvantUnites (const CContexte &, SExplication &);
        bool CodeApresFin (const CContexte &, SExplication &);
        bool PointVirguleApresFinDeBloc (const CContexte &, SExplication &);
        bool SinonApresSinon (const CContexte &, SExplication &);

        // Noms et mots.
        bool CasseMotCle (const CContexte &, SExplication &);
        bool MotDuCours (const CContexte &, SExplication &);
        bool DeclarationSansDeclarer (const CContexte &, SExplication &);
        bool TypeInconnu (const CContexte &, SExplication &);
        bool FonctionCommeProcedure (const CContexte &, SExplication &);
        bool ConstanteModifiee (const CContexte &, SExplication &);
        bool HorsPortee (const CContexte &, SExplication &);
        bool NomInconnu (const CContexte &, SExplication &);
        bool MotReserve (const CContexte &, SExplication &);
        bool MotReserveDeclare (const CContexte &, SExplication &);
        bool DoubleDeclaration (const CContexte &, SExplication &);

        // Operateurs d'autres notations.
        bool AffectationEgal (const CContexte &, SExplication &);
        bool ComparaisonEgal (const CContexte &, SExplication &);
        bool Difference (const CContexte &, SExplication &);
        bool Modulo (const CContexte &, SExplication &);
        bool Connecteur (const CContexte &, SExplication &);
        bool Negation (const CContexte &, SExplication &);
        bool AutreOperateur (const CContexte &, SExplication &);

        // Ponctuation et jetons en trop.
        bool ParenthesesSansParametre (const CContexte &, SExplication &);
        bool MessageDansSaisir (const CContexte &, SExplication &);
        bool ConditionSansParentheses (const CContexte &, SExplication &);
        bool NombreDeParametres (const CContexte &, SExplication &);
        bool AppelDeFonction (const CContexte &, SExplication &);
        bool PointVirguleOublie (const CContexte &, SExplication &);
        bool MotCleOublie (const CContexte &, SExplication &);

        // Types.
        bool ChainePourNombre (const CContexte &, SExplication &);
        bool NombreDansChaine (const CContexte &, SExplication &);
        bool TableauEntier (const CContexte &, SExplication &);

        // L'intention de l'etudiant.
        bool ComparaisonEnchainee (const CContexte &, SExplication &);
        bool ComparaisonSansGauche (const CContexte &, SExplication &);
        bool ConnecteurSansComparaison (const CContexte &, SExplication &);
        bool ConditionNumerique (const CContexte &, SExplication &);
        bool PasDansPour (const CContexte &, SExplication &);
        bool VirguleOubliee (const CContexte &, SExplication &);
        bool VirguleDecimale (const CContexte &, SExplication &);
        bool TiretDansNom (const CContexte &, SExplication &);
        bool PointVirguleEntreParametres (const CContexte &, SExplication &);
        bool LitteralDuMauvaisType (const CContexte &, SExplication &);
        bool TexteSansGuillemets (const CContexte &, SExplication &);
        bool TexteAccentueSansGuillemets (const CContexte &, SExplication &);
        bool BooleenEtranger (const CContexte &, SExplication &);
        bool RepeterTantQue (const CContexte &, SExplication &);
        bool FsiAvantSinon (const CContexte &, SExplication &);
        bool UniteDansUnCorps (const CContexte &, SExplication &);
        bool DeuxAlgorithmes (const CContexte &, SExplication &);
        bool ModeDePassage (const CContexte &, SExplication &);
        bool PlusieursNomsDeclares (const CContexte &, SExplication &);
        bool PourSansVariantDe (const CContexte &, SExplication &);
        bool FonctionEtrangere (const CContexte &, SExplication &);
        bool TailleApresLeType (const CContexte &, SExplication &);
        bool Accolades (const CContexte &, SExplication &);
        bool SaisirCommeFonction (const CContexte &, SExplication &);

        // Les explications generiques, une par message.
        bool Generique (const CContexte &, SExplication &);
    }
}
