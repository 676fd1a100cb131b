#include "monitors/monitors.hpp"

#include "monitors/monitor.hpp"
#include "monitors/monitor_dialog.hpp"
#include "quibor15/collection.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr int32_t kSmXVirtualScreen = 0x4C;
constexpr int32_t kSmYVirtualScreen = 0x4D;
constexpr int32_t kSmCxVirtualScreen = 0x4E;
constexpr int32_t kSmCyVirtualScreen = 0x4F;
constexpr int32_t kSmCMonitors = 0x50;

// The grid the scan samples: one point in the middle of each cell.
constexpr Long kCellWidth = 640;
constexpr Long kCellHeight = 480;
constexpr Long kMonitorDefaultToNull = 0;

double ScreenValue(HostRuntime& host, std::u16string_view name) {
    return VariantToDouble(LateGet(host.Screen(), name));
}

}  // namespace

clsQuiborMonitorsA::clsQuiborMonitorsA(ContextPtr context) : _clsQuiborMonitorsA(std::move(context)) { Refresh(); }

// --- the list

ObjectRef clsQuiborMonitorsA::get_Monitors() {
    // An assigned list is given back as it is, whichever runtime made it.
    if (!monitors_) monitors_ = ObjectRef(Collection::Create());
    return monitors_;
}

void clsQuiborMonitorsA::set_Monitors(ObjectRef value) { monitors_ = std::move(value); }

Ref<Collection> clsQuiborMonitorsA::EnsureMonitors() {
    if (!monitors_) monitors_ = ObjectRef(Collection::Create());
    return RefCast<Collection>(monitors_);
}

// --- desktop metrics

bool clsQuiborMonitorsA::ReportsMonitors() { return Windows().GetSystemMetrics(kSmCMonitors) != 0; }

Long clsQuiborMonitorsA::ScreenWidthPixels() {
    const double width = ScreenValue(Host(), u"Width");
    const double twips_per_pixel = ScreenValue(Host(), u"TwipsPerPixelX");
    return IntegerQuotient(width, twips_per_pixel);
}

Long clsQuiborMonitorsA::ScreenHeightPixels() {
    const double height = ScreenValue(Host(), u"Height");
    const double twips_per_pixel = ScreenValue(Host(), u"TwipsPerPixelY");
    return IntegerQuotient(height, twips_per_pixel);
}

Long clsQuiborMonitorsA::get_DesktopLeft() {
    return ReportsMonitors() ? Windows().GetSystemMetrics(kSmXVirtualScreen) : 0;
}

Long clsQuiborMonitorsA::get_DesktopTop() {
    return ReportsMonitors() ? Windows().GetSystemMetrics(kSmYVirtualScreen) : 0;
}

Long clsQuiborMonitorsA::get_DesktopWidth() {
    // The screen is read on every call, before the monitor count is asked.
    const double width = ScreenValue(Host(), u"Width");
    const double twips_per_pixel = ScreenValue(Host(), u"TwipsPerPixelX");
    if (ReportsMonitors()) return Windows().GetSystemMetrics(kSmCxVirtualScreen);
    return IntegerQuotient(width, twips_per_pixel);
}

Long clsQuiborMonitorsA::get_DesktopHeight() {
    const double height = ScreenValue(Host(), u"Height");
    const double twips_per_pixel = ScreenValue(Host(), u"TwipsPerPixelY");
    if (ReportsMonitors()) return Windows().GetSystemMetrics(kSmCyVirtualScreen);
    return IntegerQuotient(height, twips_per_pixel);
}

// --- the scan

void clsQuiborMonitorsA::Refresh() {
    // A caller that holds the old collection keeps it as it was.
    monitors_.Reset();
    try {
        if (!ReportsMonitors()) {
            AddScreenRecord(*EnsureMonitors());
            return;
        }
        if (!ScanGrid(*EnsureMonitors())) {
            // The monitor functions are missing: no sample can name a
            // monitor, so the desktop is described as the one host screen.
            monitors_.Reset();
            AddScreenRecord(*EnsureMonitors());
        }
    } catch (const AutomationError&) {
        // The scan ends quietly; the records found so far stay.
    }
}

bool clsQuiborMonitorsA::ScanGrid(Collection& monitors) {
    // The bounds are the desktop's width and height used as coordinates;
    // since the desktop holds the origin, this covers all of it and may run
    // past it, where no monitor is found.
    const Long top = get_DesktopTop();
    const Long last_y = get_DesktopHeight();
    for (Long y = top; y <= last_y; y = CheckedAdd(y, kCellHeight)) {
        const Long left = get_DesktopLeft();
        const Long last_x = get_DesktopWidth();
        for (Long x = left; x <= last_x; x = CheckedAdd(x, kCellWidth)) {
            const Lookup found =
                LookupPoint(CheckedAdd(x, kCellWidth / 2), CheckedAdd(y, kCellHeight / 2), kMonitorDefaultToNull);
            if (found.entry_point_missing) return false;
            if (found.handle == 0) continue;
            auto record = MakeRef<clsQuiborMonitorA>(GetContext());
            record->FillFromHandle(found.handle);
            const String key = DecimalText(found.handle);
            // A monitor already found at an earlier sample keeps its place.
            if (!monitors.HasKey(key)) monitors.Add(Variant(ObjectRef(record)), Variant(key));
        }
    }
    return true;
}

void clsQuiborMonitorsA::AddScreenRecord(Collection& monitors) {
    const Long right = ScreenWidthPixels();
    const Long bottom = ScreenHeightPixels();
    auto record = MakeRef<clsQuiborMonitorA>(GetContext());
    Long zero = 0;
    Long r = right;
    Long b = bottom;
    record->let_Handle(zero);
    record->let_Left(zero);
    record->let_Top(zero);
    record->let_Right(r);
    record->let_Bottom(b);
    record->let_WorkLeft(zero);
    record->let_WorkTop(zero);
    record->let_WorkRight(r);
    record->let_WorkBottom(b);
    record->let_Width(r);
    record->let_Height(b);
    monitors.Add(Variant(ObjectRef(record)), Variant(String(u"0")));
}

// --- the chooser comes with its own form

Long clsQuiborMonitorsA::ShowMonitorDialog(String& Prompt, String& Caption, Variant& OwnerForm) {
    return RunMonitorDialog(*this, Prompt, Caption, OwnerForm);
}

}  // namespace quibor15
