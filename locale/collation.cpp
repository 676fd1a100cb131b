#include "locale/collation.hpp"

#include <optional>
#include <vector>

#include "locale/locale_text.hpp"
#include "quibor15/convert.hpp"

namespace quibor15::locale_services {
namespace {

String ElementText(const Variant& element) {
    if (const String* text = element.As<String>()) return *text;
    return VariantToString(element);
}

[[noreturn]] void RaiseUnableToSort() { throw AutomationError(1, u"Locale.ListSort", u"Unable to sort list"); }

}  // namespace

SafeArray SortTexts(WindowsServices& windows, Long lcid, const SafeArray& list, bool ascending, bool ignore_case) {
    if (list.Rank() != 1) RaiseRuntimeError(rt::kSubscriptOutOfRange);
    const uint32_t flags = ignore_case ? lcflags::kNormIgnoreCase : 0;

    // The work copy: a taken entry is overwritten with the empty text, so
    // empty entries of the input never reach the result.
    std::vector<String> work;
    work.reserve(list.ElementCount());
    size_t texts = 0;
    for (const Variant& element : list.Data()) {
        work.push_back(ElementText(element));
        if (!work.back().empty()) ++texts;
    }
    // With two texts or more every text takes part in the first pass's
    // comparisons, and a text that crossed the 8-bit entry point comes back
    // as its conversion left it: convert each once, up front.
    if (texts >= 2 && windows.LocaleTextsCrossCodePage()) {
        for (String& text : work)
            if (!text.empty()) text = windows.LocaleText(text);
    }
    // The platform compares each text up to its first NUL.
    std::vector<String> compared;
    compared.reserve(work.size());
    for (const String& text : work) compared.push_back(texts >= 2 ? CutAtNul(text) : String());
    const auto comparison = windows.CompareStringsA(lcid, flags, std::move(compared));

    std::vector<String> sorted;
    sorted.reserve(texts);
    for (size_t pass = 0; pass < work.size(); ++pass) {
        std::optional<size_t> best;
        for (size_t j = 0; j < work.size(); ++j) {
            if (work[j].empty()) continue;
            if (!best) {
                best = j;
                continue;
            }
            const int32_t r = comparison->Compare(j, *best);
            if (r == 0) RaiseUnableToSort();
            if ((r == 1 && ascending) || (r == 3 && !ascending)) best = j;
        }
        if (!best) continue;
        sorted.push_back(std::move(work[*best]));
        work[*best].clear();
    }

    SafeArray result = SafeArray::OneDim(VarType::String, 0, static_cast<int32_t>(sorted.size()) - 1);
    for (size_t k = 0; k < sorted.size(); ++k) result.At(static_cast<int32_t>(k)) = Variant(std::move(sorted[k]));
    return result;
}

String MapTextCase(WindowsServices& windows, Long lcid, uint32_t map_flag, const String& text) {
    // The whole mapped text is returned, however many bytes it takes in the
    // 8-bit code page: a double-byte text or a letter whose mapping is
    // longer than itself is not cut or refused for want of buffer room.
    String mapped;
    if (windows.LCMapStringA(lcid, map_flag, CutAtNul(text), mapped) == 0) return String();
    return CutAtNul(mapped);
}

}  // namespace quibor15::locale_services
