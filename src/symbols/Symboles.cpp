#include "symbols/Symboles.h"

#include "modele/Construction.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

#include <algorithm>
#include <unordered_map>

using nsUtil::EMsg;

namespace nsTramelo
{
    CVString_t VIdentVar;  CVUInt_t VTypesVar;  CVUInt_t VNivBlocVar;
    std::vector <bool> VBoucleVar;
    CVString_t VIdentTab;  CVUInt_t VTypesTab;  CVUInt_t VNivBlocTab;
    CVString_t VIdentCst;  CVUInt_t VTypesCst;  CVUInt_t VNivBlocCst;
    CVString_t VIdentParamFormel;  CVUInt_t VTypesParamFormel;
    CVUInt_t VInOutParamFormel;    CVUInt_t VNivBlocParamFormel;
    CVString_t VIdentProc;  std::vector <CVParamFormel> VVParamFormelsProc;
    CVString_t VIdentFct;   CVUInt_t VTypesFct;
    std::vector <CVParamFormel> VVParamFormelsFct;
    CVUInt_t VDeclVar, VDeclTab, VDeclCst, VDeclParamFormel, VDeclProc, VDeclFct;

    unsigned NivBloc = 0;
    std::uint64_t GenerationSymboles = 0;

    namespace
    {
        // La seule regle d'invalidation : tout ce qui change les tables l'appelle.
        void TablesChangees () { ++GenerationSymboles; }

        // Les tables indexees, dans l'ordre des champs de SResolution.
        enum ETable : unsigned { TableVar, TableTab, TableCst, TableParam, TableProc, TableFct, NbTables };

        // Pour chaque nom, ses entrees (table, position) dans l'ordre ou elles ont ete faites :
        // la derniere d'une table est la plus recente. Un nom n'en a presque toujours qu'une.
        struct SPositions
        {
            // Une entree : la table dans les bits hauts, la position dans les BitsPosition bas.
            static constexpr unsigned BitsPosition = 32;
            std::vector <std::uint64_t> Entrees;

            static std::uint64_t Entree (ETable Table, std::size_t Pos)
            {
                return (static_cast <std::uint64_t> (Table) << BitsPosition) | Pos;
            }
            static ETable TableDe (std::uint64_t E) { return static_cast <ETable> (E >> BitsPosition); }
            static std::size_t PositionDe (std::uint64_t E) { return static_cast <std::uint32_t> (E); }
            // Position de la derniere entree de la table, ou Absent.
            std::size_t Derniere (ETable Table, std::size_t Absent) const
            {
                for (auto It = Entrees.rbegin (); It != Entrees.rend (); ++It)
                    if (TableDe (* It) == Table) return PositionDe (* It);
                return Absent;
            }
            void RetirerDerniere (ETable Table)
            {
                for (auto It = Entrees.end (); It != Entrees.begin (); )
                    if (TableDe (* --It) == Table)
                    {
                        Entrees.erase (It);
                        return;
                    }
            }
        };
        // Index des noms : une entree ajoutee par CIndex::Empiler, jamais retiree sauf par
        // ReinitialiserSymboles (CIndex::Vider).
        std::unordered_map <std::string, SPositions> Noms;

        const SPositions * Chercher (const std::string & Nom)
        {
            const auto It = Noms.find (Nom);
            return It == Noms.end () ? nullptr : & It->second;
        }

        // Un vecteur d'identificateurs et sa part de l'index des noms.
        class CIndex
        {
          public :
            CIndex (CVString_t & V, ETable Table) : Vect (V), Table (Table) {}

            void Empiler (const std::string & Nom)
            {
                SPositions * P = const_cast <SPositions *> (Chercher (Nom));
                if (P == nullptr) P = & Noms [Nom];
                P->Entrees.push_back (SPositions::Entree (Table, Vect.size ()));
                Vect.push_back (Nom);
                Places.push_back (P);
                TablesChangees ();
            }
            // L'entree du nom reste dans l'index, vide : les memes noms reviennent d'une unite a
            // l'autre, et leur place sert encore sans nouvelle allocation.
            void Depiler ()
            {
                Places.back ()->RetirerDerniere (Table);
                Places.pop_back ();
                Vect.pop_back ();
                TablesChangees ();
            }
            std::size_t Dernier (const std::string & Nom) const
            {
                const SPositions * P = Chercher (Nom);
                return P == nullptr ? Vect.size () : P->Derniere (Table, Vect.size ());
            }
            void Vider ()
            {
                Vect.clear ();
                Places.clear ();
                Noms.clear ();
            }
            const CVString_t & Vecteur () const { return Vect; }

