#include "frontaux/verifier/ArbreJson.h"

#include <cstdint>

using nlohmann::json;
using namespace nsTramelo;

namespace nsOutils
{
    namespace
    {
        const char * NomMode (unsigned Mode) { return Mode == 0 ? "in" : Mode == 1 ? "out" : "in_out"; }

        class CArbre
        {
          public :
            CArbre (const std::string & Source, const SOptions & Options, const STraduction & T)
                : T (T), M (T.Modele), Positions (Source, Options.TailleTab, T.FinLignes) {}

            // Ligne et colonne (octets, a partir de 1) dans le source d'origine, decalage et
            // longueur en octets du source d'origine.
            json Plage (std::size_t Debut, std::size_t Longueur)
            {
                const SPosition P = Positions.Situer (Debut);
                std::size_t Lg = Longueur;
                if (Longueur > 0 && ! T.FinLignes.empty ())
                {
                    // La fin dans le source d'origine : apres le dernier octet de la plage.
                    const SPosition F = Positions.Situer (Debut + Longueur - 1);
                    Lg = F.DecalageOrigine + 1 - P.DecalageOrigine;
                }
                return { { "ligne", P.Ligne }, { "colonne", P.ColonneOrigine },
                         { "decalage", P.DecalageOrigine }, { "longueur", Lg } };
            }
            json Plage (SPlage P) { return Plage (P.Debut, P.Longueur); }

            json Type (unsigned Type) { return Type == 0 ? json (nullptr) : json (NomType (Type)); }

            json Expression (IdExpr Id)
            {
                const SExpr & E = M.Exprs [Id];
                json J = { { "genre", NomGenre (E.Genre) }, { "type", Type (E.Type) }, { "plage", Plage (E.Plage) } };
                switch (E.Genre)
                {
                    case EExpr::Nombre : J ["valeur"] = M.Valeur (E); break;
                    case EExpr::Chaine : case EExpr::Caractere :
                        J ["texte"] = T.Texte.substr (E.Plage.Debut, E.Plage.Longueur);
                        break;
                    case EExpr::Booleen : J ["valeur"] = E.Op != 0; break;
                    case EExpr::Nom : case EExpr::Element : case EExpr::Appel :
                        if (E.Ref != Aucun)
                        {
                            J ["nom"] = M.Declarations [E.Ref].Nom;
                            J ["declaration"] = E.Ref;
                        }
                        break;
                    case EExpr::AppelStandard : J ["fonction"] = NomFonction (static_cast <EFonction> (E.Op)); break;
                    case EExpr::Comparaison : J ["comparateur"] = TexteComparateur (static_cast <EComparateur> (E.Op)); break;
                    case EExpr::Operation :
                    {
                        json Ops = json::array ();
                        for (std::uint32_t i = 1; i < E.NbEnfants; ++i)
                            Ops.push_back (TexteOperateur (M.OperateurDe (E, i).Op));
                        J ["operateurs"] = std::move (Ops);
                        break;
                    }
                    default : break;
                }
                if (E.NbEnfants > 0)
                {
                    json Enfants = json::array ();
                    for (std::uint32_t i = 0; i < E.NbEnfants; ++i) Enfants.push_back (Expression (M.IdEnfant (E, i)));
                    J ["enfants"] = std::move (Enfants);
                }
                return J;
            }

            json Instructions (IdSuite S)
            {
                json L = json::array ();
                if (S == Aucun) return L;
                const SSuite & Suite = M.Suites [S];
                for (std::uint32_t i = 0; i < Suite.NbInstrs; ++i) L.push_back (Instruction (M.InstrDe (Suite, i)));
                return L;
            }

            json Instruction (const SInstr & I)
            {
                json J = { { "genre", NomGenre (I.Genre) }, { "ligne", Positions.Situer (I.Plage.Debut).Ligne },
                           { "plage", Plage (I.Plage) } };
                if (I.Drapeaux & InstrIncomplete) J ["incomplete"] = true;
                if (I.Drapeaux & InstrDescendant) J ["descendant"] = true;
                if (I.Drapeaux & InstrFormeCourte) J ["forme_courte"] = true;
                if (I.Decl != Aucun)
                {
                    J ["nom"] = M.Declarations [I.Decl].Nom;
                    J ["declaration"] = I.Decl;
                }
                json Exprs = json::array ();
                for (std::uint32_t e = 0; e < I.NbExprs; ++e) Exprs.push_back (Expression (M.IdExprDe (I, e)));
                J ["expressions"] = std::move (Exprs);
                if (I.NbSuites > 0)
                {
                    json Blocs = json::array ();
                    for (std::uint32_t s = 0; s < I.NbSuites; ++s) Blocs.push_back (Instructions (M.IdSuiteDe (I, s)));
                    J ["blocs"] = std::move (Blocs);
                }
                return J;
            }

            json Declaration (const SDeclaration & D)
            {
                json J = { { "nom", D.Nom }, { "nature", NomNatureCourt (D.Nature) }, { "type", Type (D.Type) },
                           { "niveau", D.Niveau }, { "plage", Plage (D.Decalage, D.Nom.size ()) },
                           { "unite", D.Unite == Aucun ? json (nullptr) : json (D.Unite) } };
                if (D.Nature == ENature::Parametre) J ["mode"] = NomMode (D.Mode);
                if (D.Taille != Aucun) J ["taille"] = Expression (D.Taille);
                if (D.Valeur != Aucun) J ["valeur"] = Expression (D.Valeur);
                return J;
            }

            json Unite (const SUnite & U)
            {
                json Params = json::array ();
                for (IdDecl P : U.Parametres) Params.push_back (P);
                const std::size_t Fin = U.Fin == PorteeOuverte ? T.Texte.size () : U.Fin;
                return { { "genre", NomNatureCourt (U.Nature) }, { "nom", U.Nom }, { "declaration", U.Declaration },
                         { "plage", Plage (U.Debut, Fin > U.Debut ? Fin - U.Debut : 0) }, { "complete", U.Complete },
                         { "type_retour", Type (U.TypeRetour) }, { "parametres", std::move (Params) },
                         { "corps", Instructions (U.Corps) } };
            }

          private :
            const STraduction & T;
            const SModele & M;
            CSitueur Positions;
        };
    }

    json ArbreJson (const std::string & Fichier, const std::string & Source, const SOptions & Options,
                    const SVerification & V)
    {
        const STraduction & T = V.Traduction;
        CArbre A (Source, Options, T);
        json Declarations = json::array ();
        for (const SDeclaration & D : T.Modele.Declarations) Declarations.push_back (A.Declaration (D));
        json Unites = json::array ();
        for (const SUnite & U : T.Modele.Unites) Unites.push_back (A.Unite (U));
        json Erreur = nullptr;
        for (const SDiagnosticExplique & D : V.Diagnostics)
            if (D.Gravite == EGravite::Erreur)
            {
                Erreur = { { "code", D.Code }, { "message", D.Message } };
                Erreur ["ligne"] = D.Positionne ? json (D.Position.Ligne) : json (nullptr);
                Erreur ["colonne"] = D.Positionne ? json (D.Position.ColonneOrigine) : json (nullptr);
                break;
            }
        return { { "fichier", Fichier }, { "statut", T.Statut }, { "erreur", std::move (Erreur) },
                 { "declarations", std::move (Declarations) }, { "unites", std::move (Unites) } };
    }
}
