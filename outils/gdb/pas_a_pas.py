# Execution pas a pas d'un programme du profil verifie, sous gdb (tramelo-exec --pas-a-pas).
# Le programme garde son entree et sa sortie ; sur l'erreur standard, pour chaque ligne du source
# executee, "» LIGNE | texte", puis une ligne "»      |     nom = valeur" par variable qui a
# change, et "»      |     Unite renvoie valeur" au retour d'une fonction. Chaque ligne de la
# trace commence par "» " (et, sur un terminal, s'ecrit en couleur) : elle ne se confond pas avec
# la sortie du programme. Les numeros de ligne sont alignes sur le plus grand, le texte est
# decale de deux espaces par niveau d'appel.
# Les caracteres de controle des valeurs et des lignes sont ecrits visiblement (\x1b...) : une
# valeur ne peut ni forger une ligne de la trace ni agir sur le terminal.
# Parametres (environnement, retires avant de lancer le programme) :
#   TRAMELO_PAS_SOURCE    le source, tel qu'il est nomme dans les #line du C++ produit
#   TRAMELO_PAS_CHEMIN    son chemin absolu, celui ou gdb le lit
#   TRAMELO_PAS_TEXTE     une copie du texte du source (les lignes de la trace)
#   TRAMELO_PAS_CADRE     le C++ compile (le cadre : prelude et main, jamais trace)
#   TRAMELO_PAS_ALGO      le nom de l'algorithme, ou la trace commence
#   TRAMELO_PAS_LIMITE    nombre de lignes executees au-dela duquel le programme est arrete
#   TRAMELO_PAS_RESULTAT  fichier ou ecrire le verdict : "fin N" (statut du programme),
#                         "signal N" (tue par le signal N), "limite", "interrompu N" (Ctrl-C...)
#                         ou "erreur" (le message est deja ecrit)
#   TRAMELO_PAS_PID       fichier ou noter le numero du programme (tramelo-exec l'arrete si gdb
#                         meurt sans l'avoir fait)
#   TRAMELO_PAS_COULEUR   "1" : la trace en couleur (tramelo-exec en decide : terminal, NO_COLOR)
# Les chemins ne sont jamais colles dans une commande de gdb : ils passent par une variable de gdb.
# gdb est lance la sortie standard vers /dev/null et celle du programme sur le descripteur 3 ; au
# debut de l'algorithme, le programme la remet en 1 (dup2) : rien de gdb ne s'y mele.
import os

import gdb

SOURCE = os.environ.get('TRAMELO_PAS_SOURCE', '')
CHEMIN = os.environb.get(b'TRAMELO_PAS_CHEMIN', b'')
TEXTE = os.environb.get(b'TRAMELO_PAS_TEXTE', b'')
CADRE = os.environb.get(b'TRAMELO_PAS_CADRE', b'')
ALGO = os.environ.get('TRAMELO_PAS_ALGO', '')
LIMITE = int(os.environ.get('TRAMELO_PAS_LIMITE', '1000'))
RESULTAT = os.environb.get(b'TRAMELO_PAS_RESULTAT', b'')
PID = os.environb.get(b'TRAMELO_PAS_PID', b'')
COULEUR = os.environ.get('TRAMELO_PAS_COULEUR', '') == '1'
PARAMETRES = ('TRAMELO_PAS_SOURCE', 'TRAMELO_PAS_CHEMIN', 'TRAMELO_PAS_TEXTE', 'TRAMELO_PAS_CADRE', 'TRAMELO_PAS_ALGO',
              'TRAMELO_PAS_LIMITE', 'TRAMELO_PAS_RESULTAT', 'TRAMELO_PAS_PID', 'TRAMELO_PAS_COULEUR')
# Le debut de chaque ligne de la trace, et sa couleur sur un terminal (cyan, comme les notes).
PREFIXE = '» '
DEBUT_COULEUR, FIN_COULEUR = ('\033[36m', '\033[0m') if COULEUR else ('', '')
# Les signaux qui arretent le pas a pas (le programme et gdb) : Ctrl-C, Ctrl-\, SIGTERM, SIGHUP.
SIGNAUX_DE_FIN = {'SIGINT': 2, 'SIGQUIT': 3, 'SIGTERM': 15, 'SIGHUP': 1}
# Au-dela, un tableau est abrege.
MAX_ELEMENTS = 100


