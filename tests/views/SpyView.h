#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "document/FolderRequest.h"
#include "framework/CView.h"

// A pane that records every update it gets, to observe what the other panes broadcast.
class SpyView : public CView {
public:
    struct Update {
        CView* sender;
        long hint;
        bool hasObject;
        std::string requestedName; // the name an open-folder request carries
    };

    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override {
        const auto* request = dynamic_cast<const FolderRequest*>(pHint);
        updates.push_back({pSender, lHint, pHint != nullptr, request ? request->Name() : ""});
    }

    // The updates that came with a sender.
    std::vector<Update> WithSender() const {
        std::vector<Update> found;
        std::copy_if(updates.begin(), updates.end(), std::back_inserter(found),
                     [](const Update& update) { return update.sender; });
        return found;
    }

    std::vector<Update> updates;
};
