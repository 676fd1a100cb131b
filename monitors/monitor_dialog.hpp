// frmQUIBORMonitorA, the monitor chooser: a small picture of the virtual
// desktop with one button per monitor, placed and sized like the monitor,
// OK (enabled once a monitor is clicked) and Cancel. The form is a new form
// of the host runtime that this class designs and whose events it handles;
// it reads the monitor list and the desktop metrics from the
// clsQuiborMonitorsA object that opens it.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class frmQUIBORMonitorA {
public:
    // A new instance in its design state: OK disabled, no selection,
    // result 0.
    explicit frmQUIBORMonitorA(ContextPtr context);
    ~frmQUIBORMonitorA();
    frmQUIBORMonitorA(const frmQUIBORMonitorA&) = delete;
    frmQUIBORMonitorA& operator=(const frmQUIBORMonitorA&) = delete;

    // The object whose list, metrics, lookup and centring the dialog uses.
    Ref<_clsQuiborMonitorsA> cMonitorClass;

    // The form the dialog is centred over; it must be a form (13
    // otherwise). Nothing means no owner.
    void set_Owner(ObjectRef owner);
    void let_DialogCaption(const String& caption);
    void let_Prompt(const String& prompt);
    // The 1-based number of the monitor confirmed with OK, or 0.
    Long get_DialogResult() const noexcept { return dialog_result_; }

    // Lays the dialog out for the desktop and shows it modally; returns
    // when it is hidden or closed.
    void ShowDialog();
    // Takes the form off the screen (nothing when it is already unloaded).
    void Unload();

    const ObjectRef& Form() const noexcept { return form_; }

private:
    class Sink;
    struct Link {
        ObjectRef source;
        uint32_t cookie = 0;
        Ref<Sink> sink;
    };
    using Handler = std::function<void(DispId id, std::span<Variant> args)>;

    void Design();
    ObjectRef AddControl(std::u16string_view prog_id, std::u16string_view name);
    // A control array designed on the form, elements 0 to count - 1.
    ObjectRef AddControlArray(std::u16string_view prog_id, std::u16string_view name, Integer count,
                              const ObjectRef& container);
    static ObjectRef Element(const ObjectRef& control_array, Integer index);
    void Connect(const ObjectRef& source, Handler handler);
    void Disconnect() noexcept;

    // --- layout
    Long MonitorWidthOf(Long monitor_handle);
    void SizePicture();
    void SizeForm();
    void PlaceButtonRow();
    void PlaceMonitorButtons();

    // --- events
    void FormResize();
    void MonitorClick(Integer index);
    void ActionClick(Integer index);

    ContextPtr context_;
    std::vector<Link> links_;
    ObjectRef form_;
    ObjectRef desktop_picture_;  // picDesktop
    ObjectRef monitor_buttons_;  // cmdMonitor
    ObjectRef prompt_label_;     // lblPrompt
    ObjectRef action_buttons_;   // cmdAction
    ObjectRef owner_;
    Long dialog_result_ = 0;
    Long selection_ = 0;
    // How many monitor buttons stand for a record of the list.
    Long monitor_count_ = 0;
    Long desktop_left_ = 0;
    Long desktop_top_ = 0;
    Long desktop_width_ = 0;
    Long desktop_height_ = 0;
};

// ShowMonitorDialog of clsQuiborMonitorsA: opens a fresh dialog on
// `monitors`, centred over OwnerForm when it is given, and answers the
// confirmed monitor's position in monitors.Monitors, or 0.
Long RunMonitorDialog(_clsQuiborMonitorsA& monitors, String& prompt, String& caption, Variant& owner_form);

}  // namespace quibor15
