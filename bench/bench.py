#!/usr/bin/env python3
"""Banc de mesure du traducteur : engendre des sources de formes et de tailles choisies, les
traduit avec le Tramelo donne et affiche pour chacun le temps, le debit et la memoire maximale.

    python3 bench/bench.py [chemin/de/Tramelo] [--repetitions N] [--garder DOSSIER] [--instructions]

Tramelo par defaut : build/default/Tramelo (construction optimisee). Hors de la suite de tests :
les chiffres dependent de la machine, on les lit, on ne les teste pas.
"""

import argparse
import os
import platform
import subprocess
import sys
import tempfile
import time

RACINE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MO = 1024 * 1024


# --- Generateurs : chacun rend le texte d'un source complet ---

def unite_fonction(i, appelee):
    """Une fonction realiste : declarations, pour, si / sinon_si, tant_que, appels."""
    return f"""fonction f{i} (u : in entier, v : in entier) renvoie entier
debut
    declarer s : entier;
    declarer t : tableau_de 10 entier;
    s <- 0;
    pour (k variant_de 0 a 9) faire
        t [k] <- k * u + v;
        si (t [k] > 100 ET u < v)
            s <- s + f{appelee} (t [k], modulo (v, 7));
        sinon_si (t [k] vaut 3 OU NON (u >= v))
            s <- s - (u - 1) * 2;
        sinon
            s <- s - 1;
        fsi
    ffaire
    tant_que (s > 1000) faire
        s <- s / 2;
    ffaire
    renvoie s;
fin

"""


def unite_procedure(i, appelee):
    """Une procedure realiste : chaines, caracteres, afficher a plusieurs arguments, repeter."""
    return f"""procedure p{i} (x : in entier, m : in_out string)
debut
    declarer c : caractere;
    c <- 'a';
    m <- m + "x" + toupper (c);
    afficher ("valeur : ", x, " ", m, f{appelee} (x, 2));
    ligne_suivante;
    repeter
        x <- x + 1;
    jusqua (x > 10)
fin

"""


