#include "platform/headless/ResourceScript.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

#include "platform/headless/Cp1252.h"
#include "platform/headless/RcLexer.h"
#include "platform/headless/WindowsSymbols.h"

namespace hv::headless {
namespace {

constexpr std::uint32_t kWsChild = 0x40000000, kWsVisible = 0x10000000;
constexpr std::uint32_t kDefaultDialogStyle = 0x80880000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kDsSetFont = 0x40;
constexpr int kMaxMacroDepth = 32;

struct ParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string Upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The predefined window classes under the spelling Windows reports them with.
std::string CanonicalClass(const std::string& name) {
    static const char* const kKnown[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    for (const char* known : kKnown)
        if (Upper(name) == Upper(known)) return known;
    return name;
}

bool IsMemoryOption(const std::string& word) {
    static const char* const kOptions[] = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE",
                                           "PURE", "IMPURE", "SHARED", "NONSHARED"};
    return std::any_of(std::begin(kOptions), std::end(kOptions), [&](const char* o) { return word == o; });
}

bool IsShortControlKeyword(const std::string& word) {
    static const char* const kKeywords[] = {"LTEXT", "RTEXT", "CTEXT", "PUSHBUTTON", "DEFPUSHBUTTON",
                                            "EDITTEXT", "GROUPBOX", "CHECKBOX", "AUTOCHECKBOX",
                                            "RADIOBUTTON", "AUTORADIOBUTTON", "STATE3", "AUTO3STATE",
                                            "ICON", "LISTBOX", "COMBOBOX", "SCROLLBAR", "PUSHBOX"};
    return std::any_of(std::begin(kKeywords), std::end(kKeywords), [&](const char* k) { return word == k; });
}

}  // namespace

class ResourceScriptParser {
public:
    ResourceScriptParser(const std::vector<RcToken>& tokens, const RcLexer& lexer, ResourceScript& script,
                         int depth = 0)
        : m_tokens(tokens), m_lexer(lexer), m_script(script), m_depth(depth) {}

    void Run() {
        while (!AtEnd()) Statement();
    }

    long long Expression(bool lenient) {
        long long v = Unary(lenient);
        for (;;) {
            if (AcceptPunct("|")) v |= Unary(lenient);
            else if (AcceptPunct("+")) v += Unary(lenient);
            else if (AcceptPunct("-")) v -= Unary(lenient);
            else if (AcceptPunct("&")) v &= Unary(lenient);
            else return v;
        }
    }

    bool AtEnd() const { return m_pos >= m_tokens.size(); }

private:
    // --- tokens ---
    const RcToken& Peek() const {
        if (AtEnd()) throw ParseError(Where() + ": unexpected end of the script");
        return m_tokens[m_pos];
    }
    std::string Where() const {
        if (m_tokens.empty()) return "script";
        return m_tokens[std::min(m_pos, m_tokens.size() - 1)].where;
    }
    const RcToken& Next() {
        const RcToken& t = Peek();
        ++m_pos;
        return t;
    }
    bool PeekIs(RcToken::Kind kind, const char* text) const {
        return !AtEnd() && m_tokens[m_pos].kind == kind && m_tokens[m_pos].text == text;
    }
    bool AcceptPunct(const char* p) {
        if (!PeekIs(RcToken::Punct, p)) return false;
        ++m_pos;
        return true;
    }
    bool AcceptWord(const char* w) {
        if (!PeekIs(RcToken::Identifier, w)) return false;
        ++m_pos;
        return true;
    }
    void Expect(const char* p) {
        if (!AcceptPunct(p)) throw ParseError(Where() + ": '" + p + "' expected");
    }
    bool AcceptBegin() { return AcceptWord("BEGIN") || AcceptPunct("{"); }
    bool AcceptEnd() { return AcceptWord("END") || AcceptPunct("}"); }
    void ExpectBegin() {
        if (!AcceptBegin()) throw ParseError(Where() + ": BEGIN expected");
    }
    std::string ExpectString() {
        if (AtEnd() || Peek().kind != RcToken::String) throw ParseError(Where() + ": text in quotes expected");
        return Next().text;
    }
    // Skips a BEGIN ... END block whose BEGIN has been read.
    void SkipBlock() {
        int depth = 1;
        while (depth > 0) {
            if (AcceptBegin()) ++depth;
            else if (AcceptEnd()) --depth;
            else Next();
        }
    }

