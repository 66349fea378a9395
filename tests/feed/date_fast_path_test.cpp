// The quick date reader against the ICU patterns it stands in for: over a
// large deterministic set of valid, nearly valid and hostile texts, whenever
// it answers, every formatter it claims must give exactly the same instant.
// SYNDRA_DATE_DIFF_SCALE=N multiplies the number of texts (for release runs).

#include <syndra/conversions.hpp>
#include <syndra/date_formatters.hpp>

#include "detail/date_fast_path.hpp"
#include "detail/icu_dates.hpp"
#include "detail/unicode_trim.hpp"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace syndra {
namespace {

using namespace std::chrono;
using std::nullopt;

std::string show(const std::optional<Date>& date) {
    return date ? std::to_string(date->time_since_epoch().count()) + " ms" : "no date";
}

std::string escaped(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

Date at(int y, unsigned mo, unsigned d, int h, int mi, int s, int ms = 0) {
    return Date(sys_days(year(y) / month(mo) / day(d)) + hours(h) + minutes(mi) + seconds(s) +
                milliseconds(ms));
}

std::optional<Date> quick(std::string_view text) {
    const auto answer = detail::quickDate(detail::trimWhiteSpaceAndNewlines(text));
    return answer ? std::optional<Date>(answer->date) : nullopt;
}

// ---------------------------------------------------------------------------
// Where the quick reader stops: these pin the boundaries it was built to, so
// that a change that widens them has to come with a look at ICU first.

struct BoundaryCase {
    std::string text;
    std::optional<Date> quick;  // nothing: left to ICU
};

TEST(DateFastPathTest, AnswersPlainShapesAndLeavesTheRestToIcu) {
    const Date june10 = at(2003, 6, 10, 4, 0, 0);
    const BoundaryCase cases[] = {
        {"Tue, 10 Jun 2003 04:00:00 GMT", june10},
        {"Tue, 10 Jun 2003 04:00 GMT", june10},
        {"10 Jun 2003 04:00:00 +0000", june10},
        {"10 Jun 2003 04:00 Z", june10},
        {"Sun, 1 Jun 2003 04:00:00 UT", at(2003, 6, 1, 4, 0, 0)},
        {"Sun, 01 Jun 2003 04:00:00 UTC", at(2003, 6, 1, 4, 0, 0)},
        {"Wed, 02 Oct 2002 08:00:00 EST", at(2002, 10, 2, 13, 0, 0)},
        {"Tue, 10 Jun 2003 04:00:00 PDT", at(2003, 6, 10, 11, 0, 0)},
        {"Tue, 10 Jun 2003 04:00:00 -05:00", at(2003, 6, 10, 9, 0, 0)},
        {"Tue, 10 Jun 2003 04:00:00 GMT+2", at(2003, 6, 10, 2, 0, 0)},
        {"Tue, 10 Jun 2003 04:00:00 UTC-9:30", at(2003, 6, 10, 13, 30, 0)},
        {"Tue, 10 Jun 2003 04:00:00 -2359", at(2003, 6, 11, 3, 59, 0)},
        {"2003-06-10 04:00:00 +0200", at(2003, 6, 10, 2, 0, 0)},
        {"2003-12-13T18:30:02Z", at(2003, 12, 13, 18, 30, 2)},
        {"2003-12-13T18:30:02.25+01:00", at(2003, 12, 13, 17, 30, 2, 250)},
        {"2003-12-13T18:30:02.123-08:00", at(2003, 12, 14, 2, 30, 2, 123)},
        {" \n\t2003-12-13T18:30:02Z\xE2\x80\xA8", at(2003, 12, 13, 18, 30, 2)},
        {"Sat, 29 Feb 2020 23:59:59 +0000", at(2020, 2, 29, 23, 59, 59)},
        {"1583-01-01T00:00:00Z", at(1583, 1, 1, 0, 0, 0)},
        {"Fri, 31 Dec 9999 23:59:59 GMT", at(9999, 12, 31, 23, 59, 59)},
        {"Fri, 01 Jan 1937 00:00:00 CST", at(1937, 1, 1, 6, 0, 0)},
        // Readable by ICU, but not plain enough to be sure of without it.
        {"Mon, 10 Jun 2003 04:00:00 GMT", nullopt},  // wrong weekday
        {"tue, 10 jun 2003 04:00:00 gmt", nullopt},
        {"Tue, 10 June 2003 04:00:00 GMT", nullopt},
        {"Tuesday, 10 Jun 2003 04:00:00 GMT", nullopt},
        {"Tue,  10 Jun 2003 04:00:00 GMT", nullopt},
        {"Tue, 010 Jun 2003 04:00:00 GMT", nullopt},
        {"Tue, 10 Jun 2003 4:00:00 GMT", nullopt},
        {"Tue, 10 Jun 03 04:00:00 GMT", nullopt},
        {"Tue, 10 Jun 2003 04:00:00 +01", nullopt},
        {"Tue, 10 Jun 2003 04:00:00 GMT+0130", nullopt},
        {"Tue, 10 Jun 2003 04:00:00 +013015", nullopt},
        {"Tue, 10 Jun 2003 04:00:00 BST", nullopt},
        {"Tue, 10 Jun 1936 04:00:00 CST", nullopt},  // Chicago on Eastern time
        {"Tue, 10 Jun 1850 04:00:00 EST", nullopt},  // local mean time
        {"Tue, 10 Jun 1582 04:00:00 GMT", nullopt},  // Julian calendar
        {"2003-06-10 04:00:00 EST", nullopt},
        {"2003-06-10T04:00:00.1Z", nullopt},
        {"2003-06-10T04:00:00.1234Z", nullopt},
        {"2003-06-10T04:00:00z", nullopt},
        {"2003-06-10T04:00:00+0100", nullopt},
        {"2003-06-10T04:00", nullopt},
        // Refused by ICU too; the quick reader does not try to say so.
        {"Tue, 31 Jun 2003 04:00:00 GMT", nullopt},
        {"Tue, 10 Jun 2003 24:00:00 GMT", nullopt},
        {"Tue, 10 Jun 2003 04:00:60 GMT", nullopt},
        {"Tue, 10 Jun 2003 04:00:00 +2400", nullopt},
        {"Thu, 29 Feb 2018 23:59:59 +0000", nullopt},
        {"2003-13-01T00:00:00Z", nullopt},
        {"", nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(quick(c.text), c.quick) << escaped(c.text) << " gave " << show(quick(c.text));
    }
}

// ---------------------------------------------------------------------------
// The differential run.

class Random {
public:
    explicit Random(std::uint64_t seed) noexcept : state_(seed) {}

    // splitmix64: the same sequence on every platform and library.
    std::uint64_t next() noexcept {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) noexcept { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int low, int high) noexcept { return low + below(high - low + 1); }
    bool percent(int p) noexcept { return below(100) < p; }
    template <class T, std::size_t N>
    const T& pick(const std::array<T, N>& items) noexcept {
        return items[static_cast<std::size_t>(below(static_cast<int>(N)))];
    }

private:
    std::uint64_t state_;
};

constexpr std::array<std::string_view, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed",
                                                       "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 12> kOddMonths = {
    "jun", "JUN", "June", "Sept", "Jux", "Ju", "Junee", "Mai", "Dez", "j\xC3\xBAn", "0", "Jun."};
constexpr std::array<std::string_view, 8> kOddWeekdays = {"tue", "TUE", "Tuesday", "Xyz",
                                                          "Di",  "Tu",  "Tue.",    "T\xC3\xBC"};
constexpr std::array<std::string_view, 8> kZoneNames = {"EST", "EDT", "CST", "CDT",
                                                        "MST", "MDT", "PST", "PDT"};
// U+2212 MINUS SIGN is no ASCII minus.
constexpr std::array<std::string_view, 24> kOddZones = {
    "BST",    "CET",   "CEST",  "JST",      "gmt",        "Gmt",     "utc",     "A",
    "+01",    "+1",    "-5",    "GMT+0130", "+013015",    "GMT+",    "EST5EDT", "America/New_York",
    "+24:00", "+2400", "+1860", "GMT+24",   "UTC+01:30x", "+01:00Z", "Z+01:00", "\u22120500"};
constexpr std::array<std::string_view, 4> kUtcWords = {"GMT", "UT", "UTC", "Z"};

struct Zone {
    std::string text;
    bool plain = false;  // one of the forms the quick reader should know
};

std::string twoDigits(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", n);
    return buffer;
}

std::string offsetText(Random& r, bool colon, int maxHours) {
    std::string text = r.percent(50) ? "+" : "-";
    text += twoDigits(r.between(0, maxHours));
    if (colon) text += ':';
    text += twoDigits(r.percent(70) ? r.pick(std::array<int, 4>{0, 30, 45, 0}) : r.between(0, 60));
    return text;
}

// A zone for an RFC 822 shape. `namedOk`: the year allows US zone names.
Zone rfc822Zone(Random& r, bool namedOk, bool allowNames) {
    switch (r.below(allowNames ? 7 : 6)) {
        case 0:
        case 1:
            return {std::string(r.pick(kUtcWords)), true};
        case 2: {
            const std::string text = offsetText(r, false, r.percent(95) ? 14 : 25);
            const bool plain = text[1] < '2' || (text[1] == '2' && text[2] < '4');
            return {text, plain && text.substr(3) < "60"};
        }
        case 3: {
            const std::string text = offsetText(r, true, 14);
            return {text, text.substr(4) < "60"};
        }
        case 4: {
            std::string text(r.pick(std::array<std::string_view, 3>{"GMT", "UTC", "UT"}));
            text += r.percent(50) ? '+' : '-';
            const int hours = r.between(0, r.percent(95) ? 14 : 30);
            text += r.percent(50) ? std::to_string(hours) : twoDigits(hours);
            bool plain = hours <= 23;
            if (r.percent(40)) {
                const int minutes = r.percent(90) ? 30 : r.between(0, 99);
                text += ':' + twoDigits(minutes);
                plain = plain && minutes <= 59;
            }
            return {text, plain};
        }
        case 5:
            return {std::string(r.pick(kOddZones)), false};
        default:
            return {std::string(r.pick(kZoneNames)), namedOk};
    }
}

Zone rfc3339Zone(Random& r) {
    switch (r.below(6)) {
        case 0:
        case 1:
            return {"Z", true};
        case 2:
        case 3: {
            const std::string text = offsetText(r, true, r.percent(95) ? 14 : 25);
            return {text, text.substr(1, 2) < "24" && text.substr(4) < "60"};
        }
        case 4:
            return {offsetText(r, false, 14), false};
        default:
            return {std::string(r.pick(kOddZones)), false};
    }
}

struct Generated {
    std::string text;
    bool mustAnswer = false;  // a plain date in a plain shape
};

// A valid date in one of the shapes, or, one time in four, one with a field
// pushed out of range or written in an unusual way.
Generated generateDate(Random& r) {
    int y = 0;
    switch (r.below(10)) {
        case 0:
            y = r.between(1583, 9999);
            break;
        case 1:
            y = r.between(1500, 1700);
            break;
        case 2:
            y = r.between(1870, 1945);
            break;
        default:
            y = r.between(1990, 2035);
    }
    const auto mo = static_cast<unsigned>(r.between(1, 12));
    const auto lastDay = static_cast<unsigned>((year(y) / month(mo) / last).day());
    auto d = static_cast<unsigned>(r.between(1, static_cast<int>(lastDay)));
    int h = r.between(0, 23);
    int mi = r.between(0, 59);
    int s = r.between(0, 59);
    const bool namedOk = y >= 1937 && y <= 2199;
    bool plain = y >= 1583;

    std::string month3(kMonths[mo - 1]);
    std::string weekday3(kWeekdays[weekday(sys_days(year(y) / month(mo) / day(d))).c_encoding()]);
    if (r.percent(25)) {
        plain = false;
        switch (r.below(8)) {
            case 0:
                d = r.pick(std::array<unsigned, 5>{0, lastDay + 1, 31, 32, 99});
                break;
            case 1:
                h = r.pick(std::array<int, 3>{24, 25, 99});
                break;
            case 2:
                mi = r.pick(std::array<int, 2>{60, 99});
                break;
            case 3:
                s = r.pick(std::array<int, 3>{60, 61, 99});
                break;
            case 4:
                month3 = r.pick(kOddMonths);
                break;
            case 5:
                weekday3 = r.pick(kOddWeekdays);
                break;
            case 6:
                weekday3 = kWeekdays[static_cast<std::size_t>(r.below(7))];
                plain = plain &&
                        weekday3 ==
                            kWeekdays[weekday(sys_days(year(y) / month(mo) / day(d))).c_encoding()];
                break;
            default:
                y = r.pick(std::array<int, 4>{0, 99, 1582, 10000});
                break;
        }
    }
    const std::string yyyy = y < 10000 ? (std::string(y < 1000 ? "0" : "") + (y < 100 ? "0" : "") +
                                          (y < 10 ? "0" : "") + std::to_string(y))
                                       : std::to_string(y);

    Generated g;
    switch (r.below(4)) {
        case 0:
        case 1: {
            const bool withWeekday = r.percent(75);
            const bool withSeconds = r.percent(85);
            const Zone zone = rfc822Zone(r, namedOk, true);
            if (withWeekday) g.text += weekday3 + ", ";
            g.text += r.percent(50) ? twoDigits(static_cast<int>(d)) : std::to_string(d);
            g.text += ' ' + month3 + ' ' + yyyy + ' ' + twoDigits(h) + ':' + twoDigits(mi);
            if (withSeconds) g.text += ':' + twoDigits(s);
            g.text += ' ' + zone.text;
            g.mustAnswer = plain && zone.plain;
            break;
        }
        case 2: {
            // US names belong to the "zzz" patterns only; here they stay ICU's.
            const Zone zone = rfc822Zone(r, false, r.percent(10));
            g.text = yyyy + '-' + twoDigits(static_cast<int>(mo)) + '-' +
                     twoDigits(static_cast<int>(d)) + ' ' + twoDigits(h) + ':' + twoDigits(mi) +
                     ':' + twoDigits(s) + ' ' + zone.text;
            g.mustAnswer = plain && zone.plain;
            break;
        }
        default: {
            const Zone zone = rfc3339Zone(r);
            g.text = yyyy + '-' + twoDigits(static_cast<int>(mo)) + '-' +
                     twoDigits(static_cast<int>(d)) + 'T' + twoDigits(h) + ':' + twoDigits(mi) +
                     ':' + twoDigits(s);
            int digits = 0;
            if (r.percent(50)) {
                digits = r.percent(80) ? r.between(2, 3) : r.between(1, 9);
                g.text += '.';
                for (int i = 0; i < digits; ++i) g.text += static_cast<char>('0' + r.below(10));
            }
            g.text += zone.text;
            g.mustAnswer = plain && zone.plain && month3 == kMonths[mo - 1] &&
                           (digits == 0 || digits == 2 || digits == 3);
            break;
        }
    }
    return g;
}

// Bytes for single-character edits: the date's own alphabet, white space,
// controls, and bytes that are not ASCII.
const std::vector<std::string>& editPieces() {
    using namespace std::string_literals;
    static const std::vector<std::string> pieces = {"0"s,
                                                    "1"s,
                                                    "2"s,
                                                    "5"s,
                                                    "9"s,
                                                    " "s,
                                                    "\t"s,
                                                    "\n"s,
                                                    ":"s,
                                                    "-"s,
                                                    "+"s,
                                                    "."s,
                                                    ","s,
                                                    "T"s,
                                                    "t"s,
                                                    "Z"s,
                                                    "z"s,
                                                    "G"s,
                                                    "M"s,
                                                    "U"s,
                                                    "S"s,
                                                    "J"s,
                                                    "a"s,
                                                    "/"s,
                                                    "_"s,
                                                    "\0"s,
                                                    "\x7F"s,
                                                    "\xC2\xA0"s,
                                                    "\xFF"s,
                                                    "\x80"s,
                                                    "\xE2\x80\xA8"s,
                                                    "\xEF\xBC\x91"s};
    return pieces;
}

void singleCharacterEdits(const std::string& text, std::vector<std::string>& out) {
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size()) out.push_back(text.substr(0, i) + text.substr(i + 1));
        for (const auto& piece : editPieces()) {
            out.push_back(text.substr(0, i) + piece + text.substr(i));
            if (i < text.size()) out.push_back(text.substr(0, i) + piece + text.substr(i + 1));
        }
    }
}

