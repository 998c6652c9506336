// Helpers of the core tests that touch files: a fresh folder per test and raw
// file bytes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace quivra::settings::testing {

namespace fs = std::filesystem;

class TempFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        folder_ = fs::temp_directory_path() /
                  ("quivra-settings-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(folder_, ec);
    }

    const fs::path& folder() const { return folder_; }

    static void writeBytes(const fs::path& p, std::string_view bytes) {
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good());
    }

    static std::string readBytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names of the folder's entries, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    fs::path folder_;
};

// The bytes of a UTF-16 text, with an optional byte-order mark.
inline std::string utf16Bytes(std::u16string_view text, bool bigEndian, bool bom = true) {
    std::string out;
    auto put = [&](char16_t c) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    };
    if (bom)
        put(0xFEFF);
    for (char16_t c : text)
        put(c);
    return out;
}

} // namespace quivra::settings::testing
