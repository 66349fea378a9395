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

Date at(sys_days day, milliseconds time = {}) {
    return Date(day) + time;
}

TEST(Dump, DatesAreRFC3339InUTC) {
    const struct {
        Date date;
        const char* expected;
    } cases[] = {
        {at(1970y / 1 / 1), "1970-01-01T00:00:00Z"},
        {at(2003y / 6 / 10, 4h), "2003-06-10T04:00:00Z"},
        {at(2003y / 6 / 10, 2h + 120ms), "2003-06-10T02:00:00.120Z"},
        {at(2003y / 6 / 10, 2h + 1ms), "2003-06-10T02:00:00.001Z"},
        {at(2000y / 2 / 29, 23h + 59min + 59s), "2000-02-29T23:59:59Z"},
        {at(1970y / 1 / 1) - 1ms, "1969-12-31T23:59:59.999Z"},
        {at(1600y / 3 / 1), "1600-03-01T00:00:00Z"},
        {at(9999y / 12 / 31, 23h), "9999-12-31T23:00:00Z"},
        // Past 9999 as the RFC 3339 reader reads it; before 1582 in the
        // Julian calendar the readers use.
        {at(sys_days(10000y / 1 / 1)), "10000-01-01T00:00:00Z"},
        {at(sys_days(1000y / 1 / 6)), "1000-01-01T00:00:00Z"},
    };
    for (const auto& c : cases) {
        RSSFeed feed;
        feed.pubDate = c.date;
        EXPECT_EQ(toJSON(feed),
                  std::string(R"({"kind":"rss","feed":{"pubDate":")") + c.expected + R"("}})");
    }
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

TEST(Dump, JSONFeedKind) {
    EXPECT_EQ(toJSON(Feed(JSONFeed{})), R"({"kind":"json","feed":{}})");
    JSONFeed feed;
    feed.title = "T";
    feed.expired = true;
    feed.items.emplace();
    EXPECT_EQ(toJSON(feed), R"({"kind":"json","feed":{"title":"T","expired":true,"items":[]}})");
}

}  // namespace
}  // namespace syndra
