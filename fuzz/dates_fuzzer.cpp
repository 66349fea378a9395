// Arbitrary bytes as a date: whatever the quick reader answers, ICU must
// answer the same, through toDate and through each formatter class. The other
// conversions take the same bytes and must hold their own promises.

#include <syndra/conversions.hpp>
#include <syndra/date_formatters.hpp>

#include "detail/date_fast_path.hpp"
#include "detail/icu_dates.hpp"
#include "detail/unicode_trim.hpp"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

long long millis(const std::optional<syndra::Date>& date) {
    return date ? static_cast<long long>(date->time_since_epoch().count()) : -1;
}

void agree(const char* what, std::string_view text, const std::optional<syndra::Date>& ours,
           const std::optional<syndra::Date>& icu) {
    if (ours == icu) return;
    std::fprintf(stderr, "%s disagrees with ICU on \"%.*s\": %lld%s vs %lld%s\n", what,
                 static_cast<int>(text.size()), text.data(), millis(ours), ours ? " ms" : " (none)",
                 millis(icu), icu ? " ms" : " (none)");
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace syndra;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    agree("toDate", text, toDate(text), detail::icuToDate(text));
    agree("RFC822DateFormatter", text, RFC822DateFormatter().date(text),
          detail::icuRFC822Date(text));
    agree("RFC3339DateFormatter", text, RFC3339DateFormatter().date(text),
          detail::icuPatternDate(RFC3339DateFormatter::kDateFormats, text));
    agree("ISO8601DateFormatter", text, ISO8601DateFormatter().date(text),
          detail::icuPatternDate(ISO8601DateFormatter::kDateFormats, text));
    // A quick answer must name at least one formatter that reads the text.
    if (const auto quick = detail::quickDate(detail::trimWhiteSpaceAndNewlines(text))) {
        if (!quick->byRFC822 && !quick->byRFC3339 && !quick->byISO8601) std::abort();
    }

    (void)toBool(text);
    if (const auto value = toInt(text)) {
        // Only signs and digits convert, so the value prints back to the same digits.
        const std::string printed = std::to_string(*value);
        std::string_view digits = text;
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
            digits.remove_prefix(1);
        }
        while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
        if (std::string_view(printed).substr(*value < 0 ? 1 : 0) != digits) std::abort();
    }
    (void)toDouble(text);
    if (const auto seconds = toDuration(text)) {
        if (!std::isfinite(*seconds) || *seconds < 0) std::abort();
    }
    return 0;
}
