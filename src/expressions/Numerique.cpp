#include "expressions/Numerique.h"

#include "controles/Controles.h"
#include "expressions/Expression.h"
#include "journal/Journal.h"
#include "scanner/Litteraux.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        unsigned Combiner (unsigned T1, unsigned T2)
        {
            if (T1 == TReel || T2 == TReel) return TReel;
            if (T1 == TEntier || T2 == TEntier) return TEntier;
            return TEntierNaturel;
        }

        // Suite d'operandes lus par Lire et joints par les deux operateurs donnes.
        template <class FLire>
        std::string & LireSuite (std::string & s, unsigned & Type, char Op1, char Op2, FLire Lire)
        {
            const std::size_t Debut = GetPosLecture ();
            Lire (s, Type);
            std::string Operande;
            for (char c; (c = SkipSpaces ()) == Op1 || c == Op2; )
            {
                const std::size_t Operateur = GetPosLecture ();
                LireCarNonBlanc ();
                unsigned TypeOperande;
                Lire (Operande, TypeOperande);
                if (ProfilVerifie) s = Operation (c, s, Type, Operande, TypeOperande, Operateur);
                else
                {
                    s += ' ';
                    s += c;
                    s += ' ';
                    s += Operande;
                }
                Type = Combiner (Type, TypeOperande);
                // Pour les outils : 7 / 2.0 reste une division entiere, ce qu'on ne devine pas.
                if (c == '/' && Type != TReel) Journal.NoterDivisionEntiere (Debut, Operateur, GetPosLecture ());
            }
            return s;
        }
    }

    // somme ::= terme { (+ | -) terme }
    std::string & ExtraireExprNumerique (std::string & s, unsigned & Type)
    {
        return Memoriser (ELecteur::Numerique, s, Type, [] (std::string & s, unsigned & Type) -> std::string &
        {
            return LireSuite (s, Type, '+', '-', ExtraireTermeNumerique);
        });
    }

    // produit ::= facteur { (* | /) facteur }
    std::string & ExtraireTermeNumerique (std::string & s, unsigned & Type)
    {
        return LireSuite (s, Type, '*', '/', ExtraireFacteurNumerique);
    }

    // facteur ::= ( somme ) | - facteur | nombre | fonction_standard ( ... ) | variable | constante
    //           | tableau indice | parametre [indice] | fonction [parametres_effectifs]
    std::string & ExtraireFacteurNumerique (std::string & s, unsigned & Type)
    {
        char c;
        TestFinInopineeCode (c);
        s.clear ();
        if (c == '(') return s = LireParenthese ([&] (std::string & Somme) { ExtraireExprNumerique (Somme, Type); });
        if (c == '-')
        {
            CImbrication Niveau;
            const std::size_t Signe = GetPosLecture ();
            LireCarNonBlanc ();
            std::string Facteur;
            unsigned TypeFacteur;
            ExtraireFacteurNumerique (Facteur, TypeFacteur);
            // Deux signes colles feraient l'operateur -- en C++.
            if (ProfilVerifie) s = Oppose (Facteur, TypeFacteur, Signe);
            else s = (Facteur [0] == '-' ? "- " : "-") + Facteur;
            Type = TypeFacteur == TEntierNaturel ? TEntier : TypeFacteur;
            return s;
        }
        if (IsChiffre (c)) return ExtraireLitteralNombre (s, Type);
        if (! IsLettre (c)) throw CExcTramelo (EMsg::ExprNumerique);
        std::string Nom;
        Type = ExtraireSuiteNom (ExtraireIdentForce (Nom), EForme::Numerique, s);
        return s;
    }
}
