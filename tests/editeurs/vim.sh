#!/bin/sh
# Colore des sources avec Vim lui-meme (sans configuration utilisateur) et verifie le groupe
# de syntaxe de chaque mot reserve du traducteur et de chaque sorte de jeton.
#   vim.sh <editeurs/vim> <tramelo-vocabulaire>
# Statut 77 (test saute) sans vim.
set -u
rtp=$1
vocabulaire=$2
if ! command -v vim >/dev/null 2>&1; then
    echo "Test saute : vim absent"
    exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Source et attendus "ligne colonne groupe" (groupe vide : aucune coloration).
: >"$tmp/essai.algo"
: >"$tmp/attendus"
n=0
ajouter () { # ligne de source, puis triplets colonne:longueur:groupe
    n=$((n + 1))
    printf '%s\n' "$1" >>"$tmp/essai.algo"
    shift
    for verif in "$@"; do
        col=${verif%%:*}; reste=${verif#*:}; long=${reste%%:*}; groupe=${reste#*:}
        # Premier et dernier caractere du jeton.
        printf '%s %s %s\n' "$n" "$col" "$groupe" >>"$tmp/attendus"
        printf '%s %s %s\n' "$n" $((col + long - 1)) "$groupe" >>"$tmp/attendus"
    done
}

"$vocabulaire" >"$tmp/vocab" || { echo "tramelo-vocabulaire a echoue"; exit 1; }
[ "$(wc -l <"$tmp/vocab")" -ge 61 ] || { echo "vocabulaire trop court"; exit 1; }
while read -r categorie mot; do
    case $categorie in
        structure) g=algoStructure ;;
        bloc) g=algoBloc ;;
        motcle) g=algoMotCle ;;
        operateur) g=algoOperateur ;;
        procedure) g=algoProcedure ;;
        fonction) g=algoFonction ;;
        type) g=algoType ;;
        constante) g=algoConstante ;;
        *) echo "categorie inconnue : $categorie"; exit 1 ;;
    esac
    long=${#mot}
    ajouter "x $mot (y);" "3:$long:$g"
    # Colle a d'autres caracteres d'identificateur, ce n'est plus le mot reserve.
    ajouter "x_$mot <- ${mot}2;" "1:$((long + 2)):" "$((long + 7)):$((long + 1)):"
done <"$tmp/vocab"

# La casse compte.
ajouter "et <- Si + rand + VAUT + Vrai;" "1:2:" "7:2:" "12:4:" "19:4:" "26:4:"
# Autres jetons.
ajouter "x <- 12 + 2.5 + 25e-1 + x1;" "6:2:algoNombre" "11:3:algoNombre" "17:5:algoNombre" "25:2:"
ajouter 'afficher ("a \"b // c", '"'x', '\\'', c);" "11:2:algoChaine" "14:2:algoEchappement" \
    "17:4:algoChaine" "25:3:algoCaractere" "30:1:algoCaractere" "31:2:algoEchappement" \
    "33:1:algoCaractere" "36:1:"
ajouter "x <- 1; // fin \"ouvert" "9:14:algoCommentaire"
ajouter "s <- \"x\\\\\" + si;" "6:1:algoChaine" "8:2:algoEchappement" "14:2:algoStructure"
ajouter "si (x > 1) continue;" "12:8:algoContextuel"
ajouter "pour (i variant_de 9 a 1 descendant) faire" "26:10:algoContextuel"
ajouter "descendant <- 1;" "1:10:"
ajouter "x <- a <= b;" "3:2:algoOperateurSymbole" "8:2:algoOperateurSymbole"

cat >"$tmp/verifier.vim" <<'FIN'
let s:sortie = []
for s:l in readfile($ATTENDUS)
  let [s:ligne, s:col, s:attendu] = split(s:l . ' ', ' ', 1)[0:2]
  let s:obtenu = synIDattr(synID(str2nr(s:ligne), str2nr(s:col), 1), 'name')
  if s:obtenu !=# s:attendu
    call add(s:sortie, 'ligne ' . s:ligne . ' colonne ' . s:col . ' (' . getline(str2nr(s:ligne)) . ') : attendu "' . s:attendu . '", obtenu "' . s:obtenu . '"')
  endif
endfor
call add(s:sortie, 'filetype=' . &filetype)
call writefile(s:sortie, $SORTIE)
qall!
FIN

ATTENDUS=$tmp/attendus SORTIE=$tmp/sortie vim -u NONE -i NONE -N -n -Es \
    --cmd "set rtp^=$rtp" --cmd 'filetype on' --cmd 'syntax on' \
    -c "source $tmp/verifier.vim" "$tmp/essai.algo" </dev/null >/dev/null 2>&1
if [ ! -f "$tmp/sortie" ]; then
    echo "vim n'a rien produit"
    exit 1
fi
echec=0
if ! grep -qx 'filetype=algo' "$tmp/sortie"; then
    echo "le type de fichier .algo n'est pas detecte"
    echec=1
fi
if grep -v '^filetype=' "$tmp/sortie"; then
    echec=1
fi
nb=$(wc -l <"$tmp/attendus")
if [ $echec = 0 ]; then
    echo "$nb verifications de coloration Vim reussies"
fi
exit $echec
