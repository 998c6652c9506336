// Start-up reads every option from the settings file, one file access per key.
// This measures that cost on a file of 100 keys.
#include "settings/keys.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

using namespace quivra::settings;
using quivra::base::IniFile;
namespace fs = std::filesystem;

namespace {

class SettingsFolder {
  public:
    SettingsFolder() {
        std::random_device rd;
        folder_ = fs::temp_directory_path() / ("quivra-bench-" + std::to_string(rd()));
        fs::create_directories(folder_);
    }
    ~SettingsFolder() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    fs::path file() const { return folder_ / "quivra_PC_user.ini"; }

  private:
    fs::path folder_;
};

// Every key of the table with a value, plus filler keys up to 100 (note names,
// per-panel coordinates of a grown file); the keys read are spread over it.
void fill(IniFile& ini) {
    for (const auto& k : keys::kIntKeys)
        write(ini, k, k.def + 1);
    for (const auto& k : keys::kBoolKeys)
        write(ini, k, !k.def);
    for (const auto& k : keys::kTextKeys)
        write(ini, k, u"Заметка о делах");
    for (const auto& k : keys::kCoordKeys)
        write(ini, k, 120);
    write(ini, keys::BorderColor, rgbColor(0, 128, 128));
    const std::size_t tableKeys = keys::kIntKeys.size() + keys::kBoolKeys.size() +
                                  keys::kTextKeys.size() + keys::kCoordKeys.size() + 1;
    for (std::size_t i = 0; tableKeys + i < 100; ++i) {
        const auto n = std::to_string(i);
        ini.writeString(i % 2 ? u"Options" : u"Coords",
                        u"Extra" + std::u16string(n.begin(), n.end()), u"значение");
    }
}

// The 35 keys start-up reads.
int readStartUpKeys(const IniFile& ini) {
    int sink = 0;
    for (const auto& k : keys::kIntKeys)
        sink += static_cast<int>(read(ini, k));
    for (const auto& k : keys::kBoolKeys)
        sink += read(ini, k);
    for (const auto& k : {keys::SkinName, keys::CustomBrowser, keys::CurrentNoteName,
                          keys::CustomDir, keys::StartDate})
        sink += static_cast<int>(read(ini, k).size());
    sink += static_cast<int>(read(ini, keys::NotesDir, u"PC_user").size());
    sink += readColor(ini, keys::BorderColor).has_value();
    sink += exists(ini, keys::Restart) + exists(ini, keys::SplitPos);
    return sink; // 7 + 18 + 5 + 1 + 1 + 2 = 34 keys, with the font panel 35
}

constexpr int kStartUpKeys = 35;

void BM_ReadStartUpKeys(benchmark::State& state) {
    SettingsFolder folder;
    IniFile ini(folder.file());
    fill(ini);
    for (auto _ : state) {
        int sink = readStartUpKeys(ini);
        sink += static_cast<int>(read(ini, keys::FontPanel_x).value_or(0));
        benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * kStartUpKeys);
    state.counters["per_key"] = benchmark::Counter(
        kStartUpKeys, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ReadStartUpKeys)->Unit(benchmark::kMicrosecond);

// One option change: the whole 100-key file is rewritten through a temporary file.
void BM_WriteOneKey(benchmark::State& state) {
    SettingsFolder folder;
    IniFile ini(folder.file());
    fill(ini);
    long opacity = 50;
    for (auto _ : state)
        write(ini, keys::Opacity, opacity = opacity == 255 ? 50 : opacity + 1);
}
BENCHMARK(BM_WriteOneKey)->Unit(benchmark::kMicrosecond);

} // namespace
