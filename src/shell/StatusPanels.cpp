#include "shell/StatusPanels.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>

namespace {

struct Panel {
    int width;
    const char* text;
};

const Panel ThermalPanels[] = {{50, "  X:"},
                               {50, "Ch1 Y:"},
                               {80, ""},
                               {80, ""},
                               {100, "T1:"},
                               {100, "T2: "},
                               {100, "T3: "},
                               {100, ""},
                               {100, ""},
                               {100, ""},
                               // The temperature readout's third sensor.
                               {100, ""}};
const Panel StandardPanels[] = {{80, "X:"},
                                {80, "Ch1 Y:"},
                                {80, "Ch2 Y: "},
                                {100, "Averaging"},
                                {105, "Integration "},
                                {100, "Stopped"},
                                {100, "Not Connected"},
                                {50, "Raw Data"}};

} // namespace

StatusPanels::StatusPanels(BuildKind kind, QWidget* parent) : QStatusBar(parent) {
    setObjectName("StatusBar1");
    setSizeGripEnabled(false);
    if (kind == BuildKind::Thermal) {
        setFixedHeight(27);
        for (const auto& panel : ThermalPanels)
            addPanel(panel.width, panel.text);
    } else {
        setFixedHeight(40);
        QFont font("Arial");
        font.setPixelSize(16);
        setFont(font);
        QPalette red = palette();
        red.setColor(QPalette::WindowText, Qt::red);
        setPalette(red);
        for (const auto& panel : StandardPanels)
            addPanel(panel.width, panel.text);
    }
    progress_ = new QProgressBar(this);
    progress_->setObjectName("Progress");
    progress_->setFixedWidth(150);
    progress_->setFont(QFont());
    progress_->setTextVisible(true);
    progress_->hide();
    addPermanentWidget(progress_);
}

void StatusPanels::addPanel(int width, const QString& text) {
    auto* label = new QLabel(text, this);
    label->setMinimumWidth(width);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setObjectName(QString("Panel%1").arg(panels_.size()));
    addWidget(label);
    panels_.push_back(label);
    designWidths_.push_back(width);
    fit(count() - 1);
}

// A panel never narrows again, so the panels beside it keep their place as values change.
void StatusPanels::fit(int index) {
    QLabel* panel = panels_[index];
    const int needed = std::max(designWidths_[index], panel->sizeHint().width());
    if (needed > panel->minimumWidth())
        panel->setMinimumWidth(needed);
}

void StatusPanels::changeEvent(QEvent* event) {
    QStatusBar::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        for (int i = 0; i < count(); ++i)
            fit(i);
}

QString StatusPanels::text(int index) const {
    return index >= 0 && index < count() ? panels_[index]->text() : QString();
}

void StatusPanels::setText(int index, const QString& text) {
    if (index < 0 || index >= count())
        return;
    panels_[index]->setText(text);
    fit(index);
}

int StatusPanels::panelWidth(int index) const {
    return index >= 0 && index < count() ? panels_[index]->minimumWidth() : 0;
}

int StatusPanels::fullWidth() const {
    int width = progress_->width() + 24;
    for (const QLabel* panel : panels_)
        width += panel->minimumWidth() + 6;
    return width;
}
