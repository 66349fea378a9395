#pragma once

#include <syndra/fields.hpp>
#include <syndra/indirect.hpp>
#include <syndra/real.hpp>
#include <syndra/text.hpp>

#include <cstdint>
#include <optional>
#include <vector>

namespace syndra {

// The Media RSS vocabulary ("media:" elements) of an RSS item or an Atom entry.
// Element classes carry their XML attributes in a nested `Attributes`, built
// only when the element has at least one attribute; each of its fields reads
// the attribute of the same name.

struct MediaCategoryAttributes {
    std::optional<Text> scheme{};
    std::optional<Text> label{};

    static constexpr auto fields = std::tuple{field("scheme", &MediaCategoryAttributes::scheme),
                                              field("label", &MediaCategoryAttributes::label)};
};
/// "media:category": a category with its scheme and label.
using MediaCategory = TextWithAttributes<MediaCategoryAttributes>;

struct MediaCopyrightAttributes {
    std::optional<Text> url{};

    static constexpr auto fields = std::tuple{field("url", &MediaCopyrightAttributes::url)};
};
/// "media:copyright". No element fills it.
using MediaCopyright = TextWithAttributes<MediaCopyrightAttributes>;

struct MediaCreditAttributes {
    std::optional<Text> role{};
    std::optional<Text> scheme{};

    static constexpr auto fields = std::tuple{field("role", &MediaCreditAttributes::role),
                                              field("scheme", &MediaCreditAttributes::scheme)};
};
/// "media:credit": who took part, in which role.
using MediaCredit = TextWithAttributes<MediaCreditAttributes>;

struct MediaDescriptionAttributes {
    std::optional<Text> type{};

    static constexpr auto fields = std::tuple{field("type", &MediaDescriptionAttributes::type)};
};
/// "media:description".
using MediaDescription = TextWithAttributes<MediaDescriptionAttributes>;

struct MediaParamAttributes {
    std::optional<Text> name{};

    static constexpr auto fields = std::tuple{field("name", &MediaParamAttributes::name)};
};
/// "media:param" of an embed.
using MediaParam = TextWithAttributes<MediaParamAttributes>;

struct MediaEmbedAttributes {
    std::optional<Text> url{};
    std::optional<std::int64_t> width{};
    std::optional<std::int64_t> height{};

    static constexpr auto fields = std::tuple{field("url", &MediaEmbedAttributes::url),
                                              field("width", &MediaEmbedAttributes::width),
                                              field("height", &MediaEmbedAttributes::height)};
};

/// "media:embed": how to embed a player, with its parameters.
struct MediaEmbed {
    using Attributes = MediaEmbedAttributes;

    std::optional<Attributes> attributes{};
    std::optional<std::vector<MediaParam>> mediaParams{};

    static constexpr auto fields = std::tuple{field("attributes", &MediaEmbed::attributes),
                                              field("mediaParams", &MediaEmbed::mediaParams)};
};

struct MediaHashAttributes {
    std::optional<Text> algo{};

    static constexpr auto fields = std::tuple{field("algo", &MediaHashAttributes::algo)};
};
/// "media:hash". No element fills it.
using MediaHash = TextWithAttributes<MediaHashAttributes>;

struct MediaLicenceAttributes {
    std::optional<Text> type{};
    std::optional<Text> href{};

    static constexpr auto fields = std::tuple{field("type", &MediaLicenceAttributes::type),
                                              field("href", &MediaLicenceAttributes::href)};
};
/// "media:license" (the class keeps the British spelling, the field does not).
using MediaLicence = TextWithAttributes<MediaLicenceAttributes>;

struct MediaLocationAttributes {
    std::optional<Text> description{};
    /// Seconds into the media, from "h:mm:ss"-style text.
    std::optional<Real> start{};
    std::optional<Real> end{};

    static constexpr auto fields =
        std::tuple{field("description", &MediaLocationAttributes::description),
                   field("start", &MediaLocationAttributes::start).read(FieldReading::duration),
                   field("end", &MediaLocationAttributes::end).read(FieldReading::duration)};
};

/// "media:location": a place shown in the media, with its "gml:pos" coordinates.
struct MediaLocation {
    using Attributes = MediaLocationAttributes;

    std::optional<Attributes> attributes{};
    std::optional<Real> latitude{};
    std::optional<Real> longitude{};

    static constexpr auto fields = std::tuple{field("attributes", &MediaLocation::attributes),
                                              field("latitude", &MediaLocation::latitude),
                                              field("longitude", &MediaLocation::longitude)};
};

struct MediaPeerLinkAttributes {
    std::optional<Text> type{};
    std::optional<Text> href{};

