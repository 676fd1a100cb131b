// The intrinsic controls on real windows, control arrays and the Controls
// collection.
#include <algorithm>
#include <cmath>

#include "platform/headless/names.hpp"
#include "platform/win32/dispatch_object.hpp"
#include "platform/win32/forms_engine.hpp"
#include "platform/win32/forms_members.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15::win32::forms {

namespace {

using headless::Fail;
using headless::NamesEqual;

constexpr DispId kLostFocus = 7;
// A drop-down combo box's window includes its list.
constexpr int kComboListPixels = 160;

[[noreturn]] void InvalidValue() { Fail(380, u"Invalid property value"); }

struct KindInfo {
    Kind kind;
    std::u16string_view type_name;
    double width, height;  // a new control, twips
};
constexpr KindInfo kKinds[] = {
    {Kind::PictureBox, u"PictureBox", 1215, 1215},
    {Kind::Label, u"Label", 1215, 375},
    {Kind::CommandButton, u"CommandButton", 1215, 375},
    {Kind::TextBox, u"TextBox", 1215, 375},
    {Kind::ComboBox, u"ComboBox", 1215, 315},
    {Kind::Frame, u"Frame", 1215, 1215},
    {Kind::Image, u"Image", 1215, 1215},
};
const KindInfo& InfoOf(Kind kind) {
    for (const KindInfo& k : kKinds) {
        if (k.kind == kind) return k;
    }
    return kKinds[0];
}

double Tpp(bool vertical) { return TwipsPerPixel(vertical); }
int Pixels(double twips, bool vertical) { return static_cast<int>(std::lround(twips / Tpp(vertical))); }

const wchar_t* Wide(const String& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

String WindowText(HWND hwnd) {
    const int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), n + 1);
    return String(reinterpret_cast<const char16_t*>(text.data()), static_cast<size_t>(std::max(got, 0)));
}

}  // namespace

std::optional<Kind> KindFromName(std::u16string_view name) noexcept {
    if (name.size() > 3 && NamesEqual(name.substr(0, 3), u"VB.")) name.remove_prefix(3);
    for (const KindInfo& k : kKinds) {
        if (NamesEqual(k.type_name, name)) return k.kind;
    }
    return std::nullopt;
}

// --- Control

Control::Control(Form& form, Kind kind, String name, Window* container)
    : Window(form.Eng(), std::move(name)), kind_(kind), form_(&form), container_(container) {
    width_ = InfoOf(kind).width;
    height_ = InfoOf(kind).height;
    SetFontAttributes(form.FontOf());
    if (kind == Kind::TextBox || kind == Kind::ComboBox) SetBackColor(static_cast<Long>(0x80000005));
    CreateWindowFor();
}

Control::~Control() = default;

String Control::TypeName() const { return String(InfoOf(kind_).type_name); }

void Control::CreateWindowFor() {
    const DWORD hidden = 0;
    HWND parent = container_->Hwnd();
    Engine& engine = Eng();
    HWND hwnd = nullptr;
    switch (kind_) {
        case Kind::CommandButton:
            hwnd = engine.CreateChild(L"BUTTON", hidden | BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP, 0, parent, *this);
            break;
        case Kind::Label:
            // SS_NOTIFY: the label takes the mouse instead of letting it
            // through to its container.
            hwnd = engine.CreateChild(L"STATIC", hidden | SS_LEFT | SS_NOTIFY, 0, parent, *this);
            engine.Subclass(hwnd, *this);
            break;
        case Kind::TextBox:
            hwnd = engine.CreateChild(L"EDIT", hidden | ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP, WS_EX_CLIENTEDGE, parent,
                                      *this);
            break;
        case Kind::ComboBox:
            hwnd = engine.CreateChild(L"COMBOBOX", hidden | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0,
                                      parent, *this);
            break;
        case Kind::PictureBox:
            hwnd = engine.CreateChild(Engine::ContainerClass(), hidden | WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CLIENTEDGE,
                                      parent, *this);
            break;
        case Kind::Frame:
            hwnd = engine.CreateChild(Engine::ContainerClass(), hidden | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent,
                                      *this);
            break;
        case Kind::Image:
            hwnd = engine.CreateChild(Engine::ContainerClass(), hidden, WS_EX_TRANSPARENT, parent, *this);
            break;
    }
    Attach(hwnd);
    Place();
}

