#include <syndra/parser_error.hpp>

#include <utility>

namespace syndra {

const char* kindName(ErrorKind kind) noexcept {
    switch (kind) {
        case ErrorKind::notAFeed:
            return "notAFeed";
        case ErrorKind::file:
            return "file";
        case ErrorKind::network:
            return "network";
        case ErrorKind::httpStatus:
            return "httpStatus";
        case ErrorKind::tooLarge:
            return "tooLarge";
        case ErrorKind::limitExceeded:
            return "limitExceeded";
        case ErrorKind::syntax:
            return "syntax";
        case ErrorKind::encoding:
            return "encoding";
        case ErrorKind::invalidJSONFeed:
            return "invalidJSONFeed";
        case ErrorKind::aborted:
            return "aborted";
        case ErrorKind::outOfMemory:
            return "outOfMemory";
    }
    return "";
}

ParserError ParserError::feedCDATABlockEncodingError(std::string path) {
    return ParserError(Case::feedCDATABlockEncodingError, ErrorKind::encoding, std::move(path));
}

ParserError ParserError::internalError(std::string reason, ErrorKind kind) {
    return ParserError(Case::internalError, kind, std::move(reason));
}

ParserError ParserError::feedNotFound() {
    return ParserError(Case::feedNotFound, ErrorKind::notAFeed, {});
}

ParserError ParserError::httpError(int status, std::string reason) {
    ParserError error(Case::internalError, ErrorKind::httpStatus, std::move(reason));
    error.status_ = status;
    return error;
}

const std::string& ParserError::path() const noexcept {
    static const std::string none;
    return case_ == Case::feedCDATABlockEncodingError ? detail_ : none;
}

const char* ParserError::caseName() const noexcept {
    switch (case_) {
        case Case::feedCDATABlockEncodingError:
            return "feedCDATABlockEncodingError";
        case Case::internalError:
            return "internalError";
        case Case::feedNotFound:
            return "feedNotFound";
    }
    return "";
}

int ParserError::code() const noexcept {
    switch (case_) {
        case Case::feedCDATABlockEncodingError:
            return -10001;
        case Case::internalError:
            return -90000;
        case Case::feedNotFound:
            return -1000;
    }
    return 0;
}

std::string ParserError::errorDescription() const {
    switch (case_) {
        case Case::feedCDATABlockEncodingError:
            return "`CDATAblock` encoding error";
        case Case::internalError:
            return "Internal unresolved error: " + detail_;
        case Case::feedNotFound:
            return "Feed not found";
    }
    return {};
}

std::string ParserError::failureReason() const {
    switch (case_) {
        case Case::feedCDATABlockEncodingError:
            return "Unable to convert the bytes in `CDATABlock` to Unicode characters using the "
                   "UTF-8 encoding at current path: " +
                   detail_;
        case Case::internalError:
            return "Unable to recover from an internal unresolved error: " + detail_;
        case Case::feedNotFound:
            return "Couldn't parse any known feed";
    }
    return {};
}

std::string ParserError::recoverySuggestion() const {
    switch (case_) {
        case Case::feedCDATABlockEncodingError:
            return "Make sure the encoding provided in a `CDATABlock` is encoded as UTF-8";
        case Case::internalError:
            return "If you're seeing this error you probably should open an issue on github";
        case Case::feedNotFound:
            return "Provide a valid Atom/RSS/JSON feed ";
    }
    return {};
}

ParserError::PlatformError ParserError::platformError() const {
    PlatformError error;
    error.domain = domain;
    error.code = code();
    error.userInfo = {{"NSLocalizedDescription", errorDescription()},
                      {"NSLocalizedFailureReason", failureReason()},
                      {"NSLocalizedRecoverySuggestion", recoverySuggestion()}};
    return error;
}

}  // namespace syndra
