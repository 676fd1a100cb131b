#include "locale/picture_lists.hpp"

#include <exception>

#include "locale/locale_codes.hpp"
#include "locale/locale_text.hpp"
#include "quibor15/windows_services.hpp"

namespace quibor15::locale_services {
namespace {

// The picture as the callbacks copy it through their 255-character buffer:
// up to its NUL, and cut to what the buffer holds beside the terminator
// rather than overrunning it.
String CopiedPicture(const String& picture) {
    String text = CutAtNul(picture);
    if (text.size() > static_cast<size_t>(kLocaleBufferChars - 1)) text.resize(kLocaleBufferChars - 1);
    return text;
}

// A list holding only its empty first slot, with room for a locale's usual
// number of pictures.
void StartList(PictureList& list) {
    list.emplace();
    list->reserve(16);
    list->emplace_back();
}

void Append(PictureList& list, Integer& count, const String& picture) {
    String text = CopiedPicture(picture);
    const Integer next = CheckedAdd(count, Integer{1});
    if (!list) StartList(list);
    list->push_back(std::move(text));
    count = next;
}

// Runs one platform enumeration with a callback that may fail: the error
// stops the enumeration (the callback answers "stop" instead of unwinding
// through the platform) and is raised again once the platform returns.
template <class Enumerate, class Callback>
void EnumerateInto(Enumerate&& enumerate, Callback&& callback) {
    std::exception_ptr failure;
    enumerate([&](const String& picture) {
        try {
            callback(picture);
            return true;
        } catch (...) {
            failure = std::current_exception();
            return false;
        }
    });
    if (failure) std::rethrow_exception(failure);
}

}  // namespace

void DatePictureCallback(PictureScratch& scratch, const String& picture) {
    if (scratch.long_mode) {
        Append(scratch.long_dates, scratch.long_count, picture);
    } else {
        Append(scratch.short_dates, scratch.short_count, picture);
    }
}

void TimePictureCallback(PictureScratch& scratch, const String& picture) {
    Append(scratch.times, scratch.time_count, picture);
}

void LoadPictureLists(Context& context, Long lcid) {
    PictureScratch& scratch = context.ModuleState<PictureScratch>();
    WindowsServices& windows = context.Windows();
    // All three lists start empty, the time list included: a build that
    // failed earlier must not leave its pictures for this locale.
    StartList(scratch.long_dates);
    StartList(scratch.short_dates);
    scratch.times.reset();
    scratch.long_count = scratch.short_count = scratch.time_count = 0;

    const auto date_callback = [&](const String& picture) { DatePictureCallback(scratch, picture); };
    scratch.long_mode = false;
    EnumerateInto([&](const auto& cb) { windows.EnumDateFormatsA(cb, lcid, lcflags::kDateShortDate); }, date_callback);
    scratch.long_mode = true;
    EnumerateInto([&](const auto& cb) { windows.EnumDateFormatsA(cb, lcid, lcflags::kDateLongDate); }, date_callback);
    EnumerateInto([&](const auto& cb) { windows.EnumTimeFormatsA(cb, lcid, 0); },
                  [&](const String& picture) { TimePictureCallback(scratch, picture); });
}

void ReleasePictureLists(PictureScratch& scratch) {
    scratch.long_dates.reset();
    scratch.short_dates.reset();
    scratch.times.reset();
    scratch.long_count = scratch.short_count = scratch.time_count = 0;
}

}  // namespace quibor15::locale_services
