#include "services/interpreteur/Controles.h"

#include <cstdlib>
#include <sstream>

namespace nsTramelo::nsControles
{
    namespace
    {
        // Un operande droit negatif est entre parentheses : 5 - (-3).
        void EcrireOperande (std::ostream & Flux, std::int64_t V)
        {
            if (V < 0) Flux << '(' << V << ')';
            else Flux << V;
        }

        // _NoteRemplissage : la valeur des elements jamais remplis d'un tableau entier.
        std::string NoteRemplissage (std::int64_t V)
        {
            if (V != EntierMax) return "";
            return "note : " + std::to_string (V) + " est la valeur des éléments d'un tableau entier qui n'ont pas encore reçu de valeur";
        }

        std::string Lignes (const std::string & A, const std::string & B)
        {
            return A.empty () ? B : B.empty () ? A : A + '\n' + B;
        }

        // _Mio : arrondi au Mio superieur.
        std::uint64_t Mio (std::uint64_t Octets) { return (Octets >> 20) + ((Octets & ((1u << 20) - 1)) != 0); }

        const char * Attendu (ESaisie Type)
        {
            switch (Type)
            {
                case ESaisie::Entier    : return "un entier";
                case ESaisie::Naturel   : return "un entier_naturel";
                case ESaisie::Booleen   : return "un booléen (0 ou 1)";
                case ESaisie::Reel      : return "un réel";
                case ESaisie::Chaine    : return "une ligne";
                default                 : return "un caractère";
            }
        }
    }

    void Signaler (Pos P, const std::string & Message, const std::string & Notes, const std::string & Aide)
    {
        throw CErreurExecution { Message, P, Notes, Aide };
    }

    void Depassement (std::int64_t A, const char * Op, std::int64_t B, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Dépassement de capacité : " << A << Op;
        EcrireOperande (Flux, B);
        Flux << " ne tient pas dans un entier (de " << EntierMin << " à " << EntierMax << ")";
        Signaler (P, Flux.str (), Lignes (NoteRemplissage (A), NoteRemplissage (B)));
    }

    void DivisionDebordee (std::int64_t A, bool Modulo, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Dépassement de capacité : ";
        if (Modulo) Flux << "modulo (" << A << ", -1)";
        else Flux << A << " / (-1)";
        Flux << " ne tient pas dans un entier (de " << EntierMin << " à " << EntierMax << ")";
        Signaler (P, Flux.str (), "note : en C++, le plus petit entier divisé par -1 a un comportement indéfini");
    }

    void DivisionParZero (std::int64_t A, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Division par zéro : " << A << " / 0";
        Signaler (P, Flux.str ());
    }

    void ModuloParZero (std::int64_t A, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Division par zéro : modulo (" << A << ", 0)";
        Signaler (P, Flux.str ());
    }

