// A headless form: a window with an outer size in twips, a client area in
// its ScaleMode, the controls on it (in creation order, nested ones
// included), docking of aligned picture boxes, loading, showing, unloading
// and the form events.
#pragma once

#include <optional>
#include <vector>

#include "platform/headless/control.hpp"

namespace quibor15::headless {

class ControlArray;
class ControlsCollection;

// QueryUnload's UnloadMode.
namespace unload_mode {
inline constexpr Integer kFormControlMenu = 0;  // the close box
inline constexpr Integer kFormCode = 1;         // an Unload by code
}  // namespace unload_mode

class Form final : public Window {
public:
    Form(std::shared_ptr<Desktop> desktop, String name);
    ~Form() override;

    String TypeName() const override { return name_; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;

    Form* OwningForm() noexcept override { return this; }
    // Only a form on the screen takes input: loaded, visible and enabled.
    bool ReachableByUser() const override { return visible_ && Enabled(); }
    bool IsContainer() const noexcept override { return true; }
    CoordinateSpace ChildSpace() const override;

    // --- loading and display
    bool IsLoaded() const noexcept { return loaded_; }
    // Loads the form (raises Load the first time, until it is unloaded).
    void Load();
    // Shows the form, loading it first; modal runs the modal loop and
    // returns when the form is hidden or unloaded. The owner, when given,
    // must be a form.
    void Show(bool modal = false, ObjectRef owner = {});
    // Loads and shows the form without the modal loop (the modal loop's
    // own first step).
    void ShowWindow();
    void Hide();
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    // QueryUnload(Cancel, UnloadMode), then Unload(Cancel); either handler
    // may cancel. Answers whether the form was unloaded.
    bool Unload(Integer mode = unload_mode::kFormCode);
    bool IsModal() const;
    const Ref<Form>& Owner() const noexcept { return owner_; }

    // --- appearance
    const String& Caption() const noexcept { return caption_; }
    void SetCaption(String caption) { caption_ = std::move(caption); }
    ObjectRef Icon() const { return icon_; }
    void SetIcon(ObjectRef icon) { icon_ = std::move(icon); }
    ObjectRef Picture() const { return picture_; }
    void SetPicture(ObjectRef picture) { picture_ = std::move(picture); }
    bool KeyPreview() const noexcept { return key_preview_; }
    void SetKeyPreview(bool on) { key_preview_ = on; }
    bool ControlBox() const noexcept { return control_box_; }
    void SetControlBox(bool on) { control_box_ = on; }
    bool MinButton() const noexcept { return min_button_; }
    void SetMinButton(bool on) { min_button_ = on; }
    bool MaxButton() const noexcept { return max_button_; }
    void SetMaxButton(bool on) { max_button_ = on; }
    bool ShowInTaskbar() const noexcept { return show_in_taskbar_; }
    void SetShowInTaskbar(bool on) { show_in_taskbar_ = on; }
    Long RefreshCount() const noexcept { return refresh_count_; }
    void Refresh() { ++refresh_count_; }

    // --- geometry: the outer rectangle in twips (screen coordinates)
    Single Left() const noexcept { return static_cast<Single>(left_); }
    void SetLeft(Single left);
    Single Top() const noexcept { return static_cast<Single>(top_); }
    void SetTop(Single top);
    Single Width() const noexcept { return static_cast<Single>(width_); }
    void SetWidth(Single width);
    Single Height() const noexcept { return static_cast<Single>(height_); }
    void SetHeight(Single height);
    void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});
    // 0 none, 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool
    // window, 5 sizable tool window (allowances in scale.cpp).
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);
    // 0 normal, 1 minimised, 2 maximised (fills the screen).
    Integer WindowState() const noexcept { return window_state_; }
    void SetWindowState(Integer state);
    double ClientWidthTwips() const;
    double ClientHeightTwips() const;

    // --- scale of the client area
    Integer ScaleMode() const noexcept { return scale_.Mode(); }
    void SetScaleMode(Integer mode);
    Single ScaleLeft() const;
    void SetScaleLeft(Single value);
    Single ScaleTop() const;
    void SetScaleTop(Single value);
    Single ScaleWidth() const;
    void SetScaleWidth(Single value);
    Single ScaleHeight() const;
    void SetScaleHeight(Single value);

    // --- controls
    Ref<ControlsCollection> Controls();
    // A design-time control: visible, inside `container` (the form when
    // nullptr). 727 for a name already on the form, 5 for a bad name.
    Ref<Control> AddControl(ControlKind kind, std::u16string_view name, Window* container = nullptr);
    template <class T>
    Ref<T> Add(std::u16string_view name, Window* container = nullptr) {
        return RefCast<T>(AddControl(T::kKind, name, container));
    }
    // Controls.Add: a new invisible control from a program identifier
    // ("VB.CommandButton"); 711 for an unknown one.
    Ref<Control> AddByProgId(std::u16string_view prog_id, std::u16string_view name, ObjectRef container = {});
    // A design-time control array with elements 0 to count - 1.
    Ref<ControlArray> AddControlArray(ControlKind kind, std::u16string_view name, Integer count,
                                      Window* container = nullptr);
    // Removes a control (and the controls inside it); a design-time
    // control array element cannot be removed this way.
    void RemoveControl(std::u16string_view name);

    size_t ControlCount() const noexcept { return controls_.size(); }
    // By 0-based position, nested controls included; 9 outside.
    Ref<Control> ControlAt(Long position) const;
    // A control or a control array by name; Nothing when there is none.
    ObjectRef FindControl(std::u16string_view name) const;
    const std::vector<Ref<Control>>& AllControls() const noexcept { return controls_; }

    // --- focus
    Ref<Control> ActiveControl() const { return Ref<Control>(active_); }
    // Raises 5 unless the form is visible and enabled; gives the focus to
    // its active control or the first control in tab order.
    void SetFocus();
    // The enabled, visible Default / Cancel command button, if any.
    Control* DefaultButton() const;
    Control* CancelButton() const;

    // --- used by the controls and the desktop
    void Dock();
    void Activate();
    void NoteFocus(Control* control) noexcept { active_ = control; }
    void ForgetControl(Control& control) noexcept;
    void MoveInTabOrder(Control& control, Integer index);
    uint64_t NextDockOrder() noexcept { return ++dock_counter_; }

