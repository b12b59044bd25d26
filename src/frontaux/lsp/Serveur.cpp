#include "frontaux/lsp/Serveur.h"

#include "frontaux/lsp/Diagnostics.h"
#include "frontaux/lsp/Limites.h"
#include "frontaux/lsp/Survol.h"
#include "frontaux/lsp/Symboles.h"
#include "frontaux/lsp/VoirCpp.h"

#include <new>
#include <stdexcept>

namespace nsLsp
{
    namespace
    {
        // Une requete valide qui ne peut aboutir (document refuse) : RequestFailed.
        class CRequeteEchouee : public std::runtime_error
        {
            using std::runtime_error::runtime_error;
        };

        const char * const Modification = "textDocument/didChange";
        const char * const Ouverture = "textDocument/didOpen";
    }

    void CServeur::Envoyer (const json & Message)
    {
        // Par prudence, un texte qui ne serait pas de l'UTF-8 valide (cite du source) est envoye
        // avec des caracteres de remplacement plutot que de faire echouer l'envoi.
        Sorties.push_back (Message.dump (-1, ' ', false, json::error_handler_t::replace));
    }

    void CServeur::Repondre (const json & Id, json Resultat)
    {
        Envoyer ({ { "jsonrpc", "2.0" }, { "id", Id }, { "result", std::move (Resultat) } });
    }

    void CServeur::RepondreErreur (const json & Id, int Code, const std::string & Message)
    {
        Envoyer ({ { "jsonrpc", "2.0" }, { "id", Id },
                   { "error", { { "code", Code }, { "message", Message } } } });
    }

    void CServeur::Signaler (const std::string & Texte, int Type)
    {
        Envoyer ({ { "jsonrpc", "2.0" }, { "method", "window/logMessage" },
                   { "params", { { "type", Type }, { "message", "tramelo-lsp : " + Texte } } } });
    }

    void CServeur::Annoncer (const std::string & Texte, int Type)
    {
        Envoyer ({ { "jsonrpc", "2.0" }, { "method", "window/showMessage" },
                   { "params", { { "type", Type }, { "message", "tramelo-lsp : " + Texte } } } });
    }

    // ---- Messages perdus ----

    void CServeur::Perdu (const std::string & Debut, const std::string & Raison)
    {
        const SApercu A = LireApercu (Debut);
        const json Id = A.Id.is_number_integer () || A.Id.is_string () ? A.Id : json ();
        // Une requete (ou un message dont on ne sait rien) recoit l'erreur ; une notification
        // reconnue est signalee.
        if (A.AId || A.Methode.empty ()) RepondreErreur (Id, InvalidRequest, Raison);
        else Signaler (A.Methode + " ignoré : " + Raison);
        if (! A.Objet || ! Initialise || Arrete) return;

        // Un changement perdu : le texte de l'editeur n'est plus celui du serveur. Sans savoir
        // quel document il touchait (ni meme si c'en etait un), tous sont suspects.
        const std::string Suite = " : le serveur ne suit plus ce document ; le fermer puis le rouvrir";
        if (A.Methode == Modification || (A.Methode.empty () && ! A.AId))
        {
            SDocument * Doc = A.Methode == Modification && ! A.Uri.empty () ? Documents.Trouver (A.Uri) : nullptr;
            if (Doc)
            {
                if (Doc->Refus.empty ()) Annoncer (A.Uri + " : " + Raison + Suite);
                Documents.Refuser (* Doc, Raison + Suite);
            }
            else if (Documents.Total () > 0)
            {
                Annoncer (Raison + " : aucun document ouvert n'est plus suivi ; les fermer puis les rouvrir");
                Documents.RefuserTous (Raison + Suite);
            }
        }
        else if (A.Methode == Ouverture && ! A.Uri.empty ())
        {
            bool Refuse;
            SDocument * Doc = Documents.Ouvrir (A.Uri, std::string (), 0, Refuse);
            if (Doc) Documents.Refuser (* Doc, Raison + " : document non analysé ; le réduire puis le rouvrir");
            Annoncer (A.Uri + " : " + Raison);
        }
    }

    void CServeur::Ignorer (const std::string & Debut, std::size_t Taille)
    {
        Perdu (Debut, "message de " + std::to_string (Taille) + " octets ignoré (au plus "
                      + std::to_string (MaxTailleMessage >> 20) + " Mo par message)");
    }

    // ---- Aiguillage ----

