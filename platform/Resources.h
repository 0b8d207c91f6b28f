#pragma once
// The program's own resources: string table, icons.
#include <string>

#include "platform/Handles.h"

namespace hv {

std::string LoadResourceString(int id);                 // empty when missing
IconHandle LoadAppIcon(int id);                          // LoadIcon from the module

// An icon of the size asked, the program's own (LoadImage without LR_SHARED,
// which would hand back the first size loaded whatever the size asked).
class OwnedIcon {
public:
    OwnedIcon() = default;
    OwnedIcon(int id, int cx, int cy);
    ~OwnedIcon();
    OwnedIcon(OwnedIcon&& other) noexcept : m_icon(other.m_icon) { other.m_icon = {}; }
    OwnedIcon& operator=(OwnedIcon&& other) noexcept;
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    IconHandle Handle() const { return m_icon; }

private:
    IconHandle m_icon{};
};

}  // namespace hv