std::string whiteSpace(Random& r) {
    static constexpr std::array<std::string_view, 7> kSpaces = {
        " ", "\t", "\n", "\r\n", "\xC2\xA0", "\xE2\x80\xA8", "\xE3\x80\x80"};
    std::string out;
    for (int n = r.below(4); n > 0; --n) out += r.pick(kSpaces);
    return out;
}

std::string junk(Random& r, int maxLength) {
    using namespace std::string_view_literals;
    static constexpr std::string_view kAlphabet =
        "0123456789 :-+.,TZzGMTUESDPCjunJunMonTue\t\n\r\0\x01\x7F\x80\xBF\xC2\xA0\xE2\x80\xFF"sv;
    std::string out;
    for (int n = r.below(maxLength + 1); n > 0; --n) {
        out += kAlphabet[static_cast<std::size_t>(r.below(static_cast<int>(kAlphabet.size())))];
    }
    return out;
}

std::string hostile(Random& r) {
    switch (r.below(6)) {
        case 0: {  // random bytes
            std::string out;
            for (int n = r.below(48); n > 0; --n) out += static_cast<char>(r.below(256));
            return out;
        }
        case 1:  // long runs of what dates are made of
            return std::string(static_cast<std::size_t>(r.between(30, 400)),
                               "0: -+T,Z"[r.below(8)]);
        case 2:  // digits where the fields go, of any length
            return std::to_string(r.next()) + '-' + std::to_string(r.next() % 1000) + '-' +
                   std::to_string(r.next() % 1000) + 'T' + std::to_string(r.next() % 1000) + ':' +
                   std::to_string(r.next() % 100) + ':' + std::to_string(r.next() % 1000) + 'Z';
        case 3:
            return junk(r, 40);
        case 4: {  // a date with NULs or bad bytes spliced in
            std::string text = generateDate(r).text;
            text.insert(static_cast<std::size_t>(r.below(static_cast<int>(text.size()) + 1)),
                        r.percent(50) ? std::string(1, '\0') : std::string("\xC3"));
            return text;
        }
        default: {  // a date repeated, or far too long
            const std::string text = generateDate(r).text;
            return r.percent(50) ? text + ' ' + text : text + std::string(300, ' ') + "x";
        }
    }
}

