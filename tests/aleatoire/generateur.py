#!/usr/bin/env python3
"""Programmes .algo tires au hasard, valides, avec leur entree : de quoi comparer deux facons
d'executer le meme source (les deux profils du C++ produit, plus tard un interpreteur).

Chaque programme est entierement determine par sa graine. Il melange entier, entier_naturel,
reel et nombres ecrits dans le source ; tableaux (dont un sans dimension qu'on allonge), chaine,
fonctions pures, procedures a parametres in_out (dont un tableau et un de ses elements),
boucles bornees et conditions. Les valeurs sont surtout petites, parfois extremes (bornes des
types, elements jamais remplis), pour que beaucoup de programmes aillent au bout et que les
autres s'arretent sur des fautes variees.

Utilisation comme module :
    import generateur
    source, entree = generateur.generer(graine)

En ligne de commande : ecrit PREFIXE_NNNN.algo et PREFIXE_NNNN.in dans le dossier de sortie.
    generateur.py --graine 1 --nombre 100 --sortie DOSSIER [--prefixe prog]
"""
import argparse
import os
import random

# Valeurs saisies : surtout petites, parfois aux bornes des types.
ENTIERS_SAISIS = [0, 1, 2, 3, 5, 7, -1, -3, -8, 10, 100, 1000, 65536, 2147483647, -2147483648,
                  4611686018427387904, 9223372036854775807, -9223372036854775808]
NATURELS_SAISIS = [9, 10, 25, 100, 3, 0, 1, 65536, 4294967296, 9223372036854775808,
                   18446744073709551615]
REELS_SAISIS = ['0', '1', '2.5', '-3.25', '0.001', '1e10', '-1e300', '1e308']
MOTS_SAISIS = ['abc', '', 'bonjour', 'x', 'quatorze caracteres ici']

# Nombres ecrits dans le source : des int en C++ (sauf ceux qui ne tiennent pas sur 32 bits).
LITTERAUX_ENTIERS = [0, 1, 2, 3, 4, 5, 7, 10, 12, 100, 255, 1000, 65536, 46341, 2147483647]
LITTERAUX_REELS = ['0.5', '1.5', '2.25', '0.001', '1e10', '1e300', '2.5e-5', '3000000000']


