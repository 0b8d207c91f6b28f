#pragma once
// Text conversion into Windows-1252, the code page of every text the program
// hands to the ANSI calls. Characters the code page lacks become '?', as
// WideCharToMultiByte does without a best-fit table.
#include <string>
#include <string_view>

namespace hv::headless {

// One Unicode code point as its Windows-1252 byte, or '?'.
char CodePointToCp1252(char32_t c);
// UTF-8 text; a malformed sequence counts as one unknown character.
std::string Utf8ToCp1252(std::string_view utf8);
// UTF-16 code units, as stored in compiled resources.
std::string Utf16ToCp1252(std::u16string_view utf16);

}  // namespace hv::headless
