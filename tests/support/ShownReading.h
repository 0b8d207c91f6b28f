#pragma once
// The stopwatch's overview text read back as a number.
#include <cstdint>
#include <cstdio>
#include <string>

namespace hv::test {

// "hh:mm:ss,t" as tenths; -1 when the text is not a reading.
inline std::int64_t ShownTenths(const std::string& text) {
    int h = 0, m = 0, sec = 0, t = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d:%d:%d,%d%c", &h, &m, &sec, &t, &tail) != 4) return -1;
    if (m > 59 || sec > 59 || t > 9) return -1;
    return ((std::int64_t{h} * 60 + m) * 60 + sec) * 10 + t;
}

}  // namespace hv::test
