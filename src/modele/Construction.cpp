#include "modele/Construction.h"

#include "util/CExcTramelo.h"

#include <algorithm>

namespace nsTramelo
{
    CConstructeur Construction;

    void CConstructeur::Vider ()
    {
        // Les grands vecteurs sont rendus a la memoire : un appel ne doit pas peser sur le suivant.
        * this = CConstructeur ();
    }

    SModele CConstructeur::Prendre ()
    {
        SModele R = std::move (M);
        Vider ();
        return R;
    }

    void CConstructeur::Reserver (std::size_t TailleTexte)
    {
        // Sur les sources du banc : une expression pour 9 octets, une instruction pour 40. Au-dela
        // de 32 Mo, les tableaux grandissent (la page web n'a pas d'espace a reserver en trop).
        TailleTexte = std::min <std::size_t> (TailleTexte, std::size_t (32) << 20);
        M.Exprs.reserve (TailleTexte / 4 + 64);
        M.Listes.reserve (TailleTexte / 4 + 64);
        M.Instrs.reserve (TailleTexte / 16 + 16);
        M.ListeInstrs.reserve (TailleTexte / 16 + 16);
    }

    IdExpr CConstructeur::Nouvelle (EExpr Genre, unsigned Type, std::size_t Debut, std::size_t Fin,
                                    std::uint32_t Ref, unsigned char Op, const CEnfants * E)
    {
        SExpr X;
        X.Genre = Genre;
        X.Op = Op;
        X.Type = static_cast <std::uint16_t> (Type);
        X.Plage = { static_cast <std::uint32_t> (Debut), static_cast <std::uint32_t> (Fin - Debut) };
        X.Ref = Ref;
        X.Enfants = static_cast <std::uint32_t> (M.Listes.size ());
        if (E)
        {
            M.Listes.insert (M.Listes.end (), PileEnfants.begin () + E->Marque, PileEnfants.end ());
            X.NbEnfants = static_cast <std::uint32_t> (PileEnfants.size () - E->Marque);
        }
        M.Exprs.push_back (X);
        return static_cast <IdExpr> (M.Exprs.size () - 1);
    }

    IdExpr CConstructeur::Nombre (double Valeur, unsigned Type, std::size_t Debut, std::size_t Fin)
    {
        M.Nombres.push_back (Valeur);
        return Nouvelle (EExpr::Nombre, Type, Debut, Fin, static_cast <std::uint32_t> (M.Nombres.size () - 1));
    }

    IdExpr CConstructeur::Operation (unsigned Type, std::size_t Debut, std::size_t Fin, const CEnfants & E)
    {
        const std::uint32_t Premier = static_cast <std::uint32_t> (M.Operateurs.size ());
        M.Operateurs.insert (M.Operateurs.end (), PileOps.begin () + E.MarqueOps, PileOps.end ());
        return Nouvelle (EExpr::Operation, Type, Debut, Fin, Premier, 0, & E);
    }

    void CConstructeur::Declarer (const std::string & Nom, ENature Nature, unsigned Niveau)
    {
        SDeclaration D;
        D.Nom = Nom;
        D.Nature = Nature;
        D.Niveau = Niveau;
        D.Decalage = GetPosLecture () - Nom.size ();
        if (! M.Unites.empty ()) D.Unite = static_cast <std::uint32_t> (M.Unites.size () - 1);
        Ouvertes.push_back (M.Declarations.size ());
        M.Declarations.push_back (std::move (D));
    }

    void CConstructeur::Preciser (ENature Nature, unsigned Type, unsigned Mode)
    {
        SDeclaration & D = M.Declarations.back ();
        D.Nature = Nature;
        D.Type = Type;
        D.Mode = Mode;
    }

    void CConstructeur::FermerPortees (unsigned Niveau)
    {
        while (! Ouvertes.empty () && M.Declarations [Ouvertes.back ()].Niveau == Niveau)
        {
            M.Declarations [Ouvertes.back ()].FinPortee = GetPosLecture ();
            Ouvertes.pop_back ();
        }
    }

    void CConstructeur::OuvrirUnite (ENature Nature)
    {
        SUnite U;
        U.Nature = Nature;
        U.Debut = GetPosLecture ();
        M.Unites.push_back (std::move (U));
        Ouvrir (SOuvert::Unite, static_cast <std::uint32_t> (M.Unites.size () - 1));
    }

    void CConstructeur::NommerUnite (const std::string & Nom)
    {
        M.Unites.back ().Nom = Nom;
        M.Unites.back ().Declaration = M.Declarations.size ();
        // Niveau 0 : le nom d'une unite ne sort jamais de sa portee.
        Declarer (Nom, M.Unites.back ().Nature, 0);
        M.Declarations.back ().Unite = static_cast <std::uint32_t> (M.Unites.size () - 1);
    }

    void CConstructeur::FixerTypeUnite (unsigned Type)
    {
        M.Unites.back ().TypeRetour = Type;
        M.Declarations [M.Unites.back ().Declaration].Type = Type;
    }

    void CConstructeur::FermerUnite ()
    {
        Fermer (false, 0, 0);
    }

    void CConstructeur::OuvrirBloc (const std::string & FinAttendue)
    {
        Blocs.push_back ({ Instructions.empty () ? SMot {} : Instructions.back (),
                           FinAttendue == "fin_bloc_si" ? "fsi" : FinAttendue });
    }

    void CConstructeur::OuvrirSuite ()
    {
        SSuite S;
        if (! Instructions.empty ())
            S.MotOuvrant = { static_cast <std::uint32_t> (Instructions.back ().Decalage),
                             static_cast <std::uint32_t> (Instructions.back ().Longueur) };
        Ouvrir (SOuvert::Suite, static_cast <std::uint32_t> (M.Suites.size ()));
        M.Suites.push_back (S);
    }

