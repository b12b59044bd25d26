#include "symbols/Symboles.h"

#include "journal/Journal.h"
#include "symbols/Vocabulaire.h"
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

    unsigned NivBloc = 0;
    std::uint64_t GenerationSymboles = 0;

    namespace
    {
        constexpr unsigned NbSortes = 6;

        // Pour chaque nom, ses entrees (sorte, position) dans l'ordre ou elles ont ete faites :
        // la derniere d'une sorte est la plus recente. Un nom n'en a presque toujours qu'une.
        struct SPositions
        {
            std::vector <std::uint64_t> Entrees;

            static std::uint64_t Entree (unsigned Sorte, std::size_t Pos)
            {
                return (static_cast <std::uint64_t> (Sorte) << 32) | Pos;
            }
            // Position de la derniere entree de la sorte, ou Absent.
            std::size_t Derniere (unsigned Sorte, std::size_t Absent) const
            {
                for (auto It = Entrees.rbegin (); It != Entrees.rend (); ++It)
                    if ((* It >> 32) == Sorte) return static_cast <std::uint32_t> (* It);
                return Absent;
            }
            void RetirerDerniere (unsigned Sorte)
            {
                for (auto It = Entrees.end (); It != Entrees.begin (); )
                    if ((* --It >> 32) == Sorte)
                    {
                        Entrees.erase (It);
                        return;
                    }
            }
        };
        std::unordered_map <std::string, SPositions> Noms;

        // Petit cache des recherches recentes : les noms d'une unite reviennent sans cesse, et la
        // grande table (tous les noms de sous-programmes) coute un defaut de cache par recherche.
        // Les entrees de Noms ne sont jamais retirees (sauf Vider) : un pointeur reste valide ;
        // une absence ne vaut que tant qu'aucun nom n'a ete ajoute.
        struct SCache
        {
            std::string        Nom;
            const SPositions * Reponse = nullptr;
            std::uint64_t      Ajouts = 0;
            bool               Valide = false;
        };
        constexpr std::size_t TailleCache = 256;
        SCache Cache [TailleCache];
        std::uint64_t NbAjouts = 0;

        std::size_t Case (const std::string & Nom)
        {
            const std::size_t n = Nom.size ();
            return (n * 131 + static_cast <unsigned char> (Nom [0]) * 31
                    + static_cast <unsigned char> (Nom [n - 1])) % TailleCache;
        }

        const SPositions * Chercher (const std::string & Nom)
        {
            if (Nom.empty ())
            {
                const auto It = Noms.find (Nom);
                return It == Noms.end () ? nullptr : & It->second;
            }
            SCache & C = Cache [Case (Nom)];
            if (C.Valide && (C.Reponse != nullptr || C.Ajouts == NbAjouts) && C.Nom.size () == Nom.size ()
                && std::equal (Nom.begin (), Nom.end (), C.Nom.begin ()))
                return C.Reponse;
            const auto It = Noms.find (Nom);
            C.Nom = Nom;
            C.Reponse = It == Noms.end () ? nullptr : & It->second;
            C.Ajouts = NbAjouts;
            C.Valide = true;
            return C.Reponse;
        }

        void OublierCache ()
        {
            for (SCache & C : Cache) C.Valide = false;
        }

        // Un vecteur d'identificateurs et sa part de l'index des noms.
        class CIndex
        {
          public :
            CIndex (CVString_t & V, unsigned Sorte) : Vect (V), Sorte (Sorte) {}

            void Empiler (const std::string & Nom)
            {
                SPositions * P = const_cast <SPositions *> (Chercher (Nom));
                if (P == nullptr)
                {
                    P = & Noms [Nom];
                    ++NbAjouts;
                }
                P->Entrees.push_back (SPositions::Entree (Sorte, Vect.size ()));
                Vect.push_back (Nom);
                Places.push_back (P);
                ++GenerationSymboles;
            }
            // L'entree du nom reste dans l'index, vide : les memes noms reviennent d'une unite a
            // l'autre, et leur place sert encore sans nouvelle allocation.
            void Depiler ()
            {
                Places.back ()->RetirerDerniere (Sorte);
                Places.pop_back ();
                Vect.pop_back ();
                ++GenerationSymboles;
            }
            std::size_t Dernier (const std::string & Nom) const
            {
                const SPositions * P = Chercher (Nom);
                return P == nullptr ? Vect.size () : P->Derniere (Sorte, Vect.size ());
            }
            void Vider ()
            {
                Vect.clear ();
                Places.clear ();
                Noms.clear ();
                OublierCache ();
            }
            const CVString_t & Vecteur () const { return Vect; }

          private :
            CVString_t & Vect;
            std::vector <SPositions *> Places;   // entree de l'index de chaque element de Vect
            unsigned     Sorte;
        };

        CIndex IdxVar (VIdentVar, 0), IdxTab (VIdentTab, 1), IdxCst (VIdentCst, 2),
               IdxParam (VIdentParamFormel, 3), IdxProc (VIdentProc, 4), IdxFct (VIdentFct, 5);

        CIndex * const Index [] = { & IdxVar, & IdxTab, & IdxCst, & IdxParam, & IdxProc, & IdxFct };

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
        // Sentinelles : nom vide, type 0, niveau 0 ; elles arretent DepilerDecl.
        AjouterVar ("", 0, 0);
        IdxTab.Empiler (""); VTypesTab.push_back (0); VNivBlocTab.push_back (0);
        AjouterCst ("", 0, 0);
        AjouterParamFormel ("", 0, 0, 0);
        NivBloc = 0;
        ++GenerationSymboles;
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
                        VIdentParamFormel.size (), VIdentProc.size (), VIdentFct.size () };
        const SPositions * P = Chercher (Nom);
        if (P == nullptr) return R;
        std::size_t * const Champ [NbSortes] = { & R.Var, & R.Tab, & R.Cst, & R.Param, & R.Proc, & R.Fct };
        const std::size_t Absent [NbSortes] = { R.Var, R.Tab, R.Cst, R.Param, R.Proc, R.Fct };
        unsigned Trouves = 0;
        for (auto It = P->Entrees.rbegin (); It != P->Entrees.rend () && Trouves < NbSortes; ++It)
        {
            const unsigned Sorte = static_cast <unsigned> (* It >> 32);
            if (* Champ [Sorte] == Absent [Sorte])
            {
                * Champ [Sorte] = static_cast <std::uint32_t> (* It);
                ++Trouves;
            }
        }
        return R;
    }

    unsigned GetTypeIdent (const std::string & Nom, const SResolution & R)
    {
        if (R.IsCst ()) return VTypesCst [R.Cst];
        if (R.IsVar ()) return VTypesVar [R.Var];
        if (R.IsTab ()) return TypeTab (R.Tab);
        if (R.IsParam ()) return VTypesParamFormel [R.Param];
        if (R.IsFct ()) return VTypesFct [R.Fct];
        const std::size_t Pos = PosFonction (Nom);
        return Pos != NbFonctions ? TypesFonctions [Pos] : 0;
    }

    unsigned GetTypeIdent (const std::string & Nom) { return GetTypeIdent (Nom, Resoudre (Nom)); }

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
        Journal.FermerPortees (Niveau);
        while (VNivBlocVar.back () == Niveau)
        {
            IdxVar.Depiler (); VNivBlocVar.pop_back (); VTypesVar.pop_back (); VBoucleVar.pop_back ();
        }
        while (VNivBlocCst.back () == Niveau)
        {
            IdxCst.Depiler (); VNivBlocCst.pop_back (); VTypesCst.pop_back ();
        }
        while (VNivBlocTab.back () == Niveau)
        {
            IdxTab.Depiler (); VNivBlocTab.pop_back (); VTypesTab.pop_back ();
        }
        while (VNivBlocParamFormel.back () == Niveau)
        {
            VInOutParamFormel.pop_back (); IdxParam.Depiler ();
            VNivBlocParamFormel.pop_back (); VTypesParamFormel.pop_back ();
        }
    }

    void AjouterVar (const std::string & Nom, unsigned Type, unsigned Niveau, bool Boucle)
    {
        IdxVar.Empiler (Nom); VTypesVar.push_back (Type); VNivBlocVar.push_back (Niveau);
        VBoucleVar.push_back (Boucle);
    }

    void AjouterCst (const std::string & Nom, unsigned Type, unsigned Niveau)
    {
        IdxCst.Empiler (Nom); VTypesCst.push_back (Type); VNivBlocCst.push_back (Niveau);
    }

    void AjouterTab (const std::string & Nom, unsigned Niveau)
    {
        IdxTab.Empiler (Nom); VNivBlocTab.push_back (Niveau);
    }

    void FixerTypeTab (unsigned Type)
    {
        VTypesTab.push_back (Type);
        ++GenerationSymboles;
    }

    void AjouterParamFormel (const std::string & Nom, unsigned Mode, unsigned Type, unsigned Niveau)
    {
        IdxParam.Empiler (Nom); VInOutParamFormel.push_back (Mode);
        VTypesParamFormel.push_back (Type); VNivBlocParamFormel.push_back (Niveau);
    }

    void AjouterProc (const std::string & Nom) { IdxProc.Empiler (Nom); }

    void AjouterParamsProc (const CVParamFormel & Params)
    {
        VVParamFormelsProc.push_back (Params);
        ++GenerationSymboles;
    }

    void AjouterParamsFct (const CVParamFormel & Params)
    {
        VVParamFormelsFct.push_back (Params);
        ++GenerationSymboles;
    }

    void AjouterFct (const std::string & Nom, unsigned Type)
    {
        IdxFct.Empiler (Nom);
        VTypesFct.push_back (Type);
    }
}
