#pragma once
// Backend part of Dialog::DoModal: creates the dialog window from its
// template, runs the modal loop until the dialog ends, destroys the window.
#include "platform/Window.h"

namespace hv {

class Dialog;

int RunModalDialog(Dialog& dialog, Window owner);

}  // namespace hv
