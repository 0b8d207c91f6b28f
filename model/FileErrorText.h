#pragma once
// The German message for a failed file access, naming the file by the
// (full) path given.
#include <string>

#include "model/FileError.h"

namespace hv {

std::string FileErrorText(FileError error, const std::string& path);

}  // namespace hv
