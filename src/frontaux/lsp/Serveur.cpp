#include "frontaux/lsp/Serveur.h"

#include "driver/Ppal.h"
#include "explications/Verification.h"
#include "scanner/Source.h"
#include "symbols/Descriptions.h"
#include "symbols/Vocabulaire.h"
#include "types/TypesCodes.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#ifndef TRAMELO_VERSION
#define TRAMELO_VERSION "?"
#endif

using namespace nsTramelo;

namespace nsLsp
{
    namespace
    {
        // Un champ absent ou du mauvais type dans les parametres : InvalidParams, ou un message
        // au client pour une notification.
        class CParamsInvalides : public std::runtime_error
        {
            using std::runtime_error::runtime_error;
        };

        const json & Champ (const json & Objet, const char * Nom)
        {
            if (! Objet.is_object ()) throw CParamsInvalides (std::string ("objet attendu avant « ") + Nom + " »");
            const auto It = Objet.find (Nom);
            if (It == Objet.end ()) throw CParamsInvalides (std::string ("champ « ") + Nom + " » absent");
            return * It;
        }

        json & ChampModifiable (json & Objet, const char * Nom)
        {
            Champ (Objet, Nom);
            return Objet [Nom];
        }

        const std::string & Chaine (const json & Objet, const char * Nom)
        {
            const json & C = Champ (Objet, Nom);
            if (! C.is_string ()) throw CParamsInvalides (std::string ("champ « ") + Nom + " » : chaîne attendue");
            return C.get_ref <const std::string &> ();
        }

        std::size_t Naturel (const json & Objet, const char * Nom)
        {
            const json & C = Champ (Objet, Nom);
            if (! C.is_number_unsigned ())
                throw CParamsInvalides (std::string ("champ « ") + Nom + " » : entier positif attendu");
            return C.get <std::size_t> ();
        }

        // Valeur facultative d'un chemin d'objets (null si un maillon manque).
        const json & Facultatif (const json & Objet, std::initializer_list <const char *> Chemin)
        {
            static const json Nul;
            const json * J = & Objet;
            for (const char * Nom : Chemin)
            {
                if (! J->is_object ()) return Nul;
                const auto It = J->find (Nom);
                if (It == J->end ()) return Nul;
                J = & * It;
            }
            return * J;
        }

        std::string NomType (unsigned Type)
        {
            for (const std::string & T : TypesSimples)
                if (GetType (T) == Type) return T;
            return "?";
        }

        std::string NomTypeComplet (unsigned Type)
        {
            if (IsTypeTableau (Type)) return "tableau_de " + NomType (GetTypeElem (Type) & ~TTableau);
            return NomType (Type);
        }

        const char * NomMode (unsigned Mode)
        {
            return Mode == 1 ? "out" : Mode == 2 ? "in_out" : "in";
        }

        bool IsUnite (ENature N)
        {
            return N == ENature::Procedure || N == ENature::Fonction || N == ENature::Algorithme;
        }

        // En-tete d'une procedure ou d'une fonction : ses parametres suivent son nom dans le journal.
        std::string EnTete (const SJournal & J, std::size_t Index)
        {
            const SDeclaration & D = J.Declarations [Index];
            std::string Liste;
            for (std::size_t i = Index + 1; i < J.Declarations.size ()
                                            && J.Declarations [i].Nature == ENature::Parametre; ++i)
            {
                const SDeclaration & P = J.Declarations [i];
                Liste += (Liste.empty () ? "" : ", ") + P.Nom + " : " + NomMode (P.Mode) + ' ' + NomTypeComplet (P.Type);
            }
            std::string S = (D.Nature == ENature::Fonction ? "fonction " : "procedure ") + D.Nom;
            if (! Liste.empty ()) S += " (" + Liste + ')';
            if (D.Nature == ENature::Fonction) S += " renvoie " + NomType (D.Type);
            return S;
        }

