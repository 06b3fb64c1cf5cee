#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "dialogs/CAboutDlg.h"
#include "dialogs/CDeleteConfirmDlg.h"
#include "dialogs/CDeleteNotFoundDlg.h"
#include "dialogs/CDriveUnavailableDlg.h"
#include "dialogs/CFileDeleteErrorDlg.h"
#include "dialogs/CFolderDeleteErrorDlg.h"
#include "dialogs/CFolderNotFoundDlg.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "support/ModalAnswerer.h"

namespace {

QStringList Texts(const CDialog& dialog) {
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            texts << label->text();
        }
    }
    return texts;
}

QStringList Buttons(const CDialog& dialog) {
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        texts << button->text();
    }
    return texts;
}

// The texts that their statics and buttons cut off.
QStringList CutTexts(const CDialog& dialog) {
    QStringList cut;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        const int margin = label->margin();
        const QRect room = label->contentsRect().marginsRemoved({margin, margin, margin, margin});
        if (!room.contains(QRect(room.topLeft(), label->fontMetrics().size(0, label->text())))) {
            cut << label->text();
        }
    }
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        if (!room.contains(QRect(room.topLeft(), needed))) {
            cut << button->text();
        }
    }
    return cut;
}

QImage Icon(const CDialog& dialog) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            return label->pixmap().toImage();
        }
    }
    return {};
}

// Shows the dialog modally and lets `answer` end it from inside its loop.
int RunModal(CDialog& dialog, const std::function<void(CDialog&)>& answer) {
    const testsupport::ModalAnswerer answerer(answer);
    return dialog.DoModal();
}

class NoticeDialogs : public ::testing::Test {
protected:
    NoticeDialogs() {
        owner.setGeometry(100, 100, 800, 600);
        owner.show();
    }

    QWidget owner;
};

