#!/usr/bin/env python3
"""Verifie que chaque exemple du guide du langage est la sortie reelle de Tramelo,
pour que le guide ne mente jamais aux etudiants quand la traduction change.
Usage : verifier_guide.py CHEMIN_DE_TRAMELO docs/langage.md

Directives (commentaires HTML places juste avant l'exemple) :
  <!-- verif [contexte] -->            fragment d'instructions dans un algorithme ;
                                       le contexte (declarations) precede le fragment ;
                                       une ligne "----" separe les unites placees avant
                                       l'algorithme du contexte interieur.
  <!-- verif unite [contexte] -->      le bloc algo est fait d'unites, suivies d'un algorithme vide.
  <!-- verif complet -->               le bloc algo est un source complet.
  <!-- verif execution -->             source complet ; le bloc text suivant est la sortie
                                       du programme compile (entree : ligne "entree=" echappee).
  <!-- verif table [contexte] -->      chaque ligne du tableau suivant : `source` | `C++`.
  <!-- verif explique -->              source complet ; le bloc text suivant est le rapport exact
                                       de tramelo-verifier (voisin de Tramelo) sur prog.algo.
Le bloc suivant le bloc algo est ```cpp (traduction attendue, sans l'indentation du bloc)
ou ```text (message d'erreur attendu ; sans "Ligne ... - " pour les fragments).
"""
import re, subprocess, sys, tempfile, os

TRAMELO = sys.argv[1]
GUIDE = sys.argv[2]
# Lignes de l'en-tete commun a toute traduction, ecrit avant le code des unites.
ENTETE = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'golden', 'entete.txt'),
              encoding='utf-8').read().count('\n')
texte = open(GUIDE, encoding='utf-8').read()
lignes = texte.split('\n')

echecs = 0
nb = 0


def traduire(source):
    with tempfile.NamedTemporaryFile('w', suffix='.algo', delete=False) as f:
        f.write(source)
        nom = f.name
    p = subprocess.run([TRAMELO, nom], capture_output=True, text=True)
    os.unlink(nom)
    return p.stdout, p.stderr, p.returncode


def corps_algo(sortie):
    """Lignes du corps de la fonction Guide (entre '    {' et la ligne vide finale)."""
    ls = sortie.split('\n')
    i = ls.index('    void Guide (void)')
    j = ls.index('    } // Guide()')
    return ls[i + 2:j - 1]


def unites(sortie):
    ls = sortie.split('\n')
    i = ls.index('    void Guide (void)')
    return ls[ENTETE:i]


def retirer(ls, n):
    res = []
    for l in ls:
        if l.strip() == '':
            res.append('')
        elif l.startswith(' ' * n):
            res.append(l[n:])
        else:
            res.append('?INDENTATION?' + l)
    return res


def sans_vides_finales(ls):
    while ls and ls[-1] == '':
        ls = ls[:-1]
    return ls


def echec(ou, attendu, obtenu):
    global echecs
    echecs += 1
    print(f'=== ECHEC ligne {ou}')
    print('--- attendu'); print(attendu)
    print('--- obtenu'); print(obtenu)


def bloc_suivant(k):
    """Renvoie (langage, contenu, ligne apres le bloc) du prochain bloc de code a partir de k."""
    while k < len(lignes) and not lignes[k].startswith('```'):
        k += 1
    if k >= len(lignes):
        return None, None, k
    lang = lignes[k][3:].strip()
    k += 1
    debut = k
    while not lignes[k].startswith('```'):
        k += 1
    return lang, '\n'.join(lignes[debut:k]), k + 1


def decouper_contexte(ctx):
    if '----' in ctx:
        avant, dedans = ctx.split('----', 1)
    else:
        avant, dedans = '', ctx
    return avant.strip('\n'), dedans.strip('\n')


def source_frag(avant, dedans, frag):
    return (avant + '\n' if avant else '') + 'algorithme Guide\ndebut\n' + \
        (dedans + '\n' if dedans else '') + frag + '\nfin\n'


def verifier_frag(ou, ctx, frag, lang, attendu):
    global nb
    nb += 1
    avant, dedans = decouper_contexte(ctx)
    out, err, code = traduire(source_frag(avant, dedans, frag))
    if lang == 'text':
        obtenu = re.sub(r'^Ligne +\d+ - ', '', err.rstrip('\n'))
        if obtenu != attendu or code == 0:
            echec(ou, attendu, err + f'[statut {code}]')
        return
    if code != 0:
        echec(ou, attendu, err)
        return
    o0, e0, c0 = traduire(source_frag(avant, dedans, ''))
    if c0 != 0:
        echec(ou, 'contexte valide', e0)
        return
    k = len(corps_algo(o0))
    obtenu = '\n'.join(retirer(corps_algo(out)[k:], 8))
    if obtenu != attendu:
        echec(ou, attendu, obtenu)


def verifier_unite(ou, ctx, frag, lang, attendu):
    global nb
    nb += 1
    avant, _ = decouper_contexte(ctx)
    src = (avant + '\n' if avant else '') + frag + '\nalgorithme Guide\ndebut\nfin\n'
    out, err, code = traduire(src)
    if lang == 'text':
        obtenu = re.sub(r'^Ligne +\d+ - ', '', err.rstrip('\n'))
        if obtenu != attendu or code == 0:
            echec(ou, attendu, err + f'[statut {code}]')
        return
    if code != 0:
        echec(ou, attendu, err)
        return
    k = 0
    if avant:
        o0, _, _ = traduire(avant + '\nalgorithme Guide\ndebut\nfin\n')
        k = len(unites(o0))
    obtenu = '\n'.join(sans_vides_finales(retirer(unites(out)[k:], 4)))
    if obtenu != attendu:
        echec(ou, attendu, obtenu)


