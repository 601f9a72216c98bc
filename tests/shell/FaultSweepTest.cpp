#include "setup/SetupForm.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

// Every camera-server operation failing at each place the program calls it: the error box shows
// the server's text, the program stays usable, and the settings survive.
enum class Place { Single, Continuous, SetupApply, Calibration, Exit };

struct Fault {
    BuildKind kind;
    Place place;
    const char* operation; // "Measure#3" fails only the 3rd call after start
};

class FaultSweep : public MainFormFixture, public ::testing::WithParamInterface<Fault> {
protected:
    bool idle() {
        return waitUntil(
            [this] { return !form->runActive() && !form->cycleInFlight() && form->cameraIdle(); });
    }
    void trigger(Place place) {
        switch (place) {
        case Place::Single:
            form->SingleButton->click();
            break;
        case Place::Continuous:
            form->StartButton->click();
            ASSERT_TRUE(waitUntil([this] { return !errors().isEmpty(); }));
            break;
        case Place::SetupApply:
            QTimer::singleShot(0, form.get(), [this] { form->SetupForm->Button1->click(); });
            form->SetupButton->click();
            break;
        case Place::Calibration:
            form->CalTen->click();
            break;
        case Place::Exit:
            form->FormDestroy();
            break;
        }
        ASSERT_TRUE(idle());
    }
};

std::string FaultName(const ::testing::TestParamInfo<Fault>& info) {
    const char* places[] = {"Single", "Continuous", "SetupApply", "Calibration", "Exit"};
    std::string name = info.param.kind == BuildKind::Thermal ? "Thermal" : "Standard";
    name += places[int(info.param.place)];
    name += info.param.operation;
    std::replace(name.begin(), name.end(), '#', '_');
    return name;
}

TEST_P(FaultSweep, ShowsTheServersTextAndTheProgramGoesOn) {
    const Fault fault = GetParam();
    start(fault.kind);
    ASSERT_TRUE(errors().isEmpty());
    {
        std::lock_guard lock(server->mutex);
        server->counts.clear();
        server->failures[fault.operation] = L"Injected fault";
    }
    trigger(fault.place);
    EXPECT_EQ(errors(), QStringList{"Injected fault"});
    {
        std::lock_guard lock(server->mutex);
        server->failures.clear();
    }
    if (fault.place == Place::Exit) {
        EXPECT_EQ(readSettings().count("\r\n"), 16);
        return;
    }
    form->StopButton->click();
    const int before = form->cyclesCompleted();
    form->SingleButton->click();
    ASSERT_TRUE(idle());
    EXPECT_EQ(form->cyclesCompleted(), before + 1);
    EXPECT_EQ(errors().size(), 1);
    form->FormDestroy();
    EXPECT_EQ(readSettings().count("\r\n"), 16);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCall, FaultSweep,
    ::testing::Values(Fault{BuildKind::Standard, Place::Single, "Measure"},
                      Fault{BuildKind::Standard, Place::Single, "ReadData"},
                      Fault{BuildKind::Thermal, Place::Single, "SetMode#1"},
                      Fault{BuildKind::Thermal, Place::Single, "SetMode#3"},
                      Fault{BuildKind::Thermal, Place::Single, "ReadData"},
                      Fault{BuildKind::Standard, Place::Continuous, "Measure#1"},
                      Fault{BuildKind::Standard, Place::Continuous, "ReadData#1"},
                      Fault{BuildKind::Standard, Place::Continuous, "Measure#3"},
                      Fault{BuildKind::Standard, Place::Continuous, "ReadData#2"},
                      Fault{BuildKind::Thermal, Place::Continuous, "SetMode#1"},
                      Fault{BuildKind::Thermal, Place::Continuous, "Measure#2"},
                      Fault{BuildKind::Standard, Place::SetupApply, "SetMode"},
                      Fault{BuildKind::Standard, Place::SetupApply, "SetAveraging"},
                      Fault{BuildKind::Standard, Place::SetupApply, "SetIntegrationTime"},
                      Fault{BuildKind::Thermal, Place::SetupApply, "SetMode#1"},
                      Fault{BuildKind::Thermal, Place::Calibration, "SendCommand"},
                      Fault{BuildKind::Standard, Place::Exit, "CloseDevice"},
                      Fault{BuildKind::Thermal, Place::Exit, "SetMode"}),
    FaultName);
