#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QWidget>

#include <algorithm>

// The visible texts below root that are wider than the room their widget gives them, each as
// "objectName: 'text' needs N, has M". Hidden widgets and empty texts are passed over.
inline QStringList textsThatDoNotFit(const QWidget& root) {
    QStringList cut;
    auto check = [&](const QWidget* widget, const QString& text, int needed, int room) {
        if (!text.isEmpty() && needed > room)
            cut << QString("%1: '%2' needs %3, has %4")
                       .arg(widget->objectName(), text)
                       .arg(needed)
                       .arg(room);
    };
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&root))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->wordWrap())
                continue;
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            const int room =
                label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
            check(label, label->text(), needed, room);
        } else if (const auto* push = qobject_cast<const QPushButton*>(widget)) {
            // Not the size hint: that holds the style's least button width, which is no measure
            // of the text. The text needs its own width and the style's margin inside the frame.
            QStyleOptionButton option;
            option.initFrom(push);
            option.text = push->text();
            option.icon = push->icon();
            option.iconSize = push->iconSize();
            if (push->autoDefault())
                option.features |= QStyleOptionButton::AutoDefaultButton;
            const QStyle* style = push->style();
            int needed = push->fontMetrics().size(Qt::TextShowMnemonic, push->text()).width() +
                         style->pixelMetric(QStyle::PM_ButtonMargin, &option, push);
            if (!push->icon().isNull())
                needed += push->iconSize().width() + 4;
            const QRect inner = style->subElementRect(QStyle::SE_PushButtonContents, &option, push);
            check(push, push->text(), needed, inner.width());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            // A button's size hint is the room its style needs for the text and any icon.
            if (!button->text().isEmpty())
                check(button, button->text(), button->sizeHint().width(), button->width());
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
            QStyleOptionFrame option;
            option.initFrom(edit);
            option.lineWidth = edit->hasFrame() ? 1 : 0;
            const QRect inner =
                edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
            const QMargins margins = edit->textMargins();
            // A line edit keeps 2 pixels each side of its text.
            const int room = inner.width() - margins.left() - margins.right() - 4;
            check(edit, edit->text(), edit->fontMetrics().horizontalAdvance(edit->text()), room);
        } else if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
            // The style places the title without clipping it to the box, so it is cut where it
            // runs past the box's right edge.
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.textAlignment = box->alignment();
            option.lineWidth = 1;
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            if (box->isCheckable())
                option.subControls |= QStyle::SC_GroupBoxCheckBox;
            if (box->isFlat())
                option.features |= QStyleOptionFrame::Flat;
            const QRect title = box->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxLabel, box);
            const int needed =
                title.left() + box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).width();
            check(box, box->title(), needed, box->width());
        }
    }
    return cut;
}
