#pragma once

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

/// "media:category": a category with its scheme and label.
struct MediaCategory {
    struct Attributes {
        std::optional<Text> scheme{};
        std::optional<Text> label{};

        template <class V>
        void visitFields(V&& v) const {
            v("scheme", scheme);
            v("label", label);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaCategory() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaCategory&, const MediaCategory&) = default;
};

/// "media:copyright". No element fills it.
struct MediaCopyright {
    struct Attributes {
        std::optional<Text> url{};

        template <class V>
        void visitFields(V&& v) const {
            v("url", url);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaCopyright() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaCopyright&, const MediaCopyright&) = default;
};

/// "media:credit": who took part, in which role.
struct MediaCredit {
    struct Attributes {
        std::optional<Text> role{};
        std::optional<Text> scheme{};

        template <class V>
        void visitFields(V&& v) const {
            v("role", role);
            v("scheme", scheme);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaCredit() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaCredit&, const MediaCredit&) = default;
};

/// "media:description".
struct MediaDescription {
    struct Attributes {
        std::optional<Text> type{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaDescription() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaDescription&, const MediaDescription&) = default;
};

/// "media:param" of an embed.
struct MediaParam {
    struct Attributes {
        std::optional<Text> name{};

        template <class V>
        void visitFields(V&& v) const {
            v("name", name);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaParam() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaParam&, const MediaParam&) = default;
};

/// "media:embed": how to embed a player, with its parameters.
struct MediaEmbed {
    struct Attributes {
        std::optional<Text> url{};
        std::optional<std::int64_t> width{};
        std::optional<std::int64_t> height{};

        template <class V>
        void visitFields(V&& v) const {
            v("url", url);
            v("width", width);
            v("height", height);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<std::vector<MediaParam>> mediaParams{};

    MediaEmbed() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("mediaParams", mediaParams);
    }
    friend bool operator==(const MediaEmbed&, const MediaEmbed&) = default;
};

/// "media:hash". No element fills it.
struct MediaHash {
    struct Attributes {
        std::optional<Text> algo{};

        template <class V>
        void visitFields(V&& v) const {
            v("algo", algo);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaHash() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaHash&, const MediaHash&) = default;
};

/// "media:license" (the class keeps the British spelling, the field does not).
struct MediaLicence {
    struct Attributes {
        std::optional<Text> type{};
        std::optional<Text> href{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
            v("href", href);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaLicence() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaLicence&, const MediaLicence&) = default;
};

/// "media:location": a place shown in the media, with its "gml:pos" coordinates.
struct MediaLocation {
    struct Attributes {
        std::optional<Text> description{};
        /// Seconds into the media, from "h:mm:ss"-style text.
        std::optional<Real> start{};
        std::optional<Real> end{};

        template <class V>
        void visitFields(V&& v) const {
            v("description", description);
            v("start", start);
            v("end", end);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Real> latitude{};
    std::optional<Real> longitude{};

    MediaLocation() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("latitude", latitude);
        v("longitude", longitude);
    }
    friend bool operator==(const MediaLocation&, const MediaLocation&) = default;
};

/// "media:peerLink": a peer-to-peer download.
struct MediaPeerLink {
    struct Attributes {
        std::optional<Text> type{};
        std::optional<Text> href{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
            v("href", href);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaPeerLink() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaPeerLink&, const MediaPeerLink&) = default;
};

/// "media:player": a web page that plays the media.
struct MediaPlayer {
    struct Attributes {
        std::optional<Text> url{};
        std::optional<std::int64_t> width{};
        std::optional<std::int64_t> height{};

        template <class V>
        void visitFields(V&& v) const {
            v("url", url);
            v("width", width);
            v("height", height);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaPlayer() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaPlayer&, const MediaPlayer&) = default;
};

/// "media:price".
struct MediaPrice {
    struct Attributes {
        std::optional<Text> type{};
        std::optional<Real> price{};
        std::optional<Text> info{};
        std::optional<Text> currency{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
            v("price", price);
            v("info", info);
            v("currency", currency);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaPrice() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaPrice&, const MediaPrice&) = default;
};

/// "media:rating": an audience rating in some scheme.
struct MediaRating {
    struct Attributes {
        std::optional<Text> scheme{};

