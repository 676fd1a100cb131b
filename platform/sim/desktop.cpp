#include "platform/sim/desktop.hpp"

#include <algorithm>

namespace quibor15::sim {

namespace {

int64_t IntersectionArea(const Rect& a, const Rect& b) {
    const int64_t width = static_cast<int64_t>(std::min(a.right, b.right)) - std::max(a.left, b.left);
    const int64_t height = static_cast<int64_t>(std::min(a.bottom, b.bottom)) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Gap between two rectangles along one axis, 0 when they overlap on it.
int64_t AxisGap(int32_t a_low, int32_t a_high, int32_t b_low, int32_t b_high) {
    if (a_high <= b_low) return static_cast<int64_t>(b_low) - a_high + 1;
    if (b_high <= a_low) return static_cast<int64_t>(a_low) - b_high + 1;
    return 0;
}

// Gaps reach 2^32, so their squares need more than 64 bits.
using Wide = __int128;

Wide SquaredDistance(const Rect& a, const Rect& b) {
    const Wide dx = AxisGap(a.left, a.right, b.left, b.right);
    const Wide dy = AxisGap(a.top, a.bottom, b.top, b.bottom);
    return dx * dx + dy * dy;
}

// A rectangle with no area still has a position: its top-left pixel.
Rect WithArea(const Rect& rect) {
    Rect r = rect;
    if (r.right <= r.left) r.right = r.left == INT32_MAX ? r.left : r.left + 1;
    if (r.bottom <= r.top) r.bottom = r.top == INT32_MAX ? r.top : r.top + 1;
    return r;
}

}  // namespace

Handle Desktop::AddMonitor(const Rect& rect, const Rect& work) {
    const int32_t index = next_index_++;
    const Handle handle =
        static_cast<Handle>((static_cast<uint32_t>(index) << 16) | static_cast<uint32_t>(2 * index - 1));
    monitors_.push_back(Monitor{handle, rect, work});
    return handle;
}

void Desktop::Clear() {
    monitors_.clear();
    next_index_ = 1;
}

const Desktop::Monitor* Desktop::Find(Handle handle) const {
    if (handle == 0) return nullptr;
    auto it = std::find_if(monitors_.begin(), monitors_.end(), [&](const Monitor& m) { return m.handle == handle; });
    return it == monitors_.end() ? nullptr : &*it;
}

const Desktop::Monitor* Desktop::Primary() const { return monitors_.empty() ? nullptr : &monitors_.front(); }

Rect Desktop::VirtualScreen() const {
    if (monitors_.empty()) return Rect{};
    Rect box = monitors_.front().rect;
    for (const Monitor& m : monitors_) {
        box.left = std::min(box.left, m.rect.left);
        box.top = std::min(box.top, m.rect.top);
        box.right = std::max(box.right, m.rect.right);
        box.bottom = std::max(box.bottom, m.rect.bottom);
    }
    return box;
}

Handle Desktop::FromRect(const Rect& rect, uint32_t flags) const {
    if (flags > kMonitorDefaultToNearest) return 0;
    const Rect probe = WithArea(rect);
    const Monitor* best = nullptr;
    int64_t best_area = 0;
    for (const Monitor& m : monitors_) {
        const int64_t area = IntersectionArea(probe, m.rect);
        if (area > best_area) {
            best = &m;
            best_area = area;
        }
    }
    if (best) return best->handle;
    if (flags == kMonitorDefaultToPrimary) return Primary() ? Primary()->handle : 0;
    if (flags == kMonitorDefaultToNearest) {
        const Monitor* nearest = nullptr;
        Wide nearest_distance = 0;
        for (const Monitor& m : monitors_) {
            const Wide distance = SquaredDistance(probe, m.rect);
            if (!nearest || distance < nearest_distance) {
                nearest = &m;
                nearest_distance = distance;
            }
        }
        return nearest ? nearest->handle : 0;
    }
    return 0;
}

Handle Desktop::FromNothing(uint32_t flags) const {
    if (flags == kMonitorDefaultToPrimary || flags == kMonitorDefaultToNearest) {
        return Primary() ? Primary()->handle : 0;
    }
    return 0;
}

}  // namespace quibor15::sim
