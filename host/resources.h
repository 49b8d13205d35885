#pragma once

// A module's resources as data: dialog templates and images. On Windows the
// resource compiler puts them into the DLL; elsewhere the build derives the
// same records from the module's resource script and the module exports
// them under the symbol named by MODULE_RESOURCES_SYMBOL, where the host's
// dialog layer finds them through the module's instance handle.

#include <cstddef>

#include "host/types.h"

/// Window style bits carried by the templates, with the values the
/// resource script's symbolic names stand for.
namespace window_style {
constexpr DWORD Popup = 0x80000000;
constexpr DWORD Child = 0x40000000;
constexpr DWORD Visible = 0x10000000;
constexpr DWORD Disabled = 0x08000000;
constexpr DWORD Border = 0x00800000;
constexpr DWORD Caption = 0x00C00000;
constexpr DWORD VScroll = 0x00200000;
constexpr DWORD HScroll = 0x00100000;
constexpr DWORD Group = 0x00020000;
constexpr DWORD TabStop = 0x00010000;

// Dialog styles.
constexpr DWORD DialogSetFont = 0x40;
constexpr DWORD DialogControl = 0x400;

// Button kinds: the low four bits of a BUTTON's style.
constexpr DWORD ButtonKindMask = 0x0F;
constexpr DWORD PushButton = 0x0;
constexpr DWORD DefPushButton = 0x1;
constexpr DWORD CheckBox = 0x2;
constexpr DWORD AutoCheckBox = 0x3;
constexpr DWORD RadioButton = 0x4;
constexpr DWORD AutoRadioButton = 0x9;
constexpr DWORD GroupBox = 0x7;

// Combo box kinds: the low two bits of a COMBOBOX's style.
constexpr DWORD ComboKindMask = 0x3;
constexpr DWORD ComboDropDown = 0x2;
constexpr DWORD ComboDropDownList = 0x3;

// Static kinds: the low five bits of a STATIC's style.
constexpr DWORD StaticKindMask = 0x1F;
constexpr DWORD StaticLeft = 0x0;
constexpr DWORD StaticCenter = 0x1;
constexpr DWORD StaticRight = 0x2;
constexpr DWORD StaticBitmap = 0xE;
constexpr DWORD StaticEtchedHorz = 0x10;
}  // namespace window_style

/// One control of a dialog template. Positions and sizes are dialog units.
struct ResourceControl {
    int id;                 ///< -1 for controls that are never addressed
    const char* className;  ///< standard classes upper-case: "BUTTON", "COMBOBOX", "STATIC", "EDIT"
    DWORD style;            ///< full style, including Child and Visible
    DWORD exStyle;
    short x, y, cx, cy;
    const char* text;       ///< never null; empty when the control shows an image
    int imageId;            ///< image resource the control shows, 0 for none
};

/// A dialog template: the dialog's frame and its controls in creation order.
struct ResourceDialog {
    int id;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    const char* caption;    ///< never null
    const char* fontName;   ///< never null; empty without a FONT statement
    int fontPointSize;      ///< 0 without a FONT statement
    const ResourceControl* controls;
    int controlCount;
};

/// An image resource: the complete bytes of a .bmp file.
struct ResourceImage {
    int id;
    const unsigned char* bytes;
    std::size_t size;
};

/// Everything a module carries. `version` is MODULE_RESOURCES_VERSION.
struct ResourceTable {
    int version;
    const ResourceDialog* dialogs;
    int dialogCount;
    const ResourceImage* images;
    int imageCount;
};

constexpr int MODULE_RESOURCES_VERSION = 1;
/// The exported (extern "C") name of a module's `const ResourceTable`.
#define MODULE_RESOURCES_SYMBOL "ModuleResources"
