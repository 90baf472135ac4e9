#include "layouts/SurfaceHit.h"

#include <algorithm>

namespace quorvane {

const SurfaceItem* itemUnderPointer(std::span<const SurfaceItem> items, int x, int y) {
    for (const SurfaceItem& item : items) {
        if (!item.visible || (item.kind != ControlKind::Label && item.kind != ControlKind::Image)) continue;
        if (x >= item.left && x < item.right && y >= item.top && y < item.bottom) return &item;
    }
    return nullptr;
}

bool pressDragsWindow(std::span<const std::string> dragItems, std::span<const SurfaceItem> items, int x, int y) {
    const SurfaceItem* item = itemUnderPointer(items, x, y);
    return !item || std::find(dragItems.begin(), dragItems.end(), item->name) != dragItems.end();
}

}  // namespace quorvane
