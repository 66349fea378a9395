#include <app/app_delegate.hpp>
#include <app/cassivo_app.hpp>
#include <app/command_line.hpp>
#include <app/mpris_service.hpp>
#include <app/updater_check.hpp>
#include <platform/clock.hpp>
#include <platform/qt_scheduler.hpp>
#include <player/feed_source.hpp>
#include <player/feed_url.hpp>
#include <player/qt_audio_player.hpp>
#include <ui/content_view.hpp>

#include <QApplication>
#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QIcon>
#include <QMetaObject>
#include <QStandardPaths>

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
    static const char* const withValue[] = {"-platform",        "-platformpluginpath",
                                            "-platformtheme",   "-plugin",
                                            "-qwindowgeometry", "-qwindowicon",
                                            "-qwindowtitle",    "-display",
                                            "-geometry",        "-style",
                                            "-stylesheet",      "-session"};
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

// The icon as compiled in, so the window shows it even when the program runs
// from the build tree rather than from an installed menu entry.
QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(
            QStringLiteral(":/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kApplicationID),
            QSize(size, size));
    }
    return icon;
}

// The window as it looks in one of a few fixed states, for screenshots.
int writeSnapshot(const Options& options) {
    ResourceFontSource fonts;
    registerFont(AppDelegate::kFontName, fonts, [](std::string_view) {});
    ui::DeckState state{QStringLiteral("is Loading ..."), QStringLiteral("00:00"), false, 0.0};
    std::optional<QString> alert;
    if (options.snapshotState == "playing") {
        state = {QStringLiteral("42"), QStringLiteral("17:25"), false, -200.0};
    } else if (options.snapshotState == "waiting") {
        state = {QStringLiteral("Next in 602 secs..."), QStringLiteral("50:00"), true, 0.0};
    } else if (options.snapshotState == "error") {
        alert = QStringLiteral("Internal unresolved error: HTTP 404 Not Found from f.prxu.org");
    }
    const QImage image = ui::renderDeck(state, ui::Artwork::fromResources(), 2.0, alert);
    const QString path = QString::fromStdString(*options.snapshotPath);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cassivo: could not write %s\n", options.snapshotPath->c_str());
        return 1;
    }
    return 0;
}

// The MPRIS bus name doubles as the one-instance lock of the session.
enum class SessionClaim { claimed, alreadyRunning, noBus };

SessionClaim claimSession(QDBusConnection bus, const platform::LinePrinter& print) {
    if (!bus.isConnected()) {
        print("MPRIS is off: there is no session bus");
        return SessionClaim::noBus;
    }
    const QString name = QString::fromLatin1(kMprisBusName);
    if (bus.registerService(name)) return SessionClaim::claimed;
    if (bus.interface() != nullptr && bus.interface()->isServiceRegistered(name)) {
        return SessionClaim::alreadyRunning;
    }
    print("MPRIS is off: " + bus.lastError().message().toStdString());
    return SessionClaim::noBus;
}

}  // namespace

int CassivoApp::run(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "cassivo";
    // The command line is read before the application object exists, so that
    // --help and --version work without a display.
    const CommandLine commandLine = parseCommandLine(ownArguments(argc, argv));
    if (!commandLine.options) {
        std::fprintf(stderr, "cassivo: %s\n\n%s", commandLine.error.c_str(),
                     usage(program).c_str());
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
    // A snapshot needs no screen.
    if (options.snapshotPath && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("cassivo"));
    // The application's name is its desktop id: X11 takes the window's class
    // from it, so the desktop groups the window with its menu entry. The
    // preferences keep their own fixed place.
    QApplication::setApplicationName(QString::fromLatin1(kApplicationID));
    QApplication::setApplicationDisplayName(QStringLiteral("Cassivo"));
    QApplication::setApplicationVersion(QStringLiteral(CASSIVO_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationID));
    QApplication::setWindowIcon(applicationIcon());

    if (options.snapshotPath) return writeSnapshot(options);

    const platform::LinePrinter print = platform::standardOutput();
    QDBusConnection bus = QDBusConnection::sessionBus();
    const SessionClaim claim = claimSession(bus, print);
    if (claim == SessionClaim::alreadyRunning) {
        // One radio per session: the one that plays comes to the front.
        if (options.feedURL) print("--feed is ignored: Cassivo is already running");
        bus.call(QDBusMessage::createMethodCall(
                     QString::fromLatin1(kMprisBusName), QString::fromLatin1(kMprisObjectPath),
                     QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Raise")),
                 QDBus::Block, 5000);
        print("Cassivo is already running: its window is raised");
        return 0;
    }

    platform::QtScheduler scheduler(&application);
    platform::SystemClock clock;
    ResourceFontSource fonts;
    // The last good copy of each feed is kept, so that a launch without a
    // network still plays.
    const std::string feedURL = options.feedURL.value_or(player::kFeedURL);
    const QString feedCache =
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
        QStringLiteral("/feeds/") +
        QCryptographicHash::hash(QByteArray::fromStdString(feedURL), QCryptographicHash::Sha1)
            .toHex()
            .left(16);
    player::SyndraFeedSource feed(feedURL, scheduler, feedCache.toStdString());
    player::QtAudioPlayerFactory players;
    player::PlayerServices playerServices;
    playerServices.scheduler = &scheduler;
    playerServices.clock = &clock;
    playerServices.feedSource = &feed;
    playerServices.players = &players;
    playerServices.print = platform::standardOutput();

    LaunchServices services;
    services.fonts = &fonts;
    services.print = platform::standardOutput();
    services.scheduler = &scheduler;
    ui::ContentView* deck = nullptr;
    services.makeContent = [&playerServices, &deck] {
        auto view = std::make_unique<ui::ContentView>(playerServices);
        deck = view.get();
        return view;
    };
    services.makeUpdateCheck = [&clock] {
        return std::make_unique<UpdaterCheck>(
            updater::BasicUpdater::defaultServices(clock, QStringLiteral(CASSIVO_VERSION)));
    };
    AppDelegate delegate(std::move(services));

    std::unique_ptr<MprisService> mpris;
    QMetaObject::invokeMethod(
        &application,
        [&] {
            delegate.applicationDidFinishLaunching();
            if (claim != SessionClaim::claimed || deck == nullptr) return;
            MprisService::WindowControls controls;
            controls.raise = [&delegate] {
                QWidget* window = delegate.window();
                window->showNormal();
                window->raise();
                window->activateWindow();
            };
            controls.quit = [&delegate] { delegate.window()->close(); };
            mpris = std::make_unique<MprisService>(deck->model(), std::move(controls));
            if (!mpris->registerOn(bus))
                print("MPRIS is off: the player object could not be served");
        },
        Qt::QueuedConnection);
    return QApplication::exec();
}

}  // namespace app
