// Fuzzed settings files: the reader keeps its promises for any bytes, and
// the main window starts from whatever config.dat holds, shows what the
// record says, rings an alarm it arms and never writes the file back.
// (bench/record_fuzz.cpp runs the reader against a million inputs.)
#include <gtest/gtest.h>

#include "model/SettingsRecord.h"
#include "res/resource.h"
#include "tests/support/RecordFuzz.h"
#include "tests/support/Scenario.h"
#include "ui/TrayIcon.h"

namespace hv::test {
namespace {

constexpr int kAlarmOverviews[4] = {IDC_ALARM1_OVERVIEW, IDC_ALARM2_OVERVIEW, IDC_ALARM3_OVERVIEW,
                                    IDC_ALARM4_OVERVIEW};
constexpr const char* kAlarmWave = "C:\\Programme\\Horovant\\alarm-sound.wav";
// Monday 2026-12-07 00:00:00 in Berlin (CET).
constexpr std::int64_t kMondayMidnightMs = 1796598000000LL;

TEST(RecordFuzz, AnyBytesKeepEveryPromiseOfTheReader) {
    RecordCoverage coverage;
    for (std::uint64_t seed : {1u, 2u, 3u, 4u}) {
        RecordFuzzer fuzzer(seed);
        for (int i = 0; i < 5000; ++i) {
            const std::string input = fuzzer.Next();
            coverage.Add(input);
            ASSERT_EQ(RecordFault(input), "") << "seed " << seed << ", input " << i << ": \"" << Escaped(input) << "\"";
        }
    }
    // The inputs reach every part of the reader, not only records that arm nothing.
    EXPECT_GT(coverage.shortInputs, 4000u);
    EXPECT_GT(coverage.longInputs, 4000u);
    EXPECT_GT(coverage.armedAlarms, 10000u);
    EXPECT_GT(coverage.ownLabels, 30000u);
    EXPECT_GT(coverage.cutLabels, 10000u);
    EXPECT_GT(coverage.nulFlags, 5000u);
    EXPECT_GT(coverage.flagsOn, 4000u);
}

// The first armed alarm's time of day in seconds, if any.
std::optional<int> FirstArmed(const SettingsRecord& r) {
    for (int k = 0; k < 4; ++k) {
        if (!r.AlarmArmed(k)) continue;
        const auto t = r.AlarmTime(k);
        return std::stoi(t[0]) * 3600 + std::stoi(t[1]) * 60 + std::stoi(t[2]);
    }
    return std::nullopt;
}

void ExpectStartStates(Scenario& s, const SettingsRecord& r) {
    EXPECT_FALSE(s.Ended());
    EXPECT_EQ(s.World().Dialogs().size(), 1u);
    EXPECT_TRUE(s.World().messageBoxes.empty());
    EXPECT_TRUE(s.World().HasTimer(s.Wnd(), 1));

    EXPECT_EQ(s.Check(IDC_START_MINIMIZED), r.StartMinimized());
    EXPECT_EQ(s.Wnd().IsVisible(), !r.StartMinimized());
    EXPECT_EQ(s.World().HasTrayIcon(s.Wnd().Handle().value, kTrayIconId), r.StartMinimized());
    EXPECT_EQ(s.Check(IDC_HOURLY_SIGNAL), r.HourlySignal());
    EXPECT_EQ(s.Check(IDC_AUTOSTART), r.Autostart());
    EXPECT_EQ(s.Check(IDC_SOUND), r.SoundOn());
    // Without sound only the continuous alarm's notice is left.
    EXPECT_EQ(s.Check(IDC_CONTINUOUS_ALARM), !r.SoundOn() || r.ContinuousAlarm());
    EXPECT_EQ(s.Enabled(IDC_CONTINUOUS_ALARM), r.SoundOn());

    for (int k = 0; k < 4; ++k) {
        const auto t = r.AlarmTime(k);
        EXPECT_EQ(s.Text(kAlarmOverviews[k]), r.AlarmArmed(k) ? t[0] + ":" + t[1] + ":" + t[2] : "nicht gesetzt") << k;
        EXPECT_EQ(s.Dlg().State().alarms[static_cast<std::size_t>(k)].active, r.AlarmArmed(k)) << k;
    }
    for (int i = 0; i < kLabelCount; ++i) {
        const std::string label = r.Label(i);
        EXPECT_EQ(s.Dlg().Labels()[static_cast<std::size_t>(i)], label) << i;
        int drawn = 0;
        for (const auto& call : s.World().drawCalls) drawn += call.kind == headless::DrawCall::TextOut && call.text == label;
        EXPECT_GE(drawn, 2) << "label " << i << " \"" << Escaped(label) << "\"";  // beside its selector and its overview
    }
}

// An armed alarm from a damaged file rings like any other: the clock is set
// two and a half seconds before it.
TEST(RecordFuzz, TheMainWindowStartsFromAnyRecordAndLeavesItAlone) {
    RecordFuzzer fuzzer(20271031);
    int starts = 0, rang = 0;
    for (; starts < 300; ++starts) {
        const std::string input = fuzzer.Next();
        SCOPED_TRACE("input " + std::to_string(starts) + ": \"" + Escaped(input) + "\"");
        const SettingsRecord r = SettingsRecord::FromBytes(input);
        const auto alarm = FirstArmed(r);
        Scenario s;
        if (alarm) s.World().SetWallClockMs(kMondayMidnightMs + *alarm * 1000LL - 2500);
        s.WithSettings(input).Start();
        ExpectStartStates(s, r);

        s.Advance(alarm ? 4000 : 2000);
        EXPECT_EQ(s.FileBytes(), input);
        EXPECT_EQ(s.World().handlerFailures, std::vector<std::string>{});
        for (const auto& box : s.World().messageBoxes) EXPECT_EQ(box.text, "Stundensignal!");
        if (!alarm) continue;
        ++rang;
        if (r.SoundOn()) {
            ASSERT_FALSE(s.World().sounds.empty());
            EXPECT_EQ(s.World().sounds.front().name, kAlarmWave);
        } else {
            EXPECT_EQ(s.Text(IDC_STATUS).rfind("Folgende Alarmzeit erreicht: ", 0), 0u) << s.Text(IDC_STATUS);
        }
        if (!r.SoundOn() || r.ContinuousAlarm()) {
            EXPECT_TRUE(s.Dlg().State().AnythingRinging());
            EXPECT_TRUE(s.Wnd().IsVisible());  // brought back from the notification area
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(rang, 50);
}

}  // namespace
}  // namespace hv::test