    void CServeur::Traiter (const std::string & Corps)
    {
        json M;
        bool TropProfond = false;
        if (! LireJson (Corps, M, TropProfond))
        {
            if (TropProfond)
                Perdu (Corps, "message JSON imbriqué sur plus de " + std::to_string (MaxProfondeurJson) + " niveaux");
            else
                RepondreErreur (nullptr, ParseError, "message JSON invalide");
            return;
        }
        if (! M.is_object ())
        {
            RepondreErreur (nullptr, InvalidRequest, "le message doit être un objet JSON");
            return;
        }
        // Le type de l'identifiant est verifie avant toute copie : un identifiant tableau ou
        // objet n'est jamais recopie.
        const auto ItId = M.find ("id");
        const bool EstRequete = ItId != M.end ();
        if (EstRequete && ! ItId->is_number_integer () && ! ItId->is_string () && ! ItId->is_null ())
        {
            RepondreErreur (nullptr, InvalidRequest, "identifiant de requête invalide");
            return;
        }
        const json Id = EstRequete ? * ItId : json ();
        const auto ItMethode = M.find ("method");
        if (ItMethode == M.end ())
        {
            // Une reponse du client : le serveur ne lui envoie aucune requete, rien a en faire.
            if (EstRequete && (M.contains ("result") || M.contains ("error"))) return;
            if (EstRequete) RepondreErreur (Id, InvalidRequest, "champ « method » absent");
            else Signaler ("message sans « method » ignoré");
            return;
        }
        if (! ItMethode->is_string ())
        {
            if (EstRequete) RepondreErreur (Id, InvalidRequest, "champ « method » : chaîne attendue");
            else Signaler ("message dont « method » n'est pas une chaîne ignoré");
            return;
        }
        const std::string Methode = ItMethode->get <std::string> ();
        json & Params = M ["params"];   // null s'il est absent

        try
        {
            if (! EstRequete)
            {
                if (Methode == "exit") Sorti = true;
                // Avant initialize et apres shutdown, les notifications sont ignorees.
                else if (! Initialise || Arrete) return;
                else if (Methode == Ouverture) Ouvrir (Params);
                else if (Methode == Modification) Changer (Params);
                else if (Methode == "textDocument/didClose") Fermer (Params);
                // initialized, $/cancelRequest (tout est traite dans l'ordre), le reste : rien a faire.
                return;
            }
            if (Arrete) return RepondreErreur (Id, InvalidRequest, "le serveur a reçu shutdown : seul exit est attendu");
            if (Methode == "initialize")
            {
                if (Initialise) return RepondreErreur (Id, InvalidRequest, "initialize déjà reçu");
                std::vector <std::string> Avertissements;
                Config = LireConfiguration (Params, Avertissements);
                for (const std::string & A : Avertissements) Signaler (A, 2);
                Initialise = true;
                return Repondre (Id, Capacites ());
            }
            if (! Initialise) return RepondreErreur (Id, ServerNotInitialized, "initialize attendu d'abord");
            if (Methode == "shutdown")
            {
                Arrete = true;
                return Repondre (Id, nullptr);
            }
            if (Methode == "textDocument/hover") return Repondre (Id, Survol (Params));
            if (Methode == "textDocument/documentSymbol") return Repondre (Id, Symboles (Params));
            if (Methode == "workspace/executeCommand")
            {
                if (Chaine (Params, "command") != "tramelo.voirCpp")
                    return RepondreErreur (Id, InvalidParams, "commande inconnue : " + Chaine (Params, "command"));
                const json & Arguments = Champ (Params, "arguments");
                if (! Arguments.is_array () || Arguments.empty ())
                    throw CParamsInvalides ("tramelo.voirCpp attend l'adresse du document");
                const json & A = Arguments [0];
                return Repondre (Id, Cpp (A.is_string () ? A.get <std::string> () : Chaine (A, "uri")));
            }
            if (Methode == "tramelo/voirCpp") return Repondre (Id, Cpp (Chaine (Champ (Params, "textDocument"), "uri")));
            RepondreErreur (Id, MethodNotFound, "méthode inconnue : " + Methode);
        }
        catch (const CParamsInvalides & E)
        {
            if (EstRequete) RepondreErreur (Id, InvalidParams, std::string ("paramètres invalides : ") + E.what ());
            else Signaler (Methode + " ignoré : " + E.what ());
        }
        catch (const CRequeteEchouee & E)
        {
            RepondreErreur (Id, RequestFailed, E.what ());
        }
        catch (const std::bad_alloc &)
        {
            if (EstRequete) RepondreErreur (Id, InternalError, "mémoire insuffisante");
            else Signaler (Methode + " : mémoire insuffisante");
        }
        catch (const std::exception & E)
        {
            if (EstRequete) RepondreErreur (Id, InternalError, std::string ("erreur interne : ") + E.what ());
            else Signaler (Methode + " : erreur interne : " + E.what ());
        }
    }

    // ---- Documents ----

    SDocument & CServeur::Trouver (const json & Params)
    {
        const std::string & Uri = Chaine (Champ (Params, "textDocument"), "uri");
        SDocument * Doc = Documents.Trouver (Uri);
        if (! Doc) throw CParamsInvalides ("document non ouvert : " + Uri);
        return * Doc;
    }