        template <class V>
        void visitFields(V&& v) const {
            v("scheme", scheme);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaRating() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaRating&, const MediaRating&) = default;
};

/// "media:restriction": where or by whom the media may be seen.
struct MediaRestriction {
    struct Attributes {
        std::optional<Text> relationship{};
        std::optional<Text> type{};

        template <class V>
        void visitFields(V&& v) const {
            v("relationship", relationship);
            v("type", type);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaRestriction() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaRestriction&, const MediaRestriction&) = default;
};

/// "media:rights". No element fills it.
struct MediaRights {
    struct Attributes {
        std::optional<Text> status{};

        template <class V>
        void visitFields(V&& v) const {
            v("status", status);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    MediaRights() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const MediaRights&, const MediaRights&) = default;
};

/// "media:starRating" of a community.
struct MediaStarRating {
    struct Attributes {
        std::optional<Real> average{};
        std::optional<std::int64_t> count{};
        std::optional<std::int64_t> min{};
        std::optional<std::int64_t> max{};

        template <class V>
        void visitFields(V&& v) const {
            v("average", average);
            v("count", count);
            v("min", min);
            v("max", max);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    MediaStarRating() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const MediaStarRating&, const MediaStarRating&) = default;
};

/// "media:statistics" of a community.
struct MediaStatistics {
    struct Attributes {
        std::optional<std::int64_t> views{};
        std::optional<std::int64_t> favorites{};

        template <class V>
        void visitFields(V&& v) const {
            v("views", views);
            v("favorites", favorites);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    MediaStatistics() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const MediaStatistics&, const MediaStatistics&) = default;
};

/// "media:status": whether the media is still available.
struct MediaStatus {
    struct Attributes {
        std::optional<Text> state{};
        std::optional<Text> reason{};

        template <class V>
        void visitFields(V&& v) const {
            v("state", state);
            v("reason", reason);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    MediaStatus() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const MediaStatus&, const MediaStatus&) = default;
};

/// "media:subTitle": a subtitle file.
struct MediaSubTitle {
    struct Attributes {
        std::optional<Text> type{};
        std::optional<Text> lang{};
        std::optional<Text> href{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
            v("lang", lang);
            v("href", href);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};

    MediaSubTitle() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
    }
    friend bool operator==(const MediaSubTitle&, const MediaSubTitle&) = default;
};

/// "media:text": a transcript. No element fills it.
struct MediaText {
    struct Attributes {
        std::optional<Text> type{};
        std::optional<Text> lang{};
        std::optional<Text> start{};
        std::optional<Text> end{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
            v("lang", lang);
            v("start", start);
            v("end", end);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaText() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaText&, const MediaText&) = default;
};

/// "media:thumbnail". Width and height stay texts ("100px" is kept).
struct MediaThumbnail {
    struct Attributes {
        std::optional<Text> url{};
        std::optional<Text> width{};
        std::optional<Text> height{};
        std::optional<Text> time{};

        template <class V>
        void visitFields(V&& v) const {
            v("url", url);
            v("width", width);
            v("height", height);
            v("time", time);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaThumbnail() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaThumbnail&, const MediaThumbnail&) = default;
};

/// "media:title".
struct MediaTitle {
    struct Attributes {
        std::optional<Text> type{};

        template <class V>
        void visitFields(V&& v) const {
            v("type", type);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<Attributes> attributes{};
    std::optional<Text> value{};

    MediaTitle() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("attributes", attributes);
        v("value", value);
    }
    friend bool operator==(const MediaTitle&, const MediaTitle&) = default;
};

/// "media:content": one media object (a file or a stream) with its own
/// metadata children. Two contents are equal when their attributes are: the
/// children describe the same object and do not make it a different one. The
/// player and the category, rare in practice, are held through Indirect.
struct MediaContent {
    struct Attributes {
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

        template <class V>
        void visitFields(V&& v) const {
            v("url", url);
            v("fileSize", fileSize);
            v("type", type);
            v("medium", medium);
            v("isDefault", isDefault);
            v("expression", expression);
            v("bitrate", bitrate);
            v("framerate", framerate);
            v("samplingrate", samplingrate);
            v("channels", channels);
            v("duration", duration);
            v("height", height);
            v("width", width);
            v("lang", lang);
        }
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };

