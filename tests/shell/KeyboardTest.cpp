#include "shell/StatusPanels.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <functional>

class Keyboard : public MainFormFixture {
public:
    void startActive() {
        start();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        server->clearLog();
        // The start asked for a calibration file; only the key's own dialogs count.
        prompts.fileDialogs.clear();
        prompts.acceptPrint = false;
    }
    bool runEnds() {
        return waitUntil([this] { return !form->runActive() && !form->cycleInFlight(); });
    }
    int measures() {
        auto log = server->log();
        return int(std::count(log.begin(), log.end(), "Measure(FakeSpec)"));
    }
    // The window's command that the key runs; null when no command has it.
    QAction* commandOf(const QKeySequence& key) {
        for (QAction* action : form->actions())
            if (action->shortcut() == key)
                return action;
        return nullptr;
    }
};

struct KeyCase {
    const char* name;
    QKeySequence key;
    // Runs after the key was pressed; checks that its command ran.
    std::function<void(Keyboard&, TMainForm&, ScriptedPrompts&)> ran;
};

class EachKey : public Keyboard, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EachKey, RunsItsCommand) {
    startActive();
    QTest::keySequence(form.get(), GetParam().key);
    GetParam().ran(*this, *form, prompts);
}

INSTANTIATE_TEST_SUITE_P(
    ToolBarAndClose, EachKey,
    ::testing::Values(KeyCase{"F5SingleMeasurement", Qt::Key_F5,
                              [](Keyboard& test, TMainForm&, ScriptedPrompts&) {
                                  ASSERT_TRUE(test.runEnds());
                                  EXPECT_EQ(test.measures(), 1);
                              }},
                      KeyCase{"F6ContinuousAndEscStops", Qt::Key_F6,
                              [](Keyboard& test, TMainForm& form, ScriptedPrompts&) {
                                  EXPECT_EQ(form.StatusBar1->text(5), "Running");
                                  ASSERT_TRUE(waitUntil([&] { return test.measures() >= 2; }));
                                  QTest::keyClick(&form, Qt::Key_Escape);
                                  EXPECT_EQ(form.StatusBar1->text(5), "Stopped");
                                  EXPECT_FALSE(form.Continuous);
                                  ASSERT_TRUE(test.runEnds());
                              }},
                      KeyCase{"CtrlSSavesTheDisplay", QKeySequence(Qt::CTRL | Qt::Key_S),
                              [](Keyboard&, TMainForm&, ScriptedPrompts& prompts) {
                                  ASSERT_EQ(prompts.fileDialogs.size(), 1);
                                  EXPECT_TRUE(prompts.fileDialogs[0].startsWith("save:"));
                              }},
                      KeyCase{"CtrlOLoadsADisplay", QKeySequence(Qt::CTRL | Qt::Key_O),
                              [](Keyboard&, TMainForm&, ScriptedPrompts& prompts) {
                                  ASSERT_EQ(prompts.fileDialogs.size(), 1);
                                  EXPECT_TRUE(prompts.fileDialogs[0].startsWith("open:"));
                              }},
                      KeyCase{"CtrlPPrints", QKeySequence(Qt::CTRL | Qt::Key_P),
                              [](Keyboard&, TMainForm&, ScriptedPrompts& prompts) {
                                  EXPECT_EQ(prompts.printDialogs, 1);
                              }},
                      KeyCase{"CtrlQClosesTheWindow", QKeySequence(Qt::CTRL | Qt::Key_Q),
                              [](Keyboard&, TMainForm& form, ScriptedPrompts&) {
                                  EXPECT_FALSE(form.isVisible());
                              }}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(Keyboard, KeyOfADisabledCommandDoesNothing) {
    startActive();
    Gate gate;
    server->onMeasure = [&gate] { gate.pass(); };
    gate.close();
    QTest::keyClick(form.get(), Qt::Key_F5);
    ASSERT_TRUE(waitUntil([&gate] { return gate.someoneWaiting(); }));
    ASSERT_FALSE(form->SingleButton->isEnabled());
    QTest::keyClick(form.get(), Qt::Key_F5);
    QTest::keyClick(form.get(), Qt::Key_F6);
    gate.open();
    ASSERT_TRUE(runEnds());
    server->onMeasure = nullptr;
    EXPECT_EQ(measures(), 1);
    EXPECT_FALSE(form->Continuous);
}

TEST_F(Keyboard, TooltipsNameTheKeys) {
    start();
    const std::vector<std::pair<QToolButton*, QString>> tips = {
        {form->SingleButton, "Single Measurement (F5)"},
        {form->StartButton, "Continous Measurement (F6)"},
        {form->StopButton, "Stop Measurement (Esc)"},
        {form->SaveScan, "Saves the current display data in a file (Ctrl+S)"},
        {form->LoadScan, "Fills display from a saved file (Ctrl+O)"},
        {form->PrintChart, "Prints the current display (Ctrl+P)"},
        {form->DarkButon, "Sets the dark backgrond level"}};
    for (const auto& [button, tip] : tips)
        EXPECT_EQ(button->toolTip(), tip);
}

// The keys the README promises, read from its Keyboard table.
std::vector<std::pair<QString, QString>> documentedKeys() {
    QFile readme(QStringLiteral(HALVANE_SOURCE_DIR "/README.md"));
    if (!readme.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype section = text.indexOf("\n## Keyboard\n");
    if (section < 0)
        return {};
    const qsizetype end = text.indexOf("\n## ", section + 1);
    std::vector<std::pair<QString, QString>> keys;
    static const QRegularExpression row(QStringLiteral("^\\| ([^|]+?) \\| ([^|]+?) \\|$"),
                                        QRegularExpression::MultilineOption);
    auto rows = row.globalMatch(text.mid(section, end < 0 ? -1 : end - section));
    while (rows.hasNext()) {
        auto match = rows.next();
        if (match.captured(1) != "key" && !match.captured(1).startsWith("-"))
            keys.emplace_back(match.captured(1), match.captured(2));
    }
    return keys;
}

TEST_F(Keyboard, EveryKeyInTheReadmeRunsACommand) {
    const auto keys = documentedKeys();
    ASSERT_GE(keys.size(), 7u);
    for (const auto& [keyText, command] : keys) {
        SCOPED_TRACE(keyText.toStdString() + ": " + command.toStdString());
        startActive();
        const QKeySequence key = QKeySequence::fromString(keyText, QKeySequence::PortableText);
        ASSERT_FALSE(key.isEmpty());
        QAction* action = commandOf(key);
        ASSERT_NE(action, nullptr);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(form.get(), key);
        EXPECT_EQ(triggered.count(), 1);
        form->StopButton->click();
        ASSERT_TRUE(runEnds());
        form.reset();
    }
}
