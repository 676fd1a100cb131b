#include "monitors/monitor_dialog.hpp"

#include <algorithm>
#include <iterator>
#include <utility>

#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr Integer kBorderFixedDialog = 3;
constexpr Integer kScalePixels = 3;
constexpr Long kMonitorDefaultToPrimary = 1;
// Gaps of the layout, in pixels: around the picture and the button row,
// and the frame the width allows for.
constexpr double kGap = 8;
constexpr double kPictureMargins = 16;
constexpr double kFrameAllowance = 4;
constexpr double kRowGaps = 24;

double ReadNumber(const ObjectRef& object, std::u16string_view name) { return VariantToDouble(LateGet(object, name)); }

void Let(const ObjectRef& object, std::u16string_view name, Variant value) { LateLet(object, name, std::move(value)); }

void Place(const ObjectRef& control, double left, double top, double width, double height) {
    LateCall(control, u"Move", {Variant(left), Variant(top), Variant(width), Variant(height)});
}

// The host's type test for a form: only forms have a window state and a
// Controls collection of their own.
bool IsForm(const ObjectRef& object) {
    return object && object->GetIdOfName(u"Controls") != kDispIdUnknown &&
           object->GetIdOfName(u"WindowState") != kDispIdUnknown;
}

// The records of the monitor list, in collection order.
std::vector<ObjectRef> MonitorRecords(_clsQuiborMonitorsA& monitors) {
    const ObjectRef list = monitors.get_Monitors();
    std::vector<ObjectRef> records;
    if (!list) return records;
    const Long count = VariantToLong(LateGet(list, u"Count"));
    for (Long position = 1; position <= count; ++position) {
        records.push_back(LateCall(list, u"Item", {Variant(position)}).ObjectOrThrow());
    }
    return records;
}

}  // namespace

// Passes the events of one form or control to the dialog while connected.
class frmQUIBORMonitorA::Sink final : public Object {
public:
    explicit Sink(Handler handler) : handler_(std::move(handler)) {}

    void Detach() noexcept { handler_ = nullptr; }

    String TypeName() const override { return u"EventSink"; }
    DispId GetIdOfName(std::u16string_view) override { return kDispIdUnknown; }
    Variant Invoke(DispId id, uint16_t, std::span<Variant> args) override {
        if (!handler_) return Variant();
        SelfRef hold(this);
        Handler handler = handler_;
        handler(id, args);
        return Variant();
    }

private:
    Handler handler_;
};

frmQUIBORMonitorA::frmQUIBORMonitorA(ContextPtr context) : context_(std::move(context)) {
    Design();
    Connect(form_, [this](DispId id, std::span<Variant>) {
        if (id == ev::kResize) FormResize();
    });
    Connect(monitor_buttons_, [this](DispId id, std::span<Variant> args) {
        if (id == ev::kClick && !args.empty()) MonitorClick(VariantToInteger(args[0]));
    });
    Connect(action_buttons_, [this](DispId id, std::span<Variant> args) {
        if (id == ev::kClick && !args.empty()) ActionClick(VariantToInteger(args[0]));
    });
}

frmQUIBORMonitorA::~frmQUIBORMonitorA() {
    Disconnect();
    try {
        Unload();
    } catch (const AutomationError&) {
        // A form that refuses to go is released all the same.
    }
}

// --- design

