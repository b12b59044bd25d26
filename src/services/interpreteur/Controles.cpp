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

    void Signaler (Pos P, const std::string & Message) { throw CErreurExecution { Message, P }; }

    void Depassement (std::int64_t A, const char * Op, std::int64_t B, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Dépassement de capacité : " << A << Op;
        EcrireOperande (Flux, B);
        Flux << " ne tient pas dans un entier (de " << EntierMin << " à " << EntierMax << ")";
        Signaler (P, Flux.str ());
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

    void DivisionReelleParZero (double A, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Division par zéro : " << A << " / 0";
        Signaler (P, Flux.str ());
    }

    void NaturelNegatif (std::int64_t V, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Valeur négative pour un entier_naturel : " << V;
        Signaler (P, Flux.str ());
    }

    void HorsType (double V, const char * Type, Pos P)
    {
        std::ostringstream Flux;
        Flux << "La valeur " << V << " ne tient pas dans un " << Type;
        Signaler (P, Flux.str ());
    }

    void HorsBornes (std::int64_t I, std::uint64_t Taille, bool Chaine, Pos P)
    {
        std::ostringstream Flux;
        Flux << "Indice invalide : " << I;
        if (Taille == 0) Flux << ", " << (Chaine ? "la chaîne est vide" : "le tableau est vide");
        else Flux << " hors de 0.." << Taille - 1;
        Signaler (P, Flux.str ());
    }

    void TailleInvalide (std::int64_t N, Pos P)
    {
        std::ostringstream Flux;
        if (N < 0) Flux << "Taille négative : " << N;
        else Flux << "Taille trop grande : " << N << " (au plus " << TailleMax << ")";
        Signaler (P, Flux.str ());
    }

    void AllongerInvalide (std::int64_t Avant, std::int64_t N, Pos P)
    {
        std::ostringstream Flux;
        if (N < 0) Flux << "Longueur négative pour allonger : " << N;
        else Flux << "Taille trop grande pour allonger : " << Avant << " + " << N << " (au plus " << TailleMax << ")";
        Signaler (P, Flux.str ());
    }

    void RedimensionnerInvalide (std::int64_t N, Pos P)
    {
        std::ostringstream Flux;
        if (N < 0) Flux << "Taille négative pour redimensionner : " << N;
        else Flux << "Taille trop grande pour redimensionner : " << N << " (au plus " << TailleMax << ")";
        Signaler (P, Flux.str ());
    }

    void RecursionTropProfonde (const std::string & Unite, Pos P)
    {
        Signaler (P, "Récursion trop profonde dans " + Unite + " : la pile d'exécution est épuisée");
    }

    void SansRenvoie (const std::string & Fonction, Pos P)
    {
        Signaler (P, "Fin de la fonction " + Fonction + " atteinte sans renvoie");
    }

    void MemoireInsuffisante () { Signaler (SansPosition, "Mémoire insuffisante"); }

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
        Signaler (P, Flux.str ());
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
                if (! LireEntier (Mot, V, Deborde) || (Mot [0] == '-' && (Deborde || V != 0)))
                    MauvaiseSaisie (Nom, Type, Mot, false, P);
                if (Deborde) MauvaiseSaisie (Nom, Type, Mot, true, P);
                return V;
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
