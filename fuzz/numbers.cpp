// The primitives that read numbers from text (LeadingNumber, StrictNumber,
// ParseNumber) and Variant's conversions from text, in a number format the
// first byte picks. A number read back from its own DecimalText must come
// out the same to the digits written.
#include <cmath>
#include <cstdlib>

#include "fuzz_input.hpp"
#include "quibor15/primitives.hpp"

namespace {

using namespace quibor15;

constexpr NumberFormat kFormats[] = {{u'.', u','}, {u',', u'.'}, {u',', u'\u00A0'}, {u'.', u'\''}, {u',', u' '}};

constexpr VarType kTypes[] = {VarType::Integer, VarType::Long,   VarType::Single,  VarType::Double, VarType::Currency,
                              VarType::Date,    VarType::String, VarType::Boolean, VarType::Byte};

template <class F>
void Quietly(F f) {
    try {
        f();
    } catch (const AutomationError&) {
    }
}

void ReadsBackItsOwnText(double value, const NumberFormat& fmt) {
    // Above this, fifteen digits round up past the largest Double, and the
    // text reads back as an overflow, as the runtime's does.
    if (!(std::fabs(value) <= 1.79769313486231e308)) return;
    const String text = DecimalText(value, fmt);
    double back = 0;
    if (!ParseNumber(text, fmt, back)) std::abort();
    // Fifteen significant digits are written.
    if (std::fabs(back - value) > std::fabs(value) * 1e-14) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const NumberFormat fmt = in.PickValueInArray(kFormats);
    const String text = fuzzing::TextOf(in.ConsumeRemainingBytesAsString());

    ReadsBackItsOwnText(LeadingNumber(text), fmt);
    Quietly([&] { ReadsBackItsOwnText(StrictNumber(text, fmt), fmt); });
    double parsed = 0;
    if (ParseNumber(text, fmt, parsed)) ReadsBackItsOwnText(parsed, fmt);

    const Variant value(text);
    for (VarType type : kTypes) {
        Quietly([&] {
            const Variant converted = ConvertVariant(value, type, fmt);
            VariantToString(converted, fmt);
        });
    }
    return 0;
}
