#pragma once
// The program's strings come in two encodings, and Windows' wide calls take
// UTF-16: a path is UTF-8, so that any name a folder may have (a user's
// "Łódź") arrives whole; a text for the screen is Windows-1252, the code
// page of the settings record and of the program's own texts. Both are
// converted here, never through the active code page, which may be
// another language's or UTF-8.
#include <string>
#include <string_view>

namespace hv::win32 {

std::wstring WideFromPath(std::string_view utf8);
std::string PathFromWide(std::wstring_view wide);
std::wstring WideFromText(std::string_view cp1252);
// What 1252 lacks is given its nearest letter ("Ł" as "L"), as the ANSI
// calls did for typed text.
std::string TextFromWide(std::wstring_view wide);
// A path as a text for the screen: what 1252 lacks is '?', never another
// letter that would name another file.
std::string TextFromPath(std::string_view utf8);

}  // namespace hv::win32