void Control::Detach() noexcept {
    form_ = nullptr;
    container_ = nullptr;
    array_ = nullptr;
    DestroyWindow();
}

bool Control::OwnsKeyWindow(HWND hwnd) const noexcept { return hwnd == Hwnd() || (hwnd && GetParent(hwnd) == Hwnd()); }

HWND Control::EditWindow() const noexcept {
    if (kind_ != Kind::ComboBox || !Hwnd()) return Hwnd();
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(Hwnd(), &info) && info.hwndItem) return info.hwndItem;
    return Hwnd();
}

void Control::Deliver(DispId id, std::span<Variant> refs) {
    SelfRef hold(this);
    Window::Deliver(id, refs);
    if (array_) {
        Ref<ControlArray> keep(array_);
        keep->Deliver(index_, id, refs);
    }
}

void Control::OnCommand(WORD code) {
    switch (kind_) {
        case Kind::CommandButton:
            if (code == BN_CLICKED) Click();
            if (code == BN_SETFOCUS) Raise(ev::kGotFocus);
            if (code == BN_KILLFOCUS) Raise(kLostFocus);
            break;
        case Kind::ComboBox:
            if (code == CBN_SELCHANGE) Raise(ev::kClick);
            if (code == CBN_EDITCHANGE) Raise(ev::kChange);
            if (code == CBN_DBLCLK) Raise(ev::kDblClick);
            if (code == CBN_SETFOCUS) Raise(ev::kGotFocus);
            if (code == CBN_KILLFOCUS) Raise(kLostFocus);
            break;
        case Kind::TextBox:
            if (code == EN_CHANGE) Raise(ev::kChange);
            if (code == EN_SETFOCUS) Raise(ev::kGotFocus);
            if (code == EN_KILLFOCUS) Raise(kLostFocus);
            break;
        default:
            break;
    }
}

namespace {

// Draws a picture object of the system's kind (IPicture) over the client
// area's top left corner at its own size.
void DrawPicture(HDC dc, const ObjectRef& picture) {
    auto* object = dynamic_cast<DispatchObject*>(picture.Get());
    if (!object) return;
    IPicture* p = nullptr;
    if (FAILED(object->Get()->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&p))) || !p) return;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    p->get_Width(&w);
    p->get_Height(&h);
    // HIMETRIC (0.01 mm) to pixels.
    const int px = MulDiv(w, GetDeviceCaps(dc, LOGPIXELSX), 2540);
    const int py = MulDiv(h, GetDeviceCaps(dc, LOGPIXELSY), 2540);
    p->Render(dc, 0, 0, px, py, 0, h, w, -h, nullptr);
    p->Release();
}

}  // namespace

