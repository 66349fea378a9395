// The real player on GStreamer, against a stream served from loopback. No
// audio device is needed: without one the player plays silently.
#include <platform/qt_scheduler.hpp>
#include <player/podcast_view_model.hpp>
#include <player/qt_audio_player.hpp>

#include "player/fakes.hpp"
#include "support/loopback_http_server.hpp"

#include <gtest/gtest.h>

#include "support/spin.hpp"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>

namespace {

using testsupport::spinUntil;

// A six-second tone with a title tag, made once for the whole suite.
const QByteArray& toneMp3() {
    static const QByteArray bytes = [] {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tone.mp3"));
        QProcess ffmpeg;
        ffmpeg.start(
            QStringLiteral("ffmpeg"),
            {"-nostdin", "-loglevel", "error", "-f", "lavfi", "-i", "sine=frequency=440:duration=6",
             "-metadata", "title=Test Tone #7", "-codec:a", "libmp3lame", "-b:a", "64k", path});
        if (!ffmpeg.waitForFinished(30000) || ffmpeg.exitCode() != 0) return QByteArray();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return bytes;
}

struct Observed {
    std::optional<bool> ready;
    bool ended = false;
    std::optional<QString> failed;
    std::optional<std::optional<QVariant>> metadata;
    std::optional<QString> metadataFailed;

    player::AudioPlayerEvents events() {
        player::AudioPlayerEvents e;
        e.ready = [this](bool seekable) { ready = seekable; };
        e.endOfMedia = [this] { ended = true; };
        e.failed = [this](const QString& error) { failed = error; };
        e.metadataLoaded = [this](const std::optional<QVariant>& title) { metadata = title; };
        e.metadataFailed = [this](const QString& error) { metadataFailed = error; };
        return e;
    }
};

// The tone served over loopback HTTP with range support.
class QtAudioPlayer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(toneMp3().isEmpty()) << "ffmpeg could not make the test tone";
        server.route("/tone.mp3", {.contentType = "audio/mpeg", .body = toneMp3().toStdString()});
    }
    std::unique_ptr<player::AudioPlayer> openTone(player::AudioPlayerEvents events) {
        return factory.open(QUrl(QString::fromStdString(server.url("/tone.mp3"))),
                            std::move(events));
    }
    bool waitUntilReady(const Observed& seen) {
        return spinUntil([&] { return seen.ready.has_value() || seen.failed; });
    }

    testsupport::LoopbackHttpServer server;
    player::QtAudioPlayerFactory factory;
};

TEST_F(QtAudioPlayer, PlaysAStreamFromAnOffsetToItsEnd) {
    Observed seen;
    auto stream = openTone(seen.events());
    ASSERT_TRUE(waitUntilReady(seen));
    ASSERT_FALSE(seen.failed) << seen.failed->toStdString();
    ASSERT_TRUE(*seen.ready) << "an HTTP stream with range support should be seekable";
    stream->seek(3.0);
    stream->play();

    // A dropped seek would play from 0 and still reach the end: the first
    // position the stream reports must already be past the offset.
    double firstPosition = 0.0;
    ASSERT_TRUE(spinUntil([&] {
        if (firstPosition == 0.0) firstPosition = stream->position();
        return stream->position() > 3.2 || seen.failed;
    }));
    EXPECT_GE(firstPosition, 2.9);
    ASSERT_TRUE(spinUntil([&] { return seen.metadata.has_value() || seen.failed; }));
    ASSERT_TRUE(seen.metadata->has_value());
    EXPECT_EQ((*seen.metadata)->toString(), QStringLiteral("Test Tone #7"));

    // Three seconds are left to play.
    ASSERT_TRUE(spinUntil([&] { return seen.ended || seen.failed; }));
    EXPECT_TRUE(seen.ended);
    EXPECT_FALSE(seen.failed);
}

TEST_F(QtAudioPlayer, MissingStreamFails) {
    server.respond({.status = 404,
                    .reason = "Not Found",
                    .contentType = "text/html",
                    .body = "<h1>nope</h1>"});
    Observed seen;
    auto stream =
        factory.open(QUrl(QString::fromStdString(server.url("/missing.mp3"))), seen.events());
    ASSERT_TRUE(spinUntil([&] { return seen.failed.has_value(); }));
    EXPECT_FALSE(seen.failed->isEmpty());
    EXPECT_TRUE(seen.metadataFailed.has_value());
    EXPECT_FALSE(seen.ready.has_value());
    ASSERT_FALSE(server.requests().empty()) << "the error came before the stream was asked for";
    EXPECT_EQ(server.requests().front().rfind("GET /missing.mp3 ", 0), 0u);
}

TEST_F(QtAudioPlayer, NoEventAfterThePlayerIsGone) {
    int events = 0;
    player::AudioPlayerEvents counting;
    counting.ready = [&](bool) { ++events; };
    counting.metadataLoaded = [&](const std::optional<QVariant>&) { ++events; };
    counting.failed = [&](const QString&) { ++events; };
    auto stream = openTone(counting);
    stream.reset();
    testsupport::runLoopFor(std::chrono::milliseconds(1500));
    EXPECT_EQ(events, 0);
}