def commande(texte):
    """Une commande de gdb dont rien ne doit paraitre (la sortie du programme reste propre).
    Son texte est toujours constant : un chemin passe par une variable de gdb (valeur_octets)."""
    try:
        gdb.execute(texte, to_string=True)
    except UnicodeDecodeError:
        # La commande s'est faite ; seule sa sortie, ignoree, n'etait pas de l'UTF-8.
        pass


class Interruption(Exception):
    def __init__(self, signal):
        super().__init__(signal)
        self.signal = signal


INTERROMPU = []


def sur_arret(evenement):
    if isinstance(evenement, gdb.SignalEvent) and evenement.stop_signal in SIGNAUX_DE_FIN:
        INTERROMPU.append(SIGNAUX_DE_FIN[evenement.stop_signal])


def reprendre(texte):
    """Une commande qui fait avancer le programme (run, step, continue) ; un signal de fin qui
    l'arrete arrete tout."""
    try:
        commande(texte)
    finally:
        if INTERROMPU:
            raise Interruption(INTERROMPU[0])


def valeur_octets(octets):
    """Une valeur de gdb (tableau de char) faite d'octets quelconques, pour une variable de gdb."""
    return gdb.Value(octets, gdb.lookup_type('char').array(len(octets) - 1))


def ecrire(texte):
    """Une ligne sur l'erreur standard, directement (ni gdb ni Python ne la retiennent)."""
    donnees = (texte + '\n').encode('utf-8', 'surrogateescape')
    while donnees:
        try:
            n = os.write(2, donnees)
        except InterruptedError:
            continue
        except OSError:
            return
        donnees = donnees[n:]


def noter(chemin, texte):
    if chemin:
        with open(chemin, 'w') as f:
            f.write(texte + '\n')


# Caracteres invisibles ou qui deplacent l'ecriture (bidirectionnels, separateurs de ligne).
INVISIBLES = {0x061C, 0x200E, 0x200F, 0x2028, 0x2029, 0xFEFF} | set(range(0x202A, 0x202F)) \
    | set(range(0x2066, 0x206A))
ECHAPPEMENTS = {'\n': '\\n', '\r': '\\r', '\t': '\\t', '\0': '\\0'}


def visible(texte):
    """Le texte sans rien qui agisse sur le terminal : controles (C0, DEL, C1), caracteres
    invisibles et octets hors UTF-8 (substituts de surrogateescape) ecrits \\xNN ou \\uNNNN."""
    r = []
    for c in texte:
        o = ord(c)
        if c in ECHAPPEMENTS:
            r.append(ECHAPPEMENTS[c])
        elif 0xDC80 <= o <= 0xDCFF:
            r.append('\\x%02x' % (o - 0xDC00))
        elif o < 0x20 or 0x7F <= o <= 0x9F:
            r.append('\\x%02x' % o)
        elif o in INVISIBLES:
            r.append('\\u%04x' % o)
        else:
            r.append(c)
    return ''.join(r)


def lignes_source():
    try:
        with open(TEXTE, 'rb') as f:
            return f.read().decode('utf-8', 'surrogateescape').split('\n')
    except OSError:
        return []


LIGNES = lignes_source()
NOM_SOURCE = os.path.realpath(CHEMIN)
# Largeur de la colonne des numeros de ligne : celle du dernier numero du source.
LARGEUR = len(str(max(len(LIGNES), 1)))


def meme_destination():
    """La sortie du programme (descripteur 3 de gdb) et la trace (2) vont-elles au meme endroit
    (le meme terminal, le meme fichier) ?"""
    try:
        return os.path.samestat(os.fstat(2), os.fstat(3))
    except OSError:
        return False


MEME_DESTINATION = meme_destination()
# Vrai quand le dernier octet que le programme a ecrit sur sa sortie n'est pas une fin de ligne.
LIGNE_COMMENCEE = [False]


def nouvelle_ligne():
    """Une ligne de la trace commence toujours au debut d'une ligne : si le programme a laisse la
    sienne commencee sur le meme terminal, elle est d'abord terminee."""
    if MEME_DESTINATION and LIGNE_COMMENCEE[0]:
        ecrire('')
    LIGNE_COMMENCEE[0] = False


def ecrire_trace(numero, texte, profondeur):
    """Une ligne de la trace : prefixe, numero aligne (ou blancs), texte decale selon la
    profondeur d'appel."""
    nouvelle_ligne()
    colonne = str(numero).rjust(LARGEUR) if numero else ' ' * LARGEUR
    ecrire(DEBUT_COULEUR + PREFIXE + colonne + ' | ' + '  ' * profondeur + texte + FIN_COULEUR)


