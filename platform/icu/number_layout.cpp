#include "platform/icu/number_layout.hpp"

#include <unicode/uchar.h>

#include <array>

namespace quibor15::icu_backend {
namespace {

// A pattern part reduced to its layout: n the number, $ the currency sign,
// - the minus, ( ) parentheses and one space for any run of spacing.
// Direction marks and other decoration are left out.
std::u16string Shape(std::u16string_view part) {
    std::u16string shape;
    auto add = [&shape](char16_t c) {
        if (shape.empty() || shape.back() != c || (c != u'n' && c != u' ' && c != u'$')) shape.push_back(c);
    };
    bool quoted = false;
    for (char16_t c : part) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (quoted) continue;
        switch (c) {
            case u'#':
            case u'0':
            case u'1':
            case u'2':
            case u'3':
            case u'4':
            case u'5':
            case u'6':
            case u'7':
            case u'8':
            case u'9':
            case u',':
            case u'.':
            case u'@':
                add(u'n');
                break;
            case u'\u00A4':
                add(u'$');
                break;
            case u'-':
            case u'(':
            case u')':
                add(c);
                break;
            default:
                if (u_isUWhiteSpace(c) || c == u'\u00A0' || c == u'\u202F') add(u' ');
                break;
        }
    }
    while (!shape.empty() && shape.front() == u' ') shape.erase(0, 1);
    while (!shape.empty() && shape.back() == u' ') shape.pop_back();
    return shape;
}

std::u16string_view PositivePart(std::u16string_view pattern) {
    const size_t split = pattern.find(u';');
    return split == std::u16string_view::npos ? pattern : pattern.substr(0, split);
}

std::u16string NegativeShape(std::u16string_view pattern) {
    const size_t split = pattern.find(u';');
    if (split != std::u16string_view::npos) return Shape(pattern.substr(split + 1));
    std::u16string shape(1, u'-');
    return shape += Shape(pattern);
}

template <size_t N>
int IndexOf(const std::array<std::u16string_view, N>& table, std::u16string_view shape) {
    for (size_t i = 0; i < N; ++i) {
        if (table[i] == shape) return static_cast<int>(i);
    }
    return -1;
}

bool SignBeforeNumber(std::u16string_view shape) {
    return shape.find(u'$') != std::u16string_view::npos && shape.find(u'$') < shape.find(u'n');
}

}  // namespace

int PositiveCurrencyPattern(std::u16string_view icu_pattern) {
    static constexpr std::array<std::u16string_view, 4> kLayouts = {u"$n", u"n$", u"$ n", u"n $"};
    const std::u16string shape = Shape(PositivePart(icu_pattern));
    const int index = IndexOf(kLayouts, shape);
    if (index >= 0) return index;
    return SignBeforeNumber(shape) ? 0 : 1;
}

int NegativeCurrencyPattern(std::u16string_view icu_pattern) {
    static constexpr std::array<std::u16string_view, 16> kLayouts = {
        u"($n)", u"-$n",  u"$-n",  u"$n-",  u"(n$)", u"-n$",  u"n-$",   u"n$-",
        u"-n $", u"-$ n", u"n $-", u"$ n-", u"$ -n", u"n- $", u"($ n)", u"(n $)",
    };
    const std::u16string shape = NegativeShape(icu_pattern);
    const int index = IndexOf(kLayouts, shape);
    if (index >= 0) return index;
    // Shapes Windows has no number for (a minus between sign and number with
    // odd spacing, say) fall back on the nearest plain layout.
    const bool parentheses = shape.find(u'(') != std::u16string::npos;
    const bool spaced = shape.find(u' ') != std::u16string::npos;
    if (SignBeforeNumber(shape)) return parentheses ? (spaced ? 14 : 0) : (spaced ? 9 : 1);
    return parentheses ? (spaced ? 15 : 4) : (spaced ? 8 : 5);
}

int NegativeNumberPattern(std::u16string_view icu_pattern) {
    static constexpr std::array<std::u16string_view, 5> kLayouts = {u"(n)", u"-n", u"- n", u"n-", u"n -"};
    const int index = IndexOf(kLayouts, NegativeShape(icu_pattern));
    return index >= 0 ? index : 1;
}

std::u16string GroupingText(int primary, int secondary) {
    if (primary <= 0) return u"0";
    std::u16string text = std::u16string(1, static_cast<char16_t>(u'0' + primary % 10));
    if (secondary > 0 && secondary != primary) {
        text += u";";
        text.push_back(static_cast<char16_t>(u'0' + secondary % 10));
    }
    return text + u";0";
}

}  // namespace quibor15::icu_backend
