#include "detail/table_building.hpp"

#include <syndra/paths.hpp>

namespace syndra::detail {
namespace {

using F = AtomFeed;
using EN = AtomFeedEntry;

using Feed = Root<AtomFeed>;
using Subtitle = Held<Feed, &F::subtitle>;
using Author = LastOf<Feed, &F::authors>;
using Contributor = LastOf<Feed, &F::contributors>;
using Generator = Held<Feed, &F::generator>;
using Entry = LastOf<Feed, &F::entries>;
using Summary = Held<Entry, &EN::summary>;
using Content = Held<Entry, &EN::content>;
using Source = Held<Entry, &EN::source>;
using EntryAuthor = LastOf<Entry, &EN::authors>;
using EntryContributor = LastOf<Entry, &EN::contributors>;

struct EntryMedia : MediaOwner<Entry, &EN::media> {
    static constexpr std::string_view prefix = "/feed/entry/";
};

using P = AtomPath;
using Row = TableRow<AtomPath, AtomFeed>;
using E = MediaElement;

// clang-format off
constexpr std::array<Row, atomPathCount> kAtomRows{{
    {P::feed, "/feed"},
    {P::title, "/feed/title", nullptr, oneText<Feed, &F::title>},
    {P::subtitle, "/feed/subtitle", createOnce<Feed, &F::subtitle>, oneText<Subtitle, &AtomFeedSubtitle::value>},
    {P::link, "/feed/link", appendElement<Feed, &F::links>},
    {P::updated, "/feed/updated", nullptr, oneDate<Feed, &F::updated>},
    {P::category, "/feed/category", appendElement<Feed, &F::categories>},
    {P::author, "/feed/author", appendElement<Feed, &F::authors>},
    {P::authorName, "/feed/author/name", nullptr, oneText<Author, &AtomFeedAuthor::name>},
    {P::authorEmail, "/feed/author/email", nullptr, oneText<Author, &AtomFeedAuthor::email>},
    {P::authorUri, "/feed/author/uri", nullptr, oneText<Author, &AtomFeedAuthor::uri>},
    {P::contributor, "/feed/contributor", appendElement<Feed, &F::contributors>},
    {P::contributorName, "/feed/contributor/name", nullptr, oneText<Contributor, &AtomFeedContributor::name>},
    {P::contributorEmail, "/feed/contributor/email", nullptr, oneText<Contributor, &AtomFeedContributor::email>},
    {P::contributorUri, "/feed/contributor/uri", nullptr, oneText<Contributor, &AtomFeedContributor::uri>},
    {P::id, "/feed/id", nullptr, oneText<Feed, &F::id>},
    {P::generator, "/feed/generator", createOnce<Feed, &F::generator>, oneText<Generator, &AtomFeedGenerator::value>},
    {P::icon, "/feed/icon", nullptr, oneText<Feed, &F::icon>},
    {P::logo, "/feed/logo", nullptr, oneText<Feed, &F::logo>},
    {P::rights, "/feed/rights", nullptr, oneText<Feed, &F::rights>},
    {P::entry, "/feed/entry", appendElement<Feed, &F::entries>},
    {P::entryTitle, "/feed/entry/title", nullptr, oneText<Entry, &EN::title>},
    {P::entrySummary, "/feed/entry/summary", createOnce<Entry, &EN::summary>, oneText<Summary, &AtomFeedEntrySummary::value>},
    {P::entryLink, "/feed/entry/link", appendElement<Entry, &EN::links>},
    {P::entryUpdated, "/feed/entry/updated", nullptr, oneDate<Entry, &EN::updated>},
    {P::entryCategory, "/feed/entry/category", appendElement<Entry, &EN::categories>},
    {P::entryId, "/feed/entry/id", nullptr, oneText<Entry, &EN::id>},
    {P::entryContent, "/feed/entry/content", createOnce<Entry, &EN::content>, oneText<Content, &AtomFeedEntryContent::value>},
    {P::entryPublished, "/feed/entry/published", nullptr, oneDate<Entry, &EN::published>},
    {P::entrySource, "/feed/entry/source", createOnce<Entry, &EN::source>},
    {P::entrySourceId, "/feed/entry/source/id", nullptr, oneText<Source, &AtomFeedEntrySource::id>},
    {P::entrySourceTitle, "/feed/entry/source/title", nullptr, oneText<Source, &AtomFeedEntrySource::title>},
    {P::entrySourceUpdated, "/feed/entry/source/updated", nullptr, oneDate<Source, &AtomFeedEntrySource::updated>},
    {P::entryRights, "/feed/entry/rights", nullptr, oneText<Entry, &EN::rights>},
    {P::entryAuthor, "/feed/entry/author", appendElement<Entry, &EN::authors>},
    {P::entryAuthorName, "/feed/entry/author/name", nullptr, oneText<EntryAuthor, &AtomFeedEntryAuthor::name>},
    {P::entryAuthorEmail, "/feed/entry/author/email", nullptr, oneText<EntryAuthor, &AtomFeedEntryAuthor::email>},
    {P::entryAuthorUri, "/feed/entry/author/uri", nullptr, oneText<EntryAuthor, &AtomFeedEntryAuthor::uri>},
    {P::entryContributor, "/feed/entry/contributor", appendElement<Entry, &EN::contributors>},
    {P::entryContributorName, "/feed/entry/contributor/name", nullptr, oneText<EntryContributor, &AtomFeedEntryContributor::name>},
    {P::entryContributorEmail, "/feed/entry/contributor/email", nullptr, oneText<EntryContributor, &AtomFeedEntryContributor::email>},
    {P::entryContributorUri, "/feed/entry/contributor/uri", nullptr, oneText<EntryContributor, &AtomFeedEntryContributor::uri>},
    mediaRow<EntryMedia, E::thumbnail>(P::entryMediaThumbnail),
    mediaRow<EntryMedia, E::content>(P::entryMediaContent),
    mediaRow<EntryMedia, E::community>(P::entryMediaCommunity),
    mediaRow<EntryMedia, E::communityStarRating>(P::entryMediaCommunityStarRating),
    mediaRow<EntryMedia, E::communityStatistics>(P::entryMediaCommunityStatistics),
    mediaRow<EntryMedia, E::communityTags>(P::entryMediaCommunityTags),
    mediaRow<EntryMedia, E::comments>(P::entryMediaComments),
    mediaRow<EntryMedia, E::commentsComment>(P::entryMediaCommentsComment),
    mediaRow<EntryMedia, E::embed>(P::entryMediaEmbed),
    mediaRow<EntryMedia, E::embedParam>(P::entryMediaEmbedParam),
    mediaRow<EntryMedia, E::responses>(P::entryMediaResponses),
    mediaRow<EntryMedia, E::responsesResponse>(P::entryMediaResponsesResponse),
    mediaRow<EntryMedia, E::backLinks>(P::entryMediaBackLinks),
    mediaRow<EntryMedia, E::backLinksBackLink>(P::entryMediaBackLinksBackLink),
    mediaRow<EntryMedia, E::status>(P::entryMediaStatus),
    mediaRow<EntryMedia, E::price>(P::entryMediaPrice),
    mediaRow<EntryMedia, E::license>(P::entryMediaLicense),
    mediaRow<EntryMedia, E::subTitle>(P::entryMediaSubTitle),
    mediaRow<EntryMedia, E::peerLink>(P::entryMediaPeerLink),
    mediaRow<EntryMedia, E::location>(P::entryMediaLocation),
    mediaRow<EntryMedia, E::locationPos>(P::entryMediaLocationPos),
    mediaRow<EntryMedia, E::restriction>(P::entryMediaRestriction),
    mediaRow<EntryMedia, E::scenes>(P::entryMediaScenes),
    mediaRow<EntryMedia, E::scenesScene>(P::entryMediaScenesScene),
    mediaRow<EntryMedia, E::sceneTitle>(P::entryMediaSceneTitle),
    mediaRow<EntryMedia, E::sceneDescription>(P::entryMediaSceneDescription),
    mediaRow<EntryMedia, E::sceneStartTime>(P::entryMediaSceneStartTime),
    mediaRow<EntryMedia, E::sceneEndTime>(P::entryMediaSceneEndTime),
    mediaRow<EntryMedia, E::group>(P::entryMediaGroup),
    mediaRow<EntryMedia, E::groupCredit>(P::entryMediaGroupCredit),
    mediaRow<EntryMedia, E::groupCategory>(P::entryMediaGroupCategory),
    mediaRow<EntryMedia, E::groupRating>(P::entryMediaGroupRating),
    mediaRow<EntryMedia, E::groupContent>(P::entryMediaGroupContent),
}};
// clang-format on

static_assert(inPathOrder(kAtomRows), "row i of the Atom table must be AtomPath case i");
static_assert(hasAllMediaRows(kAtomRows, false),
              "an Atom entry reads every Media RSS path but the children of media:content");

constexpr auto kAtomTable = rulesOf(kAtomRows);

}  // namespace

std::span<const PathRule<AtomFeed>> atomTable() {
    return kAtomTable;
}

}  // namespace syndra::detail
