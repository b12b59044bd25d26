#include "expressions/Expression.h"

#include "expressions/Booleenne.h"
#include "expressions/Chaine.h"
#include "expressions/Numerique.h"
#include "expressions/Prediction.h"
#include "scanner/Relecture.h"
#include "scanner/Scanner.h"
#include "scanner/Source.h"
#include "symbols/Symboles.h"
#include "types/TypesCodes.h"
#include "util/CExcTramelo.h"

using nsUtil::EMsg;

namespace nsTramelo
{
    namespace
    {
        // L'operande gauche lu pour juger l'essai booleen : c'est aussi ce que les essais
        // suivants (caractere, string, numerique, dans le meme ordre) liraient au meme endroit.
        struct SOperande
        {
            bool        Lu = false;
            std::string Texte;
            unsigned    Type = 0;
            std::size_t Fin = 0;
        };

        // L'essai booleen echoue-t-il a coup sur ? Quand le premier facteur ne peut pas etre
        // booleen, le premier terme doit etre une comparaison : s'il n'y a ni operateur de
        // comparaison apres l'operande gauche, ni fin du texte, l'essai echoue (132) ; l'operande
        // est alors rendu dans Operande, la position juste apres lui.
        bool EchecCertainBooleen (SOperande & Operande)
        {
            if (! EchecCertainFacteurBooleen ()) return false;
            if (EchecCertainCaractere () && EchecCertainString () && EchecCertainNumerique ()) return true;
            const std::size_t Depart = fi.Tellg ();
            bool Echec = false;
            // Une erreur de l'operande gauche fait echouer l'essai booleen tout autant.
            if (Essayer ([&]
                {
                    Operande.Type = ExtraireOperandeGauche (Operande.Texte);
                    Operande.Fin = fi.Tellg ();
                    const char c = SkipSpaces ();
                    Echec = c != 0 && c != 'v' && c != 'n' && c != '<' && c != '>';
                }))
                return true;
            Operande.Lu = Echec;
            fi.Seekg (Echec ? Operande.Fin : Depart);
            return Echec;
        }
    }

    // expression ::= booleenne | caractere | string | numerique | tableau
    std::string & ExtraireExpression (std::string & s, unsigned & Type)
    {
        return Memoriser (ELecteur::Expression, s, Type, [] (std::string & s, unsigned & Type) -> std::string &
        {
            SOperande Operande;
            if (EchecCertainBooleen (Operande))
            {
                if (Operande.Lu)
                {
                    s = Operande.Texte;
                    Type = Operande.Type;
                    return s;
                }
            }
            else if (! Essayer ([&] { ExtraireExprBooleenne (s); }))
            {
                Type = TBooleen;
                return s;
            }
            if (! EchecCertainCaractere ()
                && ! Essayer ([&] { ExtraireExprCaractere (s); }, nsUtil::GetCode (EMsg::QuoteAttendue)))
            {
                Type = TCaractere;
                return s;
            }
            if (! EchecCertainString ()
                && ! Essayer ([&] { ExtraireExprString (s); }, nsUtil::GetCode (EMsg::GuillemetAttendu)))
            {
                Type = TString;
                return s;
            }
            if (! EchecCertainNumerique () && ! Essayer ([&] { ExtraireExprNumerique (s, Type); })) return s;
            ExtraireExprTableau (s);
            Type = GetTypeElem (GetTypeIdent (s)) | TTableau;
            return s;
        });
    }

    // tableau ::= nom
    std::string & ExtraireExprTableau (std::string & s)
    {
        ExtraireIdentForce (s);
        if (! IsTypeTableau (GetTypeIdent (s))) throw CExcTramelo (EMsg::PasUnTableau, s);
        return s;
    }

    // indice ::= [ expression_numerique ]
    std::string & ExtraireIndice (std::string & s)
    {
        CImbrication Niveau;
        ValidCar ('[');
        unsigned Type;
        ExtraireExprNumerique (s, Type);
        if (Type != TEntier && Type != TEntierNaturel) throw CExcTramelo (EMsg::IndiceEntier, s);
        ValidCar (']');
        s = ".at (" + s + ")";
        return s;
    }
}
