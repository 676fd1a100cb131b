// Forms and what they share with controls: events, fonts, colours.
#include <algorithm>
#include <cmath>

#include "platform/headless/dock.hpp"
#include "platform/headless/names.hpp"
#include "platform/win32/forms_engine.hpp"
#include "platform/win32/forms_members.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::win32::forms {

namespace {

constexpr DispId kLostFocus = 7;

struct EventName {
    DispId id;
    std::u16string_view name;
};
constexpr EventName kEventNames[] = {
    {ev::kClick, u"Click"},         {ev::kDblClick, u"DblClick"},
    {ev::kKeyDown, u"KeyDown"},     {ev::kKeyPress, u"KeyPress"},
    {ev::kKeyUp, u"KeyUp"},         {ev::kLoad, u"Load"},
    {ev::kResize, u"Resize"},       {ev::kUnload, u"Unload"},
    {ev::kGotFocus, u"GotFocus"},   {ev::kQueryUnload, u"QueryUnload"},
    {ev::kChange, u"Change"},       {kLostFocus, u"LostFocus"},
    {ev::kMouseDown, u"MouseDown"}, {ev::kMouseMove, u"MouseMove"},
    {ev::kMouseUp, u"MouseUp"},
};

[[noreturn]] void InvalidValue() { headless::Fail(380, u"Invalid property value"); }

// The standard font object of a form or control: the window's own font
// attributes under the standard font members and DISPIDs (Name 0, Size 2,
// Bold 3, Italic 4, Underline 5, Strikethrough 6, Weight 7, Charset 8).
class WindowFont final : public Object {
public:
    explicit WindowFont(Window& owner) : owner_(&owner) {}
    void Detach() noexcept { owner_ = nullptr; }

    String TypeName() const override { return u"Font"; }
    DispId GetIdOfName(std::u16string_view name) override {
        static constexpr std::pair<std::u16string_view, DispId> kMembers[] = {
            {u"Name", 0},      {u"Size", 2},          {u"Bold", 3},   {u"Italic", 4},
            {u"Underline", 5}, {u"Strikethrough", 6}, {u"Weight", 7}, {u"Charset", 8},
        };
        for (const auto& [member, id] : kMembers) {
            if (headless::NamesEqual(member, name)) return id;
        }
        return kDispIdUnknown;
    }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!owner_) RaiseRuntimeError(rt::kObjectNotSet);
        FontAttributes font = owner_->FontOf();
        if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) {
            if (args.empty()) RaiseRuntimeError(rt::kArgumentNotOptional);
            const Variant& value = args.back().Deref();
            switch (id) {
                case 0:
                    font.name = VariantToString(value);
                    break;
                case 2: {
                    const double size = VariantToDouble(value);
                    if (size <= 0 || size > 2160) InvalidValue();
                    font.size = size;
                    break;
                }
                case 3:
                    font.bold = static_cast<bool>(VariantToBoolean(value));
                    break;
                case 4:
                    font.italic = static_cast<bool>(VariantToBoolean(value));
                    break;
                case 5:
                    font.underline = static_cast<bool>(VariantToBoolean(value));
                    break;
                case 6:
                    font.strikethru = static_cast<bool>(VariantToBoolean(value));
                    break;
                case 7:
                    font.bold = VariantToInteger(value) >= 550;
                    break;
                case 8:
                    break;
                default:
                    RaiseRuntimeError(rt::kMemberNotSupported);
            }
            owner_->SetFontAttributes(std::move(font));
            return Variant();
        }
        switch (id) {
            case 0:
                return Variant(font.name);
            case 2:
                return Variant(Currency{static_cast<int64_t>(std::llround(font.size * 10000))});
            case 3:
                return Variant(Boolean::From(font.bold));
            case 4:
                return Variant(Boolean::From(font.italic));
            case 5:
                return Variant(Boolean::From(font.underline));
            case 6:
                return Variant(Boolean::From(font.strikethru));
            case 7:
                return Variant(Integer{static_cast<Integer>(font.bold ? 700 : 400)});
            case 8:
                return Variant(Integer{0});
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    Window* owner_;
};

}  // namespace

// --- Window