    std::optional<MediaTitle> mediaTitle{};
    std::optional<MediaDescription> mediaDescription{};
    Indirect<MediaPlayer> mediaPlayer{};
    std::optional<std::vector<MediaThumbnail>> mediaThumbnails{};
    std::optional<std::vector<Text>> mediaKeywords{};
    Indirect<MediaCategory> mediaCategory{};
    std::optional<Attributes> attributes{};

    MediaContent() = default;

    template <class V>
    void visitFields(V&& v) const {
        v("mediaTitle", mediaTitle);
        v("mediaDescription", mediaDescription);
        v("mediaPlayer", mediaPlayer);
        v("mediaThumbnails", mediaThumbnails);
        v("mediaKeywords", mediaKeywords);
        v("mediaCategory", mediaCategory);
        v("attributes", attributes);
    }
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

    template <class V>
    void visitFields(V&& v) const {
        v("mediaContents", mediaContents);
        v("mediaCredits", mediaCredits);
        v("mediaCategory", mediaCategory);
        v("mediaRating", mediaRating);
    }
    friend bool operator==(const MediaGroup&, const MediaGroup&) = default;
};

/// One tag of "media:tags", with its optional weight ("tag:weight").
struct MediaTag {
    std::optional<Text> tag{};
    std::optional<std::int64_t> weight{};

    template <class V>
    void visitFields(V&& v) const {
        v("tag", tag);
        v("weight", weight);
    }
    friend bool operator==(const MediaTag&, const MediaTag&) = default;
};

/// "media:community": ratings, statistics and tags given by viewers.
struct MediaCommunity {
    std::optional<MediaStarRating> mediaStarRating{};
    std::optional<MediaStatistics> mediaStatistics{};
    std::optional<std::vector<MediaTag>> mediaTags{};

    template <class V>
    void visitFields(V&& v) const {
        v("mediaStarRating", mediaStarRating);
        v("mediaStatistics", mediaStatistics);
        v("mediaTags", mediaTags);
    }
    friend bool operator==(const MediaCommunity&, const MediaCommunity&) = default;
};

/// "media:scene": a chapter of the media. Times in seconds.
struct MediaScene {
    std::optional<Text> sceneTitle{};
    std::optional<Text> sceneDescription{};
    std::optional<Real> sceneStartTime{};
    std::optional<Real> sceneEndTime{};

    template <class V>
    void visitFields(V&& v) const {
        v("sceneTitle", sceneTitle);
        v("sceneDescription", sceneDescription);
        v("sceneStartTime", sceneStartTime);
        v("sceneEndTime", sceneEndTime);
    }
    friend bool operator==(const MediaScene&, const MediaScene&) = default;
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

    template <class V>
    void visitFields(V&& v) const {
        v("mediaGroup", mediaGroup);
        v("mediaContents", mediaContents);
        v("mediaRating", mediaRating);
        v("mediaTitle", mediaTitle);
        v("mediaDescription", mediaDescription);
        v("mediaKeywords", mediaKeywords);
        v("mediaThumbnails", mediaThumbnails);
        v("mediaCategory", mediaCategory);
        v("mediaHash", mediaHash);
        v("mediaPlayer", mediaPlayer);
        v("mediaCredits", mediaCredits);
        v("mediaCopyright", mediaCopyright);
        v("mediaText", mediaText);
        v("mediaRestriction", mediaRestriction);
        v("mediaCommunity", mediaCommunity);
        v("mediaComments", mediaComments);
        v("mediaEmbed", mediaEmbed);
        v("mediaResponses", mediaResponses);
        v("mediaBackLinks", mediaBackLinks);
        v("mediaStatus", mediaStatus);
        v("mediaPrices", mediaPrices);
        v("mediaLicense", mediaLicense);
        v("mediaSubTitle", mediaSubTitle);
        v("mediaPeerLink", mediaPeerLink);
        v("mediaLocation", mediaLocation);
        v("mediaRights", mediaRights);
        v("mediaScenes", mediaScenes);
    }
    friend bool operator==(const MediaNamespace&, const MediaNamespace&) = default;
};

}  // namespace syndra