def source_unites(taille_visee):
    """Des unites qui s'appellent les unes les autres, jusqu'a la taille visee (octets)."""
    morceaux = [unite_fonction(0, 0)]
    taille = len(morceaux[0])
    i = 1
    while taille < taille_visee:
        # Chaque unite appelle une fonction deja declaree, proche ou lointaine.
        appelee = 2 * ((i * 7919) % ((i + 1) // 2))
        texte = unite_fonction(i, appelee) if i % 2 == 0 else unite_procedure(i, i - 1)
        morceaux.append(texte)
        taille += len(texte)
        i += 1
    derniere = i - 1 if (i - 1) % 2 == 0 else i - 2
    morceaux.append(f"""algorithme Essai
debut
    declarer m : string;
    m <- "";
    afficher (f{derniere} (1, 2));
    p1 (f0 (3, 4), m);
fin
""")
    return "".join(morceaux)


def source_declarations(n):
    lignes = ["algorithme Essai", "debut"]
    lignes += [f"    declarer v{i} : entier;" for i in range(n)]
    lignes += [f"    v{n - 1} <- v0 + v{n // 2};", "fin", ""]
    return "\n".join(lignes)


def source_expression(n):
    """Une expression numerique de n termes sur des lignes de 10 termes."""
    termes = [("a", "2 * b", "(c - 1)", "7")[i % 4] for i in range(n)]
    ops = [(" + ", " - ", " + ", " * ")[i % 4] for i in range(n - 1)]
    corps = termes[0]
    for i in range(1, n):
        corps += ops[i - 1] + ("\n        " if i % 10 == 0 else "") + termes[i]
    return f"""algorithme Essai
debut
    declarer a : entier;
    declarer b : entier;
    declarer c : entier;
    a <- {corps};
fin
"""


def source_concatenation(n):
    """Une expression chaine de n termes dans afficher (le lecteur y essaie plusieurs formes)."""
    termes = [('"ab"', "s", "toupper (c)")[i % 3] for i in range(n)]
    corps = termes[0]
    for i in range(1, n):
        corps += " + " + ("\n        " if i % 10 == 0 else "") + termes[i]
    return f"""algorithme Essai
debut
    declarer s : string;
    declarer c : caractere;
    afficher ({corps});
fin
"""


def source_arguments(n):
    """afficher avec n arguments de types varies."""
    args = [("1", '"x"', "'c'", "vrai", "2.5")[i % 5] for i in range(n)]
    corps = args[0]
    for i in range(1, n):
        corps += ", " + ("\n        " if i % 10 == 0 else "") + args[i]
    return f"""algorithme Essai
debut
    afficher ({corps});
fin
"""


ENTETE_F = """fonction f (x : in entier) renvoie entier
debut
    renvoie x + 1;
fin

"""


def source_appels(n):
    return ENTETE_F + "algorithme Essai\ndebut\n    afficher (" + "f (" * n + "1" + ")" * n + ");\nfin\n"


def source_parentheses(n):
    return "algorithme Essai\ndebut\n    afficher (" + "(" * n + "1" + ")" * n + ");\nfin\n"


# Imbrications de 100 000 niveaux : refusees tres vite (147) ; une construction par ligne.
PROFOND = 100_000


def profond_parentheses():
    return ("algorithme Essai\ndebut\n    declarer n : entier;\n    n <-\n" + "  (\n" * PROFOND
            + "1" + ")" * PROFOND + ";\nfin\n")


def profond_si():
    return "algorithme Essai\ndebut\n" + "  si (vrai)\n" * PROFOND + "  fsi\n" * PROFOND + "fin\n"


def profond_appels():
    return (ENTETE_F + "algorithme Essai\ndebut\n    declarer n : entier;\n    n <-\n"
            + "  f (\n" * PROFOND + "1" + ")" * PROFOND + ";\nfin\n")


def profond_non():
    return ("algorithme Essai\ndebut\n    declarer b : booleen;\n    b <-\n" + "  NON\n" * PROFOND
            + "  vrai;\nfin\n")


def profond_indices():
    return ("algorithme Essai\ndebut\n    declarer t : tableau_de 10 entier;\n    declarer n : entier;\n"
            "    n <-\n" + "  t [\n" * PROFOND + "0" + "]" * PROFOND + ";\nfin\n")


# --- Mesure ---

def lancer(commande):
    """Lance une commande, sortie jetee ; rend (temps reel s, temps processeur s, statut)."""
    debut = time.perf_counter()
    proc = subprocess.Popen(commande, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, etat, usage = os.wait4(proc.pid, 0)
    reel = time.perf_counter() - debut
    proc.returncode = os.waitstatus_to_exitcode(etat)
    return reel, usage.ru_utime + usage.ru_stime, proc.returncode


def mesurer(tramelo, chemin, repetitions):
    """Traduit repetitions fois ; rend (meilleur temps reel s, meilleur temps processeur s,
    memoire max o ou None, statut). Le temps processeur (utilisateur + systeme) depend peu de la
    charge de la machine. La memoire se mesure a part, par /usr/bin/time : un fils de ce processus
    Python heriterait de son maximum, et time ajoute quelques ms qu'on ne veut pas chronometrer."""
    reels, processeur = [], []
    statut = None
    for _ in range(repetitions):
        reel, cpu, statut = lancer([tramelo, chemin])
        reels.append(reel)
        processeur.append(cpu)
    memoire = None
    if os.access("/usr/bin/time", os.X_OK):
        with tempfile.NamedTemporaryFile(prefix="tramelo-rss-") as rss:
            lancer(["/usr/bin/time", "-f", "%M", "-o", rss.name, tramelo, chemin])
            with open(rss.name, encoding="utf-8") as f:
                memoire = int(f.read().split()[-1]) * 1024   # apres un eventuel "Command exited..."
    return min(reels), min(processeur), memoire, statut


def instructions(tramelo, chemin):
    """Instructions executees (callgrind) : insensible a la charge, donc juge de la linearite."""
    sortie = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                             tramelo, chemin], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            text=True, check=False).stderr
    for ligne in sortie.splitlines():
        if "Collected :" in ligne:
            return int(ligne.split(":")[-1].strip().replace(",", ""))
    return None


def machine():
    modele = "?"
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as f:
            for ligne in f:
                if ligne.startswith("model name"):
                    modele = ligne.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    return f"{os.cpu_count()} coeurs, {modele}, {platform.system()} {platform.release()}"


def main():
    parseur = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parseur.add_argument("tramelo", nargs="?", default=os.path.join(RACINE, "build/default/Tramelo"))
    parseur.add_argument("--repetitions", type=int, default=5,
                         help="traductions par source (le meilleur temps est retenu)")
    parseur.add_argument("--garder", help="dossier ou laisser les sources engendres")
    parseur.add_argument("--instructions", action="store_true",
                         help="compter aussi les instructions executees (valgrind, lent)")
    args = parseur.parse_args()
    if not os.access(args.tramelo, os.X_OK):
        sys.exit(f"Tramelo introuvable : {args.tramelo} (construire d'abord : cmake --preset default"
                 " && cmake --build --preset default)")

    # (forme, taille lisible, generateur, statut attendu, repetitions)
    r = args.repetitions
    cas = [
        ("algorithme vide", "cout fixe", lambda: "algorithme Essai\ndebut\nfin\n", 0, 4 * r),
        ("unites qui s'appellent", "1 Mo", lambda: source_unites(1 * MO), 0, r),
        ("unites qui s'appellent", "2,5 Mo", lambda: source_unites(int(2.5 * MO)), 0, r),
        ("unites qui s'appellent", "5 Mo", lambda: source_unites(5 * MO), 0, r),
        ("unites qui s'appellent", "10 Mo", lambda: source_unites(10 * MO), 0, r),
        ("declarations d'un bloc", "25 000", lambda: source_declarations(25_000), 0, r),
        ("declarations d'un bloc", "50 000", lambda: source_declarations(50_000), 0, r),
        ("expression numerique", "5 000 termes", lambda: source_expression(5_000), 0, r),
        ("expression numerique", "10 000 termes", lambda: source_expression(10_000), 0, r),
        ("chaine dans afficher", "5 000 termes", lambda: source_concatenation(5_000), 0, r),
        ("chaine dans afficher", "10 000 termes", lambda: source_concatenation(10_000), 0, r),
        ("arguments d'afficher", "5 000", lambda: source_arguments(5_000), 0, r),
        ("arguments d'afficher", "10 000", lambda: source_arguments(10_000), 0, r),
        ("appels imbriques", "15 niveaux", lambda: source_appels(15), 0, 4 * r),
        ("appels imbriques", "30 niveaux", lambda: source_appels(30), 0, 4 * r),
        ("parentheses imbriquees", "100 niveaux", lambda: source_parentheses(100), 0, 4 * r),
        ("parentheses imbriquees", "200 niveaux", lambda: source_parentheses(200), 0, 4 * r),
        ("100 000 parentheses", "refus 147", profond_parentheses, 147, r),
        ("100 000 blocs si", "refus 147", profond_si, 147, r),
        ("100 000 appels", "refus 147", profond_appels, 147, r),
        ("100 000 NON", "refus 147", profond_non, 147, r),
        ("100 000 indices", "refus 147", profond_indices, 147, r),
    ]

    print(f"Machine : {machine()}")
    print(f"Tramelo : {args.tramelo}")
    print(f"{'forme':<24} {'taille':<14} {'source':>9} {'temps':>9} {'processeur':>10} {'debit':>11}"
          f" {'memoire':>9} {'mem/src':>8}" + (f" {'instr. nettes':>14}" if args.instructions else ""))
    dossier = args.garder or tempfile.mkdtemp(prefix="tramelo-bench-")
    os.makedirs(dossier, exist_ok=True)
    precedent = {}
    anomalies = 0
    base_instructions = None
    for numero, (forme, taille, generer, attendu, repetitions) in enumerate(cas):
        texte = generer()
        chemin = os.path.join(dossier, f"{numero:02d}.algo")
        with open(chemin, "w", encoding="utf-8") as f:
            f.write(texte)
        octets = len(texte.encode("utf-8"))
        meilleur, cpu, memoire, statut = mesurer(args.tramelo, chemin, repetitions)
        ligne = (f"{forme:<24} {taille:<14} {octets / MO:>7.2f}Mo {meilleur * 1000:>7.1f}ms"
                 f" {cpu * 1000:>8.1f}ms {octets / MO / meilleur:>7.1f}Mo/s"
                 + (f" {memoire / MO:>7.1f}Mo" if memoire else f" {'?':>9}")
                 + (f" {memoire / octets:>7.1f}x" if memoire and octets >= 100_000 else f" {'-':>8}"))
        # Instructions au-dela de celles de l'algorithme vide (le premier cas) : le cout propre.
        nettes = None
        if args.instructions:
            total = instructions(args.tramelo, chemin)
            if base_instructions is None:
                base_instructions = total
            nettes = total - base_instructions if total is not None else None
            ligne += f" {nettes if nettes is not None else '?':>14}"
        # Croissance entre deux tailles successives d'une forme : temps processeur, et instructions.
        if forme in precedent:
            t0, o0, n0 = precedent[forme]
            ligne += f"  (taille x{octets / o0:.1f} -> temps x{cpu / t0:.2f}"
            if nettes and n0:
                ligne += f", instructions x{nettes / n0:.2f}"
            ligne += ")"
        precedent[forme] = (cpu, octets, nettes)
        if statut != attendu:
            ligne += f"  STATUT {statut} au lieu de {attendu}"
            anomalies += 1
        print(ligne, flush=True)
        if not args.garder:
            os.remove(chemin)
    if not args.garder:
        os.rmdir(dossier)
    return 1 if anomalies else 0


if __name__ == "__main__":
    sys.exit(main())
