#include <app/app_delegate.hpp>

#include <QApplication>

namespace app {

AppDelegate::AppDelegate(LaunchServices services) : services_(std::move(services)) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching() {
    fontFamily_ = registerFont(kFontName, *services_.fonts, services_.print);

    window_ = std::make_unique<MainWindow>(services_.makeContent().release());
    window_->centerOnScreen();
    QApplication::setQuitOnLastWindowClosed(applicationShouldTerminateAfterLastWindowClosed());

    window_->show();
    window_->raise();
    window_->activateWindow();

    // The check runs as its own main-thread task so that launch, drawing and
    // playback never wait for the network.
    if (services_.makeUpdateCheck && services_.scheduler != nullptr) {
        services_.scheduler->post(platform::guarded(lifetime_.guard(), [this] {
            updateCheck_ = services_.makeUpdateCheck();
            if (updateCheck_) updateCheck_->checkForUpdates();
        }));
    }
}

}  // namespace app
