// The 133-byte record: where its fields lie, what a first start writes,
// what any bytes read back as.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/Rig.h"

namespace hvtest {
namespace {

namespace s = hv::settings;
// Files written by earlier versions must keep reading the same.
static_assert(hv::kSettingsRecordSize == 133 && hv::kLabelLength == 15);
static_assert(s::kStartMinimized == 0 && s::kHourlySignal == 1);
static_assert(s::AlarmActive(0) == 2 && s::AlarmActive(1) == 9 && s::AlarmActive(2) == 16 && s::AlarmActive(3) == 23);
static_assert(s::AlarmTime(0) == 3 && s::AlarmTime(3) == 24);
static_assert(s::kSoundOn == 30 && s::kContinuousAlarm == 31);
static_assert(s::Label(0) == 32 && s::Label(1) == 47 && s::Label(4) == 92 && s::Label(5) == 107);
static_assert(s::kCountdownActive == 122 && s::kCountdownTime == 123 && s::kAutostart == 132);

const std::string kDefault =
    "nnf000000f000000f000000f000000tt"
    "Alarmzeit 1    Alarmzeit 2    Alarmzeit 3    Alarmzeit 4    Countdown      Stoppuhr       "
    "f000000000f";

// A first start writes the default record; a file that exists is never
// rewritten at start-up, whatever it holds; a held one is tried once, unwaited.
TEST(SettingsFile, StartUp) {
    // clang-format off
    const struct {
        std::optional<std::string> file;
        FileError refuse;
        int hold;
        FileError error;
        int pauses;
        const char* hourly;  // what was read: "j", or "n" for the defaults in memory
    } rows[] = {
        {std::nullopt, FileError::None, 0, FileError::None, 0, "n"},
        {std::nullopt, FileError::AccessDenied, 0, FileError::AccessDenied, 0, "n"},
        {"jjt123456", FileError::None, 0, FileError::None, 0, "j"},
        {"jjt123456", FileError::None, 1, FileError::SharingViolation, 0, "n"},
        {"jjt123456", FileError::AccessDenied, 0, FileError::AccessDenied, 0, "n"},
    };
    // clang-format on
    for (const auto& row : rows) {
        MemoryStore store;
        store.file = row.file, store.refuse = row.refuse, store.holdFor = row.hold;
        SettingsFile file(store);
        const auto loaded = file.Load();
        EXPECT_EQ(loaded.error, row.error);
        EXPECT_EQ(store.pauses, row.pauses);
        EXPECT_EQ(loaded.record.HourlySignal(), *row.hourly == 'j');
        EXPECT_EQ(store.file, row.file                       ? row.file
                              : row.error == FileError::None ? std::optional(kDefault)
                                                             : std::nullopt);
    }
}

std::string Patched(std::initializer_list<std::pair<std::size_t, std::string>> patches, std::size_t length = 133) {
    std::string bytes = kDefault;
    for (const auto& [at, text] : patches) bytes.replace(at, text.size(), text);
    return bytes.substr(0, length);
}

TEST(SettingsRecord, OddBytesReadAsConsistentStates) {
    const std::string nul(1, '\0');
    // clang-format off
    const struct {
        std::string bytes;
        const char* read;  // alarm 1, label 1, the option boxes
    } rows[] = {
        {Patched({{2, "t073000"}}), "07:30:00 Alarmzeit 1     11000"},
        {Patched({{2, "t240000"}}), "nicht gesetzt Alarmzeit 1     11000"},
        {Patched({{2, "t235960"}}), "nicht gesetzt Alarmzeit 1     11000"},
        {Patched({{0, "jnt07300"}}, 8), "nicht gesetzt Alarmzeit 1     11010"},
        {Patched({{0, "jnt073000"}}, 9), "07:30:00 Alarmzeit 1     11010"},
        {Patched({{0, "J"}, {30, "x"}, {31, "f"}, {132, "t"}}), "nicht gesetzt Alarmzeit 1     01001"},
        {Patched({{30, "tf"}}), "nicht gesetzt Alarmzeit 1     10000"},
        {Patched({{0, nul}, {2, nul}, {30, nul + nul}, {132, nul}}), "nicht gesetzt Alarmzeit 1     11000"},
        {Patched({{32, std::string("Wecker\0xxxxxxxx", 15)}}), "nicht gesetzt Wecker          11000"},
        {Patched({{32, "T\xe4tig"}}), "nicht gesetzt T\xe4tigzeit 1     11000"},
        {Patched({}, 40), "nicht gesetzt Alarmzei        11000"},
        {Patched({{132, "t"}}, 132), "nicht gesetzt Alarmzeit 1     11000"},
    };
    // clang-format on
    for (const auto& row : rows) {
        MainModel m;
        ApplyStartStates(m, SettingsRecord::FromBytes(row.bytes));
        const MainView v = ViewOf(m);
        const Options& o = v.checks;
        EXPECT_EQ(v.alarmOverview[0] + " " + m.labels[0] + " " + Checks(o), row.read) << row.bytes.substr(0, 40);
        EXPECT_EQ(m.timers.minimiseOnFirstPaint, o.startMinimized);
    }
}

// What a screen reader announces for each selector: the label as shown,
// without its padding, an '&' not taken for a mnemonic.
TEST(SettingsRecord, SelectorsNamedByTheirLabels) {
    MainModel m;
    m.labels = {"Alarmzeit 1    ", "Tee & Kuchen   ", "               ", " eins  zwei    ", "T\xe4tig", "&&"};
    EXPECT_EQ(ViewOf(m).selectorName,
              (std::array<std::string, 6>{"Alarmzeit 1", "Tee && Kuchen", "", " eins  zwei", "T\xe4tig", "&&&&"}));
}

// Random and damaged records: never a crash, always a state the window can
// show. An alarm is armed only with 't' and six digits of a time of day.
TEST(SettingsRecord, AnyBytesGiveConsistentStates) {
    std::mt19937_64 random(20270101);
    const auto pick = [&](int hi) { return std::uniform_int_distribution<int>(0, hi)(random); };
    const std::string alphabet = std::string("tfjn0123456789 \0", 16);
    for (int n = 0; n < 4000; ++n) {
        std::string bytes = kDefault;
        if (pick(3) == 0) bytes.resize(static_cast<std::size_t>(pick(300)));
        for (int k = pick(2) == 0 ? 400 : pick(30); k > 0 && !bytes.empty(); --k)
            bytes[static_cast<std::size_t>(pick(static_cast<int>(bytes.size()) - 1))] =
                pick(1) ? alphabet[static_cast<std::size_t>(pick(15))] : static_cast<char>(pick(255));
        if (pick(3) == 0) bytes.resize(static_cast<std::size_t>(pick(140)), '\0');
        MainModel m;
        ApplyStartStates(m, SettingsRecord::FromBytes(bytes));
        for (std::size_t k = 0, at = 3; k < 4; ++k, at += 7) {
            const std::string d = bytes.size() >= at + 6 ? bytes.substr(at, 6) : "";
            const bool armed = d.find_first_not_of("0123456789") == std::string::npos && d.size() == 6 &&
                               bytes[at - 1] == 't' && d.substr(0, 2) < "24" && d[2] < '6' && d[4] < '6';
            const AlarmSlot& a = m.timers.alarms[k];
            ASSERT_EQ(a.active, armed) << n << " " << k;
            EXPECT_EQ(a.hourText + a.minuteText + a.secondText, armed ? bytes.substr(at, 6) : "");
        }
        for (const std::string& label : m.labels)
            EXPECT_TRUE(label.size() == 15 && label.find('\0') == std::string::npos) << n;
        EXPECT_TRUE(m.options.sound || m.options.continuousAlarm);
    }
}

}  // namespace
}  // namespace hvtest