    static constexpr auto fields = std::tuple{field("type", &MediaPeerLinkAttributes::type),
                                              field("href", &MediaPeerLinkAttributes::href)};
};
/// "media:peerLink": a peer-to-peer download.
using MediaPeerLink = TextWithAttributes<MediaPeerLinkAttributes>;

struct MediaPlayerAttributes {
    std::optional<Text> url{};
    std::optional<std::int64_t> width{};
    std::optional<std::int64_t> height{};

    static constexpr auto fields = std::tuple{field("url", &MediaPlayerAttributes::url),
                                              field("width", &MediaPlayerAttributes::width),
                                              field("height", &MediaPlayerAttributes::height)};
};
/// "media:player": a web page that plays the media.
using MediaPlayer = TextWithAttributes<MediaPlayerAttributes>;

struct MediaPriceAttributes {
    std::optional<Text> type{};
    std::optional<Real> price{};
    std::optional<Text> info{};
    std::optional<Text> currency{};

    static constexpr auto fields = std::tuple{field("type", &MediaPriceAttributes::type),
                                              field("price", &MediaPriceAttributes::price),
                                              field("info", &MediaPriceAttributes::info),
                                              field("currency", &MediaPriceAttributes::currency)};
};
/// "media:price".
using MediaPrice = TextWithAttributes<MediaPriceAttributes>;

struct MediaRatingAttributes {
    std::optional<Text> scheme{};

    static constexpr auto fields = std::tuple{field("scheme", &MediaRatingAttributes::scheme)};
};
/// "media:rating": an audience rating in some scheme.
using MediaRating = TextWithAttributes<MediaRatingAttributes>;

struct MediaRestrictionAttributes {
    std::optional<Text> relationship{};
    std::optional<Text> type{};

    static constexpr auto fields =
        std::tuple{field("relationship", &MediaRestrictionAttributes::relationship),
                   field("type", &MediaRestrictionAttributes::type)};
};
/// "media:restriction": where or by whom the media may be seen.
using MediaRestriction = TextWithAttributes<MediaRestrictionAttributes>;

struct MediaRightsAttributes {
    std::optional<Text> status{};

    static constexpr auto fields = std::tuple{field("status", &MediaRightsAttributes::status)};
};

/// "media:rights". No element fills it.
using MediaRights = WithAttributes<MediaRightsAttributes>;

struct MediaStarRatingAttributes {
    std::optional<Real> average{};
    std::optional<std::int64_t> count{};
    std::optional<std::int64_t> min{};
    std::optional<std::int64_t> max{};

    static constexpr auto fields = std::tuple{field("average", &MediaStarRatingAttributes::average),
                                              field("count", &MediaStarRatingAttributes::count),
                                              field("min", &MediaStarRatingAttributes::min),
                                              field("max", &MediaStarRatingAttributes::max)};
};

/// "media:starRating" of a community.
using MediaStarRating = WithAttributes<MediaStarRatingAttributes>;

struct MediaStatisticsAttributes {
    std::optional<std::int64_t> views{};
    std::optional<std::int64_t> favorites{};

    static constexpr auto fields =
        std::tuple{field("views", &MediaStatisticsAttributes::views),
                   field("favorites", &MediaStatisticsAttributes::favorites)};
};

/// "media:statistics" of a community.
using MediaStatistics = WithAttributes<MediaStatisticsAttributes>;

struct MediaStatusAttributes {
    std::optional<Text> state{};
    std::optional<Text> reason{};

    static constexpr auto fields = std::tuple{field("state", &MediaStatusAttributes::state),
                                              field("reason", &MediaStatusAttributes::reason)};
};

/// "media:status": whether the media is still available.
using MediaStatus = WithAttributes<MediaStatusAttributes>;

struct MediaSubTitleAttributes {
    std::optional<Text> type{};
    std::optional<Text> lang{};
    std::optional<Text> href{};

    static constexpr auto fields = std::tuple{field("type", &MediaSubTitleAttributes::type),
                                              field("lang", &MediaSubTitleAttributes::lang),
                                              field("href", &MediaSubTitleAttributes::href)};
};

/// "media:subTitle": a subtitle file.
using MediaSubTitle = WithAttributes<MediaSubTitleAttributes>;

struct MediaTextAttributes {
    std::optional<Text> type{};
    std::optional<Text> lang{};
    std::optional<Text> start{};
    std::optional<Text> end{};

    static constexpr auto fields = std::tuple{
        field("type", &MediaTextAttributes::type), field("lang", &MediaTextAttributes::lang),
        field("start", &MediaTextAttributes::start), field("end", &MediaTextAttributes::end)};
};
/// "media:text": a transcript. No element fills it.
using MediaText = TextWithAttributes<MediaTextAttributes>;

struct MediaThumbnailAttributes {
    std::optional<Text> url{};
    std::optional<Text> width{};
    std::optional<Text> height{};
    std::optional<Text> time{};