TEST_F(QtAudioPlayer, SeekPastTheEndEndsTheEpisode) {
    Observed seen;
    auto stream = openTone(seen.events());
    ASSERT_TRUE(waitUntilReady(seen));
    stream->seek(600.0);  // ten minutes into a six-second tone
    stream->play();
    EXPECT_TRUE(spinUntil([&] { return seen.ended; }));
    EXPECT_FALSE(seen.failed);
    EXPECT_LT(stream->position(), 1.0) << "it played from the start instead";
}

// ---- the model and the feed source on the real loop --------------------------

TEST_F(QtAudioPlayer, AnEpisodeThatAppearsAfterItFailedIsReopenedAtTheLiveSecond) {
    // A clock one second into a slot, so the six-second tone is on air.
    struct SlotClock final : platform::Clock {
        platform::SystemClock real;
        double shift = 1.0 - player::secondsIntoSlot(real.now());
        double now() const override { return real.now() + shift; }
        double monotonic() const override { return real.monotonic(); }
    } clock;
    QTemporaryDir dir;
    const std::string url =
        QUrl::fromLocalFile(dir.filePath(QStringLiteral("ep.mp3"))).toString().toStdString();
    platform::QtScheduler scheduler(qApp);
    fakes::FakeFeedSource feeds(scheduler);
    feeds.next = [&] {
        return syndra::Result(syndra::Feed(fakes::makeFeed({{{{"audio/mpeg", url}}}})));
    };
    std::vector<std::string> lines;
    player::PodcastViewModel model(
        {&scheduler, &clock, &feeds, &factory, [&](std::string_view l) { lines.emplace_back(l); }});
    model.loadFeed();
    ASSERT_TRUE(spinUntil(
        [&] { return !lines.empty() && lines.back().rfind("Playback failed: ", 0) == 0; }));

    QFile file(dir.filePath(QStringLiteral("ep.mp3")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(toneMp3()) == toneMp3().size());
    file.close();
    ASSERT_TRUE(spinUntil([&] { return model.isPlaying() && model.currentTime() > 0.0; }));
    EXPECT_NEAR(model.currentTime(), player::secondsIntoSlot(clock.now()), 1.5);
}

// The source keeps the last good feed: it asks the server only whether it
// changed, and plays the kept copy, marked stale, while the server is gone.
TEST_F(QtAudioPlayer, AFeedSourceKeepsTheLastGoodFeedAndAsksOnlyIfItChanged) {
    QTemporaryDir cache;
    platform::QtScheduler scheduler(qApp);
    const std::string feed = "<rss><channel><title>Kept</title></channel></rss>";
    std::optional<testsupport::LoopbackHttpServer> host(std::in_place);
    host->route("/feed.xml", {.body = feed, .headers = "ETag: \"v1\"\r\n"});
    const std::string url = host->url("/feed.xml");
    const auto loadOnce = [&] {
        player::SyndraFeedSource source(url, scheduler, cache.path().toStdString());
        std::optional<player::FeedLoad> loaded;
        source.load([&](player::FeedLoad load) { loaded = std::move(load); });
        EXPECT_TRUE(spinUntil([&] { return loaded.has_value(); }));
        return loaded ? std::move(*loaded) : player::FeedLoad{syndra::ParserError::feedNotFound()};
    };
    const auto title = [](const player::FeedLoad& load) {
        return load.result.feed() ? load.result.feed()->rssFeed()->title->str() : "";
    };
    player::FeedLoad fresh = loadOnce();
    EXPECT_EQ(title(fresh), "Kept");
    EXPECT_FALSE(fresh.staleBecause);
    host->route("/feed.xml", {.status = 304, .reason = "Not Modified"});
    player::FeedLoad unchanged = loadOnce();
    EXPECT_NE(host->requests().back().find("\r\nIf-None-Match: \"v1\""), std::string::npos);
    EXPECT_EQ(title(unchanged), "Kept");
    EXPECT_FALSE(unchanged.staleBecause);
    host.reset();
    player::FeedLoad offline = loadOnce();
    EXPECT_EQ(title(offline), "Kept");
    ASSERT_TRUE(offline.staleBecause);
    EXPECT_EQ(offline.staleBecause->kind(), syndra::ErrorKind::network);
}

TEST_F(QtAudioPlayer, AFeedSourceDestroyedMidDownloadAbortsItAndDeliversNothing) {
    server.respond({.silent = true});
    auto scheduler = std::make_unique<platform::QtScheduler>(qApp);
    auto source = std::make_unique<player::SyndraFeedSource>(server.url("/feed"), *scheduler);
    bool delivered = false;
    source->load([&](player::FeedLoad) { delivered = true; });
    ASSERT_TRUE(spinUntil([&] { return !server.requests().empty(); }));
    source.reset();
    scheduler.reset();
    // Left to run, the download would wait for its two-minute limit.
    EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(30000));
    QApplication::processEvents();
    EXPECT_FALSE(delivered);
}

}  // namespace
