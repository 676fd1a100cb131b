#include "platform/headless/render/form_picture.hpp"

#include <cairo.h>
#include <pango/pangocairo.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/headless/combo_box.hpp"
#include "platform/headless/command_button.hpp"
#include "platform/headless/desktop.hpp"
#include "platform/headless/frame_control.hpp"
#include "platform/headless/image_control.hpp"
#include "platform/headless/label.hpp"
#include "platform/headless/list_box.hpp"
#include "platform/headless/names.hpp"
#include "platform/headless/picture_box.hpp"
#include "platform/headless/picture_writer.hpp"
#include "platform/headless/render/system_colors.hpp"
#include "platform/headless/text_box.hpp"

namespace quibor15::headless::render {

namespace {

namespace sc = sys_color;

constexpr int kScrollBarWidth = 16;  // SM_CXVSCROLL
constexpr int32_t kPathFileAccessError = 75;

uint32_t Sys(int index) { return SystemColor(index); }

PixelRect Inset(PixelRect r, int by) { return {r.x + by, r.y + by, r.width - 2 * by, r.height - 2 * by}; }

PixelRect Intersect(PixelRect a, PixelRect b) {
    const int left = std::max(a.x, b.x), top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width), bottom = std::min(a.y + a.height, b.y + b.height);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

String Utf16Of(const char* text) {
    const icu::UnicodeString u = icu::UnicodeString::fromUTF8(text);
    return String(u.getBuffer(), static_cast<size_t>(u.length()));
}

std::string Utf8(std::u16string_view text) {
    std::string out;
    icu::UnicodeString(false, text.data(), static_cast<int32_t>(text.size())).toUTF8String(out);
    return out;
}

// A caption with its access key: "&&" is an ampersand, "&x" underlines x.
struct Mnemonic {
    String text;
    std::optional<size_t> underlined;  // index into text
};

Mnemonic ParseMnemonic(std::u16string_view caption, bool use_mnemonic) {
    Mnemonic m;
    if (!use_mnemonic) {
        m.text = String(caption);
        return m;
    }
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != u'&' && !m.underlined) m.underlined = m.text.size();
        }
        m.text += caption[i];
    }
    return m;
}

// The installed stand-ins of the usual Windows fonts (metric-compatible
// where one exists); any other name is tried first and falls back to them.
std::string FamilyOf(const String& name) {
    static constexpr std::pair<std::u16string_view, const char*> kStandIns[] = {
        {u"MS Sans Serif", "Liberation Sans"},  {u"MS Shell Dlg", "Liberation Sans"},
        {u"MS Shell Dlg 2", "Liberation Sans"}, {u"Microsoft Sans Serif", "Liberation Sans"},
        {u"Tahoma", "Liberation Sans"},         {u"Arial", "Liberation Sans"},
        {u"Segoe UI", "Liberation Sans"},       {u"Times New Roman", "Liberation Serif"},
        {u"MS Serif", "Liberation Serif"},      {u"Courier New", "Liberation Mono"},
        {u"Courier", "Liberation Mono"},
    };
    for (const auto& [windows_name, stand_in] : kStandIns) {
        if (NamesEqual(name, windows_name)) return stand_in;
    }
    return Utf8(name) + ",Liberation Sans";
}

struct FontSpec {
    std::string family = "Liberation Sans";
    double points = 8.25;
    bool bold = false, italic = false, underline = false, strikethrough = false;
};

FontSpec FontOf(Window& w) {
    FontSpec f;
    f.family = FamilyOf(w.FontName());
    f.points = w.FontSize();
    f.bold = w.FontBold();
    f.italic = w.FontItalic();
    f.underline = w.FontUnderline();
    f.strikethrough = w.FontStrikethru();
    return f;
}

enum class HAlign { Left, Right, Centre };
enum class VAlign { Top, Centre };

struct TextStyle {
    FontSpec font;
    uint32_t color = 0;
    HAlign h = HAlign::Left;
    VAlign v = VAlign::Top;
    bool wrap = false;
    bool mnemonic = false;
    // Disabled: embossed (highlight under grey) or plain grey.
    bool embossed = false;
    bool ellipsis = false;
};

using LayoutPtr = std::unique_ptr<PangoLayout, decltype(&g_object_unref)>;