    // --- expressions ---
    long long Unary(bool lenient) {
        if (AcceptPunct("-")) return -Unary(lenient);
        if (AcceptPunct("~")) return ~Unary(lenient);
        if (AcceptPunct("(")) {
            const long long v = Expression(lenient);
            Expect(")");
            return v;
        }
        const RcToken& t = Next();
        if (t.kind == RcToken::Number) return NumberValue(t);
        if (t.kind == RcToken::Identifier) {
            if (auto v = SymbolValue(t.text)) return *v;
            if (lenient) return 0;
            throw ParseError(t.where + ": unknown name " + t.text);
        }
        throw ParseError(t.where + ": number expected, found '" + t.text + "'");
    }
    static long long NumberValue(const RcToken& t) {
        std::string digits = t.text;
        while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l' || digits.back() == 'U' ||
                                   digits.back() == 'u'))
            digits.pop_back();
        char* end = nullptr;
        const bool hex = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X');
        const long long v = static_cast<long long>(std::strtoull(digits.c_str(), &end, hex ? 16 : 10));
        if (!end || *end != '\0') throw ParseError(t.where + ": bad number " + t.text);
        return v;
    }

public:
    std::optional<long long> SymbolValue(const std::string& name) {
        const auto it = m_lexer.defines.find(name);
        if (it != m_lexer.defines.end()) {
            if (m_depth >= kMaxMacroDepth) throw ParseError(Where() + ": macro " + name + " refers to itself");
            if (it->second.empty()) return std::nullopt;
            ResourceScriptParser inner(it->second, m_lexer, m_script, m_depth + 1);
            const long long v = inner.Expression(false);
            if (!inner.AtEnd()) throw ParseError(it->second.front().where + ": macro " + name + " is no number");
            return v;
        }
        if (auto v = WindowsSymbol(name)) return *v;
        return std::nullopt;
    }

private:
    // A style: the defaults with every named bit added, or removed by NOT.
    std::uint32_t Style(std::uint32_t value) {
        do {
            const bool remove = AcceptWord("NOT");
            const auto bits = static_cast<std::uint32_t>(Unary(false));
            value = remove ? (value & ~bits) : (value | bits);
        } while (AcceptPunct("|") || AcceptPunct("+"));
        return value;
    }
    int Int() { return static_cast<int>(Expression(false)); }

    // A resource's name: its number, or nothing for a name in words.
    std::optional<int> NameValue(const RcToken& t) {
        if (t.kind == RcToken::Number) return static_cast<int>(NumberValue(t));
        if (t.kind == RcToken::Identifier)
            if (auto v = SymbolValue(t.text)) return static_cast<int>(*v);
        return std::nullopt;
    }

    // --- statements ---
    void Statement() {
        if (AcceptWord("LANGUAGE")) {
            Expression(true);
            Expect(",");
            Expression(true);
            return;
        }
        if (AcceptWord("STRINGTABLE")) {
            StringTable();
            return;
        }
        const RcToken& name = Next();
        if (name.kind != RcToken::Identifier && name.kind != RcToken::Number)
            throw ParseError(name.where + ": resource name expected, found '" + name.text + "'");
        const RcToken& type = Next();
        if (type.kind == RcToken::Identifier && (type.text == "DIALOGEX" || type.text == "DIALOG")) {
            Dialog(name, type.text == "DIALOGEX");
        } else if (type.kind == RcToken::Identifier && (type.text == "ICON" || type.text == "BITMAP")) {
            while (!AtEnd() && Peek().kind == RcToken::Identifier && IsMemoryOption(Peek().text)) Next();
            ExpectString();
            if (auto id = NameValue(name)) (type.text == "ICON" ? m_script.m_icons : m_script.m_bitmaps).insert(*id);
        } else {
            SkipOtherResource();
        }
    }

    // A resource of a kind the backend does not need: either a file name or
    // a block, after statements of its own (VERSIONINFO's FILEVERSION, ...).
    void SkipOtherResource() {
        for (;;) {
            if (Peek().kind == RcToken::String) {
                Next();
                return;
            }
            if (AcceptBegin()) {
                SkipBlock();
                return;
            }
            Next();
        }
    }

    void StringTable() {
        while (!AcceptBegin()) {
            if (AcceptWord("LANGUAGE")) {
                Expression(true);
                Expect(",");
                Expression(true);
            } else {
                Next();  // CHARACTERISTICS, VERSION and memory options
            }
        }
        while (!AcceptEnd()) {
            const int id = Int();
            AcceptPunct(",");
            std::string text = ExpectString();
            while (!AtEnd() && Peek().kind == RcToken::String) text += Next().text;
            m_script.m_strings[id] = Utf8ToCp1252(text);
        }
    }

    void Dialog(const RcToken& name, bool extended) {
        DialogTemplate d;
        d.name = name.text;
        d.id = NameValue(name).value_or(-1);
        d.extended = extended;
        while (!AtEnd() && Peek().kind == RcToken::Identifier && IsMemoryOption(Peek().text)) Next();
        d.x = Int();
        Expect(",");
        d.y = Int();
        Expect(",");
        d.cx = Int();
        Expect(",");
        d.cy = Int();
        if (extended && AcceptPunct(",")) d.helpId = static_cast<std::uint32_t>(Expression(false));

        bool styleGiven = false, captionGiven = false;
        std::uint32_t style = 0;
        while (!AcceptBegin()) {
            const RcToken& word = Next();
            if (word.text == "STYLE") {
                style = Style(0);
                styleGiven = true;
            } else if (word.text == "EXSTYLE") {
                d.exStyle = Style(0);
            } else if (word.text == "CAPTION") {
                d.caption = Utf8ToCp1252(ExpectString());
                captionGiven = true;
            } else if (word.text == "FONT") {
                d.fontSize = Int();
                Expect(",");
                d.fontFace = Utf8ToCp1252(ExpectString());
                if (extended && AcceptPunct(",")) {
                    d.fontWeight = Int();
                    if (AcceptPunct(",")) {
                        d.fontItalic = Int() != 0;
                        if (AcceptPunct(",")) d.fontCharset = Int();
                    }
                }
            } else if (word.text == "MENU") {
                d.menu = Next().text;
            } else if (word.text == "CLASS") {
                d.windowClass = Next().text;
            } else if (word.text == "LANGUAGE") {
                Expression(true);
                Expect(",");
                Expression(true);
            } else if (word.text == "CHARACTERISTICS" || word.text == "VERSION") {
                Expression(true);
            } else {
                throw ParseError(word.where + ": unknown dialog statement " + word.text);
            }
        }
        d.style = styleGiven ? style : kDefaultDialogStyle;
        if (captionGiven) d.style |= kWsCaption;
        if (d.fontSize != 0 || !d.fontFace.empty()) d.style |= kDsSetFont;

        while (!AcceptEnd()) d.controls.push_back(Control(extended));
        m_script.m_dialogs.push_back(std::move(d));
    }

    ControlTemplate Control(bool extended) {
        const RcToken& keyword = Next();
        if (keyword.text != "CONTROL") {
            if (IsShortControlKeyword(keyword.text))
                throw ParseError(keyword.where + ": " + keyword.text +
                                 " is not read here; write the control as a CONTROL statement");
            throw ParseError(keyword.where + ": control statement expected, found '" + keyword.text + "'");
        }
        ControlTemplate c;
        if (Peek().kind == RcToken::String) c.text = Utf8ToCp1252(Next().text);
        else c.ordinal = Int();
        Expect(",");
        c.id = Int();
        Expect(",");
        const RcToken& cls = Next();
        if (cls.kind != RcToken::String && cls.kind != RcToken::Identifier)
            throw ParseError(cls.where + ": window class expected");
        c.className = CanonicalClass(cls.kind == RcToken::String ? Utf8ToCp1252(cls.text) : cls.text);
        Expect(",");
        c.style = Style(kWsChild | kWsVisible);
        Expect(",");
        c.x = Int();
        Expect(",");
        c.y = Int();
        Expect(",");
        c.cx = Int();
        Expect(",");
        c.cy = Int();
        if (AcceptPunct(",")) {
            c.exStyle = Style(0);
            if (extended && AcceptPunct(",")) c.helpId = static_cast<std::uint32_t>(Expression(false));
        }
        if (extended && AcceptBegin()) SkipBlock();  // creation data: nothing the model needs
        return c;
    }

    const std::vector<RcToken>& m_tokens;
    const RcLexer& m_lexer;
    ResourceScript& m_script;
    int m_depth;
    std::size_t m_pos = 0;
};

