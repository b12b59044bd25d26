#include "services/explications/Explication.h"

#include "scanner/Source.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"

#include <algorithm>
#include <cstring>

namespace nsTramelo
{
    CContexte::CContexte (const STraduction & Tr, const SDiagnostic & Er, const SOptions & O)
        : T (Tr), E (Er), Options (O), J (Tr.Modele), Texte (Tr.Texte), Lex (Tr.Texte, Tr.FinLignes),
          Arret (std::min (Er.Arret.Decalage, Tr.Texte.size ())),
          AuArret (Lex.Suivant (Arret)), AvantArret (Lex.Precedent (Arret)),
          Instruction (J.Instructions.empty () ? nullptr : & J.Instructions.back ()),
          Bloc (J.Blocs.empty () ? nullptr : & J.Blocs.back ()), Unite (nullptr)
    {
        for (auto It = J.Unites.rbegin (); It != J.Unites.rend (); ++It)
            if (It->Fin == PorteeOuverte)
            {
                Unite = & * It;
                break;
            }
    }

    char CContexte::CaractereAttendu () const
    {
        if (E.Msg != nsUtil::EMsg::CaractereAttendu || E.Attendu.empty ()) return 0;
        return E.Attendu [0];
    }

    const SDeclaration * CContexte::Visible (const std::string & Nom, std::size_t Pos) const
    {
        return J.Visible (Nom, Pos);
    }

    const SDeclaration * CContexte::SortieDePortee (const std::string & Nom, std::size_t Pos) const
    {
        return J.SortieDePortee (Nom, Pos);
    }

    const SUnite * CContexte::UniteEn (std::size_t Pos) const { return J.UniteEn (Pos); }

    std::size_t CContexte::NbParametres (const SUnite & U) const
    {
        std::size_t N = 0;
        for (std::size_t i = U.Declaration + 1;
             i < J.Declarations.size () && J.Declarations [i].Nature == ENature::Parametre; ++i)
            ++N;
        return N;
    }

    std::size_t CContexte::UniteDefinieApres (const std::string & Nom, std::size_t Pos) const
    {
        if (Nom.empty ()) return std::string::npos;
        // Le jeton qui precede chaque occurrence, celui que rendrait Lex.Precedent, mais les jetons
        // d'une ligne ne sont lus qu'une fois pour toutes ses occurrences : relire la ligne depuis
        // son debut a chacune serait quadratique (longue ligne qui repete le nom).
        std::size_t LigneLue = 0;
        std::vector <SJeton> V;
        // Sans jeton fini avant l'occurrence sur sa ligne (debut de ligne, ou chaine ouverte qui la
        // couvre), Precedent remonte aux lignes d'avant ; le resultat est le meme pour toute la ligne.
        bool RepliConnu = false;
        SJeton Repli;
        for (std::size_t P = Texte.find (Nom, Pos); P != std::string::npos; P = Texte.find (Nom, P + 1))
        {
            if ((P > 0 && IsAlnum (Texte [P - 1])) || (P + Nom.size () < Texte.size () && IsAlnum (Texte [P + Nom.size ()])))
                continue;
            if (P == 0) continue;
            const std::size_t L = Lex.Ligne (P - 1);
            if (L != LigneLue)
            {
                V = Lex.Jetons (Lex.DebutLigne (L), Lex.FinLigne (L));
                LigneLue = L;
                RepliConnu = false;
            }
            const auto Apres = std::partition_point (V.begin (), V.end (), [P] (const SJeton & J) { return J.Fin () <= P; });
            if (Apres == V.begin () && ! RepliConnu)
            {
                Repli = Lex.Precedent (P);
                RepliConnu = true;
            }
            const SJeton & Avant = Apres == V.begin () ? Repli : * (Apres - 1);
            if (MotEst (Avant, "procedure") || MotEst (Avant, "fonction")) return P;
        }
        return std::string::npos;
    }