# Registres des trois premiers arguments d'une fonction, selon l'architecture.
REGISTRES = {'i386:x86-64': ('rdi', 'rsi', 'rdx'), 'aarch64': ('x0', 'x1', 'x2')}


class Ecritures(gdb.Breakpoint):
    """Chaque write du programme : pour sa sortie (descripteur 1), son dernier octet dit si une
    ligne reste commencee. Le point d'arret ne suspend jamais le programme."""

    def __init__(self, registres):
        super().__init__('write', internal=True)
        self.registres = registres

    def stop(self):
        try:
            cadre = gdb.selected_frame()
            fd, tampon, n = (int(cadre.read_register(r)) for r in self.registres)
            if fd == 1 and 0 < n < 1 << 40:
                dernier = gdb.selected_inferior().read_memory(tampon + n - 1, 1).tobytes()
                LIGNE_COMMENCEE[0] = dernier != b'\n'
        except (gdb.error, gdb.MemoryError, RuntimeError, ValueError):
            pass
        return False


def suivre_ecritures():
    """Seulement si la trace et la sortie du programme se melent (meme terminal ou fichier)."""
    if not MEME_DESTINATION:
        return
    try:
        registres = REGISTRES.get(gdb.selected_frame().architecture().name())
        if registres:
            Ecritures(registres)
    except (gdb.error, RuntimeError):
        pass


def dans_source(symtab):
    """Le code de ce symtab est-il celui du source (et non du cadre ou d'une bibliotheque) ?"""
    if symtab is None:
        return False
    try:
        return symtab.filename == SOURCE or os.path.realpath(os.fsencode(symtab.fullname())) == NOM_SOURCE
    except (UnicodeError, RuntimeError):
        return False


def texte_ligne(n):
    return visible(LIGNES[n - 1].strip()) if 0 < n <= len(LIGNES) else ''


# --- Valeurs -----------------------------------------------------------------------------------

def citer(s, guillemet):
    return guillemet + visible(s.replace('\\', '\\\\').replace(guillemet, '\\' + guillemet)) + guillemet


def texte_caractere(code):
    # Un octet seul au-dela de 127 n'est pas de l'UTF-8 : lu comme en latin-1 (ses controles
    # C1 restent echappes).
    code &= 0xFF
    return citer(bytes([code]).decode('latin-1'), "'")


def est_chaine(t):
    nom = str(t)
    return nom.startswith('std::__cxx11::basic_string<char') or nom.startswith('std::basic_string<char') \
        or nom == 'std::string'


def est_vecteur(t):
    return str(t).startswith('std::vector<')


def texte_chaine(v):
    n = int(v['_M_string_length'])
    octets = v['_M_dataplus']['_M_p'].string(encoding='latin-1', length=n).encode('latin-1')
    return citer(octets.decode('utf-8', 'surrogateescape'), '"')


def elements_vecteur(v):
    """Les elements d'un vector (par l'afficheur de libstdc++ s'il est charge)."""
    visu = gdb.default_visualizer(v)
    if visu is not None and hasattr(visu, 'children'):
        for _, e in visu.children():
            yield e
        return
    debut = v['_M_impl']['_M_start']
    fin = v['_M_impl']['_M_finish']
    for i in range(int(fin - debut)):
        yield (debut + i).dereference()


def texte_valeur(v):
    if not isinstance(v, gdb.Value):
        if isinstance(v, bool):
            return 'vrai' if v else 'faux'
        return str(v)
    t = v.type.strip_typedefs()
    if t.code in (gdb.TYPE_CODE_REF, getattr(gdb, 'TYPE_CODE_RVALUE_REF', -1)):
        v = v.referenced_value()
        t = v.type.strip_typedefs()
    if t.code == gdb.TYPE_CODE_BOOL:
        return 'vrai' if bool(v) else 'faux'
    if t.code == gdb.TYPE_CODE_INT or t.code == gdb.TYPE_CODE_CHAR:
        if t.sizeof == 1:
            return texte_caractere(int(v))
        return str(int(v))
    if t.code == gdb.TYPE_CODE_FLT:
        return repr(float(v))
    if est_chaine(t):
        return texte_chaine(v)
    if est_vecteur(t):
        morceaux = []
        for i, e in enumerate(elements_vecteur(v)):
            if i == MAX_ELEMENTS:
                morceaux.append('…')
                break
            morceaux.append(texte_valeur(e))
        return '{' + ', '.join(morceaux) + '}'
    return visible(str(v))


