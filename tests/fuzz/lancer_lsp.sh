#!/usr/bin/env bash
# Fuzzing borne dans le temps du serveur de langage (preset fuzz : clang, libFuzzer, ASan, UBSan).
#   bash tests/fuzz/lancer_lsp.sh [secondes]     (60 par defaut)
# Echoue sur toute trouvaille : plantage, exception, message produit invalide, depassement de temps
# ou de memoire, rapport de sanitizer. Les entrees fautives restent dans build/fuzz/trouvailles-lsp.
set -euo pipefail
duree=${1:-60}
racine=$(cd "$(dirname "$0")/../.." && pwd)
cd "$racine"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_lsp

binaire=build/fuzz/fuzz_lsp
corpus=build/fuzz/corpus-lsp            # graines, refaites a chaque lancement
travail=build/fuzz/corpus-lsp-travail   # entrees nouvelles trouvees par le fuzzer
trouvailles=build/fuzz/trouvailles-lsp
journal=build/fuzz/journal-lsp.txt
rm -rf "$corpus" "$trouvailles"
mkdir -p "$corpus" "$travail" "$trouvailles"

# Graines : des messages de chaque methode, separes par l'octet 0x1E (voir fuzz_lsp.cpp).
s=$'\x1e'
graine () { printf '%s' "$2" > "$corpus/$1"; }
graine survol "{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"textDocument/hover\",\"params\":{\"textDocument\":{\"uri\":\"f\"},\"position\":{\"line\":7,\"character\":9}}}"
graine symboles "{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"textDocument/documentSymbol\",\"params\":{\"textDocument\":{\"uri\":\"f\"}}}"
graine changement "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/didChange\",\"params\":{\"textDocument\":{\"uri\":\"f\",\"version\":2},\"contentChanges\":[{\"range\":{\"start\":{\"line\":7,\"character\":30},\"end\":{\"line\":7,\"character\":33}},\"text\":\"x\\u00e9\\n\\t(((\"}]}}$s{\"jsonrpc\":\"2.0\",\"id\":2,\"method\":\"textDocument/hover\",\"params\":{\"textDocument\":{\"uri\":\"f\"},\"position\":{\"line\":7,\"character\":2}}}"
graine complet "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/didChange\",\"params\":{\"textDocument\":{\"uri\":\"f\",\"version\":2},\"contentChanges\":[{\"text\":\"algorithme A\\r\\ndebut\\r\\n\\tdeclarer n : entier;\\r\\nfin\"}]}}"
graine cpp "{\"jsonrpc\":\"2.0\",\"id\":3,\"method\":\"workspace/executeCommand\",\"params\":{\"command\":\"tramelo.voirCpp\",\"arguments\":[\"f\"]}}$s{\"jsonrpc\":\"2.0\",\"id\":4,\"method\":\"tramelo/voirCpp\",\"params\":{\"textDocument\":{\"uri\":\"f\"}}}"
graine fin "{\"jsonrpc\":\"2.0\",\"id\":5,\"method\":\"shutdown\"}$s{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/didClose\",\"params\":{\"textDocument\":{\"uri\":\"f\"}}}$s{\"jsonrpc\":\"2.0\",\"method\":\"exit\"}"
graine abime "Content-Length: 12${s}garbage"$'\r\n\r\n'"{\"id\":[]}$s{\"id\":1,\"method\":\"x\"}"
graine lot "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/didChange\",\"params\":{\"textDocument\":{\"uri\":\"f\",\"version\":2},\"contentChanges\":[{\"range\":{\"start\":{\"line\":1,\"character\":0},\"end\":{\"line\":1,\"character\":2}},\"text\":\"\\r\"},{\"range\":{\"start\":{\"line\":0}},\"text\":\"\"}]}}$s{\"jsonrpc\":\"2.0\",\"id\":2,\"method\":\"tramelo/voirCpp\",\"params\":{\"textDocument\":{\"uri\":\"f\"}}}"
graine retour-chariot "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/didChange\",\"params\":{\"textDocument\":{\"uri\":\"f\",\"version\":2},\"contentChanges\":[{\"text\":\"algorithme A\\rdebut\\r\\tn <- \\\"a\\\";\\rfin\\r\"}]}}$s{\"jsonrpc\":\"2.0\",\"id\":2,\"method\":\"textDocument/hover\",\"params\":{\"textDocument\":{\"uri\":\"f\"},\"position\":{\"line\":0,\"character\":20}}}"
# Imbrications profondes (un identifiant de 140 000 tableaux tuait le serveur), grands documents
# (au-dela des bornes du fuzzer : 64 Ko par document, 256 Ko par message).
repete () { head -c "$2" /dev/zero | tr '\0' "$1"; }
{ printf '{"jsonrpc":"2.0","id":'; repete '[' 140000; repete ']' 140000; printf ',"method":"shutdown"}'; } > "$corpus/identifiant-imbrique"
{ printf '{"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"f","version":2},"contentChanges":'
  repete '[' 100; repete ']' 100; printf '}}%s{"jsonrpc":"2.0","id":2,"method":"textDocument/documentSymbol","params":{"textDocument":{"uri":"f"}}}' "$s"; } > "$corpus/changement-imbrique"
{ printf '{"jsonrpc":"2.0","method":"textDocument/didChange","params":{"textDocument":{"uri":"f","version":2},"contentChanges":[{"text":"algorithme A\\ndebut\\n'
  repete 'x' 70000; printf '\\nfin\\n"}]}}%s{"jsonrpc":"2.0","id":2,"method":"textDocument/hover","params":{"textDocument":{"uri":"f"},"position":{"line":0,"character":1}}}' "$s"; } > "$corpus/document-trop-grand"
{ printf 'Content-Length: 300000\r\n\r\n{"jsonrpc":"2.0","id":7,"method":"tramelo/voirCpp","params":{"x":"'; repete 'y' 300000
  printf '"}}%s{"jsonrpc":"2.0","id":8,"method":"shutdown"}' "$s"; } > "$corpus/message-trop-grand"

statut=0
"$binaire" -max_total_time="$duree" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -max_len=1048576 \
    -dict=tests/fuzz/lsp.dict -artifact_prefix="$trouvailles/" \
    "$travail" "$corpus" >"$journal" 2>&1 || statut=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -1)
echo "fuzzing du serveur de langage : ${executions:-?} executions en $duree s (journal : $journal)"
if [ "$statut" -ne 0 ] || [ -n "$(ls -A "$trouvailles")" ]; then
    tail -n 60 "$journal"
    echo "ECHEC : trouvaille du fuzzer (statut $statut) :"
    ls -l "$trouvailles"
    exit 1
fi
echo "fuzzing du serveur de langage : aucune trouvaille"
