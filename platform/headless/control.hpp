// The base of the intrinsic controls: placement inside a container (kept in
// twips, read and written in the container's scale), docking, visibility,
// tab order and focus, and membership in a control array.
#pragma once

#include <optional>
#include <utility>

#include "platform/headless/member_table.hpp"
#include "platform/headless/window.hpp"

namespace quibor15::headless {

class ControlArray;

enum class ControlKind { PictureBox, Label, CommandButton, TextBox, ComboBox, ListBox, Frame, Image };

struct KindTraits {
    ControlKind kind;
    std::u16string_view type_name;  // TypeName of a control of this kind
    std::u16string_view prog_id;    // Controls.Add identifier
    double width, height;           // size of a new control, twips
    bool takes_focus;
    bool in_tab_order;
};
const KindTraits& TraitsOf(ControlKind kind) noexcept;
// A kind by program identifier ("VB.Label") or by type name ("Label").
std::optional<ControlKind> KindFromName(std::u16string_view name) noexcept;

class Control : public Window {
public:
    struct Bounds {
        double left = 0, top = 0, width = 0, height = 0;  // twips
        friend bool operator==(const Bounds&, const Bounds&) = default;
    };

    ControlKind Kind() const noexcept { return kind_; }
    String TypeName() const override { return String(TraitsOf(kind_).type_name); }

    // --- placement
    Form* OwningForm() noexcept override { return form_; }
    Window* ContainerWindow() const noexcept { return container_; }
    ObjectRef Container() const;
    // Re-parents the control inside its form; raises 380 when the target is
    // no container of the same form (or lies inside this control).
    void SetContainer(ObjectRef target);
    // The scale of the container, in which Left, Top, Width and Height read.
    CoordinateSpace ContainerSpace() const;

    Single Left() const;
    void SetLeft(Single left);
    Single Top() const;
    void SetTop(Single top);
    Single Width() const;
    void SetWidth(Single width);
    Single Height() const;
    void SetHeight(Single height);
    // Move Left[, Top[, Width[, Height]]] in the container's scale.
    void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});

    const Bounds& BoundsTwips() const noexcept { return bounds_; }
    // Sets the position and size in twips, as an assignment would (a docked
    // control keeps the edges its dock decides).
    void SetBoundsTwips(Bounds b);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    void SetEnabled(bool enabled) override;
    bool ReachableByUser() const override;

    // --- tab order and focus
    Integer TabIndex() const noexcept { return tab_index_; }
    void SetTabIndex(Integer index);
    bool TabStop() const noexcept { return tab_stop_; }
    void SetTabStop(bool tab_stop) { tab_stop_ = tab_stop; }
    bool CanTakeFocus() const;
    // Raises 5 unless the control can take the focus on a visible form.
    void SetFocus();
    bool HasFocus() const;

    // --- control arrays
    ControlArray* Array() const noexcept { return array_; }
    Integer Index() const;  // 343 outside an array

    ObjectRef Parent() const;
    Long RefreshCount() const noexcept { return refresh_count_; }
    void Refresh() { ++refresh_count_; }

    // Where the scripted user points by default: the middle of the control,
    // in the coordinates of its own mouse events.
    virtual std::pair<Single, Single> CentrePoint() const;

    // Copies what a new element of a control array takes over from the
    // element it is loaded from.
    virtual void CopyFrom(const Control& other);

    // What the control does with a key its handlers let through (KeyCode
    // or KeyAscii still non-zero): editing, moving the caret or the
    // selection. Nothing by default.
    virtual void DefaultKeyDown(Integer key_code, Integer shift);
    virtual void DefaultKeyPress(Integer key_ascii);

    // The docking edge (0 none, 1 top, 2 bottom, 3 left, 4 right).
    Integer DockEdge() const noexcept { return align_; }

protected:
    Control(Form& form, ControlKind kind, String name, std::span<const EventInfo> events);

    void Deliver(DispId id, std::span<Variant> refs) override;
    // A kind whose height is not free (a combo box follows its font).
    virtual double AdjustHeight(double height) const { return height; }
    // After the size changed.
    virtual void OnResized() {}
    void SetDockEdge(Integer align);
    // Re-applies AdjustHeight after a change of what it depends on.
    void RefreshHeight();

private:
    friend class Form;
    friend class ControlArray;

    void ApplyBounds(Bounds b, bool from_dock);
    bool IsInside(const Window* w) const noexcept;
    void Detach() noexcept;

    ControlKind kind_;
    Form* form_;
    Window* container_;
    ControlArray* array_ = nullptr;
    Integer index_ = 0;
    Bounds bounds_;
    bool visible_ = true;
    Integer tab_index_ = 0;
    bool tab_stop_ = true;
    Integer align_ = 0;
    uint64_t dock_order_ = 0;
    Long refresh_count_ = 0;
};

// Late binding for a control kind D from its member table D::Members().
template <class D>
class ControlOf : public Control {
public:
    DispId GetIdOfName(std::u16string_view name) override { return D::Members().IdOf(name); }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        SelfRef hold(this);
        return D::Members().Invoke(static_cast<D&>(*this), id, flags, args);
    }

protected:
    using Control::Control;
};

}  // namespace quibor15::headless
