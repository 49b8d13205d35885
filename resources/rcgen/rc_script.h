#pragma once

// The part of a Windows resource script that our modules use, as parsed by
// tintora_rcgen: dialog templates and bitmap resources.

#include <stdexcept>
#include <string>
#include <vector>

#include "host/types.h"

namespace rcgen {

/// A fault in the script, already carrying "file:line: " in its message.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Control {
    int id = -1;
    std::string className;  // standard classes upper-case
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string text;
    int imageId = 0;  // the control shows image `imageId` instead of a text
};

struct Dialog {
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    std::string fontName;
    int fontPointSize = 0;
    std::vector<Control> controls;
};

struct Bitmap {
    int id = 0;
    std::string file;  // as written in the script, relative to the script's folder
};

struct Script {
    std::vector<Dialog> dialogs;
    std::vector<Bitmap> bitmaps;
};

/// Parses `text`; `fileName` only names the script in error messages.
Script ParseScript(const std::string& text, const std::string& fileName);

}  // namespace rcgen
