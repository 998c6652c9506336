// The system's code pages as the RTF writers and the reading of a note's text
// need them.
#pragma once

#include "document/rtf_output.h"

namespace quivra::document {

const CodePages& windowsCodePages();

} // namespace quivra::document