void frmQUIBORMonitorA::Design() {
    form_ = context_->Host().NewForm(u"frmQUIBORMonitorA");
    Let(form_, u"Caption", Variant(u"Caption"));
    Let(form_, u"BorderStyle", Variant(kBorderFixedDialog));
    Let(form_, u"MinButton", Variant(kFalse));
    Let(form_, u"MaxButton", Variant(kFalse));
    Let(form_, u"ShowInTaskbar", Variant(kFalse));
    // The design gives the client area in twips; the frame comes on top.
    Let(form_, u"Width", Variant(6960 + ReadNumber(form_, u"Width") - ReadNumber(form_, u"ScaleWidth")));
    Let(form_, u"Height", Variant(4950 + ReadNumber(form_, u"Height") - ReadNumber(form_, u"ScaleHeight")));

    desktop_picture_ = AddControl(u"VB.PictureBox", u"picDesktop");
    Place(desktop_picture_, 120, 120, 6705, 4005);
    monitor_buttons_ = AddControlArray(u"VB.CommandButton", u"cmdMonitor", 1, desktop_picture_);
    const ObjectRef first_monitor = Element(monitor_buttons_, 0);
    Let(first_monitor, u"Caption", Variant(u"Monitor"));
    Place(first_monitor, 360, 240, 1155, 795);
    prompt_label_ = AddControl(u"VB.Label", u"lblPrompt");
    Let(prompt_label_, u"Caption", Variant(u"Prompt"));
    Place(prompt_label_, 120, 4290, 4005, 525);
    action_buttons_ = AddControlArray(u"VB.CommandButton", u"cmdAction", 2, ObjectRef());
    const ObjectRef ok = Element(action_buttons_, 0);
    const ObjectRef cancel = Element(action_buttons_, 1);
    Let(ok, u"Caption", Variant(u"OK"));
    Place(ok, 4200, 4290, 1245, 525);
    Let(ok, u"Enabled", Variant(kFalse));
    Let(cancel, u"Caption", Variant(u"Cancel"));
    Place(cancel, 5580, 4290, 1245, 525);
    // Esc presses Cancel.
    Let(cancel, u"Cancel", Variant(kTrue));

    const ObjectRef tab_order[] = {desktop_picture_, ok, cancel, prompt_label_, first_monitor};
    for (Integer index = 0; index < static_cast<Integer>(std::size(tab_order)); ++index) {
        Let(tab_order[index], u"TabIndex", Variant(index));
    }
    // From here on the form's geometry is in pixels.
    Let(form_, u"ScaleMode", Variant(kScalePixels));
}

ObjectRef frmQUIBORMonitorA::AddControl(std::u16string_view prog_id, std::u16string_view name) {
    const ObjectRef controls = LateGet(form_, u"Controls").ObjectOrThrow();
    const ObjectRef control =
        LateCall(controls, u"Add", {Variant(String(prog_id)), Variant(String(name))}).ObjectOrThrow();
    Let(control, u"Visible", Variant(kTrue));
    return control;
}

ObjectRef frmQUIBORMonitorA::AddControlArray(std::u16string_view prog_id, std::u16string_view name, Integer count,
                                             const ObjectRef& container) {
    std::vector<Variant> args{Variant(String(prog_id)), Variant(String(name)), Variant(count)};
    if (container) args.emplace_back(container);
    return LateCall(form_, u"AddControlArray", args).ObjectOrThrow();
}

ObjectRef frmQUIBORMonitorA::Element(const ObjectRef& control_array, Integer index) {
    Variant args[] = {Variant(index)};
    return LateDefault(control_array, args).ObjectOrThrow();
}

void frmQUIBORMonitorA::Connect(const ObjectRef& source, Handler handler) {
    auto sink = MakeRef<Sink>(std::move(handler));
    const uint32_t cookie = source->Advise(ObjectRef(sink));
    links_.push_back(Link{source, cookie, std::move(sink)});
}

void frmQUIBORMonitorA::Disconnect() noexcept {
    std::vector<Link> links = std::exchange(links_, {});
    for (Link& link : links) {
        link.sink->Detach();
        try {
            if (link.cookie != 0) link.source->Unadvise(link.cookie);
        } catch (...) {
            // The sink is detached, so the source can no longer reach us.
        }
    }
}

// --- members

void frmQUIBORMonitorA::set_Owner(ObjectRef owner) {
    if (owner && !IsForm(owner)) RaiseRuntimeError(rt::kTypeMismatch);
    owner_ = std::move(owner);
}

void frmQUIBORMonitorA::let_DialogCaption(const String& caption) { Let(form_, u"Caption", Variant(caption)); }

void frmQUIBORMonitorA::let_Prompt(const String& prompt) { Let(prompt_label_, u"Caption", Variant(prompt)); }

