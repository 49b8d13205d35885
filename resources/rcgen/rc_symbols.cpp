#include "resources/rcgen/rc_symbols.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <string_view>

#include "host/resources.h"

namespace rcgen {

std::optional<DWORD> BuiltinSymbol(const std::string& name) {
    namespace ws = window_style;
    static const std::map<std::string, DWORD, std::less<>> symbols = {
        {"WS_POPUP", ws::Popup},
        {"WS_CHILD", ws::Child},
        {"WS_VISIBLE", ws::Visible},
        {"WS_DISABLED", ws::Disabled},
        {"WS_BORDER", ws::Border},
        {"WS_CAPTION", ws::Caption},
        {"WS_VSCROLL", ws::VScroll},
        {"WS_HSCROLL", ws::HScroll},
        {"WS_GROUP", ws::Group},
        {"WS_TABSTOP", ws::TabStop},
        {"WS_SYSMENU", 0x00080000},
        {"DS_SETFONT", ws::DialogSetFont},
        {"DS_CONTROL", ws::DialogControl},
        {"DS_3DLOOK", 0x4},
        {"DS_FIXEDSYS", 0x8},
        {"BS_PUSHBUTTON", ws::PushButton},
        {"BS_DEFPUSHBUTTON", ws::DefPushButton},
        {"BS_CHECKBOX", ws::CheckBox},
        {"BS_AUTOCHECKBOX", ws::AutoCheckBox},
        {"BS_RADIOBUTTON", ws::RadioButton},
        {"BS_AUTORADIOBUTTON", ws::AutoRadioButton},
        {"BS_GROUPBOX", ws::GroupBox},
        {"CBS_SIMPLE", 0x1},
        {"CBS_DROPDOWN", ws::ComboDropDown},
        {"CBS_DROPDOWNLIST", ws::ComboDropDownList},
        {"CBS_SORT", 0x100},
        {"CBS_HASSTRINGS", 0x200},
        {"SS_LEFT", ws::StaticLeft},
        {"SS_CENTER", ws::StaticCenter},
        {"SS_RIGHT", ws::StaticRight},
        {"SS_BITMAP", ws::StaticBitmap},
        {"SS_ETCHEDHORZ", ws::StaticEtchedHorz},
        {"SS_NOTIFY", 0x100},
        {"SS_SUNKEN", 0x1000},
        {"ES_LEFT", 0x0},
        {"ES_AUTOHSCROLL", 0x80},
    };
    const auto found = symbols.find(name);
    if (found == symbols.end()) return std::nullopt;
    return found->second;
}

std::string CanonicalClassName(const std::string& name) {
    static constexpr std::array<std::string_view, 6> standard = {
        "BUTTON", "COMBOBOX", "STATIC", "EDIT", "LISTBOX", "SCROLLBAR"};
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    for (const auto standardName : standard)
        if (upper == standardName) return upper;
    return name;
}

}  // namespace rcgen
