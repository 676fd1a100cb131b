// frmQUIBORWuillsA, the language selection dialog: a list of the catalogued
// locales by full name with the system default preselected, the chosen
// locale's identifier in decimal and "&H" hexadecimal, OK and Cancel. The
// form is a new form of the host runtime that this class designs and whose
// events it handles.
#pragma once

#include <span>

#include "language/dialog_events.hpp"
#include "locale/international.hpp"
#include "quibor15/context.hpp"

namespace quibor15 {

class frmQUIBORWuillsA {
public:
    // A new instance in its design state (not loaded yet).
    explicit frmQUIBORWuillsA(ContextPtr context);
    ~frmQUIBORWuillsA();
    frmQUIBORWuillsA(const frmQUIBORWuillsA&) = delete;
    frmQUIBORWuillsA& operator=(const frmQUIBORWuillsA&) = delete;

    // Shows the dialog modally with no owner; returns once it is closed.
    void ShowModal();

    // Whether this dialog ended through its OK action, and the identifier
    // it then recorded (0 when the dialog showed none).
    bool EndedWithOk() const noexcept { return ended_with_ok_; }
    Long ChosenIdentifier() const noexcept { return chosen_identifier_; }

    const ObjectRef& Form() const noexcept { return form_; }

private:
    // --- design
    void Design();
    ObjectRef AddControl(std::u16string_view prog_id, std::u16string_view name, double left, double top, double width,
                         double height);
    ObjectRef Command(Integer index) const;
    void ConnectEvents();

    // --- load
    void FormLoad();
    void TailorMe();
    void LoadLanguagesNames();
    void SetSysDefaultLLControls();
    void SetSysDefaultLL();
    void LoadLocales();

    // --- events
    void FormKeyDown(std::span<Variant> args);
    void ComboEvent(DispId id, std::span<Variant> args);
    void ComboClick();
    void ImageDblClick();
    void CommandClick(std::span<Variant> args);
    void Command1_Click_0_OK();
    void Command1_Click_1_Cancel();
    // Runs one action of the dialog unless an earlier one already closed it.
    template <class F>
    void Act(F&& action);

    ContextPtr context_;
    DialogEvents events_;
    ObjectRef form_;
    ObjectRef image_;
    ObjectRef label_;
    ObjectRef combo_;
    ObjectRef commands_;
    ObjectRef identifier_box_;      // txtLID1: decimal
    ObjectRef identifier_hex_box_;  // txtLID2: "&H" hexadecimal
    // The catalogue the list was last filled from.
    Ref<clsQuiborInternationalA> catalogue_;
    bool closed_ = false;
    bool ended_with_ok_ = false;
    Long chosen_identifier_ = 0;
};

}  // namespace quibor15
