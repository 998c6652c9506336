#include "settings/keys.h"

#include <algorithm>

namespace quivra::settings {

long read(const base::IniFile& ini, const IntKey& key) {
    return ini.readInteger(key.section, key.name, key.def);
}

void write(base::IniFile& ini, const IntKey& key, long value) {
    ini.writeInteger(key.section, key.name, value);
}

long clamp(const IntKey& key, long value) {
    return std::clamp(value, key.min, key.max);
}

bool read(const base::IniFile& ini, const BoolKey& key) {
    return ini.readBool(key.section, key.name, key.def);
}

void write(base::IniFile& ini, const BoolKey& key, bool value) {
    ini.writeBool(key.section, key.name, value);
}

std::u16string read(const base::IniFile& ini, const TextKey& key) {
    return read(ini, key, key.def);
}

std::u16string read(const base::IniFile& ini, const TextKey& key, std::u16string_view def) {
    return ini.readString(key.section, key.name, def);
}

void write(base::IniFile& ini, const TextKey& key, std::u16string_view value) {
    ini.writeString(key.section, key.name, value);
}

std::u16string read(const base::IniFile& ini, const ColorKey& key) {
    return ini.readString(key.section, key.name, key.def);
}

std::optional<Color> readColor(const base::IniFile& ini, const ColorKey& key) {
    return colorFromString(read(ini, key));
}

void write(base::IniFile& ini, const ColorKey& key, Color value) {
    ini.writeString(key.section, key.name, colorToString(value));
}

std::optional<long> read(const base::IniFile& ini, const CoordKey& key) {
    // A missing key reads as empty text, which is no integer either.
    if (const auto v = base::parseProfileInteger(ini.readString(key.section, key.name, u"")))
        return v;
    return key.def;
}

void write(base::IniFile& ini, const CoordKey& key, long value) {
    ini.writeInteger(key.section, key.name, value);
}

void write(base::IniFile& ini, const MarkerKey& key) {
    ini.writeString(key.section, key.name, u"1");
}

} // namespace quivra::settings
