#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The correction dialog: created hidden at start and kept; no command shows it and nothing
// reads its fields.
class TCorrectionForm : public QDialog {
    Q_OBJECT
public:
    explicit TCorrectionForm(QWidget* parent = nullptr);

    QCheckBox* CheckBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* LoadButton;
    QPushButton* ClearButton;

    void CheckBox1Click();
};
