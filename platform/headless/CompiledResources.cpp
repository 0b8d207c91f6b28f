#include "platform/headless/CompiledResources.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

#include "platform/headless/WorldImpl.h"

namespace hv::headless {
namespace {

// Texts are stored as UTF-16; the program sees them through the ANSI calls
// as Windows-1252, where characters the code page lacks become '?' (no
// best-fit table). The table holds bytes 0x80-0x9F; 0 marks the five
// unassigned ones, which Windows maps to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char ToCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        const char16_t mapped = kHighTable[i] ? kHighTable[i] : static_cast<char16_t>(0x80 + i);
        if (mapped == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string Utf16ToCp1252(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t c = utf16[i];
        // A surrogate pair is one character, and none of them is in the code page.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) ++i;
        out += ToCp1252(c);
    }
    return out;
}

}  // namespace

// Little-endian structures of a .res file, bounds-checked: a damaged file
// ends the reading with an error, never reads beyond its bytes.
class ResReader {
public:
    ResReader(const std::string& bytes, std::size_t begin, std::size_t end) : m_bytes(bytes), m_pos(begin), m_end(end) {}

    std::uint16_t Word() {
        Need(2);
        const auto v = static_cast<std::uint16_t>(Byte(m_pos) | Byte(m_pos + 1) << 8);
        m_pos += 2;
        return v;
    }
    std::uint32_t Dword() {
        const std::uint32_t low = Word();
        return low | static_cast<std::uint32_t>(Word()) << 16;
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    void Skip(std::size_t n) {
        Need(n);
        m_pos += n;
    }
    void AlignTo4(std::size_t base) { m_pos = base + ((m_pos - base + 3) & ~std::size_t{3}); }
    std::u16string Utf16z() {
        std::u16string s;
        for (std::uint16_t c = Word(); c != 0; c = Word()) s += static_cast<char16_t>(c);
        return s;
    }
    // A name or id: 0xFFFF and an ordinal, or a NUL-terminated UTF-16 text.
    std::optional<int> NameOrOrdinal(std::string* text) {
        if (m_pos + 2 <= m_end && Byte(m_pos) == 0xFF && Byte(m_pos + 1) == 0xFF) {
            Word();
            return Word();
        }
        const std::string name = Utf16ToCp1252(Utf16z());
        if (text) *text = name;
        return std::nullopt;
    }

    static void ReadFile(const std::string& bytes, CompiledResources& out);

private:
    std::uint8_t Byte(std::size_t i) const { return static_cast<std::uint8_t>(m_bytes[i]); }
    void Need(std::size_t n) const {
        if (m_pos + n > m_end) throw std::runtime_error("a resource ends too early");
    }
    DialogTemplate ReadDialog(std::size_t base);
    ControlTemplate ReadControl(std::size_t base);

    const std::string& m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
};

namespace {

constexpr int kRtBitmap = 2, kRtDialog = 5, kRtString = 6, kRtGroupIcon = 14;
constexpr std::uint32_t kDsSetFont = 0x40;

// The predefined window classes, by atom. Written as a name, a class is
// found regardless of case; the model knows each by one spelling.
constexpr const char* kPredefinedClasses[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};

std::string ClassOfAtom(int atom) {
    if (atom >= 0x80 && atom < 0x86) return kPredefinedClasses[atom - 0x80];
    return "#" + std::to_string(atom);
}

std::string ClassOfName(const std::string& name) {
    for (const char* known : kPredefinedClasses)
        if (SameText(name, known)) return known;
    return name;
}

}  // namespace

ControlTemplate ResReader::ReadControl(std::size_t base) {
    AlignTo4(base);
    ControlTemplate c;
    Dword();  // help id
    c.exStyle = Dword();
    c.style = Dword();
    c.x = Short();
    c.y = Short();
    c.cx = Short();
    c.cy = Short();
    c.id = static_cast<std::int32_t>(Dword());
    std::string className;
    const auto atom = NameOrOrdinal(&className);
    c.className = atom ? ClassOfAtom(*atom) : ClassOfName(className);
    c.ordinal = NameOrOrdinal(&c.text);
    Skip(Word());  // creation data
    return c;
}

// A DLGTEMPLATEEX: the resource script writes every dialog as DIALOGEX.
DialogTemplate ResReader::ReadDialog(std::size_t base) {
    DialogTemplate d;
    if (Word() != 1 || Word() != 0xFFFF) throw std::runtime_error("a dialog is not a DIALOGEX");
    Dword();  // help id
    d.exStyle = Dword();
    d.style = Dword();
    const int count = Word();
    d.x = Short();
    d.y = Short();
    d.cx = Short();
    d.cy = Short();
    NameOrOrdinal(nullptr);  // menu
    NameOrOrdinal(nullptr);  // window class
    d.caption = Utf16ToCp1252(Utf16z());
    if (d.style & kDsSetFont) {  // also part of DS_SHELLFONT
        d.fontSize = Word();
        Skip(4);  // weight, italic, charset
        d.fontFace = Utf16ToCp1252(Utf16z());
    }
    for (int i = 0; i < count; ++i) d.controls.push_back(ReadControl(base));
    return d;
}

void ResReader::ReadFile(const std::string& bytes, CompiledResources& out) {
    std::size_t pos = 0;
    while (pos + 8 <= bytes.size()) {
        ResReader header(bytes, pos, bytes.size());
        const std::uint32_t size = header.Dword();
        const std::uint32_t headerSize = header.Dword();
        const auto type = header.NameOrOrdinal(nullptr);
        const auto name = header.NameOrOrdinal(nullptr);
        const std::size_t begin = pos + headerSize;
        if (headerSize < 8 || begin > bytes.size() || size > bytes.size() - begin)
            throw std::runtime_error("a resource header is damaged");
        pos = (begin + size + 3) & ~std::size_t{3};
        if (!type || !name) continue;  // named resources: the program uses none
        ResReader r(bytes, begin, begin + size);
        switch (*type) {
            case kRtDialog:
                out.m_dialogs[*name] = r.ReadDialog(begin);
                break;
            case kRtString:  // block n holds the 16 strings from 16 * (n - 1) on
                for (int i = 0; i < 16; ++i) {
                    std::u16string s(r.Word(), u'\0');
                    for (auto& ch : s) ch = static_cast<char16_t>(r.Word());
                    if (!s.empty()) out.m_strings[(*name - 1) * 16 + i] = Utf16ToCp1252(s);
                }
                break;
            case kRtGroupIcon:
                out.m_icons.insert(*name);
                break;
            case kRtBitmap: {  // a BITMAPINFOHEADER; a negative height means top-down
                r.Dword();
                const auto width = static_cast<std::int32_t>(r.Dword());
                const auto height = static_cast<std::int32_t>(r.Dword());
                out.m_bitmaps[*name] = {std::abs(width), std::abs(height)};
                break;
            }
            default:
                break;
        }
    }
}

std::shared_ptr<const CompiledResources> CompiledResources::Read(const std::string& path) {
    auto out = std::make_shared<CompiledResources>();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out->m_error = "cannot open " + path;
        return out;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    try {
        ResReader::ReadFile(bytes, *out);
    } catch (const std::exception& e) {
        out->m_error = path + ": " + e.what();
    }
    return out;
}

std::shared_ptr<const CompiledResources> CompiledResources::Program() {
    static const auto program = Read(HV_COMPILED_RES);
    return program;
}

const DialogTemplate* CompiledResources::Dialog(int id) const {
    const auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : &it->second;
}

std::vector<int> CompiledResources::DialogIds() const {
    std::vector<int> ids;
    for (const auto& [id, dialog] : m_dialogs) ids.push_back(id);
    return ids;
}

std::optional<std::string> CompiledResources::String(int id) const {
    const auto it = m_strings.find(id);
    if (it == m_strings.end()) return std::nullopt;
    return it->second;
}

std::optional<BitmapSize> CompiledResources::Bitmap(int id) const {
    const auto it = m_bitmaps.find(id);
    if (it == m_bitmaps.end()) return std::nullopt;
    return it->second;
}

}  // namespace hv::headless
