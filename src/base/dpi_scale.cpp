#include "base/dpi_scale.h"

#include <climits>
#include <cstdint>

namespace quivra::base {

namespace {

// value × numerator / denominator rounded to the nearest integer, halves away
// from zero, held within int; a denominator below 1 counts as the design DPI.
int mulDivRounded(int value, int numerator, int denominator) {
    if (denominator < 1 || numerator < 1)
        return value;
    const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
    const std::int64_t half = denominator / 2;
    const std::int64_t result =
        product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    if (result > INT_MAX)
        return INT_MAX;
    if (result < INT_MIN)
        return INT_MIN;
    return static_cast<int>(result);
}

} // namespace

int scaledToDpi(int designed, int dpi) {
    return mulDivRounded(designed, dpi, kDesignDpi);
}

int designedFromDpi(int device, int dpi) {
    return mulDivRounded(device, kDesignDpi, dpi);
}

} // namespace quivra::base
