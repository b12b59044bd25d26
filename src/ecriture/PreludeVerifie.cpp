// Le prelude du profil verifie : les memes en-tetes que le prelude standard (un autre en-tete
// apporterait des noms et des macros qui rendraient invalides des sources que Tramelo accepte),
// les memes types de tableaux, puis les controles appeles par le C++ produit et Rand.
#include "ecriture/EcrivainVerifie.h"

#include "driver/Tramelo.h"

namespace nsTramelo
{
    namespace
    {
        const char * const PremiereLigne =
            "// fichier Source (profil verifie : le programme controle ses erreurs d'execution)\n";

        // Apres la ligne "const char * const _Source = ...;".
        const char * const Controles = R"PRELUDE(
    // Controles du profil verifie. Une erreur d'execution est ecrite en francais sur l'erreur
    // standard, au format de GCC (source:ligne:colonne: erreur : message), apres ce que le
    // programme a deja affiche ; le programme s'arrete alors avec le statut 1.
    inline std::ostream & _Signaler (int _Ligne, int _Colonne)
    {
        std::cout.flush ();
        return std::cerr << _Source << ':' << _Ligne << ':' << _Colonne << ": erreur : ";
    }

    inline std::ostream & _SignalerSansPosition ()
    {
        std::cout.flush ();
        return std::cerr << _Source << ": erreur : ";
    }

    [[noreturn]] inline void _Arreter ()
    {
        std::cerr << std::endl;
        std::exit (1);
    }

    // Les entiers sont calcules sur 64 bits signes, quel que soit le melange entier /
    // entier_naturel ; un entier_naturel est controle quand il recoit sa valeur.
    const long _EntierMin = std::numeric_limits <long>::min ();
    const long _EntierMax = std::numeric_limits <long>::max ();

    // Un operande droit negatif est entre parentheses : 5 - (-3).
    struct _Operande { long _V; };
    inline std::ostream & operator<< (std::ostream & _Flux, _Operande _O)
    {
        return _O._V < 0 ? _Flux << '(' << _O._V << ')' : _Flux << _O._V;
    }

    [[noreturn]] inline void _Depassement (long _A, const char * _Op, long _B, int _Ligne, int _Colonne)
    {
        _Signaler (_Ligne, _Colonne) << "Dépassement de capacité : " << _A << _Op << _Operande { _B }
            << " ne tient pas dans un entier (de " << _EntierMin << " à " << _EntierMax << ")";
        _Arreter ();
    }

    inline long _Plus (long _A, long _B, int _Ligne, int _Colonne)
    {
        long _R;
        if (__builtin_add_overflow (_A, _B, & _R)) _Depassement (_A, " + ", _B, _Ligne, _Colonne);
        return _R;
    }

    inline long _Moins (long _A, long _B, int _Ligne, int _Colonne)
    {
        long _R;
        if (__builtin_sub_overflow (_A, _B, & _R)) _Depassement (_A, " - ", _B, _Ligne, _Colonne);
        return _R;
    }

    inline long _Fois (long _A, long _B, int _Ligne, int _Colonne)
    {
        long _R;
        if (__builtin_mul_overflow (_A, _B, & _R)) _Depassement (_A, " * ", _B, _Ligne, _Colonne);
        return _R;
    }

    inline long _Div (long _A, long _B, int _Ligne, int _Colonne)
    {
        if (_B == 0)
        {
            _Signaler (_Ligne, _Colonne) << "Division par zéro : " << _A << " / 0";
            _Arreter ();
        }
        if (_A == _EntierMin && _B == -1) _Depassement (_A, " / ", _B, _Ligne, _Colonne);
        return _A / _B;
    }

    // Le reste a le signe du dividende, comme dans le profil standard.
    inline long _Modulo (long _A, long _B, int _Ligne, int _Colonne)
    {
        if (_B == 0)
        {
            _Signaler (_Ligne, _Colonne) << "Division par zéro : modulo (" << _A << ", 0)";
            _Arreter ();
        }
        return _B == -1 ? 0 : _A % _B;
    }

    inline long _Oppose (long _A, int _Ligne, int _Colonne)
    {
        if (_A == _EntierMin)
        {
            _Signaler (_Ligne, _Colonne) << "Dépassement de capacité : -(" << _A
                << ") ne tient pas dans un entier (de " << _EntierMin << " à " << _EntierMax << ")";
            _Arreter ();
        }
        return -_A;
    }

