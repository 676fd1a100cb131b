// The playlist members of clsQuiborWUIMMMP3A. A playlist file is ANSI text
// with one entry per line, each ending in CR LF, and nothing else. Reading
// ends a line at CR or CR LF (a lone LF stays in the entry) and drops the
// trailing blanks of each line; the list box is never cleared first.
//
// File numbers: the host may hold files of its own open by number, so the
// playlist members open theirs under the number FreeFile gives (1 when the
// host holds none) and never touch a number they did not open. When the
// file cannot be opened, or the entry count of the list box argument
// cannot be read, the call ends at once without an error; a save then
// leaves an existing file as it was. A read that fails ends the reading;
// the entries read so far stay in the list.
#include "media/mp3_player.hpp"
#include "media/path_text.hpp"
#include "media/skip_errors.hpp"
#include "quibor15/primitives.hpp"

namespace quibor15 {

using media::IgnoreErrors;

namespace {

Variant ListEntry(const ObjectRef& list, Long index) {
    Variant argument(index);
    return LateGet(list, u"List", std::span<Variant>(&argument, 1));
}

void AddEntry(const ObjectRef& list, const String& entry) { LateCall(list, u"AddItem", {Variant(entry)}); }

}  // namespace

String clsQuiborWUIMMMP3A::GetLastBackSlash(String& text) { return media::TextAfterLastBackslash(text); }

void clsQuiborWUIMMMP3A::ListNoChar(ObjectRef& List1, ObjectRef& List2) {
    const Long count = VariantToLong(LateGet(List2, u"ListCount"));
    for (Long i = 0; i < count; ++i) {
        String entry = VariantToString(ListEntry(List2, i));
        const String file_name = GetLastBackSlash(entry);
        AddEntry(List1, media::NameWithoutExtension(file_name));
    }
}

Variant clsQuiborWUIMMMP3A::MP3SavePlayList(String& TheFile, Variant& TheListBox) {
    ObjectRef list;
    Integer last_index = -1;
    const bool counted = IgnoreErrors([&] {
        list = TheListBox.ObjectOrThrow();
        const Long count = VariantToLong(LateGet(list, u"ListCount"));
        last_index = ToInteger(static_cast<double>(count) - 1);
    });
    if (!counted) return Variant();

    int32_t number = 0;
    const bool opened = IgnoreErrors([&] {
        number = Host().FreeFile();
        Host().OpenFile(number, TheFile, FileMode::Output);
    });
    if (!opened) return Variant();
    for (Long i = 0; i <= last_index; ++i) {
        IgnoreErrors([&] { Host().FileWriteLine(number, VariantToString(ListEntry(list, i))); });
    }
    IgnoreErrors([&] { Host().FileClose(number); });
    return Variant();
}

Variant clsQuiborWUIMMMP3A::MP3OpenPlayList(String& TheFile, Variant& TheListBox) {
    if (TheFile.empty()) return Variant();
    int32_t number = 0;
    const bool opened = IgnoreErrors([&] {
        number = Host().FreeFile();
        Host().OpenFile(number, TheFile, FileMode::Input);
    });
    if (!opened) return Variant();
    IgnoreErrors([&] {
        while (!Host().FileEof(number)) {
            const String entry = TrimTrailingBlanks(Host().FileReadLine(number));
            // A list box argument that cannot take the entry skips it; the
            // file is still read to its end.
            IgnoreErrors([&] { AddEntry(TheListBox.ObjectOrThrow(), entry); });
        }
    });
    IgnoreErrors([&] { Host().FileClose(number); });
    return Variant();
}

}  // namespace quibor15
