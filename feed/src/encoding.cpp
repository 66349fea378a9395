#include "detail/encoding.hpp"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace syndra::detail {
namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const noexcept { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Encoding names come from the document. ICU reads options after a comma in
// a converter name, so only plain IANA-style names are ever handed to it.
bool plausibleCharsetName(std::string_view name) noexcept {
    if (name.empty() || name.size() > 40) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' ||
               c == ':';
    });
}

Converter openConverter(std::string_view name) {
    if (!plausibleCharsetName(name)) return nullptr;
    const std::string zname(name);
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(zname.c_str(), &status));
    if (U_FAILURE(status)) return nullptr;
    // Malformed input is reported, never replaced behind the caller's back.
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
    if (U_FAILURE(status)) return nullptr;
    return converter;
}

const char* icuNameOf(UnicodeForm form) noexcept {
    switch (form) {
        case UnicodeForm::utf16le:
            return "UTF-16LE";
        case UnicodeForm::utf16be:
            return "UTF-16BE";
        case UnicodeForm::utf32le:
            return "UTF-32LE";
        case UnicodeForm::utf32be:
            return "UTF-32BE";
        default:
            return "UTF-8";
    }
}

// Streams `bytes` through `from` into UTF-8, growing the output as needed.
Fallible<std::string> convert(UConverter* from, std::string_view bytes,
                              std::string_view displayName) {
    UErrorCode status = U_ZERO_ERROR;
    Converter utf8(ucnv_open("UTF-8", &status));
    if (U_FAILURE(status))
        return Fallible<std::string>::failure("Unable to open a UTF-8 converter",
                                              ErrorKind::encoding);
    ucnv_setFromUCallBack(utf8.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);

    std::string out;
    out.resize(bytes.size() + bytes.size() / 2 + 64);
    std::array<UChar, 4096> pivot{};
    UChar* pivotSource = pivot.data();
    UChar* pivotTarget = pivot.data();
    const char* source = bytes.data();
    const char* const sourceLimit = bytes.data() + bytes.size();
    std::size_t written = 0;
    bool reset = true;
    for (;;) {
        char* target = out.data() + written;
        status = U_ZERO_ERROR;
        ucnv_convertEx(utf8.get(), from, &target, out.data() + out.size(), &source, sourceLimit,
                       pivot.data(), &pivotSource, &pivotTarget, pivot.data() + pivot.size(), reset,
                       true, &status);
        reset = false;
        written = static_cast<std::size_t>(target - out.data());
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2);
            continue;
        }
        if (U_FAILURE(status)) {
            // `source` has moved past the offending sequence; report where it began.
            char bad[32];
            int8_t badLength = sizeof bad;
            UErrorCode ignored = U_ZERO_ERROR;
            ucnv_getInvalidChars(from, bad, &badLength, &ignored);
            const auto offset = static_cast<std::size_t>(source - bytes.data()) -
                                static_cast<std::size_t>(std::max<int8_t>(badLength, 0));
            return Fallible<std::string>::failure("Invalid byte sequence for encoding \"" +
                                                      std::string(displayName) + "\" at offset " +
                                                      std::to_string(offset),
                                                  ErrorKind::encoding);
        }
        break;
    }
    out.resize(written);
    return out;
}

}  // namespace

Sniffed sniffUnicodeForm(std::string_view bytes) noexcept {
    auto starts = [&](std::string_view prefix) {
        return bytes.size() >= prefix.size() && bytes.substr(0, prefix.size()) == prefix;
    };
    using namespace std::string_view_literals;
    // UTF-32 LE's mark begins with UTF-16 LE's, so it is tested first.
    if (starts("\xFF\xFE\x00\x00"sv)) return {UnicodeForm::utf32le, 4};
    if (starts("\x00\x00\xFE\xFF"sv)) return {UnicodeForm::utf32be, 4};
    if (starts("\xEF\xBB\xBF"sv)) return {UnicodeForm::utf8, 3};
    if (starts("\xFF\xFE"sv)) return {UnicodeForm::utf16le, 2};
    if (starts("\xFE\xFF"sv)) return {UnicodeForm::utf16be, 2};
    // Unmarked UTF-32 shows itself by the NULs around a leading "<".
    if (starts("<\0\0\0"sv)) return {UnicodeForm::utf32le, 0};
    if (starts("\0\0\0<"sv)) return {UnicodeForm::utf32be, 0};
    if (starts("<\0?\0"sv)) return {UnicodeForm::utf16le, 0};
    if (starts("\0<\0?"sv)) return {UnicodeForm::utf16be, 0};
    return {};
}

