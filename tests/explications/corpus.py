#!/usr/bin/env python3
"""Corpus de programmes d'etudiants, une faute chacun : tramelo-exec doit placer l'en-tete de son
premier diagnostic sur la ligne de la faute, avec la bonne gravite, et une aide qui nomme la
correction. Un programme qui n'attend qu'un avertissement est traduit par --traduire (dans un
dossier temporaire), sans etre execute : une boucle qui ne s'arrete pas est une faute du corpus.
La premiere ligne de chaque programme dit ce qui est attendu :

    // description : faute ligne N, erreur|attention, aide « texte que les aides doivent contenir »

    corpus.py TRAMELO_EXEC DOSSIER [--seuil POURCENTAGE]   (par defaut, tous doivent reussir)
"""
import os
import re
import subprocess
import sys
import tempfile

ATTENTE = re.compile(r'^\ufeff?// (.*) : faute ligne (\d+), (erreur|attention), aide « (.*) »$')
ENTETE = re.compile(r'^(.*):(\d+):(\d+): (erreur|attention) : ')


def juger(exec_outil, chemin):
    premiere = open(chemin, encoding='utf-8').readline().rstrip('\n')
    m = ATTENTE.match(premiere)
    if not m:
        return f'premiere ligne sans attente : {premiere!r}'
    _, ligne, gravite, cle = m.groups()
    with tempfile.TemporaryDirectory() as tmp:
        env = dict(os.environ, NO_COLOR='1', TMPDIR=tmp)
        commande = [exec_outil, chemin]
        if gravite == 'attention':
            copie = os.path.join(tmp, os.path.basename(chemin))
            with open(chemin, 'rb') as f, open(copie, 'wb') as g:
                g.write(f.read())
            commande = [exec_outil, '--traduire', copie]
        p = subprocess.run(commande, stdin=subprocess.DEVNULL, capture_output=True, env=env, timeout=120)
    err = p.stderr.decode('utf-8', 'replace').split('\n')
    entetes = [k for k, l in enumerate(err) if ENTETE.match(l)]
    if not entetes:
        return f'aucun diagnostic (statut {p.returncode}) : {p.stderr.decode("utf-8", "replace")[:300]}'
    k = entetes[0]
    e = ENTETE.match(err[k])
    fin = entetes[1] if len(entetes) > 1 else len(err)
    aides = ' '.join(l for l in err[k:fin] if l.startswith(('aide : ', 'note : ')))
    problemes = []
    if e.group(2) != ligne:
        problemes.append(f'ligne {e.group(2)} au lieu de {ligne}')
    if e.group(4) != gravite:
        problemes.append(f'{e.group(4)} au lieu de {gravite}')
    if cle not in aides:
        problemes.append(f'aide sans « {cle} »')
    return ' ; '.join(problemes) + ('\n' + '\n'.join(err[k:fin]) if problemes else '')


def main():
    exec_outil, dossier = os.path.abspath(sys.argv[1]), sys.argv[2]
    seuil = 100.0
    if '--seuil' in sys.argv:
        seuil = float(sys.argv[sys.argv.index('--seuil') + 1])
    fichiers = sorted(f for f in os.listdir(dossier) if f.endswith('.algo'))
    reussis = 0
    for f in fichiers:
        probleme = juger(exec_outil, os.path.join(dossier, f))
        if probleme:
            print(f'=== {f} : {probleme}')
        else:
            reussis += 1
    score = 100.0 * reussis / max(len(fichiers), 1)
    print(f'{reussis} passed, {len(fichiers) - reussis} failed')
    print(f'score : {reussis}/{len(fichiers)} ({score:.1f} %), seuil {seuil:.1f} %')
    return 0 if fichiers and score >= seuil else 1


if __name__ == '__main__':
    sys.exit(main())
