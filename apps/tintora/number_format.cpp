#include "apps/tintora/number_format.h"

#include <cstdio>
#include <cstdlib>

namespace tintora_cli {

std::string FormatNumber(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

std::string FormatColor(const Color& color) {
    return FormatNumber(color.r) + "," + FormatNumber(color.g) + "," + FormatNumber(color.b);
}

nlohmann::json JsonNumber(float value) {
    // The double nearest the 9-digit text prints back as that text, whereas
    // the float widened to double would print up to 17 digits.
    return std::strtod(FormatNumber(value).c_str(), nullptr);
}

nlohmann::json JsonColor(const Color& color) {
    return nlohmann::json::array({JsonNumber(color.r), JsonNumber(color.g), JsonNumber(color.b)});
}

}  // namespace tintora_cli
