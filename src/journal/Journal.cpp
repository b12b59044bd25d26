#include "journal/Journal.h"

#include "util/CExcTramelo.h"

namespace nsTramelo
{
    CJournal Journal;

    void CJournal::Vider ()
    {
        // Les grands vecteurs sont rendus a la memoire : un appel ne doit pas peser sur le suivant.
        * this = CJournal ();
    }

    void CJournal::Declarer (const std::string & Nom, ENature Nature, unsigned Niveau)
    {
        SDeclaration D;
        D.Nom = Nom;
        D.Nature = Nature;
        D.Niveau = Niveau;
        D.Decalage = GetPosLecture () - Nom.size ();
        Ouvertes.push_back (Declarations.size ());
        Declarations.push_back (std::move (D));
    }

    void CJournal::Preciser (ENature Nature, unsigned Type, unsigned Mode)
    {
        SDeclaration & D = Declarations.back ();
        D.Nature = Nature;
        D.Type = Type;
        D.Mode = Mode;
    }

    void CJournal::FixerTypeUnite (unsigned Type)
    {
        Unites.back ().TypeRetour = Type;
        Declarations [Unites.back ().Declaration].Type = Type;
    }

    void CJournal::FermerPortees (unsigned Niveau)
    {
        while (! Ouvertes.empty () && Declarations [Ouvertes.back ()].Niveau == Niveau)
        {
            Declarations [Ouvertes.back ()].FinPortee = GetPosLecture ();
            Ouvertes.pop_back ();
        }
    }

    void CJournal::OuvrirUnite (ENature Nature)
    {
        SUnite U;
        U.Nature = Nature;
        U.Debut = GetPosLecture ();
        Unites.push_back (std::move (U));
    }

    void CJournal::NommerUnite (const std::string & Nom)
    {
        Unites.back ().Nom = Nom;
        Unites.back ().Declaration = Declarations.size ();
        // Niveau 0 : le nom d'une unite ne sort jamais de sa portee.
        Declarer (Nom, Unites.back ().Nature, 0);
    }

    void CJournal::FermerUnite ()
    {
        SUnite & U = Unites.back ();
        U.Fin = GetPosLecture ();
        U.DecalageFin = U.Fin - 3;   // on est juste apres le mot fin
        U.FinSansRenvoie = U.Nature == ENature::Fonction && ! SuiteTerminale;
    }

    void CJournal::OuvrirBloc (const std::string & FinAttendue)
    {
        Blocs.push_back ({ Instructions.empty () ? SMot {} : Instructions.back (),
                           FinAttendue == "fin_bloc_si" ? "fsi" : FinAttendue });
    }

    void CJournal::FermerBloc ()
    {
        Blocs.pop_back ();
    }

    void CJournal::DebuterInstruction (std::size_t Longueur)
    {
        Instructions.push_back ({ GetPosLecture () - Longueur, Longueur });
        InstructionTerminale = false;
    }

    void CJournal::FinirInstruction ()
    {
        Instructions.pop_back ();
    }

    void CJournal::NoterLitteralAPoint (std::size_t Debut, std::size_t Fin)
    {
        LitterauxAPoint [Debut] = Fin;
    }

    void CJournal::NoterDivisionEntiere (std::size_t Debut, std::size_t Operateur, std::size_t Fin)
    {
        if (LitterauxAPoint.empty ()) return;
        // Un meme texte peut etre lu par plusieurs essais : une division n'est notee qu'une fois.
        for (const SDivisionEntiere & D : DivisionsEntieres)
            if (D.Operateur == Operateur) return;
        // Le litteral de l'operande droit d'abord (x / 2.0), sinon celui du gauche (7.0 / n).
        auto It = LitterauxAPoint.lower_bound (Operateur);
        if (It == LitterauxAPoint.end () || It->first >= Fin)
        {
            It = LitterauxAPoint.lower_bound (Debut);
            if (It == LitterauxAPoint.end () || It->first >= Operateur) return;
        }
        DivisionsEntieres.push_back ({ Operateur, { It->first, It->second - It->first } });
    }
}
