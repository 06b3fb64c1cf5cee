#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "dialogs/CAboutDlg.h"
#include "dialogs/CDeleteConfirmDlg.h"
#include "dialogs/CDeleteNotFoundDlg.h"
#include "dialogs/CDriveUnavailableDlg.h"
#include "dialogs/CFileDeleteErrorDlg.h"
#include "dialogs/CFolderDeleteErrorDlg.h"
#include "dialogs/CFolderNotFoundDlg.h"
#include "dialogs/CProgressDlg.h"
#include "dialogs/CSizeShortDlg.h"
#include "resources/ResourceIds.h"
#include "support/ModalAnswerer.h"

namespace {

class Dialogs : public ::testing::Test {
protected:
    Dialogs() {
        owner.setGeometry(100, 100, 800, 600);
        owner.show();
    }

    QWidget owner;
};

template <typename Dialog> std::unique_ptr<CDialog> Make(QWidget* owner) {
    return std::make_unique<Dialog>(owner);
}

// On screens of every density: texts whole, the icon drawn for the screen's pixels, the dialog
// centred over its owner, and a name however long shown as plain text without growing it.
TEST_F(Dialogs, FitTheirTextsAndIconToTheScreenAndAnyNameToItsField) {
    const QString longName = QStringLiteral("<b>%1</b>").arg(QString(300, QLatin1Char('x')));
    for (const auto make :
         {Make<CFolderNotFoundDlg>, Make<CDriveUnavailableDlg>, Make<CDeleteConfirmDlg>,
          Make<CFileDeleteErrorDlg>, Make<CDeleteNotFoundDlg>, Make<CFolderDeleteErrorDlg>,
          Make<CSizeShortDlg>, Make<CAboutDlg>}) {
        const std::unique_ptr<CDialog> dialog = make(&owner);
        auto* notice = dynamic_cast<CNameNoticeDlg*>(dialog.get());
        if (notice) {
            notice->m_strName = longName;
        }
        const int iconPixels = qRound(32 * dialog->devicePixelRatio());
        const testsupport::ModalAnswerer answerer([&](CDialog& shown) {
            for (const QLabel* label : shown.findChildren<QLabel*>()) {
                const QImage icon = label->pixmap().toImage();
                const QRect room = label->contentsRect();
                const QSize needed = label->fontMetrics().size(0, label->text());
                EXPECT_TRUE(label == shown.GetDlgItem(IDC_NAME) ||
                            room.contains(QRect(room.topLeft(), needed)))
                    << label->text().toStdString();
                EXPECT_TRUE(icon.isNull() || icon.size() == QSize(iconPixels, iconPixels));
            }
            EXPECT_LE(
                (shown.geometry().center() - owner.frameGeometry().center()).manhattanLength(), 4);
            shown.close();
        });
        EXPECT_EQ(dialog->DoModal(), IDCANCEL);
        if (notice) {
            const auto* name = qobject_cast<QLabel*>(notice->GetDlgItem(IDC_NAME));
            EXPECT_EQ(name->textFormat(), Qt::PlainText);
            EXPECT_EQ(dialog->size(), make(&owner)->size());
        }
    }
}

// While it lives, whatever the keys and however many progress dialogs come over it, the progress
// dialog holds its owner disabled; its bar starts over past its end.
TEST_F(Dialogs, ProgressHoldsItsOwnerDisabledWhileItStepsAndThenGivesTheFocusBack) {
    auto* pane = new QLineEdit(&owner);
    pane->show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    pane->setFocus();
    {
        CProgressDlg progress(std::chrono::hours(1));
        ASSERT_TRUE(progress.Create(&owner));
        QTest::keyClick(&progress, Qt::Key_Return);
        QTest::keyClick(&progress, Qt::Key_Escape);
        progress.close();
        EXPECT_TRUE(progress.isVisible() && progress.isEnabled());
        EXPECT_FALSE(owner.isEnabled() || pane->hasFocus());
        {
            CProgressDlg over;
            over.Create(&owner);
        }
        // Steps never wait on the window: none lets events through before the interval is up.
        int pumps = 0;
        QObject::connect(&progress, &CProgressDlg::Pumping, [&pumps] { ++pumps; });
        for (int step = 0; step < 1011; ++step) {
            progress.StepIt();
        }
        EXPECT_EQ(pumps, 0);
        // Hidden before a notice, the dialog still keeps its owner disabled, and shows where the
        // bar ended: started over from 0 after reaching 100.
        progress.EndDialog(0);
        EXPECT_FALSE(progress.isVisible() || owner.isEnabled());
        EXPECT_EQ(progress.findChild<QProgressBar*>()->value(), 10);
    }
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_TRUE(pane->hasFocus() || owner.focusWidget() == pane);
}

} // namespace
