#include "TreeViewFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QTest>

#include <cstdint>
#include <filesystem>
#include <map>

#include "dialogs/CDriveUnavailableDlg.h"
#include "dialogs/CFolderNotFoundDlg.h"
#include "document/FolderRequest.h"
#include "document/Hints.h"
#include "platform/Crt.h"
#include "views/FolderTreeCtrl.h"
#include "views/FolderTreeItem.h"

namespace {

constexpr int kTreeWidth = 300;
constexpr int kTreeHeight = 400;

int DriveNumber(char letter) {
    return letter - 'A' + 1;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::size_t end = slash == std::string::npos ? path.size() : slash;
        parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

FolderTreeItem* ChildWithText(QTreeWidgetItem* parent, const std::string& text) {
    for (int index = 0; index < parent->childCount(); ++index) {
        if (parent->child(index)->text(0).toStdString() == text) {
            return static_cast<FolderTreeItem*>(parent->child(index));
        }
    }
    return nullptr;
}

} // namespace

TreeViewFixture::TreeViewFixture() : m_startDirectory(testsupport::WorkingDirectory()) {
    spy.AttachDocument(&document);
    tree.AttachDocument(&document);
    tree.resize(kTreeWidth, kTreeHeight);
    tree.show();
    m_answerer = std::make_unique<testsupport::ModalAnswerer>([this](CDialog& dialog) {
        if (auto* folderNotice = dynamic_cast<CFolderNotFoundDlg*>(&dialog)) {
            notices << QStringLiteral("CFolderNotFoundDlg(%1)").arg(folderNotice->m_strName);
        } else if (dynamic_cast<CDriveUnavailableDlg*>(&dialog)) {
            notices << QStringLiteral("CDriveUnavailableDlg");
        } else {
            notices << QString::fromLatin1(typeid(dialog).name());
        }
        notices.back() += SelectionHighlighted() ? "" : " (not highlighted)";
        dialog.EndDialog(IDOK);
    });
    spy.onUpdate = [this](const SpyView::Update& update) {
        if (update.sender == &tree && update.hint == HINT_CURRENT_FOLDER_CHANGED) {
            folderChanges.push_back(SelectedPath() +
                                    (InSelectedFolder() ? "" : " (not the working directory)") +
                                    (SelectionHighlighted() ? "" : " (not highlighted)"));
        }
    };
}

TreeViewFixture::~TreeViewFixture() {
    [[maybe_unused]] const int ignored = ::chdir(m_startDirectory.c_str());
}

void TreeViewFixture::UseDrives(const std::string& letters) {
    for (char letter : letters) {
        disk.Folder(std::string(1, letter));
        roots.roots[DriveNumber(letter)] = Root(letter);
    }
}

void TreeViewFixture::Remove(const std::string& relative) const {
    std::filesystem::remove_all(disk.Path(relative));
}

void TreeViewFixture::StartIn(const std::string& folder,
                              const std::optional<std::string>& startFolder) {
    ASSERT_EQ(::chdir(folder.c_str()), 0) << folder;
    if (startFolder) {
        tree.SetStartFolder(*startFolder);
    }
    tree.OnInitialUpdate();
}

FolderTreeItem* TreeViewFixture::Item(const std::string& path) const {
    QTreeWidgetItem* item = tree.GetTreeCtrl().invisibleRootItem();
    for (const std::string& text : SplitPath(path)) {
        item = ChildWithText(item, text);
        if (!item) {
            return nullptr;
        }
    }
    return static_cast<FolderTreeItem*>(item);
}

QStringList TreeViewFixture::Texts(const std::string& path) const {
    const QTreeWidgetItem* parent =
        path.empty() ? tree.GetTreeCtrl().invisibleRootItem() : Item(path);
    QStringList texts;
    for (int index = 0; parent && index < parent->childCount(); ++index) {
        texts << parent->child(index)->text(0);
    }
    return texts;
}

std::vector<long> TreeViewFixture::ItemData(const std::string& path) const {
    const FolderTreeItem* parent = Item(path);
    std::vector<long> data;
    for (int index = 0; parent && index < parent->childCount(); ++index) {
        data.push_back(parent->Child(index)->ItemData());
    }
    return data;
}

std::string TreeViewFixture::SelectedPath() const {
    std::string path;
    for (const QTreeWidgetItem* item = tree.GetTreeCtrl().GetSelectedItem(); item;
         item = item->parent()) {
        path = item->text(0).toStdString() + (path.empty() ? "" : "/") + path;
    }
    return path;
}

void TreeViewFixture::Click(const std::string& path) {
    FolderTreeItem* item = Item(path);
    ASSERT_NE(item, nullptr) << path;
    for (QTreeWidgetItem* ancestor = item->parent(); ancestor; ancestor = ancestor->parent()) {
        ancestor->setExpanded(true);
    }
    FolderTreeCtrl& control = tree.GetTreeCtrl();
    control.scrollToItem(item);
    QTest::mouseClick(control.viewport(), Qt::LeftButton, {},
                      control.visualItemRect(item).center());
}

void TreeViewFixture::Request(long ordinal, const std::string& name) {
    FolderRequest request(name);
    document.UpdateAllViews(&spy, ordinal, &request);
}

std::string TreeViewFixture::FolderOf(const FolderTreeItem* item) const {
    std::string folder;
    for (; item->Parent(); item = item->Parent()) {
        folder = "/" + item->NameBytes() + folder;
    }
    return Root(char('A' + item->ItemData() - 1)) + folder;
}

::testing::AssertionResult TreeViewFixture::InSelectedFolder() const {
    const FolderTreeItem* selected = tree.GetTreeCtrl().GetSelectedItem();
    if (!selected) {
        return ::testing::AssertionFailure() << "nothing is selected";
    }
    const std::string expected = FolderOf(selected);
    const std::string actual = testsupport::WorkingDirectory();
    if (actual != expected) {
        return ::testing::AssertionFailure()
               << "the working directory is " << actual << ", the selection's folder " << expected;
    }
    return ::testing::AssertionSuccess();
}

bool TreeViewFixture::SelectionHighlighted() const {
    const FolderTreeCtrl& control = tree.GetTreeCtrl();
    QList<QTreeWidgetItem*> current;
    if (control.currentItem()) {
        current << control.currentItem();
    }
    return control.selectedItems() == current;
}

std::vector<std::string> EnumerationOrder(const std::string& folder) {
    const std::string before = testsupport::WorkingDirectory();
    std::vector<std::string> names;
    if (::chdir(folder.c_str()) != 0) {
        return names;
    }
    platform::FindData entry;
    const std::intptr_t search = platform::_findfirst(entry);
    if (search != -1) {
        do {
            names.push_back(entry.name);
        } while (platform::_findnext(search, entry) == 0);
        platform::_findclose(search);
    }
    [[maybe_unused]] const int ignored = ::chdir(before.c_str());
    return names;
}

std::string MakeFoldersListedAgainstDisplayOrder(const std::string& parent) {
    const std::string alpha = parent + "/alpha";
    // The order is the file system's own: by name hash on some, by creation on others.
    for (const char* capital : {"Zeta", "Zulu", "Yankee", "Xray", "Whiskey", "Victor", "Uniform",
                                "Tango", "Sierra", "Romeo", "Quebec", "Papa"}) {
        const std::string other = parent + "/" + capital;
        for (bool capitalFirst : {true, false}) {
            for (const std::string& folder :
                 capitalFirst ? std::vector{other, alpha} : std::vector{alpha, other}) {
                ::mkdir(folder.c_str(), 0755);
            }
            std::vector<std::string> order = EnumerationOrder(parent);
            std::erase_if(order, [](const std::string& name) { return name.starts_with('.'); });
            if (order == std::vector<std::string>{capital, "alpha"}) {
                return capital;
            }
            ::rmdir(other.c_str());
            ::rmdir(alpha.c_str());
        }
    }
    return "";
}
