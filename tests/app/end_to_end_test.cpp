// The whole program against a feed served from loopback: it reads the feed,
// picks the episode on air and plays it (silently when there is no sound card).
#include "support/loopback_http_server.hpp"

#include <player/broadcast_schedule.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/spin.hpp"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <cmath>
#include <optional>
#include <tuple>

namespace {

using testsupport::spinUntil;

using testing::Contains;
using testing::HasSubstr;
using testing::Not;

QByteArray feedWithEpisodes(const QStringList& urls) {
    QByteArray items;
    for (int i = 0; i < urls.size(); ++i) {
        items += "<item><title>Tone &amp; Noise #" + QByteArray::number(i) +
                 "</title>"
                 "<link>" +
                 urls[i].toUtf8() +
                 "</link>"
                 "<media:content url=\"" +
                 urls[i].toUtf8() + "\" type=\"audio/mpeg\"/></item>";
    }
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0" xmlns:media="http://search.yahoo.com/mrss/"><channel><title>Loop</title>)" +
           items + "</channel></rss>";
}

// The app's environment; without `bus` it has no session bus, as on a bare
// machine, whatever the test itself runs on.
QProcessEnvironment appEnvironment(const QTemporaryDir& dir, bool bus = false) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    if (!bus) env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    return env;
}

struct CommandCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* standardOutput;  // exact, or nullptr for empty
    const char* standardError;   // a part of it, or nullptr for empty
};

class CommandLineProcessTest : public testing::TestWithParam<CommandCase> {};

// What a shell sees: these return before any window or network exists.
TEST_P(CommandLineProcessTest, ExitsWithTheRightCodeAndText) {
    const CommandCase& c = GetParam();
    QTemporaryDir dir;
    QProcess app;
    app.setProcessEnvironment(appEnvironment(dir));
    app.start(QStringLiteral(TEST_BINARY_DIR "/app/cassivo"), c.arguments);
    ASSERT_TRUE(app.waitForFinished(30000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), c.exitCode);
    const std::string out = app.readAllStandardOutput().toStdString();
    const std::string err = app.readAllStandardError().toStdString();
    if (c.standardOutput) {
        EXPECT_THAT(out, HasSubstr(c.standardOutput));
    } else {
        EXPECT_EQ(out, "");
    }
    if (c.standardError) {
        EXPECT_THAT(err, HasSubstr(c.standardError));
        EXPECT_THAT(err, HasSubstr("Usage: ")) << "a wrong command line shows how to use it";
    }
}

INSTANTIATE_TEST_SUITE_P(
    EndToEnd, CommandLineProcessTest,
    testing::Values(
        CommandCase{"Version", {"--version"}, 0, "cassivo " CASSIVO_VERSION "\n", nullptr},
        CommandCase{"Help", {"--help"}, 0, "--feed URL", nullptr},
        CommandCase{"UnknownOption", {"--bogus"}, 2, nullptr, "--bogus"},
        CommandCase{"FeedWithoutURL", {"--feed"}, 2, nullptr, "--feed"},
        CommandCase{
            "FeedOfAnotherScheme", {"--feed", "ftp://example.org/f.xml"}, 2, nullptr, "ftp"}),
    [](const auto& info) { return std::string(info.param.name); });

// Where the process stands in `file`: the read offset of its open descriptor.
std::optional<qint64> readOffsetOf(qint64 pid, const QString& file) {
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString& fd : fds.entryList(QDir::Files | QDir::System)) {
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() != file) continue;
        QFile info(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
        if (!info.open(QIODevice::ReadOnly)) continue;
        for (const QByteArray& line : info.readAll().split('\n')) {
            if (line.startsWith("pos:")) return line.mid(4).trimmed().toLongLong();
        }
    }
    return std::nullopt;
}

class SnapshotTest : public testing::TestWithParam<const char*> {};

TEST_P(SnapshotTest, WritesTheWindowAtTwiceItsSize) {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("deck.png"));
    QProcess app;
    QProcessEnvironment env = appEnvironment(dir);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));  // a snapshot needs no screen of its own
    app.setProcessEnvironment(env);
    app.start(QStringLiteral(TEST_BINARY_DIR "/app/cassivo"),
              {"--snapshot", png, "--state", GetParam()});
    ASSERT_TRUE(app.waitForFinished(30000));
    EXPECT_EQ(app.exitCode(), 0) << app.readAllStandardError().toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(800, 515));
    // The rounded corners stay see-through.
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, SnapshotTest,
                         testing::Values("initial", "playing", "waiting", "error"));

