#!/usr/bin/env python3
"""Les deux profils du C++ produit, compares sur des programmes tires au hasard (generateur.py).

Pour chaque programme : le profil standard (Tramelo) et le profil verifie (tramelo-exec
--traduire) sont compiles par g++ puis lances sur la meme entree. La regle :
  - si les deux finissent avec le statut 0, leurs sorties sont identiques ;
  - sinon, le profil verifie s'arrete avec le statut 1 et un message en francais
    (FICHIER.algo:LIGNE:COLONNE: erreur : ...), apres la meme sortie que le profil standard
    jusque-la (le debut de ce que le profil standard a ecrit).
Un programme que Tramelo refuse est une faute du generateur.

    deux_profils.py --tramelo T --tramelo-exec E [--graine G] [--nombre N] [--taches J] [--garder DOSSIER]

Statut 0 si la regle tient pour tous ; sinon 1, et chaque ecart est decrit (source conserve
dans --garder s'il est donne).
"""
import argparse
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import generateur  # noqa: E402

MESSAGE = re.compile(rb'^prog\.algo(:\d+:\d+)?: erreur : \S')
DELAI = 20


def lancer(commande, entree, cwd):
    try:
        r = subprocess.run(commande, input=entree, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           cwd=cwd, timeout=DELAI)
        return r.returncode if r.returncode >= 0 else 128 - r.returncode, r.stdout, r.stderr
    except subprocess.TimeoutExpired:
        return 'delai', b'', b''


def compiler(cpp, binaire, cxx):
    r = subprocess.run(cxx + ['-std=c++17', '-O1', '-w', '-o', binaire, cpp], stdout=subprocess.PIPE,
                       stderr=subprocess.STDOUT)
    return r.returncode == 0, r.stdout.decode(errors='replace')


def essayer(graine, args):
    """Rend (verdict, detail) ; verdict : 'memes', 'arret', 'refus' ou 'ecart'."""
    source, entree = generateur.generer(graine)
    entree = entree.encode()
    with tempfile.TemporaryDirectory(prefix='deux_profils.') as d:
        algo = os.path.join(d, 'prog.algo')
        with open(algo, 'w') as f:
            f.write(source)
        r = subprocess.run([args.tramelo, algo], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if r.returncode != 0:
            return 'refus', r.stdout.decode(errors='replace') + r.stderr.decode(errors='replace'), source, entree
        with open(os.path.join(d, 'standard.cpp'), 'wb') as f:
            f.write(r.stdout)
        r = subprocess.run([args.tramelo_exec, '--traduire', 'prog.algo'], cwd=d, stdout=subprocess.PIPE,
                           stderr=subprocess.PIPE)
        if not os.path.exists(os.path.join(d, 'prog.cpp')):
            return 'ecart', 'tramelo-exec --traduire sans C++ :\n' + r.stderr.decode(errors='replace'), source, entree
        cxx = os.environ.get('CXX', 'g++').split()
        for nom in ('standard', 'prog'):
            ok, texte = compiler(os.path.join(d, nom + '.cpp'), os.path.join(d, nom), cxx)
            if not ok:
                return 'ecart', 'le C++ %s ne compile pas :\n%s' % (nom, texte[:2000]), source, entree
        cs, os_, es = lancer([os.path.join(d, 'standard')], entree, d)
        cv, ov, ev = lancer([os.path.join(d, 'prog')], entree, d)
        if cs == 0 and cv == 0:
            if os_ != ov:
                return 'ecart', 'sorties differentes :\n--- standard\n%s\n--- verifie\n%s' % (
                    os_.decode(errors='replace')[:2000], ov.decode(errors='replace')[:2000]), source, entree
            return 'memes', '', source, entree
        if cv == 'delai' and cs == 'delai':
            return 'memes', '', source, entree
        if cv != 1 or not MESSAGE.match(ev):
            return 'ecart', 'statut standard %s, statut verifie %s, erreur standard du verifie :\n%s' % (
                cs, cv, ev.decode(errors='replace')[:2000]), source, entree
        # Jusqu'a l'arret, le profil verifie a ecrit ce qu'a ecrit le profil standard.
        if not os_.startswith(ov) and cs == 0:
            return 'ecart', 'sortie du verifie avant son arret differente :\n--- standard\n%s\n--- verifie\n%s' % (
                os_.decode(errors='replace')[:2000], ov.decode(errors='replace')[:2000]), source, entree
        return 'arret', '%s (standard : %s)' % (ev.decode(errors='replace').splitlines()[0], cs), source, entree


def main():
    parser = argparse.ArgumentParser(description='Compare les deux profils sur des programmes tires au hasard.')
    parser.add_argument('--tramelo', required=True)
    parser.add_argument('--tramelo-exec', required=True)
    parser.add_argument('--graine', type=int, default=1)
    parser.add_argument('--nombre', type=int, default=200)
    parser.add_argument('--taches', type=int, default=2, help='compilations en parallele')
    parser.add_argument('--garder', help='dossier ou conserver les programmes en ecart')
    parser.add_argument('--arrets', action='store_true', help='lister les arrets du profil verifie')
    args = parser.parse_args()
    args.tramelo = os.path.abspath(args.tramelo)
    args.tramelo_exec = os.path.abspath(args.tramelo_exec)

    compte = {'memes': 0, 'arret': 0, 'refus': 0, 'ecart': 0}
    arrets = {}
    echecs = 0
    graines = range(args.graine, args.graine + args.nombre)
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.taches) as pool:
        for graine, (verdict, detail, source, entree) in zip(graines, pool.map(lambda g: essayer(g, args), graines)):
            compte[verdict] += 1
            if verdict == 'arret':
                # Le genre de l'arret : le message sans ses nombres.
                genre = re.sub(r'-?\d+(\.\d+)?(e[+-]\d+)?', 'N', detail.split(': erreur : ', 1)[-1])
                arrets.setdefault(genre, []).append(graine)
            if verdict in ('refus', 'ecart'):
                echecs += 1
                print('=== graine %d : %s\n%s' % (graine, verdict, detail))
                if args.garder:
                    os.makedirs(args.garder, exist_ok=True)
                    base = os.path.join(args.garder, 'prog_%d' % graine)
                    with open(base + '.algo', 'w') as f:
                        f.write(source)
                    with open(base + '.in', 'wb') as f:
                        f.write(entree)
    if args.arrets:
        for genre, liste in sorted(arrets.items(), key=lambda e: -len(e[1])):
            print('%4d  %s   graines %s' % (len(liste), genre, ' '.join(map(str, liste[:5]))))
    print('%d programmes : %d memes sorties, %d arrets du profil verifie, %d refus, %d ecarts'
          % (args.nombre, compte['memes'], compte['arret'], compte['refus'], compte['ecart']))
    return 1 if echecs else 0


if __name__ == '__main__':
    sys.exit(main())
