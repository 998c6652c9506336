#include "win/high_contrast_win.h"

#include <windows.h>

#include <optional>

namespace quivra::win {

namespace {

bool systemHighContrast() {
    HIGHCONTRASTW hc{};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
           (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HighContrastSource source = nullptr;
std::optional<bool> lastRead;

bool readNow() {
    return source ? source() : systemHighContrast();
}

} // namespace

bool highContrast() {
    if (!lastRead)
        lastRead = readNow();
    return *lastRead;
}

bool readHighContrastAgain() {
    const bool was = highContrast();
    lastRead = readNow();
    return *lastRead != was;
}

void setHighContrastSource(HighContrastSource s) {
    source = s;
}

} // namespace quivra::win
