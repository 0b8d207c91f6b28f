#pragma once
// A font as the decisions describe it and the platform creates it.
#include <string>

namespace hv {

// The fields of a LOGFONT, as CreateFont takes them.
struct FontSpec {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 1;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName;
};

}  // namespace hv
