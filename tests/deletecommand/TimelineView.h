#pragma once

#include <functional>
#include <string>

#include "framework/CView.h"

// The pane standing for the tree: it sends the fill and notes every update it gets as
// "hint N", with what else came along.
class TimelineView : public CView {
public:
    explicit TimelineView(std::function<void(const std::string&)> note) : m_note(std::move(note)) {}

    void OnUpdate(CView* pSender, long lHint, CObject* pHint) override {
        std::string event = "hint " + std::to_string(lHint);
        if (pSender) {
            event += " from a view";
        }
        if (pHint) {
            event += " with an object";
        }
        m_note(event);
    }

private:
    std::function<void(const std::string&)> m_note;
};
