#!/bin/sh
# Reads the notes the program saved with LibreOffice (headless) and checks
# that their text comes back unchanged and that bold and colour are kept.
#   libreoffice_reads_notes.sh DIR
# DIR is what interop_tests wrote: notes/*.rtf (the saved note files),
# expected/<name>.txt (the text) and expected/<name>.formats (words and their
# format, for tests/interop/html_word_formats.pl). LibreOffice's output goes
# to DIR/libreoffice.
set -u
dir=$1
here=$(cd "$(dirname "$0")" && pwd)
out=$dir/libreoffice

if ! command -v soffice >/dev/null 2>&1; then
    echo "FAIL: soffice not found; scripts/install-deps.sh installs LibreOffice Writer"
    exit 1
fi
set -- "$dir"/notes/*.rtf
if [ ! -f "$1" ]; then
    echo "FAIL: no saved notes in $dir/notes (interop_tests writes them)"
    exit 1
fi
rm -rf "$out"
mkdir -p "$out"

# A profile of its own, so that no running LibreOffice or earlier profile of
# the user takes part.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT

convert() { # FILTER LOGNAME NOTES...
    filter=$1 log=$out/soffice-$2.log
    shift 2
    if ! HOME=$profile timeout 300 soffice "-env:UserInstallation=file://$profile" \
        --headless --norestore --convert-to "$filter" --outdir "$out" "$@" >"$log" 2>&1; then
        echo "FAIL: soffice --convert-to $filter did not finish:"
        cat "$log"
        exit 1
    fi
}
convert 'txt:Text (encoded):UTF8,LF' txt "$@"
convert html html "$@"

# LibreOffice adds a byte-order mark and ends the last paragraph with a line
# break; nothing else is forgiven.
normalise() {
    perl -0777 -pe 's/\A\xEF\xBB\xBF//; s/[\r\n]*\z/\n/' "$1"
}

failed=0
for note in "$@"; do
    name=$(basename "$note" .rtf)
    want=$dir/expected/$name.txt
    got=$out/$name.txt
    if [ ! -f "$got" ]; then
        echo "FAIL $name: LibreOffice wrote no text; its output:"
        cat "$out/soffice-txt.log"
        failed=1
        continue
    fi
    normalise "$want" >"$out/$name.want"
    normalise "$got" >"$out/$name.got"
    if cmp -s "$out/$name.want" "$out/$name.got"; then
        echo "ok $name: text read back unchanged"
    else
        echo "FAIL $name: LibreOffice reads other text (- saved, + read):"
        diff -u "$out/$name.want" "$out/$name.got"
        failed=1
    fi
    formats=$dir/expected/$name.formats
    [ -f "$formats" ] || continue
    if [ ! -f "$out/$name.html" ]; then
        echo "FAIL $name: LibreOffice wrote no HTML"
        cat "$out/soffice-html.log"
        failed=1
    elif ! perl "$here/html_word_formats.pl" "$out/$name.html" "$formats"; then
        echo "FAIL $name: formats lost in $out/$name.html"
        failed=1
    fi
done
exit $failed
