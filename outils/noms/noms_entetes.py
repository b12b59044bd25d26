"""Noms definis par les en-tetes du programme produit, et compilation par lots.

Partage par le generateur de la table des noms (generer_noms.py) et par le recensement
(tests/noms/recensement.py). Un nom n'est candidat que s'il commence par une lettre ASCII :
un nom du langage ne peut pas commencer autrement.
"""
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys
import tempfile

# En-tetes inclus par le prelude du programme produit, dans son ordre.
ENTETES_PRELUDE = ('iostream', 'stdexcept', 'string', 'vector', 'limits', 'ctime', 'cstdlib',
                   'cstring')

# Les deux facons de compiler le programme produit : g++ -std=c++17 et g++ seul (gnu++17).
MODES = (('-std=c++17',), ())


def nom_mode(mode):
    return ' '.join(mode) or '(gnu++17)'


# Refuses partout en plus des macros : linux et unix (macros du seul mode GNU, listees au cas
# ou les en-tetes changent), typeof (mot-cle GNU), et les sto* qu'une fonction a parametre
# string rendrait ambigus (la recherche dependant des arguments trouve ceux de std).
NOMS_SUPPLEMENTAIRES = ('linux', 'unix', 'typeof', 'stoi', 'stol', 'stoul', 'stoll', 'stoull',
                        'stof', 'stod', 'stold')

NOM_LETTRE = re.compile(r'[A-Za-z][0-9A-Za-z_]*\Z')


def texte_entetes(entetes):
    return ''.join(f'#include <{e}>\n' for e in entetes)


def preprocesser(cxx, mode, entetes, options):
    """Sortie de cxx -E (avec options) sur un fichier qui n'inclut que les en-tetes."""
    p = subprocess.run([cxx, *mode, '-x', 'c++', *options, '-'], input=texte_entetes(entetes),
                       capture_output=True, text=True)
    if p.returncode != 0:
        raise RuntimeError(f'{cxx} {nom_mode(mode)} {" ".join(options)} a echoue :\n{p.stderr}')
    return p.stdout


def macros(cxx, entetes, modes=MODES):
    """Noms des macros (objets et fonctions) definies par les en-tetes, dans l'un des modes."""
    noms = set()
    for mode in modes:
        for ligne in preprocesser(cxx, mode, entetes, ('-dM', '-E')).splitlines():
            m = re.match(r'#define ([A-Za-z_]\w*)', ligne)
            if m and NOM_LETTRE.match(m.group(1)):
                noms.add(m.group(1))
    return noms


# Jetons du texte preprocesse : les litteraux (chaines brutes comprises) et les nombres sont
# sautes pour ne garder que les vrais identificateurs.
JETON = re.compile(r'''
      (?:u8|u|U|L)?R"(?P<delim>[^ ()\\\t\n]{0,16})\(.*?\)(?P=delim)"
    | (?:u8|u|U|L)?"(?:\\.|[^"\\\n])*"
    | (?:u8|u|U|L)?'(?:\\.|[^'\\\n])*'
    | \.?[0-9](?:[eEpP][+-]|'[0-9A-Za-z_]|[0-9A-Za-z_.])*
    | (?P<ident>[A-Za-z_][0-9A-Za-z_]*)
''', re.X | re.S)


def identificateurs(cxx, entetes, modes=MODES):
    """Identificateurs du texte preprocesse des en-tetes qui commencent par une lettre."""
    noms = set()
    for mode in modes:
        texte = preprocesser(cxx, mode, entetes, ('-E', '-P'))
        for m in JETON.finditer(texte):
            nom = m.group('ident')
            if nom and NOM_LETTRE.match(nom):
                noms.add(nom)
    return noms


def lancer(commande, entree=None):
    return subprocess.run(commande, input=entree, capture_output=True, text=True)


def traduire(tramelo, source):
    """Traduit un source : (statut, sortie standard, erreur standard)."""
    with tempfile.NamedTemporaryFile('w', suffix='.algo', delete=False) as f:
        f.write(source)
    try:
        p = lancer([tramelo, f.name])
        return p.returncode, p.stdout, p.stderr
    finally:
        os.unlink(f.name)


def avertir_entetes(modele, entetes):
    """Les candidats viennent de entetes : ce doivent etre ceux du programme produit."""
    if set(modele.entetes) != set(entetes):
        print(f'attention : le programme produit inclut {" ".join(modele.entetes)}, '
              f'les noms sont tires de {" ".join(entetes)}', file=sys.stderr)


