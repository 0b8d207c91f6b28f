// Resources of the model, from the compiled resources. Icon handles are
// derived from the id (and the size, for LoadImage), so tests can tell the
// icons apart; an icon that is not there gives no handle, as LoadIcon fails.
#include "platform/Resources.h"

#include "platform/headless/WorldImpl.h"

namespace hv {

std::string LoadResourceString(int id) { return headless::State().Resources().String(id).value_or(std::string()); }

IconHandle LoadAppIcon(int id) {
    if (!headless::State().Resources().HasIcon(id)) return IconHandle();
    return IconHandle(0x1000u + static_cast<unsigned>(id));
}

IconHandle LoadSharedIcon(int id, int cx, int cy) {
    if (!headless::State().Resources().HasIcon(id)) return IconHandle();
    return IconHandle(0x1000u + static_cast<unsigned>(id) + (static_cast<std::uintptr_t>(cx) << 16) +
                      (static_cast<std::uintptr_t>(cy) << 24));
}

}  // namespace hv
