#pragma once

#include <syndra/date.hpp>
#include <syndra/text.hpp>

#include <optional>

namespace syndra {

/// The "dc:" elements of a channel or of an item, one field per element name.
/// All are texts except dcDate.
struct DublinCoreNamespace {
    std::optional<Text> dcTitle{};
    std::optional<Text> dcCreator{};
    std::optional<Text> dcSubject{};
    std::optional<Text> dcDescription{};
    std::optional<Text> dcPublisher{};
    std::optional<Text> dcContributor{};
    std::optional<Date> dcDate{};
    std::optional<Text> dcType{};
    std::optional<Text> dcFormat{};
    std::optional<Text> dcIdentifier{};
    std::optional<Text> dcSource{};
    std::optional<Text> dcLanguage{};
    std::optional<Text> dcRelation{};
    std::optional<Text> dcCoverage{};
    std::optional<Text> dcRights{};

    template <class V>
    void visitFields(V&& v) const {
        v("dcTitle", dcTitle);
        v("dcCreator", dcCreator);
        v("dcSubject", dcSubject);
        v("dcDescription", dcDescription);
        v("dcPublisher", dcPublisher);
        v("dcContributor", dcContributor);
        v("dcDate", dcDate);
        v("dcType", dcType);
        v("dcFormat", dcFormat);
        v("dcIdentifier", dcIdentifier);
        v("dcSource", dcSource);
        v("dcLanguage", dcLanguage);
        v("dcRelation", dcRelation);
        v("dcCoverage", dcCoverage);
        v("dcRights", dcRights);
    }
    friend bool operator==(const DublinCoreNamespace&, const DublinCoreNamespace&) = default;
};

}  // namespace syndra
