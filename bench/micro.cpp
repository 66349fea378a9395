// Micro benchmarks of the pieces a feed parse spends its time in per element:
// date conversion (quick reader and ICU), integers, durations, text equality,
// path lookup and attribute mapping.
//
//   build/bench/bench/syndra_bench_micro [--benchmark_filter=Date]

#include <syndra/attribute_map.hpp>
#include <syndra/conversions.hpp>
#include <syndra/mapping.hpp>
#include <syndra/media.hpp>
#include <syndra/rss_feed.hpp>
#include <syndra/text.hpp>

#include "detail/date_fast_path.hpp"
#include "detail/icu_dates.hpp"
#include "detail/path_index.hpp"
#include "detail/path_table.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace syndra;

// --- dates --------------------------------------------------------------------

struct DateShape {
    const char* name;
    std::string_view text;
};

// The shapes feeds write, and two the quick reader leaves to ICU.
constexpr std::array<DateShape, 9> kDateShapes = {{
    {"rfc822/GMT", "Tue, 10 Jun 2003 04:00:00 GMT"},
    {"rfc822/+0000", "Tue, 10 Jun 2003 04:00:00 +0000"},
    {"rfc822/EST", "Wed, 02 Oct 2002 08:00:00 EST"},
    {"rfc822/no-weekday", "10 Jun 2003 04:00:00 +0200"},
    {"sql-like/-0500", "2003-06-10 04:00:00 -0500"},
    {"rfc3339/Z", "2003-12-13T18:30:02Z"},
    {"rfc3339/fraction+offset", "2003-12-13T18:30:02.25+01:00"},
    {"deferred/wrong-weekday", "Mon, 10 Jun 2003 04:00:00 GMT"},
    {"deferred/not-a-date", "sometime last week"},
}};

void toDateBenchmark(benchmark::State& state, std::string_view text) {
    for (auto _ : state) benchmark::DoNotOptimize(toDate(text));
}

void icuToDateBenchmark(benchmark::State& state, std::string_view text) {
    for (auto _ : state) benchmark::DoNotOptimize(detail::icuToDate(text));
}

void quickDateBenchmark(benchmark::State& state, std::string_view text) {
    for (auto _ : state) benchmark::DoNotOptimize(detail::quickDate(text));
}

// --- numbers and durations ------------------------------------------------------

void toIntBenchmark(benchmark::State& state, std::string_view text) {
    for (auto _ : state) benchmark::DoNotOptimize(toInt(text));
}

void toDurationBenchmark(benchmark::State& state, std::string_view text) {
    for (auto _ : state) benchmark::DoNotOptimize(toDuration(text));
}

// --- canonical equivalence ------------------------------------------------------

void equivalenceBenchmark(benchmark::State& state, std::string a, std::string b) {
    for (auto _ : state) benchmark::DoNotOptimize(canonicallyEquivalent(a, b));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(a.size() + b.size()));
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += piece;
    return out;
}

// --- path lookup ------------------------------------------------------------------
// The index the XML walk moves through, one child step per element start.

void pathLookupBenchmark(benchmark::State& state, std::vector<std::string_view> names) {
    detail::PathIndex index;
    const auto rows = detail::rssTable();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        index.add(0, static_cast<std::int32_t>(i), rows[i].path);
    }
    for (auto _ : state) {
        detail::PathIndex::Node node = detail::PathIndex::kRoot;
        for (const auto name : names) node = index.child(node, name);
        benchmark::DoNotOptimize(index.row(node, 0));
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(names.size()));
}

// --- attribute mapping ---------------------------------------------------------------
// Element attributes as expat hands them over (name/value pairs ending in
// nullptr), into the model's attribute classes.

constexpr std::array<const char*, 7> kEnclosurePairs = {
    "url",    "https://cdn.example.com/audio/show/ep00042-0123456789abcdef.mp3",
    "length", "48213992",
    "type",   "audio/mpeg",
    nullptr};
