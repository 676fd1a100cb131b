// A second client: JScript drives the component late-bound. JScript has
// no by-reference arguments, so every parameter the type library passes
// by reference gets a plain value here.
function check(name, actual, expected) {
    if (String(actual) === String(expected)) {
        WScript.Echo("ok - " + name);
    } else {
        WScript.Echo("not ok - " + name + ": got [" + actual + "], expected [" + expected + "]");
    }
}

// Runs f, which must raise: checks the error's number and description.
function checkError(name, f, number, description) {
    try {
        f();
        check(name + " raises", "no error", number);
    } catch (e) {
        // e.number is the HRESULT as a signed 32-bit number.
        check(name + ": number", (e.number >>> 0).toString(16), (number >>> 0).toString(16));
        check(name + ": description", e.description, description);
    }
}

var code = new ActiveXObject("quibor15.clsQuiborWUIBCAT175A");
code.InputString = "abc";
check("the string code of abc", code.OutputCode, "1100102000593");
check("its first part", code.Code1, "1100102");
code.InputString = "Hi!";
check("the string code of Hi!", code.OutputCode, "1075036000384");
code.ClearAll();
check("ClearAll leaves no code", typeof code.OutputCode, "undefined");

var intl = new ActiveXObject("quibor15.clsQuiborInternationalA");
var us = intl.SystemDefault;
check("FormatNumber", us.FormatNumber(1234.5), "1,234.50");
check("FormatNumber with 0 places", us.FormatNumber(1234.5, 0), "1,235");
check("FormatCurrency negative", us.FormatCurrency(-5), "($5.00)");
check("FormatTime with a picture", us.FormatTime("13:05:09", "HH:mm"), "13:05");
check("GetDayName abbreviated", us.GetDayName(7, true), "Sun");

checkError("a day index out of range", function () { us.GetDayName(0); }, 0x80040000,
           "Day index out of range (1-7 only)");
checkError("text that is no number", function () { us.GetDayName("Monday"); }, 0x800A000D, "Type mismatch");
checkError("an unparseable date", function () { us.LocaleCDate("2/30/2010"); }, 0x80040001, "Unable to parse date");

// The catalogue through JScript's Enumerator (IEnumVARIANT).
var locales = intl.Locales;
var count = 0, valid = 0, german = null;
for (var e = new Enumerator(locales); !e.atEnd(); e.moveNext()) {
    var loc = e.item();
    count++;
    if (loc.isValid) valid++;
    if (loc.AbbrevLangName == "DEU") german = loc;
}
check("Enumerator reaches every catalogued locale", count, locales.Count);
check("each one is valid", valid, count);
check("German is catalogued", german !== null, true);
check("German number format", german.FormatNumber(1234.5), "1.234,50");
WScript.Echo("DONE");
