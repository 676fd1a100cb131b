#include "monitors/monitor.hpp"

#include "quibor15/convert.hpp"

namespace quibor15 {

void clsQuiborMonitorA::FillFromHandle(Handle monitor) {
    MonitorInfo info;
    info.cb_size = 40;
    try {
        // A failed call leaves the zeroed structure, and the record keeps
        // the handle with zero geometry.
        if (Windows().GetMonitorInfoA(monitor, info) == 0) info = MonitorInfo{};
    } catch (const AutomationError&) {
        info = MonitorInfo{};
    }
    handle_ = monitor;
    left_ = info.monitor.left;
    right_ = info.monitor.right;
    top_ = info.monitor.top;
    bottom_ = info.monitor.bottom;
    work_left_ = info.work.left;
    work_right_ = info.work.right;
    work_top_ = info.work.top;
    work_bottom_ = info.work.bottom;
    try {
        height_ = CheckedSub(info.monitor.bottom, info.monitor.top);
        width_ = CheckedSub(info.monitor.right, info.monitor.left);
    } catch (const AutomationError&) {
        // An impossible rectangle: the record keeps what was stored so far.
    }
}

}  // namespace quibor15