private:
    friend class ControlArray;

    void ApplyBounds(double left, double top, double width, double height);
    void ClientChanged(double old_width, double old_height);
    CoordinateSpace Space() const;
    Ref<Control> Create(ControlKind kind, std::u16string_view name, Window* container, bool visible);
    Window* ContainerFrom(const ObjectRef& container) const;
    void CheckNewName(std::u16string_view name) const;
    void RenumberTabOrder() noexcept;
    Control* FirstFocusable() const;

    bool loaded_ = false;
    bool visible_ = false;
    bool shown_once_ = false;
    bool unloading_ = false;
    String caption_;
    ObjectRef icon_;
    ObjectRef picture_;
    Ref<Form> owner_;
    bool key_preview_ = false;
    bool control_box_ = true;
    bool min_button_ = true;
    bool max_button_ = true;
    bool show_in_taskbar_ = true;
    Long refresh_count_ = 0;

    double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    double normal_left_ = 0, normal_top_ = 0, normal_width_ = 4800, normal_height_ = 3600;
    Integer border_style_ = 2;
    Integer window_state_ = 0;
    ScaleSpace scale_;

    std::vector<Ref<Control>> controls_;
    std::vector<Ref<ControlArray>> arrays_;
    std::vector<Control*> tab_order_;
    std::vector<String> member_names_;  // names late binding has seen, for their DISPIDs
    Ref<ControlsCollection> controls_object_;
    Control* active_ = nullptr;
    uint64_t dock_counter_ = 0;
    bool docking_ = false;
    bool redock_ = false;
};

}  // namespace quibor15::headless
