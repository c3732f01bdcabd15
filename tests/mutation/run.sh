#!/usr/bin/env bash
# Mutation check: plants each fault listed in faults.txt, one at a time, in a copy of the
# working tree, rebuilds incrementally (ccache) and runs the whole test suite. A fault that no
# test catches survives: it marks a missing test. Prints each fault's outcome and the score.
#
#   tests/mutation/run.sh [-j N] [FAULT...]     (all faults when none is named)
#
# The copy and its build live in $MUTATION_DIR (default /tmp/trainbook-mutation-<user>) and are
# reused between runs, so a run rebuilds only what changed. This is not part of the CTest run.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
jobs=2
if [[ ${1:-} == -j ]]; then
    jobs=$2
    shift 2
fi
work=${MUTATION_DIR:-/tmp/trainbook-mutation-$(id -un)}
src=$work/src
build=$work/build
mkdir -p "$src"
export CCACHE_BASEDIR=$work QT_QPA_PLATFORM=offscreen
# A copy of the list, so editing it during a run changes nothing.
faults=$work/faults.txt
cp "$here/faults.txt" "$faults"

if [[ $# -gt 0 ]]; then
    names=("$@")
else
    mapfile -t names < <(python3 "$here/apply.py" "$faults" --list | cut -d' ' -f1)
fi

# The copy follows the working tree, uncommitted edits included; a fault left behind by an
# interrupted run is overwritten here.
(cd "$root" && git ls-files --cached --others --exclude-standard -z) | python3 "$here/apply.py" --sync "$root" "$src"
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null

build() { cmake --build "$build" -j "$jobs" >"$work/build.log" 2>&1; }
# Every test program once (one process each, quicker than CTest's one per case), without the
# slow crash run; stops at the first program that fails and names it in $work/caught.
suite() {
    : >"$work/caught"
    local program
    for program in $(find "$build" -type f -executable -name 'test_*' | sort); do
        if ! timeout 300 "$program" --gtest_brief=1 --gtest_filter='-*.Slow' >"$work/test.log" 2>&1; then
            basename "$program" >"$work/caught"
            return 1
        fi
    done
}

echo "Building the copy in $work ..."
build || { echo "The unchanged tree does not build; see $work/build.log"; exit 2; }
suite || { echo "The suite fails on the unchanged tree; see $work/test.log"; exit 2; }

killed=0 counted=0
survivors=() unusable=()
for name in "${names[@]}"; do
    file=$(python3 "$here/apply.py" "$faults" --list | awk -v n="$name" '$1 == n { print $2 }')
    if [[ -z $file ]]; then
        echo "no fault named $name" >&2
        exit 2
    fi
    cp "$src/$file" "$work/original"
    if ! python3 "$here/apply.py" "$faults" "$name" "$src" 2>/dev/null; then
        outcome="not applied (its text is gone)"
        unusable+=("$name")
    elif ! build; then
        outcome="does not build"
        unusable+=("$name")
    elif suite; then
        outcome="SURVIVED"
        survivors+=("$name")
        counted=$((counted + 1))
    else
        outcome="caught by $(cat "$work/caught")"
        killed=$((killed + 1))
        counted=$((counted + 1))
    fi
    # Copied back with a new time stamp, so the next build compiles it again.
    cp "$work/original" "$src/$file"
    printf '%-30s %s\n' "$name" "$outcome"
done
build || true

echo
echo "Caught $killed of $counted planted faults${counted:+ ($((counted ? 100 * killed / counted : 0))%)}."
[[ ${#survivors[@]} -eq 0 ]] || echo "Survived: ${survivors[*]}"
[[ ${#unusable[@]} -eq 0 ]] || echo "Not counted (no longer apply or do not build): ${unusable[*]}"
[[ ${#survivors[@]} -eq 0 ]]
