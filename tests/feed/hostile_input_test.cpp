#include "walk_test_model.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace syndra::testing {
namespace {

std::string billionLaughs() {
    std::string doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE rss [\n<!ENTITY lol0 \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        doc += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) doc += "&lol" + std::to_string(i - 1) + ";";
        doc += "\">\n";
    }
    return doc + "]>\n<rss><channel><title>&lol9;</title></channel></rss>";
}

std::string quadraticBlowup() {
    std::string doc = "<!DOCTYPE rss [<!ENTITY big \"" + std::string(50000, 'a') +
                      "\">]>"
                      "<rss><channel><title>";
    for (int i = 0; i < 20000; ++i) doc += "&big;";
    return doc + "</title></channel></rss>";
}

std::string nested(int depth) {
    std::string doc;
    doc.reserve(11 * static_cast<std::size_t>(depth));
    for (int i = 0; i < depth; ++i) doc += "<rss>";
    for (int i = 0; i < depth; ++i) doc += "</rss>";
    return doc;
}

struct HostileCase {
    const char* name;
    std::string document;
    std::string errorStart;  // the error description starts with this
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileTest : public ::testing::TestWithParam<HostileCase> {};

// Each limit is proved by the error naming it, not by timing the parse: a
// timed bound is a benchmark and fails on a loaded machine.
TEST_P(HostileTest, EndsInTheErrorOfItsLimit) {
    const HostileCase& c = GetParam();
    const WalkOutcome outcome = walkDocument(c.document);
    EXPECT_EQ(errorOf(outcome).rfind(c.errorStart, 0), 0u) << errorOf(outcome);
}

const HostileCase kHostileCases[] = {
    {"BillionLaughs", billionLaughs(),
     "Internal unresolved error: limit on input amplification factor (from DTD and entities) "
     "breached"},
    {"QuadraticBlowup", quadraticBlowup(),
     "Internal unresolved error: limit on input amplification factor (from DTD and entities) "
     "breached"},
    {"MillionLevelsDeep", nested(1000000),
     "Internal unresolved error: Elements nested deeper than 512 levels at line 1"},
    {"TruncatedLargeDocument", "<rss><channel>" + std::string(3'000'000, 'x'),
     "Internal unresolved error: no element found"},
    {"BinaryGarbage", std::string("<rss>\x01\x02\xFF\xFE", 9),
     "Internal unresolved error: not well-formed (invalid token) at line 1, column 6"},
};

INSTANTIATE_TEST_SUITE_P(Documents, HostileTest, ::testing::ValuesIn(kHostileCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Depth, FiveHundredTwelveLevelsAreStillRead) {
    EXPECT_EQ(walkDocument(nested(512)).index(), 1u);
    EXPECT_EQ(errorOf(walkDocument(nested(513))),
              "Internal unresolved error: Elements nested deeper than 512 levels at line 1");
}

// One token that spans a megabyte, handed to expat a byte at a time: expat
// re-reads an unfinished token from its start on every call, so unless the
// reader grows its calls this takes about 10^12 steps instead of a moment.
struct HugeToken {
    const char* name;
    std::string document;
    std::string lastEvent;
};

void PrintTo(const HugeToken& c, std::ostream* os) {
    *os << c.name;
}

std::string megabyte(char fill) {
    return std::string(std::size_t{1} << 20, fill);
}

class HugeTokenTest : public ::testing::TestWithParam<HugeToken> {};

TEST_P(HugeTokenTest, IsReadInLinearTime) {
    const HugeToken& c = GetParam();
    detail::XmlReadOptions options;
    options.chunkSize = 1;
    const WalkOutcome outcome = walkDocument(c.document, options);
    ASSERT_NE(outcome.index(), 0u) << errorOf(outcome);
    const auto events = eventsOf(outcome);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().substr(0, 40), c.lastEvent.substr(0, 40));
    EXPECT_EQ(events.back().size(), c.lastEvent.size());
}

const HugeToken kHugeTokens[] = {
    {"AttributeValue",
     "<rss><channel><item><enclosure url=\"" + megabyte('u') + "\"/></item></channel></rss>",
     "</rss/channel/item/enclosure url=" + megabyte('u')},
    {"WhiteSpaceInATag",
     "<rss><channel><item><enclosure" + megabyte(' ') + "url=\"u\"/></item></channel></rss>",
     "</rss/channel/item/enclosure url=u"},
    {"AttributeName",
     "<rss><channel><item><enclosure " + megabyte('a') + "=\"1\"/></item></channel></rss>",
     "</rss/channel/item/enclosure " + megabyte('a') + "=1"},
    {"ElementName", "<rss><channel><" + megabyte('n') + "/><title>t</title></channel></rss>",
     "/rss/channel/title=t"},
    {"Comment", "<rss><channel><!--" + megabyte('c') + "--><title>t</title></channel></rss>",
     "/rss/channel/title=t"},
    {"ProcessingInstruction",
     "<rss><channel><?pi " + megabyte('p') + "?><title>t</title></channel></rss>",
     "/rss/channel/title=t"},
    {"EntityValue",
     "<!DOCTYPE rss [<!ENTITY e \"" + megabyte('e') +
         "\">]><rss><channel><title>t</title></channel></rss>",
     "/rss/channel/title=t"},
    {"Text", "<rss><channel><title>" + megabyte('t') + "</title></channel></rss>",
     "/rss/channel/title=" + megabyte('t')},
    {"CDATA", "<rss><channel><title><![CDATA[" + megabyte('d') + "]]></title></channel></rss>",
     "/rss/channel/title=" + megabyte('d')},
};

INSTANTIATE_TEST_SUITE_P(OneByteCalls, HugeTokenTest, ::testing::ValuesIn(kHugeTokens),
                         [](const auto& info) { return std::string(info.param.name); });

class ExternalEntities : public ::testing::Test {
protected:
    void SetUp() override {
        secretPath_ = ::testing::TempDir() + "syndra-secret-" + std::to_string(::getpid()) + ".txt";
        std::ofstream(secretPath_) << "SECRET-MARKER";
    }
    void TearDown() override { std::remove(secretPath_.c_str()); }
    std::string secretPath_;
};

TEST_F(ExternalEntities, AreNeverRead) {
    const std::string url = "file://" + secretPath_;
    const std::string documents[] = {
        // General entity in content.
        "<!DOCTYPE rss [<!ENTITY xxe SYSTEM \"" + url +
            "\">]>"
            "<rss><channel><title>a&xxe;b</title></channel></rss>",
        // Parameter entity pulled into the internal subset.
        "<!DOCTYPE rss [<!ENTITY % ext SYSTEM \"" + url +
            "\"> %ext;]>"
            "<rss><channel><title>ab</title></channel></rss>",
        // An external DTD named by the document.
        "<!DOCTYPE rss SYSTEM \"" + url + "\"><rss><channel><title>ab</title></channel></rss>",
    };
    for (const std::string& doc : documents) {
        const WalkOutcome outcome = walkDocument(doc);
        ASSERT_EQ(outcome.index(), 1u) << errorOf(outcome) << "\n" << doc;
        const auto events = eventsOf(outcome);
        EXPECT_EQ(events.back(), "/rss/channel/title=ab") << doc;
        for (const auto& e : events) EXPECT_EQ(e.find("SECRET"), std::string::npos) << doc;
    }
}

}  // namespace
}  // namespace syndra::testing
