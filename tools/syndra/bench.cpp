#include "cli.hpp"

#include <syndra/feed_parser.hpp>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <vector>

namespace syndra::cli {
namespace {

std::size_t itemCount(const Feed& feed) {
    if (const auto* rss = feed.rssFeed()) return rss->items ? rss->items->size() : 0;
    if (const auto* atom = feed.atomFeed()) return atom->entries ? atom->entries->size() : 0;
    if (const auto* json = feed.jsonFeed()) return json->items ? json->items->size() : 0;
    return 0;
}

const char* kindName(const Feed& feed) {
    switch (feed.kind()) {
        case Feed::Kind::rss:
            return "rss";
        case Feed::Kind::atom:
            return "atom";
        case Feed::Kind::json:
            return "json";
    }
    return "?";
}

int warmupCount() {
    const char* text = std::getenv("WARMUP");
    if (text == nullptr || *text == '\0') return 1;
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    return (*end == '\0' && n >= 0 && n <= 1000) ? static_cast<int>(n) : 1;
}

}  // namespace

int bench(std::string_view file, int repetitions, bool recover) {
    // Read in one piece into a buffer of exactly the file's size: the process
    // then holds the document once, and the parser reads it in place.
    std::ifstream in{std::string(file), std::ios::binary | std::ios::ate};
    if (!in) {
        std::cerr << "syndra: cannot open " << file << '\n';
        return 1;
    }
    const std::streamoff size = in.tellg();
    std::string bytes;
    if (size > 0) {
        bytes.resize(static_cast<std::size_t>(size));
        in.seekg(0);
        in.read(bytes.data(), size);
    }
    if (size < 0 || !in || in.gcount() != size) {
        std::cerr << "syndra: cannot read " << file << '\n';
        return 1;
    }

    // The benchmark's documents are larger than a feed from the network may be.
    Options options;
    options.maxDocumentBytes = std::size_t{1} << 30;
    options.maxItems = SIZE_MAX;
    options.recover = recover;
    auto parseOnce = [&] { return FeedParser::fromDataView(bytes, options).parse(); };
    for (int i = warmupCount(); i > 0; --i) {
        const Result r = parseOnce();
        if (const ParserError* error = r.error()) {
            std::cerr << errorJSON(*error) << '\n';
            return 1;
        }
    }

    std::vector<double> seconds;
    std::optional<Result> last;
    for (int i = 0; i < repetitions; ++i) {
        FeedParser parser = FeedParser::fromDataView(bytes, options);
        const auto start = std::chrono::steady_clock::now();
        Result r = parser.parse();
        const auto stop = std::chrono::steady_clock::now();
        seconds.push_back(std::chrono::duration<double>(stop - start).count());
        last = std::move(r);
    }
    if (const ParserError* error = last->error()) {
        std::cerr << errorJSON(*error) << '\n';
        return 1;
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    const double median = n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
    const double mbPerSecond = median > 0 ? static_cast<double>(bytes.size()) / 1e6 / median : 0.0;
    std::printf("syndra %s %zu %zu %.6f %.1f\n", kindName(*last->feed()), bytes.size(),
                itemCount(*last->feed()), median, mbPerSecond);
    return 0;
}

}  // namespace syndra::cli
