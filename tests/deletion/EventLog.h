#pragma once

#include <string>
#include <vector>

#include "deletion/DeletionNotices.h"
#include "deletion/DeletionProgress.h"

namespace vorn_test {

using Events = std::vector<std::string>;

// Stands in for the dialogs: records each notice and each move of the progress bar, in order,
// as "162 name", "163 name", "164 name", "begin 30", "step" and "end".
class EventLog : public deletion::DeletionNotices, public deletion::DeletionProgress {
public:
    void FileDeleteError(const std::string& name) override { events.push_back("162 " + name); }
    void DeleteNotFound(const std::string& name) override { events.push_back("163 " + name); }
    void FolderDeleteError(const std::string& name) override { events.push_back("164 " + name); }
    void Begin(int upper) override { events.push_back("begin " + std::to_string(upper)); }
    void Step() override { events.push_back("step"); }
    void End() override { events.push_back("end"); }

    Events events;
};

} // namespace vorn_test