# --- Variables d'une unite ---------------------------------------------------------------------

def variables(cadre):
    """Les variables visibles du cadre, dans l'ordre de leur declaration :
    {(nom, ligne de declaration): (symbole, est_parametre, rang)}. Les noms produits par la
    traduction (_BorneInf...) commencent par _ : ils sont ignores."""
    res = {}
    try:
        bloc = cadre.block()
    except RuntimeError:
        return res
    blocs = []
    while bloc is not None:
        blocs.append(bloc)
        if bloc.function is not None:
            break
        bloc = bloc.superblock
    for bloc in reversed(blocs):
        for s in bloc:
            if (s.is_variable or s.is_argument) and not s.name.startswith('_'):
                cle = (s.name, s.line)
                if cle not in res:
                    res[cle] = (s, s.is_argument, len(res))
    return res


class Unite:
    """Une unite en cours d'execution : son cadre, les valeurs vues, les variables deja declarees."""

    def __init__(self, cadre):
        self.cadre = cadre
        self.valeurs = {}
        self.vivantes = set()
        self.rangs = {}
        self.ligne = 0

    def lire(self, ligne_executee):
        """Les valeurs actuelles des variables vivantes ; une variable devient vivante quand la
        ligne de sa declaration vient d'etre executee, et meurt en sortant de sa portee."""
        vues = variables(self.cadre)
        self.rangs = {cle: (cle[1], rang) for cle, (_, _, rang) in vues.items()}
        for cle in list(self.vivantes):
            if cle not in vues:
                self.vivantes.discard(cle)
        valeurs = {}
        for cle, (s, parametre, _) in vues.items():
            if parametre or cle[1] == ligne_executee:
                self.vivantes.add(cle)
            if cle in self.vivantes:
                try:
                    valeurs[cle] = texte_valeur(s.value(self.cadre))
                except (gdb.error, gdb.MemoryError, RuntimeError, ValueError, UnicodeError):
                    valeurs[cle] = '?'
        return valeurs

    def changements(self, ligne_executee):
        valeurs = self.lire(ligne_executee)
        res = [(cle[0], val) for cle, val in sorted(valeurs.items(), key=lambda e: self.rangs.get(e[0], 0))
               if self.valeurs.get(cle) != val]
        self.valeurs = valeurs
        return res


# --- Trace ---------------------------------------------------------------------------------------

class Retour(gdb.FinishBreakpoint):
    """Le retour d'une fonction du source : sa valeur, ecrite sous sa derniere ligne, au niveau
    de la fonction. Le point d'arret ne suspend jamais le programme."""

    def __init__(self, cadre, nom, profondeur):
        super().__init__(cadre, internal=True)
        self.nom = nom
        self.profondeur = profondeur

    def stop(self):
        valeur = self.return_value
        if valeur is not None:
            try:
                texte = texte_valeur(valeur)
            except (gdb.error, gdb.MemoryError, RuntimeError, ValueError, UnicodeError):
                texte = '?'
            ecrire_trace(0, '    %s renvoie %s' % (visible(self.nom), texte), self.profondeur)
        return False

    def out_of_scope(self):
        pass


def nom_unite(cadre):
    """Le nom de la fonction, sans ses parametres ni son espace de noms C++."""
    nom = cadre.function().name
    if nom.endswith(')') and '(' in nom:
        nom = nom[:nom.rfind('(')]
    return nom.rsplit('::', 1)[-1]


def renvoie_une_valeur(cadre):
    fonction = cadre.function()
    if fonction is None:
        return False
    try:
        retour = fonction.type.target()
    except RuntimeError:
        return False
    return retour is not None and retour.code != gdb.TYPE_CODE_VOID