        int GenreSymbole (ENature N)
        {
            switch (N)
            {
                case ENature::Algorithme : return 2;    // Module
                case ENature::Procedure  :
                case ENature::Fonction   : return 12;   // Function
                case ENature::Constante  : return 14;   // Constant
                case ENature::Tableau    : return 18;   // Array
                default                  : return 13;   // Variable
            }
        }
    }

    std::string DecrireDeclaration (const SJournal & J, const SDeclaration & D)
    {
        const std::string Debut = D.Nom + " : ";
        switch (D.Nature)
        {
            case ENature::Variable       : return Debut + "variable de type " + NomType (D.Type);
            case ENature::VariableBoucle : return Debut + "variable de boucle de type " + NomType (D.Type);
            case ENature::Constante      : return Debut + "constante de type " + NomType (D.Type);
            case ENature::Tableau        : return Debut + "tableau de " + NomType (GetTypeElem (D.Type) & ~TTableau);
            case ENature::Parametre      :
                return Debut + "paramètre " + NomMode (D.Mode)
                     + (IsTypeTableau (D.Type) ? ", tableau de " + NomType (GetTypeElem (D.Type) & ~TTableau)
                                               : " de type " + NomType (D.Type));
            case ENature::Algorithme     : return Debut + "algorithme";
            case ENature::Procedure      :
            case ENature::Fonction       :
            {
                const std::size_t Index = static_cast <std::size_t> (& D - J.Declarations.data ());
                const std::string Genre = D.Nature == ENature::Procedure ? "procédure"
                                                                        : "fonction renvoyant " + NomType (D.Type);
                if (Index >= J.Declarations.size ()) return Debut + Genre;
                return Debut + Genre + '\n' + EnTete (J, Index);
            }
        }
        return Debut;
    }

    // ---- Messages ----

    namespace
    {
        // Construction du document JSON par l'interface SAX de nlohmann : meme resultat que
        // json::parse, mais chaque chaine est deplacee au lieu d'etre recopiee (un source de
        // 256 Mo n'est pas duplique) ; la pile est un vecteur, sans recursion.
        class CConstructeur
        {
          public :
            explicit CConstructeur (json & Racine) : Racine (Racine) {}

            bool null () { return Valeur (nullptr); }
            bool boolean (bool b) { return Valeur (b); }
            bool number_integer (json::number_integer_t n) { return Valeur (n); }
            bool number_unsigned (json::number_unsigned_t n) { return Valeur (n); }
            bool number_float (json::number_float_t x, const json::string_t &) { return Valeur (x); }
            bool string (json::string_t & s) { return Valeur (std::move (s)); }
            bool binary (json::binary_t & b) { return Valeur (std::move (b)); }
            bool start_object (std::size_t) { Pile.push_back (Placer (json::object ())); return true; }
            bool key (json::string_t & Cle) { Cles.push_back (std::move (Cle)); return true; }
            bool end_object () { Pile.pop_back (); return true; }
            bool start_array (std::size_t) { Pile.push_back (Placer (json::array ())); return true; }
            bool end_array () { Pile.pop_back (); return true; }
            bool parse_error (std::size_t, const std::string &, const json::exception &) { return false; }

          private :
            json & Racine;
            std::vector <json *> Pile;
            std::vector <std::string> Cles;

            json * Placer (json && J)
            {
                if (Pile.empty ())
                {
                    Racine = std::move (J);
                    return & Racine;
                }
                json & Parent = * Pile.back ();
                if (Parent.is_array ())
                {
                    Parent.get_ref <json::array_t &> ().push_back (std::move (J));
                    return & Parent.get_ref <json::array_t &> ().back ();
                }
                json & Place = Parent.get_ref <json::object_t &> () [std::move (Cles.back ())];
                Cles.pop_back ();
                Place = std::move (J);
                return & Place;
            }
            template <class T>
            bool Valeur (T && V)
            {
                Placer (json (std::forward <T> (V)));
                return true;
            }
        };
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

