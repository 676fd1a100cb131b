// RegExp, its Matches and Match objects and SubMatches, on ICU's regular
// expressions. Patterns are written in the script dialect (the ECMAScript
// one) and translated where ICU reads them differently: \d, \w and \b are
// ASCII-only, $ without Multiline matches only at the very end, and [\b]
// is a backspace.
#include <unicode/regex.h>

#include <memory>

#include "host/script/objects/runtime_object.hpp"
#include "host/script/script_error.hpp"

namespace quibor15::script {
namespace {

constexpr int32_t kRegexSyntax = 5017;
constexpr int32_t kRegexQuantifier = 5018;
constexpr int32_t kRegexBracket = 5019;
constexpr int32_t kRegexParen = 5020;
constexpr int32_t kRegexRange = 5021;

[[noreturn]] void RaiseRegex(int32_t number) {
    throw ScriptError(number, kRuntimeErrorSource, ScriptErrorDescription(number));
}

// The pattern in ICU's syntax.
String Translate(std::u16string_view p, bool multiline) {
    String out;
    bool in_class = false;
    for (size_t i = 0; i < p.size(); ++i) {
        const char16_t c = p[i];
        if (c == u'\\' && i + 1 < p.size()) {
            const char16_t n = p[++i];
            switch (n) {
                case u'd':
                    out += in_class ? u"0-9" : u"[0-9]";
                    break;
                case u'D':
                    out += u"[^0-9]";
                    break;
                case u'w':
                    out += in_class ? u"A-Za-z0-9_" : u"[A-Za-z0-9_]";
                    break;
                case u'W':
                    out += u"[^A-Za-z0-9_]";
                    break;
                case u'b':
                    out += in_class ? u"\\x08"
                                    : u"(?:(?<=[A-Za-z0-9_])(?![A-Za-z0-9_])|(?<![A-Za-z0-9_])(?=[A-Za-z0-9_]))";
                    break;
                case u'B':
                    out += u"(?:(?<=[A-Za-z0-9_])(?=[A-Za-z0-9_])|(?<![A-Za-z0-9_])(?![A-Za-z0-9_]))";
                    break;
                default:
                    out += c;
                    out += n;
            }
            continue;
        }
        if (in_class) {
            // ICU reads [ inside a set as a nested set.
            if (c == u'[') {
                out += u"\\[";
                continue;
            }
            if (c == u']') in_class = false;
            out += c;
            continue;
        }
        if (c == u'[') {
            in_class = true;
            out += c;
            // A ] right after [ or [^ is a member, not the end.
            if (i + 1 < p.size() && p[i + 1] == u'^') out += p[++i];
            if (i + 1 < p.size() && p[i + 1] == u']') {
                out += u"\\]";
                ++i;
            }
            continue;
        }
        if (c == u'$' && !multiline) {
            out += u"\\z";
            continue;
        }
        out += c;
    }
    if (in_class) RaiseRegex(kRegexBracket);
    return out;
}

icu::UnicodeString Icu(std::u16string_view s) { return icu::UnicodeString(s.data(), static_cast<int32_t>(s.size())); }
String FromIcu(const icu::UnicodeString& s) { return String(s.getBuffer(), static_cast<size_t>(s.length())); }

// One match: its text, where it starts (from 0) and its groups.
struct MatchData {
    String value;
    Long first_index = 0;
    std::vector<Variant> groups;  // Empty for a group that took no part
};

// A match collection or a match's sub-matches: a read-only list of values.
class ValueListObject : public HostObject {
public:
    ValueListObject(String type_name, std::vector<Variant> items)
        : type_name_(std::move(type_name)), items_(std::move(items)) {}
    String TypeName() const override { return type_name_; }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        switch (id) {
            case kDispIdValue: {
                ExpectArgs(args, 1, 1);
                const Long i = VariantToLong(args[0].Deref());
                if (i < 0 || static_cast<size_t>(i) >= items_.size()) RaiseRuntimeError(rt::kInvalidProcedureCall);
                return items_[static_cast<size_t>(i)];
            }
            case kCount:
                ExpectArgs(args, 0, 0);
                return Variant(static_cast<Long>(items_.size()));
            case kDispIdNewEnum:
                return Variant(ObjectRef(MakeRef<ValueEnumerator>(items_)));
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    static constexpr DispId kCount = 1;
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Item", kDispIdValue}, {u"Count", kCount}, {u"_NewEnum", kDispIdNewEnum}};
        return kMembers;
    }
    String type_name_;
    std::vector<Variant> items_;
};

class MatchObject : public HostObject {
public:
    explicit MatchObject(MatchData data) : data_(std::move(data)) {}
    String TypeName() const override { return u"IMatch2"; }
    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        if (!IsGet(flags)) RaiseRuntimeError(rt::kMemberNotSupported);
        ExpectArgs(args, 0, 0);
        switch (id) {
            case kValue:
                return Variant(data_.value);
            case kFirstIndex:
                return Variant(data_.first_index);
            case kLength:
                return Variant(static_cast<Long>(data_.value.size()));
            case kSubMatches:
                return Variant(ObjectRef(MakeRef<ValueListObject>(u"ISubMatches", data_.groups)));
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kValue = kDispIdValue, kFirstIndex = 1, kLength, kSubMatches };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Value", kValue}, {u"FirstIndex", kFirstIndex}, {u"Length", kLength}, {u"SubMatches", kSubMatches}};
        return kMembers;
    }
    MatchData data_;
};

class RegExpObject : public RuntimeObject {
public:
    using RuntimeObject::RuntimeObject;

