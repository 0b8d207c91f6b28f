// The settings record: its default bytes and layout, and that any bytes at
// all give consistent start states.
#include <gtest/gtest.h>

#include <random>

#include "model/SettingsRecord.h"

namespace hv {
namespace {

TEST(SettingsRecordLayout, DefaultRecordIsTheDocumentedBytes) {
    const std::string bytes = SettingsRecord::Default().Bytes();
    ASSERT_EQ(bytes.size(), 133u);
    EXPECT_EQ(bytes,
              "nnf000000f000000f000000f000000tt"
              "Alarmzeit 1    Alarmzeit 2    Alarmzeit 3    Alarmzeit 4    Countdown      Stoppuhr       "
              "f000000000"
              "f");
}

TEST(SettingsRecordLayout, FieldOffsetsFollowTheRecord) {
    // Offsets that the field rewrites of every handler rely on.
    EXPECT_EQ(settings::AlarmActive(0), 2u);
    EXPECT_EQ(settings::AlarmTime(0), 3u);
    EXPECT_EQ(settings::AlarmActive(1), 9u);
    EXPECT_EQ(settings::AlarmTime(1), 10u);
    EXPECT_EQ(settings::AlarmActive(3), 23u);
    EXPECT_EQ(settings::AlarmTime(3) + 6, settings::kSoundOn);
    EXPECT_EQ(settings::Label(0), 32u);
    EXPECT_EQ(settings::Label(4), 92u);
    EXPECT_EQ(settings::Label(5), 107u);
    EXPECT_EQ(settings::Label(5) + kLabelLength, settings::kCountdownActive);
    EXPECT_EQ(settings::kCountdownTime + 9, settings::kAutostart);
    EXPECT_EQ(settings::kAutostart + 1, kSettingsRecordSize);
}

TEST(SettingsRecordFields, DefaultRecordGivesTheFirstStartStates) {
    const auto r = SettingsRecord::Default();
    EXPECT_FALSE(r.StartMinimized());
    EXPECT_FALSE(r.HourlySignal());
    EXPECT_TRUE(r.SoundOn());
    EXPECT_TRUE(r.ContinuousAlarm());
    EXPECT_FALSE(r.Autostart());
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(r.AlarmArmed(k));
    EXPECT_EQ(r.Label(0), "Alarmzeit 1    ");
    EXPECT_EQ(r.Label(4), "Countdown      ");
    EXPECT_EQ(r.Label(5), "Stoppuhr       ");
}

TEST(SettingsRecordFields, EveryFieldRoundTripsAtItsOffset) {
    std::string b = SettingsRecord::Default().Bytes();
    b[settings::kStartMinimized] = 'j';
    b[settings::kHourlySignal] = 'j';
    b[settings::kSoundOn] = 'f';
    b[settings::kContinuousAlarm] = 'f';
    b[settings::kAutostart] = 't';
    const char* times[] = {"235959", "073000", "000000", "120501"};
    for (int k = 0; k < 4; ++k) {
        b[settings::AlarmActive(k)] = 't';
        b.replace(settings::AlarmTime(k), 6, times[k]);
    }
    const char* labels[] = {"Aufstehen      ", "Tee            ", "\xC4rzte\xDF\xFC        ",
                            "123456789012345", "Pizza          ", "Lauf           "};
    for (int i = 0; i < 6; ++i) b.replace(settings::Label(i), 15, labels[i]);

    const auto r = SettingsRecord::FromBytes(b);
    EXPECT_TRUE(r.StartMinimized());
    EXPECT_TRUE(r.HourlySignal());
    EXPECT_FALSE(r.SoundOn());
    EXPECT_FALSE(r.ContinuousAlarm());
    EXPECT_TRUE(r.Autostart());
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(r.AlarmArmed(k)) << k;
        const auto t = r.AlarmTime(k);
        EXPECT_EQ(t[0] + t[1] + t[2], times[k]);
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(r.Label(i), labels[i]);
    EXPECT_EQ(r.Bytes(), b);
}

TEST(SettingsRecordFields, AlarmIsArmedOnlyWithFlagTAndAValidTime) {
    auto armedWith = [](char flag, const std::string& time) {
        std::string b = SettingsRecord::Default().Bytes();
        b[settings::AlarmActive(1)] = flag;
        b.replace(settings::AlarmTime(1), 6, time);
        return SettingsRecord::FromBytes(b).AlarmArmed(1);
    };
    EXPECT_TRUE(armedWith('t', "073000"));
    EXPECT_TRUE(armedWith('t', "000000"));
    EXPECT_TRUE(armedWith('t', "235959"));
    EXPECT_FALSE(armedWith('f', "073000"));
    EXPECT_FALSE(armedWith('T', "073000"));
    EXPECT_FALSE(armedWith('t', "240000"));
    EXPECT_FALSE(armedWith('t', "126000"));
    EXPECT_FALSE(armedWith('t', "120060"));
    EXPECT_FALSE(armedWith('t', "07 300"));
    EXPECT_FALSE(armedWith('t', std::string("07\0" "300", 6)));
}

TEST(SettingsRecordFields, UnknownFlagCharactersCountAsOff) {
    std::string b = SettingsRecord::Default().Bytes();
    for (auto at : {settings::kStartMinimized, settings::kHourlySignal, settings::kSoundOn,
                    settings::kContinuousAlarm, settings::kAutostart})
        b[at] = 'x';
    const auto r = SettingsRecord::FromBytes(b);
    EXPECT_FALSE(r.StartMinimized());
    EXPECT_FALSE(r.HourlySignal());
    EXPECT_FALSE(r.SoundOn());
    EXPECT_FALSE(r.ContinuousAlarm());
    EXPECT_FALSE(r.Autostart());
}

TEST(SettingsRecordFields, LabelsAreCutAtNulAndKeepFifteenCharacters) {
    std::string b = SettingsRecord::Default().Bytes();
    b.replace(settings::Label(0), 15, std::string("Tee\0xxxxxxxxxxx", 15));
    b.replace(settings::Label(1), 15, std::string(15, '\0'));
    const auto r = SettingsRecord::FromBytes(b);
    EXPECT_EQ(r.Label(0), "Tee            ");
    EXPECT_EQ(r.Label(1), "Alarmzeit 2    ");  // nothing stored: the default
}

// Every length from 0 to the full record, and beyond: the bytes present are
// taken, the missing ones are the defaults.
TEST(SettingsRecordAnyBytes, ShortRecordsTakeDefaultsForMissingBytes) {
    const std::string full = SettingsRecord::Default().Bytes();
    std::string mine = full;
    mine[settings::kStartMinimized] = 'j';
    mine[settings::AlarmActive(0)] = 't';
    mine.replace(settings::AlarmTime(0), 6, "063000");
    mine[settings::kAutostart] = 't';
    for (std::size_t n = 0; n <= kSettingsRecordSize + 5; ++n) {
        const std::string given = (mine + "extra").substr(0, n);
        const auto r = SettingsRecord::FromBytes(given);
        ASSERT_EQ(r.Bytes().size(), kSettingsRecordSize) << n;
        EXPECT_EQ(r.Bytes().substr(0, std::min(n, kSettingsRecordSize)), given.substr(0, kSettingsRecordSize)) << n;
        EXPECT_EQ(r.Bytes().substr(std::min(n, kSettingsRecordSize)), full.substr(std::min(n, kSettingsRecordSize)))
            << n;
        EXPECT_EQ(r.StartMinimized(), n > 0);
        // The alarm needs its flag and all six time bytes.
        EXPECT_EQ(r.AlarmArmed(0), n >= settings::AlarmTime(0) + 6) << n;
        EXPECT_EQ(r.Autostart(), n >= kSettingsRecordSize) << n;
        // A label cut off keeps its beginning, filled up with spaces.
        if (n > settings::Label(0) && n < settings::Label(1)) {
            std::string head = full.substr(settings::Label(0), n - settings::Label(0));
            head.resize(kLabelLength, ' ');
            EXPECT_EQ(r.Label(0), head) << n;
        }
    }
}

TEST(SettingsRecordAnyBytes, RandomBytesAlwaysGiveConsistentStates) {
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 140);
    // Bias towards the characters the record uses, so that armed alarms occur.
    const std::string alphabet = "tfjn0123456789 \0\xFF";
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(static_cast<std::size_t>(length(rng)), '\0');
        for (auto& c : bytes)
            c = (round % 2) ? static_cast<char>(byte(rng)) : alphabet[static_cast<std::size_t>(byte(rng)) % alphabet.size()];
        const auto r = SettingsRecord::FromBytes(bytes);
        ASSERT_EQ(r.Bytes().size(), kSettingsRecordSize);
        for (int k = 0; k < 4; ++k) {
            if (!r.AlarmArmed(k)) continue;
            const auto t = r.AlarmTime(k);
            for (const auto& part : t) {
                ASSERT_EQ(part.size(), 2u);
                ASSERT_TRUE(part[0] >= '0' && part[0] <= '9' && part[1] >= '0' && part[1] <= '9');
            }
            ASSERT_LE(std::stoi(t[0]), 23);
            ASSERT_LE(std::stoi(t[1]), 59);
            ASSERT_LE(std::stoi(t[2]), 59);
        }
        for (int i = 0; i < 6; ++i) {
            const std::string label = r.Label(i);
            ASSERT_EQ(label.size(), kLabelLength);
            ASSERT_EQ(label.find('\0'), std::string::npos);
        }
    }
}

}  // namespace
}  // namespace hv