void frmQUIBORMonitorA::Unload() { context_->Host().Unload(form_); }

// --- layout

void frmQUIBORMonitorA::ShowDialog() {
    if (!cMonitorClass) RaiseRuntimeError(rt::kObjectNotSet);
    _clsQuiborMonitorsA& monitors = *cMonitorClass;
    desktop_height_ = monitors.get_DesktopHeight();
    desktop_width_ = monitors.get_DesktopWidth();
    desktop_left_ = monitors.get_DesktopLeft();
    desktop_top_ = monitors.get_DesktopTop();

    // The picture is a quarter as wide as the monitor the dialog starts on.
    Long hwnd = VariantToLong(LateGet(form_, u"hWnd"));
    Long flags = kMonitorDefaultToPrimary;
    Long width = MonitorWidthOf(monitors.GetMonitorFromWindow(hwnd, flags));
    if (width == 0) width = desktop_width_;
    Let(desktop_picture_, u"Width", Variant(width * 0.25));
    SizePicture();

    // Inside the picture, positions are virtual-desktop pixels.
    Let(desktop_picture_, u"ScaleLeft", Variant(desktop_left_));
    Let(desktop_picture_, u"ScaleTop", Variant(desktop_top_));
    Let(desktop_picture_, u"ScaleHeight", Variant(desktop_height_));
    Let(desktop_picture_, u"ScaleWidth", Variant(desktop_width_));

    SizeForm();
    PlaceButtonRow();

    ObjectRef form = form_;
    Variant reference = owner_ ? Variant(owner_) : Variant::Missing();
    monitors.CenterFormOnMonitor(form, reference);

    PlaceMonitorButtons();
    context_->Host().ShowModal(form_);
}

Long frmQUIBORMonitorA::MonitorWidthOf(Long monitor_handle) {
    for (const ObjectRef& record : MonitorRecords(*cMonitorClass)) {
        if (VariantToLong(LateGet(record, u"Handle")) == monitor_handle)
            return VariantToLong(LateGet(record, u"Width"));
    }
    return 0;
}

void frmQUIBORMonitorA::SizePicture() {
    const double picture_width = ReadNumber(desktop_picture_, u"Width");
    const Long twips_per_pixel = ToLong(ReadNumber(context_->Host().Screen(), u"TwipsPerPixelX"));
    // Not the desktop's aspect ratio applied to the width: the product the
    // chooser has always used, half (landscape) or three quarters (portrait
    // or square) of it.
    const double factor = desktop_width_ > desktop_height_ ? 0.5 : 0.75;
    const Long desktop_width_in_twips_per_pixel = IntegerQuotient(desktop_width_, twips_per_pixel);
    if (picture_width == 0) RaiseRuntimeError(rt::kDivisionByZero);
    const double height = desktop_width_in_twips_per_pixel / picture_width * desktop_height_ * factor;
    Let(desktop_picture_, u"Height", Variant(height));
}

void frmQUIBORMonitorA::SizeForm() {
    const ObjectRef screen = context_->Host().Screen();
    const double twips_x = ReadNumber(screen, u"TwipsPerPixelX");
    const double twips_y = ReadNumber(screen, u"TwipsPerPixelY");
    Let(form_, u"Width",
        Variant((ReadNumber(desktop_picture_, u"Width") + kPictureMargins + kFrameAllowance) * twips_x));
    // The frame and caption keep their size; the client area becomes the
    // picture, the gaps and the button row.
    const double frame = ReadNumber(form_, u"Height") - ReadNumber(form_, u"ScaleHeight") * twips_y;
    const double client =
        ReadNumber(Element(action_buttons_, 0), u"Height") + kRowGaps + ReadNumber(desktop_picture_, u"Height");
    Let(form_, u"Height", Variant(frame + client * twips_y));
}