    String TypeName() const override { return u"IRegExp2"; }

    Variant Invoke(DispId id, uint16_t flags, std::span<Variant> args) override {
        Interp();
        if (IsPut(flags)) {
            ExpectArgs(args, 1, 1);
            switch (id) {
                case kPattern:
                    pattern_ = Text(args, 0);
                    break;
                case kGlobal:
                    global_ = BoolArg(args, 0);
                    break;
                case kIgnoreCase:
                    ignore_case_ = BoolArg(args, 0);
                    break;
                case kMultiline:
                    multiline_ = BoolArg(args, 0);
                    break;
                default:
                    RaiseRuntimeError(rt::kMemberNotSupported);
            }
            compiled_.reset();
            return Variant();
        }
        switch (id) {
            case kPattern:
                ExpectArgs(args, 0, 0);
                return Variant(pattern_);
            case kGlobal:
                ExpectArgs(args, 0, 0);
                return Variant(Boolean::From(global_));
            case kIgnoreCase:
                ExpectArgs(args, 0, 0);
                return Variant(Boolean::From(ignore_case_));
            case kMultiline:
                ExpectArgs(args, 0, 0);
                return Variant(Boolean::From(multiline_));
            case kTest: {
                ExpectArgs(args, 1, 1);
                const String text = Text(args, 0);
                std::unique_ptr<icu::RegexMatcher> m = Matcher(text);
                UErrorCode status = U_ZERO_ERROR;
                return Variant(Boolean::From(m->find(status)));
            }
            case kExecute:
                ExpectArgs(args, 1, 1);
                return Execute(Text(args, 0));
            case kReplace:
                ExpectArgs(args, 2, 2);
                return Variant(Replace(Text(args, 0), Text(args, 1)));
            default:
                RaiseRuntimeError(rt::kMemberNotSupported);
        }
    }

private:
    enum : DispId { kPattern = kDispIdValue, kGlobal = 1, kIgnoreCase, kMultiline, kTest, kExecute, kReplace };
    std::span<const Member> Members() const override {
        static constexpr Member kMembers[] = {
            {u"Pattern", kPattern}, {u"Global", kGlobal},   {u"IgnoreCase", kIgnoreCase}, {u"Multiline", kMultiline},
            {u"Test", kTest},       {u"Execute", kExecute}, {u"Replace", kReplace},
        };
        return kMembers;
    }

    const icu::RegexPattern& Compiled() {
        if (compiled_) return *compiled_;
        uint32_t options = 0;
        if (ignore_case_) options |= UREGEX_CASE_INSENSITIVE;
        if (multiline_) options |= UREGEX_MULTILINE;
        UParseError where{};
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexPattern> p(
            icu::RegexPattern::compile(Icu(Translate(pattern_, multiline_)), options, where, status));
        if (U_FAILURE(status) || !p) {
            switch (status) {
                case U_REGEX_MISMATCHED_PAREN:
                    RaiseRegex(kRegexParen);
                case U_REGEX_MISSING_CLOSE_BRACKET:
                    RaiseRegex(kRegexBracket);
                case U_REGEX_INVALID_RANGE:
                    RaiseRegex(kRegexRange);
                case U_REGEX_BAD_INTERVAL:
                case U_REGEX_MAX_LT_MIN:
                    RaiseRegex(kRegexQuantifier);
                default:
                    RaiseRegex(kRegexSyntax);
            }
        }
        compiled_ = std::move(p);
        return *compiled_;
    }

