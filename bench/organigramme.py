#!/usr/bin/env python3
"""Banc de tramelo-organigramme : temps, memoire et taille du dessin pour des sources de 10 000
lignes (unites engendrees par bench.py : fonctions et procedures qui s'appellent ; puis un seul
algorithme de 10 000 lignes, un seul grand organigramme), dans les trois formats, a cote du temps
de tramelo-verifier sur le meme source (la verification est la premiere etape du dessin).

    python3 bench/organigramme.py [build/default] [--repetitions N]

Hors de la suite de tests : les chiffres dependent de la machine, on les lit, on ne les teste pas.
"""
import argparse
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bench  # noqa: E402  (generateurs et mesure du banc du traducteur)

LIGNES = 10_000


def source_unites(lignes):
    """Des fonctions et procedures realistes (celles de bench.py) jusqu'a environ `lignes` lignes."""
    morceaux, n, i = [bench.unite_fonction(0, 0)], 0, 1
    n = morceaux[0].count("\n")
    while n < lignes - 8:
        texte = bench.unite_fonction(i, 2 * ((i * 7919) % ((i + 1) // 2))) if i % 2 == 0 \
            else bench.unite_procedure(i, i - 1)
        morceaux.append(texte)
        n += texte.count("\n")
        i += 1
    derniere = i - 1 if (i - 1) % 2 == 0 else i - 2
    morceaux.append(f"algorithme Essai\ndebut\n    declarer m : string;\n    m <- \"\";\n"
                    f"    afficher (f{derniere} (1, 2));\n    p1 (f0 (3, 4), m);\nfin\n")
    return "".join(morceaux)


def source_un_algorithme(lignes):
    """Un seul algorithme : boucles, conditionnelles, saisies et affichages, sur `lignes` lignes."""
    motif = ["    pour (i variant_de 1 a n) faire", "        si (t [i] > m)", "            m <- t [i];",
             "        sinon_si (t [i] < 0)", "            afficher (\"negatif : \", i);", "        fsi",
             "    ffaire", "    tant_que (m > 10) faire", "        m <- m / 2;", "    ffaire",
             "    saisir (n);"]
    corps = []
    while len(corps) + len(motif) < lignes - 6:
        corps += motif
    return "\n".join(["algorithme Grand", "debut", "    declarer t : tableau_de 100 entier;",
                      "    declarer n : entier;", "    declarer m : entier;"] + corps + ["fin", ""])


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("construction", nargs="?", default=os.path.join(bench.RACINE, "build/default"))
    p.add_argument("--repetitions", type=int, default=5)
    a = p.parse_args()
    outil = os.path.join(a.construction, "tramelo-organigramme")
    verifier = os.path.join(a.construction, "tramelo-verifier")
    for x in (outil, verifier):
        if not os.access(x, os.X_OK):
            sys.exit(f"{x} introuvable (construire d'abord : cmake --preset default && cmake --build --preset default)")
    print(f"Machine : {bench.machine()}\n")
    print("| Source | Format | Temps | Processeur | Mémoire max | Dessin | Statut |")
    print("|---|---|---|---|---|---|---|")
    with tempfile.TemporaryDirectory(prefix="tramelo-banc-") as dossier:
        for nom, texte in (("unités", source_unites(LIGNES)), ("un algorithme", source_un_algorithme(LIGNES))):
            chemin = os.path.join(dossier, "banc.algo")
            with open(chemin, "w", encoding="utf-8") as f:
                f.write(texte)
            lignes = f"{texte.count(chr(10)):,}".replace(",", " ")
            libelle = f"{lignes} lignes, {nom} ({len(texte) // 1024} Ko)"

            reel, cpu, mem, statut = bench.mesurer(verifier, chemin, a.repetitions)
            print(f"| {libelle} | (tramelo-verifier) | {reel * 1000:.0f} ms | {cpu * 1000:.0f} ms | "
                  f"{(mem or 0) / bench.MO:.1f} Mo | | {statut} |")
            for fmt in ("svg", "dot", "mermaid"):
                sortie = os.path.join(dossier, "dessin")
                # bench.mesurer lance [programme, chemin] : un petit script fixe le format.
                lanceur = os.path.join(dossier, f"dessiner-{fmt}")
                with open(lanceur, "w", encoding="utf-8") as f:
                    f.write(f"#!/bin/sh\nexec '{outil}' --format {fmt} -o '{sortie}' \"$1\"\n")
                os.chmod(lanceur, 0o755)
                reel, cpu, mem, statut = bench.mesurer(lanceur, chemin, a.repetitions)
                taille = os.path.getsize(sortie) if statut == 0 else 0
                print(f"| {libelle} | {fmt} | {reel * 1000:.0f} ms | {cpu * 1000:.0f} ms | "
                      f"{(mem or 0) / bench.MO:.1f} Mo | {taille / bench.MO:.1f} Mo | {statut} |")


if __name__ == "__main__":
    main()
