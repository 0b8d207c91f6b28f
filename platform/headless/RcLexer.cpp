#include "platform/headless/RcLexer.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace hv::headless {
namespace {

constexpr int kMaxIncludeDepth = 16;

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::uint32_t HexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    return static_cast<std::uint32_t>(std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | ((c >> 12) & 0x0F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Replaces comments by blanks, keeping line breaks and string literals, so
// that line numbers stay right.
std::string StripComments(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            out += c;
            ++i;
            while (i < text.size() && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
                    out += text.substr(i, 2);
                    i += 2;
                    continue;
                }
                out += text[i];
                if (text[i++] == '"') {
                    if (i < text.size() && text[i] == '"') {  // "" inside a string
                        out += text[i++];
                        continue;
                    }
                    break;
                }
            }
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            i += 2;
            out += ' ';
            while (i < text.size() && !(text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/')) {
                if (text[i] == '\n') out += '\n';
                ++i;
            }
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsHeaderOrSource(const std::string& path) {
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos) return false;
    std::string ext = path.substr(dot + 1);
    for (auto& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext == "h" || ext == "hpp" || ext == "c";
}

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

// A tiny evaluator for the conditions of #if and #elif.
class ConditionParser {
public:
    ConditionParser(const std::vector<RcToken>& tokens, const std::map<std::string, std::vector<RcToken>>& defines)
        : m_tokens(tokens), m_defines(defines) {}
    long long Parse() { return Or(); }

private:
    bool Peek(const char* a, const char* b = nullptr) const {
        if (m_pos >= m_tokens.size() || m_tokens[m_pos].text != a) return false;
        if (!b) return true;
        return m_pos + 1 < m_tokens.size() && m_tokens[m_pos + 1].text == b;
    }
    long long Or() {
        long long v = And();
        while (Peek("|", "|")) {
            m_pos += 2;
            const long long r = And();
            v = (v || r) ? 1 : 0;
        }
        return v;
    }
    long long And() {
        long long v = Compare();
        while (Peek("&", "&")) {
            m_pos += 2;
            const long long r = Compare();
            v = (v && r) ? 1 : 0;
        }
        return v;
    }
    long long Compare() {
        long long v = Unary();
        for (;;) {
            if (Peek("=", "=")) {
                m_pos += 2;
                v = v == Unary();
            } else if (Peek("!", "=")) {
                m_pos += 2;
                v = v != Unary();
            } else if (Peek(">", "=")) {
                m_pos += 2;
                v = v >= Unary();
            } else if (Peek("<", "=")) {
                m_pos += 2;
                v = v <= Unary();
            } else if (Peek(">")) {
                ++m_pos;
                v = v > Unary();
            } else if (Peek("<")) {
                ++m_pos;
                v = v < Unary();
            } else {
                return v;
            }
        }
    }
    long long Unary() {
        if (Peek("!")) {
            ++m_pos;
            return !Unary();
        }
        if (Peek("-")) {
            ++m_pos;
            return -Unary();
        }
        return Primary();
    }
    long long Primary() {
        if (m_pos >= m_tokens.size()) return 0;
        const RcToken& t = m_tokens[m_pos++];
        if (t.text == "(") {
            const long long v = Or();
            if (Peek(")")) ++m_pos;
            return v;
        }
        if (t.kind == RcToken::Number) return std::strtoll(t.text.c_str(), nullptr, 0);
        if (t.kind == RcToken::Identifier) {
            if (t.text == "defined") {
                const bool paren = Peek("(");
                if (paren) ++m_pos;
                bool known = false;
                if (m_pos < m_tokens.size()) known = m_defines.count(m_tokens[m_pos++].text) != 0;
                if (paren && Peek(")")) ++m_pos;
                return known ? 1 : 0;
            }
            const auto it = m_defines.find(t.text);
            if (it != m_defines.end() && it->second.size() == 1 && it->second[0].kind == RcToken::Number)
                return std::strtoll(it->second[0].text.c_str(), nullptr, 0);
        }
        return 0;
    }

    const std::vector<RcToken>& m_tokens;
    const std::map<std::string, std::vector<RcToken>>& m_defines;
    std::size_t m_pos = 0;
};

}  // namespace

std::vector<RcToken> TokenizeLine(const std::string& text, const std::string& where,
                                  std::vector<std::string>& errors) {
    std::vector<RcToken> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        RcToken t;
        t.where = where;
        const bool wide = (c == 'L' && i + 1 < text.size() && text[i + 1] == '"');
        if (c == '"' || wide) {
            t.kind = RcToken::String;
            i += wide ? 2 : 1;
            bool closed = false;
            while (i < text.size()) {
                const char d = text[i];
                if (d == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        t.text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (d == '\\' && i + 1 < text.size()) {
                    const char e = text[i + 1];
                    i += 2;
                    switch (e) {
                        case 'n': t.text += '\n'; break;
                        case 't': t.text += '\t'; break;
                        case 'r': t.text += '\r'; break;
                        case 'a': t.text += '\a'; break;
                        case '\\': t.text += '\\'; break;
                        case '"': t.text += '"'; break;
                        case 'x': {
                            std::uint32_t v = 0;
                            int digits = 0;
                            while (i < text.size() && digits < 4 && std::isxdigit(static_cast<unsigned char>(text[i]))) {
                                v = v * 16 + HexDigit(text[i]);
                                ++i;
                                ++digits;
                            }
                            AppendUtf8(t.text, v);
                            break;
                        }
                        default:
                            if (e >= '0' && e <= '7') {
                                std::uint32_t v = static_cast<std::uint32_t>(e - '0');
                                int digits = 1;
                                while (i < text.size() && digits < 3 && text[i] >= '0' && text[i] <= '7') {
                                    v = v * 8 + static_cast<std::uint32_t>(text[i++] - '0');
                                    ++digits;
                                }
                                AppendUtf8(t.text, v);
                            } else {
                                t.text += '\\';
                                t.text += e;
                            }
                    }
                    continue;
                }
                t.text += d;
                ++i;
            }
            if (!closed) errors.push_back(where + ": string not closed");
        } else if (IsIdentStart(c)) {
            t.kind = RcToken::Identifier;
            while (i < text.size() && IsIdentChar(text[i])) t.text += text[i++];
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            t.kind = RcToken::Number;
            while (i < text.size() && IsIdentChar(text[i])) t.text += text[i++];
        } else {
            t.kind = RcToken::Punct;
            t.text = std::string(1, c);
            ++i;
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

void RcLexer::Read(const std::string& path, std::vector<RcToken>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back(path + ": cannot be read");
        return;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    std::string text = buffer.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    if (defines.count("RC_INVOKED") == 0) defines["RC_INVOKED"] = {RcToken{RcToken::Number, "1", ""}};
    ++m_depth;
    ReadText(text, path, IsHeaderOrSource(path), out);
    --m_depth;
}

void RcLexer::ReadText(const std::string& raw, const std::string& path, bool directivesOnly,
                       std::vector<RcToken>& out) {
    const std::string text = StripComments(raw);
    std::vector<Conditional> conditions;
    std::size_t pos = 0;
    int lineNo = 0;
    while (pos < text.size()) {
        // One logical line: backslash-newline continues it.
        std::string line;
        const int firstLine = ++lineNo;
        for (;;) {
            const auto end = text.find('\n', pos);
            std::string piece = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            pos = end == std::string::npos ? text.size() : end + 1;
            if (!piece.empty() && piece.back() == '\r') piece.pop_back();
            if (!piece.empty() && piece.back() == '\\' && pos < text.size()) {
                piece.pop_back();
                line += piece;
                ++lineNo;
                continue;
            }
            line += piece;
            break;
        }
        const std::string where = path + ":" + std::to_string(firstLine);
        const std::string trimmed = Trim(line);
        const bool active = conditions.empty() || conditions.back().active;
        if (!trimmed.empty() && trimmed[0] == '#') {
            Directive(Trim(trimmed.substr(1)), path, where, conditions, out);
            continue;
        }
        if (!active || directivesOnly || trimmed.empty()) continue;
        auto tokens = TokenizeLine(line, where, errors);
        out.insert(out.end(), tokens.begin(), tokens.end());
    }
    if (!conditions.empty()) errors.push_back(path + ": #if without #endif");
}

void RcLexer::Directive(const std::string& line, const std::string& path, const std::string& where,
                        std::vector<Conditional>& conditions, std::vector<RcToken>& out) {
    std::size_t nameEnd = 0;
    while (nameEnd < line.size() && IsIdentChar(line[nameEnd])) ++nameEnd;
    const std::string name = line.substr(0, nameEnd);
    const std::string rest = Trim(line.substr(nameEnd));
    const bool active = conditions.empty() || conditions.back().active;

    if (name == "if" || name == "ifdef" || name == "ifndef") {
        bool taken = false;
        if (active) {
            if (name == "if") taken = Evaluate(rest, where);
            else taken = (defines.count(rest) != 0) == (name == "ifdef");
        }
        conditions.push_back({active && taken, taken, active});
        return;
    }
    if (name == "elif" || name == "else") {
        if (conditions.empty()) {
            errors.push_back(where + ": #" + name + " without #if");
            return;
        }
        Conditional& c = conditions.back();
        const bool taken = c.outerActive && !c.anyTaken && (name == "else" || Evaluate(rest, where));
        c.active = taken;
        c.anyTaken = c.anyTaken || taken;
        return;
    }
    if (name == "endif") {
        if (conditions.empty()) errors.push_back(where + ": #endif without #if");
        else conditions.pop_back();
        return;
    }
    if (!active) return;

    if (name == "define") {
        std::size_t i = 0;
        while (i < rest.size() && IsIdentChar(rest[i])) ++i;
        const std::string macro = rest.substr(0, i);
        if (macro.empty()) {
            errors.push_back(where + ": #define without a name");
            return;
        }
        if (i < rest.size() && rest[i] == '(') return;  // function-like: not used by resources
        defines[macro] = TokenizeLine(rest.substr(i), where, errors);
    } else if (name == "undef") {
        defines.erase(rest);
    } else if (name == "include") {
        if (rest.size() < 2 || rest.front() != '"') return;  // <system> headers: the symbols are built in
        const auto close = rest.find('"', 1);
        if (close == std::string::npos) {
            errors.push_back(where + ": bad #include");
            return;
        }
        const std::string file = rest.substr(1, close - 1);
        if (m_depth >= kMaxIncludeDepth) {
            errors.push_back(where + ": #include nested too deeply");
            return;
        }
        Read(DirectoryOf(path) + file, out);
    } else if (name == "error") {
        errors.push_back(where + ": #error " + rest);
    }
    // #pragma code_page and the like need nothing: the script is UTF-8.
}

bool RcLexer::Evaluate(const std::string& expression, const std::string& where) {
    const auto tokens = TokenizeLine(expression, where, errors);
    return ConditionParser(tokens, defines).Parse() != 0;
}

}  // namespace hv::headless
