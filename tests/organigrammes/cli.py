#!/usr/bin/env python3
"""tramelo-organigramme par sa ligne de commande : textes des formes tires du source (blancs
normalises, litteraux intacts), caracteres hostiles echappes (SVG bien forme, DOT relu a l'identique
par dot), textes longs tronques, source faux refuse avec le diagnostic de tramelo-verifier et sans
rien ecrire, --unite, limites, erreurs d'ecriture, fichier de sortie remplace seulement en cas de
succes.
    cli.py TRAMELO_ORGANIGRAMME TRAMELO_VERIFIER
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

OUTIL, VERIFIER = sys.argv[1:3]
SVG = '{http://www.w3.org/2000/svg}'
DOT = shutil.which('dot')
tmp = tempfile.mkdtemp(prefix='tramelo-organigramme-')
resultats = {'passed': 0, 'failed': 0}


def cas(nom):
    def decorer(f):
        try:
            f()
            resultats['passed'] += 1
            print('ok  ', nom)
        except AssertionError as e:
            resultats['failed'] += 1
            print('ECHEC', nom, ':', e)
        return f
    return decorer


def source(nom, octets):
    chemin = os.path.join(tmp, nom)
    with open(chemin, 'wb') as f:
        f.write(octets if isinstance(octets, bytes) else octets.encode())
    return chemin


def lancer(*args, **kw):
    return subprocess.run([OUTIL, *args], capture_output=True, **kw)


def titres(svg):
    """(classe, texte complet) de chaque forme, dans l'ordre du SVG."""
    racine = ET.fromstring(svg)
    return [(g.get('class').split()[1], g.find(SVG + 'title').text or '')
            for g in racine.iter(SVG + 'g') if 'forme' in g.get('class', '').split()
            and g.find(SVG + 'title') is not None]


TEXTES = '''algorithme Textes
debut
    declarer n : entier;
    declarer s : string;
    saisir (n);
    s   <-   "a   b"   +  // commentaire
        "c";
    afficher ("Total : ", s);
    si (n < 0 ET n > -5)
        afficher ("x & y <z> 'q' \\"w\\"");
    fsi
    pour (i   variant_de 1 a n descendant) faire
        ligne_suivante;
    ffaire
fin
'''


@cas('textes du source : blancs normalises, litteraux et commentaires')
def _():
    r = lancer(source('textes.algo', TEXTES))
    assert r.returncode == 0, r.stderr
    t = titres(r.stdout)
    assert t == [('debut', 'Début Textes'), ('fin', 'Fin'), ('entree-sortie', 'Lire n'),
                 ('action', 's ← "a   b" + "c"'), ('entree-sortie', 'Afficher "Total : ", s'),
                 ('decision', 'n < 0 ET n > -5'), ('entree-sortie', 'Afficher "x & y <z> \'q\' \\"w\\""'),
                 ('pour', 'pour (i variant_de 1 a n descendant)'), ('entree-sortie', 'ligne_suivante')], t


@cas('unites : nom et parametres dans Debut, titre = en-tete, ordre du source')
def _():
    r = lancer(source('unites.algo', '''fonction Carre (x : in entier) renvoie entier
debut
    renvoie x * x;
fin
procedure Dire (m : in string,
                n : in_out entier)
debut
    afficher (m);
fin
algorithme A
debut
    afficher (Carre (2));
fin
'''))
    assert r.returncode == 0, r.stderr
    racine = ET.fromstring(r.stdout)
    unites = [g for g in racine.iter(SVG + 'g') if g.get('class') == 'unite']
    assert [u.get('data-unite') for u in unites] == ['Carre', 'Dire', 'A']
    titre = [t for t in unites[1].iter(SVG + 'text') if t.get('class') == 'titre'][0]
    assert titre.find(SVG + 'title').text == 'procedure Dire (m : in string, n : in_out entier)'
    t = titres(r.stdout)
    assert ('debut', 'Début Carre (x : in entier)') in t and ('action', 'renvoie x * x') in t, t
    assert ('debut', 'Début Dire (m : in string, n : in_out entier)') in t, t
    u = lancer('--unite', 'Dire', source('unites.algo', open(os.path.join(tmp, 'unites.algo')).read()))
    assert u.returncode == 0 and [g.get('data-unite') for g in ET.fromstring(u.stdout).iter(SVG + 'g')
                                  if g.get('class') == 'unite'] == ['Dire']
    inconnue = lancer('--unite', 'Autre', os.path.join(tmp, 'unites.algo'))
    assert inconnue.returncode == 253 and inconnue.stdout == b''
    assert b'Autre' in inconnue.stderr and b'Carre, Dire, A' in inconnue.stderr, inconnue.stderr


