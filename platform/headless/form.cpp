#include "platform/headless/form.hpp"

#include <algorithm>

#include "platform/headless/command_button.hpp"
#include "platform/headless/control_array.hpp"
#include "platform/headless/control_factory.hpp"
#include "platform/headless/controls_collection.hpp"
#include "platform/headless/desktop.hpp"
#include "platform/headless/dock.hpp"
#include "platform/headless/window_members.hpp"

namespace quibor15::headless {

namespace {

// DISPIDs of control names used as members (form.cmdOK), above the table's.
constexpr DispId kControlNameBase = 0x10000;

constexpr EventInfo kFormEvents[] = {
    {ev::kLoad, u"Load"},
    {ev::kResize, u"Resize"},
    {ev::kQueryUnload, u"QueryUnload"},
    {ev::kUnload, u"Unload"},
    {ev::kClick, u"Click"},
    {ev::kDblClick, u"DblClick"},
    {ev::kKeyDown, u"KeyDown"},
    {ev::kKeyPress, u"KeyPress"},
    {ev::kKeyUp, u"KeyUp"},
    {ev::kMouseDown, u"MouseDown"},
    {ev::kMouseMove, u"MouseMove"},
    {ev::kMouseUp, u"MouseUp"},
    {ev::kGotFocus, u"GotFocus"},
    {ev_extra::kLostFocus, u"LostFocus"},
};

[[noreturn]] void InvalidValue() { Fail(err::kInvalidPropertyValue, u"Invalid property value"); }

const MemberTable<Form>& Members() {
    using M = MemberDef<Form>;
    static const MemberTable<Form> table{
        ColorMembers<Form>(),
        FontMembers<Form>(),
        {
            Get<Form, &Window::Name>(u"Name"),
            Bind<Form, &Form::Caption, &Form::SetCaption>(u"Caption"),
            Get<Form, &Window::HWnd>(u"hWnd"),
            Bind<Form, &Form::Left, &Form::SetLeft>(u"Left"),
            Bind<Form, &Form::Top, &Form::SetTop>(u"Top"),
            Bind<Form, &Form::Width, &Form::SetWidth>(u"Width"),
            Bind<Form, &Form::Height, &Form::SetHeight>(u"Height"),
            M::Method(
                u"Move",
                [](Form& f, Args& a) -> Variant {
                    f.Move(a.Dbl(0), OptionalDouble(a, 1), OptionalDouble(a, 2), OptionalDouble(a, 3));
                    return Variant();
                },
                1, 4),
            Bind<Form, &Form::ScaleMode, &Form::SetScaleMode>(u"ScaleMode"),
            Bind<Form, &Form::ScaleLeft, &Form::SetScaleLeft>(u"ScaleLeft"),
            Bind<Form, &Form::ScaleTop, &Form::SetScaleTop>(u"ScaleTop"),
            Bind<Form, &Form::ScaleWidth, &Form::SetScaleWidth>(u"ScaleWidth"),
            Bind<Form, &Form::ScaleHeight, &Form::SetScaleHeight>(u"ScaleHeight"),
            Bind<Form, &Form::Visible, &Form::SetVisible>(u"Visible"),
            Bind<Form, &Window::Enabled, &Window::SetEnabled>(u"Enabled"),
            Bind<Form, &Form::WindowState, &Form::SetWindowState>(u"WindowState"),
            Bind<Form, &Form::BorderStyle, &Form::SetBorderStyle>(u"BorderStyle"),
            Bind<Form, &Form::KeyPreview, &Form::SetKeyPreview>(u"KeyPreview"),
            Bind<Form, &Form::ControlBox, &Form::SetControlBox>(u"ControlBox"),
            Bind<Form, &Form::MinButton, &Form::SetMinButton>(u"MinButton"),
            Bind<Form, &Form::MaxButton, &Form::SetMaxButton>(u"MaxButton"),
            Bind<Form, &Form::ShowInTaskbar, &Form::SetShowInTaskbar>(u"ShowInTaskbar"),
            Bind<Form, &Window::Tag, &Window::SetTag>(u"Tag"),
            Bind<Form, &Form::Icon, &Form::SetIcon>(u"Icon", kAcceptsSet),
            Bind<Form, &Form::Picture, &Form::SetPicture>(u"Picture", kAcceptsSet),
            M::Property(
                u"Controls", [](Form& f, Args&) -> Variant { return Variant(f.Controls()); }, nullptr, kDefault),
            M::Property(
                u"Count", [](Form& f, Args&) -> Variant { return Variant(static_cast<Long>(f.ControlCount())); },
                nullptr),
            M::Property(
                u"ActiveControl", [](Form& f, Args&) -> Variant { return Variant(ObjectRef(f.ActiveControl())); },
                nullptr),
            M::Method(
                u"Show",
                [](Form& f, Args& a) -> Variant {
                    Integer style = a.Has(0) ? a.Int(0) : 0;
                    if (style != 0 && style != 1) RaiseRuntimeError(rt::kInvalidProcedureCall);
                    f.Show(style == 1, a.Has(1) ? a.Obj(1) : ObjectRef());
                    return Variant();
                },
                0, 2),
            Action<Form, &Form::Hide>(u"Hide"),
            Action<Form, &Form::Refresh>(u"Refresh"),
            Action<Form, &Form::SetFocus>(u"SetFocus"),
            // Designs a control array on the form (a headless designer's
            // step: the runtime has no other way to create one).
            M::Method(
                u"AddControlArray",
                [](Form& f, Args& a) -> Variant {
                    auto kind = KindFromName(a.Str(0));
                    if (!kind) {
                        Fail(err::kInvalidClassString,
                             u"Invalid class string. Looking for object with ProgID: " + a.Str(0));
                    }
                    Window* container = nullptr;
                    if (a.Has(3)) {
                        container = dynamic_cast<Window*>(a.Obj(3).Get());
                        if (!container) InvalidValue();
                    }
                    return Variant(f.AddControlArray(*kind, a.Str(1), a.Int(2), container));
                },
                3, 4),
        }};
    return table;
}

}  // namespace

Form::Form(std::shared_ptr<Desktop> desktop, String name) : Window(std::move(desktop), std::move(name), kFormEvents) {
    caption_ = name_;
}

Form::~Form() {
    for (const Ref<Control>& c : controls_) c->Detach();
    for (const Ref<ControlArray>& a : arrays_) a->form_ = nullptr;
    if (controls_object_) controls_object_->form_ = nullptr;
}

// --- late binding

DispId Form::GetIdOfName(std::u16string_view name) {
    DispId id = Members().IdOf(name);
    if (id != kDispIdUnknown) return id;
    if (!FindControl(name)) return kDispIdUnknown;
    for (size_t i = 0; i < member_names_.size(); ++i) {
        if (NamesEqual(member_names_[i], name)) return kControlNameBase + static_cast<DispId>(i);
    }
    member_names_.emplace_back(name);
    return kControlNameBase + static_cast<DispId>(member_names_.size() - 1);
}

Variant Form::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    if (id < kControlNameBase) return Members().Invoke(*this, id, flags, args);
    size_t slot = static_cast<size_t>(id - kControlNameBase);
    ObjectRef target = slot < member_names_.size() ? FindControl(member_names_[slot]) : ObjectRef();
    if (!target || !(flags & (kInvokeMethod | kInvokePropertyGet))) RaiseRuntimeError(rt::kMemberNotSupported);
    if (args.empty()) return Variant(target);
    return LateDefault(target, args);
}

