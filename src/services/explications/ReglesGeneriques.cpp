// Les explications generiques : quand aucune regle ne reconnait la faute, dire ce qui etait
// attendu a cet endroit, en mots de debutant, en citant ce qui a ete trouve.
#include "services/explications/Explication.h"

#include "scanner/Scanner.h"

using nsUtil::EMsg;

namespace nsTramelo::nsRegles
{
    namespace
    {
        // Ce qui etait attendu, pour chaque message (le mot trouve est ajoute apres).
        struct SAttendu { EMsg Msg; const char * Texte; };
        const SAttendu Attendus [] =
        {
            { EMsg::UniteAttendue, "un source est fait de procédures et de fonctions, puis de l'algorithme ; chaque unité "
                                   "commence par « procedure », « fonction » ou « algorithme »" },
            { EMsg::IdentifiantAttendu, "un nom était attendu ici (il commence par une lettre)" },
            { EMsg::IdentificateurAttendu, "le nom de l'unité manque : il suit le mot procedure, fonction ou algorithme et "
                                           "commence par une lettre" },
            { EMsg::CaractereAttendu, "un signe de ponctuation manque ici" },
            { EMsg::TableauConstant, "un tableau ne peut pas être une constante : retirez « constante »" },
            { EMsg::TypeDeBaseAttendu, "un type était attendu : entier, entier_naturel, reel, booleen, caractere, string, "
                                       "ou string_de n, tableau_de n type (une constante ne peut pas être un string_de)" },
            { EMsg::TypeDeRetour, "une fonction renvoie un type simple : entier, entier_naturel, reel, booleen, caractere ou "
                                  "string (pas de tableau ni de string_de)" },
            { EMsg::DoitEtreVariable, "saisir ne lit que des variables déclarées par declarer (pas un paramètre, une constante "
                                      "ni un élément de tableau)" },
            { EMsg::PasDeDimension, "un paramètre s'écrit sans dimension : « t : in tableau_de entier », « s : in string »" },
            { EMsg::ParametreInvalide, "un paramètre out ou in_out reçoit une variable (ou un élément de tableau) du type "
                                       "exact, pas une valeur calculée ni une constante ; un paramètre tableau reçoit le "
                                       "nom d'un tableau" },
            { EMsg::NatureParametre, "chaque paramètre précise son mode de passage : « x : in entier » (in : donnée, out : "
                                     "résultat, in_out : les deux)" },
            { EMsg::AttenteVariable, "une instruction commence par une variable (pour une affectation), une procédure, ou "
                                     "un mot du langage (declarer, si, pour, afficher…)" },
            { EMsg::ConnecteurAttendu, "les opérateurs logiques sont ET, OU, ET_ALORS et OU_SINON" },
            { EMsg::ExprBooleenne, "une condition était attendue : une comparaison (x > 0, x vaut 3, x ne_vaut_pas 3) ou "
                                   "une valeur booléenne (vrai, faux, une variable booleen)" },
            { EMsg::ExprString, "une chaîne était attendue : un texte entre guillemets, une variable string, ou leur "
                                "concaténation avec +" },
            { EMsg::ExprCaractere, "un caractère était attendu : un caractère entre apostrophes ('a'), une variable caractere, "
                                   "ou un caractère d'une chaîne (s[i])" },
            { EMsg::ExprNumerique, "un nombre ou un calcul était attendu : un nombre, une variable numérique, un calcul "
                                   "avec + - * / ou un appel de fonction" },
            { EMsg::TypeInvalide, "les types ne correspondent pas : la valeur n'a pas le type attendu à cet endroit" },
            { EMsg::BorneInvalide, "les bornes d'une boucle pour sont des entiers (pas des reel)" },
            { EMsg::TailleInvalide, "la taille d'un tableau ou d'un string_de est un entier (pas un reel)" },
            { EMsg::IndiceEntier, "un indice de tableau ou de chaîne est un entier (pas un reel)" },
            { EMsg::SortieMalUtilisee, "« si (condition) sortie; » ne s'emploie qu'à l'intérieur d'une boucle de la même unité" },
            { EMsg::ContinueMalUtilise, "« si (condition) continue; » ne s'emploie qu'à l'intérieur d'une boucle de la même unité" },
            { EMsg::RenvoieHorsFonction, "« renvoie » ne s'emploie que dans une fonction ; une procédure ou l'algorithme n'en "
                                         "ont pas (une procédure donne ses résultats par des paramètres out)" },
            { EMsg::NonRedimensionnable, "redimensionner s'applique à un tableau ou une chaîne qui n'est pas une constante" },
            { EMsg::NonAllongeable, "allonger s'applique à un tableau ou une chaîne qui n'est pas une constante" },
            { EMsg::PasUnTableau, "cette expression ne se lit d'aucune façon : vérifiez les noms (déclarés ?) et les types" },
            { EMsg::TailleTypeInvalide, "taille s'applique au nom d'un tableau ou d'une chaîne, ou à un texte entre guillemets" },
            { EMsg::ImbricationTropProfonde, "plus de 256 niveaux imbriqués (parenthèses, appels, blocs) : découpez le calcul "
                                             "en plusieurs instructions, ou le traitement en procédures" },
            { EMsg::FinInopinee, "le fichier se termine au milieu d'une instruction" },
            { EMsg::CodeApresFin, "rien ne peut suivre le fin de l'algorithme, qui est la dernière unité" },
            { EMsg::FinFichierPrematuree, "le fichier se termine avant l'algorithme" },
        };
    }

