// What the window adds to the deletion: the confirmation's answers, the rows taken by their
// place in the list and their exact names, the notice the user reads, the progress dialog's
// steps, and every pane refreshed afterwards. What the walk removes is the deletion tests' part.
#include <gtest/gtest.h>

#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "ProgressBarRecorder.h"
#include "deletion/command/OnDeleteItems.h"
#include "dialogs/CDeleteConfirmDlg.h"
#include "dialogs/CDeleteNotFoundDlg.h"
#include "dialogs/CFileDeleteErrorDlg.h"
#include "dialogs/CFolderDeleteErrorDlg.h"
#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "framework/CView.h"
#include "support/ModalAnswerer.h"
#include "support/PaintGate.h"
#include "support/StagedCalls.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"

namespace vorn_test {

namespace {

using Events = std::vector<std::string>;

// The pane standing for the tree: it sends the fill and notes every update it gets.
class TimelineView : public CView {
public:
    explicit TimelineView(Events& timeline) : m_timeline(timeline) {}
    void OnUpdate(CView*, long lHint, CObject*) override {
        m_timeline.push_back("hint " + std::to_string(lHint));
    }

private:
    Events& m_timeline;
};

// The contents list on a document, in a temporary folder made the working directory. The test
// answers the confirmation and reads and closes every notice.
class DeleteCommand : public ::testing::Test {
protected:
    // The confirmation's answers: its buttons, and Escape.
    static inline const QString kYes = "はい(&Y)";
    static inline const QString kNo = "いいえ(&N)";
    static inline const QString kEscape;

    DeleteCommand() : m_startFolder(testsupport::WorkingDirectory()) {
        std::filesystem::current_path(folder.Root());
        list.AttachDocument(&document);
        tree.AttachDocument(&document);
        list.OnInitialUpdate();
    }
    ~DeleteCommand() override {
        std::filesystem::current_path(m_startFolder);
        calls.beforeRemoval = nullptr;
    }

    // What the tree does when it makes the temporary folder current.
    void Fill() { document.UpdateAllViews(&tree, HINT_CURRENT_FOLDER_CHANGED); }
    // Selects the rows of these names and runs the delete command as the menu does. `timeline` gets
    // "160" for the confirmation, "162 <name field>" and so on for the notices, "hint N" for the
    // panes' updates.
    void Delete(const std::vector<std::string>& names, const QString& answer = kYes) {
        for (int row = 0; row < list.RowCount(); ++row) {
            if (std::find(names.begin(), names.end(), list.Row(row).name) != names.end()) {
                list.GetListCtrl()->selectionModel()->select(
                    list.GetListCtrl()->model()->index(row, 0),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
            }
        }
        m_answer = answer;
        timeline.clear();
        const testsupport::ModalAnswerer answerer([this](CDialog& dialog) { OnDialog(dialog); });
        ProgressBarRecorder bar;
        EXPECT_TRUE(list.OnCmdMsg(ID_DELETE_ITEMS));
        barValues = bar.values;
    }

    testsupport::TempTree folder;
    CVornDoc document;
    // What the delete command removes through, staged by a case.
    static inline testsupport::StagedCalls calls;
    CVornListView list{[](CVornListView& view) { deletion::DeleteSelectedRows(view, calls); }};
    Events timeline;
    TimelineView tree{timeline};
    std::vector<int> barValues;

private:
    // A dialog that the answer does not end is ended with IDCANCEL, so a broken button fails the
    // case instead of hanging it.
    void OnDialog(CDialog& dialog) {
        if (dynamic_cast<CDeleteConfirmDlg*>(&dialog)) {
            timeline.push_back("160");
            for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
                if (button->text() == m_answer) {
                    button->click();
                }
            }
            if (m_answer.isEmpty()) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
        } else {
            const char* number = dynamic_cast<CFileDeleteErrorDlg*>(&dialog)     ? "162 "
                                 : dynamic_cast<CDeleteNotFoundDlg*>(&dialog)    ? "163 "
                                 : dynamic_cast<CFolderDeleteErrorDlg*>(&dialog) ? "164 "
                                                                                 : "unexpected ";
            const auto* name = qobject_cast<QLabel*>(dialog.GetDlgItem(IDC_NAME));
            timeline.push_back(number + (name ? name->text() : dialog.windowTitle()).toStdString());
            dialog.EndDialog(IDOK);
        }
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the answer left the dialog open";
            dialog.EndDialog(IDCANCEL);
        }
    }

    std::string m_startFolder;
    QString m_answer;
};

TEST_F(DeleteCommand, NothingHappensWithoutASelectionOrAYes) {
    folder.File("a/inside", 30);
    folder.File("file", 20);
    Fill();
    Delete({});
    EXPECT_TRUE(timeline.empty());
    for (const QString& answer : {kNo, kEscape}) {
        Delete({"a", "file"}, answer);
        EXPECT_EQ(timeline, Events{"160"});
        EXPECT_TRUE(folder.Exists("a/inside") && folder.Exists("file"));
        EXPECT_EQ(list.SelectedRows().size(), 2u);
        EXPECT_EQ(document.GetSelectedTotal(), 50u);
    }
}

// Three rounds, each stopped by a failure of its own kind, told after the bar.
TEST_F(DeleteCommand, RowsAreTakenByTheirPlaceAndExactNameAndEachFailureHasItsNotice) {
    // The folder's name is not UTF-8; its display text names another folder.
    folder.File("dir\xff/inner", 50);
    folder.File("dir\\xFF/inner", 40);
    folder.File("a/.git/objects/ab/cdef", 1);
    folder.File("a/.gitignore", 1);
    folder.File("big", 400);
    folder.File("small", 30);
    folder.File("gone\xff", 20); // named by its display text
    Fill();
    ASSERT_EQ(list.Row(list.FolderCount()).name, "big"); // the first file row
    ASSERT_TRUE(std::filesystem::remove(folder.Path("big")));
    folder.File("big/keep", 6);
    Delete({"dir\xff", "big"});
    EXPECT_EQ(timeline, (Events{"160", "162 big", "hint 2", "hint 6"}));
    EXPECT_FALSE(folder.Exists("dir\xff"));
    EXPECT_TRUE(folder.Exists("dir\\xFF/inner") && folder.Exists("big/keep") &&
                folder.Exists("small"));

    Fill();
    ASSERT_TRUE(std::filesystem::remove(folder.Path("gone\xff")));
    Delete({"small", "gone\xff"});
    EXPECT_EQ(timeline, (Events{"160", "163 gone\\xFF", "hint 2", "hint 6"}));
    EXPECT_EQ(barValues, std::vector<int>{10});
    EXPECT_FALSE(folder.Exists("small"));

    // The windows keep painting while a removal takes long; the folder's dot entries go with
    // its other contents, and only the folder itself stays, as it cannot be removed.
    testsupport::PaintGate gate;
    calls.beforeRemoval = [&gate](int, const std::string& name) {
        if (name == ".gitignore") {
            gate.Hold();
        }
        return name == "a" ? EBUSY : 0;
    };
    Fill();
    Delete({"a"});
    EXPECT_EQ(timeline, (Events{"160", "164 a", "hint 2", "hint 6"}));
    EXPECT_TRUE(gate.PaintedWhileHeld());
    EXPECT_TRUE(folder.Exists("a") && !folder.Exists("a/.git") && !folder.Exists("a/.gitignore"));
}

} // namespace

} // namespace vorn_test