int scale() {
    const char* text = std::getenv("SYNDRA_DATE_DIFF_SCALE");
    if (text == nullptr) return 1;
    const int n = std::atoi(text);
    return n >= 1 && n <= 1000 ? n : 1;
}

struct Tally {
    long texts = 0;
    long answered = 0;
    long mismatches = 0;
};

// Every formatter the quick answer claims must give that same instant through
// ICU, and the public entry points must hand it out unchanged.
void compare(const std::string& text, Tally& tally, bool mustAnswer) {
    ++tally.texts;
    const auto answer = detail::quickDate(detail::trimWhiteSpaceAndNewlines(text));
    auto fail = [&](std::string_view what, const std::optional<Date>& icu) {
        if (++tally.mismatches <= 25) {
            ADD_FAILURE() << what << " of " << escaped(text) << ": quick "
                          << show(answer ? std::optional<Date>(answer->date) : nullopt) << ", ICU "
                          << show(icu);
        }
    };
    if (!answer) {
        if (mustAnswer) fail("no quick answer", nullopt);
        return;
    }
    ++tally.answered;
    if (!answer->byRFC822 && !answer->byRFC3339 && !answer->byISO8601)
        fail("no formatter", nullopt);

    if (const auto icu = detail::icuToDate(text); icu != answer->date) fail("toDate", icu);
    if (answer->byRFC822) {
        if (const auto icu = detail::icuRFC822Date(text); icu != answer->date) fail("RFC 822", icu);
    }
    if (answer->byRFC3339) {
        const auto icu = detail::icuPatternDate(RFC3339DateFormatter::kDateFormats, text);
        if (icu != answer->date) fail("RFC 3339", icu);
    }
    if (answer->byISO8601) {
        const auto icu = detail::icuPatternDate(ISO8601DateFormatter::kDateFormats, text);
        if (icu != answer->date) fail("ISO 8601", icu);
    }
    if (toDate(text) != answer->date) fail("public toDate", toDate(text));
}

