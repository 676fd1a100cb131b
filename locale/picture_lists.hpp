// The module-level scratch lists that the platform's picture enumeration
// callbacks fill while one locale object is being initialised, and the
// routines that fill and release them.
#pragma once

#include <optional>
#include <vector>

#include "quibor15/context.hpp"
#include "quibor15/object.hpp"

namespace quibor15::locale_services {

// One scratch list: a growable array whose first slot stays empty, so the
// pictures sit at 1 to count. nullopt is an unallocated list.
using PictureList = std::optional<std::vector<String>>;

// Module state of one host (Context::ModuleState): shared by every locale
// object of that host and holding data only while one locale is built.
struct PictureScratch {
    PictureList long_dates;
    PictureList short_dates;
    PictureList times;
    Integer long_count = 0;
    Integer short_count = 0;
    Integer time_count = 0;
    bool long_mode = false;  // which list DatePictureCallback fills
};

// Callbacks handed to the platform's enumerations: take the picture (cut at
// its NUL, at most 254 characters), append it to the list they fill and
// count it. Error 6 when a count would pass 32767.
void DatePictureCallback(PictureScratch& scratch, const String& picture);
void TimePictureCallback(PictureScratch& scratch, const String& picture);

// Fills the three lists for one locale: short date pictures, long date
// pictures, time pictures, each in the platform's order.
void LoadPictureLists(Context& context, Long lcid);

// Releases the three lists (they become unallocated) and clears the counts.
void ReleasePictureLists(PictureScratch& scratch);

// Releases the scratch lists when a build ends, however it ends, so no
// picture of one locale can reach the next locale's lists.
class PictureListsGuard {
public:
    explicit PictureListsGuard(PictureScratch& scratch) noexcept : scratch_(scratch) {}
    ~PictureListsGuard() { ReleasePictureLists(scratch_); }
    PictureListsGuard(const PictureListsGuard&) = delete;
    PictureListsGuard& operator=(const PictureListsGuard&) = delete;

private:
    PictureScratch& scratch_;
};

}  // namespace quibor15::locale_services
