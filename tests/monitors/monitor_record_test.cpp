// clsQuiborMonitorA: a plain record of eleven Long fields.
#include <functional>

#include "monitor_world.hpp"

namespace quibor15::testing {
namespace {

struct Field {
    const char16_t* name;
    Long (clsQuiborMonitorA::*get)();
    void (clsQuiborMonitorA::*let)(Long&);
};

const Field kFields[] = {
    {u"Handle", &clsQuiborMonitorA::get_Handle, &clsQuiborMonitorA::let_Handle},
    {u"Height", &clsQuiborMonitorA::get_Height, &clsQuiborMonitorA::let_Height},
    {u"Width", &clsQuiborMonitorA::get_Width, &clsQuiborMonitorA::let_Width},
    {u"Left", &clsQuiborMonitorA::get_Left, &clsQuiborMonitorA::let_Left},
    {u"Right", &clsQuiborMonitorA::get_Right, &clsQuiborMonitorA::let_Right},
    {u"Top", &clsQuiborMonitorA::get_Top, &clsQuiborMonitorA::let_Top},
    {u"Bottom", &clsQuiborMonitorA::get_Bottom, &clsQuiborMonitorA::let_Bottom},
    {u"WorkLeft", &clsQuiborMonitorA::get_WorkLeft, &clsQuiborMonitorA::let_WorkLeft},
    {u"WorkRight", &clsQuiborMonitorA::get_WorkRight, &clsQuiborMonitorA::let_WorkRight},
    {u"WorkTop", &clsQuiborMonitorA::get_WorkTop, &clsQuiborMonitorA::let_WorkTop},
    {u"WorkBottom", &clsQuiborMonitorA::get_WorkBottom, &clsQuiborMonitorA::let_WorkBottom},
};

class MonitorRecord : public MonitorWorld {};

TEST_F(MonitorRecord, ANewRecordReadsZeroEverywhere) {
    auto record = MakeRef<clsQuiborMonitorA>(context);
    for (const Field& f : kFields) EXPECT_EQ(((*record).*f.get)(), 0);
}

TEST_F(MonitorRecord, EachFieldStoresExactlyWhatIsAssignedAndNothingElse) {
    auto record = MakeRef<clsQuiborMonitorA>(context);
    Long value = 1000;
    for (const Field& f : kFields) {
        Long v = value++;
        ((*record).*f.let)(v);
    }
    value = 1000;
    for (const Field& f : kFields) EXPECT_EQ(((*record).*f.get)(), value++);

    // No derived updates: Width stays when Left moves.
    Long left = -7;
    record->let_Left(left);
    EXPECT_EQ(record->get_Width(), 1002);
    Long extreme = INT32_MIN;
    record->let_Right(extreme);
    EXPECT_EQ(record->get_Right(), INT32_MIN);
}

TEST_F(MonitorRecord, LateBoundNamesReachTheSameFields) {
    auto record = MakeRef<clsQuiborMonitorA>(context);
    const ObjectRef object(record);
    Long n = 1;
    for (const Field& f : kFields) {
        LateLet(object, f.name, Variant(n));
        EXPECT_EQ(((*record).*f.get)(), n);
        EXPECT_EQ(VariantToLong(LateGet(object, f.name)), n);
        ++n;
    }
    EXPECT_EQ(object->GetIdOfName(u"workbottom"), static_cast<DispId>(0x68030000));
    EXPECT_EQ(object->GetIdOfName(u"Handle"), static_cast<DispId>(0x6803000a));
}

TEST_F(MonitorRecord, FillingFromAnUnknownHandleKeepsTheHandleWithZeroGeometry) {
    windows->AddMonitor(Rect{0, 0, 1280, 1024});
    auto record = MakeRef<clsQuiborMonitorA>(context);
    record->FillFromHandle(0x0BAD0001);
    EXPECT_EQ(FieldsOf(*record), (MonitorFields{0x0BAD0001, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    const auto calls = windows->Calls(u"GetMonitorInfoA");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args.at(1), u"cbSize=40");
}

}  // namespace
}  // namespace quibor15::testing
