#include <platform/json/keyed_decoding.hpp>

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>

namespace platform::json {
namespace {

// Parser messages quote the bytes they stopped at, which may be broken UTF-8
// or a whole megabyte string; the description must stay short, valid text.
std::string printable(std::string_view text, std::size_t limit = 200) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size() && out.size() < limit) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        }
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (valid && length >= 3) {
            // Overlong forms, surrogates and values past U+10FFFF.
            const auto second = static_cast<unsigned char>(text[i + 1]);
            if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
                (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
                valid = false;
            }
        }
        if (valid) {
            out.append(text.substr(i, length));
            i += length;
        } else {
            out += "\xEF\xBF\xBD";  // U+FFFD
            ++i;
        }
    }
    if (i < text.size()) out += "...";
    return out;
}

std::string expected(const char* what, const nlohmann::json& found) {
    return std::string("expected ") + what + ", found " + describeType(found);
}

// Deep nesting would make the parser's and the destructor's work grow without
// bound; one pass outside strings finds it first.
bool tooDeep(std::string_view bytes) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxDepth) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

}  // namespace

const char* describeType(const nlohmann::json& v) noexcept {
    switch (v.type()) {
        case nlohmann::json::value_t::null:
            return "null";
        case nlohmann::json::value_t::object:
            return "an object";
        case nlohmann::json::value_t::array:
            return "an array";
        case nlohmann::json::value_t::string:
            return "a string";
        case nlohmann::json::value_t::boolean:
            return "a Boolean";
        case nlohmann::json::value_t::number_integer:
        case nlohmann::json::value_t::number_unsigned:
            return "an integer";
        case nlohmann::json::value_t::number_float:
            return "a number";
        case nlohmann::json::value_t::binary:
            return "binary data";
        case nlohmann::json::value_t::discarded:
            return "nothing";
    }
    return "a value";
}

std::string DecodingError::localizedDescription() const {
    const std::string where =
        codingPath.empty() ? std::string("the document") : "\"" + codingPath + "\"";
    switch (kind) {
        case Kind::dataCorrupted:
            if (notJson) return "The data is not valid JSON: " + detail + ".";
            return "Invalid value at " + where + ": " + detail + ".";
        case Kind::typeMismatch:
            return "Type mismatch at " + where + ": " + detail + ".";
        case Kind::keyNotFound:
            return "Missing member " + where + ": " + detail + ".";
        case Kind::valueNotFound:
            return "Missing value at " + where + ": " + detail + ".";
    }
    return detail;
}

std::variant<nlohmann::json, DecodingError> parse(std::string_view bytes) {
    if (tooDeep(bytes)) {
        return DecodingError{DecodingError::Kind::dataCorrupted, "",
                             "nested more than " + std::to_string(kMaxDepth) + " levels deep",
                             true};
    }
    // See saxParse: a NUL would end the JSON library's read early.
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        std::string detail = "a NUL byte at offset ";
        detail += std::to_string(nul);
        return DecodingError{DecodingError::Kind::dataCorrupted, "", std::move(detail), true};
    }
    try {
        return nlohmann::json::parse(bytes.begin(), bytes.end());
    } catch (const nlohmann::json::exception& e) {
        // e.what() reads "[json.exception.parse_error.101] parse error at line 1, ...";
        // the bracketed id means nothing to a reader.
        std::string_view what = e.what();
        if (auto pos = what.find("] "); pos != std::string_view::npos) what.remove_prefix(pos + 2);
        return DecodingError{DecodingError::Kind::dataCorrupted, "", printable(what), true};
    } catch (const std::exception& e) {
        return DecodingError{DecodingError::Kind::dataCorrupted, "", printable(e.what()), true};
    }
}

bool Keyed::failed() const noexcept {
    return context_->error.has_value();
}

void Keyed::reject(DecodingError::Kind kind, std::string detail) {
    fail(kind, path_, std::move(detail));
}

void Keyed::fail(DecodingError::Kind kind, std::string path, std::string detail) {
    if (!context_->error) context_->error = DecodingError{kind, std::move(path), std::move(detail)};
}

std::string Keyed::childPath(std::string_view key) const {
    std::string path = path_;
    if (!path.empty()) path += '.';
    path += key;
    return path;
}