Window::Window(Engine& engine, String name) : name_(std::move(name)), engine_(&engine) {}

Window::~Window() {
    DestroyWindow();
    if (auto* font = static_cast<WindowFont*>(font_object_.Get())) font->Detach();
}

String Window::EventName(DispId id) const {
    for (const auto& e : kEventNames) {
        if (e.id == id) return String(e.name);
    }
    return String();
}

void Window::Raise(DispId id, std::initializer_list<Variant*> values) {
    SelfRef hold(this);
    std::vector<Variant> refs;
    refs.reserve(values.size());
    for (Variant* v : values) refs.push_back(Variant::ByRef(*v));
    Deliver(id, refs);
}

void Window::Deliver(DispId id, std::span<Variant> refs) { sinks_.Raise(id, refs); }

void Window::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    ApplyFont();
    if (!enabled_) EnableWindow(hwnd_, FALSE);
}

void Window::DestroyWindow() noexcept {
    if (hwnd_) {
        HWND hwnd = std::exchange(hwnd_, nullptr);
        engine_->Forget(hwnd);
        ::DestroyWindow(hwnd);
    }
    engine_->DeleteFontObject(std::exchange(hfont_, nullptr));
}

void Window::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void Window::SetBackColor(Long color) {
    back_color_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

COLORREF Window::ColorRef(Long color) {
    const auto value = static_cast<uint32_t>(color);
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return static_cast<COLORREF>(value & 0xFFFFFF);
}

void Window::SetFontAttributes(FontAttributes font) {
    font_ = std::move(font);
    ApplyFont();
}

void Window::ApplyFont() {
    if (!hwnd_) return;
    HFONT font = engine_->MakeFont(font_);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    engine_->DeleteFontObject(std::exchange(hfont_, font));
}

ObjectRef Window::FontObject() {
    if (!font_object_) font_object_ = ObjectRef(new WindowFont(*this));
    return font_object_;
}

// --- Form

namespace {

double Tpp(bool vertical) { return TwipsPerPixel(vertical); }
int Pixels(double twips, bool vertical) { return static_cast<int>(std::lround(twips / Tpp(vertical))); }

}  // namespace

Form::Form(Engine& engine, String name) : Window(engine, std::move(name)) {
    Attach(engine.CreateTopLevel(Style(), ExStyle(), *this));
    Place();
}

Form::~Form() {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) (*it)->Detach();
    for (auto& array : arrays_) array->Detach();
    if (controls_object_) controls_object_->Detach();
}

DWORD Form::Style() const {
    DWORD style = WS_CLIPCHILDREN | (visible_ ? WS_VISIBLE : 0);
    switch (border_style_) {
        case 0:
            return style | WS_POPUP;
        case 1:
            style |= WS_POPUP | WS_CAPTION;
            break;
        case 2:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
            break;
        case 3:
            style |= WS_POPUP | WS_CAPTION | DS_MODALFRAME;
            break;
        case 4:
            style |= WS_POPUP | WS_CAPTION;
            break;
        default:
            style |= WS_POPUP | WS_CAPTION | WS_THICKFRAME;
            break;
    }
    if (control_box_) style |= WS_SYSMENU;
    if (border_style_ == 1 || border_style_ == 2) {
        if (min_button_) style |= WS_MINIMIZEBOX;
        if (max_button_) style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD Form::ExStyle() const {
    DWORD ex = show_in_taskbar_ ? WS_EX_APPWINDOW : 0;
    if (border_style_ == 3) ex |= WS_EX_DLGMODALFRAME;
    if (border_style_ == 4 || border_style_ == 5) ex |= WS_EX_TOOLWINDOW;
    return ex;
}

void Form::ApplyStyle() {
    if (!Hwnd()) return;
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(Style()));
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyle()));
    SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Place();
}

