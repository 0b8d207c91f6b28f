// Small pure functions: the settings path, file error texts, labels, the
// tray tip, and what Start makes of the typed texts.
#include <gtest/gtest.h>

#include "engine/ClockText.h"
#include "engine/Colours.h"
#include "engine/Entry.h"
#include "engine/LabelText.h"
#include "engine/TrayTip.h"
#include "model/FileErrorText.h"
#include "model/SettingsPath.h"
#include "res/resource.h"
#include "tests/support/Rig.h"

namespace hvtest {
namespace {

TEST(Texts, SettingsPath) {
    const std::string exe = "D:\\Tools\\Horovant\\", cwd = "C:\\Windows\\System32",
                      longDir = "C:\\" + std::string(300, 'a') + "\\";
    // clang-format off
    const struct {
        std::string productDir, path;
    } rows[] = {
        {"C:\\Programme\\Horovant\\", "C:\\Programme\\Horovant\\config.dat"},
        {"C:\\Programme\\Horovant", "C:\\Programme\\Horovant\\config.dat"},
        {"C:/Programme/Horovant/", "C:/Programme/Horovant/config.dat"},
        {std::string("C:\\Horovant\\\0C:\\Else\\", 22), "C:\\Horovant\\config.dat"},
        {std::string("\0C:\\Else\\", 9), "D:\\Tools\\Horovant\\config.dat"},
        {"", "D:\\Tools\\Horovant\\config.dat"},
        {"Horovant", "C:\\Windows\\System32\\Horovant\\config.dat"},
        {"\\\\server\\share", "\\\\server\\share\\config.dat"},
        {longDir, longDir + "config.dat"},
        // UTF-8, as paths are kept: "C:\\Łódź\\"
        {"C:\\\xc5\x81\xc3\xb3" "d\xc5\xba\\", "C:\\\xc5\x81\xc3\xb3" "d\xc5\xba\\config.dat"},
    };
    // clang-format on
    for (const auto& row : rows) EXPECT_EQ(SettingsPath(row.productDir, exe, cwd), row.path) << row.productDir;
    EXPECT_EQ(SettingsPath("", "D:\\Tools", cwd), "D:\\Tools\\config.dat");
}

// The first place as the write there went, readable or not, and whether the
// per-user file exists: where the settings are kept, and whether the first
// place's file is copied there first.
TEST(Texts, SettingsPlace) {
    const std::string first = "C:\\Program Files\\Horovant\\config.dat", user = "C:\\Users\\\xe4\\AppData\\Local\\Horovant\\config.dat";
    const struct {
        FileError write;
        bool readable, userExists;
        SettingsPlace place;
    } rows[] = {
        {FileError::None, true, true, {first, false}},          {FileError::SharingViolation, true, false, {first, false}},
        {FileError::AccessDenied, true, false, {user, true}},   {FileError::AccessDenied, false, false, {user, false}},
        {FileError::AccessDenied, true, true, {user, false}},   {FileError::PathNotFound, false, false, {user, false}},
        {FileError::DiskFull, true, false, {first, false}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ChooseSettingsPlace(first, row.write, row.readable, user, row.userExists), row.place)
            << static_cast<int>(row.write) << row.readable << row.userExists;
    EXPECT_EQ(ChooseSettingsPlace(first, FileError::AccessDenied, true, "", false).path, first);  // no per-user folder known
}

// The program's colours, or with a high-contrast theme on the theme's: no
// text keeps a colour of its own that the theme could make unreadable.
TEST(Colours, TheThemesWhileHighContrastIsOn) {
    const ThemeColours theme{RgbColour(0, 0, 0), RgbColour(255, 255, 0), RgbColour(0, 255, 255)};
    EXPECT_EQ(PaletteFor(false, theme), Palette{});
    const Palette hc = PaletteFor(true, theme);
    const Colour text = theme.windowText;
    EXPECT_EQ(hc, (Palette{theme.window, text, text, text, text, theme.highlight, text}));
    for (const int id : {IDC_CLOCK, IDC_DATE, IDC_STATUS, IDC_ALARM1_HOUR})
        EXPECT_EQ(MainWindowColoursOf(id, 6, hc), (ControlColours{true, true, text})) << id;
    EXPECT_EQ(MainWindowColoursOf(IDC_CLOCK, 6, Palette{}).text, kClockColour);
}

TEST(Texts, FileErrorTextNamesThePathGiven) {
    const std::string path = "C:\\Program Files\\Horovant\\config.dat";
    for (const FileError e :
         {FileError::NotFound, FileError::PathNotFound, FileError::AccessDenied, FileError::SharingViolation,
          FileError::DiskFull, FileError::BadSeek, FileError::InvalidPath, FileError::Generic})
        EXPECT_NE(FileErrorText(e, path).find("\"" + path + "\""), std::string::npos) << static_cast<int>(e);
    EXPECT_NE(FileErrorText(FileError::SharingViolation, path), FileErrorText(FileError::AccessDenied, path));
}

TEST(Texts, RenameAndPadLabel) {
    // clang-format off
    const struct {
        std::string typed, label;  // or the refusal
    } rows[] = {{"Wecker", "Wecker         "}, {" ", std::string(15, ' ')}, {"12345678901234", "12345678901234 "},
                {"123456789012345", "123456789012345"},
                {"1234567890123456", "Änderung nicht möglich, da die max. Länge von 15 Zeichen überschritten worden ist."},
                {"", "Änderung nicht möglich, da keine Bezeichnung eingegeben worden ist."}};
    for (const auto& row : rows) {
        const RenameResult r = Rename(row.typed);
        EXPECT_EQ(r.refusal ? r.refusal + r.label : r.label, row.label);
    }
    EXPECT_EQ(PadLabel("") + PadLabel("X") + PadLabel(std::string(16, 'x')), "X" + std::string(14, ' ') + std::string(16, 'x'));
}

TEST(AlarmEntry, AcceptsCompletesAndRefuses) {
    const struct {
        std::array<std::string, 3> typed;
        const char* target;  // "" refused
    } rows[] = {
        {{"7", "5", ""}, "07:05:00"}, {{"", "", ""}, "00:00:00"}, {{"23", "59", "59"}, "23:59:59"}, {{"0", "0", "0"}, "00:00:00"},
        {{"007", "05", "0000000000000000000000009"}, "07:05:09"}, {{"24", "00", "00"}, ""}, {{"12", "60", "00"}, ""},
        {{"12", "00", "60"}, ""}, {{"99999999999999999999999", "", ""}, ""}, {{"7 ", "", ""}, ""}, {{"+7", "", ""}, ""},
        {{"7", "3a", ""}, ""}, {{"-1", "", ""}, ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        const auto t = AlarmEntry(row.typed);
        EXPECT_EQ(t ? t->hourText + ":" + t->minuteText + ":" + t->secondText : "", row.target)
            << row.typed[0] << row.typed[1];
    }
}

TEST(CountdownEntry, CarriesAndStoresAsTyped) {
    // clang-format off
    const struct {
        std::array<std::string, 3> typed;
        const char* counters;  // after carrying, "" refused
        const char* stored;    // as typed, "%03d" each cut to three
    } rows[] = {
        {{"0", "0", "150"}, "00:02:30", "000000150"},   {{"0", "120", "0"}, "02:00:00", "000120000"},
        {{"1", "75", "75"}, "02:16:15", "001075075"},   {{"30", "", ""}, "30:00:00", "030000000"},
        {{"", "1234", ""}, "20:34:00", "000123000"},    {{"", "", "123456"}, "34:17:36", "000000123"},
        {{"100", "0", "1"}, "100:00:01", "100000001"},  {{"2147483647", "59", "59"}, "2147483647:59:59", "214059059"},
        {{"2147483647", "60", ""}, "", ""},             {{"2147483648", "", ""}, "", ""},
        {{"", "", "99999999999999999999999999"}, "", ""}, {{"", "", ""}, "", ""},
        {{"0", "00", "000"}, "", ""},                   {{"1", "x", ""}, "", ""},
    };
    // clang-format on
    for (const auto& row : rows) {
        const auto c = CountdownEntry(row.typed);
        EXPECT_EQ(c ? CountdownText(c->hours, c->minutes, c->seconds) + " " + c->storedTime : " ",
                  row.counters + std::string(" ") + row.stored)
            << row.typed[0] << "|" << row.typed[1] << "|" << row.typed[2];
    }
}

}  // namespace
}  // namespace hvtest
