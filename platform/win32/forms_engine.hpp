// The forms engine of the Windows build: real windows for the forms the
// component shows itself (the language dialog, the monitor chooser) and for
// a host program that wants forms of the same kind. Forms and controls are
// Objects reached late-bound by member name, as a forms program's are; each
// stands for a real window of a standard class (BUTTON, STATIC, EDIT,
// COMBOBOX) or of the engine's own container class (forms, picture boxes,
// frames). Geometry is kept in twips and placed at the screen's real
// resolution; events come from the real messages.
//
//     Engine engine(module);
//     Ref<forms::Form> form = engine.NewForm(u"frmMain");
//     LateCall(LateGet(form, u"Controls").ObjectOrThrow(), u"Add", {Variant(u"VB.CommandButton"), Variant(u"cmdOK")});
//     engine.RunModal(*form);
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "platform/headless/member_table.hpp"
#include "platform/headless/scale.hpp"
#include "quibor15/host_runtime.hpp"

namespace quibor15::win32::forms {

using headless::CoordinateSpace;
using headless::ScaleSpace;

// The standard font of new forms and controls.
inline constexpr wchar_t kDefaultFontName[] = L"MS Sans Serif";
inline constexpr double kDefaultFontSize = 8.25;

// Twips per screen pixel as the forms runtime gives them: whole twips at the
// screen's real resolution.
double TwipsPerPixel(bool vertical);

// QueryUnload's UnloadMode.
inline constexpr Integer kUnloadFromControlBox = 0;
inline constexpr Integer kUnloadFromCode = 1;

enum class Kind { PictureBox, Label, CommandButton, TextBox, ComboBox, Frame, Image };
// A kind by program identifier ("VB.Label") or type name ("Label").
std::optional<Kind> KindFromName(std::u16string_view name) noexcept;

class Engine;
class Form;
class Control;
class ControlArray;
class ControlsCollection;

struct FontAttributes {
    String name = String(reinterpret_cast<const char16_t*>(kDefaultFontName));
    double size = kDefaultFontSize;
    bool bold = false, italic = false, underline = false, strikethru = false;
};

// What forms and controls share: the window, the events, the font, the
// colours, the tag.
class Window : public Object {
public:
    ~Window() override;

    HWND Hwnd() const noexcept { return hwnd_; }
    Long HWnd() const noexcept { return static_cast<Long>(reinterpret_cast<intptr_t>(hwnd_)); }
    Engine& Eng() const noexcept { return *engine_; }
    const String& Name() const noexcept { return name_; }
    virtual Form* OwningForm() noexcept = 0;

    uint32_t Advise(ObjectRef sink) override { return sinks_.Add(std::move(sink)); }
    void Unadvise(uint32_t cookie) override { sinks_.Remove(cookie); }
    String EventName(DispId id) const override;
    // Raises an event with the variables as by-reference arguments, so the
    // handlers' assignments reach them.
    void Raise(DispId id, std::initializer_list<Variant*> values = {});

    // What the window does with a notification its parent received
    // (WM_COMMAND's code).
    virtual void OnCommand(WORD) {}

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    const String& Tag() const noexcept { return tag_; }
    void SetTag(String tag) { tag_ = std::move(tag); }
    Long BackColor() const noexcept { return back_color_; }
    void SetBackColor(Long color);
    Long ForeColor() const noexcept { return fore_color_; }
    void SetForeColor(Long color) { fore_color_ = color; }
    // A colour as GDI takes it (system colours resolved).
    static COLORREF ColorRef(Long color);
    COLORREF BackColorRef() const { return ColorRef(back_color_); }
    COLORREF ForeColorRef() const { return ColorRef(fore_color_); }

    const FontAttributes& FontOf() const noexcept { return font_; }
    void SetFontAttributes(FontAttributes font);
    ObjectRef FontObject();

    // Called with the DC of a WM_PAINT of the window's own class.
    virtual void Paint(HDC) {}
    // A mouse message of the window (client coordinates in pixels).
    virtual void OnMouse(UINT, WPARAM, LPARAM) {}

protected:
    Window(Engine& engine, String name);
    // Makes the real window and gives it the font.
    void Attach(HWND hwnd);
    void DestroyWindow() noexcept;
    // Where an event goes besides the window's own sinks.
    virtual void Deliver(DispId id, std::span<Variant> refs);

    String name_;

private:
    void ApplyFont();

    Engine* engine_;
    HWND hwnd_ = nullptr;
    HFONT hfont_ = nullptr;
    EventSinks sinks_;
    bool enabled_ = true;
    String tag_;
    Long back_color_ = static_cast<Long>(0x8000000F);  // button face
    Long fore_color_ = static_cast<Long>(0x80000012);  // button text
    FontAttributes font_;
    ObjectRef font_object_;
};

class Form final : public Window {
public:
    Form(Engine& engine, String name);
    ~Form() override;

