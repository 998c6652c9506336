// A Ctrl+click on a link in the editor opens it: with the link program the
// user chose on the settings page, or else with the system's handler.
#pragma once

#include "document/rich_edit_win.h"

#include <string>

namespace quivra::document {

// Handles the editor's link notification. Acts only on the release of the
// left button while Ctrl is held in the editor: selects the link, opens its
// text (a link that is no web page or mail address after the user agreed),
// and leaves the caret at the link's start. False when it did nothing.
bool linkClick(RichEdit& editor, const LinkEvent& link, bool ctrlDown,
               const std::wstring& linkProgram);

} // namespace quivra::document
