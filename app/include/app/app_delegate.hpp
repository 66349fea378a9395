#pragma once

#include <app/font_registration.hpp>
#include <app/main_window.hpp>
#include <app/update_check.hpp>
#include <platform/diagnostics.hpp>
#include <platform/lifetime.hpp>
#include <platform/scheduler.hpp>

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace app {

/// What launch needs from the rest of the program; tests pass fakes.
struct LaunchServices {
    FontSource* fonts = nullptr;
    platform::LinePrinter print;
    platform::Scheduler* scheduler = nullptr;
    /// Makes the window's content (the tape deck).
    std::function<std::unique_ptr<QWidget>()> makeContent;
    /// Makes the update check; may return nullptr when there is none.
    std::function<std::unique_ptr<UpdateCheck>()> makeUpdateCheck;
};

/// Runs the launch: font, window, content, update check — in that order.
class AppDelegate {
public:
    static inline const QString kFontName = QStringLiteral("PermanentMarker-Regular");

    explicit AppDelegate(LaunchServices services);
    ~AppDelegate();

    /// The launch sequence; runs once, on the main thread, when the event
    /// loop has started.
    void applicationDidFinishLaunching();
    /// Closing the one window ends the program.
    bool applicationShouldTerminateAfterLastWindowClosed() const { return true; }

    MainWindow* window() const noexcept { return window_.get(); }
    /// The family name the font registered under, if it did.
    const std::optional<QString>& fontFamily() const noexcept { return fontFamily_; }

private:
    LaunchServices services_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<UpdateCheck> updateCheck_;
    std::optional<QString> fontFamily_;
    platform::Lifetime lifetime_;
};

}  // namespace app
