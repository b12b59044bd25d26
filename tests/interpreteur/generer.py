#!/usr/bin/env python3
"""Programmes .algo valides tires au hasard, avec leur entree, pour comparer l'interpreteur au
programme compile du profil verifie (tests/interpreteur/aleatoires.sh).

Chaque programme melange les constructions du langage : types simples, chaines et tableaux,
procedures et fonctions (in, out, in_out, recursion bornee), boucles qui finissent, si,
saisies, procedures et fonctions standard, et de temps en temps une erreur d'execution
(division par zero, indice hors du tableau, depassement, saisie invalide). Les boucles sont
bornees par des compteurs : un programme finit toujours (ou s'arrete sur une erreur).

    generer.py GRAINE DOSSIER [NOMBRE]   ecrit DOSSIER/gNNNN.algo et DOSSIER/gNNNN.in
"""
import random
import sys
from pathlib import Path

SIMPLES = ['entier', 'entier_naturel', 'reel', 'booleen', 'caractere', 'string']
NUMERIQUES = ['entier', 'entier_naturel', 'reel']


class Portee:
    def __init__(self, parent=None):
        self.parent = parent
        self.noms = []          # (nom, type, genre) ; genre : var, tab, boucle, param_in, param_ref, const

    def tous(self):
        p, r = self, []
        while p is not None:
            r.extend(p.noms)
            p = p.parent
        return r