class Trace:
    def __init__(self):
        self.pile = []          # unites du source en cours, de la plus ancienne a la plus recente
        self.nb_lignes = 0

    def profondeur(self):
        return max(len(self.pile) - 1, 0)

    def afficher_ligne(self, ligne):
        self.nb_lignes += 1
        ecrire_trace(ligne, texte_ligne(ligne), self.profondeur())

    def afficher_changements(self, changements):
        for nom, val in changements:
            ecrire_trace(0, '    %s = %s' % (nom, val), self.profondeur())

    def cadres_source(self):
        res = []
        cadre = gdb.newest_frame()
        while cadre is not None:
            if dans_source(cadre.find_sal().symtab):
                res.append(cadre)
            cadre = cadre.older()
        res.reverse()
        return res

    @staticmethod
    def ligne_entete(cadre):
        fonction = cadre.function()
        return fonction.line if fonction is not None else 0

    def arret(self):
        """Le programme est arrete sur une ligne du source : trace des changements et de la ligne."""
        cadres = self.cadres_source()
        ligne = gdb.selected_frame().find_sal().line
        commun = 0
        while commun < min(len(cadres), len(self.pile)) and self.pile[commun].cadre == cadres[commun]:
            commun += 1
        # Deux appels successifs au meme niveau ont le meme cadre : un arret sur la ligne d'en-tete
        # de l'unite (son controle d'entree) est un nouvel appel.
        if commun == len(cadres) and commun > 0 and ligne == self.ligne_entete(cadres[-1]) \
                and self.pile[commun - 1].ligne != ligne:
            commun -= 1
        retour = len(self.pile) > commun and len(cadres) <= commun
        del self.pile[commun:]
        if len(cadres) > commun:
            # Entree dans une ou plusieurs unites : la ligne, puis la valeur des parametres.
            for cadre in cadres[commun:]:
                self.pile.append(Unite(cadre))
                if len(self.pile) > 1 and renvoie_une_valeur(cadre):
                    try:
                        Retour(cadre, nom_unite(cadre), len(self.pile) - 1)
                    except (gdb.error, RuntimeError, ValueError):
                        pass
            haut = self.pile[-1]
            self.afficher_ligne(ligne)
            # Rien n'est encore execute dans l'unite : seuls ses parametres ont une valeur.
            self.afficher_changements(haut.changements(0))
            haut.ligne = ligne
            return
        haut = self.pile[-1]
        changements = haut.changements(haut.ligne)
        if retour and changements and haut.ligne != ligne:
            # Retour d'un appel : la ligne de l'appel s'acheve ; ses effets sont montres sous elle.
            self.afficher_ligne(haut.ligne)
        self.afficher_changements(changements)
        self.afficher_ligne(ligne)
        haut.ligne = ligne

    def fin(self):
        """Le programme quitte le source (retour dans main) : les derniers changements."""
        if self.pile:
            haut = self.pile[0]
            try:
                self.afficher_changements(haut.changements(haut.ligne))
            except (gdb.error, RuntimeError):
                pass
        self.pile = []


def vivant():
    return gdb.selected_inferior().pid != 0


def statut_programme():
    code = gdb.parse_and_eval('$_exitcode')
    if code.type.code != gdb.TYPE_CODE_VOID:
        return 'fin %d' % int(code)
    signal = gdb.parse_and_eval('$_exitsignal')
    if signal.type.code != gdb.TYPE_CODE_VOID:
        return 'signal %d' % int(signal)
    return 'fin 0'


def rebrancher_sortie():
    """La vraie sortie (descripteur 3) devient celle du programme, avant qu'il n'ait rien ecrit."""
    if int(gdb.parse_and_eval('(int) dup2 (3, 1)')) != 1:
        raise gdb.error('la sortie du programme ne peut pas etre rebranchee')
    gdb.parse_and_eval('(int) close (3)')


# Vrai quand la sortie du programme n'a pas pu etre rendue non tamponnee : elle est alors videe
# a chaque pas (un appel de fonction dans le programme, trois fois plus lent que le pas lui-meme).
VIDER_A_CHAQUE_PAS = True


def sans_tampon():
    """La sortie du programme ecrite aussitot, pour qu'elle se mele a la trace dans l'ordre : rien
    n'est encore ecrit quand l'algorithme commence."""
    global VIDER_A_CHAQUE_PAS
    try:
        commande('call (int) setvbuf (*(void **) &stdout, (char *) 0, 2, 0)')
        VIDER_A_CHAQUE_PAS = False
    except gdb.error:
        pass


def vider_sortie(toujours=False):
    if not (toujours or VIDER_A_CHAQUE_PAS):
        return
    try:
        commande('call (int) fflush (0)')
    except gdb.error:
        pass


