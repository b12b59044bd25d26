#include "services/exercices/Exercice.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include <sys/stat.h>

namespace nsTramelo
{
    namespace
    {
        // Lignes d'un texte ; la fin de ligne finale ne fait pas une ligne vide de plus.
        std::vector <std::string> Lignes (const std::string & Texte)
        {
            std::vector <std::string> R;
            std::size_t Debut = 0;
            while (Debut < Texte.size ())
            {
                const std::size_t Fin = Texte.find ('\n', Debut);
                if (Fin == std::string::npos)
                {
                    R.push_back (Texte.substr (Debut));
                    break;
                }
                R.push_back (Texte.substr (Debut, Fin - Debut));
                Debut = Fin + 1;
            }
            return R;
        }

        bool Blanc (char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

        std::string SansBlancsFinaux (std::string S)
        {
            while (! S.empty () && Blanc (S.back ())) S.pop_back ();
            return S;
        }

        std::string SansBlancsAutour (const std::string & S)
        {
            std::size_t D = 0;
            while (D < S.size () && Blanc (S [D])) ++D;
            return SansBlancsFinaux (S.substr (D));
        }

        enum class ELecture { Ok, Absent, Illisible, TropGrand };

        ELecture LireFichier (const std::string & Chemin, std::string & Texte)
        {
            struct stat Etat;
            if (stat (Chemin.c_str (), & Etat) != 0) return errno == ENOENT || errno == ENOTDIR ? ELecture::Absent : ELecture::Illisible;
            if (! S_ISREG (Etat.st_mode)) return ELecture::Illisible;
            if (static_cast <std::size_t> (Etat.st_size) > MaxTailleFichierExercice) return ELecture::TropGrand;
            std::ifstream F (Chemin, std::ios::binary);
            if (! F) return ELecture::Illisible;
            std::ostringstream O;
            O << F.rdbuf ();
            if (F.bad ()) return ELecture::Illisible;
            Texte = O.str ();
            if (Texte.size () > MaxTailleFichierExercice) return ELecture::TropGrand;
            return ELecture::Ok;
        }

        std::string CauseLecture (ELecture L)
        {
            switch (L)
            {
                case ELecture::Absent : return "fichier introuvable";
                case ELecture::TropGrand : return "fichier trop volumineux (plus de 64 Mio)";
                default : return "fichier illisible (ou ce n'est pas un fichier ordinaire)";
            }
        }

        bool LireNombre (const std::string & Texte, unsigned long Min, unsigned long Max, unsigned long & Valeur)
        {
            if (Texte.empty () || Texte.size () > 9) return false;
            for (char c : Texte)
                if (c < '0' || c > '9') return false;
            Valeur = std::stoul (Texte);
            return Valeur >= Min && Valeur <= Max;
        }

        bool NomDeTestValide (const std::string & Nom)
        {
            if (Nom.empty () || Nom.size () > 64) return false;
            for (char c : Nom)
                if (! ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
                    return false;
            return true;
        }

        // Un mot fait d'un nombre decimal (ni hexadecimal, ni inf, ni nan) ; Valeur le nombre.
        bool EstNombre (const std::string & Mot, double & Valeur)
        {
            if (Mot.empty () || Mot.size () > 400) return false;
            bool Chiffre = false;
            for (char c : Mot)
            {
                if (c >= '0' && c <= '9') Chiffre = true;
                else if (c != '+' && c != '-' && c != '.' && c != 'e' && c != 'E') return false;
            }
            if (! Chiffre) return false;
            char * Fin = nullptr;
            errno = 0;
            Valeur = std::strtod (Mot.c_str (), & Fin);
            return Fin == Mot.c_str () + Mot.size () && std::isfinite (Valeur);
        }

        // Les mots d'une ligne, avec l'octet ou chacun commence.
        std::vector <std::pair <std::string, std::size_t>> Mots (const std::string & Ligne)
        {
            std::vector <std::pair <std::string, std::size_t>> R;
            std::size_t i = 0;
            while (i < Ligne.size ())
            {
                while (i < Ligne.size () && Blanc (Ligne [i])) ++i;
                if (i >= Ligne.size ()) break;
                const std::size_t Debut = i;
                while (i < Ligne.size () && ! Blanc (Ligne [i])) ++i;
                R.push_back ({ Ligne.substr (Debut, i - Debut), Debut });
            }
            return R;
        }

        bool Proches (double Attendu, double Obtenu, double Tolerance)
        {
            const double Echelle = std::max (1.0, std::fabs (Attendu));
            return std::fabs (Attendu - Obtenu) <= Tolerance * Echelle;
        }

        // Premier octet ou A et B different, recule au debut d'un caractere UTF-8.
        std::size_t PremierEcart (const std::string & A, const std::string & B)
        {
            std::size_t i = 0;
            while (i < A.size () && i < B.size () && A [i] == B [i]) ++i;
            while (i > 0 && i < B.size () && (static_cast <unsigned char> (B [i]) & 0xC0) == 0x80) --i;
            return i;
        }

        std::string Minuscules (std::string S)
        {
            for (char & c : S)
                if (c >= 'A' && c <= 'Z') c = static_cast <char> (c - 'A' + 'a');
            return S;
        }

        // Deux lignes deja normalisees : Colonne, l'octet de O ou commence l'ecart, ou rien.
        bool LignesEgales (const std::string & A, const std::string & O, EComparaison Comparaison, double Tolerance,
                           std::size_t & Colonne)
        {
            if (Comparaison != EComparaison::Reels)
            {
                const std::string a = Comparaison == EComparaison::Casse ? Minuscules (A) : A;
                const std::string o = Comparaison == EComparaison::Casse ? Minuscules (O) : O;
                if (a == o) return true;
                Colonne = PremierEcart (a, o);
                return false;
            }
            const auto MA = Mots (A), MO = Mots (O);
            for (std::size_t i = 0; i < MA.size () || i < MO.size (); ++i)
            {
                if (i >= MO.size ())
                {
                    Colonne = O.size ();
                    return false;
                }
                if (i >= MA.size ())
                {
                    Colonne = MO [i].second;
                    return false;
                }
                double VA, VO;
                const bool Egaux = EstNombre (MA [i].first, VA) && EstNombre (MO [i].first, VO)
                                   ? Proches (VA, VO, Tolerance) : MA [i].first == MO [i].first;
                if (! Egaux)
                {
                    Colonne = MO [i].second;
                    return false;
                }
            }
            return true;
        }

        // Le texte d'une ligne a montrer, les octets de controle rendus visibles ; Jusqua recoit
        // le nombre de caracteres affiches avant l'octet Colonne.
        std::string Visible (const std::string & Ligne, std::size_t Colonne, std::size_t & Jusqua)
        {
            std::string R;
            std::size_t Affiches = 0;
            Jusqua = 0;
            for (std::size_t i = 0; i < Ligne.size (); ++i)
            {
                if (i == Colonne) Jusqua = Affiches;
                const unsigned char c = static_cast <unsigned char> (Ligne [i]);
                std::string Rendu;
                if (c == '\t') Rendu = "\\t";
                else if (c == '\r') Rendu = "\\r";
                else if (c < 0x20 || c == 0x7F)
                {
                    const char * const Hex = "0123456789abcdef";
                    Rendu = std::string ("\\x") + Hex [c >> 4] + Hex [c & 15];
                }
                else Rendu = std::string (1, static_cast <char> (c));
                R += Rendu;
                // Un octet de suite UTF-8 ne prend pas de place a l'ecran.
                if ((c & 0xC0) != 0x80) Affiches += Rendu.size ();
            }
            if (Colonne >= Ligne.size ()) Jusqua = Affiches;
            return R;
        }
    }

    unsigned SExercice::PointsMax () const
    {
        unsigned Total = 0;
        for (const STestExercice & T : Tests) Total += T.Points;
        return Total;
    }

    std::string SErreurExercice::Texte () const
    {
        return Fichier + (Ligne != 0 ? ":" + std::to_string (Ligne) : std::string ()) + ": " + Message;
    }

    std::string NomComparaison (EComparaison Comparaison, double Tolerance)
    {
        switch (Comparaison)
        {
            case EComparaison::Blancs : return "blancs";
            case EComparaison::Casse : return "casse";
            case EComparaison::Reels :
            {
                std::ostringstream O;
                O << "reels " << Tolerance;
                return O.str ();
            }
            default : return "exacte";
        }
    }

    bool LireDescriptionExercice (const std::string & Texte, const std::string & Fichier, const std::string & Dossier,
                                  SExercice & Exercice, SErreurExercice & Erreur)
    {
        auto Refuser = [&] (unsigned Ligne, const std::string & Message)
        {
            Erreur.Fichier = Fichier;
            Erreur.Ligne = Ligne;
            Erreur.Message = Message;
            return false;
        };
        if (Texte.find ('\0') != std::string::npos) return Refuser (0, "caractere nul : ce n'est pas un fichier texte");
        // Une marque d'ordre UTF-8 (ajoutee par certains editeurs) n'est pas du texte.
        const bool Marque = Texte.compare (0, 3, "\xEF\xBB\xBF") == 0;
        const std::vector <std::string> L = Lignes (Marque ? Texte.substr (3) : Texte);
        std::set <std::string> Noms;
        std::vector <bool> EntreeDonnee, SortieDonnee;
        for (std::size_t n = 0; n < L.size (); ++n)
        {
            const unsigned Num = static_cast <unsigned> (n + 1);
            const std::string Ligne = SansBlancsAutour (L [n]);
            if (Ligne.empty () || Ligne [0] == '#') continue;
            // "cle valeur" ou "cle: valeur".
            std::size_t Fin = 0;
            while (Fin < Ligne.size () && ! Blanc (Ligne [Fin]) && Ligne [Fin] != ':') ++Fin;
            const std::string Cle = Ligne.substr (0, Fin);
            std::string Valeur = Ligne.substr (Fin);
            if (! Valeur.empty () && Valeur [0] == ':') Valeur = Valeur.substr (1);
            Valeur = SansBlancsAutour (Valeur);
            const bool DansUnTest = ! Exercice.Tests.empty ();
            unsigned long Nombre = 0;

            if (Cle == "test")
            {
                if (! NomDeTestValide (Valeur))
                    return Refuser (Num, "nom de test invalide « " + Valeur
                                         + " » (de 1 a 64 lettres ASCII, chiffres, - ou _)");
                if (! Noms.insert (Valeur).second) return Refuser (Num, "le test « " + Valeur + " » est deja defini");
                STestExercice T;
                T.Nom = Valeur;
                T.Ligne = Num;
                Exercice.Tests.push_back (T);
                EntreeDonnee.push_back (false);
                SortieDonnee.push_back (false);
            }
            else if (Cle == "temps" || Cle == "memoire" || Cle == "limite_sortie")
            {
                if (DansUnTest) return Refuser (Num, "« " + Cle + " » vaut pour tout l'exercice : a placer avant le premier test");
                if (Cle == "temps")
                {
                    if (! LireNombre (Valeur, 1, MaxTempsExercice, Nombre))
                        return Refuser (Num, "temps invalide « " + Valeur + " » (secondes, de 1 a "
                                             + std::to_string (MaxTempsExercice) + ")");
                    Exercice.Temps = static_cast <unsigned> (Nombre);
                }
                else if (Cle == "memoire")
                {
                    if (! LireNombre (Valeur, 1, MaxMemoireExercice, Nombre))
                        return Refuser (Num, "memoire invalide « " + Valeur + " » (Mio, de 1 a "
                                             + std::to_string (MaxMemoireExercice) + ")");
                    Exercice.Memoire = Nombre;
                }
                else
                {
                    if (! LireNombre (Valeur, 1, MaxSortieExercice, Nombre))
                        return Refuser (Num, "limite de sortie invalide « " + Valeur + " » (Kio, de 1 a "
                                             + std::to_string (MaxSortieExercice) + ")");
                    Exercice.LimiteSortie = Nombre;
                }
            }
            else if (Cle == "visible" || Cle == "points" || Cle == "comparaison" || Cle == "entree" || Cle == "sortie")
            {
                if (! DansUnTest) return Refuser (Num, "« " + Cle + " » avant le premier « test NOM »");
                STestExercice & T = Exercice.Tests.back ();
                if (Cle == "visible")
                {
                    if (Valeur == "oui") T.Visible = true;
                    else if (Valeur == "non") T.Visible = false;
                    else return Refuser (Num, "visible attend oui ou non, pas « " + Valeur + " »");
                }
                else if (Cle == "points")
                {
                    if (! LireNombre (Valeur, 0, 1000, Nombre))
                        return Refuser (Num, "points invalides « " + Valeur + " » (de 0 a 1000)");
                    T.Points = static_cast <unsigned> (Nombre);
                }
                else if (Cle == "comparaison")
                {
                    const auto M = Mots (Valeur);
                    const std::string Mode = M.empty () ? "" : M [0].first;
                    if (Mode == "exacte" && M.size () == 1) T.Comparaison = EComparaison::Exacte;
                    else if (Mode == "blancs" && M.size () == 1) T.Comparaison = EComparaison::Blancs;
                    else if (Mode == "casse" && M.size () == 1) T.Comparaison = EComparaison::Casse;
                    else if (Mode == "reels" && M.size () <= 2)
                    {
                        T.Comparaison = EComparaison::Reels;
                        double Tol = 1e-6;
                        if (M.size () == 2 && (! EstNombre (M [1].first, Tol) || Tol < 0 || Tol > 1e6))
                            return Refuser (Num, "tolerance invalide « " + M [1].first + " » (un nombre positif, 1e-6 par exemple)");
                        T.Tolerance = Tol;
                    }
                    else
                        return Refuser (Num, "comparaison inconnue « " + Valeur
                                             + " » (exacte, blancs, reels [tolerance] ou casse)");
                }
                else
                {
                    // Bloc : "entree <<MARQUE" puis les lignes jusqu'a celle qui vaut MARQUE.
                    if (Valeur.size () < 3 || Valeur.compare (0, 2, "<<") != 0 || Mots (Valeur).size () != 1)
                        return Refuser (Num, "« " + Cle + " » attend un marqueur de fin : " + Cle
                                             + " <<FIN, puis les lignes, puis FIN seul sur sa ligne");
                    const std::string Marque = Valeur.substr (2);
                    std::string Bloc;
                    std::size_t m = n + 1;
                    for (; m < L.size (); ++m)
                    {
                        std::string Contenu = L [m];
                        if (! Contenu.empty () && Contenu.back () == '\r') Contenu.pop_back ();
                        if (SansBlancsAutour (Contenu) == Marque) break;
                        Bloc += Contenu + '\n';
                    }
                    if (m >= L.size ()) return Refuser (Num, "bloc « " + Cle + " » sans sa ligne de fin « " + Marque + " »");
                    const std::size_t i = Exercice.Tests.size () - 1;
                    if ((Cle == "entree" ? EntreeDonnee [i] : SortieDonnee [i]))
                        return Refuser (Num, "« " + Cle + " » deja donnee pour le test « " + T.Nom + " »");
                    (Cle == "entree" ? T.Entree : T.Sortie) = Bloc;
                    (Cle == "entree" ? EntreeDonnee : SortieDonnee) [i] = true;
                    n = m;
                }
            }
            else
                return Refuser (Num, "ligne incomprise « " + Cle + " » (attendu : temps, memoire, limite_sortie, test, "
                                     "visible, points, comparaison, entree ou sortie)");
        }
        if (Exercice.Tests.empty ()) return Refuser (0, "aucun test (une ligne « test NOM » au moins)");
        // Entree et sortie non donnees dans le fichier : tests/NOM.in (facultatif) et tests/NOM.out.
        for (std::size_t i = 0; i < Exercice.Tests.size (); ++i)
        {
            STestExercice & T = Exercice.Tests [i];
            const std::string Base = Dossier + "/tests/" + T.Nom;
            if (! EntreeDonnee [i])
            {
                const ELecture E = LireFichier (Base + ".in", T.Entree);
                if (E != ELecture::Ok && E != ELecture::Absent)
                {
                    Erreur = { Base + ".in", 0, CauseLecture (E) };
                    return false;
                }
            }
            if (! SortieDonnee [i])
            {
                const ELecture E = LireFichier (Base + ".out", T.Sortie);
                if (E != ELecture::Ok)
                {
                    Erreur = { Base + ".out", 0, CauseLecture (E) + " : la sortie attendue du test « " + T.Nom
                                                 + " » (ligne " + std::to_string (T.Ligne) + " de " + Fichier
                                                 + ") n'est ni dans un bloc « sortie » ni dans ce fichier" };
                    return false;
                }
            }
        }
        return true;
    }

    bool ChargerExercice (const std::string & Dossier, SExercice & Exercice, SErreurExercice & Erreur)
    {
        Exercice = SExercice ();
        Exercice.Dossier = Dossier;
        struct stat Etat;
        if (stat (Dossier.c_str (), & Etat) != 0 || ! S_ISDIR (Etat.st_mode))
        {
            Erreur = { Dossier, 0, "ce n'est pas un dossier d'exercice (dossier introuvable)" };
            return false;
        }
        const ELecture E = LireFichier (Dossier + "/enonce.md", Exercice.Enonce);
        if (E != ELecture::Ok)
        {
            Erreur = { Dossier + "/enonce.md", 0, CauseLecture (E) };
            return false;
        }
        const bool Marque = Exercice.Enonce.compare (0, 3, "\xEF\xBB\xBF") == 0;
        for (const std::string & Ligne : Lignes (Marque ? Exercice.Enonce.substr (3) : Exercice.Enonce))
            if (Ligne.rfind ("# ", 0) == 0)
            {
                Exercice.Titre = SansBlancsAutour (Ligne.substr (2));
                break;
            }
        if (Exercice.Titre.empty ())
        {
            const std::size_t Barre = Dossier.find_last_not_of ('/');
            const std::string Net = Dossier.substr (0, Barre == std::string::npos ? 0 : Barre + 1);
            Exercice.Titre = Net.substr (Net.rfind ('/') == std::string::npos ? 0 : Net.rfind ('/') + 1);
        }
        std::string Depart;
        const ELecture D = LireFichier (Dossier + "/depart.algo", Depart);
        if (D == ELecture::Ok) Exercice.Depart = Depart;
        else if (D != ELecture::Absent)
        {
            Erreur = { Dossier + "/depart.algo", 0, CauseLecture (D) };
            return false;
        }
        const std::string Fichier = Dossier + "/exercice.txt";
        std::string Texte;
        const ELecture X = LireFichier (Fichier, Texte);
        if (X != ELecture::Ok)
        {
            Erreur = { Fichier, 0, CauseLecture (X) };
            return false;
        }
        return LireDescriptionExercice (Texte, Fichier, Dossier, Exercice, Erreur);
    }

    SDifference ComparerSorties (const std::string & Attendue, const std::string & Obtenue,
                                 EComparaison Comparaison, double Tolerance)
    {
        SDifference D;
        std::vector <std::string> A = Lignes (Attendue), O = Lignes (Obtenue);
        if (Comparaison == EComparaison::Exacte)
        {
            if (Attendue == Obtenue) return D;
        }
        else
        {
            for (std::string & Ligne : A) Ligne = SansBlancsFinaux (Ligne);
            for (std::string & Ligne : O) Ligne = SansBlancsFinaux (Ligne);
            while (! A.empty () && A.back ().empty ()) A.pop_back ();
            while (! O.empty () && O.back ().empty ()) O.pop_back ();
        }
        const std::vector <std::string> BrutesA = Lignes (Attendue), BrutesO = Lignes (Obtenue);
        for (std::size_t i = 0; i < A.size () || i < O.size (); ++i)
        {
            std::size_t Colonne = 0;
            if (i < A.size () && i < O.size () && LignesEgales (A [i], O [i], Comparaison, Tolerance, Colonne)) continue;
            D.Egales = false;
            D.Ligne = i + 1;
            D.AttendueAbsente = i >= A.size ();
            D.ObtenueAbsente = i >= O.size ();
            // Les lignes montrees telles qu'ecrites (blancs finaux compris).
            if (! D.AttendueAbsente) D.Attendue = BrutesA [i];
            if (! D.ObtenueAbsente) D.Obtenue = BrutesO [i];
            D.Colonne = D.AttendueAbsente || D.ObtenueAbsente ? 0 : Colonne;
            return D;
        }
        // Comparaison exacte, lignes identiques : seule la fin de ligne finale differe.
        if (Comparaison == EComparaison::Exacte)
        {
            D.Egales = false;
            D.Ligne = A.size ();
            if (! A.empty ()) D.Attendue = D.Obtenue = A.back ();
            D.Colonne = D.Obtenue.size ();
            const bool FinA = ! Attendue.empty () && Attendue.back () == '\n';
            D.Precision = FinA ? "il manque la fin de ligne apres la derniere ligne"
                               : "la derniere ligne ne doit pas etre suivie d'une fin de ligne";
        }
        return D;
    }

    std::string MontrerDifference (const SDifference & D, const std::string & Retrait)
    {
        if (D.Egales) return "";
        std::string R = Retrait + "ligne " + std::to_string (D.Ligne) + " :\n";
        std::size_t Jusqua = 0, Ignore = 0;
        const std::string Obtenue = Visible (D.Obtenue, D.Colonne, Jusqua);
        R += Retrait + "  attendu : " + (D.AttendueAbsente ? "(rien : la sortie attendue s'arrete avant)"
                                                            : Visible (D.Attendue, 0, Ignore)) + '\n';
        R += Retrait + "  obtenu  : " + (D.ObtenueAbsente ? "(rien : la sortie du programme s'arrete avant)" : Obtenue) + '\n';
        if (! D.AttendueAbsente && ! D.ObtenueAbsente)
            R += Retrait + "            " + std::string (Jusqua, ' ') + "^\n";
        if (! D.Precision.empty ()) R += Retrait + "  (" + D.Precision + ")\n";
        return R;
    }

    std::string LigneVisible (const std::string & Ligne)
    {
        std::size_t Ignore = 0;
        return Visible (Ligne, 0, Ignore);
    }
}
