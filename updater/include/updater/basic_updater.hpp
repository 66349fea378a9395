#pragma once

#include <platform/clock.hpp>
#include <platform/diagnostics.hpp>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class QSettings;

namespace updater {

/// The release document on the update server: three required texts.
struct UpdateInfo {
    std::string product;
    std::string version;
    std::string file;
};

/// What the user answered to "Update Available".
enum class PromptAnswer { download, cancel };

/// Everything the check touches outside itself; tests replace each piece.
struct UpdaterServices {
    const platform::Clock* clock = nullptr;
    platform::LinePrinter print;
    /// Opens the preferences store; the default is the user's QSettings of
    /// organisation and application "cassivo".
    std::function<std::unique_ptr<QSettings>()> openSettings;
    /// The running application's version, if known.
    std::optional<QString> localVersion;
    /// Asks the user; the default shows a modal message box.
    std::function<PromptAnswer(const QString& version)> prompt;
    /// Opens a URL with the desktop's default handler.
    std::function<void(const QUrl&)> openUrl;
    std::chrono::milliseconds timeout{30000};
    qint64 maxDocumentBytes = 1 << 20;
};

/// Checks, at most every `backOffDays` calendar days, whether the update
/// server offers another version, and offers to open its download.
class BasicUpdater final : public QObject {
    Q_OBJECT
public:
    static inline const QString kLastCheckKey = QStringLiteral("lastUpdateCheck");

    BasicUpdater(QString baseUrl, int backOffDays, UpdaterServices services,
                 QObject* parent = nullptr);
    ~BasicUpdater() override;

    const QString& baseUrl() const noexcept { return baseUrl_; }
    int backOffDays() const noexcept { return backOffDays_; }

    /// Starts the check and returns at once; `finished` follows.
    void checkForUpdates();

    /// Services for the real application: system clock, stdout, QSettings,
    /// a QMessageBox prompt, QDesktopServices.
    static UpdaterServices defaultServices(const platform::Clock& clock, QString localVersion);

signals:
    /// The check has ended, whatever the outcome.
    void finished();

private:
    void run();
    void fetched(QNetworkReply* reply);
    void completeWith(const UpdateInfo& info);
    bool isNewVersion(const std::string& remoteVersion) const;
    void promptForDownload(const QString& version, const QString& file);
    std::optional<QUrl> safeDownloadUrl(const QString& file, QString& whyNot) const;

    QString baseUrl_;
    int backOffDays_;
    UpdaterServices services_;
    std::unique_ptr<QNetworkAccessManager> network_;
    bool running_ = false;
};

}  // namespace updater
