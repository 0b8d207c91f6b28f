#pragma once
// The program's own resources: string table, icons.
#include <string>

#include "platform/Handles.h"

namespace hv {

std::string LoadResourceString(int id);                 // empty when missing
IconHandle LoadAppIcon(int id);                          // LoadIcon from the module
IconHandle LoadSharedIcon(int id, int cx, int cy);       // LoadImage, LR_SHARED

}  // namespace hv
