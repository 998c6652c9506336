#!/bin/sh
# Holds the sources to the layering of their folders: a file may include
# headers of its own folder and of the folders its folder may include. The
# rules are the README's table "Who may include whom" and nowhere else: each
# row is a folder and the folders it may include, in backquotes, or "every
# other folder", or "nothing". Prints every include against it and fails when
# there is one.
cd "$(dirname "$0")/.." || exit 2
# One line per row: the folder, then the folders it may include ("*" for every
# other folder).
rules=$(awk '
    /^\| *folder *\| *may include *\| *$/ { in_table = 1; next }
    !in_table { next }
    /^\|[-| ]*$/ { next }
    !/^\|/ { exit }
    {
        n = split($0, cell, "|")
        if (n < 4) { print "?"; exit }
        folder = cell[2]; allowed = cell[3]
        gsub(/[` ]/, "", folder)
        if (allowed ~ /^ *every other folder *$/) list = "*"
        else if (allowed ~ /^ *nothing *$/) list = ""
        else { list = allowed; gsub(/[`,]/, " ", list); gsub(/  +/, " ", list); gsub(/^ | $/, "", list) }
        print folder " " list
    }
' README.md)
if [ -z "$rules" ] || echo "$rules" | grep -q '^?'; then
    echo "layers: no table \"| folder | may include |\" in README.md"
    exit 2
fi
folders=$(echo "$rules" | cut -d' ' -f1)
# The same lines with "*" written out, read once per file below.
resolved=$(echo "$rules" | while read -r folder list; do
    if [ "$list" = "*" ]; then
        list=$(echo "$folders" | grep -vx "$folder" | tr '\n' ' ')
    fi
    echo "$folder: $list"
done)
may_include() {
    line=$(echo "$resolved" | grep -m1 "^$1: ")
    [ -n "$line" ] && echo "${line#*: }" || echo "?"
}
bad=0
rules_of=""
# A folder named in the table's second column must be a row of its own.
for target in $(echo "$rules" | cut -s -d' ' -f2- | tr ' ' '\n' | grep -vx '\*' | sort -u); do
    if ! echo "$folders" | grep -qx "$target"; then
        echo "README.md: the layering names $target/, which has no row of its own"
        bad=1
    fi
done
for file in $(find src -name '*.h' -o -name '*.cpp' | sort); do
    folder=$(echo "$file" | cut -d/ -f2)
    # The files come sorted, so a folder's rules are looked up once.
    if [ "$folder" != "$rules_of" ]; then
        allowed=$(may_include "$folder")
        rules_of=$folder
    fi
    if [ "$allowed" = "?" ]; then
        echo "$file: the folder $folder has no place in the layering"
        bad=1
        continue
    fi
    for target in $(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file" | sort -u); do
        [ "$target" = "$folder" ] && continue
        case " $allowed " in
        *" $target "*) ;;
        *)
            echo "$file: $folder may not include $target/"
            bad=1
            ;;
        esac
    done
done
[ "$bad" -eq 0 ] && echo "layers: every include points down"
exit $bad
