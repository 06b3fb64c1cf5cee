#include "DeleteCommandTest.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <fstream>
#include <iterator>

#include "ProgressBarRecorder.h"
#include "ProgressDialogWatch.h"
#include "dialogs/CDeleteConfirmDlg.h"
#include "dialogs/CDeleteNotFoundDlg.h"
#include "dialogs/CFileDeleteErrorDlg.h"
#include "dialogs/CFolderDeleteErrorDlg.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"

namespace vorn_test {

namespace {

constexpr int kNameField = 1020;

std::string NoticeNumber(const CDialog& dialog) {
    if (dynamic_cast<const CFileDeleteErrorDlg*>(&dialog)) {
        return "162";
    }
    if (dynamic_cast<const CDeleteNotFoundDlg*>(&dialog)) {
        return "163";
    }
    if (dynamic_cast<const CFolderDeleteErrorDlg*>(&dialog)) {
        return "164";
    }
    return "";
}

} // namespace

DeleteCommandTest::DeleteCommandTest()
    : tree([this](const std::string& event) { Note(event); }),
      m_startFolder(testsupport::WorkingDirectory()) {
    folder.File("canary", kCanarySize);
    EXPECT_EQ(::chdir(folder.Root().c_str()), 0);
    list.AttachDocument(&document);
    tree.AttachDocument(&document);
    list.OnInitialUpdate();
    list.resize(600, 400);
    list.show();
    m_answerer =
        std::make_unique<testsupport::ModalAnswerer>([this](CDialog& dialog) { OnDialog(dialog); });
}

DeleteCommandTest::~DeleteCommandTest() {
    EXPECT_EQ(::chdir(m_startFolder.c_str()), 0);
}

void DeleteCommandTest::TearDown() {
    EXPECT_EQ(Contents("canary"), std::string(kCanarySize, 'v'));
    EXPECT_EQ(testsupport::WorkingDirectory(), folder.Root());
}

void DeleteCommandTest::Fill() {
    document.UpdateAllViews(&tree, HINT_CURRENT_FOLDER_CHANGED);
}

void DeleteCommandTest::Select(const std::vector<std::string>& names) {
    QTreeView* view = list.GetListCtrl();
    Qt::KeyboardModifiers modifiers;
    for (const std::string& name : names) {
        const int row = RowNamed(name);
        ASSERT_GE(row, 0) << name;
        const QPoint centre = view->visualRect(view->model()->index(row, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, centre);
        modifiers = Qt::ControlModifier;
    }
    ASSERT_EQ(list.SelectedRows().size(), names.size());
}

int DeleteCommandTest::RowNamed(const std::string& name) const {
    for (int row = 0; row < list.RowCount(); ++row) {
        if (list.Row(row).name == name) {
            return row;
        }
    }
    return -1;
}

void DeleteCommandTest::Delete(Answer answer) {
    m_answer = answer;
    timeline.clear();
    const std::string before = testsupport::WorkingDirectory();
    {
        ProgressBarRecorder bar;
        ProgressDialogWatch watch([this](const std::string& event) { Note(event); });
        EXPECT_TRUE(list.OnCmdMsg(ID_DELETE_ITEMS));
        barValues = bar.values;
    }
    EXPECT_EQ(testsupport::WorkingDirectory(), before);
    EXPECT_FALSE(ProgressDialogWatch::AnyShown());
    EXPECT_TRUE(AfxGetMainWnd()->isEnabled());
}

void DeleteCommandTest::Note(const std::string& event) {
    std::string marked = event;
    if (ProgressDialogWatch::AnyShown()) {
        marked += " [bar]";
    }
    if (!AfxGetMainWnd()->isEnabled()) {
        marked += " [disabled]";
    }
    timeline.push_back(marked);
}

void DeleteCommandTest::OnDialog(CDialog& dialog) {
    if (dynamic_cast<CDeleteConfirmDlg*>(&dialog)) {
        Note("160");
        AnswerConfirmation(dialog);
        return;
    }
    const auto* notice = dynamic_cast<CNameNoticeDlg*>(&dialog);
    const std::string number = NoticeNumber(dialog);
    if (!notice || number.empty()) {
        ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
        dialog.EndDialog(IDCANCEL);
        return;
    }
    const auto* field = qobject_cast<QLabel*>(notice->GetDlgItem(kNameField));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), notice->m_strName);
    Note(number + " " + notice->m_strName.toStdString());
    ClickButton(dialog, "OK");
}

void DeleteCommandTest::AnswerConfirmation(CDialog& confirmation) {
    switch (m_answer) {
    case Answer::Yes:
        ClickButton(confirmation, "はい(&Y)");
        break;
    case Answer::No:
        ClickButton(confirmation, "いいえ(&N)");
        break;
    case Answer::Escape:
        QTest::keyClick(&confirmation, Qt::Key_Escape);
        if (confirmation.isVisible()) {
            ADD_FAILURE() << "Escape left the confirmation open";
            confirmation.EndDialog(IDCANCEL);
        }
        break;
    }
}

// A dialog that the click does not end is ended with IDCANCEL, so a broken button fails the
// case instead of hanging it.
void DeleteCommandTest::ClickButton(CDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) {
            QTest::mouseClick(button, Qt::LeftButton);
            break;
        }
    }
    if (dialog.isVisible()) {
        ADD_FAILURE() << "clicking \"" << text.toStdString() << "\" left the dialog open";
        dialog.EndDialog(IDCANCEL);
    }
}

bool DeleteCommandTest::Exists(const std::string& relative) const {
    struct stat st;
    return ::lstat(folder.Path(relative).c_str(), &st) == 0;
}

std::string DeleteCommandTest::ContentsAt(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void DeleteCommandTest::WriteAt(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

void DeleteCommandTest::MakeReadOnly(const std::string& relative) const {
    struct stat st;
    ASSERT_EQ(::stat(folder.Path(relative).c_str(), &st), 0);
    ASSERT_EQ(::chmod(folder.Path(relative).c_str(), st.st_mode & ~0222), 0);
}

} // namespace vorn_test