    // Division reelle : un diviseur nul est aussi une erreur (pas d'infini ni de nan).
    inline double _DivReel (double _A, double _B, int _Ligne, int _Colonne)
    {
        if (_B == 0)
        {
            _Signaler (_Ligne, _Colonne) << "Division par zéro : " << _A << " / 0";
            _Arreter ();
        }
        return _A / _B;
    }

    // Conversions vers le type d'une cible (affectation, renvoie, parametre in, constante).
    inline unsigned long _Naturel (long _V, int _Ligne, int _Colonne)
    {
        if (_V < 0)
        {
            _Signaler (_Ligne, _Colonne) << "Valeur négative pour un entier_naturel : " << _V;
            _Arreter ();
        }
        return static_cast <unsigned long> (_V);
    }

    [[noreturn]] inline void _HorsType (double _V, const char * _Type, int _Ligne, int _Colonne)
    {
        _Signaler (_Ligne, _Colonne) << "La valeur " << _V << " ne tient pas dans un " << _Type;
        _Arreter ();
    }

    // Un reel devient un entier en perdant sa partie decimale, s'il est dans les bornes (nan ne l'est pas).
    inline long _EntierDeReel (double _V, int _Ligne, int _Colonne)
    {
        if (! (_V > -9223372036854775809.0 && _V < 9223372036854775808.0)) _HorsType (_V, "entier", _Ligne, _Colonne);
        return static_cast <long> (_V);
    }

    inline unsigned long _NaturelDeReel (double _V, int _Ligne, int _Colonne)
    {
        if (! (_V > -1.0 && _V < 9223372036854775808.0)) _HorsType (_V, "entier_naturel", _Ligne, _Colonne);
        return static_cast <unsigned long> (_V);
    }

    // Indices : de 0 a la taille moins un.
    [[noreturn]] inline void _HorsBornes (long _I, unsigned long _Taille, const char * _Vide, int _Ligne, int _Colonne)
    {
        std::ostream & _Flux = _Signaler (_Ligne, _Colonne) << "Indice invalide : " << _I;
        if (_Taille == 0) _Flux << ", " << _Vide;
        else _Flux << " hors de 0.." << _Taille - 1;
        _Arreter ();
    }

    template <class _Element>
    inline long _Indice (const std::vector <_Element> & _Tab, long _I, int _Ligne, int _Colonne)
    {
        if (_I < 0 || static_cast <unsigned long> (_I) >= _Tab.size ())
            _HorsBornes (_I, _Tab.size (), "le tableau est vide", _Ligne, _Colonne);
        return _I;
    }

    inline long _Indice (const std::string & _Chaine, long _I, int _Ligne, int _Colonne)
    {
        if (_I < 0 || static_cast <unsigned long> (_I) >= _Chaine.size ())
            _HorsBornes (_I, _Chaine.size (), "la chaîne est vide", _Ligne, _Colonne);
        return _I;
    }

    // Tailles : au plus _TailleMax elements ou caracteres, pour qu'un calcul faux finisse par un
    // message plutot que par un manque de memoire.
    const long _TailleMax = 100000000;

    inline unsigned long _Taille (long _N, int _Ligne, int _Colonne)
    {
        if (_N < 0 || _N > _TailleMax)
        {
            std::ostream & _Flux = _Signaler (_Ligne, _Colonne);
            if (_N < 0) _Flux << "Taille négative : " << _N;
            else _Flux << "Taille trop grande : " << _N << " (au plus " << _TailleMax << ")";
            _Arreter ();
        }
        return static_cast <unsigned long> (_N);
    }

    template <class _Objet>
    inline void _Allonger (_Objet & _X, long _N, int _Ligne, int _Colonne)
    {
        const long _Avant = static_cast <long> (_X.size ());
        if (_N < 0 || _N > _TailleMax - _Avant)
        {
            std::ostream & _Flux = _Signaler (_Ligne, _Colonne);
            if (_N < 0) _Flux << "Longueur négative pour allonger : " << _N;
            else _Flux << "Taille trop grande pour allonger : " << _Avant << " + " << _N << " (au plus " << _TailleMax << ")";
            _Arreter ();
        }
        _X.resize (static_cast <unsigned long> (_Avant + _N));
    }

