#!/usr/bin/env bash
# Installs the Debian packages Trainbook needs to build, test and run, and only those
# that dpkg reports missing. Never asks a question.
set -euo pipefail
PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libsqlite3-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core clang-format
          ccache # later builds of the same sources, in any clone, reuse the compiled objects
          poppler-utils # reading exported PDFs back in tests
          lintian # checks the Debian package (scripts/package.sh, the lintian test)
          librsvg2-bin # renders the icon sizes (desktop/icons/render.sh)
          clang libclang-rt-dev) # the fuzz build (scripts/fuzz.sh)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
