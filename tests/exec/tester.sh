#!/bin/sh
# Tests de tramelo-exec sur de vrais programmes : entree, sortie, statuts, signaux, menage.
#   tester.sh <tramelo-exec> <Tramelo> <cas>
# Chaque cas tourne avec un TMPDIR neuf, qui doit etre vide a la fin (sauf mention).
set -u
exec_outil=$1
tramelo=$2
cas=$3
ici=$(cd "$(dirname "$0")" && pwd)
prog=$ici/programmes

bac=$(mktemp -d)
trap 'rm -rf "$bac"' EXIT
TMPDIR=$bac/tmp
export TMPDIR
mkdir "$TMPDIR"
unset TRAMELO CXX
echec=0

ko () { echo "ECHEC : $*"; echec=1; }

# lancer <entree> <args...> : resultats dans $bac/out, $bac/err, $statut.
lancer () {
    entree=$1
    shift
    "$exec_outil" "$@" <"$entree" >"$bac/out" 2>"$bac/err"
    statut=$?
}

attendre_statut () { [ "$statut" = "$1" ] || ko "statut $statut au lieu de $1 ($2)"; }
attendre_sortie () { # fichier attendu, libelle
    cmp -s "$1" "$bac/out" || { ko "sortie differente ($2)"; diff "$1" "$bac/out" | head -20; }
}
attendre_vide () { # fichier, libelle
    [ ! -s "$1" ] || { ko "$2 non vide :"; head -20 "$1"; }
}
tmp_vide () {
    reste=$(ls -A "$TMPDIR")
    [ -z "$reste" ] || ko "dossier temporaire non vide apres $1 : $reste"
}

case $cas in
lecture)
    # Un programme qui lit son entree : le terminal est bien branche sur le programme.
    lancer "$prog/lecture.in" "$prog/lecture.algo"
    printf 'Eleve : Camille Martin\nMoyenne : 12.1667, meilleure : 15\nGroupe B\n' >"$bac/attendu"
    attendre_statut 0 lecture
    attendre_sortie "$bac/attendu" lecture
    attendre_vide "$bac/err" "erreur standard"
    tmp_vide lecture
    [ ! -e "$prog/lecture.cpp" ] || ko "un .cpp a ete laisse a cote du source sans --garder"
    # Chemin relatif, depuis un autre dossier, avec la taille de tabulation.
    (cd "$prog/.." && "$exec_outil" programmes/lecture.algo 8 <"$prog/lecture.in" >"$bac/out2" 2>&1)
    statut=$?
    attendre_statut 0 "chemin relatif et tabulation 8"
    cmp -s "$bac/attendu" "$bac/out2" || ko "sortie differente avec chemin relatif"
    # Entree vide : le profil verifie arrete le programme a la premiere saisie, en le disant.
    lancer /dev/null "$prog/lecture.algo"
    attendre_statut 1 "entree vide"
    grep -qx "$prog/lecture.algo:15:13: erreur : saisir (nom) : fin de l'entrée, une ligne était attendue" "$bac/err" \
        || { ko "fin de l'entree non signalee :"; cat "$bac/err"; }
    tmp_vide "entree vide"
    # Le profil standard, lui, tourne jusqu'au bout avec des valeurs vides.
    lancer /dev/null --standard "$prog/lecture.algo"
    attendre_statut 0 "entree vide (--standard)"
    tmp_vide "entree vide (--standard)"
    ;;

indice)
    # Le statut du programme est rendu : 1 apres un indice hors bornes, signale avec sa ligne
    # sur l'erreur standard (profil verifie), ou par le texte du profil standard.
    lancer /dev/null "$prog/indice.algo"
    printf 'avant\n' >"$bac/attendu"
    attendre_statut 1 "indice hors bornes"
    attendre_sortie "$bac/attendu" "indice hors bornes"
    printf '%s\n' "$prog/indice.algo:11:12: erreur : Indice invalide : 3 hors de 0..2" \
        "note : le tableau t a 3 éléments (taille (t) vaut 3) : ses indices vont de 0 à 2" >"$bac/attendu_err"
    cmp -s "$bac/attendu_err" "$bac/err" || { ko "erreur d'execution :"; cat "$bac/err"; }
    tmp_vide "indice hors bornes"
    lancer /dev/null --standard "$prog/indice.algo"
    printf 'avant\n\nIndice invalide\n' >"$bac/attendu"
    attendre_statut 1 "indice hors bornes (--standard)"
    attendre_sortie "$bac/attendu" "indice hors bornes (--standard)"
    attendre_vide "$bac/err" "erreur standard (--standard)"
    tmp_vide "indice hors bornes (--standard)"
    # Un programme tue par un signal (profil standard) : tramelo-exec dit lequel et pourquoi ;
    # statut 200 + n, jamais confondu avec un code de Tramelo.
    lancer /dev/null --standard "$prog/division_zero.algo"
    attendre_statut 208 "division par zero (--standard)"
    grep -qx "tramelo-exec : le programme a ete arrete par le signal 8 (SIGFPE) : .*" "$bac/err" \
        || { ko "signal non explique :"; cat "$bac/err"; }
    lancer /dev/null "$prog/division_zero.algo"
    attendre_statut 1 "division par zero"
    grep -qx "$prog/division_zero.algo:7:17: erreur : Division par zéro : 7 / 0" "$bac/err" \
        || { ko "division par zero :"; cat "$bac/err"; }
    tmp_vide "division par zero"
    ;;