          private :
            CVString_t & Vect;
            std::vector <SPositions *> Places;   // entree de l'index de chaque element de Vect
            ETable       Table;
        };

        // Un index par table : il suit son vecteur V... (Empiler, Depiler, Vider).
        CIndex IdxVar (VIdentVar, TableVar), IdxTab (VIdentTab, TableTab), IdxCst (VIdentCst, TableCst),
               IdxParam (VIdentParamFormel, TableParam), IdxProc (VIdentProc, TableProc),
               IdxFct (VIdentFct, TableFct);

        CIndex * const Index [] = { & IdxVar, & IdxTab, & IdxCst, & IdxParam, & IdxProc, & IdxFct };

        // Les tables sont a leur etat de demarrage (sentinelles) des le chargement du programme.
        struct CInit
        {
            CInit () { ReinitialiserSymboles (); }
        } Init;
    }

    void ReinitialiserSymboles ()
    {
        for (CIndex * I : Index) I->Vider ();
        VTypesVar.clear (); VNivBlocVar.clear (); VBoucleVar.clear ();
        VTypesTab.clear (); VNivBlocTab.clear ();
        VTypesCst.clear (); VNivBlocCst.clear ();
        VTypesParamFormel.clear (); VInOutParamFormel.clear (); VNivBlocParamFormel.clear ();
        VVParamFormelsProc.clear (); VTypesFct.clear (); VVParamFormelsFct.clear ();
        for (CVUInt_t * V : { & VDeclVar, & VDeclTab, & VDeclCst, & VDeclParamFormel, & VDeclProc, & VDeclFct })
            V->clear ();
        // Sentinelles : nom vide, type 0, niveau 0 ; elles arretent DepilerDecl.
        AjouterVar ("", 0, 0, Aucun);
        IdxTab.Empiler (""); VTypesTab.push_back (0); VNivBlocTab.push_back (0); VDeclTab.push_back (Aucun);
        AjouterCst ("", 0, 0, Aucun);
        AjouterParamFormel ("", ModeIn, 0, 0, Aucun);
        NivBloc = 0;
        TablesChangees ();
    }

    std::size_t FindRev (const CVString_t & V, const std::string & Nom)
    {
        for (const CIndex * I : Index)
            if (& I->Vecteur () == & V) return I->Dernier (Nom);
        for (std::size_t i = V.size (); i-- > 0; )
            if (V [i] == Nom) return i;
        return V.size ();
    }

    unsigned TypeTab (std::size_t Pos)
    {
        if (Pos >= VTypesTab.size ()) throw CExcTramelo (EMsg::ExprNumerique);
        return VTypesTab [Pos];
    }

    const CVParamFormel & ParamsProc (std::size_t Pos)
    {
        static const CVParamFormel Aucun;
        return Pos < VVParamFormelsProc.size () ? VVParamFormelsProc [Pos] : Aucun;
    }

    SResolution Resoudre (const std::string & Nom)
    {
        SResolution R { VIdentVar.size (), VIdentTab.size (), VIdentCst.size (),
                        VIdentParamFormel.size (), VIdentProc.size (), VIdentFct.size (), PosFonction (Nom) };
        const SPositions * P = Chercher (Nom);
        if (P == nullptr) return R;
        std::size_t * const Champ [NbTables] = { & R.Var, & R.Tab, & R.Cst, & R.Param, & R.Proc, & R.Fct };
        const std::size_t Absent [NbTables] = { R.Var, R.Tab, R.Cst, R.Param, R.Proc, R.Fct };
        unsigned Trouves = 0;
        for (auto It = P->Entrees.rbegin (); It != P->Entrees.rend () && Trouves < NbTables; ++It)
        {
            const ETable Table = SPositions::TableDe (* It);
            if (* Champ [Table] == Absent [Table])
            {
                * Champ [Table] = SPositions::PositionDe (* It);
                ++Trouves;
            }
        }
        return R;
    }

    bool SResolution::IsStd () const { return Std != NbFonctions; }

    namespace
    {
        // La declaration qui donne son type a l'objet nomme (variable, constante, tableau,
        // parametre, fonction), dans l'ordre de Classer : variable avant constante.
        std::uint32_t DeclObjet (const SResolution & R)
        {
            if (R.IsVar ()) return VDeclVar [R.Var];
            if (R.IsCst ()) return VDeclCst [R.Cst];
            if (R.IsTab ()) return VDeclTab [R.Tab];
            if (R.IsParam ()) return VDeclParamFormel [R.Param];
            if (R.IsFct ()) return VDeclFct [R.Fct];
            return Aucun;
        }

