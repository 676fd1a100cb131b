// The class catalogue: which implementation each class of the type library
// creates, one line per class with its subsystem's header included above.
#include "library/classes.hpp"

#include "codes/string_code.hpp"
#include "forms/wui_runtime.hpp"
#include "frame/trivial_classes.hpp"
#include "language/wuills.hpp"
#include "locale/dt_format.hpp"
#include "locale/dt_formats.hpp"
#include "locale/international.hpp"
#include "media/movie_controller.hpp"
#include "media/mp3_player.hpp"
#include "monitors/monitor.hpp"
#include "monitors/monitors.hpp"
#include "quibor15/typelib.hpp"
#include "system/xp_manifest.hpp"
#include "tooltip/tooltip_manager.hpp"
#include "wizard/wizard.hpp"

namespace quibor15 {

namespace {

constexpr ClassFactoryEntry kFactories[] = {
    {u"clsQuibor15A", &NewObject<clsQuibor15A>},
    {u"clsQuiborDTFormatA", &NewObject<clsQuiborDTFormatA>},
    {u"clsQuiborDTFormatsA", &NewObject<clsQuiborDTFormatsA>},
    {u"clsQuiborInternationalA", &NewObject<clsQuiborInternationalA>},
    {u"clsQuiborWUillsA", &NewObject<clsQuiborWUillsA>},
    {u"clsQuiborLocaleA", &NewObject<clsQuiborLocaleA>},
    {u"clsQuiborLocalesA", &NewObject<clsQuiborLocalesA>},
    {u"clsQuiborInterplayA", &NewObject<clsQuiborInterplayA>},
    {u"clsQuiborWUIRunTimeA", &NewObject<clsQuiborWUIRunTimeA>},
    {u"clsQuiborWUIXPManifestA", &NewObject<clsQuiborWUIXPManifestA>},
    {u"clsQuiborWUIRunTimeB", &NewObject<clsQuiborWUIRunTimeB>},
    {u"clsQuiborWUITooltipA", &NewObject<clsQuiborWUITooltipA>},
    {u"clsQuiborWUIBCAT175A", &NewObject<clsQuiborWUIBCAT175A>},
    {u"clsQuiborWUIMMMovieA", &NewObject<clsQuiborWUIMMMovieA>},
    {u"clsQuiborWUIMMMP3A", &NewObject<clsQuiborWUIMMMP3A>},
    {u"clsQuiborWizardA", &NewObject<clsQuiborWizardA>},
    {u"clsQuiborMonitorsA", &NewObject<clsQuiborMonitorsA>},
    {u"clsQuiborMonitorA", &NewObject<clsQuiborMonitorA>},
};

}  // namespace

std::span<const ClassFactoryEntry> ClassFactories() noexcept { return kFactories; }

ClassFactory FindClassFactory(std::u16string_view class_name) noexcept {
    for (const auto& entry : kFactories)
        if (NamesEqual(entry.class_name, class_name)) return entry.create;
    return nullptr;
}

}  // namespace quibor15