// Pixel-exact shapes and Pango text on one Cairo surface.
class Painter {
public:
    Painter(cairo_t* cr, double dpi) : cr_(cr), pango_(pango_cairo_create_context(cr)) {
        cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
        pango_cairo_context_set_resolution(pango_, dpi);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(pango_, options);
        cairo_font_options_destroy(options);
    }
    ~Painter() { g_object_unref(pango_); }
    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    void Fill(PixelRect r, uint32_t color) {
        if (r.Empty()) return;
        SetColor(color);
        cairo_rectangle(cr_, r.x, r.y, r.width, r.height);
        cairo_fill(cr_);
    }

    // Top and left lines in one colour, bottom and right in another.
    void Edge(PixelRect r, uint32_t top_left, uint32_t bottom_right) {
        if (r.Empty()) return;
        Fill({r.x, r.y, r.width, 1}, top_left);
        Fill({r.x, r.y, 1, r.height}, top_left);
        Fill({r.x, r.y + r.height - 1, r.width, 1}, bottom_right);
        Fill({r.x + r.width - 1, r.y, 1, r.height}, bottom_right);
    }
    void Outline(PixelRect r, uint32_t color) { Edge(r, color, color); }

    // A push button's edge, two pixels deep.
    void RaisedButton(PixelRect r) {
        Edge(r, Sys(sc::kButtonHighlight), Sys(sc::kDarkShadow));
        Edge(Inset(r, 1), Sys(sc::kLight), Sys(sc::kButtonShadow));
    }
    // A window's frame.
    void RaisedWindow(PixelRect r) {
        Edge(r, Sys(sc::kLight), Sys(sc::kDarkShadow));
        Edge(Inset(r, 1), Sys(sc::kButtonHighlight), Sys(sc::kButtonShadow));
    }
    // The client edge of text boxes, lists and 3-D picture boxes.
    void Sunken(PixelRect r) {
        Edge(r, Sys(sc::kButtonShadow), Sys(sc::kButtonHighlight));
        Edge(Inset(r, 1), Sys(sc::kDarkShadow), Sys(sc::kLight));
    }
    // A frame's grooved line.
    void Etched(PixelRect r) {
        Outline({r.x + 1, r.y + 1, r.width - 1, r.height - 1}, Sys(sc::kButtonHighlight));
        Outline({r.x, r.y, r.width - 1, r.height - 1}, Sys(sc::kButtonShadow));
    }
    // The dotted focus rectangle: every other pixel.
    void FocusRect(PixelRect r, uint32_t color) {
        if (r.Empty()) return;
        SetColor(color);
        for (int x = r.x; x < r.x + r.width; x += 2) {
            cairo_rectangle(cr_, x, r.y, 1, 1);
            cairo_rectangle(cr_, x, r.y + r.height - 1, 1, 1);
        }
        for (int y = r.y; y < r.y + r.height; y += 2) {
            cairo_rectangle(cr_, r.x, y, 1, 1);
            cairo_rectangle(cr_, r.x + r.width - 1, y, 1, 1);
        }
        cairo_fill(cr_);
    }
    // A solid triangle pointing down (or up), centred in r.
    void Arrow(PixelRect r, bool down, uint32_t color) {
        const int size = std::max(2, std::min(r.width, r.height) / 4);
        const int cx = r.x + r.width / 2, cy = r.y + r.height / 2 - size / 2;
        for (int row = 0; row < size; ++row) {
            const int half = down ? size - 1 - row : row;
            Fill({cx - half - 1, cy + row, 2 * half + 1, 1}, color);
        }
    }
    // A caption button's cross.
    void Cross(PixelRect r, uint32_t color) {
        const int size = std::min(r.width, r.height) - 6;
        if (size < 3) return;
        const int x0 = r.x + (r.width - size) / 2 - 1, y0 = r.y + (r.height - size) / 2;
        for (int i = 0; i < size; ++i) {
            Fill({x0 + i, y0 + i, 2, 1}, color);
            Fill({x0 + size - 1 - i, y0 + i, 2, 1}, color);
        }
    }

    void Clip(PixelRect r) {
        cairo_rectangle(cr_, r.x, r.y, std::max(0, r.width), std::max(0, r.height));
        cairo_clip(cr_);
    }
    void Save() { cairo_save(cr_); }
    void Restore() { cairo_restore(cr_); }

