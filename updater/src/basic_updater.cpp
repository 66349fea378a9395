#include <updater/basic_updater.hpp>

#include <platform/json/keyed_decoding.hpp>

#include <QDateTime>
#include <QDesktopServices>
#include <QHostAddress>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

namespace updater {
namespace {

struct UpdateDocument {
    UpdateInfo info;
    static void decode(platform::json::Keyed& k, UpdateDocument& d) {
        k.required("product", d.info.product);
        k.required("version", d.info.version);
        k.required("file", d.info.file);
    }
};

PromptAnswer askWithMessageBox(const QString& version) {
    QMessageBox box;
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QStringLiteral("Cassivo"));
    box.setText(QStringLiteral("Update Available"));
    box.setInformativeText(QStringLiteral("A new version (") + version +
                           QStringLiteral(") is available. Would you like to download it?"));
    QPushButton* download = box.addButton(QStringLiteral("Download"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(download);
    box.exec();
    return box.clickedButton() == download ? PromptAnswer::download : PromptAnswer::cancel;
}

bool isLoopback(const QString& host) {
    const QHostAddress address(host);
    return host == QLatin1String("localhost") || (!address.isNull() && address.isLoopback());
}

}  // namespace

BasicUpdater::BasicUpdater(QString baseUrl, int backOffDays, UpdaterServices services,
                           QObject* parent)
    : QObject(parent),
      baseUrl_(std::move(baseUrl)),
      backOffDays_(backOffDays),
      services_(std::move(services)) {}

BasicUpdater::~BasicUpdater() = default;

UpdaterServices BasicUpdater::defaultServices(const platform::Clock& clock, QString localVersion) {
    UpdaterServices services;
    services.clock = &clock;
    services.print = platform::standardOutput();
    services.openSettings = [] {
        return std::make_unique<QSettings>(QStringLiteral("cassivo"), QStringLiteral("cassivo"));
    };
    services.localVersion = std::move(localVersion);
    services.prompt = askWithMessageBox;
    services.openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    return services;
}

void BasicUpdater::checkForUpdates() {
    if (running_) return;
    running_ = true;
    // Its own turn of the event loop: the caller never waits for the check.
    QMetaObject::invokeMethod(this, &BasicUpdater::run, Qt::QueuedConnection);
}

void BasicUpdater::run() {
    const auto finish = [this] {
        running_ = false;
        emit finished();
    };
    const QDateTime now =
        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(services_.clock->now() * 1000.0));

    // Only a stored date counts; anything else means "never checked".
    const QVariant stored = services_.openSettings()->value(kLastCheckKey);
    const QDateTime lastCheck =
        stored.typeId() == QMetaType::QDateTime ? stored.toDateTime() : QDateTime();
    const QDateTime threshold = now.addDays(-backOffDays_);
    if (lastCheck.isValid() && !(lastCheck < threshold)) {
        services_.print("BasicUpdater: backed off, less than " + std::to_string(backOffDays_) +
                        " days.");
        return finish();
    }

    services_.print("BasicUpdater: checking for update at " + baseUrl_.toStdString() + "...");
    const QUrl documentUrl(baseUrl_ + QStringLiteral("/updater.json"), QUrl::StrictMode);
    if (!documentUrl.isValid() || documentUrl.scheme().isEmpty()) return finish();

    if (!network_) network_ = std::make_unique<QNetworkAccessManager>();
    QNetworkRequest request(documentUrl);
    // Never answer from a cache: the point is to see what the server says now.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(static_cast<int>(services_.timeout.count()));
    QNetworkReply* reply = network_->get(request);
    // The transfer timeout restarts with every byte; a server that drips its
    // answer would keep the check alive for ever. This bounds the whole check.
    QTimer::singleShot(services_.timeout, reply, [reply] {
        reply->setProperty("timedOut", true);
        reply->abort();
    });
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [this, reply](qint64 received, qint64 total) {
                if (received > services_.maxDocumentBytes || total > services_.maxDocumentBytes) {
                    reply->setProperty("tooLarge", true);
                    reply->abort();
                }
            });
    connect(reply, &QNetworkReply::finished, this, [this, reply, finish] {
        fetched(reply);
        finish();
    });
}

void BasicUpdater::fetched(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply->property("tooLarge").toBool()) {
        services_.print("The update document is larger than " +
                        std::to_string(services_.maxDocumentBytes / 1024) + " KiB");
        return;
    }
    if (reply->property("timedOut").toBool() ||
        reply->error() == QNetworkReply::OperationCanceledError) {
        // Qt reports its own transfer timeout as a bare "Operation canceled".
        const QString seconds = QString::number(double(services_.timeout.count()) / 1000.0, 'g', 3);
        services_.print(("Timed out after " + seconds + " s waiting for " + reply->url().toString())
                            .toStdString());
        return;
    }
    // Whatever the status, a server that answered has its body judged: an
    // error page fails to decode and says so.
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    if (reply->error() != QNetworkReply::NoError && !answered) {
        services_.print(reply->errorString().toStdString());
        return;
    }
    const QByteArray body = reply->readAll();
    auto decoded =
        platform::json::decode<UpdateDocument>(std::string_view(body.constData(), body.size()));
    if (auto* error = std::get_if<platform::json::DecodingError>(&decoded)) {
        services_.print(error->localizedDescription());
        return;
    }
    completeWith(std::get<UpdateDocument>(decoded).info);
}

void BasicUpdater::completeWith(const UpdateInfo& info) {
    if (isNewVersion(info.version)) {
        promptForDownload(QString::fromStdString(info.version), QString::fromStdString(info.file));
    } else {
        services_.print("BasicUpdater: application " + info.version + " already up to date.");
    }
    // Stored whatever the user chose, so the next check waits its days.
    const QDateTime now =
        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(services_.clock->now() * 1000.0));
    services_.openSettings()->setValue(kLastCheckKey, now);
}

bool BasicUpdater::isNewVersion(const std::string& remoteVersion) const {
    // Any difference counts as new, lower versions included.
    return !services_.localVersion || services_.localVersion->toStdString() != remoteVersion;
}

std::optional<QUrl> BasicUpdater::safeDownloadUrl(const QString& file, QString& whyNot) const {
    const QUrl base(baseUrl_, QUrl::StrictMode);
    const QUrl url(baseUrl_ + QLatin1Char('/') + file, QUrl::StrictMode);
    if (!url.isValid()) {
        whyNot = QStringLiteral("it is not a valid URL");
        return std::nullopt;
    }
    // The address comes from a document fetched over the network: open it only
    // where the update server itself lives, never somewhere the document says.
    const bool secure = url.scheme() == QLatin1String("https") ||
                        (url.scheme() == QLatin1String("http") && isLoopback(url.host()));
    if (!secure || url.scheme() != base.scheme()) {
        whyNot = QStringLiteral("it is not an https address");
        return std::nullopt;
    }
    if (url.host() != base.host() || url.port() != base.port() || !url.userInfo().isEmpty()) {
        whyNot = QStringLiteral("it is not on the update server ") + base.host();
        return std::nullopt;
    }
    return url;
}

void BasicUpdater::promptForDownload(const QString& version, const QString& file) {
    if (services_.prompt(version) != PromptAnswer::download) return;
    QString whyNot;
    const std::optional<QUrl> url = safeDownloadUrl(file, whyNot);
    if (!url) {
        services_.print("BasicUpdater: not opening the download \"" +
                        (baseUrl_ + '/' + file).toStdString() + "\": " + whyNot.toStdString() +
                        ".");
        return;
    }
    services_.openUrl(*url);
}

}  // namespace updater
