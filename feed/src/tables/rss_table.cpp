#include "detail/table_building.hpp"

#include <syndra/paths.hpp>

namespace syndra::detail {
namespace {

// RSS 2.0 and RDF share the model and most rules; RDF rules never read
// attributes (the RDF vocabulary's elements carry none that the model keeps).

using F = RSSFeed;
using I = RSSFeedItem;
using DC = DublinCoreNamespace;
using SY = SyndicationNamespace;
using IT = ITunesNamespace;

using Channel = Root<RSSFeed>;
using Item = LastOf<Channel, &F::items>;
using Image = Held<Channel, &F::image>;
using TextInput = Held<Channel, &F::textInput>;
using ChannelCategory = LastOf<Channel, &F::categories>;
using ItemCategory = LastOf<Item, &I::categories>;
using Guid = Held<Item, &I::guid>;
using Source = Held<Item, &I::source>;
using Content = Held<Item, &I::content>;
using Syndication = Held<Channel, &F::syndication>;
using ChannelDC = Held<Channel, &F::dublinCore>;
using ItemDC = Held<Item, &I::dublinCore>;
using ChannelITunes = Held<Channel, &F::iTunes>;
using ItemITunes = Held<Item, &I::iTunes>;
using ITunesOwner = Held<ChannelITunes, &IT::iTunesOwner>;
using ITunesCategory = LastOf<ChannelITunes, &IT::iTunesCategories>;

struct ItemMedia : MediaOwner<Item, &I::media> {
    static constexpr std::string_view prefix = "/rss/channel/item/";
};

// The first element of a namespace family creates the namespace object.
constexpr auto channelDC = createOnce<Channel, &F::dublinCore>;
constexpr auto itemDC = createOnce<Item, &I::dublinCore>;
constexpr auto syndication = createOnce<Channel, &F::syndication>;
constexpr auto channelITunes = createOnce<Channel, &F::iTunes>;
constexpr auto itemITunes = createOnce<Item, &I::iTunes>;
constexpr auto itemContent = createOnce<Item, &I::content>;

using P = RSSPath;
using Row = TableRow<RSSPath, RSSFeed>;
using E = MediaElement;

// clang-format off
constexpr std::array<Row, rssPathCount> kRSSRows{{
    {P::rss, "/rss"},
    {P::channel, "/rss/channel"},
    {P::channelTitle, "/rss/channel/title", nullptr, appendText<Channel, &F::title>},
    {P::channelLink, "/rss/channel/link", nullptr, appendText<Channel, &F::link>},
    {P::channelDescription, "/rss/channel/description", nullptr, appendText<Channel, &F::description>},
    {P::channelLanguage, "/rss/channel/language", nullptr, appendText<Channel, &F::language>},
    {P::channelCopyright, "/rss/channel/copyright", nullptr, appendText<Channel, &F::copyright>},
    {P::channelManagingEditor, "/rss/channel/managingEditor", nullptr, appendText<Channel, &F::managingEditor>},
    {P::channelWebMaster, "/rss/channel/webMaster", nullptr, appendText<Channel, &F::webMaster>},
    {P::channelPubDate, "/rss/channel/pubDate", nullptr, dateText<Channel, &F::pubDate>},
    {P::channelLastBuildDate, "/rss/channel/lastBuildDate", nullptr, dateText<Channel, &F::lastBuildDate>},
    {P::channelCategory, "/rss/channel/category",
        appendElement<Channel, &F::categories>, appendText<ChannelCategory, &RSSFeedCategory::value>},
    {P::channelGenerator, "/rss/channel/generator", nullptr, appendText<Channel, &F::generator>},
    {P::channelDocs, "/rss/channel/docs", nullptr, appendText<Channel, &F::docs>},
    {P::channelCloud, "/rss/channel/cloud", createOnce<Channel, &F::cloud>},
    {P::channelRating, "/rss/channel/rating", nullptr, appendText<Channel, &F::rating>},
    {P::channelTtl, "/rss/channel/ttl", nullptr, integerText<Channel, &F::ttl>},
    {P::channelImage, "/rss/channel/image", createOnce<Channel, &F::image>},
    {P::channelImageUrl, "/rss/channel/image/url", nullptr, appendText<Image, &RSSFeedImage::url>},
    {P::channelImageTitle, "/rss/channel/image/title", nullptr, appendText<Image, &RSSFeedImage::title>},
    {P::channelImageLink, "/rss/channel/image/link", nullptr, appendText<Image, &RSSFeedImage::link>},
    {P::channelImageWidth, "/rss/channel/image/width", nullptr, integerText<Image, &RSSFeedImage::width>},
    {P::channelImageHeight, "/rss/channel/image/height", nullptr, integerText<Image, &RSSFeedImage::height>},
    {P::channelImageDescription, "/rss/channel/image/description", nullptr, appendText<Image, &RSSFeedImage::description>},
    {P::channelTextInput, "/rss/channel/textInput", createOnce<Channel, &F::textInput>},
    {P::channelTextInputTitle, "/rss/channel/textInput/title", nullptr, appendText<TextInput, &RSSFeedTextInput::title>},
    {P::channelTextInputDescription, "/rss/channel/textInput/description", nullptr, appendText<TextInput, &RSSFeedTextInput::description>},
    {P::channelTextInputName, "/rss/channel/textInput/name", nullptr, appendText<TextInput, &RSSFeedTextInput::name>},
    {P::channelTextInputLink, "/rss/channel/textInput/link", nullptr, appendText<TextInput, &RSSFeedTextInput::link>},
    {P::channelSkipHours, "/rss/channel/skipHours", openList<Channel, &F::skipHours>},
    {P::channelSkipHoursHour, "/rss/channel/skipHours/hour", nullptr, hourText<Channel, &F::skipHours>},
    {P::channelSkipDays, "/rss/channel/skipDays", openList<Channel, &F::skipDays>},
    {P::channelSkipDaysDay, "/rss/channel/skipDays/day", nullptr, dayText<Channel, &F::skipDays>},
    {P::channelItem, "/rss/channel/item", appendElement<Channel, &F::items>},
    {P::channelItemTitle, "/rss/channel/item/title", nullptr, appendText<Item, &I::title>},
    {P::channelItemLink, "/rss/channel/item/link", nullptr, appendText<Item, &I::link>},
    {P::channelItemDescription, "/rss/channel/item/description", nullptr, appendText<Item, &I::description>},
    {P::channelItemAuthor, "/rss/channel/item/author", nullptr, appendText<Item, &I::author>},
    {P::channelItemCategory, "/rss/channel/item/category",
        appendElement<Item, &I::categories>, appendText<ItemCategory, &RSSFeedItemCategory::value>},
    {P::channelItemComments, "/rss/channel/item/comments", nullptr, appendText<Item, &I::comments>},
    {P::channelItemEnclosure, "/rss/channel/item/enclosure", createOnce<Item, &I::enclosure>},
    {P::channelItemGuid, "/rss/channel/item/guid",
        createOnce<Item, &I::guid>, appendText<Guid, &RSSFeedItemGUID::value>},
    {P::channelItemPubDate, "/rss/channel/item/pubDate", nullptr, trimmedDateText<Item, &I::pubDate>},
    {P::channelItemSource, "/rss/channel/item/source",
        createOnce<Item, &I::source>, appendText<Source, &RSSFeedItemSource::value>},
    {P::channelItemContentEncoded, "/rss/channel/item/content:encoded",
        itemContent, appendText<Content, &ContentNamespace::contentEncoded>},
    {P::channelSyUpdatePeriod, "/rss/channel/sy:updatePeriod", syndication, periodText<Syndication, &SY::syUpdatePeriod>},
    {P::channelSyUpdateFrequency, "/rss/channel/sy:updateFrequency", syndication, integerText<Syndication, &SY::syUpdateFrequency>},
    {P::channelSyUpdateBase, "/rss/channel/sy:updateBase", syndication, dateText<Syndication, &SY::syUpdateBase>},
    {P::channelDcTitle, "/rss/channel/dc:title", channelDC, appendText<ChannelDC, &DC::dcTitle>},
    {P::channelDcCreator, "/rss/channel/dc:creator", channelDC, appendText<ChannelDC, &DC::dcCreator>},
    {P::channelDcSubject, "/rss/channel/dc:subject", channelDC, appendText<ChannelDC, &DC::dcSubject>},
    {P::channelDcDescription, "/rss/channel/dc:description", channelDC, appendText<ChannelDC, &DC::dcDescription>},
    {P::channelDcPublisher, "/rss/channel/dc:publisher", channelDC, appendText<ChannelDC, &DC::dcPublisher>},
    {P::channelDcContributor, "/rss/channel/dc:contributor", channelDC, appendText<ChannelDC, &DC::dcContributor>},
    {P::channelDcDate, "/rss/channel/dc:date", channelDC, dateText<ChannelDC, &DC::dcDate>},
    {P::channelDcType, "/rss/channel/dc:type", channelDC, appendText<ChannelDC, &DC::dcType>},
    {P::channelDcFormat, "/rss/channel/dc:format", channelDC, appendText<ChannelDC, &DC::dcFormat>},
    {P::channelDcIdentifier, "/rss/channel/dc:identifier", channelDC, appendText<ChannelDC, &DC::dcIdentifier>},
    {P::channelDcSource, "/rss/channel/dc:source", channelDC, appendText<ChannelDC, &DC::dcSource>},
    {P::channelDcLanguage, "/rss/channel/dc:language", channelDC, appendText<ChannelDC, &DC::dcLanguage>},
    {P::channelDcRelation, "/rss/channel/dc:relation", channelDC, appendText<ChannelDC, &DC::dcRelation>},
    {P::channelDcCoverage, "/rss/channel/dc:coverage", channelDC, appendText<ChannelDC, &DC::dcCoverage>},
    {P::channelDcRights, "/rss/channel/dc:rights", channelDC, appendText<ChannelDC, &DC::dcRights>},
    {P::channelItemDcTitle, "/rss/channel/item/dc:title", itemDC, appendText<ItemDC, &DC::dcTitle>},
    {P::channelItemDcCreator, "/rss/channel/item/dc:creator", itemDC, appendText<ItemDC, &DC::dcCreator>},
    {P::channelItemDcSubject, "/rss/channel/item/dc:subject", itemDC, appendText<ItemDC, &DC::dcSubject>},
    {P::channelItemDcDescription, "/rss/channel/item/dc:description", itemDC, appendText<ItemDC, &DC::dcDescription>},
    {P::channelItemDcPublisher, "/rss/channel/item/dc:publisher", itemDC, appendText<ItemDC, &DC::dcPublisher>},
    {P::channelItemDcContributor, "/rss/channel/item/dc:contributor", itemDC, appendText<ItemDC, &DC::dcContributor>},
    {P::channelItemDcDate, "/rss/channel/item/dc:date", itemDC, dateText<ItemDC, &DC::dcDate>},
    {P::channelItemDcType, "/rss/channel/item/dc:type", itemDC, appendText<ItemDC, &DC::dcType>},
    {P::channelItemDcFormat, "/rss/channel/item/dc:format", itemDC, appendText<ItemDC, &DC::dcFormat>},
    {P::channelItemDcIdentifier, "/rss/channel/item/dc:identifier", itemDC, appendText<ItemDC, &DC::dcIdentifier>},
    {P::channelItemDcSource, "/rss/channel/item/dc:source", itemDC, appendText<ItemDC, &DC::dcSource>},
    {P::channelItemDcLanguage, "/rss/channel/item/dc:language", itemDC, appendText<ItemDC, &DC::dcLanguage>},
    {P::channelItemDcRelation, "/rss/channel/item/dc:relation", itemDC, appendText<ItemDC, &DC::dcRelation>},
    {P::channelItemDcCoverage, "/rss/channel/item/dc:coverage", itemDC, appendText<ItemDC, &DC::dcCoverage>},
    {P::channelItemDcRights, "/rss/channel/item/dc:rights", itemDC, appendText<ItemDC, &DC::dcRights>},
    {P::channelITunesAuthor, "/rss/channel/itunes:author", channelITunes, appendText<ChannelITunes, &IT::iTunesAuthor>},
    {P::channelITunesBlock, "/rss/channel/itunes:block", channelITunes, appendText<ChannelITunes, &IT::iTunesBlock>},
    {P::channelITunesCategory, "/rss/channel/itunes:category",
        both<channelITunes, appendElement<ChannelITunes, &IT::iTunesCategories>>},
    {P::channelITunesSubcategory, "/rss/channel/itunes:category/itunes:category",
        both<channelITunes, createAgain<ITunesCategory, &syndra::ITunesCategory::subcategory>>},
    {P::channelITunesImage, "/rss/channel/itunes:image",
        both<channelITunes, createAgain<ChannelITunes, &IT::iTunesImage>>},
    {P::channelITunesExplicit, "/rss/channel/itunes:explicit", channelITunes, appendText<ChannelITunes, &IT::iTunesExplicit>},
    {P::channelITunesComplete, "/rss/channel/itunes:complete", channelITunes, appendText<ChannelITunes, &IT::iTunesComplete>},
    {P::channelITunesNewFeedUrl, "/rss/channel/itunes:new-feed-url", channelITunes, appendText<ChannelITunes, &IT::iTunesNewFeedURL>},
    {P::channelITunesOwner, "/rss/channel/itunes:owner",
        both<channelITunes, createOnce<ChannelITunes, &IT::iTunesOwner>>},
    {P::channelITunesOwnerEmail, "/rss/channel/itunes:owner/itunes:email", channelITunes, appendText<ITunesOwner, &syndra::ITunesOwner::email>},
    {P::channelITunesOwnerName, "/rss/channel/itunes:owner/itunes:name", channelITunes, appendText<ITunesOwner, &syndra::ITunesOwner::name>},
    {P::channelITunesTitle, "/rss/channel/itunes:title", channelITunes, appendText<ChannelITunes, &IT::iTunesTitle>},
    {P::channelITunesSubtitle, "/rss/channel/itunes:subtitle", channelITunes, appendText<ChannelITunes, &IT::iTunesSubtitle>},
    {P::channelITunesSummary, "/rss/channel/itunes:summary", channelITunes, appendText<ChannelITunes, &IT::iTunesSummary>},
    {P::channelITunesKeywords, "/rss/channel/itunes:keywords", channelITunes, appendText<ChannelITunes, &IT::iTunesKeywords>},
    {P::channelITunesType, "/rss/channel/itunes:type", channelITunes, appendText<ChannelITunes, &IT::iTunesType>},
    {P::channelItemITunesAuthor, "/rss/channel/item/itunes:author", itemITunes, appendText<ItemITunes, &IT::iTunesAuthor>},
    {P::channelItemITunesBlock, "/rss/channel/item/itunes:block", itemITunes, appendText<ItemITunes, &IT::iTunesBlock>},
    {P::channelItemITunesImage, "/rss/channel/item/itunes:image",
        both<itemITunes, createAgain<ItemITunes, &IT::iTunesImage>>},
    {P::channelItemITunesDuration, "/rss/channel/item/itunes:duration", itemITunes, durationText<ItemITunes, &IT::iTunesDuration>},
    {P::channelItemITunesExplicit, "/rss/channel/item/itunes:explicit", itemITunes, appendText<ItemITunes, &IT::iTunesExplicit>},
    {P::channelItemITunesIsClosedCaptioned, "/rss/channel/item/itunes:isClosedCaptioned", itemITunes, appendText<ItemITunes, &IT::isClosedCaptioned>},
    {P::channelItemITunesOrder, "/rss/channel/item/itunes:order", itemITunes, integerText<ItemITunes, &IT::iTunesOrder>},
    {P::channelItemITunesTitle, "/rss/channel/item/itunes:title", itemITunes, appendText<ItemITunes, &IT::iTunesTitle>},
    {P::channelItemITunesSubtitle, "/rss/channel/item/itunes:subtitle", itemITunes, appendText<ItemITunes, &IT::iTunesSubtitle>},
    {P::channelItemITunesSummary, "/rss/channel/item/itunes:summary", itemITunes, appendText<ItemITunes, &IT::iTunesSummary>},
    {P::channelItemITunesKeywords, "/rss/channel/item/itunes:keywords", itemITunes, appendText<ItemITunes, &IT::iTunesKeywords>},
    {P::channelItemITunesEpisodeType, "/rss/channel/item/itunes:episodeType", itemITunes, appendText<ItemITunes, &IT::iTunesEpisodeType>},
    {P::channelItemITunesSeason, "/rss/channel/item/itunes:season", itemITunes, integerText<ItemITunes, &IT::iTunesSeason>},
    {P::channelItemITunesEpisode, "/rss/channel/item/itunes:episode", itemITunes, integerText<ItemITunes, &IT::iTunesEpisode>},
    mediaRow<ItemMedia, E::thumbnail>(P::channelItemMediaThumbnail),
    mediaRow<ItemMedia, E::content>(P::channelItemMediaContent),
    mediaRow<ItemMedia, E::contentTitle>(P::channelItemMediaContentTitle),
    mediaRow<ItemMedia, E::contentDescription>(P::channelItemMediaContentDescription),
    mediaRow<ItemMedia, E::contentPlayer>(P::channelItemMediaContentPlayer),
    mediaRow<ItemMedia, E::contentThumbnail>(P::channelItemMediaContentThumbnail),
    mediaRow<ItemMedia, E::contentKeywords>(P::channelItemMediaContentKeywords),
    mediaRow<ItemMedia, E::contentCategory>(P::channelItemMediaContentCategory),
    mediaRow<ItemMedia, E::community>(P::channelItemMediaCommunity),
    mediaRow<ItemMedia, E::communityStarRating>(P::channelItemMediaCommunityStarRating),
    mediaRow<ItemMedia, E::communityStatistics>(P::channelItemMediaCommunityStatistics),
    mediaRow<ItemMedia, E::communityTags>(P::channelItemMediaCommunityTags),
    mediaRow<ItemMedia, E::comments>(P::channelItemMediaComments),
    mediaRow<ItemMedia, E::commentsComment>(P::channelItemMediaCommentsComment),
    mediaRow<ItemMedia, E::embed>(P::channelItemMediaEmbed),
    mediaRow<ItemMedia, E::embedParam>(P::channelItemMediaEmbedParam),
    mediaRow<ItemMedia, E::responses>(P::channelItemMediaResponses),
    mediaRow<ItemMedia, E::responsesResponse>(P::channelItemMediaResponsesResponse),
    mediaRow<ItemMedia, E::backLinks>(P::channelItemMediaBackLinks),
    mediaRow<ItemMedia, E::backLinksBackLink>(P::channelItemMediaBackLinksBackLink),
    mediaRow<ItemMedia, E::status>(P::channelItemMediaStatus),
    mediaRow<ItemMedia, E::price>(P::channelItemMediaPrice),
    mediaRow<ItemMedia, E::license>(P::channelItemMediaLicense),
    mediaRow<ItemMedia, E::subTitle>(P::channelItemMediaSubTitle),
    mediaRow<ItemMedia, E::peerLink>(P::channelItemMediaPeerLink),
    mediaRow<ItemMedia, E::location>(P::channelItemMediaLocation),
    mediaRow<ItemMedia, E::locationPos>(P::channelItemMediaLocationPos),
    mediaRow<ItemMedia, E::restriction>(P::channelItemMediaRestriction),
    mediaRow<ItemMedia, E::scenes>(P::channelItemMediaScenes),
    mediaRow<ItemMedia, E::scenesScene>(P::channelItemMediaScenesScene),
    mediaRow<ItemMedia, E::sceneTitle>(P::channelItemMediaSceneTitle),
    mediaRow<ItemMedia, E::sceneDescription>(P::channelItemMediaSceneDescription),
    mediaRow<ItemMedia, E::sceneStartTime>(P::channelItemMediaSceneStartTime),
    mediaRow<ItemMedia, E::sceneEndTime>(P::channelItemMediaSceneEndTime),
    mediaRow<ItemMedia, E::group>(P::channelItemMediaGroup),
    mediaRow<ItemMedia, E::groupCredit>(P::channelItemMediaGroupCredit),
    mediaRow<ItemMedia, E::groupCategory>(P::channelItemMediaGroupCategory),
    mediaRow<ItemMedia, E::groupRating>(P::channelItemMediaGroupRating),
    mediaRow<ItemMedia, E::groupContent>(P::channelItemMediaGroupContent),
}};
// clang-format on

static_assert(inPathOrder(kRSSRows), "row i of the RSS table must be RSSPath case i");
static_assert(hasAllMediaRows(kRSSRows, true), "an RSS item reads every Media RSS path");

constexpr auto kRSSTable = rulesOf(kRSSRows);

// The RDF document's top-level "image" fills the same RSSFeedImage as an RSS
// channel image; the channel's own "image" element only points at it.
using R = RDFPath;
using RDFRow = TableRow<RDFPath, RSSFeed>;

// clang-format off
constexpr std::array<RDFRow, rdfPathCount> kRDFRows{{
    {R::rdf, "/rdf:RDF"},
    {R::channel, "/rdf:RDF/channel"},
    {R::channelTitle, "/rdf:RDF/channel/title", nullptr, appendText<Channel, &F::title>},
    {R::channelLink, "/rdf:RDF/channel/link", nullptr, appendText<Channel, &F::link>},
    {R::channelDescription, "/rdf:RDF/channel/description", nullptr, appendText<Channel, &F::description>},
    {R::channelImage, "/rdf:RDF/channel/image"},
    {R::channelItems, "/rdf:RDF/channel/items"},
    {R::channelItemsSeq, "/rdf:RDF/channel/items/rdf:Seq"},
    {R::channelItemsSeqLi, "/rdf:RDF/channel/items/rdf:Seq/rdf:li"},
    {R::image, "/rdf:RDF/image", createOnce<Channel, &F::image>},
    {R::imageTitle, "/rdf:RDF/image/title", nullptr, appendText<Image, &RSSFeedImage::title>},
    {R::imageUrl, "/rdf:RDF/image/url", nullptr, appendText<Image, &RSSFeedImage::url>},
    {R::imageLink, "/rdf:RDF/image/link", nullptr, appendText<Image, &RSSFeedImage::link>},
    {R::item, "/rdf:RDF/item", appendElement<Channel, &F::items>},
    {R::itemTitle, "/rdf:RDF/item/title", nullptr, appendText<Item, &I::title>},
    {R::itemLink, "/rdf:RDF/item/link", nullptr, appendText<Item, &I::link>},
    {R::itemDescription, "/rdf:RDF/item/description", nullptr, appendText<Item, &I::description>},
    {R::channelSyUpdatePeriod, "/rdf:RDF/channel/sy:updatePeriod", syndication, periodText<Syndication, &SY::syUpdatePeriod>},
    {R::channelSyUpdateFrequency, "/rdf:RDF/channel/sy:updateFrequency", syndication, integerText<Syndication, &SY::syUpdateFrequency>},
    {R::channelSyUpdateBase, "/rdf:RDF/channel/sy:updateBase", syndication, dateText<Syndication, &SY::syUpdateBase>},
    {R::channelDcTitle, "/rdf:RDF/channel/dc:title", channelDC, appendText<ChannelDC, &DC::dcTitle>},
    {R::channelDcCreator, "/rdf:RDF/channel/dc:creator", channelDC, appendText<ChannelDC, &DC::dcCreator>},
    {R::channelDcSubject, "/rdf:RDF/channel/dc:subject", channelDC, appendText<ChannelDC, &DC::dcSubject>},
    {R::channelDcDescription, "/rdf:RDF/channel/dc:description", channelDC, appendText<ChannelDC, &DC::dcDescription>},
    {R::channelDcPublisher, "/rdf:RDF/channel/dc:publisher", channelDC, appendText<ChannelDC, &DC::dcPublisher>},
    {R::channelDcContributor, "/rdf:RDF/channel/dc:contributor", channelDC, appendText<ChannelDC, &DC::dcContributor>},
    {R::channelDcDate, "/rdf:RDF/channel/dc:date", channelDC, dateText<ChannelDC, &DC::dcDate>},
    {R::channelDcType, "/rdf:RDF/channel/dc:type", channelDC, appendText<ChannelDC, &DC::dcType>},
    {R::channelDcFormat, "/rdf:RDF/channel/dc:format", channelDC, appendText<ChannelDC, &DC::dcFormat>},
    {R::channelDcIdentifier, "/rdf:RDF/channel/dc:identifier", channelDC, appendText<ChannelDC, &DC::dcIdentifier>},
    {R::channelDcSource, "/rdf:RDF/channel/dc:source", channelDC, appendText<ChannelDC, &DC::dcSource>},
    {R::channelDcLanguage, "/rdf:RDF/channel/dc:language", channelDC, appendText<ChannelDC, &DC::dcLanguage>},
    {R::channelDcRelation, "/rdf:RDF/channel/dc:relation", channelDC, appendText<ChannelDC, &DC::dcRelation>},
    {R::channelDcCoverage, "/rdf:RDF/channel/dc:coverage", channelDC, appendText<ChannelDC, &DC::dcCoverage>},
    {R::channelDcRights, "/rdf:RDF/channel/dc:rights", channelDC, appendText<ChannelDC, &DC::dcRights>},
    {R::itemDcTitle, "/rdf:RDF/item/dc:title", itemDC, appendText<ItemDC, &DC::dcTitle>},
    {R::itemDcCreator, "/rdf:RDF/item/dc:creator", itemDC, appendText<ItemDC, &DC::dcCreator>},
    {R::itemDcSubject, "/rdf:RDF/item/dc:subject", itemDC, appendText<ItemDC, &DC::dcSubject>},
    {R::itemDcDescription, "/rdf:RDF/item/dc:description", itemDC, appendText<ItemDC, &DC::dcDescription>},
    {R::itemDcPublisher, "/rdf:RDF/item/dc:publisher", itemDC, appendText<ItemDC, &DC::dcPublisher>},
    {R::itemDcContributor, "/rdf:RDF/item/dc:contributor", itemDC, appendText<ItemDC, &DC::dcContributor>},
    {R::itemDcDate, "/rdf:RDF/item/dc:date", itemDC, dateText<ItemDC, &DC::dcDate>},
    {R::itemDcType, "/rdf:RDF/item/dc:type", itemDC, appendText<ItemDC, &DC::dcType>},
    {R::itemDcFormat, "/rdf:RDF/item/dc:format", itemDC, appendText<ItemDC, &DC::dcFormat>},
    {R::itemDcIdentifier, "/rdf:RDF/item/dc:identifier", itemDC, appendText<ItemDC, &DC::dcIdentifier>},
    {R::itemDcSource, "/rdf:RDF/item/dc:source", itemDC, appendText<ItemDC, &DC::dcSource>},
    {R::itemDcLanguage, "/rdf:RDF/item/dc:language", itemDC, appendText<ItemDC, &DC::dcLanguage>},
    {R::itemDcRelation, "/rdf:RDF/item/dc:relation", itemDC, appendText<ItemDC, &DC::dcRelation>},
    {R::itemDcCoverage, "/rdf:RDF/item/dc:coverage", itemDC, appendText<ItemDC, &DC::dcCoverage>},
    {R::itemDcRights, "/rdf:RDF/item/dc:rights", itemDC, appendText<ItemDC, &DC::dcRights>},
    {R::itemContentEncoded, "/rdf:RDF/item/content:encoded",
        itemContent, appendText<Content, &ContentNamespace::contentEncoded>},
}};
// clang-format on

static_assert(inPathOrder(kRDFRows), "row i of the RDF table must be RDFPath case i");

constexpr auto kRDFTable = rulesOf(kRDFRows);

}  // namespace

std::span<const PathRule<RSSFeed>> rssTable() {
    return kRSSTable;
}

std::span<const PathRule<RSSFeed>> rdfTable() {
    return kRDFTable;
}

}  // namespace syndra::detail