ResourceScript ResourceScript::Read(const std::string& path) {
    ResourceScript script;
    RcLexer lexer;
    std::vector<RcToken> tokens;
    lexer.Read(path, tokens);
    script.m_errors = lexer.errors;
    try {
        ResourceScriptParser(tokens, lexer, script).Run();
    } catch (const ParseError& e) {
        script.m_errors.push_back(e.what());
    }
    for (const auto& [name, replacement] : lexer.defines) {
        try {
            ResourceScriptParser parser(replacement, lexer, script);
            if (auto v = parser.SymbolValue(name)) script.m_defines[name] = *v;
        } catch (const ParseError&) {
            // Not a number; resources have no use for it.
        }
    }
    return script;
}

std::shared_ptr<const ResourceScript> ResourceScript::Program() {
#ifdef HV_RESOURCE_SCRIPT
    static const auto script = std::make_shared<const ResourceScript>(Read(HV_RESOURCE_SCRIPT));
#else
    static const auto script = std::make_shared<const ResourceScript>();
#endif
    return script;
}

const DialogTemplate* ResourceScript::Dialog(int id) const {
    for (const auto& d : m_dialogs)
        if (d.id == id) return &d;
    return nullptr;
}

std::optional<std::string> ResourceScript::String(int id) const {
    const auto it = m_strings.find(id);
    if (it == m_strings.end()) return std::nullopt;
    return it->second;
}

std::optional<long long> ResourceScript::Define(const std::string& name) const {
    const auto it = m_defines.find(name);
    if (it == m_defines.end()) return std::nullopt;
    return it->second;
}

}  // namespace hv::headless