    std::string CContexte::NomVoisin (const std::string & Nom, std::size_t Pos) const
    {
        const std::size_t Max = Nom.size () <= 3 ? 1 : 2;
        std::string Meilleur;
        std::size_t MeilleureDistance = Max + 1;
        const std::string Min = Minuscules (Nom);
        for (const SDeclaration & D : J.Declarations)
        {
            if (D.Decalage >= Pos || (D.FinPortee != PorteeOuverte && D.FinPortee <= Pos) || D.Nom == Nom
                || D.Nature == ENature::Algorithme)
                continue;
            // Meme mot a la casse pres : le plus proche de tous ; sinon, pas de voisin pour un nom
            // de moins de trois lettres (tous les noms courts se ressemblent).
            const std::size_t Dist = Minuscules (D.Nom) == Min ? 0 : Nom.size () < 3 ? Max + 1 : Distance (Nom, D.Nom, Max);
            if (Dist < MeilleureDistance)
            {
                MeilleureDistance = Dist;
                Meilleur = D.Nom;
            }
        }
        return Meilleur;
    }

    SJeton CContexte::MotInstruction () const
    {
        if (! Instruction) return {};
        SJeton J = Lex.Suivant (Instruction->Decalage);
        return J.Genre == EJeton::Mot ? J : SJeton {};
    }

    std::size_t CContexte::DebutInstruction () const
    {
        const std::size_t DebutLigne = Lex.DebutLigne (Lex.Ligne (Arret));
        if (! Instruction) return DebutLigne;
        const std::string M = Mot (* Instruction);
        const bool Ouvre = M == "debut" || IsStruct (M);
        if (Ouvre && Instruction->Decalage < DebutLigne) return DebutLigne;
        return Instruction->Decalage;
    }

    std::size_t CContexte::FinInstruction () const
    {
        const std::size_t FinLigne = Lex.FinLigne (Lex.Ligne (Arret));
        const std::size_t PointVirgule = Texte.find (';', Arret);
        return PointVirgule != std::string::npos && PointVirgule < FinLigne ? PointVirgule : FinLigne;
    }

    SJeton CContexte::PremierNomInconnu () const
    {
        const std::vector <SJeton> V = Lex.Jetons (DebutInstruction (), FinInstruction ());
        for (std::size_t k = 0; k < V.size (); ++k)
        {
            const SJeton & Jt = V [k];
            if (Jt.Genre != EJeton::Mot || Jt.NonAscii) continue;
            const std::string Nom = Mot (Jt);
            if (IsIdentReserve (Nom) || Nom == "vrai" || Nom == "faux" || Nom == "descendant" || Nom == "continue")
                continue;
            if (k > 0 && (MotEst (V [k - 1], "procedure") || MotEst (V [k - 1], "fonction")
                          || MotEst (V [k - 1], "algorithme") || MotEst (V [k - 1], "declarer")))
                continue;
            if (Visible (Nom, std::max (Arret, Jt.Fin ()))) continue;
            return Jt;
        }
        return {};
    }

    std::string CContexte::MotDuMessage () const { return E.Nom; }

    CEssayeur & CContexte::Essayeur () const
    {
        if (! Essais) Essais.emplace (T, Options);
        return * Essais;
    }

    const SDeclaration * CContexte::DeclarationDuMessage () const
    {
        return E.Declaration < J.Declarations.size () ? & J.Declarations [E.Declaration] : nullptr;
    }

    const SInstr * CContexte::InstrOuverte () const
    {
        // Les instructions incompletes sont fermees a l'arret ; la plus interne commence le plus tard.
        const SInstr * R = nullptr;
        for (const SInstr & I : J.Instrs)
            if ((I.Drapeaux & InstrIncomplete) && (! R || I.Plage.Debut >= R->Plage.Debut)) R = & I;
        return R;
    }

    SJeton CContexte::NomFautif () const
    {
        using nsUtil::EMsg;
        if (E.Msg == EMsg::AttenteVariable) return MotInstruction ();
        if (E.Msg == EMsg::DoitEtreVariable || E.Msg == EMsg::PasUnTableau || E.Msg == EMsg::TailleTypeInvalide
            || E.Msg == EMsg::NonAllongeable || E.Msg == EMsg::NonRedimensionnable || E.Msg == EMsg::ParametreInvalide)
        {
            const std::string Nom = MotDuMessage ();
            // Le nom cite, pris dans l'instruction (le dernier avant l'arret).
            SJeton Trouve;
            for (const SJeton & Jt : Lex.Jetons (DebutInstruction (), FinInstruction ()))
                if (Jt.Genre == EJeton::Mot && Mot (Jt) == Nom && (Trouve.Genre == EJeton::Fin || Jt.Debut <= Arret))
                    Trouve = Jt;
            if (Trouve.Genre != EJeton::Fin && ! Visible (Nom, Arret)) return Trouve;
        }
        if (E.Msg == EMsg::ExprBooleenne || E.Msg == EMsg::ExprString || E.Msg == EMsg::ExprCaractere
            || E.Msg == EMsg::ExprNumerique || E.Msg == EMsg::PasUnTableau || E.Msg == EMsg::TailleTypeInvalide
            || E.Msg == EMsg::DoitEtreVariable || E.Msg == EMsg::ParametreInvalide || E.Msg == EMsg::TypeInvalide
            || E.Msg == EMsg::IdentifiantAttendu)
            return PremierNomInconnu ();
        return {};
    }

