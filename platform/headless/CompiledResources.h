#pragma once
// The resources as the resource compiler made them (a .res file): dialog
// templates, the string table, icons and bitmaps. The headless backend builds
// its windows from these, so its templates are the program's by construction.
// Texts are Windows-1252, as the program sees them through the ANSI calls.
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
    std::string className;  // "Button", "Edit", "Static", ... or as written
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;  // Windows-1252
    int fontSize = 0;     // points; 0 when the template sets no font
    std::string fontFace;
    std::vector<ControlTemplate> controls;  // template order
};

struct BitmapSize {
    int width = 0, height = 0;  // pixels
};

class CompiledResources {
public:
    // Reads a .res file; what it could not read is in Error(), and the
    // resources read until then are kept.
    static std::shared_ptr<const CompiledResources> Read(const std::string& path);
    // The program's own (HV_COMPILED_RES), read at first use.
    static std::shared_ptr<const CompiledResources> Program();

    const std::string& Error() const { return m_error; }
    const DialogTemplate* Dialog(int id) const;
    std::vector<int> DialogIds() const;
    std::optional<std::string> String(int id) const;
    bool HasIcon(int id) const { return m_icons.count(id) != 0; }
    std::optional<BitmapSize> Bitmap(int id) const;

private:
    friend class ResReader;
    std::string m_error;
    std::map<int, DialogTemplate> m_dialogs;
    std::map<int, std::string> m_strings;
    std::set<int> m_icons;
    std::map<int, BitmapSize> m_bitmaps;
};

}  // namespace hv::headless
