#!/usr/bin/env python3
"""Cas de reference des diagnostics expliques, ranges par famille de regles : chaque fichier .cas
contient plusieurs petits programmes, chacun suivi du rapport attendu de tramelo-verifier.

    verifier_cas.py TRAMELO_VERIFIER TRAMELO FICHIER.cas...      verifie les cas
    verifier_cas.py --couverture MESSAGES.cpp FICHIER.cas...     chaque code d'erreur de Tramelo a un cas
    TRAMELO_REGENERER=1 verifier_cas.py ...                      recrit les rapports attendus (a relire)

Format d'un fichier .cas (les lignes d'en-tete commencant par # sont des commentaires) :

    === titre du cas
    source du programme, ecrit dans prog.algo
    --- attendu
    rapport attendu (NO_COLOR), suivi du statut : "[statut N]"

Pour chaque cas, en plus du rapport : le statut de tramelo-verifier est celui de la premiere
erreur, et quand Tramelo refuse le source, son code est celui de l'en-tete et son message exact
est celui de l'en-tete, ou, quand l'en-tete dit la cause en francais, celui de la note
"message de Tramelo : MESSAGE [CODE]" de ce diagnostic.

Les autres cas en fichiers passent par tests/cas.sh, dont ce lanceur garde la facon de dire un
ecart ("ECHEC : ...", puis le diff unifie attendu/obtenu). Il reste en Python : un .cas melange
plusieurs sources faits d'octets quelconques (retours chariot, octets non UTF-8) qu'il faut
decouper et reecrire a l'octet pres, format_json.py relit les memes fichiers par lire_cas, et
toute cette famille de tests (corpus, json, arbre) demande deja python3.
"""
import difflib
import os
import re
import subprocess
import sys
import tempfile

DEBUT = b'=== '
ATTENDU = b'--- attendu\n'
# Codes de la table des messages que rien ne peut lever (documentes comme tels).
INATTEIGNABLES = {122, 123, 136}


def lire_cas(chemin):
    """Rend l'en-tete et la liste (titre, source, attendu) ; tout en octets."""
    donnees = open(chemin, 'rb').read()
    morceaux = re.split(rb'^=== ', donnees, flags=re.M)
    entete, cas = morceaux[0], []
    for m in morceaux[1:]:
        titre, _, reste = m.partition(b'\n')
        source, sep, attendu = reste.partition(ATTENDU)
        if not sep:
            raise SystemExit(f'{chemin} : cas "{titre.decode()}" sans ligne "--- attendu"')
        cas.append((titre, source, attendu))
    return entete, cas


def ecrire_cas(chemin, entete, cas):
    with open(chemin, 'wb') as f:
        f.write(entete)
        for titre, source, attendu in cas:
            f.write(DEBUT + titre + b'\n' + source + ATTENDU + attendu)


def echouer(libelle, attendu=None, obtenu=None):
    """Un ecart, ecrit comme le fait tests/cas.sh : "ECHEC : libelle", puis le diff unifie."""
    print('ECHEC : ' + libelle)
    if attendu is not None and attendu != obtenu:
        lignes = difflib.unified_diff(attendu.decode('utf-8', 'replace').splitlines(True),
                                      obtenu.decode('utf-8', 'replace').splitlines(True),
                                      'attendu', 'obtenu')
        sys.stdout.writelines(list(lignes)[:60])


def executer(commande, dossier):
    env = dict(os.environ, NO_COLOR='1')
    p = subprocess.run(commande, cwd=dossier, capture_output=True, env=env, timeout=60)
    return p.stdout, p.stderr, p.returncode


def verifier(verif, tramelo, fichiers):
    regenerer = os.environ.get('TRAMELO_REGENERER') == '1'
    echecs = nb = 0
    for chemin in fichiers:
        entete, cas = lire_cas(chemin)
        nouveaux = []
        for titre, source, attendu in cas:
            nb += 1
            nom = f'{os.path.basename(chemin)} : {titre.decode("utf-8", "replace")}'
            with tempfile.TemporaryDirectory() as d:
                with open(os.path.join(d, 'prog.algo'), 'wb') as f:
                    f.write(source)
                sortie, erreur, statut = executer([verif, 'prog.algo'], d)
                _, err_tramelo, statut_tramelo = executer([tramelo, 'prog.algo'], d)
            obtenu = sortie + f'[statut {statut}]\n'.encode()
            nouveaux.append((titre, source, obtenu + (b'\n' if attendu.endswith(b'\n\n') else b'')))
            problemes = []
            if obtenu != attendu.rstrip(b'\n') + b'\n':
                problemes.append('rapport different')
            if erreur:
                problemes.append('erreur standard non vide : ' + erreur.decode('utf-8', 'replace'))
            # Les erreurs de Tramelo passent avec son code et son message exact.
            premiere = re.search(rb'^prog\.algo:\d+:\d+: erreur : (.*) \[(\d+)\]$', sortie, flags=re.M)
            if statut_tramelo != 0:
                m = re.match(rb'Ligne +\d+ - (.*)\n', err_tramelo)
                if statut != statut_tramelo:
                    problemes.append(f'statut {statut}, Tramelo {statut_tramelo}')
                brut = None
                if premiere:
                    # La note du message de Tramelo, dans le diagnostic de l'en-tete.
                    suite = sortie[premiere.end():]
                    fin = re.search(rb'^\S+:\d+:\d+: ', suite, flags=re.M)
                    note = re.search(rb'^note : message de Tramelo : (.*) \[(\d+)\]$',
                                     suite[:fin.start()] if fin else suite, flags=re.M)
                    brut = note.group(1) if note and int(note.group(2)) == statut_tramelo else premiere.group(1)
                if not premiere or not m or brut != m.group(1) or int(premiere.group(2)) != statut_tramelo:
                    problemes.append('en-tete different du message de Tramelo : ' + err_tramelo.decode('utf-8', 'replace'))
            elif premiere and statut != int(premiere.group(2)):
                problemes.append(f'statut {statut} au lieu du code de la premiere erreur')
            if problemes and not regenerer:
                echecs += 1
                echouer(f'{nom} : ' + ' ; '.join(problemes), attendu.rstrip(b'\n') + b'\n', obtenu)
        if regenerer:
            ecrire_cas(chemin, entete, nouveaux)
    print(f'{nb} cas verifies, {echecs} echec(s)')
    return 1 if echecs else 0


def couverture(messages, fichiers):
    codes = {int(c) for c in re.findall(r'\{ (\d+),', open(messages, encoding='utf-8').read())}
    requis = {c for c in codes if 102 <= c <= 149} - INATTEIGNABLES
    vus = set()
    for chemin in fichiers:
        for _, _, attendu in lire_cas(chemin)[1]:
            vus |= {int(c) for c in re.findall(rb'^prog\.algo:\d+:\d+: erreur : .* \[(\d+)\]$', attendu, flags=re.M)}
    manque = sorted(requis - vus)
    print(f'{len(requis & vus)} codes d\'erreur sur {len(requis)} ont un cas explique')
    if manque:
        echouer('codes d\'erreur sans cas explique : ' + ', '.join(map(str, manque)))
        return 1
    return 0


if __name__ == '__main__':
    if len(sys.argv) > 2 and sys.argv[1] == '--couverture':
        sys.exit(couverture(sys.argv[2], sys.argv[3:]))
    if len(sys.argv) < 4:
        print(__doc__)
        sys.exit(2)
    sys.exit(verifier(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]), sys.argv[3:]))