    // --- Outils des regles ---

    std::string TexteLigne (std::size_t Ligne) { return "ligne " + std::to_string (Ligne); }

    std::string NomType (unsigned Type)
    {
        if (IsTypeTableau (Type)) return "tableau_de " + NomType (GetTypeElem (Type));
        switch (Type)
        {
            case TEntier : return "entier";
            case TEntierNaturel : return "entier_naturel";
            case TReel : return "reel";
            case TBooleen : return "booleen";
            case TCaractere : return "caractere";
            case TString : return "string";
            default : return "inconnu";
        }
    }

    std::string NomNature (ENature Nature)
    {
        switch (Nature)
        {
            case ENature::Variable : return "la variable";
            case ENature::VariableBoucle : return "la variable de boucle";
            case ENature::Constante : return "la constante";
            case ENature::Tableau : return "le tableau";
            case ENature::Parametre : return "le paramètre";
            case ENature::Procedure : return "la procédure";
            case ENature::Fonction : return "la fonction";
            case ENature::Algorithme : return "l'algorithme";
        }
        return "le nom";
    }

    namespace
    {
        template <std::size_t N>
        std::string ChercherCasse (const std::string (& Table) [N], const std::string & Min)
        {
            for (const std::string & Mot : Table)
                if (Minuscules (Mot) == Min) return Mot;
            return "";
        }
    }

    std::string MotCleACasse (const std::string & Mot)
    {
        const std::string Min = Minuscules (Mot);
        std::string R = ChercherCasse (Structs, Min);
        if (R.empty ()) R = ChercherCasse (Begins, Min);
        if (R.empty ()) R = ChercherCasse (Ends, Min);
        if (R.empty ()) R = ChercherCasse (MotsCle, Min);
        if (R.empty ()) R = ChercherCasse (Operateurs, Min);
        if (R.empty ()) R = ChercherCasse (Procedures, Min);
        if (R.empty ()) R = ChercherCasse (Fonctions, Min);
        if (R.empty ()) R = ChercherCasse (TypesSimples, Min);
        if (R.empty ()) R = ChercherCasse (TypesComposes, Min);
        if (R.empty () && (Min == "vrai" || Min == "faux")) R = Min;
        return R == Mot ? "" : R;
    }

    bool IsMotDuLangage (const std::string & Mot) { return IsIdentReserve (Mot); }

    std::string NomBloc (const CContexte & C, const SBloc & B)
    {
        const std::string Ouvrant = C.Mot (B.Ouvrant);
        if (Ouvrant == "si") return "le si";
        if (Ouvrant == "debut")
        {
            const SUnite * U = C.UniteEn (B.Ouvrant.Decalage);
            if (U && U->Nature == ENature::Procedure) return "la procédure " + U->Nom;
            if (U && U->Nature == ENature::Fonction) return "la fonction " + U->Nom;
            if (U) return "l'algorithme " + U->Nom;
            return "le corps";
        }
        if (Ouvrant == "boucle") return "la boucle « boucle »";
        return "la boucle " + Ouvrant;
    }

    std::size_t LigneBloc (const CContexte & C, const SBloc & B)
    {
        if (C.Mot (B.Ouvrant) == "debut")
            if (const SUnite * U = C.UniteEn (B.Ouvrant.Decalage)) return C.Ligne (U->Debut);
        return C.Ligne (B.Ouvrant.Decalage);
    }

