#!/usr/bin/env bash
# Lanceur unique des cas ecrits en fichiers : un source CAS.algo et, a cote, ses attendus.
#
#   cas.sh golden    TRADUCTEUR CAS.algo     la traduction exacte (Tramelo, ou tramelo-wasm.mjs)
#   cas.sh golden    TRADUCTEUR --entete     l'en-tete commun lui-meme
#   cas.sh verifie   TRAMELO_EXEC CAS.algo   un cas de reference dans le profil verifie
#   cas.sh execution TRAMELO_EXEC CAS.algo   une erreur d'execution du profil verifie
#
# Avec TRAMELO_REGENERER=1 (modes golden et execution), les attendus du cas sont ecrits au lieu
# d'etre compares (a relire avant de les valider !) ; l'en-tete commun ne change qu'a la main.
# Statut : 0 si tout est conforme, 1 sinon (chaque ecart ecrit par "ECHEC : ..." et, pour un
# fichier, le diff unifie attendu/obtenu), 77 si le cas demande un outil absent (gdb), 2 si la
# ligne de commande est fausse. N'emploie que bash, coreutils, diff et g++ : ni python3, ni un
# binaire natif de plus que l'outil essaye (le preset wasm y passe son traducteur node).
#
# Fichiers d'un cas (absent : la valeur entre parentheses)
#  golden (tests/golden/, exemples/) :
#   CAS.out      sortie standard apres l'en-tete commun (obligatoire)
#   CAS.err      erreur standard (vide)
#   CAS.code     statut du traducteur (0)
#   CAS.args     argument de tabulation (aucun)
#   CAS.in       entree du programme produit (vide)
#   CAS.run      sortie du programme produit ; s'il existe, le C++ est compile et execute,
#                sinon il est seulement compile (-fsyntax-only)
#   CAS.runcode  statut du programme produit (0)
#   Toute traduction commencee ecrit d'abord l'en-tete commun (tests/golden/entete.txt) : la
#   sortie commence par lui, octet pour octet, et seul ce qui le suit est dans CAS.out. Les
#   erreurs de ligne de commande (statuts 252 et 253) arretent tout avant : sortie vide.
#  verifie (les memes cas, par tramelo-exec --traduire) : un source refuse l'est avec CAS.code ;
#   un source accepte donne un C++ du profil verifie (#line) qui compile ; avec CAS.run, le
#   programme donne sur CAS.in la meme sortie et le meme statut (CAS.runcode) que le profil
#   standard, l'erreur standard vide. Seule difference permise : un indice invalide (statut 1)
#   est signale sur l'erreur standard (p.algo:L:C: erreur : Indice invalide : ...) au lieu du
#   texte "\nIndice invalide\n" a la fin de la sortie.
#  execution (tests/execution/<famille>/) : tramelo-exec lance CAS.algo depuis son dossier, sous
#   son nom court (les messages disent CAS.algo:LIGNE:COLONNE) :
#   CAS.err      erreur standard, exactement (vide)
#   CAS.out      sortie standard (vide)
#   CAS.code     statut (1, celui d'une erreur d'execution)
#   CAS.in       entree du programme (vide)
#   CAS.options  options de tramelo-exec, sur une ligne (aucune) ; "--traduire" en tete : le C++
#                du profil verifie est ecrit par tramelo-exec, puis compile et execute ici ;
#                --pas-a-pas ou --deboguer : cas saute sans gdb
#   CAS.memoire  memoire virtuelle permise au programme, en Kio (illimitee ; ulimit -v, le
#                programme etant alors construit par --traduire)
#   CAS.pile     pile permise au programme, en Kio (ulimit -s, limites douce et dure ; le
#                programme est alors construit par --traduire)
#   CAS.env      variables d'environnement du programme, une VARIABLE=valeur par ligne
#   En plus : jamais un signal (statut 200 + n sous tramelo-exec, 128 + n lance ici) que CAS.code
#   n'attende pas, et le dossier temporaire (TMPDIR) vide apres le cas.
# Les cas expliques (tests/explications/*.cas) ont leur propre lanceur, verifier_cas.py.
set -u
export NO_COLOR=1

