#pragma once

// Preprocessing and tokenising of a resource script.

#include <map>
#include <string>
#include <vector>

namespace rcgen {

enum class TokenKind { Name, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;    // name, punctuation, or the string's value with escapes resolved
    long long value = 0; // for numbers
    int line = 0;
};

struct Tokens {
    std::vector<Token> tokens;                 // ends with one End token
    std::map<std::string, std::string> macros; // #define NAME body
};

/// Strips comments, runs the conditional directives and #define, skips
/// #include and #pragma (the symbolic style names are built in), and splits
/// the remaining text into tokens.
Tokens Tokenize(const std::string& text, const std::string& fileName);

/// Splits a macro body into tokens (no directives).
std::vector<Token> TokenizeLine(const std::string& text, int line, const std::string& fileName);

}  // namespace rcgen
