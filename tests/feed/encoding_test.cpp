#include "detail/encoding.hpp"
#include "support/case_file.hpp"
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

// Documents in a charset, with or without a byte-order mark or a declaration:
// data/encodings.txt. The title must come out as the same UTF-8.
TEST(Encoding, TitlesInEveryCharsetReadAsTheSameUtf8) {
    const auto cases = testsupport::readCases(TEST_DATA_DIR "/encodings.txt");
    ASSERT_GT(cases.size(), 25u);
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        const std::string declaration = c[2] == "-"
                                            ? std::string("<?xml version=\"1.0\"?>")
                                            : "<?xml version=\"1.0\" encoding=\"" + c[2] + "\"?>";
        const std::string document = c[3] + encode(declaration + "\n<rss><channel><title>" + c[4] +
                                                       "</title></channel></rss>",
                                                   c[1].c_str());
        const WalkOutcome outcome = walkDocument(document);
        ASSERT_EQ(outcome.index(), 1u) << errorOf(outcome);
        const std::vector<std::string> expected = {"</rss/channel", "</rss/channel/title",
                                                   "/rss/channel/title=" + c[4]};
        EXPECT_EQ(eventsOf(outcome), expected);
    }
}

}  // namespace
}  // namespace syndra::testing
