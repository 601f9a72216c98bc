#include "shell/ToolBarImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QIcon draw(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return QIcon(pixmap);
}

QPainterPath triangle(double left, double top, double width, double height) {
    QPainterPath path;
    path.moveTo(left, top);
    path.lineTo(left + width, top + height / 2);
    path.lineTo(left, top + height);
    path.closeSubpath();
    return path;
}

} // namespace

QIcon singleImage() {
    return draw([](QPainter& p) {
        p.fillPath(triangle(10, 8, 22, 32), QColor(0, 110, 200));
        p.fillRect(QRectF(34, 8, 5, 32), QColor(0, 110, 200));
    });
}

QIcon startImage() {
    return draw([](QPainter& p) {
        p.fillPath(triangle(6, 8, 18, 32), QColor(0, 140, 0));
        p.fillPath(triangle(24, 8, 18, 32), QColor(0, 140, 0));
    });
}

QIcon stopImage() {
    return draw([](QPainter& p) { p.fillRect(QRectF(10, 10, 28, 28), QColor(200, 0, 0)); });
}
