#!/bin/bash
# Banc de tramelo-noter : N copies (correctes et fausses, en alternance) de l'exercice d'exemple
# somme (4 tests), notees avec -j J ; temps total et part passee dans le compilateur (chaque appel
# de g++ chronometre par un script intermediaire).
#   bash bench/noter.sh <tramelo-noter> [N] [J] [--interprete]
# Avec --interprete : chaque copie est interpretee (sans compilateur), g++ n'est pas appele.
set -eu
noter=$1
n=${2:-20}
j=${3:-2}
mode=${4:-}
racine=$(cd "$(dirname "$0")/.." && pwd)
bac=$(mktemp -d)
trap 'rm -rf "$bac"' EXIT
mkdir "$bac/copies"
for i in $(seq 1 "$n"); do
    if [ $((i % 2)) = 0 ]; then src=fausse; else src=correcte; fi
    cp "$racine/tests/exercices/copies/$src.algo" "$bac/copies/etudiant$i.algo"
done
cat >"$bac/cxx" <<FIN
#!/bin/bash
debut=\$(date +%s.%N)
g++ "\$@"
s=\$?
echo "\$debut \$(date +%s.%N)" >>"$bac/temps-gpp"
exit \$s
FIN
chmod +x "$bac/cxx"
# Un cache d'en-tetes precompiles neuf : le premier lancement le remplit.
export XDG_CACHE_HOME=$bac/cache
debut=$(date +%s.%N)
touch "$bac/temps-gpp"
CXX=$bac/cxx "$noter" $mode -j "$j" -o "$bac/rapports" "$racine/exemples/exercices/somme" "$bac/copies" >/dev/null
fin=$(date +%s.%N)
python3 - "$bac/temps-gpp" "$debut" "$fin" "$n" "$j" <<'FIN'
import sys
appels = [tuple(map(float, l.split())) for l in open(sys.argv[1])]
debut, fin, n, j = float(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
total = fin - debut
gpp = sum(b - a for a, b in appels)
print(f"{n} copies x 4 tests, -j {j} : {total:.1f} s ecoules, {total / n * 1000:.0f} ms par copie ; "
      f"g++ : {len(appels)} appels, {gpp:.1f} s cumules, soit {gpp / (total * j) * 100:.0f} % "
      f"du temps des {j} taches")
FIN