Fallible<std::string> unicodeToUtf8(std::string_view bytes, const Sniffed& sniffed) {
    const std::string_view body = bytes.substr(std::min(sniffed.markLength, bytes.size()));
    if (sniffed.form == UnicodeForm::unknown || sniffed.form == UnicodeForm::utf8) {
        return std::string(body);
    }
    const char* name = icuNameOf(sniffed.form);
    Converter from = openConverter(name);
    if (!from)
        return Fallible<std::string>::failure(unsupportedEncoding(name), ErrorKind::encoding);
    return convert(from.get(), body, name);
}

std::optional<std::string_view> declaredEncoding(std::string_view text) noexcept {
    if (text.size() < 6 || text.substr(0, 5) != "<?xml") return std::nullopt;
    const char next = text[5];
    if (next != ' ' && next != '\t' && next != '\r' && next != '\n') return std::nullopt;
    const std::size_t close = text.substr(0, 1024).find("?>");
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view decl = text.substr(5, close - 5);
    std::size_t at = 0;
    while ((at = decl.find("encoding", at)) != std::string_view::npos) {
        std::size_t i = at + 8;
        at = i;
        auto skipSpace = [&] {
            while (i < decl.size() &&
                   (decl[i] == ' ' || decl[i] == '\t' || decl[i] == '\r' || decl[i] == '\n')) {
                ++i;
            }
        };
        skipSpace();
        if (i >= decl.size() || decl[i] != '=') continue;
        ++i;
        skipSpace();
        if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) continue;
        const char quote = decl[i++];
        const std::size_t end = decl.find(quote, i);
        if (end == std::string_view::npos) return std::nullopt;
        return decl.substr(i, end - i);
    }
    return std::nullopt;
}

CharsetKind classifyCharset(std::string_view name) {
    for (std::string_view native : {"UTF-8", "UTF-16", "ISO-8859-1", "US-ASCII"}) {
        if (equalsIgnoringCase(name, native)) return CharsetKind::native;
    }
    Converter converter = openConverter(name);
    if (!converter) return CharsetKind::unsupported;
    return ucnv_getMaxCharSize(converter.get()) == 1 ? CharsetKind::singleByte
                                                     : CharsetKind::multiByte;
}

bool singleByteMap(std::string_view name, std::array<int, 256>& map) {
    Converter converter = openConverter(name);
    if (!converter || ucnv_getMaxCharSize(converter.get()) != 1) return false;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        UChar units[4];
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter.get());
        const int32_t n = ucnv_toUChars(converter.get(), units, 4, &byte, 1, &status);
        if (U_FAILURE(status) || n < 1 || n > 2) {
            map[b] = -1;
        } else if (n == 1) {
            map[b] = (units[0] >= 0xD800 && units[0] <= 0xDFFF) ? -1 : units[0];
        } else {
            map[b] = -1;  // a byte that stands for two characters cannot be mapped 1:1
        }
    }
    // Markup is ASCII; a charset that moves those characters cannot be read.
    for (int b = 0x20; b < 0x7F; ++b) {
        if (map[b] != b) return false;
    }
    return map['\t'] == '\t' && map['\n'] == '\n' && map['\r'] == '\r';
}

Fallible<std::string> charsetToUtf8(std::string_view bytes, std::string_view name) {
    Converter from = openConverter(name);
    if (!from)
        return Fallible<std::string>::failure(unsupportedEncoding(name), ErrorKind::encoding);
    return convert(from.get(), bytes, name);
}

std::string unsupportedEncoding(std::string_view name) {
    return "Unsupported encoding \"" + std::string(name) + "\"";
}

}  // namespace syndra::detail
