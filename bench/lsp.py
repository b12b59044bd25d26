"""Banc du serveur de langage : delai entre l'envoi d'un didChange et la reception du
publishDiagnostics de cette version, sur des sources de 100, 1 000 et 10 000 lignes, puis memoire
residente au fil de 10 000 modifications.
    python3 bench/lsp.py [build/default/tramelo-lsp] [--modifications N] [--rafale-seule]
Chaque modification remplace un caractere au milieu du source (changement incremental, comme un
editeur pendant la frappe), en alternant un texte fautif et un texte correct. La rafale envoie
d'un coup 10 000 modifications d'un source de 1,2 Mo (une lettre tapee puis effacee, ligne apres
ligne) et mesure le temps jusqu'aux diagnostics de la derniere version, et le temps processeur du
serveur : ce que coute l'application des changements, traductions comprises."""
import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "lsp"))
from client import Client, trame  # noqa: E402


def source(nb_lignes):
    """Un programme realiste : des procedures de 20 lignes puis l'algorithme."""
    unite = ["procedure P%d (t : in_out tableau_de entier, n : in_out entier)", "debut",
             "    declarer i : entier;", "    declarer s : entier;", "    s <- 0;",
             "    pour (i variant_de 0 a n - 1) faire", "        si (t [i] > s)", "            s <- t [i];",
             "        sinon_si (t [i] < 0)", "            t [i] <- 0 - t [i];", "        fsi",
             "    ffaire", "    tant_que (s > 10) faire", "        s <- s / 2;", "    ffaire",
             "    afficher (\"maximum : \", s);", "    ligne_suivante;", "    t [0] <- s;", "    n <- n + 1;", "fin"]
    lignes = []
    k = 0
    while len(lignes) + len(unite) + 8 <= nb_lignes:
        lignes += [l % k if "%d" in l else l for l in unite]
        k += 1
    lignes += ["algorithme Banc", "debut", "    declarer t : tableau_de 10 entier;", "    declarer n : entier;",
               "    n <- 10;"]
    while len(lignes) < nb_lignes - 1:
        lignes.append("    n <- n + 1;")
    lignes.append("fin")
    return "\n".join(lignes) + "\n", len(lignes) - 3


def delais(serveur, nb_lignes, nb):
    texte, ligne = source(nb_lignes)
    c = Client(serveur)
    c.initialiser()
    uri = "file:///banc/%d.algo" % nb_lignes
    c.ouvrir(uri, texte)
    assert c.diagnostics(uri, 1) == [], "le source du banc doit etre valide"
    mesures = []
    for version in range(2, nb + 2):
        debut = time.perf_counter()
        # "n <- n + 1;" : le 1 devient x (faute), puis redevient 1.
        c.changer(uri, version, [{"range": {"start": {"line": ligne, "character": 13},
                                            "end": {"line": ligne, "character": 14}},
                                  "text": "x" if version % 2 == 0 else "1"}])
        d = c.diagnostics(uri, version)
        assert len(d) == (version % 2 == 0), d
        mesures.append((c.dernier_instant - debut) * 1000)
    c.terminer()
    mesures.sort()
    return {"lignes": nb_lignes, "octets": len(texte.encode()), "median": statistics.median(mesures),
            "p90": mesures[int(len(mesures) * 0.9)], "max": mesures[-1]}


def memoire(serveur, nb):
    texte, ligne = source(1000)
    c = Client(serveur)
    c.initialiser()
    uri = "file:///banc/memoire.algo"
    c.ouvrir(uri, texte)
    c.diagnostics(uri, 1)
    releves = {}
    for version in range(2, nb + 2):
        c.changer(uri, version, [{"range": {"start": {"line": ligne, "character": 13},
                                            "end": {"line": ligne, "character": 14}},
                                  "text": "x" if version % 2 == 0 else "1"}])
        c.diagnostics(uri, version)
        if version - 1 in (100, 1000, nb // 2, nb):
            releves[version - 1] = c.rss_ko()
    c.terminer()
    return releves


def temps_processeur(pid):
    with open("/proc/%d/stat" % pid) as f:
        champs = f.read().rsplit(")", 1)[1].split()
    return (int(champs[11]) + int(champs[12])) / os.sysconf("SC_CLK_TCK")


def rafale(serveur, nb):
    texte, _ = source(55000)
    c = Client(serveur)
    c.initialiser()
    uri = "file:///banc/rafale.algo"
    c.ouvrir(uri, texte)
    assert c.diagnostics(uri, 1, delai=60) == []
    avant = temps_processeur(c.proc.pid)
    messages = []
    for k in range(nb):
        # Dans le corps des procedures : une lettre ajoutee en fin de "    s <- 0;", puis effacee.
        ligne = 4 + 20 * ((k // 2) % 2500)
        debut = {"line": ligne, "character": 11}
        if k % 2 == 0:
            change = {"range": {"start": debut, "end": debut}, "text": " "}
        else:
            change = {"range": {"start": debut, "end": {"line": ligne, "character": 12}}, "text": ""}
        messages.append(trame({"jsonrpc": "2.0", "method": "textDocument/didChange",
                               "params": {"textDocument": {"uri": uri, "version": k + 2}, "contentChanges": [change]}}))
    debut = time.perf_counter()
    c.brut(b"".join(messages))
    d = c.diagnostics(uri, nb + 1, delai=600)
    duree = time.perf_counter() - debut
    processeur = temps_processeur(c.proc.pid) - avant
    publications = sum(1 for m in c.notifications if m.get("method") == "textDocument/publishDiagnostics")
    c.terminer()
    assert d == [], d
    return len(texte.encode()), duree, processeur, publications - 1


def main():
    p = argparse.ArgumentParser()
    p.add_argument("serveur", nargs="?", default="build/default/tramelo-lsp")
    p.add_argument("--modifications", type=int, default=10000)
    p.add_argument("--mesures", type=int, default=200)
    p.add_argument("--rafale-seule", action="store_true")
    a = p.parse_args()
    octets, duree, processeur, publications = rafale(a.serveur, 10000)
    print("Rafale de 10 000 modifications d'un source de %.2f Mo : %.2f s jusqu'au dernier diagnostic, "
          "%.2f s de processeur, %d publications" % (octets / 1e6, duree, processeur, publications))
    if a.rafale_seule:
        return
    print()
    print("| Source | Taille | Médiane | 90 % | Maximum |")
    print("|---|---|---|---|---|")
    for n in (100, 1000, 10000):
        r = delais(a.serveur, n, a.mesures)
        print("| %s lignes | %.0f Ko | %.1f ms | %.1f ms | %.1f ms |"
              % (format(n, ",").replace(",", " "), r["octets"] / 1024, r["median"], r["p90"], r["max"]))
    releves = memoire(a.serveur, a.modifications)
    print()
    print("| Modifications | Mémoire résidente |")
    print("|---|---|")
    for k, v in sorted(releves.items()):
        print("| %s | %.1f Mo |" % (format(k, ",").replace(",", " "), v / 1024))
    premier = releves[min(releves)]
    print("\nCroissance de %s à %s modifications : %+.1f %%"
          % (min(releves), max(releves), 100 * (releves[max(releves)] - premier) / premier))


main()
