#pragma once

#include <app/update_check.hpp>
#include <updater/basic_updater.hpp>

namespace app {

/// Where releases are published.
inline constexpr const char* kUpdateBaseURL = "https://updates.cassivo.app/cassivo2";
inline constexpr int kUpdateBackOffDays = 5;

/// The launch's update check, done by BasicUpdater.
class UpdaterCheck final : public UpdateCheck {
public:
    explicit UpdaterCheck(updater::UpdaterServices services)
        : updater_(QString::fromLatin1(kUpdateBaseURL), kUpdateBackOffDays, std::move(services)) {}
    void checkForUpdates() override { updater_.checkForUpdates(); }

private:
    updater::BasicUpdater updater_;
};

}  // namespace app
