#include <app/app_delegate.hpp>
#include <platform/qt_scheduler.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <string>
#include <vector>

namespace {

using testing::ElementsAre;

struct FakeFonts final : app::FontSource {
    std::optional<QByteArray> bytes;
    std::optional<QByteArray> read(const QString&, const QString&) override { return bytes; }
};

QByteArray realFont() {
    QFile file(QStringLiteral(TEST_SOURCE_DIR "/../resources/fonts/PermanentMarker-Regular.ttf"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// Records what launch did, in order.
struct Journal {
    std::vector<std::string> lines;
    platform::LinePrinter printer() {
        return [this](std::string_view line) { lines.emplace_back(line); };
    }
};

struct RecordingCheck final : app::UpdateCheck {
    explicit RecordingCheck(std::vector<std::string>* log) : log(log) {}
    void checkForUpdates() override { log->push_back("update check started"); }
    std::vector<std::string>* log;
};

class LaunchTest : public testing::Test {
protected:
    std::unique_ptr<app::AppDelegate> launch() {
        app::LaunchServices services;
        services.fonts = &fonts;
        services.print = journal.printer();
        services.scheduler = &scheduler;
        services.makeContent = [] { return std::make_unique<QWidget>(); };
        services.makeUpdateCheck = [this] {
            journal.lines.push_back(delegateWindowShown() ? "window shown" : "window not shown");
            return std::make_unique<RecordingCheck>(&journal.lines);
        };
        auto delegate = std::make_unique<app::AppDelegate>(std::move(services));
        current = delegate.get();
        delegate->applicationDidFinishLaunching();
        return delegate;
    }
    bool delegateWindowShown() const { return current->window() && current->window()->isVisible(); }
    static void drainEvents() {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }

    FakeFonts fonts;
    Journal journal;
    platform::QtScheduler scheduler{qApp};
    app::AppDelegate* current = nullptr;
};

struct FontCase {
    const char* name;
    std::function<std::optional<QByteArray>()> bytes;
    std::string line;
};

class FontLaunchTest : public LaunchTest, public testing::WithParamInterface<FontCase> {};

TEST_P(FontLaunchTest, PrintsOneLineAndTheWindowStillOpens) {
    fonts.bytes = GetParam().bytes();
    auto delegate = launch();
    ASSERT_FALSE(journal.lines.empty());
    EXPECT_EQ(journal.lines.front(), GetParam().line);
    ASSERT_NE(delegate->window(), nullptr);
    EXPECT_TRUE(delegate->window()->isVisible());
    const bool registered = GetParam().line.rfind("Successfully", 0) == 0;
    // A registered font is usable by its family name.
    EXPECT_EQ(delegate->fontFamily().value_or(""), registered ? "Permanent Marker" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Font, FontLaunchTest,
    testing::Values(FontCase{"Present", realFont,
                             "Successfully registered font: PermanentMarker-Regular"},
                    FontCase{"Missing", [] { return std::nullopt; },
                             "Failed to load font: PermanentMarker-Regular"},
                    FontCase{"Empty", [] { return QByteArray(); },
                             "Failed to load font: PermanentMarker-Regular"},
                    FontCase{"NotAFont", [] { return QByteArray("<html>404 Not Found</html>"); },
                             "Failed to load font: PermanentMarker-Regular"},
                    FontCase{"TruncatedFont", [] { return realFont().left(900); },
                             "Failed to load font: PermanentMarker-Regular"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaunchTest, UpdateCheckStartsAfterTheWindowIsShownAndLaunchDoesNotWaitForIt) {
    fonts.bytes = realFont();
    auto delegate = launch();
    // Launch has returned; the check has not run yet: it is a task of its own.
    EXPECT_EQ(journal.lines.size(), 1u);
    drainEvents();
    EXPECT_THAT(journal.lines, ElementsAre("Successfully registered font: PermanentMarker-Regular",
                                           "window shown", "update check started"));
}

TEST_F(LaunchTest, WindowIsAFixedFramelessTranslucentCentredWindow) {
    fonts.bytes = realFont();
    auto delegate = launch();
    app::MainWindow* window = delegate->window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->size(), QSize(400, 258));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(window->content()->geometry(), QRect(0, 0, 400, 258));

    const QRect area = window->screen()->availableGeometry();
    EXPECT_LE(std::abs(window->geometry().center().x() - area.center().x()), 1);
    EXPECT_LE(std::abs(window->geometry().center().y() - area.center().y()), 1);

    // A resize request does not change it.
    window->resize(800, 600);
    EXPECT_EQ(window->size(), QSize(400, 258));

    // The controls sit in the top-left corner.
    EXPECT_LT(window->closeButton()->geometry().right(), 60);
    EXPECT_LT(window->minimizeButton()->geometry().bottom(), 40);
}

struct QuitCase {
    const char* name;
    std::function<void(app::MainWindow*)> act;
};

class QuitTest : public LaunchTest, public testing::WithParamInterface<QuitCase> {};

TEST_P(QuitTest, QuitsTheApplication) {
    fonts.bytes = realFont();
    auto delegate = launch();
    ASSERT_TRUE(QApplication::quitOnLastWindowClosed());
    bool quit = false;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [&] { quit = true; });
    app::MainWindow* window = delegate->window();
    const auto act = GetParam().act;
    QTimer::singleShot(0, window, [window, act] { act(window); });
    // exec() returns only when the application quits; a hang guard.
    QTimer::singleShot(30000, qApp, [] { QCoreApplication::exit(99); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(quit);
    EXPECT_FALSE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Launch, QuitTest,
    testing::Values(QuitCase{"CloseButton", [](app::MainWindow* w) { w->closeButton()->click(); }},
                    QuitCase{"ControlQ",
                             [](app::MainWindow* w) {
                                 // Shortcuts go to the active window; offscreen nothing activates
                                 // it.
                                 QApplication::setActiveWindow(w);
                                 QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier);
                             }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LaunchTest, MinimiseButtonMinimisesAndDraggingTheBackgroundMovesTheWindow) {
    fonts.bytes = realFont();
    auto delegate = launch();
    app::MainWindow* window = delegate->window();
    drainEvents();

    const QPoint before = window->pos();
    QTest::mousePress(window->content(), Qt::LeftButton, {}, QPoint(200, 200));
    QTest::mouseMove(window->content(), QPoint(230, 215));
    QTest::mouseRelease(window->content(), Qt::LeftButton, {}, QPoint(230, 215));
    EXPECT_EQ(window->pos(), before + QPoint(30, 15));

    window->minimizeButton()->click();
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);
}

}  // namespace