        // Le type de GetTypeIdent : faux pour un tableau dont la denotation est en cours de lecture.
        bool TypeIdent (const SResolution & R, unsigned & Type)
        {
            Type = TAucun;
            if (R.IsCst ()) Type = VTypesCst [R.Cst];
            else if (R.IsVar ()) Type = VTypesVar [R.Var];
            else if (R.IsTab ())
            {
                if (R.Tab >= VTypesTab.size ()) return false;
                Type = VTypesTab [R.Tab];
            }
            else if (R.IsParam ()) Type = VTypesParamFormel [R.Param];
            else if (R.IsFct ()) Type = VTypesFct [R.Fct];
            else if (R.IsStd ()) Type = TypesFonctions [R.Std];
            return true;
        }
    }

    std::uint32_t DeclIdent (const SResolution & R)
    {
        if (R.IsCst ()) return VDeclCst [R.Cst];
        return DeclObjet (R);
    }

    unsigned GetTypeIdent (const std::string & Nom)
    {
        unsigned Type;
        if (! TypeIdent (Resoudre (Nom), Type)) throw CExcTramelo (EMsg::ExprNumerique);
        return Type;
    }

    // La premiere sorte trouvee l'emporte :
    //   numerique : fonction standard, puis l'objet (variable, constante, tableau, parametre,
    //               fonction du programme, dans cet ordre) ;
    //   booleen   : l'objet ;
    //   string    : l'objet, mais une variable ou constante a le type de GetTypeIdent (constante
    //               d'abord) ;
    //   caractere : fonction standard, fonction du programme, puis le type de GetTypeIdent.
    // Un nom est indexe si son type est un tableau, ou, pour un caractere, une chaine.
    SNom Classer (const SResolution & R, EForme Forme)
    {
        SNom N;
        bool Connu = true;
        if (Forme == EForme::Caractere)
        {
            Connu = TypeIdent (R, N.Type);
            N.Decl = DeclIdent (R);
            if (R.IsStd ()) N.Suite = ESuite::AppelStandard;
            else if (R.IsFct ()) N.Suite = ESuite::Appel;
            else if (N.Type == TString) N.Suite = ESuite::Indice;
        }
        else if (Forme == EForme::Numerique && R.IsStd ())
        {
            N.Suite = ESuite::AppelStandard;
            N.Type = TypesFonctions [R.Std];
        }
        else if (R.IsVar () || R.IsCst ())
        {
            if (Forme == EForme::String)
            {
                TypeIdent (R, N.Type);
                N.Decl = DeclIdent (R);
            }
            else
            {
                N.Type = R.IsVar () ? VTypesVar [R.Var] : VTypesCst [R.Cst];
                N.Decl = DeclObjet (R);
            }
        }
        else if (R.IsTab ())
        {
            Connu = R.Tab < VTypesTab.size ();
            if (Connu) N.Type = VTypesTab [R.Tab];
            N.Decl = VDeclTab [R.Tab];
        }
        else if (R.IsParam ())
        {
            N.Type = VTypesParamFormel [R.Param];
            N.Decl = VDeclParamFormel [R.Param];
        }
        else if (R.IsFct ())
        {
            N.Suite = ESuite::Appel;
            N.Type = VTypesFct [R.Fct];
            N.Decl = VDeclFct [R.Fct];
        }
        else
        {
            N.Refus = Forme == EForme::Numerique ? EMsg::ExprNumerique
                    : Forme == EForme::Booleen ? EMsg::ExprBooleenne : EMsg::ExprString;
            return N;
        }
        N.Fct = R.Fct;
        if (N.Suite == ESuite::Rien && IsTypeTableau (N.Type)) N.Suite = ESuite::Indice;
        if (N.Suite == ESuite::Indice) N.Type = GetTypeElem (N.Type);
        const bool Accepte = Forme == EForme::Numerique ? IsTypeNumerique (N.Type)
                           : N.Type == (Forme == EForme::Booleen ? TBooleen
                                        : Forme == EForme::String ? TString : TCaractere);
        if (! Connu) N.Refus = EMsg::ExprNumerique;
        else if (! Accepte) N.Refus = Forme == EForme::Caractere ? EMsg::ExprCaractere : EMsg::TypeInvalide;
        return N;
    }

