// clsQuiborWUITooltipA: one tooltip window of the common controls, made with
// the object and destroyed with it, and the tools registered with it: whole
// windows and rectangles inside windows. The object keeps no list of its
// tools; they live in the tooltip window.
#pragma once

#include "quibor15/interfaces.hpp"

namespace quibor15 {

class clsQuiborWUITooltipA final : public _clsQuiborWUITooltipA {
public:
    // Initialises the common controls, creates the tooltip window (handle 0
    // when that fails, which is not reported) and applies the defaults.
    explicit clsQuiborWUITooltipA(ContextPtr context);
    // Destroys the tooltip window and the GDI font made for it.
    ~clsQuiborWUITooltipA() override;

    // Builds a GDI font from the font object and gives it to the tooltip;
    // the font made for the previous object is deleted. Errors: 6 for a
    // character set outside 0 to 255, 9 for a face name of 32 bytes or more
    // in the code page, the host's errors for a missing font property; after
    // an error nothing has changed.
    void set_Font(ObjectRef value) override;
    // The font object last assigned; Nothing before any.
    ObjectRef get_Font() override;
    // Each put stores the value, then sends it to the tooltip window.
    void let_TxtColor(Long value) override;
    Long get_TxtColor() override;
    void let_BkColor(Long value) override;
    Long get_BkColor() override;
    void let_VisibleTime(Long value) override;
    Long get_VisibleTime() override;
    void let_DelayTime(Long value) override;
    Long get_DelayTime() override;
    void let_TipWidth(Long value) override;
    Long get_TipWidth() override;
    // 2 (ttStyleBalloon) sets the balloon style, 1 (ttStyleStandard) clears
    // it, other values are stored without touching the window.
    void let_Style(Long value) override;
    Long get_Style() override;

    // A tool for the whole window objHwnd.
    void SetToolTipObj(Long& objHwnd, String& sTipText, Boolean& bCenter) override;
    // A tool for the rectangle (lft, tp)-(rght, btm) of objHwnd, told apart
    // from the window's other items by nItem.
    void SetToolTipItem(Long& objHwnd, Long& nItem, Long& lft, Long& tp, Long& rght, Long& btm, String& sTipText,
                        Boolean& bCenter) override;
    // Removes item nItem of objHwnd, or its whole-window tool when nItem is
    // negative.
    void DelToolTip(Long& objHwnd, Long& nItem) override;
    // Moves item nItem of objHwnd to a new rectangle.
    void AjustItemRect(Long& objHwnd, Long& nItem, Long& lft, Long& tp, Long& rght, Long& btm) override;

    // The tooltip window (0 when it could not be made).
    Handle TooltipWindow() const noexcept { return tooltip_; }

private:
    // The pixel height of a size in points on the tooltip's display.
    int32_t PixelHeight(Long points);
    // The GDI font for a font object; raises before creating anything.
    Handle CreateFontFor(const ObjectRef& font);

    Handle tooltip_ = 0;
    Long tip_width_ = 0;
    Long delay_time_ = 0;
    Long visible_time_ = 0;
    Long bk_color_ = 0;
    Long txt_color_ = 0;
    Long style_ = 0;
    ObjectRef font_;
    Handle gdi_font_ = 0;  // made for font_; 0 when none
};

}  // namespace quibor15
