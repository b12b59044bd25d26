#!/usr/bin/env bash
# tramelo-exec et l'interpreteur : --interprete, le repli sans compilateur ni gdb, --compiler, le
# pas a pas interprete (la trace de gdb, a l'octet pres), la saisie au fil de l'entree, les
# signaux et une sortie fermee, les options incompatibles.
#   natif.sh <tramelo-exec> <cas>
set -u
exec_outil=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
cas=$2
delai=$(command -v timeout)
ici=$(cd "$(dirname "$0")" && pwd)
racine=$(cd "$ici/../.." && pwd)
prog=$ici/programmes
exemples=$racine/exemples

bac=$(mktemp -d)
trap 'rm -rf "$bac"' EXIT
export TMPDIR=$bac/tmp NO_COLOR=1
mkdir "$TMPDIR"
unset CXX GDB
echec=0
ko () { echo "ECHEC : $*"; echec=1; }

# lancer <entree> <args...> : $bac/out, $bac/err, $statut.
lancer () {
    local entree=$1
    shift
    "$delai" 60 "$exec_outil" "$@" <"$entree" >"$bac/out" 2>"$bac/err"
    statut=$?
}
attendre_statut () { [ "$statut" = "$1" ] || { ko "statut $statut au lieu de $1 ($2)"; head -5 "$bac/err"; }; }
tmp_vide () { [ -z "$(ls -A "$TMPDIR")" ] || ko "dossier temporaire non vide apres $1 : $(ls -A "$TMPDIR")"; }

# Un compilateur qui laisse une trace s'il est appele.
faux_cxx=$bac/faux-cxx
printf '#!/bin/sh\ntouch "%s/appele"\nexit 1\n' "$bac" >"$faux_cxx"
chmod +x "$faux_cxx"

