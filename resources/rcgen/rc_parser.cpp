// Parser for the resource-script statements our modules use.

#include <climits>
#include <optional>

#include "host/resources.h"
#include "resources/rcgen/rc_script.h"
#include "resources/rcgen/rc_symbols.h"
#include "resources/rcgen/rc_tokens.h"

namespace rcgen {
namespace {

namespace ws = window_style;

constexpr DWORD ChildVisible = ws::Child | ws::Visible;

// How a control statement other than CONTROL reads and what it defaults to.
struct StatementKind {
    const char* keyword;
    bool hasText;
    const char* className;
    DWORD defaultStyle;
};

constexpr StatementKind statementKinds[] = {
    {"PUSHBUTTON", true, "BUTTON", ws::PushButton | ws::TabStop},
    {"DEFPUSHBUTTON", true, "BUTTON", ws::DefPushButton | ws::TabStop},
    {"CHECKBOX", true, "BUTTON", ws::CheckBox | ws::TabStop},
    {"AUTOCHECKBOX", true, "BUTTON", ws::AutoCheckBox | ws::TabStop},
    {"GROUPBOX", true, "BUTTON", ws::GroupBox},
    {"LTEXT", true, "STATIC", ws::StaticLeft | ws::Group},
    {"RTEXT", true, "STATIC", ws::StaticRight | ws::Group},
    {"CTEXT", true, "STATIC", ws::StaticCenter | ws::Group},
    {"EDITTEXT", false, "EDIT", ws::Border | ws::TabStop},
    {"COMBOBOX", false, "COMBOBOX", 0x1 /* simple */ | ws::TabStop},
};

class Parser {
public:
    Parser(Tokens tokens, std::string file) : toks(std::move(tokens)), fileName(std::move(file)) {}

    Script Run() {
        Script script;
        while (Peek().kind != TokenKind::End) Resource(script);
        return script;
    }

private:
    Tokens toks;
    std::string fileName;
    std::size_t pos = 0;
    int expansionDepth = 0;

    const Token& Peek() const { return toks.tokens[pos]; }
    const Token& Next() {
        const Token& t = toks.tokens[pos];
        if (t.kind != TokenKind::End) ++pos;
        return t;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw ScriptError(fileName + ":" + std::to_string(Peek().line) + ": " + what);
    }
    static std::string Describe(const Token& t) {
        return t.kind == TokenKind::End ? "the end of the file" : "'" + t.text + "'";
    }

    bool IsName(const char* word) const { return Peek().kind == TokenKind::Name && Peek().text == word; }
    bool IsPunct(char c) const { return Peek().kind == TokenKind::Punct && Peek().text[0] == c; }
    void Expect(char c) {
        if (!IsPunct(c)) Fail(std::string("expected '") + c + "' but found " + Describe(Peek()));
        Next();
    }
    void ExpectName(const char* word) {
        if (!IsName(word)) Fail(std::string("expected ") + word + " but found " + Describe(Peek()));
        Next();
    }
    std::string String() {
        if (Peek().kind != TokenKind::String) Fail("expected a string but found " + Describe(Peek()));
        return Next().text;
    }

    // expr := term { '|' term }; term := ['NOT'] primary. NOT clears bits,
    // including bits the statement would set by default.
    struct Bits {
        long long set = 0;
        DWORD cleared = 0;
    };
    Bits Expression() {
        Bits bits;
        for (;;) {
            if (IsName("NOT")) {
                Next();
                bits.cleared |= DWORD(Primary());
            } else {
                bits.set |= Primary();
            }
            if (!IsPunct('|')) return bits;
            Next();
        }
    }
    long long Primary() {
        const Token& t = Next();
        if (t.kind == TokenKind::Number) return t.value;
        if (t.kind == TokenKind::Punct && t.text == "-") return -Primary();
        if (t.kind == TokenKind::Punct && t.text == "(") {
            const Bits inner = Expression();
            Expect(')');
            return inner.set & ~static_cast<long long>(inner.cleared);
        }
        if (t.kind == TokenKind::Name) return NameValue(t);
        --pos;
        Fail("expected a number or a name but found " + Describe(t));
    }
    long long NameValue(const Token& t) {
        if (const auto macro = toks.macros.find(t.text); macro != toks.macros.end()) {
            if (++expansionDepth > 32) Fail("macro '" + t.text + "' expands without end");
            Tokens body{TokenizeLine(macro->second, t.line, fileName), {}};
            body.tokens.push_back({TokenKind::End, "", 0, t.line});
            Parser inner(std::move(body), fileName);
            inner.toks.macros = toks.macros;
            inner.expansionDepth = expansionDepth;
            const Bits bits = inner.Expression();
            if (inner.Peek().kind != TokenKind::End) Fail("macro '" + t.text + "' is not a number");
            --expansionDepth;
            return bits.set & ~static_cast<long long>(bits.cleared);
        }
        if (const auto value = BuiltinSymbol(t.text)) return *value;
        --pos;
        Fail("unknown name '" + t.text + "'");
    }
    long long Number(long long low, long long high, const char* what) {
        const long long value = Primary();
        if (value < low || value > high) Fail(std::string(what) + " " + std::to_string(value) + " out of range");
        return value;
    }
    int Coordinate() { return int(Number(SHRT_MIN, SHRT_MAX, "coordinate")); }
    int ControlId() { return int(Number(-1, 0xFFFF, "control id")); }
    DWORD Style(DWORD defaults) {
        const Bits bits = Expression();
        return (defaults | DWORD(bits.set)) & ~bits.cleared;
    }
    void Rectangle(int& x, int& y, int& cx, int& cy) {
        x = Coordinate();
        Expect(',');
        y = Coordinate();
        Expect(',');
        cx = Coordinate();
        Expect(',');
        cy = Coordinate();
    }

