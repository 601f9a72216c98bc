#include "setup/CorrectionForm.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TCorrectionForm::TCorrectionForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CorrectionForm");
    setWindowTitle("Correction Data");
    auto* frame = new QGroupBox(this);
    auto* fields = new QFormLayout(frame);
    CheckBox1 = new QCheckBox("Enable Correction", frame);
    CheckBox1->setChecked(true);
    fields->addRow(CheckBox1);
    const char* values[] = {"1.94222564e2", "2.098786253", "5.670774894e-4", "-2.673861608e-6",
                            "3.282763689e-9"};
    QLineEdit** edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5};
    for (int i = 0; i < 5; ++i) {
        *edits[i] = new QLineEdit(values[i], frame);
        (*edits[i])->setObjectName(QString("Edit%1").arg(i + 1));
        fields->addRow(QString("C%1:").arg(i), *edits[i]);
    }
    OKBtn = new QPushButton("OK", this);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Abbrechen", this);
    LoadButton = new QPushButton("Load", this);
    ClearButton = new QPushButton("Clear", this);
    auto* buttons = new QHBoxLayout;
    for (auto* button : {OKBtn, CancelBtn, LoadButton, ClearButton})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckBox1, &QCheckBox::clicked, this, &TCorrectionForm::CheckBox1Click);
}

void TCorrectionForm::CheckBox1Click() {
    for (auto* edit : {Edit1, Edit2, Edit3, Edit4, Edit5})
        edit->setEnabled(CheckBox1->isChecked());
}
