#include "base/text_services.h"

#include <array>

namespace quivra::base {

namespace {

constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

char16_t simpleLower(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? c + 0x20 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    const bool pairedRange = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
                             (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) ||
                             (c >= 0x4D0 && c <= 0x52F);
    if (pairedRange && c % 2 == 0)
        return c + 1;
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE)) &&
        c % 2 == 1)
        return c + 1;
    return c;
}

class PortableTextServices final : public TextServices {
  public:
    std::u16string ansiToUtf16(std::string_view bytes) const override {
        std::u16string out;
        out.reserve(bytes.size());
        for (char ch : bytes) {
            const auto b = static_cast<unsigned char>(ch);
            out.push_back(b < 0x80 ? b : kCp1251High[b - 0x80]);
        }
        return out;
    }
    std::string utf16ToAnsi(std::u16string_view text) const override {
        std::string out;
        out.reserve(text.size());
        for (char16_t c : text) {
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
                continue;
            }
            char mapped = '?';
            for (size_t i = 0; i < kCp1251High.size(); ++i)
                if (kCp1251High[i] == c) {
                    mapped = static_cast<char>(0x80 + i);
                    break;
                }
            out.push_back(mapped);
        }
        return out;
    }
    std::u16string toLower(std::u16string_view text) const override {
        std::u16string out(text);
        for (auto& c : out)
            c = simpleLower(c);
        return out;
    }
};

const TextServices* g_services = nullptr;

} // namespace

int TextServices::compareIgnoreCase(std::u16string_view a, std::u16string_view b) const {
    return toLower(a).compare(toLower(b));
}

const TextServices& portableTextServices() {
    static const PortableTextServices services;
    return services;
}

const TextServices& textServices() {
    return g_services ? *g_services : portableTextServices();
}

void setTextServices(const TextServices* services) {
    g_services = services;
}

bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    const auto& ts = textServices();
    return ts.toLower(a) == ts.toLower(b);
}

} // namespace quivra::base