std::string Keyed::indexPath(const std::string& path, std::size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

const nlohmann::json* Keyed::find(std::string_view key, bool required) {
    if (failed()) return nullptr;
    const auto it = object_->find(key);
    if (it == object_->end()) {
        if (required)
            fail(DecodingError::Kind::keyNotFound, childPath(key), "the member is required");
        return nullptr;
    }
    if (it->is_null()) {
        if (required)
            fail(DecodingError::Kind::valueNotFound, childPath(key),
                 "expected a value, found null");
        return nullptr;
    }
    return &*it;
}

bool Keyed::beginObject(const nlohmann::json& value, const std::string& path) {
    if (value.is_object()) return true;
    fail(DecodingError::Kind::typeMismatch, path, expected("an object", value));
    return false;
}

bool Keyed::beginArray(const nlohmann::json& value, const std::string& path, std::size_t& count) {
    if (!value.is_array()) {
        fail(DecodingError::Kind::typeMismatch, path, expected("an array", value));
        return false;
    }
    count = value.size();
    return true;
}

const nlohmann::json& Keyed::element(const nlohmann::json& array, std::size_t i) const {
    return array[i];
}

bool Keyed::readPrimitive(const nlohmann::json& value, const std::string& path, std::string& out) {
    if (!value.is_string()) {
        fail(DecodingError::Kind::typeMismatch, path, expected("a string", value));
        return false;
    }
    out = value.get_ref<const std::string&>();
    return true;
}

bool Keyed::readPrimitive(const nlohmann::json& value, const std::string& path, bool& out) {
    if (!value.is_boolean()) {
        fail(DecodingError::Kind::typeMismatch, path, expected("a Boolean", value));
        return false;
    }
    out = value.get<bool>();
    return true;
}

bool Keyed::readPrimitive(const nlohmann::json& value, const std::string& path, std::int64_t& out) {
    if (value.is_number_integer() && !value.is_number_unsigned()) {
        out = value.get<std::int64_t>();
        return true;
    }
    if (value.is_number_unsigned()) {
        const auto u = value.get<std::uint64_t>();
        if (u <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            out = static_cast<std::int64_t>(u);
            return true;
        }
        fail(DecodingError::Kind::typeMismatch, path,
             "expected a 64-bit integer, found a larger number");
        return false;
    }
    if (value.is_number_float()) {
        // 3.0 is a whole number written with a fraction; it counts, 3.5 does not.
        const double d = value.get<double>();
        if (std::trunc(d) != d) {
            fail(DecodingError::Kind::typeMismatch, path,
                 "expected an integer, found a number with a fraction");
            return false;
        }
        if (d >= -9223372036854775808.0 && d < 9223372036854775808.0) {
            out = static_cast<std::int64_t>(d);
            return true;
        }
        fail(DecodingError::Kind::typeMismatch, path,
             "expected a 64-bit integer, found a number outside that range");
        return false;
    }
    fail(DecodingError::Kind::typeMismatch, path, expected("an integer", value));
    return false;
}

bool Keyed::readPrimitive(const nlohmann::json& value, const std::string& path, double& out) {
    if (!value.is_number()) {
        fail(DecodingError::Kind::typeMismatch, path, expected("a number", value));
        return false;
    }
    out = value.get<double>();
    return true;
}

bool Keyed::readPrimitive(const nlohmann::json& value, const std::string& path, Date& out) {
    if (!value.is_string()) {
        fail(DecodingError::Kind::typeMismatch, path, expected("a date string", value));
        return false;
    }
    const auto& text = value.get_ref<const std::string&>();
    std::optional<Date> date;
    if (context_->dateParser) date = context_->dateParser(text);
    if (!date) {
        // Appended rather than `"\"" + printable(...)`: GCC 12 at -O2 warns
        // falsely (-Wrestrict) on a literal prepended to a temporary string.
        std::string message(1, '"');
        message += printable(text, 60);
        message += "\" is not a date in the expected format";
        fail(DecodingError::Kind::dataCorrupted, path, message);
        return false;
    }
    out = *date;
    return true;
}

}  // namespace platform::json
