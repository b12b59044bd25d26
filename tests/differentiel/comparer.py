#!/usr/bin/env python3
"""Comparaison differentielle de deux traducteurs : sortie standard, erreur standard et statut
doivent etre identiques octet pour octet.

    python3 tests/differentiel/comparer.py REFERENCE CANDIDAT [--mutants N] [--graine G]
            [--largeurs 1,4,8] [--corpus DOSSIER ...] [--garder DOSSIER] [--taches T]

1. Chaque .algo du corpus (par defaut tests/ et exemples/), avec chaque largeur de tabulation.
2. N sources mutees tirees du corpus (graine fixe : une difference se reproduit) : jetons
   supprimes, inseres, echanges ou doubles, texte tronque, lignes greffees d'un autre fichier.
Les cas qui different sont ecrits dans le dossier --garder. Statut 1 s'il y en a un.
Hors de la suite de tests (long) ; pour comparer une branche a un commit de reference.
"""

import argparse
import concurrent.futures
import os
import random
import re
import subprocess
import sys
import tempfile

RACINE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# Jetons du pseudo-langage : chaine, caractere, nombre, mot, ponctuation (un caractere), blancs.
JETON = re.compile(r'"(?:\\.|[^"\\\n])*"?|\'(?:\\.|[^\'\\\n])*\'?|\d+(?:\.\d+)?(?:[eE][+-]?\d+)?'
                   r'|[A-Za-z_][A-Za-z0-9_]*|\s+|.', re.S)
# Jetons souvent utiles a inserer : ils font passer les lecteurs d'une forme a l'autre.
INSERTIONS = ["(", ")", "[", "]", ",", ";", "+", "-", "*", "/", "<", ">", "<=", "<-", "'a'",
              "'", '"x"', '"', "0", "1", "2.5", "NON", "ET", "OU", "ET_ALORS", "vaut",
              "ne_vaut_pas", "vrai", "faux", "si", "fsi", "faire", "ffaire", "pour", "declarer",
              "tableau_de", "string_de", "entier", "caractere", "string", "booleen", "reel",
              "constante", "renvoie", "debut", "fin", "taille", "modulo", "toupper", "rang",
              "succ", "Rand", "afficher", "saisir", "x", "s", "t", "c", "f", "n", "i"]


def corpus(dossiers):
    """Les .algo des dossiers, sans les copies du corpus du fuzzer (tests/fuzz/corpus)."""
    fichiers = []
    for d in dossiers:
        for base, _, noms in os.walk(d):
            if os.path.basename(base) == "corpus" and os.path.basename(os.path.dirname(base)) == "fuzz":
                continue
            fichiers += [os.path.join(base, n) for n in noms if n.endswith(".algo")]
    return sorted(fichiers)


def muter(textes, reussis, alea):
    """Un source mute : une a quatre operations, le plus souvent locales, sur un fichier du corpus
    (de preference un source que la reference traduit sans erreur : ses expressions vont plus loin)."""
    texte = alea.choice(reussis if reussis and alea.random() < 0.7 else textes)
    for _ in range(alea.randint(1, 4)):
        jetons = JETON.findall(texte)
        pleins = [i for i, j in enumerate(jetons) if not j.isspace()]
        if not pleins:
            break
        op = alea.choices(range(7), weights=[20, 25, 15, 15, 3, 10, 12])[0]
        k = alea.randrange(len(pleins))
        i = pleins[k]
        if op == 0:
            del jetons[i]
        elif op == 1:
            jetons.insert(i, " " + alea.choice(INSERTIONS + [jetons[alea.choice(pleins)]]) + " ")
        elif op == 2:
            # Echange avec un jeton proche : la structure d'ensemble reste.
            j = pleins[min(len(pleins) - 1, max(0, k + alea.randint(-5, 5)))]
            jetons[i], jetons[j] = jetons[j], jetons[i]
        elif op == 3:
            jetons.insert(i, jetons[i] + " ")
        elif op == 4:
            jetons = jetons[:i]
        elif op == 5:
            # Greffe de quelques lignes d'un autre fichier.
            autres = alea.choice(textes).splitlines(True)
            lignes = "".join(jetons).splitlines(True)
            a = alea.randrange(len(autres) + 1)
            greffe = autres[a:a + alea.randint(1, 6)]
            p = alea.randrange(len(lignes) + 1)
            texte = "".join(lignes[:p] + greffe + lignes[p:])
            continue
        else:
            # Un debut de construction repete : imbrication profonde.
            jetons.insert(i, alea.choice(["(", "[", "NON ", "- ", "f (", "t [", "(("])
                          * alea.randint(1, 40))
        texte = "".join(jetons)
    return texte


