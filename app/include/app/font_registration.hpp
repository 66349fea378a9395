#pragma once

#include <platform/diagnostics.hpp>

#include <QByteArray>
#include <QString>

#include <optional>

namespace app {

/// Where font files come from: the application's resources in the app, a
/// missing or damaged file in tests.
class FontSource {
public:
    virtual ~FontSource() = default;
    /// The bytes of the font named `name` (without extension), if there is one.
    virtual std::optional<QByteArray> read(const QString& name, const QString& extension) = 0;
};

/// Fonts compiled into the binary under ":/fonts/".
class ResourceFontSource final : public FontSource {
public:
    std::optional<QByteArray> read(const QString& name, const QString& extension) override;
};

/// Makes the font available to text drawing in this process and prints one
/// line saying how it went. Returns the font's family name on success.
std::optional<QString> registerFont(const QString& name, FontSource& source,
                                    const platform::LinePrinter& print);

}  // namespace app
