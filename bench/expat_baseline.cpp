// The floor under any XML feed parse: expat alone, with empty handlers, over
// the same bytes, fed the way the feed parser feeds it (64 KiB at a time).
//
//   expat_baseline <file> [K]
//
// Runs WARMUP untimed parses (environment, default 1), then K timed ones
// (default 5), and prints "expat <bytes> <median seconds> <MB/s>".

#include <expat.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kChunk = 64 * 1024;

struct ParserDeleter {
    void operator()(XML_Parser parser) const noexcept { XML_ParserFree(parser); }
};
using Parser = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserDeleter>;

void XMLCALL onStart(void*, const XML_Char*, const XML_Char**) {}
void XMLCALL onEnd(void*, const XML_Char*) {}
void XMLCALL onText(void*, const XML_Char*, int) {}

// One whole parse; false (with a message) when expat rejects the document.
bool parseOnce(const std::string& bytes) {
    const Parser parser(XML_ParserCreate(nullptr));
    if (!parser) {
        std::fprintf(stderr, "expat_baseline: out of memory\n");
        return false;
    }
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    // Undeclared HTML names ("&nbsp;") are everyday feed content, and the feed
    // parser declares them. Here an assumed external DTD lets them pass
    // unexpanded, as if that DTD declared them.
    XML_UseForeignDTD(parser.get(), XML_TRUE);

    std::size_t offset = 0;
    for (;;) {
        const std::size_t length = std::min(kChunk, bytes.size() - offset);
        const bool last = offset + length == bytes.size();
        if (XML_Parse(parser.get(), bytes.data() + offset, static_cast<int>(length),
                      last ? XML_TRUE : XML_FALSE) == XML_STATUS_ERROR) {
            std::fprintf(stderr, "expat_baseline: %s at line %lu\n",
                         XML_ErrorString(XML_GetErrorCode(parser.get())),
                         static_cast<unsigned long>(XML_GetCurrentLineNumber(parser.get())));
            return false;
        }
        offset += length;
        if (last) return true;
    }
}

int count(const char* text, int fallback, int limit) {
    if (text == nullptr || *text == '\0') return fallback;
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    return (*end == '\0' && n >= 0 && n <= limit) ? static_cast<int>(n) : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: expat_baseline <file> [K]\n");
        return 2;
    }
    const int runs = count(argc == 3 ? argv[2] : nullptr, 5, 100000);
    const int warmup = count(std::getenv("WARMUP"), 1, 1000);
    if (runs < 1 || warmup < 0) {
        std::fprintf(stderr, "expat_baseline: K must be 1 to 100000, WARMUP 0 to 1000\n");
        return 2;
    }

    std::ifstream in(argv[1], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        std::fprintf(stderr, "expat_baseline: cannot read %s\n", argv[1]);
        return 1;
    }

    for (int i = 0; i < warmup; ++i) {
        if (!parseOnce(bytes)) return 1;
    }
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!parseOnce(bytes)) return 1;
        const auto stop = std::chrono::steady_clock::now();
        seconds.push_back(std::chrono::duration<double>(stop - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    const double median = n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
    const double mbPerSecond = median > 0 ? static_cast<double>(bytes.size()) / 1e6 / median : 0;
    std::printf("expat %zu %.6f %.1f\n", bytes.size(), median, mbPerSecond);
    return 0;
}