// --- loading and display

void Form::Load() {
    if (loaded_) return;
    SelfRef hold(this);
    loaded_ = true;
    Desk().FormLoaded(*this);
    Raise(ev::kLoad);
}

void Form::Show(bool modal, ObjectRef owner) {
    SelfRef hold(this);
    if (owner) {
        Ref<Form> owner_form = RefCast<Form>(owner);
        if (!owner_form) RaiseRuntimeError(rt::kTypeMismatch);
        owner_ = owner_form;
    }
    if (modal) {
        Desk().RunModal(*this);
        return;
    }
    if (!visible_ && !Desk().AcceptsInput(this)) {
        Fail(401, u"Can't show non-modal form when modal form is displayed");
    }
    ShowWindow();
}

void Form::ShowWindow() {
    SelfRef hold(this);
    Load();
    if (!loaded_) return;  // the Load handler unloaded it
    bool appeared = false;
    if (!visible_) {
        visible_ = true;
        appeared = true;
        if (!shown_once_) {
            shown_once_ = true;
            Raise(ev::kResize);
        }
    }
    if (visible_) Activate();
    // A modal dialog is watched when its loop starts.
    if (appeared && !IsModal()) Desk().FormChanged(*this);
}

void Form::Hide() {
    SelfRef hold(this);
    Load();
    visible_ = false;
    Desk().DropFocusIn(*this);
}

