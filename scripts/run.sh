#!/usr/bin/env bash
# Installs what is missing, builds, and starts Trainbook on ./Trainbook.db (created on first run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
exec ./build/app/Trainbook --db Trainbook.db "$@"
