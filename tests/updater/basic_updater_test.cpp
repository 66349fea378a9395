#include <updater/basic_updater.hpp>

#include "support/loopback_http_server.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using updater::BasicUpdater;
using updater::PromptAnswer;

constexpr char kLocalVersion[] = "1.4.0";
const std::string kSameVersion =
    R"({"product":"cassivo","version":"1.4.0","file":"Cassivo-1.4.0.tar.gz"})";
const std::string kNewVersion =
    R"({"product":"cassivo","version":"1.5.0","file":"Cassivo-1.5.0.tar.gz","notes":"x"})";

struct FixedClock final : platform::Clock {
    double seconds = 1.8e9;
    double now() const override { return seconds; }
};

// Records what QDesktopServices would open.
class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened.push_back(url); }

public:
    std::vector<QUrl> opened;
};

class BasicUpdaterTest : public testing::Test {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    }
    void TearDown() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    std::unique_ptr<QSettings> settings() const {
        return std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings.ini")),
                                           QSettings::IniFormat);
    }
    QDateTime now() const { return QDateTime::fromMSecsSinceEpoch(qint64(clock.seconds * 1000)); }
    QVariant stored() const { return settings()->value(BasicUpdater::kLastCheckKey); }

    // Runs one check against the loopback server and waits for it to end.
    void check(const QString& baseUrl) {
        auto services = BasicUpdater::defaultServices(clock, QString::fromLatin1(kLocalVersion));
        services.print = [this](std::string_view line) { lines.emplace_back(line); };
        services.openSettings = [this] { return settings(); };
        services.prompt = [this](const QString& version) {
            prompted.push_back(version);
            return answer;
        };
        services.timeout = std::chrono::milliseconds(400);
        BasicUpdater updater(baseUrl, 5, std::move(services));
        QSignalSpy finished(&updater, &BasicUpdater::finished);
        updater.checkForUpdates();
        EXPECT_TRUE(finished.wait(30000)) << "the check never finished";
    }
    QString base() const { return QString::fromStdString(server.url("/cassivo2")); }

    QTemporaryDir dir;
    FixedClock clock;
    testsupport::LoopbackHttpServer server;
    UrlCatcher catcher;
    std::vector<std::string> lines;
    std::vector<QString> prompted;
    PromptAnswer answer = PromptAnswer::cancel;
};

TEST_F(BasicUpdaterTest, FirstLaunchFetchesTheDocument) {
    server.respond({.body = kSameVersion});
    check(base());
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /cassivo2/updater.json HTTP/1.1\r\n", 0), 0u);
    EXPECT_THAT(lines,
                ElementsAre("BasicUpdater: checking for update at " + base().toStdString() + "...",
                            "BasicUpdater: application 1.4.0 already up to date."));
    EXPECT_EQ(stored().toDateTime(), now());
    EXPECT_THAT(prompted, IsEmpty());
}

struct BackOffCase {
    const char* name;
    std::function<QVariant(QDateTime now)> stored;
    bool fetches;
};

class BackOffTest : public BasicUpdaterTest, public testing::WithParamInterface<BackOffCase> {};

