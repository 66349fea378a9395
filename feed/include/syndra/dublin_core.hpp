#pragma once

#include <syndra/date.hpp>
#include <syndra/fields.hpp>
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

    static constexpr auto fields =
        std::tuple{field("dcTitle", &DublinCoreNamespace::dcTitle),
                   field("dcCreator", &DublinCoreNamespace::dcCreator),
                   field("dcSubject", &DublinCoreNamespace::dcSubject),
                   field("dcDescription", &DublinCoreNamespace::dcDescription),
                   field("dcPublisher", &DublinCoreNamespace::dcPublisher),
                   field("dcContributor", &DublinCoreNamespace::dcContributor),
                   field("dcDate", &DublinCoreNamespace::dcDate),
                   field("dcType", &DublinCoreNamespace::dcType),
                   field("dcFormat", &DublinCoreNamespace::dcFormat),
                   field("dcIdentifier", &DublinCoreNamespace::dcIdentifier),
                   field("dcSource", &DublinCoreNamespace::dcSource),
                   field("dcLanguage", &DublinCoreNamespace::dcLanguage),
                   field("dcRelation", &DublinCoreNamespace::dcRelation),
                   field("dcCoverage", &DublinCoreNamespace::dcCoverage),
                   field("dcRights", &DublinCoreNamespace::dcRights)};
};

}  // namespace syndra
