#pragma once
// The first stage of reading a resource script: the preprocessor (#define,
// #include "..." relative to the including file, #if/#ifdef/#else/#endif)
// and the tokens of what remains. As the resource compiler does, an included
// .h or .c file contributes its #define lines only.
#include <map>
#include <string>
#include <vector>

namespace hv::headless {

struct RcToken {
    enum Kind { Identifier, Number, String, Punct };
    Kind kind = Punct;
    std::string text;   // identifier name, number literal, punctuation, or
                        // the string's bytes with escapes resolved (UTF-8)
    std::string where;  // "file:line", for error messages
};

class RcLexer {
public:
    // Macros known so far, each as the tokens of its replacement.
    std::map<std::string, std::vector<RcToken>> defines;
    std::vector<std::string> errors;

    // Appends the tokens of the file at `path` (and of what it includes).
    void Read(const std::string& path, std::vector<RcToken>& out);

private:
    struct Conditional {
        bool active;       // the current branch is taken
        bool anyTaken;     // some branch of this #if was taken
        bool outerActive;  // the enclosing text is active
    };

    void ReadText(const std::string& text, const std::string& path, bool directivesOnly,
                  std::vector<RcToken>& out);
    void Directive(const std::string& line, const std::string& path, const std::string& where,
                   std::vector<Conditional>& conditions, std::vector<RcToken>& out);
    bool Evaluate(const std::string& expression, const std::string& where);
    int m_depth = 0;
};

// Tokens of one line of text; `where` is copied into each.
std::vector<RcToken> TokenizeLine(const std::string& text, const std::string& where,
                                  std::vector<std::string>& errors);

}  // namespace hv::headless