    const SDocument * CServeur::Document (const std::string & Uri) const
    {
        const auto It = Documents.find (Uri);
        return It == Documents.end () ? nullptr : & It->second;
    }

    void CServeur::Traiter (const std::string & Corps)
    {
        json M;
        CConstructeur Constructeur (M);
        bool Valide = false;
        try
        {
            Valide = json::sax_parse (Corps, & Constructeur);
        }
        catch (const json::exception &)
        {
        }
        if (! Valide)
        {
            RepondreErreur (nullptr, ParseError, "message JSON invalide");
            return;
        }
        if (! M.is_object ())
        {
            RepondreErreur (nullptr, InvalidRequest, "le message doit être un objet JSON");
            return;
        }
        const auto ItId = M.find ("id");
        const bool EstRequete = ItId != M.end ();
        json Id = EstRequete ? * ItId : json ();
        if (EstRequete && ! Id.is_number_integer () && ! Id.is_string () && ! Id.is_null ())
        {
            RepondreErreur (nullptr, InvalidRequest, "identifiant de requête invalide");
            return;
        }
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
                else if (Methode == "textDocument/didOpen") Ouvrir (Params);
                else if (Methode == "textDocument/didChange") Changer (Params);
                else if (Methode == "textDocument/didClose") Fermer (Params);
                // initialized, $/cancelRequest (tout est traite dans l'ordre), le reste : rien a faire.
                return;
            }
            if (Arrete) return RepondreErreur (Id, InvalidRequest, "le serveur a reçu shutdown : seul exit est attendu");
            if (Methode == "initialize")
            {
                if (Initialise) return RepondreErreur (Id, InvalidRequest, "initialize déjà reçu");
                json Resultat = Initialiser (Params);
                Initialise = true;
                return Repondre (Id, std::move (Resultat));
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
                return Repondre (Id, VoirCpp (A.is_string () ? A.get <std::string> () : Chaine (A, "uri")));
            }
            if (Methode == "tramelo/voirCpp") return Repondre (Id, VoirCpp (Chaine (Champ (Params, "textDocument"), "uri")));
            RepondreErreur (Id, MethodNotFound, "méthode inconnue : " + Methode);
        }
        catch (const CParamsInvalides & E)
        {
            if (EstRequete) RepondreErreur (Id, InvalidParams, std::string ("paramètres invalides : ") + E.what ());
            else Signaler (Methode + " ignoré : " + E.what ());
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

    json CServeur::Initialiser (const json & Params)
    {
        const json & Format = Facultatif (Params, { "capabilities", "textDocument", "hover", "contentFormat" });
        // Sans contentFormat, le client n'a promis que le texte brut.
        SurvolMarkdown = Format.is_array () && std::find (Format.begin (), Format.end (), "markdown") != Format.end ();
        const json & Hierarchie = Facultatif (Params, { "capabilities", "textDocument", "documentSymbol",
                                                        "hierarchicalDocumentSymbolSupport" });
        SymbolesHierarchiques = Hierarchie.is_boolean () && Hierarchie.get <bool> ();

        const json & Tab = Facultatif (Params, { "initializationOptions", "tailleTabulation" });
        if (Tab.is_number_unsigned () && Tab.get <std::uint64_t> () >= 1 && Tab.get <std::uint64_t> () <= MaxTailleTabulation)
            TailleTab = Tab.get <unsigned> ();
        else if (! Tab.is_null ())
            Signaler ("tailleTabulation ignorée : entier de 1 à " + std::to_string (MaxTailleTabulation) + " attendu", 2);
        const json & Aides = Facultatif (Params, { "initializationOptions", "aidesDansMessage" });
        if (Aides.is_boolean ()) AidesDansMessage = Aides.get <bool> ();

        return {
            { "capabilities", {
                { "positionEncoding", "utf-16" },
                { "textDocumentSync", { { "openClose", true }, { "change", 2 } } },
                { "hoverProvider", true },
                { "documentSymbolProvider", true },
                { "executeCommandProvider", { { "commands", { "tramelo.voirCpp" } } } } } },
            { "serverInfo", { { "name", "tramelo-lsp" }, { "version", TRAMELO_VERSION } } } };
    }

    // ---- Documents ----

    SDocument & CServeur::Trouver (const json & Params)
    {
        const std::string & Uri = Chaine (Champ (Params, "textDocument"), "uri");
        const auto It = Documents.find (Uri);
        if (It == Documents.end ()) throw CParamsInvalides ("document non ouvert : " + Uri);
        return It->second;
    }

    void CServeur::Modifier (SDocument & Doc)
    {
        Doc.Lignes.Calculer (Doc.Texte);
        Doc.Analyse = false;
        Doc.APublier = true;
    }

    void CServeur::Ouvrir (json & Params)
    {
        json & Document = ChampModifiable (Params, "textDocument");
        const std::string Uri = Chaine (Document, "uri");
        Chaine (Document, "text");
        SDocument & Doc = Documents [Uri];
        Doc = SDocument ();
        Doc.Uri = Uri;
        // Le texte est pris au message sans copie : un source de 256 Mo ne doit pas peser double.
        Doc.Texte = std::move (Document ["text"].get_ref <std::string &> ());
        const json & Version = Facultatif (Document, { "version" });
        if (Version.is_number_integer ()) Doc.Version = Version.get <std::int64_t> ();
        Modifier (Doc);
    }

    void CServeur::Changer (json & Params)
    {
        SDocument & Doc = Trouver (Params);
        json & Changements = ChampModifiable (Params, "contentChanges");
        if (! Changements.is_array ()) throw CParamsInvalides ("contentChanges : tableau attendu");
        const json & Version = Facultatif (Params, { "textDocument", "version" });
        if (Version.is_number_integer ()) Doc.Version = Version.get <std::int64_t> ();
        // Les changements s'appliquent l'un apres l'autre, chacun sur le texte laisse par le precedent.
        for (json & C : Changements)
        {
            Chaine (C, "text");
            std::string & Nouveau = C ["text"].get_ref <std::string &> ();
            const auto ItIntervalle = C.find ("range");
            if (ItIntervalle == C.end () || ItIntervalle->is_null ())
                Doc.Texte = std::move (Nouveau);
            else
            {
                std::size_t A = Octet (Doc, Champ (* ItIntervalle, "start"));
                std::size_t B = Octet (Doc, Champ (* ItIntervalle, "end"));
                if (B < A) std::swap (A, B);
                Doc.Texte.replace (A, B - A, Nouveau);
            }
            Modifier (Doc);
        }
        // La memoire d'un texte qui a beaucoup raccourci est rendue.
        if (Doc.Texte.capacity () > 2 * Doc.Texte.size () + 4096) Doc.Texte.shrink_to_fit ();
    }

    void CServeur::Fermer (const json & Params)
    {
        const std::string Uri = Chaine (Champ (Params, "textDocument"), "uri");
        if (Documents.erase (Uri) == 0) return;
        // Les diagnostics d'un document ferme disparaissent de l'editeur.
        Envoyer ({ { "jsonrpc", "2.0" }, { "method", "textDocument/publishDiagnostics" },
                   { "params", { { "uri", Uri }, { "diagnostics", json::array () } } } });
    }

    std::size_t CServeur::Octet (const SDocument & Doc, const json & Position) const
    {
        SPositionLsp P;
        P.Ligne = Naturel (Position, "line");
        P.Caractere = Naturel (Position, "character");
        return Doc.Lignes.VersOctet (Doc.Texte, P);
    }

    json CServeur::Intervalle (const SDocument & Doc, std::size_t Debut, std::size_t Fin) const
    {
        const SPositionLsp A = Doc.Lignes.VersLsp (Doc.Texte, Debut);
        const SPositionLsp B = Doc.Lignes.VersLsp (Doc.Texte, std::max (Debut, Fin), true);
        return { { "start", { { "line", A.Ligne }, { "character", A.Caractere } } },
                 { "end", { { "line", B.Ligne }, { "character", B.Caractere } } } };
    }

    // Le texte tamponne a les tabulations developpees : meme ligne, colonne recalculee.
    std::size_t CServeur::VersOrigine (const SDocument & Doc, std::size_t Decalage) const
    {
        if (Doc.DebutsSource.empty () || Doc.FinLignes.empty ()) return std::min (Decalage, Doc.Texte.size ());
        const std::size_t Index = std::upper_bound (Doc.FinLignes.begin (), Doc.FinLignes.end (), Decalage)
                                - Doc.FinLignes.begin ();
        if (Index >= Doc.DebutsSource.size ()) return Doc.Texte.size ();
        const std::size_t Colonne = Decalage - (Index == 0 ? 0 : Doc.FinLignes [Index - 1]);
        std::size_t i = Doc.DebutsSource [Index], C = 0;
        while (i < Doc.Texte.size () && Doc.Texte [i] != '\n')
        {
            const std::size_t Largeur = Doc.Texte [i] == '\t' ? TailleTab - C % TailleTab : 1;
            if (C + Largeur > Colonne) break;
            C += Largeur;
            ++i;
        }
        return i;
    }

    std::size_t CServeur::VersTamponne (const SDocument & Doc, std::size_t Octet) const
    {
        if (Doc.DebutsSource.empty () || Doc.FinLignes.empty ()) return Octet;
        const std::size_t Index = std::upper_bound (Doc.DebutsSource.begin (), Doc.DebutsSource.end (), Octet)
                                - Doc.DebutsSource.begin () - 1;
        std::size_t C = 0;
        for (std::size_t i = Doc.DebutsSource [Index]; i < Octet && i < Doc.Texte.size (); ++i)
            C += Doc.Texte [i] == '\t' ? TailleTab - C % TailleTab : 1;
        if (Index > Doc.FinLignes.size ()) return Octet;
        return (Index == 0 ? 0 : Doc.FinLignes [Index - 1]) + C;
    }

    void CServeur::Analyser (SDocument & Doc)
    {
        if (Doc.Analyse) return;
        SOptions Options;
        Options.TailleTab = TailleTab;
        SVerification V = Verifier (Doc.Texte, Options);
        Doc.Journal = std::move (V.Traduction.Journal);
        Doc.FinLignes = std::move (V.Traduction.FinLignes);
        Doc.DebutsSource.clear ();
        if (Doc.Texte.find ('\t') != std::string::npos)
        {
            Doc.DebutsSource.push_back (0);
            for (std::size_t i = 0; i < Doc.Texte.size (); ++i)
                if (Doc.Texte [i] == '\n') Doc.DebutsSource.push_back (i + 1);
        }
        Doc.Diagnostics = json::array ();
        bool ErreurVue = false;
        for (const SDiagnosticExplique & D : V.Diagnostics)
        {
            std::size_t Debut = std::min (D.Position.DecalageOrigine, Doc.Texte.size ());
            // La longueur se compte dans le texte tamponne : une tabulation dans l'etendue y prend
            // plusieurs colonnes.
            std::size_t Fin = Doc.DebutsSource.empty () ? std::min (Debut + D.Longueur, Doc.Texte.size ())
                                                        : std::max (Debut, VersOrigine (Doc, D.Position.Decalage + D.Longueur));
            // Sans mot a cet endroit : le seul caractere, s'il y en a un sur la ligne.
            if (Fin == Debut && Debut < Doc.Texte.size () && Doc.Texte [Debut] != '\n' && Doc.Texte [Debut] != '\r')
                Fin = Debut + 1;
            std::string Message = D.Message;
            json Liees = json::array ();
            for (const SAide & A : D.Aides)
            {
                const std::string Ligne = (A.Note ? "note : " : "aide : ") + A.Texte;
                if (AidesDansMessage) Message += '\n' + Ligne;
                Liees.push_back ({ { "location", { { "uri", Doc.Uri }, { "range", Intervalle (Doc, Debut, Fin) } } },
                                   { "message", Ligne } });
            }
            json J = { { "range", Intervalle (Doc, Debut, Fin) },
                       { "severity", D.Gravite == EGravite::Erreur ? 1 : 2 },
                       { "code", D.Code }, { "source", "tramelo" }, { "message", Message } };
            if (! Liees.empty ()) J ["relatedInformation"] = std::move (Liees);
            Doc.Diagnostics.push_back (std::move (J));
            ErreurVue = ErreurVue || D.Gravite == EGravite::Erreur;
        }
        // Erreur sans position (source trop volumineux...) : au debut du document.
        const auto & E = V.Traduction.Erreur;
        if (E && ! E->Positionne && ! ErreurVue)
            Doc.Diagnostics.push_back ({ { "range", Intervalle (Doc, 0, 0) }, { "severity", 1 },
                                         { "code", E->Code }, { "source", "tramelo" }, { "message", E->Message } });
        Doc.Analyse = true;
    }

    void CServeur::Publier ()
    {
        for (auto & [Uri, Doc] : Documents)
        {
            if (! Doc.APublier) continue;
            try
            {
                Analyser (Doc);
            }
            catch (const std::exception & E)
            {
                Doc.Diagnostics = json::array ();
                Signaler ("analyse impossible de " + Uri + " : " + E.what ());
            }
            Doc.APublier = false;
            Envoyer ({ { "jsonrpc", "2.0" }, { "method", "textDocument/publishDiagnostics" },
                       { "params", { { "uri", Uri }, { "version", Doc.Version },
                                     { "diagnostics", Doc.Diagnostics } } } });
        }
    }

    // ---- Requetes ----

    json CServeur::Survol (const json & Params)
    {
        SDocument & Doc = Trouver (Params);
        const std::size_t Pos = Octet (Doc, Champ (Params, "position"));
        Analyser (Doc);
        const std::string & T = Doc.Texte;
        std::size_t A = Pos;
        if ((A >= T.size () || ! IsAlnum (T [A])) && A > 0 && IsAlnum (T [A - 1])) --A;
        if (A >= T.size () || ! IsAlnum (T [A])) return nullptr;
        std::size_t B = A;
        while (A > 0 && IsAlnum (T [A - 1])) --A;
        while (B < T.size () && IsAlnum (T [B])) ++B;
        const std::string Mot = T.substr (A, B - A);

        std::string Texte, Forme;
        const SDescription * Desc = TrouverDescription (Mot);
        const SDeclaration * Decl = nullptr;
        if (! IsIdentReserve (Mot))
        {
            // La declaration la plus interne de ce nom dont la portee couvre le mot ; les unites
            // valent partout.
            const std::size_t Ici = VersTamponne (Doc, A);
            const SDeclaration * Unite = nullptr;
            for (const SDeclaration & D : Doc.Journal.Declarations)
            {
                if (D.Nom != Mot) continue;
                if (IsUnite (D.Nature)) Unite = & D;
                else if (D.Decalage <= Ici && Ici < D.FinPortee && (! Decl || D.Decalage >= Decl->Decalage))
                    Decl = & D;
            }
            if (! Decl) Decl = Unite;
        }
        if (Decl)
        {
            Texte = DecrireDeclaration (Doc.Journal, * Decl);
            const std::size_t Saut = Texte.find ('\n');
            if (Saut != std::string::npos)
            {
                Forme = Texte.substr (Saut + 1);
                Texte.resize (Saut);
            }
        }
        else if (Desc)
        {
            Texte = Desc->Explication;
            Forme = Desc->Forme;
        }
        else return nullptr;

        std::string Valeur = Texte;
        if (! Forme.empty ())
            Valeur += SurvolMarkdown ? "\n\n```algo\n" + Forme + "\n```" : "\n" + Forme;
        return { { "contents", { { "kind", SurvolMarkdown ? "markdown" : "plaintext" }, { "value", Valeur } } },
                 { "range", Intervalle (Doc, A, B) } };
    }

    json CServeur::Symboles (const json & Params)
    {
        SDocument & Doc = Trouver (Params);
        Analyser (Doc);
        const std::string & Uri = Chaine (Champ (Params, "textDocument"), "uri");
        const SJournal & J = Doc.Journal;
        json Resultat = json::array ();
        for (std::size_t u = 0; u < J.Unites.size (); ++u)
        {
            const SUnite & U = J.Unites [u];
            if (U.Nom.empty () || U.Declaration >= J.Declarations.size ()) continue;
            const SDeclaration & Nom = J.Declarations [U.Declaration];
            const std::size_t Debut = VersOrigine (Doc, U.Debut);
            const std::size_t Fin = U.Fin == PorteeOuverte ? Doc.Texte.size () : VersOrigine (Doc, U.Fin);
            const std::size_t DebutNom = VersOrigine (Doc, Nom.Decalage);
            const json Tout = Intervalle (Doc, Debut, Fin), Selection = Intervalle (Doc, DebutNom, DebutNom + Nom.Nom.size ());
            const std::string Detail = U.Nature == ENature::Algorithme ? "algorithme"
                                     : U.Nature == ENature::Procedure ? "procédure"
                                     : "fonction renvoyant " + NomType (U.TypeRetour);
            // Les noms declares dans l'unite, jusqu'au nom de l'unite suivante.
            // (Une unite suivante sans nom, arretee par une erreur avant lui, ne borne rien.)
            const bool Suivante = u + 1 < J.Unites.size () && ! J.Unites [u + 1].Nom.empty ();
            const std::size_t FinDecl = Suivante ? std::min (J.Unites [u + 1].Declaration, J.Declarations.size ())
                                                 : J.Declarations.size ();
            json Enfants = json::array ();
            if (! SymbolesHierarchiques)
                Resultat.push_back ({ { "name", U.Nom }, { "kind", GenreSymbole (U.Nature) },
                                      { "location", { { "uri", Uri }, { "range", Tout } } } });
            for (std::size_t d = U.Declaration + 1; d < FinDecl; ++d)
            {
                const SDeclaration & D = J.Declarations [d];
                if (IsUnite (D.Nature)) continue;
                const std::size_t p = VersOrigine (Doc, D.Decalage);
                std::string Description = DecrireDeclaration (J, D);
                Description.erase (0, D.Nom.size () + 3);
                const json I = Intervalle (Doc, p, p + D.Nom.size ());
                if (SymbolesHierarchiques)
                    Enfants.push_back ({ { "name", D.Nom }, { "detail", Description }, { "kind", GenreSymbole (D.Nature) },
                                         { "range", I }, { "selectionRange", I } });
                else
                    Resultat.push_back ({ { "name", D.Nom }, { "kind", GenreSymbole (D.Nature) },
                                          { "location", { { "uri", Uri }, { "range", I } } }, { "containerName", U.Nom } });
            }
            if (SymbolesHierarchiques)
                Resultat.push_back ({ { "name", U.Nom }, { "detail", Detail }, { "kind", GenreSymbole (U.Nature) },
                                      { "range", Tout }, { "selectionRange", Selection }, { "children", std::move (Enfants) } });
        }
        return Resultat;
    }

    json CServeur::VoirCpp (const std::string & Uri)
    {
        const auto It = Documents.find (Uri);
        if (It == Documents.end ()) throw CParamsInvalides ("document non ouvert : " + Uri);
        SOptions Options;
        Options.TailleTab = TailleTab;
        STraduction T = Traduire (It->second.Texte, Options);
        return { { "cpp", std::move (T.Cpp) }, { "statut", T.Statut },
                 { "message", T.Erreur ? json (T.Erreur->Libelle) : json (nullptr) } };
    }
}