mode=${1:-}
outil=${2:-}
cible=${3:-}
if [ -z "$cible" ] || [ $# -ne 3 ]; then
    echo "usage : cas.sh golden|verifie|execution OUTIL CAS.algo (golden : ou --entete)" >&2
    exit 2
fi
# Les modes verifie et execution lancent l'outil depuis un autre dossier : chemin absolu.
case $outil in
    */*) outil=$(cd "$(dirname "$outil")" && pwd)/$(basename "$outil") ;;
esac
regenerer=${TRAMELO_REGENERER:-0}
cxx=${CXX:-g++}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echecs=0

# --- Assertions -----------------------------------------------------------------------------

# echouer LIBELLE [FICHIER_DE_DETAIL] : un ecart, avec au besoin ce qui l'explique.
echouer() {
    echo "ECHEC : $1"
    [ $# -lt 2 ] || head -c 4000 "$2"
    echecs=$((echecs + 1))
}

# terminer : fin du cas, statut 1 s'il y a eu un ecart.
terminer() {
    [ "$echecs" = 0 ] || { echo "$echecs ecart(s)"; exit 1; }
    exit 0
}

# attendre_fichier [-r] ATTENDU OBTENU LIBELLE : memes octets. ATTENDU absent vaut vide, sauf avec
# -r (requis). En regeneration, OBTENU est copie dans ATTENDU (supprime s'il est vide et facultatif).
attendre_fichier() {
    local requis=0
    [ "$1" = -r ] && { requis=1; shift; }
    local attendu=$1 obtenu=$2 libelle=$3
    if [ "$regenerer" = 1 ]; then
        if [ "$requis" = 1 ] || [ -s "$obtenu" ]; then cp "$obtenu" "$attendu"; else rm -f "$attendu"; fi
        return
    fi
    if [ ! -f "$attendu" ]; then
        [ "$requis" = 0 ] || { echouer "$libelle : attendu manquant ($attendu)"; return; }
        attendu=/dev/null
    fi
    if ! cmp -s "$attendu" "$obtenu"; then
        # Le chemin de l'attendu n'est dit que s'il est un fichier du cas (pas une copie de travail).
        case $attendu in
            "$tmp"/*) echouer "$libelle differe" ;;
            *) echouer "$libelle differe ($attendu)" ;;
        esac
        diff -a -u --label "attendu" --label "obtenu" "$attendu" "$obtenu" | head -n 60
    fi
}

# statut_attendu FICHIER DEFAUT : le statut ecrit dans FICHIER, ou DEFAUT s'il est absent.
statut_attendu() {
    if [ -f "$1" ]; then tr -d ' \n' <"$1"; else echo "$2"; fi
}

# attendre_statut OBTENU FICHIER DEFAUT LIBELLE : le statut OBTENU est celui de FICHIER (DEFAUT
# s'il est absent). En regeneration, FICHIER est ecrit (supprime si OBTENU vaut DEFAUT).
attendre_statut() {
    local obtenu=$1 fichier=$2 defaut=$3 libelle=$4
    if [ "$regenerer" = 1 ]; then
        if [ "$obtenu" != "$defaut" ]; then echo "$obtenu" >"$fichier"; else rm -f "$fichier"; fi
        return
    fi
    local attendu
    attendu=$(statut_attendu "$fichier" "$defaut")
    [ "$obtenu" = "$attendu" ] || echouer "$libelle : statut $obtenu au lieu de $attendu"
}

# compiler SOURCE.cpp [EXECUTABLE] : le C++ produit compile (sans EXECUTABLE : syntaxe seule) ;
# sinon l'ecart est note, avec les messages de g++, et le cas s'arrete.
compiler() {
    if [ $# = 1 ]; then
        "$cxx" -std=c++17 -fsyntax-only "$1" 2>"$tmp/cxx"
    else
        "$cxx" -std=c++17 -O1 -o "$2" "$1" 2>"$tmp/cxx"
    fi || { echouer "le C++ produit ne compile pas" "$tmp/cxx"; terminer; }
}

entree_de() { # CAS : son entree, ou /dev/null
    if [ -f "$1.in" ]; then echo "$1.in"; else echo /dev/null; fi
}

# --- golden : la traduction exacte ----------------------------------------------------------

golden() {
    local entete lignes_entete
    entete=$(dirname "$0")/golden/entete.txt
    lignes_entete=$(wc -l <"$entete")
    if [ "$cible" = --entete ]; then
        # Le plus petit algorithme : sa sortie commence par l'en-tete complet.
        printf 'algorithme A debut fin\n' >"$tmp/a.algo"
        "$outil" "$tmp/a.algo" >"$tmp/out"
        head -n "$lignes_entete" "$tmp/out" >"$tmp/entete"
        regenerer=0
        attendre_fichier -r "$entete" "$tmp/entete" "en-tete commun"
        terminer
    fi

    local cas=${cible%.algo} args=() code attendu
    [ -f "$cas.args" ] && args+=("$(cat "$cas.args")")
    "$outil" "$cas.algo" "${args[@]}" >"$tmp/out" 2>"$tmp/err"
    code=$?
    attendu=$(statut_attendu "$cas.code" 0)
    [ "$regenerer" = 1 ] && attendu=$code
    # Un en-tete est attendu sauf pour une erreur de ligne de commande.
    if [ "$attendu" = 252 ] || [ "$attendu" = 253 ]; then
        cp "$tmp/out" "$tmp/suite"
    else
        head -n "$lignes_entete" "$tmp/out" | cmp -s "$entete" - ||
            echouer "la sortie ne commence pas par l'en-tete commun (detail : test golden/entete)"
        tail -n +"$((lignes_entete + 1))" "$tmp/out" >"$tmp/suite"
    fi
    attendre_fichier -r "$cas.out" "$tmp/suite" "sortie standard apres l'en-tete"
    attendre_fichier "$cas.err" "$tmp/err" "erreur standard"
    attendre_statut "$code" "$cas.code" 0 "traduction"
    [ "$code" = 0 ] || terminer

    cp "$tmp/out" "$tmp/prog.cpp"
    if [ -f "$cas.run" ] || { [ "$regenerer" = 1 ] && [ -f "$cas.in" ]; }; then
        compiler "$tmp/prog.cpp" "$tmp/prog"
        timeout 20 "$tmp/prog" <"$(entree_de "$cas")" >"$tmp/run"
        local runcode=$?
        attendre_fichier -r "$cas.run" "$tmp/run" "sortie du programme produit"
        attendre_statut "$runcode" "$cas.runcode" 0 "programme produit"
    else
        compiler "$tmp/prog.cpp"
    fi
    terminer
}

# --- verifie : un cas de reference dans le profil verifie -----------------------------------

verifie() {
    local cas=${cible%.algo} args=() code attendu
    regenerer=0 # les attendus sont ceux du profil standard : jamais reecrits d'ici
    mkdir "$tmp/tmpdir"
    export TMPDIR=$tmp/tmpdir
    [ -f "$cas.args" ] && args+=("$(cat "$cas.args")")
    cp "$cas.algo" "$tmp/p.algo"
    (cd "$tmp" && "$outil" --traduire p.algo "${args[@]}") >/dev/null 2>"$tmp/traduction"
    code=$?
    attendu=$(statut_attendu "$cas.code" 0)
    if [ "$attendu" != 0 ]; then
        [ "$code" = "$attendu" ] || echouer "statut $code au lieu de $attendu" "$tmp/traduction"
        terminer
    fi
    # Un avertissement ou une fonction sans renvoie (150) n'empechent pas --traduire d'ecrire le C++.
    [ -f "$tmp/p.cpp" ] || { echouer "pas de C++ (statut $code)" "$tmp/traduction"; terminer; }
    grep -q '^#line ' "$tmp/p.cpp" || { echouer "C++ sans #line : pas le profil verifie"; terminer; }
    [ -f "$cas.run" ] || { compiler "$tmp/p.cpp"; terminer; }

    compiler "$tmp/p.cpp" "$tmp/p"
    (cd "$tmp" && timeout 20 ./p) <"$(entree_de "$cas")" >"$tmp/run" 2>"$tmp/err"
    local runcode=$? attendu_run
    attendu_run=$(statut_attendu "$cas.runcode" 0)
    cp "$cas.run" "$tmp/attendu"
    : >"$tmp/err_attendue"
    if [ "$attendu_run" = 1 ] && [ "$(tail -c 17 "$cas.run")" = "$(printf '\nIndice invalide')" ]; then
        head -c -17 "$cas.run" >"$tmp/attendu"
        grep -q '^p\.algo:[0-9]*:[0-9]*: erreur : Indice invalide : ' "$tmp/err" ||
            echouer "indice invalide non signale sur l'erreur standard" "$tmp/err"
        cp "$tmp/err" "$tmp/err_attendue"
    fi
    attendre_fichier "$tmp/err_attendue" "$tmp/err" "erreur standard du programme"
    attendre_fichier "$tmp/attendu" "$tmp/run" "sortie du programme (comparee a $cas.run)"
    attendre_statut "$runcode" "$cas.runcode" 0 "programme"
    terminer
}

# --- execution : une erreur d'execution, par tramelo-exec -----------------------------------

execution() {
    local cas=${cible%.algo} dossier nom options=() memoire=unlimited pile= entree code affectation
    dossier=$(cd "$(dirname "$cas")" && pwd)
    nom=$(basename "$cas")
    mkdir "$tmp/tmpdir"
    export TMPDIR=$tmp/tmpdir
    entree=$(entree_de "$cas")
    [ -f "$cas.options" ] && read -r -a options <"$cas.options"
    case " ${options[*]:-} " in
        *" --pas-a-pas "*|*" --deboguer "*)
            command -v "${GDB:-gdb}" >/dev/null 2>&1 || { echo "Test saute : gdb absent"; exit 77; } ;;
    esac
    [ -f "$cas.memoire" ] && memoire=$(cat "$cas.memoire")
    [ -f "$cas.pile" ] && pile=$(cat "$cas.pile")
    if [ -f "$cas.env" ]; then
        while IFS= read -r affectation; do [ -n "$affectation" ] && export "$affectation"; done <"$cas.env"
    fi

    # Les limites de memoire et de pile ne visent que le programme : tramelo-exec (construit avec
    # ASan, par exemple) n'a pas a les subir ; le programme est alors construit par --traduire et
    # lance ici.
    if { [ "$memoire" != unlimited ] || [ -n "$pile" ]; } && [ "${options[0]:-}" != --traduire ]; then
        options=(--traduire "${options[@]}")
    fi
    local base_signal=200
    if [ "${options[0]:-}" = --traduire ]; then
        base_signal=128
        cp "$cas.algo" "$tmp/$nom.algo"
        (cd "$tmp" && "$outil" "${options[@]}" "$nom.algo") >/dev/null 2>"$tmp/traduction" ||
            { echouer "tramelo-exec --traduire a echoue" "$tmp/traduction"; terminer; }
        compiler "$tmp/$nom.cpp" "$tmp/programme"
        (cd "$dossier" && ulimit -v "$memoire" && { [ -z "$pile" ] || ulimit -s "$pile"; } &&
            timeout 60 "$tmp/programme") <"$entree" >"$tmp/out" 2>"$tmp/err"
        code=$?
    else
        (cd "$dossier" && ulimit -v "$memoire" && timeout 120 "$outil" "${options[@]}" "$nom.algo") \
            <"$entree" >"$tmp/out" 2>"$tmp/err"
        code=$?
    fi

    attendre_statut "$code" "$cas.code" 1 "tramelo-exec"
    attendre_fichier "$cas.out" "$tmp/out" "sortie standard"
    attendre_fichier "$cas.err" "$tmp/err" "erreur standard"
    # Jamais un signal ni une fin brutale, sauf quand CAS.code l'attend (le profil standard
    # arrete par le systeme, par exemple : son C++ n'a pas de controles).
    if [ "$code" -gt "$base_signal" ] && [ "$code" -le $((base_signal + 64)) ] &&
        [ "$code" != "$(statut_attendu "$cas.code" 1)" ]; then
        echouer "le programme a ete tue par le signal $((code - base_signal))"
    fi
    [ -z "$(ls -A "$TMPDIR")" ] || echouer "dossier de travail laisse : $(ls -A "$TMPDIR" | tr '\n' ' ')"
    terminer
}

case $mode in
    golden) golden ;;
    verifie) verifie ;;
    execution) execution ;;
    *) echo "cas.sh : mode inconnu « $mode » (golden, verifie ou execution)" >&2; exit 2 ;;
esac