void Control::Paint(HDC dc) {
    if (picture_) DrawPicture(dc, picture_);
    if (kind_ == Kind::Frame && border_style_ == 0) return;
    if (kind_ == Kind::Frame) {
        // A group box: an etched edge below the caption's middle, the caption
        // on it.
        RECT r;
        GetClientRect(Hwnd(), &r);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0));
        HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        RECT edge = r;
        edge.top += tm.tmHeight / 2;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        if (!caption_.empty()) {
            SetBkColor(dc, BackColorRef());
            SetTextColor(dc, GetSysColor(Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
            RECT text = {r.left + 8, r.top, r.right - 8, r.top + tm.tmHeight};
            DrawTextW(dc, Wide(caption_), static_cast<int>(caption_.size()), &text,
                      DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
        }
        if (old) SelectObject(dc, old);
    } else if (kind_ == Kind::PictureBox && border_style_ != 0) {
        // The edge of the drawing area (the map of a desktop shows where
        // its monitors' buttons stand).
        RECT r;
        GetClientRect(Hwnd(), &r);
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    }
}

// --- placement

CoordinateSpace Control::ContainerSpace() const {
    if (!container_) RaiseRuntimeError(rt::kObjectNotSet);
    if (auto* form = dynamic_cast<Form*>(container_)) return form->Space();
    return static_cast<Control*>(container_)->Space();
}

CoordinateSpace Control::Space() const {
    return scale_.Space(ClientWidthTwips(), ClientHeightTwips(), Tpp(false), Tpp(true));
}

void Control::SetScaleMode(Integer mode) {
    scale_.SetMode(mode, ClientWidthTwips(), ClientHeightTwips(), Tpp(false), Tpp(true));
}

double Control::ClientWidthTwips() const {
    if (!Hwnd()) return width_;
    RECT r;
    GetClientRect(Hwnd(), &r);
    return r.right * Tpp(false);
}

double Control::ClientHeightTwips() const {
    if (!Hwnd()) return height_;
    RECT r;
    GetClientRect(Hwnd(), &r);
    return r.bottom * Tpp(true);
}

Single Control::Left() const { return static_cast<Single>(ContainerSpace().ToUnitsX(left_)); }
Single Control::Top() const { return static_cast<Single>(ContainerSpace().ToUnitsY(top_)); }
Single Control::Width() const { return static_cast<Single>(ContainerSpace().WidthToUnits(width_)); }
Single Control::Height() const { return static_cast<Single>(ContainerSpace().HeightToUnits(height_)); }
void Control::SetLeft(Single v) { Move(v); }
void Control::SetTop(Single v) { Move(Left(), v); }
void Control::SetWidth(Single v) { Move(Left(), Top(), v); }
void Control::SetHeight(Single v) { Move(Left(), Top(), Width(), v); }

void Control::Move(double left, std::optional<double> top, std::optional<double> width, std::optional<double> height) {
    const CoordinateSpace space = ContainerSpace();
    const double w = width ? space.WidthToTwips(*width) : width_;
    const double h = height ? space.HeightToTwips(*height) : height_;
    if (w < 0 || h < 0) InvalidValue();
    left_ = space.ToTwipsX(left);
    if (top) top_ = space.ToTwipsY(*top);
    width_ = w;
    height_ = h;
    Place();
    // A docked control keeps only its depth; the form places the rest.
    if (align_ != 0 && form_) form_->Dock();
}

void Control::SetDockedBounds(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Place();
}

void Control::SetContainer(const ObjectRef& target) {
    if (!form_) RaiseRuntimeError(rt::kObjectNotSet);
    if (!target) InvalidValue();
    Window* into = form_->ContainerFrom(target);
    for (Window* w = into; w && w != form_; w = static_cast<Control*>(w)->container_) {
        if (w == this) InvalidValue();
    }
    if (into == container_) return;
    SelfRef hold(this);
    container_ = into;
    // Only the form docks its controls.
    if (align_ != 0 && into != form_) align_ = 0;
    if (Hwnd()) SetParent(Hwnd(), into->Hwnd());
    Place();
    form_->Dock();
}

void Control::SetAlign(Integer align) {
    if (align < 0 || align > 4 || kind_ != Kind::PictureBox) InvalidValue();
    if (align != 0 && container_ != form_) InvalidValue();
    align_ = align;
    if (align != 0 && form_) dock_order_ = form_->NextDockOrder();
    if (form_) form_->Dock();
}

// --- borders, backgrounds and pictures

void Control::SetBorderStyle(Integer style) {
    if (style != 0 && style != 1) InvalidValue();
    border_style_ = style;
    ApplyBorder();
}

void Control::SetAppearance(Integer appearance) {
    if (appearance != 0 && appearance != 1) InvalidValue();
    appearance_ = appearance;
    ApplyBorder();
}

// A picture box's border: sunken in 3D, a line when flat, none at 0. A
// frame draws its own edge.
void Control::ApplyBorder() {
    if (!Hwnd()) return;
    if (kind_ == Kind::PictureBox) {
        auto style = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE)) & ~static_cast<DWORD>(WS_BORDER);
        auto ex = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE)) & ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
        if (border_style_ == 1) {
            if (appearance_ == 1) {
                ex |= WS_EX_CLIENTEDGE;
            } else {
                style |= WS_BORDER;
            }
        }
        SetWindowLongPtrW(Hwnd(), GWL_STYLE, static_cast<LONG_PTR>(style));
        SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, static_cast<LONG_PTR>(ex));
        SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void Control::SetBackStyle(Integer style) {
    if (style != 0 && style != 1) InvalidValue();
    back_style_ = style;
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
}

void Control::SetPicture(ObjectRef picture) {
    picture_ = std::move(picture);
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
}

// --- the mouse

