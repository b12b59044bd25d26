#!/usr/bin/env bash
# Banc de la verification (hors suite de tests) : cout de tramelo-verifier rapporte a une traduction.
#   bash bench/verifier.sh [repetitions]
# Construire d'abord la version optimisee : cmake --preset default && cmake --build --preset default
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$racine/build/default" --target tramelo-bench-verifier >/dev/null
exec "$racine/build/default/tramelo-bench-verifier" "$@"
