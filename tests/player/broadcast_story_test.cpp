// The broadcast told as stories. Each file in data/stories is a script of
// what befalls the model (feed loads, stream events, time passing, the clock
// jumping, the listener pausing), then, after the divider, the transcript of
// everything the model does in answer, stamped with the seconds since the
// story began: lines it prints, streams it opens, seeks and closes, feed
// loads, and every change of what the view and the media controls see, in
// the order they happen. A story passes when the model still does exactly
// that. STORIES_UPDATE=1 rewrites the transcripts: read the difference.
#include "player/fakes.hpp"

#include <player/podcast_view_model.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>

#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace {

using fakes::makeFeed;
using player::PodcastViewModel;
using testing::ElementsAre;
using testing::IsEmpty;

constexpr const char* kDivider = "== what happens";

std::string number(double value) {
    return QString::number(value, 'g', 12).toStdString();
}

class Story {
public:
    // `start` is "H:MM:SS" after the schedule's epoch, or before it with a "-".
    explicit Story(const std::string& start)
        : time(double(player::kScheduleEpoch) + seconds(start)) {
        feedSource.next = [this] {
            return error ? syndra::Result(*error) : syndra::Result(syndra::Feed(kind(feed)));
        };
        feedSource.log = players.log = [this](const std::string& event) { note(event); };
        time.afterEachTask = [this] { noteWrites(); };
        player::PlayerServices services;
        services.scheduler = &time;
        services.clock = &time;
        services.feedSource = &feedSource;
        services.players = &players;
        services.print = [this](std::string_view line) { note("say " + std::string(line)); };
        model = std::make_unique<PodcastViewModel>(std::move(services));
        QObject::connect(model.get(), &PodcastViewModel::objectWillChange,
                         [this] { noteWrites(); });
        QObject::connect(model.get(), &PodcastViewModel::broadcastChanged,
                         [this] { noteWrites(); });
        last_ = state();
        static constexpr const char* kInitial[] = {"isPlaying",    "hasEnded",     "titleLabel",
                                                   "showingAlert", "errorMessage", "wheelTurning",
                                                   "wheelAngle",   "paused",       "onAir"};
        for (std::size_t i = 0; i < last_.size(); ++i)
            out_ << "[0] begins " << kInitial[i] << ' ' << last_[i] << '\n';
    }

    ~Story() {
        feedSource.log = players.log = nullptr;
        time.afterEachTask = nullptr;
        model.reset();
    }
    Story(const Story&) = delete;
    Story& operator=(const Story&) = delete;

    void run(const std::string& command, const std::string& argument);
    std::string transcript() {
        noteWrites();
        return out_.str();
    }

    fakes::VirtualTime time;
    fakes::FakeFeedSource feedSource{time};
    fakes::FakeAudioPlayerFactory players{time};
    syndra::RSSFeed feed = fakes::numberedFeed(10);
    std::function<syndra::Feed(syndra::RSSFeed)> kind = [](syndra::RSSFeed f) {
        return syndra::Feed(std::move(f));
    };
    std::optional<syndra::ParserError> error;
    std::unique_ptr<PodcastViewModel> model;
    std::optional<player::AudioPlayerEvents> kept;  // a replaced stream's events

private:
    static double seconds(const std::string& clock) {
        int h = 0, m = 0, s = 0;
        const bool before = clock.starts_with('-');
        std::sscanf(clock.c_str() + (before ? 1 : 0), "%d:%d:%d", &h, &m, &s);
        return (before ? -1 : 1) * double(h * 3600 + m * 60 + s);
    }
    std::vector<std::string> state() const {
        if (!model) return last_;
        const PodcastViewModel& m = *model;
        const auto flag = [](bool b) { return std::string(b ? "true" : "false"); };
        std::string onAir = "none";
        if (const auto& a = m.onAir()) {
            onAir = std::to_string(a->episode) + " " + a->url.toStdString() + " \"" +
                    a->title.toStdString() + "\" of \"" + a->show.toStdString() + "\" art \"" +
                    a->artURL.toStdString() + "\" length " + number(a->length);
        }
        return {flag(m.isPlaying()),
                flag(m.hasEnded()),
                m.titleLabel().toStdString(),
                flag(m.showingAlert()),
                m.errorMessage().toStdString(),
                flag(m.wheelTurning()),
                number(m.wheelAngle()),
                flag(m.isPaused()),
                onAir};
    }

public:
    // Writes come announced before they happen: each announcement, each
    // event and the end of each task note what the writes before them changed.
    void noteWrites() {
        static constexpr const char* kNames[] = {"isPlaying",    "hasEnded",     "titleLabel",
                                                 "showingAlert", "errorMessage", "wheelTurning",
                                                 "wheelAngle",   "paused",       "onAir"};
        const std::vector<std::string> now = state();
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] != last_[i]) out_ << stamp() << kNames[i] << ' ' << now[i] << '\n';
        }
        last_ = now;
    }

