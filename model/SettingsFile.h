#pragma once
// Access to the settings file: the start-up procedure and in-place field
// rewrites. The file is open only within one handler's sequence, always
// exclusively; a failure is shown once as a stop message box naming the file
// and the sequence goes no further.
#include <cstddef>
#include <string>
#include <string_view>

#include "model/SettingsRecord.h"
#include "platform/File.h"
#include "platform/Window.h"

namespace hv {

class SettingsFile {
public:
    void SetPath(std::string path) { m_path = std::move(path); }
    const std::string& Path() const { return m_path; }
    // The window that owns the error message boxes.
    void SetOwner(const Window& owner) { m_owner = owner; }

    struct StartupResult {
        SettingsRecord record;
        bool createdDefault = false;  // no file existed; the default record was written
        bool failed = false;          // the record in use exists only in memory
    };
    // Reads the record; only when no file exists at all, creates it with the
    // default record. A file that exists is never rewritten here, whatever it
    // holds; when it cannot be opened or read (locked, denied, damaged) the
    // defaults are used in memory and the user is told once.
    StartupResult Load();

    // One open, seek and write, close sequence on the existing file.
    class Rewrite {
    public:
        ~Rewrite() { m_owner.m_file.Close(); }
        Rewrite(const Rewrite&) = delete;
        Rewrite& operator=(const Rewrite&) = delete;
        bool Seek(std::size_t offset);
        // Continues where the previous write ended.
        bool Write(std::string_view bytes);
        bool Ok() const { return m_ok; }

    private:
        friend class SettingsFile;
        explicit Rewrite(SettingsFile& owner);
        SettingsFile& m_owner;
        bool m_ok = true;
    };
    Rewrite BeginRewrite() { return Rewrite(*this); }
    // The common case: one field at one offset.
    bool RewriteField(std::size_t offset, std::string_view bytes);

private:
    static constexpr int kOpenRetries = 4;
    static constexpr unsigned kOpenRetryMs = 50;
    FileError OpenWhenFree(unsigned mode);
    void Report(FileError error) const;
    bool WriteDefaultRecord(const SettingsRecord& record);

    std::string m_path;
    Window m_owner;
    File m_file;
};

// The one file object through which every access to the settings goes.
extern SettingsFile g_settingsFile;

}  // namespace hv