TEST(DateFastPathTest, AgreesWithIcuWheneverItAnswers) {
    Random r(0x5EED'DA7E'0000'0001ull);
    const int n = scale();
    Tally valid, edited, surrounded, hostileTally;

    for (int i = 0; i < 14000 * n; ++i) {
        const Generated g = generateDate(r);
        compare(g.text, valid, g.mustAnswer);
    }
    // Every single-character edit of plain dates: most must fall back to ICU,
    // the ones that stay dates must still agree.
    std::vector<std::string> edits;
    for (int base = 0; base < 48 * n;) {
        const Generated g = generateDate(r);
        if (!g.mustAnswer) continue;
        ++base;
        edits.clear();
        singleCharacterEdits(g.text, edits);
        for (const auto& text : edits) compare(text, edited, false);
    }
    for (int i = 0; i < 6000 * n; ++i) {
        const Generated g = generateDate(r);
        if (r.percent(50)) {
            // White space around a date is trimmed away: still a plain date.
            compare(whiteSpace(r) + g.text + whiteSpace(r), surrounded, g.mustAnswer);
        } else {
            compare(junk(r, 3) + g.text + junk(r, 3), surrounded, false);
        }
    }
    for (int i = 0; i < 6000 * n; ++i) compare(hostile(r), hostileTally, false);

    const long total = valid.texts + edited.texts + surrounded.texts + hostileTally.texts;
    std::printf(
        "[ quick    ] %ld texts; answered: valid %ld/%ld, edited %ld/%ld, "
        "surrounded %ld/%ld, hostile %ld/%ld\n",
        total, valid.answered, valid.texts, edited.answered, edited.texts, surrounded.answered,
        surrounded.texts, hostileTally.answered, hostileTally.texts);
    EXPECT_GE(total, 100000 * n);
    EXPECT_EQ(
        valid.mismatches + edited.mismatches + surrounded.mismatches + hostileTally.mismatches, 0);
    // The point of the quick reader: most dates as feeds write them never reach ICU.
    EXPECT_GT(valid.answered * 2, valid.texts);
}

TEST(DateFastPathTest, FormattersUseItOnlyForTheirOwnShapes) {
    // The RFC 822 formatter must not hand out an RFC 3339 answer, nor the
    // other two an RFC 822 one: each asks ICU, which refuses.
    const std::string rfc822 = "Tue, 10 Jun 2003 04:00:00 GMT";
    const std::string rfc3339 = "2003-06-10T04:00:00.25Z";
    EXPECT_EQ(RFC822DateFormatter().date(rfc822), at(2003, 6, 10, 4, 0, 0));
    EXPECT_EQ(RFC822DateFormatter().date(rfc3339), nullopt);
    EXPECT_EQ(RFC3339DateFormatter().date(rfc822), nullopt);
    EXPECT_EQ(ISO8601DateFormatter().date(rfc822), nullopt);
    EXPECT_EQ(RFC3339DateFormatter().date(rfc3339), at(2003, 6, 10, 4, 0, 0, 250));
    EXPECT_EQ(ISO8601DateFormatter().date(rfc3339), at(2003, 6, 10, 4, 0, 0, 250));
}

}  // namespace
}  // namespace syndra
