#include <app/font_registration.hpp>

#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringList>

namespace app {

std::optional<QByteArray> ResourceFontSource::read(const QString& name, const QString& extension) {
    QFile file(QStringLiteral(":/fonts/") + name + QLatin1Char('.') + extension);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

std::optional<QString> registerFont(const QString& name, FontSource& source,
                                    const platform::LinePrinter& print) {
    const auto failed = [&] {
        print(("Failed to load font: " + name).toStdString());
        return std::nullopt;
    };

    const std::optional<QByteArray> bytes = source.read(name, QStringLiteral("ttf"));
    if (!bytes || bytes->isEmpty()) return failed();

    // Check that the bytes are a usable font before handing them to the
    // font database, which would otherwise fail without saying why.
    const QRawFont probe(*bytes, 12.0);
    if (!probe.isValid()) return failed();

    const int id = QFontDatabase::addApplicationFontFromData(*bytes);
    const QStringList families =
        id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (families.isEmpty()) {
        print(("Font registration failed: the font database did not accept " + name).toStdString());
        return std::nullopt;
    }
    print(("Successfully registered font: " + name).toStdString());
    return families.first();
}

}  // namespace app
