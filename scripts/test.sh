#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest (headless).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/check-format.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
# The long crash test (label slow) runs on request: ctest --test-dir build -L slow
ctest --test-dir build --output-on-failure --timeout 600 -j2 -LE slow
