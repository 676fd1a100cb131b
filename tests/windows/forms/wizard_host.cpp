// wizard_host [--picture FILE.bmp]: a forms program's side of the wizard,
// played on the forms engine. Its form holds a control array of frames; the
// wizard of quibor15.dll gets the form and the array through IDispatch,
// adds its panes and buttons through the form's Controls, and hears their
// events through their connection points. A driver thread then works the
// real windows (BM_CLICK on the buttons, Page Up / Page Down, a click on
// the title) while the main thread runs the form modally, and checks what
// the windows show and what the host heard: the wizard's events through
// its connection point, or the relay calls on a buddy object. At the end
// every window and font of the form is gone and every COM object the
// wizard was given released. One "ok - " / "not ok - " line per check,
// "DONE" at the end. With --picture, saves the form on its second step.
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "client/checks.hpp"
#include "forms/screen_capture.hpp"
#include "forms/window_driver.hpp"
#include "platform/win32/forms_com.hpp"
#include "platform/win32/forms_engine.hpp"

namespace forms = quibor15::win32::forms;
using client::Call;
using client::Check;
using client::CheckText;
using client::Narrow;
using driver::Children;
using driver::Send;
using driver::TextOf;
using quibor15::ObjectRef;
using quibor15::Ref;
using quibor15::String;

namespace {

DWORD g_main_thread = 0;

// ---- the driver's view of the windows

size_t ThreadWindowCount() { return driver::ThreadWindows(g_main_thread).size(); }

HWND ChildWithText(HWND form, const std::wstring& text) {
    for (HWND child : Children(form)) {
        if (TextOf(child) == text) return child;
    }
    return nullptr;
}

bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 100; ++i) {
        if (done()) return true;
        Sleep(30);
    }
    return false;
}

bool Shown(HWND hwnd) { return hwnd && IsWindowVisible(hwnd); }

// ---- late binding on the wizard

void Put(IDispatch* object, const wchar_t* name, VARIANT value, WORD kind = DISPATCH_PROPERTYPUT) {
    const HRESULT hr = Call(object, name, kind, &value, 1, nullptr);
    if (FAILED(hr)) std::printf("# %s: 0x%08lx\n", Narrow(name).c_str(), static_cast<unsigned long>(hr));
}
VARIANT Short(short v) {
    VARIANT x;
    x.vt = VT_I2;
    x.iVal = v;
    return x;
}
VARIANT True() {
    VARIANT x;
    x.vt = VT_BOOL;
    x.boolVal = VARIANT_TRUE;
    return x;
}
VARIANT Object(IDispatch* d) {
    VARIANT x;
    x.vt = VT_DISPATCH;
    x.pdispVal = d;
    return x;
}
void AddItems(IDispatch* wizard, const wchar_t* collection, std::vector<std::wstring> items) {
    VARIANT got;
    VariantInit(&got);
    Call(wizard, collection, DISPATCH_PROPERTYGET, nullptr, 0, &got);
    if (got.vt != VT_DISPATCH || !got.pdispVal) return;
    for (const std::wstring& item : items) {
        VARIANT text;
        text.vt = VT_BSTR;
        text.bstrVal = SysAllocString(item.c_str());
        Call(got.pdispVal, L"Add", DISPATCH_METHOD, &text, 1, nullptr);
        VariantClear(&text);
    }
    VariantClear(&got);
}

// ---- what the host hears

// "Name arg arg;" per event or relay call, in order; readable from the
// driver thread.
class HeardLog {
public:
    void Add(const std::wstring& entry) {
        // On a real display the pointer moves over the panes by itself.
        if (entry.find(L"MouseMove") != std::wstring::npos) return;
        std::lock_guard<std::mutex> lock(mutex_);
        text_ += entry + L";";
    }
    std::wstring Take() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(text_, std::wstring());
    }
    bool Has(const std::wstring& part) {
        std::lock_guard<std::mutex> lock(mutex_);
        return text_.find(part) != std::wstring::npos;
    }