def verifier_complet(ou, src, lang, attendu):
    global nb
    nb += 1
    out, err, code = traduire(src + '\n')
    if lang == 'text':
        if err.rstrip('\n') != attendu or code == 0:
            echec(ou, attendu, err + f'[statut {code}]')
        return
    if code != 0:
        echec(ou, attendu, err)
        return
    ls = out.split('\n')[ENTETE:-17]
    obtenu = '\n'.join(sans_vides_finales(retirer(ls, 4)))
    if obtenu != attendu:
        echec(ou, attendu, obtenu)


def verifier_execution(ou, directive, src, attendu):
    global nb
    nb += 1
    m = re.search(r'entree=(\S*)', directive)
    entree = m.group(1).encode().decode('unicode_escape') if m else ''
    m = re.search(r'statut=(\d+)', directive)
    statut = int(m.group(1)) if m else 0
    out, err, code = traduire(src + '\n')
    if code != 0:
        echec(ou, attendu, err)
        return
    with tempfile.TemporaryDirectory() as d:
        open(d + '/p.cpp', 'w').write(out)
        c = subprocess.run([os.environ.get('CXX', 'g++'), '-std=c++17', '-O1', '-o', d + '/p', d + '/p.cpp'],
                           capture_output=True, text=True)
        if c.returncode != 0:
            echec(ou, 'compilation', c.stderr)
            return
        p = subprocess.run([d + '/p'], input=entree, capture_output=True, text=True, timeout=20)
    obtenu = p.stdout
    if obtenu.rstrip('\n') != attendu.rstrip('\n') or p.returncode != statut:
        echec(ou, attendu + f'\n[statut {statut}]', obtenu + f'\n[statut {p.returncode}]')


def verifier_explique(ou, src, attendu):
    global nb
    nb += 1
    verif = os.path.join(os.path.dirname(os.path.abspath(TRAMELO)), 'tramelo-verifier')
    with tempfile.TemporaryDirectory() as d:
        open(os.path.join(d, 'prog.algo'), 'w', encoding='utf-8').write(src + '\n')
        p = subprocess.run([verif, 'prog.algo'], cwd=d, capture_output=True, text=True,
                           env=dict(os.environ, NO_COLOR='1'))
    if p.stdout.rstrip('\n') != attendu.rstrip('\n'):
        echec(ou, attendu, p.stdout + p.stderr + f'[statut {p.returncode}]')


def cellule(c):
    c = c.strip()
    m = re.fullmatch(r'`(.*)`', c)
    if not m:
        return None
    return m.group(1).replace('\\|', '|')


def verifier_table(ou, ctx, k):
    global nb
    while not lignes[k].startswith('|'):
        k += 1
    k += 2
    while k < len(lignes) and lignes[k].startswith('|'):
        cells = re.split(r'(?<!\\)\|', lignes[k])[1:-1]
        src, cpp = cellule(cells[0]), cellule(cells[1])
        if src is None or cpp is None:
            print(f'ligne {k + 1} : cellules non verifiables')
            global echecs
            echecs += 1
        else:
            verifier_frag(k + 1, ctx, src, 'cpp', cpp)
        k += 1
    return k


# Un exemple sans directive echapperait a la verification : on le signale.
for i, l in enumerate(lignes):
    if l.startswith('```algo') and not (i > 0 and lignes[i - 1].rstrip().endswith('-->')
                                        and any(lignes[j].startswith('<!-- verif')
                                                for j in range(max(0, i - 30), i))):
        print(f'ligne {i + 1} : exemple sans directive de verification')
        echecs += 1

k = 0
while k < len(lignes):
    m = re.match(r'<!-- verif\b(.*)', lignes[k])
    if not m:
        k += 1
        continue
    ou = k + 1
    directive = m.group(1)
    contenu = []
    if '-->' in directive:
        directive = directive.split('-->')[0]
    else:
        k += 1
        while '-->' not in lignes[k]:
            contenu.append(lignes[k])
            k += 1
    mots = directive.split()
    genre = mots[0] if mots and mots[0] in ('unite', 'complet', 'execution', 'table', 'explique') else 'frag'
    if genre == 'frag':
        contenu = [directive.strip()] + contenu if directive.strip() else contenu
    ctx = '\n'.join(contenu)
    k += 1
    if genre == 'table':
        k = verifier_table(ou, ctx, k)
        continue
    lang, src, k = bloc_suivant(k)
    if lang != 'algo':
        print(f'ligne {ou} : bloc algo attendu, trouve {lang}')
        echecs += 1
        continue
    lang2, attendu, k = bloc_suivant(k)
    if genre == 'frag':
        verifier_frag(ou, ctx, src, lang2, attendu)
    elif genre == 'unite':
        verifier_unite(ou, ctx, src, lang2, attendu)
    elif genre == 'complet':
        verifier_complet(ou, src, lang2, attendu)
    elif genre == 'explique':
        verifier_explique(ou, src, attendu)
    else:
        verifier_execution(ou, directive, src, attendu)

print(f'{nb} exemples verifies, {echecs} echec(s)')
sys.exit(1 if echecs else 0)
