#include "resources/rcgen/rc_tokens.h"

#include <cctype>
#include <sstream>

#include "resources/rcgen/rc_script.h"

namespace rcgen {
namespace {

[[noreturn]] void Fail(const std::string& file, int line, const std::string& what) {
    throw ScriptError(file + ":" + std::to_string(line) + ": " + what);
}

// Replaces comments by blanks, keeping line breaks so that line numbers hold.
std::string StripComments(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            out += c;
            if (c == '\\' && i + 1 < text.size()) out += text[++i];
            else if (c == '"' || c == '\n') inString = false;
        } else if (c == '"') {
            inString = true;
            out += c;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n') ++i;
            if (i < text.size()) out += '\n';
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            i += 2;
            while (i + 1 < text.size() && !(text[i] == '*' && text[i + 1] == '/')) {
                if (text[i] == '\n') out += '\n';
                ++i;
            }
            ++i;
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

char Escaped(char c) {
    switch (c) {
    case 'n': return '\n';
    case 't': return '\t';
    case 'r': return '\r';
    case 'a': return '\a';
    case '0': return '\0';
    default: return c;  // \\ and \" and anything else stand for themselves
    }
}

std::string ReadString(const std::string& text, std::size_t& i, int line, const std::string& file) {
    std::string value;
    ++i;  // opening quote
    for (;;) {
        if (i >= text.size()) Fail(file, line, "string not closed on its line");
        const char c = text[i++];
        if (c == '"') {
            if (i < text.size() && text[i] == '"') {  // "" stands for one quote
                value += '"';
                ++i;
                continue;
            }
            return value;
        }
        if (c == '\\' && i < text.size()) value += Escaped(text[i++]);
        else value += c;
    }
}

Token ReadNumber(const std::string& text, std::size_t& i, int line, const std::string& file) {
    const std::size_t start = i;
    const bool hex = text.compare(i, 2, "0x") == 0 || text.compare(i, 2, "0X") == 0;
    if (hex) i += 2;
    while (i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i]))) {
        if (!hex && !std::isdigit(static_cast<unsigned char>(text[i]))) break;
        ++i;
    }
    const std::string digits = text.substr(start, i - start);
    while (i < text.size() && (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u')) ++i;
    if (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
        Fail(file, line, "malformed number '" + digits + text[i] + "'");
    Token t{TokenKind::Number, digits, 0, line};
    try {
        t.value = std::stoll(digits, nullptr, hex ? 16 : 10);
    } catch (const std::exception&) {
        Fail(file, line, "number '" + digits + "' out of range");
    }
    return t;
}

void AppendLineTokens(const std::string& text, int line, const std::string& file,
                      std::vector<Token>& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isspace(c)) {
            ++i;
        } else if (c == '"') {
            out.push_back({TokenKind::String, ReadString(text, i, line, file), 0, line});
        } else if (std::isdigit(c)) {
            out.push_back(ReadNumber(text, i, line, file));
        } else if (std::isalpha(c) || c == '_') {
            const std::size_t start = i;
            while (i < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                ++i;
            out.push_back({TokenKind::Name, text.substr(start, i - start), 0, line});
        } else if (c == ',' || c == '|' || c == '(' || c == ')' || c == '-' || c == '{' ||
                   c == '}') {
            out.push_back({TokenKind::Punct, std::string(1, char(c)), 0, line});
            ++i;
        } else {
            Fail(file, line, std::string("unexpected character '") + char(c) + "'");
        }
    }
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The state of #ifdef/#ifndef/#else/#endif nesting.
class Conditions {
public:
    bool Active() const {
        for (const auto& level : levels)
            if (!level.taking) return false;
        return true;
    }
    void Open(bool taking) { levels.push_back({taking, false}); }
    void Else(const std::string& file, int line) {
        if (levels.empty() || levels.back().sawElse) Fail(file, line, "#else without #if");
        levels.back().taking = !levels.back().taking;
        levels.back().sawElse = true;
    }
    void Close(const std::string& file, int line) {
        if (levels.empty()) Fail(file, line, "#endif without #if");
        levels.pop_back();
    }
    bool Open() const { return !levels.empty(); }

private:
    struct Level {
        bool taking;
        bool sawElse;
    };
    std::vector<Level> levels;
};

void Directive(const std::string& body, int line, const std::string& file, Conditions& cond,
               std::map<std::string, std::string>& macros) {
    std::istringstream in(body);
    std::string word, name;
    in >> word >> name;
    if (word == "ifdef" || word == "ifndef") {
        if (name.empty()) Fail(file, line, "#" + word + " needs a name");
        const bool defined = macros.count(name) != 0;
        cond.Open(word == "ifdef" ? defined : !defined);
    } else if (word == "else") {
        cond.Else(file, line);
    } else if (word == "endif") {
        cond.Close(file, line);
    } else if (!cond.Active() || word == "include" || word == "pragma") {
        // Skipped text, or directives with nothing for us: the symbolic
        // names that headers would give are built in.
    } else if (word == "define") {
        if (name.empty()) Fail(file, line, "#define needs a name");
        std::string rest;
        std::getline(in, rest);
        macros[name] = Trim(rest);
    } else if (word == "undef") {
        macros.erase(name);
    } else {
        Fail(file, line, "unsupported directive #" + word);
    }
}

}  // namespace

std::vector<Token> TokenizeLine(const std::string& text, int line, const std::string& fileName) {
    std::vector<Token> out;
    AppendLineTokens(text, line, fileName, out);
    return out;
}

Tokens Tokenize(const std::string& text, const std::string& fileName) {
    Tokens result;
    Conditions cond;
    std::istringstream lines(StripComments(text));
    std::string lineText;
    int line = 0;
    while (std::getline(lines, lineText)) {
        ++line;
        const std::string trimmed = Trim(lineText);
        if (!trimmed.empty() && trimmed[0] == '#')
            Directive(trimmed.substr(1), line, fileName, cond, result.macros);
        else if (cond.Active())
            AppendLineTokens(lineText, line, fileName, result.tokens);
    }
    if (cond.Open()) Fail(fileName, line, "#if without #endif at the end of the file");
    result.tokens.push_back({TokenKind::End, "", 0, line});
    return result;
}

}  // namespace rcgen
