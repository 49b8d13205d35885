#pragma once

// Numbers as the program prints them: 9 significant digits, enough for every
// single-precision value to read back exactly.

#include <string>

#include <nlohmann/json.hpp>

#include "host/types.h"

namespace tintora_cli {

std::string FormatNumber(float value);
/// R,G,B
std::string FormatColor(const Color& color);
/// The value as a JSON number that prints with the same digits as FormatNumber.
nlohmann::json JsonNumber(float value);
nlohmann::json JsonColor(const Color& color);

}  // namespace tintora_cli
