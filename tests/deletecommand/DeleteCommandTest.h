#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "MainWindowStandIn.h"
#include "TimelineView.h"
#include "deletion/command/OnDeleteItems.h"
#include "document/CVornDoc.h"
#include "support/ModalAnswerer.h"
#include "support/TempTree.h"
#include "views/CVornListView.h"

class CDialog;

namespace vorn_test {

using Events = std::vector<std::string>;

// The contents list on a document, in a temporary folder made the working directory, under a
// main window. The test answers the confirmation; every notice is read and closed with its OK
// button. A canary file lies beside the chosen entries in every case; after each case it is
// intact and the working directory is where it was.
class DeleteCommandTest : public ::testing::Test {
protected:
    enum class Answer { Yes, No, Escape };
    static constexpr int kCanarySize = 321;

    DeleteCommandTest();
    ~DeleteCommandTest() override;
    void TearDown() override;

    // What the tree does when it makes the temporary folder current.
    void Fill();
    // Selects the rows of these names as the user does: a click, then control-clicks.
    void Select(const std::vector<std::string>& names);
    int RowNamed(const std::string& name) const;

    // Runs the delete command as the menu does, noting in `timeline` what the user sees and the
    // panes get, in order: "160", "162 <name field>" and so on for the dialogs, "bar ..." as the
    // progress dialog is hidden, "hint N" for the updates; " [bar]" marks an event while the
    // progress dialog was shown, " [disabled]" one while the main window was disabled.
    // `barValues` gets every value the bar took.
    void Delete(Answer answer);

    // Relative to the temporary folder; links are not followed.
    bool Exists(const std::string& relative) const;
    std::string Contents(const std::string& relative) const {
        return ContentsAt(folder.Path(relative));
    }
    static std::string ContentsAt(const std::string& path);
    static void WriteAt(const std::string& path, const std::string& bytes);
    // The owner's write bit off: what the program takes for read-only, whoever runs it.
    void MakeReadOnly(const std::string& relative) const;

    testsupport::TempTree folder;
    MainWindowStandIn app;
    CVornDoc document;
    CVornListView list{deletion::OnDeleteItems};
    TimelineView tree;
    Events timeline;
    std::vector<int> barValues;

private:
    void Note(const std::string& event);
    void OnDialog(CDialog& dialog);
    void AnswerConfirmation(CDialog& confirmation);
    static void ClickButton(CDialog& dialog, const QString& text);

    std::string m_startFolder;
    std::unique_ptr<testsupport::ModalAnswerer> m_answerer;
    Answer m_answer = Answer::No;
};

} // namespace vorn_test