TEST_F(NoticeDialogs, ShowTheirOwnCaptionsIconsTextsAndButtons) {
    const QString version = QStringLiteral("Vorn　Version 1.0");
    const QString deleteError = QStringLiteral("削除ｴﾗｰ");
    struct Expected {
        std::unique_ptr<CDialog> dialog;
        unsigned icon;
        QString caption;
        QStringList texts;
        QStringList buttons;
    };
    std::vector<Expected> all;
    all.push_back({std::make_unique<CFolderNotFoundDlg>(&owner),
                   IDI_NOTICE,
                   version,
                   {"指定されたﾌｫﾙﾀﾞが見つかりません。", ""},
                   {"OK"}});
    all.push_back({std::make_unique<CDriveUnavailableDlg>(&owner),
                   IDI_NOTICE,
                   version,
                   {"指定されたﾄﾞﾗｲﾌﾞは現在使用できません。"},
                   {"OK"}});
    all.push_back({std::make_unique<CDeleteConfirmDlg>(&owner),
                   IDI_QUESTION,
                   QStringLiteral("削除の確認"),
                   {"選択されたﾌｫﾙﾀﾞまたはﾌｧｲﾙを削除してもよろしいですか？",
                    "注意！　ごみ箱に入らずに削除されます。"},
                   {"はい(&Y)", "いいえ(&N)"}});
    all.push_back({std::make_unique<CFileDeleteErrorDlg>(&owner),
                   IDI_NOTICE,
                   deleteError,
                   {"ﾌｧｲﾙを削除できません。", "", "ﾗｲﾄﾌﾟﾛﾃｸﾄされていないか、またはﾌｧｲﾙ",
                    "が使用中でないか確認してください。"},
                   {"OK"}});
    all.push_back(
        {std::make_unique<CDeleteNotFoundDlg>(&owner),
         IDI_NOTICE,
         deleteError,
         {"ﾌｫﾙﾀﾞまたはﾌｧｲﾙを削除できません。", "", "指定されたﾌｫﾙﾀﾞまたはﾌｧｲﾙが見つかりません。"},
         {"OK"}});
    all.push_back({std::make_unique<CFolderDeleteErrorDlg>(&owner),
                   IDI_NOTICE,
                   deleteError,
                   {"ﾌｫﾙﾀﾞを削除できません。", "", "このﾃﾞｨｽｸはﾗｲﾄﾌﾟﾛﾃｸﾄされています。",
                    "ﾗｲﾄﾌﾟﾛﾃｸﾄを解除するか、別のﾃﾞｨｽｸを使用してください。"},
                   {"OK"}});
    for (Expected& expected : all) {
        QString caption;
        QStringList texts;
        QStringList cut;
        QImage icon;
        const int result = RunModal(*expected.dialog, [&](CDialog& shown) {
            caption = shown.windowTitle();
            texts = Texts(shown);
            cut = CutTexts(shown);
            icon = Icon(shown);
            shown.EndDialog(IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(caption, expected.caption);
        // The placeholder "Name" of an empty name field never shows.
        EXPECT_EQ(texts, expected.texts) << expected.caption.toStdString();
        EXPECT_EQ(Buttons(*expected.dialog), expected.buttons);
        // On screens of every density: whole texts, and the icon drawn for the screen's pixels.
        EXPECT_TRUE(cut.isEmpty()) << cut.join(QLatin1Char('\n')).toStdString();
        const int iconPixels = qRound(32 * expected.dialog->devicePixelRatio());
        EXPECT_EQ(icon, resources::RenderIcon(expected.icon, iconPixels));
    }
}

TEST_F(NoticeDialogs, EnterGivesOkWhileEscapeTheCloseBoxAndNoGiveCancel) {
    const std::vector<std::pair<std::function<void(CDialog&)>, int>> answers{
        {[](CDialog& shown) { QTest::keyClick(&shown, Qt::Key_Return); }, IDOK},
        {[](CDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); }, IDCANCEL},
        {[](CDialog& shown) { shown.close(); }, IDCANCEL},
        {[](CDialog& shown) { qobject_cast<QPushButton*>(shown.GetDlgItem(IDCANCEL))->click(); },
         IDCANCEL},
        {[](CDialog& shown) { qobject_cast<QPushButton*>(shown.GetDlgItem(IDOK))->click(); }, IDOK},
    };
    for (const auto& [answer, expected] : answers) {
        CDeleteConfirmDlg confirm(&owner);
        EXPECT_EQ(RunModal(confirm, answer), expected);
    }
    CFolderNotFoundDlg notice(&owner);
    EXPECT_EQ(RunModal(notice, [](CDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); }),
              IDCANCEL);
}

TEST_F(NoticeDialogs, ShowTheNameAsPlainTextWithoutGrowing) {
    CFileDeleteErrorDlg shortName(&owner);
    shortName.m_strName = QStringLiteral("a.txt");
    QStringList texts;
    QSize shortSize;
    RunModal(shortName, [&](CDialog& shown) {
        texts = Texts(shown);
        shortSize = shown.size();
        shown.EndDialog(IDOK);
    });
    EXPECT_EQ(texts.at(1), "a.txt");

    CFileDeleteErrorDlg longName(&owner);
    longName.m_strName = QStringLiteral("<b>%1</b>").arg(QString(300, QLatin1Char('x')));
    QSize longSize;
    RunModal(longName, [&](CDialog& shown) {
        texts = Texts(shown);
        longSize = shown.size();
        shown.EndDialog(IDOK);
    });
    EXPECT_EQ(texts.at(1), longName.m_strName);
    EXPECT_EQ(longSize, shortSize);
    EXPECT_EQ(qobject_cast<QLabel*>(longName.GetDlgItem(1020))->textFormat(), Qt::PlainText);
}

TEST_F(NoticeDialogs, OpenCentredOverTheirOwner) {
    CDriveUnavailableDlg notice(&owner);
    QPoint centre;
    RunModal(notice, [&](CDialog& shown) {
        centre = shown.geometry().center();
        shown.EndDialog(IDOK);
    });
    EXPECT_LE((centre - owner.frameGeometry().center()).manhattanLength(), 4);
}

TEST_F(NoticeDialogs, AboutBoxNamesTheToolAndVersion) {
    CAboutDlg about(&owner);
    QString caption;
    QStringList texts;
    bool hasIcon = false;
    RunModal(about, [&](CDialog& shown) {
        caption = shown.windowTitle();
        texts = Texts(shown);
        for (const QLabel* label : shown.findChildren<QLabel*>()) {
            hasIcon = hasIcon || !label->pixmap().isNull();
        }
        QTest::keyClick(&shown, Qt::Key_Escape);
    });
    EXPECT_EQ(caption, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    ASSERT_EQ(texts.size(), 8);
    EXPECT_EQ(texts[0], QStringLiteral("ディスク管理支援ツール"));
    EXPECT_EQ(texts[1], QStringLiteral("Vorn  Version 1.0"));
    EXPECT_TRUE(texts[2].contains(QStringLiteral("the Vorn authors")));
    EXPECT_TRUE(hasIcon);
}

} // namespace