private:
    std::string stamp() const { return "[" + number(time.monotonic()) + "] "; }

    std::ostringstream out_;
    std::vector<std::string> last_;

public:
    void note(const std::string& event) {
        noteWrites();
        out_ << stamp() << event << '\n';
    }
};

QVariant text(const std::string& s) {
    return QVariant(QString::fromStdString(s));
}

fakes::FakeAudioPlayer& stream(Story& s) {
    if (s.players.current == nullptr) throw std::runtime_error("no stream is open");
    return *s.players.current;
}

// "type url | link=… | title=…": one more item of the feed.
void addItem(Story& s, const std::string& argument) {
    std::istringstream in(argument);
    fakes::Episode e;
    std::string type, url, part;
    in >> type >> url;
    e.contents.push_back({type == "-" ? "" : type, url == "-" ? std::nullopt : std::optional(url)});
    while (std::getline(in, part, '|')) {
        part = QString::fromStdString(part).trimmed().toStdString();
        if (part.starts_with("link=")) e.link = part.substr(5);
        if (part.starts_with("title=")) e.title = part.substr(6);
        if (part.starts_with("enclosure=")) e.enclosure = part.substr(10), e.contents.clear();
    }
    s.feed.items->push_back(fakes::makeFeed({e}).items->front());
}

using Command = std::function<void(Story&, const std::string&)>;
const std::map<std::string, Command> kCommands = {
    {"feed", [](Story& s, const std::string& a) { s.feed = fakes::numberedFeed(std::stoi(a)); }},
    {"item", addItem},
    {"feed-title", [](Story& s, const std::string& a) { s.feed.title = syndra::Text(a); }},
    {"feed-fails",
     [](Story& s, const std::string& a) { s.error = syndra::ParserError::internalError(a); }},
    {"feed-not-found",
     [](Story& s, const std::string&) { s.error = syndra::ParserError::feedNotFound(); }},
    {"feed-is-atom",
     [](Story& s, const std::string&) {
         s.kind = [](auto) { return syndra::Feed(syndra::AtomFeed{}); };
     }},
    {"feed-is-json",
     [](Story& s, const std::string&) {
         s.kind = [](auto) { return syndra::Feed(syndra::JSONFeed{}); };
     }},
    {"feed-works", [](Story& s, const std::string&) { s.error.reset(); }},
    {"feed-is-rss",
     [](Story& s, const std::string&) {
         s.kind = [](auto f) { return syndra::Feed(std::move(f)); };
     }},
    {"feed-kept",
     [](Story& s, const std::string& a) {
         s.feedSource.stale = syndra::ParserError::internalError(a);
     }},
    {"feed-fresh", [](Story& s, const std::string&) { s.feedSource.stale.reset(); }},
    {"load", [](Story& s, const std::string&) { s.model->loadFeed(); }},
    {"ready", [](Story& s, const std::string& a) { stream(s).events.ready(a != "unseekable"); }},
    {"end", [](Story& s, const std::string&) { stream(s).events.endOfMedia(); }},
    {"fail",
     [](Story& s, const std::string& a) { stream(s).events.failed(QString::fromStdString(a)); }},
    {"stall", [](Story& s, const std::string&) { stream(s).stall(); }},
    {"position", [](Story& s, const std::string& a) { stream(s).setPosition(std::stod(a)); }},
    {"metadata", [](Story& s, const std::string& a) { stream(s).events.metadataLoaded(text(a)); }},
    {"metadata-number",
     [](Story& s, const std::string& a) {
         stream(s).events.metadataLoaded(QVariant(std::stoi(a)));
     }},
    {"metadata-empty",
     [](Story& s, const std::string&) { stream(s).events.metadataLoaded(QVariant(QString())); }},
    {"metadata-none",
     [](Story& s, const std::string&) { stream(s).events.metadataLoaded(std::nullopt); }},
    {"metadata-fail",
     [](Story& s, const std::string& a) {
         stream(s).events.metadataFailed(QString::fromStdString(a));
     }},
    {"keep-stream", [](Story& s, const std::string&) { s.kept = stream(s).events; }},
    {"kept-ends", [](Story& s, const std::string&) { s.kept->endOfMedia(); }},
    {"kept-metadata", [](Story& s, const std::string& a) { s.kept->metadataLoaded(text(a)); }},
    {"wait", [](Story& s, const std::string& a) { s.time.advance(std::stod(a)); }},
    {"jump", [](Story& s, const std::string& a) { s.time.jump(std::stod(a)); }},
    {"pause", [](Story& s, const std::string&) { s.model->pause(); }},
    {"play", [](Story& s, const std::string&) { s.model->play(); }},
    {"dismiss", [](Story& s, const std::string&) { s.model->setShowingAlert(false); }},
    {"time",
     [](Story& s, const std::string&) {
         s.note("time " + s.model->formattedTime().toStdString() + " position " +
                number(s.model->position()));
     }},
    {"count",
     [](Story& s, const std::string&) {
         s.note("streams " + std::to_string(s.players.alive) + " timers " +
                std::to_string(s.time.activeTimers()));
     }},
    {"destroy", [](Story& s, const std::string&) { s.model.reset(); }},
};

