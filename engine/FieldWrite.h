#pragma once
// A command's write of one field of the settings record.
#include <cstddef>
#include <string_view>

#include "engine/Effects.h"
#include "model/SettingsFile.h"

namespace hv {

// Writes `bytes` at `offset`; a failure is reported once, as the file's
// error message among the effects, and the command goes no further.
inline bool WriteField(SettingsFile& file, std::size_t offset, std::string_view bytes, Effects& out) {
    const FileError error = file.Write(offset, bytes);
    if (error == FileError::None) return true;
    out.Add(Step::ReportFile(error));
    return false;
}

}  // namespace hv
