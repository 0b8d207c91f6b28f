#pragma once
// The settings file's procedures over a byte store: the start-up read
// (creating the default record only where no file exists), a later read and
// creation, and the in-place rewrite of a field. Failures are returned,
// never shown here.
#include <cstddef>
#include <string>
#include <string_view>

#include "model/ByteStore.h"
#include "model/SettingsRecord.h"

namespace hv {

class SettingsFile {
public:
    explicit SettingsFile(ByteStore& store) : m_store(store) {}

    struct StartupResult {
        SettingsRecord record;
        bool createdDefault = false;        // no file existed; the default record was written
        FileError error = FileError::None;  // the record in use exists only in memory
        bool unread = false;                // a file exists that could not be read: its record is still to be taken
    };
    // One try, no wait: a file held at logon must not hold up the window.
    // A file that exists is never rewritten here, whatever it holds; when it
    // cannot be read (held, denied) the defaults are used in memory.
    StartupResult Load();

    // One try at the stored bytes, no wait; fewer than a record's when short.
    FileError Read(std::string& bytes) { return m_store.Read(kSettingsRecordSize, bytes); }
    // The file made anew with these bytes, piece by piece as the record's layout has them.
    FileError Create(std::string_view record);
    // One open, seek and write, close sequence on the existing file.
    FileError Write(std::size_t offset, std::string_view bytes);

    // Virus scanners and sync tools hold a file for some milliseconds: a
    // refused write is tried again this often, this far apart.
    static constexpr int kRetries = 4;
    static constexpr unsigned kRetryMs = 50;

private:
    template <typename Op>
    FileError WhenFree(Op op);
    ByteStore& m_store;
};

}  // namespace hv
