// What the donation windows show and decide, apart from the windows.
//
// The payment details come from the file "donation.ini" in the Data folder,
// so that whoever distributes the program puts in their own. Layout (any of
// UTF-16, UTF-8 or the ANSI code page, as for every INI file of the program):
//
//     [Donation]
//     Service1=<name of the first payment service>
//     Account1=<first account with it>
//     Account2=<second account>
//     Account3=<third account>
//     Service2=<name of the second payment service>
//     Account4=<phone-style account with it>
//
// Missing keys read as empty text. A missing file, or one whose section holds
// none of the keys with a value, means no details are set; the details window
// then says so instead of showing empty fields.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quivra::donation {

inline constexpr std::u16string_view kDetailsFileName = u"donation.ini";
inline constexpr std::u16string_view kDetailsSection = u"Donation";

struct DonationDetails {
    std::u16string service1;
    std::u16string account1, account2, account3;
    std::u16string service2;
    std::u16string account4;

    bool firstServiceSet() const;
    bool secondServiceSet() const;
};

// Reads Data\donation.ini; nullopt when no details are set (see above).
std::optional<DonationDetails> readDonationDetails(const std::filesystem::path& dataFolder);

// The one-shot reminder timer's decision: shown unless switched off, from
// the second whole day of use on.
bool shouldShowReminder(bool noAdv, long daysInUse);

// Stores NoAdv=1 in the settings file through an object of its own, so the
// reminder never comes back. Throws quivra::UserError when the file cannot
// be written.
void switchReminderOff(const std::filesystem::path& settingsFile);

} // namespace quivra::donation
