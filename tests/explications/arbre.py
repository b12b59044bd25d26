#!/usr/bin/env python3
"""tramelo-verifier --arbre : le modele en JSON. Chaque reference renvoie a une declaration, chaque
plage est le texte qu'elle dit (apres une tabulation aussi), un source faux donne ce qui a ete lu
avant l'erreur. Usage : arbre.py TRAMELO_VERIFIER"""
import json, os, subprocess, sys, tempfile

VERIFIER = sys.argv[1]
echecs = []


def verifier(nom, condition, detail=""):
    if not condition:
        echecs.append(f"{nom} {detail}")


def arbre(source):
    with tempfile.TemporaryDirectory() as d:
        chemin = os.path.join(d, "p.algo")
        with open(chemin, "wb") as f:
            f.write(source.encode())
        p = subprocess.run([VERIFIER, "--arbre", chemin], capture_output=True)
        return p.returncode, json.loads(p.stdout), source.encode()


def parcourir(noeud, visiter):
    """Chaque expression et chaque instruction sous noeud (dictionnaires a genre)."""
    if isinstance(noeud, dict):
        if "genre" in noeud:
            visiter(noeud)
        for v in noeud.values():
            parcourir(v, visiter)
    elif isinstance(noeud, list):
        for v in noeud:
            parcourir(v, visiter)


def texte(octets, plage):
    return octets[plage["decalage"]:plage["decalage"] + plage["longueur"]].decode()


# Un source complet, avec une tabulation avant une instruction : plages dans le fichier d'origine.
SOURCE = ("fonction doubler (x : in entier) renvoie entier\ndebut\n\trenvoie x * 2;\nfin\n"
          "algorithme A\ndebut\n    declarer t : tableau_de 3 reel;\n"
          "\tt [0] <- doubler (2) / 2.0;\n    si (t [0] > 1.5) sortie_non;\nfin\n")
statut, a, octets = arbre(SOURCE.replace(" sortie_non;", "\n        afficher (\"ok\", t [0]);\n    fsi"))
verifier("statut", statut == 0, statut)
verifier("erreur nulle", a["erreur"] is None)
decls = a["declarations"]
verifier("noms", [d["nom"] for d in decls] == ["doubler", "x", "A", "t"], [d["nom"] for d in decls])
verifier("parametre", decls[1]["mode"] == "in" and decls[1]["type"] == "entier")
verifier("taille du tableau", decls[3]["taille"]["valeur"] == 3 and decls[3]["type"] == "tableau_de reel")
for d in decls:
    verifier("place du nom", texte(octets, d["plage"]) == d["nom"], d)
fonction, algo = a["unites"]
verifier("unites", fonction["genre"] == "fonction" and fonction["type_retour"] == "entier"
         and algo["genre"] == "algorithme" and fonction["parametres"] == [1])
renvoie = fonction["corps"][0]
verifier("renvoie apres tabulation", renvoie["plage"]["colonne"] == 2 and texte(octets, renvoie["plage"]) == "renvoie x * 2;",
         renvoie["plage"])
affectation = algo["corps"][1]
verifier("affectation", affectation["genre"] == "affectation" and affectation["ligne"] == 8)
cible, valeur = affectation["expressions"]
verifier("cible", cible["genre"] == "element" and cible["nom"] == "t" and cible["type"] == "reel")
verifier("valeur", valeur["genre"] == "operation" and valeur["operateurs"] == ["/"]
         and texte(octets, valeur["plage"]) == "doubler (2) / 2.0")
appel = valeur["enfants"][0]
verifier("appel", appel["genre"] == "appel" and decls[appel["declaration"]]["nature"] == "fonction")
si = algo["corps"][2]
verifier("si", si["genre"] == "si" and len(si["blocs"]) == 1 and si["blocs"][0][0]["genre"] == "afficher")


def references(n):
    if "declaration" in n:
        verifier("reference", 0 <= n["declaration"] < len(decls) and decls[n["declaration"]]["nom"] == n["nom"], n)
    if "plage" in n and "texte" in n:
        verifier("litteral", texte(octets, n["plage"]) == n["texte"], n)


parcourir(a["unites"], references)

# Un source faux : ce qui a ete lu avant l'erreur, les instructions commencees incompletes.
statut, a, octets = arbre("algorithme A\ndebut\n    declarer n : entier;\n    tant_que (n < 3) faire\n"
                          "        n <- n + 1;\n        afficher (n +);\n    ffaire\nfin\n")
verifier("statut d'erreur", statut == 145, statut)
verifier("erreur", a["erreur"]["code"] == 145 and a["erreur"]["ligne"] == 6, a["erreur"])
boucle = a["unites"][0]["corps"][1]
verifier("boucle incomplete", boucle.get("incomplete") and boucle["blocs"][0][0]["genre"] == "affectation"
         and boucle["blocs"][0][1].get("incomplete"), boucle)
verifier("unite incomplete", not a["unites"][0]["complete"])

# Le format json des diagnostics : la colonne d'apres une tabulation est celle du fichier.
with tempfile.TemporaryDirectory() as d:
    chemin = os.path.join(d, "p.algo")
    with open(chemin, "w") as f:
        f.write("algorithme A\ndebut\n\tafficher (x);\nfin\n")
    p = subprocess.run([VERIFIER, "--format=json", chemin], capture_output=True, text=True)
    diag = json.loads(p.stdout.splitlines()[0])
    verifier("colonne json apres tabulation", diag["line"] == 3 and diag["column"] == 12, diag)

for e in echecs:
    print("ECHEC", e)
sys.exit(1 if echecs else 0)
