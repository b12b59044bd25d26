// Liaison JavaScript de la bibliotheque, pour la version WebAssembly (embind) : la page web et
// tramelo-wasm.mjs n'appellent que ces fonctions. Rien n'y traduit : les structures de la
// bibliotheque deviennent des objets JavaScript simples. Les textes qui peuvent porter des
// octets du source (C++, messages, libelles) passent en Uint8Array, sans decodage, pour rester
// exacts a l'octet ; le source est donne en Uint8Array (octets) ou en chaine (encodee en UTF-8).
#include "bibliotheque/Tramelo.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using emscripten::val;
using nsTramelo::EErreurOutil;

namespace
{
    // Copie des octets dans un Uint8Array : la memoire du module peut etre deplacee ensuite.
    val Octets (const std::string & Texte)
    {
        const auto Vue = emscripten::typed_memory_view (Texte.size (),
                                                        reinterpret_cast <const unsigned char *> (Texte.data ()));
        return val::global ("Uint8Array").new_ (Vue);
    }

    // Options JavaScript { tailleTab, verifie }, toutes facultatives. Une largeur qui n'est pas un
    // entier de 1 a 2^32 - 1 devient 0, que Traduire refuse (253) comme Tramelo.
    nsTramelo::SOptions LireOptions (const val & Options)
    {
        nsTramelo::SOptions O;
        if (Options.isUndefined () || Options.isNull ()) return O;
        const val Tab = Options ["tailleTab"];
        if (! Tab.isUndefined ())
        {
            const double T = Tab.isNumber () ? Tab.as <double> () : 0.0;
            O.TailleTab = T >= 1 && T <= 4294967295.0 && std::floor (T) == T ? static_cast <unsigned> (T) : 0;
        }
        return O;
    }

    // Pour traduire seulement : { verifie, nomSource } demandent le C++ du profil verifie (controles
    // d'execution, lignes attribuees a nomSource, "programme.algo" par defaut). Les diagnostics,
    // eux, viennent toujours du profil standard, celui de Tramelo.
    nsTramelo::SOptions LireOptionsTraduction (const val & Options)
    {
        nsTramelo::SOptions O = LireOptions (Options);
        if (Options.isUndefined () || Options.isNull () || ! Options ["verifie"].isTrue ()) return O;
        O.Verifie = true;
        const val Nom = Options ["nomSource"];
        O.NomSource = Nom.isString () && ! Nom.as <std::string> ().empty () ? Nom.as <std::string> () : "programme.algo";
        O.NomCpp = O.NomSource.size () > 5 && O.NomSource.compare (O.NomSource.size () - 5, 5, ".algo") == 0
                 ? O.NomSource.substr (0, O.NomSource.size () - 5) + ".cpp" : O.NomSource + ".cpp";
        return O;
    }

    val Nombre (std::size_t N) { return val (static_cast <double> (N)); }

    val Erreur (const nsTramelo::SDiagnostic & D)
    {
        val E = val::object ();
        E.set ("code", D.Code);
        E.set ("message", Octets (D.Message));
        E.set ("libelle", Octets (D.Libelle));
        E.set ("positionne", D.Positionne);
        E.set ("ligneSignalee", Nombre (D.LigneSignalee));
        E.set ("ligne", Nombre (D.Arret.Ligne));
        E.set ("colonne", Nombre (D.Arret.Colonne));
        E.set ("decalage", Nombre (D.Arret.DecalageOrigine));
        E.set ("longueur", Nombre (D.Longueur));
        return E;
    }

    val Traduction (const nsTramelo::STraduction & R)
    {
        val T = val::object ();
        T.set ("cpp", Octets (R.Cpp));
        T.set ("statut", R.Statut);
        T.set ("erreur", R.Erreur ? Erreur (* R.Erreur) : val::null ());
        return T;
    }

