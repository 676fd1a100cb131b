// The DISPIDs of the wizard's outgoing events (the __clsQuiborWizardA
// source interface). A buddy object receives the eight relayed ones as
// calls of "clsQuiborWizardA_" + the event's name.
#pragma once

#include "quibor15/object.hpp"

namespace quibor15::wizard_event {

inline constexpr DispId kFirstFrameButtonClick = 1;
inline constexpr DispId kPreviousFrameButtonClick = 2;
inline constexpr DispId kNextFrameButtonClick = 3;
inline constexpr DispId kLastFrameButtonClick = 4;
inline constexpr DispId kCancelFrameButtonClick = 5;
inline constexpr DispId kBeforeFrameShow = 6;  // Index, Cancel (Integer, ByRef)
inline constexpr DispId kAfterFrameShow = 7;   // Index (Integer, ByRef)
// The pane, label and picture notifications come in groups of five:
// Click, DoubleClick, MouseDown, MouseMove, MouseUp.
inline constexpr DispId kTopPaneTitleFirst = 8;
inline constexpr DispId kTopPaneMessageFirst = 13;
inline constexpr DispId kTopPanePictureFirst = 18;
inline constexpr DispId kTopPaneFirst = 23;
inline constexpr DispId kBottomPaneFirst = 28;
inline constexpr DispId kFinishFrameButtonClick = 33;  // Cancel (Integer, ByRef)

}  // namespace quibor15::wizard_event
