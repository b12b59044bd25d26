// Les exercices avec tests : un dossier ecrit par l'enseignant (enonce.md, depart.algo
// facultatif, exercice.txt et peut-etre tests/NOM.in, tests/NOM.out), lu ici, et la comparaison
// de la sortie d'un programme avec la sortie attendue. Le format est decrit dans docs/langage.md
// (section 22) ; tramelo-exec --tester et tramelo-noter s'en servent.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace nsTramelo
{
    enum class EComparaison
    {
        Exacte,   // octet pour octet
        Blancs,   // blancs de fin de ligne et lignes vides finales ignores
        Reels,    // comme Blancs, mots compares un a un, nombres a la tolerance pres
        Casse     // comme Blancs, majuscules et minuscules (ASCII) confondues
    };

    struct STestExercice
    {
        std::string Nom;
        bool Visible = true;
        unsigned Points = 1;
        EComparaison Comparaison = EComparaison::Exacte;
        double Tolerance = 1e-6;    // avec Reels
        std::string Entree, Sortie; // le texte donne au programme, celui qu'il doit ecrire
        unsigned Ligne = 0;         // la ligne de "test" dans exercice.txt
    };

    struct SExercice
    {
        std::string Dossier;
        std::string Titre;                     // premiere ligne "# ..." de enonce.md, sinon le dossier
        std::string Enonce;                    // enonce.md
        std::optional <std::string> Depart;    // depart.algo
        unsigned Temps = 2;                    // secondes par test
        unsigned long Memoire = 256;           // Mio
        unsigned long LimiteSortie = 1024;     // Kio que le programme peut ecrire par test
        std::vector <STestExercice> Tests;

        unsigned PointsMax () const;
    };

    // Un dossier d'exercice refuse : le fichier, la ligne (0 : le fichier entier) et la cause.
    struct SErreurExercice
    {
        std::string Fichier;
        unsigned Ligne = 0;
        std::string Message;
        // "fichier:ligne: message" (ou "fichier: message")
        std::string Texte () const;
    };

    // Les bornes acceptees dans exercice.txt.
    constexpr unsigned MaxTempsExercice = 600;
    constexpr unsigned long MaxMemoireExercice = 1UL << 20;    // Mio
    constexpr unsigned long MaxSortieExercice = 1UL << 20;     // Kio
    constexpr std::size_t MaxTailleFichierExercice = 64UL << 20;

    // Lit le dossier ; faux et Erreur remplie si le dossier est refuse.
    bool ChargerExercice (const std::string & Dossier, SExercice & Exercice, SErreurExercice & Erreur);
    // Lit seulement le texte de exercice.txt (Fichier : le nom a citer) ; les fichiers
    // tests/NOM.in et tests/NOM.out sont cherches dans Dossier.
    bool LireDescriptionExercice (const std::string & Texte, const std::string & Fichier, const std::string & Dossier,
                                  SExercice & Exercice, SErreurExercice & Erreur);

    // Le resultat d'une comparaison : egales, ou la premiere ligne qui differe.
    struct SDifference
    {
        bool Egales = true;
        std::size_t Ligne = 0;          // numero (1 pour la premiere) de la ligne qui differe
        std::string Attendue, Obtenue;  // ces lignes, sans fin de ligne
        bool AttendueAbsente = false;   // la sortie attendue s'arrete avant
        bool ObtenueAbsente = false;    // la sortie obtenue s'arrete avant
        std::size_t Colonne = 0;        // octet de Obtenue ou commence la difference (debut d'un
                                        // caractere UTF-8)
        std::string Precision;          // ce qui differe quand les lignes se ressemblent (fin de ligne...)
    };

    SDifference ComparerSorties (const std::string & Attendue, const std::string & Obtenue,
                                 EComparaison Comparaison, double Tolerance);

    // "exacte", "blancs", "reels 1e-06", "casse"
    std::string NomComparaison (EComparaison Comparaison, double Tolerance);

    // La difference lisible pour un etudiant : les deux lignes l'une sous l'autre, le premier
    // caractere different marque d'un ^ ; Retrait ouvre chaque ligne. Les caracteres de
    // controle sont montres (\t, \r, \xNN) pour que l'affichage reste sur une ligne.
    std::string MontrerDifference (const SDifference & D, const std::string & Retrait);
    // Une ligne rendue visible de la meme maniere (\t, \r, \xNN).
    std::string LigneVisible (const std::string & Ligne);
}