void Form::Place() {
    if (!Hwnd()) return;
    placing_ = true;
    SetWindowPos(Hwnd(), nullptr, Pixels(left_, false), Pixels(top_, true), Pixels(width_, false),
                 Pixels(height_, true), SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
}

double Form::ClientWidthTwips() const {
    RECT r = {0, 0, 0, 0};
    if (Hwnd()) {
        GetClientRect(Hwnd(), &r);
        return r.right * Tpp(false);
    }
    AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
    return std::max(0.0, width_ - (r.right - r.left) * Tpp(false));
}

double Form::ClientHeightTwips() const {
    RECT r = {0, 0, 0, 0};
    if (Hwnd()) {
        GetClientRect(Hwnd(), &r);
        return r.bottom * Tpp(true);
    }
    AdjustWindowRectEx(&r, Style(), FALSE, ExStyle());
    return std::max(0.0, height_ - (r.bottom - r.top) * Tpp(true));
}

CoordinateSpace Form::Space() const {
    return scale_.Space(ClientWidthTwips(), ClientHeightTwips(), Tpp(false), Tpp(true));
}

void Form::SetScaleMode(Integer mode) {
    scale_.SetMode(mode, ClientWidthTwips(), ClientHeightTwips(), Tpp(false), Tpp(true));
}

void Form::Move(double left, std::optional<double> top, std::optional<double> width, std::optional<double> height) {
    if (window_state_ != 0) headless::Fail(384, u"A form can't be moved or sized while minimized or maximized");
    const double w = width.value_or(width_), h = height.value_or(height_);
    if (w < 0 || h < 0) InvalidValue();
    left_ = left;
    top_ = top.value_or(top_);
    width_ = w;
    height_ = h;
    Place();
}

void Form::OnSized() {
    if (!placing_ && Hwnd() && window_state_ == 0) {
        RECT r;
        GetWindowRect(Hwnd(), &r);
        width_ = (r.right - r.left) * Tpp(false);
        height_ = (r.bottom - r.top) * Tpp(true);
    }
    Dock();
    if (visible_ && shown_once_) Raise(ev::kResize);
}

void Form::Dock() {
    if (docking_ || !Hwnd()) return;
    SelfRef hold(this);
    docking_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{docking_};
    std::vector<Ref<Control>> docked;
    for (const Ref<Control>& c : controls_) {
        if (c->Align() != 0 && c->ContainerWindow() == this) docked.push_back(c);
    }
    std::stable_sort(docked.begin(), docked.end(),
                     [](const Ref<Control>& a, const Ref<Control>& b) { return a->DockOrder() < b->DockOrder(); });
    std::vector<headless::DockedBounds> layout;
    layout.reserve(docked.size());
    for (const Ref<Control>& c : docked) {
        const CoordinateSpace s = Space();
        layout.push_back({c->Align(), c->Visible(), s.ToTwipsX(c->Left()), s.ToTwipsY(c->Top()),
                          s.WidthToTwips(c->Width()), s.HeightToTwips(c->Height())});
    }
    headless::LayOutDocked(layout, ClientWidthTwips(), ClientHeightTwips());
    for (size_t i = 0; i < docked.size(); ++i) {
        const headless::DockedBounds& d = layout[i];
        docked[i]->SetDockedBounds(d.left, d.top, d.width, d.height);
    }
}

void Form::SetCaption(String caption) {
    caption_ = std::move(caption);
    if (Hwnd()) SetWindowTextW(Hwnd(), reinterpret_cast<const wchar_t*>(caption_.c_str()));
}

void Form::SetBorderStyle(Integer style) {
    if (style < 0 || style > 5) InvalidValue();
    border_style_ = style;
    ApplyStyle();
}

void Form::SetControlBox(bool on) {
    control_box_ = on;
    ApplyStyle();
}
void Form::SetMinButton(bool on) {
    min_button_ = on;
    ApplyStyle();
}
void Form::SetMaxButton(bool on) {
    max_button_ = on;
    ApplyStyle();
}
void Form::SetShowInTaskbar(bool on) {
    show_in_taskbar_ = on;
    ApplyStyle();
}

void Form::SetWindowState(Integer state) {
    if (state < 0 || state > 2) InvalidValue();
    window_state_ = state;
    if (Hwnd() && visible_) ShowWindow(Hwnd(), state == 1 ? SW_MINIMIZE : state == 2 ? SW_MAXIMIZE : SW_RESTORE);
}

// --- loading and display

void Form::Load() {
    if (loaded_) return;
    SelfRef hold(this);
    if (!Hwnd()) {
        // Loaded again after an unload: a new window, without the controls
        // of before.
        Attach(Eng().CreateTopLevel(Style(), ExStyle(), *this));
        SetCaption(caption_);
        Place();
    }
    loaded_ = true;
    Raise(ev::kLoad);
}

void Form::Show(bool modal) {
    SelfRef hold(this);
    if (modal) {
        Eng().RunModal(*this);
        return;
    }
    Load();
    if (!loaded_ || visible_) return;  // the Load handler unloaded it
    visible_ = true;
    ShowWindow(Hwnd(), window_state_ == 1 ? SW_SHOWMINIMIZED : window_state_ == 2 ? SW_SHOWMAXIMIZED : SW_SHOW);
    SetForegroundWindow(Hwnd());
    if (!shown_once_) {
        shown_once_ = true;
        Raise(ev::kResize);
    }
    if (!loaded_ || !visible_) return;
    if (!ActiveControl()) {
        if (Control* first = NextInTabOrder(nullptr, false)) first->SetFocus();
    }
}

void Form::Hide() {
    SelfRef hold(this);
    Load();
    visible_ = false;
    if (Hwnd()) ShowWindow(Hwnd(), SW_HIDE);
    Eng().FormClosed();
}

void Form::SetVisible(bool visible) {
    if (visible) {
        Show(false);
    } else {
        Hide();
    }
}

bool Form::Unload(Integer mode) {
    if (unloading_) return false;
    SelfRef hold(this);
    if (loaded_) {
        unloading_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{unloading_};
        Variant cancel(Integer{0});
        Variant unload_mode(mode);
        Raise(ev::kQueryUnload, {&cancel, &unload_mode});
        if (VariantToInteger(cancel) != 0) return false;
        Raise(ev::kUnload, {&cancel});
        if (VariantToInteger(cancel) != 0) return false;
    }
    // A form designed but never loaded has its windows all the same.
    loaded_ = false;
    visible_ = false;
    shown_once_ = false;
    // The windows go; the controls with them.
    std::vector<Ref<Control>> controls = std::exchange(controls_, {});
    tab_order_.clear();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) (*it)->Detach();
    for (auto& array : std::exchange(arrays_, {})) array->Detach();
    if (controls_object_) std::exchange(controls_object_, {})->Detach();
    DestroyWindow();
    Eng().FormClosed();
    return true;
}

