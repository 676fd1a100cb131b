// What the script engine needs from the world it runs in: the system's
// number and date texts, standard output, object creation by ProgID, the
// clock, the ANSI code page and message boxes.
#pragma once

#include <cmath>
#include <optional>
#include <span>
#include <string_view>

#include "quibor15/codepage.hpp"
#include "quibor15/convert.hpp"
#include "quibor15/object.hpp"

namespace quibor15::script {

class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // The system locale's separators for number texts.
    virtual NumberFormat SystemNumberFormat() = 0;
    // A date as the system locale writes it: the short date, the time, or
    // both (the date alone when the time is midnight, the time alone on the
    // day zero).
    virtual String DateText(Date value) = 0;
    // Text on standard output (WScript.StdOut.Write).
    virtual void Write(std::u16string_view text) = 0;
    // One line of standard output (WScript.Echo).
    virtual void WriteLine(std::u16string_view line) {
        String text(line);
        text += u'\n';
        Write(text);
    }
    // A new object by ProgID; raises 429 when there is no such class.
    virtual ObjectRef CreateObject(std::u16string_view progid) = 0;
    // The local date and time.
    virtual Date Now() = 0;
    // The local time of day in seconds, with fractions (Timer).
    virtual double SecondsSinceMidnight() {
        const double serial = Now().serial;
        return (serial - std::floor(serial)) * 86400.0;
    }
    virtual const AnsiCodePage& CodePage() = 0;
    // A modal message box; returns the button pressed.
    virtual int32_t MessageBox(const String& prompt, int32_t flags, const String& title) = 0;

    // The system locale's text for a locale information code (LOCALE_...);
    // nullopt when it has none, and the caller falls back to US English.
    virtual std::optional<String> LocaleInfo(uint32_t lctype) {
        (void)lctype;
        return std::nullopt;
    }
    // The date part in the system locale's long or short date format, and
    // the time part in its time format.
    virtual String DateOnlyText(Date value, bool long_date) {
        (void)long_date;
        return DateText(Date{static_cast<double>(static_cast<int64_t>(value.serial))});
    }
    virtual String TimeOnlyText(Date value) {
        return DateText(Date{value.serial - static_cast<int64_t>(value.serial)});
    }
    // Text on standard error (WScript.StdErr); a host with a single stream
    // writes it there.
    virtual void WriteError(std::u16string_view text) { Write(text); }
    // Lets the world's events run for a while (WScript.Sleep).
    virtual void Sleep(int32_t milliseconds) { (void)milliseconds; }

    // The implicit instance of a global class that has a member of this name
    // (FormCenter, OnTop), so scripts call such members without an object,
    // as a program that references the library does; Nothing when none has.
    virtual ObjectRef GlobalMemberOwner(std::u16string_view name) {
        (void)name;
        return nullptr;
    }

    // A member the host adds to an object of the world that lacks it (the
    // world's form.Controls.AddArray); nullopt when there is none.
    virtual std::optional<Variant> ExtraMember(const ObjectRef& object, std::u16string_view name, uint16_t flags,
                                               std::span<Variant> args) {
        (void)object, (void)name, (void)flags, (void)args;
        return std::nullopt;
    }
};

}  // namespace quibor15::script
