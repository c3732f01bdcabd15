#!/usr/bin/env bash
# Configures and builds Trainbook into ./build (Release with debug info).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${CCACHE_ARGS[@]}" >/dev/null
cmake --build build --parallel "$(nproc)"
