#pragma once

#include <utility>

#include "document/CVornDoc.h"
#include "document/Hints.h"
#include "resources/ResourceIds.h"

// A pane of the Vorn document that leaves folder navigation to the tree: it forwards the
// three navigation commands to every pane as update hints with no sender. Base is the kind of
// view the pane is (a plain view or a form).
template <typename Base> class CVornPaneView : public Base {
public:
    template <typename... Args>
    explicit CVornPaneView(Args&&... args) : Base(std::forward<Args>(args)...) {
        this->MapCommand(ID_FOLDER_UP, [this] { OnFolderUp(); });
        this->MapCommand(ID_REFRESH_CURRENT, [this] { OnRefreshCurrent(); });
        this->MapCommand(ID_REFRESH_DRIVES, [this] { OnRefreshDrives(); });
    }

    CVornDoc* GetDocument() const { return dynamic_cast<CVornDoc*>(Base::GetDocument()); }

protected:
    void OnFolderUp() { GetDocument()->UpdateAllViews(nullptr, HINT_FOLDER_UP); }
    void OnRefreshCurrent() { GetDocument()->UpdateAllViews(nullptr, HINT_REFRESH_CURRENT); }
    void OnRefreshDrives() { GetDocument()->UpdateAllViews(nullptr, HINT_REFRESH_DRIVES); }
};
