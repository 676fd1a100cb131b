#include "platform/icu/picture_syntax.hpp"

#include <unicode/uchar.h>

#include <algorithm>
#include <optional>

namespace quibor15::icu_backend {
namespace {

constexpr char16_t kQuote = u'\'';

bool IsSpace(char16_t c) { return u_isUWhiteSpace(c) != 0; }

// Letters and the quote itself would be taken as fields or quoting if they
// were written out bare.
bool NeedsQuoting(char16_t c) { return c == kQuote || U16_IS_SURROGATE(c) || u_isalpha(c) != 0; }

void AppendLiteral(PictureTokens& tokens, std::u16string_view text) {
    if (text.empty()) return;
    if (!tokens.empty() && !tokens.back().is_field) {
        tokens.back().text.append(text);
    } else {
        tokens.push_back(PictureToken::Literal(std::u16string(text)));
    }
}

// Windows quotes the whole of a literal that holds letters, its spaces too
// (d' de 'MMMM).
void RenderLiteral(std::u16string_view text, std::u16string& out) {
    if (std::none_of(text.begin(), text.end(), NeedsQuoting)) {
        out.append(text);
        return;
    }
    // A quote at the start of quoted text would read as an escaped quote
    // followed by an opening one, so leading quotes are written outside.
    size_t first = 0;
    while (first < text.size() && text[first] == kQuote) {
        out.append(u"''");
        ++first;
    }
    if (first == text.size()) return;
    out.push_back(kQuote);
    for (char16_t c : text.substr(first)) {
        if (c == kQuote) out.push_back(kQuote);
        out.push_back(c);
    }
    out.push_back(kQuote);
}

std::optional<PictureToken> MapCldrField(char16_t letter, int count) {
    switch (letter) {
        case u'G':
            return PictureToken::Field(u'g', 2);
        case u'y':
        case u'Y':
        case u'u':
        case u'U':
        case u'r':
            return PictureToken::Field(u'y', count == 2 ? 2 : 4);
        case u'M':
        case u'L':
            return PictureToken::Field(u'M', count == 5 ? 3 : std::min(count, 4));
        case u'd':
            return PictureToken::Field(u'd', std::min(count, 2));
        case u'c':
        case u'e':
            if (count <= 2) return std::nullopt;  // numeric day of week
            [[fallthrough]];
        case u'E':
            return PictureToken::Field(u'd', count == 4 ? 4 : 3);
        case u'h':
        case u'K':
            return PictureToken::Field(u'h', std::min(count, 2));
        case u'H':
        case u'k':
            return PictureToken::Field(u'H', std::min(count, 2));
        case u'm':
        case u's':
            return PictureToken::Field(letter, std::min(count, 2));
        case u'a':
        case u'b':
        case u'B':
            return PictureToken::Field(u't', 2);
        default:
            return std::nullopt;
    }
}

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

template <typename Edit>
std::u16string EditFields(std::u16string_view picture, Edit edit) {
    PictureTokens tokens = TokenizePicture(picture);
    for (PictureToken& t : tokens) {
        if (t.is_field) edit(t);
    }
    return RenderPicture(tokens);
}

bool IsNumericDayOrMonth(const PictureToken& t) {
    return t.is_field && (t.letter == u'd' || t.letter == u'M') && t.count <= 2;
}

}  // namespace

PictureTokens TokenizePicture(std::u16string_view picture, std::u16string_view field_letters) {
    PictureTokens tokens;
    tokens.reserve(picture.size());
    bool quoted = false;
    size_t i = 0;
    while (i < picture.size()) {
        const char16_t c = picture[i];
        if (c == kQuote) {
            if (i + 1 < picture.size() && picture[i + 1] == kQuote) {
                AppendLiteral(tokens, u"'");
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        if (!quoted && field_letters.find(c) != std::u16string_view::npos) {
            size_t end = i;
            while (end < picture.size() && picture[end] == c) ++end;
            tokens.push_back(PictureToken::Field(c, static_cast<int>(end - i)));
            i = end;
            continue;
        }
        AppendLiteral(tokens, picture.substr(i, 1));
        ++i;
    }
    return tokens;
}

std::u16string RenderPicture(const PictureTokens& tokens) {
    std::u16string out;
    for (const PictureToken& t : tokens) {
        if (t.is_field) {
            out.append(static_cast<size_t>(t.count), t.letter);
        } else {
            RenderLiteral(t.text, out);
        }
    }
    return out;
}

std::u16string CldrPatternToPicture(std::u16string_view pattern) {
    PictureTokens tokens;
    std::u16string pending;  // literal text since the last field
    bool after_dropped_lead = false;
    bool after_dropped_field = false;

    auto flush = [&] {
        if (after_dropped_lead)
            pending.erase(pending.begin(), std::find_if_not(pending.begin(), pending.end(), IsSpace));
        if (after_dropped_field && !pending.empty() && (pending.front() == u')' || pending.front() == u']')) {
            pending.erase(0, 1);
        }
        AppendLiteral(tokens, pending);
        pending.clear();
    };

    bool quoted = false;
    size_t i = 0;
    while (i < pattern.size()) {
        const char16_t c = pattern[i];
        if (c == kQuote) {
            if (i + 1 < pattern.size() && pattern[i + 1] == kQuote) {
                pending.push_back(kQuote);
                i += 2;
            } else {
                quoted = !quoted;
                ++i;
            }
            continue;
        }
        if (quoted || !IsAsciiLetter(c)) {
            // CLDR's no-break and narrow spaces are plain spaces in Windows
            // pictures.
            pending.push_back(IsSpace(c) ? u' ' : c);
            ++i;
            continue;
        }
        size_t end = i;
        while (end < pattern.size() && pattern[end] == c) ++end;
        const int count = static_cast<int>(end - i);
        i = end;
        if (auto field = MapCldrField(c, count)) {
            flush();
            tokens.push_back(*field);
            after_dropped_lead = false;
            after_dropped_field = false;
        } else {
            // The text leading up to a dropped field only served that field.
            pending.clear();
            after_dropped_lead = tokens.empty();
            after_dropped_field = true;
        }
    }
    if (after_dropped_field) {
        size_t end = pending.size();
        while (end > 0 && IsSpace(pending[end - 1])) --end;
        pending.resize(end);
    }
    flush();
    // Spacing left dangling at either end by a dropped field.
    if (!tokens.empty() && !tokens.back().is_field) {
        std::u16string& text = tokens.back().text;
        while (!text.empty() && IsSpace(text.back())) text.pop_back();
        if (text.empty()) tokens.pop_back();
    }
    return RenderPicture(tokens);
}

std::u16string WithFullYear(std::u16string_view picture) {
    return EditFields(picture, [](PictureToken& t) {
        if (t.letter == u'y') t.count = 4;
    });
}

std::u16string WithShortYear(std::u16string_view picture) {
    return EditFields(picture, [](PictureToken& t) {
        if (t.letter == u'y') t.count = 2;
    });
}

std::u16string WithToggledPadding(std::u16string_view picture) {
    PictureTokens tokens = TokenizePicture(picture);
    const bool any_unpadded = std::any_of(tokens.begin(), tokens.end(),
                                          [](const PictureToken& t) { return IsNumericDayOrMonth(t) && t.count == 1; });
    for (PictureToken& t : tokens) {
        if (IsNumericDayOrMonth(t)) t.count = any_unpadded ? 2 : 1;
    }
    return RenderPicture(tokens);
}

std::u16string WithToggledHourPadding(std::u16string_view picture) {
    return EditFields(picture, [](PictureToken& t) {
        if (t.letter == u'h' || t.letter == u'H') t.count = t.count == 1 ? 2 : 1;
    });
}

std::u16string WithTwentyFourHours(std::u16string_view picture) {
    PictureTokens tokens = TokenizePicture(picture);
    PictureTokens out;
    bool trim_next = false;
    for (PictureToken& t : tokens) {
        if (t.is_field && t.letter == u't') {
            if (!out.empty() && !out.back().is_field) {
                std::u16string& text = out.back().text;
                while (!text.empty() && IsSpace(text.back())) text.pop_back();
                if (text.empty()) out.pop_back();
            }
            trim_next = out.empty();
            continue;
        }
        if (t.is_field && t.letter == u'h') t.letter = u'H';
        if (trim_next && !t.is_field) {
            auto first = std::find_if_not(t.text.begin(), t.text.end(), IsSpace);
            t.text.erase(t.text.begin(), first);
            if (t.text.empty()) continue;
        }
        trim_next = false;
        out.push_back(std::move(t));
    }
    return RenderPicture(out);
}

bool UsesTwelveHours(std::u16string_view picture) {
    PictureTokens tokens = TokenizePicture(picture, kTimeFieldLetters);
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const PictureToken& t) { return t.is_field && t.letter == u'h'; });
}

int FieldOrder(std::u16string_view date_picture) {
    PictureTokens tokens = TokenizePicture(date_picture, kDateFieldLetters);
    int day = -1, month = -1, year = -1;
    for (int i = 0; i < static_cast<int>(tokens.size()); ++i) {
        const PictureToken& t = tokens[static_cast<size_t>(i)];
        if (!t.is_field) continue;
        if (t.letter == u'd' && t.count <= 2 && day < 0) day = i;
        if (t.letter == u'M' && month < 0) month = i;
        if (t.letter == u'y' && year < 0) year = i;
    }
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month)) return 2;
    if (day >= 0 && (month < 0 || day < month)) return 1;
    return 0;
}

std::u16string FirstSeparator(std::u16string_view picture, std::u16string_view letters, std::u16string_view fallback) {
    PictureTokens tokens = TokenizePicture(picture, letters);
    for (size_t i = 0; i + 2 < tokens.size(); ++i) {
        if (tokens[i].is_field && !tokens[i + 1].is_field && tokens[i + 2].is_field) return tokens[i + 1].text;
    }
    return std::u16string(fallback);
}

}  // namespace quibor15::icu_backend
