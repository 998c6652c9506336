#include "donation/donation_details.h"

#include "base/ini_file.h"
#include "settings/keys.h"

#include <system_error>

namespace quivra::donation {

bool DonationDetails::firstServiceSet() const {
    return !service1.empty() || !account1.empty() || !account2.empty() || !account3.empty();
}

bool DonationDetails::secondServiceSet() const {
    return !service2.empty() || !account4.empty();
}

std::optional<DonationDetails> readDonationDetails(const std::filesystem::path& dataFolder) {
    const auto path = dataFolder / std::filesystem::path(kDetailsFileName);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    const base::IniFile ini(path);
    const auto read = [&](std::u16string_view key) {
        return ini.readString(kDetailsSection, key, u"");
    };
    DonationDetails d;
    d.service1 = read(u"Service1");
    d.account1 = read(u"Account1");
    d.account2 = read(u"Account2");
    d.account3 = read(u"Account3");
    d.service2 = read(u"Service2");
    d.account4 = read(u"Account4");
    if (!d.firstServiceSet() && !d.secondServiceSet())
        return std::nullopt;
    return d;
}

bool shouldShowReminder(bool noAdv, long daysInUse) {
    return !noAdv && daysInUse >= 2;
}

void switchReminderOff(const std::filesystem::path& settingsFile) {
    base::IniFile ini(settingsFile);
    settings::write(ini, settings::keys::NoAdv, true);
}

} // namespace quivra::donation