void Form::SetVisible(bool visible) {
    if (visible) {
        Show(false);
    } else {
        Hide();
    }
}

bool Form::Unload(Integer mode) {
    if (!loaded_ || unloading_) return !loaded_;
    SelfRef hold(this);
    unloading_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{unloading_};
    Integer cancel = 0;
    Integer unload_mode = mode;
    Raise(ev::kQueryUnload, cancel, unload_mode);
    if (cancel != 0) return false;
    Raise(ev::kUnload, cancel);
    if (cancel != 0) return false;
    loaded_ = false;
    visible_ = false;
    shown_once_ = false;
    owner_.Reset();
    Desk().DropFocusIn(*this);
    Desk().FormUnloaded(*this);
    return true;
}

bool Form::IsModal() const { return Desk().IsModal(*this); }

// --- geometry

void Form::ApplyBounds(double left, double top, double width, double height) {
    if (window_state_ != 0) {
        Fail(err::kCannotMoveMinimized, u"A form can't be moved or sized while minimized or maximized");
    }
    if (width < 0 || height < 0) InvalidValue();
    double old_width = ClientWidthTwips(), old_height = ClientHeightTwips();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    ClientChanged(old_width, old_height);
}

void Form::ClientChanged(double old_width, double old_height) {
    if (ClientWidthTwips() == old_width && ClientHeightTwips() == old_height) return;
    SelfRef hold(this);
    Dock();
    if (loaded_) Raise(ev::kResize);
}

void Form::SetLeft(Single left) { ApplyBounds(left, top_, width_, height_); }
void Form::SetTop(Single top) { ApplyBounds(left_, top, width_, height_); }
void Form::SetWidth(Single width) { ApplyBounds(left_, top_, width, height_); }
void Form::SetHeight(Single height) { ApplyBounds(left_, top_, width_, height); }

void Form::Move(double left, std::optional<double> top, std::optional<double> width, std::optional<double> height) {
    ApplyBounds(left, top.value_or(top_), width.value_or(width_), height.value_or(height_));
}

void Form::SetBorderStyle(Integer style) {
    AllowanceOf(style);  // validates
    double old_width = ClientWidthTwips(), old_height = ClientHeightTwips();
    border_style_ = style;
    ClientChanged(old_width, old_height);
}

void Form::SetWindowState(Integer state) {
    if (state < 0 || state > 2) InvalidValue();
    if (state == window_state_) return;
    double old_width = ClientWidthTwips(), old_height = ClientHeightTwips();
    if (window_state_ == 0) {
        normal_left_ = left_;
        normal_top_ = top_;
        normal_width_ = width_;
        normal_height_ = height_;
    }
    window_state_ = state;
    if (state == 2) {
        // Maximised: the window covers the screen with its frame just
        // outside it; the caption bar stays on the screen.
        const ScreenMetrics& m = *Desk().Metrics();
        BorderAllowance a = AllowanceOf(border_style_);
        left_ = -a.frame;
        top_ = -a.frame;
        width_ = m.width_pixels * m.twips_per_pixel_x + 2 * a.frame;
        height_ = m.height_pixels * m.twips_per_pixel_y + 2 * a.frame;
    } else {
        left_ = normal_left_;
        top_ = normal_top_;
        width_ = normal_width_;
        height_ = normal_height_;
    }
    ClientChanged(old_width, old_height);
}

double Form::ClientWidthTwips() const {
    if (window_state_ == 1) return 0;
    return std::max(0.0, width_ - 2 * AllowanceOf(border_style_).frame);
}

double Form::ClientHeightTwips() const {
    if (window_state_ == 1) return 0;
    BorderAllowance a = AllowanceOf(border_style_);
    return std::max(0.0, height_ - 2 * a.frame - a.caption);
}

// --- scale