    String TypeName() const override { return name_; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;
    Form* OwningForm() noexcept override { return this; }

    // --- loading and display
    bool IsLoaded() const noexcept { return loaded_; }
    void Load();
    void Show(bool modal = false);
    void Hide();
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    // QueryUnload, then Unload; either may cancel. The window and its
    // controls' windows go. Answers whether the form was unloaded.
    bool Unload(Integer mode = kUnloadFromCode);

    // --- appearance
    String Caption() const { return caption_; }
    void SetCaption(String caption);
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);
    bool ControlBox() const noexcept { return control_box_; }
    void SetControlBox(bool on);
    bool MinButton() const noexcept { return min_button_; }
    void SetMinButton(bool on);
    bool MaxButton() const noexcept { return max_button_; }
    void SetMaxButton(bool on);
    bool ShowInTaskbar() const noexcept { return show_in_taskbar_; }
    void SetShowInTaskbar(bool on);
    bool KeyPreview() const noexcept { return key_preview_; }
    void SetKeyPreview(bool on) { key_preview_ = on; }
    Integer WindowState() const noexcept { return window_state_; }
    void SetWindowState(Integer state);
    ObjectRef Icon() const { return icon_; }
    void SetIcon(ObjectRef icon) { icon_ = std::move(icon); }

    // --- geometry: the outer rectangle in twips
    Single Left() const noexcept { return static_cast<Single>(left_); }
    void SetLeft(Single v) { Move(v, top_, width_, height_); }
    Single Top() const noexcept { return static_cast<Single>(top_); }
    void SetTop(Single v) { Move(left_, v, width_, height_); }
    Single Width() const noexcept { return static_cast<Single>(width_); }
    void SetWidth(Single v) { Move(left_, top_, v, height_); }
    Single Height() const noexcept { return static_cast<Single>(height_); }
    void SetHeight(Single v) { Move(left_, top_, width_, v); }
    void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});
    double ClientWidthTwips() const;
    double ClientHeightTwips() const;
    CoordinateSpace Space() const;

    Integer ScaleMode() const noexcept { return scale_.Mode(); }
    void SetScaleMode(Integer mode);
    Single ScaleLeft() const { return static_cast<Single>(Space().origin_x); }
    void SetScaleLeft(Single v) { scale_.SetScaleLeft(v, Space()); }
    Single ScaleTop() const { return static_cast<Single>(Space().origin_y); }
    void SetScaleTop(Single v) { scale_.SetScaleTop(v, Space()); }
    Single ScaleWidth() const { return static_cast<Single>(ScaleSpace::ScaleWidthOf(Space())); }
    void SetScaleWidth(Single v) { scale_.SetScaleWidth(v, Space()); }
    Single ScaleHeight() const { return static_cast<Single>(ScaleSpace::ScaleHeightOf(Space())); }
    void SetScaleHeight(Single v) { scale_.SetScaleHeight(v, Space()); }

    // --- controls
    Ref<ControlsCollection> Controls();
    // Controls.Add: a new invisible control; 711 for an unknown identifier,
    // 727 for a name in use.
    Ref<Control> AddControl(std::u16string_view prog_id, std::u16string_view name, ObjectRef container = {},
                            bool visible = false);
    // A control array with visible elements 0 to count - 1.
    Ref<ControlArray> AddControlArray(std::u16string_view prog_id, std::u16string_view name, Integer count,
                                      ObjectRef container = {});
    void RemoveControl(std::u16string_view name);
    const std::vector<Ref<Control>>& AllControls() const noexcept { return controls_; }
    ObjectRef FindControl(std::u16string_view name) const;

    // --- focus and keys
    void SetFocus();
    Ref<Control> ActiveControl() const;
    void MoveInTabOrder(Control& control, Integer index);
    Integer TabIndexOf(const Control& control) const;
    // The next control in tab order that can take the focus.
    Control* NextInTabOrder(Control* from, bool backwards) const;
    Control* DefaultButton() const;
    Control* CancelButton() const;

    // --- used by the engine
    void OnClose() { Unload(kUnloadFromControlBox); }
    void OnSized();
    // Places the docked controls (Align) along the client area's edges.
    void Dock();
    uint64_t NextDockOrder() noexcept { return ++dock_counter_; }
    void Forget(Control& control) noexcept;
    Control* Create(Kind kind, std::u16string_view name, Window* container, bool visible);
    Window* ContainerFrom(const ObjectRef& container);