constexpr std::array<const char*, 23> kMediaContentPairs = {
    "url",          "https://cdn.example.com/audio/show/ep00042-0123456789abcdef.mp3",
    "type",         "audio/mpeg",
    "medium",       "audio",
    "fileSize",     "48213992",
    "duration",     "3723",
    "bitrate",      "128",
    "samplingrate", "44.1",
    "channels",     "2",
    "lang",         "en",
    "isDefault",    "true",
    "expression",   "full",
    nullptr};

template <class Element, std::size_t N>
void attributesBenchmark(benchmark::State& state, const std::array<const char*, N>& pairs) {
    const AttributeMap map(pairs.data());
    for (auto _ : state) benchmark::DoNotOptimize(attributesFrom<Element>(map));
}

void registerAll() {
    for (const auto& shape : kDateShapes) {
        benchmark::RegisterBenchmark((std::string("toDate/") + shape.name).c_str(), toDateBenchmark,
                                     shape.text);
        benchmark::RegisterBenchmark((std::string("icuToDate/") + shape.name).c_str(),
                                     icuToDateBenchmark, shape.text);
        benchmark::RegisterBenchmark((std::string("quickDate/") + shape.name).c_str(),
                                     quickDateBenchmark, shape.text);
    }
    for (const std::string_view text : {"42", "48213992", "-9223372036854775808", "12a"}) {
        benchmark::RegisterBenchmark((std::string("toInt/") + std::string(text)).c_str(),
                                     toIntBenchmark, text);
    }
    const std::array<std::pair<const char*, std::string_view>, 4> durations = {{
        {"toDuration/seconds", "3723"},
        {"toDuration/h:mm:ss", "01:02:03"},
        {"toDuration/padded", "  62:03 "},
        {"toDuration/not-a-duration", "1:x"},
    }};
    for (const auto& [name, text] : durations) {
        benchmark::RegisterBenchmark(name, toDurationBenchmark, text);
    }

    const std::string ascii = repeated("The quick brown fox jumps over the lazy dog. ", 20);
    const std::string composed = repeated(
        "Caf\xC3\xA9 cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
        "e. ",
        40);
    const std::string decomposed = repeated(
        "Cafe\xCC\x81 cre\xCC\x80me bru\xCC\x82le\xCC\x81"
        "e. ",
        40);
    benchmark::RegisterBenchmark("equivalence/ascii-same", equivalenceBenchmark, ascii, ascii);
    benchmark::RegisterBenchmark("equivalence/ascii-differs", equivalenceBenchmark, ascii,
                                 ascii.substr(0, ascii.size() - 1) + "!");
    benchmark::RegisterBenchmark("equivalence/accents-same-bytes", equivalenceBenchmark, composed,
                                 composed);
    // Both already composed: settled without normalizing.
    benchmark::RegisterBenchmark("equivalence/accents-differ", equivalenceBenchmark, composed,
                                 composed.substr(0, composed.size() - 2) + "!.");
    benchmark::RegisterBenchmark("equivalence/composed-vs-decomposed", equivalenceBenchmark,
                                 composed, decomposed);

    benchmark::RegisterBenchmark("pathLookup/item-title", pathLookupBenchmark,
                                 std::vector<std::string_view>{"rss", "channel", "item", "title"});
    benchmark::RegisterBenchmark("pathLookup/item-media-thumbnail", pathLookupBenchmark,
                                 std::vector<std::string_view>{"rss", "channel", "item",
                                                               "media:content", "media:thumbnail"});
    benchmark::RegisterBenchmark(
        "pathLookup/unknown-element", pathLookupBenchmark,
        std::vector<std::string_view>{"rss", "channel", "item", "podcast:transcript"});

    benchmark::RegisterBenchmark("attributes/enclosure", [](benchmark::State& state) {
        attributesBenchmark<RSSFeedItemEnclosure>(state, kEnclosurePairs);
    });
    benchmark::RegisterBenchmark("attributes/media-content", [](benchmark::State& state) {
        attributesBenchmark<MediaContent>(state, kMediaContentPairs);
    });
}

}  // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
