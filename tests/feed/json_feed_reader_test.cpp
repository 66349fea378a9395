// The one-pass JSON Feed reader against the keyed decoder it stands in for:
// whenever it answers, the decoder must succeed with the very same feed (as
// bytes, once encoded); whenever the decoder fails, the reader must not
// answer. Sound documents must be answered, or the reader is useless.

#include <syndra/date_formatters.hpp>
#include <syndra/json_feed.hpp>

#include "detail/json_feed_codec.hpp"
#include "detail/json_feed_decoding.hpp"
#include "detail/json_feed_reader.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace syndra {
namespace {

std::optional<JSONFeed> keyedDecode(std::string_view json) {
    const RFC3339DateFormatter dates;
    auto decoded = platform::json::decode<JSONFeed>(
        json, [&dates](std::string_view text) { return dates.date(text); });
    if (auto* feed = std::get_if<JSONFeed>(&decoded)) return std::move(*feed);
    return std::nullopt;
}

std::optional<JSONFeed> quickRead(std::string_view json) {
    const RFC3339DateFormatter dates;
    return detail::readJSONFeed(json, dates);
}

std::string printable(std::string_view text) {
    std::string out;
    for (const char c : text.substr(0, 400)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return text.size() > 400 ? out + "..." : out;
}

struct Tally {
    long documents = 0;
    long answered = 0;
    long failures = 0;
};

void compare(const std::string& json, bool sound, Tally& tally) {
    ++tally.documents;
    const auto quick = quickRead(json);
    auto fail = [&](std::string_view what) {
        if (++tally.failures <= 10) ADD_FAILURE() << what << ": " << printable(json);
    };
    if (!quick) {
        if (sound) fail("a sound document was not read");
        return;
    }
    ++tally.answered;
    const auto keyed = keyedDecode(json);
    if (!keyed) return fail("read a document the keyed decoder rejects");
    if (encodeJSONFeed(*quick) != encodeJSONFeed(*keyed)) fail("read differently");
}

// ---------------------------------------------------------------------------

struct Case {
    const char* name;
    std::string json;
    bool answered;
};

TEST(JsonFeedReaderTest, AnswersSoundDocumentsAndLeavesTheRest) {
    const Case cases[] = {
        {"Empty", "{}", true},
        {"SpacesAround", " \r\n\t{ } \n", true},
        {"Nulls", R"({"title":null,"items":null,"author":null,"expired":null})", true},
        {"UnknownMembersAnyDepth",
         R"({"_x":{"a":[1,-2.5e3,true,false,null,{"b":"c"}]},"items":[]})", true},
        {"EscapedMemberName", R"({"ti\u0074le":"t"})", true},
        {"Escapes", R"({"title":"\"\\\/\b\f\n\r\t\u00e9\ud83c\udfa7\u0000"})", true},
        {"IntegerId", R"({"items":[{"id":123},{"id":-5},{"id":"x"}]})", true},
        {"IntegerSizes",
         R"({"items":[{"attachments":[{"size_in_bytes":-0,"duration_in_seconds":-0}]}]})", true},
        {"FractionDuration", R"({"items":[{"attachments":[{"duration_in_seconds":1.5e2}]}]})",
         true},
        {"AuthorWithUrlOnly", R"({"author":{"url":"u"}})", true},
        {"HubWithoutUrl", R"({"hubs":[{"type":"WebSub"}]})", true},
        // Left to the keyed decoder: it fails, or reads these its own way.
        {"TitleTwice", R"({"title":"a","title":"b"})", false},
        {"ByteOrderMark", "\xEF\xBB\xBF{}", false},
        {"TopLevelArray", "[]", false},
        {"TrailingComma", R"({"title":"a",})", false},
        {"TrailingBytes", "{} x", false},
        {"SecondDocument", "{}{}", false},
        {"LoneSurrogate", R"({"title":"\ud800"})", false},
        {"LowSurrogateFirst", R"({"title":"\udc00\ud800"})", false},
        {"RawControlCharacter", "{\"title\":\"a\x01\"}", false},
        {"BrokenUtf8", "{\"title\":\"caf\xC3\"}", false},
        {"OverlongUtf8", "{\"title\":\"\xC0\xAF\"}", false},
        {"EncodedSurrogate", "{\"title\":\"\xED\xA0\x80\"}", false},
        {"LeadingZero", R"({"_x":01})", false},
        {"BareFraction", R"({"_x":1.})", false},
        {"OverflowingNumber", R"({"_x":6e666})", false},
        {"OverflowingDuration", R"({"items":[{"attachments":[{"duration_in_seconds":-1e999}]}]})",
         false},
        {"NegativeZeroId", R"({"items":[{"id":-0}]})", false},
        {"FractionalSize", R"({"items":[{"attachments":[{"size_in_bytes":1.0}]}]})", false},
        {"HugeSize", R"({"items":[{"attachments":[{"size_in_bytes":9223372036854775807}]}]})",
         false},
        {"WrongType", R"({"version":1})", false},
        {"ExpiredAsText", R"({"expired":"true"})", false},
        {"AuthorOfNothing", R"({"author":{"name":null}})", false},
        {"HubWithoutType", R"({"hubs":[{"url":"u"}]})", false},
        {"NullTag", R"({"items":[{"tags":["a",null]}]})", false},
        {"NotADate", R"({"items":[{"date_published":"yesterday"}]})", false},
        {"Rfc822Date", R"({"items":[{"date_published":"Tue, 10 Jun 2003 04:00:00 GMT"}]})", false},
        {"TooDeep", "{\"_x\":" + std::string(600, '[') + std::string(600, ']') + "}", false},
        {"Truncated", R"({"items":[{"title":"a"})", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto quick = quickRead(c.json);
        EXPECT_EQ(quick.has_value(), c.answered);
        if (quick) {
            const auto keyed = keyedDecode(c.json);
            ASSERT_TRUE(keyed.has_value());
            EXPECT_EQ(encodeJSONFeed(*quick), encodeJSONFeed(*keyed));
        }
        // Through the front end, the answer (or the keyed decoder's error) is the same.
        const Result result = detail::decodeJSONFeed(c.json);
        EXPECT_EQ(result.feed() != nullptr, keyedDecode(c.json).has_value());
    }
}

// ---------------------------------------------------------------------------
// Generated documents.

class Random {
public:
    explicit Random(std::uint64_t seed) noexcept : state_(seed) {}
    std::uint64_t next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) noexcept { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool percent(int p) noexcept { return below(100) < p; }
    template <class T, std::size_t N>
    const T& pick(const std::array<T, N>& items) noexcept {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

private:
    std::uint64_t state_;
};

// Builds one document; `sound` turns false as soon as anything is written
// that the keyed decoder would reject or that the reader leaves to it.
class Generator {
public:
    explicit Generator(Random& r) : r_(r) {}

    std::string document(bool& sound) {
        sound_ = true;
        out_.clear();
        feed();
        sound = sound_;
        return out_;
    }

private:
    void space() {
        static constexpr std::array<std::string_view, 6> kSpaces = {"",     "",   " ",
                                                                    "\n  ", "\t", "\r\n"};
        out_ += r_.pick(kSpaces);
    }

    void text() {
        static constexpr std::array<std::string_view, 14> kPieces = {"Cassette",
                                                                     " hour ",
                                                                     "caf\xC3\xA9",
                                                                     "\xE6\x9D\xB1\xE4\xBA\xAC",
                                                                     "\xF0\x9F\x8E\xA7",
                                                                     "\\\"",
                                                                     "\\\\",
                                                                     "\\/",
                                                                     "\\n\\t",
                                                                     "\\u00e9",
                                                                     "\\ud83c\\udfa7",
                                                                     "\\u0000",
                                                                     "&amp;",
                                                                     "\x7F"};
        static constexpr std::array<std::string_view, 6> kBroken = {"\\ud800", "\\x",  "\x01",
                                                                    "\xFF",    "\xC3", "\\u12"};
        out_ += '"';
        for (int n = r_.below(5); n > 0; --n) out_ += r_.pick(kPieces);
        if (r_.below(300) == 0) {
            out_ += r_.pick(kBroken);
            sound_ = false;
        }
        out_ += '"';
    }

    // Anything JSON: what unknown members carry.
    void anyValue(int depth) {
        static constexpr std::array<std::string_view, 8> kScalars = {
            "0", "-12", "3.25", "1e-7", "-0.0E+2", "true", "false", "null"};
        const int kind = depth > 3 ? 0 : r_.below(4);
        if (kind == 1) {
            out_ += '[';
            for (int n = r_.below(4), i = 0; i < n; ++i) {
                if (i > 0) out_ += ',';
                space();
                anyValue(depth + 1);
            }
            out_ += ']';
        } else if (kind == 2) {
            out_ += '{';
            for (int n = r_.below(3), i = 0; i < n; ++i) {
                if (i > 0) out_ += ',';
                out_ += "\"k" + std::to_string(r_.below(3)) + "\":";
                anyValue(depth + 1);
            }
            out_ += '}';
        } else if (kind == 3) {
            text();
        } else {
            out_ += r_.pick(kScalars);
        }
    }

    // A value of the wrong kind for any field, or nothing odd at all.
    bool odd() {
        if (!r_.percent(1)) return false;
        static constexpr std::array<std::string_view, 6> kWrong = {"1",  "\"x\"", "[]",
                                                                   "{}", "true",  "[null]"};
        out_ += r_.pick(kWrong);
        sound_ = false;
        return true;
    }

    // True when a real value was written (not null, nothing odd).
    template <class Value>
    bool member(std::string_view name, Value&& value) {
        out_ += '"';
        out_ += name;
        out_ += "\":";
        space();
        if (r_.percent(6)) {
            out_ += "null";
            return false;
        }
        if (odd()) return false;
        value();
        return true;
    }

    // A record's members in random order, some left out, maybe one twice,
    // maybe unknown ones between them.
    template <std::size_t N, class Write>
    void record(Write&& write) {
        out_ += '{';
        space();
        bool first = true;
        auto comma = [&] {
            if (!first) out_ += ',';
            first = false;
            space();
        };
        std::array<std::size_t, N> order{};
        for (std::size_t i = 0; i < N; ++i) order[i] = i;
        for (std::size_t i = N; i > 1; --i) {
            std::swap(order[i - 1], order[static_cast<std::size_t>(r_.below(static_cast<int>(i)))]);
        }
        for (const std::size_t i : order) {
            if (r_.percent(30)) continue;
            comma();
            write(i);
        }
        if (r_.percent(1)) {
            comma();
            write(order[0]);
            sound_ = false;  // twice: the decoder keeps the last one
        }
        if (r_.percent(20)) {
            comma();
            out_ += "\"_extension\":";
            anyValue(0);
        }
        space();
        out_ += '}';
    }

    void integer() {
        static constexpr std::array<std::string_view, 5> kSound = {"0", "48213992", "-7",
                                                                   "123456789012345678", "1"};
        static constexpr std::array<std::string_view, 6> kOdd = {
            "1.0", "1e3", "-0.5", "9223372036854775807", "18446744073709551616", "01"};
        if (r_.percent(2)) {
            out_ += r_.pick(kOdd);
            sound_ = false;
        } else {
            out_ += r_.pick(kSound);
        }
    }

    void date() {
        static constexpr std::array<std::string_view, 5> kSound = {
            "2003-12-13T18:30:02Z", "2003-12-13T18:30:02.25+01:00", "2024-02-29T23:59:59-08:00",
            "2003-12-13T18:30:02.123Z", "2003-06-10T04:00:00-05:+0100"};
        static constexpr std::array<std::string_view, 3> kOdd = {"Tue, 10 Jun 2003 04:00:00 GMT",
                                                                 "2003-13-01T00:00:00Z", ""};
        out_ += '"';
        if (r_.percent(2)) {
            out_ += r_.pick(kOdd);
            sound_ = false;
        } else {
            out_ += r_.pick(kSound);
        }
        out_ += '"';
    }

    template <class Element>
    void list(int most, Element&& element) {
        out_ += '[';
        for (int n = r_.below(most + 1), i = 0; i < n; ++i) {
            if (i > 0) out_ += ',';
            space();
            element();
        }
        out_ += ']';
    }

    void author() {
        static constexpr std::array<std::string_view, 3> kNames = {"name", "url", "avatar"};
        // An author needs one of its three members with a value.
        bool any = false;
        record<kNames.size()>([&](std::size_t i) {
            if (member(kNames[i], [&] { text(); })) any = true;
        });
        if (!any) sound_ = false;
    }

    void hub() {
        out_ += "{\"type\":";
        if (r_.percent(5)) {
            out_ += "null";
            sound_ = false;
        } else {
            text();
        }
        if (r_.percent(50)) {
            out_ += ",\"url\":";
            text();
        }
        out_ += '}';
    }

    void attachment() {
        static constexpr std::array<std::string_view, 5> kNames = {
            "title", "url", "mime_type", "size_in_bytes", "duration_in_seconds"};
        record<kNames.size()>([&](std::size_t i) {
            member(kNames[i], [&] {
                if (i == 3) {
                    integer();
                } else if (i == 4) {
                    static constexpr std::array<std::string_view, 5> kDurations = {
                        "90", "1.5", "3723.25", "-0", "2.5e3"};
                    out_ += r_.pick(kDurations);
                } else {
                    text();
                }
            });
        });
    }

    void item() {
        static constexpr std::array<std::string_view, 14> kNames = {
            "id",           "title",          "url",           "external_url",
            "content_text", "content_html",   "summary",       "image",
            "banner_image", "date_published", "date_modified", "tags",
            "author",       "attachments"};
        record<kNames.size()>([&](std::size_t i) {
            member(kNames[i], [&] {
                if (i == 0) {
                    if (r_.percent(30)) {
                        integer();
                    } else {
                        text();
                    }
                } else if (i == 9 || i == 10) {
                    date();
                } else if (i == 11) {
                    list(3, [&] { text(); });
                } else if (i == 12) {
                    author();
                } else if (i == 13) {
                    list(2, [&] { attachment(); });
                } else {
                    text();
                }
            });
        });
    }

    void feed() {
        static constexpr std::array<std::string_view, 13> kNames = {
            "version",  "title",    "user_comment", "home_page_url", "description",
            "feed_url", "next_url", "icon",         "favicon",       "expired",
            "author",   "hubs",     "items"};
        space();
        record<kNames.size()>([&](std::size_t i) {
            member(kNames[i], [&] {
                if (i == 9) {
                    out_ += r_.percent(50) ? "true" : "false";
                } else if (i == 10) {
                    author();
                } else if (i == 11) {
                    list(2, [&] { hub(); });
                } else if (i == 12) {
                    list(4, [&] { item(); });
                } else {
                    text();
                }
            });
        });
        space();
    }

    Random& r_;
    std::string out_;
    bool sound_ = true;
};

TEST(JsonFeedReaderTest, AgreesWithTheKeyedDecoderOnGeneratedDocuments) {
    Random r(0x75EED'0000'0002ull);
    Generator generator(r);
    Tally generated;
    Tally edited;
    std::vector<std::string> bases;
    for (int i = 0; i < 4000; ++i) {
        bool sound = false;
        const std::string json = generator.document(sound);
        compare(json, sound, generated);
        if (sound && json.size() > 150 && json.size() < 400 && bases.size() < 8) {
            bases.push_back(json);
        }
    }
    // Every single-byte edit of a few sound documents.
    static constexpr std::array<std::string_view, 17> kPieces = {
        "\"", "\\", "{", "}", "[", "]",    ",",    ":",   "0",
        "-",  ".",  "e", "n", " ", "\x01", "\xFF", "\xC3"};
    for (const auto& base : bases) {
        for (std::size_t at = 0; at < base.size(); ++at) {
            compare(base.substr(0, at) + base.substr(at + 1), false, edited);
            for (const auto piece : kPieces) {
                compare(base.substr(0, at) + std::string(piece) + base.substr(at + 1), false,
                        edited);
            }
        }
    }
    std::printf("[ reader   ] generated %ld (read %ld), edited %ld (read %ld)\n",
                generated.documents, generated.answered, edited.documents, edited.answered);
    EXPECT_EQ(generated.failures + edited.failures, 0);
    EXPECT_GE(bases.size(), 4u);
    EXPECT_GT(generated.answered * 2, generated.documents);
}

}  // namespace
}  // namespace syndra
