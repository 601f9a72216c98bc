#pragma once

class QSettings;
class QWidget;

// The main window's size and position from one run to the next, kept apart from the device
// properties file, whose lines are fixed.
// Returns false when nothing usable was kept, so the window keeps its first size.
bool restoreWindowPlacement(QWidget& window, const QSettings& settings);
void saveWindowPlacement(const QWidget& window, QSettings& settings);
