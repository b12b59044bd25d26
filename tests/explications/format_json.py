#!/usr/bin/env python3
"""Format json de tramelo-verifier.

    format_json.py TRAMELO_VERIFIER avec-json FICHIER.cas...
        chaque cas des fichiers .cas donne, en json, un objet valide par ligne et les memes
        diagnostics que le format texte ; noms de fichier hostiles et fichier illisible compris.
    format_json.py TRAMELO_VERIFIER sans-json
        construit sans nlohmann-json : --format=json est refuse par un message clair (statut 253),
        le format texte marche toujours.
"""
import json
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from verifier_cas import lire_cas  # noqa: E402

CLES = {'file', 'line', 'column', 'length', 'severity', 'code', 'message', 'raw_message', 'hints', 'rule', 'fix', 'stop'}
ENTETE = re.compile(r'^(.*?):(?:(\d+):(\d+):)? (erreur|attention) : (.*) \[(\d+)\]$')
echecs = []


def ko(message):
    echecs.append(message)
    print('ECHEC : ' + message)


def lancer(verif, args, dossier):
    env = dict(os.environ, NO_COLOR='1')
    return subprocess.run([verif] + args, cwd=dossier, capture_output=True, env=env, timeout=60)


def objets(nom, sortie):
    """Un objet json par ligne, toutes les cles presentes."""
    resultat = []
    for ligne in sortie.decode('utf-8').splitlines():
        try:
            o = json.loads(ligne)
        except ValueError:
            ko(f'{nom} : ligne qui n\'est pas du json : {ligne!r}')
            continue
        if not isinstance(o, dict) or set(o) != CLES:
            ko(f'{nom} : cles {sorted(o) if isinstance(o, dict) else o!r}')
            continue
        resultat.append(o)
    return resultat


def texte_en_diagnostics(sortie):
    """[fichier, ligne, colonne, gravite, message, code, aides] de chaque diagnostic du texte."""
    diags = []
    # Octets non UTF-8 du source (extraits, messages) : remplaces comme le fait le json.
    for ligne in sortie.decode('utf-8', 'replace').splitlines():
        m = ENTETE.match(ligne)
        if m:
            l, c = (int(m.group(2)), int(m.group(3))) if m.group(2) else (None, None)
            diags.append([m.group(1), l, c, m.group(4), m.group(5), int(m.group(6)), []])
        elif diags and (ligne.startswith('aide : ') or ligne.startswith('note : ')):
            diags[-1][6].append((ligne[:4], ligne[7:]))
    return diags


def avec_json(verif, fichiers):
    # Tous les cas d'un coup (un fichier chacun) : deux executions en tout, meme sous sanitizers.
    noms = {}
    with tempfile.TemporaryDirectory() as d:
        for chemin in fichiers:
            for titre, source, _ in lire_cas(chemin)[1]:
                fichier = f'cas{len(noms):04d}.algo'
                noms[fichier] = f'{os.path.basename(chemin)} : {titre.decode("utf-8", "replace")}'
                with open(os.path.join(d, fichier), 'wb') as f:
                    f.write(source)
        t = lancer(verif, sorted(noms), d)
        j = lancer(verif, ['--format=json'] + sorted(noms), d)
        if j.returncode != t.returncode or j.stderr:
            ko(f'statut {j.returncode} en json, {t.returncode} en texte ; {j.stderr!r}')
        texte = {}
        for diag in texte_en_diagnostics(t.stdout):
            texte.setdefault(diag[0], []).append(diag[1:])
        json_ = {}
        for o in objets('cas', j.stdout):
            json_.setdefault(o['file'], []).append(
                [o['line'], o['column'], o['severity'], o['message'], o['code'],
                 [(a['kind'], a['text']) for a in o['hints']]])
        for fichier, nom in sorted(noms.items()):
            if json_.get(fichier) != texte.get(fichier):
                ko(f'{nom} : json different du texte\n{json_.get(fichier)!r}\n{texte.get(fichier)!r}')
        if not texte:
            ko('aucun diagnostic en texte')

        # Nom de fichier avec saut de ligne, guillemet, barre oblique inverse et octet non UTF-8 :
        # toujours un objet par ligne, l'octet remplace par U+FFFD.
        nom_hostile = b'a\n"b\\\xff.algo'
        with open(os.path.join(d.encode(), nom_hostile), 'wb') as f:
            f.write(b'algorithme A\ndebut\n    x <- 1;\nfin\n')
        j = lancer(verif, ['--format=json', nom_hostile, 'absent.algo'], d)
        o = objets('nom hostile', j.stdout)
        if len(o) != 2 or o[0]['file'] != 'a\n"b\\\ufffd.algo' or o[0]['line'] != 3:
            ko(f'nom hostile : {j.stdout!r}')
        # Fichier illisible : sans position (null), code 252 ; le statut est la premiere erreur.
        elif o[1]['file'] != 'absent.algo' or o[1]['line'] is not None or o[1]['column'] is not None \
                or o[1]['code'] != 252 or j.returncode != o[0]['code']:
            ko(f'fichier absent : statut {j.returncode}, {o[1]!r}')
    print(f'{len(noms)} cas compares en json et en texte')


def sans_json(verif):
    with tempfile.TemporaryDirectory() as d:
        with open(os.path.join(d, 'bon.algo'), 'w') as f:
            f.write('algorithme A\ndebut\n    afficher (1);\nfin\n')
        for args in (['--format=json', 'bon.algo'], ['--format', 'json', 'bon.algo'],
                     ['bon.algo', '--format=json']):
            p = lancer(verif, args, d)
            err = p.stderr.decode('utf-8', 'replace')
            if p.returncode != 253 or p.stdout or 'nlohmann-json' not in err \
                    or 'apt-get install nlohmann-json3-dev' not in err:
                ko(f'{args} : statut {p.returncode}, sortie {p.stdout!r}, erreur {err!r}')
        p = lancer(verif, ['--format=texte', 'bon.algo'], d)
        if p.returncode != 0 or p.stdout or p.stderr:
            ko(f'--format=texte : statut {p.returncode}, {p.stdout!r} {p.stderr!r}')
        p = lancer(verif, ['--aide'], d)
        if b'--format=json    indisponible' not in p.stdout:
            ko(f'--aide ne dit pas que le json est indisponible : {p.stdout!r}')


if __name__ == '__main__':
    if len(sys.argv) < 3 or sys.argv[2] not in ('avec-json', 'sans-json'):
        print(__doc__)
        sys.exit(2)
    verif = os.path.abspath(sys.argv[1])
    if sys.argv[2] == 'avec-json':
        avec_json(verif, sys.argv[3:])
    else:
        sans_json(verif)
    print(f'{len(echecs)} echec(s)')
    sys.exit(1 if echecs else 0)
