#!/usr/bin/env python3
"""Chaque exemple du cours (exemples/*.algo, cas de reference qui se traduisent, et les cas limites de
tests/organigrammes/cas/) : son organigramme
a les formes de ses instructions, lues dans le modele (tramelo-verifier --arbre) et non dans le
dessin : un losange par condition, un parallelogramme par saisie ou affichage, un rectangle par
affectation, appel ou renvoie, un hexagone par pour, chacun a la ligne de son instruction ; un arc
de retour par boucle dont le corps peut finir, un arc par sortie, continue et renvoie. Le SVG et le
DOT ont les memes formes et les memes arcs ; le DOT est accepte par dot de Graphviz (saute s'il
manque) ; l'image du guide (docs/organigramme-rechercher.svg) est a jour. Mise en page du SVG : formes disjointes, arcs horizontaux et verticaux qui partent du bord
de leur forme et arrivent au bord de leur cible sans traverser d'autre forme, et aucun croisement
entre deux arcs qui ne sont pas des sauts.
    structure.py TRAMELO_ORGANIGRAMME TRAMELO_VERIFIER RACINE
"""
import collections
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

OUTIL, VERIFIER, RACINE = sys.argv[1:4]
SVG = '{http://www.w3.org/2000/svg}'
DOT = shutil.which('dot')

DECISIONS = {'tant_que', 'jusqua', 'repeter'}
ENTREES_SORTIES = {'afficher', 'saisir', 'ligne_suivante'}
ACTIONS = {'affectation', 'appel', 'allonger', 'redimensionner', 'renvoie'}
BOUCLES = {'tant_que', 'jusqua', 'pour', 'repeter', 'boucle'}


def lancer(*args):
    return subprocess.run(list(args), capture_output=True)


# --- Ce que le modele demande ---

def court(ins):
    """si (c) sortie; / continue; / renvoie e; (sans sinon)."""
    blocs = ins.get('blocs', [])
    return (ins.get('forme_courte') and len(blocs) == 1 and len(ins['expressions']) == 1
            and len(blocs[0]) == 1 and blocs[0][0]['genre'] in ('sortie', 'continue', 'renvoie'))


def dessinees(suite):
    return [i for i in suite if i['genre'] not in ('declarer', 'choix_sur')]


def finit(suite):
    """Le dernier chemin de la suite atteint sa fin (ce qui donne l'arc de retour d'une boucle)."""
    d = dessinees(suite)
    return not d or finit_instr(d[-1])


def sort_de(suite):
    """Une sortie de cette suite vise la boucle qui la contient (pas une boucle interieure)."""
    for ins in suite:
        if ins['genre'] == 'sortie':
            return True
        if ins['genre'] not in BOUCLES and any(sort_de(b) for b in ins.get('blocs', [])):
            return True
    return False


def finit_instr(ins):
    g = ins['genre']
    if g == 'renvoie':
        return False
    if g == 'si':
        if court(ins):
            return True
        return len(ins['blocs']) == len(ins['expressions']) or any(finit(b) for b in ins['blocs'])
    if g == 'boucle':
        return sort_de(ins['blocs'][0])
    return True


def attendu(unite):
    """Formes (classe, ligne) et nombres d'arcs par genre qu'exige le modele d'une unite."""
    formes = collections.Counter({('debut', unite['plage']['ligne']): 1})
    arcs = collections.Counter()

    def parcourir(suite):
        for ins in suite:
            g = ins['genre']
            if g == 'si':
                for e in ins['expressions']:
                    formes[('decision', e['plage']['ligne'])] += 1
            elif g in DECISIONS:
                formes[('decision', ins['expressions'][0]['plage']['ligne'])] += 1
            elif g == 'pour':
                formes[('pour', ins['ligne'])] += 1
            elif g in ENTREES_SORTIES:
                formes[('entree-sortie', ins['ligne'])] += 1
            elif g in ACTIONS:
                formes[('action', ins['ligne'])] += 1
            if g in ('sortie', 'continue', 'renvoie'):
                arcs[g] += 1
            if g == 'repeter' or (g in BOUCLES and finit(ins['blocs'][0])):
                arcs['retour'] += 1
            for b in ins.get('blocs', []):
                parcourir(b)
    parcourir(unite['corps'])
    return formes, arcs


# --- Ce que le dessin contient ---

