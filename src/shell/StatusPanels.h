#pragma once

#include "measurement/BuildKind.h"

#include <QStatusBar>
#include <vector>

class QLabel;
class QProgressBar;

// The status bar: fixed-width panels addressed by index, and at its right end, outside the
// indexed panels, one progress indicator.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(BuildKind kind, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(panels_.size()); }
    QString text(int index) const;
    void setText(int index, const QString& text);
    int panelWidth(int index) const;
    void addPanel(int width, const QString& text);

    QProgressBar* progress() const { return progress_; }
    // The width that shows every panel and the progress indicator.
    int fullWidth() const;

private:
    std::vector<QLabel*> panels_;
    QProgressBar* progress_;
};
