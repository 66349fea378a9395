#pragma once

namespace app {

/// The background update check that launch starts and never waits for.
class UpdateCheck {
public:
    virtual ~UpdateCheck() = default;
    /// Starts the check and returns at once; the check ends on its own.
    virtual void checkForUpdates() = 0;
};

}  // namespace app
