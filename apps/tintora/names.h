#pragma once

// The names people type for the texture's parameters and slots, taken from
// the module's parameter table, and lookups that explain a wrong name.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora_cli {

/// The key of parameter i: its lower-case name without prefix ("hue_offset").
std::string ParamKey(int param);
/// The key of slot i, from its slot name without prefix ("Tora Sat Offset" -> "sat_offset").
std::string SlotKey(int slot);
std::vector<std::string> ParamKeys();
std::vector<std::string> SlotKeys();

/// The parameter called `name`; a UsageError naming the parameters otherwise.
int FindParam(std::string_view name);
/// The slot called `name`; a UsageError naming the slots otherwise.
int FindSlot(std::string_view name);

/// The candidate nearest to `name` when it looks like a slip of the keyboard
/// (a few letters off, or the start of exactly one candidate).
std::optional<std::string> NearestName(std::string_view name, const std::vector<std::string>& candidates);

/// `unknown <kind> "<name>" (did you mean "<near>"?); <kind>s: a, b, c`
std::string UnknownNameMessage(std::string_view kind, std::string_view name,
                               const std::vector<std::string>& candidates);

}  // namespace tintora_cli