def lancer(binaire, chemin, largeur):
    commande = [binaire, chemin] + ([str(largeur)] if largeur is not None else [])
    try:
        p = subprocess.run(commande, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60,
                           check=False)
        return p.stdout, p.stderr, p.returncode
    except subprocess.TimeoutExpired:
        return b"", b"", "delai depasse"


def comparer(ref, cand, chemin, largeur):
    a = lancer(ref, chemin, largeur)
    b = lancer(cand, chemin, largeur)
    return a == b, a, b


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("reference")
    p.add_argument("candidat")
    p.add_argument("--mutants", type=int, default=20000)
    p.add_argument("--graine", type=int, default=1)
    p.add_argument("--largeurs", default="1,4,8")
    p.add_argument("--corpus", nargs="+",
                   default=[os.path.join(RACINE, "tests"), os.path.join(RACINE, "exemples")])
    p.add_argument("--garder", default="differences")
    p.add_argument("--taches", type=int, default=os.cpu_count() or 1)
    args = p.parse_args()

    fichiers = corpus(args.corpus)
    if not fichiers:
        sys.exit("corpus vide")
    textes = []
    for f in fichiers:
        with open(f, encoding="latin-1") as t:
            textes.append(t.read())
    reussis = [t for f, t in zip(fichiers, textes) if lancer(args.reference, f, None)[2] == 0]
    largeurs = [int(x) for x in args.largeurs.split(",")]
    travail = tempfile.mkdtemp(prefix="tramelo-diff-")
    cas = [(f, l) for f in fichiers for l in largeurs]
    alea = random.Random(args.graine)
    for n in range(args.mutants):
        chemin = os.path.join(travail, f"m{n:06d}.algo")
        with open(chemin, "w", encoding="latin-1") as t:
            t.write(muter(textes, reussis, alea))
        cas.append((chemin, None if n % 5 else alea.choice(largeurs)))

    differences = 0
    with concurrent.futures.ThreadPoolExecutor(args.taches) as pool:
        futurs = {pool.submit(comparer, args.reference, args.candidat, c, l): (c, l) for c, l in cas}
        for futur in concurrent.futures.as_completed(futurs):
            chemin, largeur = futurs[futur]
            identique, a, b = futur.result()
            if identique:
                continue
            differences += 1
            os.makedirs(args.garder, exist_ok=True)
            nom = os.path.join(args.garder, f"{differences:04d}_{os.path.basename(chemin)}")
            with open(chemin, "rb") as s, open(nom, "wb") as d:
                d.write(s.read())
            print(f"DIFFERENCE {chemin} (tabulation {largeur}) -> {nom}")
            print(f"  reference : statut {a[2]}, {a[1][:200]!r}")
            print(f"  candidat  : statut {b[2]}, {b[1][:200]!r}")
    for f in os.listdir(travail):
        os.remove(os.path.join(travail, f))
    os.rmdir(travail)
    print(f"{len(cas)} cas compares ({len(fichiers)} sources x {len(largeurs)} largeurs,"
          f" {args.mutants} mutants) : {differences} difference(s)")
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
