#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "donation/donation_details.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace quivra::donation;

namespace {

class DonationDetailsTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir = fs::temp_directory_path() / ("quivra-donation-" + std::to_string(stamp));
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    void writeDetails(const std::string& utf8) {
        std::ofstream(dir / "donation.ini", std::ios::binary) << utf8;
    }
    fs::path dir;
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
    EXPECT_FALSE(readDonationDetails(dir));
    EXPECT_FALSE(readDonationDetails(dir / "no such folder"));

    writeDetails("[Other]\r\nService1=elsewhere\r\n");
    EXPECT_FALSE(readDonationDetails(dir));

    writeDetails("[Donation]\r\nService1=\r\nAccount4=  \r\n");
    EXPECT_FALSE(readDonationDetails(dir));
}

TEST_F(DonationDetailsTest, ReadsBothServices) {
    writeDetails("[Donation]\r\nService1=Платёжный сервис\r\nAccount1=R1\r\nAccount2=Z2\r\n"
                 "Account3=E3\r\nService2=Кошелёк\r\nAccount4=+7 900 000-00-00\r\n");
    auto d = readDonationDetails(dir);
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
    fs::copy_file(sample, dir / "donation.ini", fs::copy_options::overwrite_existing);
    d = readDonationDetails(dir);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->service1, u"Payment service one");
    EXPECT_EQ(d->account3, u"E000000000000");
    EXPECT_EQ(d->account4, u"+7 900 000-00-00");
}

TEST_F(DonationDetailsTest, SwitchingTheReminderOffKeepsTheOtherSettings) {
    const auto settings = dir / "Quivra_PC_user.ini";
    quivra::base::IniFile ini(settings);
    ini.writeString(u"Options", u"StartDate", u"01.02.2024");
    ini.writeBool(u"Options", u"NoAdv", false);

    switchReminderOff(settings);
    EXPECT_TRUE(ini.readBool(u"Options", u"NoAdv", false));
    EXPECT_EQ(ini.readString(u"Options", u"NoAdv", u""), u"1");
    EXPECT_EQ(ini.readString(u"Options", u"StartDate", u""), u"01.02.2024");
}