private:
    std::mutex mutex_;
    std::wstring text_;
};

std::wstring Entry(const std::wstring& name, const DISPPARAMS* params) {
    std::wstring entry = name;
    for (UINT i = params ? params->cArgs : 0; i-- > 0;) {
        VARIANT value;
        VariantInit(&value);
        VariantCopyInd(&value, &params->rgvarg[i]);
        if (SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR))) entry += L" " + std::wstring(value.bstrVal);
        VariantClear(&value);
    }
    return entry;
}

// The last argument, Cancel by reference (as an Integer or a Variant), set
// to True.
void CancelLast(DISPPARAMS* params) {
    if (!params || params->cArgs == 0) return;
    VARIANT& cancel = params->rgvarg[0];
    if (cancel.vt == (VT_I2 | VT_BYREF)) {
        *cancel.piVal = VARIANT_TRUE;
    } else if (cancel.vt == (VT_VARIANT | VT_BYREF)) {
        VariantClear(cancel.pvarVal);
        cancel.pvarVal->vt = VT_I2;
        cancel.pvarVal->iVal = VARIANT_TRUE;
    }
}

class DispatchBase : public IDispatch {
public:
    virtual ~DispatchBase() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == also_) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs_)); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    // Lives on the stack: what is still held when it goes is a leak.
    LONG Held() const { return refs_; }

    HeardLog log;
    bool cancel_finish = false;

protected:
    explicit DispatchBase(const GUID& also) : also_(also) {}

private:
    GUID also_;
    volatile LONG refs_ = 0;
};

// The sink of the wizard's events, named by the event interface's type
// information.
class WizardSink final : public DispatchBase {
public:
    explicit WizardSink(ITypeInfo* events) : DispatchBase(DIID___clsQuiborWizardA), events_(events) {}
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        BSTR name = nullptr;
        UINT count = 0;
        if (events_) events_->GetNames(id, &name, 1, &count);
        const std::wstring event = name ? name : L"?" + std::to_wstring(id);
        SysFreeString(name);
        log.Add(Entry(event, params));
        if (event == L"FinishFrameButtonClick" && cancel_finish) CancelLast(params);
        return S_OK;
    }

private:
    ITypeInfo* events_;
};

// A buddy object with the relay methods, except one it lacks on purpose.
class Buddy final : public DispatchBase {
public:
    static constexpr const wchar_t* kMethods[] = {
        L"clsQuiborWizardA_FirstFrameButtonClick",  L"clsQuiborWizardA_NextFrameButtonClick",
        L"clsQuiborWizardA_LastFrameButtonClick",   L"clsQuiborWizardA_CancelFrameButtonClick",
        L"clsQuiborWizardA_FinishFrameButtonClick", L"clsQuiborWizardA_BeforeFrameShow",
        L"clsQuiborWizardA_AfterFrameShow",
    };
    Buddy() : DispatchBase(IID_NULL) {}
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        for (DISPID i = 0; i < static_cast<DISPID>(std::size(kMethods)); ++i) {
            if (_wcsicmp(names[0], kMethods[i]) == 0) {
                ids[0] = i + 1;
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id < 1 || id > static_cast<DISPID>(std::size(kMethods))) return DISP_E_MEMBERNOTFOUND;
        const std::wstring name = std::wstring(kMethods[id - 1]).substr(17);
        log.Add(Entry(name, params));
        if (name == L"FinishFrameButtonClick" && cancel_finish) CancelLast(params);
        if (result) VariantInit(result);
        return S_OK;
    }
};

