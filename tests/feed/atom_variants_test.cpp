// Atom as found in the wild: the old 0.3 vocabulary and XHTML content must
// not break the parse or lose what comes after them in the entry.

#include <syndra/feed_parser.hpp>

#include <gtest/gtest.h>

namespace {

using syndra::FeedParser;

const syndra::AtomFeed& parseAtom(const std::string& document, syndra::Result& keep) {
    keep = FeedParser::fromData(document).parse();
    EXPECT_TRUE(keep.isSuccess()) << (keep.error() ? keep.error()->reason() : "");
    static const syndra::AtomFeed empty;
    if (!keep.isSuccess() || keep.feed()->atomFeed() == nullptr) return empty;
    return *keep.feed()->atomFeed();
}

TEST(AtomVariants, Atom03MapsWhatItSharesWithAtom10) {
    syndra::Result result = syndra::ParserError::feedNotFound();
    const auto& feed = parseAtom(R"(<?xml version="1.0" encoding="utf-8"?>
<feed version="0.3" xmlns="http://purl.org/atom/ns#">
  <title>Old Feed</title>
  <tagline>an old subtitle</tagline>
  <link rel="alternate" type="text/html" href="http://example.org/"/>
  <modified>2004-12-13T18:30:02Z</modified>
  <author><name>Ann</name></author>
  <entry>
    <title>First</title>
    <link rel="alternate" type="text/html" href="http://example.org/1"/>
    <id>tag:example.org,2004:1</id>
    <issued>2004-12-13T08:29:29-04:00</issued>
    <modified>2004-12-13T18:30:02Z</modified>
    <content type="text/html" mode="escaped">&lt;p&gt;Hello&lt;/p&gt;</content>
    <summary>Short</summary>
  </entry>
</feed>)",
                                 result);
    EXPECT_EQ(feed.title, syndra::Text("Old Feed"));
    ASSERT_TRUE(feed.links && feed.links->size() == 1);
    EXPECT_EQ(feed.links->front().attributes->href, syndra::Text("http://example.org/"));
    ASSERT_TRUE(feed.authors && feed.authors->size() == 1);
    EXPECT_EQ(feed.authors->front().name, syndra::Text("Ann"));
    EXPECT_FALSE(feed.subtitle);  // "tagline" is not an Atom 1.0 element
    EXPECT_FALSE(feed.updated);   // nor is "modified"
    ASSERT_TRUE(feed.entries && feed.entries->size() == 1);
    const auto& entry = feed.entries->front();
    EXPECT_EQ(entry.title, syndra::Text("First"));
    EXPECT_EQ(entry.id, syndra::Text("tag:example.org,2004:1"));
    ASSERT_TRUE(entry.content);
    EXPECT_EQ(entry.content->value, syndra::Text("<p>Hello</p>"));
    EXPECT_EQ(entry.content->attributes->type, syndra::Text("text/html"));
    ASSERT_TRUE(entry.summary);
    EXPECT_EQ(entry.summary->value, syndra::Text("Short"));
}

TEST(AtomVariants, XhtmlContentKeepsTheRestOfTheEntry) {
    syndra::Result result = syndra::ParserError::feedNotFound();
    const auto& feed = parseAtom(R"(<feed xmlns="http://www.w3.org/2005/Atom">
  <title>X</title>
  <entry>
    <title type="xhtml"><div xmlns="http://www.w3.org/1999/xhtml">Rich <b>title</b></div></title>
    <content type="xhtml">
      <div xmlns="http://www.w3.org/1999/xhtml"><p>One &amp; <em>two</em></p><p>Three&nbsp;four</p></div>
    </content>
    <updated>2005-07-31T12:29:29Z</updated>
    <link href="http://example.org/x"/>
    <category term="news"/>
  </entry>
  <entry><title>Second</title></entry>
</feed>)",
                                 result);
    ASSERT_TRUE(feed.entries && feed.entries->size() == 2);
    const auto& entry = feed.entries->front();
    ASSERT_TRUE(entry.content);
    EXPECT_EQ(entry.content->attributes->type, syndra::Text("xhtml"));
    // What follows the XHTML block is all there.
    ASSERT_TRUE(entry.updated);
    EXPECT_EQ(entry.updated->time_since_epoch().count(), 1122812969000);
    ASSERT_TRUE(entry.links && entry.links->size() == 1);
    EXPECT_EQ(entry.links->front().attributes->href, syndra::Text("http://example.org/x"));
    ASSERT_TRUE(entry.categories && entry.categories->size() == 1);
    EXPECT_EQ(feed.entries->back().title, syndra::Text("Second"));
}

}  // namespace