HOSTILE = (b'algorithme H\ndebut\n    // commentaire \xff\xfe\n'
           b'    afficher ("\xff\xfe \x01 \xe2\x80\xae <b>&amp; \\\\ \\" \\\\n", \'"\', \'<\');\n'
           b'    afficher ("%%{init}%% #quot; `x` | ; end");\nfin\n')


@cas('octets hostiles : SVG bien forme, DOT relu a l\'identique par dot')
def _():
    chemin = source('hostile.algo', HOSTILE)
    r = lancer(chemin)
    assert r.returncode == 0, r.stderr
    textes = [x for c, x in titres(r.stdout) if c == 'entree-sortie']
    assert textes[0] == 'Afficher "\ufffd\ufffd \u2401 \ufffd <b>&amp; \\\\ \\" \\\\n", \'"\', \'<\'', textes
    assert textes[1] == 'Afficher "%%{init}%% #quot; `x` | ; end"', textes
    m = lancer('--format', 'mermaid', chemin)
    assert m.returncode == 0
    for mot in (b'<b>', b'`', b'%%{', b'&amp;', b'"\xef\xbf\xbd'):
        assert mot not in m.stdout, (mot, m.stdout)
    if DOT:
        # Les libelles que dot dessine sont ceux du SVG, ligne a ligne (les \\ et \" relus).
        d = lancer('--format', 'dot', chemin)
        g = subprocess.run([DOT, '-Tsvg'], input=d.stdout, capture_output=True)
        assert g.returncode == 0 and g.stderr == b'', g.stderr
        dessin_dot = [['' if t.text is None else t.text for t in n.iter(SVG + 'text')]
                      for n in ET.fromstring(g.stdout).iter(SVG + 'g') if 'entree-sortie' in n.get('class', '')]
        dessin = [[t.text for t in n.iter(SVG + 'tspan')]
                  for n in ET.fromstring(r.stdout).iter(SVG + 'g') if 'entree-sortie' in n.get('class', '')]
        assert dessin_dot == dessin, (dessin_dot, dessin)


@cas('texte long : coupe sur trois lignes, « … », texte entier dans <title>')
def _():
    long_ = 'x' * 30 + ' ' + 'y' * 900
    r = lancer(source('long.algo', f'algorithme L\ndebut\n    afficher ("{long_}");\nfin\n'))
    assert r.returncode == 0
    g = [g for g in ET.fromstring(r.stdout).iter(SVG + 'g') if 'entree-sortie' in g.get('class', '')][0]
    lignes = [s.text for s in g.iter(SVG + 'tspan')]
    assert len(lignes) == 3 and lignes[-1].endswith('…') and all(len(x) <= 32 for x in lignes), lignes
    titre = g.find(SVG + 'title').text
    assert titre.startswith('Afficher "' + long_[:400]) and titre.endswith('…') and len(titre) == 501, len(titre)


FAUX = 'algorithme F\ndebut\n    declarer n : entier;\n    n <- n +;\nfin\n'
SANS_RENVOIE = 'fonction G (x : in entier) renvoie entier\ndebut\n    si (x > 0) renvoie 1;\nfin\nalgorithme A\ndebut\nfin\n'