// The event interface's type information, from the wizard's class.
ITypeInfo* EventTypeInfo(IDispatch* wizard) {
    IProvideClassInfo* provide = nullptr;
    ITypeInfo* coclass = nullptr;
    ITypeInfo* events = nullptr;
    if (SUCCEEDED(wizard->QueryInterface(IID_IProvideClassInfo, reinterpret_cast<void**>(&provide)))) {
        provide->GetClassInfo(&coclass);
        provide->Release();
    }
    if (!coclass) return nullptr;
    ITypeLib* library = nullptr;
    UINT index = 0;
    if (SUCCEEDED(coclass->GetContainingTypeLib(&library, &index))) {
        library->GetTypeInfoOfGuid(DIID___clsQuiborWizardA, &events);
        library->Release();
    }
    coclass->Release();
    return events;
}

// ---- the host form, as the forms program designed it

struct HostForm {
    Ref<forms::Form> form;
    Ref<forms::ControlArray> frames;
};

HostForm DesignForm(forms::Engine& engine, int steps) {
    HostForm host;
    host.form = engine.NewForm(u"frmWizardHost");
    host.form->SetCaption(u"Wizard host");
    host.frames = host.form->AddControlArray(u"VB.Frame", u"fraStep", static_cast<quibor15::Integer>(steps));
    for (int i = 0; i < steps; ++i) {
        const String n(reinterpret_cast<const char16_t*>(std::to_wstring(i + 1).c_str()));
        Ref<forms::Control> frame = host.frames->Item(i);
        frame->SetCaption(u"Step " + n);
        Ref<forms::Control> text = host.form->AddControl(u"VB.Label", u"lblStep" + n, ObjectRef(frame), true);
        text->Move(240, 360, 5000, 600);
        text->SetCaption(u"What step " + n + u" asks of the user goes here.");
    }
    return host;
}

// What the driver saw of the form's windows while it was up.
struct Seen {
    std::vector<HWND> windows;
    std::vector<HFONT> fonts;
};

void Record(HWND form, Seen& seen) {
    seen.windows = Children(form);
    seen.windows.push_back(form);
    for (HWND hwnd : seen.windows) {
        if (HFONT font = reinterpret_cast<HFONT>(Send(hwnd, WM_GETFONT))) seen.fonts.push_back(font);
    }
}

void CheckGone(const std::string& name, const Seen& seen, size_t windows_before) {
    bool windows_gone = !seen.windows.empty();
    for (HWND hwnd : seen.windows) windows_gone = windows_gone && !IsWindow(hwnd);
    Check(name + ": the form's windows are destroyed", windows_gone);
    Check(name + ": the thread has the windows it had before", ThreadWindowCount() == windows_before,
          std::to_string(ThreadWindowCount()) + " vs " + std::to_string(windows_before));
    bool fonts_gone = !seen.fonts.empty();
    for (HFONT font : seen.fonts) fonts_gone = fonts_gone && GetObjectType(font) == 0;
    Check(name + ": the form's fonts are deleted", fonts_gone, std::to_string(seen.fonts.size()) + " fonts");
}

// Runs the form modally on this thread while `drive` works it from another;
// a form the driver left open is closed.
void RunWithDriver(const HostForm& host, const std::function<void(HWND)>& drive) {
    std::thread driver([&] {
        const HWND form = host.form->Hwnd();
        if (!WaitFor([&] { return Shown(form); })) {
            Check("the wizard's form comes on screen", false);
        } else {
            drive(form);
        }
        if (IsWindow(form)) PostMessageW(form, WM_CLOSE, 0, 0);
    });
    host.form->Eng().RunModal(*host.form);
    driver.join();
}

struct Wizard {
    IDispatch* object = nullptr;
    IConnectionPoint* point = nullptr;
    DWORD cookie = 0;
    ITypeInfo* events = nullptr;
};

Wizard NewWizard() {
    Wizard w;
    w.object = client::Create(L"quibor15.clsQuiborWizardA");
    if (!w.object) return w;
    w.events = EventTypeInfo(w.object);
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(w.object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
        container->FindConnectionPoint(DIID___clsQuiborWizardA, &w.point);
        container->Release();
    }
    return w;
}

