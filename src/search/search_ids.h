// Identifiers of the in-note search: the search box and the results area. They come from the
// subsystem's block, so that one number tells the router where a command, notification or tick
// goes.
#pragma once

#include "program/id_blocks.h"

namespace quivra::search {

enum SearchId : int {
    ID_FINDEDIT = program::kSearchIds.first,
    ID_SEARCHMEMO,
    ID_SEARCHCLOSE,
    ID_SEARCH_LAST = ID_SEARCHCLOSE,
};
static_assert(program::kSearchIds.contains(ID_SEARCH_LAST));

} // namespace quivra::search