    template <class _Objet>
    inline void _Redimensionner (_Objet & _X, long _N, int _Ligne, int _Colonne)
    {
        if (_N < 0 || _N > _TailleMax)
        {
            std::ostream & _Flux = _Signaler (_Ligne, _Colonne);
            if (_N < 0) _Flux << "Taille négative pour redimensionner : " << _N;
            else _Flux << "Taille trop grande pour redimensionner : " << _N << " (au plus " << _TailleMax << ")";
            _Arreter ();
        }
        _X.resize (static_cast <unsigned long> (_N));
    }

    // saisir : le prochain mot de l'entree (blancs et fins de ligne sautes) doit etre tout
    // entier un nombre du type de la variable ; le reste de sa ligne est ignore, comme dans le
    // profil standard. Une fin d'entree est une erreur.
    [[noreturn]] inline void _MauvaiseSaisie (const char * _Nom, const char * _Attendu, const std::string & _Mot,
                                       bool _Deborde, int _Ligne, int _Colonne)
    {
        std::ostream & _Flux = _Signaler (_Ligne, _Colonne) << "saisir (" << _Nom << ") : ";
        if (_Mot.empty ()) _Flux << "fin de l'entrée, " << _Attendu << " était attendu";
        else if (_Deborde) _Flux << "« " << _Mot << " » est trop grand pour " << _Attendu;
        else _Flux << _Attendu << " était attendu, « " << _Mot << " » a été lu";
        // Une ligne ou une chaine : le participe s'accorde.
        if (_Mot.empty () && _Attendu [1] == 'n' && _Attendu [2] == 'e') _Flux << 'e';
        _Arreter ();
    }

    inline std::string _LireMot ()
    {
        std::string _Mot, _Reste;
        if (std::cin >> _Mot) std::getline (std::cin, _Reste);
        return _Mot;
    }

    // Un entier ecrit en decimal, signe compris ; _Deborde s'il ne tient pas sur 64 bits.
    inline bool _LireEntier (const std::string & _Mot, long & _V, bool & _Deborde)
    {
        std::string::size_type _i = 0;
        const bool _Negatif = ! _Mot.empty () && _Mot [0] == '-';
        if (! _Mot.empty () && (_Mot [0] == '+' || _Mot [0] == '-')) _i = 1;
        if (_i == _Mot.size ()) return false;
        long _R = 0;
        _Deborde = false;
        for (; _i < _Mot.size (); ++_i)
        {
            if (_Mot [_i] < '0' || _Mot [_i] > '9') return false;
            const long _Chiffre = _Mot [_i] - '0';
            if (__builtin_mul_overflow (_R, 10L, & _R)
                || __builtin_add_overflow (_R, _Negatif ? -_Chiffre : _Chiffre, & _R))
                _Deborde = true;
        }
        _V = _R;
        return true;
    }

    inline void _Saisir (long & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        bool _Deborde = false;
        if (! _LireEntier (_Mot, _V, _Deborde) || _Deborde)
            _MauvaiseSaisie (_Nom, "un entier", _Mot, _Deborde, _Ligne, _Colonne);
    }

    // La variable d'un pour.
    inline void _Saisir (long long & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        long _W;
        _Saisir (_W, _Nom, _Ligne, _Colonne);
        _V = _W;
    }

    inline void _Saisir (unsigned long & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        long _W = 0;
        bool _Deborde = false;
        if (! _LireEntier (_Mot, _W, _Deborde) || (_Mot [0] == '-' && (_Deborde || _W != 0)))
            _MauvaiseSaisie (_Nom, "un entier_naturel", _Mot, false, _Ligne, _Colonne);
        if (_Deborde) _MauvaiseSaisie (_Nom, "un entier_naturel", _Mot, true, _Ligne, _Colonne);
        _V = static_cast <unsigned long> (_W);
    }

    // Un booleen se saisit comme 0 (faux) ou 1 (vrai), comme dans le profil standard.
    inline void _Saisir (bool & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        long _W = 0;
        bool _Deborde = false;
        if (! _LireEntier (_Mot, _W, _Deborde) || _Deborde || (_W != 0 && _W != 1))
            _MauvaiseSaisie (_Nom, "un booléen (0 ou 1)", _Mot, false, _Ligne, _Colonne);
        _V = _W == 1;
    }

