#include "setup/CorrectionForm.h"
#include "support/QtApp.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(CorrectionForm, StartsHiddenWithItsValuesAndTheCheckBoxSwitchesTheEdits) {
    qtApp();
    TCorrectionForm form;
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(form.windowTitle(), "Correction Data");
    EXPECT_EQ(form.Edit1->text(), "1.94222564e2");
    EXPECT_EQ(form.Edit5->text(), "3.282763689e-9");
    EXPECT_EQ(form.CancelBtn->text(), "Abbrechen");
    EXPECT_TRUE(form.CheckBox1->isChecked());
    form.CheckBox1->click();
    for (auto* edit : {form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Edit5})
        EXPECT_FALSE(edit->isEnabled());
    form.CheckBox1->click();
    EXPECT_TRUE(form.Edit3->isEnabled());
}
