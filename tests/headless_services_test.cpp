// The headless backend's services: the in-memory file system with the
// failures a real disk has, the registry, the fake time zone, the
// notification area, GDI object bookkeeping and the program's resources.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/File.h"
#include "platform/Gdi.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "res/resource.h"
#include "tests/headless_probe_dialog.h"

namespace hv::test {
namespace {

class HeadlessServices : public ::testing::Test {
protected:
    void SetUp() override { TheWorld().Reset(); }
    void TearDown() override { TheWorld().Reset(); }
    static std::string& Bytes(const std::string& path) { return TheWorld().files[TheWorld().ResolvePath(path)].bytes; }
};

constexpr const char* kPath = "C:\\Programme\\Horovant\\config.dat";

TEST_F(HeadlessServices, FilesOpenExclusivelyAndFailLikeOnWindows) {
    Bytes(kPath) = "abc";
    File first, second;
    EXPECT_EQ(first.Open(kPath, File::kRead), FileError::None);
    EXPECT_EQ(second.Open("c:\\programme\\HOROVANT\\Config.dat", File::kWrite), FileError::SharingViolation);
    first.Close();
    EXPECT_EQ(second.Open(kPath, File::kWrite), FileError::None);
    second.Close();

    TheWorld().FindFile(kPath)->readOnly = true;
    EXPECT_EQ(first.Open(kPath, File::kWrite), FileError::AccessDenied);
    EXPECT_EQ(first.Open(kPath, File::kWrite | File::kCreate), FileError::AccessDenied);
    EXPECT_EQ(first.Open(kPath, File::kRead), FileError::None);
    first.Close();

    // Rights that allow writing but not reading: creating anew would succeed.
    TheWorld().FindFile(kPath)->readOnly = false;
    TheWorld().FindFile(kPath)->denyRead = true;
    EXPECT_EQ(first.Open(kPath, File::kRead), FileError::AccessDenied);
    EXPECT_EQ(first.Open(kPath, File::kWrite), FileError::None);
    first.Close();

    TheWorld().FindFile(kPath)->lockedByOtherProgram = true;
    for (unsigned mode : {0u, 1u, 0x1001u}) EXPECT_EQ(first.Open(kPath, mode), FileError::SharingViolation) << mode;

    EXPECT_EQ(first.Open("C:\\Programme\\none.dat", File::kRead), FileError::NotFound);
    EXPECT_EQ(first.Open("C:\\Programme\\Horovant", File::kRead), FileError::AccessDenied);  // a folder
    EXPECT_EQ(first.Open("C:\\a?b", File::kRead), FileError::InvalidPath);
    EXPECT_EQ(Bytes(kPath), "abc");
}

TEST_F(HeadlessServices, FilesAreCreatedOnlyInFoldersThatExist) {
    auto& w = TheWorld();
    File f;
    EXPECT_EQ(f.Open("D:\\Fehlt\\config.dat", File::kWrite | File::kCreate), FileError::PathNotFound);
    EXPECT_EQ(f.Open("D:\\Fehlt\\config.dat", File::kRead), FileError::PathNotFound);
    EXPECT_TRUE(w.files.empty());
    // The program's folder and the current one exist, and the folders above them.
    EXPECT_EQ(f.Open("C:\\Programme\\Horovant\\neu.dat", File::kWrite | File::kCreate), FileError::None);
    f.Close();
    EXPECT_EQ(f.Open("C:\\windows\\neu.dat", File::kWrite | File::kCreate), FileError::None);
    f.Close();
    w.folders.insert("d:\\fehlt");
    EXPECT_EQ(f.Open("D:\\Fehlt\\config.dat", File::kWrite | File::kCreate), FileError::None);
    f.Close();
    EXPECT_EQ(w.files.size(), 3u);
}

TEST_F(HeadlessServices, RelativePathsResolveAgainstTheCurrentDirectory) {
    auto& w = TheWorld();
    w.currentDirectory = "D:\\Arbeit\\";
    EXPECT_EQ(FullPathOf("config.dat"), "D:\\Arbeit\\config.dat");
    EXPECT_EQ(FullPathOf("..\\x\\.\\y.dat"), "D:\\x\\y.dat");
    EXPECT_EQ(FullPathOf("\\root.dat"), "D:\\root.dat");
    EXPECT_EQ(FullPathOf("C:/a/b"), "C:\\a\\b");

    File f;
    ASSERT_EQ(f.Open("config.dat", File::kWrite | File::kCreate), FileError::None);
    ASSERT_EQ(f.Write("xy", 2), FileError::None);
    f.Close();
    ASSERT_NE(w.FindFile("d:\\ARBEIT\\CONFIG.DAT"), nullptr);
    EXPECT_EQ(w.FindFile("d:\\ARBEIT\\CONFIG.DAT")->bytes, "xy");
}

TEST_F(HeadlessServices, WritesFillGapsWithZerosAndStopWhenTheDiskIsFull) {
    Bytes(kPath) = "0123";
    File f;
    ASSERT_EQ(f.Open(kPath, File::kWrite), FileError::None);  // never truncated
    ASSERT_EQ(f.Seek(6), FileError::None);
    ASSERT_EQ(f.Write("ab", 2), FileError::None);
    EXPECT_EQ(Bytes(kPath), std::string("0123\0\0ab", 8));

    TheWorld().diskFreeBytes = 2;
    ASSERT_EQ(f.Seek(1), FileError::None);
    EXPECT_EQ(f.Write("XY", 2), FileError::None);  // in place: no new space needed
    EXPECT_EQ(f.Write("12345678", 8), FileError::DiskFull);
    EXPECT_EQ(Bytes(kPath), "0XY1234567");  // what fitted was written
    EXPECT_EQ(TheWorld().diskFreeBytes, 0);

    char buffer[4] = {};
    std::size_t got = 99;
    EXPECT_EQ(f.Read(buffer, sizeof buffer, got), FileError::AccessDenied);  // opened for writing only
    f.Close();
    ASSERT_EQ(f.Open(kPath, File::kRead), FileError::None);
    ASSERT_EQ(f.Seek(8), FileError::None);
    EXPECT_EQ(f.Read(buffer, sizeof buffer, got), FileError::None);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(f.Read(buffer, sizeof buffer, got), FileError::None);
    EXPECT_EQ(got, 0u);
}

TEST_F(HeadlessServices, RegistryWritesNeedAnExistingWritableKey) {
    auto& w = TheWorld();
    const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char value[] = "C:\\Programme\\Horovant\\Horovant.exe";
    {
        RegistryKey key(RegistryRoot::LocalMachine, kRun, kKeyWrite);
        ASSERT_TRUE(key.IsOpen());
        EXPECT_TRUE(key.SetValue("Horovant", kRegExpandSz, value, sizeof value));
    }
    EXPECT_EQ(ReadRegistryValue(RegistryRoot::LocalMachine, "software\\microsoft\\windows\\currentversion\\run",
                                "HOROVANT"),
              std::string(value, sizeof value));
    EXPECT_FALSE(ReadRegistryValue(RegistryRoot::CurrentUser, kRun, "Horovant"));

    w.registryWritable = false;
    EXPECT_FALSE(RegistryKey(RegistryRoot::LocalMachine, kRun, kKeyWrite).IsOpen());
    EXPECT_TRUE(RegistryKey(RegistryRoot::LocalMachine, kRun, 0x20019).IsOpen());  // KEY_READ
    w.registryWritable = true;
    EXPECT_FALSE(RegistryKey(RegistryRoot::LocalMachine, "Software\\Missing", kKeyWrite).IsOpen());

    RegistryKey key(RegistryRoot::LocalMachine, kRun, kKeyWrite);
    EXPECT_TRUE(key.DeleteValue("horovant"));
    EXPECT_FALSE(key.DeleteValue("horovant"));
}

std::vector<int> LocalAt(std::int64_t utcSeconds) {
    const LocalTime t = ToLocalTime(utcSeconds);
    return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.dayOfWeek};
}

TEST_F(HeadlessServices, LocalTimeCountsTheGregorianCalendar) {
    auto& w = TheWorld();
    w.SetTimeZone({3600, false});
    EXPECT_EQ(LocalAt(0), (std::vector<int>{1970, 1, 1, 1, 0, 0, 5}));                   // a Thursday
    EXPECT_EQ(LocalAt(1796558400), (std::vector<int>{2026, 12, 6, 13, 0, 0, 1}));         // a Sunday
    EXPECT_EQ(LocalAt(951868799 - 3600), (std::vector<int>{2000, 2, 29, 23, 59, 59, 3}));  // leap day, Tuesday
    EXPECT_EQ(LocalAt(4107542400 - 3600), (std::vector<int>{2100, 3, 1, 0, 0, 0, 2}));     // 2100 has no 29 February
    w.SetTimeZone({-7200, false});
    EXPECT_EQ(LocalAt(3600), (std::vector<int>{1969, 12, 31, 23, 0, 0, 4}));  // before the epoch

    w.SetWallClockMs(-1500);
    EXPECT_EQ(WallClockSeconds(), -2);  // whole seconds, rounded down
}

TEST_F(HeadlessServices, BerlinTimeSkipsAnHourInMarchAndRepeatsOneInOctober) {
    TheWorld().SetTimeZone(headless::kEuropeBerlin);
    constexpr std::int64_t kSpring = 1806195600;  // 2027-03-28 01:00:00 UTC
    EXPECT_EQ(LocalAt(kSpring - 1), (std::vector<int>{2027, 3, 28, 1, 59, 59, 1}));
    EXPECT_EQ(LocalAt(kSpring), (std::vector<int>{2027, 3, 28, 3, 0, 0, 1}));
    constexpr std::int64_t kAutumn = 1824944400;  // 2027-10-31 01:00:00 UTC
    EXPECT_EQ(LocalAt(kAutumn - 1), (std::vector<int>{2027, 10, 31, 2, 59, 59, 1}));
    EXPECT_EQ(LocalAt(kAutumn), (std::vector<int>{2027, 10, 31, 2, 0, 0, 1}));
    EXPECT_EQ(LocalAt(kAutumn - 1800), LocalAt(kAutumn + 1800));  // 02:30 comes twice
    EXPECT_EQ(LocalAt(kAutumn + 3600), (std::vector<int>{2027, 10, 31, 3, 0, 0, 1}));
    EXPECT_EQ(LocalAt(1796558400)[3], 13);  // winter: UTC+1
    EXPECT_EQ(LocalAt(1814400000)[3], 2);   // 2027-07-01 00:00 UTC, summer: UTC+2
}

TEST_F(HeadlessServices, TheNotificationAreaKeepsWhatWasAdded) {
    ResetToProbeWorld();
    ProbeDialog dlg;
    const Window wnd = TheWorld().Open(dlg);
    TrayIconData data;
    data.window = wnd;
    data.id = 1;
    data.tip = std::string(70, 'x');
    EXPECT_FALSE(NotifyIcon(nim::kDelete, data));
    EXPECT_TRUE(NotifyIcon(nim::kAdd, data));
    EXPECT_FALSE(NotifyIcon(nim::kAdd, data));
    EXPECT_EQ(TheWorld().trayCalls.back().tip.size(), 63u);  // cut like lstrcpyn into 64 characters
    EXPECT_TRUE(TheWorld().HasTrayIcon(wnd.Handle().value, 1));

    TheWorld().RestartTaskbar();  // Explorer restarted: the icon is gone, the window is told
    EXPECT_FALSE(TheWorld().HasTrayIcon(wnd.Handle().value, 1));
    dlg.events.clear();
    TheWorld().Pump();
    TheWorld().Close(dlg);
    EXPECT_TRUE(dlg.events.empty());  // the probe does not handle it, but it was delivered without harm
}

TEST_F(HeadlessServices, GdiObjectsAndDeviceContextsAreAccountedFor) {
    ResetToProbeWorld();
    ProbeDialog dlg;
    const Window wnd = TheWorld().Open(dlg);
    auto& w = TheWorld();
    FontHandle labelFont;
    {
        FontSpec spec;
        spec.height = 16;
        Font font(spec);
        SolidBrush brush(Rgb(255, 255, 255));
        Font moved = std::move(font);
        labelFont = moved.Handle();
        Font replaced(spec), other(spec);
        replaced = std::move(other);  // the old font goes now, not when `other` goes
        SolidBrush black(Rgb(0, 0, 0));
        brush = std::move(black);
        EXPECT_EQ(w.liveFonts.size(), 2u);
        EXPECT_EQ(w.liveBrushes.size(), 1u);
        ClientDc dc(wnd);
        ScopedSelectFont select(dc, moved.Handle());
        dc.TextOut(40, 205, "Alarmzeit 1    ");
        EXPECT_EQ(w.OpenDeviceContexts(), 1u);
    }
    EXPECT_TRUE(w.liveFonts.empty());
    EXPECT_TRUE(w.liveBrushes.empty());
    EXPECT_EQ(w.OpenDeviceContexts(), 0u);
    const auto& release = w.drawCalls.back();
    EXPECT_EQ(release.kind, headless::DrawCall::ReleaseDc);
    EXPECT_TRUE(release.font);
    EXPECT_NE(release.font, labelFont);  // the scoped selection put the old font back

    wnd.Invalidate(true);
    { PaintDc paint(wnd); }
    EXPECT_FALSE(w.IsInvalid(wnd));  // BeginPaint validates
    w.Close(dlg);
}

TEST_F(HeadlessServices, TheProgramsStringsAndIconsComeFromItsResources) {
    EXPECT_EQ(LoadResourceString(IDS_ABOUTBOX), "&Info \xFC" "ber Horovant...");
    EXPECT_EQ(LoadResourceString(4711), "");
    EXPECT_TRUE(LoadAppIcon(IDR_MAINFRAME));
    EXPECT_NE(LoadAppIcon(IDR_MAINFRAME), LoadAppIcon(IDI_ACTIVE));
    EXPECT_NE(LoadSharedIcon(IDR_MAINFRAME, 16, 16), LoadSharedIcon(IDI_ACTIVE, 16, 16));
    EXPECT_EQ(LoadSharedIcon(IDI_ACTIVE, 16, 16), LoadSharedIcon(IDI_ACTIVE, 16, 16));  // LR_SHARED
    EXPECT_FALSE(LoadAppIcon(IDB_BANNER));  // a bitmap is no icon
}

}  // namespace
}  // namespace hv::test