// The real program playing a feed served from loopback. An hour and a bit of
// untagged tone at a constant 4000 bytes a second, so that any second of a
// slot is inside it and the read offset tells where the app plays. Untagged:
// the label comes from the feed, which prints the URL. Three episodes are
// links to the one file.
class LoopbackBroadcast : public testing::Test {
protected:
    static constexpr double kBytesPerSecond = 4000.0;

    void SetUp() override {
        tone = QFileInfo(dir.filePath(QStringLiteral("tone.mp3"))).absoluteFilePath();
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i",
                      "sine=frequency=330:duration=3700:sample_rate=8000", "-ac", "1", "-codec:a",
                      "libmp3lame", "-b:a", "32k", tone});
        ASSERT_TRUE(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
        for (int i = 0; i < 3; ++i) {
            const QString path = dir.filePath(QStringLiteral("tone%1.mp3").arg(i));
            ASSERT_TRUE(QFile::link(tone, path));
            urls << QUrl::fromLocalFile(path).toString();
        }
        server.route("/feed.xml", {.contentType = "application/rss+xml",
                                   .body = feedWithEpisodes(urls).toStdString()});
        // A check made a moment ago keeps the update checker off the real update
        // host; its back-off line still shows that every launch starts a check.
        QSettings(dir.filePath(QStringLiteral("config/cassivo/cassivo.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("lastUpdateCheck"), QDateTime::currentDateTime());
    }
    void launch(QProcess& process, bool bus) {
        process.setProcessEnvironment(appEnvironment(dir, bus));
        process.start(QStringLiteral(TEST_BINARY_DIR "/app/cassivo"),
                      {"--feed", QString::fromStdString(server.url("/feed.xml"))});
        ASSERT_TRUE(process.waitForStarted(30000));
    }
    // The second of the slot on air now.
    static double intoSlot() {
        return std::fmod(
            double(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - double(player::kScheduleEpoch),
            3600.0);
    }
    // Where the app reads the tone, in seconds of it, if it has it open.
    std::optional<double> secondRead() const {
        const auto offset = readOffsetOf(app.processId(), tone);
        return offset ? std::optional<double>(double(*offset) / kBytesPerSecond) : std::nullopt;
    }

    QTemporaryDir dir;
    QString tone;
    QStringList urls;
    testsupport::LoopbackHttpServer server;
    QProcess app;
};

TEST_F(LoopbackBroadcast, PlaysTheEpisodeOnAirWithoutASessionBus) {
    // The second of the slot at launch, which the app starts the episode from.
    const double startSecond = intoSlot();
    launch(app, false);

    QByteArray output;
    // The label lookup prints the episode URL again once the stream is loaded.
    spinUntil([&] {
        output += app.readAllStandardOutput();
        return output.count("file://") >= 2;
    });
    // Let it play a moment, then see where it reads and that nothing failed.
    testsupport::runLoopFor(std::chrono::milliseconds(1500));
    output += app.readAllStandardOutput();
    const std::optional<double> second = secondRead();
    app.kill();
    app.waitForFinished(30000);

    QStringList lines;
    for (const QByteArray& line : output.split('\n')) lines << QString::fromUtf8(line);
    EXPECT_THAT(lines,
                Contains(QStringLiteral("Successfully registered font: PermanentMarker-Regular")));
    EXPECT_THAT(lines, Contains(QStringLiteral("Days of podcast: 0")));
    EXPECT_THAT(lines, Contains(QStringLiteral("BasicUpdater: backed off, less than 5 days.")));
    EXPECT_THAT(lines, Contains(QStringLiteral("MPRIS is off: there is no session bus")));
    // Three slots in URL order; the clock picks one of them.
    const auto played = std::find_if(lines.begin(), lines.end(),
                                     [&](const QString& l) { return urls.contains(l); });
    ASSERT_NE(played, lines.end()) << output.toStdString();
    EXPECT_GE(lines.count(*played), 2) << "the stream never loaded:\n" << output.toStdString();
    EXPECT_THAT(output.toStdString(), Not(HasSubstr("Playback failed")));
    EXPECT_THAT(output.toStdString(), Not(HasSubstr("Next in")));
    // The stream is read from that second on (give or take the seconds played
    // since and the player's read-ahead of 64 KiB, 16 s here).
    ASSERT_TRUE(second.has_value()) << "the episode's file is not open";
    EXPECT_GE(*second, startSecond - 10.0);
    EXPECT_LE(*second, startSecond + 60.0);
    EXPECT_THAT(output.toStdString(), Not(HasSubstr("Failed to load metadata")));
}

// ---- the desktop's media controls (run on a private bus: dbus-run-session) ----

// Counts the PlaybackStatus values the player announces.
class StatusWatch : public QObject {
    Q_OBJECT
public slots:
    void changed(const QString&, const QVariantMap& changes, const QStringList&) {
        if (changes.contains(QStringLiteral("PlaybackStatus")))
            announced << changes.value(QStringLiteral("PlaybackStatus")).toString();
    }

public:
    QStringList announced;
};

TEST_F(LoopbackBroadcast, DesktopMediaControlsSeeAndSteerTheBroadcast) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) GTEST_SKIP() << "no session bus";
    const QString name = QStringLiteral("org.mpris.MediaPlayer2.cassivo");
    const QString path = QStringLiteral("/org/mpris/MediaPlayer2");
    const QString root = QStringLiteral("org.mpris.MediaPlayer2");
    const QString player = QStringLiteral("org.mpris.MediaPlayer2.Player");
    const auto get = [&](const QString& interface, const char* property) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            name, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        call << interface << QString::fromLatin1(property);
        const QList<QVariant> reply = bus.call(call, QDBus::Block, 5000).arguments();
        return reply.isEmpty() ? QVariant() : reply.first().value<QDBusVariant>().variant();
    };
    const auto call = [&](const QString& interface, const char* method) {
        bus.call(QDBusMessage::createMethodCall(name, path, interface, QString::fromLatin1(method)),
                 QDBus::Block, 5000);
    };
    StatusWatch watch;
    bus.connect(name, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                QStringLiteral("PropertiesChanged"), &watch,
                SLOT(changed(QString, QVariantMap, QStringList)));
    const auto status = [&] { return get(player, "PlaybackStatus").toString(); };

    launch(app, true);
    ASSERT_TRUE(spinUntil([&] { return status() == "Playing"; }))
        << app.readAllStandardOutput().toStdString();
    const std::tuple<const QString*, const char*, QVariant> expected[] = {
        {&root, "Identity", "Cassivo"}, {&root, "DesktopEntry", "app.cassivo.Cassivo"},
        {&root, "CanQuit", true},       {&root, "CanRaise", true},
        {&root, "HasTrackList", false}, {&player, "CanPlay", true},
        {&player, "CanPause", true},    {&player, "CanSeek", false},
        {&player, "CanGoNext", false},  {&player, "CanGoPrevious", false},
        {&player, "CanControl", true},
    };
    for (const auto& [interface, property, value] : expected)
        EXPECT_EQ(get(*interface, property), value) << property;
    const QVariantMap metadata = qdbus_cast<QVariantMap>(get(player, "Metadata"));
    const qsizetype onAir = urls.indexOf(metadata.value("xesam:url").toString());
    ASSERT_GE(onAir, 0) << metadata.value("xesam:url").toString().toStdString();
    EXPECT_EQ(metadata.value("xesam:title"), QStringLiteral("Tone & Noise #%1").arg(onAir));
    EXPECT_EQ(metadata.value("xesam:album"), QStringLiteral("Loop"));

    // Paused, the stream is let go; played, it is read from the live second.
    call(player, "Pause");
    EXPECT_TRUE(spinUntil([&] { return status() == "Paused" && !secondRead(); }));
    call(player, "Play");
    ASSERT_TRUE(spinUntil([&] { return status() == "Playing" && secondRead(); }));
    EXPECT_NEAR(*secondRead(), intoSlot(), 30.0);
    EXPECT_TRUE(spinUntil([&] { return watch.announced.endsWith("Playing"); }));
    EXPECT_TRUE(watch.announced.contains("Paused"));

    // A second launch raises the first and goes.
    QProcess second;
    launch(second, true);
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_THAT(second.readAllStandardOutput().toStdString(),
                HasSubstr("--feed is ignored: Cassivo is already running"));
    EXPECT_EQ(app.state(), QProcess::Running);

    call(root, "Quit");
    ASSERT_TRUE(app.waitForFinished(30000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0);
}

}  // namespace

#include "end_to_end_test.moc"
