#!/bin/sh
# « :make » de Vim avec le compilateur tramelo (tramelo-verifier) : chaque diagnostic devient une
# entree quickfix au bon fichier, a la bonne ligne et colonne, du bon type, aides comprises.
#   vim_make.sh <editeurs/vim> <dossier de tramelo-verifier>
# Statut 77 (test saute) sans vim.
set -u
rtp=$(cd "$1" && pwd)
outils=$(cd "$2" && pwd)
if ! command -v vim >/dev/null 2>&1; then
    echo "Test saute : vim absent"
    exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echec=0
ko () { echo "ECHEC : $*"; echec=1; }

# Une erreur (ligne 5, « = » au 4e octet, apres une tabulation) et un avertissement.
printf 'algorithme A\ndebut\n    declarer x : entier;\n    declarer r : reel;\n\tx = 5;\nfin\n' >"$tmp/erreur.algo"
printf 'algorithme A\ndebut\n    declarer r : reel;\n    r <- 7 / 2.0;\nfin\n' >"$tmp/attention.algo"

cat >"$tmp/liste.vim" <<'FIN'
silent make
let s:sortie = []
for s:e in getqflist()
  if s:e.valid
    call add(s:sortie, fnamemodify(bufname(s:e.bufnr), ':t') . '|' . s:e.lnum . '|' . s:e.col . '|' . s:e.type . '|' . substitute(s:e.text, '\n', '¶', 'g'))
  endif
endfor
call add(s:sortie, 'compilateur=' . get(b:, 'current_compiler', ''))
call writefile(s:sortie, $SORTIE)
qall!
FIN

for cas in erreur attention; do
    (cd "$tmp" && PATH="$outils:$PATH" SORTIE="$tmp/$cas.txt" vim -u NONE -i NONE -N -n -Es \
        --cmd "set rtp^=$rtp" --cmd 'filetype plugin on' \
        -c "source $tmp/liste.vim" "$cas.algo" </dev/null >/dev/null 2>&1)
    [ -f "$tmp/$cas.txt" ] || { ko "vim n'a rien produit ($cas)"; continue; }
    grep -qx 'compilateur=tramelo' "$tmp/$cas.txt" || ko "le compilateur tramelo n'est pas choisi pour .algo ($cas)"
    nb=$(grep -vc '^compilateur=' "$tmp/$cas.txt")
    [ "$nb" = 1 ] || { ko "$nb entrees quickfix au lieu d'une ($cas)"; cat "$tmp/$cas.txt"; }
done
grep -q "^erreur.algo|5|4|E|l'affectation s'écrit avec la flèche « <- », pas avec « = » \\[110\\]¶aide : " "$tmp/erreur.txt" \
    || { ko "entree de l'erreur :"; cat "$tmp/erreur.txt"; }
grep -q '^attention.algo|4|14|W|division entière' "$tmp/attention.txt" \
    || { ko "entree de l'avertissement :"; cat "$tmp/attention.txt"; }
[ $echec = 0 ] && echo "quickfix de Vim : erreur et avertissement reconnus"
exit $echec