    void CConstructeur::FermerSuite (std::size_t LgMotFin)
    {
        Fermer (false, GetPosLecture () - LgMotFin, LgMotFin);
    }

    void CConstructeur::OuvrirInstr (std::size_t Debut, EInstr G)
    {
        SInstr I;
        I.Genre = G;
        I.Plage.Debut = static_cast <std::uint32_t> (Debut);
        // Les hauteurs sont prises avant l'instruction elle-meme : l'oublier l'enleve aussi.
        Ouvrir (SOuvert::Instr, static_cast <std::uint32_t> (M.Instrs.size ()));
        M.Instrs.push_back (I);
    }

    void CConstructeur::FermerInstr ()
    {
        Fermer (false, 0, 0);
    }

    void CConstructeur::DebuterInstruction (std::size_t Lg)
    {
        Instructions.push_back ({ GetPosLecture () - Lg, Lg });
    }

    void CConstructeur::Ouvrir (SOuvert::ESorte Sorte, std::uint32_t Index)
    {
        SOuvert O;
        O.Sorte = Sorte;
        O.Index = Index;
        O.DebutExprs = ExprsEnAttente.size ();
        O.DebutSuites = SuitesEnAttente.size ();
        O.DebutInstrs = InstrsEnAttente.size ();
        O.NbExprs = M.Exprs.size ();
        O.NbListes = M.Listes.size ();
        O.NbOps = M.Operateurs.size ();
        O.NbNombres = M.Nombres.size ();
        O.NbInstrs = M.Instrs.size ();
        O.NbSuites = M.Suites.size ();
        O.NbListeInstrs = M.ListeInstrs.size ();
        O.NbListeSuites = M.ListeSuites.size ();
        Pile.push_back (O);
    }

    void CConstructeur::Fermer (bool Incomplete, std::size_t MotFin, std::size_t LgMotFin)
    {
        const SOuvert O = Pile.back ();
        Pile.pop_back ();
        const std::size_t Ici = GetPosLecture ();
        switch (O.Sorte)
        {
            case SOuvert::Instr :
            {
                SInstr & I = M.Instrs [O.Index];
                I.Plage.Longueur = static_cast <std::uint32_t> (Ici > I.Plage.Debut ? Ici - I.Plage.Debut : 0);
                if (Incomplete) I.Drapeaux |= InstrIncomplete;
                if (! Garder)
                {
                    // Deja ecrite : elle et tout ce qu'elle contient sont oublies.
                    ExprsEnAttente.resize (O.DebutExprs);
                    SuitesEnAttente.resize (O.DebutSuites);
                    M.Exprs.resize (O.NbExprs);
                    M.Listes.resize (O.NbListes);
                    M.Operateurs.resize (O.NbOps);
                    M.Nombres.resize (O.NbNombres);
                    M.Instrs.resize (O.NbInstrs);
                    M.Suites.resize (O.NbSuites);
                    M.ListeInstrs.resize (O.NbListeInstrs);
                    M.ListeSuites.resize (O.NbListeSuites);
                    return;
                }
                I.Exprs = static_cast <std::uint32_t> (M.Listes.size ());
                I.NbExprs = static_cast <std::uint32_t> (ExprsEnAttente.size () - O.DebutExprs);
                M.Listes.insert (M.Listes.end (), ExprsEnAttente.begin () + O.DebutExprs, ExprsEnAttente.end ());
                ExprsEnAttente.resize (O.DebutExprs);
                I.Suites = static_cast <std::uint32_t> (M.ListeSuites.size ());
                I.NbSuites = static_cast <std::uint32_t> (SuitesEnAttente.size () - O.DebutSuites);
                M.ListeSuites.insert (M.ListeSuites.end (), SuitesEnAttente.begin () + O.DebutSuites, SuitesEnAttente.end ());
                SuitesEnAttente.resize (O.DebutSuites);
                InstrsEnAttente.push_back (O.Index);
                return;
            }
            case SOuvert::Suite :
            {
                SSuite & S = M.Suites [O.Index];
                S.Instrs = static_cast <std::uint32_t> (M.ListeInstrs.size ());
                S.NbInstrs = static_cast <std::uint32_t> (InstrsEnAttente.size () - O.DebutInstrs);
                M.ListeInstrs.insert (M.ListeInstrs.end (), InstrsEnAttente.begin () + O.DebutInstrs, InstrsEnAttente.end ());
                InstrsEnAttente.resize (O.DebutInstrs);
                if (! Incomplete) S.MotFin = { static_cast <std::uint32_t> (MotFin), static_cast <std::uint32_t> (LgMotFin) };
                SuitesEnAttente.push_back (O.Index);
                return;
            }
            case SOuvert::Unite :
            {
                SUnite & U = M.Unites [O.Index];
                if (SuitesEnAttente.size () > O.DebutSuites) U.Corps = SuitesEnAttente [O.DebutSuites];
                SuitesEnAttente.resize (O.DebutSuites);
                ExprsEnAttente.resize (O.DebutExprs);
                if (Incomplete) return;
                U.Fin = Ici;
                U.DecalageFin = U.Fin - 3;   // on est juste apres le mot fin
                U.Complete = true;
                return;
            }
        }
    }

    void CConstructeur::Clore ()
    {
        M.Blocs = Blocs;
        M.Instructions = Instructions;
        while (! Pile.empty ()) Fermer (true, 0, 0);
    }
}
