#include "language/language_form.hpp"

#include <iterator>

#include "language/language_module.hpp"
#include "language/resource_text.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

namespace {

constexpr Long kEnglishUnitedStates = 1033;
constexpr Integer kKeyReturn = 13;
constexpr Integer kKeyEscape = 27;
constexpr Integer kBorderFixedDialog = 3;

// String-table entries of the dialog's texts.
constexpr Long kTextOk = 110;
constexpr Long kTextCancel = 111;
constexpr Long kTextCaption = 112;
constexpr Long kTextPrompt = 113;

double ReadNumber(const ObjectRef& object, std::u16string_view name) { return VariantToDouble(LateGet(object, name)); }
String ReadText(const ObjectRef& object, std::u16string_view name) { return VariantToString(LateGet(object, name)); }

// Runs one step whose failure the dialog passes over.
template <class F>
void IgnoringErrors(F&& step) {
    try {
        step();
    } catch (const AutomationError&) {
    }
}

void Place(const ObjectRef& control, double left, double top, double width, double height) {
    LateCall(control, u"Move", {Variant(left), Variant(top), Variant(width), Variant(height)});
}

String HexIdentifier(Long lcid) { return u"&H" + HexText(lcid); }

}  // namespace

template <class F>
void frmQUIBORWuillsA::Act(F&& action) {
    // Events that arrive after OK or Cancel closed the dialog (the rest of
    // a key's events) have nothing left to act on.
    if (closed_) return;
    action();
}

frmQUIBORWuillsA::frmQUIBORWuillsA(ContextPtr context) : context_(std::move(context)) {
    Design();
    ConnectEvents();
}

frmQUIBORWuillsA::~frmQUIBORWuillsA() {
    events_.DisconnectAll();
    // A dialog left open by a failure does not stay on the screen.
    IgnoringErrors([&] { context_->Host().Unload(form_); });
}

void frmQUIBORWuillsA::ShowModal() { context_->Host().ShowModal(form_); }

// --- design

void frmQUIBORWuillsA::Design() {
    form_ = context_->Host().NewForm(u"frmQUIBORWuillsA");
    LateLet(form_, u"BorderStyle", Variant(kBorderFixedDialog));
    LateLet(form_, u"Caption", Variant(u"Select Language"));
    // The design fixes the client area; the frame comes on top of it.
    const double frame_width = ReadNumber(form_, u"Width") - ReadNumber(form_, u"ScaleWidth");
    const double frame_height = ReadNumber(form_, u"Height") - ReadNumber(form_, u"ScaleHeight");
    LateLet(form_, u"Width", Variant(4710 + frame_width));
    LateLet(form_, u"Height", Variant(1845 + frame_height));
    // Esc and Enter act from every control.
    LateLet(form_, u"KeyPreview", Variant(kTrue));

    image_ = AddControl(u"VB.Image", u"Image1", 120, 360, 480, 480);
    label_ = AddControl(u"VB.Label", u"Label1", 720, 240, 3735, 495);
    LateLet(label_, u"Caption", Variant(u"&Select the language for this installation from the choices below."));
    combo_ = AddControl(u"VB.ComboBox", u"cmblstLocales", 720, 840, 3735, 315);
    LateLet(combo_, u"Text", Variant(u"English"));

    commands_ =
        LateCall(form_, u"AddControlArray", {Variant(u"VB.CommandButton"), Variant(u"Command1"), Variant(Integer{2})})
            .ObjectOrThrow();
    Place(Command(0), 2160, 1320, 1095, 375);
    LateLet(Command(0), u"Caption", Variant(u"&OK"));
    Place(Command(1), 3360, 1320, 1095, 375);
    LateLet(Command(1), u"Caption", Variant(u"&Cancel"));

    // The identifier boxes show the choice; the user does not edit them.
    identifier_box_ = AddControl(u"VB.TextBox", u"txtLID1", 240, 1320, 855, 285);
    identifier_hex_box_ = AddControl(u"VB.TextBox", u"txtLID2", 1200, 1320, 855, 285);
    for (const ObjectRef& box : {identifier_box_, identifier_hex_box_}) {
        LateLet(box, u"Text", Variant(u"Text1"));
        LateLet(box, u"Locked", Variant(kTrue));
    }

    const ObjectRef tab_order[] = {Command(0), Command(1), label_, combo_, identifier_box_, identifier_hex_box_};
    for (Integer index = 0; index < static_cast<Integer>(std::size(tab_order)); ++index) {
        LateLet(tab_order[index], u"TabIndex", Variant(index));
    }
}

