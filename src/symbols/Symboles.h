// Tables des noms declares, par sorte, avec leur type et leur niveau de bloc.
// Chaque vecteur d'identificateurs est double d'un index nom -> positions, tenu en phase.
#pragma once

#include "units/CParamFormel.h"
#include "util/Messages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nsTramelo
{
    typedef std::vector <std::string>  CVString_t;
    typedef std::vector <std::uint32_t> CVUInt_t;
    typedef std::vector <CParamFormel> CVParamFormel;

    // Variables : ajoutees par AjouterVar (declarer, pour), retirees par DepilerDecl et ReinitialiserSymboles.
    extern CVString_t VIdentVar;  extern CVUInt_t VTypesVar;  extern CVUInt_t VNivBlocVar;
    extern std::vector <bool> VBoucleVar;   // vrai pour la variable de controle d'un pour
    // Tableaux : AjouterTab puis FixerTypeTab (declarer), retires par DepilerDecl et ReinitialiserSymboles.
    extern CVString_t VIdentTab;  extern CVUInt_t VTypesTab;  extern CVUInt_t VNivBlocTab;
    // Constantes : AjouterCst (vrai et faux, declarer), retirees par DepilerDecl et ReinitialiserSymboles.
    extern CVString_t VIdentCst;  extern CVUInt_t VTypesCst;  extern CVUInt_t VNivBlocCst;
    // Parametres formels : AjouterParamFormel (en-tete d'unite), retires par DepilerDecl et ReinitialiserSymboles.
    extern CVString_t VIdentParamFormel;  extern CVUInt_t VTypesParamFormel;
    extern CVUInt_t VInOutParamFormel;    extern CVUInt_t VNivBlocParamFormel;
    // Procedures et fonctions : AjouterProc, AjouterParamsProc, AjouterFct, AjouterParamsFct (en-tete
    // d'unite) ; vides seulement par ReinitialiserSymboles.
    extern CVString_t VIdentProc;  extern std::vector <CVParamFormel> VVParamFormelsProc;
    extern CVString_t VIdentFct;   extern CVUInt_t VTypesFct;
    extern std::vector <CVParamFormel> VVParamFormelsFct;

    // Declaration du modele de chaque entree (Aucun pour les sentinelles, vrai et faux) : en phase
    // avec le vecteur d'identificateurs de sa table.
    extern CVUInt_t VDeclVar, VDeclTab, VDeclCst, VDeclParamFormel, VDeclProc, VDeclFct;

    // Niveau de bloc courant : monte par chaque unite et chaque suite d'instructions, descendu a
    // leur fin, remis a 0 par ReinitialiserSymboles.
    extern unsigned NivBloc;
    // Generation des tables : montee par chaque changement (TablesChangees), jamais descendue, meme
    // par ReinitialiserSymboles : ce qui a ete retenu avant ne peut pas repasser pour valable.
    extern std::uint64_t GenerationSymboles;

    std::size_t FindRev (const CVString_t & V, const std::string & Nom);
    unsigned GetTypeIdent (const std::string & Nom);

    // Ce que FindRev donnerait pour un nom dans chaque table, en une seule recherche, et sa
    // position dans Fonctions (NbFonctions si ce n'est pas une fonction standard).
    struct SResolution
    {
        std::size_t Var, Tab, Cst, Param, Proc, Fct, Std;

        bool IsVar () const { return Var != VIdentVar.size (); }
        bool IsTab () const { return Tab != VIdentTab.size (); }
        bool IsCst () const { return Cst != VIdentCst.size (); }
        bool IsParam () const { return Param != VIdentParamFormel.size (); }
        bool IsProc () const { return Proc != VIdentProc.size (); }
        bool IsFct () const { return Fct != VIdentFct.size (); }
        bool IsStd () const;
    };
    SResolution Resoudre (const std::string & Nom);

    // Les facteurs qui lisent un nom, et ce qu'ils lisent apres lui.
    enum class EForme : unsigned char { Numerique, Booleen, String, Caractere };
    enum class ESuite : unsigned char { Rien, Indice, Appel, AppelStandard };

    // Ce qu'un facteur de la forme donnee fait d'un nom : le refuser aussitot (Refus), ou lire sa
    // Suite ; Type est le type de la valeur (l'element d'un nom indexe), Fct la fonction appelee.
    // Les lecteurs de facteurs et les predictions n'ont que cette regle.
    struct SNom
    {
        std::optional <nsUtil::EMsg> Refus;
        ESuite      Suite = ESuite::Rien;
        unsigned    Type = 0;
        std::size_t Fct = 0;
        std::uint32_t Decl = 0xFFFFFFFFu;   // la declaration du modele qui a donne le type
    };
    SNom Classer (const SResolution & R, EForme Forme);
    // Ce qu'une affectation ou un parametre out peut modifier : variable, tableau ou parametre
    // formel, dans cet ordre ; rend son type, ou 0 si le nom n'en est pas un.
    unsigned TypeModifiable (const SResolution & R);
    // La declaration qui donne son type a un nom (celle de GetTypeIdent), ou Aucun.
    std::uint32_t DeclIdent (const SResolution & R);
    inline SNom Classer (const std::string & Nom, EForme Forme) { return Classer (Resoudre (Nom), Forme); }

    bool IsIdentVar (const std::string & Nom);
    bool IsIdentTab (const std::string & Nom);
    bool IsIdentCst (const std::string & Nom);
    bool IsIdentParamFormel (const std::string & Nom);
    bool IsIdentProc (const std::string & Nom);
    bool IsIdentFct (const std::string & Nom);
    bool IsIdentSsProgr (const std::string & Nom);
    void DepilerDecl (unsigned Niveau);

    // Decl : la declaration du modele de l'entree (Aucun pour vrai et faux).
    void AjouterVar (const std::string & Nom, unsigned Type, unsigned Niveau, std::uint32_t Decl, bool Boucle = false);
    void AjouterCst (const std::string & Nom, unsigned Type, unsigned Niveau, std::uint32_t Decl);
    // Le type d'un tableau n'est connu qu'apres sa denotation : AjouterTab puis FixerTypeTab.
    void AjouterTab (const std::string & Nom, unsigned Niveau, std::uint32_t Decl);
    void FixerTypeTab (unsigned Type);
    void AjouterParamFormel (const std::string & Nom, unsigned Mode, unsigned Type, unsigned Niveau, std::uint32_t Decl);
    void AjouterProc (const std::string & Nom, std::uint32_t Decl);
    void AjouterParamsProc (const CVParamFormel & Params);
    void AjouterParamsFct (const CVParamFormel & Params);
    void AjouterFct (const std::string & Nom, unsigned Type, std::uint32_t Decl);

    // Type d'un tableau a la position trouvee ; un tableau dont la denotation est en cours de
    // lecture n'a pas encore de type : son nom ne peut pas servir de valeur (135).
    unsigned TypeTab (std::size_t Pos);
    // Parametres d'une procedure ; l'algorithme lui-meme n'en a pas.
    const CVParamFormel & ParamsProc (std::size_t Pos);

    // Remet les tables dans leur etat de demarrage (sentinelles seules).
    void ReinitialiserSymboles ();
}
