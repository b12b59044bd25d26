#!/usr/bin/env python3
"""Les avertissements de logique (153 a 158) ne doivent viser aucun programme juste : aucun sur les
exemples, les cas de reference, les programmes des tests d'execution et des bancs, hormis ceux que
alertes_attendues.txt liste (chemin:ligne:code, chacun avec sa raison : un cas qui exerce
volontairement la forme visee). Dans le corpus des fautes, un programme qui attend un
avertissement ne doit en recevoir que de la sorte de sa faute (celle de sa ligne).

    sans_fausse_alerte.py TRAMELO_VERIFIER RACINE DOSSIER...   (dossiers relatifs a RACINE)
"""
import json
import os
import re
import subprocess
import sys

CODES = range(153, 159)
ATTENTE = re.compile(r'^\ufeff?// .* : faute ligne (\d+), (erreur|attention), aide « .* »$')


def main():
    outil, racine, dossiers = os.path.abspath(sys.argv[1]), sys.argv[2], sys.argv[3:]
    attendues = set()
    for ligne in open(os.path.join(os.path.dirname(os.path.abspath(__file__)), 'alertes_attendues.txt'), encoding='utf-8'):
        ligne = ligne.split('#', 1)[0].strip()
        if ligne:
            attendues.add(ligne)
    vues, problemes, nb = set(), [], 0
    for dossier in dossiers:
        for base, _, noms in os.walk(os.path.join(racine, dossier)):
            for nom in sorted(noms):
                if not nom.endswith('.algo'):
                    continue
                chemin = os.path.join(base, nom)
                relatif = os.path.relpath(chemin, racine)
                nb += 1
                premiere = open(chemin, encoding='utf-8', errors='replace').readline().rstrip('\n')
                m = ATTENTE.match(premiere)
                p = subprocess.run([outil, '--format=json', chemin], capture_output=True, timeout=60)
                diags = [json.loads(l) for l in p.stdout.decode('utf-8').splitlines()]
                # La sorte de la faute du corpus : le code de l'avertissement a sa ligne.
                sorte = {d['code'] for d in diags if m and m.group(2) == 'attention' and int(m.group(1)) == d['line']}
                for d in diags:
                    if d['code'] not in CODES:
                        continue
                    cle = f'{relatif}:{d["line"]}:{d["code"]}'
                    if d['code'] in sorte:
                        continue   # la faute du corpus elle-meme (echanger deux parametres in : deux alertes)
                    if cle in attendues:
                        vues.add(cle)
                        continue
                    problemes.append(f'{cle} : {d["message"]}')
    for p in problemes:
        print('=== AVERTISSEMENT INATTENDU ' + p)
    for a in sorted(attendues - vues):
        print('=== AVERTISSEMENT ATTENDU ABSENT ' + a)
    print(f'{nb} programmes verifies, {len(problemes)} avertissement(s) inattendu(s), '
          f'{len(attendues - vues)} attendu(s) absent(s)')
    return 1 if problemes or attendues - vues else 0


if __name__ == '__main__':
    sys.exit(main())