    std::string TexteDe (const CContexte & C, std::size_t Debut, std::size_t Fin)
    {
        std::string R;
        Fin = std::min (Fin, C.Texte.size ());
        for (std::size_t i = Debut; i < Fin; ++i)
        {
            const char c = C.Texte [i];
            if (IsBlanc (c) || c == '\n' || c == '\r')
            {
                if (! R.empty () && R.back () != ' ') R += ' ';
            }
            else R += c;
        }
        while (! R.empty () && R.back () == ' ') R.pop_back ();
        return Utf8Valide (R);
    }

    std::string DecrireRetouche (const CContexte & C, const SRetouche & R)
    {
        const CLexique & L = C.Lex;
        std::string Insere = R.Texte;
        while (! Insere.empty () && Insere.front () == ' ') Insere.erase (0, 1);
        while (! Insere.empty () && Insere.back () == ' ') Insere.pop_back ();
        if (R.Longueur == 0)
        {
            const SJeton Avant = L.Precedent (R.Decalage), Apres = L.Suivant (R.Decalage);
            const bool FinDeLigne = Apres.Genre == EJeton::Fin || C.Ligne (Apres.Debut) > C.Ligne (R.Decalage);
            if (FinDeLigne && Avant.Genre != EJeton::Fin)
                return "il manque " + Citer (Insere) + " à la fin de la " + TexteLigne (C.Ligne (Avant.Fin () - 1));
            if (Avant.Genre != EJeton::Fin && C.Ligne (Avant.Debut) == C.Ligne (R.Decalage) && Apres.Genre != EJeton::Fin)
                return "il manque " + Citer (Insere) + " entre " + Citer (C.Mot (Avant)) + " et " + Citer (C.Mot (Apres));
            return "il manque " + Citer (Insere) + " avant " + Citer (C.Mot (Apres));
        }
        const std::string Ancien = C.Texte.substr (R.Decalage, R.Longueur);
        if (Insere.empty ()) return "supprimez " + Citer (Ancien) + " : il est en trop ici";
        return "remplacez " + Citer (Ancien) + " par " + Citer (Insere);
    }

    bool ProposerAutour (const CContexte & C, SExplication & X)
    {
        const std::optional <SRetouche> R = ChercherRetouche (C.Essayeur (), CandidatsAutour (C.T));
        if (! R) return false;
        X.Proposer (* R, DecrireRetouche (C, * R), true);
        return true;
    }

    // --- L'explicateur ---

    SDiagnosticExplique Expliquer (const std::string & Source, const SOptions & Options, const STraduction & T,
                                   std::optional <SRetouche> * Retenue)
    {
        (void) Source;
        const SDiagnostic & E = * T.Erreur;
        const CContexte C (T, E, Options);
        SDiagnosticExplique D;
        D.Code = E.Code;
        D.Message = D.MessageTramelo = E.Message;
        for (std::size_t i = 0; i < NbRegles; ++i)
        {
            SExplication X;
            X.Placer (C.Arret, E.Longueur);
            if (! Regles [i].Appliquer (C, X)) continue;
            // Une correction n'est donnee que si elle passe ; sinon le constat, sinon la regle suivante.
            std::optional <SRetouche> Choisie;
            std::vector <SAide> AuLieu;
            if (! X.Propositions.empty () || ! X.Constats.empty ())
            {
                for (const SExplication::SProposition & P : X.Propositions)
                    if (P.Verifiee || C.Essayeur ().Essayer (P.Retouche).Passe)
                    {
                        Choisie = P.Retouche;
                        AuLieu.push_back ({ false, P.Aide });
                        break;
                    }
                if (! Choisie)
                    for (const std::string & Texte : X.Constats) AuLieu.push_back ({ false, Texte });
                if (AuLieu.empty ()) continue;
                X.Aides.insert (X.Aides.begin () + std::min (X.PlaceProposition, X.Aides.size ()), AuLieu.begin (), AuLieu.end ());
            }
            D.Regle = Regles [i].Nom;
            D.Position.Decalage = std::min (X.Decalage, T.Texte.size ());
            D.Longueur = X.Longueur;
            D.Aides = std::move (X.Aides);
            if (! X.Cause.empty ())
            {
                D.Message = X.Cause;
                D.Aides.push_back ({ true, "message de Tramelo : " + E.Message + " [" + std::to_string (E.Code) + "]" });
            }
            if (Retenue) * Retenue = Choisie;
            break;
        }
        return D;
    }
}