void Story::run(const std::string& command, const std::string& argument) {
    const auto found = kCommands.find(command);
    if (found == kCommands.end()) throw std::runtime_error("unknown command: " + command);
    found->second(*this, argument);
    noteWrites();
    time.drain();
}

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

std::vector<std::string> storyNames() {
    std::vector<std::string> names;
    for (const QString& file : QDir(QStringLiteral(TEST_DATA_DIR "/stories"))
                                   .entryList({QStringLiteral("*.story")}, QDir::Files, QDir::Name))
        names.push_back(file.chopped(6).toStdString());
    return names;
}

class BroadcastStory : public testing::TestWithParam<std::string> {};

TEST_P(BroadcastStory, HappensAsTold) {
    const std::string path = TEST_DATA_DIR "/stories/" + GetParam() + ".story";
    std::ifstream in(path);
    std::string line, script, expected;
    std::optional<Story> story;
    bool told = false;
    while (std::getline(in, line)) {
        if (told) {
            expected += line + '\n';
            continue;
        }
        script += line + '\n';
        if (line == kDivider) {
            told = true;
        } else if (!line.empty() && line[0] != '#') {
            const std::size_t space = line.find(' ');
            const std::string command = line.substr(0, space);
            const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
            try {
                if (!story) {
                    ASSERT_EQ(command, "start") << "a story begins with its start time";
                    story.emplace(argument);
                } else {
                    story->run(command, argument);
                }
            } catch (const std::exception& e) {
                FAIL() << path << ": " << line << ": " << e.what();
            }
        }
    }
    ASSERT_TRUE(story) << path;
    const std::string transcript = story->transcript();
    if (qEnvironmentVariableIsSet("STORIES_UPDATE")) {
        std::ofstream(path) << script << (told ? "" : std::string(kDivider) + "\n") << transcript;
        return;
    }
    ASSERT_TRUE(told) << path << " has no transcript yet: run with STORIES_UPDATE=1";
    EXPECT_EQ(transcript, expected) << path;
}

INSTANTIATE_TEST_SUITE_P(Player, BroadcastStory, testing::ValuesIn(storyNames()),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

}  // namespace
