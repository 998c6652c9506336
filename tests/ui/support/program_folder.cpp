#include "support/program_folder.h"

#include "win/wide_win.h"

#include <gtest/gtest.h>

namespace quivra::test {

namespace fs = std::filesystem;

ProgramFolder::ProgramFolder() {
    wchar_t tmp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, tmp);
    static int counter = 0;
    root_ = fs::path(tmp) / (L"quivra-ui-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(++counter));
    fs::remove_all(root_);
    fs::create_directories(root_);
    win::setMessageBoxHook([this](HWND, const wchar_t* text, const wchar_t* caption, UINT flags) {
        boxes.push_back({text, caption, flags});
        if (answers.empty())
            return IDOK;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
}

ProgramFolder::~ProgramFolder() {
    win::setMessageBoxHook({});
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void ProgramFolder::copySkins() const {
    fs::create_directories(data() / L"Skins");
    for (const auto& e : fs::directory_iterator(fs::path(QUIVRA_SKINS)))
        fs::copy_file(e.path(), data() / L"Skins" / e.path().filename(),
                      fs::copy_options::overwrite_existing);
}

void ProgramFolder::option(std::u16string_view key, std::u16string_view value) const {
    fs::create_directories(data());
    settings().writeString(u"Options", key, value);
}

app::Environment ProgramFolder::environment() const {
    app::Environment env;
    env.exePath = exePath().wstring();
    env.computerName = L"PC";
    env.userName = L"user";
    env.shortDatePattern = shortDatePattern;
    env.dateNames = dateNames;
    env.arguments = arguments;
    const auto day = today;
    env.today = [day] { return day; };
    return env;
}

std::unique_ptr<app::TMainForm> ProgramFolder::start(app::StartResult expected) {
    auto form = std::make_unique<app::TMainForm>(environment());
    EXPECT_EQ(form->create(), expected);
    pumpMessages();
    return form;
}

void writeFile(const fs::path& file, std::string_view bytes) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot create " << file.string();
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string readFile(const fs::path& file) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof(buf), &got, nullptr) && got > 0)
        bytes.append(buf, got);
    CloseHandle(h);
    return bytes;
}

std::u16string readSettingsText(const fs::path& file) {
    const std::string bytes = readFile(file);
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text((bytes.size() - 2) / 2, u'\0');
        memcpy(text.data(), bytes.data() + 2, text.size() * 2);
        return text;
    }
    return std::u16string(bytes.begin(), bytes.end());
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace quivra::test
