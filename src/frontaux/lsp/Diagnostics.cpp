#include "frontaux/lsp/Diagnostics.h"

#include "bibliotheque/Tramelo.h"

#include <algorithm>

using namespace nsTramelo;

namespace nsLsp
{
    void Analyser (SDocument & Doc, const SConfiguration & Config)
    {
        if (Doc.Analyse) return;
        Doc.Diagnostics = json::array ();
        if (! Doc.Refus.empty ())
        {
            Doc.Resultat = SAnalyse ();
            Doc.Diagnostics.push_back ({ { "range", { { "start", { { "line", 0 }, { "character", 0 } } },
                                                      { "end", { { "line", 0 }, { "character", 0 } } } } },
                                         { "severity", 1 }, { "source", "tramelo-lsp" }, { "message", Doc.Refus } });
            Doc.Analyse = true;
            return;
        }
        const std::string & Texte = Doc.Texte.Contigu ();
        SOptions Options;
        Options.TailleTab = Config.TailleTab;
        SVerification V = Verifier (Texte, Options);
        // L'analyse precedente n'est remplacee qu'apres la traduction : liberee avant, sa memoire
        // retournait au systeme et la traduction la redemandait page par page (le delai d'un
        // source de 10 000 lignes en doublait).
        SAnalyse & A = Doc.Resultat;
        A = SAnalyse ();
        A.Modele = std::move (V.Traduction.Modele);
        A.FinLignes = std::move (V.Traduction.FinLignes);
        A.Tabulations = Texte.find ('\t') != std::string::npos;
        CVue Vue (Doc.Texte, Texte, A, Config.TailleTab);

        bool ErreurVue = false;
        for (const SDiagnosticExplique & D : V.Diagnostics)
        {
            std::size_t Debut = std::min (D.Position.DecalageOrigine, Texte.size ());
            // La longueur se compte dans le texte tamponne : une tabulation dans l'etendue y prend
            // plusieurs colonnes.
            std::size_t Fin = ! A.Tabulations ? std::min (Debut + D.Longueur, Texte.size ())
                                              : std::max (Debut, Vue.VersOrigine (D.Position.Decalage + D.Longueur));
            // Sans mot a cet endroit : le seul caractere, s'il y en a un sur la ligne.
            if (Fin == Debut && Debut < Texte.size () && Texte [Debut] != '\n' && Texte [Debut] != '\r')
                Fin = Debut + 1;
            const json Intervalle = Vue.Intervalle (Debut, Fin);
            std::string Message = D.Message;
            json Liees = json::array ();
            for (const SAide & Aide : D.Aides)
            {
                const std::string Ligne = (Aide.Note ? "note : " : "aide : ") + Aide.Texte;
                if (Config.AidesDansMessage) Message += '\n' + Ligne;
                Liees.push_back ({ { "location", { { "uri", Doc.Uri }, { "range", Intervalle } } }, { "message", Ligne } });
            }
            json J = { { "range", Intervalle }, { "severity", D.Gravite == EGravite::Erreur ? 1 : 2 },
                       { "code", D.Code }, { "source", "tramelo" }, { "message", Message } };
            if (! Liees.empty ()) J ["relatedInformation"] = std::move (Liees);
            Doc.Diagnostics.push_back (std::move (J));
            ErreurVue = ErreurVue || D.Gravite == EGravite::Erreur;
        }
        // Erreur sans position (source trop volumineux une fois les tabulations developpees...) :
        // au debut du document.
        const auto & E = V.Traduction.Erreur;
        if (E && ! E->Positionne && ! ErreurVue)
            Doc.Diagnostics.push_back ({ { "range", Vue.Intervalle (0, 0) }, { "severity", 1 },
                                         { "code", E->Code }, { "source", "tramelo" }, { "message", E->Message } });
        Doc.Analyse = true;
    }
}