ObjectRef frmQUIBORWuillsA::AddControl(std::u16string_view prog_id, std::u16string_view name, double left, double top,
                                       double width, double height) {
    const ObjectRef controls = LateGet(form_, u"Controls").ObjectOrThrow();
    const ObjectRef control =
        LateCall(controls, u"Add", {Variant(String(prog_id)), Variant(String(name))}).ObjectOrThrow();
    Place(control, left, top, width, height);
    LateLet(control, u"Visible", Variant(kTrue));
    return control;
}

ObjectRef frmQUIBORWuillsA::Command(Integer index) const {
    Variant args[] = {Variant(index)};
    return LateDefault(commands_, args).ObjectOrThrow();
}

void frmQUIBORWuillsA::ConnectEvents() {
    events_.Connect(form_, [this](DispId id, std::span<Variant> args) {
        if (id == ev::kLoad) FormLoad();
        if (id == ev::kKeyDown) FormKeyDown(args);
    });
    events_.Connect(combo_, [this](DispId id, std::span<Variant> args) { ComboEvent(id, args); });
    events_.Connect(image_, [this](DispId id, std::span<Variant>) {
        if (id == ev::kDblClick) ImageDblClick();
    });
    events_.Connect(commands_, [this](DispId id, std::span<Variant> args) {
        if (id == ev::kClick) CommandClick(args);
    });
}

// --- load

void frmQUIBORWuillsA::FormLoad() {
    HostRuntime& host = context_->Host();
    IgnoringErrors([&] { CenterFormHigh(host, form_); });
    // The texts come from the component's own string table, in US English.
    auto& loader = context_->ModuleState<ResourceLoaderState>();
    loader.dialog_language = kEnglishUnitedStates;
    IgnoringErrors([&] { loader.module_path = LibraryModulePath(host); });
    TailorMe();
    IgnoringErrors([&] { context_->Windows().SetForegroundWindow(VariantToLong(LateGet(form_, u"hWnd"))); });
}

void frmQUIBORWuillsA::TailorMe() {
    // The dialog ends 2000 twips below where CenterFormHigh put it.
    IgnoringErrors([&] { LateLet(form_, u"Top", Variant(ReadNumber(form_, u"Top") + 2000)); });
    IgnoringErrors([&] { LoadLanguagesNames(); });
    Context& context = *context_;
    IgnoringErrors([&] { LateLet(form_, u"Caption", Variant(ResourceText(context, kTextCaption))); });
    IgnoringErrors([&] { LateLet(label_, u"Caption", Variant(ResourceText(context, kTextPrompt))); });
    IgnoringErrors([&] { LateLet(Command(0), u"Caption", Variant(ResourceText(context, kTextOk))); });
    IgnoringErrors([&] { LateLet(Command(1), u"Caption", Variant(ResourceText(context, kTextCancel))); });
}

// A failing step skips the steps after it; the callers pass over the error.
void frmQUIBORWuillsA::LoadLanguagesNames() {
    SetSysDefaultLLControls();
    SetSysDefaultLL();
    LoadLocales();
}

void frmQUIBORWuillsA::SetSysDefaultLLControls() {
    LateCall(combo_, u"Clear");
    LateLet(identifier_box_, u"Text", Variant(String()));
    LateLet(identifier_hex_box_, u"Text", Variant(String()));
}

void frmQUIBORWuillsA::SetSysDefaultLL() {
    catalogue_ = MakeRef<clsQuiborInternationalA>(context_);
    const Ref<_clsQuiborLocaleA> system_default = catalogue_->get_SystemDefault();
    // A system default outside the catalogue leaves the text and the boxes
    // empty; the list is still filled so that the user can pick a language.
    if (!system_default) return;
    const Long lcid = system_default->get_LCID();
    LateLet(combo_, u"Text", Variant(system_default->get_FullName()));
    LateLet(identifier_box_, u"Text", Variant(DecimalText(lcid)));
    LateLet(identifier_hex_box_, u"Text", Variant(HexIdentifier(lcid)));
}

void frmQUIBORWuillsA::LoadLocales() {
    const Ref<_clsQuiborLocalesA> locales = catalogue_->get_Locales();
    const Long count = locales->get_Count();
    for (Long position = 1; position <= count; ++position) {
        Variant index(position);
        LateCall(combo_, u"AddItem", {Variant(locales->get_Item(index)->get_FullName())});
    }
}

// --- events

