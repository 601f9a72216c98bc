#include "shell/QtPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

PromptAnswer QtPrompts::message(const QString& text, const QString& caption, PromptIcon icon,
                                PromptButtons buttons) {
    QMessageBox box(boxIcon(icon), caption, text,
                    buttons == PromptButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                    : QMessageBox::Ok,
                    parent_);
    int answer = box.exec();
    if (buttons == PromptButtons::Ok)
        return PromptAnswer::Ok;
    return answer == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

std::optional<QString> QtPrompts::openFile(const QString& filter, const QString& directory) {
    QString name = QFileDialog::getOpenFileName(parent_, QString(), directory, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::saveFile(const QString& filter, const QString& defaultSuffix) {
    QFileDialog dialog(parent_, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

bool QtPrompts::printDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, parent_);
    return dialog.exec() == QDialog::Accepted;
}