    // A matcher over `text`, which must outlive it.
    std::unique_ptr<icu::RegexMatcher> Matcher(const String& text) {
        subject_ = Icu(text);
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::RegexMatcher> m(Compiled().matcher(subject_, status));
        if (U_FAILURE(status) || !m) RaiseScriptError(se::kOutOfMemory);
        // A pattern that backtracks without end gives up rather than hangs.
        m->setTimeLimit(50000, status);
        return m;
    }

    // Every match (Global) or the first, in order.
    std::vector<MatchData> Matches(const String& text) {
        std::unique_ptr<icu::RegexMatcher> m = Matcher(text);
        std::vector<MatchData> out;
        UErrorCode status = U_ZERO_ERROR;
        while (m->find(status) && U_SUCCESS(status)) {
            MatchData d;
            const int32_t start = m->start(status);
            d.first_index = start;
            d.value = FromIcu(m->group(status));
            for (int32_t g = 1; g <= m->groupCount(); ++g) {
                Variant group;
                if (m->start(g, status) >= 0) group = Variant(FromIcu(m->group(g, status)));
                d.groups.push_back(std::move(group));
            }
            out.push_back(std::move(d));
            if (!global_) break;
        }
        if (status == U_REGEX_TIME_OUT || status == U_REGEX_STACK_OVERFLOW) RaiseScriptError(se::kOutOfStackSpace);
        return out;
    }

    Variant Execute(const String& text) {
        std::vector<Variant> matches;
        for (MatchData& d : Matches(text)) matches.emplace_back(ObjectRef(MakeRef<MatchObject>(std::move(d))));
        return Variant(ObjectRef(MakeRef<ValueListObject>(u"IMatchCollection2", std::move(matches))));
    }

    // $1..$99, $& (the match), $` and $' (before and after it), $$ ($).
    static void Substitute(const String& with, const String& text, const MatchData& d, String& out) {
        for (size_t i = 0; i < with.size(); ++i) {
            const char16_t c = with[i];
            if (c != u'$' || i + 1 == with.size()) {
                out += c;
                continue;
            }
            const char16_t n = with[i + 1];
            const size_t end = static_cast<size_t>(d.first_index) + d.value.size();
            if (n == u'$') {
                out += u'$';
            } else if (n == u'&') {
                out += d.value;
            } else if (n == u'`') {
                out.append(text, 0, static_cast<size_t>(d.first_index));
            } else if (n == u'\'') {
                out.append(text, end, String::npos);
            } else if (n >= u'0' && n <= u'9') {
                size_t group = n - u'0';
                size_t used = 1;
                if (i + 2 < with.size() && with[i + 2] >= u'0' && with[i + 2] <= u'9') {
                    const size_t two = group * 10 + (with[i + 2] - u'0');
                    if (two >= 1 && two <= d.groups.size()) {
                        group = two;
                        used = 2;
                    }
                }
                if (group < 1 || group > d.groups.size()) {
                    out += c;
                    continue;
                }
                if (const String* s = d.groups[group - 1].As<String>()) out += *s;
                i += used;
                continue;
            } else {
                out += c;
                continue;
            }
            ++i;
        }
    }

    String Replace(const String& text, const String& with) {
        String out;
        size_t pos = 0;
        for (const MatchData& d : Matches(text)) {
            out.append(text, pos, static_cast<size_t>(d.first_index) - pos);
            Substitute(with, text, d, out);
            pos = static_cast<size_t>(d.first_index) + d.value.size();
        }
        out.append(text, pos, String::npos);
        return out;
    }

    String pattern_;
    bool global_ = false;
    bool ignore_case_ = false;
    bool multiline_ = false;
    std::unique_ptr<icu::RegexPattern> compiled_;
    icu::UnicodeString subject_;
};

}  // namespace

ObjectRef MakeRegExp(Interpreter& interp) { return ObjectRef(MakeRef<RegExpObject>(interp)); }

}  // namespace quibor15::script