// --- controls

Ref<ControlsCollection> Form::Controls() {
    if (!controls_object_) controls_object_ = MakeRef<ControlsCollection>(*this);
    return controls_object_;
}

void Form::CheckNewName(std::u16string_view name) const {
    if (!headless::IsValidControlName(name)) RaiseRuntimeError(rt::kInvalidProcedureCall);
    if (FindControl(name)) {
        headless::Fail(727, u"There is already a control with the name '" + String(name) + u"'");
    }
}

Window* Form::ContainerFrom(const ObjectRef& container) {
    if (!container || container.Get() == this) return this;
    for (const Ref<Control>& c : controls_) {
        if (c.Get() == container.Get() && (c->KindOf() == Kind::PictureBox || c->KindOf() == Kind::Frame)) {
            return c.Get();
        }
    }
    InvalidValue();
}

Control* Form::Create(Kind kind, std::u16string_view name, Window* container, bool visible) {
    if (!Hwnd()) Load();
    auto control = MakeRef<Control>(*this, kind, String(name), container);
    controls_.push_back(control);
    if (kind != Kind::Image) tab_order_.push_back(control.Get());
    control->SetVisible(visible);
    return control.Get();
}

Ref<Control> Form::AddControl(std::u16string_view prog_id, std::u16string_view name, ObjectRef container,
                              bool visible) {
    const std::optional<Kind> kind = KindFromName(prog_id);
    if (!kind) headless::Fail(711, u"Invalid class string");
    CheckNewName(name);
    return Ref<Control>(Create(*kind, name, ContainerFrom(container), visible));
}

