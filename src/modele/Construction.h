// La construction du modele pendant la lecture. Les lecteurs y ajoutent chaque construction des
// qu'elle est complete (une expression, ses enfants d'abord) ; une instruction, une suite ou une
// unite est ouverte a son premier mot et fermee a son dernier. Si une erreur arrete la
// traduction, Clore ferme ce qui reste ouvert (marque incomplet) : le modele garde ce qui a ete
// lu avant l'erreur.
//
// Les noeuds d'un essai qui echoue restent dans les tableaux, sans parent : le modele ne se lit
// qu'a partir des unites. Sans Garder (Tramelo lui-meme, qui n'a besoin que du C++), une
// instruction est oubliee des qu'elle est ecrite : la memoire ne depend plus de la taille du source.
#pragma once

#include "modele/Modele.h"

#include <cstddef>
#include <string>
#include <vector>

namespace nsTramelo
{
    class CConstructeur
    {
      public :
        // Le modele en cours ; rendu par Prendre.
        SModele M;
        // Garder tout le modele (vrai) ou oublier chaque instruction ecrite ; fixe par Traduire.
        bool Garder = true;

        void Vider ();
        SModele Prendre ();
        // Reserve d'avance pour un texte de cette taille : sans recopie en grandissant, le pic de
        // memoire reste celui du modele (une reserve jamais touchee ne coute rien).
        void Reserver (std::size_t TailleTexte);

        // --- Expressions ---

        // Les enfants d'une expression en cours de lecture : empiles par les lecteurs, pris par
        // Nouvelle ; l'objet remet la pile a sa hauteur de depart quand il disparait (erreur comprise).
        class CEnfants
        {
          public :
            explicit CEnfants (CConstructeur & C) : C (C), Marque (C.PileEnfants.size ()), MarqueOps (C.PileOps.size ()) {}
            ~CEnfants () { C.PileEnfants.resize (Marque); C.PileOps.resize (MarqueOps); }
            CEnfants (const CEnfants &) = delete;
            CEnfants & operator= (const CEnfants &) = delete;
            void Ajouter (IdExpr E) { C.PileEnfants.push_back (E); }
            void Operateur (EOperateur Op, std::size_t Decalage)
            {
                C.PileOps.push_back ({ Op, static_cast <std::uint32_t> (Decalage) });
            }
            std::size_t Nb () const { return C.PileEnfants.size () - Marque; }
            const IdExpr * Donnees () const { return C.PileEnfants.data () + Marque; }
            IdExpr operator[] (std::size_t i) const { return C.PileEnfants [Marque + i]; }

          private :
            friend class CConstructeur;
            CConstructeur & C;
            std::size_t Marque, MarqueOps;
        };

        // Une expression de Debut a Fin (decalages du texte tamponne), avec les enfants de E.
        IdExpr Nouvelle (EExpr Genre, unsigned Type, std::size_t Debut, std::size_t Fin,
                         std::uint32_t Ref = Aucun, unsigned char Op = 0, const CEnfants * E = nullptr);
        IdExpr Nombre (double Valeur, unsigned Type, std::size_t Debut, std::size_t Fin);
        // Une Operation : les termes et les operateurs de E.
        IdExpr Operation (unsigned Type, std::size_t Debut, std::size_t Fin, const CEnfants & E);
        const SExpr & Expr (IdExpr E) const { return M.Exprs [E]; }

        // --- Declarations (le nom vient d'etre lu : il finit a la position de lecture) ---

        void Declarer (const std::string & Nom, ENature Nature, unsigned Niveau);
        // Nature, type (et mode) connus apres la denotation : pour le dernier nom declare.
        void Preciser (ENature Nature, unsigned Type, unsigned Mode = 0);
        // Taille declaree ou valeur d'une constante : pour le dernier nom declare.
        // (Sans Garder, l'expression sera oubliee : la declaration n'y renvoie pas.)
        void FixerTaille (IdExpr Taille) { if (Garder) M.Declarations.back ().Taille = Taille; }
        void FixerValeur (IdExpr Valeur) { if (Garder) M.Declarations.back ().Valeur = Valeur; }
        // Le dernier nom declare (les tables des symboles le lient a leur entree).
        IdDecl DerniereDeclaration () const { return static_cast <IdDecl> (M.Declarations.size () - 1); }
        // Les noms du niveau donne sortent de leur portee a la position de lecture.
        void FermerPortees (unsigned Niveau);

