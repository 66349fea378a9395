#include "detail/html_entities.hpp"

#include <gtest/gtest.h>

namespace syndra {
namespace {

// Documents using the names are read in xml_walk_test.cpp (data/walk/documents.txt).
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
}  // namespace syndra