Ref<ControlArray> Form::AddControlArray(std::u16string_view prog_id, std::u16string_view name, Integer count,
                                        ObjectRef container) {
    const std::optional<Kind> kind = KindFromName(prog_id);
    if (!kind) headless::Fail(711, u"Invalid class string");
    CheckNewName(name);
    if (count < 1) InvalidValue();
    Window* in = ContainerFrom(container);
    auto array = MakeRef<ControlArray>(*this, *kind, String(name));
    arrays_.push_back(array);
    for (Integer i = 0; i < count; ++i) array->Adopt(Ref<Control>(Create(*kind, name, in, true)), i, true);
    return array;
}

void Form::RemoveControl(std::u16string_view name) {
    for (const Ref<Control>& c : controls_) {
        if (!headless::NamesEqual(c->Name(), name)) continue;
        if (c->Array()) headless::Fail(362, u"Can't unload controls created at design time");
        Ref<Control> hold = c;
        // The controls inside it go with it.
        std::vector<Ref<Control>> inside;
        for (const Ref<Control>& other : controls_) {
            for (Window* w = other->ContainerWindow(); w && w != this;
                 w = static_cast<Control*>(w)->ContainerWindow()) {
                if (w == hold.Get()) inside.push_back(other);
            }
        }
        for (auto& child : inside) {
            Forget(*child);
            child->Detach();
        }
        Forget(*hold);
        hold->Detach();
        return;
    }
    headless::Fail(730, u"Control '" + String(name) + u"' not found");
}

void Form::Forget(Control& control) noexcept {
    std::erase(tab_order_, &control);
    std::erase_if(controls_, [&](const Ref<Control>& c) { return c.Get() == &control; });
}

ObjectRef Form::FindControl(std::u16string_view name) const {
    for (const Ref<ControlArray>& a : arrays_) {
        if (headless::NamesEqual(a->Name(), name)) return ObjectRef(a);
    }
    for (const Ref<Control>& c : controls_) {
        if (headless::NamesEqual(c->Name(), name)) return ObjectRef(c);
    }
    return ObjectRef();
}

// --- focus

void Form::SetFocus() {
    if (!visible_ || !Enabled()) RaiseRuntimeError(rt::kInvalidProcedureCall);
    if (Ref<Control> active = ActiveControl()) return;
    if (Control* first = NextInTabOrder(nullptr, false)) {
        first->SetFocus();
    } else {
        ::SetFocus(Hwnd());
    }
}

Ref<Control> Form::ActiveControl() const {
    for (HWND hwnd = GetFocus(); hwnd && hwnd != Hwnd(); hwnd = GetParent(hwnd)) {
        if (auto* control = dynamic_cast<Control*>(Eng().Find(hwnd))) {
            if (control->OwningForm() == this) return Ref<Control>(control);
        }
    }
    return Ref<Control>();
}

void Form::MoveInTabOrder(Control& control, Integer index) {
    if (index < 0) InvalidValue();
    std::erase(tab_order_, &control);
    const size_t at = std::min(static_cast<size_t>(index), tab_order_.size());
    tab_order_.insert(tab_order_.begin() + static_cast<std::ptrdiff_t>(at), &control);
}

Integer Form::TabIndexOf(const Control& control) const {
    auto it = std::find(tab_order_.begin(), tab_order_.end(), &control);
    return it == tab_order_.end() ? Integer{0} : static_cast<Integer>(it - tab_order_.begin());
}

Control* Form::NextInTabOrder(Control* from, bool backwards) const {
    const size_t n = tab_order_.size();
    if (n == 0) return nullptr;
    auto it = std::find(tab_order_.begin(), tab_order_.end(), from);
    size_t start = it == tab_order_.end() ? (backwards ? 0 : n - 1) : static_cast<size_t>(it - tab_order_.begin());
    for (size_t step = 1; step <= n; ++step) {
        const size_t i = backwards ? (start + n - step) % n : (start + step) % n;
        if (tab_order_[i]->CanTakeFocus()) return tab_order_[i];
    }
    return nullptr;
}

Control* Form::DefaultButton() const {
    for (const Ref<Control>& c : controls_) {
        if (c->KindOf() == Kind::CommandButton && c->IsDefault() && c->Visible() && c->Enabled()) return c.Get();
    }
    return nullptr;
}

Control* Form::CancelButton() const {
    for (const Ref<Control>& c : controls_) {
        if (c->KindOf() == Kind::CommandButton && c->IsCancel() && c->Visible() && c->Enabled()) return c.Get();
    }
    return nullptr;
}