def preparer():
    # Sans shell pour lancer le programme : son chemin n'est jamais relu par un shell. Les arrets
    # ne montrent pas la ligne du source (gdb n'a pas a relire le fichier).
    for texte in ('set pagination off', 'set confirm off', 'set width 0', 'set height 0',
                  'set print inferior-events off', 'set print thread-events off',
                  'set suppress-cli-notifications on', 'set startup-with-shell off',
                  'set print frame-info short-location',
                  'set disable-randomization off', 'set step-mode off', 'set debuginfod enabled off',
                  'handle all nostop noprint pass'):
        try:
            commande(texte)
        except gdb.error:
            pass
    for nom in SIGNAUX_DE_FIN:
        commande('handle %s stop print nopass' % nom)
    gdb.events.stop.connect(sur_arret)
    # Ni la bibliotheque standard, ni le cadre (controles du prelude, main) ne sont traces.
    motifs = ['/usr/include/*' + '/*' * n for n in range(6)]
    for motif in motifs:
        commande('skip -gfi ' + motif)
    commande('skip -rfu ^std::')
    commande('skip -rfu ^__gnu_cxx::')
    commande('skip -rfu ::_[A-Z]')
    if CADRE:
        gdb.set_convenience_variable('tramelo_cadre', valeur_octets(CADRE))
        commande('eval "skip file %s", $tramelo_cadre')
    for nom in PARAMETRES:
        commande('unset environment ' + nom)


def bornes_fonction(cadre):
    bloc = cadre.block()
    while bloc is not None and bloc.function is None:
        bloc = bloc.superblock
    return (bloc.start, bloc.end) if bloc is not None else (0, 0)


def pas():
    """Un step de gdb, jusqu'a la prochaine ligne executee. gdb ne s'arrete pas quand une boucle
    ecrite sur une seule ligne revient au debut de cette ligne (un step ne finirait jamais) : des
    points d'arret internes sur les debuts de la ligne l'arretent (gdb passe celui du point de
    depart) ; un saut en avant dans la meme ligne (ex. : vers la condition de la boucle) continue
    le pas, un retour en arriere est une nouvelle execution de la ligne."""
    cadre = gdb.selected_frame()
    sal = cadre.find_sal()
    ligne = sal.line
    try:
        debut, fin = bornes_fonction(cadre)
        entrees = sorted({e.pc for e in (sal.symtab.linetable().line(ligne) or ())
                          if debut <= e.pc < fin})
    except (RuntimeError, AttributeError):
        entrees = []
    while True:
        pc = cadre.pc()
        gardes = [gdb.Breakpoint('*%d' % a, internal=True) for a in entrees]
        try:
            reprendre('step')
        finally:
            for b in gardes:
                if b.is_valid():
                    b.delete()
        if not vivant() or not cadre.is_valid():
            return
        nouveau = gdb.selected_frame()
        if nouveau != cadre or nouveau.find_sal().line != ligne or nouveau.pc() <= pc:
            return
        cadre = nouveau


def principal():
    preparer()
    gdb.Breakpoint(ALGO, internal=True)
    reprendre('run')
    if not vivant():
        return statut_programme()
    noter(PID, str(gdb.selected_inferior().pid))
    rebrancher_sortie()
    sans_tampon()
    suivre_ecritures()
    trace = Trace()
    while vivant():
        sal = gdb.selected_frame().find_sal()
        if not dans_source(sal.symtab):
            # Hors du source : dans main, apres l'algorithme. Le programme finit seul.
            trace.fin()
            commande('delete')
            reprendre('continue')
            continue
        if trace.nb_lignes >= LIMITE:
            vider_sortie(toujours=True)
            nouvelle_ligne()
            ecrire('tramelo-exec : arrêt après %d lignes exécutées (--limite N pour en permettre davantage)'
                   % LIMITE)
            commande('kill')
            return 'limite'
        trace.arret()
        vider_sortie()
        pas()
    return statut_programme()


def conclure():
    try:
        verdict = principal()
    except Interruption as i:
        verdict = 'interrompu %d' % i.signal
    except KeyboardInterrupt:
        # Ctrl-C recu par gdb pendant que le script travaillait.
        verdict = 'interrompu 2'
    except (gdb.error, RuntimeError, OSError, ValueError) as e:
        if INTERROMPU:
            verdict = 'interrompu %d' % INTERROMPU[0]
        else:
            ecrire('tramelo-exec : échec de l\'exécution pas à pas sous gdb : %s' % visible(str(e)))
            verdict = 'erreur'
    try:
        noter(RESULTAT, verdict)
    except OSError:
        pass
    # gdb peut etre en train de quitter (SIGTERM) : chaque appel leve alors KeyboardInterrupt.
    try:
        if vivant():
            commande('kill')
    except (gdb.error, KeyboardInterrupt):
        pass


conclure()
try:
    gdb.execute('quit 0')
except KeyboardInterrupt:
    pass