    void Resource(Script& script) {
        if (IsName("LANGUAGE")) {  // one language only: nothing to keep
            Next();
            Primary();
            Expect(',');
            Primary();
            return;
        }
        const int id = int(Number(1, 0xFFFF, "resource id"));
        if (IsName("DIALOG") || IsName("DIALOGEX")) {
            script.dialogs.push_back(DialogResource(id, Next().text == "DIALOGEX"));
        } else if (IsName("BITMAP")) {
            Next();
            while (IsName("DISCARDABLE") || IsName("MOVEABLE") || IsName("PURE") || IsName("PRELOAD") ||
                   IsName("LOADONCALL") || IsName("FIXED") || IsName("IMPURE"))
                Next();
            script.bitmaps.push_back({id, String()});
        } else {
            Fail("unsupported resource type " + Describe(Peek()));
        }
    }

    Dialog DialogResource(int id, bool extended) {
        Dialog d;
        d.id = id;
        Rectangle(d.x, d.y, d.cx, d.cy);
        if (extended && IsPunct(',')) {  // help id
            Next();
            Primary();
        }
        std::optional<DWORD> style;
        while (!IsName("BEGIN") && !IsPunct('{')) {
            if (Peek().kind == TokenKind::End) Fail("dialog " + std::to_string(id) + " has no BEGIN");
            const std::string option = Next().text;
            if (option == "STYLE") style = Style(0);
            else if (option == "EXSTYLE") d.exStyle = Style(0);
            else if (option == "CAPTION") d.caption = String();
            else if (option == "FONT") Font(d);
            else if (option == "LANGUAGE") { Primary(); Expect(','); Primary(); }
            else { --pos; Fail("unsupported dialog option " + Describe(Peek())); }
        }
        Next();
        d.style = style.value_or(ws::Popup | ws::Border | 0x00080000 /* system menu */);
        if (!d.fontName.empty()) d.style |= ws::DialogSetFont;
        while (!IsName("END") && !IsPunct('}')) {
            if (Peek().kind == TokenKind::End) Fail("dialog " + std::to_string(id) + " has no END");
            d.controls.push_back(ControlStatement());
        }
        Next();
        return d;
    }

    void Font(Dialog& d) {
        d.fontPointSize = int(Number(1, 144, "font size"));
        Expect(',');
        d.fontName = String();
        while (IsPunct(',')) {  // DIALOGEX: weight, italic, character set
            Next();
            Primary();
        }
    }

    Control ControlStatement() {
        const Token& keyword = Peek();
        if (keyword.kind != TokenKind::Name) Fail("expected a control statement but found " + Describe(keyword));
        if (keyword.text == "CONTROL") {
            Next();
            return GenericControl();
        }
        for (const auto& kind : statementKinds) {
            if (keyword.text == kind.keyword) {
                Next();
                return ShortControl(kind);
            }
        }
        Fail("unsupported control statement " + Describe(keyword));
    }

    // CONTROL text, id, class, style, x, y, cx, cy [, exstyle]
    Control GenericControl() {
        Control c;
        if (Peek().kind == TokenKind::String) c.text = String();
        else c.imageId = int(Number(1, 0xFFFF, "image id"));
        Expect(',');
        c.id = ControlId();
        Expect(',');
        if (Peek().kind == TokenKind::String) c.className = CanonicalClassName(String());
        else if (Peek().kind == TokenKind::Name) c.className = CanonicalClassName(Next().text);
        else Fail("expected a class name but found " + Describe(Peek()));
        Expect(',');
        c.style = Style(ChildVisible);
        Expect(',');
        Rectangle(c.x, c.y, c.cx, c.cy);
        if (IsPunct(',')) {
            Next();
            c.exStyle = Style(0);
        }
        return c;
    }

    // KEYWORD [text,] id, x, y, cx, cy [, style [, exstyle]]
    Control ShortControl(const StatementKind& kind) {
        Control c;
        c.className = kind.className;
        if (kind.hasText) {
            c.text = String();
            Expect(',');
        }
        c.id = ControlId();
        Expect(',');
        Rectangle(c.x, c.y, c.cx, c.cy);
        c.style = ChildVisible | kind.defaultStyle;
        if (IsPunct(',')) {
            Next();
            c.style = Style(c.style);
            if (IsPunct(',')) {
                Next();
                c.exStyle = Style(0);
            }
        }
        return c;
    }
};

}  // namespace

Script ParseScript(const std::string& text, const std::string& fileName) {
    return Parser(Tokenize(text, fileName), fileName).Run();
}

}  // namespace rcgen
