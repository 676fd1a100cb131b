// A staged world for the monitor tests: a headless forms runtime for the
// Screen and the forms, and a simulated Windows whose virtual desktop each
// test lays out, resolving the forms' window handles.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "frame/core/expect_error.hpp"
#include "monitors/monitor.hpp"
#include "monitors/monitors.hpp"
#include "platform/headless/headless_runtime.hpp"
#include "platform/sim/sim_windows.hpp"
#include "quibor15/context.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::testing {

// A record's eleven fields, in the order the list reports them.
struct MonitorFields {
    Long handle, left, top, right, bottom, work_left, work_top, work_right, work_bottom, width, height;
    friend bool operator==(const MonitorFields&, const MonitorFields&) = default;
    friend std::ostream& operator<<(std::ostream& os, const MonitorFields& f) {
        return os << "{handle " << f.handle << ", rect " << f.left << "," << f.top << "-" << f.right << "," << f.bottom
                  << ", work " << f.work_left << "," << f.work_top << "-" << f.work_right << "," << f.work_bottom
                  << ", " << f.width << "x" << f.height << "}";
    }
};

inline MonitorFields FieldsOf(clsQuiborMonitorA& m) {
    return MonitorFields{m.get_Handle(),     m.get_Left(),     m.get_Top(),     m.get_Right(),
                         m.get_Bottom(),     m.get_WorkLeft(), m.get_WorkTop(), m.get_WorkRight(),
                         m.get_WorkBottom(), m.get_Width(),    m.get_Height()};
}

// What a monitor added to the simulated desktop should read as.
inline MonitorFields Expected(Handle handle, const Rect& rect, const Rect& work) {
    return MonitorFields{handle,
                         rect.left,
                         rect.top,
                         rect.right,
                         rect.bottom,
                         work.left,
                         work.top,
                         work.right,
                         work.bottom,
                         rect.right - rect.left,
                         rect.bottom - rect.top};
}
inline MonitorFields Expected(Handle handle, const Rect& rect) { return Expected(handle, rect, rect); }

class MonitorWorld : public ::testing::Test {
protected:
    MonitorWorld() {
        windows->SetWindowResolver(runtime->WindowResolver());
        windows->SetTwipsPerPixel(15);
        runtime->SetScreen(1280, 1024);
        windows->ClearMonitors();
    }

    Ref<clsQuiborMonitorsA> NewMonitors() { return MakeRef<clsQuiborMonitorsA>(context); }

    // The records of the list in order, with their keys checked against
    // their handles.
    static std::vector<MonitorFields> Records(clsQuiborMonitorsA& monitors) {
        std::vector<MonitorFields> out;
        const ObjectRef list = monitors.get_Monitors();
        auto* collection = dynamic_cast<Collection*>(list.Get());
        if (!collection) return out;
        for (const Variant& item : collection->Items()) {
            auto* record = dynamic_cast<clsQuiborMonitorA*>(item.ObjectOrThrow().Get());
            if (!record) continue;
            out.push_back(FieldsOf(*record));
        }
        return out;
    }

    // A visible form at a position in twips.
    Ref<headless::Form> FormAt(double left, double top, double width, double height) {
        Ref<headless::Form> form = runtime->AddForm(u"frmTest" + DecimalText(static_cast<Long>(++form_count_)));
        form->Move(left, top, width, height);
        return form;
    }

    std::shared_ptr<headless::HeadlessRuntime> runtime = std::make_shared<headless::HeadlessRuntime>();
    std::shared_ptr<sim::SimWindows> windows = std::make_shared<sim::SimWindows>();
    ContextPtr context = std::make_shared<Context>(runtime, windows);

private:
    int form_count_ = 0;
};

}  // namespace quibor15::testing
