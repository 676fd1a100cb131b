// The clock texts of the two media classes. They differ on purpose, and
// callers compare them: the movie controller writes minutes unpadded
// ("1:05", "1:2:05"), the MP3 player pads minutes and seconds to two digits
// ("01:05", "1:02:05"), and the MP3 position text never splits off hours
// ("62:05").
#pragma once

#include "quibor15/object.hpp"

namespace quibor15::media {

// Milliseconds as [h:]m:ss. Seconds are rounded half to even (1500 and
// 2500 both give 2 s); the hours and their colon appear from one hour on;
// minutes are never padded; a negative count gives "0:00".
String MovieClockText(Long milliseconds);

// Milliseconds as [h:]mm:ss with the same rounding; hours appear when
// positive; minutes and seconds always have two digits; a negative count
// gives "00:00".
String PlayerClockText(Long milliseconds);

// A position in whole seconds as m:ss below one minute ("0:05") and as
// mm:ss with at least two minute digits from one minute on ("01:00",
// "62:05", "100:00").
String PlayerPositionText(Long seconds);

}  // namespace quibor15::media