class CCompilateur:
    """Compile des programmes produits (-fsyntax-only, sans avertissements).

    Les en-tetes que le programme inclut (CModeleAlgo.entetes) sont precompiles une fois par
    mode et inclus d'office (-include) : le programme les inclut ensuite sans effet (gardes
    d'inclusion), et chaque compilation coute ainsi quelques dixiemes de seconde de moins.
    """

    def __init__(self, cxx, entetes):
        self.cxx = cxx
        self.dossier = tempfile.mkdtemp(prefix='noms_entetes.')
        self.options = {}
        for i, mode in enumerate(MODES):
            entete = os.path.join(self.dossier, f'prelude{i}.h')
            with open(entete, 'w') as f:
                f.write(texte_entetes(entetes))
            p = lancer([cxx, *mode, '-x', 'c++-header', entete, '-o', entete + '.gch'])
            self.options[mode] = ['-include', entete] if p.returncode == 0 else []

    def __enter__(self):
        return self

    def __exit__(self, *_):
        shutil.rmtree(self.dossier, ignore_errors=True)

    def compiler(self, mode, texte, proprietaires):
        """Compile texte ; proprietaires[i] est la cle de la ligne i + 1 (ou None).

        Rend (cles des lignes citees par les diagnostics, diagnostic non attribuable) : un
        diagnostic est non attribuable s'il cite une ligne sans cle, ou si la compilation
        echoue sans citer aucune ligne du fichier.
        """
        with tempfile.NamedTemporaryFile('w', suffix='.cpp', dir=self.dossier,
                                         delete=False) as f:
            f.write(texte)
        try:
            p = lancer([self.cxx, *mode, *self.options[mode], '-fsyntax-only', '-w', f.name])
        finally:
            os.unlink(f.name)
        if p.returncode == 0:
            return set(), False
        cles, non_attribue = set(), False
        # Seuls les diagnostics (fichier:ligne:colonne) comptent, pas les chaines d'inclusion.
        for m in re.finditer(re.escape(f.name) + r':(\d+):\d+:', p.stderr):
            ligne = int(m.group(1))
            cle = proprietaires[ligne - 1] if 0 < ligne <= len(proprietaires) else None
            if cle is None:
                non_attribue = True
            else:
                cles.add(cle)
        return cles, non_attribue or not cles


def echecs_par_lots(elements, construire, compiler_lot, taille_lot, jobs):
    """Elements dont le programme ne compile pas, par lots.

    construire(lot) rend (texte, proprietaires) ; compiler_lot(texte, proprietaires) rend
    (cles, non_attribue) comme compiler. Les elements cites sont retires et le lot recompile
    jusqu'a compiler sans erreur ; un diagnostic non attribuable, s'il n'en reste pas d'autre,
    fait couper le lot en deux.
    """
    def traiter(lot):
        echoues = set()
        a_faire = [lot]
        while a_faire:
            reste = a_faire.pop()
            while reste:
                cles, non_attribue = compiler_lot(*construire(reste))
                if not cles and not non_attribue:
                    break
                if not cles:
                    if len(reste) == 1:
                        echoues.update(reste)
                    else:
                        a_faire += [reste[:len(reste) // 2], reste[len(reste) // 2:]]
                    break
                echoues |= cles
                reste = [e for e in reste if e not in cles]
        return echoues

    lots = [elements[i:i + taille_lot] for i in range(0, len(elements), taille_lot)]
    resultat = set()
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as executeur:
        for echoues in executeur.map(traiter, lots):
            resultat |= echoues
    return resultat


# Nom provisoire de l'algorithme dans le programme modele : absent des en-tetes.
NOM_MODELE = 'NomDeLAlgorithme'


class CModeleAlgo:
    """Programme produit pour un algorithme vide, decoupe pour en compiler plusieurs a la fois.

    Un lot met les fonctions des algorithmes cote a cote dans l'espace de noms anonyme, puis un
    double de main par algorithme (renomme _Principal<k>), qui l'appelle comme main le fait.
    """

    def __init__(self, tramelo):
        statut, sortie, erreur = traduire(tramelo, f'algorithme {NOM_MODELE}\ndebut\nfin\n')
        if statut != 0:
            raise RuntimeError(f'traduction du modele impossible : {erreur}')
        lignes = sortie.splitlines(keepends=True)
        debut = lignes.index(f'    void {NOM_MODELE} (void)\n')
        fin_ns = lignes.index('} // namespace\n')
        principal = lignes.index('int main()\n')
        self.prelude = lignes[:debut]
        self.unite = lignes[debut:fin_ns]
        self.milieu = lignes[fin_ns:principal]
        self.principal = lignes[principal:]
        # En-tetes que le programme produit inclut vraiment (ceux a precompiler).
        self.entetes = re.findall(r'^#include <([^>]+)>', ''.join(self.prelude), re.M)

    @staticmethod
    def _nommer(lignes, nom):
        return [re.sub(r'\b' + NOM_MODELE + r'\b', nom, l) for l in lignes]

    def programme(self, nom):
        """Le programme produit pour l'algorithme nom, tel que Tramelo l'ecrirait."""
        return ''.join(self.prelude + self._nommer(self.unite, nom) + self.milieu
                       + self._nommer(self.principal, nom))

    def lot(self, noms):
        """(texte, proprietaires) d'un lot ; un lot d'un seul nom est le programme lui-meme."""
        if len(noms) == 1:
            texte = self.programme(noms[0])
            return texte, [noms[0]] * texte.count('\n')
        lignes, proprietaires = list(self.prelude), [None] * len(self.prelude)
        for nom in noms:
            unite = self._nommer(self.unite, nom)
            lignes += unite
            proprietaires += [nom] * len(unite)
        lignes += self.milieu
        proprietaires += [None] * len(self.milieu)
        for k, nom in enumerate(noms):
            principal = self._nommer(self.principal, nom)
            principal[0] = f'int _Principal{k}()\n'
            lignes += principal
            proprietaires += [nom] * len(principal)
        return ''.join(lignes), proprietaires
