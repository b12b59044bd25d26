#!/usr/bin/env python3
"""Chasse aux formes de source lentes : engendre, pour chaque forme, des sources de 2,5, 5 et
10 Ko, et mesure Tramelo (traduction seule) et tramelo-verifier (traduction et explications).
Une forme dont le temps fait plus que doubler quand la taille double est signalee.

    python3 bench/formes_verifier.py [--dossier build/default] [--formes nom,nom] [--limite S]
                                     [--tailles 2500,5000,10000] [--repetitions N] [--garder DOSSIER]

Hors de la suite de tests : les chiffres dependent de la machine, on les lit.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

RACINE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def programme(corps, entete=""):
    return f"{entete}algorithme A\ndebut\n    declarer x : entier;\n    declarer t : tableau_de 10 entier;\n{corps}fin\n"


def repeter(motif, taille, fixe=0):
    """Assez de motifs pour que le source atteigne environ taille octets."""
    return max(1, (taille - fixe) // max(1, len(motif)))


# --- Formes : chacune rend un source d'environ taille octets ---

def parentheses(taille):
    n = repeter("()", taille, 80)
    return programme(f"    x <- {'(' * n}1{')' * n};\n")


def parentheses_ouvertes(taille):
    n = repeter("(", taille, 80)
    return programme(f"    x <- {'(' * n}1;\n")


def parentheses_fermees_en_trop(taille):
    n = repeter(")", taille, 80)
    return programme(f"    x <- 1{')' * n};\n")


def parentheses_additions(taille):
    n = repeter("(1+", taille, 80)
    return programme(f"    x <- {'(1+' * n}1{')' * n};\n")


def parentheses_additions_ouvertes(taille):
    n = repeter("(1+", taille, 80)
    return programme(f"    x <- {'(1+' * n}1;\n")


def indices(taille):
    n = repeter("t[]", taille, 80)
    return programme(f"    x <- {'t[' * n}0{']' * n};\n")


def indices_ouverts(taille):
    n = repeter("t[", taille, 80)
    return programme(f"    x <- {'t[' * n}0;\n")


def appels(taille):
    n = repeter("abs()", taille, 80)
    return programme(f"    x <- {'abs(' * n}1{')' * n};\n")


def appels_ouverts(taille):
    n = repeter("abs(", taille, 80)
    return programme(f"    x <- {'abs(' * n}1;\n")


def appels_utilisateur(taille):
    n = repeter("f(,1)", taille, 200)
    entete = "fonction f (a : in entier, b : in entier) renvoie entier\ndebut\n    renvoie a + b;\nfin\n"
    return programme(f"    x <- {'f(' * n}1{',1)' * n};\n", entete)


def appels_utilisateur_ouverts(taille):
    n = repeter("f(1,", taille, 200)
    entete = "fonction f (a : in entier, b : in entier) renvoie entier\ndebut\n    renvoie a + b;\nfin\n"
    return programme(f"    x <- {'f(1,' * n}1;\n", entete)


def non_enchaines(taille):
    n = repeter("NON ", taille, 80)
    return programme(f"    si ({'NON ' * n}vrai)\n        x <- 1;\n    fsi\n")


def moins_enchaines(taille):
    n = repeter("-", taille, 80)
    return programme(f"    x <- {'-' * n}1;\n")


def blocs_si(taille):
    n = repeter("si (vrai)\n fsi\n", taille, 80)
    return programme("si (vrai)\n" * n + "x <- 1;\n" + "fsi\n" * n)


def blocs_si_ouverts(taille):
    n = repeter("si (vrai)\n", taille, 80)
    return programme("si (vrai)\n" * n + "x <- 1;\n")


def blocs_si_fsi_en_trop(taille):
    n = repeter("fsi\n", taille, 80)
    return programme("x <- 1;\n" + "fsi\n" * n)


def blocs_pour(taille):
    motif = "pour (i0 variant_de 1 a 2) faire\nffaire\n"
    n = repeter(motif, taille, 80)
    return programme("".join(f"pour (i{k} variant_de 1 a 2) faire\n" for k in range(n))
                     + "x <- 1;\n" + "ffaire\n" * n)


def blocs_pour_ouverts(taille):
    n = repeter("pour (i0 variant_de 1 a 2) faire\n", taille, 80)
    return programme("".join(f"pour (i{k} variant_de 1 a 2) faire\n" for k in range(n)) + "x <- 1;\n")


def blocs_tant_que_ouverts(taille):
    n = repeter("tant_que (vrai) faire\n", taille, 80)
    return programme("tant_que (vrai) faire\n" * n + "x <- 1;\n")


def blocs_boucle_ouverts(taille):
    n = repeter("boucle\n", taille, 80)
    return programme("boucle\n" * n + "x <- 1;\n")


def repeter_ouverts(taille):
    n = repeter("repeter\n", taille, 80)
    return programme("repeter\n" * n + "x <- 1;\n")


def sinon_si_chaine(taille):
    n = repeter("sinon_si (x vaut 10000)\n x <- 1;\n", taille, 80)
    return programme("si (x vaut 0)\n x <- 1;\n" + "".join(f"sinon_si (x vaut {k})\n x <- 1;\n" for k in range(n))
                     + "fsi\n")


def sinon_si_sans_fsi(taille):
    n = repeter("sinon_si (x vaut 10000)\n x <- 1;\n", taille, 80)
    return programme("si (x vaut 0)\n x <- 1;\n" + "".join(f"sinon_si (x vaut {k})\n x <- 1;\n" for k in range(n)))


def longue_ligne_somme(taille):
    n = repeter("x + ", taille, 80)
    return programme(f"    x <- {'x + ' * n}1;\n")


def longue_ligne_fautive(taille):
    n = repeter("x + ", taille, 80)
    return programme(f"    x <- {'x + ' * n}+;\n")


def longue_ligne_instructions(taille):
    n = repeter("x <- x + 1; ", taille, 80)
    return programme("    " + "x <- x + 1; " * n + "\n")


def programme_sur_une_ligne(taille):
    n = repeter("x <- x + 1; ", taille, 80)
    return programme("    " + "x <- x + 1; " * n + "\n").replace("\n", " ")


def beaucoup_de_noms(taille):
    n = repeter("    declarer v00000 : entier;\n", taille, 80)
    return programme("".join(f"    declarer v{k} : entier;\n" for k in range(n)))


def beaucoup_de_noms_puis_inconnu(taille):
    n = repeter("    declarer v00000 : entier;\n", taille, 80)
    return programme("".join(f"    declarer v{k} : entier;\n" for k in range(n)) + "    x <- vv;\n")


def noms_proches_puis_inconnu(taille):
    # Des noms tous proches de celui qui est mal ecrit : les suggestions doivent les comparer.
    n = repeter("    declarer compteur_00000 : entier;\n", taille, 80)
    return programme("".join(f"    declarer compteur_{k:05d} : entier;\n" for k in range(n))
                     + "    x <- compteur_0000;\n")


def beaucoup_d_unites(taille):
    n = repeter("procedure p00000 ()\ndebut\nfin\n", taille, 80)
    return programme("", "".join(f"procedure p{k} ()\ndebut\nfin\n" for k in range(n)))


def beaucoup_d_unites_puis_inconnue(taille):
    n = repeter("procedure p00000 ()\ndebut\nfin\n", taille, 80)
    return programme("    q ();\n", "".join(f"procedure p{k} ()\ndebut\nfin\n" for k in range(n)))


def long_identificateur(taille):
    return programme(f"    declarer {'a' * (taille - 80)} : entier;\n")


def long_identificateur_inconnu(taille):
    return programme(f"    x <- {'a' * (taille - 80)};\n")


def long_identificateur_declare_puis_proche(taille):
    nom = "a" * ((taille - 100) // 2)
    return programme(f"    declarer {nom} : entier;\n    x <- {nom}b;\n")


def longs_identificateurs_inconnus(taille):
    n = repeter("b" * 200 + "; ", taille, 80)
    return programme("    x <- " + " + ".join("b" * 200 for _ in range(n)) + ";\n")


def chaine_non_fermee(taille):
    return programme(f"    afficher (\"{'a' * (taille - 80)}\n")


def chaine_non_fermee_longue_fin(taille):
    n = repeter("    x <- 1;\n", taille, 80)
    return programme("    afficher (\"abc);\n" + "    x <- 1;\n" * n)


def chaines_non_fermees(taille):
    n = repeter("    afficher (\"abc);\n", taille, 80)
    return programme("    afficher (\"abc);\n" * n)


def caractere_non_ferme(taille):
    return programme(f"    afficher ('{'a' * (taille - 80)}\n")


def chaine_echappements(taille):
    n = repeter("\\\"", taille, 80)
    return programme(f"    afficher (\"{chr(92) + chr(34)}" * 1 + "\\\"" * n + "\");\n")


def chaine_concatenations(taille):
    n = repeter("\"a\" + ", taille, 80)
    return programme("    afficher (" + "\"a\" + " * n + "\"b\");\n")


def afficher_arguments(taille):
    n = repeter("x, ", taille, 80)
    return programme("    afficher (" + "x, " * n + "x);\n")


def afficher_arguments_ouvert(taille):
    n = repeter("x, ", taille, 80)
    return programme("    afficher (" + "x, " * n + "\n")


def lignes_erronees(taille):
    n = repeter("    x <- ;\n", taille, 80)
    return programme("    x <- ;\n" * n)


def bruit(taille):
    n = repeter("@#$ ", taille, 80)
    return programme("    " + "@#$ " * n + "\n")


def points_virgules(taille):
    n = repeter(";", taille, 80)
    return programme("    " + ";" * n + "\n")


def commentaires(taille):
    n = repeter("    // un commentaire ordinaire sur une ligne\n", taille, 80)
    return programme("    // un commentaire ordinaire sur une ligne\n" * n)


def lignes_vides(taille):
    return programme("\n" * (taille - 80) + "    x <- ;\n")


def tabulations(taille):
    n = repeter("\tx <- x + 1;\n", taille, 80)
    return programme("\t\tx <- x + 1;\n" * n)


def retours_chariot(taille):
    n = repeter("    x <- x + 1;\r\n", taille, 80)
    return programme("    x <- x + 1;\r\n" * n + "    x <- ;\r\n")


def non_ascii(taille):
    n = repeter("    // é à ü 😀\n", taille, 80)
    return programme("    // é à ü 😀\n" * n + "    x <- é;\n")


def comparaisons(taille):
    n = repeter("x < ", taille, 80)
    return programme(f"    si ({'x < ' * n}1)\n x <- 1;\n fsi\n")


def et_ou(taille):
    n = repeter("vrai ET ", taille, 80)
    return programme(f"    si ({'vrai ET ' * n}faux)\n x <- 1;\n fsi\n")


def mots_reserves_en_vrac(taille):
    n = repeter("si sinon fsi pour ffaire ", taille, 80)
    return programme("    " + "si sinon fsi pour ffaire " * n + "\n")


def fins_en_vrac(taille):
    n = repeter("fin\n", taille, 80)
    return programme("") + "fin\n" * n


def debuts_en_vrac(taille):
    n = repeter("debut\n", taille, 80)
    return programme("debut\n" * n)


def declarations_en_vrac(taille):
    n = repeter("declarer : ; ", taille, 80)
    return programme("    " + "declarer : ; " * n + "\n")


def parametres_nombreux(taille):
    n = repeter("a00000 : in entier, ", taille, 80)
    params = ", ".join(f"a{k} : in entier" for k in range(n))
    return programme("", f"procedure p ({params})\ndebut\nfin\n")


def parametres_ouverts(taille):
    n = repeter("a00000 : in entier, ", taille, 80)
    params = ", ".join(f"a{k} : in entier" for k in range(n))
    return programme("", f"procedure p ({params}\ndebut\nfin\n")


def tableaux_imbriques(taille):
    n = repeter("tableau_de ", taille, 80)
    return programme(f"    declarer u : {'tableau_de ' * n}entier;\n")


def blocs_melanges_ouverts(taille):
    motifs = ["si (vrai)\n", "pour (i{k} variant_de 1 a 2) faire\n", "tant_que (vrai) faire\n", "boucle\n", "repeter\n"]
    n = repeter("pour (i00 variant_de 1 a 2) faire\n", taille, 80)
    return programme("".join(motifs[k % 5].format(k=k) for k in range(n)))


def appels_inconnus_une_ligne(taille):
    n = repeter("f(1) + ", taille, 80)
    return programme("    x <- " + "f(1) + " * n + "1;\n")


def appels_inconnus_lignes(taille):
    n = repeter("    x <- f(1);\n", taille, 80)
    return programme("    x <- f(1);\n" * n)


def appel_inconnu_puis_noms(taille):
    n = repeter(" f", taille, 80)
    return programme("    f (1);\n" + "   " + " f" * n + "\n")


def nom_inconnu_repete(taille):
    n = repeter(" y", taille, 80)
    return programme("    x <- y" + " y" * n + ";\n")


def fonction_sans_renvoie_si(taille):
    n = repeter("si (vrai) x <- 1; fsi\n", taille, 120)
    return "fonction g () renvoie entier\ndebut\n    declarer x : entier;\n" + "    si (x > 0)\n        x <- 1;\n    fsi\n" * n \
        + "fin\nalgorithme A\ndebut\nfin\n"


def nom_inconnu_dans_chaine_ouverte(taille):
    n = repeter(" f", taille, 80)
    return programme("    f (1);\n    \"" + " f" * n + "\n")


def lignes_blanches_avant_erreur(taille):
    n = repeter(" " * 40 + "\n", taille, 80)
    return programme("    x <- 1\n" + (" " * 40 + "\n") * n)


def lignes_blanches_longues_avant_erreur(taille):
    n = repeter(" " * 100 + "\n", taille, 80)
    return programme("    x <- 1\n" + (" " * 100 + "\n") * n)


def noms_tous_employes_puis_inconnu(taille):
    # Chaque nom d'une longue instruction cherche parmi des milliers de declarations.
    n = repeter("    declarer v00000 : entier;\n + v00000", taille, 80)
    decl = "".join(f"    declarer v{k} : entier;\n" for k in range(n))
    return programme(decl + "    x <- " + " + ".join(f"v{k}" for k in range(n)) + " + zz;\n")


def noms_longs_proches(taille):
    n = repeter("    declarer " + "a" * 200 + "000 : entier;\n", taille, 300)
    return programme("".join(f"    declarer {'a' * 200}{k:03d} : entier;\n" for k in range(n)) + f"    x <- {'a' * 200}0;\n")


def blocs_si_un_sur_deux_fermes(taille):
    n = repeter("si (vrai)\nsi (vrai)\nfsi\n", taille, 80)
    return programme("si (vrai)\nsi (vrai)\nfsi\n" * n)


FORMES = {f.__name__: f for f in [
    parentheses, parentheses_ouvertes, parentheses_fermees_en_trop, parentheses_additions,
    parentheses_additions_ouvertes, indices, indices_ouverts, appels, appels_ouverts,
    appels_utilisateur, appels_utilisateur_ouverts, non_enchaines, moins_enchaines,
    blocs_si, blocs_si_ouverts, blocs_si_fsi_en_trop, blocs_pour, blocs_pour_ouverts,
    blocs_tant_que_ouverts, blocs_boucle_ouverts, repeter_ouverts, sinon_si_chaine,
    sinon_si_sans_fsi, longue_ligne_somme, longue_ligne_fautive, longue_ligne_instructions,
    programme_sur_une_ligne, beaucoup_de_noms, beaucoup_de_noms_puis_inconnu,
    noms_proches_puis_inconnu, beaucoup_d_unites, beaucoup_d_unites_puis_inconnue,
    long_identificateur, long_identificateur_inconnu, long_identificateur_declare_puis_proche,
    longs_identificateurs_inconnus, chaine_non_fermee, chaine_non_fermee_longue_fin,
    chaines_non_fermees, caractere_non_ferme, chaine_echappements, chaine_concatenations,
    afficher_arguments, afficher_arguments_ouvert, lignes_erronees, bruit, points_virgules,
    commentaires, lignes_vides, tabulations, retours_chariot, non_ascii, comparaisons, et_ou,
    mots_reserves_en_vrac, fins_en_vrac, debuts_en_vrac, declarations_en_vrac,
    parametres_nombreux, parametres_ouverts, tableaux_imbriques, blocs_melanges_ouverts,
    blocs_si_un_sur_deux_fermes, appels_inconnus_une_ligne, appels_inconnus_lignes,
    appel_inconnu_puis_noms, nom_inconnu_repete, fonction_sans_renvoie_si,
    nom_inconnu_dans_chaine_ouverte, lignes_blanches_avant_erreur, lignes_blanches_longues_avant_erreur,
    noms_tous_employes_puis_inconnu, noms_longs_proches,
]}


def chronometrer(commande, limite, repetitions=1):
    """Meilleur temps de quelques executions (s), statut ; None si l'une depasse la limite."""
    meilleur, statut = None, None
    for _ in range(repetitions):
        debut = time.perf_counter()
        try:
            r = subprocess.run(commande, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=limite)
        except subprocess.TimeoutExpired:
            return None, None
        duree = time.perf_counter() - debut
        meilleur, statut = duree if meilleur is None else min(meilleur, duree), r.returncode
    return meilleur, statut


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    p.add_argument("--dossier", default=os.path.join(RACINE, "build", "default"))
    p.add_argument("--formes", default="")
    p.add_argument("--tailles", default="2500,5000,10000")
    p.add_argument("--limite", type=float, default=60.0)
    p.add_argument("--repetitions", type=int, default=1, help="meilleur de N executions")
    p.add_argument("--garder", default="")
    a = p.parse_args()
    tramelo = os.path.join(a.dossier, "Tramelo")
    verifier = os.path.join(a.dossier, "tramelo-verifier")
    for outil in (tramelo, verifier):
        if not os.access(outil, os.X_OK):
            sys.exit(f"{outil} absent : cmake --preset default && cmake --build --preset default")
    tailles = [int(t) for t in a.tailles.split(",")]
    choisies = a.formes.split(",") if a.formes else list(FORMES)
    dossier = a.garder or tempfile.mkdtemp(prefix="tramelo-formes-")
    os.makedirs(dossier, exist_ok=True)
    lentes = []
    entete = " | ".join(f"{t // 1000} Ko" if t % 1000 == 0 else f"{t / 1000:g} Ko" for t in tailles)
    print(f"| Forme | Statut | Tramelo {entete} | verifier {entete} | Rapport |")
    print("|---|---|" + "---|" * (2 * len(tailles) + 1))
    for nom in choisies:
        temps_t, temps_v, statut = [], [], None
        for taille in tailles:
            fichier = os.path.join(dossier, f"{nom}-{taille}.algo")
            with open(fichier, "w", encoding="utf-8", newline="") as f:
                f.write(FORMES[nom](taille))
            t, statut = chronometrer([tramelo, fichier], a.limite, a.repetitions)
            v, _ = chronometrer([verifier, fichier], a.limite, a.repetitions)
            temps_t.append(t)
            temps_v.append(v)
        fmt = lambda s: "> limite" if s is None else f"{s * 1000:.1f} ms"
        # Rapport du temps de verification entre les deux plus grandes tailles (au-dela du cout fixe).
        rapport = ""
        if temps_v[-1] is None:
            rapport, lente = "lente", True
        else:
            fixe = 0.004
            a1, a2 = max(temps_v[-2] - fixe, 1e-4), max(temps_v[-1] - fixe, 1e-4)
            r = a2 / a1
            rapport = f"x{r:.1f}"
            lente = r > 2.8 and temps_v[-1] > 0.05
        if lente:
            lentes.append(nom)
        print(f"| {nom} | {statut} | " + " | ".join(fmt(t) for t in temps_t) + " | "
              + " | ".join(fmt(v) for v in temps_v) + f" | {rapport} |", flush=True)
    print("\nFormes super-lineaires : " + (", ".join(lentes) if lentes else "aucune"))
    if not a.garder:
        for f in os.listdir(dossier):
            os.remove(os.path.join(dossier, f))
        os.rmdir(dossier)


if __name__ == "__main__":
    main()