    // The height of a line of text in the font.
    int LineHeight(const FontSpec& font) {
        LayoutPtr layout = Layout(u"Ag", font, nullptr, -1, false);
        int width = 0, height = 0;
        pango_layout_get_pixel_size(layout.get(), &width, &height);
        return std::max(1, height);
    }
    int TextWidth(std::u16string_view text, const FontSpec& font, bool mnemonic) {
        const Mnemonic m = ParseMnemonic(text, mnemonic);
        LayoutPtr layout = Layout(m.text, font, nullptr, -1, false);
        int width = 0, height = 0;
        pango_layout_get_pixel_size(layout.get(), &width, &height);
        return width;
    }
    // The x offset of a character position of one line of text.
    int OffsetOf(std::u16string_view text, size_t position, const FontSpec& font) {
        return TextWidth(text.substr(0, std::min(position, text.size())), font, false);
    }

    // Text inside box (clipped to it).
    void Text(std::u16string_view caption, PixelRect box, const TextStyle& style) {
        if (caption.empty() || box.Empty()) return;
        const Mnemonic m = ParseMnemonic(caption, style.mnemonic);
        const int wrap_width = style.wrap || style.ellipsis ? box.width : -1;
        LayoutPtr layout =
            Layout(m.text, style.font, m.underlined ? &*m.underlined : nullptr, wrap_width, style.ellipsis);
        if (style.wrap) {
            pango_layout_set_alignment(layout.get(), style.h == HAlign::Centre  ? PANGO_ALIGN_CENTER
                                                     : style.h == HAlign::Right ? PANGO_ALIGN_RIGHT
                                                                                : PANGO_ALIGN_LEFT);
        }
        int width = 0, height = 0;
        pango_layout_get_pixel_size(layout.get(), &width, &height);
        int x = box.x, y = box.y;
        if (!style.wrap && style.h == HAlign::Centre) x += (box.width - width) / 2;
        if (!style.wrap && style.h == HAlign::Right) x += box.width - width;
        if (style.v == VAlign::Centre) y += (box.height - height) / 2;
        Save();
        Clip(box);
        if (style.embossed) {
            Show(layout.get(), x + 1, y + 1, Sys(sc::kButtonHighlight));
            Show(layout.get(), x, y, Sys(sc::kButtonShadow));
        } else {
            Show(layout.get(), x, y, style.color);
        }
        Restore();
    }

private:
    void SetColor(uint32_t c) {
        cairo_set_source_rgb(cr_, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
    }

    void Show(PangoLayout* layout, int x, int y, uint32_t color) {
        SetColor(color);
        cairo_move_to(cr_, x, y);
        pango_cairo_show_layout(cr_, layout);
    }

    LayoutPtr Layout(std::u16string_view text, const FontSpec& font, const size_t* underlined, int width,
                     bool ellipsis) {
        LayoutPtr layout(pango_layout_new(pango_), &g_object_unref);
        const std::string utf8 = Utf8(text);
        pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
        PangoFontDescription* desc = pango_font_description_new();
        pango_font_description_set_family(desc, font.family.c_str());
        pango_font_description_set_size(desc, static_cast<int>(std::lround(font.points * PANGO_SCALE)));
        pango_font_description_set_weight(desc, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
        pango_font_description_set_style(desc, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        pango_layout_set_font_description(layout.get(), desc);
        pango_font_description_free(desc);
        PangoAttrList* attrs = pango_attr_list_new();
        if (font.underline) pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (font.strikethrough) pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
        if (underlined && *underlined < text.size()) {
            const size_t length = (*underlined + 1 < text.size() && IsLead(text[*underlined])) ? 2 : 1;
            PangoAttribute* a = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
            a->start_index = static_cast<guint>(Utf8(text.substr(0, *underlined)).size());
            a->end_index = a->start_index + static_cast<guint>(Utf8(text.substr(*underlined, length)).size());
            pango_attr_list_insert(attrs, a);
        }
        pango_layout_set_attributes(layout.get(), attrs);
        pango_attr_list_unref(attrs);
        if (width >= 0) {
            pango_layout_set_width(layout.get(), width * PANGO_SCALE);
            if (ellipsis) {
                pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
                pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
            } else {
                pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
            }
        } else {
            pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
        }
        return layout;
    }
    static bool IsLead(char16_t c) { return c >= 0xD800 && c < 0xDC00; }

    cairo_t* cr_;
    PangoContext* pango_;
};

// --- geometry

struct Scale {
    double tx = 15, ty = 15;
    int X(double twips) const { return static_cast<int>(std::lround(twips / tx)); }
    int Y(double twips) const { return static_cast<int>(std::lround(twips / ty)); }
};

Scale ScaleOf(const Window& w) { return {w.Desk().TwipsPerPixelX(), w.Desk().TwipsPerPixelY()}; }

struct TwipPoint {
    double x = 0, y = 0;
};

// The top-left of a window's client area, in twips from the form's client
// area. A frame places its controls from its own corner, a picture box
// inside its border.
TwipPoint ClientOrigin(const Window& w) {
    const auto* c = dynamic_cast<const Control*>(&w);
    if (!c || !c->ContainerWindow()) return {};
    TwipPoint p = ClientOrigin(*c->ContainerWindow());
    p.x += c->BoundsTwips().left;
    p.y += c->BoundsTwips().top;
    if (const auto* box = dynamic_cast<const PictureBox*>(c)) {
        p.x += (c->BoundsTwips().width - box->ClientWidthTwips()) / 2;
        p.y += (c->BoundsTwips().height - box->ClientHeightTwips()) / 2;
    }
    return p;
}

PixelRect ToPixels(PixelRect client, const Scale& s, double left, double top, double width, double height) {
    const int x = client.x + s.X(left), y = client.y + s.Y(top);
    return {x, y, client.x + s.X(left + width) - x, client.y + s.Y(top + height) - y};
}

PixelRect RectOf(const Control& c, PixelRect form_client) {
    const TwipPoint origin = c.ContainerWindow() ? ClientOrigin(*c.ContainerWindow()) : TwipPoint{};
    const Control::Bounds& b = c.BoundsTwips();
    return ToPixels(form_client, ScaleOf(c), origin.x + b.left, origin.y + b.top, b.width, b.height);
}

// The client area of a container control, in pixels.
PixelRect InnerOf(const Control& c, PixelRect rect) {
    if (const auto* box = dynamic_cast<const PictureBox*>(&c)) {
        const Scale s = ScaleOf(c);
        const int dx = s.X((c.BoundsTwips().width - box->ClientWidthTwips()) / 2);
        const int dy = s.Y((c.BoundsTwips().height - box->ClientHeightTwips()) / 2);
        return {rect.x + dx, rect.y + dy, rect.width - 2 * dx, rect.height - 2 * dy};
    }
    return rect;
}

bool Drawn(const Control& c) {
    for (const Window* w = &c; w;) {
        const auto* control = dynamic_cast<const Control*>(w);
        if (!control) return true;
        if (!control->Visible()) return false;
        w = control->ContainerWindow();
    }
    return false;
}

// Labels and images have no window of their own: they lie under the
// windowed controls of their container.
bool Lightweight(ControlKind kind) { return kind == ControlKind::Label || kind == ControlKind::Image; }

// --- drawing

class FormPainter {
public:
    FormPainter(Form& form, Painter& painter) : form_(form), p_(painter), scale_(ScaleOf(form)) {}

    void Draw() {
        const PixelRect outer{0, 0, scale_.X(form_.Width()), scale_.Y(form_.Height())};
        const BorderAllowance allowance = AllowanceOf(form_.BorderStyle());
        const int frame = scale_.X(allowance.frame);
        const int caption = scale_.Y(allowance.caption);
        p_.Fill(outer, Sys(sc::kActiveBorder));
        if (frame > 0) p_.RaisedWindow(outer);
        if (caption > 0) DrawCaptionBar({frame, frame, outer.width - 2 * frame, caption - 1});
        const PixelRect client = ClientRect(form_);
        p_.Fill(client, ResolveColor(form_.BackColor()));
        DrawChildren(form_, client, client);
    }

private:
    void DrawCaptionBar(PixelRect bar) {
        const bool active = form_.Desk().AcceptsInput(&form_);
        const uint32_t from = Sys(active ? sc::kActiveCaption : sc::kInactiveCaption);
        const uint32_t to = Sys(active ? sc::kGradientActiveCaption : sc::kGradientInactiveCaption);
        Gradient(bar, from, to);
        const bool tool = form_.BorderStyle() >= 4;
        int right = bar.x + bar.width - 2;
        if (form_.ControlBox()) {
            const int height = std::max(0, bar.height - 4);
            const int width = tool ? height : height + 2;
            PixelRect close{right - width, bar.y + 2, width, height};
            DrawCaptionButton(close, Glyph::Close);
            right = close.x;
            const bool boxes =
                (form_.BorderStyle() == 1 || form_.BorderStyle() == 2) && (form_.MinButton() || form_.MaxButton());
            if (boxes) {
                PixelRect max{right - 2 - width, close.y, width, height};
                PixelRect min{max.x - width, close.y, width, height};
                DrawCaptionButton(max, form_.MaxButton() ? Glyph::Maximise : Glyph::MaximiseDisabled);
                DrawCaptionButton(min, form_.MinButton() ? Glyph::Minimise : Glyph::MinimiseDisabled);
                right = min.x;
            }
        }
        TextStyle style;
        style.font.bold = true;
        style.font.points = tool ? 7 : 8;
        style.color = Sys(active ? sc::kCaptionText : sc::kInactiveCaptionText);
        style.v = VAlign::Centre;
        style.ellipsis = true;
        p_.Text(form_.Caption(), {bar.x + 3, bar.y, right - bar.x - 5, bar.height}, style);
    }

    enum class Glyph { Close, Minimise, Maximise, MinimiseDisabled, MaximiseDisabled };

    void DrawCaptionButton(PixelRect r, Glyph glyph) {
        p_.Fill(r, Sys(sc::kButtonFace));
        p_.RaisedButton(r);
        const PixelRect in = Inset(r, 2);
        const bool disabled = glyph == Glyph::MinimiseDisabled || glyph == Glyph::MaximiseDisabled;
        const uint32_t ink = disabled ? Sys(sc::kGrayText) : Sys(sc::kButtonText);
        const int w = std::max(2, in.width - 6), x = in.x + (in.width - w) / 2;
        switch (glyph) {
            case Glyph::Close:
                p_.Cross(r, ink);
                break;
            case Glyph::Minimise:
            case Glyph::MinimiseDisabled:
                p_.Fill({x, in.y + in.height - 4, w - 2, 2}, ink);
                break;
            case Glyph::Maximise:
            case Glyph::MaximiseDisabled: {
                const PixelRect box{x, in.y + 1, w, in.height - 3};
                p_.Outline(box, ink);
                p_.Fill({box.x, box.y + 1, box.width, 1}, ink);
                break;
            }
        }
    }

    void Gradient(PixelRect r, uint32_t from, uint32_t to) {
        for (int i = 0; i < r.width; ++i) {
            const double t = r.width > 1 ? static_cast<double>(i) / (r.width - 1) : 0;
            auto mix = [t](uint32_t a, uint32_t b, int shift) {
                const double v = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
                return static_cast<uint32_t>(std::lround(v)) << shift;
            };
            p_.Fill({r.x + i, r.y, 1, r.height}, mix(from, to, 16) | mix(from, to, 8) | mix(from, to, 0));
        }
    }

    void DrawChildren(Window& container, PixelRect form_client, PixelRect clip) {
        for (bool windowed : {false, true}) {
            for (const Ref<Control>& c : form_.AllControls()) {
                if (c->ContainerWindow() != &container || !c->Visible() || Lightweight(c->Kind()) == windowed) {
                    continue;
                }
                const PixelRect rect = RectOf(*c, form_client);
                const PixelRect visible = Intersect(rect, clip);
                if (visible.Empty()) continue;
                p_.Save();
                p_.Clip(visible);
                DrawControl(*c, rect);
                if (c->IsContainer()) DrawChildren(*c, form_client, Intersect(InnerOf(*c, rect), visible));
                p_.Restore();
            }
        }
    }

    void DrawControl(Control& c, PixelRect r) {
        switch (c.Kind()) {
            case ControlKind::PictureBox:
                return DrawPictureBox(static_cast<PictureBox&>(c), r);
            case ControlKind::Label:
                return DrawLabel(static_cast<Label&>(c), r);
            case ControlKind::CommandButton:
                return DrawButton(static_cast<CommandButton&>(c), r);
            case ControlKind::TextBox:
                return DrawTextBox(static_cast<TextBox&>(c), r);
            case ControlKind::ComboBox:
                return DrawComboBox(static_cast<ComboBox&>(c), r);
            case ControlKind::ListBox:
                return DrawListBox(static_cast<ListBox&>(c), r);
            case ControlKind::Frame:
                return DrawFrame(static_cast<Frame&>(c), r);
            case ControlKind::Image:
                return DrawImage(static_cast<Image&>(c), r);
        }
    }

    void DrawBorder(PixelRect r, Integer border_style, Integer appearance) {
        if (border_style != 1) return;
        if (appearance == 1) {
            p_.Sunken(r);
        } else {
            p_.Outline(r, Sys(sc::kWindowFrame));
        }
    }

    void DrawPictureBox(PictureBox& box, PixelRect r) {
        p_.Fill(r, ResolveColor(box.BackColor()));
        DrawBorder(r, box.BorderStyle(), box.Appearance());
    }

    void DrawImage(Image& image, PixelRect r) { DrawBorder(r, image.BorderStyle(), image.Appearance()); }

    static TextStyle StyleOf(Window& w, bool enabled) {
        TextStyle style;
        style.font = FontOf(w);
        style.color = ResolveColor(w.ForeColor());
        style.embossed = !enabled;
        return style;
    }

    void DrawLabel(Label& label, PixelRect r) {
        if (label.BackStyle() == 1) p_.Fill(r, ResolveColor(label.BackColor()));
        PixelRect text = r;
        if (label.BorderStyle() == 1) {
            p_.Sunken(r);
            text = Inset(r, 2);
        }
        TextStyle style = StyleOf(label, label.Enabled());
        style.wrap = true;
        style.mnemonic = label.UseMnemonic();
        style.h = label.Alignment() == 1 ? HAlign::Right : label.Alignment() == 2 ? HAlign::Centre : HAlign::Left;
        p_.Text(label.Caption(), text, style);
    }

    // The default button has an extra black border, unless another button
    // has the focus; the focused button has it too, and the focus rectangle.
    void DrawButton(CommandButton& button, PixelRect r) {
        const Ref<Control> focus = form_.Desk().Focus();
        const bool focused = focus.Get() == &button;
        const bool other_button_focused =
            focus && !focused && focus->Kind() == ControlKind::CommandButton && focus->OwningForm() == &form_;
        const bool black = focused || (button.Default() && !other_button_focused);
        p_.Fill(r, ResolveColor(button.BackColor()));
        PixelRect edge = r;
        if (black) {
            p_.Outline(edge, Sys(sc::kWindowFrame));
            edge = Inset(edge, 1);
        }
        p_.RaisedButton(edge);
        TextStyle style = StyleOf(button, button.Enabled());
        style.h = HAlign::Centre;
        style.v = VAlign::Centre;
        style.wrap = true;
        style.mnemonic = true;
        p_.Text(button.Caption(), Inset(edge, 3), style);
        if (focused) p_.FocusRect(Inset(r, 4), Sys(sc::kButtonText));
    }

    // One line of editable text; the selection shows while the box has the
    // focus.
    void DrawEditText(Window& w, std::u16string_view text, Long sel_start, Long sel_length, bool focused,
                      PixelRect area, HAlign align) {
        TextStyle style = StyleOf(w, true);
        style.h = align;
        style.v = VAlign::Centre;
        if (!w.Enabled()) style.color = Sys(sc::kGrayText);
        p_.Text(text, area, style);
        if (!focused || sel_length <= 0 || align != HAlign::Left) return;
        const auto start = static_cast<size_t>(std::max<Long>(0, sel_start));
        const size_t end = std::min(text.size(), start + static_cast<size_t>(sel_length));
        if (start >= end) return;
        const int x0 = area.x + p_.OffsetOf(text, start, style.font);
        const int x1 = area.x + p_.OffsetOf(text, end, style.font);
        const int line = p_.LineHeight(style.font);
        const PixelRect band{x0, area.y + (area.height - line) / 2, x1 - x0, line};
        p_.Save();
        p_.Clip(Intersect(band, area));
        p_.Fill(band, Sys(sc::kHighlight));
        style.color = Sys(sc::kHighlightText);
        p_.Text(text, area, style);
        p_.Restore();
    }

    void DrawTextBox(TextBox& box, PixelRect r) {
        PixelRect inner = r;
        if (box.BorderStyle() == 1) {
            p_.Sunken(r);
            inner = Inset(r, 2);
        }
        p_.Fill(inner, ResolveColor(box.BackColor()));
        const HAlign align = box.Alignment() == 1   ? HAlign::Right
                             : box.Alignment() == 2 ? HAlign::Centre
                                                    : HAlign::Left;
        const PixelRect area{inner.x + 2, inner.y + 1, inner.width - 4, inner.height - 2};
        if (box.MultiLine()) {
            TextStyle style = StyleOf(box, true);
            if (!box.Enabled()) style.color = Sys(sc::kGrayText);
            style.wrap = true;
            style.h = align;
            p_.Text(box.Text(), area, style);
            return;
        }
        const int line = p_.LineHeight(FontOf(box));
        const PixelRect one_line{area.x, area.y, area.width, std::min(area.height, line)};
        DrawEditText(box, box.Text(), box.SelStart(), box.SelLength(), box.HasFocus(), one_line, align);
    }

    void DrawComboBox(ComboBox& combo, PixelRect r) {
        const bool simple = combo.Style() == 1;
        const PixelRect field{r.x, r.y, r.width,
                              simple ? std::min(r.height, scale_.Y(ComboBox::kDropDownHeight)) : r.height};
        p_.Sunken(field);
        const PixelRect inner = Inset(field, 2);
        p_.Fill(inner, ResolveColor(combo.BackColor()));
        PixelRect area{inner.x + 1, inner.y + 1, inner.width - 2, inner.height - 2};
        if (!simple) {
            const PixelRect button{inner.x + inner.width - kScrollBarWidth, inner.y, kScrollBarWidth, inner.height};
            p_.Fill(button, Sys(sc::kButtonFace));
            p_.RaisedButton(button);
            p_.Arrow(button, true, combo.Enabled() ? Sys(sc::kButtonText) : Sys(sc::kGrayText));
            area.width -= kScrollBarWidth;
        }
        const bool focused = combo.HasFocus();
        if (combo.Style() == 2) {
            // A drop-down list shows its item selected while it has the focus.
            TextStyle style = StyleOf(combo, true);
            style.v = VAlign::Centre;
            if (!combo.Enabled()) style.color = Sys(sc::kGrayText);
            if (focused) {
                p_.Fill(area, Sys(sc::kHighlight));
                style.color = Sys(sc::kHighlightText);
            }
            p_.Text(combo.Text(), {area.x + 1, area.y, area.width - 2, area.height}, style);
            if (focused) p_.FocusRect(area, Sys(sc::kHighlightText));
        } else {
            DrawEditText(combo, combo.Text(), combo.SelStart(), combo.SelLength(), focused,
                         {area.x + 1, area.y, area.width - 2, area.height}, HAlign::Left);
        }
        if (simple && r.height > field.height) {
            std::vector<String> items;
            for (Long i = 0; i < combo.ListCount(); ++i) items.push_back(combo.List(i));
            DrawList(combo, {r.x, r.y + field.height, r.width, r.height - field.height}, items, combo.ListIndex(),
                     false);
        }
    }

    void DrawListBox(ListBox& list, PixelRect r) {
        std::vector<String> items;
        for (Long i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
        DrawList(list, r, items, list.ListIndex(), list.HasFocus());
    }

    // A list inside a client edge: rows from the top (scrolled so that the
    // selected row shows), the selected row highlighted, a scroll bar when
    // the rows do not fit.
    void DrawList(Control& c, PixelRect r, const std::vector<String>& items, Long selected, bool focused) {
        p_.Sunken(r);
        const PixelRect inner = Inset(r, 2);
        p_.Fill(inner, ResolveColor(c.BackColor()));
        const FontSpec font = FontOf(c);
        const int row = p_.LineHeight(font);
        const int rows = std::max(1, inner.height / row);
        const auto count = static_cast<Long>(items.size());
        PixelRect area = inner;
        Long top = 0;
        if (count > rows) {
            top = selected >= rows ? selected - rows + 1 : 0;
            area.width -= kScrollBarWidth;
            DrawScrollBar({inner.x + area.width, inner.y, kScrollBarWidth, inner.height}, top, rows, count,
                          c.Enabled());
        }
        p_.Save();
        p_.Clip(area);
        for (Long i = top; i < count && (i - top) * row < area.height; ++i) {
            const PixelRect line{area.x, area.y + static_cast<int>(i - top) * row, area.width, row};
            TextStyle style = StyleOf(c, true);
            if (!c.Enabled()) style.color = Sys(sc::kGrayText);
            if (i == selected) {
                p_.Fill(line, Sys(sc::kHighlight));
                style.color = Sys(sc::kHighlightText);
            }
            p_.Text(items[static_cast<size_t>(i)], {line.x + 2, line.y, line.width - 4, line.height}, style);
            if (i == selected && focused) p_.FocusRect(line, Sys(sc::kHighlightText));
        }
        p_.Restore();
    }

    void DrawScrollBar(PixelRect r, Long top, Long rows, Long count, bool enabled) {
        p_.Fill(r, 0xEAE8E3);  // the track's dither of button face and white
        const int arrow = std::min(kScrollBarWidth, r.height / 2);
        const PixelRect up{r.x, r.y, r.width, arrow}, down{r.x, r.y + r.height - arrow, r.width, arrow};
        const uint32_t ink = enabled ? Sys(sc::kButtonText) : Sys(sc::kGrayText);
        for (const auto& [button, pointing_down] : {std::pair{up, false}, std::pair{down, true}}) {
            p_.Fill(button, Sys(sc::kButtonFace));
            p_.RaisedButton(button);
            p_.Arrow(button, pointing_down, ink);
        }
        const int track = r.height - 2 * arrow;
        if (track < 8 || count <= rows) return;
        const int thumb = std::max(8, static_cast<int>(track * rows / count));
        const int y = r.y + arrow + static_cast<int>((track - thumb) * top / (count - rows));
        const PixelRect knob{r.x, y, r.width, thumb};
        p_.Fill(knob, Sys(sc::kButtonFace));
        p_.RaisedButton(knob);
    }

    // A group box: the etched line runs through the middle of the caption,
    // which sits on the frame's own colour.
    void DrawFrame(Frame& frame, PixelRect r) {
        p_.Fill(r, ResolveColor(frame.BackColor()));
        TextStyle style = StyleOf(frame, frame.Enabled());
        style.mnemonic = true;
        const int line = p_.LineHeight(style.font);
        if (frame.BorderStyle() == 1) {
            const PixelRect box{r.x, r.y + line / 2, r.width, r.height - line / 2};
            if (frame.Appearance() == 1) {
                p_.Etched(box);
            } else {
                p_.Outline(box, Sys(sc::kWindowFrame));
            }
        }
        if (frame.Caption().empty()) return;
        const int width = std::min(p_.TextWidth(frame.Caption(), style.font, true), r.width - 12);
        const PixelRect caption{r.x + 7, r.y, width + 4, line};
        p_.Fill(caption, ResolveColor(frame.BackColor()));
        p_.Text(frame.Caption(), Inset(caption, 0),
                {style.font, style.color, HAlign::Centre, VAlign::Top, false, true, style.embossed, false});
    }

    Form& form_;
    Painter& p_;
    Scale scale_;
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

SurfacePtr Draw(Form& form) {
    const Scale s = ScaleOf(form);
    const int width = std::max(1, s.X(form.Width())), height = std::max(1, s.Y(form.Height()));
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), &cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    {
        Painter painter(cr, 1440.0 / s.ty);
        FormPainter(form, painter).Draw();
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());
    return surface;
}

}  // namespace

PixelRect ClientRect(Form& form) {
    const Scale s = ScaleOf(form);
    const BorderAllowance allowance = AllowanceOf(form.BorderStyle());
    const int x = s.X(allowance.frame), y = s.Y(allowance.frame + allowance.caption);
    return {x, y, s.X(allowance.frame + form.ClientWidthTwips()) - x,
            s.Y(allowance.frame + allowance.caption + form.ClientHeightTwips()) - y};
}

std::optional<PixelRect> ControlRect(Control& control) {
    Form* form = control.OwningForm();
    if (!form || !Drawn(control)) return std::nullopt;
    return RectOf(control, ClientRect(*form));
}

FormImage RenderForm(Form& form) {
    SurfacePtr surface = Draw(form);
    FormImage image;
    image.width = cairo_image_surface_get_width(surface.get());
    image.height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    image.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width) + x] = row[x] & 0xFFFFFF;
        }
    }
    return image;
}

void WriteFormPng(Form& form, const std::string& path) {
    SurfacePtr surface = Draw(form);
    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        Fail(kPathFileAccessError, u"Path/File access error: '" + Utf16Of(path.c_str()) + u"' (" +
                                       Utf16Of(cairo_status_to_string(status)) + u")");
    }
}

namespace {

// Loaded as a module or linked in, this code is the one that writes pictures.
[[maybe_unused]] const bool kRegistered = (SetPictureWriter(&WriteFormPng), true);

}  // namespace

}  // namespace quibor15::headless::render
