// The virtual desktop: the monitors, their rectangles and work areas, and
// the lookups of the multi-monitor functions. Coordinates are pixels with
// right and bottom exclusive; the first monitor added is the primary one.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "quibor15/windows_services.hpp"

namespace quibor15::sim {

inline constexpr uint32_t kMonitorDefaultToNull = 0;
inline constexpr uint32_t kMonitorDefaultToPrimary = 1;
inline constexpr uint32_t kMonitorDefaultToNearest = 2;
inline constexpr uint32_t kMonitorInfoPrimary = 1;  // MONITORINFOF_PRIMARY

class Desktop {
public:
    struct Monitor {
        Handle handle;
        Rect rect;
        Rect work;
    };

    // Adds a monitor; handles run 0x00010001, 0x00020003, 0x00030005, ...
    Handle AddMonitor(const Rect& rect, const Rect& work);
    // Removes every monitor; the next one added is the primary one and gets
    // the first handle again.
    void Clear();

    const std::vector<Monitor>& Monitors() const noexcept { return monitors_; }
    const Monitor* Find(Handle handle) const;
    const Monitor* Primary() const;
    // Bounding rectangle of all monitors (all zero without monitors).
    Rect VirtualScreen() const;

    // MonitorFromRect: the monitor with the largest intersection (the
    // earlier one on a tie); otherwise by flags: 0 none, 1 the primary,
    // 2 the nearest (smallest distance between the rectangles, the earlier
    // one on a tie). Other flags give none. An empty rectangle counts as
    // the point at its top-left corner.
    Handle FromRect(const Rect& rect, uint32_t flags) const;
    // The lookup for a window whose rectangle is unknown: nothing matches,
    // so 0 for flags 0 and the primary monitor for flags 1 and 2.
    Handle FromNothing(uint32_t flags) const;

private:
    std::vector<Monitor> monitors_;
    int32_t next_index_ = 1;
};

}  // namespace quibor15::sim
