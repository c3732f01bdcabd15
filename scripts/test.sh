#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest (headless).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/check-format.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
# Every test, the long crash test (label slow) included; -LE slow leaves it out.
ctest --test-dir build --output-on-failure --timeout 600 -j2
