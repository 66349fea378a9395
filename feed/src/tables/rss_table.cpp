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
    {P::channelTitle, "/rss/channel/title", nullptr, oneText<Channel, &F::title>},
    {P::channelLink, "/rss/channel/link", nullptr, oneText<Channel, &F::link>},
    {P::channelDescription, "/rss/channel/description", nullptr, oneText<Channel, &F::description>},
    {P::channelLanguage, "/rss/channel/language", nullptr, oneText<Channel, &F::language>},
    {P::channelCopyright, "/rss/channel/copyright", nullptr, oneText<Channel, &F::copyright>},
    {P::channelManagingEditor, "/rss/channel/managingEditor", nullptr, oneText<Channel, &F::managingEditor>},
    {P::channelWebMaster, "/rss/channel/webMaster", nullptr, oneText<Channel, &F::webMaster>},
    {P::channelPubDate, "/rss/channel/pubDate", nullptr, oneDate<Channel, &F::pubDate>},
    {P::channelLastBuildDate, "/rss/channel/lastBuildDate", nullptr, oneDate<Channel, &F::lastBuildDate>},
    {P::channelCategory, "/rss/channel/category",
        appendElement<Channel, &F::categories>, oneText<ChannelCategory, &RSSFeedCategory::value>},
    {P::channelGenerator, "/rss/channel/generator", nullptr, oneText<Channel, &F::generator>},
    {P::channelDocs, "/rss/channel/docs", nullptr, oneText<Channel, &F::docs>},
    {P::channelCloud, "/rss/channel/cloud", createOnce<Channel, &F::cloud>},
    {P::channelRating, "/rss/channel/rating", nullptr, oneText<Channel, &F::rating>},
    {P::channelTtl, "/rss/channel/ttl", nullptr, oneInteger<Channel, &F::ttl>},
    {P::channelImage, "/rss/channel/image", createOnce<Channel, &F::image>},
    {P::channelImageUrl, "/rss/channel/image/url", nullptr, oneText<Image, &RSSFeedImage::url>},
    {P::channelImageTitle, "/rss/channel/image/title", nullptr, oneText<Image, &RSSFeedImage::title>},
    {P::channelImageLink, "/rss/channel/image/link", nullptr, oneText<Image, &RSSFeedImage::link>},
    {P::channelImageWidth, "/rss/channel/image/width", nullptr, oneInteger<Image, &RSSFeedImage::width>},
    {P::channelImageHeight, "/rss/channel/image/height", nullptr, oneInteger<Image, &RSSFeedImage::height>},
    {P::channelImageDescription, "/rss/channel/image/description", nullptr, oneText<Image, &RSSFeedImage::description>},
    {P::channelTextInput, "/rss/channel/textInput", createOnce<Channel, &F::textInput>},
    {P::channelTextInputTitle, "/rss/channel/textInput/title", nullptr, oneText<TextInput, &RSSFeedTextInput::title>},
    {P::channelTextInputDescription, "/rss/channel/textInput/description", nullptr, oneText<TextInput, &RSSFeedTextInput::description>},
    {P::channelTextInputName, "/rss/channel/textInput/name", nullptr, oneText<TextInput, &RSSFeedTextInput::name>},
    {P::channelTextInputLink, "/rss/channel/textInput/link", nullptr, oneText<TextInput, &RSSFeedTextInput::link>},
    {P::channelSkipHours, "/rss/channel/skipHours", openList<Channel, &F::skipHours>},
    {P::channelSkipHoursHour, "/rss/channel/skipHours/hour", nullptr, listHour<Channel, &F::skipHours>},
    {P::channelSkipDays, "/rss/channel/skipDays", openList<Channel, &F::skipDays>},
    {P::channelSkipDaysDay, "/rss/channel/skipDays/day", nullptr, listDay<Channel, &F::skipDays>},
    {P::channelItem, "/rss/channel/item", appendElement<Channel, &F::items>},
    {P::channelItemTitle, "/rss/channel/item/title", nullptr, oneText<Item, &I::title>},
    {P::channelItemLink, "/rss/channel/item/link", nullptr, oneText<Item, &I::link>},
    {P::channelItemDescription, "/rss/channel/item/description", nullptr, oneText<Item, &I::description>},
    {P::channelItemAuthor, "/rss/channel/item/author", nullptr, oneText<Item, &I::author>},
    {P::channelItemCategory, "/rss/channel/item/category",
        appendElement<Item, &I::categories>, oneText<ItemCategory, &RSSFeedItemCategory::value>},
    {P::channelItemComments, "/rss/channel/item/comments", nullptr, oneText<Item, &I::comments>},
    {P::channelItemEnclosure, "/rss/channel/item/enclosure", createOnce<Item, &I::enclosure>},
    {P::channelItemGuid, "/rss/channel/item/guid",
        createOnce<Item, &I::guid>, oneText<Guid, &RSSFeedItemGUID::value>},
    {P::channelItemPubDate, "/rss/channel/item/pubDate", nullptr, oneTrimmedDate<Item, &I::pubDate>},
    {P::channelItemSource, "/rss/channel/item/source",
        createOnce<Item, &I::source>, oneText<Source, &RSSFeedItemSource::value>},
    {P::channelItemContentEncoded, "/rss/channel/item/content:encoded",
        itemContent, oneText<Content, &ContentNamespace::contentEncoded>},
    {P::channelSyUpdatePeriod, "/rss/channel/sy:updatePeriod", syndication, onePeriod<Syndication, &SY::syUpdatePeriod>},
    {P::channelSyUpdateFrequency, "/rss/channel/sy:updateFrequency", syndication, oneInteger<Syndication, &SY::syUpdateFrequency>},
    {P::channelSyUpdateBase, "/rss/channel/sy:updateBase", syndication, oneDate<Syndication, &SY::syUpdateBase>},
    {P::channelDcTitle, "/rss/channel/dc:title", channelDC, oneText<ChannelDC, &DC::dcTitle>},
    {P::channelDcCreator, "/rss/channel/dc:creator", channelDC, oneText<ChannelDC, &DC::dcCreator>},
    {P::channelDcSubject, "/rss/channel/dc:subject", channelDC, oneText<ChannelDC, &DC::dcSubject>},
    {P::channelDcDescription, "/rss/channel/dc:description", channelDC, oneText<ChannelDC, &DC::dcDescription>},
    {P::channelDcPublisher, "/rss/channel/dc:publisher", channelDC, oneText<ChannelDC, &DC::dcPublisher>},
    {P::channelDcContributor, "/rss/channel/dc:contributor", channelDC, oneText<ChannelDC, &DC::dcContributor>},
    {P::channelDcDate, "/rss/channel/dc:date", channelDC, oneDate<ChannelDC, &DC::dcDate>},
    {P::channelDcType, "/rss/channel/dc:type", channelDC, oneText<ChannelDC, &DC::dcType>},
    {P::channelDcFormat, "/rss/channel/dc:format", channelDC, oneText<ChannelDC, &DC::dcFormat>},
    {P::channelDcIdentifier, "/rss/channel/dc:identifier", channelDC, oneText<ChannelDC, &DC::dcIdentifier>},
    {P::channelDcSource, "/rss/channel/dc:source", channelDC, oneText<ChannelDC, &DC::dcSource>},
    {P::channelDcLanguage, "/rss/channel/dc:language", channelDC, oneText<ChannelDC, &DC::dcLanguage>},
    {P::channelDcRelation, "/rss/channel/dc:relation", channelDC, oneText<ChannelDC, &DC::dcRelation>},
    {P::channelDcCoverage, "/rss/channel/dc:coverage", channelDC, oneText<ChannelDC, &DC::dcCoverage>},
    {P::channelDcRights, "/rss/channel/dc:rights", channelDC, oneText<ChannelDC, &DC::dcRights>},
    {P::channelItemDcTitle, "/rss/channel/item/dc:title", itemDC, oneText<ItemDC, &DC::dcTitle>},
    {P::channelItemDcCreator, "/rss/channel/item/dc:creator", itemDC, oneText<ItemDC, &DC::dcCreator>},
    {P::channelItemDcSubject, "/rss/channel/item/dc:subject", itemDC, oneText<ItemDC, &DC::dcSubject>},
    {P::channelItemDcDescription, "/rss/channel/item/dc:description", itemDC, oneText<ItemDC, &DC::dcDescription>},
    {P::channelItemDcPublisher, "/rss/channel/item/dc:publisher", itemDC, oneText<ItemDC, &DC::dcPublisher>},
    {P::channelItemDcContributor, "/rss/channel/item/dc:contributor", itemDC, oneText<ItemDC, &DC::dcContributor>},
    {P::channelItemDcDate, "/rss/channel/item/dc:date", itemDC, oneDate<ItemDC, &DC::dcDate>},
    {P::channelItemDcType, "/rss/channel/item/dc:type", itemDC, oneText<ItemDC, &DC::dcType>},
    {P::channelItemDcFormat, "/rss/channel/item/dc:format", itemDC, oneText<ItemDC, &DC::dcFormat>},
    {P::channelItemDcIdentifier, "/rss/channel/item/dc:identifier", itemDC, oneText<ItemDC, &DC::dcIdentifier>},
    {P::channelItemDcSource, "/rss/channel/item/dc:source", itemDC, oneText<ItemDC, &DC::dcSource>},
    {P::channelItemDcLanguage, "/rss/channel/item/dc:language", itemDC, oneText<ItemDC, &DC::dcLanguage>},
    {P::channelItemDcRelation, "/rss/channel/item/dc:relation", itemDC, oneText<ItemDC, &DC::dcRelation>},
    {P::channelItemDcCoverage, "/rss/channel/item/dc:coverage", itemDC, oneText<ItemDC, &DC::dcCoverage>},
    {P::channelItemDcRights, "/rss/channel/item/dc:rights", itemDC, oneText<ItemDC, &DC::dcRights>},
    {P::channelITunesAuthor, "/rss/channel/itunes:author", channelITunes, oneText<ChannelITunes, &IT::iTunesAuthor>},
    {P::channelITunesBlock, "/rss/channel/itunes:block", channelITunes, oneText<ChannelITunes, &IT::iTunesBlock>},
    {P::channelITunesCategory, "/rss/channel/itunes:category",
        both<channelITunes, appendElement<ChannelITunes, &IT::iTunesCategories>>},
    {P::channelITunesSubcategory, "/rss/channel/itunes:category/itunes:category",
        both<channelITunes, createAgain<ITunesCategory, &syndra::ITunesCategory::subcategory>>},
    {P::channelITunesImage, "/rss/channel/itunes:image",
        both<channelITunes, createAgain<ChannelITunes, &IT::iTunesImage>>},
    {P::channelITunesExplicit, "/rss/channel/itunes:explicit", channelITunes, oneText<ChannelITunes, &IT::iTunesExplicit>},
    {P::channelITunesComplete, "/rss/channel/itunes:complete", channelITunes, oneText<ChannelITunes, &IT::iTunesComplete>},
    {P::channelITunesNewFeedUrl, "/rss/channel/itunes:new-feed-url", channelITunes, oneText<ChannelITunes, &IT::iTunesNewFeedURL>},
    {P::channelITunesOwner, "/rss/channel/itunes:owner",
        both<channelITunes, createOnce<ChannelITunes, &IT::iTunesOwner>>},
    {P::channelITunesOwnerEmail, "/rss/channel/itunes:owner/itunes:email", channelITunes, oneText<ITunesOwner, &syndra::ITunesOwner::email>},
    {P::channelITunesOwnerName, "/rss/channel/itunes:owner/itunes:name", channelITunes, oneText<ITunesOwner, &syndra::ITunesOwner::name>},
    {P::channelITunesTitle, "/rss/channel/itunes:title", channelITunes, oneText<ChannelITunes, &IT::iTunesTitle>},
    {P::channelITunesSubtitle, "/rss/channel/itunes:subtitle", channelITunes, oneText<ChannelITunes, &IT::iTunesSubtitle>},
    {P::channelITunesSummary, "/rss/channel/itunes:summary", channelITunes, oneText<ChannelITunes, &IT::iTunesSummary>},
    {P::channelITunesKeywords, "/rss/channel/itunes:keywords", channelITunes, oneText<ChannelITunes, &IT::iTunesKeywords>},
    {P::channelITunesType, "/rss/channel/itunes:type", channelITunes, oneText<ChannelITunes, &IT::iTunesType>},
    {P::channelItemITunesAuthor, "/rss/channel/item/itunes:author", itemITunes, oneText<ItemITunes, &IT::iTunesAuthor>},
    {P::channelItemITunesBlock, "/rss/channel/item/itunes:block", itemITunes, oneText<ItemITunes, &IT::iTunesBlock>},
    {P::channelItemITunesImage, "/rss/channel/item/itunes:image",
        both<itemITunes, createAgain<ItemITunes, &IT::iTunesImage>>},
    {P::channelItemITunesDuration, "/rss/channel/item/itunes:duration", itemITunes, oneDuration<ItemITunes, &IT::iTunesDuration>},
    {P::channelItemITunesExplicit, "/rss/channel/item/itunes:explicit", itemITunes, oneText<ItemITunes, &IT::iTunesExplicit>},
    {P::channelItemITunesIsClosedCaptioned, "/rss/channel/item/itunes:isClosedCaptioned", itemITunes, oneText<ItemITunes, &IT::isClosedCaptioned>},
    {P::channelItemITunesOrder, "/rss/channel/item/itunes:order", itemITunes, oneInteger<ItemITunes, &IT::iTunesOrder>},
    {P::channelItemITunesTitle, "/rss/channel/item/itunes:title", itemITunes, oneText<ItemITunes, &IT::iTunesTitle>},
    {P::channelItemITunesSubtitle, "/rss/channel/item/itunes:subtitle", itemITunes, oneText<ItemITunes, &IT::iTunesSubtitle>},
    {P::channelItemITunesSummary, "/rss/channel/item/itunes:summary", itemITunes, oneText<ItemITunes, &IT::iTunesSummary>},
    {P::channelItemITunesKeywords, "/rss/channel/item/itunes:keywords", itemITunes, oneText<ItemITunes, &IT::iTunesKeywords>},
    {P::channelItemITunesEpisodeType, "/rss/channel/item/itunes:episodeType", itemITunes, oneText<ItemITunes, &IT::iTunesEpisodeType>},
    {P::channelItemITunesSeason, "/rss/channel/item/itunes:season", itemITunes, oneInteger<ItemITunes, &IT::iTunesSeason>},
    {P::channelItemITunesEpisode, "/rss/channel/item/itunes:episode", itemITunes, oneInteger<ItemITunes, &IT::iTunesEpisode>},
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
    {R::channelTitle, "/rdf:RDF/channel/title", nullptr, oneText<Channel, &F::title>},
    {R::channelLink, "/rdf:RDF/channel/link", nullptr, oneText<Channel, &F::link>},
    {R::channelDescription, "/rdf:RDF/channel/description", nullptr, oneText<Channel, &F::description>},
    {R::channelImage, "/rdf:RDF/channel/image"},
    {R::channelItems, "/rdf:RDF/channel/items"},
    {R::channelItemsSeq, "/rdf:RDF/channel/items/rdf:Seq"},
    {R::channelItemsSeqLi, "/rdf:RDF/channel/items/rdf:Seq/rdf:li"},
    {R::image, "/rdf:RDF/image", createOnce<Channel, &F::image>},
    {R::imageTitle, "/rdf:RDF/image/title", nullptr, oneText<Image, &RSSFeedImage::title>},
    {R::imageUrl, "/rdf:RDF/image/url", nullptr, oneText<Image, &RSSFeedImage::url>},
    {R::imageLink, "/rdf:RDF/image/link", nullptr, oneText<Image, &RSSFeedImage::link>},
    {R::item, "/rdf:RDF/item", appendElement<Channel, &F::items>},
    {R::itemTitle, "/rdf:RDF/item/title", nullptr, oneText<Item, &I::title>},
    {R::itemLink, "/rdf:RDF/item/link", nullptr, oneText<Item, &I::link>},
    {R::itemDescription, "/rdf:RDF/item/description", nullptr, oneText<Item, &I::description>},
    {R::channelSyUpdatePeriod, "/rdf:RDF/channel/sy:updatePeriod", syndication, onePeriod<Syndication, &SY::syUpdatePeriod>},
    {R::channelSyUpdateFrequency, "/rdf:RDF/channel/sy:updateFrequency", syndication, oneInteger<Syndication, &SY::syUpdateFrequency>},
    {R::channelSyUpdateBase, "/rdf:RDF/channel/sy:updateBase", syndication, oneDate<Syndication, &SY::syUpdateBase>},
    {R::channelDcTitle, "/rdf:RDF/channel/dc:title", channelDC, oneText<ChannelDC, &DC::dcTitle>},
    {R::channelDcCreator, "/rdf:RDF/channel/dc:creator", channelDC, oneText<ChannelDC, &DC::dcCreator>},
    {R::channelDcSubject, "/rdf:RDF/channel/dc:subject", channelDC, oneText<ChannelDC, &DC::dcSubject>},
    {R::channelDcDescription, "/rdf:RDF/channel/dc:description", channelDC, oneText<ChannelDC, &DC::dcDescription>},
    {R::channelDcPublisher, "/rdf:RDF/channel/dc:publisher", channelDC, oneText<ChannelDC, &DC::dcPublisher>},
    {R::channelDcContributor, "/rdf:RDF/channel/dc:contributor", channelDC, oneText<ChannelDC, &DC::dcContributor>},
    {R::channelDcDate, "/rdf:RDF/channel/dc:date", channelDC, oneDate<ChannelDC, &DC::dcDate>},
    {R::channelDcType, "/rdf:RDF/channel/dc:type", channelDC, oneText<ChannelDC, &DC::dcType>},
    {R::channelDcFormat, "/rdf:RDF/channel/dc:format", channelDC, oneText<ChannelDC, &DC::dcFormat>},
    {R::channelDcIdentifier, "/rdf:RDF/channel/dc:identifier", channelDC, oneText<ChannelDC, &DC::dcIdentifier>},
    {R::channelDcSource, "/rdf:RDF/channel/dc:source", channelDC, oneText<ChannelDC, &DC::dcSource>},
    {R::channelDcLanguage, "/rdf:RDF/channel/dc:language", channelDC, oneText<ChannelDC, &DC::dcLanguage>},
    {R::channelDcRelation, "/rdf:RDF/channel/dc:relation", channelDC, oneText<ChannelDC, &DC::dcRelation>},
    {R::channelDcCoverage, "/rdf:RDF/channel/dc:coverage", channelDC, oneText<ChannelDC, &DC::dcCoverage>},
    {R::channelDcRights, "/rdf:RDF/channel/dc:rights", channelDC, oneText<ChannelDC, &DC::dcRights>},
    {R::itemDcTitle, "/rdf:RDF/item/dc:title", itemDC, oneText<ItemDC, &DC::dcTitle>},
    {R::itemDcCreator, "/rdf:RDF/item/dc:creator", itemDC, oneText<ItemDC, &DC::dcCreator>},
    {R::itemDcSubject, "/rdf:RDF/item/dc:subject", itemDC, oneText<ItemDC, &DC::dcSubject>},
    {R::itemDcDescription, "/rdf:RDF/item/dc:description", itemDC, oneText<ItemDC, &DC::dcDescription>},
    {R::itemDcPublisher, "/rdf:RDF/item/dc:publisher", itemDC, oneText<ItemDC, &DC::dcPublisher>},
    {R::itemDcContributor, "/rdf:RDF/item/dc:contributor", itemDC, oneText<ItemDC, &DC::dcContributor>},
    {R::itemDcDate, "/rdf:RDF/item/dc:date", itemDC, oneDate<ItemDC, &DC::dcDate>},
    {R::itemDcType, "/rdf:RDF/item/dc:type", itemDC, oneText<ItemDC, &DC::dcType>},
    {R::itemDcFormat, "/rdf:RDF/item/dc:format", itemDC, oneText<ItemDC, &DC::dcFormat>},
    {R::itemDcIdentifier, "/rdf:RDF/item/dc:identifier", itemDC, oneText<ItemDC, &DC::dcIdentifier>},
    {R::itemDcSource, "/rdf:RDF/item/dc:source", itemDC, oneText<ItemDC, &DC::dcSource>},
    {R::itemDcLanguage, "/rdf:RDF/item/dc:language", itemDC, oneText<ItemDC, &DC::dcLanguage>},
    {R::itemDcRelation, "/rdf:RDF/item/dc:relation", itemDC, oneText<ItemDC, &DC::dcRelation>},
    {R::itemDcCoverage, "/rdf:RDF/item/dc:coverage", itemDC, oneText<ItemDC, &DC::dcCoverage>},
    {R::itemDcRights, "/rdf:RDF/item/dc:rights", itemDC, oneText<ItemDC, &DC::dcRights>},
    {R::itemContentEncoded, "/rdf:RDF/item/content:encoded",
        itemContent, oneText<Content, &ContentNamespace::contentEncoded>},
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
