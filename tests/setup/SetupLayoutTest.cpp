#include "setup/SetupForm.h"

#include "support/QtApp.h"
#include "support/ScriptedPrompts.h"
#include "support/TextFit.h"
#include "support/Waiting.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

struct LayoutCase {
    const char* name;
    BuildKind kind;
    bool connected;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class SetupLayoutTest : public ::testing::TestWithParam<LayoutCase> {
protected:
    ScriptedPrompts prompts;
    TMeasurementParameters parameters;
    std::unique_ptr<TSetupForm> form;

    void SetUp() override {
        qtApp();
        parameters.Averaging = 65535;
        parameters.IntegrationTime = 60000;
        parameters.ScansToSave = 65535;
        parameters.AveragingLimitDivisor = 1;
        parameters.TriggerMode = 4;
        form = std::make_unique<TSetupForm>(GetParam().kind, prompts, parameters);
        if (GetParam().connected)
            form->FillConnected("Halvane Simulator Spectrometer", 2, 16, 16384, false);
        else
            form->FillUnconnected();
        form->IntegrationEdit->setText("60000");
        form->AveragingEdit->setText("65535");
    }

    // Shows the dialog the way the program does and runs `whileShown` once it is on screen.
    void whileShown(const std::function<void()>& check) {
        QTimer::singleShot(0, form.get(), [&] {
            EXPECT_TRUE(waitUntil(
                [&] { return form->windowHandle() && form->windowHandle()->isExposed(); }));
            QCoreApplication::processEvents();
            check();
            form->Button2->click();
        });
        form->ExecuteSetup();
    }
};

TEST_P(SetupLayoutTest, EveryTextFitsItsControl) {
    QStringList cut;
    whileShown([&] { cut = textsThatDoNotFit(*form); });
    EXPECT_TRUE(cut.isEmpty()) << cut.join("\n").toStdString();
}

// No control covers another, and the window holds them all and keeps the design's size at least.
TEST_P(SetupLayoutTest, ControlsNeitherOverlapNorLeaveTheWindow) {
    whileShown([&] {
        EXPECT_GE(form->width(), 357);
        EXPECT_GE(form->height(), 274);
        for (const QWidget* widget : form->findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(form.get()))
                continue;
            const QRect inWindow(widget->mapTo(form.get(), QPoint(0, 0)), widget->size());
            EXPECT_TRUE(form->rect().contains(inWindow)) << widget->objectName().toStdString();
            for (const QObject* other : widget->parentWidget()->children()) {
                const auto* sibling = qobject_cast<const QWidget*>(other);
                if (sibling && sibling != widget && sibling->isVisibleTo(form.get())) {
                    EXPECT_FALSE(widget->geometry().intersects(sibling->geometry()))
                        << widget->objectName().toStdString() << " covers "
                        << sibling->objectName().toStdString();
                }
            }
        }
    });
}

TEST_P(SetupLayoutTest, TabGoesThroughTheControlsInTheirOrder) {
    QStringList expected{"IntegrationEdit", "AveragingEdit", "IntTrigButton", "ExtTrigButton",
                         "MultiTrigButton", "CheckBox1",     "CheckBox2"};
    if (GetParam().kind == BuildKind::Thermal)
        expected << "CheckBox3";
    expected << "Pixelsnm"
             << "RecordScansEdit"
             << "SaveAverage"
             << "SaveIndividual"
             << "Button1"
             << "Button2";
    QStringList chain;
    for (QWidget* widget = form->nextInFocusChain(); widget != form.get();
         widget = widget->nextInFocusChain())
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
    EXPECT_EQ(chain, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, SetupLayoutTest,
    ::testing::Values(LayoutCase{"StandardConnected", BuildKind::Standard, true},
                      LayoutCase{"StandardUnconnected", BuildKind::Standard, false},
                      LayoutCase{"ThermalConnected", BuildKind::Thermal, true},
                      LayoutCase{"ThermalUnconnected", BuildKind::Thermal, false}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

} // namespace
