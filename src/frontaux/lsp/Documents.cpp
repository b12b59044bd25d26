#include "frontaux/lsp/Documents.h"

#include <new>
#include <utility>

namespace nsLsp
{
    namespace
    {
        std::string Mo (std::size_t Octets)
        {
            if (Octets != 0 && Octets % (std::size_t (1) << 20) == 0) return std::to_string (Octets >> 20) + " Mo";
            return std::to_string (Octets) + " octets";
        }
    }

    SPositionLsp LirePosition (const json & P)
    {
        SPositionLsp R;
        R.Ligne = Naturel (P, "line");
        R.Caractere = Naturel (P, "character");
        return R;
    }

    std::vector <SChangement> LireChangements (json & Changements)
    {
        if (! Changements.is_array ()) throw CParamsInvalides ("contentChanges : tableau attendu");
        std::vector <SChangement> Lot;
        Lot.reserve (Changements.size ());
        for (std::size_t i = 0; i < Changements.size (); ++i)
        {
            json & C = Changements [i];
            SChangement S;
            try
            {
                Chaine (C, "text");
                S.Texte = & C ["text"].get_ref <std::string &> ();
                const auto It = C.find ("range");
                S.Complet = It == C.end () || It->is_null ();
                if (! S.Complet)
                {
                    S.Debut = LirePosition (Champ (* It, "start"));
                    S.Fin = LirePosition (Champ (* It, "end"));
                }
            }
            catch (const CParamsInvalides & E)
            {
                throw CParamsInvalides ("contentChanges [" + std::to_string (i) + "] : " + E.what ());
            }
            Lot.push_back (S);
        }
        return Lot;
    }

    std::string CDocuments::Depassement (const SDocument & Doc, std::size_t Taille) const
    {
        if (Taille > Limites.Document)
            return "document trop volumineux (" + std::to_string (Taille) + " octets, au plus " + Mo (Limites.Document)
                 + ") : il n'est plus analysé ; le fermer, le réduire, puis le rouvrir";
        if (TotalOctets - Doc.Texte.Taille () + Taille > Limites.Total)
            return "trop de texte ouvert : avec ce document (" + std::to_string (Taille) + " octets), les documents ouverts "
                   "dépasseraient " + Mo (Limites.Total) + " ensemble ; il n'est plus analysé (fermer d'autres "
                   "documents, puis le rouvrir)";
        return "";
    }

    void CDocuments::Modifie (SDocument & Doc)
    {
        Doc.Analyse = false;
        if (Doc.APublier) return;
        Doc.APublier = true;
        APublier.push_back (Doc.Uri);
    }

    SDocument * CDocuments::Ouvrir (const std::string & Uri, std::string && Texte, std::int64_t Version, bool & Refuse)
    {
        Fermer (Uri);
        Refuse = false;
        const std::size_t Trace = Uri.size () + CoutDocument;
        if (TotalOctets + Trace > Limites.Total)
        {
            Refuse = true;
            return nullptr;
        }
        SDocument & Doc = Tous [Uri];
        Doc.Uri = Uri;
        Doc.Version = Version;
        TotalOctets += Trace;
        std::string Raison = Depassement (Doc, Texte.size ());
        if (Raison.empty ())
        {
            Doc.Texte = CTexte (std::move (Texte));
            TotalOctets += Doc.Texte.Taille ();
            Modifie (Doc);
        }
        else
        {
            Refuser (Doc, std::move (Raison));
            Refuse = true;
        }
        return & Doc;
    }

    bool CDocuments::Changer (SDocument & Doc, std::vector <SChangement> & Lot)
    {
        const bool DejaRefuse = ! Doc.Refus.empty ();
        try
        {
            for (SChangement & C : Lot)
            {
                if (C.Complet)
                {
                    std::string Raison = Depassement (Doc, C.Texte->size ());
                    if (! Raison.empty ())
                    {
                        Refuser (Doc, std::move (Raison));
                        continue;
                    }
                    TotalOctets -= Doc.Texte.Taille ();
                    Doc.Texte = CTexte (std::move (* C.Texte));
                    TotalOctets += Doc.Texte.Taille ();
                    Doc.Refus.clear ();
                    continue;
                }
                if (! Doc.Refus.empty ()) continue;
                std::size_t A = Doc.Texte.VersOctet (C.Debut), B = Doc.Texte.VersOctet (C.Fin);
                if (B < A) std::swap (A, B);
                const std::size_t Avant = Doc.Texte.Taille (), Apres = Avant - (B - A) + C.Texte->size ();
                std::string Raison = Depassement (Doc, Apres);
                if (! Raison.empty ())
                {
                    Refuser (Doc, std::move (Raison));
                    continue;
                }
                Doc.Texte.Remplacer (A, B, * C.Texte);
                TotalOctets = TotalOctets - Avant + Apres;
            }
        }
        catch (const std::bad_alloc &)
        {
            Refuser (Doc, "mémoire insuffisante pour ce document : il n'est plus analysé ; le fermer puis le rouvrir");
        }
        Modifie (Doc);
        return ! DejaRefuse && ! Doc.Refus.empty ();
    }

    void CDocuments::Refuser (SDocument & Doc, std::string Raison)
    {
        TotalOctets -= Doc.Texte.Taille ();
        Doc.Texte = CTexte ();
        Doc.Refus = std::move (Raison);
        Doc.Resultat = SAnalyse ();
        Modifie (Doc);
    }

    void CDocuments::RefuserTous (const std::string & Raison)
    {
        for (auto & [Uri, Doc] : Tous)
            if (Doc.Refus.empty ()) Refuser (Doc, Raison);
    }

    bool CDocuments::Fermer (const std::string & Uri)
    {
        const auto It = Tous.find (Uri);
        if (It == Tous.end ()) return false;
        TotalOctets -= It->second.Texte.Taille () + Uri.size () + CoutDocument;
        Tous.erase (It);
        return true;
    }

    SDocument * CDocuments::Trouver (const std::string & Uri)
    {
        const auto It = Tous.find (Uri);
        return It == Tous.end () ? nullptr : & It->second;
    }

    const SDocument * CDocuments::Trouver (const std::string & Uri) const
    {
        const auto It = Tous.find (Uri);
        return It == Tous.end () ? nullptr : & It->second;
    }
}