    bool Generique (const CContexte & C, SExplication & X)
    {
        // Le mot fautif : celui qui vient d'etre lu si la lecture s'est arretee juste apres lui,
        // sinon celui qui suit.
        const bool ApresMot = C.AvantArret.Genre != EJeton::Fin && C.AvantArret.Fin () == C.Arret
                           && (C.Arret >= C.Texte.size () || IsBlanc (C.Texte [C.Arret]) || C.E.Longueur == 0);
        // Erreurs levees apres avoir lu (et juge) ce qui precede l'arret.
        const bool Lu = C.MessageEst (EMsg::MotReserve) || C.MessageEst (EMsg::DejaDeclare) || C.MessageEst (EMsg::DoubleDeclaration)
                     || C.MessageEst (EMsg::ParamDejaDeclare) || C.MessageEst (EMsg::DoitEtreVariable)
                     || C.MessageEst (EMsg::NatureParametre) || C.MessageEst (EMsg::AttenteVariable)
                     || C.MessageEst (EMsg::ConnecteurAttendu) || C.MessageEst (EMsg::NonAllongeable)
                     || C.MessageEst (EMsg::NonRedimensionnable) || C.MessageEst (EMsg::TypeDeBaseAttendu)
                     || C.MessageEst (EMsg::TypeInvalide) || C.MessageEst (EMsg::BorneInvalide)
                     || C.MessageEst (EMsg::TailleInvalide) || C.MessageEst (EMsg::IndiceEntier)
                     || C.MessageEst (EMsg::TailleTypeInvalide) || C.MessageEst (EMsg::ParametreInvalide)
                     || C.MessageEst (EMsg::TableauConstant) || C.MessageEst (EMsg::SortieMalUtilisee)
                     || C.MessageEst (EMsg::ContinueMalUtilise) || C.MessageEst (EMsg::RenvoieHorsFonction);
        SJeton Fautif = (ApresMot || Lu) && C.AvantArret.Genre != EJeton::Fin ? C.AvantArret : C.AuArret;
        std::string Trouve = Fautif.Genre == EJeton::Fin ? "la fin du fichier" : Citer (C.Mot (Fautif));
        // Le texte cite par le message ("1.5 : Un indice doit etre entier") : le dernier avant l'arret.
        const std::string Cite = C.MotDuMessage ();
        const std::size_t Debut = C.DebutInstruction ();
        const std::size_t Pos = Cite.empty () || C.Arret < Cite.size () ? std::string::npos : C.Texte.rfind (Cite, C.Arret - 1);
        if (Pos != std::string::npos && Pos >= Debut && Lu)
        {
            X.Placer (Pos, Cite.size ());
            Trouve = Citer (Cite);
        }
        else if (Fautif.Genre != EJeton::Fin) X.Placer (Fautif);
        std::string Texte;
        for (const SAttendu & A : Attendus)
            if (A.Msg == C.E.Msg) Texte = A.Texte;
        const char Car = C.CaractereAttendu ();
        if (Car) Texte = "à cet endroit, Tramelo attendait " + Citer (std::string (1, Car));
        if (C.MessageEst (EMsg::MotCleAttendu))
            Texte = "à cet endroit, Tramelo attendait " + Citer (C.E.Attendu);
        if (C.MessageEst (EMsg::DebutAttendu)) Texte = "à cet endroit, Tramelo attendait « debut »";
        if (Texte.empty ()) Texte = "le texte ne correspond pas à ce qui était attendu ici";
        // Une erreur de syntaxe : la retouche simple qui passe, s'il y en a une.
        const bool Syntaxe = Car || C.MessageEst (EMsg::MotCleAttendu) || C.MessageEst (EMsg::DebutAttendu)
                          || C.MessageEst (EMsg::IdentifiantAttendu) || C.MessageEst (EMsg::ExprBooleenne)
                          || C.MessageEst (EMsg::ExprNumerique) || C.MessageEst (EMsg::ExprString)
                          || C.MessageEst (EMsg::ExprCaractere) || C.MessageEst (EMsg::AttenteVariable)
                          || C.MessageEst (EMsg::ConnecteurAttendu) || C.MessageEst (EMsg::UniteAttendue);
        if (Syntaxe && ProposerAutour (C, X))
        {
            const SRetouche & R = X.Propositions.back ().Retouche;
            if (R.Longueur == 0) X.Placer (R.Decalage, 0);
            else X.Placer (R.Decalage, R.Longueur);
            X.Note (Texte + " ; trouvé : " + Trouve);
            return true;
        }
        X.Aide (Texte + " ; trouvé : " + Trouve);
        return true;
    }
}