class Generateur:
    def __init__(self, graine):
        self.a = random.Random(graine)
        self.entree = []
        self.boucles = []          # variables des pour ouverts
        self.nb_pour = 0
        self.nb_tant_que = 0
        self.profondeur_instr = 0
        self.lignes = []

    # --- Outils ---

    def choix(self, *options):
        return self.a.choice(options)

    def proba(self, p):
        return self.a.random() < p

    def ecrire(self, texte):
        self.lignes.append('    ' * (1 + self.profondeur_instr) + texte)

    # --- Expressions ---

    def litteral_entier(self):
        if self.proba(0.9):
            return str(self.a.choice(LITTERAUX_ENTIERS[:9]))
        return str(self.a.choice(LITTERAUX_ENTIERS))

    def indice(self, tableau):
        """Un indice : le plus souvent valide, parfois au bord ou au-dela."""
        r = self.a.random()
        if r < 0.6:
            return str(self.a.randrange(3))
        if r < 0.72 and self.boucles:
            return self.a.choice(self.boucles)
        if r < 0.8:
            return 'taille (%s) - 1' % tableau
        if r < 0.9:
            return 'modulo (%s, 3)' % self.choix('n', 'm', 'a')
        return self.entier(1)

    def entier(self, p):
        """Une expression entiere (entier ou entier_naturel, melanges)."""
        if p <= 0 or self.proba(0.35):
            return self.feuille_entiere()
        r = self.a.random()
        if r < 0.55:
            op = self.choix('+', '-', '*', '+', '-', '/')
            return '%s %s %s' % (self.entier(p - 1), op, self.terme(p - 1))
        if r < 0.65:
            return '-%s' % self.facteur(p - 1)
        if r < 0.75:
            return 'modulo (%s, %s)' % (self.entier(p - 1), self.entier(p - 1))
        if r < 0.85:
            return 'Fe (%s, %s)' % (self.entier(p - 1), self.entier(p - 1))
        if r < 0.92:
            return 'Fn (%s)' % self.naturel(p - 1)
        return '(%s)' % self.entier(p - 1)

    def terme(self, p):
        """Un operande droit : une feuille ou une expression entre parentheses."""
        if p <= 0 or self.proba(0.6):
            return self.feuille_entiere()
        return '(%s)' % self.entier(p - 1)

    def facteur(self, p):
        if p <= 0 or self.proba(0.6):
            return self.feuille_entiere()
        return '(%s)' % self.entier(p - 1)

    def feuille_entiere(self):
        r = self.a.random()
        if r < 0.25:
            return self.litteral_entier()
        if r < 0.45:
            return self.choix('a', 'b', 'c')
        if r < 0.6:
            return self.choix('n', 'm')
        if r < 0.66 and self.boucles:
            return self.a.choice(self.boucles)
        if r < 0.74:
            return 't[%s]' % self.indice('t')
        if r < 0.8:
            return 'u[%s]' % self.indice('u')
        if r < 0.87:
            return 'taille (%s)' % self.choix('t', 'u', 'w', 's')
        if r < 0.9:
            return 'rang (s[%s])' % self.indice('s')
        if r < 0.93:
            return 'Rec (%s)' % self.choix('3', '5', 'a', 'modulo (n, 10)')
        return 'K'

    def naturel(self, p):
        """Une expression de type entier_naturel (pour allonger, redimensionner)."""
        if p <= 0 or self.proba(0.5):
            return self.choix('n', 'm', '1', '2', '3', 'taille (t)', 'taille (s)', 'u[%s]' % self.indice('u'),
                              'Fn (%s)' % self.choix('n', '2'))
        return '%s %s %s' % (self.naturel(p - 1), self.choix('+', '-', '*', '/'), self.naturel(p - 1))

    def petit_naturel(self):
        """Une longueur raisonnable pour allonger : jamais des milliards d'elements."""
        return self.choix('1', '2', '3', 'modulo (n, 4)', 'modulo (m, 3)', 'taille (s)')

    def reel(self, p):
        if p <= 0 or self.proba(0.35):
            r = self.a.random()
            if r < 0.35:
                return self.choix('x', 'y')
            if r < 0.6:
                return self.a.choice(LITTERAUX_REELS)
            if r < 0.7:
                return 'r[%s]' % self.indice('r')
            if r < 0.8:
                return 'Fr (%s, %s)' % (self.reel(0), self.entier(0))
            return self.feuille_entiere()
        r = self.a.random()
        if r < 0.7:
            return '%s %s %s' % (self.reel(p - 1), self.choix('+', '-', '*', '/'), self.facteur_reel(p - 1))
        if r < 0.8:
            return '-%s' % self.facteur_reel(p - 1)
        return '(%s)' % self.reel(p - 1)

    def facteur_reel(self, p):
        if p <= 0 or self.proba(0.6):
            return self.choix('x', 'y', '1.5', '0.25', '1e300', self.feuille_entiere())
        return '(%s)' % self.reel(p - 1)

    def condition(self, p):
        r = self.a.random()
        if p > 0 and r < 0.15:
            return '(%s) %s (%s)' % (self.condition(p - 1), self.choix('ET', 'OU', 'ET_ALORS', 'OU_SINON'),
                                     self.condition(p - 1))
        if p > 0 and r < 0.2:
            return 'NON (%s)' % self.condition(p - 1)
        if r < 0.25:
            return 'ok'
        comparateur = self.choix('<', '<=', '>', '>=', 'vaut', 'ne_vaut_pas')
        if r < 0.85:
            return '%s %s %s' % (self.entier(1), comparateur, self.entier(1))
        return '%s %s %s' % (self.reel(1), comparateur, self.reel(1))

    def chaine(self):
        r = self.a.random()
        if r < 0.4:
            return 's + "%s"' % self.choix('ab', '-', 'xyz')
        if r < 0.6:
            return '"%s" + s' % self.choix('a', 'debut ')
        if r < 0.75:
            return 's + s[%s]' % self.indice('s')
        if r < 0.85:
            return '"%s"' % self.choix('', 'z', 'court', 'une chaine longue de plus de seize')
        return 's + s'

    # --- Instructions ---

    def instruction(self, p):
        r = self.a.random()
        if r < 0.16:
            self.ecrire('%s <- %s;' % (self.choix('a', 'b', 'c'), self.entier(2) if self.proba(0.85) else self.reel(1)))
        elif r < 0.24:
            self.ecrire('%s <- %s;' % (self.choix('n', 'm'), self.entier(2) if self.proba(0.6) else self.naturel(2)))
        elif r < 0.3:
            self.ecrire('%s <- %s;' % (self.choix('x', 'y'), self.reel(2)))
        elif r < 0.36:
            self.ecrire('t[%s] <- %s;' % (self.indice('t'), self.entier(2)))
        elif r < 0.39:
            self.ecrire('u[%s] <- %s;' % (self.indice('u'), self.entier(1)))
        elif r < 0.42:
            self.ecrire('r[%s] <- %s;' % (self.indice('r'), self.reel(1)))
        elif r < 0.54:
            valeurs = [self.choix(self.entier(2), self.entier(1), self.reel(1), 's', 'taille (w)')
                       for _ in range(self.a.randrange(1, 3))]
            self.ecrire('afficher (%s);' % ', " ", '.join(valeurs))
            self.ecrire('ligne_suivante;')
        elif r < 0.58:
            self.ecrire('ok <- %s;' % self.condition(1))
        elif r < 0.63:
            self.ecrire('s <- %s;' % self.chaine())
        elif r < 0.67:
            self.ecrire('%s (w, %s);' % (self.choix('allonger', 'redimensionner'), self.petit_naturel()))
        elif r < 0.71:
            self.ecrire('w[%s] <- %s;' % (self.indice('w'), self.entier(1)))
        elif r < 0.75:
            self.ecrire('Pe (%s, %s);' % (self.choix('a', 'b', 't[%s]' % self.indice('t')), self.entier(1)))
        elif r < 0.78:
            tableau = self.choix('t', 'w')
            self.ecrire('Pt (%s, %s[%s], %s);' % (tableau, self.choix('t', 'w'), self.indice(tableau), self.petit_naturel()))
        elif p > 0 and r < 0.86:
            self.si(p - 1)
        elif p > 0 and r < 0.93:
            self.pour(p - 1)
        elif p > 0:
            self.tant_que(p - 1)
        else:
            self.ecrire('c <- %s;' % self.entier(1))

    def bloc(self, p, nb):
        self.profondeur_instr += 1
        for _ in range(nb):
            self.instruction(p)
        self.profondeur_instr -= 1

    def si(self, p):
        self.ecrire('si (%s)' % self.condition(1))
        self.bloc(p, self.a.randrange(1, 3))
        if self.proba(0.5):
            self.ecrire('sinon')
            self.bloc(p, self.a.randrange(1, 3))
        self.ecrire('fsi')

    def pour(self, p):
        self.nb_pour += 1
        v = 'i%d' % self.nb_pour
        bornes = self.choix(('0', '3'), ('1', '4'), ('0', 'taille (t) - 1'), ('0', 'taille (w) - 1'),
                            ('a', '2'), ('3', '0'), ('0', 'modulo (n, 5)'))
        descendant = ' descendant' if self.proba(0.2) else ''
        if descendant:
            bornes = (bornes[1], bornes[0])
        self.ecrire('pour (%s variant_de %s a %s%s) faire' % (v, bornes[0], bornes[1], descendant))
        self.boucles.append(v)
        self.bloc(p, self.a.randrange(1, 4))
        self.boucles.pop()
        self.ecrire('ffaire')

    def tant_que(self, p):
        self.nb_tant_que += 1
        k = 'k%d' % self.nb_tant_que
        self.ecrire('declarer %s : entier;' % k)
        self.ecrire('%s <- 0;' % k)
        self.ecrire('tant_que (%s < %d) faire' % (k, self.a.randrange(1, 4)))
        self.bloc(p, self.a.randrange(1, 3))
        self.profondeur_instr += 1
        self.ecrire('%s <- %s + 1;' % (k, k))
        self.profondeur_instr -= 1
        self.ecrire('ffaire')

    # --- Programme ---

    def unites(self):
        """Fonctions pures et procedures, avant l'algorithme."""
        sauve, self.lignes = self.lignes, []
        corps_fe = self.choix('p * 2 + q', 'p - q', 'modulo (p, q + 1)', 'p / 2', 'q - p', 'p * p')
        corps_fn = self.choix('q + 1', 'q * 2', 'q - 1', 'q / 2', 'q * q')
        corps_fr = self.choix('p * 2.5', 'p / (q + 0.5)', 'p + q', 'p * p')
        corps_pe = self.choix('v + d', 'v * d', 'v - d * 2', 'd')
        texte = '''fonction Fe (p : in entier, q : in entier_naturel) renvoie entier
debut
    renvoie %s;
fin

fonction Fn (q : in entier_naturel) renvoie entier_naturel
debut
    renvoie %s;
fin

fonction Fr (p : in reel, q : in entier) renvoie reel
debut
    renvoie %s;
fin

fonction Rec (k : in entier) renvoie entier
debut
    si (k <= 0) renvoie 0;
    renvoie k + Rec (k - 1);
fin

procedure Pe (v : in_out entier, d : in entier)
debut
    v <- %s;
    afficher ("Pe ", v);
    ligne_suivante;
fin

procedure Pt (v : in_out tableau_de entier, e : in_out entier, k : in entier_naturel)
debut
    e <- 1;
    allonger (v, k);
    e <- e + taille (v);
    afficher ("Pt ", taille (v));
    ligne_suivante;
fin

''' % (corps_fe, corps_fn, corps_fr, corps_pe)
        self.lignes = sauve
        return texte

    def algorithme(self):
        self.ecrire('declarer K : constante entier <- %s;' % self.choix('5', '-3', '1000000'))
        for v in 'abc':
            self.ecrire('declarer %s : entier;' % v)
        for v in 'nm':
            self.ecrire('declarer %s : entier_naturel;' % v)
        for v in 'xy':
            self.ecrire('declarer %s : reel;' % v)
        self.ecrire('declarer s : string;')
        self.ecrire('declarer ok : booleen;')
        self.ecrire('declarer t : tableau_de 4 entier;')
        self.ecrire('declarer u : tableau_de 3 entier_naturel;')
        self.ecrire('declarer r : tableau_de 3 reel;')
        self.ecrire('declarer w : tableau_de entier;')
        # Les saisies d'abord (une valeur par ligne), puis des valeurs connues pour le reste.
        saisies = []
        if self.proba(0.8):
            saisies.append(('a', str(self.a.choice(ENTIERS_SAISIS[:10] if self.proba(0.7) else ENTIERS_SAISIS))))
        if self.proba(0.6):
            saisies.append(('n', str(self.a.choice(NATURELS_SAISIS[:7] if self.proba(0.7) else NATURELS_SAISIS))))
        if self.proba(0.5):
            saisies.append(('x', self.a.choice(REELS_SAISIS)))
        if self.proba(0.4):
            saisies.append(('s', self.a.choice(MOTS_SAISIS)))
        for nom, valeur in saisies:
            self.ecrire('saisir (%s);' % nom)
            self.entree.append(valeur)
        deja = {nom for nom, _ in saisies}
        initiales = {'a': '3', 'b': '-2', 'c': '10', 'n': '40', 'm': '3', 'x': '1.5', 'y': '-0.25', 's': '"mot"'}
        for nom, valeur in initiales.items():
            if nom not in deja:
                self.ecrire('%s <- %s;' % (nom, valeur))
        self.ecrire('ok <- vrai;')
        # Les elements recoivent une valeur, sauf parfois un, qui garde celle du remplissage (la
        # plus grande valeur du type).
        oubli = self.a.randrange(12) if self.proba(0.3) else -1
        for k, (nom, valeur) in enumerate([('t[0]', self.choix('0', '1', '-4')), ('t[1]', '2'), ('t[2]', '-7'),
                                           ('t[3]', '30'), ('u[0]', '3'), ('u[1]', '0'), ('u[2]', '12'),
                                           ('r[0]', '0.5'), ('r[1]', '-2.5'), ('r[2]', '100.25')]):
            if k != oubli:
                self.ecrire('%s <- %s;' % (nom, valeur))
        self.ecrire('allonger (w, 3);')
        for k in range(3):
            self.ecrire('w[%d] <- %d;' % (k, 5 * k - 4))
        for _ in range(self.a.randrange(8, 20)):
            self.instruction(2)

    def programme(self):
        unites = self.unites()
        self.algorithme()
        source = unites + 'algorithme Essai\ndebut\n' + '\n'.join(self.lignes) + '\nfin\n'
        entree = ''.join(v + '\n' for v in self.entree)
        return source, entree


def generer(graine):
    """Le source et l'entree du programme de cette graine."""
    return Generateur(graine).programme()


def main():
    parser = argparse.ArgumentParser(description='Programmes .algo tires au hasard, avec leur entree.')
    parser.add_argument('--graine', type=int, default=1, help='graine du premier programme (les suivants : +1, +2...)')
    parser.add_argument('--nombre', type=int, default=10, help='nombre de programmes')
    parser.add_argument('--sortie', required=True, help='dossier ou ecrire les .algo et .in')
    parser.add_argument('--prefixe', default='prog', help='debut du nom des fichiers')
    args = parser.parse_args()
    os.makedirs(args.sortie, exist_ok=True)
    for k in range(args.nombre):
        graine = args.graine + k
        source, entree = generer(graine)
        base = os.path.join(args.sortie, '%s_%d' % (args.prefixe, graine))
        with open(base + '.algo', 'w') as f:
            f.write(source)
        with open(base + '.in', 'w') as f:
            f.write(entree)


if __name__ == '__main__':
    main()
