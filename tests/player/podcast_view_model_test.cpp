#include "player/fakes.hpp"

#include <player/podcast_view_model.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using fakes::Episode;
using fakes::makeFeed;
using fakes::numberedFeed;
using player::kScheduleEpoch;
using player::PodcastViewModel;
using testing::Contains;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

constexpr double at(double secondsFromEpoch) {
    return double(kScheduleEpoch) + secondsFromEpoch;
}

class PodcastViewModelTest : public testing::Test {
public:
    explicit PodcastViewModelTest(double start = at(3 * 3600 + 125)) : time(start) {}

    void SetUp() override {
        feedSource.next = [this] { return syndra::Result(syndra::Feed(feed)); };
        player::PlayerServices services;
        services.scheduler = &time;
        services.clock = &time;
        services.feedSource = &feedSource;
        services.players = &players;
        services.print = [this](std::string_view line) { lines.emplace_back(line); };
        model = std::make_unique<PodcastViewModel>(std::move(services));
        QObject::connect(model.get(), &PodcastViewModel::objectWillChange,
                         [this] { ++willChange; });
    }

    void loadAndStart() {
        model->loadFeed();
        time.drain();
        ASSERT_NE(players.current, nullptr);
        players.current->events.ready(true);
        time.drain();
    }
    // Lets virtual time run until the next episode opens, then readies it.
    void runUntilNextEpisode() {
        const std::size_t before = players.opened.size();
        for (int i = 0; i < 4000 && players.opened.size() == before; ++i) time.advance(1.0);
        ASSERT_GT(players.opened.size(), before);
        players.current->events.ready(true);
        time.drain();
    }
    bool hasLine(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    fakes::VirtualTime time;
    fakes::FakeFeedSource feedSource{time};
    fakes::FakeAudioPlayerFactory players{time};
    syndra::RSSFeed feed = numberedFeed(10);
    std::vector<std::string> lines;
    std::unique_ptr<PodcastViewModel> model;
    int willChange = 0;
};

TEST_F(PodcastViewModelTest, StartsInItsInitialState) {
    EXPECT_FALSE(model->isPlaying());
    EXPECT_FALSE(model->hasEnded());
    EXPECT_EQ(model->currentTime(), 0.0);
    EXPECT_EQ(model->titleLabel(), "is Loading ...");
    EXPECT_FALSE(model->showingAlert());
    EXPECT_EQ(model->errorMessage(), "Unknown Error");
    EXPECT_FALSE(model->wheelTurning());
    EXPECT_EQ(model->wheelAngle(), 0.0);
    EXPECT_EQ(model->formattedTime(), "00:00");
    EXPECT_EQ(feedSource.loads, 0);
}

TEST_F(PodcastViewModelTest, PlaysTheSlotOnAirFromItsOffset) {
    loadAndStart();
    // 3 h 2 min 5 s after the epoch: slot 3, 125 s in.
    ASSERT_EQ(players.opened.size(), 1u);
    EXPECT_EQ(players.opened[0], QUrl("https://cdn.example/ep003.mp3"));
    EXPECT_THAT(players.current->seeks, ElementsAre(125.0));
    EXPECT_TRUE(players.current->playing);
    EXPECT_TRUE(model->isPlaying());
    EXPECT_THAT(lines, ElementsAre("Days of podcast: 0", "https://cdn.example/ep003.mp3"));
}

TEST_F(PodcastViewModelTest, OffsetIsAppliedOnlyOnceTheStreamIsReady) {
    model->loadFeed();
    time.drain();
    EXPECT_THAT(players.current->seeks, IsEmpty());
    EXPECT_FALSE(players.current->playing);
    players.current->events.ready(false);  // cannot seek: plays from the start
    time.drain();
    EXPECT_THAT(players.current->seeks, IsEmpty());
    EXPECT_TRUE(players.current->playing);
}

TEST_F(PodcastViewModelTest, WholeCycleCountsDownAndComesBackAtTheNextSlot) {
    loadAndStart();
    time.advance(1.0);
    EXPECT_EQ(model->currentTime(), 126.0);
    EXPECT_TRUE(model->wheelTurning());
    EXPECT_EQ(model->wheelAngle(), -360.0);
    EXPECT_EQ(model->formattedTime(), "02:06");

    // The episode ends 50 min 0.7 s into its slot.
    time.advance(3000.7 - 126.0);
    players.current->events.endOfMedia();
    EXPECT_FALSE(model->isPlaying());
    EXPECT_TRUE(model->hasEnded());
    EXPECT_EQ(model->titleLabel(), "Next in 602 secs...");
    time.drain();
    EXPECT_FALSE(model->wheelTurning());
    EXPECT_EQ(model->wheelAngle(), 0.0);
    EXPECT_EQ(time.activeTimers(), 1);  // the clock watch alone

    // Nothing happens until two seconds into the next slot.
    time.advance(601.3 - 0.001);
    EXPECT_EQ(feedSource.loads, 1);
    EXPECT_TRUE(model->hasEnded());
    time.advance(0.001);
    EXPECT_FALSE(model->hasEnded());
    EXPECT_EQ(feedSource.loads, 2);
    ASSERT_EQ(players.opened.size(), 2u);
    EXPECT_EQ(players.opened[1], QUrl("https://cdn.example/ep004.mp3"));
    EXPECT_EQ(players.alive, 1);
}

// The label counts from the stream's position; the restart comes two
// seconds into the next slot by the wall clock, which the position may trail
// or lead by a few seconds.
struct WaitCase {
    const char* name;
    double wallAtEnd;  // seconds into the slot
    double positionAtEnd;
    std::optional<std::string> label;
};

class EndOfEpisodeWaitTest : public PodcastViewModelTest,
                             public testing::WithParamInterface<WaitCase> {};

TEST_P(EndOfEpisodeWaitTest, WaitsForTheNextSlot) {
    loadAndStart();
    time.advance(GetParam().wallAtEnd - 1.0 - 125.0);
    players.current->stall();
    players.current->setPosition(GetParam().positionAtEnd);
    time.advance(1.0);
    const QString before = model->titleLabel();
    players.current->events.endOfMedia();
    EXPECT_EQ(model->titleLabel(),
              GetParam().label ? QString::fromStdString(*GetParam().label) : before);
    time.advance(3602.0 - GetParam().wallAtEnd - 0.001);
    EXPECT_EQ(feedSource.loads, 1);
    time.advance(0.001);
    EXPECT_EQ(feedSource.loads, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Playback, EndOfEpisodeWaitTest,
    testing::Values(WaitCase{"FiftyMinutes", 3000.5, 50 * 60 + 0.7, "Next in 602 secs..."},
                    WaitCase{"ExactlyAnHour", 3596.0, 3600.0, "Next in 2 secs..."},
                    WaitCase{"PastTheHour", 3597.0, 3600.5, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct TimeCase {
    double seconds;
    const char* text;
};

class FormattedTimeTest : public PodcastViewModelTest,
                          public testing::WithParamInterface<TimeCase> {};

TEST_P(FormattedTimeTest, Formats) {
    loadAndStart();
    players.current->stall();
    players.current->setPosition(GetParam().seconds);
    time.advance(1.0);
    EXPECT_EQ(model->formattedTime(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Playback, FormattedTimeTest,
                         testing::Values(TimeCase{0.0, "00:00"}, TimeCase{65.9, "01:05"},
                                         TimeCase{62 * 60 + 5, "62:05"}, TimeCase{-5.0, "00:-5"},
                                         TimeCase{std::nan(""), "--:--"},
                                         TimeCase{INFINITY, "--:--"}, TimeCase{1e300, "--:--"}));

// ---- the feed and the episode list ------------------------------------------

TEST(AudioEpisodeURLs, BuildsTheSortedListOfFirstAudioContents) {
    auto feed = makeFeed({
        {{{"audio/mpeg", "https://x/b.mp3"}}},
        {{{"video/mp4", "https://x/v.mp4"}, {"audio/mpeg", "https://x/a.mp3"}}},
        {{{"AUDIO/MPEG", "https://x/c.mp3"}}},
        {{{"x-audio", "https://x/d.mp3"}}},
        {{{"audio/mpeg", std::nullopt},
          {"audio/mpeg", "https://x/never.mp3"}}},  // first audio has no URL
        {{}, std::nullopt, std::nullopt, "https://x/enclosure-only.mp3"},
        {{{"audio/mpeg", "https://x/media.mp3"}},
         std::nullopt,
         std::nullopt,
         "https://x/not-this.mp3"},
        {{{"", "https://x/untyped.mp3"}}},
        {{{"audio/mpeg", "https://x/b.mp3"}}},  // duplicates stay
        {{{"image/png", "https://x/cover.png"}}},
        {{{"audio/mpeg", "data:audio/mpeg;base64,AAAA"}}},
        {{{"audio/mpeg", "fd://0"}}},
        {{{"audio/mpeg", "FILE:///srv/e.mp3"}}},
    });
    // An enclosure that is not audio counts for nothing.
    feed.items->push_back(
        makeFeed({{{}, std::nullopt, std::nullopt, "https://x/pdf"}}).items->front());
    feed.items->back().enclosure->attributes->type = syndra::Text("application/PDF");
    (*feed.items)[5].enclosure->attributes->type = syndra::Text("Audio/MPEG");
    std::vector<std::string> skipped;
    EXPECT_THAT(PodcastViewModel::audioEpisodeURLs(
                    feed, [&](std::string_view line) { skipped.emplace_back(line); }),
                ElementsAre("FILE:///srv/e.mp3", "https://x/a.mp3", "https://x/b.mp3",
                            "https://x/b.mp3", "https://x/c.mp3", "https://x/d.mp3",
                            "https://x/enclosure-only.mp3", "https://x/media.mp3"));
    EXPECT_THAT(skipped, ElementsAre("Skipped an episode that is not http, https or file: "
                                     "data:audio/mpeg;base64,AAAA",
                                     "Skipped an episode that is not http, https or file: fd://0"));
    EXPECT_THAT(PodcastViewModel::audioEpisodeURLs(syndra::RSSFeed{}), IsEmpty());
}

struct DaysCase {
    int episodes;
    const char* line;
};

class DaysOfPodcastTest : public PodcastViewModelTest,
                          public testing::WithParamInterface<DaysCase> {};

TEST_P(DaysOfPodcastTest, PrintsWholeDays) {
    feed = numberedFeed(GetParam().episodes);
    model->loadFeed();
    time.drain();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Feed, DaysOfPodcastTest,
                         testing::Values(DaysCase{47, "Days of podcast: 1"},
                                         DaysCase{48, "Days of podcast: 2"},
                                         DaysCase{1, "Days of podcast: 0"}));

struct RewriteCase {
    const char* name;
    std::string url;
    std::string played;
};

class HttpRewriteTest : public PodcastViewModelTest,
                        public testing::WithParamInterface<RewriteCase> {};

TEST_P(HttpRewriteTest, PlaysTheRewrittenURL) {
    feed = makeFeed({{{{"audio/mpeg", GetParam().url}}}});
    model->loadFeed();
    time.drain();
    ASSERT_EQ(players.opened.size(), 1u);
    EXPECT_EQ(players.opened[0].toString(), QString::fromStdString(GetParam().played));
    EXPECT_TRUE(hasLine(GetParam().played));
}

INSTANTIATE_TEST_SUITE_P(
    Feed, HttpRewriteTest,
    testing::Values(RewriteCase{"Http", "http://cdn.example/a.mp3", "https://cdn.example/a.mp3"},
                    RewriteCase{"Https", "https://cdn.example/a.mp3", "https://cdn.example/a.mp3"},
                    RewriteCase{"OnlyTheFirst", "http://cdn.example/?u=http://x",
                                "https://cdn.example/?u=http://x"},
                    RewriteCase{"File", "file:///tmp/a.mp3", "file:///tmp/a.mp3"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- failures start nothing and say why --------------------------------------

struct FailureCase {
    const char* name;
    std::function<syndra::Result()> result;
    std::string message;
};

class LoadFailureTest : public PodcastViewModelTest,
                        public testing::WithParamInterface<FailureCase> {};

TEST_P(LoadFailureTest, SaysWhyOnceThenRetriesUntilAFeedPlaysLive) {
    feedSource.next = GetParam().result;
    model->loadFeed();
    time.drain();
    EXPECT_THAT(players.opened, IsEmpty());
    EXPECT_TRUE(model->showingAlert());
    EXPECT_THAT(model->errorMessage().toStdString(), HasSubstr(GetParam().message));
    EXPECT_EQ(model->titleLabel(), "is Loading ...");
    const std::vector<std::string> said = lines;
    EXPECT_FALSE(said.empty());
    model->setShowingAlert(false);
    time.advance(20.0);  // retries 5 s and then 15 s later, quietly
    EXPECT_EQ(feedSource.loads, 3);
    EXPECT_FALSE(model->showingAlert());
    EXPECT_EQ(lines, said);

    feedSource.next = [this] { return syndra::Result(syndra::Feed(feed)); };
    time.advance(30.0);
    ASSERT_EQ(players.opened.size(), 1u);
    players.current->events.ready(true);
    EXPECT_THAT(players.current->seeks, ElementsAre(125.0 + 50.0));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, LoadFailureTest,
    testing::Values(
        FailureCase{"ParseError",
                    [] {
                        return syndra::Result(
                            syndra::ParserError::internalError("HTTP 404 Not Found from x"));
                    },
                    "Internal unresolved error: HTTP 404 Not Found from x"},
        FailureCase{"FeedNotFound",
                    [] { return syndra::Result(syndra::ParserError::feedNotFound()); },
                    "Feed not found"},
        FailureCase{"AtomFeed", [] { return syndra::Result(syndra::Feed(syndra::AtomFeed{})); },
                    "Atom"},
        FailureCase{"JsonFeed", [] { return syndra::Result(syndra::Feed(syndra::JSONFeed{})); },
                    "JSON Feed"},
        FailureCase{"NoAudioEpisodes",
                    [] {
                        return syndra::Result(
                            syndra::Feed(makeFeed({{{{"image/png", "https://x/cover.png"}}}})));
                    },
                    "no audio episodes"}),
    [](const auto& info) { return std::string(info.param.name); });

class BeforeEpochTest : public PodcastViewModelTest {
protected:
    BeforeEpochTest() : PodcastViewModelTest(at(-100)) {}
};

TEST_F(BeforeEpochTest, ClockBeforeTheEpochIsReportedNotPlayedUntilItIsPutRight) {
    model->loadFeed();
    time.drain();
    EXPECT_THAT(players.opened, IsEmpty());
    EXPECT_TRUE(model->showingAlert());
    EXPECT_THAT(model->errorMessage().toStdString(), HasSubstr("before the broadcast began"));
    time.advance(30.0);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), lines.back()), 1);
    time.jump(200.0);
    time.advance(1.0);
    EXPECT_THAT(players.opened, ElementsAre(QUrl("https://cdn.example/ep000.mp3")));
    EXPECT_FALSE(model->showingAlert());  // the trouble is over
}

// ---- healing: failures and clock jumps, each said once, recovered by itself ----

// Starts 125 s into slot 3 of ten; each row plays a story and checks it.
struct HealingCase {
    const char* name;
    std::function<void(PodcastViewModelTest&)> story;
};

class HealingTest : public PodcastViewModelTest, public testing::WithParamInterface<HealingCase> {};

TEST_P(HealingTest, RecoversByItself) {
    GetParam().story(*this);
}

const QUrl kEpisode2("https://cdn.example/ep002.mp3");
const QUrl kEpisode3("https://cdn.example/ep003.mp3");
const QUrl kEpisode4("https://cdn.example/ep004.mp3");
syndra::Result failedLoad() {
    return syndra::Result(syndra::ParserError::feedNotFound());
}

const HealingCase kHealingCases[] = {
    {"StreamErrorReopensAtTheLiveSecond",
     [](PodcastViewModelTest& t) {
         t.loadAndStart();
         t.time.advance(10.0);
         t.players.current->events.failed(QStringLiteral("Could not open resource"));
         EXPECT_FALSE(t.model->isPlaying());
         EXPECT_FALSE(t.model->hasEnded());
         t.time.advance(2.0);
         t.players.current->events.failed(QStringLiteral("still down"));
         t.time.advance(5.0);
         EXPECT_THAT(t.players.opened, ElementsAre(kEpisode3, kEpisode3, kEpisode3));
         EXPECT_EQ(t.players.alive, 1);  // failed players are gone
         t.players.current->events.ready(true);
         t.time.drain();
         EXPECT_THAT(t.players.current->seeks, ElementsAre(125.0 + 17.0));
         EXPECT_TRUE(t.model->isPlaying());
         EXPECT_TRUE(t.hasLine("Playback failed: Could not open resource"));
         EXPECT_FALSE(t.hasLine("Playback failed: still down"));
     }},
    {"NeverReadyIsReopened",
     [](PodcastViewModelTest& t) {
         t.model->loadFeed();
         t.time.advance(30.0);
         EXPECT_TRUE(t.hasLine("Playback failed: the episode did not start within 30 s"));
         t.time.advance(2.0);
         EXPECT_EQ(t.players.opened.size(), 2u);
     }},
    {"AJumpIsNotAStallButAStallIs",
     [](PodcastViewModelTest& t) {
         t.loadAndStart();
         t.time.jump(1800.0);  // a suspend within the slot: the stream did not move
         t.time.advance(40.0);
         EXPECT_TRUE(t.hasLine("The clock jumped by 1800 s; following it"));
         EXPECT_THAT(t.players.current->seeks, ElementsAre(125.0, 125.0 + 1800.0 + 5.0));
         EXPECT_EQ(t.players.opened.size(), 1u);
         t.players.current->stall();
         t.time.advance(31.0);
         EXPECT_TRUE(t.hasLine("Playback stalled: the stream has not moved for 30 s"));
         t.time.advance(2.0);
         EXPECT_EQ(t.players.opened.size(), 2u);
     }},
    {"JumpsToOtherSlotsPlayWhatIsOnAir",
     [](PodcastViewModelTest& t) {
         t.loadAndStart();
         t.time.jump(3600.0);
         t.time.advance(1.0);
         t.players.current->events.ready(true);
         EXPECT_THAT(t.players.current->seeks, ElementsAre(126.0));
         t.time.jump(-7200.0);
         t.time.advance(1.0);
         EXPECT_THAT(t.players.opened, ElementsAre(kEpisode3, kEpisode4, kEpisode2));
         EXPECT_EQ(t.feedSource.loads, 1);
     }},
    {"SuspendDuringTheCountdown",
     [](PodcastViewModelTest& t) {
         t.loadAndStart();
         t.players.current->events.endOfMedia();
         t.time.jump(3600.0);
         t.time.advance(1.0);
         EXPECT_EQ(t.feedSource.loads, 2);
         EXPECT_THAT(t.players.opened, ElementsAre(kEpisode3, kEpisode4));
     }},
    {"RefreshFailureKeepsTheFeedAndSaysSoOnce",
     [](PodcastViewModelTest& t) {
         t.loadAndStart();
         t.players.current->events.endOfMedia();
         t.feedSource.next = failedLoad;
         t.time.advance(3477.0);
         EXPECT_TRUE(t.model->showingAlert());
         EXPECT_THAT(t.players.opened, ElementsAre(kEpisode3, kEpisode4));
         t.model->setShowingAlert(false);
         t.players.current->events.endOfMedia();
         t.time.advance(3600.0);
         EXPECT_FALSE(t.model->showingAlert());
         EXPECT_EQ(t.players.opened.size(), 3u);
         EXPECT_EQ(std::count(t.lines.begin(), t.lines.end(), "feedNotFound"), 1);
     }},
    {"AKeptCopyPlaysWhileTheNetworkIsDownAndIsRefreshedSoon",
     [](PodcastViewModelTest& t) {
         t.feedSource.stale = syndra::ParserError::internalError("offline");
         t.loadAndStart();
         EXPECT_TRUE(t.model->showingAlert());
         EXPECT_TRUE(t.hasLine("internalError(offline)"));
         t.feedSource.stale.reset();
         t.time.advance(5.0);
         EXPECT_EQ(t.feedSource.loads, 2);
         EXPECT_FALSE(t.model->showingAlert());
         EXPECT_THAT(t.players.opened, ElementsAre(kEpisode3));  // playback goes on
     }},
    {"RetriesEndWithTheSlot",
     [](PodcastViewModelTest& t) {
         t.loadAndStart();
         t.time.advance(3596.0 - 125.0);
         t.players.current->events.failed(QStringLiteral("gone"));
         t.time.advance(2.0);
         t.players.current->events.failed(QStringLiteral("gone"));
         // The next retry would land past the hour: count down instead.
         EXPECT_TRUE(t.model->hasEnded());
         EXPECT_EQ(t.model->titleLabel(), "Next in 4 secs...");
         t.time.advance(4.0);
         EXPECT_EQ(t.players.opened.back(), kEpisode4);
     }},
    {"BadURLCountsDownToTheNextSlotAndTheAlertShowsTheNewestError",
     [](PodcastViewModelTest& t) {
         t.feed = makeFeed(
             {{{{"audio/mpeg", "https://cdn.example/a.mp3"}}}, {{{"audio/mpeg", "not a url"}}}});
         t.feedSource.next = failedLoad;
         t.model->loadFeed();
         t.time.drain();
         t.feedSource.next = [&t] { return syndra::Result(syndra::Feed(t.feed)); };
         t.time.advance(5.0);
         EXPECT_TRUE(t.model->showingAlert());
         EXPECT_EQ(t.model->errorMessage(), "Could not convert file to load to a URL");
         EXPECT_EQ(t.model->titleLabel(), "Next in 3472 secs...");
         t.time.advance(3472.0);
         EXPECT_THAT(t.players.opened, ElementsAre(QUrl("https://cdn.example/a.mp3")));
     }},
    {"PausedTheScheduleRunsOnUnheardAndPlayRejoinsItLive",
     [](PodcastViewModelTest& t) {
         t.feed.title = syndra::Text("Loop");
         t.loadAndStart();
         ASSERT_TRUE(t.model->onAir());
         EXPECT_EQ(t.model->onAir()->title, "Show #3");
         EXPECT_EQ(t.model->onAir()->show, "Loop");
         t.model->pause();
         t.time.drain();
         EXPECT_EQ(t.players.alive, 0);
         EXPECT_FALSE(t.model->isPlaying());
         EXPECT_FALSE(t.model->wheelTurning());
         t.time.advance(3600.0);  // not a stall, not a failure: the next slot, unheard
         EXPECT_EQ(t.players.opened.size(), 1u);
         EXPECT_EQ(t.model->onAir()->url, kEpisode4.toString());
         EXPECT_DOUBLE_EQ(t.model->position(), 125.0);
         t.model->play();
         t.players.current->events.ready(true);
         t.time.drain();
         EXPECT_THAT(t.players.opened, ElementsAre(kEpisode3, kEpisode4));
         EXPECT_THAT(t.players.current->seeks, ElementsAre(125.0));
         EXPECT_TRUE(t.model->isPlaying());
     }},
};

INSTANTIATE_TEST_SUITE_P(Healing, HealingTest, testing::ValuesIn(kHealingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PodcastViewModelTest, OnlyTheCurrentEpisodeIsListenedTo) {
    loadAndStart();
    auto oldEvents = players.current->events;
    players.current->events.endOfMedia();
    runUntilNextEpisode();
    ASSERT_EQ(players.opened.size(), 2u);
    EXPECT_EQ(players.alive, 1);
    // A late end from the first stream changes nothing.
    oldEvents.endOfMedia();
    EXPECT_TRUE(model->isPlaying());
    EXPECT_FALSE(model->hasEnded());
    // Over many episodes the model keeps one timer and one stream.
    for (int i = 0; i < 20; ++i) {
        players.current->events.endOfMedia();
        runUntilNextEpisode();
    }
    EXPECT_EQ(players.alive, 1);
    EXPECT_EQ(time.activeTimers(), 2);  // the progress timer and the clock watch
}

TEST_F(PodcastViewModelTest, NothingRunsOnceTheModelIsGone) {
    loadAndStart();
    auto events = players.current->events;
    model.reset();
    events.endOfMedia();
    events.metadataLoaded(QVariant(QStringLiteral("x")));
    time.advance(7200);
    EXPECT_EQ(feedSource.loads, 1);
}

// ---- the episode title -------------------------------------------------------

struct TitleCase {
    const char* name;
    std::optional<QVariant> streamTitle;
    std::optional<std::string> feedTitle;
    bool feedLinkMatches;
    const char* label;
};

class EpisodeTitleTest : public PodcastViewModelTest,
                         public testing::WithParamInterface<TitleCase> {};

TEST_P(EpisodeTitleTest, Labels) {
    const TitleCase& c = GetParam();
    feed =
        makeFeed({{{{"audio/mpeg", "https://cdn.example/one.mp3"}},
                   c.feedLinkMatches ? "http://cdn.example/one.mp3" : "https://cdn.example/one.mp3",
                   c.feedTitle}});
    loadAndStart();
    players.current->events.metadataLoaded(c.streamTitle);
    EXPECT_EQ(model->titleLabel(), QString::fromUtf8(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Title, EpisodeTitleTest,
    testing::Values(TitleCase{"StreamNumber", QVariant(QStringLiteral("Morning Show #123")),
                              std::nullopt, false, "123"},
                    TitleCase{"StreamWords", QVariant(QStringLiteral("Episode Five")), std::nullopt,
                              false, "episode five"},
                    TitleCase{"StreamOnlyHashes", QVariant(QStringLiteral("###")), std::nullopt,
                              false, "# Unknown"},
                    TitleCase{"StreamEmpty", QVariant(QString()), std::nullopt, false, "# Unknown"},
                    TitleCase{"StreamNotText", QVariant(42), std::nullopt, false, "# Unknown"},
                    TitleCase{"StreamUnicode", QVariant(QStringLiteral("Über #ÄRGER")),
                              std::nullopt, false, "ärger"},
                    TitleCase{"FeedNumber", std::nullopt, "Morning Show #42", true, "Show 42"},
                    TitleCase{"FeedWords", std::nullopt, "Morning Mix", true, "Show morning mix"},
                    TitleCase{"FeedPiecesNotTrimmed", std::nullopt, "A # B", true, "Show  b"},
                    TitleCase{"FeedOnlyHashes", std::nullopt, "##", true, "Show Unlabeled"},
                    TitleCase{"FeedNoTitle", std::nullopt, std::nullopt, true, "Unlabeled"},
                    TitleCase{"FeedLinkIsHttps", std::nullopt, "Morning Show #42", false,
                              "Unlabeled"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PodcastViewModelTest, FeedLookupPrintsTheURLAndItsHttpForm) {
    feed = makeFeed({{{{"audio/mpeg", "https://cdn.example/one.mp3"}}}});
    loadAndStart();
    lines.clear();
    players.current->events.metadataLoaded(std::nullopt);
    EXPECT_THAT(lines, ElementsAre("https://cdn.example/one.mp3", "http://cdn.example/one.mp3"));
}

TEST_F(PodcastViewModelTest, MetadataFailureLeavesTheLabel) {
    loadAndStart();
    players.current->events.metadataFailed(QStringLiteral("Resource not found"));
    EXPECT_EQ(model->titleLabel(), "is Loading ...");
    EXPECT_TRUE(hasLine("Failed to load metadata: Resource not found"));
}

TEST_F(PodcastViewModelTest, TitleOfAReplacedEpisodeIsIgnored) {
    loadAndStart();
    auto firstEvents = players.current->events;
    players.current->events.endOfMedia();
    runUntilNextEpisode();
    players.current->events.metadataLoaded(QVariant(QStringLiteral("Second #2")));
    firstEvents.metadataLoaded(QVariant(QStringLiteral("First #1")));
    EXPECT_EQ(model->titleLabel(), "2");
}

TEST_F(PodcastViewModelTest, AnEpisodeShorterThanTheTimeIntoItsSlotEndsAndComesBackAtTheNextSlot) {
    // The previous episode left its time behind; this one ends before a tick.
    loadAndStart();
    time.advance(1.0);
    players.current->events.endOfMedia();
    runUntilNextEpisode();
    time.advance(0.5);
    players.current->events.endOfMedia();
    // 2.5 s into slot 4: back 2 s into slot 5 (whole seconds, as the label shows).
    EXPECT_EQ(model->titleLabel(), "Next in 3600 secs...");
    time.advance(3600.0);
    ASSERT_EQ(players.opened.size(), 3u);
    EXPECT_EQ(players.opened[2], QUrl("https://cdn.example/ep005.mp3"));
}

// Which published property each write changed, from snapshots taken before
// every write ("=" for a write of the value it already had).
class WriteOrder {
public:
    explicit WriteOrder(const PodcastViewModel& model) : model_(model) {
        QObject::connect(&model, &PodcastViewModel::objectWillChange,
                         [this] { snapshots_.push_back(take()); });
    }
    std::vector<std::string> writes() const {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < snapshots_.size(); ++i) {
            const Snapshot& before = snapshots_[i];
            const Snapshot after = i + 1 < snapshots_.size() ? snapshots_[i + 1] : take();
            std::string name = "=";
            for (std::size_t p = 0; p < before.size(); ++p) {
                if (before[p] != after[p]) name = kNames[p];
            }
            names.push_back(name);
        }
        return names;
    }

private:
    using Snapshot = std::array<QString, 8>;
    static constexpr const char* kNames[] = {"isPlaying",    "hasEnded",     "currentTime",
                                             "titleLabel",   "showingAlert", "errorMessage",
                                             "wheelTurning", "wheelAngle"};
    Snapshot take() const {
        return {QString::number(model_.isPlaying()),    QString::number(model_.hasEnded()),
                QString::number(model_.currentTime()),  model_.titleLabel(),
                QString::number(model_.showingAlert()), model_.errorMessage(),
                QString::number(model_.wheelTurning()), QString::number(model_.wheelAngle())};
    }
    const PodcastViewModel& model_;
    std::vector<Snapshot> snapshots_;
};

TEST_F(PodcastViewModelTest, WritesReachTheViewInOrder) {
    WriteOrder start(*model);
    loadAndStart();
    EXPECT_THAT(start.writes(), ElementsAre("isPlaying"));

    WriteOrder tick(*model);
    time.advance(1.0);
    EXPECT_THAT(tick.writes(), ElementsAre("currentTime", "wheelTurning", "wheelAngle"));

    WriteOrder end(*model);
    players.current->events.endOfMedia();
    time.drain();
    EXPECT_THAT(end.writes(), ElementsAre("isPlaying", "hasEnded", "titleLabel", "=", "wheelAngle",
                                          "wheelTurning", "wheelAngle"));

    WriteOrder restart(*model);
    runUntilNextEpisode();
    EXPECT_THAT(restart.writes(), ElementsAre("hasEnded", "isPlaying"));
}

}  // namespace
