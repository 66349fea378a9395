#include <app/mpris_service.hpp>

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QMetaObject>

#include <cmath>

namespace app {
namespace {

constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";

// org.mpris.MediaPlayer2: the application itself.
class RootAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(bool CanSetFullscreen READ no)
    Q_PROPERTY(bool Fullscreen READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ none)
    Q_PROPERTY(QStringList SupportedMimeTypes READ none)
public:
    explicit RootAdaptor(MprisService* service)
        : QDBusAbstractAdaptor(service), service_(service) {}
    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Cassivo"); }
    QString desktopEntry() const { return QStringLiteral("app.cassivo.Cassivo"); }
    QStringList none() const { return {}; }

public slots:
    void Raise() { service_->window().raise(); }
    void Quit() { service_->window().quit(); }

private:
    MprisService* service_;
};

// org.mpris.MediaPlayer2.Player: a radio can be muted and rejoined, not
// skipped, sought or slowed.
class PlayerAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(double Rate READ one)
    Q_PROPERTY(double MinimumRate READ one)
    Q_PROPERTY(double MaximumRate READ one)
    Q_PROPERTY(double Volume READ one)
    Q_PROPERTY(bool CanPlay READ yes)
    Q_PROPERTY(bool CanPause READ yes)
    Q_PROPERTY(bool CanControl READ yes)
    Q_PROPERTY(bool CanSeek READ no)
    Q_PROPERTY(bool CanGoNext READ no)
    Q_PROPERTY(bool CanGoPrevious READ no)
public:
    explicit PlayerAdaptor(MprisService* service)
        : QDBusAbstractAdaptor(service), service_(service) {}
    QString playbackStatus() const { return service_->playbackStatus(); }
    QVariantMap metadata() const { return service_->metadata(); }
    qlonglong position() const { return service_->position(); }
    double one() const { return 1.0; }
    bool yes() const { return true; }
    bool no() const { return false; }

signals:
    void Seeked(qlonglong position);

public slots:
    void Play() { service_->model().play(); }
    void Pause() { service_->model().pause(); }
    void PlayPause() {
        if (service_->model().isPaused()) {
            service_->model().play();
        } else {
            service_->model().pause();
        }
    }
    void Stop() { service_->model().pause(); }
    void Next() {}
    void Previous() {}
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath&, qlonglong) {}
    void OpenUri(const QString&) {}

private:
    MprisService* service_;
};

}  // namespace

MprisService::MprisService(player::PodcastViewModel& model, WindowControls window, QObject* parent)
    : QObject(parent), model_(model), window_(std::move(window)) {
    new RootAdaptor(this);  // adaptors are owned by the object they serve
    new PlayerAdaptor(this);
    connect(&model_, &player::PodcastViewModel::objectWillChange, this, &MprisService::changed);
    connect(&model_, &player::PodcastViewModel::broadcastChanged, this, &MprisService::changed);
    announcedStatus_ = playbackStatus();
    announcedMetadata_ = metadata();
}

bool MprisService::registerOn(const QDBusConnection& bus) {
    bus_ = bus;
    return bus_->registerObject(QString::fromLatin1(kMprisObjectPath), this,
                                QDBusConnection::ExportAdaptors);
}

QString MprisService::playbackStatus() const {
    if (model_.isPaused()) return QStringLiteral("Paused");
    return model_.isPlaying() ? QStringLiteral("Playing") : QStringLiteral("Stopped");
}

QVariantMap MprisService::metadata() const {
    const auto& onAir = model_.onAir();
    if (!onAir) {
        return {
            {QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath("/org/mpris/MediaPlayer2/TrackList/NoTrack"))}};
    }
    QVariantMap map{
        {QStringLiteral("mpris:trackid"),
         QVariant::fromValue(QDBusObjectPath(
             QStringLiteral("/app/cassivo/Cassivo/episode/%1").arg(onAir->episode)))},
        {QStringLiteral("xesam:title"), onAir->title},
        {QStringLiteral("xesam:album"), onAir->show},
        {QStringLiteral("xesam:url"), onAir->url},
    };
    if (!onAir->artURL.isEmpty()) map.insert(QStringLiteral("mpris:artUrl"), onAir->artURL);
    if (onAir->length > 0.0 && onAir->length < 9e12) {
        map.insert(QStringLiteral("mpris:length"), qlonglong(std::llround(onAir->length * 1e6)));
    }
    return map;
}

qlonglong MprisService::position() const {
    const double seconds = model_.position();
    return std::isfinite(seconds) && std::fabs(seconds) < 9e12 ? std::llround(seconds * 1e6) : 0;
}

void MprisService::changed() {
    // The model announces before it writes, and writes in bursts: look once
    // the burst is over.
    if (announceQueued_) return;
    announceQueued_ = true;
    QMetaObject::invokeMethod(this, &MprisService::announce, Qt::QueuedConnection);
}

void MprisService::announce() {
    announceQueued_ = false;
    QVariantMap changes;
    if (const QString status = playbackStatus(); status != announcedStatus_) {
        announcedStatus_ = status;
        changes.insert(QStringLiteral("PlaybackStatus"), status);
    }
    if (QVariantMap now = metadata(); now != announcedMetadata_) {
        announcedMetadata_ = now;
        changes.insert(QStringLiteral("Metadata"), now);
    }
    if (changes.isEmpty() || !bus_) return;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(kMprisObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changes << QStringList();
    bus_->send(signal);
}

}  // namespace app

#include "mpris_service.moc"
