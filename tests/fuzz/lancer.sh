#!/usr/bin/env bash
# Fuzzing borne dans le temps du traducteur (preset fuzz : clang, libFuzzer, ASan, UBSan).
#   bash tests/fuzz/lancer.sh [secondes]     (120 par defaut)
# Echoue sur toute trouvaille : plantage, depassement de temps ou de memoire, rapport de sanitizer,
# ou erreur qui sort de la table des statuts. Les entrees fautives restent dans build/fuzz/trouvailles.
set -euo pipefail
duree=${1:-120}
racine=$(cd "$(dirname "$0")/../.." && pwd)
cd "$racine"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_tramelo

bash tests/fuzz/corpus.sh
binaire=build/fuzz/fuzz_tramelo
travail=build/fuzz/corpus-travail      # entrees nouvelles trouvees par le fuzzer
trouvailles=build/fuzz/trouvailles
journal=build/fuzz/journal.txt
mkdir -p "$travail"
rm -rf "$trouvailles"
mkdir -p "$trouvailles"

statut=0
"$binaire" -max_total_time="$duree" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -dict=tests/fuzz/algo.dict -artifact_prefix="$trouvailles/" \
    "$travail" tests/fuzz/corpus >"$journal" 2>&1 || statut=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -1)
echo "fuzzing : ${executions:-?} executions en $duree s (journal : $journal)"
if [ "$statut" -ne 0 ] || [ -n "$(ls -A "$trouvailles")" ]; then
    tail -n 60 "$journal"
    echo "ECHEC : trouvaille du fuzzer (statut $statut) :"
    ls -l "$trouvailles"
    exit 1
fi
echo "fuzzing : aucune trouvaille"
