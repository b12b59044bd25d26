#!/usr/bin/env bash
# Verifie un cas d'execution du profil verifie : tramelo-exec lance CAS.algo (depuis son dossier,
# sous son nom court, pour que les messages disent CAS.algo:LIGNE:COLONNE) sur CAS.in, et sa
# sortie, son erreur standard et son statut sont compares aux fichiers places a cote :
#   CAS.err      erreur standard attendue, exactement (absent : vide)
#   CAS.out      sortie standard attendue (absent : vide)
#   CAS.code     statut attendu (absent : 1, celui d'une erreur d'execution)
#   CAS.in       entree du programme (absent : vide)
#   CAS.options  options de tramelo-exec, sur une ligne ; "--traduire" : le C++ du profil
#                verifie est ecrit par tramelo-exec, puis compile et execute ici (pour un
#                programme que tramelo-exec refuse de lancer)
#   CAS.memoire  memoire virtuelle permise au programme, en Kio (ulimit -v ; le programme est
#                alors construit par --traduire, comme ci-dessus)
#   executer.sh TRAMELO_EXEC CAS.algo
# Avec TRAMELO_REGENERER=1, ecrit les attendus au lieu de les comparer (a relire ensuite !).
set -u
exec_outil=$1
cas=${2%.algo}
dossier=$(cd "$(dirname "$cas")" && pwd)
nom=$(basename "$cas")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/tmpdir"
export TMPDIR=$tmp/tmpdir NO_COLOR=1
echec=0

entree=/dev/null
[ -f "$cas.in" ] && entree=$cas.in
options=()
[ -f "$cas.options" ] && read -r -a options <"$cas.options"
memoire=unlimited
case " ${options[*]:-} " in
    *" --pas-a-pas "*|*" --deboguer "*)
        command -v "${GDB:-gdb}" >/dev/null 2>&1 || { echo "Test saute : gdb absent"; exit 77; } ;;
esac
[ -f "$cas.memoire" ] && memoire=$(cat "$cas.memoire")

# La limite de memoire ne vise que le programme : tramelo-exec (construit avec ASan, par exemple)
# n'a pas a la subir ; le programme est alors construit par --traduire et lance ici.
if [ "$memoire" != unlimited ] && [ "${options[0]:-}" != --traduire ]; then
    options=(--traduire "${options[@]}")
fi
if [ "${options[0]:-}" = --traduire ]; then
    cp "$cas.algo" "$tmp/$nom.algo"
    (cd "$tmp" && "$exec_outil" "${options[@]}" "$nom.algo") >/dev/null 2>"$tmp/traduction" \
        || { echo "=== tramelo-exec --traduire a echoue"; cat "$tmp/traduction"; exit 1; }
    "${CXX:-g++}" -std=c++17 -O1 -o "$tmp/programme" "$tmp/$nom.cpp" 2>"$tmp/cxx" \
        || { echo "=== le C++ du profil verifie ne compile pas"; cat "$tmp/cxx"; exit 1; }
    (cd "$dossier" && ulimit -v "$memoire" && timeout 60 "$tmp/programme") <"$entree" >"$tmp/out" 2>"$tmp/err"
    code=$?
else
    (cd "$dossier" && ulimit -v "$memoire" && timeout 120 "$exec_outil" "${options[@]}" "$nom.algo") \
        <"$entree" >"$tmp/out" 2>"$tmp/err"
    code=$?
fi

if [ "${TRAMELO_REGENERER:-0}" = 1 ]; then
    if [ -s "$tmp/out" ]; then cp "$tmp/out" "$cas.out"; else rm -f "$cas.out"; fi
    if [ -s "$tmp/err" ]; then cp "$tmp/err" "$cas.err"; else rm -f "$cas.err"; fi
    if [ "$code" != 1 ]; then echo "$code" >"$cas.code"; else rm -f "$cas.code"; fi
    exit 0
fi

compare () { # attendu obtenu libelle
    if ! cmp -s "$1" "$2"; then
        echo "=== $3 differe"
        diff "$1" "$2" | head -20
        echec=1
    fi
}
attendu=1
[ -f "$cas.code" ] && attendu=$(cat "$cas.code")
[ "$code" = "$attendu" ] || { echo "=== statut $code au lieu de $attendu"; echec=1; }
if [ -f "$cas.out" ]; then compare "$cas.out" "$tmp/out" "sortie standard"
else compare /dev/null "$tmp/out" "sortie standard"; fi
if [ -f "$cas.err" ]; then compare "$cas.err" "$tmp/err" "erreur standard"
else compare /dev/null "$tmp/err" "erreur standard"; fi
# Jamais un signal ni une fin brutale : le statut d'une erreur d'execution est 1 (200 + n : tue par
# le signal n, sous tramelo-exec ; 128 + n quand le programme est lance ici).
if [ "${options[0]:-}" = --traduire ]; then base_signal=128; else base_signal=200; fi
[ "$code" = "$attendu" ] || [ "$code" -lt "$base_signal" ] || [ "$code" -gt $((base_signal + 64)) ] ||
    { echo "=== le programme a ete tue par le signal $((code - base_signal))"; echec=1; }
[ -z "$(ls -A "$TMPDIR")" ] || { echo "=== dossier de travail laisse : $(ls -A "$TMPDIR")"; echec=1; }
exit $echec
