#!/bin/sh
# Runs clang-tidy (the checks of .clang-tidy) over the portable core: the
# sources under src/ that the native build compiles, with its
# compile_commands.json, two files at a time. Findings in the core's own
# headers count too. Fails on any finding.
# Usage: check-tidy.sh BUILD_DIR
cd "$(dirname "$0")/.." || exit 2
build=${1:-build/native}
db=$build/compile_commands.json
if [ ! -f "$db" ]; then
    echo "tidy: no $db (build the native tree first)"
    exit 2
fi
tidy=$(command -v clang-tidy-14 || command -v clang-tidy) || {
    echo "tidy: clang-tidy not found"
    exit 2
}
src=$(pwd)/src
files=$(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$db" | grep "^$src/" | sort -u)
if [ -z "$files" ]; then
    echo "tidy: $db lists no file under src/"
    exit 2
fi
# The sources, one line each: none has a space in its name. Each file's
# findings are printed together once it is done, without clang-tidy's count of
# the warnings it saw in other code ("N warnings generated.").
echo "$files" | xargs -P 2 -n 1 sh -c '
    out=$("$0" -p "$1" --quiet --header-filter="^$2/" "$3" 2>&1)
    rc=$?
    printf "%s\n" "$out" | grep -v -e "^[0-9]* warnings\{0,1\} generated\.$" -e "^$"
    exit $rc' "$tidy" "$build" "$src"
rc=$?
count=$(echo "$files" | wc -l)
if [ "$rc" -eq 0 ]; then
    echo "tidy: $count files, no finding"
    exit 0
fi
echo "tidy: findings in the core (above)"
exit 1