private:
    DWORD Style() const;
    DWORD ExStyle() const;
    void ApplyStyle();
    void Place();
    void CheckNewName(std::u16string_view name) const;

    bool loaded_ = false;
    bool visible_ = false;
    bool shown_once_ = false;
    bool unloading_ = false;
    String caption_;
    Integer border_style_ = 2;
    bool control_box_ = true, min_button_ = true, max_button_ = true, show_in_taskbar_ = true;
    bool key_preview_ = false;
    Integer window_state_ = 0;
    ObjectRef icon_;
    double left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    ScaleSpace scale_;
    std::vector<Ref<Control>> controls_;
    std::vector<Ref<ControlArray>> arrays_;
    std::vector<Control*> tab_order_;
    Ref<ControlsCollection> controls_object_;
    bool placing_ = false;
    bool docking_ = false;
    uint64_t dock_counter_ = 0;
};

class Control final : public Window {
public:
    Control(Form& form, Kind kind, String name, Window* container);
    ~Control() override;

    Kind KindOf() const noexcept { return kind_; }
    String TypeName() const override;
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;
    Form* OwningForm() noexcept override { return form_; }
    void OnCommand(WORD code) override;
    void Paint(HDC dc) override;
    void OnMouse(UINT message, WPARAM wparam, LPARAM lparam) override;

    // --- placement, in the container's scale
    Window* ContainerWindow() const noexcept { return container_; }
    ObjectRef Container() const { return ObjectRef(container_); }
    // Moves the control into a picture box or frame of its form, or onto
    // the form; 380 for anything else or for a container inside it.
    void SetContainer(const ObjectRef& target);
    // Docking to an edge of the form (picture boxes): 0 none, 1 top, 2
    // bottom, 3 left, 4 right.
    Integer Align() const noexcept { return align_; }
    void SetAlign(Integer align);
    uint64_t DockOrder() const noexcept { return dock_order_; }
    // Where the form's docking puts the control, in twips.
    void SetDockedBounds(double left, double top, double width, double height);
    CoordinateSpace ContainerSpace() const;
    Single Left() const;
    void SetLeft(Single v);
    Single Top() const;
    void SetTop(Single v);
    Single Width() const;
    void SetWidth(Single v);
    Single Height() const;
    void SetHeight(Single v);
    void Move(double left, std::optional<double> top = {}, std::optional<double> width = {},
              std::optional<double> height = {});
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    bool CanTakeFocus() const;
    void SetFocus();

    // --- a container's own scale (picture boxes)
    CoordinateSpace Space() const;
    Integer ScaleMode() const noexcept { return scale_.Mode(); }
    void SetScaleMode(Integer mode);
    ScaleSpace& ScaleOf() noexcept { return scale_; }

    // --- texts
    String Caption() const;
    void SetCaption(String caption);
    String Text() const;
    void SetText(String text);
    Long SelStart() const;
    void SetSelStart(Long start);
    Long SelLength() const;
    void SetSelLength(Long length);
    bool Locked() const noexcept { return locked_; }
    void SetLocked(bool locked);
    const String& ToolTipText() const noexcept { return tooltip_; }
    void SetToolTipText(String text) { tooltip_ = std::move(text); }

    // --- lists (combo boxes)
    void AddItem(const String& item, std::optional<Long> index);
    void Clear();
    Long ListCount() const;
    String ListItem(Long index) const;
    Long ListIndex() const;
    void SetListIndex(Long index);
    Integer Style() const noexcept { return style_; }

    // --- borders, backgrounds and pictures
    Integer BorderStyle() const noexcept { return border_style_; }
    void SetBorderStyle(Integer style);
    Integer Appearance() const noexcept { return appearance_; }
    void SetAppearance(Integer appearance);
    // Labels: 0 transparent (the container shows through), 1 opaque.
    Integer BackStyle() const noexcept { return back_style_; }
    void SetBackStyle(Integer style);
    ObjectRef Picture() const { return picture_; }
    void SetPicture(ObjectRef picture);

    // --- command buttons
    bool IsDefault() const noexcept { return default_; }
    void SetDefault(bool on);
    bool IsCancel() const noexcept { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    bool TabStop() const noexcept { return tab_stop_; }
    void SetTabStop(bool on) { tab_stop_ = on; }
    // What a click does: the Click event (also the array's).
    void Click() { Raise(ev::kClick); }

    // --- control arrays
    ControlArray* Array() const noexcept { return array_; }
    Integer Index() const;
    void JoinArray(ControlArray* array, Integer index) noexcept {
        array_ = array;
        index_ = index;
    }
    // What a new element takes over from the element it is loaded from.
    void CopyFrom(const Control& other);

    void Detach() noexcept;
    // The window that receives this control's keys (a combo box's edit).
    bool OwnsKeyWindow(HWND hwnd) const noexcept;

protected:
    void Deliver(DispId id, std::span<Variant> refs) override;

private:
    void CreateWindowFor();
    void ApplyBorder();
    void Place();
    // The point of a mouse message in the scale its event reports: the
    // control's own for a picture box, its container's otherwise.
    std::pair<Single, Single> EventPoint(LPARAM lparam) const;
    double ClientWidthTwips() const;
    double ClientHeightTwips() const;
    HWND EditWindow() const noexcept;

    Kind kind_;
    Form* form_;
    Window* container_;
    ControlArray* array_ = nullptr;
    Integer index_ = 0;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;  // twips, in the container's client area
    bool visible_ = true;
    bool locked_ = false;
    bool default_ = false, cancel_ = false, tab_stop_ = true;
    Integer style_ = 0;
    Integer align_ = 0;
    uint64_t dock_order_ = 0;
    Integer border_style_ = 1;
    Integer appearance_ = 1;
    Integer back_style_ = 1;
    ObjectRef picture_;
    String caption_;
    String tooltip_;
    ScaleSpace scale_;
};

class ControlArray final : public Object {
public:
    ControlArray(Form& form, Kind kind, String name);
    ~ControlArray() override;

