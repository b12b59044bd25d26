#!/usr/bin/env bash
# Banc de mesure (hors suite de tests) : bash bench/bench.sh [chemin/de/Tramelo] [--repetitions N]
# Construire d'abord la version optimisee : cmake --preset default && cmake --build --preset default
exec python3 "$(dirname "$0")/bench.py" "$@"
