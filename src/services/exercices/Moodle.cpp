#include "services/exercices/Moodle.h"
#include "services/explications/Lexique.h"
#include "services/organigrammes/Textes.h"

#include <cstdio>

namespace nsTramelo
{
    namespace
    {
        // Les caracteres de commande que XML 1.0 interdit (sauf fin de ligne, tabulation, retour
        // chariot) deviennent U+FFFD : le fichier doit rester lisible.
        std::string SansCommandes (const std::string & Texte)
        {
            std::string R;
            R.reserve (Texte.size ());
            for (const char c : Texte)
                if (static_cast <unsigned char> (c) < 0x20 && c != '\n' && c != '\t' && c != '\r') R += "\xEF\xBF\xBD";
                else R += c;
            return R;
        }

        std::string Texte (const std::string & T) { return nsOrganigramme::EchapperXml (SansCommandes (Utf8Valide (T))); }

        // <Nom><text>...</text></Nom>
        std::string ElementTexte (const char * Nom, const std::string & T, const char * Attributs = "")
        {
            return std::string ("    <") + Nom + Attributs + "><text>" + Texte (T) + "</text></" + Nom + ">\n";
        }

        std::string Element (const char * Nom, const std::string & T)
        {
            return std::string ("    <") + Nom + ">" + Texte (T) + "</" + Nom + ">\n";
        }

        // Le modele de la question, execute par le serveur pour chaque test (l'entree du test
        // sur son entree standard) : le programme de l'etudiant passe a tramelo-exec, qui le
        // verifie, le traduit, le compile et l'execute ; son statut devient celui du test.
        const char * const Modele =
            "import subprocess, sys\n"
            "source = \"\"\"{{ STUDENT_ANSWER | e('py') }}\"\"\"\n"
            "with open('programme.algo', 'w', encoding='utf-8') as f:\n"
            "    f.write(source)\n"
            "sys.stdout.flush()\n"
            "r = subprocess.run(['tramelo-exec', '--memoire', '{{ MEMOIRE }}', 'programme.algo'])\n"
            "sys.exit(r.returncode)\n";
    }

    std::string ExporterMoodle (const SExercice & E, std::vector <std::string> & Avertissements)
    {
        // Une seule facon de comparer par question : celle de Moodle la plus proche.
        bool ToutesCasse = ! E.Tests.empty ();
        for (const STestExercice & T : E.Tests) ToutesCasse = ToutesCasse && T.Comparaison == EComparaison::Casse;
        for (const STestExercice & T : E.Tests)
        {
            if (T.Comparaison == EComparaison::Reels)
                Avertissements.push_back ("le test « " + T.Nom + " » compare des réels à " + NomComparaison (T.Comparaison, T.Tolerance).substr (6)
                                          + " près : Moodle comparera ses sorties exactement");
            else if (T.Comparaison == EComparaison::Casse && ! ToutesCasse)
                Avertissements.push_back ("le test « " + T.Nom + " » ignore la casse, pas les autres : Moodle "
                                          "comparera toutes les sorties en tenant compte de la casse");
        }
        if (E.Tests.empty ()) Avertissements.push_back ("l'exercice n'a aucun test : la question n'évalue rien");

        char Memoire [32];
        std::snprintf (Memoire, sizeof Memoire, "%lu", E.Memoire);
        std::string Gabarit = Modele;
        const std::string Marque = "{{ MEMOIRE }}";
        Gabarit.replace (Gabarit.find (Marque), Marque.size (), Memoire);

        std::string X = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<!-- Question exportée par tramelo-noter, à importer dans Moodle au format XML. -->\n"
                        "<quiz>\n"
                        "  <question type=\"coderunner\">\n";
        X += "    <name><text>" + Texte (E.Titre) + "</text></name>\n";
        X += ElementTexte ("questiontext", E.Enonce, " format=\"markdown\"");
        X += ElementTexte ("generalfeedback", "", " format=\"html\"");
        X += Element ("defaultgrade", std::to_string (E.PointsMax ()));
        X += Element ("penalty", "0");
        X += Element ("hidden", "0");
        X += Element ("coderunnertype", "python3");
        X += Element ("prototypetype", "0");
        X += Element ("allornothing", "0");
        X += Element ("penaltyregime", "0");
        X += Element ("precheck", "0");
        X += Element ("showsource", "0");
        X += Element ("answerboxlines", "18");
        X += Element ("answerboxcolumns", "100");
        X += Element ("answerpreload", E.Depart.value_or (""));
        X += Element ("useace", "1");
        X += Element ("template", Gabarit);
        X += Element ("iscombinatortemplate", "0");
        X += Element ("allowmultiplestdins", "0");
        X += Element ("language", "python3");
        X += Element ("acelang", "");
        X += Element ("grader", ToutesCasse ? "NearEqualityGrader" : "EqualityGrader");
        // Le temps du serveur comprend la traduction et la compilation par g++.
        X += Element ("cputimelimitsecs", std::to_string (E.Temps + 10));
        X += Element ("memlimitmb", std::to_string (E.Memoire + 512));
        X += "    <testcases>\n";
        for (const STestExercice & T : E.Tests)
        {
            X += "      <testcase testtype=\"0\" useasexample=\"" + std::string (T.Visible ? "1" : "0")
               + "\" hiderestiffail=\"0\" mark=\"" + std::to_string (T.Points) + ".0000000\">\n";
            X += "    " + ElementTexte ("testcode", "");
            X += "    " + ElementTexte ("stdin", T.Entree);
            X += "    " + ElementTexte ("expected", T.Sortie);
            X += "    " + ElementTexte ("extra", "");
            X += "    " + ElementTexte ("display", T.Visible ? "SHOW" : "HIDE");
            X += "      </testcase>\n";
        }
        X += "    </testcases>\n";
        X += "  </question>\n</quiz>\n";
        return X;
    }
}