TEST_P(BackOffTest, DecidesWhetherToFetch) {
    settings()->setValue(BasicUpdater::kLastCheckKey, GetParam().stored(now()));
    server.respond({.body = kSameVersion});
    check(base());
    EXPECT_EQ(server.requests().size(), GetParam().fetches ? 1u : 0u);
    if (!GetParam().fetches) {
        EXPECT_THAT(lines, ElementsAre("BasicUpdater: backed off, less than 5 days."));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Updater, BackOffTest,
    testing::Values(
        BackOffCase{"OneHourOld", [](QDateTime now) { return now.addSecs(-3600); }, false},
        BackOffCase{"FourDaysOld", [](QDateTime now) { return now.addDays(-4); }, false},
        BackOffCase{"ExactlyFiveDaysOld", [](QDateTime now) { return now.addDays(-5); }, false},
        BackOffCase{"FiveDaysAndASecondOld",
                    [](QDateTime now) { return now.addDays(-5).addSecs(-1); }, true},
        BackOffCase{"SixDaysOld", [](QDateTime now) { return now.addDays(-6); }, true},
        BackOffCase{"InTheFuture", [](QDateTime now) { return now.addDays(30); }, false},
        BackOffCase{"NotADate", [](QDateTime) { return QVariant(QStringLiteral("yesterday")); },
                    true},
        BackOffCase{"ANumber", [](QDateTime) { return QVariant(42); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A different version, older ones too, is offered; the time of the check is
// stored whatever the answer, and only a download opens anything.
TEST_F(BasicUpdaterTest, DifferentVersionIsOfferedAndOnlyADownloadOpensIt) {
    for (const auto& [version, choice] :
         {std::pair{"1.5.0", PromptAnswer::cancel}, std::pair{"1.3.9", PromptAnswer::download}}) {
        server.respond({.body = R"({"product":"cassivo","version":")" + std::string(version) +
                                R"(","file":"Cassivo-1.5.0.tar.gz"})"});
        answer = choice;
        prompted.clear();
        settings()->remove(BasicUpdater::kLastCheckKey);
        check(base());
        EXPECT_THAT(prompted, ElementsAre(QString::fromUtf8(version)));
        EXPECT_EQ(stored().toDateTime(), now());
    }
    ASSERT_EQ(catcher.opened.size(), 1u);
    EXPECT_EQ(catcher.opened[0], QUrl(base() + QStringLiteral("/Cassivo-1.5.0.tar.gz")));
}

TEST_F(BasicUpdaterTest, ServerErrorWithAReleaseDocumentStillCounts) {
    // The status is not judged, only the body.
    server.respond({.status = 503, .reason = "Service Unavailable", .body = kSameVersion});
    check(base());
    EXPECT_THAT(lines.back(),
                testing::StrEq("BasicUpdater: application 1.4.0 already up to date."));
    EXPECT_EQ(stored().toDateTime(), now());
}

class HostileFileTest : public BasicUpdaterTest, public testing::WithParamInterface<const char*> {};

// Whatever the document names, what opens lives on the update server.
TEST_P(HostileFileTest, OpensNothingOffTheUpdateServer) {
    server.respond({.body = std::string(R"({"product":"cassivo","version":"9","file":")") +
                            GetParam() + "\"}"});
    answer = PromptAnswer::download;
    check(base());
    for (const QUrl& url : catcher.opened) {
        EXPECT_EQ(url.host(), QStringLiteral("127.0.0.1")) << url.toString().toStdString();
        EXPECT_EQ(url.port(), server.port());
        EXPECT_TRUE(url.userInfo().isEmpty());
    }
    EXPECT_EQ(stored().toDateTime(), now());
}

INSTANTIATE_TEST_SUITE_P(Updater, HostileFileTest,
                         testing::Values("@evil.example/x", "//evil.example/x", "../../../x",
                                         "x@evil.example:443/", "https://evil.example/x",
                                         "\\\\\\\\evil.example\\\\x", "x#@evil.example",
                                         "%2F%2Fevil.example"));

TEST_F(BasicUpdaterTest, DownloadAddressThatIsNotAUrlOpensNothingButStillStores) {
    server.respond({.body = R"({"product":"cassivo","version":"2.0","file":"bad%zzname"})"});
    answer = PromptAnswer::download;
    check(base());
    EXPECT_THAT(catcher.opened, IsEmpty());
    EXPECT_THAT(lines.back(), HasSubstr("BasicUpdater: not opening the download"));
    EXPECT_EQ(stored().toDateTime(), now());
}

struct FailureCase {
    const char* name;
    testsupport::HttpResponse response;
    const char* message;
};

class FailureTest : public BasicUpdaterTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, PrintsTheErrorAndStoresNothing) {
    server.respond(GetParam().response);
    check(base());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[1], HasSubstr(GetParam().message)) << lines[1];
    EXPECT_FALSE(stored().isValid());
    EXPECT_THAT(prompted, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Updater, FailureTest,
    testing::Values(
        FailureCase{
            "MissingFile", {.body = R"({"product":"cassivo","version":"2.0"})"}, "\"file\""},
        FailureCase{"NumericVersion",
                    {.body = R"({"product":"cassivo","version":2,"file":"f"})"},
                    "\"version\""},
        FailureCase{"NotJson", {.body = "<html>maintenance</html>"}, "not valid JSON"},
        FailureCase{"ErrorPage",
                    {.status = 404,
                     .reason = "Not Found",
                     .contentType = "text/html",
                     .body = "<h1>Not Found</h1>"},
                    "not valid JSON"},
        FailureCase{
            "Timeout", {.silent = true}, "Timed out after 0.4 s waiting for http://127.0.0.1"},
        // Every byte of the body restarts Qt's transfer timeout; the check
        // must still end.
        FailureCase{
            "DrippingAnswer", {.body = kNewVersion, .dripMs = 100}, "Timed out after 0.4 s"},
        FailureCase{"TooLarge", {.body = std::string(2 << 20, ' ')}, "larger than"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BasicUpdaterTest, RefusedConnectionPrintsTheErrorAndStoresNothing) {
    QString deadBase;
    {
        testsupport::LoopbackHttpServer gone;
        deadBase = QString::fromStdString(gone.url("/cassivo2"));
    }
    check(deadBase);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[1], HasSubstr("refused"));
    EXPECT_FALSE(stored().isValid());
}

TEST_F(BasicUpdaterTest, CheckingDoesNotBlockTheCaller) {
    // The server never answers: a check that blocked would return only after
    // its timeout, with its outcome printed.
    server.respond({.silent = true});
    std::vector<std::string> printed;
    auto services = BasicUpdater::defaultServices(clock, QStringLiteral("1"));
    services.print = [&printed](std::string_view line) { printed.emplace_back(line); };
    services.openSettings = [this] { return settings(); };
    BasicUpdater updater(base(), 5, std::move(services));
    updater.checkForUpdates();
    EXPECT_THAT(printed, IsEmpty());
}

}  // namespace

#include "basic_updater_test.moc"
