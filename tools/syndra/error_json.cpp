#include "cli.hpp"

#include <nlohmann/json.hpp>

namespace syndra::cli {

std::string errorJSON(const ParserError& error) {
    nlohmann::ordered_json body;
    body["case"] = error.caseName();
    body["kind"] = kindName(error.kind());
    body["code"] = error.code();
    body["domain"] = ParserError::domain;
    body["description"] = error.errorDescription();
    body["failureReason"] = error.failureReason();
    body["recoverySuggestion"] = error.recoverySuggestion();
    if (error.errorCase() == ParserError::Case::feedCDATABlockEncodingError) {
        body["path"] = error.path();
    }
    nlohmann::ordered_json out;
    out["error"] = std::move(body);
    // Reasons may quote bytes from the document; never fail on bad UTF-8.
    return out.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace syndra::cli
