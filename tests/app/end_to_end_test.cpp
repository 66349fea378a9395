// The whole program against a feed served from loopback: it reads the feed,
// picks the episode on air and plays it (silently when there is no sound card).
#include "support/loopback_http_server.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

namespace {

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

QProcessEnvironment appEnvironment(const QTemporaryDir& dir) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
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
    ASSERT_TRUE(app.waitForFinished(20000));
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

TEST(EndToEnd, PlaysTheEpisodeOnAirFromALoopbackFeed) {
    QTemporaryDir dir;
    // Untagged tones: the label then comes from the feed, which prints the URL.
    QStringList urls;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QStringLiteral("tone%1.mp3").arg(i));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i",
                      "sine=frequency=330:duration=4", "-codec:a", "libmp3lame", path});
        ASSERT_TRUE(ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0);
        urls << QUrl::fromLocalFile(path).toString();
    }
    testsupport::LoopbackHttpServer server;
    server.route("/feed.xml",
                 {.contentType = "application/rss+xml", .body = feedWithEpisodes(urls)});

    // A check made a moment ago keeps the update checker off the real update
    // host; its back-off line still shows that every launch starts a check.
    QSettings(dir.filePath(QStringLiteral("config/cassivo/cassivo.conf")), QSettings::IniFormat)
        .setValue(QStringLiteral("lastUpdateCheck"), QDateTime::currentDateTime());

    QProcess app;
    app.setProcessEnvironment(appEnvironment(dir));
    app.start(QStringLiteral(TEST_BINARY_DIR "/app/cassivo"),
              {"--feed", server.baseUrl(QStringLiteral("/feed.xml"))});
    ASSERT_TRUE(app.waitForStarted(10000));

    QByteArray output;
    QElapsedTimer clock;
    clock.start();
    // The label lookup prints the episode URL again once the stream is loaded.
    while (clock.elapsed() < 20000 && output.count("file://") < 2) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        app.waitForReadyRead(100);
        output += app.readAllStandardOutput();
    }
    // Let it play a moment, then make sure nothing failed.
    QThread::msleep(1500);
    output += app.readAllStandardOutput();
    app.kill();
    app.waitForFinished(5000);

    QStringList lines;
    for (const QByteArray& line : output.split('\n')) lines << QString::fromUtf8(line);
    EXPECT_THAT(lines,
                Contains(QStringLiteral("Successfully registered font: PermanentMarker-Regular")));
    EXPECT_THAT(lines, Contains(QStringLiteral("Days of podcast: 0")));
    EXPECT_THAT(lines, Contains(QStringLiteral("BasicUpdater: backed off, less than 5 days.")));
    // Three slots in URL order; the clock picks one of them.
    const auto played = std::find_if(lines.begin(), lines.end(),
                                     [&](const QString& l) { return urls.contains(l); });
    ASSERT_NE(played, lines.end()) << output.toStdString();
    EXPECT_GE(lines.count(*played), 2) << "the stream never loaded:\n" << output.toStdString();
    EXPECT_THAT(output.toStdString(), Not(HasSubstr("Playback failed")));
    EXPECT_THAT(output.toStdString(), Not(HasSubstr("Failed to load metadata")));
}

}  // namespace