def boite(g):
    """Boite englobante d'une forme du SVG : (x0, y0, x1, y1)."""
    for e in g:
        if e.tag == SVG + 'rect':
            x, y, w, h = (float(e.get(k)) for k in ('x', 'y', 'width', 'height'))
            return (x, y, x + w, y + h)
        if e.tag == SVG + 'polygon':
            p = [tuple(map(float, c.split(','))) for c in e.get('points').split()]
            return (min(a for a, _ in p), min(b for _, b in p), max(a for a, _ in p), max(b for _, b in p))
        if e.tag == SVG + 'circle':
            cx, cy, r = (float(e.get(k)) for k in ('cx', 'cy', 'r'))
            return (cx - r, cy - r, cx + r, cy + r)
    raise AssertionError('forme sans trace : ' + g.get('id'))


def trace(d):
    return [tuple(map(float, p.split(','))) for p in re.findall(r'-?\d+(?:\.\d+)?,-?\d+(?:\.\d+)?', d)]


def sur_le_bord(p, b, jonction):
    x, y = p
    if jonction:
        return abs(x - (b[0] + b[2]) / 2) < 0.6 and abs(y - (b[1] + b[3]) / 2) < 0.6
    dedans = b[0] - 0.6 <= x <= b[2] + 0.6 and b[1] - 0.6 <= y <= b[3] + 0.6
    return dedans and min(abs(x - b[0]), abs(x - b[2]), abs(y - b[1]), abs(y - b[3])) < 0.6


def traverse(a, b, boite_):
    """Le segment [a, b] (horizontal ou vertical) entre dans l'interieur de la boite."""
    x0, y0, x1, y1 = boite_[0] + 1, boite_[1] + 1, boite_[2] - 1, boite_[3] - 1
    if a[1] == b[1]:
        return y0 < a[1] < y1 and min(a[0], b[0]) < x1 and max(a[0], b[0]) > x0
    return x0 < a[0] < x1 and min(a[1], b[1]) < y1 and max(a[1], b[1]) > y0


def croisent(s, t):
    """Croisement franc d'un segment horizontal et d'un vertical (un bout qui touche n'en est pas un)."""
    (a, b), (c, d) = s, t
    if a[1] == b[1] and c[0] == d[0]:
        h, v = (a, b), (c, d)
    elif a[0] == b[0] and c[1] == d[1]:
        h, v = (c, d), (a, b)
    else:
        return False
    return (min(h[0][0], h[1][0]) < v[0][0] < max(h[0][0], h[1][0])
            and min(v[0][1], v[1][1]) < h[0][1] < max(v[0][1], v[1][1]))


def verifier_dessin(nom, unite_svg, erreurs):
    formes = {}
    for g in unite_svg.iter(SVG + 'g'):
        if 'forme' in g.get('class', '').split():
            formes[g.get('id')] = (g.get('class').split()[1], boite(g))
    ids = sorted(formes)
    for i, a in enumerate(ids):
        for b in ids[i + 1:]:
            p, q = formes[a][1], formes[b][1]
            if p[0] < q[2] and q[0] < p[2] and p[1] < q[3] and q[1] < p[3]:
                erreurs.append(f'{nom} : les formes {a} et {b} se chevauchent')
    segments = []
    for path in unite_svg.iter(SVG + 'path'):
        classes = path.get('class', '').split()
        if 'arc' not in classes:
            continue
        de, vers = path.get('data-de'), path.get('data-vers')
        pts = trace(path.get('d'))
        if len(pts) < 2:
            erreurs.append(f'{nom} : arc {de} -> {vers} sans longueur')
            continue
        if not sur_le_bord(pts[0], formes[de][1], formes[de][0] == 'jonction'):
            erreurs.append(f'{nom} : l\'arc {de} -> {vers} ne part pas du bord de {de} ({pts[0]})')
        if not sur_le_bord(pts[-1], formes[vers][1], formes[vers][0] == 'jonction'):
            erreurs.append(f'{nom} : l\'arc {de} -> {vers} n\'arrive pas au bord de {vers} ({pts[-1]})')
        for a, b in zip(pts, pts[1:]):
            if a[0] != b[0] and a[1] != b[1]:
                erreurs.append(f'{nom} : segment oblique dans {de} -> {vers}')
            for f, (classe, bb) in formes.items():
                if classe != 'jonction' and traverse(a, b, bb):
                    erreurs.append(f'{nom} : l\'arc {de} -> {vers} traverse la forme {f}')
            segments.append(('saut' in classes, f'{de}->{vers}', (a, b)))
    for i, (saut1, n1, s1) in enumerate(segments):
        for saut2, n2, s2 in segments[i + 1:]:
            if not saut1 and not saut2 and croisent(s1, s2):
                erreurs.append(f'{nom} : les arcs {n1} et {n2} se croisent')
    return formes


