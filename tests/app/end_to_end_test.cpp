// The whole program against a feed served from loopback: it reads the feed,
// picks the episode on air and plays it (silently when there is no sound card).
#include "support/loopback_http_server.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
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
        items += "<item><title>Tone &amp; Noise #" + QByteArray::number(i) + "</title>"
                 "<link>" + urls[i].toUtf8() + "</link>"
                 "<media:content url=\"" + urls[i].toUtf8() + "\" type=\"audio/mpeg\"/></item>";
    }
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<rss version="2.0" xmlns:media="http://search.yahoo.com/mrss/"><channel><title>Loop</title>)" +
           items + "</channel></rss>";
}

TEST(EndToEnd, PlaysTheEpisodeOnAirFromALoopbackFeed) {
    QTemporaryDir dir;
    // Untagged tones: the label then comes from the feed, which prints the URL.
    QStringList urls;
    for (int i = 0; i < 3; ++i) {
        const QString path = dir.filePath(QStringLiteral("tone%1.mp3").arg(i));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"), {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i",
                                                "sine=frequency=330:duration=4", "-codec:a", "libmp3lame", path});
        ASSERT_TRUE(ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0);
        urls << QUrl::fromLocalFile(path).toString();
    }
    testsupport::LoopbackHttpServer server;
    server.route("/feed.xml", {.contentType = "application/rss+xml", .body = feedWithEpisodes(urls)});

    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    app.setProcessEnvironment(env);
    app.start(QStringLiteral(TEST_BINARY_DIR "/app/cassivo"), {"--feed", server.baseUrl(QStringLiteral("/feed.xml"))});
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
    EXPECT_THAT(lines, Contains(QStringLiteral("Successfully registered font: PermanentMarker-Regular")));
    EXPECT_THAT(lines, Contains(QStringLiteral("Days of podcast: 0")));
    // Three slots in URL order; the clock picks one of them.
    const auto played = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return urls.contains(l); });
    ASSERT_NE(played, lines.end()) << output.toStdString();
    EXPECT_GE(lines.count(*played), 2) << "the stream never loaded:\n" << output.toStdString();
    EXPECT_THAT(output.toStdString(), Not(HasSubstr("Playback failed")));
    EXPECT_THAT(output.toStdString(), Not(HasSubstr("Failed to load metadata")));
}

}  // namespace