erreur)
    # Erreur de traduction : exactement le message et le statut de Tramelo, rien sur la sortie.
    printf 'Ligne    7 - k : Le parametre doit etre une variable\n' >"$bac/attendu_err"
    "$tramelo" "$prog/erreur.algo" >/dev/null 2>"$bac/err_direct"
    statut_direct=$?
    [ "$statut_direct" = 120 ] || ko "Tramelo rend $statut_direct au lieu de 120"
    cmp -s "$bac/attendu_err" "$bac/err_direct" || ko "message de Tramelo inattendu : $(cat "$bac/err_direct")"
    # tramelo-exec l'explique au format de GCC (tramelo-verifier) ; le statut reste celui de Tramelo.
    lancer /dev/null "$prog/erreur.algo"
    attendre_statut 120 "erreur de traduction"
    grep -qx "$prog/erreur.algo:7:13: erreur : k : Le parametre doit etre une variable \[120\]" "$bac/err" \
        || { ko "en-tete GCC absent :"; cat "$bac/err"; }
    grep -q '^aide : ' "$bac/err" || ko "aucune aide sous l'erreur"
    attendre_vide "$bac/out" "sortie standard"
    tmp_vide "erreur de traduction"
    # Fichier absent et tabulation invalide : les messages de Tramelo passent aussi tels quels.
    comparer_a_tramelo () {
        "$tramelo" "$@" >/dev/null 2>"$bac/err_direct"
        statut_direct=$?
        lancer /dev/null "$@"
        attendre_statut "$statut_direct" "$*"
        cmp -s "$bac/err_direct" "$bac/err" || { ko "message different pour $* :"; cat "$bac/err"; }
        attendre_vide "$bac/out" "sortie standard ($*)"
        tmp_vide "$*"
    }
    comparer_a_tramelo "$bac/absent.algo"
    attendre_statut 252 "fichier absent"
    comparer_a_tramelo "$prog/lecture.algo" 0
    attendre_statut 253 "tabulation 0"
    comparer_a_tramelo "$prog/lecture.algo" x
    attendre_statut 253 "tabulation x"
    ;;

garder)
    # --garder : le C++ reste a cote du source, meme dans un dossier au nom compose.
    d="$bac/mes essais"
    mkdir "$d"
    cp "$prog/lecture.algo" "$d/mon programme.algo"
    lancer "$prog/lecture.in" --garder "$d/mon programme.algo"
    attendre_statut 0 "--garder"
    grep -q "^#line 2 \"$d/mon programme.algo\"\$" "$d/mon programme.cpp" || ko "--garder : C++ verifie absent"
    grep -q '^Moyenne : 12.1667' "$bac/out" || ko "--garder : le programme n'a pas tourne"
    # --standard : exactement le C++ de Tramelo.
    lancer "$prog/lecture.in" --garder --standard "$d/mon programme.algo"
    attendre_statut 0 "--garder --standard"
    "$tramelo" "$d/mon programme.algo" >"$bac/reference.cpp"
    cmp -s "$bac/reference.cpp" "$d/mon programme.cpp" || ko "--garder --standard : C++ absent ou different"
    tmp_vide "--garder"
    # Une traduction ratee ne touche pas au .cpp existant.
    cp "$prog/erreur.algo" "$d/faux.algo"
    echo ancien >"$d/faux.cpp"
    lancer /dev/null --garder "$d/faux.algo"
    attendre_statut 120 "--garder sur une erreur"
    [ "$(cat "$d/faux.cpp")" = ancien ] || ko "--garder a ecrase le .cpp d'une traduction ratee"
    tmp_vide "--garder sur une erreur"
    # Un source sans extension .algo : le C++ ne remplace pas le source.
    cp "$prog/indice.algo" "$d/indice"
    lancer /dev/null --garder "$d/indice"
    attendre_statut 1 "--garder sans extension"
    if [ ! -f "$d/indice.cpp" ] || ! cmp -s "$prog/indice.algo" "$d/indice"; then
        ko "--garder sans extension"
    fi
    ;;

