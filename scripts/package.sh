#!/usr/bin/env bash
# Builds the release package: a Release build of the programs in ./build-pkg, packaged with
# cpack (stripped) as build-pkg/trainbook_<version>_<arch>.deb and checked with lintian.
# Install it with: sudo apt install ./build-pkg/trainbook_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
source scripts/ccache.sh
# Only what the package holds is built: packaging does not wait for the tests and benchmarks.
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      "${CCACHE_ARGS[@]}" >/dev/null
cmake --build build-pkg --parallel "$(nproc)" --target Trainbook trainbook-cli trainbook_package_files
rm -f build-pkg/*.deb
(cd build-pkg && cpack -G DEB >/dev/null)
deb=$(ls build-pkg/*.deb)
lintian --fail-on error,warning "$deb" 2> >(grep -v 'running with root privileges' >&2)
echo "$deb"
