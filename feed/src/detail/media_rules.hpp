#pragma once

// The Media RSS rules, shared by the two owners of a MediaNamespace: the RSS
// item and the Atom entry. Each rule is keyed by the path below the owner
// ("media:group/media:credit"); the owners' tables take their media rows from
// here, so both read Media RSS the same way. Only the children of
// "media:content" are read in RSS items alone.

#include "detail/rule_helpers.hpp"

#include <syndra/media.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace syndra::detail {

/// The Media RSS paths below an owner, in table order.
enum class MediaElement : std::uint8_t {
    thumbnail,
    content,
    contentTitle,
    contentDescription,
    contentPlayer,
    contentThumbnail,
    contentKeywords,
    contentCategory,
    community,
    communityStarRating,
    communityStatistics,
    communityTags,
    comments,
    commentsComment,
    embed,
    embedParam,
    responses,
    responsesResponse,
    backLinks,
    backLinksBackLink,
    status,
    price,
    license,
    subTitle,
    peerLink,
    location,
    locationPos,
    restriction,
    scenes,
    scenesScene,
    sceneTitle,
    sceneDescription,
    sceneStartTime,
    sceneEndTime,
    group,
    groupCredit,
    groupCategory,
    groupRating,
    groupContent,
};

struct MediaRule {
    MediaElement element;
    /// The path below the owner.
    std::string_view suffix;
    std::size_t (*start)(MediaNamespace&, const AttributeMap&) = nullptr;
    TextRule<MediaNamespace> text{};
    /// A child of "media:content": Atom entries do not read it.
    bool rssOnly = false;
    /// Whether the element's start gives the owner its MediaNamespace. The
    /// children of a scene do not: they only fill the scene that is open.
    bool createsNamespace = true;
};

/// "media:tags": "tag:weight, tag, ..." added to the community's tags.
std::size_t tagsText(MediaNamespace& media, std::string_view text);
/// "media:keywords": comma-separated, trimmed, appended to the open content's.
std::size_t keywordsText(MediaNamespace& media, std::string_view text);
/// "gml:pos": "latitude longitude", one space between; the first position
/// that gives either stands.
std::size_t positionText(MediaNamespace& media, std::string_view text);

