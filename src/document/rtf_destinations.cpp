#include "document/rtf_destinations.h"

#include <algorithm>
#include <array>

namespace quivra::document {

namespace {

template <std::size_t N>
bool among(std::string_view word, const std::array<std::string_view, N>& words) noexcept {
    return std::find(words.begin(), words.end(), word) != words.end();
}

constexpr auto kOwnReaders =
    std::to_array<std::string_view>({"fonttbl", "colortbl", "stylesheet", "info"});

constexpr auto kSkipped = std::to_array<std::string_view>({
    "NeXTGraphic", "aftncn",       "aftnsep",    "aftnsepc", "annotation", "atnauthor", "atnicn",
    "atnid",       "atnref",       "atntime",    "atrfend",  "atrfstart",  "author",    "bkmkend",
    "bkmkstart",   "comment",      "datafield",  "do",       "doccomm",    "falt",      "field",
    "file",        "filetbl",      "fldinst",    "fldrslt",  "fonteb",     "fontfile",  "footer",
    "footerf",     "footerl",      "footerr",    "footnote", "ftncn",      "ftnsep",    "ftnsepc",
    "generator",   "header",       "headerf",    "headerl",  "headerr",    "keycode",   "keywords",
    "nextfile",    "nonesttables", "nonshppict", "objalias", "objclass",   "objdata",   "objitem",
    "objname",     "objsect",      "objtopic",   "operator", "pgnhn",      "pn",        "pnseclvl",
    "pntext",      "pntxta",       "pntxtb",     "result",   "revtbl",     "rxe",       "subject",
    "tc",          "template",     "title",      "txe",      "verscomm",   "version",   "xe",
});

constexpr auto kPartlyRead = std::to_array<std::string_view>({"pict", "object"});

} // namespace

bool readerSkipsRest(std::string_view word) {
    return among(word, kSkipped);
}

bool readerOwnsRest(std::string_view word) {
    return among(word, kOwnReaders);
}

bool readerReadsPartOfRest(std::string_view word) {
    return among(word, kPartlyRead);
}

} // namespace quivra::document
