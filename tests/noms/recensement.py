#!/usr/bin/env python3
"""Recensement des noms des en-tetes du programme produit.

Pour chaque nom candidat (macros des en-tetes du prelude en -std=c++17 et en gnu++17, et
identificateurs de leur texte preprocesse, commencant par une lettre) et chacun des 12
contextes ci-dessous, Tramelo doit refuser le source (n'importe quelle erreur), ou bien son C++
doit compiler avec g++ -std=c++17 ET avec g++ seul (gnu++17).

Les sources sont traduits et compiles par lots (un lot : une unite ou deux par nom), chaque
erreur etant ramenee au nom de sa ligne ; un echec en lot est confirme en compilant le nom seul.
Usage : recensement.py --tramelo build/default/Tramelo [--jobs 2] [--contextes a,b,...]
Statut 0 si aucun nom accepte ne donne de C++ invalide, 1 sinon.
"""
import argparse
import concurrent.futures
import os
import re
import sys
import time

RACINE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.dont_write_bytecode = True  # rien a ecrire dans le depot
sys.path.insert(0, os.path.join(RACINE, 'outils', 'noms'))
import noms_entetes as ne  # noqa: E402


# Chaque contexte rend les unites placees avant l'algorithme pour le nom n (k : numero du nom
# dans le lot, pour des noms auxiliaires uniques). Les noms auxiliaires Rc... ne sont pas dans
# les en-tetes (verifie au demarrage).
def _proc(nom, *corps):
    return f'procedure {nom}\ndebut\n' + ''.join(f'    {l}\n' for l in corps) + 'fin\n'


CONTEXTES = {
    'procedure': lambda n, k: [_proc(n), _proc(f'RcP{k}', f'{n};')],
    'fonction_entier': lambda n, k: [
        f'fonction {n} (RcX{k} : in entier) renvoie entier\ndebut\n    renvoie RcX{k};\nfin\n',
        _proc(f'RcP{k}', f'declarer RcV{k} : entier;', f'RcV{k} <- {n} (2);',
              f'afficher (RcV{k});')],
    'fonction_string': lambda n, k: [
        f'fonction {n} (RcX{k} : in string) renvoie entier\ndebut\n'
        f'    renvoie taille (RcX{k});\nfin\n',
        _proc(f'RcP{k}', f'declarer RcS{k} : string;', f'declarer RcV{k} : entier;',
              f'RcS{k} <- "ab";', f'RcV{k} <- {n} (RcS{k});', f'afficher (RcV{k});')],
    'procedure_tableau': lambda n, k: [
        f'procedure {n} (RcT{k} : in tableau_de entier)\ndebut\n    afficher (RcT{k} [0]);\nfin\n',
        _proc(f'RcP{k}', f'declarer RcU{k} : tableau_de 2 entier;', f'{n} (RcU{k});')],
    'variable_entier': lambda n, k: [
        _proc(f'RcP{k}', f'declarer {n} : entier;', f'{n} <- 1;', f'afficher ({n});')],
    'variable_string': lambda n, k: [
        _proc(f'RcP{k}', f'declarer {n} : string;', f'{n} <- "a";', f'afficher ({n});')],
    'tableau': lambda n, k: [
        _proc(f'RcP{k}', f'declarer {n} : tableau_de 3 entier;', f'{n} [0] <- 1;',
              f'afficher ({n} [0]);')],
    'string_de': lambda n, k: [
        _proc(f'RcP{k}', f'declarer {n} : string_de 3;', f'afficher ({n});')],
    'constante': lambda n, k: [
        _proc(f'RcP{k}', f'declarer {n} : constante entier <- 1;', f'afficher ({n});')],
    'parametre': lambda n, k: [
        f'procedure RcQ{k} ({n} : in entier)\ndebut\n    afficher ({n});\nfin\n',
        _proc(f'RcP{k}', f'RcQ{k} (1);')],
    'pour': lambda n, k: [
        _proc(f'RcP{k}', f'pour ({n} variant_de 1 a 2) faire', f'    afficher ({n});',
              'ffaire')],
}
ALGORITHME = 'algorithme RcAlgo\ndebut\nfin\n'
NOMS_AUXILIAIRES = re.compile(r'Rc[A-Z][a-z]*\d*\Z')


