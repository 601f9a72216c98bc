#pragma once

#include <QColor>

class QWidget;

// The colour of a widget's caption or text.
void setTextColor(QWidget* widget, const QColor& color);
