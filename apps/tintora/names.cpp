#include "apps/tintora/names.h"

#include <algorithm>
#include <cctype>

#include "apps/tintora/errors.h"
#include "texture/param_table.h"

namespace tintora_cli {

namespace {

constexpr std::string_view kSlotPrefix = "Tora ";

// Edits between two names: insertions, deletions, substitutions and swaps of
// neighbouring letters, each counting one (optimal string alignment).
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i)
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

int IndexOf(std::string_view name, const std::vector<std::string>& names) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : int(found - names.begin());
}

}  // namespace

std::string ParamKey(int param) { return TintoraParams[param].key; }

std::string SlotKey(int slot) {
    std::string_view name = TintoraSlotName(slot);
    if (name.starts_with(kSlotPrefix)) name.remove_prefix(kSlotPrefix.size());
    std::string key;
    for (const char c : name) key += c == ' ' ? '_' : char(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

std::vector<std::string> ParamKeys() {
    std::vector<std::string> keys;
    for (int i = 0; i < TINTORA_NUM_PARAMS; ++i) keys.push_back(ParamKey(i));
    return keys;
}

std::vector<std::string> SlotKeys() {
    std::vector<std::string> keys;
    for (int i = 0; i < TINTORA_NUM_SLOTS; ++i) keys.push_back(SlotKey(i));
    return keys;
}

int FindParam(std::string_view name) {
    const std::vector<std::string> keys = ParamKeys();
    const int index = IndexOf(name, keys);
    if (index < 0) throw UsageError(UnknownNameMessage("parameter", name, keys));
    return index;
}

int FindSlot(std::string_view name) {
    const std::vector<std::string> keys = SlotKeys();
    const int index = IndexOf(name, keys);
    if (index < 0) throw UsageError(UnknownNameMessage("slot", name, keys));
    return index;
}

std::optional<std::string> NearestName(std::string_view name, const std::vector<std::string>& candidates) {
    if (name.empty()) return std::nullopt;
    std::string lower;
    for (const char c : name) lower += char(std::tolower(static_cast<unsigned char>(c)));
    const std::size_t allowed = std::max<std::size_t>(1, lower.size() / 3);
    std::optional<std::string> best;
    std::size_t bestDistance = allowed + 1;
    for (const std::string& candidate : candidates) {
        const std::size_t distance = EditDistance(lower, candidate);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    if (best) return best;
    // A unique abbreviation ("bright" for "brightness") is a near miss too.
    std::vector<std::string> starts;
    for (const std::string& candidate : candidates)
        if (candidate.starts_with(lower)) starts.push_back(candidate);
    if (starts.size() == 1) return starts.front();
    return std::nullopt;
}

std::string UnknownNameMessage(std::string_view kind, std::string_view name,
                               const std::vector<std::string>& candidates) {
    std::string message = "unknown " + std::string(kind) + " \"" + std::string(name) + "\"";
    if (const auto near = NearestName(name, candidates)) message += " (did you mean \"" + *near + "\"?)";
    return message + "; " + std::string(kind) + "s: " + Joined(candidates);
}

}  // namespace tintora_cli