class CRecensement:
    def __init__(self, args, modele, compilateur):
        self.args = args
        self.compilateur = compilateur
        self.modele = modele
        self.prelude = ''.join(self.modele.prelude)

    def source(self, contexte, noms):
        """(source, nom de chaque ligne du source, nom de chaque unite produite)."""
        texte, lignes, unites = [], [], []
        for k, nom in enumerate(noms):
            for unite in CONTEXTES[contexte](nom, k):
                texte.append(unite)
                lignes += [nom] * unite.count('\n')
                unites.append(nom)
        texte.append(ALGORITHME)
        lignes += [None] * ALGORITHME.count('\n')
        return ''.join(texte), lignes, unites

    def proprietaires_cpp(self, sortie, unites):
        """Nom de chaque ligne du C++ : les unites sont produites dans l'ordre du source et
        finissent chacune par "    } // nom()" ; prelude, algorithme et main n'ont pas de nom."""
        if not sortie.startswith(self.prelude):
            raise RuntimeError('prelude du programme produit inattendu')
        lignes = sortie.splitlines()
        proprietaires = [None] * len(lignes)
        i, u = len(self.modele.prelude), 0
        debut = i
        while i < len(lignes) and u < len(unites):
            proprietaires[i] = unites[u]
            if re.fullmatch(r'    \} // \w+\(\)', lignes[i]):
                u += 1
            i += 1
        if u != len(unites):
            raise RuntimeError(f'{len(unites)} unites attendues apres la ligne {debut}, {u} lues')
        return proprietaires

    def compiler(self, texte, proprietaires):
        """Union des deux modes : (noms en echec, diagnostic non attribuable)."""
        cles, non_attribue = set(), False
        for mode in ne.MODES:
            c, na = self.compilateur.compiler(mode, texte, proprietaires)
            cles |= c
            non_attribue |= na
        return cles, non_attribue

    def traiter_lot(self, contexte, noms):
        """(refuses par Tramelo, acceptes dont le C++ ne compile pas en lot, acceptes valides)."""
        refuses, echecs, valides = set(), set(), set()
        a_faire = [list(noms)]
        while a_faire:
            reste = a_faire.pop()
            while reste:
                source, lignes, unites = self.source(contexte, reste)
                statut, sortie, erreur = ne.traduire(self.args.tramelo, source)
                if statut != 0:
                    m = re.match(r'Ligne +(\d+) - ', erreur)
                    ligne = int(m.group(1)) if m else 0
                    nom = lignes[ligne - 1] if 0 < ligne <= len(lignes) else None
                    if nom is None and len(reste) > 1:
                        a_faire += [reste[:len(reste) // 2], reste[len(reste) // 2:]]
                        break
                    nom = nom or reste[0]
                    refuses.add(nom)
                    reste.remove(nom)
                    continue
                cles, non_attribue = self.compiler(sortie, self.proprietaires_cpp(sortie, unites))
                if not cles and not non_attribue:
                    valides.update(reste)
                    break
                if not cles:
                    if len(reste) == 1:
                        echecs.update(reste)
                    else:
                        a_faire += [reste[:len(reste) // 2], reste[len(reste) // 2:]]
                    break
                echecs |= cles
                reste = [n for n in reste if n not in cles]
        return refuses, echecs, valides

    def confirmer(self, contexte, nom):
        """Le nom seul : Tramelo l'accepte-t-il, et son C++ ne compile-t-il pas ?"""
        if contexte == 'algorithme':
            statut, sortie, _ = ne.traduire(self.args.tramelo, f'algorithme {nom}\ndebut\nfin\n')
        else:
            statut, sortie, _ = ne.traduire(self.args.tramelo, self.source(contexte, [nom])[0])
        if statut != 0:
            return False
        return bool(self.compiler(sortie, [nom] * sortie.count('\n'))[0])

    def contexte_algorithme(self, candidats, executeur):
        """Un source par nom ; le C++ des noms acceptes est compile par lots (CModeleAlgo)."""
        def traduire(nom):
            return nom, ne.traduire(self.args.tramelo, f'algorithme {nom}\ndebut\nfin\n')
        refuses, acceptes, a_part = set(), [], []
        for nom, (statut, sortie, _) in executeur.map(traduire, candidats):
            if statut != 0:
                refuses.add(nom)
            elif sortie == self.modele.programme(nom):
                acceptes.append(nom)
            else:
                a_part.append(nom)     # sortie inattendue : compilee seule
        echecs = set()
        for mode in ne.MODES:
            def compiler_lot(texte, proprietaires, mode=mode):
                return self.compilateur.compiler(mode, texte, proprietaires)
            echecs |= ne.echecs_par_lots(acceptes, self.modele.lot, compiler_lot,
                                         self.args.taille_lot, self.args.jobs)
        echecs |= set(a_part)          # confirmes un par un ensuite
        return refuses, echecs, set(acceptes) - echecs

    def lancer(self, candidats, contextes):
        resultats = {}
        with concurrent.futures.ThreadPoolExecutor(max_workers=self.args.jobs) as executeur:
            for contexte in contextes:
                debut = time.time()
                if contexte == 'algorithme':
                    refuses, echecs, valides = self.contexte_algorithme(candidats, executeur)
                else:
                    lots = [candidats[i:i + self.args.taille_lot]
                            for i in range(0, len(candidats), self.args.taille_lot)]
                    refuses, echecs, valides = set(), set(), set()
                    for r, e, v in executeur.map(lambda l, c=contexte: self.traiter_lot(c, l),
                                                 lots):
                        refuses |= r
                        echecs |= e
                        valides |= v
                confirmes = sorted(n for n in echecs if self.confirmer(contexte, n))
                resultats[contexte] = (refuses, confirmes)
                lot_seul = sorted(set(echecs) - set(confirmes))
                print(f'{contexte:18} {len(refuses):5} refuses {len(valides) + len(lot_seul):5} '
                      f'compilent {len(confirmes):5} ne compilent pas'
                      f'   ({time.time() - debut:.0f} s)', flush=True)
                if confirmes:
                    print('    ' + ' '.join(confirmes))
                if lot_seul:
                    print(f'    en lot seulement (compilent seuls) : {" ".join(lot_seul)}')
        return resultats


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--tramelo', required=True)
    parser.add_argument('--cxx', default=os.environ.get('CXX', 'g++'))
    parser.add_argument('--entetes', default=','.join(ne.ENTETES_PRELUDE),
                        type=lambda s: s.split(','))
    parser.add_argument('--contextes', default='algorithme,' + ','.join(CONTEXTES),
                        type=lambda s: s.split(','))
    parser.add_argument('--taille-lot', type=int, default=120)
    parser.add_argument('--jobs', type=int, default=2)
    args = parser.parse_args()
    inconnus = [c for c in args.contextes if c != 'algorithme' and c not in CONTEXTES]
    if inconnus:
        parser.error(f'contexte inconnu : {", ".join(inconnus)}')

    debut = time.time()
    candidats = sorted(ne.macros(args.cxx, args.entetes)
                       | ne.identificateurs(args.cxx, args.entetes)
                       | set(ne.NOMS_SUPPLEMENTAIRES))
    auxiliaires = [n for n in candidats if NOMS_AUXILIAIRES.match(n)]
    if auxiliaires:
        raise SystemExit(f'noms auxiliaires du recensement presents dans les en-tetes : {auxiliaires}')
    print(f'{len(candidats)} noms candidats, {len(args.contextes)} contextes, '
          f'{" et ".join(ne.nom_mode(m) for m in ne.MODES)}', flush=True)
    modele = ne.CModeleAlgo(args.tramelo)
    ne.avertir_entetes(modele, args.entetes)
    with ne.CCompilateur(args.cxx, modele.entetes) as compilateur:
        resultats = CRecensement(args, modele, compilateur).lancer(candidats, args.contextes)
    total = sum(len(confirmes) for _, confirmes in resultats.values())

    # Les deux noms qui compilaient mais changeaient de sens : doivent etre refuses.
    sens = [(c, n) for c, n in (('procedure', 'errno'), ('constante', 'alloca'))
            if c in resultats and n not in resultats[c][0]]
    for contexte, nom in sens:
        print(f'{nom} accepte comme {contexte} : le programme change de sens')
    print(f'{total} nom(s) acceptes dont le C++ ne compile pas ({time.time() - debut:.0f} s)')
    return 1 if total or sens else 0


if __name__ == '__main__':
    sys.exit(main())
