#include <app/app_delegate.hpp>
#include <app/cassivo_app.hpp>
#include <app/command_line.hpp>
#include <app/updater_check.hpp>
#include <platform/clock.hpp>
#include <platform/qt_scheduler.hpp>
#include <player/feed_url.hpp>
#include <ui/content_view.hpp>

#include <QApplication>
#include <QMetaObject>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifndef CASSIVO_VERSION
#define CASSIVO_VERSION "0.0.0"
#endif

namespace app {
namespace {

// Qt's own options, which QApplication reads and removes; the ones in the
// first list take a value.
bool isQtOption(const char* argument, bool& takesValue) {
    static const char* const withValue[] = {"-platform", "-platformpluginpath", "-platformtheme",
                                            "-plugin",   "-qwindowgeometry",    "-qwindowicon",
                                            "-qwindowtitle", "-display",        "-geometry",
                                            "-style",    "-stylesheet",         "-session"};
    static const char* const flags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
    for (const char* option : withValue) {
        if (std::strcmp(argument, option) == 0) return takesValue = true;
        const std::size_t n = std::strlen(option);
        if (std::strncmp(argument, option, n) == 0 && argument[n] == '=') {
            takesValue = false;
            return true;
        }
    }
    takesValue = false;
    for (const char* option : flags) {
        if (std::strcmp(argument, option) == 0) return true;
    }
    return false;
}

std::vector<std::string> ownArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        bool takesValue = false;
        if (isQtOption(argv[i], takesValue)) {
            if (takesValue) ++i;
            continue;
        }
        arguments.emplace_back(argv[i]);
    }
    return arguments;
}

}  // namespace

int CassivoApp::run(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "cassivo";
    // The command line is read before the application object exists, so that
    // --help and --version work without a display.
    const CommandLine commandLine = parseCommandLine(ownArguments(argc, argv));
    if (!commandLine.options) {
        std::fprintf(stderr, "cassivo: %s\n\n%s", commandLine.error.c_str(), usage(program).c_str());
        return 2;
    }
    const Options& options = *commandLine.options;
    if (options.showHelp) {
        std::fputs(usage(program).c_str(), stdout);
        return 0;
    }
    if (options.showVersion) {
        std::printf("cassivo %s\n", CASSIVO_VERSION);
        return 0;
    }

    // The FFmpeg media backend crashed in our trials; GStreamer is the one we
    // support. It must be chosen before the application object exists.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("cassivo"));
    QApplication::setApplicationName(QStringLiteral("cassivo"));
    QApplication::setApplicationVersion(QStringLiteral(CASSIVO_VERSION));

    platform::QtScheduler scheduler(&application);
    platform::SystemClock clock;
    ResourceFontSource fonts;
    const std::string feedURL = options.feedURL.value_or(player::kFeedURL);

    LaunchServices services;
    services.fonts = &fonts;
    services.print = platform::standardOutput();
    services.scheduler = &scheduler;
    services.makeContent = [feedURL] { return std::make_unique<ui::ContentView>(feedURL); };
    services.makeUpdateCheck = [&clock] {
        return std::make_unique<UpdaterCheck>(
            updater::BasicUpdater::defaultServices(clock, QStringLiteral(CASSIVO_VERSION)));
    };
    AppDelegate delegate(std::move(services));

    QMetaObject::invokeMethod(
        &application, [&delegate] { delegate.applicationDidFinishLaunching(); }, Qt::QueuedConnection);
    return QApplication::exec();
}

}  // namespace app
