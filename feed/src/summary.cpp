#include <syndra/summary.hpp>

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace syndra {
namespace {

using Item = Summary::Item;

// The first candidate that holds a text that is not empty.
std::string firstText(std::initializer_list<const std::optional<Text>*> candidates) {
    for (const auto* candidate : candidates) {
        if (candidate != nullptr && *candidate && !(*candidate)->empty())
            return (*candidate)->str();
    }
    return {};
}

template <class T>
std::optional<T> firstOf(std::initializer_list<std::optional<T>> candidates) {
    for (const auto& candidate : candidates) {
        if (candidate) return candidate;
    }
    return std::nullopt;
}

void addOnce(std::vector<std::string>& list, const std::optional<Text>& text) {
    if (!text || text->empty()) return;
    if (std::find(list.begin(), list.end(), text->str()) == list.end()) list.push_back(text->str());
}

template <class Attributed>
const auto* attributesOf(const std::optional<Attributed>& element) {
    return element && element->attributes ? &*element->attributes : nullptr;
}

// media:content, on its own and in media:group, and media:thumbnail.
void addMedia(Item& item, const Indirect<MediaNamespace>& media) {
    if (!media) return;
    auto addContents = [&item](const std::optional<std::vector<MediaContent>>& contents) {
        if (!contents) return;
        for (const MediaContent& content : *contents) {
            if (!content.attributes || !content.attributes->url) continue;
            const auto& a = *content.attributes;
            // Podcasts often repeat their enclosure as media:content.
            const bool known =
                std::any_of(item.enclosures.begin(), item.enclosures.end(),
                            [&a](const Summary::Enclosure& e) { return e.url == a.url->str(); });
            if (known) continue;
            item.enclosures.push_back(
                {a.url->str(), a.type ? a.type->str() : std::string(), a.fileSize});
            if (!item.duration && a.duration) item.duration = static_cast<double>(*a.duration);
        }
    };
    addContents(media->mediaContents);
    if (media->mediaGroup) addContents(media->mediaGroup->mediaContents);
    if (item.image.empty() && media->mediaThumbnails) {
        for (const MediaThumbnail& thumbnail : *media->mediaThumbnails) {
            if (thumbnail.attributes && thumbnail.attributes->url) {
                item.image = thumbnail.attributes->url->str();
                break;
            }
        }
    }
}

Item rssItem(const RSSFeedItem& from) {
    Item item;
    const auto* dc = from.dublinCore ? &*from.dublinCore : nullptr;
    const auto* iTunes = from.iTunes ? &*from.iTunes : nullptr;
    const std::optional<Text> none;
    item.title = firstText(
        {&from.title, iTunes ? &iTunes->iTunesTitle : nullptr, dc ? &dc->dcTitle : nullptr});
    const std::optional<Text>* guid = from.guid ? &from.guid->value : &none;
    const bool permalink =
        from.guid && (!from.guid->attributes || from.guid->attributes->isPermaLink.value_or(true));
    item.link = firstText({&from.link, permalink ? guid : nullptr});
    item.id = firstText({guid, &from.link});
    item.published = firstOf({from.pubDate, dc ? dc->dcDate : std::nullopt});
    item.summary = firstText({&from.description, iTunes ? &iTunes->iTunesSummary : nullptr,
                              iTunes ? &iTunes->iTunesSubtitle : nullptr});
    if (from.content) item.content = firstText({&from.content->contentEncoded});
    addOnce(item.authors, from.author);
    if (dc) addOnce(item.authors, dc->dcCreator);
    if (iTunes) addOnce(item.authors, iTunes->iTunesAuthor);
    if (from.categories) {
        for (const auto& category : *from.categories) addOnce(item.categories, category.value);
    }
    if (dc) addOnce(item.categories, dc->dcSubject);
    if (const auto* a = attributesOf(from.enclosure); a != nullptr && a->url) {
        item.enclosures.push_back(
            {a->url->str(), a->type ? a->type->str() : std::string(), a->length});
    }
    if (iTunes) {
        if (iTunes->iTunesDuration) item.duration = static_cast<double>(*iTunes->iTunesDuration);
        if (const auto* image = attributesOf(iTunes->iTunesImage))
            item.image = firstText({&image->href});
    }
    addMedia(item, from.media);
    return item;
}

Summary summarizeRSS(const RSSFeed& feed) {
    Summary summary;
    const auto* dc = feed.dublinCore ? &*feed.dublinCore : nullptr;
    const auto* iTunes = feed.iTunes ? &*feed.iTunes : nullptr;
    summary.title = firstText({&feed.title, dc ? &dc->dcTitle : nullptr});
    summary.link = firstText({&feed.link});
    summary.description = firstText({&feed.description, iTunes ? &iTunes->iTunesSummary : nullptr,
                                     dc ? &dc->dcDescription : nullptr});
    summary.language = firstText({&feed.language, dc ? &dc->dcLanguage : nullptr});
    const auto* iTunesImage = iTunes ? attributesOf(iTunes->iTunesImage) : nullptr;
    summary.imageURL = firstText(
        {iTunesImage ? &iTunesImage->href : nullptr, feed.image ? &feed.image->url : nullptr});
    summary.updated = firstOf({feed.lastBuildDate, feed.pubDate, dc ? dc->dcDate : std::nullopt});
    if (feed.items) {
        summary.items.reserve(feed.items->size());
        for (const auto& item : *feed.items) summary.items.push_back(rssItem(item));
    }
    return summary;
}

// The first link whose rel is "alternate" or missing.
template <class Link>
std::string alternateLink(const std::optional<std::vector<Link>>& links) {
    if (!links) return {};
    for (const Link& link : *links) {
        if (!link.attributes || !link.attributes->href) continue;
        const auto& rel = link.attributes->rel;
        if (!rel || *rel == "alternate") return link.attributes->href->str();
    }
    return {};
}

Item atomEntry(const AtomFeedEntry& entry) {
    Item item;
    item.title = firstText({&entry.title});
    item.link = alternateLink(entry.links);
    item.id = firstText({&entry.id});
    item.published = entry.published;
    item.updated = entry.updated;
    if (entry.summary) item.summary = firstText({&entry.summary->value});
    if (entry.content) item.content = firstText({&entry.content->value});
    if (entry.authors) {
        for (const auto& author : *entry.authors) addOnce(item.authors, author.name);
    }
    if (entry.categories) {
        for (const auto& category : *entry.categories) {
            if (category.attributes) addOnce(item.categories, category.attributes->term);
        }
    }
    if (entry.links) {
        for (const auto& link : *entry.links) {
            if (!link.attributes || !link.attributes->href || !link.attributes->rel ||
                *link.attributes->rel != "enclosure") {
                continue;
            }
            const auto& a = *link.attributes;
            item.enclosures.push_back(
                {a.href->str(), a.type ? a.type->str() : std::string(), a.length});
        }
    }
    addMedia(item, entry.media);
    return item;
}

Summary summarizeAtom(const AtomFeed& feed) {
    Summary summary;
    summary.title = firstText({&feed.title});
    summary.link = alternateLink(feed.links);
    if (feed.subtitle) summary.description = firstText({&feed.subtitle->value});
    summary.imageURL = firstText({&feed.logo, &feed.icon});
    summary.updated = feed.updated;
    if (feed.entries) {
        summary.items.reserve(feed.entries->size());
        for (const auto& entry : *feed.entries) summary.items.push_back(atomEntry(entry));
    }
    return summary;
}

Summary summarizeJSON(const JSONFeed& feed) {
    Summary summary;
    summary.title = firstText({&feed.title});
    summary.link = firstText({&feed.homePageURL});
    summary.description = firstText({&feed.description});
    summary.imageURL = firstText({&feed.icon, &feed.favicon});
    if (!feed.items) return summary;
    summary.items.reserve(feed.items->size());
    for (const JSONFeedItem& from : *feed.items) {
        Item& item = summary.items.emplace_back();
        item.title = firstText({&from.title});
        item.link = firstText({&from.url, &from.externalUrl});
        item.id = firstText({&from.id});
        item.published = from.datePublished;
        item.updated = from.dateModified;
        item.summary = firstText({&from.summary});
        item.content = firstText({&from.contentHtml, &from.contentText});
        if (from.author) {
            addOnce(item.authors, from.author->name);
        } else if (feed.author) {
            addOnce(item.authors, feed.author->name);
        }
        if (from.tags) {
            for (const Text& tag : *from.tags) addOnce(item.categories, tag);
        }
        if (from.attachments) {
            for (const JSONFeedAttachment& a : *from.attachments) {
                if (!a.url) continue;
                item.enclosures.push_back(
                    {a.url->str(), a.mimeType ? a.mimeType->str() : std::string(), a.sizeInBytes});
            }
            if (!from.attachments->empty() && from.attachments->front().durationInSeconds) {
                item.duration = static_cast<double>(*from.attachments->front().durationInSeconds);
            }
        }
        item.image = firstText({&from.image, &from.bannerImage});
    }
    return summary;
}

}  // namespace

Summary summarize(const Feed& feed) {
    if (const RSSFeed* rss = feed.rssFeed()) return summarizeRSS(*rss);
    if (const AtomFeed* atom = feed.atomFeed()) return summarizeAtom(*atom);
    if (const JSONFeed* json = feed.jsonFeed()) return summarizeJSON(*json);
    return {};
}

}  // namespace syndra