@cas('source faux : diagnostic et statut de tramelo-verifier, rien d\'ecrit, sortie intacte')
def _():
    for nom, texte in (('faux.algo', FAUX), ('sans_renvoie.algo', SANS_RENVOIE)):
        chemin = source(nom, texte)
        v = subprocess.run([VERIFIER, chemin], capture_output=True)
        assert v.returncode != 0
        for fmt in ('svg', 'dot', 'mermaid'):
            r = lancer('--format', fmt, chemin)
            assert (r.returncode, r.stdout, r.stderr) == (v.returncode, b'', v.stdout), (r, v)
        sortie = os.path.join(tmp, 'garde.svg')
        with open(sortie, 'w') as f:
            f.write('ancien')
        r = lancer('-o', sortie, chemin)
        assert r.returncode == v.returncode and open(sortie).read() == 'ancien'
        nouvelle = os.path.join(tmp, 'jamais.svg')
        assert lancer('-o', nouvelle, chemin).returncode == v.returncode and not os.path.exists(nouvelle)
    assert not [f for f in os.listdir(tmp) if '.svg.' in f], os.listdir(tmp)


@cas('ligne de commande invalide : 253 ; fichier illisible : 252')
def _():
    ok = source('ok.algo', 'algorithme A\ndebut\nfin\n')
    for args in ([], [ok, ok], ['--format', 'png', ok], ['--format'], ['--inconnue', ok],
                 ['--tabulation', '0', ok], ['-o', '', ok], ['--unite=', ok]):
        r = lancer(*args)
        assert r.returncode == 253 and r.stdout == b'' and b'Usage' in r.stderr, (args, r)
    for chemin in (os.path.join(tmp, 'absent.algo'), tmp):
        r = lancer(chemin)
        assert r.returncode == 252 and r.stdout == b'', (chemin, r)
    r = lancer('--aide')
    assert r.returncode == 0 and b'--format' in r.stdout


@cas('-o : ecrit d\'un coup, droits du umask, jamais le source lui-meme')
def _():
    chemin = source('o.algo', TEXTES)
    sortie = os.path.join(tmp, 'o.svg')
    r = subprocess.run(['sh', '-c', 'umask 022 && exec "$0" "$@"', OUTIL, '-o', sortie, chemin], capture_output=True)
    assert r.returncode == 0 and r.stdout == b''
    assert open(sortie, 'rb').read() == lancer(chemin).stdout
    assert os.stat(sortie).st_mode & 0o777 == 0o644
    r = lancer('--sortie', chemin, chemin)
    assert r.returncode == 253 and open(chemin).read() == TEXTES
    r = lancer('-o', os.path.join(tmp, 'absent', 'x.svg'), chemin)
    assert r.returncode == 254 and b'impossible d\'ecrire' in r.stderr
    if os.path.exists('/dev/full'):
        with open('/dev/full', 'wb') as plein:
            r = subprocess.run([OUTIL, chemin], stdout=plein, stderr=subprocess.PIPE)
        assert r.returncode == 254, r


@cas('trop de formes : refus 254 en francais, rien d\'ecrit ; --unite dessine une petite unite')
def _():
    corps = '    n <- n + 1;\n' * 20001
    chemin = source('enorme.algo', 'procedure P (x : in entier)\ndebut\n    afficher (1);\nfin\n'
                    f'algorithme E\ndebut\n    declarer n : entier;\n{corps}fin\n')
    sortie = os.path.join(tmp, 'enorme.svg')
    r = lancer('-o', sortie, chemin)
    assert r.returncode == 254 and b'plus de 20000 formes' in r.stderr and not os.path.exists(sortie), r.stderr
    r = lancer('--format', 'dot', chemin)
    assert r.returncode == 254 and r.stdout == b''
    r = lancer('--unite', 'P', chemin)
    assert r.returncode == 0 and b'data-unite="P"' in r.stdout


@cas('imbrication profonde (100 si et 100 boucles) : dessinee')
def _():
    n = 100
    texte = ('algorithme P\ndebut\n    declarer x : entier;\n' + '    si (x > 0)\n    tant_que (x > 1) faire\n' * n
             + '    x <- x - 1;\n' + '    ffaire\n    fsi\n' * n + 'fin\n')
    r = lancer(source('profond.algo', texte))
    assert r.returncode == 0, r.stderr
    racine = ET.fromstring(r.stdout)
    assert sum(1 for g in racine.iter(SVG + 'g') if 'decision' in g.get('class', '')) == 2 * n


try:
    pass
finally:
    shutil.rmtree(tmp, ignore_errors=True)
print(f"cli : {resultats['passed']} passed, {resultats['failed']} failed")
sys.exit(1 if resultats['failed'] else 0)