class Generateur:
    def __init__(self, alea):
        self.a = alea
        self.n = 0
        self.lignes = []
        self.entree = []
        self.fonctions = []     # (nom, [(type, mode)], type de retour, recursive)
        self.procedures = []
        self.profondeur = 0
        self.dans_boucle = 0
        self.budget = 0
        # Directement dans le corps d'un repeter, jusqua fermerait le corps : pas de boucle jusqua.
        self.corps_repeter = False

    def nom(self, prefixe):
        self.n += 1
        return '%s%d' % (prefixe, self.n)

    def ecrire(self, texte):
        self.lignes.append('    ' * self.profondeur + texte)

    # --- Expressions -----------------------------------------------------------------------

    def variables(self, portee, type_voulu, lisibles=True):
        r = []
        for nom, t, genre in portee.tous():
            if t == type_voulu and genre != 'tab':
                r.append(nom)
        return r

    def tableaux(self, portee, elem=None):
        return [(nom, t) for nom, t, genre in portee.tous() if genre == 'tab' and (elem is None or t == elem)]

    def indice(self, portee, nom_tab, chaine=False):
        a = self.a
        if a.random() < 0.06:
            return self.entier(portee, 1)  # peut sortir du tableau
        # Un indice dans le tableau s'il n'est pas vide : ((e mod n) + n) mod n.
        taille = 'taille (%s)' % nom_tab
        e = self.entier(portee, 1)
        return 'modulo (modulo (%s, %s) + %s, %s)' % (e, taille, taille, taille)

    def litteral_entier(self):
        a = self.a
        r = a.random()
        if r < 0.7:
            return str(a.randint(0, 20))
        if r < 0.85:
            return str(a.randint(0, 2147483647))
        return str(a.choice([0, 1, 2, 100, 1000, 65535, 2147483647]))

    def entier(self, portee, prof, naturel=False):
        """Une expression de type entier ou entier_naturel."""
        a = self.a
        if prof <= 0 or a.random() < 0.3:
            choix = a.random()
            vs = self.variables(portee, 'entier_naturel' if naturel else 'entier') + \
                (self.variables(portee, 'entier_naturel') if not naturel else [])
            vs += [nom for nom, t, g in portee.tous() if g == 'boucle' and not naturel]
            if choix < 0.5 and vs:
                return a.choice(vs)
            return self.litteral_entier()
        r = a.random()
        if r < 0.45:
            op = a.choice(['+', '-', '*', '+', '-', '/'])
            droite = self.entier(portee, prof - 1, naturel)
            if op == '/' and a.random() < 0.8:
                droite = str(a.randint(1, 9))
            return '%s %s %s' % (self.entier(portee, prof - 1, naturel), op, droite)
        if r < 0.55 and not naturel:
            return '-%s' % self.facteur_entier(portee, prof - 1)
        if r < 0.62:
            droite = self.entier(portee, prof - 1) if a.random() < 0.15 else str(a.randint(1, 9))
            return 'modulo (%s, %s)' % (self.entier(portee, prof - 1), droite)
        if r < 0.70:
            ts = self.tableaux(portee)
            chs = self.variables(portee, 'string')
            if ts and a.random() < 0.6:
                return 'taille (%s)' % a.choice(ts)[0]
            if chs:
                return 'taille (%s)' % a.choice(chs)
            return 'taille ("%s")' % a.choice(['', 'abc', 'x y'])
        if r < 0.75:
            return 'rang (%s)' % self.caractere(portee, prof - 1)
        if r < 0.85:
            ts = self.tableaux(portee, 'entier_naturel' if naturel else a.choice(['entier', 'entier_naturel']))
            if ts:
                nom = a.choice(ts)[0]
                return '%s[%s]' % (nom, self.indice(portee, nom))
        if r < 0.93:
            f = self.appel(portee, 'entier_naturel' if naturel else a.choice(['entier', 'entier_naturel']), prof - 1)
            if f:
                return f
        return '(%s)' % self.entier(portee, prof - 1, naturel)

    def facteur_entier(self, portee, prof):
        e = self.entier(portee, prof)
        return e if e.isdigit() or e.isidentifier() else '(%s)' % e

    def reel(self, portee, prof):
        a = self.a
        if prof <= 0 or a.random() < 0.3:
            vs = self.variables(portee, 'reel')
            if vs and a.random() < 0.6:
                return a.choice(vs)
            return a.choice(['0.5', '2.5', '3.14159', '1e3', '0.1', '1.5e-3', '7.25', '100.125', '1e20'])
        r = a.random()
        if r < 0.5:
            op = a.choice(['+', '-', '*', '/'])
            g = self.reel(portee, prof - 1) if a.random() < 0.7 else self.entier(portee, prof - 1)
            return '%s %s %s' % (g, op, self.reel(portee, prof - 1))
        if r < 0.6:
            return '-%s' % self.facteur_reel(portee, prof - 1)
        if r < 0.75:
            ts = self.tableaux(portee, 'reel')
            if ts:
                nom = a.choice(ts)[0]
                return '%s[%s]' % (nom, self.indice(portee, nom))
        if r < 0.85:
            f = self.appel(portee, 'reel', prof - 1)
            if f:
                return f
        return '(%s)' % self.reel(portee, prof - 1)

    def facteur_reel(self, portee, prof):
        e = self.reel(portee, prof)
        return e if e.isidentifier() else '(%s)' % e

    def numerique(self, portee, t, prof):
        if t == 'reel':
            return self.reel(portee, prof) if self.a.random() < 0.8 else self.entier(portee, prof)
        if t == 'entier_naturel':
            return self.entier(portee, prof, naturel=self.a.random() < 0.7)
        return self.entier(portee, prof) if self.a.random() < 0.85 else self.reel(portee, prof)

    def caractere(self, portee, prof):
        a = self.a
        r = a.random()
        if prof <= 0 or r < 0.35:
            vs = self.variables(portee, 'caractere')
            if vs and a.random() < 0.5:
                return a.choice(vs)
            return a.choice(["'a'", "'Z'", "'0'", "' '", "'\\n'", "'e'", "'\\t'", "'~'", "'\\\\'"])
        if r < 0.55:
            chs = self.variables(portee, 'string')
            if chs:
                s = a.choice(chs)
                return '%s[%s]' % (s, self.indice(portee, s, chaine=False))
        if r < 0.8:
            f = a.choice(['succ', 'pred', 'toupper', 'tolower'])
            return '%s (%s)' % (f, self.caractere(portee, prof - 1))
        ts = self.tableaux(portee, 'caractere')
        if ts:
            nom = a.choice(ts)[0]
            return '%s[%s]' % (nom, self.indice(portee, nom))
        f = self.appel(portee, 'caractere', prof - 1)
        return f or "'q'"

    def chaine(self, portee, prof):
        a = self.a
        r = a.random()
        if prof <= 0 or r < 0.3:
            vs = self.variables(portee, 'string')
            if vs and a.random() < 0.6:
                return a.choice(vs)
            return a.choice(['""', '"abc"', '"Bonjour "', '"x"', '"a\\tb"', '"é"', '"fin\\n"'])
        if r < 0.7:
            termes = [self.chaine(portee, 0)]
            for _ in range(a.randint(1, 3)):
                termes.append(self.chaine(portee, prof - 1) if a.random() < 0.5 else self.caractere(portee, prof - 1))
            return ' + '.join(termes)
        if r < 0.8:
            ts = self.tableaux(portee, 'string')
            if ts:
                nom = a.choice(ts)[0]
                return '%s[%s]' % (nom, self.indice(portee, nom))
        f = self.appel(portee, 'string', prof - 1)
        return f or '"z"'

    def booleen(self, portee, prof):
        a = self.a
        r = a.random()
        if prof <= 0 or r < 0.2:
            vs = self.variables(portee, 'booleen')
            if vs and a.random() < 0.6:
                return a.choice(vs)
            return a.choice(['vrai', 'faux'])
        if r < 0.55:
            t = a.choice(['entier', 'reel', 'caractere', 'string', 'entier_naturel'])
            op = a.choice(['vaut', 'ne_vaut_pas', '<', '<=', '>', '>='])
            if t == 'caractere':
                return '%s %s %s' % (self.caractere(portee, prof - 1), op, self.caractere(portee, prof - 1))
            if t == 'string':
                return '%s %s %s' % (self.chaine(portee, prof - 1), op, self.chaine(portee, prof - 1))
            return '%s %s %s' % (self.numerique(portee, t, prof - 1), op, self.numerique(portee, t, prof - 1))
        if r < 0.7:
            termes = [self.terme_booleen(portee, prof - 1) for _ in range(a.randint(2, 4))]
            ops = [a.choice(['ET', 'OU', 'ET_ALORS', 'OU_SINON']) for _ in range(len(termes) - 1)]
            texte = termes[0]
            for op, t in zip(ops, termes[1:]):
                texte += ' %s %s' % (op, t)
            return texte
        if r < 0.8:
            return 'NON %s' % self.facteur_booleen(portee, prof - 1)
        if r < 0.87:
            return '%s vaut (%s)' % (self.facteur_booleen(portee, prof - 1), self.booleen(portee, prof - 1))
        if r < 0.93:
            ts = self.tableaux(portee, 'booleen')
            if ts:
                nom = a.choice(ts)[0]
                return '%s[%s]' % (nom, self.indice(portee, nom))
        f = self.appel(portee, 'booleen', prof - 1)
        return f or '(%s)' % self.booleen(portee, prof - 1)

    def terme_booleen(self, portee, prof):
        e = self.booleen(portee, prof)
        if ' ET' in e or ' OU' in e:
            return '(%s)' % e
        return e

    def facteur_booleen(self, portee, prof):
        e = self.booleen(portee, prof)
        return e if e.isidentifier() else '(%s)' % e

    def expression(self, portee, t, prof):
        if t in NUMERIQUES:
            return self.numerique(portee, t, prof)
        return {'booleen': self.booleen, 'caractere': self.caractere, 'string': self.chaine}[t](portee, prof)

    def appel(self, portee, t, prof):
        """Un appel d'une fonction deja ecrite qui rend t (ses parametres sont in)."""
        cands = [f for f in self.fonctions if f[2] == t]
        if not cands or prof < 0 or self.a.random() < 0.4:
            return None
        nom, params, _, recursive = self.a.choice(cands)
        args = []
        for (pt, mode) in params:
            if recursive and not args:
                args.append(str(self.a.randint(0, 6)))
            else:
                args.append(self.expression(portee, pt, min(prof, 1)))
        return '%s (%s)' % (nom, ', '.join(args)) if args else nom

    # --- Instructions ----------------------------------------------------------------------

    def declarer(self, portee):
        a = self.a
        r = a.random()
        nom = self.nom('v')
        if r < 0.75:
            t = a.choice(SIMPLES)
            if t == 'string' and a.random() < 0.2:
                self.ecrire('declarer %s : string_de %d;' % (nom, a.randint(0, 5)))
            else:
                self.ecrire('declarer %s : %s;' % (nom, t))
            portee.noms.append((nom, t, 'var'))
        elif r < 0.85:
            t = a.choice(['entier', 'entier_naturel', 'reel', 'caractere', 'string', 'booleen'])
            self.ecrire('declarer %s : constante %s <- %s;' % (nom, t, self.expression(portee, t, 1)))
            portee.noms.append((nom, t, 'const'))
        else:
            t = a.choice(SIMPLES)
            taille = '' if a.random() < 0.1 else '%d ' % a.randint(1, 6)
            self.ecrire('declarer %s : tableau_de %s%s;' % (nom, taille, t))
            portee.noms.append((nom, t, 'tab'))

    def modifiables(self, portee):
        return [(n, t) for n, t, g in portee.tous() if g in ('var', 'param_ref', 'param_in')]

    def affecter(self, portee):
        a = self.a
        cibles = self.modifiables(portee)
        tabs = self.tableaux(portee)
        if tabs and (not cibles or a.random() < 0.3):
            nom, t = a.choice(tabs)
            self.ecrire('%s[%s] <- %s;' % (nom, self.indice(portee, nom), self.expression(portee, t, 2)))
            return
        if not cibles:
            return
        nom, t = a.choice(cibles)
        if t == 'string' and a.random() < 0.2:
            self.ecrire('%s[%s] <- %s;' % (nom, self.indice(portee, nom), self.caractere(portee, 1)))
            return
        self.ecrire('%s <- %s;' % (nom, self.expression(portee, t, 3)))

    def afficher(self, portee):
        a = self.a
        vals = []
        for _ in range(a.randint(1, 4)):
            t = a.choice(SIMPLES)
            vals.append(self.expression(portee, t, 2))
        self.ecrire('afficher (%s);' % ', '.join(vals))
        if a.random() < 0.6:
            self.ecrire('ligne_suivante;')

    def saisir(self, portee):
        a = self.a
        vs = [(n, t) for n, t, g in portee.tous() if g == 'var']
        if not vs:
            return
        nom, t = a.choice(vs)
        self.ecrire('saisir (%s);' % nom)
        r = a.random()
        if t == 'entier':
            v = str(a.randint(-50, 50)) if r < 0.95 else a.choice(['dix', '3.5', '99999999999999999999'])
        elif t == 'entier_naturel':
            v = str(a.randint(0, 50)) if r < 0.95 else '-2'
        elif t == 'reel':
            v = a.choice(['1.5', '-2.25', '1e3', '0', '3']) if r < 0.95 else '12,5'
        elif t == 'booleen':
            v = a.choice(['0', '1']) if r < 0.95 else 'oui'
        elif t == 'caractere':
            v = a.choice(['x', 'A', ' ', '7'])
        else:
            v = a.choice(['bonjour', '', 'deux mots', 'é'])
        if t == 'caractere':
            self.entree.append(v + '\n')
            self.ecrire('saisir (%s);' % nom) if False else None
        else:
            self.entree.append(v + ' ' * a.randint(0, 1) + '\n')
        if r > 0.995:
            self.entree.append(None)  # fin de l'entree ici

    def redimension(self, portee):
        a = self.a
        cands = self.tableaux(portee) + [(n, t) for n, t in self.modifiables(portee) if t == 'string']
        if not cands:
            return
        nom, _ = a.choice(cands)
        mot = a.choice(['allonger', 'redimensionner'])
        n = a.choice([str(a.randint(1, 4)), 'taille (%s)' % nom])
        self.ecrire('%s (%s, %s);' % (mot, nom, n))

    def appel_procedure(self, portee):
        a = self.a
        if not self.procedures:
            return
        nom, params = a.choice(self.procedures)
        args = []
        for (t, mode) in params:
            if mode == 'in':
                if t.startswith('tableau_de'):
                    ts = self.tableaux(portee, t.split()[1])
                    if not ts:
                        return
                    args.append(a.choice(ts)[0])
                else:
                    args.append(self.expression(portee, t, 1))
            else:
                if t.startswith('tableau_de'):
                    ts = self.tableaux(portee, t.split()[1])
                    if not ts:
                        return
                    args.append(a.choice(ts)[0])
                    continue
                vs = [n for n, tt, g in portee.tous() if tt == t and g in ('var', 'param_ref')]
                elems = [n for n, tt in self.tableaux(portee, t) if t != 'booleen']
                if elems and (not vs or a.random() < 0.3):
                    n = a.choice(elems)
                    args.append('%s[%s]' % (n, self.indice(portee, n)))
                elif vs:
                    args.append(a.choice(vs))
                else:
                    return
        self.ecrire('%s%s;' % (nom, ' (%s)' % ', '.join(args) if args else ''))

    def bloc(self, portee, n):
        p = Portee(portee)
        self.profondeur += 1
        avant, self.corps_repeter = self.corps_repeter, False
        for _ in range(n):
            self.instruction(p)
        self.corps_repeter = avant
        self.profondeur -= 1

    def instruction(self, portee):
        a = self.a
        self.budget -= 1
        r = a.random()
        structure = self.budget > 0 and self.profondeur < 5
        if r < 0.15:
            self.declarer(portee)
        elif r < 0.4:
            self.affecter(portee)
        elif r < 0.55:
            self.afficher(portee)
        elif r < 0.6:
            self.saisir(portee)
        elif r < 0.65:
            self.redimension(portee)
        elif r < 0.72:
            self.appel_procedure(portee)
        elif not structure:
            self.affecter(portee)
        elif r < 0.8:
            self.ecrire('si (%s)' % self.booleen(portee, 2))
            self.bloc(portee, a.randint(1, 3))
            while a.random() < 0.3:
                self.ecrire('sinon_si (%s)' % self.booleen(portee, 2))
                self.bloc(portee, a.randint(1, 2))
            if a.random() < 0.5:
                self.ecrire('sinon')
                self.bloc(portee, a.randint(1, 2))
            self.ecrire('fsi')
        elif r < 0.86:
            var = self.nom('i')
            d, f = a.randint(-2, 3), a.randint(-1, 5)
            desc = ' descendant' if a.random() < 0.2 else ''
            if desc:
                d, f = f, d
            self.ecrire('pour (%s variant_de %s a %s%s) faire' % (var, d, f, desc))
            p = Portee(portee)
            p.noms.append((var, 'entier', 'boucle'))
            self.boucle_corps(p, False)
            self.ecrire('ffaire')
        elif r < 0.92:
            # Une boucle bornee par un compteur qui avance toujours.
            c = self.nom('c')
            self.ecrire('declarer %s : entier;' % c)
            self.ecrire('%s <- 0;' % c)
            mot = a.choice(['tant_que', 'repeter', 'boucle'] + ([] if self.corps_repeter else ['jusqua']))
            borne = a.randint(0, 4)
            if mot == 'tant_que':
                self.ecrire('tant_que (%s < %d) faire' % (c, borne))
            elif mot == 'jusqua':
                self.ecrire('jusqua (%s >= %d) faire' % (c, borne))
            else:
                self.ecrire(mot)
            self.profondeur += 1
            self.ecrire('%s <- %s + 1;' % (c, c))
            if mot == 'boucle':
                self.ecrire('si (%s > %d) sortie;' % (c, borne))
            self.profondeur -= 1
            self.boucle_corps(portee, mot == 'repeter')
            if mot == 'repeter':
                self.ecrire('jusqua (%s >= %d)' % (c, borne))
            elif mot == 'boucle':
                self.ecrire('fboucle')
            else:
                self.ecrire('ffaire')
        else:
            self.afficher(portee)

    def boucle_corps(self, portee, repeter):
        self.dans_boucle += 1
        p = Portee(portee)
        self.profondeur += 1
        avant, self.corps_repeter = self.corps_repeter, repeter
        for _ in range(self.a.randint(1, 3)):
            if self.a.random() < 0.15:
                self.ecrire('si (%s) %s;' % (self.booleen(p, 1), self.a.choice(['sortie', 'continue'])))
            else:
                self.instruction(p)
        self.corps_repeter = avant
        self.profondeur -= 1
        self.dans_boucle -= 1

    # --- Unites ----------------------------------------------------------------------------

    def fonction(self):
        a = self.a
        nom = self.nom('F')
        t = a.choice(SIMPLES)
        recursive = a.random() < 0.3
        params = [('entier', 'in')] if recursive else []
        for _ in range(a.randint(0 if not recursive else 0, 2)):
            params.append((a.choice(SIMPLES), 'in'))
        noms = [self.nom('p') for _ in params]
        entete = ', '.join('%s : in %s' % (n, pt) for n, (pt, _) in zip(noms, params))
        self.ecrire('fonction %s%s renvoie %s' % (nom, ' (%s)' % entete if params else '', t))
        self.ecrire('debut')
        portee = Portee()
        for i, (n, (pt, _)) in enumerate(zip(noms, params)):
            # Le compteur d'une fonction recursive n'est jamais modifie : la recursion finit.
            portee.noms.append((n, pt, 'const' if recursive and i == 0 else 'param_in'))
        self.profondeur += 1
        if recursive:
            self.ecrire('si (%s <= 0) renvoie %s;' % (noms[0], self.expression(portee, t, 1)))
            self.budget = 3
            for _ in range(a.randint(0, 2)):
                self.instruction(portee)
            autres = [self.expression(portee, pt, 1) for pt, _ in params[1:]]
            appel = '%s (%s)' % (nom, ', '.join(['%s - 1' % noms[0]] + autres))
            if t in ('entier', 'reel'):
                self.ecrire('renvoie %s + %s;' % (appel, self.expression(portee, t, 1)))
            elif t == 'string':
                self.ecrire('renvoie %s + %s;' % (appel, self.chaine(portee, 0)))
            else:
                self.ecrire('renvoie %s;' % appel)
        else:
            self.budget = 4
            for _ in range(a.randint(0, 3)):
                self.instruction(portee)
            self.ecrire('renvoie %s;' % self.expression(portee, t, 2))
        self.profondeur -= 1
        self.ecrire('fin')
        self.ecrire('')
        self.fonctions.append((nom, params, t, recursive))

    def procedure(self):
        a = self.a
        nom = self.nom('P')
        params = []
        for _ in range(a.randint(0, 3)):
            mode = a.choice(['in', 'out', 'in_out'])
            t = a.choice(SIMPLES) if a.random() < 0.8 else 'tableau_de ' + a.choice(SIMPLES)
            params.append((t, mode))
        noms = [self.nom('q') for _ in params]
        entete = ', '.join('%s : %s %s' % (n, m, pt) for n, (pt, m) in zip(noms, params))
        self.ecrire('procedure %s%s' % (nom, ' (%s)' % entete if params else ''))
        self.ecrire('debut')
        portee = Portee()
        for n, (pt, m) in zip(noms, params):
            if pt.startswith('tableau_de'):
                portee.noms.append((n, pt.split()[1], 'tab'))
            else:
                portee.noms.append((n, pt, 'param_in' if m == 'in' else 'param_ref'))
        self.profondeur += 1
        self.budget = 5
        for _ in range(a.randint(1, 4)):
            self.instruction(portee)
        self.profondeur -= 1
        self.ecrire('fin')
        self.ecrire('')
        self.procedures.append((nom, params))

    def programme(self):
        a = self.a
        for _ in range(a.randint(0, 3)):
            if a.random() < 0.5:
                self.fonction()
            else:
                self.procedure()
        self.ecrire('algorithme %s' % self.nom('A'))
        self.ecrire('debut')
        portee = Portee()
        self.profondeur = 1
        for _ in range(a.randint(2, 5)):
            self.declarer(portee)
        self.budget = a.randint(10, 30)
        while self.budget > 0:
            self.instruction(portee)
        self.profondeur = 0
        self.ecrire('fin')
        entree = ''
        for e in self.entree:
            if e is None:
                break
            entree += e
        return '\n'.join(self.lignes) + '\n', entree


def generer(graine):
    return Generateur(random.Random(graine)).programme()


if __name__ == '__main__':
    graine = int(sys.argv[1])
    dossier = Path(sys.argv[2])
    nombre = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    dossier.mkdir(parents=True, exist_ok=True)
    for i in range(nombre):
        source, entree = generer(graine * 100003 + i)
        (dossier / ('g%04d.algo' % i)).write_text(source)
        (dossier / ('g%04d.in' % i)).write_text(entree)