CoordinateSpace Form::Space() const {
    return scale_.Space(ClientWidthTwips(), ClientHeightTwips(), Desk().TwipsPerPixelX(), Desk().TwipsPerPixelY());
}

CoordinateSpace Form::ChildSpace() const { return Space(); }

void Form::SetScaleMode(Integer mode) {
    scale_.SetMode(mode, ClientWidthTwips(), ClientHeightTwips(), Desk().TwipsPerPixelX(), Desk().TwipsPerPixelY());
}

Single Form::ScaleLeft() const { return static_cast<Single>(Space().origin_x); }
Single Form::ScaleTop() const { return static_cast<Single>(Space().origin_y); }
Single Form::ScaleWidth() const { return static_cast<Single>(ScaleSpace::ScaleWidthOf(Space())); }
Single Form::ScaleHeight() const { return static_cast<Single>(ScaleSpace::ScaleHeightOf(Space())); }
void Form::SetScaleLeft(Single value) { scale_.SetScaleLeft(value, Space()); }
void Form::SetScaleTop(Single value) { scale_.SetScaleTop(value, Space()); }
void Form::SetScaleWidth(Single value) { scale_.SetScaleWidth(value, Space()); }
void Form::SetScaleHeight(Single value) { scale_.SetScaleHeight(value, Space()); }

// --- controls

Ref<ControlsCollection> Form::Controls() {
    if (!controls_object_) controls_object_ = MakeRef<ControlsCollection>(*this);
    return controls_object_;
}

void Form::CheckNewName(std::u16string_view name) const {
    if (!IsValidControlName(name)) RaiseRuntimeError(rt::kInvalidProcedureCall);
    if (FindControl(name)) {
        Fail(err::kDuplicateControlName, u"There is already a control with the name '" + String(name) + u"'");
    }
}

Window* Form::ContainerFrom(const ObjectRef& container) const {
    if (!container) return const_cast<Form*>(this);
    auto* w = dynamic_cast<Window*>(container.Get());
    if (!w || !w->IsContainer() || w->OwningForm() != this) InvalidValue();
    return w;
}

Ref<Control> Form::Create(ControlKind kind, std::u16string_view name, Window* container, bool visible) {
    if (container && container != this && (!container->IsContainer() || container->OwningForm() != this)) {
        InvalidValue();
    }
    Ref<Control> c = MakeControl(kind, *this, String(name));
    if (container) c->container_ = container;
    c->visible_ = visible;
    controls_.push_back(c);
    if (TraitsOf(kind).in_tab_order) {
        c->tab_index_ = static_cast<Integer>(tab_order_.size());
        tab_order_.push_back(c.Get());
    }
    return c;
}

Ref<Control> Form::AddControl(ControlKind kind, std::u16string_view name, Window* container) {
    CheckNewName(name);
    return Create(kind, name, container, true);
}

Ref<Control> Form::AddByProgId(std::u16string_view prog_id, std::u16string_view name, ObjectRef container) {
    std::optional<ControlKind> kind = KindFromName(prog_id);
    if (!kind || TraitsOf(*kind).prog_id.size() != prog_id.size()) {
        Fail(err::kInvalidClassString, u"Invalid class string. Looking for object with ProgID: " + String(prog_id));
    }
    Window* parent = ContainerFrom(container);
    CheckNewName(name);
    return Create(*kind, name, parent, false);
}

Ref<ControlArray> Form::AddControlArray(ControlKind kind, std::u16string_view name, Integer count, Window* container) {
    if (count < 1) RaiseRuntimeError(rt::kInvalidProcedureCall);
    CheckNewName(name);
    auto array = MakeRef<ControlArray>(*this, kind, String(name));
    for (Integer i = 0; i < count; ++i) array->Adopt(Create(kind, name, container, true), i, true);
    arrays_.push_back(array);
    return array;
}

void Form::RemoveControl(std::u16string_view name) {
    ObjectRef found = FindControl(name);
    if (!found) Fail(err::kControlNotFound, u"Control '" + String(name) + u"' not found");
    Ref<Control> control = RefCast<Control>(found);
    if (!control) RaiseRuntimeError(rt::kInvalidProcedureCall);  // a whole control array
    std::vector<Ref<Control>> doomed;
    for (const Ref<Control>& c : controls_) {
        if (control->IsInside(c.Get())) doomed.push_back(c);
    }
    for (const Ref<Control>& c : doomed) ForgetControl(*c);
}

