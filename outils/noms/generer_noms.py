#!/usr/bin/env python3
"""Genere la table des noms que les en-tetes du programme produit rendent inutilisables.

Deux portees :
  partout     les macros des en-tetes (g++ -dM -E, en -std=c++17 et en gnu++17), linux,
              unix, typeof et les sto* : le C++ produit ne compile pas (ou change de sens)
              quel que soit l'endroit du nom ;
  algorithme  les noms qui rendent invalide l'appel de l'algorithme depuis main, trouves en
              compilant le vrai programme produit pour chaque identificateur des en-tetes
              (par lots, chaque erreur ramenee au nom de ses lignes).
Les noms que Tramelo refuse deja (mots du langage, table NomsCpp) sont ecartes.

Generation (depuis la racine du depot, apres construction) :
  python3 outils/noms/generer_noms.py --tramelo build/default/Tramelo \\
      --vocabulaire build/default/tramelo-vocabulaire
Verification rapide des seules macros contre la table commise (test du depot) :
  python3 outils/noms/generer_noms.py --verifier --vocabulaire build/default/tramelo-vocabulaire
"""
import argparse
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # rien a ecrire dans le depot
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import noms_entetes as ne  # noqa: E402

RACINE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TABLE = os.path.join(RACINE, 'src', 'symbols', 'NomsEntetes.inc')
PORTEES = {'partout': 'NomPartout', 'algorithme': 'NomAlgo'}


def vocabulaire(outil):
    """(mots du langage, noms de NomsCpp) d'apres tramelo-vocabulaire."""
    langage = {l.split()[1] for l in ne.lancer([outil]).stdout.splitlines() if l.strip()}
    p = ne.lancer([outil, '--noms-cpp'])
    if p.returncode != 0 or not langage:
        raise SystemExit(f'{outil} : vocabulaire illisible')
    return langage, set(p.stdout.split())


def lire_table(chemin):
    """{nom : portee} de la table commise."""
    table = {}
    portee = {v: k for k, v in PORTEES.items()}
    with open(chemin) as f:
        for m in re.finditer(r'\{ "([^"]+)", (\w+) \}', f.read()):
            table[m.group(1)] = portee[m.group(2)]
    return table


def noms_partout(cxx, entetes, noms_cpp):
    return (ne.macros(cxx, entetes) | set(ne.NOMS_SUPPLEMENTAIRES)) - noms_cpp


def verifier(args):
    _, noms_cpp = vocabulaire(args.vocabulaire)
    table = lire_table(args.sortie)
    manquants = sorted(n for n in noms_partout(args.cxx, args.entetes, noms_cpp)
                       if table.get(n) != 'partout')
    if manquants:
        print(f'{len(manquants)} nom(s) definis par les en-tetes manquent a {args.sortie} '
              f'(a regenerer avec outils/noms/generer_noms.py) :')
        print(' '.join(manquants))
        return 1
    print(f'{len(table)} noms dans la table ; aucune macro des en-tetes ne manque.')
    return 0


def noms_algo(args, exclus):
    modele = ne.CModeleAlgo(args.tramelo)
    ne.avertir_entetes(modele, args.entetes)
    candidats = sorted(ne.identificateurs(args.cxx, args.entetes) - exclus)
    print(f'{len(candidats)} identificateurs candidats comme nom de l\'algorithme', file=sys.stderr)
    echecs = set()
    with ne.CCompilateur(args.cxx, modele.entetes) as compilateur:
        for mode in ne.MODES:
            def compiler_lot(texte, proprietaires, mode=mode):
                return compilateur.compiler(mode, texte, proprietaires)
            trouves = ne.echecs_par_lots(candidats, modele.lot, compiler_lot, args.taille_lot,
                                         args.jobs)
            print(f'  {ne.nom_mode(mode)} : {len(trouves)} refuses', file=sys.stderr)
            if args.confirmer:
                for nom in sorted(trouves):
                    if not compiler_lot(*modele.lot([nom]))[0]:
                        raise SystemExit(f'{nom} : refuse en lot mais compile seul')
            echecs |= trouves
    return echecs


def ecrire(args, partout, algo):
    version = ne.lancer([args.cxx, '--version']).stdout.splitlines()[0]
    lignes = [
        '// Fichier genere par outils/noms/generer_noms.py : ne pas modifier a la main.',
        '// Regenerer depuis la racine du depot, apres construction :',
        '//   python3 outils/noms/generer_noms.py --tramelo build/default/Tramelo',
        '//       --vocabulaire build/default/tramelo-vocabulaire',
        f'// En-tetes : {" ".join(args.entetes)}.',
        f'// Compilateur : {version}, en -std=c++17 et en gnu++17.',
        '// NomPartout : macro des en-tetes (ou linux, unix, typeof, sto*), refusee partout ;',
        '// NomAlgo : nom qui rend invalide l\'appel de l\'algorithme depuis main.',
        '// Triee par ordre des octets (recherche dichotomique).',
    ]
    table = {n: 'partout' for n in partout}
    table.update({n: 'algorithme' for n in algo})
    lignes += [f'{{ "{n}", {PORTEES[table[n]]} }},' for n in sorted(table)]
    with open(args.sortie, 'w') as f:
        f.write('\n'.join(lignes) + '\n')
    print(f'{args.sortie} : {len(partout)} noms refuses partout, {len(algo)} comme nom de '
          f'l\'algorithme', file=sys.stderr)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--tramelo', help='Tramelo construit (generation)')
    parser.add_argument('--vocabulaire', required=True, help='tramelo-vocabulaire construit')
    parser.add_argument('--cxx', default=os.environ.get('CXX', 'g++'))
    parser.add_argument('--entetes', default=','.join(ne.ENTETES_PRELUDE),
                        type=lambda s: s.split(','),
                        help='en-tetes du prelude, separes par des virgules')
    parser.add_argument('--sortie', default=TABLE, help='table generee (ou verifiee)')
    parser.add_argument('--verifier', action='store_true',
                        help='verifie seulement que la table contient toutes les macros')
    parser.add_argument('--confirmer', action='store_true',
                        help='recompile seul chaque nom refuse comme nom de l\'algorithme')
    parser.add_argument('--taille-lot', type=int, default=150)
    parser.add_argument('--jobs', type=int, default=2)
    args = parser.parse_args()
    try:
        if args.verifier:
            return verifier(args)
        if not args.tramelo:
            parser.error('--tramelo est necessaire pour generer la table')
        langage, noms_cpp = vocabulaire(args.vocabulaire)
        partout = noms_partout(args.cxx, args.entetes, noms_cpp)
        algo = noms_algo(args, langage | noms_cpp | partout)
        ecrire(args, partout, algo)
    except (RuntimeError, OSError, subprocess.SubprocessError) as e:
        print(f'generer_noms : {e}', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