    // Les diagnostics expliques (erreurs et avertissements), chacun avec sa gravite, sa place
    // (celle de la faute, qui peut differer de celle de Tramelo) et ses lignes d'aide.
    val Diagnostics (const nsTramelo::SVerification & V)
    {
        val Liste = val::array ();
        for (const nsTramelo::SDiagnosticExplique & D : V.Diagnostics)
        {
            val E = val::object ();
            E.set ("severite", std::string (D.Gravite == nsTramelo::EGravite::Erreur ? "erreur" : "attention"));
            E.set ("code", D.Code);
            E.set ("message", Octets (D.Message));
            E.set ("positionne", D.Positionne);
            E.set ("ligne", Nombre (D.Position.Ligne));
            E.set ("colonne", Nombre (D.Position.Colonne));
            E.set ("decalage", Nombre (D.Position.DecalageOrigine));
            E.set ("longueur", Nombre (D.Longueur));
            val Aides = val::array ();
            for (const nsTramelo::SAide & A : D.Aides)
            {
                val Ligne = val::object ();
                Ligne.set ("genre", std::string (A.Note ? "note" : "aide"));
                Ligne.set ("texte", Octets (A.Texte));
                Aides.call <void> ("push", Ligne);
            }
            E.set ("aides", Aides);
            Liste.call <void> ("push", E);
        }
        return Liste;
    }

    val Traduire (const std::string & Source, const val & Options)
    {
        return Traduction (nsTramelo::Traduire (Source, LireOptionsTraduction (Options)));
    }

    val ListerDiagnostics (const std::string & Source, const val & Options)
    {
        return Diagnostics (nsTramelo::Verifier (Source, LireOptions (Options)));
    }

    // Traduction et diagnostics d'un meme source en un appel (la page, a chaque frappe).
    val Analyser (const std::string & Source, const val & Options)
    {
        const nsTramelo::SVerification V = nsTramelo::Verifier (Source, LireOptions (Options));
        val A = Traduction (V.Traduction);
        A.set ("diagnostics", Diagnostics (V));
        return A;
    }

    val Refus (unsigned Code, const std::string & Libelle)
    {
        val R = val::object ();
        R.set ("statut", Code);
        R.set ("libelle", Octets (Libelle));
        return R;
    }

    val Refus (EErreurOutil E, const std::string & Suite = "")
    {
        return Refus (nsTramelo::CodeErreurOutil (E), nsTramelo::TexteErreurOutil (E) + Suite);
    }

    // La ligne de commande de Tramelo (sans le nom du programme) : { statut: 0, tailleTab } ou
    // le refus { statut: 253, libelle }, avec les verifications et les textes de Tramelo.
    val LireArguments (const val & Args)
    {
        std::vector <std::string> V;
        const unsigned Nb = Args ["length"].as <unsigned> ();
        for (unsigned i = 0; i < Nb; ++i) V.push_back (Args [i].as <std::string> ());
        nsTramelo::SOptions O;
        nsTramelo::SRefus Refuse;
        if (! nsTramelo::LireArguments (V, O, Refuse)) return Refus (Refuse.Statut, Refuse.Libelle);
        val R = val::object ();
        R.set ("statut", 0);
        R.set ("tailleTab", O.TailleTab);
        return R;
    }

    // Les refus de Tramelo qui viennent de la lecture du fichier et de l'ecriture du C++, faites
    // en JavaScript par tramelo-wasm.mjs.
    val RefusOuverture (const std::string & Nom) { return Refus (EErreurOutil::OuvertureFichier, Nom); }

    val RefusSourceTropGrand () { return Refus (EErreurOutil::ExceptionStandard, nsTramelo::TexteSourceTropGrand ()); }

    val RefusSortieImpossible () { return Refus (EErreurOutil::ExceptionStandard, nsTramelo::TexteSortieImpossible ()); }

