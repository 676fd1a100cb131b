// Which monitor a window or a point is on, and centring a form on one.
// Every call asks the platform afresh; the monitor list is not used.
#include "monitors/monitors.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr Long kMonitorDefaultToPrimary = 1;

double ReadNumber(const ObjectRef& object, std::u16string_view name) { return VariantToDouble(LateGet(object, name)); }

// The forms runtime's `\`: the dividend rounded to a whole Long, halved
// toward zero.
Long HalfOf(double value) { return IntegerQuotient(ToLong(value), 2); }

void MoveTo(const ObjectRef& form, double left, double top) { LateCall(form, u"Move", {Variant(left), Variant(top)}); }

bool IsMissingEntryPoint(const AutomationError& e) { return e.Number() == rt::kDllEntryPointNotFound; }

}  // namespace

Long clsQuiborMonitorsA::GetMonitorFromWindow(Long& hWnd, Long& dwFlags) {
    try {
        return Windows().MonitorFromWindow(hWnd, static_cast<uint32_t>(dwFlags));
    } catch (const AutomationError& e) {
        return IsMissingEntryPoint(e) ? -1 : 0;
    }
}

clsQuiborMonitorsA::Lookup clsQuiborMonitorsA::LookupPoint(Long x, Long y, Long flags) {
    // A one-pixel rectangle; only this addition may fail to the caller.
    const Rect pixel{x, y, CheckedAdd(x, 1), CheckedAdd(y, 1)};
    try {
        return Lookup{Windows().MonitorFromRect(pixel, static_cast<uint32_t>(flags)), false};
    } catch (const AutomationError& e) {
        return Lookup{-1, IsMissingEntryPoint(e)};
    }
}

Long clsQuiborMonitorsA::GetMonitorFromXYPoint(Long& X, Long& y, Long& dwFlags) {
    return LookupPoint(X, y, dwFlags).handle;
}

Boolean clsQuiborMonitorsA::CenterFormOnMonitor(ObjectRef& FormToCenter, Variant& ReferenceForm) {
    const ObjectRef form = FormToCenter;
    try {
        Long monitor = 0;
        if (ReferenceForm.IsMissing()) {
            // The point (1, 1) lies on the primary monitor.
            monitor = LookupPoint(1, 1, kMonitorDefaultToPrimary).handle;
        } else {
            const ObjectRef reference = ReferenceForm.ObjectOrThrow();
            Long hwnd = VariantToLong(LateGet(reference, u"hWnd"));
            Long flags = kMonitorDefaultToPrimary;
            monitor = GetMonitorFromWindow(hwnd, flags);
        }
        if (monitor == 0) {
            CentreOnScreen(form);
        } else {
            CentreOnMonitor(form, monitor);
        }
    } catch (const AutomationError& e) {
        // Without the monitor functions the whole screen stands in for the
        // monitor; any other failure leaves the form where it was.
        if (IsMissingEntryPoint(e)) {
            try {
                CentreOnScreen(form);
            } catch (const AutomationError&) {
            }
        }
    }
    return kFalse;
}

void clsQuiborMonitorsA::CentreOnScreen(const ObjectRef& form) {
    const ObjectRef screen = Host().Screen();
    const double left = HalfOf(ReadNumber(screen, u"Width") - ReadNumber(form, u"Width"));
    const double top = HalfOf(ReadNumber(screen, u"Height") - ReadNumber(form, u"Height"));
    MoveTo(form, left, top);
}

bool clsQuiborMonitorsA::CentreOnMonitor(const ObjectRef& form, Handle monitor) {
    MonitorInfo info;
    info.cb_size = 40;
    if (Windows().GetMonitorInfoA(monitor, info) == 0) return false;
    const ObjectRef screen = Host().Screen();
    const double twips_x = ReadNumber(screen, u"TwipsPerPixelX");
    const double twips_y = ReadNumber(screen, u"TwipsPerPixelY");
    // The box is the work area's size placed at the monitor's own top-left
    // corner; nothing is clamped, so a form larger than the work area
    // starts left of or above the monitor.
    const Long work_width = ToLong(twips_x * CheckedSub(info.work.right, info.work.left));
    const Long work_height = ToLong(twips_y * CheckedSub(info.work.bottom, info.work.top));
    const double monitor_left = twips_x * info.monitor.left;
    const double monitor_top = twips_y * info.monitor.top;
    const double left = monitor_left + HalfOf(work_width - ReadNumber(form, u"Width"));
    const double top = monitor_top + HalfOf(work_height - ReadNumber(form, u"Height"));
    MoveTo(form, left, top);
    return true;
}

}  // namespace quibor15
