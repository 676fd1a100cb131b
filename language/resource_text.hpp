// The reader of a module's string table: the language dialog takes its
// caption, prompt and button captions from the component's own table, in
// the language the dialog asks for.
#pragma once

#include "quibor15/context.hpp"

namespace quibor15 {

// Module state of the reader, one per host.
struct ResourceLoaderState {
    // The language ResourceText reads in; 0 stands for 1033.
    Long dialog_language = 0;
    // The module file whose string table is read.
    String module_path;
};

// The text of string `identifier` in the dialog language of the reader.
String ResourceText(Context& context, Long identifier);

// The text of string `identifier` in `language` from the module at the
// reader's module path: the empty text when the string's block or the
// entry does not exist. A module that cannot be loaded leaves the search to
// the host program's own table. Any failure while reading is shown to the
// user in a critical message box ("9 - Subscript out of range") titled with
// the component's application title, and the call then returns the empty
// text.
String LoadResourceString(Context& context, Long identifier, Long language);

// The component's own module file: App.Path, a separator, App.EXEName and
// ".dll".
String LibraryModulePath(HostRuntime& host);

}  // namespace quibor15