    // Ce que Tramelo ecrit pour une erreur qu'il ne connait pas (ici : une exception JavaScript
    // pendant la traduction, pile du navigateur epuisee par exemple).
    val RefusInconnu () { return Refus (EErreurOutil::ExceptionInconnue); }

    double TailleMaxSource () { return static_cast <double> (nsTramelo::MaxTailleSource); }

    // L'organigramme du source : { statut, texte, refus, diagnostics }. Options : celles de
    // diagnostics, plus { format: "svg" | "dot" | "mermaid", unite, titre }. texte est vide si
    // statut n'est pas 0 (erreur du source : son code et ses diagnostics ; 253 unite inconnue ;
    // 254 trop de formes, refus dit pourquoi).
    val Organigramme (const std::string & Source, const val & Options)
    {
        nsTramelo::SDemandeOrganigramme D;
        if (! Options.isUndefined () && ! Options.isNull ())
        {
            const val Format = Options ["format"];
            if (Format.isString () && ! nsTramelo::LireFormatOrganigramme (Format.as <std::string> (), D.Format))
            {
                val R = val::object ();
                R.set ("statut", nsTramelo::StatutUniteInconnue);
                R.set ("texte", Octets (""));
                R.set ("refus", Octets ("format inconnu : " + Format.as <std::string> () + " (svg, dot ou mermaid)"));
                R.set ("diagnostics", val::array ());
                return R;
            }
            const val Unite = Options ["unite"];
            if (Unite.isString ()) D.Unite = Unite.as <std::string> ();
            const val Titre = Options ["titre"];
            if (Titre.isString ()) D.Titre = Titre.as <std::string> ();
        }
        const nsTramelo::SOrganigrammeProduit P = nsTramelo::ProduireOrganigramme (Source, LireOptions (Options), D);
        val R = val::object ();
        R.set ("statut", P.Statut);
        R.set ("texte", Octets (P.Texte));
        R.set ("refus", Octets (P.Refus));
        R.set ("diagnostics", Diagnostics (P.Verification));
        return R;
    }

    // Une execution du programme par l'interpreteur de la bibliotheque (la page : Executer, Pas a
    // pas). Options : { tailleTab, nomSource, pasAPas, graine, memoire }, toutes facultatives.
    // Le source est traduit avec le profil verifie (les messages d'erreur d'execution nomment
    // nomSource) ; pret () est faux si le source est refuse ou ne peut pas etre execute, refus ()
    // dit pourquoi. L'objet JavaScript doit etre libere par delete ().
    class CExecutionWeb
    {
      public :
        CExecutionWeb (const std::string & Source, const val & Options)
        {
            nsTramelo::SOptions O = LireOptions (Options);
            O.Verifie = true;
            O.NomSource = "programme.algo";
            if (! Options.isUndefined () && ! Options.isNull ())
            {
                const val Nom = Options ["nomSource"];
                if (Nom.isString () && ! Nom.as <std::string> ().empty ()) O.NomSource = Nom.as <std::string> ();
            }
            O.NomCpp = O.NomSource + ".cpp";
            if (O.TailleTab == 0)
            {
                Rejet = "largeur de tabulation invalide";
                return;
            }
            const nsTramelo::STraduction T = nsTramelo::Traduire (Source, O);
            if (T.Erreur)
            {
                // Le source est refuse : la page montre deja ses diagnostics.
                Rejet = T.Erreur->Libelle;
                return;
            }
            nsTramelo::SOptionsExecution E;
            E.NomSource = O.NomSource;
            E.TailleTab = O.TailleTab;
            if (! Options.isUndefined () && ! Options.isNull ())
            {
                E.PasAPas = Options ["pasAPas"].isTrue ();
                const val Graine = Options ["graine"];
                if (Graine.isNumber () && Graine.as <double> () >= 1) E.Graine = static_cast <std::uint64_t> (Graine.as <double> ());
                const val Memoire = Options ["memoire"];
                if (Memoire.isNumber () && Memoire.as <double> () >= 1) E.Limites.Memoire = static_cast <std::size_t> (Memoire.as <double> ());
            }
            X = std::make_unique <nsTramelo::CExecution> (T, Source, E);
            if (! X->Pret ()) Rejet = X->Refus ();
        }

