#pragma once

namespace deletion {

// The progress bar shown while selected rows are deleted; the window code's progress dialog.
class DeletionProgress {
public:
    virtual ~DeletionProgress() = default;

    // Shows the bar with the range 0 to `upper`.
    virtual void Begin(int upper) = 0;
    // Advances the bar by one step after each row deleted.
    virtual void Step() = 0;
    // Lets the windows repaint and answer while one row's deletion is under way.
    virtual void Pump() = 0;
    // Hides the bar: at the end, or on a failure before the notice about it.
    virtual void End() = 0;
};

} // namespace deletion
