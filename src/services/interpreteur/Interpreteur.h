// L'interpreteur : execute un programme traduit, a partir de son modele, avec le sens du profil
// verifie (memes sorties, memes saisies, memes erreurs d'execution, au meme endroit du source),
// sans compilateur. Il sert a tramelo-exec --interprete et a la page web.
//
// L'execution peut s'arreter et reprendre a tout moment : apres un budget de pas (une boucle
// sans fin ne bloque jamais l'appelant), quand une saisie attend une entree qui n'est pas encore
// la, et, en pas a pas, avant chaque ligne. Le programme est d'abord compile en un code compact
// (noms resolus en cases, aucune recherche de nom pendant l'execution) ; les appels passent par
// une pile de cadres explicite, jamais par la pile de l'hote.
#pragma once

#include "driver/Traduction.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace nsTramelo
{
    // Ce qu'un programme peut consommer : les memes bornes que le programme compile.
    struct SLimitesExecution
    {
        // Pile d'execution (octets) : au-dela, "Recursion trop profonde" ; celle du programme
        // verifie lance sans tramelo-exec (TRAMELO_PILE sinon).
        std::size_t Pile = std::size_t (6) << 20;
        // La limite de pile du systeme qu'aurait le programme compile (ulimit -s, octets ; 0 :
        // aucune), dite dans la note de "Recursion trop profonde".
        std::size_t LimitePile = 0;
        // Memoire des chaines et tableaux (octets), comptee comme le programme compile compte
        // ses allocations : au-dela, "Memoire insuffisante" ; 2048 Mio comme lui par defaut
        // (0 : pas d'autre limite que celle du systeme).
        std::size_t Memoire = std::size_t (2048) << 20;
    };

    struct SOptionsExecution
    {
        std::string NomSource = "programme.algo";   // le source dans les messages d'erreur
        unsigned    TailleTab = 4;                   // pour les colonnes des messages
        SLimitesExecution Limites;
        // TRAMELO_MEMOIRE tel que le programme compile le lirait (VariableMemoireDonnee) : un
        // nombre de Mio valide remplace Limites.Memoire, un autre texte arrete le programme
        // avant qu'il commence, avec le message du programme compile.
        bool        VariableMemoireDonnee = false;
        std::string VariableMemoire;
        // Pas a pas : l'execution s'arrete avant chaque ligne executee (Executer rend Pas) et
        // le suivi (lignes executees, variables qui changent) est releve.
        bool        PasAPas = false;
        // Releve du suivi sans s'arreter a chaque ligne (tramelo-exec --pas-a-pas).
        bool        Suivi = false;
        // Nombre de lignes du suivi au-dela duquel l'execution s'arrete (Limite ; 0 : aucune).
        std::uint64_t LimiteLignes = 0;
        // Graine de Rand (0 : l'heure, comme le programme compile).
        std::uint64_t Graine = 0;
    };

    enum class EArret
    {
        Fini,       // le programme s'est termine (Statut : 0)
        Erreur,     // erreur d'execution (Statut : 1, ErreurExecution)
        Entree,     // une saisie attend : AjouterEntree ou FermerEntree, puis Executer
        Budget,     // le budget de pas est epuise : Executer a nouveau pour continuer
        Pas,        // pas a pas : arrete avant une ligne (PositionCourante)
        Limite      // le suivi a atteint LimiteLignes
    };

    // Une erreur d'execution, telle que le programme compile du profil verifie l'ecrit.
    struct SErreurExecution
    {
        std::string Message;         // le message seul ("Division par zéro : 1 / 0")
        std::string Texte;           // la ligne complete, sans fin de ligne : "source:L:C: erreur : message"
        // Les lignes "note : ..." et "aide : ..." qui la suivent, separees par des fins de ligne,
        // sans la derniere (vide s'il n'y en a pas).
        std::string Notes;
        bool        Positionnee = false;
        std::size_t Ligne = 0, Colonne = 0;   // colonne en octets dans la ligne d'origine
        std::size_t Decalage = 0;             // decalage dans le source d'origine
    };

    // Un evenement du suivi : une ligne executee, une variable qui vient de changer (elle suit
    // alors la ligne qui l'a changee), ou la valeur que renvoie une fonction (apres son fin).
    enum class ESuivi : unsigned char { Ligne, Variable, Renvoi };

    struct SEvenementSuivi
    {
        ESuivi      Genre = ESuivi::Ligne;
        bool        Ligne = true;      // vrai pour Genre Ligne
        std::size_t NumeroLigne = 0;   // la ligne executee
        std::string Texte;             // son texte (sans blancs autour, controles echappes)
        std::string Nom, Valeur;       // la variable (ou la fonction) et sa valeur
        std::size_t Profondeur = 0;    // 1 pour l'algorithme, 2 dans une unite qu'il appelle...
    };

    // La ligne sur le point d'etre executee (pas a pas, erreur).
    struct SPositionCourante
    {
        bool        Valide = false;
        std::size_t Ligne = 0;
        std::size_t Debut = 0, Fin = 0;   // l'instruction : decalages dans le source d'origine
        std::size_t Profondeur = 0;
    };

    // Une variable visible dans l'unite en cours (pas a pas) : nom et valeur comme dans le suivi.
    struct SVariableVisible
    {
        std::string Nom, Valeur;
    };

    class CExecution
    {
      public :
        // T : une traduction reussie dont le modele est garde ; Source : le texte donne a
        // Traduire (pour les colonnes des messages et le texte des lignes du suivi).
        CExecution (const STraduction & T, const std::string & Source, const SOptionsExecution & Options = {});
        ~CExecution ();
        CExecution (const CExecution &) = delete;
        CExecution & operator= (const CExecution &) = delete;

        // Faux si le programme ne peut pas etre execute (traduction ratee, modele incomplet) ;
        // Refus dit pourquoi.
        bool Pret () const;
        const std::string & Refus () const;

        // L'entree du programme, par morceaux ; FermerEntree : il n'y en aura plus (fin de
        // l'entree, comme un fichier epuise ou Ctrl-D).
        void AjouterEntree (const std::string & Octets);
        void FermerEntree ();

        // Execute au plus Budget pas (un pas : une instruction ou un tour de boucle) et rend la
        // raison de l'arret. Apres Fini ou Erreur, ne fait plus rien.
        EArret Executer (std::uint64_t Budget);
        // Pas a pas ou non, a tout moment.
        void PasAPas (bool Actif);

        // La sortie produite depuis le dernier appel (octets exacts de cout).
        std::string PrendreSortie ();
        // Les evenements du suivi depuis le dernier appel.
        std::vector <SEvenementSuivi> PrendreSuivi ();

        int Statut () const;                          // 0, ou 1 apres une erreur d'execution
        const SErreurExecution & ErreurExecution () const;
        SPositionCourante PositionCourante () const;
        std::vector <SVariableVisible> Variables () const;
        std::uint64_t LignesSuivies () const;         // lignes du suivi deja ecrites
        std::uint64_t PasExecutes () const;

        struct SEtat;
      private :
        std::unique_ptr <SEtat> Etat;
    };

    // Un evenement du suivi ecrit comme une ligne de la trace de tramelo-exec --pas-a-pas (sans
    // fin de ligne), la meme que sous gdb : "» LIGNE | texte", "»      |     nom = valeur" ou
    // "»      |     Fonction renvoie valeur" ; le numero aligne sur Largeur chiffres, le texte
    // decale de deux espaces par niveau d'appel.
    std::string TexteSuivi (const SEvenementSuivi & E, std::size_t Largeur);
    // Largeur de la colonne des numeros : les chiffres du numero de la derniere ligne du source.
    std::size_t LargeurSuivi (const std::string & Source);

    // La valeur d'un reel dans le suivi : la plus courte ecriture qui le redonne (1.5, 2.0,
    // 1e+20, 1e-05), comme l'ecrit le pas a pas sous gdb.
    std::string TexteReelSuivi (double V);
}