void Form::ForgetControl(Control& control) noexcept {
    Ref<Control> hold(&control);
    std::erase(tab_order_, &control);
    RenumberTabOrder();
    std::erase_if(controls_, [&control](const Ref<Control>& c) { return c.Get() == &control; });
    if (active_ == &control) active_ = nullptr;
    Desk().DropFocusOf(control);
    bool docked = control.align_ != 0;
    control.Detach();
    if (docked) {
        try {
            Dock();
        } catch (...) {
            // A Resize handler's failure while the rest re-docks is not the
            // removal's failure.
        }
    }
}

Ref<Control> Form::ControlAt(Long position) const {
    if (position < 0 || static_cast<size_t>(position) >= controls_.size()) {
        RaiseRuntimeError(rt::kSubscriptOutOfRange);
    }
    return controls_[static_cast<size_t>(position)];
}

ObjectRef Form::FindControl(std::u16string_view name) const {
    for (const Ref<ControlArray>& a : arrays_) {
        if (NamesEqual(a->Name(), name)) return ObjectRef(a);
    }
    for (const Ref<Control>& c : controls_) {
        if (!c->Array() && NamesEqual(c->Name(), name)) return ObjectRef(c);
    }
    return ObjectRef();
}

void Form::MoveInTabOrder(Control& control, Integer index) {
    std::erase(tab_order_, &control);
    size_t at = std::min(static_cast<size_t>(index), tab_order_.size());
    tab_order_.insert(tab_order_.begin() + static_cast<std::ptrdiff_t>(at), &control);
    RenumberTabOrder();
}

void Form::RenumberTabOrder() noexcept {
    for (size_t i = 0; i < tab_order_.size(); ++i) tab_order_[i]->tab_index_ = static_cast<Integer>(i);
}

// --- docking

void Form::Dock() {
    if (docking_) {
        // A Resize handler changed the layout again; finish this pass first.
        redock_ = true;
        return;
    }
    SelfRef hold(this);
    docking_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{docking_};
    // A handler that keeps changing sizes cannot keep the layout busy for
    // ever.
    for (int pass = 0; pass < 8; ++pass) {
        redock_ = false;
        std::vector<Ref<Control>> docked;
        for (const Ref<Control>& c : controls_) {
            if (c->align_ != 0 && c->container_ == this) docked.push_back(c);
        }
        std::stable_sort(docked.begin(), docked.end(),
                         [](const Ref<Control>& a, const Ref<Control>& b) { return a->dock_order_ < b->dock_order_; });
        std::vector<DockedBounds> layout;
        layout.reserve(docked.size());
        for (const Ref<Control>& c : docked) {
            const Control::Bounds& b = c->bounds_;
            layout.push_back({c->align_, c->visible_, b.left, b.top, b.width, b.height});
        }
        LayOutDocked(layout, ClientWidthTwips(), ClientHeightTwips());
        for (size_t i = 0; i < docked.size(); ++i) {
            const DockedBounds& d = layout[i];
            docked[i]->ApplyBounds({d.left, d.top, d.width, d.height}, true);
        }
        if (!redock_) break;
    }
}

// --- focus

Control* Form::FirstFocusable() const {
    for (Control* c : tab_order_) {
        if (c->TabStop() && c->CanTakeFocus()) return c;
    }
    return nullptr;
}

void Form::Activate() {
    Control* target = (active_ && active_->CanTakeFocus()) ? active_ : FirstFocusable();
    if (target) Desk().MoveFocus(*target);
}

void Form::SetFocus() {
    if (!visible_ || !Enabled()) RaiseRuntimeError(rt::kInvalidProcedureCall);
    Activate();
}

Control* Form::DefaultButton() const {
    for (const Ref<Control>& c : controls_) {
        auto* b = dynamic_cast<CommandButton*>(c.Get());
        if (b && b->Default() && b->ReachableByUser()) return b;
    }
    return nullptr;
}

Control* Form::CancelButton() const {
    for (const Ref<Control>& c : controls_) {
        auto* b = dynamic_cast<CommandButton*>(c.Get());
        if (b && b->Cancel() && b->ReachableByUser()) return b;
    }
    return nullptr;
}

}  // namespace quibor15::headless