void Configure(IDispatch* wizard, const HostForm& host, short max_frame_index) {
    IDispatch* form = quibor15::win32::ExportObject(ObjectRef(host.form));
    IDispatch* frames = quibor15::win32::ExportObject(ObjectRef(host.frames));
    Put(wizard, L"WindowObject", Object(form), DISPATCH_PROPERTYPUTREF);
    Put(wizard, L"FrameObject", Object(frames), DISPATCH_PROPERTYPUTREF);
    form->Release();
    frames->Release();
    Put(wizard, L"MaxFrameIndex", Short(max_frame_index));
    Put(wizard, L"AddTopPane", True());
    Put(wizard, L"KeyPreview", True());
    Put(wizard, L"ShowFirstFrameButton", True());
    Put(wizard, L"ShowLastFrameButton", True());
    VARIANT title;
    title.vt = VT_BSTR;
    title.bstrVal = SysAllocString(L"Setting up the sales report");
    Put(wizard, L"Title", title);
    VariantClear(&title);
    AddItems(wizard, L"mcolFrameObjectTitles", {L"Welcome", L"Data source", L"Columns", L"Grouping", L"Summary"});
    AddItems(wizard, L"mcolFrameObjectMessages",
             {L"This wizard sets up the sales report.", L"Choose where the figures come from.",
              L"Pick the columns to show.", L"Group the rows.", L"Check the settings."});
}

void Click(HWND form, const std::wstring& caption) {
    if (HWND button = ChildWithText(form, caption)) {
        Send(button, BM_CLICK);
    } else {
        std::printf("# no button %s\n", Narrow(caption).c_str());
    }
}

void PostKey(HWND hwnd, UINT key) {
    PostMessageW(hwnd, WM_KEYDOWN, key, 1);
    PostMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
}

// The frame of step i, by its caption.
HWND Frame(HWND form, int i) { return ChildWithText(form, L"Step " + std::to_wstring(i + 1)); }

bool OnlyFrameShown(HWND form, int shown, int count) {
    for (int i = 0; i < count; ++i) {
        if (Shown(Frame(form, i)) != (i == shown)) return false;
    }
    return true;
}

