#include "shell/WidgetColors.h"

#include <QPalette>
#include <QWidget>

void setTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}
