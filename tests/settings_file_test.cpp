// The settings file's start-up procedure and field rewrites, on the headless
// file system: what lands on disk, and that failures lose nothing.
#include <gtest/gtest.h>

#include "model/SettingsFile.h"
#include "model/SettingsRecord.h"
#include "platform/headless/World.h"

namespace hv {
namespace {

constexpr const char* kPath = "C:\\Programme\\Horovant\\config.dat";

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        World().Reset();
        m_file.SetPath(kPath);
    }
    void TearDown() override { World().Reset(); }
    static headless::World& World() { return headless::World::Get(); }
    headless::FakeFile* Disk() { return World().FindFile(kPath); }
    void Put(const std::string& bytes) { World().files[World().ResolvePath(kPath)].bytes = bytes; }

    SettingsFile m_file;
};

TEST_F(SettingsFileTest, FirstStartCreatesExactlyTheDefaultRecord) {
    const auto result = m_file.Load();
    EXPECT_TRUE(result.createdDefault);
    EXPECT_FALSE(result.failed);
    ASSERT_NE(Disk(), nullptr);
    EXPECT_EQ(Disk()->bytes, SettingsRecord::Default().Bytes());
    EXPECT_EQ(result.record.Bytes(), SettingsRecord::Default().Bytes());
    EXPECT_TRUE(World().messageBoxes.empty());
}

TEST_F(SettingsFileTest, AReadableFileIsNeverRewrittenAtStartUp) {
    for (const std::string& content : {std::string(), std::string("jj"), std::string(200, '\xFF'),
                                       std::string("nnt073000") + std::string(3, '\0')}) {
        Put(content);
        const auto result = m_file.Load();
        EXPECT_FALSE(result.createdDefault);
        EXPECT_FALSE(result.failed);
        EXPECT_EQ(Disk()->bytes, content);
        EXPECT_EQ(result.record.Bytes(), SettingsRecord::FromBytes(content).Bytes());
    }
    EXPECT_TRUE(World().messageBoxes.empty());
}

TEST_F(SettingsFileTest, ALockedFileIsReportedOnceAndKeptAsItIs) {
    std::string mine = SettingsRecord::Default().Bytes();
    mine[settings::AlarmActive(2)] = 't';
    Put(mine);
    Disk()->lockedByOtherProgram = true;

    const auto result = m_file.Load();
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.record.Bytes(), SettingsRecord::Default().Bytes());
    ASSERT_EQ(World().messageBoxes.size(), 1u);
    const auto& box = World().messageBoxes[0];
    EXPECT_NE(box.text.find("config.dat"), std::string::npos) << box.text;
    EXPECT_EQ(box.type, 0x10u);  // stop icon, OK only
    EXPECT_EQ(Disk()->bytes, mine);

    // Field writes fail the same way and change nothing.
    EXPECT_FALSE(m_file.RewriteField(settings::kAutostart, "t"));
    EXPECT_EQ(World().messageBoxes.size(), 2u);
    EXPECT_EQ(Disk()->bytes, mine);
}

TEST_F(SettingsFileTest, DefaultRecordThatCannotBeWrittenIsReportedOnce) {
    World().diskFreeBytes = 40;  // the first pieces fit, the rest does not
    const auto result = m_file.Load();
    EXPECT_TRUE(result.failed);
    EXPECT_FALSE(result.createdDefault);
    EXPECT_EQ(result.record.Bytes(), SettingsRecord::Default().Bytes());
    ASSERT_EQ(World().messageBoxes.size(), 1u);
    EXPECT_NE(World().messageBoxes[0].text.find("config.dat"), std::string::npos);
}

TEST_F(SettingsFileTest, FieldRewritesPatchOnlyTheirBytes) {
    m_file.Load();
    {
        auto w = m_file.BeginRewrite();
        ASSERT_TRUE(w.Seek(settings::AlarmTime(1)));
        ASSERT_TRUE(w.Write("07"));
        ASSERT_TRUE(w.Write("30"));
        ASSERT_TRUE(w.Write("00"));
        ASSERT_TRUE(w.Seek(settings::AlarmActive(1)));
        ASSERT_TRUE(w.Write("t"));
    }
    ASSERT_TRUE(m_file.RewriteField(settings::kSoundOn, "ft"));
    std::string expected = SettingsRecord::Default().Bytes();
    expected.replace(9, 7, "t073000");
    expected.replace(30, 2, "ft");
    EXPECT_EQ(Disk()->bytes, expected);
    // The file is closed between events: another program may open it.
    Disk()->lockedByOtherProgram = false;
    File other;
    EXPECT_EQ(other.Open(kPath, File::kRead), FileError::None);
}

TEST_F(SettingsFileTest, ARewriteBeyondTheEndOfAShortFileLengthensIt) {
    Put("jn");
    m_file.Load();
    ASSERT_TRUE(m_file.RewriteField(settings::kAutostart, "t"));
    ASSERT_EQ(Disk()->bytes.size(), kSettingsRecordSize);
    EXPECT_EQ(Disk()->bytes.substr(0, 2), "jn");
    EXPECT_EQ(Disk()->bytes.back(), 't');
}

TEST_F(SettingsFileTest, ReadOnlyFileIsReadButNotWritten) {
    std::string mine = SettingsRecord::Default().Bytes();
    mine[0] = 'j';
    Put(mine);
    Disk()->readOnly = true;
    EXPECT_TRUE(m_file.Load().record.StartMinimized());
    EXPECT_TRUE(World().messageBoxes.empty());
    EXPECT_FALSE(m_file.RewriteField(settings::kHourlySignal, "j"));
    ASSERT_EQ(World().messageBoxes.size(), 1u);
    EXPECT_NE(World().messageBoxes[0].text.find("config.dat"), std::string::npos);
    EXPECT_EQ(Disk()->bytes, mine);
}

TEST_F(SettingsFileTest, AFieldRewriteNeverCreatesAMissingFile) {
    EXPECT_FALSE(m_file.RewriteField(settings::kAutostart, "t"));
    EXPECT_EQ(Disk(), nullptr);
    EXPECT_EQ(World().messageBoxes.size(), 1u);
}

}  // namespace
}  // namespace hv
