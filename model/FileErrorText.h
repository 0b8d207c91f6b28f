#pragma once
// The German message for a failed file access, naming the file.
#include <string>

#include "platform/File.h"

namespace hv {

std::string FileErrorText(FileError error, const std::string& path);

}  // namespace hv