std::pair<Single, Single> Control::EventPoint(LPARAM lparam) const {
    const double x = static_cast<short>(LOWORD(lparam)) * Tpp(false);
    const double y = static_cast<short>(HIWORD(lparam)) * Tpp(true);
    if (kind_ == Kind::PictureBox) {
        const CoordinateSpace s = Space();
        return {static_cast<Single>(s.ToUnitsX(x)), static_cast<Single>(s.ToUnitsY(y))};
    }
    const CoordinateSpace s = ContainerSpace();
    return {static_cast<Single>(s.WidthToUnits(x)), static_cast<Single>(s.HeightToUnits(y))};
}

// MouseDown, MouseMove and MouseUp with Button (1 left, 2 right, 4 middle;
// for a move the buttons held), Shift (1 Shift, 2 Ctrl, 4 Alt), X and Y;
// a left button let go over the control is also its Click. The control
// keeps the mouse from a press to its release.
void Control::OnMouse(UINT message, WPARAM wparam, LPARAM lparam) {
    SelfRef hold(this);
    Integer button = 0;
    DispId id = ev::kMouseMove;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            id = ev::kMouseDown;
            button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
            SetCapture(Hwnd());
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            id = ev::kMouseUp;
            button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
            if (GetCapture() == Hwnd()) ReleaseCapture();
            break;
        case WM_MOUSEMOVE:
            button = static_cast<Integer>(((wparam & MK_LBUTTON) ? 1 : 0) | ((wparam & MK_RBUTTON) ? 2 : 0) |
                                          ((wparam & MK_MBUTTON) ? 4 : 0));
            break;
        case WM_LBUTTONDBLCLK:
            Raise(ev::kDblClick);
            return;
        default:
            return;
    }
    Integer shift = static_cast<Integer>(((wparam & MK_SHIFT) ? 1 : 0) | ((wparam & MK_CONTROL) ? 2 : 0) |
                                         (GetKeyState(VK_MENU) < 0 ? 4 : 0));
    const auto [x, y] = EventPoint(lparam);
    Variant vb(button), vs(shift), vx(x), vy(y);
    Raise(id, {&vb, &vs, &vx, &vy});
    if (message == WM_LBUTTONUP && Hwnd()) {
        POINT p = {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
        RECT r;
        GetClientRect(Hwnd(), &r);
        if (PtInRect(&r, p)) Raise(ev::kClick);
    }
}