        bool Pret () const { return X && X->Pret (); }
        val Refus () const { return Octets (Rejet); }

        void AjouterEntree (const std::string & O) { if (Pret ()) X->AjouterEntree (O); }
        void FermerEntree () { if (Pret ()) X->FermerEntree (); }
        void PasAPas (bool Actif) { if (Pret ()) X->PasAPas (Actif); }

        // La raison de l'arret : "fini", "erreur", "entree", "budget", "pas" ou "limite".
        std::string Executer (double Budget)
        {
            if (! Pret ()) return "erreur";
            const std::uint64_t B = Budget >= 1 ? static_cast <std::uint64_t> (Budget) : 1;
            switch (X->Executer (B))
            {
                case nsTramelo::EArret::Fini :   return "fini";
                case nsTramelo::EArret::Erreur : return "erreur";
                case nsTramelo::EArret::Entree : return "entree";
                case nsTramelo::EArret::Budget : return "budget";
                case nsTramelo::EArret::Pas :    return "pas";
                case nsTramelo::EArret::Limite : return "limite";
            }
            return "erreur";
        }

        val PrendreSortie () { return Octets (Pret () ? X->PrendreSortie () : std::string ()); }

        // [{ ligne, numeroLigne, texte, nom, valeur, profondeur, renvoi }] : textes en octets ;
        // renvoi : la valeur que renvoie la fonction nom.
        val PrendreSuivi ()
        {
            val Liste = val::array ();
            if (! Pret ()) return Liste;
            for (const nsTramelo::SEvenementSuivi & S : X->PrendreSuivi ())
            {
                val E = val::object ();
                E.set ("ligne", S.Ligne);
                E.set ("numeroLigne", Nombre (S.NumeroLigne));
                E.set ("texte", Octets (S.Texte));
                E.set ("nom", Octets (S.Nom));
                E.set ("valeur", Octets (S.Valeur));
                E.set ("profondeur", Nombre (S.Profondeur));
                E.set ("renvoi", S.Genre == nsTramelo::ESuivi::Renvoi);
                Liste.call <void> ("push", E);
            }
            return Liste;
        }

        int Statut () const { return Pret () ? X->Statut () : 1; }

        // { message, texte, positionnee, ligne, colonne, decalage } (decalage : octets du source ;
        // texte : la ligne d'erreur suivie de ses lignes "note : " et "aide : ").
        val Erreur () const
        {
            val E = val::object ();
            if (! Pret ())
            {
                E.set ("message", Octets (Rejet));
                E.set ("texte", Octets (Rejet));
                E.set ("positionnee", false);
                E.set ("ligne", 0);
                E.set ("colonne", 0);
                E.set ("decalage", 0);
                return E;
            }
            const nsTramelo::SErreurExecution & R = X->ErreurExecution ();
            E.set ("message", Octets (R.Message));
            // Le texte entier, comme le programme compile l'ecrit : la ligne, ses notes et aides.
            E.set ("texte", Octets (R.Notes.empty () ? R.Texte : R.Texte + '\n' + R.Notes));
            E.set ("positionnee", R.Positionnee);
            E.set ("ligne", Nombre (R.Ligne));
            E.set ("colonne", Nombre (R.Colonne));
            E.set ("decalage", Nombre (R.Decalage));
            return E;
        }

        // { valide, ligne, debut, fin, profondeur } : debut et fin en octets du source.
        val Position () const
        {
            val P = val::object ();
            const nsTramelo::SPositionCourante C = Pret () ? X->PositionCourante () : nsTramelo::SPositionCourante {};
            P.set ("valide", C.Valide);
            P.set ("ligne", Nombre (C.Ligne));
            P.set ("debut", Nombre (C.Debut));
            P.set ("fin", Nombre (C.Fin));
            P.set ("profondeur", Nombre (C.Profondeur));
            return P;
        }

