#include <syndra/syndra.hpp>

#include <cstdio>

int main() {
    const syndra::Result result = syndra::FeedParser::fromData(
                                      "<rss version=\"2.0\"><channel><title>Outside</title>"
                                      "<item><title>One</title></item></channel></rss>")
                                      .parse();
    if (!result) return 1;
    const syndra::Summary summary = syndra::summarize(*result.feed());
    std::printf("%s %zu %d\n", summary.title.c_str(), summary.items.size(), SYNDRA_VERSION_MAJOR);
    return 0;
}
