#include "platform/headless/label.hpp"

#include <algorithm>
#include <cmath>

#include "platform/headless/window_members.hpp"

namespace quibor15::headless {

namespace {

constexpr EventInfo kEvents[] = {
    {ev::kChange, u"Change"},       {ev::kClick, u"Click"},         {ev::kDblClick, u"DblClick"},
    {ev::kMouseDown, u"MouseDown"}, {ev::kMouseMove, u"MouseMove"}, {ev::kMouseUp, u"MouseUp"},
};

void CheckRange(Integer value, Integer highest) {
    if (value < 0 || value > highest) Fail(err::kInvalidPropertyValue, u"Invalid property value");
}

// The caption's lines: CR LF, CR or LF end a line.
std::vector<size_t> LineLengths(const String& text) {
    std::vector<size_t> lengths{0};
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            lengths.push_back(0);
        } else {
            ++lengths.back();
        }
    }
    return lengths;
}

}  // namespace

const MemberTable<Label>& Label::Members() {
    using L = Label;
    static const MemberTable<L> table{PlacementMembers<L>(),
                                      ColorMembers<L>(),
                                      FontMembers<L>(),
                                      {
                                          Bind<L, &Control::TabIndex, &Control::SetTabIndex>(u"TabIndex"),
                                          Bind<L, &L::Caption, &L::SetCaption>(u"Caption", kDefault),
                                          Bind<L, &L::BackStyle, &L::SetBackStyle>(u"BackStyle"),
                                          Bind<L, &L::Alignment, &L::SetAlignment>(u"Alignment"),
                                          Bind<L, &L::BorderStyle, &L::SetBorderStyle>(u"BorderStyle"),
                                          Bind<L, &L::AutoSize, &L::SetAutoSize>(u"AutoSize"),
                                          Bind<L, &L::WordWrap, &L::SetWordWrap>(u"WordWrap"),
                                          Bind<L, &L::UseMnemonic, &L::SetUseMnemonic>(u"UseMnemonic"),
                                      }};
    return table;
}

Label::Label(Form& form, String name) : ControlOf(form, kKind, std::move(name), kEvents) {}

void Label::SetCaption(String caption) {
    SelfRef hold(this);
    caption_ = std::move(caption);
    FitToCaption();
    Raise(ev::kChange);
}

void Label::SetBackStyle(Integer style) {
    CheckRange(style, 1);
    back_style_ = style;
}

void Label::SetAlignment(Integer alignment) {
    CheckRange(alignment, 2);
    alignment_ = alignment;
}

void Label::SetBorderStyle(Integer style) {
    CheckRange(style, 1);
    border_style_ = style;
}

void Label::SetAutoSize(bool on) {
    auto_size_ = on;
    FitToCaption();
}

void Label::SetWordWrap(bool on) {
    word_wrap_ = on;
    FitToCaption();
}

void Label::FitToCaption() {
    if (!auto_size_) return;
    double em = static_cast<double>(FontSize()) * 20;
    double char_width = em / 2, line_height = std::round(em * 1.2);
    std::vector<size_t> lines = LineLengths(caption_);
    Bounds b = BoundsTwips();
    if (word_wrap_ && b.width > 0) {
        double rows = 0;
        for (size_t n : lines) rows += std::max(1.0, std::ceil(static_cast<double>(n) * char_width / b.width));
        b.height = rows * line_height;
    } else {
        size_t longest = *std::max_element(lines.begin(), lines.end());
        b.width = static_cast<double>(longest) * char_width;
        b.height = static_cast<double>(lines.size()) * line_height;
    }
    SetBoundsTwips(b);
}

void Label::CopyFrom(const Control& other) {
    Control::CopyFrom(other);
    const auto& l = static_cast<const Label&>(other);
    caption_ = l.caption_;
    back_style_ = l.back_style_;
    alignment_ = l.alignment_;
    border_style_ = l.border_style_;
    auto_size_ = l.auto_size_;
    word_wrap_ = l.word_wrap_;
    use_mnemonic_ = l.use_mnemonic_;
}

}  // namespace quibor15::headless