        // [{ nom, valeur }] de l'unite en cours, en octets.
        val Variables () const
        {
            val Liste = val::array ();
            if (! Pret ()) return Liste;
            for (const nsTramelo::SVariableVisible & V : X->Variables ())
            {
                val E = val::object ();
                E.set ("nom", Octets (V.Nom));
                E.set ("valeur", Octets (V.Valeur));
                Liste.call <void> ("push", E);
            }
            return Liste;
        }

        double PasExecutes () const { return Pret () ? static_cast <double> (X->PasExecutes ()) : 0.0; }

      private :
        std::unique_ptr <nsTramelo::CExecution> X;
        std::string Rejet;
    };

    // Un exercice ouvert par un lien (« Vérifier ») : { titre, temps, memoire, limite_sortie,
    // tests: [{ nom, points, comparaison, tolerance, entree, sortie }] }, deja verifie par la
    // page ; une valeur absente ou hors bornes garde sa valeur par defaut. Tous ses tests sont
    // visibles : un lien n'en porte pas d'autres.
    double NombreBorne (const val & V, double Min, double Max, double Defaut)
    {
        if (! V.isNumber ()) return Defaut;
        const double N = V.as <double> ();
        return N >= Min && N <= Max ? N : Defaut;
    }

    std::string Texte (const val & V) { return V.isString () || V.instanceof (val::global ("Uint8Array")) ? V.as <std::string> () : ""; }

    nsTramelo::STestExercice TestDeJs (const val & T)
    {
        nsTramelo::STestExercice X;
        if (T.isUndefined () || T.isNull ()) return X;
        X.Nom = Texte (T ["nom"]);
        X.Points = static_cast <unsigned> (NombreBorne (T ["points"], 0, 1000, 1));
        if (! nsTramelo::ComparaisonDuNom (Texte (T ["comparaison"]), X.Comparaison)) X.Comparaison = nsTramelo::EComparaison::Exacte;
        X.Tolerance = NombreBorne (T ["tolerance"], 0, 1e6, X.Tolerance);
        X.Entree = Texte (T ["entree"]);
        X.Sortie = Texte (T ["sortie"]);
        return X;
    }

    // AvecTests faux : seulement le titre et les limites (juger un test n'a besoin que d'elles).
    nsTramelo::SExercice ExerciceDeJs (const val & O, bool AvecTests)
    {
        nsTramelo::SExercice E;
        if (O.isUndefined () || O.isNull ()) return E;
        E.Titre = Texte (O ["titre"]);
        E.Temps = static_cast <unsigned> (NombreBorne (O ["temps"], 1, nsTramelo::MaxTempsExercice, E.Temps));
        E.Memoire = static_cast <unsigned long> (NombreBorne (O ["memoire"], 1, nsTramelo::MaxMemoireExercice, static_cast <double> (E.Memoire)));
        E.LimiteSortie = static_cast <unsigned long> (NombreBorne (O ["limite_sortie"], 1, nsTramelo::MaxSortieExercice,
                                                                   static_cast <double> (E.LimiteSortie)));
        const val Tests = O ["tests"];
        const std::size_t n = AvecTests && Tests.isArray () ? Tests ["length"].as <std::size_t> () : 0;
        for (std::size_t i = 0; i < n; ++i) E.Tests.push_back (TestDeJs (Tests [i]));
        return E;
    }

    // Le compte rendu de « Vérifier », le texte meme de tramelo-exec --tester (en octets).
    val EnteteCompteRendu (const val & Exercice) { return Octets (nsTramelo::EnteteCompteRendu (ExerciceDeJs (Exercice, true))); }
    val BilanCompteRendu (const val & Exercice, double Reussis)
    {
        return Octets (nsTramelo::BilanCompteRendu (ExerciceDeJs (Exercice, true), Reussis >= 0 ? static_cast <std::size_t> (Reussis) : 0));
    }

