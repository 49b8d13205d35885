#include "studio/qt/edit_path.h"

namespace studio::qt {
namespace {
constexpr RefMessage ChangeMessage = 80;
}

bool HoldsSubTexture(ReferenceTarget* parent, ReferenceTarget* map) {
    auto* texture = dynamic_cast<MtlBase*>(parent);
    if (!texture || !map) return false;
    for (int slot = 0; slot < texture->SubTexmapCount(); ++slot)
        if (texture->GetSubTexmap(slot) == map) return true;
    return false;
}

void EditPath::Reset(ReferenceTarget* root) {
    Truncate(0);
    if (root) Push(root);
}

void EditPath::Push(ReferenceTarget* map) {
    maps.push_back(nullptr);
    ReplaceReference(int(maps.size()) - 1, map);
}

void EditPath::Pop() {
    if (!maps.empty()) Truncate(maps.size() - 1);
}

bool EditPath::DropUnreachable() {
    for (std::size_t i = 1; i < maps.size(); ++i)
        if (!HoldsSubTexture(maps[i - 1], maps[i])) {
            Truncate(i);
            return true;
        }
    return false;
}

void EditPath::Truncate(std::size_t size) {
    while (maps.size() > size) {
        DeleteReference(int(maps.size()) - 1);
        maps.pop_back();
    }
}

void EditPath::SetReference(int i, RefTargetHandle target) {
    if (i >= 0 && std::size_t(i) < maps.size()) maps[std::size_t(i)] = target;
}

RefResult EditPath::OnReferenceMessage(Interval, RefTargetHandle, PartID&, RefMessage message) {
    if (message == ChangeMessage && changed) changed();
    return REF_SUCCEED;
}

}  // namespace studio::qt
