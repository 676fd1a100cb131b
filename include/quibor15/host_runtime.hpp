// What the component uses of the host's forms runtime. Forms, controls,
// control arrays, App, Screen and fonts are objects reached late-bound by
// member name (object.hpp); this interface carries the rest: making forms,
// modal display, message boxes, text files by number, the clock and the
// event loop, and the type tests of its objects.
#pragma once

#include <cstdint>

#include "quibor15/object.hpp"

namespace quibor15 {

// Message box flags used by the component.
namespace mb {
inline constexpr int32_t kOk = 0;
inline constexpr int32_t kIconCritical = 16;
inline constexpr int32_t kIconInformation = 64;
inline constexpr int32_t kResultOk = 1;
}  // namespace mb

enum class FileMode { Input, Output };

// The DISPIDs under which controls and forms raise their events (the
// standard control event identifiers), and the form events.
namespace ev {
inline constexpr DispId kClick = -600;
inline constexpr DispId kDblClick = -601;
inline constexpr DispId kKeyDown = -602;   // KeyCode (Integer, ByRef), Shift (Integer)
inline constexpr DispId kKeyPress = -603;  // KeyAscii (Integer, ByRef; 0 swallows it)
inline constexpr DispId kKeyUp = -604;
inline constexpr DispId kMouseDown = -605;  // Button, Shift (Integer), X, Y (Single)
inline constexpr DispId kMouseMove = -606;
inline constexpr DispId kMouseUp = -607;
inline constexpr DispId kLoad = 1;
inline constexpr DispId kResize = 2;
inline constexpr DispId kUnload = 3;  // Cancel (Integer, ByRef)
inline constexpr DispId kGotFocus = 4;
inline constexpr DispId kQueryUnload = 5;  // Cancel, UnloadMode (Integer, ByRef)
inline constexpr DispId kChange = 6;
}  // namespace ev

// The kinds of object the component tells apart: those its typed object
// parameters require (Collection, Font, Picture), the form the wizard
// takes, and the controls some helpers treat differently.
enum class ObjectKind { Collection, Font, Picture, Form, ComboBox, TextBox };

class HostRuntime {
public:
    virtual ~HostRuntime() = default;

    // A new, unloaded instance of one of the component's own forms, named
    // `name` ("frmQUIBORMonitorA"): an empty form that the caller designs
    // through its Controls. Its Load event fires when it is first shown.
    virtual ObjectRef NewForm(std::u16string_view name) = 0;
    // Shows a form modally with no owner; returns once it is unloaded or
    // hidden.
    virtual void ShowModal(const ObjectRef& form) = 0;
    // Unloads a form: QueryUnload, Unload, then it leaves the screen.
    virtual void Unload(const ObjectRef& form) = 0;

    // The App object of the running component (inside the library: the
    // library file): Title, Path, EXEName, hInstance. The same object on
    // every call.
    virtual ObjectRef App() = 0;
    // The Screen object: Width, Height (twips), TwipsPerPixelX/Y.
    virtual ObjectRef Screen() = 0;
    // A new standard font object with the platform's default attributes.
    virtual ObjectRef NewFont() = 0;

    // The runtime's type test (TypeOf ... Is): whether `object` is of
    // `kind`; false for Nothing. The component's own Collection and font
    // objects count as the runtime's.
    virtual bool IsObjectOfKind(const ObjectRef& object, ObjectKind kind) = 0;

    // A modal message box; returns the button pressed (1 for OK).
    virtual int32_t MsgBox(const String& prompt, int32_t flags, const String& title) = 0;

    // Text files by number, in the ANSI code page. Open raises 55 for a
    // number in use, 53 for a missing input file, 75/76 when the file cannot
    // be created. Reads raise 62 past the end; a line ends at CR or CR LF (a
    // lone LF does not end it); WriteLine adds CR LF.
    virtual int32_t FreeFile() = 0;
    virtual void OpenFile(int32_t number, const String& path, FileMode mode) = 0;
    virtual bool FileEof(int32_t number) = 0;
    virtual String FileReadLine(int32_t number) = 0;
    virtual void FileWriteLine(int32_t number, const String& text) = 0;
    virtual void FileClose(int32_t number) = 0;

    // Local time of day in seconds, with fractions; 0 again at midnight.
    virtual double SecondsSinceMidnight() = 0;
    // Lets the event loop handle what is waiting once, then returns.
    virtual void PumpEvents() = 0;
};

}  // namespace quibor15