    // Juge le test Test de l'exercice (ses limites) sur une execution { statut, tempsDepasse,
    // sortieDepassee, sortie, erreurs } : { reussi, verdict, texte } (verdict : le mot des rapports).
    val JugerTest (const val & Exercice, const val & Test, const val & Execution)
    {
        const nsTramelo::SExercice E = ExerciceDeJs (Exercice, false);
        const nsTramelo::STestExercice T = TestDeJs (Test);
        val R = val::object ();
        nsTramelo::SSortieTest S;
        S.Statut = static_cast <int> (NombreBorne (Execution ["statut"], -1e9, 1e9, 0));
        S.TempsDepasse = Execution ["tempsDepasse"].isTrue ();
        S.SortieDepassee = Execution ["sortieDepassee"].isTrue ();
        S.Sortie = Texte (Execution ["sortie"]);
        S.Erreurs = Texte (Execution ["erreurs"]);
        const nsTramelo::SResultatTest J = nsTramelo::JugerTest (T, S);
        R.set ("reussi", J.Verdict == nsTramelo::EVerdict::Reussi);
        R.set ("verdict", nsTramelo::MotVerdict (J.Verdict));
        R.set ("texte", Octets (nsTramelo::CompteRenduTest (E, T, J)));
        return R;
    }

    // Les mots reserves et leur categorie de coloration : [{ categorie, mot }].
    val Vocabulaire ()
    {
        val V = val::array ();
        for (const nsTramelo::SMotColore & M : nsTramelo::ListerVocabulaire ())
        {
            val Mot = val::object ();
            Mot.set ("categorie", M.Categorie);
            Mot.set ("mot", M.Mot);
            V.call <void> ("push", Mot);
        }
        return V;
    }
}

EMSCRIPTEN_BINDINGS (tramelo)
{
    emscripten::function ("traduire", & Traduire);
    emscripten::function ("diagnostics", & ListerDiagnostics);
    emscripten::function ("analyser", & Analyser);
    emscripten::function ("vocabulaire", & Vocabulaire);
    emscripten::function ("lireArguments", & LireArguments);
    emscripten::function ("refusOuverture", & RefusOuverture);
    emscripten::function ("refusSourceTropGrand", & RefusSourceTropGrand);
    emscripten::function ("refusSortieImpossible", & RefusSortieImpossible);
    emscripten::function ("refusInconnu", & RefusInconnu);
    emscripten::function ("tailleMaxSource", & TailleMaxSource);
    emscripten::function ("organigramme", & Organigramme);
    emscripten::function ("enteteCompteRendu", & EnteteCompteRendu);
    emscripten::function ("bilanCompteRendu", & BilanCompteRendu);
    emscripten::function ("jugerTest", & JugerTest);
    emscripten::class_ <CExecutionWeb> ("Execution")
        .constructor <const std::string &, const val &> ()
        .function ("pret", & CExecutionWeb::Pret)
        .function ("refus", & CExecutionWeb::Refus)
        .function ("ajouterEntree", & CExecutionWeb::AjouterEntree)
        .function ("fermerEntree", & CExecutionWeb::FermerEntree)
        .function ("pasAPas", & CExecutionWeb::PasAPas)
        .function ("executer", & CExecutionWeb::Executer)
        .function ("prendreSortie", & CExecutionWeb::PrendreSortie)
        .function ("prendreSuivi", & CExecutionWeb::PrendreSuivi)
        .function ("statut", & CExecutionWeb::Statut)
        .function ("erreur", & CExecutionWeb::Erreur)
        .function ("position", & CExecutionWeb::Position)
        .function ("variables", & CExecutionWeb::Variables)
        .function ("pasExecutes", & CExecutionWeb::PasExecutes);
}