// The wizard's events through its connection point: Create, every button,
// the page keys, the closing page, a cancelled Finish and a Finish that
// closes the form.
void EventsThroughConnectionPoint(forms::Engine& engine, const std::wstring& picture) {
    const std::string t = "events: ";
    const size_t windows_before = ThreadWindowCount();
    HostForm host = DesignForm(engine, 6);
    Wizard w = NewWizard();
    Check(t + "the wizard and its connection point", w.object && w.point && w.events);
    if (!w.object || !w.point) return;
    WizardSink sink(w.events);
    Check(t + "Advise", SUCCEEDED(w.point->Advise(&sink, &w.cookie)));
    Configure(w.object, host, 5);

    VARIANT result;
    VariantInit(&result);
    Call(w.object, L"Create", DISPATCH_METHOD, nullptr, 0, &result);
    CheckText(t + "Create shows step 0", sink.log.Take(), L"BeforeFrameShow 0 0;AfterFrameShow 0;");
    const HWND form = host.form->Hwnd();
    RECT outer;
    GetWindowRect(form, &outer);
    const double tpp = forms::TwipsPerPixel(false);
    Check(t + "the form is 8500 twips wide", outer.right - outer.left == static_cast<LONG>(8500 / tpp + 0.5));
    Check(t + "the form is a fixed dialog", (GetWindowLongPtrW(form, GWL_STYLE) & WS_THICKFRAME) == 0);
    CheckText(t + "the form's caption", TextOf(form), L"Setting up the sales report");

    Seen seen;
    RunWithDriver(host, [&](HWND f) {
        Record(f, seen);
        const HWND previous = ChildWithText(f, L"&Previous");
        const HWND next = ChildWithText(f, L"&Next");
        const HWND title = ChildWithText(f, L"Welcome");
        Check(t + "buttons on the real form", previous && next && ChildWithText(f, L"&First") &&
                                                  ChildWithText(f, L"&Last") && ChildWithText(f, L"&Cancel"));
        Check(t + "the title pane shows step 0's title", title && Shown(title));
        Check(t + "step 0: only its frame, Previous disabled",
              OnlyFrameShown(f, 0, 6) && !IsWindowEnabled(previous) && IsWindowEnabled(next));
        RECT pane, client;
        GetWindowRect(GetParent(next), &pane);
        GetClientRect(f, &client);
        MapWindowPoints(f, nullptr, reinterpret_cast<POINT*>(&client), 2);
        Check(t + "the button pane is docked across the form's bottom",
              pane.bottom == client.bottom && pane.left == client.left && pane.right == client.right);

        Click(f, L"&Next");
        CheckText(t + "Next", sink.log.Take(), L"NextFrameButtonClick;BeforeFrameShow 1 0;AfterFrameShow 1;");
        Check(t + "step 1: its frame and title, Previous enabled",
              OnlyFrameShown(f, 1, 6) && TextOf(title) == L"Data source" && IsWindowEnabled(previous));
        if (!picture.empty()) {
            Sleep(700);  // painted
            Check(t + "picture saved", SaveWindowPicture(f, picture));
        }

        PostKey(next, VK_PRIOR);
        Check(t + "Page Up moves forward", WaitFor([&] { return OnlyFrameShown(f, 2, 6); }));
        CheckText(t + "Page Up raises no button event", sink.log.Take(), L"BeforeFrameShow 2 0;AfterFrameShow 2;");
        PostKey(next, VK_NEXT);
        Check(t + "Page Down moves back", WaitFor([&] { return OnlyFrameShown(f, 1, 6); }));
        sink.log.Take();

        Click(f, L"&Last");
        CheckText(t + "Last", sink.log.Take(), L"LastFrameButtonClick;BeforeFrameShow 5 0;AfterFrameShow 5;");
        Check(t + "the last step: Next disabled", OnlyFrameShown(f, 5, 6) && !IsWindowEnabled(next));
        Click(f, L"&First");
        CheckText(t + "First", sink.log.Take(), L"FirstFrameButtonClick;BeforeFrameShow 0 0;AfterFrameShow 0;");
        Click(f, L"&Next");
        Click(f, L"&Next");
        Click(f, L"&Next");
        sink.log.Take();
        Check(t + "the closing page: the last frame alone, no title pane, Finish",
              OnlyFrameShown(f, 5, 6) && !Shown(title) && TextOf(next) == L"&Finish" && !IsWindowEnabled(previous));

        sink.cancel_finish = true;
        Click(f, L"&Finish");
        CheckText(t + "Finish asks the host", sink.log.Take(), L"FinishFrameButtonClick 0;");
        Check(t + "a cancelled Finish keeps the form", Shown(f));
        Click(f, L"&Cancel");
        CheckText(t + "Cancel", sink.log.Take(), L"CancelFrameButtonClick;");
        Check(t + "Cancel keeps the form", Shown(f));
        sink.cancel_finish = false;
        Click(f, L"&Finish");
        Check(t + "Finish closes the form", WaitFor([&] { return !IsWindow(f); }));
    });
    CheckText(t + "the last Finish", sink.log.Take(), L"FinishFrameButtonClick 0;");
    Check(t + "the form is unloaded", !host.form->IsLoaded());
    w.point->Unadvise(w.cookie);
    w.point->Release();
    w.events->Release();
    w.object->Release();
    Check(t + "the wizard let go of its sink", sink.Held() == 0);
    CheckGone("events", seen, windows_before);
}

