#pragma once

#include "measurement/BuildKind.h"

#include <QStatusBar>
#include <vector>

class QLabel;
class QProgressBar;

// The status bar: panels addressed by index, each at least its design width and as wide as the
// longest text it has shown, and at its right end, outside the indexed panels, one progress
// indicator.
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusPanels(BuildKind kind, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(panels_.size()); }
    QString text(int index) const;
    void setText(int index, const QString& text);
    // The least width the panel gets: its design width, or more for a longer text.
    int panelWidth(int index) const;
    void addPanel(int width, const QString& text);

    QProgressBar* progress() const { return progress_; }
    // The width that shows every panel and the progress indicator.
    int fullWidth() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void fit(int index);

    std::vector<QLabel*> panels_;
    std::vector<int> designWidths_;
    QProgressBar* progress_;
};