        // --- Unites ---

        void OuvrirUnite (ENature Nature);
        void NommerUnite (const std::string & Nom);
        void AjouterParametre () { M.Unites.back ().Parametres.push_back (DerniereDeclaration ()); }
        void FixerTypeUnite (unsigned Type);
        void FermerUnite ();

        // --- Suites d'instructions et instructions ---

        // Une suite s'ouvre ; son mot ouvrant est le premier mot de l'instruction commencee (ou le
        // debut d'une unite).
        void OuvrirSuite ();
        // Son mot de fin vient d'etre lu (Lg : sa longueur ; 0 pour une forme courte de si).
        void FermerSuite (std::size_t LgMotFin);
        // Pour les outils : la suite ouverte, et le mot qui doit la fermer ("fin_bloc_si" pour
        // une branche de si), jusqu'a FermerBloc.
        void OuvrirBloc (const std::string & FinAttendue);
        void FermerBloc () { Blocs.pop_back (); }
        // Une instruction commence a Debut ; son genre est donne des qu'il est connu.
        void OuvrirInstr (std::size_t Debut, EInstr G = EInstr::ChoixSur);
        void Genre (EInstr G) { M.Instrs [Pile.back ().Index].Genre = G; }
        void Drapeau (unsigned char D) { M.Instrs [Pile.back ().Index].Drapeaux |= D; }
        void FixerDecl (IdDecl D) { M.Instrs [Pile.back ().Index].Decl = D; }
        // Une expression de l'instruction ouverte (cible, valeur, condition, borne, argument...).
        void AjouterExpr (IdExpr E) { ExprsEnAttente.push_back (E); }
        // L'instruction ouverte finit a la position de lecture ; elle est deja ecrite.
        void FermerInstr ();

        // Pour les outils : l'instruction commencee par le mot qui vient d'etre lu (Lg : sa
        // longueur), jusqu'a FinirInstruction (le corps d'une unite compte, a son mot debut).
        void DebuterInstruction (std::size_t Lg);
        void FinirInstruction () { Instructions.pop_back (); }

        // --- Apres une erreur ---

        // Ferme, marquees incompletes, les constructions encore ouvertes ; Blocs et Instructions
        // du modele gardent ce qui l'etait.
        void Clore ();

      private :
        struct SOuvert
        {
            enum ESorte : unsigned char { Unite, Instr, Suite } Sorte;
            std::uint32_t Index;          // l'unite, l'instruction ou la suite
            std::size_t   DebutExprs, DebutSuites, DebutInstrs;
            // Hauteurs des tableaux a l'ouverture d'une instruction (pour l'oublier, sans Garder).
            std::size_t   NbExprs, NbListes, NbOps, NbNombres, NbInstrs, NbSuites, NbListeInstrs, NbListeSuites;
        };
        void Ouvrir (SOuvert::ESorte Sorte, std::uint32_t Index);
        void Fermer (bool Incomplete, std::size_t MotFin, std::size_t LgMotFin);

        std::vector <SOuvert>       Pile;              // constructions ouvertes, de l'externe a l'interne
        std::vector <IdExpr>        PileEnfants;       // enfants des expressions en cours (CEnfants)
        std::vector <SOperateur>    PileOps;           // operateurs des Operations en cours
        std::vector <IdExpr>        ExprsEnAttente;    // expressions des instructions ouvertes
        std::vector <IdSuite>       SuitesEnAttente;   // suites fermees des instructions ouvertes
        std::vector <IdInstr>       InstrsEnAttente;   // instructions fermees des suites ouvertes
        std::vector <std::size_t>   Ouvertes;          // declarations dont la portee est ouverte
        std::vector <SBloc>         Blocs;             // suites ouvertes, pour les outils
        std::vector <SMot>          Instructions;      // instructions commencees, pour les outils
    };

    // Rempli par toute la traduction ; vide par Reinitialiser, rendu par Traduire.
    extern CConstructeur Construction;
}
