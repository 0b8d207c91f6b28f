#pragma once
// The one dialog procedure of every Dialog: it finds the object through
// DWLP_USER and answers Windows in the form each message expects.
#include "platform/win32/Win32.h"

namespace hv::win32 {

INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace hv::win32
