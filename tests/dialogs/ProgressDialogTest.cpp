#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "dialogs/CProgressDlg.h"

namespace {

class ProgressDialog : public ::testing::Test {
protected:
    ProgressDialog() {
        owner.resize(400, 300);
        owner.show();
    }

    static QProgressBar* Bar(const CProgressDlg& dialog) {
        return dialog.findChild<QProgressBar*>();
    }

    QWidget owner;
};

TEST_F(ProgressDialog, ShowsItsTextAndTheDefaultCaptionAndHoldsItsOwnerDisabled) {
    {
        CProgressDlg progress;
        progress.m_strText = QStringLiteral("ﾌｫﾙﾀﾞ及びﾌｧｲﾙを検索中です．．．");
        ASSERT_TRUE(progress.Create(&owner));
        EXPECT_TRUE(progress.isVisible());
        EXPECT_TRUE(progress.isEnabled());
        EXPECT_FALSE(owner.isEnabled());
        EXPECT_EQ(progress.windowTitle(), QStringLiteral("Vorn　Version 1.0"));
        const auto* text = qobject_cast<QLabel*>(progress.GetDlgItem(1019));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text(), progress.m_strText);
        EXPECT_EQ(Bar(progress)->minimum(), 0);
        EXPECT_EQ(Bar(progress)->maximum(), 100);
        // Hidden before a notice, the dialog still keeps its owner disabled.
        progress.EndDialog(0);
        EXPECT_FALSE(progress.isVisible());
        EXPECT_FALSE(owner.isEnabled());
    }
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ProgressDialog, EnterAndEscapeDoNotEndIt) {
    CProgressDlg progress;
    progress.Create(&owner);
    QTest::keyClick(&progress, Qt::Key_Return);
    QTest::keyClick(&progress, Qt::Key_Escape);
    progress.close();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_FALSE(owner.isEnabled());
}

TEST_F(ProgressDialog, StepsFillTheBarInTenAndStartOverOnTheEleventh) {
    CProgressDlg progress;
    progress.Create(&owner);
    std::vector<int> previous;
    for (int step = 0; step < 11; ++step) {
        previous.push_back(progress.StepIt());
        if (step == 9) {
            EXPECT_EQ(progress.GetPos(), 100);
            progress.PumpMessages();
            EXPECT_EQ(Bar(progress)->value(), 100);
        }
    }
    EXPECT_EQ(previous, (std::vector<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    EXPECT_EQ(progress.GetPos(), 10);
}

TEST_F(ProgressDialog, GivesTheFocusBackToWhereItWas) {
    auto* pane = new QLineEdit(&owner);
    pane->show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    pane->setFocus();
    ASSERT_TRUE(pane->hasFocus());
    {
        CProgressDlg progress;
        progress.Create(&owner);
        EXPECT_FALSE(pane->hasFocus());
    }
    EXPECT_TRUE(pane->hasFocus() || owner.focusWidget() == pane);
}

TEST_F(ProgressDialog, OnlyTheDialogThatDisabledTheOwnerEnablesItAgain) {
    auto first = std::make_unique<CProgressDlg>();
    first->Create(&owner);
    {
        CProgressDlg second;
        second.Create(&owner);
        EXPECT_TRUE(second.isEnabled());
    }
    EXPECT_FALSE(owner.isEnabled());
    first.reset();
    EXPECT_TRUE(owner.isEnabled());
}

} // namespace
