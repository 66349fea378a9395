#include "detail/html_entities.hpp"
#include "walk_test_model.hpp"

#include <gtest/gtest.h>

namespace syndra::testing {
namespace {

struct EntityCase {
    const char* name;
    std::string document;
    std::vector<std::string> events;  // empty: expect `error`
    std::string error;
};

void PrintTo(const EntityCase& c, std::ostream* os) {
    *os << c.name;
}

class EntityTest : public ::testing::TestWithParam<EntityCase> {};

TEST_P(EntityTest, ReadsAsExpected) {
    const EntityCase& c = GetParam();
    const WalkOutcome outcome = walkDocument(c.document);
    if (c.events.empty()) {
        EXPECT_EQ(errorOf(outcome), c.error);
    } else {
        ASSERT_EQ(outcome.index(), 1u) << errorOf(outcome);
        EXPECT_EQ(eventsOf(outcome), c.events);
    }
}

const std::string kItem = "<rss><channel><item>";
const std::string kEnd = "</item></channel></rss>";

const EntityCase kEntityCases[] = {
    {"UndeclaredHtmlNamesReadAsCharacters",
     kItem + "<title>a&nbsp;b&eacute;&mdash;&rsquo;&hellip;</title>" + kEnd,
     {"</rss/channel", "</rss/channel/item", "</rss/channel/item/title",
      "/rss/channel/item/title=a\xC2\xA0"
      "b\xC3\xA9\xE2\x80\x94\xE2\x80\x99\xE2\x80\xA6"},
     ""},
    {"NamesStandingForMarkupCharactersStayText",
     kItem + "<title>&AMP;&LT;b&GT;&bsol;&ThickSpace;&fjlig;</title>" + kEnd,
     {"</rss/channel", "</rss/channel/item", "</rss/channel/item/title",
      "/rss/channel/item/title=&<b>\\\xE2\x81\x9F\xE2\x80\x8A"
      "fj"},
     ""},
    {"InAttributeValues",
     kItem + "<enclosure url='a&amp;b&nbsp;&LT;' />" + kEnd,
     {"</rss/channel", "</rss/channel/item", "</rss/channel/item/enclosure url=a&b\xC2\xA0<"},
     ""},
    {"TheDocumentsOwnDeclarationWins",
     "<!DOCTYPE rss [<!ENTITY nbsp 'NB'><!ENTITY show 'My &eacute;'>]>" + kItem +
         "<title>&nbsp;&show;</title>" + kEnd,
     {"</rss/channel", "</rss/channel/item", "</rss/channel/item/title",
      "/rss/channel/item/title=NBMy \xC3\xA9"},
     ""},
    // An external DTD is never read; the HTML names still resolve.
    {"WithAnExternalDoctype",
     "<!DOCTYPE rss PUBLIC \"-//Netscape Communications//DTD RSS 0.91//EN\" "
     "\"http://my.netscape.com/publish/formats/rss-0.91.dtd\">" +
         kItem + "<title>&copy;&nbsp;</title>" + kEnd,
     {"</rss/channel", "</rss/channel/item", "</rss/channel/item/title",
      "/rss/channel/item/title=\xC2\xA9\xC2\xA0"},
     ""},
    // standalone="yes" would forbid entities declared outside the document.
    {"InAStandaloneDocument",
     "<?xml version='1.0' standalone='yes'?>" + kItem + "<title>&eacute;</title>" + kEnd,
     {"</rss/channel", "</rss/channel/item", "</rss/channel/item/title",
      "/rss/channel/item/title=\xC3\xA9"},
     ""},
    {"UnknownNameIsAnError",
     kItem + "<title>&nosuchname;</title>" + kEnd,
     {},
     "Internal unresolved error: undefined entity \"&nosuchname;\" at line 1, column 28"},
    {"UnknownNameBesideAKnownOne",
     kItem + "<title>&nbsp;&nosuchname;</title>" + kEnd,
     {},
     "Internal unresolved error: undefined entity \"&nosuchname;\" at line 1, column 34"},
    {"UnknownNameWithAnExternalDoctype",
     "<!DOCTYPE rss SYSTEM \"rss.dtd\">" + kItem + "<title>&nosuchname;</title>" + kEnd,
     {},
     "Internal unresolved error: undefined entity \"&nosuchname;\" at line 1, column 59"},
    {"NamesAreCaseSensitive",
     kItem + "<title>&NBSP;</title>" + kEnd,
     {},
     "Internal unresolved error: undefined entity \"&NBSP;\" at line 1, column 28"},
};

INSTANTIATE_TEST_SUITE_P(Documents, EntityTest, ::testing::ValuesIn(kEntityCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HtmlEntityTable, LooksUpNamesWithoutTheSemicolon) {
    EXPECT_EQ(detail::htmlEntity("nbsp"), "\xC2\xA0");
    EXPECT_EQ(detail::htmlEntity("AElig"), "\xC3\x86");
    EXPECT_EQ(detail::htmlEntity("zwnj"), "\xE2\x80\x8C");
    for (const char* absent : {"amp", "lt", "gt", "quot", "apos", "nbsp;", "", "Nbsp"}) {
        EXPECT_FALSE(detail::htmlEntity(absent).has_value()) << absent;
    }
}

TEST(HtmlEntityTable, DeclaresOnlyTheNamesADocumentUses) {
    EXPECT_EQ(detail::htmlEntityDeclarations("a &nbsp; &amp; &nbsp; &#160; &x; & nbsp;"),
              "<!ENTITY nbsp \"&#38;#xA0;\">\n");
    EXPECT_EQ(detail::htmlEntityDeclarations("no references"), "");
    EXPECT_EQ(detail::htmlEntityDeclarations("&fjlig;"),
              "<!ENTITY fjlig \"&#38;#x66;&#38;#x6A;\">\n");
}

}  // namespace
}  // namespace syndra::testing
