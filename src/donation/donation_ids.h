// Identifiers of the donation reminder. They come from the subsystem's block, so that one
// number tells the router where a command, notification or tick goes.
#pragma once

#include "program/id_blocks.h"

namespace quivra::donation {

enum DonationId : int {
    ID_ADVLABEL = program::kDonationIds.first, // the label of the about page
    AdvTimer,                                  // the reminder, once, 1 s after start
    ID_DONATION_LAST = AdvTimer,
};
static_assert(program::kDonationIds.contains(ID_DONATION_LAST));

} // namespace quivra::donation