// Relay calls on a buddy object: the buttons reach the buddy and raise no
// events, while a click on the title still raises the pane's events; a
// relay method the buddy lacks stops the click.
void RelayToBuddy(forms::Engine& engine) {
    const std::string t = "buddy: ";
    const size_t windows_before = ThreadWindowCount();
    HostForm host = DesignForm(engine, 5);
    Wizard w = NewWizard();
    if (!w.object || !w.point) return;
    WizardSink sink(w.events);
    w.point->Advise(&sink, &w.cookie);
    Buddy buddy;
    Configure(w.object, host, 4);
    Put(w.object, L"BuddyObject", Object(&buddy), DISPATCH_PROPERTYPUTREF);

    VARIANT result;
    VariantInit(&result);
    Call(w.object, L"Create", DISPATCH_METHOD, nullptr, 0, &result);
    CheckText(t + "Create shows step 0", buddy.log.Take(), L"BeforeFrameShow 0 0;AfterFrameShow 0;");

    Seen seen;
    RunWithDriver(host, [&](HWND f) {
        Record(f, seen);
        Click(f, L"&Next");
        CheckText(t + "Next", buddy.log.Take(), L"NextFrameButtonClick;BeforeFrameShow 1 0;AfterFrameShow 1;");
        CheckText(t + "no events meanwhile", sink.log.Take(), L"");

        // A press and a release on the title label, 20 x 4 pixels in.
        const HWND title = ChildWithText(f, L"Data source");
        PostMessageW(title, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 4));
        PostMessageW(title, WM_LBUTTONUP, 0, MAKELPARAM(20, 4));
        WaitFor([&] { return sink.log.Has(L"TopPaneTitleClick"); });
        const double tpp = forms::TwipsPerPixel(false);
        const std::wstring x = std::to_wstring(static_cast<int>(20 * tpp));
        const std::wstring y = std::to_wstring(static_cast<int>(4 * forms::TwipsPerPixel(true)));
        CheckText(t + "the title's mouse and click as events", sink.log.Take(),
                  L"TopPaneTitleMouseDown 1 0 " + x + L" " + y + L";TopPaneTitleMouseUp 1 0 " + x + L" " + y +
                      L";TopPaneTitleClick;");

        Click(f, L"&Previous");
        Check(t + "a relay method the buddy lacks stops the click",
              buddy.log.Take().empty() && OnlyFrameShown(f, 1, 5));
        Click(f, L"&Next");
        buddy.log.Take();
        buddy.cancel_finish = true;
        Click(f, L"&Finish");
        CheckText(t + "Finish asks the buddy", buddy.log.Take(), L"FinishFrameButtonClick 0;");
        Check(t + "the buddy's Cancel keeps the form", Shown(f));
        buddy.cancel_finish = false;
        Click(f, L"&Finish");
        Check(t + "Finish closes the form", WaitFor([&] { return !IsWindow(f); }));
    });
    w.point->Unadvise(w.cookie);
    w.point->Release();
    w.events->Release();
    w.object->Release();
    Check(t + "the wizard let go of the buddy and the sink", buddy.Held() == 0 && sink.Held() == 0);
    CheckGone("buddy", seen, windows_before);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring picture = argc == 3 && std::wstring(argv[1]) == L"--picture" ? argv[2] : L"";
    g_main_thread = GetCurrentThreadId();
    if (FAILED(CoInitialize(nullptr))) {
        std::printf("not ok - CoInitialize\n");
        return 1;
    }
    {
        forms::Engine engine(GetModuleHandleW(nullptr));
        forms::ComExporter exporter;
        EventsThroughConnectionPoint(engine, picture);
        if (picture.empty()) RelayToBuddy(engine);
        Check("every COM object of the host's forms is released", exporter.LiveObjects() == 0,
              std::to_string(exporter.LiveObjects()) + " left");
        Check("the engine has no window left", engine.LiveWindows() == 0);
    }
    CoUninitialize();
    std::printf("DONE\n");
    return 0;
}