void frmQUIBORWuillsA::FormKeyDown(std::span<Variant> args) {
    if (args.empty()) return;
    const Integer key_code = VariantToInteger(args[0]);
    if (key_code != kKeyEscape && key_code != kKeyReturn) return;
    // The key is used up here, so the focused control does not act on it
    // a second time.
    args[0].Assign(Variant(Integer{0}));
    if (key_code == kKeyEscape) {
        Act([&] { Command1_Click_1_Cancel(); });
    } else {
        Act([&] { Command1_Click_0_OK(); });
    }
}

void frmQUIBORWuillsA::ComboEvent(DispId id, std::span<Variant> args) {
    switch (id) {
        case ev::kClick:
            Act([&] { ComboClick(); });
            break;
        case ev::kKeyDown:
            if (!args.empty() && VariantToInteger(args[0]) == kKeyReturn) Act([&] { Command1_Click_0_OK(); });
            break;
        case ev::kKeyPress:
            if (args.empty()) break;
            Act([&] {
                Integer key_ascii = VariantToInteger(args[0]);
                IgnoringErrors([&] { ComboAutoComplete(context_->Windows(), combo_, key_ascii); });
                if (key_ascii == 0) args[0].Assign(Variant(key_ascii));
            });
            break;
        case ev::kGotFocus:
            // Entering the box selects its text, so typing replaces it.
            Act([&] { IgnoringErrors([&] { SelectAllText(combo_); }); });
            break;
        default:
            break;
    }
}

void frmQUIBORWuillsA::ComboClick() {
    const Long selected = VariantToLong(LateGet(combo_, u"ListIndex"));
    if (selected < 0 || !catalogue_) return;
    Variant index[] = {Variant(selected)};
    const String name = VariantToString(LateGet(combo_, u"List", index));
    // The last locale of that name (names compare exactly).
    Ref<_clsQuiborLocaleA> picked;
    const Ref<_clsQuiborLocalesA> locales = catalogue_->get_Locales();
    const Long count = locales->get_Count();
    for (Long position = 1; position <= count; ++position) {
        Variant key(position);
        Ref<_clsQuiborLocaleA> locale = locales->get_Item(key);
        if (locale->get_FullName() == name) picked = locale;
    }
    if (!picked) return;  // an item no catalogued locale stands behind

    const String generic_name = picked->get_GenericLangName();
    const Long lcid = picked->get_LCID();
    LateLet(form_, u"Caption", Variant(u"Select Language : " + generic_name));
    LateLet(identifier_box_, u"Text", Variant(DecimalText(lcid)));
    LateLet(identifier_hex_box_, u"Text", Variant(HexIdentifier(lcid)));
    LateLet(combo_, u"ToolTipText",
            Variant(u"Name   :" + generic_name + u" , " + u"LCID1  : " + DecimalText(lcid) + u" , " + u"LCID2  : " +
                    HexIdentifier(lcid)));
}

void frmQUIBORWuillsA::ImageDblClick() {
    Act([&] { IgnoringErrors([&] { LoadLanguagesNames(); }); });
}

void frmQUIBORWuillsA::CommandClick(std::span<Variant> args) {
    if (args.empty()) return;
    const Integer index = VariantToInteger(args[0]);
    if (index == 0) Act([&] { Command1_Click_0_OK(); });
    if (index == 1) Act([&] { Command1_Click_1_Cancel(); });
}

void frmQUIBORWuillsA::Command1_Click_0_OK() {
    auto& state = context_->ModuleState<LanguageModuleState>();
    state.last_command = u"ok";
    state.chosen_name = LowerCase(TrimBlanks(ReadText(combo_, u"Text")));
    // A box without a number (no locale was shown) records 0 rather than
    // failing inside the button's handler.
    Long identifier = 0;
    IgnoringErrors([&] { identifier = ToLong(LeadingNumber(TrimBlanks(ReadText(identifier_box_, u"Text")))); });
    Long identifier_hex = 0;
    IgnoringErrors([&] {
        identifier_hex =
            ToLong(StrictNumber(TrimBlanks(ReadText(identifier_hex_box_, u"Text")), context_->SystemNumberFormat()));
    });
    state.chosen_identifier = identifier;
    state.chosen_identifier_hex = identifier_hex;
    ended_with_ok_ = true;
    chosen_identifier_ = identifier;
    closed_ = true;
    context_->Host().Unload(form_);
}

void frmQUIBORWuillsA::Command1_Click_1_Cancel() {
    context_->ModuleState<LanguageModuleState>().last_command = u"cancel";
    closed_ = true;
    context_->Host().Unload(form_);
}

}  // namespace quibor15