def main():
    cas = sorted(glob.glob(os.path.join(RACINE, 'exemples', '*.algo'))
                 + glob.glob(os.path.join(RACINE, 'tests', 'golden', '**', '*.algo'), recursive=True)
                 + glob.glob(os.path.join(RACINE, 'tests', 'organigrammes', 'cas', '*.algo')))
    erreurs, vus, dot_ok = [], 0, 0
    for chemin in cas:
        nom = os.path.relpath(chemin, RACINE)
        arbre = lancer(VERIFIER, '--arbre', chemin)
        if arbre.returncode != 0:
            continue   # un source faux : tests/organigrammes/cli.py s'occupe du refus
        modele = json.loads(arbre.stdout)
        unites = [u for u in modele['unites'] if u['complete']]
        svg = lancer(OUTIL, chemin)
        if svg.returncode != 0:
            erreurs.append(f'{nom} : statut {svg.returncode} ({svg.stderr.decode(errors="replace")})')
            continue
        vus += 1
        racine = ET.fromstring(svg.stdout)
        groupes = [g for g in racine if g.tag == SVG + 'g' and g.get('class') == 'unite']
        if [g.get('data-unite') for g in groupes] != [u['nom'] for u in unites]:
            erreurs.append(f'{nom} : unites dessinees {[g.get("data-unite") for g in groupes]}')
            continue
        noeuds_svg, arcs_svg = {}, collections.Counter()
        for k, (u, g) in enumerate(zip(unites, groupes)):
            formes_att, arcs_att = attendu(u)
            formes = collections.Counter()
            for f in g.iter(SVG + 'g'):
                cl = f.get('class', '').split()
                if 'forme' in cl:
                    noeuds_svg[f.get('id')] = cl[1]
                    if cl[1] not in ('fin', 'jonction'):
                        formes[(cl[1], int(f.get('data-ligne')))] += 1
            if formes != formes_att:
                erreurs.append(f'{nom} [{u["nom"]}] : formes en trop {dict(formes - formes_att)}, '
                               f'manquantes {dict(formes_att - formes)}')
            arcs = collections.Counter()
            for p in g.iter(SVG + 'path'):
                cl = p.get('class', '').split()
                arcs[cl[1]] += 1
                arcs_svg[(p.get('data-de'), p.get('data-vers'), ' '.join(cl))] += 1
            for genre in ('retour', 'sortie', 'continue', 'renvoie'):
                if arcs[genre] != arcs_att[genre]:
                    erreurs.append(f'{nom} [{u["nom"]}] : {arcs[genre]} arcs {genre}, {arcs_att[genre]} attendus')
            verifier_dessin(f'{nom} [{u["nom"]}]', g, erreurs)

        if DOT:
            texte_dot = lancer(OUTIL, '--format', 'dot', chemin)
            graphe = subprocess.run([DOT, '-Tjson'], input=texte_dot.stdout, capture_output=True)
            if graphe.returncode != 0 or graphe.stderr:
                erreurs.append(f'{nom} : dot refuse le DOT : {graphe.stderr.decode(errors="replace")}')
                continue
            dot_ok += 1
            j = json.loads(graphe.stdout)
            objets = {o['_gvid']: o for o in j.get('objects', [])}
            noeuds_dot = {o['name']: o['class'].split()[1] for o in objets.values() if 'class' in o
                          and o['class'].startswith('forme')}
            arcs_dot = collections.Counter((objets[e['tail']]['name'], objets[e['head']]['name'], e['class'])
                                           for e in j.get('edges', []))
            if noeuds_dot != noeuds_svg:
                erreurs.append(f'{nom} : formes differentes en SVG et en DOT')
            if arcs_dot != arcs_svg:
                erreurs.append(f'{nom} : arcs differents en SVG et en DOT : {dict(arcs_svg - arcs_dot)} / '
                               f'{dict(arcs_dot - arcs_svg)}')
    # L'image du guide est le dessin actuel de son exemple.
    image = os.path.join(RACINE, 'docs', 'organigramme-rechercher.svg')
    commande = [OUTIL, '--unite', 'Rechercher', 'exemples/recherche_dichotomique.algo']
    actuel = subprocess.run(commande, cwd=RACINE, capture_output=True).stdout
    if not os.path.exists(image) or open(image, 'rb').read() != actuel:
        erreurs.append('docs/organigramme-rechercher.svg n\'est plus le dessin de son exemple : '
                       + ' '.join(commande) + ' -o docs/organigramme-rechercher.svg (depuis la racine)')
    for e in erreurs:
        print('ECHEC', e)
    if vus < 20:
        erreurs.append(f'seulement {vus} exemples dessines')
    print(f'{vus} exemples dessines, DOT verifie par dot pour {dot_ok}'
          + ('' if DOT else ' (dot absent : DOT non verifie)'))
    print(f'structure : {vus - len(erreurs) if vus >= len(erreurs) else 0} passed, {len(erreurs)} failed')
    sys.exit(1 if erreurs else 0)


main()
