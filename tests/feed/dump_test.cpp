// The JSON dump: the format tools and the golden files rely on.

#include <syndra/dump.hpp>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <string>

namespace syndra {
namespace {

using namespace std::chrono;

// Dates print as RFC 3339 in UTC, as data/dates/dates.txt has them written;
// before 1582 in the Julian calendar the readers use.
TEST(Dump, DatesAreRFC3339InUTC) {
    RSSFeed feed;
    feed.pubDate = Date(sys_days(1000y / 1 / 6)) + 2h + 120ms;
    EXPECT_EQ(toJSON(feed), R"({"kind":"rss","feed":{"pubDate":"1000-01-01T02:00:00.120Z"}})");
}

TEST(Dump, ExtremeDatesStillGiveValidJSON) {
    for (const auto ms :
         {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()}) {
        RSSFeed feed;
        feed.lastBuildDate = Date(milliseconds(ms));
        EXPECT_TRUE(nlohmann::json::accept(toJSON(feed))) << ms;
    }
}

TEST(Dump, AbsentEmptyAndOrder) {
    RSSFeed feed;
    EXPECT_EQ(toJSON(feed), R"({"kind":"rss","feed":{}})");

    // Declaration order, whatever the order of filling; absent fields and
    // empty extension objects are left out; empty lists print.
    feed.iTunes.emplace();
    feed.skipDays = std::vector{RSSFeedSkipDay::sunday, RSSFeedSkipDay::monday};
    feed.items.emplace();
    feed.items->emplace_back().categories.emplace();
    feed.ttl = 60;
    feed.title = "T";
    EXPECT_EQ(toJSON(feed),
              R"({"kind":"rss","feed":{"title":"T","ttl":60,"skipDays":["sunday","monday"],)"
              R"("items":[{"categories":[]}],"iTunes":{}}})");
}

TEST(Dump, NumbersBooleansAndEnumerations) {
    MediaNamespace media;
    media.mediaLocation.emplace().latitude = std::numeric_limits<double>::infinity();
    media.mediaLocation->longitude = -std::numeric_limits<double>::infinity();
    media.mediaLocation->attributes.emplace().start = 2.5;
    media.mediaCommunity.emplace().mediaStarRating.emplace().attributes.emplace().average =
        std::numeric_limits<double>::quiet_NaN();
    media.mediaContents.emplace().emplace_back().attributes.emplace().isDefault = false;

    AtomFeed feed;
    feed.entries.emplace().emplace_back().media = media;
    EXPECT_EQ(
        toJSON(feed),
        R"({"kind":"atom","feed":{"entries":[{"media":{"mediaContents":[{"attributes":{"isDefault":false}}],)"
        R"("mediaCommunity":{"mediaStarRating":{"attributes":{"average":"nan"}}},)"
        R"("mediaLocation":{"attributes":{"start":2.5},"latitude":"inf","longitude":"-inf"}}}]}})");

    RSSFeed rss;
    rss.syndication.emplace().syUpdatePeriod = SyndicationUpdatePeriod::weekly;
    rss.syndication->syUpdateFrequency = -3;
    EXPECT_EQ(
        toJSON(rss),
        R"({"kind":"rss","feed":{"syndication":{"syUpdatePeriod":"weekly","syUpdateFrequency":-3}}})");
}

TEST(Dump, TextIsAlwaysValidJSON) {
    RSSFeed feed;
    feed.title = "Tom & \"Jerry\"\n\t<b>\x01";
    feed.description = "bad \xff\xfe bytes, cut \xe2\x82";
    const std::string out = toJSON(feed);
    const auto parsed = nlohmann::json::parse(out);
    EXPECT_EQ(parsed["feed"]["title"], "Tom & \"Jerry\"\n\t<b>\x01");
    EXPECT_EQ(parsed["feed"]["description"], "bad \uFFFD\uFFFD bytes, cut \uFFFD");
}

TEST(Dump, Indent) {
    AtomFeed feed;
    feed.title = "T";
    feed.links.emplace();
    EXPECT_EQ(toJSON(feed, 2),
              "{\n  \"kind\": \"atom\",\n  \"feed\": {\n    \"title\": \"T\",\n"
              "    \"links\": []\n  }\n}");
    EXPECT_EQ(toJSON(feed, 0),
              "{\n\"kind\": \"atom\",\n\"feed\": {\n\"title\": \"T\",\n"
              "\"links\": []\n}\n}");
    EXPECT_EQ(toJSON(feed, -5), R"({"kind":"atom","feed":{"title":"T","links":[]}})");
    // A huge indent is bounded rather than honoured byte for byte.
    EXPECT_EQ(toJSON(feed, 1'000'000'000), toJSON(feed, 32));
}

}  // namespace
}  // namespace syndra
