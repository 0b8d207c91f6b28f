// The headless backend reads the dialog templates from the resource script;
// the program on Windows gets them from the resource compiler. This test
// decodes the compiled resources and requires both views to agree on every
// template, control, string, icon and bitmap.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/headless/Cp1252.h"
#include "platform/headless/ResourceScript.h"
#include "res/resource.h"

namespace hv::headless {
namespace {

// A name or id in a resource file: 0xFFFF and an ordinal, or a UTF-16 string.
struct NameOrId {
    std::optional<int> ordinal;
    std::string text;  // Windows-1252
};

// Reads the little-endian structures of a .res file.
class Reader {
public:
    Reader(const std::string& bytes, std::size_t begin, std::size_t end) : m_bytes(bytes), m_pos(begin), m_end(end) {}
    std::size_t Pos() const { return m_pos; }
    bool AtEnd() const { return m_pos >= m_end; }
    void AlignTo4(std::size_t base) { m_pos = base + ((m_pos - base + 3) & ~std::size_t{3}); }
    void Skip(std::size_t n) { m_pos += n; }
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
    std::int16_t Short() { return static_cast<std::int16_t>(Word()); }
    std::uint8_t Uint8() {
        Need(1);
        return Byte(m_pos++);
    }
    std::u16string Utf16z() {
        std::u16string s;
        for (std::uint16_t c = Word(); c != 0; c = Word()) s += static_cast<char16_t>(c);
        return s;
    }
    NameOrId Name() {
        NameOrId n;
        if (Peek() == 0xFFFF) {
            Word();
            n.ordinal = Word();
        } else {
            n.text = Utf16ToCp1252(Utf16z());
        }
        return n;
    }

private:
    std::uint8_t Byte(std::size_t i) const { return static_cast<std::uint8_t>(m_bytes[i]); }
    std::uint16_t Peek() {
        const std::size_t keep = m_pos;
        const auto v = Word();
        m_pos = keep;
        return v;
    }
    void Need(std::size_t n) const {
        if (m_pos + n > m_end) throw std::runtime_error("compiled resources end too early");
    }
    const std::string& m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
};

struct CompiledResource {
    NameOrId type, name;
    std::size_t begin = 0, size = 0;
};

std::vector<CompiledResource> ReadResFile(const std::string& bytes) {
    std::vector<CompiledResource> out;
    std::size_t pos = 0;
    while (pos + 8 <= bytes.size()) {
        Reader r(bytes, pos, bytes.size());
        CompiledResource res;
        res.size = r.Dword();
        const std::uint32_t headerSize = r.Dword();
        res.type = r.Name();
        res.name = r.Name();
        res.begin = pos + headerSize;
        out.push_back(res);
        pos = (res.begin + res.size + 3) & ~std::size_t{3};
    }
    return out;
}

// A DLGTEMPLATEEX, decoded into the reader's own structure.
DialogTemplate DecodeDialog(const std::string& bytes, const CompiledResource& res) {
    Reader r(bytes, res.begin, res.begin + res.size);
    DialogTemplate d;
    EXPECT_EQ(r.Word(), 1) << "dlgVer";
    EXPECT_EQ(r.Word(), 0xFFFF) << "signature of DLGTEMPLATEEX";
    d.helpId = r.Dword();
    d.exStyle = r.Dword();
    d.style = r.Dword();
    const int count = r.Word();
    d.x = r.Short();
    d.y = r.Short();
    d.cx = r.Short();
    d.cy = r.Short();
    const NameOrId menu = r.Name();
    d.menu = menu.ordinal ? std::to_string(*menu.ordinal) : menu.text;
    const NameOrId cls = r.Name();
    d.windowClass = cls.ordinal ? std::to_string(*cls.ordinal) : cls.text;
    d.caption = Utf16ToCp1252(r.Utf16z());
    if (d.style & 0x48) {  // DS_SETFONT or DS_SHELLFONT
        d.fontSize = r.Word();
        d.fontWeight = r.Word();
        d.fontItalic = r.Uint8() != 0;
        d.fontCharset = r.Uint8();
        d.fontFace = Utf16ToCp1252(r.Utf16z());
    }
    for (int i = 0; i < count; ++i) {
        r.AlignTo4(res.begin);
        ControlTemplate c;
        c.helpId = r.Dword();
        c.exStyle = r.Dword();
        c.style = r.Dword();
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = static_cast<std::int32_t>(r.Dword());
        const NameOrId controlClass = r.Name();
        if (controlClass.ordinal) {
            static const std::map<int, std::string> kAtoms = {{0x80, "Button"},  {0x81, "Edit"},
                                                              {0x82, "Static"},  {0x83, "ListBox"},
                                                              {0x84, "ScrollBar"}, {0x85, "ComboBox"}};
            const auto it = kAtoms.find(*controlClass.ordinal);
            c.className = it != kAtoms.end() ? it->second : "#" + std::to_string(*controlClass.ordinal);
        } else {
            c.className = controlClass.text;
        }
        const NameOrId title = r.Name();
        c.ordinal = title.ordinal;
        c.text = title.text;
        r.Skip(r.Word());  // creation data
        d.controls.push_back(c);
    }
    return d;
}

std::string Upper(std::string s) {
    for (auto& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

class CompiledResources : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef HV_COMPILED_RES
        GTEST_SKIP() << "no resource compiler: nothing to compare with";
#else
        std::ifstream in(HV_COMPILED_RES, std::ios::binary);
        ASSERT_TRUE(in) << HV_COMPILED_RES;
        std::ostringstream buffer;
        buffer << in.rdbuf();
        m_bytes = buffer.str();
        m_resources = ReadResFile(m_bytes);
        m_script = ResourceScript::Program();
        ASSERT_TRUE(m_script->Errors().empty()) << m_script->Errors().front();
#endif
    }

    const CompiledResource* Find(int type, int name) const {
        for (const auto& r : m_resources)
            if (r.type.ordinal == type && r.name.ordinal == name) return &r;
        return nullptr;
    }

    std::string m_bytes;
    std::vector<CompiledResource> m_resources;
    std::shared_ptr<const ResourceScript> m_script;
};

constexpr int kRtBitmap = 2, kRtDialog = 5, kRtString = 6, kRtGroupIcon = 14;

TEST_F(CompiledResources, EveryDialogTemplateAgreesControlByControl) {
    for (int id : {IDD_INFO, IDD_HAUPT, IDD_BESCHRIFTUNG}) {
        SCOPED_TRACE("template " + std::to_string(id));
        const CompiledResource* res = Find(kRtDialog, id);
        ASSERT_NE(res, nullptr);
        const DialogTemplate compiled = DecodeDialog(m_bytes, *res);
        const DialogTemplate* mine = m_script->Dialog(id);
        ASSERT_NE(mine, nullptr);

        EXPECT_EQ(mine->caption, compiled.caption);
        EXPECT_EQ(mine->style, compiled.style) << std::hex << mine->style << " vs " << compiled.style;
        EXPECT_EQ(mine->exStyle, compiled.exStyle);
        EXPECT_EQ(mine->helpId, compiled.helpId);
        EXPECT_EQ((std::vector<int>{mine->x, mine->y, mine->cx, mine->cy}),
                  (std::vector<int>{compiled.x, compiled.y, compiled.cx, compiled.cy}));
        EXPECT_EQ(mine->fontSize, compiled.fontSize);
        EXPECT_EQ(mine->fontFace, compiled.fontFace);
        EXPECT_EQ(mine->fontWeight, compiled.fontWeight);
        EXPECT_EQ(mine->fontItalic, compiled.fontItalic);
        EXPECT_EQ(mine->fontCharset, compiled.fontCharset);
        EXPECT_EQ(mine->menu, compiled.menu);
        EXPECT_EQ(mine->windowClass, compiled.windowClass);

        ASSERT_EQ(mine->controls.size(), compiled.controls.size());
        for (std::size_t i = 0; i < compiled.controls.size(); ++i) {
            const ControlTemplate& a = mine->controls[i];
            const ControlTemplate& b = compiled.controls[i];
            SCOPED_TRACE("control #" + std::to_string(i + 1) + " id " + std::to_string(b.id));
            EXPECT_EQ(a.id, b.id);
            // The compiler may write a predefined class as its atom or its name.
            EXPECT_EQ(Upper(a.className), Upper(b.className));
            EXPECT_EQ(a.text, b.text);
            EXPECT_EQ(a.ordinal, b.ordinal);
            EXPECT_EQ(a.style, b.style) << std::hex << a.style << " vs " << b.style;
            EXPECT_EQ(a.exStyle, b.exStyle);
            EXPECT_EQ(a.helpId, b.helpId);
            EXPECT_EQ((std::vector<int>{a.x, a.y, a.cx, a.cy}), (std::vector<int>{b.x, b.y, b.cx, b.cy}));
        }
    }
}

TEST_F(CompiledResources, StringsIconsAndBitmapsAgree) {
    // A string table block holds 16 counted UTF-16 strings, ids 16 * (block - 1) on.
    std::map<int, std::string> compiledStrings;
    for (const auto& res : m_resources) {
        if (res.type.ordinal != kRtString || !res.name.ordinal) continue;
        Reader r(m_bytes, res.begin, res.begin + res.size);
        for (int i = 0; i < 16; ++i) {
            std::u16string s(r.Word(), u'\0');
            for (auto& ch : s) ch = static_cast<char16_t>(r.Word());
            if (!s.empty()) compiledStrings[(*res.name.ordinal - 1) * 16 + i] = Utf16ToCp1252(s);
        }
    }
    ASSERT_FALSE(compiledStrings.empty());
    for (const auto& [id, text] : compiledStrings) EXPECT_EQ(m_script->String(id), text) << id;
    EXPECT_EQ(m_script->String(IDS_ABOUTBOX), "&Info \xFC" "ber Orvell...");

    for (int id : {IDR_MAINFRAME, IDI_ACTIVE}) {
        EXPECT_NE(Find(kRtGroupIcon, id), nullptr) << id;
        EXPECT_TRUE(m_script->HasIcon(id)) << id;
    }
    for (int id : {IDB_BANNER, IDB_ARROW, IDB_LOGO}) {
        EXPECT_NE(Find(kRtBitmap, id), nullptr) << id;
        EXPECT_TRUE(m_script->HasBitmap(id)) << id;
    }
    for (const auto& res : m_resources) {
        if (res.type.ordinal == kRtDialog && res.name.ordinal) {
            EXPECT_NE(m_script->Dialog(*res.name.ordinal), nullptr) << "template " << *res.name.ordinal;
        }
    }
}

}  // namespace
}  // namespace hv::headless