void frmQUIBORMonitorA::PlaceButtonRow() {
    const ObjectRef ok = Element(action_buttons_, 0);
    const ObjectRef cancel = Element(action_buttons_, 1);
    const double row = ReadNumber(desktop_picture_, u"Top") + ReadNumber(desktop_picture_, u"Height") + kGap;
    for (const ObjectRef& control : {prompt_label_, ok, cancel}) Let(control, u"Top", Variant(row));
    // Right-aligned, kGap apart and from the edge.
    const double cancel_left = ReadNumber(form_, u"ScaleWidth") - kGap - ReadNumber(cancel, u"Width");
    Let(cancel, u"Left", Variant(cancel_left));
    Let(ok, u"Left", Variant(ReadNumber(cancel, u"Left") - kGap - ReadNumber(ok, u"Width")));
}

void frmQUIBORMonitorA::PlaceMonitorButtons() {
    const std::vector<ObjectRef> records = MonitorRecords(*cMonitorClass);
    for (size_t i = 0; i < records.size(); ++i) {
        const Integer index = CheckedNarrow(static_cast<Long>(i));
        if (index > 0) LateCall(monitor_buttons_, u"Load", {Variant(index)});
        const ObjectRef button = Element(monitor_buttons_, index);
        const ObjectRef& record = records[i];
        Place(button, ReadNumber(record, u"Left"), ReadNumber(record, u"Top"), ReadNumber(record, u"Width"),
              ReadNumber(record, u"Height"));
        Let(button, u"Visible", Variant(kTrue));
        Let(button, u"Caption", Variant(u"Monitor " + DecimalText(CheckedAdd(static_cast<Long>(index), 1))));
    }
    // With no record the design button stays as designed, standing for no
    // monitor.
    monitor_count_ = static_cast<Long>(records.size());
}

// --- events

void frmQUIBORMonitorA::FormResize() {
    // The prompt fills the row up to OK; a form too narrow for it leaves
    // the prompt no width rather than a negative one.
    const double width = ReadNumber(Element(action_buttons_, 0), u"Left") - ReadNumber(prompt_label_, u"Left");
    Let(prompt_label_, u"Width", Variant(std::max(0.0, width)));
}

void frmQUIBORMonitorA::MonitorClick(Integer index) {
    const ObjectRef ok = Element(action_buttons_, 0);
    Let(ok, u"Enabled", Variant(kTrue));
    // Only the clicked monitor is bold.
    const ObjectRef controls = LateGet(form_, u"Controls").ObjectOrThrow();
    const Long count = VariantToLong(LateGet(controls, u"Count"));
    for (Long position = 0; position < count; ++position) {
        Variant at[] = {Variant(position)};
        const ObjectRef control = LateDefault(controls, at).ObjectOrThrow();
        if (VariantToString(LateGet(control, u"Name")) != u"cmdMonitor") continue;
        const bool clicked = VariantToInteger(LateGet(control, u"Index")) == index;
        Let(control, u"FontBold", Variant(Boolean::From(clicked)));
    }
    selection_ = CheckedAdd(static_cast<Long>(index), 1);
    LateCall(ok, u"SetFocus");
}

void frmQUIBORMonitorA::ActionClick(Integer index) {
    if (index == 0) {
        // A button with no monitor behind it (the design button of an empty
        // list) confirms no monitor.
        dialog_result_ = selection_ >= 1 && selection_ <= monitor_count_ ? selection_ : 0;
    } else {
        dialog_result_ = 0;
    }
    LateCall(form_, u"Hide");
}

// --- ShowMonitorDialog

Long RunMonitorDialog(_clsQuiborMonitorsA& monitors, String& prompt, String& caption, Variant& owner_form) {
    // A fresh dialog per call, so every call starts from the design state;
    // the dialog takes itself off the screen however the call ends.
    frmQUIBORMonitorA dialog(monitors.GetContext());
    dialog.cMonitorClass = Ref<_clsQuiborMonitorsA>(&monitors);
    if (!owner_form.IsMissing()) dialog.set_Owner(owner_form.ObjectOrThrow());
    dialog.let_DialogCaption(caption);
    dialog.let_Prompt(prompt);
    dialog.ShowDialog();
    const Long result = dialog.get_DialogResult();
    dialog.Unload();
    return result;
}

}  // namespace quibor15
