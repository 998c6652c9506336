#include "editor/format_rules.h"

#include <algorithm>

#include "base/ini_file.h"

namespace quivra::editor {

unsigned styleAfterButton(unsigned reportedEffects, unsigned bit, bool pressed) {
    const unsigned style = reportedEffects & kStyleBits;
    return pressed ? style | bit : style & ~bit;
}

unsigned styleAfterShortcut(unsigned reportedEffects, unsigned bit) {
    return styleAfterButton(reportedEffects, bit, (reportedEffects & bit) == 0);
}

std::optional<Alignment> alignmentButton(int paragraphAlignment) {
    switch (paragraphAlignment) {
    case static_cast<int>(Alignment::Left):
    case static_cast<int>(Alignment::Right):
    case static_cast<int>(Alignment::Center):
        return static_cast<Alignment>(paragraphAlignment);
    default:
        return std::nullopt;
    }
}

std::optional<long> fontSizeFromText(std::u16string_view text) {
    return base::parseProfileInteger(text);
}

long pointsOfTwips(long twips) {
    return twips / 20;
}

std::int32_t twipsOfPoints(long points) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(static_cast<std::int64_t>(points) * 20));
}

std::span<const settings::NamedColor> paletteColours() {
    return settings::standardColors().first(kPaletteSwatches);
}

SwatchRect swatchRect(std::size_t index) {
    const int column = static_cast<int>(index % kPaletteColumns);
    const int row = static_cast<int>(index / kPaletteColumns);
    const int step = kSwatchSize + kSwatchMargin;
    return {kSwatchMargin + column * step, kSwatchMargin + row * step};
}

std::size_t swatchAt(int x, int y) {
    for (std::size_t i = 0; i < kPaletteSwatches; ++i) {
        const SwatchRect r = swatchRect(i);
        if (x >= r.left - kSwatchMargin && x < r.left + kSwatchSize + kSwatchMargin &&
            y >= r.top - kSwatchMargin && y < r.top + kSwatchSize + kSwatchMargin)
            return i;
    }
    return kPaletteSwatches - 1; // white
}

std::u16string_view paletteColourName(std::size_t index) {
    // In the order of the standard colours (clBlack ... clWhite).
    static constexpr std::u16string_view kNames[kPaletteSwatches] = {
        u"Чёрный",      u"Тёмно-красный", u"Зелёный",      u"Оливковый",
        u"Тёмно-синий", u"Фиолетовый",    u"Сине-зелёный", u"Серый",
        u"Серебристый", u"Красный",       u"Ярко-зелёный", u"Жёлтый",
        u"Синий",       u"Пурпурный",     u"Голубой",      u"Белый"};
    return index < kPaletteSwatches ? kNames[index] : std::u16string_view();
}

std::size_t swatchBeside(std::size_t index, int dx, int dy) {
    const int columns = kPaletteColumns;
    const int rows = static_cast<int>(kPaletteSwatches) / columns;
    const int column = std::clamp(static_cast<int>(index) % columns + dx, 0, columns - 1);
    const int row = std::clamp(static_cast<int>(index) / columns + dy, 0, rows - 1);
    return static_cast<std::size_t>(row) * kPaletteColumns + static_cast<std::size_t>(column);
}

std::u16string_view paletteRecordKey(PaletteMode mode) {
    return mode == PaletteMode::TextColour ? u"FontColor" : u"NoteBGColor";
}

std::vector<int> paletteOpeningTops(int barBottom, int height, bool animate) {
    std::vector<int> tops;
    if (animate)
        for (int top = barBottom - height; top < barBottom - 5;) {
            top += 5;
            tops.push_back(top);
        }
    tops.push_back(barBottom);
    return tops;
}

std::vector<int> paletteClosingTops(int top, int height, int barBottom, bool animate) {
    std::vector<int> tops;
    if (animate)
        while (top + height > barBottom + 8) {
            top -= 8;
            tops.push_back(top);
        }
    return tops;
}

AdditMenuRules additMenuRules(std::u16string_view selection, bool readOnly) {
    const std::u16string_view first = selection.substr(0, 3);
    const std::u16string_view last =
        selection.substr(selection.size() < 3 ? 0 : selection.size() - 3);
    const bool opens = first == u"##[";
    const bool closes = last == u"]##";
    AdditMenuRules rules;
    rules.uncomment = opens && closes && !readOnly;
    rules.comment = !opens && !closes && !readOnly;
    rules.editing = !readOnly;
    rules.selectionCommands = !selection.empty();
    return rules;
}

} // namespace quivra::editor
