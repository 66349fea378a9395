#include <player/feed_source.hpp>

#include <syndra/feed_parser.hpp>
#include <syndra/fetch.hpp>

#include <atomic>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>

namespace player {
namespace {

// A feed with a stray "&" or a tag left open still plays: it is read mended.
syndra::Result parseFeed(std::string_view body) {
    syndra::Options options;
    options.recover = true;
    return syndra::FeedParser::fromDataView(body, options).parse();
}

}  // namespace

// Shared with the background task, which may finish after the source and the
// scheduler are gone: it delivers only under the lock, and only while the
// source lives. Loads never overlap (the task takes `loading`).
struct SyndraFeedSource::State {
    static constexpr std::uintmax_t kLargestFeed = syndra::Options{}.maxDocumentBytes;

    std::string url;
    std::filesystem::path cache;  // empty: nothing is kept
    std::atomic<bool> abort{false};

    std::mutex mutex;
    platform::Scheduler* scheduler = nullptr;

    std::mutex loading;
    // The kept copy, as the files hold it: the feed's URL, its validators and
    // its body. Only the task touches these, under `loading`.
    std::string keptURL, etag, lastModified, body;
    bool read = false;

    std::filesystem::path file(const char* name) const { return cache / name; }

    void readKept() {
        read = true;
        std::error_code error;
        // A kept copy larger than any feed we would have kept is not ours.
        if (cache.empty() || std::filesystem::file_size(file("feed.body"), error) > kLargestFeed) {
            return;
        }
        std::ifstream meta(file("feed.validators"));
        std::getline(meta, keptURL);
        std::getline(meta, etag);
        std::getline(meta, lastModified);
        std::ifstream in(file("feed.body"), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        body = keptURL == url ? bytes.str() : std::string();
        if (body.empty()) etag.clear(), lastModified.clear();
    }

    // Written to the side and renamed, so that a crash or a full disk never
    // leaves half a feed to start from.
    void keep(std::string newBody, std::string newEtag, std::string newLastModified) {
        body = std::move(newBody);
        etag = std::move(newEtag);
        lastModified = std::move(newLastModified);
        if (cache.empty()) return;
        std::error_code error;
        std::filesystem::create_directories(cache, error);
        const auto write = [&](const char* name, const std::string& bytes) {
            const std::filesystem::path temporary = file(name).string() + ".new";
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out << bytes;
            out.close();
            if (!out) return false;
            std::filesystem::rename(temporary, file(name), error);
            return !error;
        };
        // CR and LF would end a validator early; such a server gets none back.
        const auto clean = [](const std::string& v) {
            return v.find_first_of("\r\n") == std::string::npos ? v : std::string();
        };
        write("feed.body", body) &&
            write("feed.validators", url + '\n' + clean(etag) + '\n' + clean(lastModified) + '\n');
    }

    FeedLoad loadOnce() {
        const std::lock_guard lock(loading);
        if (!read) readKept();
        syndra::FetchOptions options;
        if (!body.empty()) {
            options.etag = etag;
            options.lastModified = lastModified;
        }
        options.abort = &abort;
        syndra::FetchResult fetched = syndra::fetch(url, options);
        if (fetched.error) {
            if (body.empty() || fetched.error->kind() == syndra::ErrorKind::aborted) {
                return {syndra::Result(std::move(*fetched.error))};
            }
            return {parseFeed(body), std::move(fetched.error)};
        }
        if (fetched.status == syndra::FetchResult::Status::notModified) {
            return {parseFeed(body)};
        }
        syndra::Result result = parseFeed(fetched.body);
        if (result.isSuccess()) {
            keep(std::move(fetched.body), std::move(fetched.etag), std::move(fetched.lastModified));
        }
        return {std::move(result)};
    }
};

SyndraFeedSource::SyndraFeedSource(std::string url, platform::Scheduler& scheduler,
                                   std::filesystem::path cacheDirectory)
    : scheduler_(scheduler), state_(std::make_shared<State>()) {
    state_->url = std::move(url);
    state_->cache = std::move(cacheDirectory);
    state_->scheduler = &scheduler_;
}

SyndraFeedSource::~SyndraFeedSource() {
    {
        const std::lock_guard lock(state_->mutex);
        state_->scheduler = nullptr;
    }
    state_->abort = true;
}

void SyndraFeedSource::load(std::function<void(FeedLoad)> done) {
    scheduler_.runInBackground([state = state_, done = std::move(done)]() mutable {
        auto loaded = std::make_shared<FeedLoad>(state->loadOnce());
        const std::lock_guard lock(state->mutex);
        if (state->scheduler == nullptr) return;
        // Parsing happens in the background; the model lives on the main thread.
        state->scheduler->post([done = std::move(done), loaded] { done(std::move(*loaded)); });
    });
}

}  // namespace player
