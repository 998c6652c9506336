// A read-only view of the program's options as the settings page holds them,
// for the subsystems that act on them.
#pragma once

#include "settings/settings_ids.h"

#include <windows.h>

namespace quivra::settings {

class Options {
  public:
    virtual ~Options() = default;
    // An option check box of the settings page, by its identifier.
    virtual bool ticked(int id) const = 0;
    // The opacity and the two slide-step sliders.
    virtual int sliderPosition(int id) const = 0;
    // The edge box's item: the dock edge (0 left, 1 top, 2 right, 3 bottom).
    virtual int placeIndex() const = 0;
    virtual COLORREF borderColor() const = 0;
};

} // namespace quivra::settings
