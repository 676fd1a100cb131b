// Centring, exit animations and always-on-top.
#include "forms/form_access.hpp"
#include "forms/wui_runtime.hpp"

namespace quibor15 {

using forms::HalfOf;
using forms::ReadNumber;

namespace {

constexpr double kExitStep = 300;
// The animations stop at fixed twip positions, whatever the screen's size.
constexpr double kExitDownLimit = 7200;
constexpr double kExitUpLimit = -4500;
constexpr double kExitRightLimit = 9600;
constexpr double kExitLeftLimit = -6300;

constexpr Handle kHwndTopmost = -1;
constexpr Handle kHwndNoTopmost = -2;
constexpr uint32_t kSwpNoSizeNoMove = 0x3;

// The vertical centre is that of the upper 85 % of the screen.
constexpr double kCentreHeightShare = 0.85;

}  // namespace

void clsQuiborWUIRunTimeA::FormCenter(ObjectRef& Form) {
    const ObjectRef form = Form;
    const ObjectRef screen = Host().Screen();
    const Long top =
        CheckedSub(HalfOf(ReadNumber(screen, u"Height") * kCentreHeightShare), HalfOf(ReadNumber(form, u"Height")));
    LateLet(form, u"Top", Variant(top));
    const Long left = CheckedSub(HalfOf(ReadNumber(screen, u"Width")), HalfOf(ReadNumber(form, u"Width")));
    LateLet(form, u"Left", Variant(left));
}

void clsQuiborWUIRunTimeA::SlideOut(const ObjectRef& form, Axis axis, double step, double limit) {
    const std::u16string_view property = axis == Axis::Top ? u"Top" : u"Left";
    const auto past_limit = [&](double position) { return step > 0 ? position > limit : position < limit; };
    for (;;) {
        const double next = Floor(ReadNumber(form, property)) + step;
        LateLet(form, property, Variant(next));
        // Other handlers of the host may move or close the form here, so the
        // position is read again rather than remembered.
        Host().PumpEvents();
        if (past_limit(ReadNumber(form, property))) return;
    }
}

void clsQuiborWUIRunTimeA::FormExitDown(ObjectRef& Form) { SlideOut(Form, Axis::Top, kExitStep, kExitDownLimit); }

void clsQuiborWUIRunTimeA::FormExitUp(ObjectRef& Form) { SlideOut(Form, Axis::Top, -kExitStep, kExitUpLimit); }

void clsQuiborWUIRunTimeA::FormExitLeft(ObjectRef& Form) { SlideOut(Form, Axis::Left, -kExitStep, kExitLeftLimit); }

void clsQuiborWUIRunTimeA::FormExitRight(ObjectRef& Form) { SlideOut(Form, Axis::Left, kExitStep, kExitRightLimit); }

void clsQuiborWUIRunTimeA::OnTop(ObjectRef& frm, Boolean& bAction) {
    const Handle hwnd = VariantToLong(LateGet(frm, u"hWnd"));
    const Handle insert_after = bAction ? kHwndTopmost : kHwndNoTopmost;
    Windows().SetWindowPos(hwnd, insert_after, 0, 0, 0, 0, kSwpNoSizeNoMove);
}

}  // namespace quibor15
