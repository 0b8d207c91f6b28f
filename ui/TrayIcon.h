#pragma once
// The main window's icon in the notification area: icon 130 while any
// function is on, else the application icon 128, with the four-line tip.
#include "engine/TrayTip.h"
#include "platform/Resources.h"
#include "platform/Services.h"
#include "platform/Window.h"

namespace hv {

constexpr unsigned kTrayIconId = 1;

// The two pictures at the small-icon size of the window's screen: 16 pixels
// at 100 %, 24 at 150 %; loaded again when the window moves to another.
struct TrayPictures {
    OwnedIcon normal, active;
};
TrayPictures LoadTrayPictures(const Window& window);

// The record that adds the icon; kept, so that the same icon can be added
// again when Explorer restarts.
TrayIconData TrayIconFor(const Window& window, const TrayView& view, const TrayPictures& pictures);
bool RemoveTrayIcon(const Window& window);

}  // namespace hv