// --- late binding

namespace {

const headless::MemberTable<Form>& FormMembers() {
    using F = Form;
    using M = headless::MemberDef<F>;
    using headless::Action;
    using headless::Bind;
    using headless::Get;
    static const headless::MemberTable<F> table{
        WindowMembers<F>(),
        {
            Get<F, &Window::Name>(u"Name"),
            Bind<F, &F::Caption, &F::SetCaption>(u"Caption"),
            Bind<F, &F::BorderStyle, &F::SetBorderStyle>(u"BorderStyle"),
            Bind<F, &F::ControlBox, &F::SetControlBox>(u"ControlBox"),
            Bind<F, &F::MinButton, &F::SetMinButton>(u"MinButton"),
            Bind<F, &F::MaxButton, &F::SetMaxButton>(u"MaxButton"),
            Bind<F, &F::ShowInTaskbar, &F::SetShowInTaskbar>(u"ShowInTaskbar"),
            Bind<F, &F::KeyPreview, &F::SetKeyPreview>(u"KeyPreview"),
            Bind<F, &F::WindowState, &F::SetWindowState>(u"WindowState"),
            M::Property(
                u"Icon", [](F& f, headless::Args&) -> Variant { return Variant(f.Icon()); },
                [](F& f, headless::Args&, const Variant& v) { f.SetIcon(v.ObjectOrThrow()); }, headless::kAcceptsSet),
            Bind<F, &F::Left, &F::SetLeft>(u"Left"),
            Bind<F, &F::Top, &F::SetTop>(u"Top"),
            Bind<F, &F::Width, &F::SetWidth>(u"Width"),
            Bind<F, &F::Height, &F::SetHeight>(u"Height"),
            M::Method(
                u"Move",
                [](F& f, headless::Args& a) -> Variant {
                    f.Move(a.Dbl(0), OptionalNumber(a, 1), OptionalNumber(a, 2), OptionalNumber(a, 3));
                    return Variant();
                },
                1, 4),
            Bind<F, &F::ScaleMode, &F::SetScaleMode>(u"ScaleMode"),
            Bind<F, &F::ScaleLeft, &F::SetScaleLeft>(u"ScaleLeft"),
            Bind<F, &F::ScaleTop, &F::SetScaleTop>(u"ScaleTop"),
            Bind<F, &F::ScaleWidth, &F::SetScaleWidth>(u"ScaleWidth"),
            Bind<F, &F::ScaleHeight, &F::SetScaleHeight>(u"ScaleHeight"),
            M::Property(
                u"Controls", [](F& f, headless::Args&) -> Variant { return Variant(ObjectRef(f.Controls())); },
                nullptr),
            M::Method(
                u"AddControlArray",
                [](F& f, headless::Args& a) -> Variant {
                    return Variant(
                        ObjectRef(f.AddControlArray(a.Str(0), a.Str(1), a.Int(2), a.Has(3) ? a.Obj(3) : ObjectRef())));
                },
                3, 4),
            M::Method(
                u"Show",
                [](F& f, headless::Args& a) -> Variant {
                    f.Show(a.Has(0) && a.Int(0) == 1);
                    return Variant();
                },
                0, 2),
            Action<F, &F::Hide>(u"Hide"),
            Bind<F, &F::Visible, &F::SetVisible>(u"Visible"),
            Action<F, &F::SetFocus>(u"SetFocus"),
            M::Property(
                u"ActiveControl",
                [](F& f, headless::Args&) -> Variant { return Variant(ObjectRef(f.ActiveControl())); }, nullptr),
            M::Method(
                u"Refresh",
                [](F& f, headless::Args&) -> Variant {
                    if (f.Hwnd())
                        RedrawWindow(f.Hwnd(), nullptr, nullptr,
                                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASE);
                    return Variant();
                },
                0, 0),
        }};
    return table;
}

}  // namespace

DispId Form::GetIdOfName(std::u16string_view name) { return FormMembers().IdOf(name); }

Variant Form::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    return FormMembers().Invoke(*this, id, flags, args);
}

}  // namespace quibor15::win32::forms