case $cas in
sans_compilateur)
    # Sans compilateur : une ligne le dit, puis le programme est interprete, avec la sortie et le
    # statut du programme compile ; aucun dossier de travail.
    for e in "$exemples"/*.algo; do
        b=${e%.algo}
        CXX=/inexistant/g++ lancer "$b.in" "$e"
        attendre_statut 0 "$(basename "$e") sans compilateur"
        cmp -s "$b.run" "$bac/out" || { ko "sortie de $(basename "$e") sans compilateur"; diff "$b.run" "$bac/out" | head -5; }
        [ "$(wc -l <"$bac/err")" = 1 ] && grep -qx "tramelo-exec : compilateur C++ introuvable (/inexistant/g++) : le programme est interprete (--compiler pour exiger la compilation)" "$bac/err" \
            || { ko "annonce du repli ($(basename "$e"))"; cat "$bac/err"; }
    done
    tmp_vide "repli sans compilateur"
    # Un PATH sans g++ : meme repli, et l'erreur d'execution du programme verifie.
    mkdir "$bac/vide"
    cp "$racine/tests/exec/programmes/indice.algo" "$bac/indice.algo"
    (cd "$bac" && PATH=$bac/vide "$delai" 60 "$exec_outil" indice.algo </dev/null >"$bac/out" 2>"$bac/err")
    statut=$?
    attendre_statut 1 "indice hors bornes, PATH sans g++"
    printf 'avant\n' | cmp -s - "$bac/out" || ko "sortie avant l'erreur d'execution"
    sed -n 2p "$bac/err" | grep -qx "indice.algo:11:12: erreur : Indice invalide : 3 hors de 0..2" \
        || { ko "erreur d'execution interpretee"; cat "$bac/err"; }
    # --compiler exige le compilateur ; --standard n'est jamais interprete.
    CXX=/inexistant/g++ lancer /dev/null --compiler "$exemples/bonjour.algo"
    attendre_statut 162 "--compiler sans compilateur"
    grep -q 'compilateur C++ introuvable' "$bac/err" || ko "--compiler : message"
    CXX=/inexistant/g++ lancer /dev/null --standard "$exemples/bonjour.algo"
    attendre_statut 162 "--standard sans compilateur"
    # Une fonction qui peut finir sans renvoie n'est pas lancee, interpretee ou non.
    CXX=/inexistant/g++ lancer /dev/null "$racine/tests/exec/programmes/sans_renvoie.algo"
    attendre_statut 150 "fonction sans renvoie"
    [ ! -s "$bac/out" ] || ko "programme lance malgre la fonction sans renvoie"
    # --garder ecrit encore le C++ (profil verifie) a cote du source.
    cp "$exemples/bonjour.algo" "$bac/garde.algo"
    CXX=/inexistant/g++ lancer "$exemples/bonjour.in" --garder "$bac/garde.algo"
    attendre_statut 0 "--garder sans compilateur"
    grep -q '^#line ' "$bac/garde.cpp" 2>/dev/null || ko "--garder sans compilateur : pas de C++ verifie"
    tmp_vide "--garder sans compilateur"
    ;;

interprete)
    # --interprete n'appelle jamais le compilateur, et ne dit rien de plus que le programme.
    CXX=$faux_cxx lancer "$exemples/fonctions.in" --interprete "$exemples/fonctions.algo"
    attendre_statut 0 "--interprete"
    cmp -s "$exemples/fonctions.run" "$bac/out" || ko "--interprete : sortie"
    [ ! -s "$bac/err" ] || { ko "--interprete : erreur standard"; cat "$bac/err"; }
    [ ! -e "$bac/appele" ] || ko "--interprete a appele le compilateur"
    tmp_vide "--interprete"
    # Recursion sans fin : l'erreur du programme verifie, situee a l'en-tete de l'unite, statut 1.
    lancer /dev/null --interprete "$prog/recursion.algo"
    attendre_statut 1 "recursion sans fin"
    grep -qx ".*recursion.algo:2:10: erreur : Récursion trop profonde dans Descente : la pile d'exécution est épuisée" "$bac/err" \
        || { ko "recursion sans fin : message"; cat "$bac/err"; }
    # Options incompatibles : usage (253), rien n'est lance.
    for options in "--interprete --standard" "--interprete --traduire" "--interprete --deboguer" \
                   "--interprete --construire-seulement" "--interprete --compiler" "--compiler --traduire"; do
        # shellcheck disable=SC2086
        lancer /dev/null $options "$exemples/bonjour.algo"
        attendre_statut 253 "$options"
        grep -q "^tramelo-exec : " "$bac/err" || ko "$options : message"
    done
    ;;

pas_a_pas)
    # Le pas a pas interprete ecrit la trace de gdb (tests/execution/pas_a_pas), a l'octet pres :
    # CAS.interprete.err quand gdb s'arrete en plus au retour d'un appel dans la ligne appelante.
    for a in "$racine"/tests/execution/pas_a_pas/*.algo; do
        b=${a%.algo}
        n=$(basename "$b")
        entree=/dev/null
        [ -f "$b.in" ] && entree=$b.in
        read -r -a options <"$b.options"
        (cd "$(dirname "$a")" && CXX=$faux_cxx "$delai" 60 "$exec_outil" --interprete "${options[@]}" "$n.algo") \
            <"$entree" >"$bac/out" 2>"$bac/err"
        statut=$?
        attendu=$b.err
        [ -f "$b.interprete.err" ] && attendu=$b.interprete.err
        attendre_statut "$(cat "$b.code" 2>/dev/null || echo 1)" "pas a pas de $n"
        cmp -s "$attendu" "$bac/err" || { ko "trace de $n"; diff "$attendu" "$bac/err" | head -10; }
        if [ -f "$b.out" ]; then cmp -s "$b.out" "$bac/out" || ko "sortie de $n"; fi
    done
    [ ! -e "$bac/appele" ] || ko "le pas a pas interprete a appele le compilateur"
    # Sans gdb : une ligne le dit, puis la meme trace ; --compiler exige gdb (163).
    v=$racine/tests/execution/pas_a_pas/valeurs
    (cd "${v%/*}" && GDB=/inexistant/gdb "$delai" 60 "$exec_outil" --pas-a-pas valeurs.algo) <"$v.in" >"$bac/out" 2>"$bac/err"
    statut=$?
    attendre_statut 1 "pas a pas sans gdb"
    head -1 "$bac/err" | grep -qx "tramelo-exec : gdb ou son script introuvable : le pas a pas est interprete (--compiler pour exiger gdb)" \
        || { ko "pas a pas sans gdb : annonce"; head -1 "$bac/err"; }
    tail -n +2 "$bac/err" | cmp -s "$v.err" - || ko "pas a pas sans gdb : trace"
    GDB=/inexistant/gdb lancer /dev/null --pas-a-pas --compiler "$exemples/bonjour.algo"
    attendre_statut 163 "--pas-a-pas --compiler sans gdb"
    # Une boucle sans fin sur une ligne est bornee par --limite.
    lancer /dev/null --interprete --pas-a-pas --limite 50 "$prog/sans_fin.algo"
    attendre_statut 160 "limite du pas a pas"
    [ "$(grep -c '^» *[0-9][0-9]* | ' "$bac/err")" = 50 ] || { ko "lignes de la boucle sans fin"; tail -3 "$bac/err"; }
    ;;

dialogue)
    # La question est ecrite avant que l'entree n'arrive, la reponse lue au fil de l'entree ;
    # puis un Ctrl-C pendant une saisie et pendant une boucle sans fin, et une sortie fermee.
    command -v python3 >/dev/null 2>&1 || { echo "Test saute : python3 absent"; exit 77; }
    python3 - "$exec_outil" "$prog" <<'FIN' || echec=1
import os, signal, subprocess, sys, time
outil, prog = sys.argv[1], sys.argv[2]
echec = False
def ko(m):
    global echec
    echec = True
    print('ECHEC :', m)

def lire_jusqua(p, attendu, delai=20):
    lu = b''
    fin = time.time() + delai
    os.set_blocking(p.stdout.fileno(), False)
    while time.time() < fin and attendu not in lu:
        try:
            bloc = p.stdout.read()
        except BlockingIOError:
            bloc = None
        if bloc:
            lu += bloc
        else:
            time.sleep(0.02)
    return lu

p = subprocess.Popen([outil, '--interprete', prog + '/dialogue.algo'], stdin=subprocess.PIPE,
                     stdout=subprocess.PIPE, stderr=subprocess.PIPE)
if lire_jusqua(p, b'Nom ? ') != b'Nom ? ':
    ko('question absente avant la saisie')
p.stdin.write(b'Camille\n'); p.stdin.flush()
if lire_jusqua(p, b'Age ? ') != b'Age ? ':
    ko('deuxieme question absente')
p.stdin.write(b'41\n'); p.stdin.close()
reste = lire_jusqua(p, b'\n')
p.wait(20)
if reste != b"Bonjour Camille, 42 ans l'an prochain\n" or p.returncode != 0:
    ko('reponse : %r, statut %r' % (reste, p.returncode))

# Ctrl-C pendant la saisie, puis pendant une boucle sans fin : 200 + 2, promptement.
for source, attendre in (('dialogue.algo', b'Nom ? '), ('sans_fin.algo', None)):
    p = subprocess.Popen([outil, '--interprete', prog + '/' + source], stdin=subprocess.PIPE,
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    if attendre:
        lire_jusqua(p, attendre)
    else:
        time.sleep(0.5)
    debut = time.time()
    p.send_signal(signal.SIGINT)
    try:
        code = p.wait(10)
    except subprocess.TimeoutExpired:
        p.kill(); code = 'bloque'
    if code != 202:
        ko('Ctrl-C (%s) : statut %r' % (source, code))
    elif time.time() - debut > 3:
        ko('Ctrl-C (%s) : arret lent' % source)

# Une sortie fermee arrete comme le programme compile : SIGPIPE, 200 + 13, sans message.
lecture, ecriture = os.pipe()
p = subprocess.Popen([outil, '--interprete', prog + '/bavard.algo'], stdin=subprocess.DEVNULL,
                     stdout=ecriture, stderr=subprocess.PIPE)
os.close(ecriture)
os.read(lecture, 100)
os.close(lecture)
try:
    _, err = p.communicate(timeout=20)
    if p.returncode != 213 or err:
        ko('sortie fermee : statut %r, %r' % (p.returncode, err[:200]))
except subprocess.TimeoutExpired:
    p.kill(); ko('sortie fermee : le programme continue')
sys.exit(1 if echec else 0)
FIN
    tmp_vide dialogue
    ;;

*)
    echo "cas inconnu : $cas"
    exit 2
    ;;
esac
exit $echec
