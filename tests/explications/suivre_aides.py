#!/usr/bin/env python3
"""Suivre une aide a la lettre ne doit jamais empirer les choses : pour chaque diagnostic de
tramelo-verifier qui propose une correction (champ "fix" du JSON), la correction est appliquee au
source, puis Tramelo traduit le source corrige ; sa lecture doit aller au-dela de l'endroit ou
elle s'arretait (champ "stop"), ou la traduction reussir. Les sources : les programmes du corpus
et ceux des fichiers de cas.

    suivre_aides.py TRAMELO_VERIFIER TRAMELO DOSSIER_CORPUS FICHIER.cas... [--minimum N]

Le test echoue aussi si moins de N corrections ont ete suivies (par defaut 100) : une
explication qui ne proposerait plus rien ne doit pas passer pour une explication sure.
"""
import json
import os
import re
import subprocess
import sys
import tempfile


def sources(dossier, fichiers_cas):
    for nom in sorted(os.listdir(dossier)):
        if nom.endswith('.algo'):
            yield nom, open(os.path.join(dossier, nom), 'rb').read()
    for chemin in fichiers_cas:
        morceaux = re.split(rb'^=== ', open(chemin, 'rb').read(), flags=re.M)
        for m in morceaux[1:]:
            titre, _, reste = m.partition(b'\n')
            source = reste.partition(b'--- attendu\n')[0]
            yield f'{os.path.basename(chemin)} : {titre.decode("utf-8", "replace")}', source


def verifier(outil, source, d):
    chemin = os.path.join(d, 'prog.algo')
    with open(chemin, 'wb') as f:
        f.write(source)
    p = subprocess.run([outil, '--format=json', 'prog.algo'], cwd=d, capture_output=True, timeout=60)
    return [json.loads(l) for l in p.stdout.decode('utf-8').splitlines() if l.strip()]


def arret(tramelo, outil, source, d):
    """Ou Tramelo s'arrete sur ce source (decalage d'origine), ou None s'il le traduit."""
    chemin = os.path.join(d, 'prog.algo')
    with open(chemin, 'wb') as f:
        f.write(source)
    p = subprocess.run([tramelo, 'prog.algo'], cwd=d, capture_output=True, timeout=60)
    if p.returncode == 0:
        return None
    for diag in verifier(outil, source, d):
        if diag.get('stop') is not None:
            return diag['stop']['offset']
    return -1   # une erreur sans position : jamais un progres


def main():
    args = sys.argv[1:]
    minimum = 100
    if '--minimum' in args:
        k = args.index('--minimum')
        minimum = int(args[k + 1])
        del args[k:k + 2]
    outil, tramelo, dossier = os.path.abspath(args[0]), os.path.abspath(args[1]), args[2]
    suivies = echecs = 0
    with tempfile.TemporaryDirectory() as d:
        for nom, source in sources(dossier, args[3:]):
            for diag in verifier(outil, source, d):
                fix, stop = diag.get('fix'), diag.get('stop')
                if not fix or stop is None:
                    continue
                suivies += 1
                debut, longueur, texte = fix['offset'], fix['length'], fix['text'].encode('utf-8')
                corrige = source[:debut] + texte + source[debut + longueur:]
                nouvel = arret(tramelo, outil, corrige, d)
                if nouvel is None:
                    continue
                # L'arret du source corrige, ramene au source d'origine.
                if nouvel >= debut + len(texte):
                    ramene = nouvel - len(texte) + longueur
                elif nouvel >= debut:
                    ramene = debut   # dans le texte insere : pas au-dela
                else:
                    ramene = nouvel
                if ramene <= stop['offset']:
                    echecs += 1
                    print(f'=== ECHEC {nom} : la correction de la ligne {fix["line"]} ({fix["text"]!r} sur {longueur} '
                          f'octet(s)) laisse la lecture a l\'octet {ramene}, avant ou sur l\'arret {stop["offset"]}')
                    print('    aide : ' + ' / '.join(h['text'] for h in diag['hints'] if h['kind'] == 'aide'))
    print(f'{suivies} corrections suivies, {echecs} echec(s)')
    if suivies < minimum:
        print(f'moins de {minimum} corrections proposees')
        return 1
    return 1 if echecs else 0


if __name__ == '__main__':
    sys.exit(main())