    String TypeName() const override { return u"Object"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;
    uint32_t Advise(ObjectRef sink) override { return sinks_.Add(std::move(sink)); }
    void Unadvise(uint32_t cookie) override { sinks_.Remove(cookie); }
    String EventName(DispId id) const override;

    const String& Name() const noexcept { return name_; }
    Ref<Control> Item(Long index) const;
    Integer LBound() const;
    Integer UBound() const;
    Integer Count() const noexcept { return static_cast<Integer>(elements_.size()); }
    void Adopt(Ref<Control> element, Integer index, bool design_time);
    // A new invisible element at the place and with the settings of the
    // lowest one; 360 when the index is taken.
    Ref<Control> LoadElement(Long index);
    void UnloadElement(Long index);
    void Forget(Control& control) noexcept;
    void Deliver(Integer index, DispId id, std::span<Variant> refs);
    void Detach() noexcept { form_ = nullptr; }

private:
    Form* form_;
    Kind kind_;
    String name_;
    std::map<Integer, Ref<Control>> elements_;
    std::map<Integer, bool> design_time_;
    EventSinks sinks_;
};

class ControlsCollection final : public Object {
public:
    explicit ControlsCollection(Form& form) : form_(&form) {}
    String TypeName() const override { return u"Object"; }
    DispId GetIdOfName(std::u16string_view name) override;
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override;
    void Detach() noexcept { form_ = nullptr; }

private:
    Form& Owner() const;
    Form* form_;
};

// The engine of one thread: window classes, the window of each handle, the
// fonts, the keys and the modal loop.
class Engine {
public:
    explicit Engine(HINSTANCE module);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    Ref<Form> NewForm(std::u16string_view name);
    // Shows the form and runs the message loop until it is hidden or
    // unloaded; the thread's other windows are disabled meanwhile.
    void RunModal(Form& form);
    // Gives the forms their key events (KeyPreview first, then the focused
    // control) and the keys of the forms runtime (Tab, Enter for the
    // default button, Esc for the cancel button). True when the message is
    // used up. A host program's own message loop calls it too.
    bool PreTranslate(MSG& msg);
    // A form left the screen: the modal loop looks again even when that
    // happened inside a message sent from another thread, which GetMessage
    // handles without returning.
    void FormClosed() noexcept;

    HINSTANCE Module() const noexcept { return module_; }
    HWND CreateChild(const wchar_t* window_class, DWORD style, DWORD ex_style, HWND parent, Window& window);
    HWND CreateTopLevel(DWORD style, DWORD ex_style, Window& window);
    Window* Find(HWND hwnd) const;
    void Forget(HWND hwnd) noexcept;

    // Fonts and brushes made for the windows; LiveGdiObjects counts those
    // not yet deleted.
    HFONT MakeFont(const FontAttributes& font);
    void DeleteFontObject(HFONT font) noexcept;
    HBRUSH BrushFor(COLORREF color);
    int LiveGdiObjects() const noexcept { return live_gdi_; }
    int LiveWindows() const noexcept { return static_cast<int>(windows_.size()); }

    static const wchar_t* ContainerClass() noexcept;
    // Gives a control on a standard class its mouse events.
    void Subclass(HWND hwnd, Window& window);

private:
    static LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    // The mouse of controls on a standard class (labels) before their
    // class sees it.
    static LRESULT CALLBACK StandardProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    static LRESULT ColorOfChild(Window& parent, HDC dc, HWND child);
    static bool IsMouseMessage(UINT message) noexcept;
    bool KeyDown(Control* control, Form& form, MSG& msg);
    bool KeyChar(Control* control, Form& form, MSG& msg);

    HINSTANCE module_;
    std::map<HWND, Window*> windows_;
    std::map<COLORREF, HBRUSH> brushes_;
    int live_gdi_ = 0;
    int modal_depth_ = 0;
};

}  // namespace quibor15::win32::forms
