#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "common/temp_folder.h"
#include "donation/donation_details.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace quivra::donation;

namespace {

class DonationDetailsTest : public quivra::settings::testing::TempFolderTest {
  protected:
    void writeDetails(const std::string& utf8) { writeBytes(folder() / "donation.ini", utf8); }
};

} // namespace

TEST(DonationReminder, ShowsFromTheSecondWholeDayUnlessSwitchedOff) {
    struct Case {
        bool noAdv;
        long days;
        bool shown;
    };
    const Case cases[] = {{false, 0, false}, {false, 1, false},   {false, 2, true},
                          {false, 3, true},  {false, 4000, true}, {true, 0, false},
                          {true, 2, false},  {true, 365, false}};
    for (const auto& c : cases)
        EXPECT_EQ(shouldShowReminder(c.noAdv, c.days), c.shown)
            << "noAdv " << c.noAdv << ", days " << c.days;
}

TEST_F(DonationDetailsTest, MissingFileOrEmptyValuesMeanNoDetails) {
    EXPECT_FALSE(readDonationDetails(folder()));
    EXPECT_FALSE(readDonationDetails(folder() / "no such folder"));

    writeDetails("[Other]\r\nService1=elsewhere\r\n");
    EXPECT_FALSE(readDonationDetails(folder()));

    writeDetails("[Donation]\r\nService1=\r\nAccount4=  \r\n");
    EXPECT_FALSE(readDonationDetails(folder()));
}

TEST_F(DonationDetailsTest, ReadsBothServices) {
    writeDetails("[Donation]\r\nService1=Платёжный сервис\r\nAccount1=R1\r\nAccount2=Z2\r\n"
                 "Account3=E3\r\nService2=Кошелёк\r\nAccount4=+7 900 000-00-00\r\n");
    auto d = readDonationDetails(folder());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->service1, u"Платёжный сервис");
    EXPECT_EQ(d->account1, u"R1");
    EXPECT_EQ(d->account2, u"Z2");
    EXPECT_EQ(d->account3, u"E3");
    EXPECT_EQ(d->service2, u"Кошелёк");
    EXPECT_EQ(d->account4, u"+7 900 000-00-00");

    // The documented sample is in the format the program reads.
    const auto sample =
        fs::path(QUIVRA_TEST_DATA).parent_path().parent_path() / "docs" / "donation.ini.example";
    fs::copy_file(sample, folder() / "donation.ini", fs::copy_options::overwrite_existing);
    d = readDonationDetails(folder());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->service1, u"Payment service one");
    EXPECT_EQ(d->account3, u"E000000000000");
    EXPECT_EQ(d->account4, u"+7 900 000-00-00");
}

TEST_F(DonationDetailsTest, SwitchingTheReminderOffKeepsTheOtherSettings) {
    const auto settings = folder() / "Quivra_PC_user.ini";
    quivra::base::IniFile ini(settings);
    ini.writeString(u"Options", u"StartDate", u"01.02.2024");
    ini.writeBool(u"Options", u"NoAdv", false);

    switchReminderOff(settings);
    EXPECT_TRUE(ini.readBool(u"Options", u"NoAdv", false));
    EXPECT_EQ(ini.readString(u"Options", u"NoAdv", u""), u"1");
    EXPECT_EQ(ini.readString(u"Options", u"StartDate", u""), u"01.02.2024");
}