    static constexpr auto fields = std::tuple{field("url", &MediaThumbnailAttributes::url),
                                              field("width", &MediaThumbnailAttributes::width),
                                              field("height", &MediaThumbnailAttributes::height),
                                              field("time", &MediaThumbnailAttributes::time)};
};
/// "media:thumbnail". Width and height stay texts ("100px" is kept).
using MediaThumbnail = TextWithAttributes<MediaThumbnailAttributes>;

struct MediaTitleAttributes {
    std::optional<Text> type{};

    static constexpr auto fields = std::tuple{field("type", &MediaTitleAttributes::type)};
};
/// "media:title".
using MediaTitle = TextWithAttributes<MediaTitleAttributes>;

struct MediaContentAttributes {
    std::optional<Text> url{};
    std::optional<std::int64_t> fileSize{};
    std::optional<Text> type{};
    std::optional<Text> medium{};
    std::optional<bool> isDefault{};
    std::optional<Text> expression{};
    std::optional<std::int64_t> bitrate{};
    std::optional<Real> framerate{};
    std::optional<Real> samplingrate{};
    std::optional<std::int64_t> channels{};
    /// Whole seconds; "1:30" is not read.
    std::optional<std::int64_t> duration{};
    std::optional<std::int64_t> height{};
    std::optional<std::int64_t> width{};
    std::optional<Text> lang{};

    static constexpr auto fields =
        std::tuple{field("url", &MediaContentAttributes::url),
                   field("fileSize", &MediaContentAttributes::fileSize),
                   field("type", &MediaContentAttributes::type),
                   field("medium", &MediaContentAttributes::medium),
                   field("isDefault", &MediaContentAttributes::isDefault),
                   field("expression", &MediaContentAttributes::expression),
                   field("bitrate", &MediaContentAttributes::bitrate),
                   field("framerate", &MediaContentAttributes::framerate),
                   field("samplingrate", &MediaContentAttributes::samplingrate),
                   field("channels", &MediaContentAttributes::channels),
                   field("duration", &MediaContentAttributes::duration),
                   field("height", &MediaContentAttributes::height),
                   field("width", &MediaContentAttributes::width),
                   field("lang", &MediaContentAttributes::lang)};
};

/// "media:content": one media object (a file or a stream) with its own
/// metadata children. Two contents are equal when their attributes are: the
/// children describe the same object and do not make it a different one. The
/// player and the category, rare in practice, are held through Indirect.
struct MediaContent {
    using Attributes = MediaContentAttributes;

    std::optional<MediaTitle> mediaTitle{};
    std::optional<MediaDescription> mediaDescription{};
    Indirect<MediaPlayer> mediaPlayer{};
    std::optional<std::vector<MediaThumbnail>> mediaThumbnails{};
    std::optional<std::vector<Text>> mediaKeywords{};
    Indirect<MediaCategory> mediaCategory{};
    std::optional<Attributes> attributes{};

    static constexpr auto fields =
        std::tuple{field("mediaTitle", &MediaContent::mediaTitle),
                   field("mediaDescription", &MediaContent::mediaDescription),
                   field("mediaPlayer", &MediaContent::mediaPlayer),
                   field("mediaThumbnails", &MediaContent::mediaThumbnails),
                   field("mediaKeywords", &MediaContent::mediaKeywords),
                   field("mediaCategory", &MediaContent::mediaCategory),
                   field("attributes", &MediaContent::attributes)};
    friend bool operator==(const MediaContent& a, const MediaContent& b) {
        return a.attributes == b.attributes;
    }
};

/// "media:group": alternative contents of one media object.
struct MediaGroup {
    std::optional<std::vector<MediaContent>> mediaContents{};
    std::optional<std::vector<MediaCredit>> mediaCredits{};
    std::optional<MediaCategory> mediaCategory{};
    std::optional<MediaRating> mediaRating{};

    static constexpr auto fields = std::tuple{field("mediaContents", &MediaGroup::mediaContents),
                                              field("mediaCredits", &MediaGroup::mediaCredits),
                                              field("mediaCategory", &MediaGroup::mediaCategory),
                                              field("mediaRating", &MediaGroup::mediaRating)};
};

/// One tag of "media:tags", with its optional weight ("tag:weight").
struct MediaTag {
    std::optional<Text> tag{};
    std::optional<std::int64_t> weight{};

    static constexpr auto fields =
        std::tuple{field("tag", &MediaTag::tag), field("weight", &MediaTag::weight)};
};

/// "media:community": ratings, statistics and tags given by viewers.
struct MediaCommunity {
    std::optional<MediaStarRating> mediaStarRating{};
    std::optional<MediaStatistics> mediaStatistics{};
    std::optional<std::vector<MediaTag>> mediaTags{};

