// The five option boxes: their marks, the coupling of "Sound" and
// "Daueralarm", the stored bytes, and the autostart value in the registry.
#include <gtest/gtest.h>

#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/Scenario.h"

namespace hv::test {
namespace {

constexpr const char* kMachineRun = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUserRun = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Options : public ::testing::Test {
protected:
    void SetUp() override {
        s.World().moduleFileName = "C:\\Program Files\\Horovant\\Horovant.exe";
        s.WithProductDir(kInstallDir).WithSettings(SettingsRecord::Default().Bytes()).Start();
    }
    std::string Stored(std::size_t offset, std::size_t n = 1) const { return s.FileBytes()->substr(offset, n); }
    const headless::RegistryValue* RunValue(const char* key) {
        auto& values = s.World().registry[key];
        const auto it = values.find("Horovant");
        return it == values.end() ? nullptr : &it->second;
    }
    Scenario s;
};

TEST_F(Options, SoundOffForcesDaueralarmOnAndGreyedSoundOnFreesIt) {
    ASSERT_TRUE(s.Click(IDC_CONTINUOUS_ALARM));  // Daueralarm off while sound is on
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 0);
    EXPECT_EQ(Stored(settings::kSoundOn, 2), "tf");
    ASSERT_TRUE(s.Click(IDC_SOUND));
    EXPECT_EQ(s.Check(IDC_SOUND), 0);
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 1);
    EXPECT_FALSE(s.Enabled(IDC_CONTINUOUS_ALARM));
    EXPECT_EQ(Stored(settings::kSoundOn, 2), "ft");
    EXPECT_FALSE(s.Click(IDC_CONTINUOUS_ALARM));  // greyed: the click does not arrive
    ASSERT_TRUE(s.Click(IDC_SOUND));
    EXPECT_EQ(s.Check(IDC_SOUND), 1);
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 1);
    EXPECT_TRUE(s.Enabled(IDC_CONTINUOUS_ALARM));
    EXPECT_EQ(Stored(settings::kSoundOn, 2), "tt");

    // Sound off with Daueralarm already on writes only its own field.
    s.World().FindFile(kSettingsPath)->bytes[settings::kContinuousAlarm] = 'x';
    ASSERT_TRUE(s.Click(IDC_SOUND));
    EXPECT_EQ(Stored(settings::kSoundOn, 2), "fx");
}

TEST_F(Options, TheHourlySignalAndStartMinimisedAreStoredAsOnePair) {
    ASSERT_TRUE(s.Click(IDC_HOURLY_SIGNAL));
    EXPECT_TRUE(s.Dlg().State().hourlySignalOn);
    EXPECT_EQ(Stored(settings::kStartMinimized, 2), "nj");
    ASSERT_TRUE(s.Click(IDC_START_MINIMIZED));
    EXPECT_EQ(Stored(settings::kStartMinimized, 2), "jj");
    EXPECT_TRUE(s.Wnd().IsVisible());  // takes effect at the next start
    s.Advance(1000);
    EXPECT_TRUE(s.Wnd().IsVisible());
    ASSERT_TRUE(s.Click(IDC_HOURLY_SIGNAL));
    EXPECT_FALSE(s.Dlg().State().hourlySignalOn);
    EXPECT_EQ(s.Check(IDC_HOURLY_SIGNAL), 0);
    EXPECT_EQ(Stored(settings::kStartMinimized, 2), "jn");
}

TEST_F(Options, AFailedWriteLeavesTheBox) {
    s.World().FindFile(kSettingsPath)->lockedByOtherProgram = true;
    ASSERT_TRUE(s.Click(IDC_SOUND));
    EXPECT_EQ(s.Check(IDC_SOUND), 1);
    ASSERT_TRUE(s.Click(IDC_HOURLY_SIGNAL));
    EXPECT_EQ(s.Check(IDC_HOURLY_SIGNAL), 0);
    EXPECT_FALSE(s.Dlg().State().hourlySignalOn);
    EXPECT_EQ(s.World().messageBoxes.size(), 2u);
}