    inline void _Saisir (double & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const std::string _Mot = _LireMot ();
        // Seulement l'ecriture decimale que lit le profil standard (ni inf, ni nan, ni 0x...).
        bool _Valide = ! _Mot.empty ();
        for (char _c : _Mot)
            if (! ((_c >= '0' && _c <= '9') || _c == '+' || _c == '-' || _c == '.' || _c == 'e' || _c == 'E'))
                _Valide = false;
        char * _Fin = nullptr;
        if (_Valide) _V = std::strtod (_Mot.c_str (), & _Fin);
        if (! _Valide || _Fin != _Mot.c_str () + _Mot.size ())
            _MauvaiseSaisie (_Nom, "un réel", _Mot, false, _Ligne, _Colonne);
        if (! (_V >= -std::numeric_limits <double>::max () && _V <= std::numeric_limits <double>::max ()))
            _MauvaiseSaisie (_Nom, "un réel", _Mot, true, _Ligne, _Colonne);
    }

    inline void _Saisir (std::string & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        if (! std::getline (std::cin, _V))
            _MauvaiseSaisie (_Nom, "une ligne", std::string (), false, _Ligne, _Colonne);
    }

    inline void _Saisir (char & _V, const char * _Nom, int _Ligne, int _Colonne)
    {
        const int _c = std::cin.get ();
        if (_c == std::char_traits <char>::eof ())
            _MauvaiseSaisie (_Nom, "un caractère", std::string (), false, _Ligne, _Colonne);
        _V = static_cast <char> (_c);
    }

    // Recursion : a l'entree de chaque unite, la pile utilisee depuis main est comparee a un
    // budget (TRAMELO_PILE octets, sinon 6 Mo, sous la limite habituelle de 8 Mo).
    char * _BasePile = nullptr;
    long _BudgetPile = 6L << 20;

    inline void _LireBudgetPile ()
    {
        const char * _Texte = std::getenv ("TRAMELO_PILE");
        if (! _Texte) return;
        char * _Fin = nullptr;
        const long _Octets = std::strtol (_Texte, & _Fin, 10);
        if (_Fin != _Texte && * _Fin == '\0' && _Octets >= (1L << 20)) _BudgetPile = _Octets;
    }

    inline void _Entree (const char * _Unite, int _Ligne, int _Colonne)
    {
        const char * const _Ici = static_cast <const char *> (__builtin_frame_address (0));
        if (_BasePile != nullptr && reinterpret_cast <long> (_BasePile) - reinterpret_cast <long> (_Ici) > _BudgetPile)
        {
            _Signaler (_Ligne, _Colonne) << "Récursion trop profonde dans " << _Unite
                << " : la pile d'exécution est épuisée";
            _Arreter ();
        }
    }

    [[noreturn]] inline void _SansRenvoie (const char * _Fonction, int _Ligne, int _Colonne)
    {
        _Signaler (_Ligne, _Colonne) << "Fin de la fonction " << _Fonction << " atteinte sans renvoie";
        _Arreter ();
    }

    class CRand
    {
      public :
        CRand ()
        {
            time_t Date;
            srandom (time (& Date));
        }
    } __Rand;

    // Un entier tire au hasard entre Min (0 s'il est negatif) et Max, sans debordement sur tout
    // l'intervalle des entiers : 63 bits tires, puis un rejet pour que chaque valeur ait la
    // meme chance.
    inline long Rand (long Min, long Max)
    {
        if (Min < 0) Min = 0;
        if (Max <= Min) return Min;
        const unsigned long _Nb = static_cast <unsigned long> (Max) - static_cast <unsigned long> (Min) + 1;
        const unsigned long _Plafond = (1UL << 63) - (1UL << 63) % _Nb;
        unsigned long _X;
        do
            _X = (static_cast <unsigned long> (random ()) << 32) ^ (static_cast <unsigned long> (random ()) << 1)
               ^ (static_cast <unsigned long> (random ()) & 1UL);
        while (_X >= _Plafond);
        return Min + static_cast <long> (_X % _Nb);

    } // Rand()

)PRELUDE";
    }

    void GenererEnteteVerifie (const std::string & NomSource)
    {
        Sortie.Cadre ();
        Sortie << PremiereLigne << CorpsEntete;
        Sortie << "    const char * const _Source = " << LitteralCpp (NomSource) << ";\n";
        Sortie << Controles;
    }
}
