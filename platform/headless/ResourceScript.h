#pragma once
// The headless backend's reading of the program's resource script: dialog
// templates, the string table and which icons and bitmaps exist. Texts are
// Windows-1252 bytes, as the program sees them through the ANSI calls; the
// styles are complete, as the resource compiler writes them (CONTROL adds
// WS_CHILD | WS_VISIBLE, CAPTION adds WS_CAPTION, FONT adds DS_SETFONT).
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace hv::headless {

struct ControlTemplate {
    std::string text;            // Windows-1252
    std::optional<int> ordinal;  // a resource id in place of a text (bitmaps, icons)
    int id = 0;
    std::string className;       // "Button", "Edit", "Static", ... or as written
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    int id = -1;           // -1 for a template known by name only
    std::string name;      // as written in the script
    bool extended = true;  // DIALOGEX
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t helpId = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;  // Windows-1252
    std::string menu;
    std::string windowClass;
    int fontSize = 0;  // points; 0 when the template sets no font
    int fontWeight = 0;
    bool fontItalic = false;
    int fontCharset = 1;
    std::string fontFace;
    std::vector<ControlTemplate> controls;  // template order
};

class ResourceScript {
public:
    // Reads a script; what it could not understand is listed in Errors(),
    // and reading stops at the first statement it does not know.
    static ResourceScript Read(const std::string& path);
    // The program's own script (HV_RESOURCE_SCRIPT), read at first use.
    static std::shared_ptr<const ResourceScript> Program();

    const std::vector<std::string>& Errors() const { return m_errors; }
    const DialogTemplate* Dialog(int id) const;
    const std::vector<DialogTemplate>& Dialogs() const { return m_dialogs; }
    std::optional<std::string> String(int id) const;  // Windows-1252
    bool HasIcon(int id) const { return m_icons.count(id) != 0; }
    bool HasBitmap(int id) const { return m_bitmaps.count(id) != 0; }
    // The value of a #define of the script or its headers.
    std::optional<long long> Define(const std::string& name) const;

private:
    friend class ResourceScriptParser;
    std::vector<std::string> m_errors;
    std::vector<DialogTemplate> m_dialogs;
    std::map<int, std::string> m_strings;
    std::set<int> m_icons;
    std::set<int> m_bitmaps;
    std::map<std::string, long long> m_defines;
};

}  // namespace hv::headless
