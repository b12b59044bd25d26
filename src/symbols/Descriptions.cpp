#include "symbols/Descriptions.h"

#include <cstring>

namespace nsTramelo
{
    // Dans l'ordre des tables de Vocabulaire.cpp ; "string" (type simple et type compose) une fois.
    const SDescription Descriptions [] =
    {
        // Structures.
        { "boucle", "Boucle sans fin : on en sort par « si (c) sortie; » ou par un renvoie.",
          "boucle instructions fboucle" },
        { "choix_sur", "Mot réservé, accepté sans rien produire : il ne forme aucune instruction.",
          "choix_sur" },
        { "jusqua", "Boucle qui tourne tant que la condition est fausse (testée avant chaque tour) ; termine aussi un repeter.",
          "jusqua (condition) faire instructions ffaire" },
        { "pour", "Boucle sur un compteur entier, de la première borne à la seconde, de 1 en 1 ; le compteur est déclaré par la boucle.",
          "pour (i variant_de debut a fin [descendant]) faire instructions ffaire" },
        { "repeter", "Boucle dont la condition d'arrêt est testée après chaque tour : au moins un tour.",
          "repeter instructions jusqua (condition)" },
        { "si", "Conditionnelle : exécute la première branche dont la condition est vraie.",
          "si (condition) instructions [sinon_si (condition) instructions] [sinon instructions] fsi" },
        { "tant_que", "Boucle qui tourne tant que la condition est vraie (testée avant chaque tour).",
          "tant_que (condition) faire instructions ffaire" },
        // Mots de bloc.
        { "debut", "Ouvre le corps d'une unité (algorithme, procédure, fonction).",
          "debut instructions fin" },
        { "faire", "Ouvre le corps d'une boucle tant_que, jusqua ou pour.",
          "faire instructions ffaire" },
        { "fboucle", "Ferme une boucle « boucle ».", "boucle instructions fboucle" },
        { "fchoix", "Mot réservé qui ne forme aucune instruction.", "fchoix" },
        { "ffaire", "Ferme le corps d'une boucle tant_que, jusqua ou pour.", "faire instructions ffaire" },
        { "fin", "Ferme le corps d'une unité.", "debut instructions fin" },
        { "fsi", "Ferme une conditionnelle si.", "si (condition) instructions fsi" },
        { "sinon", "Dernière branche d'un si : exécutée quand aucune condition n'est vraie.",
          "si (condition) instructions sinon instructions fsi" },
        { "sinon_si", "Branche supplémentaire d'un si, avec sa propre condition.",
          "si (c1) instructions sinon_si (c2) instructions fsi" },
        // Mots-cles.
        { "a", "Sépare les deux bornes d'une boucle pour.", "pour (i variant_de debut a fin) faire" },
        { "algorithme", "Programme principal : la dernière unité du source, sans paramètres.",
          "algorithme Nom debut instructions fin" },
        { "autre", "Mot réservé qui ne forme aucune instruction.", "autre" },
        { "cas", "Mot réservé qui ne forme aucune instruction.", "cas" },
        { "constante", "Déclare un nom dont la valeur, donnée avec <-, ne change plus.",
          "declarer NOM : constante type <- valeur;" },
        { "de", "Mot réservé qui ne forme aucune instruction.", "de" },
        { "declarer", "Déclare une variable, un tableau ou une constante, partout où une instruction est permise ; le nom vaut jusqu'à la fin du bloc.",
          "declarer nom : type;" },
        { "entre", "Mot réservé qui ne forme aucune instruction.", "entre" },
        { "fonction", "Sous-programme qui renvoie une valeur du type annoncé.",
          "fonction Nom (p : in type, ...) renvoie type debut instructions fin" },
        { "in", "Mode de passage : le sous-programme reçoit une copie de la valeur.", "nom : in type" },
        { "in_out", "Mode de passage : le sous-programme lit et modifie la variable de l'appelant.",
          "nom : in_out type" },
        { "out", "Mode de passage : le sous-programme donne une valeur à la variable de l'appelant.",
          "nom : out type" },
        { "predicat", "Mot réservé qui ne forme aucune instruction.", "predicat" },
        { "procedure", "Sous-programme qui ne renvoie pas de valeur ; sans paramètres, il s'appelle par son seul nom.",
          "procedure Nom (p : in type, ...) debut instructions fin" },
        { "renvoie", "Dans l'en-tête d'une fonction, annonce le type du résultat ; dans le corps, quitte la fonction avec une valeur.",
          "renvoie expression;" },
        { "sortie", "Quitte la boucle la plus proche ; seulement dans la forme courte d'un si.",
          "si (condition) sortie;" },
        { "variant_de", "Introduit la première borne du compteur d'une boucle pour.",
          "pour (i variant_de debut a fin) faire" },
        // Operateurs.
        { "ET", "Et logique : vrai si les deux opérandes sont vrais (les deux sont évalués).",
          "condition ET condition" },
        { "ET_ALORS", "Et logique court-circuité : le second opérande n'est évalué que si le premier est vrai.",
          "condition ET_ALORS condition" },
        { "NON", "Négation logique.", "NON condition" },
        { "OU", "Ou logique : vrai si l'un des opérandes est vrai (les deux sont évalués).",
          "condition OU condition" },
        { "OU_SINON", "Ou logique court-circuité : le second opérande n'est évalué que si le premier est faux.",
          "condition OU_SINON condition" },
        { "ne_vaut_pas", "Comparaison : vrai si les deux valeurs diffèrent.", "a ne_vaut_pas b" },
        { "vaut", "Comparaison : vrai si les deux valeurs sont égales.", "a vaut b" },
        // Procedures standard.
        { "afficher", "Écrit les valeurs à l'écran, sans passer à la ligne.", "afficher (valeur, ...);" },
        { "allonger", "Ajoute n éléments à la fin du tableau (ou n caractères à la fin de la chaîne).",
          "allonger (x, n);" },
        { "ligne_suivante", "Passe à la ligne à l'écran (sans parenthèses).", "ligne_suivante;" },
        { "redimensionner", "Donne la taille n au tableau ou à la chaîne (les éléments en trop sont perdus).",
          "redimensionner (x, n);" },
        { "saisir", "Lit des variables au clavier (une chaîne lit toute la ligne).", "saisir (variable, ...);" },
        // Fonctions standard.
        { "Rand", "Un entier tiré au hasard entre a et b compris (entier_naturel).", "Rand (a, b)" },
        { "modulo", "Reste de la division entière de a par b (entier_naturel).", "modulo (a, b)" },
        { "pred", "Le caractère qui précède c (caractere).", "pred (c)" },
        { "rang", "Le code du caractère c (entier_naturel).", "rang (c)" },
        { "succ", "Le caractère qui suit c (caractere).", "succ (c)" },
        { "taille", "Nombre d'éléments du tableau ou de caractères de la chaîne (entier_naturel).",
          "taille (x)" },
        { "tolower", "c en minuscule s'il est une lettre majuscule (caractere).", "tolower (c)" },
        { "toupper", "c en majuscule s'il est une lettre minuscule (caractere).", "toupper (c)" },
        // Types.
        { "booleen", "Type des valeurs vrai et faux.", "nom : booleen" },
        { "caractere", "Type d'un caractère, écrit entre apostrophes : 'a'.", "nom : caractere" },
        { "entier", "Type des entiers signés.", "nom : entier" },
        { "entier_naturel", "Type des entiers positifs ou nuls.", "nom : entier_naturel" },
        { "reel", "Type des nombres à virgule.", "nom : reel" },
        { "string", "Type des chaînes de caractères, écrites entre guillemets : \"abc\".", "nom : string" },
        { "string_de", "Chaîne de n caractères nuls au départ (ni constante, ni paramètre).",
          "nom : string_de n" },
        { "tableau_de", "Tableau à une dimension de n éléments d'un type simple (0 si n est absent).",
          "nom : tableau_de [n] type" },
        // Mots non reserves.
        { "vrai", "Constante booléenne vraie.", "vrai" },
        { "faux", "Constante booléenne fausse.", "faux" },
        { "continue", "Passe au tour suivant de la boucle la plus proche ; seulement dans la forme courte d'un si.",
          "si (condition) continue;" },
        { "descendant", "Fait compter une boucle pour de la première borne à la seconde en descendant.",
          "pour (i variant_de debut a fin descendant) faire" },
    };
    const std::size_t NbDescriptions = sizeof (Descriptions) / sizeof (Descriptions [0]);

    const char * const MotsDecritsNonReserves [] = { "vrai", "faux", "continue", "descendant" };
    const std::size_t NbMotsDecritsNonReserves =
        sizeof (MotsDecritsNonReserves) / sizeof (MotsDecritsNonReserves [0]);

    const SDescription * TrouverDescription (const std::string & Mot)
    {
        // 65 mots, lus a chaque survol seulement : la recherche lineaire suffit.
        for (const SDescription & D : Descriptions)
            if (Mot == D.Mot) return & D;
        return nullptr;
    }
}
