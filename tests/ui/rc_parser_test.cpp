// The resource-script reader: the statements and defaults it knows, and
// errors that name the line.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/resources.h"
#include "resources/rcgen/rc_emit.h"
#include "resources/rcgen/rc_script.h"

namespace {

namespace ws = window_style;
using rcgen::ParseScript;
using rcgen::ScriptError;

constexpr DWORD ChildVisible = ws::Child | ws::Visible;

rcgen::Control OnlyControl(const std::string& statement) {
    const auto script = ParseScript("1 DIALOG 0, 0, 10, 10\nBEGIN\n" + statement + "\nEND\n", "t.rc");
    EXPECT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs.at(0).controls.size(), 1u);
    return script.dialogs.at(0).controls.at(0);
}

TEST(RcParserTest, ShortStatementsGetTheirClassAndDefaultStyle) {
    const struct {
        const char* statement;
        const char* cls;
        DWORD style;
    } cases[] = {
        {"PUSHBUTTON \"Go\", 5, 1, 2, 3, 4", "BUTTON", ChildVisible | ws::TabStop | ws::PushButton},
        {"DEFPUSHBUTTON \"Go\", 5, 1, 2, 3, 4", "BUTTON", ChildVisible | ws::TabStop | ws::DefPushButton},
        {"AUTOCHECKBOX \"Go\", 5, 1, 2, 3, 4", "BUTTON", ChildVisible | ws::TabStop | ws::AutoCheckBox},
        {"GROUPBOX \"Go\", 5, 1, 2, 3, 4", "BUTTON", ChildVisible | ws::GroupBox},
        {"LTEXT \"Go\", 5, 1, 2, 3, 4", "STATIC", ChildVisible | ws::Group | ws::StaticLeft},
        {"RTEXT \"Go\", 5, 1, 2, 3, 4", "STATIC", ChildVisible | ws::Group | ws::StaticRight},
        {"CTEXT \"Go\", 5, 1, 2, 3, 4", "STATIC", ChildVisible | ws::Group | ws::StaticCenter},
        {"LTEXT \"Go\", 5, 1, 2, 3, 4, NOT WS_GROUP", "STATIC", ChildVisible | ws::StaticLeft},
        {"PUSHBUTTON \"Go\", 5, 1, 2, 3, 4, WS_DISABLED", "BUTTON",
         ChildVisible | ws::TabStop | ws::Disabled},
        {"COMBOBOX 5, 1, 2, 3, 4, CBS_DROPDOWNLIST | WS_VSCROLL", "COMBOBOX",
         ChildVisible | ws::TabStop | ws::ComboDropDownList | ws::VScroll},
        {"CONTROL \"Go\", 5, \"button\", BS_AUTOCHECKBOX, 1, 2, 3, 4", "BUTTON", ChildVisible | ws::AutoCheckBox},
        {"CONTROL \"Go\", 5, \"MyClass\", 0x10 | (WS_TABSTOP), 1, 2, 3, 4", "MyClass",
         ChildVisible | ws::TabStop | 0x10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statement);
        const auto control = OnlyControl(c.statement);
        EXPECT_EQ(control.className, c.cls);
        EXPECT_EQ(control.style, c.style);
        EXPECT_EQ(control.id, 5);
        EXPECT_EQ(control.x, 1);
        EXPECT_EQ(control.cy, 4);
    }
}

TEST(RcParserTest, StringsMacrosConditionsAndComments) {
    const auto script = ParseScript(
        "#include <windows.h>\n"
        "#define MY_ID 0x2A\n"
        "#ifndef IDC_STATIC\n#define IDC_STATIC (-1)\n#else\n#error never\n#endif\n"
        "/* a block\n comment */ 7 DIALOGEX 0, 0, 50, 60 // trailing\n"
        "STYLE WS_CHILD\nCAPTION \"Cap\"\nFONT 9, \"Tahoma\", 400, 0, 0x1\n"
        "{\n  LTEXT \"a\\tb \"\"q\"\" \\\\\", IDC_STATIC, 1, 2, 3, 4\n"
        "  CONTROL 107, MY_ID, \"Static\", SS_BITMAP, -5, 2, 3, 4\n}\n"
        "107 BITMAP DISCARDABLE \"pic.bmp\"\n",
        "t.rc");
    ASSERT_EQ(script.dialogs.size(), 1u);
    const auto& d = script.dialogs[0];
    EXPECT_EQ(d.id, 7);
    EXPECT_EQ(d.cy, 60);
    EXPECT_EQ(d.style, ws::Child | ws::DialogSetFont);
    EXPECT_EQ(d.caption, "Cap");
    EXPECT_EQ(d.fontName, "Tahoma");
    EXPECT_EQ(d.fontPointSize, 9);
    ASSERT_EQ(d.controls.size(), 2u);
    EXPECT_EQ(d.controls[0].text, "a\tb \"q\" \\");
    EXPECT_EQ(d.controls[0].id, -1);
    EXPECT_EQ(d.controls[1].id, 42);
    EXPECT_EQ(d.controls[1].imageId, 107);
    EXPECT_EQ(d.controls[1].text, "");
    EXPECT_EQ(d.controls[1].x, -5);
    EXPECT_EQ(d.controls[1].className, "STATIC");
    ASSERT_EQ(script.bitmaps.size(), 1u);
    EXPECT_EQ(script.bitmaps[0].id, 107);
    EXPECT_EQ(script.bitmaps[0].file, "pic.bmp");
}

TEST(RcParserTest, ErrorsNameTheFileAndLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"1 DIALOG 0,0,1,1\nSTYLE WS_CHLD\nBEGIN\nEND\n", "t.rc:2: unknown name 'WS_CHLD'"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n  LISTBOX 1,2,3,4,5\nEND\n", "t.rc:3: unsupported control statement 'LISTBOX'"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n  LTEXT \"open, 1,2,3,4\nEND\n", "t.rc:3: string not closed on its line"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n  LTEXT \"x\", 1, 2, 3, 4, 5\n", "t.rc:3: dialog 1 has no END"},
        {"1 DIALOG 0,0,1,1\nBEGIN\n  LTEXT \"x\", 70000, 2, 3, 4\nEND\n", "t.rc:3: control id 70000 out of range"},
        {"#ifdef A\n", "t.rc:1: #if without #endif at the end of the file"},
        {"#endif\n", "t.rc:1: #endif without #if"},
        {"#define LOOP LOOP\n1 DIALOG 0,0,1,LOOP\nBEGIN\nEND\n", "t.rc:2: macro 'LOOP' expands without end"},
        {"1 MENU\n", "t.rc:1: unsupported resource type 'MENU'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseScript(c.text, "t.rc");
            ADD_FAILURE() << "no error";
        } catch (const ScriptError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(RcEmitTest, RefusesDuplicateIdsAndMissingBitmaps) {
    std::ostringstream out;
    std::vector<std::filesystem::path> inputs;
    const auto twice = ParseScript("1 DIALOG 0,0,1,1\nBEGIN\nEND\n1 DIALOG 0,0,1,1\nBEGIN\nEND\n", "t.rc");
    EXPECT_THROW(rcgen::EmitSource(twice, ".", "t.rc", out, inputs), ScriptError);
    const auto missing = ParseScript("1 DIALOG 0,0,1,1\nBEGIN\nEND\n2 BITMAP \"no-such-file.bmp\"\n", "t.rc");
    EXPECT_THROW(rcgen::EmitSource(missing, "/nonexistent", "t.rc", out, inputs), ScriptError);
}

}  // namespace
