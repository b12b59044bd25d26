#!/bin/bash
# Banc de tramelo-noter : N copies (correctes et fausses, en alternance) de l'exercice d'exemple
# somme, notees avec -j J ; temps total et part passee dans le compilateur (chaque appel de g++
# chronometre par un script intermediaire).
#   bash bench/noter.sh <tramelo-noter> [N] [J] [--interprete | --sans-precompile] [--dix-tests]
# --interprete : chaque copie est interpretee (sans compilateur), g++ n'est pas appele.
# --sans-precompile : pas d'en-tete precompile du prelude (cache inaccessible).
# --dix-tests : l'exercice recoit 6 tests de plus (10 en tout, dont des entrees de 1 000 entiers).
set -eu
noter=$1
n=${2:-20}
j=${3:-2}
shift $(( $# < 3 ? $# : 3 ))
mode=
dix=
for o in "$@"; do
    case $o in
        --interprete) mode=--interprete ;;
        --sans-precompile) mode=sans-precompile ;;
        --dix-tests) dix=1 ;;
        *) echo "option inconnue : $o" >&2; exit 2 ;;
    esac
done
racine=$(cd "$(dirname "$0")/.." && pwd)
bac=$(mktemp -d)
trap 'rm -rf "$bac"' EXIT
mkdir "$bac/copies"
for i in $(seq 1 "$n"); do
    if [ $((i % 2)) = 0 ]; then src=fausse; else src=correcte; fi
    cp "$racine/tests/exercices/copies/$src.algo" "$bac/copies/etudiant$i.algo"
done
cp -r "$racine/exemples/exercices/somme" "$bac/exercice"
tests=4
if [ -n "$dix" ]; then
    for k in 1 2 3 4 5 6; do
        m=$((k * 200))
        { echo "test plus$k"; echo "visible non"; echo "comparaison blancs"
          echo "entree <<FIN"; echo $m; seq 1 $m; echo "FIN"
          echo "sortie <<FIN"; echo "somme : $((m * (m + 1) / 2))"; echo "FIN"; } >>"$bac/exercice/exercice.txt"
    done
    tests=10
fi
cat >"$bac/cxx" <<FIN
#!/bin/bash
debut=\$(date +%s.%N)
g++ "\$@"
s=\$?
echo "\$debut \$(date +%s.%N)" >>"$bac/temps-gpp"
exit \$s
FIN
chmod +x "$bac/cxx"
touch "$bac/temps-gpp"
# Un cache d'en-tetes precompiles neuf : le premier lancement le remplit. Sans en-tete
# precompile : un dossier de cache relatif est ignore, et sans HOME absolu il n'y a pas de cache.
if [ "$mode" = sans-precompile ]; then
    export XDG_CACHE_HOME=relatif HOME=relatif
    mode=
else
    export XDG_CACHE_HOME=$bac/cache
fi
debut=$(date +%s.%N)
CXX=$bac/cxx "$noter" $mode -j "$j" -o "$bac/rapports" "$bac/exercice" "$bac/copies" >/dev/null
fin=$(date +%s.%N)
python3 - "$bac/temps-gpp" "$debut" "$fin" "$n" "$j" "$tests" <<'FIN'
import sys
appels = [tuple(map(float, l.split())) for l in open(sys.argv[1])]
debut, fin, n, j, t = float(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6])
total = fin - debut
gpp = sum(b - a for a, b in appels)
print(f"{n} copies x {t} tests, -j {j} : {total:.1f} s ecoules, {total / n * 1000:.0f} ms par copie ; "
      f"g++ : {len(appels)} appels, {gpp:.1f} s cumules, soit {gpp / (total * j) * 100:.0f} % "
      f"du temps des {j} taches")
FIN
