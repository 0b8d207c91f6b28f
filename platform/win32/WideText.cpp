#include "platform/win32/WideText.h"

#include "platform/win32/Win32.h"

namespace hv::win32 {
namespace {

constexpr UINT kTextCodePage = 1252;

std::wstring Widen(UINT codePage, std::string_view in) {
    if (in.empty()) return {};
    const int inSize = static_cast<int>(in.size());
    const int size = MultiByteToWideChar(codePage, 0, in.data(), inSize, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(codePage, 0, in.data(), inSize, out.data(), size);
    return out;
}

std::string Narrow(UINT codePage, DWORD flags, std::wstring_view in) {
    if (in.empty()) return {};
    const int inSize = static_cast<int>(in.size());
    const int size = WideCharToMultiByte(codePage, flags, in.data(), inSize, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(codePage, flags, in.data(), inSize, out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring WideFromPath(std::string_view utf8) { return Widen(CP_UTF8, utf8); }
std::string PathFromWide(std::wstring_view wide) { return Narrow(CP_UTF8, 0, wide); }
std::wstring WideFromText(std::string_view cp1252) { return Widen(kTextCodePage, cp1252); }
std::string TextFromWide(std::wstring_view wide) { return Narrow(kTextCodePage, 0, wide); }
std::string TextFromPath(std::string_view utf8) { return Narrow(kTextCodePage, WC_NO_BEST_FIT_CHARS, WideFromPath(utf8)); }

}  // namespace hv::win32