TEST_F(Options, AutostartStoresTheQuotedPathAndRemovesIt) {
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 1);
    EXPECT_EQ(Stored(settings::kAutostart), "t");
    const auto* value = RunValue(kMachineRun);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, 2u);  // REG_EXPAND_SZ
    EXPECT_EQ(value->data, std::string("\"C:\\Program Files\\Horovant\\Horovant.exe\"\0", 41));
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 0);
    EXPECT_EQ(Stored(settings::kAutostart), "f");
    EXPECT_EQ(RunValue(kMachineRun), nullptr);
    EXPECT_TRUE(s.World().messageBoxes.empty());
}

TEST_F(Options, AutostartForTheUserWhenTheMachineKeyIsReadOnly) {
    std::string longPath = "C:\\";
    while (longPath.size() < 300) longPath += "Ein langer Ordner\\";
    s.World().moduleFileName = longPath + "Horovant.exe";
    s.World().localMachineWritable = false;
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 1);
    EXPECT_EQ(RunValue(kMachineRun), nullptr);
    const auto* value = RunValue(kUserRun);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->data, "\"" + longPath + "Horovant.exe\"" + std::string(1, '\0'));  // never cut
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    EXPECT_EQ(RunValue(kUserRun), nullptr);
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 0);
    EXPECT_TRUE(s.World().messageBoxes.empty());
}

TEST_F(Options, AutostartThatCannotBeWrittenOrRemovedIsSaidAndTheBoxStays) {
    s.World().registryWritable = false;
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    ASSERT_EQ(s.World().messageBoxes.size(), 1u);
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 0);
    EXPECT_EQ(Stored(settings::kAutostart), "f");

    // An administrator's machine-wide value that this user cannot delete.
    s.World().registry[kMachineRun]["Horovant"] = {2, std::string("C:\\Horovant.exe\0", 16)};
    s.World().registryWritable = true;
    s.World().localMachineWritable = false;
    s.World().FindFile(kSettingsPath)->bytes[settings::kAutostart] = 't';
    s.Wnd().Item(IDC_AUTOSTART).SetCheck(1);
    ASSERT_TRUE(s.Click(IDC_AUTOSTART));
    ASSERT_EQ(s.World().messageBoxes.size(), 2u);
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 1);
    EXPECT_EQ(Stored(settings::kAutostart), "t");
    EXPECT_NE(RunValue(kMachineRun), nullptr);
}

TEST(OptionsRestart, EveryBoxShowsWhatItWasLeftAt) {
    std::string written;
    {
        Scenario s;
        s.Start();
        for (int id : {IDC_HOURLY_SIGNAL, IDC_START_MINIMIZED, IDC_AUTOSTART, IDC_CONTINUOUS_ALARM}) ASSERT_TRUE(s.Click(id));
        written = *s.FileBytes();
    }
    Scenario s;
    s.WithSettings(written).Start();
    EXPECT_EQ(s.Check(IDC_SOUND), 1);
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 0);
    EXPECT_EQ(s.Check(IDC_HOURLY_SIGNAL), 1);
    EXPECT_EQ(s.Check(IDC_START_MINIMIZED), 1);
    EXPECT_EQ(s.Check(IDC_AUTOSTART), 1);
}

}  // namespace
}  // namespace hv::test

namespace hv::test {
namespace {

// A damaged file with sound and Daueralarm both off shows Daueralarm forced
// on; once sound is on again, the file says what the box shows.
TEST(OptionsFromADamagedFile, SoundOnStoresTheDaueralarmTheBoxShows) {
    Scenario s;
    s.WithSettings(RecordWith({{settings::kSoundOn, "ff"}})).Start();
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), 1);
    ASSERT_TRUE(s.Click(IDC_SOUND));
    EXPECT_EQ(s.FileBytes()->substr(settings::kSoundOn, 2), "tt");
}

}  // namespace
}  // namespace hv::test