    static constexpr auto fields =
        std::tuple{field("mediaStarRating", &MediaCommunity::mediaStarRating),
                   field("mediaStatistics", &MediaCommunity::mediaStatistics),
                   field("mediaTags", &MediaCommunity::mediaTags)};
};

/// "media:scene": a chapter of the media. Times in seconds.
struct MediaScene {
    std::optional<Text> sceneTitle{};
    std::optional<Text> sceneDescription{};
    std::optional<Real> sceneStartTime{};
    std::optional<Real> sceneEndTime{};

    static constexpr auto fields =
        std::tuple{field("sceneTitle", &MediaScene::sceneTitle),
                   field("sceneDescription", &MediaScene::sceneDescription),
                   field("sceneStartTime", &MediaScene::sceneStartTime),
                   field("sceneEndTime", &MediaScene::sceneEndTime)};
};

/// All Media RSS data of one RSS item or Atom entry. Some fields exist for the
/// vocabulary's sake but no element fills them (rating, title, description,
/// keywords, category, hash, player, credits, copyright, text and rights at
/// this level: those elements are read inside contents and groups).
///
/// Single element objects are held through Indirect (it reads like
/// std::optional): an item has one or two of them at most, and each empty one
/// then costs a pointer instead of its full size, in every item of a feed.
struct MediaNamespace {
    Indirect<MediaGroup> mediaGroup{};
    std::optional<std::vector<MediaContent>> mediaContents{};
    Indirect<MediaRating> mediaRating{};
    Indirect<MediaTitle> mediaTitle{};
    Indirect<MediaDescription> mediaDescription{};
    std::optional<std::vector<Text>> mediaKeywords{};
    std::optional<std::vector<MediaThumbnail>> mediaThumbnails{};
    Indirect<MediaCategory> mediaCategory{};
    Indirect<MediaHash> mediaHash{};
    Indirect<MediaPlayer> mediaPlayer{};
    std::optional<std::vector<MediaCredit>> mediaCredits{};
    Indirect<MediaCopyright> mediaCopyright{};
    Indirect<MediaText> mediaText{};
    Indirect<MediaRestriction> mediaRestriction{};
    Indirect<MediaCommunity> mediaCommunity{};
    std::optional<std::vector<Text>> mediaComments{};
    Indirect<MediaEmbed> mediaEmbed{};
    std::optional<std::vector<Text>> mediaResponses{};
    std::optional<std::vector<Text>> mediaBackLinks{};
    Indirect<MediaStatus> mediaStatus{};
    std::optional<std::vector<MediaPrice>> mediaPrices{};
    Indirect<MediaLicence> mediaLicense{};
    Indirect<MediaSubTitle> mediaSubTitle{};
    Indirect<MediaPeerLink> mediaPeerLink{};
    Indirect<MediaLocation> mediaLocation{};
    Indirect<MediaRights> mediaRights{};
    std::optional<std::vector<MediaScene>> mediaScenes{};

    static constexpr auto fields =
        std::tuple{field("mediaGroup", &MediaNamespace::mediaGroup),
                   field("mediaContents", &MediaNamespace::mediaContents),
                   field("mediaRating", &MediaNamespace::mediaRating),
                   field("mediaTitle", &MediaNamespace::mediaTitle),
                   field("mediaDescription", &MediaNamespace::mediaDescription),
                   field("mediaKeywords", &MediaNamespace::mediaKeywords),
                   field("mediaThumbnails", &MediaNamespace::mediaThumbnails),
                   field("mediaCategory", &MediaNamespace::mediaCategory),
                   field("mediaHash", &MediaNamespace::mediaHash),
                   field("mediaPlayer", &MediaNamespace::mediaPlayer),
                   field("mediaCredits", &MediaNamespace::mediaCredits),
                   field("mediaCopyright", &MediaNamespace::mediaCopyright),
                   field("mediaText", &MediaNamespace::mediaText),
                   field("mediaRestriction", &MediaNamespace::mediaRestriction),
                   field("mediaCommunity", &MediaNamespace::mediaCommunity),
                   field("mediaComments", &MediaNamespace::mediaComments),
                   field("mediaEmbed", &MediaNamespace::mediaEmbed),
                   field("mediaResponses", &MediaNamespace::mediaResponses),
                   field("mediaBackLinks", &MediaNamespace::mediaBackLinks),
                   field("mediaStatus", &MediaNamespace::mediaStatus),
                   field("mediaPrices", &MediaNamespace::mediaPrices),
                   field("mediaLicense", &MediaNamespace::mediaLicense),
                   field("mediaSubTitle", &MediaNamespace::mediaSubTitle),
                   field("mediaPeerLink", &MediaNamespace::mediaPeerLink),
                   field("mediaLocation", &MediaNamespace::mediaLocation),
                   field("mediaRights", &MediaNamespace::mediaRights),
                   field("mediaScenes", &MediaNamespace::mediaScenes)};
};

}  // namespace syndra