compilation)
    # Compilateur en echec : message en francais, C++ conserve a l'endroit annonce.
    faux="$bac/faux-compilateur"
    printf '#!/bin/sh\necho "erreur simulee du compilateur" >&2\nexit 1\n' >"$faux"
    chmod +x "$faux"
    CXX=$faux "$exec_outil" "$prog/lecture.algo" </dev/null >"$bac/out" 2>"$bac/err"
    statut=$?
    attendre_statut 161 "compilation ratee"
    attendre_vide "$bac/out" "sortie standard"
    grep -q 'erreur simulee du compilateur' "$bac/err" || ko "messages du compilateur non affiches"
    garde=$(sed -n 's/^tramelo-exec : la compilation du C++ produit a echoue ; il est conserve dans //p' "$bac/err")
    [ -n "$garde" ] || { ko "message de compilation ratee absent :"; cat "$bac/err"; }
    if [ -z "$garde" ] || ! grep -q '^#line 2 ' "$garde"; then
        ko "C++ conserve absent ou different : $garde"
    fi
    case $garde in "$TMPDIR"/*) ;; *) ko "C++ conserve hors du dossier temporaire : $garde" ;; esac
    # Seul le .cpp reste ; on le retire avant le bilan du dossier temporaire.
    [ "$(ls -A "${garde%/*}")" = programme.cpp ] || ko "reste dans le dossier conserve : $(ls -A "${garde%/*}")"
    rm -rf "${garde%/*}"
    tmp_vide "compilation ratee"
    # Avec --garder, c'est le fichier a cote du source qui est annonce.
    cp "$prog/lecture.algo" "$bac/copie.algo"
    CXX=$faux "$exec_outil" --garder "$bac/copie.algo" </dev/null >/dev/null 2>"$bac/err"
    grep -q "conserve dans $bac/copie.cpp\$" "$bac/err" || { ko "--garder : chemin annonce"; cat "$bac/err"; }
    tmp_vide "compilation ratee avec --garder"
    # CXX avec des options : decoupe en mots.
    CXX="g++ -DTRAMELO_ESSAI -w" "$exec_outil" --standard "$prog/indice.algo" </dev/null >"$bac/out" 2>"$bac/err"
    statut=$?
    attendre_statut 1 "CXX avec options"
    attendre_vide "$bac/err" "erreur standard (CXX avec options)"
    # Sans compilateur, le programme est interprete (tests/interpreteur) ; --compiler l'exige.
    CXX=/inexistant/g++ "$exec_outil" --compiler "$prog/indice.algo" </dev/null >/dev/null 2>"$bac/err"
    statut=$?
    attendre_statut 162 "compilateur introuvable"
    grep -q 'compilateur C++ introuvable' "$bac/err" || ko "message compilateur introuvable"
    tmp_vide "compilateur introuvable"
    ;;

autonome)
    # Le traducteur est dans tramelo-exec : copie seule, sans Tramelo nulle part, il marche.
    mkdir "$bac/seul"
    cp "$exec_outil" "$bac/seul/tramelo-exec"
    PATH=$(dirname "$(command -v g++)") "$bac/seul/tramelo-exec" "$prog/lecture.algo" <"$prog/lecture.in" >"$bac/out" 2>"$bac/err"
    statut=$?
    attendre_statut 0 "tramelo-exec seul"
    grep -q '^Moyenne : 12.1667' "$bac/out" || { ko "tramelo-exec seul : le programme n'a pas tourne"; cat "$bac/err"; }
    tmp_vide autonome
    ;;

ligne_commande)
    lancer /dev/null --aide
    attendre_statut 0 "--aide"
    grep -q '^Usage : tramelo-exec \[--garder\] fichier.algo \[taille_tabulation\]$' "$bac/out" || ko "--aide sans usage"
    for args in "" "a.algo 4 x" "--inconnue a.algo"; do
        # shellcheck disable=SC2086
        lancer /dev/null $args
        attendre_statut 253 "arguments : '$args'"
        grep -q '^Usage : tramelo-exec' "$bac/err" || ko "usage absent pour '$args'"
        attendre_vide "$bac/out" "sortie standard ('$args')"
    done
    lancer /dev/null --aide
    grep -q '^  --memoire N ' "$bac/out" || ko "--aide sans --memoire"
    # --memoire : un nombre de Mio de 1 a 2^30, et seulement quand le programme tourne.
    for args in "--memoire 0 a.algo" "--memoire=abc a.algo" "--memoire 1073741825 a.algo" "--memoire=-5 a.algo" \
                "--traduire --memoire 64 a.algo" "--memoire 64 --construire-seulement a.algo"; do
        # shellcheck disable=SC2086
        lancer /dev/null $args
        attendre_statut 253 "arguments : '$args'"
        grep -q '^tramelo-exec : .*memoire' "$bac/err" || { ko "refus de '$args' sans raison"; cat "$bac/err"; }
    done
    lancer /dev/null --memoire
    attendre_statut 253 "--memoire sans valeur"
    tmp_vide "ligne de commande"
    ;;

interruption)
    # Ctrl-C (tout le groupe recoit SIGINT) ou fermeture du terminal (SIGHUP) pendant que le
    # programme attend son entree : statut 200 + signal et rien ne reste.
    for outil in setsid pgrep mkfifo; do
        command -v $outil >/dev/null 2>&1 || { echo "Test saute : $outil absent"; exit 77; }
    done
    # Un processus lance en arriere-plan ignore SIGINT : env le remet a son comportement normal.
    env --default-signal=INT true 2>/dev/null || { echo "Test saute : env --default-signal absent"; exit 77; }
    for signal in INT:202 HUP:201; do
        mkfifo "$bac/entree"
        setsid env --default-signal=INT "$exec_outil" "$prog/lecture.algo" <"$bac/entree" >"$bac/out" 2>"$bac/err" &
        pid=$!
        exec 3>"$bac/entree"
        # Attendre que le programme compile tourne (bloque sur la fifo).
        i=0
        until pgrep -s "$pid" -x programme >/dev/null 2>&1; do
            i=$((i + 1))
            [ $i -lt 600 ] || { ko "le programme ne demarre pas"; break; }
            sleep 0.1
        done
        kill "-${signal%:*}" "-$pid"
        # Si le signal n'a rien fait, la fin de l'entree termine quand meme le programme.
        exec 3>&-
        wait "$pid"
        statut=$?
        rm -f "$bac/entree"
        attendre_statut "${signal#*:}" "signal ${signal%:*}"
        tmp_vide "signal ${signal%:*}"
    done
    ;;

signaux)
    # SIGTERM, SIGHUP ou SIGINT envoye a tramelo-exec seul (pas a son groupe) : relaye au
    # programme qui attend son entree, ou au compilateur en cours ; les deux s'arretent.
    for outil in pgrep mkfifo; do
        command -v $outil >/dev/null 2>&1 || { echo "Test saute : $outil absent"; exit 77; }
    done
    env --default-signal=INT true 2>/dev/null || { echo "Test saute : env --default-signal absent"; exit 77; }
    # Compilateur qui ne finit pas : son pid (celui de sleep) est note.
    lent="$bac/compilateur-lent"
    printf '#!/bin/sh\necho $$ >"%s"\nexec sleep 60\n' "$bac/pid_compilateur" >"$lent"
    chmod +x "$lent"
    # attendre_fin <pid> : vrai si le processus disparait en moins de 5 s.
    attendre_fin () {
        i=0
        while kill -0 "$1" 2>/dev/null; do
            i=$((i + 1))
            [ $i -lt 50 ] || return 1
            sleep 0.1
        done
    }
    for etape in programme compilateur; do
        for signal in TERM:215 HUP:201 INT:202; do
            nom=${signal%:*}
            rm -f "$bac/pid_compilateur"
            mkfifo "$bac/entree"
            if [ $etape = programme ]; then
                env --default-signal=INT "$exec_outil" "$prog/lecture.algo" <"$bac/entree" >"$bac/out" 2>"$bac/err" &
            else
                CXX=$lent env --default-signal=INT "$exec_outil" "$prog/lecture.algo" <"$bac/entree" >"$bac/out" 2>"$bac/err" &
            fi
            pid=$!
            # L'entree reste ouverte : seul le signal peut arreter le programme.
            exec 3>"$bac/entree"
            cible=
            i=0
            while [ -z "$cible" ] && [ $i -lt 600 ]; do
                if [ $etape = programme ]; then
                    cible=$(pgrep -P "$pid" -x programme)
                elif [ -s "$bac/pid_compilateur" ]; then
                    cible=$(cat "$bac/pid_compilateur")
                fi
                i=$((i + 1))
                sleep 0.1
            done
            [ -n "$cible" ] || ko "$etape ne demarre pas"
            kill -s "$nom" "$pid"
            attendre_fin "$pid" || ko "$nom ($etape) : tramelo-exec toujours la apres 5 s"
            [ -z "$cible" ] || attendre_fin "$cible" || ko "$nom : $etape toujours la apres 5 s"
            exec 3>&-
            wait "$pid"
            statut=$?
            rm -f "$bac/entree"
            attendre_statut "${signal#*:}" "$nom pendant $etape"
            tmp_vide "$nom pendant $etape"
        done
    done
    ;;

menage)
    # Au demarrage, les dossiers de travail de plus d'un jour laisses par une execution tuee
    # (SIGKILL) sont retires : les notres seulement, et rien d'autre.
    vieux=$TMPDIR/tramelo-exec.Ab1234
    mkdir "$vieux" "$vieux/sous" "$TMPDIR/tramelo-exec.Cd5678" "$TMPDIR/autre.Ef9012"
    : >"$vieux/sous/programme"
    : >"$TMPDIR/tramelo-exec.Gh3456"
    gardes="autre.Ef9012 tramelo-exec.Cd5678 tramelo-exec.Gh3456"
    # Celui d'un autre utilisateur (essaye seulement sous root).
    autrui=$TMPDIR/tramelo-exec.Ij7890
    if [ "$(id -u)" = 0 ] && mkdir "$autrui" && chown nobody "$autrui" 2>/dev/null; then
        gardes="$gardes tramelo-exec.Ij7890"
    else
        rm -rf "$autrui"
    fi
    # Deux dossiers de plus d'un jour avec leur verrou : libre (execution tuee), il part ; tenu
    # (une session --deboguer ouverte depuis deux jours), il reste.
    mkdir "$TMPDIR/tramelo-exec.Kl1357" "$TMPDIR/tramelo-exec.Mn2468"
    : >"$TMPDIR/tramelo-exec.Kl1357/verrou"
    : >"$TMPDIR/tramelo-exec.Mn2468/verrou"
    gardes="$gardes tramelo-exec.Mn2468"
    tenu=
    if command -v flock >/dev/null 2>&1; then
        mkfifo "$bac/pret"
        (exec 9>"$TMPDIR/tramelo-exec.Mn2468/verrou" && flock 9 && echo >"$bac/pret" && exec sleep 60) </dev/null >/dev/null 2>&1 &
        tenu=$!
        read -r _ <"$bac/pret"
    else
        echo "Note : flock absent, verrou tenu non essaye"
        rm -rf "$TMPDIR/tramelo-exec.Mn2468"
        gardes=${gardes% tramelo-exec.Mn2468}
    fi
    for f in "$vieux" "$TMPDIR"/autre.* "$TMPDIR"/tramelo-exec.Gh3456 "$TMPDIR"/tramelo-exec.Ij7890 \
             "$TMPDIR"/tramelo-exec.Kl1357 "$TMPDIR"/tramelo-exec.Mn2468; do
        [ -e "$f" ] && touch -d '2 days ago' "$f"
    done
    touch -d '20 hours ago' "$TMPDIR/tramelo-exec.Cd5678"
    lancer /dev/null "$prog/indice.algo"
    attendre_statut 1 "menage"
    [ -z "$tenu" ] || kill "$tenu"
    reste=$(ls -A "$TMPDIR" | tr '\n' ' ')
    [ "$reste" = "$gardes " ] || ko "apres le menage : '$reste' au lieu de '$gardes '"
    ;;

paralleles)
    # Executions simultanees : meme TMPDIR, meme cache d'en-tetes precompiles, vide au depart.
    # Chacune a son dossier et reussit ; le cache finit avec une seule entree, complete.
    export XDG_CACHE_HOME="$bac/cache"
    printf 'Eleve : Camille Martin\nMoyenne : 12.1667, meilleure : 15\nGroupe B\n' >"$bac/attendu"
    n=8
    for i in $(seq $n); do
        ("$exec_outil" "$prog/lecture.algo" <"$prog/lecture.in" >"$bac/out.$i" 2>"$bac/err.$i"; echo $? >"$bac/statut.$i") &
    done
    wait
    for i in $(seq $n); do
        [ "$(cat "$bac/statut.$i")" = 0 ] || { ko "execution $i : statut $(cat "$bac/statut.$i")"; cat "$bac/err.$i"; }
        cmp -s "$bac/attendu" "$bac/out.$i" || ko "execution $i : sortie differente"
        attendre_vide "$bac/err.$i" "erreur standard de l'execution $i"
    done
    tmp_vide "executions simultanees"
    entrees=$(ls "$bac/cache/tramelo/precompile" | wc -l)
    [ "$entrees" = 1 ] || ko "$entrees entrees dans le cache au lieu d'une"
    [ -s "$bac"/cache/tramelo/precompile/*/prelude.h.gch ] || ko "en-tete precompile absent"
    [ -z "$(find "$bac/cache" -name '.*' -type f)" ] || ko "fichiers temporaires dans le cache : $(find "$bac/cache" -name '.*')"
    # Le dossier de travail supprime pendant la compilation (par un autre programme) : un message
    # en francais et un statut de la table, jamais un echec muet.
    efface="$bac/compilateur-effaceur"
    printf '#!/bin/sh\nfor a; do [ "$p" = -o ] && rm -rf "${a%%/*}"; p=$a; done\nexec g++ "$@"\n' >"$efface"
    chmod +x "$efface"
    CXX=$efface "$exec_outil" "$prog/lecture.algo" <"$prog/lecture.in" >"$bac/out" 2>"$bac/err"
    statut=$?
    attendre_statut 164 "dossier de travail supprime pendant la compilation"
    grep -q "^tramelo-exec : le dossier de travail a disparu pendant la compilation" "$bac/err" ||
        { ko "dossier disparu : message absent"; cat "$bac/err"; }
    tmp_vide "dossier de travail supprime"
    ;;

