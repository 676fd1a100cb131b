// What the component needs of a forms runtime, on Windows inside a host
// program that loaded the DLL. The host's own forms and controls reach the
// component as objects passed to its members, and it drives them
// late-bound through their IDispatch (DispatchObject). This runtime adds
// the rest: App (the DLL's own file, folder and module handle), Screen,
// new standard fonts, message boxes, text files by number, the clock and
// the message loop.
//
// Forms of the component's own (the language dialog and the monitor
// chooser) are real windows of the forms engine (forms_engine.hpp), made
// on first use.
#pragma once

#include <cstdio>
#include <map>
#include <memory>

#include "platform/win32/forms_engine.hpp"
#include "platform/win32/win32_windows.hpp"
#include "quibor15/host_runtime.hpp"

namespace quibor15::win32 {

class Win32Runtime final : public HostRuntime {
public:
    // module: the component's own module (the DLL), whose file App names.
    Win32Runtime(std::shared_ptr<Win32Windows> windows, void* module);
    ~Win32Runtime() override;

    ObjectRef NewForm(std::u16string_view name) override;
    void ShowModal(const ObjectRef& form) override;
    void Unload(const ObjectRef& form) override;

    ObjectRef App() override;
    ObjectRef Screen() override;
    ObjectRef NewFont() override;
    bool IsObjectOfKind(const ObjectRef& object, ObjectKind kind) override;

    int32_t MsgBox(const String& prompt, int32_t flags, const String& title) override;

    int32_t FreeFile() override;
    void OpenFile(int32_t number, const String& path, FileMode mode) override;
    bool FileEof(int32_t number) override;
    String FileReadLine(int32_t number) override;
    void FileWriteLine(int32_t number, const String& text) override;
    void FileClose(int32_t number) override;

    double SecondsSinceMidnight() override;
    void PumpEvents() override;

    // The forms engine of this thread's forms.
    forms::Engine& Engine();

private:
    struct OpenFileRecord {
        FileMode mode;
        std::string data;     // an input file's bytes
        size_t position = 0;  // read position in data
        std::FILE* out = nullptr;
    };
    OpenFileRecord& Get(int32_t number, FileMode mode);

    std::shared_ptr<Win32Windows> windows_;
    void* module_;
    ObjectRef app_;
    ObjectRef screen_;
    std::unique_ptr<forms::Engine> engine_;
    std::map<int32_t, OpenFileRecord> files_;
};

}  // namespace quibor15::win32
