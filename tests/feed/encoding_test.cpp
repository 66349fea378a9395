#include "detail/encoding.hpp"
#include "walk_test_model.hpp"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

namespace syndra::testing {
namespace {

// `utf8` converted to `charset` with ICU (no byte-order mark added).
std::string encode(const std::string& utf8, const char* charset) {
    UErrorCode status = U_ZERO_ERROR;
    std::string out(utf8.size() * 4 + 16, '\0');
    const int32_t n = ucnv_convert(charset, "UTF-8", out.data(), static_cast<int32_t>(out.size()),
                                   utf8.data(), static_cast<int32_t>(utf8.size()), &status);
    EXPECT_TRUE(U_SUCCESS(status)) << charset << ": " << u_errorName(status);
    out.resize(static_cast<std::size_t>(std::max(n, 0)));
    return out;
}

std::string feedWithTitle(const std::string& declaration, const std::string& title) {
    return declaration + "\n<rss><channel><title>" + title + "</title></channel></rss>";
}

struct EncodingCase {
    const char* name;
    const char* charset;   // ICU name used to build the bytes
    const char* declared;  // in the XML declaration; nullptr for none
    std::string mark;      // byte-order mark put in front
    std::string title;     // UTF-8
};

void PrintTo(const EncodingCase& c, std::ostream* os) {
    *os << c.name;
}

class EncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingTest, TitleRoundTripsToUtf8) {
    const EncodingCase& c = GetParam();
    const std::string declaration =
        c.declared ? std::string("<?xml version=\"1.0\" encoding=\"") + c.declared + "\"?>"
                   : std::string("<?xml version=\"1.0\"?>");
    const std::string document = c.mark + encode(feedWithTitle(declaration, c.title), c.charset);
    const WalkOutcome outcome = walkDocument(document);
    ASSERT_EQ(outcome.index(), 1u) << errorOf(outcome);
    const std::vector<std::string> expected = {"</rss/channel", "</rss/channel/title",
                                               "/rss/channel/title=" + c.title};
    EXPECT_EQ(eventsOf(outcome), expected);
}

const std::string kMixed =
    "Gr\xC3\xBC\xC3\x9F"
    "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xA7";

const EncodingCase kEncodingCases[] = {
    {"Utf8WithMark", "UTF-8", nullptr, "\xEF\xBB\xBF", kMixed},
    {"Utf8MarkOutranksTheDeclaration", "UTF-8", "windows-1252", "\xEF\xBB\xBF", kMixed},
    {"Utf16LeWithMark", "UTF-16LE", "UTF-16", "\xFF\xFE", kMixed},
    {"Utf16BeWithMark", "UTF-16BE", "UTF-16", "\xFE\xFF", kMixed},
    {"Utf16LeWithoutMark", "UTF-16LE", "UTF-16", "", kMixed},
    {"Utf16BeWithoutMark", "UTF-16BE", "UTF-16", "", kMixed},
    {"Utf32LeWithMark", "UTF-32LE", "UTF-32", std::string("\xFF\xFE\0\0", 4), kMixed},
    {"Utf32BeWithMark", "UTF-32BE", "UTF-32", std::string("\0\0\xFE\xFF", 4), kMixed},
    {"Utf32LeWithoutMark", "UTF-32LE", "UTF-32", "", kMixed},
    {"Utf32BeWithoutMark", "UTF-32BE", "UTF-32", "", kMixed},
    {"Utf16DeclaredButWrittenIn8Bit", "UTF-8", "UTF-16", "", kMixed},
    {"Latin1", "ISO-8859-1", "ISO-8859-1", "", "caf\xC3\xA9 \xC2\xBD"},
    {"Windows1252", "windows-1252", "windows-1252", "",
     "\xE2\x80\x9C"
     "caf\xC3\xA9\xE2\x80\x9D \xE2\x82\xAC"},
    {"Windows1250", "windows-1250", "windows-1250", "", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"},
    {"Windows1251", "windows-1251", "windows-1251", "", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2"},
    {"Iso8859_2", "ISO-8859-2", "iso-8859-2", "", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"},
    {"Iso8859_7", "ISO-8859-7", "ISO-8859-7", "", "\xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7"},
    {"Iso8859_15", "ISO-8859-15", "ISO-8859-15", "",
     "\xE2\x82\xAC"
     "uro"},
    {"Koi8R", "KOI8-R", "KOI8-R", "", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2"},
    {"Macintosh", "macintosh", "macintosh", "", "caf\xC3\xA9"},
    {"ShiftJis", "Shift_JIS", "Shift_JIS", "", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"EucJp", "EUC-JP", "EUC-JP", "", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"Iso2022Jp", "ISO-2022-JP", "ISO-2022-JP", "", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"Gb2312", "GB2312", "GB2312", "", "\xE4\xB8\xAD\xE6\x96\x87"},
    {"Gbk", "GBK", "GBK", "", "\xE4\xB8\xAD\xE6\x96\x87"},
    {"Gb18030", "GB18030", "GB18030", "", "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x8E\xA7"},
    {"Big5", "Big5", "Big5", "", "\xE4\xB8\xAD\xE6\x96\x87"},
    {"EucKr", "EUC-KR", "EUC-KR", "", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"},
};

INSTANTIATE_TEST_SUITE_P(Charsets, EncodingTest, ::testing::ValuesIn(kEncodingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Encoding, BlankLinesBeforeTheDeclarationAreSkipped) {
    const WalkOutcome outcome = walkDocument(
        "\xEF\xBB\xBF\n\n  \r\n<?xml version=\"1.0\" encoding=\"UTF-8\"?><rss><channel/></rss>");
    EXPECT_EQ(outcome.index(), 1u) << errorOf(outcome);
}

TEST(Encoding, UnusableDocumentsGiveAClearError) {
    const std::pair<std::string, std::string> cases[] = {
        {feedWithTitle("<?xml version=\"1.0\" encoding=\"x-foo\"?>", "t"),
         "Unsupported encoding \"x-foo\""},
        // A converter option smuggled into the name is not handed to ICU.
        {feedWithTitle("<?xml version=\"1.0\" encoding=\"ISO-2022,locale=ja\"?>", "t"),
         "Unsupported encoding \"ISO-2022,locale=ja\""},
        // EBCDIC moves ASCII: markup could not be read.
        {feedWithTitle("<?xml version=\"1.0\" encoding=\"ibm-37\"?>", "t"),
         "Unsupported encoding \"ibm-37\""},
        {feedWithTitle("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", "\x82\xA0\x82"),
         "Invalid byte sequence for encoding \"Shift_JIS\" at offset 66"},
        {std::string("\xFF\xFE<\0r\0\x00\xD8", 8),
         "Invalid byte sequence for encoding \"UTF-16LE\" at offset 4"},
    };
    for (const auto& [document, reason] : cases) {
        EXPECT_EQ(errorOf(walkDocument(document)), "Internal unresolved error: " + reason);
    }
}

TEST(Encoding, SniffsMarksAndUnmarkedUtf16) {
    using detail::UnicodeForm;
    const std::pair<std::string, detail::Sniffed> cases[] = {
        {"<?xml", {UnicodeForm::unknown, 0}},
        {"\xEF\xBB\xBF<", {UnicodeForm::utf8, 3}},
        {"\xFF\xFE<", {UnicodeForm::utf16le, 2}},
        {"\xFE\xFF", {UnicodeForm::utf16be, 2}},
        {std::string("\xFF\xFE\0\0", 4), {UnicodeForm::utf32le, 4}},
        {std::string("\0\0\xFE\xFF", 4), {UnicodeForm::utf32be, 4}},
        {std::string("<\0?\0", 4), {UnicodeForm::utf16le, 0}},
        {std::string("\0<\0?", 4), {UnicodeForm::utf16be, 0}},
        {std::string("\xFF", 1), {UnicodeForm::unknown, 0}},
    };
    for (const auto& [bytes, expected] : cases) {
        const detail::Sniffed s = detail::sniffUnicodeForm(bytes);
        EXPECT_EQ(s.form, expected.form) << ::testing::PrintToString(bytes);
        EXPECT_EQ(s.markLength, expected.markLength) << ::testing::PrintToString(bytes);
    }
}

TEST(Encoding, ReadsTheDeclaredName) {
    const std::pair<std::string, std::optional<std::string_view>> cases[] = {
        {"<?xml version='1.0' encoding='KOI8-R'?>", "KOI8-R"},
        {"<?xml version=\"1.0\"\n  encoding = \"gb2312\" standalone='yes'?>", "gb2312"},
        {"<?xml version='1.0'?><x encoding='no'/>", std::nullopt},
        {"<?xml-stylesheet encoding='no'?>", std::nullopt},
        {"<rss encoding='no'/>", std::nullopt},
        {"<?xml version='1.0' encoding='unterminated", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(detail::declaredEncoding(text), expected) << text;
    }
}

}  // namespace
}  // namespace syndra::testing