    void DepassementOppose (std::int64_t A, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Dépassement de capacité : -(" << A << ") ne tient pas dans un entier (de " << EntierMin
             << " à " << EntierMax << ")";
        Signaler (P, Flux.str ());
    }

    // Un operande d'un calcul reel, dans son type C++ (un entier n'a ete converti que pour le calcul).
    void EcrireDans (std::ostream & Flux, double V, bool Entier, bool Naturel)
    {
        if (Naturel) Flux << static_cast <std::uint64_t> (V);
        else if (Entier) Flux << static_cast <std::int64_t> (V);
        else Flux << V;
    }

    void DivisionReelleParZero (double A, unsigned Types, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Division par zéro : ";
        EcrireDans (Flux, A, Types & ReelGaucheEntier, Types & ReelGaucheNaturel);
        Flux << " / 0";
        Signaler (P, Flux.str (), (Types & (ReelGaucheEntier | ReelGaucheNaturel)) ? ""
                  : "note : en C++, une division réelle par zéro donnerait inf ou nan (pas un nombre), sans message");
    }

    std::int64_t IntDeReel (double V, Pos P)
    {
        if (! (V > -2147483649.0 && V < 2147483648.0)) HorsType (V, "int", P);
        return static_cast <std::int64_t> (V);
    }

    void NonFini (double A, const char * Op, double B, double R, unsigned Types, Pos P)
    {
        std::ostringstream Flux, Note;
        Flux << "Dépassement de capacité : ";
        EcrireDans (Flux, A, Types & ReelGaucheEntier, Types & ReelGaucheNaturel);
        Flux << Op;
        if (B < 0) Flux << '(';
        EcrireDans (Flux, B, Types & ReelDroiteEntier, Types & ReelDroiteNaturel);
        if (B < 0) Flux << ')';
        Flux << " ne tient pas dans un reel";
        Note << "note : en C++, le résultat serait " << R << (R != R ? " (pas un nombre)" : " (un infini)")
             << ", et les calculs suivants seraient faux, sans message";
        Signaler (P, Flux.str (), Note.str ());
    }

    void FinPour (std::int64_t I, bool Monte, Pos P)
    {
        const std::string Nom (1, NomMarque);
        Signaler (P, "Dépassement de capacité : la variable " + Nom + " du pour dépasserait " + std::to_string (I),
                  "note : après chaque tour, " + Nom + (Monte ? " augmente" : " diminue") + " de 1 avant d'être comparée à la "
                  "borne : une borne égale à " + std::to_string (I) + " ne peut pas être dépassée");
    }

    void RangNegatif (char C, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Caractère au-delà de 127 pour rang : l'octet " << static_cast <int> (static_cast <unsigned char> (C)) << " vaut "
             << static_cast <int> (C) << " en C++, et rang donnerait " << static_cast <unsigned long> (static_cast <long> (C));
        Signaler (P, Flux.str (), "note : en C++, un caractere est signé (de -128 à 127) ; un caractère accentué s'écrit sur "
                                  "plusieurs octets (UTF-8), tous au-delà de 127");
    }

    void NaturelNegatif (std::int64_t V, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Valeur négative pour un entier_naturel : " << V;
        std::ostringstream Note;
        Note << "note : un entier_naturel ne peut pas être négatif ; en C++, la valeur deviendrait "
             << static_cast <std::uint64_t> (V) << ", sans message";
        Signaler (P, Flux.str (), Note.str ());
    }

    void HorsType (double V, const char * Type, Pos P)
    {
        std::ostringstream Flux;
        Flux << "La valeur " << V << " ne tient pas dans un " << Type;
        Signaler (P, Flux.str (), "note : un reel devient un entier en perdant sa partie décimale : la partie entière doit tenir dans le type");
    }

    void HorsBornes (std::int64_t I, std::uint64_t Taille, bool Chaine, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Indice invalide : " << I;
        if (Taille == 0) Flux << ", " << (Chaine ? "la chaîne est vide" : "le tableau est vide");
        else Flux << " hors de 0.." << Taille - 1;
        // Le nom de l'objet (NomMarque) est celui ecrit dans le source, connu de la machine.
        const std::string Nom (1, NomMarque);
        std::ostringstream Note;
        Note << "note : " << (Chaine ? "la chaîne " : "le tableau ") << Nom;
        if (Taille == 0) Note << " est vide (taille (" << Nom << ") vaut 0)";
        else Note << " a " << Taille << (Chaine ? " caractère" : " élément") << (Taille > 1 ? "s" : "") << " (taille (" << Nom
                  << ") vaut " << Taille << ") : ses indices vont de 0 à " << Taille - 1;
        Signaler (P, Flux.str (), Lignes (Note.str (), NoteRemplissage (I)),
                  Taille == 0 && ! Chaine ? "aide : allongez le tableau (allonger, redimensionner) avant d'y ranger une valeur" : "");
    }

    void TailleInvalide (std::int64_t N, Pos P)
    {
        std::ostringstream Flux;
        if (N < 0) Flux << "Taille négative : " << N;
        else Flux << "Taille trop grande : " << N << " (au plus " << TailleMax << ")";
        Signaler (P, Flux.str (), NoteRemplissage (N));
    }

    void AllongerInvalide (std::int64_t Avant, std::int64_t N, Pos P)
    {
        std::ostringstream Flux;
        if (N < 0) Flux << "Longueur négative pour allonger : " << N;
        else Flux << "Taille trop grande pour allonger : " << Avant << " + " << N << " (au plus " << TailleMax << ")";
        Signaler (P, Flux.str (), NoteRemplissage (N));
    }

    void RedimensionnerInvalide (std::int64_t N, Pos P)
    {
        std::ostringstream Flux;
        if (N < 0) Flux << "Taille négative pour redimensionner : " << N;
        else Flux << "Taille trop grande pour redimensionner : " << N << " (au plus " << TailleMax << ")";
        Signaler (P, Flux.str (), NoteRemplissage (N));
    }

    void RecursionTropProfonde (const std::string & Unite, std::uint64_t LimitePile, Pos P)
    {
        std::string Note;
        if (LimitePile != 0)
            Note = "note : la pile d'exécution est limitée à " + std::to_string (LimitePile >> 10)
                 + " Kio (ulimit -s) : les appels en cours l'occupent presque toute";
        Signaler (P, "Récursion trop profonde dans " + Unite + " : la pile d'exécution est épuisée", Note,
                  "aide : vérifiez que chaque appel de " + Unite + " se rapproche d'un cas d'arrêt, qui ne s'appelle plus");
    }

    void SansRenvoie (const std::string & Fonction, Pos P)
    {
        Signaler (P, "Fin de la fonction " + Fonction + " atteinte sans renvoie", "",
                  "aide : chaque chemin de " + Fonction + " doit finir par « renvoie valeur; »");
    }

    void MemoireInsuffisante (std::uint64_t Demande, std::uint64_t Nb, bool Caracteres, std::uint64_t TailleElement,
                              std::uint64_t Occupee, std::uint64_t LimiteMio, bool Refus, Pos P)
    {
        std::ostringstream Flux, Note;
        Flux << "Mémoire insuffisante";
        if (Nb > 0)
        {
            Flux << " : " << Nb << (Caracteres ? " caractères" : " éléments");
            if (! Caracteres && TailleElement > 0) Flux << " de " << TailleElement << " octets";
            Flux << " demandent " << Mio (Demande) << " Mio";
        }
        Note << "note : ";
        if (Occupee > 0 || Nb == 0) Note << "le programme occupe " << Mio (Occupee) << " Mio";
        if (Nb == 0 && Demande > 0) Note << " et en demande " << Mio (Demande) << " de plus";
        if (Occupee > 0 || Nb == 0) Note << " ; ";
        if (Refus) Note << "le système refuse d'en donner davantage (mémoire de la machine, ulimit -v)";
        else Note << "la mémoire permise est de " << LimiteMio << " Mio";
        Signaler (P, Flux.str (), Note.str (),
                  "aide : vérifiez qu'une chaîne ou un tableau ne grandit pas sans fin, ou qu'une récursion qui déclare un "
                  "tableau s'arrête ; la mémoire permise se règle par l'option --memoire de tramelo-exec ou la variable "
                  "d'environnement TRAMELO_MEMOIRE (en Mio)");
    }

    bool LireMemoire (const std::string & Texte, std::uint64_t & Mio)
    {
        std::uint64_t Nb = 0;
        bool Valide = ! Texte.empty () && Texte.find ('\0') == std::string::npos;
        for (std::size_t i = 0; i < Texte.size () && Valide; ++i)
            Valide = Texte [i] >= '0' && Texte [i] <= '9' && ! __builtin_mul_overflow (Nb, std::uint64_t (10), & Nb)
                  && ! __builtin_add_overflow (Nb, static_cast <std::uint64_t> (Texte [i] - '0'), & Nb);
        if (! Valide || Nb == 0 || Nb > (std::uint64_t (1) << 30)) return false;
        Mio = Nb;
        return true;
    }

    void MemoireInvalide (const std::string & Texte)
    {
        Signaler (SansPosition, "TRAMELO_MEMOIRE invalide : « " + Texte + " »",
                  "note : TRAMELO_MEMOIRE donne la mémoire permise au programme, en Mio : un nombre de 1 à 1073741824 "
                  "(2048 sans la variable)");
    }

    void MauvaiseSaisie (const std::string & Nom, ESaisie Type, const std::string & Mot, bool Deborde, Pos P)
    {
        const char * A = Attendu (Type);
        std::ostringstream Flux;
        Flux << "saisir (" << Nom << ") : ";
        if (Mot.empty ()) Flux << "fin de l'entrée, " << A << " était attendu";
        else if (Deborde) Flux << "« " << Mot << " » est trop grand pour " << A;
        else Flux << A << " était attendu, « " << Mot << " » a été lu";
        // Une ligne ou une chaine : le participe s'accorde.
        if (Mot.empty () && A [1] == 'n' && A [2] == 'e') Flux << 'e';
        std::string Note, Aide;
        if (Mot.empty ())
            Note = "note : l'entrée est épuisée : le fichier redirigé (<) n'a plus de données, ou Ctrl-D a été tapé au clavier";
        else if (Type == ESaisie::Reel && Mot.find (',') != std::string::npos)
        {
            std::string Point = Mot;
            for (char & c : Point) if (c == ',') c = '.';
            Aide = "aide : le séparateur décimal est le point : tapez « " + Point + " »";
        }
        else if (Type == ESaisie::Booleen) Note = "note : un booléen se saisit 0 (faux) ou 1 (vrai)";
        else if (Deborde && Type == ESaisie::Entier) Note = "note : un entier va de -9223372036854775808 à 9223372036854775807";
        else if (Deborde && Type == ESaisie::Naturel) Note = "note : un entier_naturel va de 0 à 18446744073709551615";
        else if (Deborde)
        {
            std::ostringstream N;
            N << "note : un réel va jusqu'à " << std::numeric_limits <double>::max () << " environ";
            Note = N.str ();
        }
        else if ((Type == ESaisie::Entier || Type == ESaisie::Naturel) && Mot.find_first_of (".eE") != std::string::npos)
            Note = "note : un entier s'écrit sans partie décimale ni exposant";
        else if (Type == ESaisie::Naturel && Mot [0] == '-') Note = "note : un entier_naturel ne peut pas être négatif";
        Signaler (P, Flux.str (), Note, Aide);
    }

    bool LireEntier (const std::string & Mot, std::int64_t & V, bool & Deborde)
    {
        std::string::size_type i = 0;
        const bool Negatif = ! Mot.empty () && Mot [0] == '-';
        if (! Mot.empty () && (Mot [0] == '+' || Mot [0] == '-')) i = 1;
        if (i == Mot.size ()) return false;
        std::int64_t R = 0;
        Deborde = false;
        for (; i < Mot.size (); ++i)
        {
            if (Mot [i] < '0' || Mot [i] > '9') return false;
            const std::int64_t Chiffre = Mot [i] - '0';
            if (__builtin_mul_overflow (R, std::int64_t (10), & R)
                || __builtin_add_overflow (R, Negatif ? -Chiffre : Chiffre, & R))
                Deborde = true;
        }
        V = R;
        return true;
    }

    std::int64_t SaisirEntier (const std::string & Mot, ESaisie Type, const std::string & Nom, Pos P)
    {
        std::int64_t V = 0;
        bool Deborde = false;
        switch (Type)
        {
            case ESaisie::Naturel :
            {
                // Jusqu'au plus grand entier_naturel (2^64 - 1), rendu sur 64 bits ; un nombre
                // negatif est refuse, sauf -0.
                const bool Moins = ! Mot.empty () && Mot [0] == '-';
                std::size_t i = ! Mot.empty () && (Mot [0] == '+' || Mot [0] == '-') ? 1 : 0;
                bool Valide = i < Mot.size ();
                std::uint64_t N = 0;
                for (; i < Mot.size () && Valide; ++i)
                {
                    Valide = Mot [i] >= '0' && Mot [i] <= '9';
                    if (Valide && (__builtin_mul_overflow (N, std::uint64_t (10), & N)
                                   || __builtin_add_overflow (N, static_cast <std::uint64_t> (Mot [i] - '0'), & N)))
                        Deborde = true;
                }
                if (! Valide || (Moins && (Deborde || N != 0))) MauvaiseSaisie (Nom, Type, Mot, false, P);
                if (Deborde) MauvaiseSaisie (Nom, Type, Mot, true, P);
                return static_cast <std::int64_t> (N);
            }
            case ESaisie::Booleen :
                if (! LireEntier (Mot, V, Deborde) || Deborde || (V != 0 && V != 1))
                    MauvaiseSaisie (Nom, Type, Mot, false, P);
                return V;
            default :
                if (! LireEntier (Mot, V, Deborde) || Deborde) MauvaiseSaisie (Nom, Type, Mot, Deborde, P);
                return V;
        }
    }

    double SaisirReel (const std::string & Mot, const std::string & Nom, Pos P)
    {
        // Seulement l'ecriture decimale que lit le profil standard (ni inf, ni nan, ni 0x...).
        bool Valide = ! Mot.empty ();
        for (char c : Mot)
            if (! ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E'))
                Valide = false;
        char * Fin = nullptr;
        double V = 0;
        if (Valide) V = std::strtod (Mot.c_str (), & Fin);
        if (! Valide || Fin != Mot.c_str () + Mot.size ()) MauvaiseSaisie (Nom, ESaisie::Reel, Mot, false, P);
        if (! (V >= -std::numeric_limits <double>::max () && V <= std::numeric_limits <double>::max ()))
            MauvaiseSaisie (Nom, ESaisie::Reel, Mot, true, P);
        return V;
    }
}

namespace nsTramelo::nsControles
{
    namespace
    {
        // Un resultat mathematique de deux entiers de 64 bits tient sur 128 bits.
        __extension__ typedef __int128 Grand;
        __extension__ typedef unsigned __int128 GrandNonSigne;

        // Un entier de 128 bits en decimal (_Grand).
        std::string TexteGrand (Grand V)
        {
            GrandNonSigne U = V < 0 ? - static_cast <GrandNonSigne> (V) : static_cast <GrandNonSigne> (V);
            std::string T;
            do
            {
                T.insert (T.begin (), static_cast <char> ('0' + static_cast <int> (U % 10)));
                U /= 10;
            }
            while (U != 0);
            return V < 0 ? "-" + T : T;
        }

        // Une valeur de 64 bits lue dans son type.
        Grand Valeur (std::int64_t V, bool Naturel)
        {
            return Naturel ? static_cast <Grand> (static_cast <std::uint64_t> (V)) : static_cast <Grand> (V);
        }

        std::string Operande (Grand V) { return V < 0 ? "(" + TexteGrand (V) + ")" : TexteGrand (V); }

        const char * NomType (bool Naturel) { return Naturel ? "entier_naturel" : "entier"; }

        std::string Domaine (bool Naturel)
        {
            return Naturel ? " (de 0 à 18446744073709551615)" : " (de -9223372036854775808 à 9223372036854775807)";
        }

        std::string Remplissage (Grand V, bool Naturel)
        {
            if (Naturel ? V != static_cast <Grand> (std::numeric_limits <std::uint64_t>::max ()) : V != EntierMax) return "";
            return "note : " + TexteGrand (V) + " est la valeur des éléments d'un tableau " + NomType (Naturel)
                 + " qui n'ont pas encore reçu de valeur";
        }

        std::string NoteNegatifConverti (Grand G, Grand D)
        {
            const Grand V = G < 0 ? G : D;
            return "note : en C++, un calcul ou une comparaison entre un entier et un entier_naturel (variable entier_naturel, "
                   "taille, rang) se fait en entier_naturel, sans signe : " + TexteGrand (V) + " y devient "
                 + TexteGrand (static_cast <Grand> (static_cast <std::uint64_t> (static_cast <std::int64_t> (V))));
        }

        const char * const AideNegatifConverti =
            "aide : recopiez d'abord la valeur entier_naturel dans une variable entier (par exemple « n <- taille (t); ») "
            "pour calculer en entier";

        bool Tient (Grand V, bool Naturel)
        {
            return Naturel ? V >= 0 && V <= static_cast <Grand> (std::numeric_limits <std::uint64_t>::max ())
                           : V >= EntierMin && V <= EntierMax;
        }

        Grand Enveloppe (Grand V, bool Naturel)
        {
            const std::uint64_t Bits = static_cast <std::uint64_t> (static_cast <GrandNonSigne> (V));
            return Valeur (static_cast <std::int64_t> (Bits), Naturel);
        }
    }

    std::int64_t VersInt (std::int64_t V, bool Naturel, Pos P)
    {
        const Grand X = Valeur (V, Naturel);
        if (X >= std::numeric_limits <std::int32_t>::min () && X <= std::numeric_limits <std::int32_t>::max ()) return V;
        Signaler (P, "La valeur " + TexteGrand (X) + " ne tient pas dans un int (de -2147483648 à 2147483647)", Remplissage (X, Naturel));
    }

    std::int64_t EntierDeNaturel (std::int64_t V, Pos P)
    {
        if (V >= 0) return V;
        const Grand X = Valeur (V, true);
        Signaler (P, "La valeur " + TexteGrand (X) + " ne tient pas dans un entier" + Domaine (false), Remplissage (X, true));
    }

    std::int64_t CalculType (char Op, std::int64_t A, std::int64_t B, unsigned F, Pos P)
    {
        if (F & CalculInt)
        {
            const Grand Exact = Op == '+' ? Grand (A) + B : Op == '-' ? Grand (A) - B : Grand (A) * B;
            if (Exact >= std::numeric_limits <std::int32_t>::min () && Exact <= std::numeric_limits <std::int32_t>::max ())
                return static_cast <std::int64_t> (Exact);
            Signaler (P, "Dépassement de capacité : " + TexteGrand (A) + " " + Op + " " + Operande (B)
                         + " ne tient pas dans un int (de -2147483648 à 2147483647)",
                      "note : en C++, un nombre entier écrit dans le source (comme 1000), une fonction entier et Rand sont "
                      "des int, sur 32 bits : un calcul entre deux int se fait sur 32 bits",
                      "aide : faites le calcul sur 64 bits : rangez d'abord un des nombres dans une variable entier");
        }
        // Le type du calcul : celui des operandes tels qu'ecrits ; le domaine : signe si la cible
        // l'est ; les operandes, relus en signe s'ils sont eux-memes de tels calculs.
        const bool RNaturel = (F & (GaucheNaturel | DroiteNaturel)) != 0;
        const bool DomNaturel = RNaturel && ! (F & Modulaire);
        const bool GN = (F & GaucheNaturel) && ! (F & RelireGauche), DN = (F & DroiteNaturel) && ! (F & RelireDroite);
        const Grand G = Valeur (A, GN), D = Valeur (B, DN);
        const Grand Exact = Op == '+' ? G + D : Op == '-' ? G - D : G * D;
        if (Tient (Exact, DomNaturel)) return static_cast <std::int64_t> (static_cast <std::uint64_t> (static_cast <GrandNonSigne> (Exact)));
        const std::string Texte = std::string (" ") + Op + " ";
        const Grand Brut = Enveloppe (Exact, GN || DN);
        if (DomNaturel && (G < 0 || D < 0))
            Signaler (P, "Entier négatif converti en entier_naturel : " + TexteGrand (G) + Texte + Operande (D) + " donnerait "
                         + TexteGrand (Brut) + " (au lieu de " + TexteGrand (Exact) + ")",
                      NoteNegatifConverti (G, D), AideNegatifConverti);
        std::string Notes;
        if (DomNaturel)
            Notes = "note : en C++, les entier_naturel, taille et rang sont sans signe : ce calcul se fait en "
                    "entier_naturel et donnerait " + TexteGrand (Brut);
        for (const std::string & N : { Remplissage (G, GN), Remplissage (D, DN) })
            if (! N.empty ()) Notes += (Notes.empty () ? "" : "\n") + N;
        Signaler (P, "Dépassement de capacité : " + TexteGrand (G) + Texte + Operande (D) + " ne tient pas dans un "
                     + NomType (DomNaturel) + Domaine (DomNaturel),
                  Notes, DomNaturel ? "aide : pour un calcul qui peut devenir négatif, recopiez d'abord la valeur dans une variable entier" : "");
    }

    std::int64_t DivisionType (bool Modulo, std::int64_t A, std::int64_t B, unsigned F, Pos P)
    {
        const bool GN = (F & GaucheNaturel) != 0, DN = (F & DroiteNaturel) != 0;
        if (! GN && ! DN) return Modulo ? nsControles::Modulo (A, B, P) : Div (A, B, P);
        const Grand G = Valeur (A, GN), D = Valeur (B, DN);
        if (D == 0)
            Signaler (P, Modulo ? "Division par zéro : modulo (" + TexteGrand (G) + ", 0)" : "Division par zéro : " + TexteGrand (G) + " / 0");
        const std::uint64_t g = static_cast <std::uint64_t> (A), d = static_cast <std::uint64_t> (B);
        const std::uint64_t Cpp = Modulo ? g % d : g / d;
        if (G < 0 || D < 0)
        {
            const Grand Exact = Modulo ? G % D : G / D;
            if (Exact < 0 || static_cast <Grand> (Cpp) != Exact)
                Signaler (P, "Entier négatif converti en entier_naturel : "
                             + (Modulo ? "modulo (" + TexteGrand (G) + ", " + TexteGrand (D) + ")" : TexteGrand (G) + " / " + Operande (D))
                             + " donnerait " + std::to_string (Cpp) + " (au lieu de " + TexteGrand (Exact) + ")",
                          NoteNegatifConverti (G, D), AideNegatifConverti);
        }
        return static_cast <std::int64_t> (Cpp);
    }

    bool ComparerType (unsigned Op, std::int64_t A, std::int64_t B, unsigned F, Pos P)
    {
        const bool GN = (F & GaucheNaturel) != 0, DN = (F & DroiteNaturel) != 0;
        const Grand G = Valeur (A, GN), D = Valeur (B, DN);
        auto Compare = [Op] (Grand X, Grand Y)
        {
            switch (Op)
            {
                case 0  : return X == Y;
                case 1  : return X != Y;
                case 2  : return X < Y;
                case 3  : return X <= Y;
                case 4  : return X > Y;
                default : return X >= Y;
            }
        };
        const bool Exact = Compare (G, D);
        if (GN == DN) return Exact;
        // Le C++ compare en non signe.
        const bool Cpp = Compare (Valeur (A, true), Valeur (B, true));
        if (Cpp != Exact)
        {
            static const char * const Textes [] = { " vaut ", " ne_vaut_pas ", " < ", " <= ", " > ", " >= " };
            Signaler (P, "Entier négatif converti en entier_naturel : " + TexteGrand (G) + Textes [Op] + TexteGrand (D) + " donnerait "
                         + (Cpp ? "vrai" : "faux") + " (au lieu de " + (Exact ? "vrai" : "faux") + ")",
                      NoteNegatifConverti (G, D), AideNegatifConverti);
        }
        return Cpp;
    }

    std::int64_t OpposeType (std::int64_t A, unsigned F, Pos P)
    {
        const bool RNaturel = (F & GaucheNaturel) != 0;
        const bool DomNaturel = RNaturel && ! (F & Modulaire);
        const bool MN = RNaturel && ! (F & RelireGauche);
        const Grand M = Valeur (A, MN);
        const Grand Exact = -M;
        if (Tient (Exact, DomNaturel)) return static_cast <std::int64_t> (0 - static_cast <std::uint64_t> (A));
        std::string Notes;
        if (DomNaturel)
            Notes = "note : en C++, l'opposé d'un entier_naturel (variable entier_naturel, taille, rang) reste un "
                    "entier_naturel, sans signe : il vaudrait " + std::to_string (0 - static_cast <std::uint64_t> (A));
        const std::string R = Remplissage (M, MN);
        if (! R.empty ()) Notes += (Notes.empty () ? "" : "\n") + R;
        Signaler (P, "Dépassement de capacité : -" + Operande (M) + " ne tient pas dans un " + NomType (DomNaturel) + Domaine (DomNaturel),
                  Notes, DomNaturel ? "aide : recopiez d'abord la valeur dans une variable entier" : "");
    }
}