sigpipe)
    # L'erreur standard est un tube deja ferme : tramelo-exec ecrit, n'est pas tue par SIGPIPE,
    # fait son menage et rend son statut.
    command -v python3 >/dev/null 2>&1 || { echo "Test saute : python3 absent"; exit 77; }
    # (Le programme d'indice.algo ecrit son erreur d'execution sur ce tube : lui est tue par
    # SIGPIPE, 213.)
    for cas_tube in erreur.algo:120 indice.algo:213; do
        statut=$(python3 - "$exec_outil" "$prog/${cas_tube%:*}" <<'FIN'
import os, subprocess, sys
lecture, ecriture = os.pipe()
os.close(lecture)
p = subprocess.run(sys.argv[1:], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=ecriture)
print(p.returncode)
FIN
)
        attendre_statut "${cas_tube#*:}" "erreur standard fermee (${cas_tube%:*})"
        tmp_vide "erreur standard fermee (${cas_tube%:*})"
    done
    ;;

statuts)
    # La table des statuts : ceux de l'outil (160 a 165, 200 + n) ne sont jamais des codes de
    # Tramelo, et l'aide, la page de manuel et le README disent la meme chose.
    racine=$(cd "$ici/../.." && pwd)
    "$exec_outil" --aide >"$bac/aide"
    for s in 160 161 162 163 164 165; do
        [ "$s" -lt 102 ] || [ "$s" -gt 149 ] || ko "statut $s dans la plage des codes de Tramelo"
        grep -q "^  $s  " "$bac/aide" || ko "statut $s absent de --aide"
        sed -n '/^\.SH "STATUT DE SORTIE"/,/^\.SH/p' "$racine/man/tramelo-exec.1" | grep -qx "\.B $s" ||
            ko "statut $s absent de la page de manuel"
        grep -q "^| $s | " "$racine/README.md" || ko "statut $s absent du README"
    done
    for motif in '200 + n' '102 a 149' '252 a 255' '150'; do
        grep -q "^  $motif  " "$bac/aide" || ko "« $motif » absent de --aide"
    done
    grep -q '^| 200 + n | ' "$racine/README.md" || ko "200 + n absent du README"
    sed -n '/^\.SH "STATUT DE SORTIE"/,/^\.SH/p' "$racine/man/tramelo-exec.1" | grep -q '^\.I 200 + n$' ||
        ko "200 + n absent de la page de manuel"
    # gdb introuvable, scripts gdb introuvables (outil copie seul), dossier de travail impossible.
    GDB=/inexistant/gdb "$exec_outil" --pas-a-pas --compiler "$prog/indice.algo" </dev/null >/dev/null 2>"$bac/err"
    statut=$?
    attendre_statut 163 "gdb introuvable"
    grep -q "^tramelo-exec : debogueur gdb introuvable" "$bac/err" || { ko "gdb introuvable : message"; cat "$bac/err"; }
    if command -v gdb >/dev/null 2>&1; then
        mkdir "$bac/seul"
        cp "$exec_outil" "$bac/seul/tramelo-exec"
        "$bac/seul/tramelo-exec" --deboguer "$prog/indice.algo" </dev/null >/dev/null 2>"$bac/err"
        statut=$?
        attendre_statut 163 "scripts gdb introuvables"
        grep -q "^tramelo-exec : script gdb deboguer.py introuvable" "$bac/err" || { ko "script introuvable : message"; cat "$bac/err"; }
    fi
    TMPDIR=$bac/absent "$exec_outil" "$prog/indice.algo" </dev/null >/dev/null 2>"$bac/err"
    statut=$?
    attendre_statut 164 "TMPDIR absent"
    grep -q "^tramelo-exec : impossible de creer le dossier de travail dans $bac/absent" "$bac/err" ||
        { ko "TMPDIR absent : message"; cat "$bac/err"; }
    tmp_vide statuts
    ;;

