#include "platform/headless/control.hpp"

#include <array>
#include <cmath>

#include "platform/headless/control_array.hpp"
#include "platform/headless/desktop.hpp"
#include "platform/headless/form.hpp"

namespace quibor15::headless {

namespace {

// Sizes of a new control, twips.
constexpr std::array<KindTraits, 8> kKinds{{
    {ControlKind::PictureBox, u"PictureBox", u"VB.PictureBox", 1215, 1215, true, true},
    {ControlKind::Label, u"Label", u"VB.Label", 1215, 255, false, true},
    {ControlKind::CommandButton, u"CommandButton", u"VB.CommandButton", 1215, 495, true, true},
    {ControlKind::TextBox, u"TextBox", u"VB.TextBox", 1215, 285, true, true},
    {ControlKind::ComboBox, u"ComboBox", u"VB.ComboBox", 1215, 315, true, true},
    {ControlKind::ListBox, u"ListBox", u"VB.ListBox", 1215, 1035, true, true},
    {ControlKind::Frame, u"Frame", u"VB.Frame", 1815, 1215, false, true},
    {ControlKind::Image, u"Image", u"VB.Image", 975, 975, false, false},
}};

void CheckSize(double value) {
    if (value < 0) Fail(err::kInvalidPropertyValue, u"Invalid property value");
}

}  // namespace

const KindTraits& TraitsOf(ControlKind kind) noexcept { return kKinds[static_cast<size_t>(kind)]; }

std::optional<ControlKind> KindFromName(std::u16string_view name) noexcept {
    for (const KindTraits& k : kKinds) {
        if (NamesEqual(name, k.prog_id) || NamesEqual(name, k.type_name)) return k.kind;
    }
    return std::nullopt;
}

Control::Control(Form& form, ControlKind kind, String name, std::span<const EventInfo> events)
    : Window(form.DesktopPtr(), std::move(name), events), kind_(kind), form_(&form), container_(&form) {
    bounds_.width = TraitsOf(kind).width;
    bounds_.height = TraitsOf(kind).height;
}

// --- placement

ObjectRef Control::Container() const {
    if (!container_) RaiseRuntimeError(rt::kObjectNotSet);
    return ObjectRef(container_);
}

bool Control::IsInside(const Window* w) const noexcept {
    // Whether w is this control or lies inside it.
    for (const Window* p = w; p;) {
        if (p == this) return true;
        const auto* c = dynamic_cast<const Control*>(p);
        p = c ? c->container_ : nullptr;
    }
    return false;
}

void Control::SetContainer(ObjectRef target) {
    auto* w = dynamic_cast<Window*>(target.Get());
    if (!w || !w->IsContainer() || !form_ || w->OwningForm() != form_ || IsInside(w)) {
        Fail(err::kInvalidPropertyValue, u"Invalid property value");
    }
    if (w == container_) return;
    container_ = w;
    // Only a form docks its controls.
    if (align_ != 0 && w != form_) align_ = 0;
    form_->Dock();
}

CoordinateSpace Control::ContainerSpace() const { return container_ ? container_->ChildSpace() : CoordinateSpace{}; }

Single Control::Left() const { return static_cast<Single>(ContainerSpace().ToUnitsX(bounds_.left)); }
Single Control::Top() const { return static_cast<Single>(ContainerSpace().ToUnitsY(bounds_.top)); }
Single Control::Width() const { return static_cast<Single>(ContainerSpace().WidthToUnits(bounds_.width)); }
Single Control::Height() const { return static_cast<Single>(ContainerSpace().HeightToUnits(bounds_.height)); }

void Control::SetLeft(Single left) { Move(left); }
void Control::SetTop(Single top) { Move(Left(), top); }
void Control::SetWidth(Single width) { Move(Left(), Top(), width); }
void Control::SetHeight(Single height) { Move(Left(), Top(), Width(), height); }

void Control::Move(double left, std::optional<double> top, std::optional<double> width, std::optional<double> height) {
    // Geometry is kept in whole twips, as the runtime keeps it.
    CoordinateSpace s = ContainerSpace();
    Bounds b = bounds_;
    b.left = std::round(s.ToTwipsX(left));
    if (top) b.top = std::round(s.ToTwipsY(*top));
    if (width) {
        b.width = std::round(s.WidthToTwips(*width));
        CheckSize(b.width);
    }
    if (height) {
        b.height = std::round(s.HeightToTwips(*height));
        CheckSize(b.height);
    }
    ApplyBounds(b, false);
}

void Control::SetBoundsTwips(Bounds b) {
    CheckSize(b.width);
    CheckSize(b.height);
    ApplyBounds(b, false);
}

void Control::ApplyBounds(Bounds b, bool from_dock) {
    SelfRef hold(this);
    if (!from_dock && align_ != 0) {
        // The dock decides every edge but the control's own depth.
        bool across = align_ == 1 || align_ == 2;
        double keep_height = b.height, keep_width = b.width;
        b = bounds_;
        if (across) {
            b.height = keep_height;
        } else {
            b.width = keep_width;
        }
    }
    b.height = AdjustHeight(b.height);
    bool resized = b.width != bounds_.width || b.height != bounds_.height;
    bounds_ = b;
    if (!resized) return;
    OnResized();
    if (!from_dock && align_ != 0 && form_) form_->Dock();
}

void Control::RefreshHeight() {
    double h = AdjustHeight(bounds_.height);
    if (h == bounds_.height) return;
    Bounds b = bounds_;
    b.height = h;
    ApplyBounds(b, false);
}

void Control::SetDockEdge(Integer align) {
    if (align < 0 || align > 4) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    if (align != 0 && container_ != form_) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    if (align == align_) return;
    align_ = align;
    if (align != 0 && form_) dock_order_ = form_->NextDockOrder();
    if (form_) form_->Dock();
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (!visible) Desk().DropFocusOf(*this);
    if (align_ != 0 && form_) form_->Dock();
}

void Control::SetEnabled(bool enabled) {
    Window::SetEnabled(enabled);
    if (!enabled) Desk().DropFocusOf(*this);
}

bool Control::ReachableByUser() const {
    if (!visible_ || !Enabled() || !container_) return false;
    return container_->ReachableByUser();
}

// --- tab order and focus

void Control::SetTabIndex(Integer index) {
    if (index < 0) Fail(err::kInvalidPropertyValue, u"Invalid property value");
    if (form_ && TraitsOf(kind_).in_tab_order) form_->MoveInTabOrder(*this, index);
}

bool Control::CanTakeFocus() const { return TraitsOf(kind_).takes_focus && ReachableByUser(); }

void Control::SetFocus() {
    if (!form_ || !form_->Visible() || !CanTakeFocus()) RaiseRuntimeError(rt::kInvalidProcedureCall);
    Desk().MoveFocus(*this);
}

bool Control::HasFocus() const { return Desk().Focus().Get() == this; }

Integer Control::Index() const {
    if (!array_) Fail(err::kObjectNotAnArray, u"Object not an array");
    return index_;
}

ObjectRef Control::Parent() const {
    if (!form_) RaiseRuntimeError(rt::kObjectNotSet);
    return ObjectRef(form_);
}

std::pair<Single, Single> Control::CentrePoint() const {
    return {static_cast<Single>(bounds_.width / 2), static_cast<Single>(bounds_.height / 2)};
}

void Control::DefaultKeyDown(Integer, Integer) {}
void Control::DefaultKeyPress(Integer) {}

void Control::CopyFrom(const Control& other) {
    SetEnabled(other.Enabled());
    SetTag(other.Tag());
    SetToolTipText(other.ToolTipText());
    SetBackColor(other.BackColor());
    SetForeColor(other.ForeColor());
    tab_stop_ = other.tab_stop_;
    if (other.container_ && other.container_ != container_) container_ = other.container_;
    bounds_ = other.bounds_;
    // The new element has a font of its own with the same attributes.
    auto& source = const_cast<Control&>(other);
    if (kind_ != ControlKind::Image) {
        SetFontName(source.FontName());
        SetFontSize(source.FontSize());
        SetFontBold(source.FontBold());
        SetFontItalic(source.FontItalic());
        SetFontUnderline(source.FontUnderline());
        SetFontStrikethru(source.FontStrikethru());
    }
}

void Control::Deliver(DispId id, std::span<Variant> refs) {
    SelfRef hold(this);
    Window::Deliver(id, refs);
    if (array_) {
        Ref<ControlArray> keep(array_);
        keep->Deliver(index_, id, refs);
    }
}

void Control::Detach() noexcept {
    form_ = nullptr;
    container_ = nullptr;
}

}  // namespace quibor15::headless
