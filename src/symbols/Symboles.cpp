#include "symbols/Symboles.h"

#include "symbols/Vocabulaire.h"
#include "util/CExcTramelo.h"

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

        // Pour chaque nom, ses positions croissantes dans chacun des six vecteurs d'identificateurs.
        struct SPositions
        {
            std::vector <std::uint32_t> Pos [NbSortes];
        };
        std::unordered_map <std::string, SPositions> Noms;

        // Un meme nom est cherche plusieurs fois de suite (une fois par sorte) : on garde la derniere reponse.
        std::string        DernierNom;
        const SPositions * DerniereReponse = nullptr;
        bool               DerniereValide = false;

        const SPositions * Chercher (const std::string & Nom)
        {
            if (DerniereValide && Nom == DernierNom) return DerniereReponse;
            const auto It = Noms.find (Nom);
            DernierNom = Nom;
            DerniereReponse = It == Noms.end () ? nullptr : & It->second;
            DerniereValide = true;
            return DerniereReponse;
        }

        // Un vecteur d'identificateurs et sa part de l'index des noms.
        class CIndex
        {
          public :
            CIndex (CVString_t & V, unsigned Sorte) : Vect (V), Sorte (Sorte) {}

            void Empiler (const std::string & Nom)
            {
                Noms [Nom].Pos [Sorte].push_back (static_cast <std::uint32_t> (Vect.size ()));
                Vect.push_back (Nom);
                DerniereValide = false;
                ++GenerationSymboles;
            }
            void Depiler ()
            {
                const auto It = Noms.find (Vect.back ());
                It->second.Pos [Sorte].pop_back ();
                bool Vide = true;
                for (const auto & P : It->second.Pos) Vide = Vide && P.empty ();
                if (Vide) Noms.erase (It);
                Vect.pop_back ();
                DerniereValide = false;
                ++GenerationSymboles;
            }
            std::size_t Dernier (const std::string & Nom) const
            {
                const SPositions * P = Chercher (Nom);
                return P == nullptr || P->Pos [Sorte].empty () ? Vect.size () : P->Pos [Sorte].back ();
            }
            void Vider ()
            {
                Vect.clear ();
                Noms.clear ();
                DerniereValide = false;
            }
            const CVString_t & Vecteur () const { return Vect; }

          private :
            CVString_t & Vect;
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

    CVParamFormel ParamsProc (std::size_t Pos)
    {
        return Pos < VVParamFormelsProc.size () ? VVParamFormelsProc [Pos] : CVParamFormel ();
    }

    unsigned GetTypeIdent (const std::string & Nom)
    {
        std::size_t Pos;
        if ((Pos = IdxCst.Dernier (Nom)) != VIdentCst.size ()) return VTypesCst [Pos];
        if ((Pos = IdxVar.Dernier (Nom)) != VIdentVar.size ()) return VTypesVar [Pos];
        if ((Pos = IdxTab.Dernier (Nom)) != VIdentTab.size ()) return TypeTab (Pos);
        if ((Pos = IdxParam.Dernier (Nom)) != VIdentParamFormel.size ()) return VTypesParamFormel [Pos];
        if ((Pos = IdxFct.Dernier (Nom)) != VIdentFct.size ()) return VTypesFct [Pos];
        if ((Pos = PosFonction (Nom)) != NbFonctions) return TypesFonctions [Pos];
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
