#include "platform/headless/control_factory.hpp"

#include "platform/headless/combo_box.hpp"
#include "platform/headless/command_button.hpp"
#include "platform/headless/frame_control.hpp"
#include "platform/headless/image_control.hpp"
#include "platform/headless/label.hpp"
#include "platform/headless/list_box.hpp"
#include "platform/headless/picture_box.hpp"
#include "platform/headless/text_box.hpp"

namespace quibor15::headless {

Ref<Control> MakeControl(ControlKind kind, Form& form, String name) {
    switch (kind) {
        case ControlKind::PictureBox:
            return MakeRef<PictureBox>(form, std::move(name));
        case ControlKind::Label:
            return MakeRef<Label>(form, std::move(name));
        case ControlKind::CommandButton:
            return MakeRef<CommandButton>(form, std::move(name));
        case ControlKind::TextBox:
            return MakeRef<TextBox>(form, std::move(name));
        case ControlKind::ComboBox:
            return MakeRef<ComboBox>(form, std::move(name));
        case ControlKind::ListBox:
            return MakeRef<ListBox>(form, std::move(name));
        case ControlKind::Frame:
            return MakeRef<Frame>(form, std::move(name));
        case ControlKind::Image:
            return MakeRef<Image>(form, std::move(name));
    }
    RaiseRuntimeError(rt::kInvalidProcedureCall);
}

}  // namespace quibor15::headless
