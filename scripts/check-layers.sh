#!/bin/sh
# Holds the sources to the layering of their folders: a file may include
# headers of its own folder and of the folders its folder may include, as
# listed below (the same table stands in the README). Prints every include
# against it and fails when there is one.
cd "$(dirname "$0")/.." || exit 2
may_include() {
    case "$1" in
    base) echo "" ;;
    win) echo "base" ;;
    program) echo "base win" ;;
    document) echo "base win program" ;;
    skins) echo "base win program document" ;;
    settings) echo "base win program document skins" ;;
    window) echo "base win program document skins settings" ;;
    crypto) echo "base win program document skins settings window" ;;
    notes) echo "base win program document skins settings window crypto" ;;
    editor) echo "base win program document skins settings window crypto notes" ;;
    search) echo "base win program document skins settings window" ;;
    donation) echo "base win program document skins settings window" ;;
    app) echo "base win program document skins settings window crypto notes editor search donation" ;;
    *) echo "?" ;;
    esac
}
bad=0
for file in $(find src -name '*.h' -o -name '*.cpp' | sort); do
    folder=$(echo "$file" | cut -d/ -f2)
    allowed=$(may_include "$folder")
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