    void CServeur::Ouvrir (json & Params)
    {
        json & Document = ChampModifiable (Params, "textDocument");
        const std::string Uri = Chaine (Document, "uri");
        Chaine (Document, "text");
        const json & Version = Facultatif (Document, { "version" });
        bool Refuse;
        // Le texte est pris au message sans copie : un grand source ne doit pas peser double.
        SDocument * Doc = Documents.Ouvrir (Uri, std::move (Document ["text"].get_ref <std::string &> ()),
                                            Version.is_number_integer () ? Version.get <std::int64_t> () : 0, Refuse);
        if (! Doc)
            Annoncer (Uri + " : trop de documents ouverts (" + std::to_string (Documents.Limites.Total >> 20)
                      + " Mo au plus, " + std::to_string (CoutDocument) + " octets comptés par document) : il n'est pas suivi");
        else if (Refuse) Annoncer (Uri + " : " + Doc->Refus);
    }

    void CServeur::Changer (json & Params)
    {
        SDocument & Doc = Trouver (Params);
        // Tout le lot est lu et verifie avant d'en appliquer le premier changement : un lot
        // invalide n'en applique aucun (et la version ne change pas).
        std::vector <SChangement> Lot;
        try
        {
            Lot = LireChangements (ChampModifiable (Params, "contentChanges"));
        }
        catch (const CParamsInvalides & E)
        {
            Annoncer (Doc.Uri + " : modification refusée, aucun de ses changements n'est appliqué ("
                      + E.what () + ")");
            throw;
        }
        const json & Version = Facultatif (Params, { "textDocument", "version" });
        if (Version.is_number_integer ()) Doc.Version = Version.get <std::int64_t> ();
        if (Documents.Changer (Doc, Lot)) Annoncer (Doc.Uri + " : " + Doc.Refus);
    }

    void CServeur::Fermer (const json & Params)
    {
        const std::string Uri = Chaine (Champ (Params, "textDocument"), "uri");
        if (! Documents.Fermer (Uri)) return;
        // Les diagnostics d'un document ferme disparaissent de l'editeur.
        Envoyer ({ { "jsonrpc", "2.0" }, { "method", "textDocument/publishDiagnostics" },
                   { "params", { { "uri", Uri }, { "diagnostics", json::array () } } } });
    }

    void CServeur::Publier ()
    {
        std::vector <std::string> Liste;
        Liste.swap (Documents.APublier);
        for (const std::string & Uri : Liste)
        {
            SDocument * Doc = Documents.Trouver (Uri);
            if (! Doc || ! Doc->APublier) continue;
            try
            {
                Analyser (* Doc, Config);
            }
            catch (const std::bad_alloc &)
            {
                Documents.Refuser (* Doc, "mémoire insuffisante pour analyser ce document ; le fermer puis le rouvrir");
                Annoncer (Uri + " : " + Doc->Refus);
                Analyser (* Doc, Config);
            }
            catch (const std::exception & E)
            {
                Doc->Diagnostics = json::array ();
                Signaler ("analyse impossible de " + Uri + " : " + E.what ());
            }
            Doc->APublier = false;
            Envoyer ({ { "jsonrpc", "2.0" }, { "method", "textDocument/publishDiagnostics" },
                       { "params", { { "uri", Uri }, { "version", Doc->Version },
                                     { "diagnostics", Doc->Diagnostics } } } });
        }
    }

    // ---- Requetes ----

    json CServeur::Survol (const json & Params)
    {
        SDocument & Doc = Trouver (Params);
        const std::size_t Octet = Doc.Texte.VersOctet (LirePosition (Champ (Params, "position")));
        if (! Doc.Refus.empty ()) return nullptr;
        Analyser (Doc, Config);
        CVue Vue (Doc.Texte, Doc.Texte.Contigu (), Doc.Resultat, Config.TailleTab);
        return Survoler (Vue, Octet, Config.SurvolMarkdown);
    }

    json CServeur::Symboles (const json & Params)
    {
        SDocument & Doc = Trouver (Params);
        if (! Doc.Refus.empty ()) return json::array ();
        Analyser (Doc, Config);
        CVue Vue (Doc.Texte, Doc.Texte.Contigu (), Doc.Resultat, Config.TailleTab);
        return ListerSymboles (Vue, Doc.Uri, Config.SymbolesHierarchiques);
    }

    json CServeur::Cpp (const std::string & Uri)
    {
        SDocument * Doc = Documents.Trouver (Uri);
        if (! Doc) throw CParamsInvalides ("document non ouvert : " + Uri);
        if (! Doc->Refus.empty ()) throw CRequeteEchouee (Uri + " : " + Doc->Refus);
        return VoirCpp (Doc->Texte.Contigu (), Config.TailleTab);
    }
}