    unsigned TypeModifiable (const SResolution & R)
    {
        if (R.IsVar ()) return VTypesVar [R.Var];
        if (R.IsTab ()) return TypeTab (R.Tab);
        if (R.IsParam ()) return VTypesParamFormel [R.Param];
        return 0;
    }

    bool IsIdentVar (const std::string & Nom) { return IdxVar.Dernier (Nom) != VIdentVar.size (); }
    bool IsIdentTab (const std::string & Nom) { return IdxTab.Dernier (Nom) != VIdentTab.size (); }
    bool IsIdentCst (const std::string & Nom) { return IdxCst.Dernier (Nom) != VIdentCst.size (); }
    bool IsIdentParamFormel (const std::string & Nom)
    {
        return IdxParam.Dernier (Nom) != VIdentParamFormel.size ();
    }
    bool IsIdentProc (const std::string & Nom) { return IdxProc.Dernier (Nom) != VIdentProc.size (); }
    bool IsIdentFct (const std::string & Nom) { return IdxFct.Dernier (Nom) != VIdentFct.size (); }
    bool IsIdentSsProgr (const std::string & Nom) { return IsIdentFct (Nom) || IsIdentProc (Nom); }

    void DepilerDecl (unsigned Niveau)
    {
        Construction.FermerPortees (Niveau);
        while (VNivBlocVar.back () == Niveau)
        {
            IdxVar.Depiler (); VNivBlocVar.pop_back (); VTypesVar.pop_back (); VBoucleVar.pop_back ();
            VDeclVar.pop_back ();
        }
        while (VNivBlocCst.back () == Niveau)
        {
            IdxCst.Depiler (); VNivBlocCst.pop_back (); VTypesCst.pop_back (); VDeclCst.pop_back ();
        }
        while (VNivBlocTab.back () == Niveau)
        {
            IdxTab.Depiler (); VNivBlocTab.pop_back (); VTypesTab.pop_back (); VDeclTab.pop_back ();
        }
        while (VNivBlocParamFormel.back () == Niveau)
        {
            VInOutParamFormel.pop_back (); IdxParam.Depiler ();
            VNivBlocParamFormel.pop_back (); VTypesParamFormel.pop_back (); VDeclParamFormel.pop_back ();
        }
    }

    void AjouterVar (const std::string & Nom, unsigned Type, unsigned Niveau, std::uint32_t Decl, bool Boucle)
    {
        IdxVar.Empiler (Nom); VTypesVar.push_back (Type); VNivBlocVar.push_back (Niveau);
        VBoucleVar.push_back (Boucle); VDeclVar.push_back (Decl);
    }

    void AjouterCst (const std::string & Nom, unsigned Type, unsigned Niveau, std::uint32_t Decl)
    {
        IdxCst.Empiler (Nom); VTypesCst.push_back (Type); VNivBlocCst.push_back (Niveau); VDeclCst.push_back (Decl);
    }

    void AjouterTab (const std::string & Nom, unsigned Niveau, std::uint32_t Decl)
    {
        IdxTab.Empiler (Nom); VNivBlocTab.push_back (Niveau); VDeclTab.push_back (Decl);
    }

    void FixerTypeTab (unsigned Type)
    {
        VTypesTab.push_back (Type);
        TablesChangees ();
    }

    void AjouterParamFormel (const std::string & Nom, unsigned Mode, unsigned Type, unsigned Niveau, std::uint32_t Decl)
    {
        IdxParam.Empiler (Nom); VInOutParamFormel.push_back (Mode);
        VTypesParamFormel.push_back (Type); VNivBlocParamFormel.push_back (Niveau); VDeclParamFormel.push_back (Decl);
    }

    void AjouterProc (const std::string & Nom, std::uint32_t Decl) { IdxProc.Empiler (Nom); VDeclProc.push_back (Decl); }

    void AjouterParamsProc (const CVParamFormel & Params)
    {
        VVParamFormelsProc.push_back (Params);
        TablesChangees ();
    }

    void AjouterParamsFct (const CVParamFormel & Params)
    {
        VVParamFormelsFct.push_back (Params);
        TablesChangees ();
    }

    void AjouterFct (const std::string & Nom, unsigned Type, std::uint32_t Decl)
    {
        IdxFct.Empiler (Nom);
        VTypesFct.push_back (Type);
        VDeclFct.push_back (Decl);
    }
}