pas_a_pas)
    # --pas-a-pas : un source qui est un tube nomme, des valeurs faites de caracteres de controle
    # (ecrits visiblement), et l'arret par Ctrl-C, Ctrl-\ ou SIGTERM en moins de 5 s, sans rien
    # laisser derriere.
    for outil in gdb setsid pgrep mkfifo; do
        command -v $outil >/dev/null 2>&1 || { echo "Test saute : $outil absent"; exit 77; }
    done
    env --default-signal=INT true 2>/dev/null || { echo "Test saute : env --default-signal absent"; exit 77; }
    mkfifo "$bac/tube.algo"
    cat "$prog/indice.algo" >"$bac/tube.algo" &
    timeout -k 5 120 "$exec_outil" --pas-a-pas "$bac/tube.algo" </dev/null >"$bac/out" 2>"$bac/err"
    statut=$?
    attendre_statut 1 "source dans un tube nomme"
    grep -q '^» 11 | ' "$bac/err" || { ko "tube nomme : pas de trace"; head -5 "$bac/err"; }
    tmp_vide "tube nomme"

    # Sortie et trace melees (meme fichier) : une ligne que le programme laisse commencee est
    # terminee avant la trace ; chaque ligne de la trace commence par « » », sans couleur hors
    # d'un terminal ; la valeur d'une fonction s'ecrit a son retour, decalee d'un niveau.
    printf 'fonction Double (x : in entier) renvoie entier\ndebut\n    renvoie 2 * x;\nfin\n\nalgorithme Melange\ndebut\n    afficher ("n ? ");\n    afficher (Double (21));\n    ligne_suivante;\nfin\n' >"$bac/melange.algo"
    "$exec_outil" --pas-a-pas "$bac/melange.algo" </dev/null >"$bac/melange" 2>&1
    statut=$?
    attendre_statut 0 "sortie et trace melees"
    printf 'n ? \n\302\273  9 | afficher (Double (21));\n\302\273  1 |   fonction Double (x : in entier) renvoie entier\n' >"$bac/attendu"
    grep -x -F -A2 'n ? ' "$bac/melange" | cmp -s - "$bac/attendu" || { ko "trace melee a une ligne commencee :"; cat -A "$bac/melange"; }
    grep -qF '»    |       Double renvoie 42' "$bac/melange" || { ko "valeur renvoyee absente :"; cat "$bac/melange"; }
    if grep -q "$(printf '\033')" "$bac/melange"; then ko "couleur hors d'un terminal"; fi

    printf 'algorithme Controles\ndebut\n    declarer s : string;\n    saisir (s);\nfin\n' >"$bac/controles.algo"
    printf 'a\033[2J\010\013\014\007\302\205\377z\n' | "$exec_outil" --pas-a-pas "$bac/controles.algo" >/dev/null 2>"$bac/err"
    statut=$?
    attendre_statut 0 "valeurs de controle"
    grep -qF 's = "a\x1b[2J\x08\x0b\x0c\x07\x85\xffz"' "$bac/err" || { ko "valeur non echappee :"; cat -A "$bac/err"; }
    if LC_ALL=C tr -d '\n' <"$bac/err" | LC_ALL=C grep -q '[[:cntrl:]]'; then
        ko "caractere de controle brut dans la trace"
    fi

    for essai in groupe:INT:202 seul:QUIT:203 seul:TERM:215; do
        mode=${essai%%:*}; reste=${essai#*:}; nom=${reste%:*}
        mkfifo "$bac/entree"
        # La trace de l'essai precedent ne doit pas faire croire que celui-ci attend deja sa
        # saisie : sous charge, le processus lance en fond n'a peut-etre pas encore vide le fichier.
        rm -f "$bac/err"
        if [ $mode = groupe ]; then
            setsid env --default-signal=INT "$exec_outil" --pas-a-pas "$prog/lecture.algo" <"$bac/entree" >/dev/null 2>"$bac/err" &
        else
            env --default-signal=INT "$exec_outil" --pas-a-pas "$prog/lecture.algo" <"$bac/entree" >/dev/null 2>"$bac/err" &
        fi
        pid=$!
        exec 3>"$bac/entree"
        # Le programme attend sa premiere saisie, ligne 15.
        i=0
        until grep -q '^» 15 | ' "$bac/err" 2>/dev/null; do
            i=$((i + 1))
            [ $i -lt 600 ] || { ko "le pas a pas n'arrive pas a la saisie"; break; }
            sleep 0.1
        done
        debut=$(date +%s)
        if [ $mode = groupe ]; then kill -s "$nom" -- "-$pid"; else kill -s "$nom" "$pid"; fi
        wait "$pid"
        statut=$?
        duree=$(($(date +%s) - debut))
        exec 3>&-
        rm -f "$bac/entree"
        attendre_statut "${essai##*:}" "pas a pas, $nom ($mode)"
        [ "$duree" -lt 4 ] || ko "pas a pas, $nom ($mode) : arret en $duree s"
        if pgrep -f "$TMPDIR/" >/dev/null; then ko "processus restes apres $nom ($mode)"; pkill -KILL -f "$TMPDIR/"; fi
        tmp_vide "pas a pas, $nom ($mode)"
    done
    ;;

precompile)
    # L'en-tete precompile du prelude : cree une fois dans le cache, donne ensuite par -include,
    # valide pour g++, et sans effet sur le resultat ; tout echec revient a la compilation
    # ordinaire, sans un mot.
    export XDG_CACHE_HOME="$bac/cache"
    appels="$bac/appels"
    espion="$bac/g++-espion"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\nexec g++ "$@"\n' "$appels" >"$espion"
    chmod +x "$espion"
    printf 'Eleve : Camille Martin\nMoyenne : 12.1667, meilleure : 15\nGroupe B\n' >"$bac/attendu"
    essai () { # libelle, puis variables d'environnement eventuelles
        libelle=$1
        shift
        env "$@" "$exec_outil" "$prog/lecture.algo" <"$prog/lecture.in" >"$bac/out" 2>"$bac/err"
        statut=$?
        attendre_statut 0 "$libelle"
        attendre_sortie "$bac/attendu" "$libelle"
        attendre_vide "$bac/err" "erreur standard ($libelle)"
    }
    essai "premiere execution" CXX="$espion"
    : >"$appels"
    essai "seconde execution" CXX="$espion"
    entete=$(ls "$bac"/cache/tramelo/precompile/*/prelude.h 2>/dev/null | head -1)
    [ -n "$entete" ] || ko "aucun en-tete dans le cache"
    grep -q -- "-include $entete " "$appels" || { ko "en-tete precompile non employe :"; cat "$appels"; }
    # L'en-tete est exactement les #include qui ouvrent le C++ produit...
    cp "$prog/lecture.algo" "$bac/lecture.algo"
    "$exec_outil" --traduire "$bac/lecture.algo"
    grep '^#include ' "$bac/lecture.cpp" >"$bac/inclusions"
    cmp -s "$bac/inclusions" "$entete" || ko "l'en-tete differe des #include du C++ produit"
    # ... et g++ s'en sert vraiment (-H marque d'un ! l'en-tete precompile lu).
    g++ -std=c++17 -O1 -H -include "$entete" -fsyntax-only "$bac/lecture.cpp" 2>&1 | grep -q "^! .*prelude.h.gch" ||
        ko "g++ n'emploie pas l'en-tete precompile"
    # Options differentes (CXX, profil de debogage) : autres entrees.
    essai "CXX avec une option" CXX="g++ -DTRAMELO_ESSAI"
    [ "$(ls "$bac/cache/tramelo/precompile" | wc -l)" = 2 ] || ko "une option de CXX n'a pas donne sa propre entree"
    # En-tete abime (tronque, ou n'importe quoi) : la compilation se fait quand meme, sans message.
    gch=$entete.gch
    head -c 100000 "$gch" >"$bac/tronque" && cp "$bac/tronque" "$gch"
    essai "en-tete precompile tronque" CXX="$espion"
    printf 'rien de bon' >"$gch"
    essai "en-tete precompile quelconque" CXX="$espion"
    # Cache inutilisable ou absent, compilateur qui n'est pas g++ : compilation ordinaire.
    : >"$bac/fichier"
    essai "cache inutilisable" XDG_CACHE_HOME="$bac/fichier/cache"
    essai "ni cache ni HOME" -u XDG_CACHE_HOME -u HOME
    autre="$bac/autre-compilateur"
    printf '#!/bin/sh\ncase "$*" in *--version*) echo "clang version 99"; exit 0;; esac\nprintf "%%s\\n" "$*" >>"%s"\nexec g++ "$@"\n' "$appels" >"$autre"
    chmod +x "$autre"
    : >"$appels"
    essai "autre compilateur que g++" CXX="$autre"
    ! grep -q -- "-include" "$appels" || ko "en-tete precompile donne a un autre compilateur que g++"
    tmp_vide precompile
    ;;

traduire)
    # --traduire : le C++ seul, a cote du source, sans compilateur ; .cpp remplace d'un coup.
    d="$bac/mes essais"
    mkdir "$d"
    cp "$prog/lecture.algo" "$d/l'essai \"1\".algo"
    "$tramelo" "$prog/lecture.algo" >"$bac/reference.cpp"
    # L'ancien .cpp, une traduction d'autre chose, est remplace.
    "$tramelo" "$prog/indice.algo" >"$d/l'essai \"1\".cpp"
    (umask 022 && CXX=/inexistant/g++ "$exec_outil" --traduire --standard "$d/l'essai \"1\".algo" </dev/null >"$bac/out" 2>"$bac/err")
    statut=$?
    attendre_statut 0 "--traduire"
    attendre_vide "$bac/out" "sortie standard (--traduire)"
    attendre_vide "$bac/err" "erreur standard (--traduire)"
    cmp -s "$bac/reference.cpp" "$d/l'essai \"1\".cpp" || ko "--traduire : C++ absent ou different"
    # Sans --standard, le C++ du profil verifie, ses lignes attribuees au source.
    "$exec_outil" --traduire "$d/l'essai \"1\".algo" </dev/null >"$bac/out" 2>"$bac/err"
    statut=$?
    attendre_statut 0 "--traduire (profil verifie)"
    grep -q '^#line 2 ' "$d/l'essai \"1\".cpp" || ko "--traduire : pas de #line"
    [ "$(stat -c %a "$d/l'essai \"1\".cpp")" = 644 ] || ko "--traduire : droits $(stat -c %a "$d/l'essai \"1\".cpp")"
    # Un source qui n'est pas un .algo (x.cpp ouvert par erreur) : refuse, rien ne change.
    cp "$bac/reference.cpp" "$d/x.cpp"
    lancer /dev/null --traduire "$d/x.cpp"
    attendre_statut 253 "--traduire sur un .cpp"
    grep -q "n'a pas l'extension .algo" "$bac/err" || { ko "--traduire sur un .cpp : message"; cat "$bac/err"; }
    cmp -s "$bac/reference.cpp" "$d/x.cpp" || ko "--traduire a touche au .cpp donne comme source"
    # Traduction ratee : le .cpp existant reste intact.
    cp "$prog/erreur.algo" "$d/faux.algo"
    echo ancien >"$d/faux.cpp"
    lancer /dev/null --traduire "$d/faux.algo"
    attendre_statut 120 "--traduire sur une erreur"
    [ "$(cat "$d/faux.cpp")" = ancien ] || ko "--traduire a ecrase le .cpp d'une traduction ratee"
    # Un .cpp ecrit a la main n'est jamais ecrase (statut 165), ni par --garder.
    echo '// mon travail' >"$d/a_la_main.cpp"
    cp "$prog/indice.algo" "$d/a_la_main.algo"
    for mode in --traduire --garder --construire-seulement; do
        lancer /dev/null $mode "$d/a_la_main.algo"
        attendre_statut 165 "$mode sur un .cpp ecrit a la main"
        grep -q "a_la_main.cpp existe et ce n'est pas un C++ traduit par Tramelo : il n'est pas remplace" "$bac/err" ||
            { ko "$mode : message de refus"; cat "$bac/err"; }
        [ "$(cat "$d/a_la_main.cpp")" = '// mon travail' ] || ko "$mode a ecrase un .cpp ecrit a la main"
    done
    # Le nom attendu est un dossier : refus, rien dedans.
    cp "$prog/indice.algo" "$d/dossier.algo"
    mkdir "$d/dossier.cpp"
    lancer /dev/null --traduire "$d/dossier.algo"
    attendre_statut 165 "--traduire vers un dossier"
    [ -z "$(ls -A "$d/dossier.cpp")" ] || ko "--traduire a ecrit dans le dossier dossier.cpp"
    # Un nom qui commence par - : apres --, cp, mv... ne le prennent pas pour une option.
    (cd "$d" && cp "$prog/indice.algo" ./-x.algo &&
        "$exec_outil" --garder --standard -- -x.algo </dev/null >"$bac/out" 2>"$bac/err")
    statut=$?
    attendre_statut 1 "--garder -- -x.algo"
    attendre_vide "$bac/err" "erreur standard (--garder -- -x.algo)"
    "$tramelo" "$d/-x.algo" >"$bac/reference.cpp"
    cmp -s "$bac/reference.cpp" "$d/-x.cpp" || ko "--garder -- -x.algo : C++ absent ou different"
    # --construire-seulement dans un dossier qui commence par - : g++ ne prend pas le chemin
    # pour une option, le programme et son C++ sont a cote du source.
    mkdir -- "$d/-d"
    cp "$prog/indice.algo" "$d/-d/x.algo"
    (cd "$d" && "$exec_outil" --construire-seulement -- -d/x.algo </dev/null >"$bac/out" 2>"$bac/err")
    statut=$?
    attendre_statut 0 "--construire-seulement -- -d/x.algo"
    attendre_vide "$bac/err" "erreur standard (-d/x.algo)"
    [ -x "$d/-d/x" ] && grep -q '^#line 2 "-d/x.algo"$' "$d/-d/x.cpp" || ko "-d/x.algo : programme ou C++ absent"
    # notes.cpp.algo donnerait le programme notes.cpp : le notes.cpp ecrit a la main reste.
    printf 'int main () {}\n' >"$d/notes.cpp"
    cp "$prog/indice.algo" "$d/notes.cpp.algo"
    lancer /dev/null --construire-seulement "$d/notes.cpp.algo"
    attendre_statut 165 "--construire-seulement notes.cpp.algo"
    grep -q "notes.cpp existe et ce n'est pas un programme : il n'est pas remplace" "$bac/err" ||
        { ko "notes.cpp.algo : message de refus"; cat "$bac/err"; }
    [ "$(cat "$d/notes.cpp")" = 'int main () {}' ] || ko "le programme de notes.cpp.algo a ecrase notes.cpp"
    # Un programme deja construit, lui, est remplace.
    lancer /dev/null --construire-seulement "$d/-d/x.algo"
    attendre_statut 0 "--construire-seulement une seconde fois"
    # Aucun fichier temporaire laisse a cote des sources.
    reste=$(find "$d" -mindepth 1 -name '.*')
    [ -z "$reste" ] || ko "fichiers temporaires laisses : $reste"
    tmp_vide "--traduire"
    ;;

verification)
    # Avertissement avant l'execution : le programme tourne quand meme.
    lancer /dev/null "$prog/division.algo"
    attendre_statut 0 "division entiere"
    printf '3\n' >"$bac/attendu"
    attendre_sortie "$bac/attendu" "division entiere"
    grep -q '^.*division.algo:6:23: attention : .* \[151\]$' "$bac/err" || { ko "avertissement absent :"; cat "$bac/err"; }
    tmp_vide "division entiere"
    # Fonction dont la fin peut etre atteinte sans renvoie : refusee, rien n'est execute.
    lancer /dev/null "$prog/sans_renvoie.algo"
    attendre_statut 150 "fonction sans renvoie"
    attendre_vide "$bac/out" "sortie standard (fonction sans renvoie)"
    grep -q 'sans_renvoie.algo:7:1: erreur : .* \[150\]$' "$bac/err" || { ko "refus absent :"; cat "$bac/err"; }
    tmp_vide "fonction sans renvoie"
    ;;

*)
    echo "cas inconnu : $cas"
    exit 2
    ;;
esac
exit $echec