namespace media {

using M = MediaNamespace;
using Media = Root<M>;
using Thumbnails = LastOf<Media, &M::mediaThumbnails>;
using Content = LastOf<Media, &M::mediaContents>;
using Community = Held<Media, &M::mediaCommunity>;
using Embed = Held<Media, &M::mediaEmbed>;
using Scene = LastOf<Media, &M::mediaScenes>;
using Group = Held<Media, &M::mediaGroup>;

inline constexpr std::size_t kRuleCount = 39;
using E = MediaElement;
using MC = MediaContent;
using MG = MediaGroup;

// clang-format off
inline constexpr std::array<MediaRule, kRuleCount> kRules{{
    {E::thumbnail, "media:thumbnail",
        appendElement<Media, &M::mediaThumbnails>, oneText<Thumbnails, &MediaThumbnail::value>},
    {E::content, "media:content", appendElement<Media, &M::mediaContents>},
    {E::contentTitle, "media:content/media:title",
        createOnce<Content, &MC::mediaTitle>,
        oneText<Held<Content, &MC::mediaTitle>, &MediaTitle::value>, true},
    {E::contentDescription, "media:content/media:description",
        createOnce<Content, &MC::mediaDescription>,
        oneText<Held<Content, &MC::mediaDescription>, &MediaDescription::value>, true},
    {E::contentPlayer, "media:content/media:player",
        createOnce<Content, &MC::mediaPlayer>,
        oneText<Held<Content, &MC::mediaPlayer>, &MediaPlayer::value>, true},
    {E::contentThumbnail, "media:content/media:thumbnail",
        appendElement<Content, &MC::mediaThumbnails>,
        oneText<LastOf<Content, &MC::mediaThumbnails>, &MediaThumbnail::value>, true},
    {E::contentKeywords, "media:content/media:keywords",
        openList<Content, &MC::mediaKeywords>, {keywordsText, TextKind::values}, true},
    {E::contentCategory, "media:content/media:category",
        createOnce<Content, &MC::mediaCategory>,
        oneText<Held<Content, &MC::mediaCategory>, &MediaCategory::value>, true},
    {E::community, "media:community", createOnce<Media, &M::mediaCommunity>},
    {E::communityStarRating, "media:community/media:starRating",
        createOnce<Community, &MediaCommunity::mediaStarRating>},
    {E::communityStatistics, "media:community/media:statistics",
        createOnce<Community, &MediaCommunity::mediaStatistics>},
    {E::communityTags, "media:community/media:tags",
        openList<Community, &MediaCommunity::mediaTags>, {tagsText, TextKind::values}},
    {E::comments, "media:comments", openList<Media, &M::mediaComments>},
    {E::commentsComment, "media:comments/media:comment",
        nullptr, listText<Media, &M::mediaComments>},
    {E::embed, "media:embed", createOnce<Media, &M::mediaEmbed>},
    {E::embedParam, "media:embed/media:param",
        appendElement<Embed, &MediaEmbed::mediaParams>,
        oneText<LastOf<Embed, &MediaEmbed::mediaParams>, &MediaParam::value>},
    {E::responses, "media:responses", openList<Media, &M::mediaResponses>},
    {E::responsesResponse, "media:responses/media:response",
        nullptr, listText<Media, &M::mediaResponses>},
    {E::backLinks, "media:backLinks", openList<Media, &M::mediaBackLinks>},
    {E::backLinksBackLink, "media:backLinks/media:backLink",
        nullptr, listText<Media, &M::mediaBackLinks>},
    {E::status, "media:status", createOnce<Media, &M::mediaStatus>},
    // A price's text is not kept: the attributes say it all.
    {E::price, "media:price", appendElement<Media, &M::mediaPrices>},
    {E::license, "media:license",
        createOnce<Media, &M::mediaLicense>,
        oneText<Held<Media, &M::mediaLicense>, &MediaLicence::value>},
    {E::subTitle, "media:subTitle", createOnce<Media, &M::mediaSubTitle>},
    {E::peerLink, "media:peerLink", createOnce<Media, &M::mediaPeerLink>},
    {E::location, "media:location", createOnce<Media, &M::mediaLocation>},
    {E::locationPos, "media:location/georss:where/gml:Point/gml:pos", nullptr, {positionText, TextKind::value}},
    {E::restriction, "media:restriction",
        createOnce<Media, &M::mediaRestriction>,
        oneText<Held<Media, &M::mediaRestriction>, &MediaRestriction::value>},
    {E::scenes, "media:scenes", openList<Media, &M::mediaScenes>},
    {E::scenesScene, "media:scenes/media:scene", appendElement<Media, &M::mediaScenes>},
    {E::sceneTitle, "media:scenes/media:scene/sceneTitle",
        nullptr, oneText<Scene, &MediaScene::sceneTitle>, false, false},
    {E::sceneDescription, "media:scenes/media:scene/sceneDescription",
        nullptr, oneText<Scene, &MediaScene::sceneDescription>, false, false},
    {E::sceneStartTime, "media:scenes/media:scene/sceneStartTime",
        nullptr, oneDuration<Scene, &MediaScene::sceneStartTime>, false, false},
    {E::sceneEndTime, "media:scenes/media:scene/sceneEndTime",
        nullptr, oneDuration<Scene, &MediaScene::sceneEndTime>, false, false},
    // A second group adds nothing of its own; its children fill the first.
    {E::group, "media:group", createOnce<Media, &M::mediaGroup>},
    {E::groupCredit, "media:group/media:credit",
        appendElement<Group, &MG::mediaCredits>,
        oneText<LastOf<Group, &MG::mediaCredits>, &MediaCredit::value>},
    {E::groupCategory, "media:group/media:category",
        createOnce<Group, &MG::mediaCategory>,
        oneText<Held<Group, &MG::mediaCategory>, &MediaCategory::value>},
    {E::groupRating, "media:group/media:rating",
        createOnce<Group, &MG::mediaRating>,
        oneText<Held<Group, &MG::mediaRating>, &MediaRating::value>},
    {E::groupContent, "media:group/media:content", appendElement<Group, &MG::mediaContents>},
}};
// clang-format on

constexpr bool inElementOrder() {
    for (std::size_t i = 0; i < kRules.size(); ++i) {
        if (static_cast<std::size_t>(kRules[i].element) != i) return false;
    }
    return true;
}
static_assert(inElementOrder(), "media rules must be listed in MediaElement order");

}  // namespace media

constexpr const MediaRule& mediaRule(MediaElement element) {
    return media::kRules[static_cast<std::size_t>(element)];
}

/// Where an owner keeps its Media RSS data: `Field` of the object `Owner`
/// locates (the current item or entry).
template <class Owner, auto Field>
struct MediaOwner {
    using Model = typename Owner::Model;
    /// The owner's media object; when `created` is given, made if missing
    /// (and *created set).
    static MediaNamespace* media(Model& model, bool* created) {
        auto* owner = Owner::find(model);
        if (owner == nullptr) return nullptr;
        auto& slot = owner->*Field;
        if (!slot && created != nullptr) {
            slot.emplace();
            *created = true;
        }
        return slot ? &*slot : nullptr;
    }
};

template <class Owner, MediaElement E>
std::size_t ownerMediaStart(typename Owner::Model& model, const AttributeMap& attributes) {
    constexpr const MediaRule& rule = mediaRule(E);
    bool created = false;
    MediaNamespace* media = Owner::media(model, rule.createsNamespace ? &created : nullptr);
    const std::size_t made = created ? sizeof(MediaNamespace) : 0;
    if (media == nullptr || rule.start == nullptr) return made;
    return made + rule.start(*media, attributes);
}

template <class Owner, MediaElement E>
std::size_t ownerMediaText(typename Owner::Model& model, std::string_view text) {
    constexpr const MediaRule& rule = mediaRule(E);
    if (rule.text.apply == nullptr) return 0;
    MediaNamespace* media = Owner::media(model, nullptr);
    return media == nullptr ? 0 : rule.text.apply(*media, text);
}

}  // namespace syndra::detail