void Control::Place() {
    if (!Hwnd()) return;
    int height = Pixels(height_, true);
    if (kind_ == Kind::ComboBox) height += kComboListPixels;
    MoveWindow(Hwnd(), Pixels(left_, false), Pixels(top_, true), Pixels(width_, false), height, TRUE);
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (Hwnd()) ShowWindow(Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
    if (align_ != 0 && form_) form_->Dock();
}

bool Control::CanTakeFocus() const {
    if (kind_ == Kind::Label || kind_ == Kind::Frame || kind_ == Kind::Image) return false;
    if (!tab_stop_ || !Hwnd()) return false;
    for (const Window* w = this; w;
         w = dynamic_cast<const Control*>(w) ? static_cast<const Control*>(w)->container_ : nullptr) {
        if (!w->Enabled()) return false;
        if (auto* c = dynamic_cast<const Control*>(w); c && !c->visible_) return false;
    }
    return form_ && form_->Enabled();
}

void Control::SetFocus() {
    if (!form_ || !form_->Visible() || !Hwnd() || !visible_ || !Enabled()) {
        RaiseRuntimeError(rt::kInvalidProcedureCall);
    }
    ::SetFocus(Hwnd());
}

// --- texts

String Control::Caption() const { return caption_; }

void Control::SetCaption(String caption) {
    caption_ = std::move(caption);
    if (!Hwnd()) return;
    SetWindowTextW(Hwnd(), Wide(caption_));
    if (kind_ == Kind::Frame) InvalidateRect(Hwnd(), nullptr, TRUE);
}

String Control::Text() const { return Hwnd() ? WindowText(Hwnd()) : String(); }

void Control::SetText(String text) {
    if (!Hwnd()) return;
    SelfRef hold(this);
    SetWindowTextW(Hwnd(), Wide(text));
    // A combo box's edit tells nobody of a change by code.
    if (kind_ == Kind::ComboBox) Raise(ev::kChange);
}

Long Control::SelStart() const {
    DWORD start = 0, end = 0;
    SendMessageW(Hwnd(), kind_ == Kind::ComboBox ? CB_GETEDITSEL : EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<Long>(start);
}

Long Control::SelLength() const {
    DWORD start = 0, end = 0;
    SendMessageW(Hwnd(), kind_ == Kind::ComboBox ? CB_GETEDITSEL : EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<Long>(end - start);
}

void Control::SetSelStart(Long start) {
    if (start < 0) InvalidValue();
    const Long length = static_cast<Long>(Text().size());
    const Long at = std::min(start, length);
    if (kind_ == Kind::ComboBox) {
        SendMessageW(Hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(at, at));
    } else {
        SendMessageW(Hwnd(), EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at));
    }
}

void Control::SetSelLength(Long length) {
    if (length < 0) InvalidValue();
    const Long start = SelStart();
    const Long end = std::min(CheckedAdd(start, length), static_cast<Long>(Text().size()));
    if (kind_ == Kind::ComboBox) {
        SendMessageW(Hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    } else {
        SendMessageW(Hwnd(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }
}

void Control::SetLocked(bool locked) {
    locked_ = locked;
    if (kind_ == Kind::TextBox && Hwnd()) SendMessageW(Hwnd(), EM_SETREADONLY, locked ? TRUE : FALSE, 0);
}

// --- lists

void Control::AddItem(const String& item, std::optional<Long> index) {
    if (index && (*index < 0 || *index > ListCount())) InvalidValue();
    const LRESULT r =
        index ? SendMessageW(Hwnd(), CB_INSERTSTRING, static_cast<WPARAM>(*index), reinterpret_cast<LPARAM>(Wide(item)))
              : SendMessageW(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
    if (r == CB_ERRSPACE) Fail(7, u"Out of memory");
}

void Control::Clear() {
    SendMessageW(Hwnd(), CB_RESETCONTENT, 0, 0);
    SetWindowTextW(Hwnd(), L"");
}

Long Control::ListCount() const { return static_cast<Long>(SendMessageW(Hwnd(), CB_GETCOUNT, 0, 0)); }

String Control::ListItem(Long index) const {
    if (index < 0 || index >= ListCount()) return String();
    const LRESULT n = SendMessageW(Hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == CB_ERR) return String();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const LRESULT got =
        SendMessageW(Hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return String(reinterpret_cast<const char16_t*>(text.data()), got > 0 ? static_cast<size_t>(got) : 0);
}

Long Control::ListIndex() const { return static_cast<Long>(SendMessageW(Hwnd(), CB_GETCURSEL, 0, 0)); }

void Control::SetListIndex(Long index) {
    if (index < -1 || index >= ListCount()) InvalidValue();
    SelfRef hold(this);
    SendMessageW(Hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // The list tells nobody of a choice by code; the forms runtime does.
    if (index >= 0) Raise(ev::kClick);
}

void Control::SetDefault(bool on) {
    default_ = on;
    if (!form_) return;
    for (const Ref<Control>& c : form_->AllControls()) {
        if (c->kind_ != Kind::CommandButton) continue;
        if (on && c.Get() != this) c->default_ = false;
        if (c->Hwnd()) SendMessageW(c->Hwnd(), BM_SETSTYLE, c->default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

// --- control arrays

Integer Control::Index() const {
    if (!array_) Fail(343, u"Object not an array");
    return index_;
}

void Control::CopyFrom(const Control& other) {
    SetFontAttributes(other.FontOf());
    SetEnabled(other.Enabled());
    SetBackColor(other.BackColor());
    SetForeColor(other.ForeColor());
    SetTag(other.Tag());
    SetCaption(other.caption_);
    tooltip_ = other.tooltip_;
    tab_stop_ = other.tab_stop_;
    border_style_ = other.border_style_;
    appearance_ = other.appearance_;
    back_style_ = other.back_style_;
    picture_ = other.picture_;
    ApplyBorder();
    left_ = other.left_;
    top_ = other.top_;
    width_ = other.width_;
    height_ = other.height_;
    Place();
}

// --- late binding

namespace {

using C = Control;
using M = headless::MemberDef<C>;
using headless::Action;
using headless::Bind;
using headless::Get;

std::vector<M> CommonMembers() {
    std::vector<M> members = WindowMembers<C>();
    std::vector<M> more = {
        Get<C, &Window::Name>(u"Name"),
        Get<C, &C::Index>(u"Index"),
        Bind<C, &C::Left, &C::SetLeft>(u"Left"),
        Bind<C, &C::Top, &C::SetTop>(u"Top"),
        Bind<C, &C::Width, &C::SetWidth>(u"Width"),
        Bind<C, &C::Height, &C::SetHeight>(u"Height"),
        M::Method(
            u"Move",
            [](C& c, headless::Args& a) -> Variant {
                c.Move(a.Dbl(0), OptionalNumber(a, 1), OptionalNumber(a, 2), OptionalNumber(a, 3));
                return Variant();
            },
            1, 4),
        Bind<C, &C::Visible, &C::SetVisible>(u"Visible"),
        M::Property(
            u"Container", [](C& c, headless::Args&) -> Variant { return Variant(c.Container()); },
            [](C& c, headless::Args&, const Variant& v) { c.SetContainer(v.ObjectOrThrow()); }, headless::kAcceptsSet),
        M::Property(
            u"Parent", [](C& c, headless::Args&) -> Variant { return Variant(ObjectRef(c.OwningForm())); }, nullptr),
        Bind<C, &C::ToolTipText, &C::SetToolTipText>(u"ToolTipText"),
        M::Method(
            u"Refresh",
            [](C& c, headless::Args&) -> Variant {
                if (c.Hwnd()) RedrawWindow(c.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
                return Variant();
            },
            0, 0),
        M::Property(
            u"TabIndex",
            [](C& c, headless::Args&) -> Variant {
                return Variant(c.OwningForm() ? c.OwningForm()->TabIndexOf(c) : Integer{0});
            },
            [](C& c, headless::Args&, const Variant& v) {
                if (c.OwningForm()) c.OwningForm()->MoveInTabOrder(c, VariantToInteger(v));
            }),
        Bind<C, &C::TabStop, &C::SetTabStop>(u"TabStop"),
        Action<C, &C::SetFocus>(u"SetFocus"),
    };
    members.insert(members.end(), more.begin(), more.end());
    return members;
}

std::vector<M> CaptionMembers() { return {Bind<C, &C::Caption, &C::SetCaption>(u"Caption", headless::kDefault)}; }

std::vector<M> TextMembers() {
    return {
        Bind<C, &C::Text, &C::SetText>(u"Text", headless::kDefault),
        Bind<C, &C::SelStart, &C::SetSelStart>(u"SelStart"),
        Bind<C, &C::SelLength, &C::SetSelLength>(u"SelLength"),
        Bind<C, &C::Locked, &C::SetLocked>(u"Locked"),
    };
}

std::vector<M> ListMembers() {
    return {
        M::Method(
            u"AddItem",
            [](C& c, headless::Args& a) -> Variant {
                c.AddItem(a.Str(0), a.Has(1) ? std::optional<Long>(a.Lng(1)) : std::nullopt);
                return Variant();
            },
            1, 2),
        Action<C, &C::Clear>(u"Clear"),
        Get<C, &C::ListCount>(u"ListCount"),
        Bind<C, &C::ListIndex, &C::SetListIndex>(u"ListIndex"),
        M::Property(
            u"List", [](C& c, headless::Args& a) -> Variant { return Variant(c.ListItem(a.Lng(0))); }, nullptr,
            headless::kPlain, 1, 1),
        Get<C, &C::Style>(u"Style"),
    };
}

std::vector<M> ScaleMembers() {
    return {
        Bind<C, &C::ScaleMode, &C::SetScaleMode>(u"ScaleMode"),
        M::Property(
            u"ScaleLeft", [](C& c, headless::Args&) -> Variant { return Variant(Single(c.Space().origin_x)); },
            [](C& c, headless::Args&, const Variant& v) { c.ScaleOf().SetScaleLeft(VariantToDouble(v), c.Space()); }),
        M::Property(
            u"ScaleTop", [](C& c, headless::Args&) -> Variant { return Variant(Single(c.Space().origin_y)); },
            [](C& c, headless::Args&, const Variant& v) { c.ScaleOf().SetScaleTop(VariantToDouble(v), c.Space()); }),
        M::Property(
            u"ScaleWidth",
            [](C& c, headless::Args&) -> Variant { return Variant(Single(ScaleSpace::ScaleWidthOf(c.Space()))); },
            [](C& c, headless::Args&, const Variant& v) { c.ScaleOf().SetScaleWidth(VariantToDouble(v), c.Space()); }),
        M::Property(
            u"ScaleHeight",
            [](C& c, headless::Args&) -> Variant { return Variant(Single(ScaleSpace::ScaleHeightOf(c.Space()))); },
            [](C& c, headless::Args&, const Variant& v) { c.ScaleOf().SetScaleHeight(VariantToDouble(v), c.Space()); }),
    };
}

std::vector<M> BorderMembers() {
    return {
        Bind<C, &C::BorderStyle, &C::SetBorderStyle>(u"BorderStyle"),
        Bind<C, &C::Appearance, &C::SetAppearance>(u"Appearance"),
    };
}

std::vector<M> PictureMembers() {
    return {
        M::Property(
            u"Picture", [](C& c, headless::Args&) -> Variant { return Variant(c.Picture()); },
            [](C& c, headless::Args&, const Variant& v) { c.SetPicture(v.ObjectOrThrow()); }, headless::kAcceptsSet),
        Bind<C, &C::Align, &C::SetAlign>(u"Align"),
    };
}

const headless::MemberTable<C>& TableFor(Kind kind) {
    static const headless::MemberTable<C> picture{CommonMembers(), ScaleMembers(), BorderMembers(), PictureMembers()};
    static const headless::MemberTable<C> label{
        CommonMembers(), CaptionMembers(), {Bind<C, &C::BackStyle, &C::SetBackStyle>(u"BackStyle")}};
    static const headless::MemberTable<C> button{
        CommonMembers(),
        CaptionMembers(),
        {Bind<C, &C::IsDefault, &C::SetDefault>(u"Default"), Bind<C, &C::IsCancel, &C::SetCancel>(u"Cancel")}};
    static const headless::MemberTable<C> text{CommonMembers(), TextMembers()};
    static const headless::MemberTable<C> combo{CommonMembers(), TextMembers(), ListMembers()};
    static const headless::MemberTable<C> frame{CommonMembers(), CaptionMembers(), BorderMembers()};
    static const headless::MemberTable<C> image{CommonMembers()};
    switch (kind) {
        case Kind::PictureBox:
            return picture;
        case Kind::Label:
            return label;
        case Kind::CommandButton:
            return button;
        case Kind::TextBox:
            return text;
        case Kind::ComboBox:
            return combo;
        case Kind::Frame:
            return frame;
        case Kind::Image:
            return image;
    }
    return image;
}

}  // namespace

DispId Control::GetIdOfName(std::u16string_view name) { return TableFor(kind_).IdOf(name); }

Variant Control::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    return TableFor(kind_).Invoke(*this, id, flags, args);
}

// --- ControlArray

namespace {

Integer CheckedIndex(Long index) {
    if (index < -32768 || index > 32767) RaiseRuntimeError(rt::kOverflow);
    return static_cast<Integer>(index);
}

}  // namespace

ControlArray::ControlArray(Form& form, Kind kind, String name) : form_(&form), kind_(kind), name_(std::move(name)) {}

ControlArray::~ControlArray() = default;

String ControlArray::EventName(DispId id) const {
    return elements_.empty() ? String() : elements_.begin()->second->EventName(id);
}

Ref<Control> ControlArray::Item(Long index) const {
    auto it = elements_.find(CheckedIndex(index));
    if (it == elements_.end()) {
        Fail(340, u"Control array element '" + DecimalText(index) + u"' doesn't exist");
    }
    return it->second;
}

Integer ControlArray::LBound() const {
    if (elements_.empty()) Fail(340, u"Control array element '0' doesn't exist");
    return elements_.begin()->first;
}

Integer ControlArray::UBound() const {
    if (elements_.empty()) Fail(340, u"Control array element '0' doesn't exist");
    return elements_.rbegin()->first;
}

void ControlArray::Adopt(Ref<Control> element, Integer index, bool design_time) {
    element->JoinArray(this, index);
    elements_[index] = std::move(element);
    design_time_[index] = design_time;
}

Ref<Control> ControlArray::LoadElement(Long index) {
    const Integer i = CheckedIndex(index);
    if (elements_.count(i)) Fail(360, u"Object already loaded");
    if (!form_ || elements_.empty()) RaiseRuntimeError(rt::kObjectNotSet);
    const Ref<Control> lowest = elements_.begin()->second;
    Ref<Control> element(form_->Create(kind_, name_, lowest->ContainerWindow(), false));
    element->CopyFrom(*lowest);
    Adopt(element, i, false);
    return element;
}

void ControlArray::UnloadElement(Long index) {
    const Integer i = CheckedIndex(index);
    Ref<Control> element = Item(i);
    if (design_time_[i]) Fail(362, u"Can't unload controls created at design time");
    elements_.erase(i);
    design_time_.erase(i);
    if (form_) form_->Forget(*element);
    element->Detach();
}

void ControlArray::Deliver(Integer index, DispId id, std::span<Variant> refs) {
    std::vector<Variant> args;
    args.reserve(refs.size() + 1);
    args.emplace_back(index);
    for (Variant& r : refs) args.push_back(r);
    sinks_.Raise(id, args);
}

DispId ControlArray::GetIdOfName(std::u16string_view name) {
    static constexpr std::u16string_view kNames[] = {u"Item", u"Count", u"LBound", u"UBound", u"Load", u"Unload"};
    for (size_t i = 0; i < std::size(kNames); ++i) {
        if (NamesEqual(kNames[i], name)) return static_cast<DispId>(i + 1);
    }
    return kDispIdUnknown;
}

Variant ControlArray::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) RaiseRuntimeError(rt::kMemberNotSupported);
    headless::Args a(args);
    switch (id) {
        case kDispIdValue:
        case 1: {
            if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
            return Variant(ObjectRef(Item(a.Lng(0))));
        }
        case 2:
            return Variant(Count());
        case 3:
            return Variant(LBound());
        case 4:
            return Variant(UBound());
        case 5:
            if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
            return Variant(ObjectRef(LoadElement(a.Lng(0))));
        case 6:
            if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
            UnloadElement(a.Lng(0));
            return Variant();
        default:
            RaiseRuntimeError(rt::kMemberNotSupported);
    }
}

// --- ControlsCollection

Form& ControlsCollection::Owner() const {
    if (!form_) RaiseRuntimeError(rt::kObjectNotSet);
    return *form_;
}

DispId ControlsCollection::GetIdOfName(std::u16string_view name) {
    static constexpr std::u16string_view kNames[] = {u"Item", u"Count", u"Add", u"Remove"};
    for (size_t i = 0; i < std::size(kNames); ++i) {
        if (NamesEqual(kNames[i], name)) return static_cast<DispId>(i + 1);
    }
    return kDispIdUnknown;
}

Variant ControlsCollection::Invoke(DispId id, uint16_t flags, std::span<Variant> args) {
    SelfRef hold(this);
    if (flags & (kInvokePropertyPut | kInvokePropertyPutRef)) RaiseRuntimeError(rt::kMemberNotSupported);
    headless::Args a(args);
    Form& form = Owner();
    switch (id) {
        case kDispIdValue:
        case 1: {
            if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
            const Variant& key = a.At(0);
            if (const String* name = key.As<String>()) {
                ObjectRef found = form.FindControl(*name);
                if (!found) Fail(730, u"Control '" + *name + u"' not found");
                return Variant(found);
            }
            const Long position = a.Lng(0);
            const auto& all = form.AllControls();
            if (position < 0 || static_cast<size_t>(position) >= all.size())
                RaiseRuntimeError(rt::kSubscriptOutOfRange);
            return Variant(ObjectRef(all[static_cast<size_t>(position)]));
        }
        case 2:
            return Variant(static_cast<Long>(form.AllControls().size()));
        case 3:
            if (args.size() < 2) RaiseRuntimeError(rt::kArgumentNotOptional);
            if (args.size() > 3) RaiseRuntimeError(rt::kWrongArgumentCount);
            return Variant(ObjectRef(form.AddControl(a.Str(0), a.Str(1), a.Has(2) ? a.Obj(2) : ObjectRef())));
        case 4:
            if (args.size() != 1) RaiseRuntimeError(rt::kWrongArgumentCount);
            form.RemoveControl(a.Str(0));
            return Variant();
        default:
            RaiseRuntimeError(rt::kMemberNotSupported);
    }
}

}  // namespace quibor15::win32::forms
