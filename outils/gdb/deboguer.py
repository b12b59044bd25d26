# Debogage d'un programme du profil verifie sous gdb (tramelo-exec --deboguer) : arret sur la
# premiere instruction de l'algorithme et sur toute erreur d'execution, sans entrer dans la
# bibliotheque C++ ni dans le cadre (controles du prelude, main) que l'etudiant n'a pas a connaitre.
# Parametres (environnement, retires avant de lancer le programme) :
#   TRAMELO_DEBOGUER_CADRE  le C++ compile (le cadre)
#   TRAMELO_DEBOGUER_ALGO   le nom de l'algorithme
# Un chemin n'est jamais colle dans une commande de gdb : il passe par une variable de gdb.
import os

import gdb

CADRE = os.environb.get(b'TRAMELO_DEBOGUER_CADRE', b'')
ALGO = os.environ.get('TRAMELO_DEBOGUER_ALGO', '')


def reglage(texte):
    """Un reglage silencieux (gdb annoncerait chacun)."""
    try:
        gdb.execute(texte, to_string=True)
    except UnicodeDecodeError:
        # Fait ; seule la sortie, ignoree, n'etait pas de l'UTF-8.
        pass


# Sans shell pour lancer le programme : son chemin n'est jamais relu par un shell. Les reglages
# sont faits hors de to_string, qui remet la largeur des lignes a sa fin.
for _texte in ('set confirm off', 'set disable-randomization off', 'set print inferior-events off',
               'set print thread-events off', 'set width 0', 'set startup-with-shell off'):
    gdb.execute(_texte)
for _motif in ['/usr/include/*' + '/*' * _n for _n in range(6)]:
    reglage('skip -gfi ' + _motif)
for _texte in ('skip -rfu ^std::', 'skip -rfu ^__gnu_cxx::', 'skip -rfu ::_[A-Z]'):
    reglage(_texte)
if CADRE:
    gdb.set_convenience_variable('tramelo_cadre',
                                 gdb.Value(CADRE, gdb.lookup_type('char').array(len(CADRE) - 1)))
    reglage('eval "skip file %s", $tramelo_cadre')
for _nom in ('TRAMELO_DEBOGUER_CADRE', 'TRAMELO_DEBOGUER_ALGO'):
    reglage('unset environment ' + _nom)

gdb.Breakpoint(ALGO)

# L'arret sur une erreur d'execution (_Arreter) est silencieux et se place sur la ligne fautive du
# source, pas dans le C++ des controles.
_arret = gdb.Breakpoint('_Arreter', internal=True)
_arret.silent = True


def _nom_complet(symtab):
    try:
        return os.fsencode(symtab.fullname())
    except (UnicodeError, RuntimeError):
        return b''


def _vers_source(evenement):
    if not isinstance(evenement, gdb.BreakpointEvent) or _arret not in evenement.breakpoints:
        return
    cadre = gdb.newest_frame()
    while cadre is not None:
        s = cadre.find_sal().symtab
        if s is not None:
            nom = _nom_complet(s)
            if nom and not nom.endswith(CADRE) and not nom.startswith(b'/usr/'):
                break
        cadre = cadre.older()
    if cadre is not None:
        cadre.select()
        print('\nErreur d\'execution : arret sur la ligne fautive du source (bt : les appels en cours).')
        gdb.execute('frame')


gdb.events.stop.connect(_vers_source)
gdb.execute('run')
