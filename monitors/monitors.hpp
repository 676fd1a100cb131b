// The display monitors of the desktop and the geometry of the whole virtual
// desktop (screen pixels, origin at the primary monitor's top-left corner),
// the lookup of the monitor under a window or a point, and the centring of
// a form on a monitor's work area.
#pragma once

#include "quibor15/collection.hpp"
#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborMonitorA;

class clsQuiborMonitorsA final : public _clsQuiborMonitorsA {
public:
    // Scans the desktop once (Refresh).
    explicit clsQuiborMonitorsA(ContextPtr context);

    // The monitor list, keyed by the decimal text of each handle, in the
    // order the scan found them. Read while none is assigned, it is a new
    // empty collection. Assigning takes the caller's collection (or
    // Nothing); an object of another kind raises 13.
    ObjectRef get_Monitors() override;
    void set_Monitors(ObjectRef value) override;

    // The bounding rectangle of all monitors; on a system that reports no
    // monitor count, the host screen at the origin.
    Long get_DesktopLeft() override;
    Long get_DesktopTop() override;
    Long get_DesktopWidth() override;
    Long get_DesktopHeight() override;

    // The monitor handle, 0 when none matches dwFlags, -1 when the system
    // has no multi-monitor functions. Never raises.
    Long GetMonitorFromWindow(Long& hWnd, Long& dwFlags) override;
    // As above for the pixel at (X, y); raises 6 only when X or y is the
    // largest Long.
    Long GetMonitorFromXYPoint(Long& X, Long& y, Long& dwFlags) override;
    // Moves the form to the middle of the work area of ReferenceForm's
    // monitor (the primary monitor when ReferenceForm is left out), or of
    // the whole screen when no monitor is known. Failures leave the form
    // where it was; the result is always False.
    Boolean CenterFormOnMonitor(ObjectRef& FormToCenter, Variant& ReferenceForm) override;

    // Rebuilds the list by sampling the desktop on a 640 x 480 grid. Reports
    // no error; a failing step ends the scan with what it found so far.
    void Refresh() override;

    Long ShowMonitorDialog(String& Prompt, String& Caption, Variant& OwnerForm) override;

private:
    struct Lookup {
        Long handle = 0;
        bool entry_point_missing = false;
    };
    // The monitor under the pixel (x, y); raises 6 when x + 1 or y + 1
    // overflows, absorbs every platform failure.
    Lookup LookupPoint(Long x, Long y, Long flags);

    // The monitor list, created on first use.
    Ref<Collection> EnsureMonitors();
    // The grid scan; false when the platform turned out to lack the lookup.
    bool ScanGrid(Collection& monitors);
    // The one record of a system without multi-monitor support: the host
    // screen at the origin, under the key "0".
    void AddScreenRecord(Collection& monitors);

    // Screen.Width \ TwipsPerPixelX and Screen.Height \ TwipsPerPixelY.
    Long ScreenWidthPixels();
    Long ScreenHeightPixels();
    bool ReportsMonitors();

    // Moves the form to the middle of the host screen.
    void CentreOnScreen(const ObjectRef& form);
    // Moves the form to the middle of the monitor's work area; false when
    // the monitor information cannot be read. Raises 453 when the system
    // lacks GetMonitorInfoA.
    bool CentreOnMonitor(const ObjectRef& form, Handle monitor);

    ObjectRef monitors_;
};

}  // namespace quibor15
