#include <ui/content_view.hpp>

#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>

namespace ui {
namespace {

QRect wheelArea(const QRectF& frame) {
    // A margin for the antialiased edge of the rotated images.
    return frame.toAlignedRect().adjusted(-2, -2, 2, 2);
}

// Each reel alone: the notice between them is not theirs to draw.
QRegion reelsArea() {
    return QRegion(wheelArea(geometry::kLeftWheel)).united(wheelArea(geometry::kRightWheel));
}

void configureAlert(QMessageBox& box, const QString& message) {
    box.setWindowTitle(QStringLiteral("Error"));
    box.setText(QStringLiteral("Error"));
    box.setInformativeText(message);
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::NoButton);
    if (box.buttons().isEmpty()) box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
}

}  // namespace

ContentView::ContentView(player::PlayerServices services, Artwork artwork, QWidget* parent)
    : QWidget(parent),
      model_(std::make_unique<player::PodcastViewModel>(std::move(services))),
      artwork_(std::move(artwork)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMinimumSize(400, 258);

    connect(model_.get(), &player::PodcastViewModel::objectWillChange, this,
            &ContentView::modelWillChange);
    connect(model_.get(), &player::PodcastViewModel::wheelChanged, this,
            [this](bool wasTurning, double oldAngle) {
                reels_.update(wasTurning, oldAngle, model_->wheelTurning(), model_->wheelAngle());
            });
    // The animation ticks at the display rate; 30 frames a second are
    // plenty for a reel and halve the work.
    reelFrame_.setSingleShot(true);
    reelFrame_.setInterval(33);
    connect(&reelFrame_, &QTimer::timeout, this, [this] {
        update(wheelArea(geometry::kLeftWheel));
        update(wheelArea(geometry::kRightWheel));
    });
    connect(&reels_, &ReelAnimation::angleChanged, this, [this] {
        if (!reelFrame_.isActive() && !unseen()) reelFrame_.start();
    });
}

ContentView::~ContentView() {
    if (alert_) alert_->deleteLater();
}

DeckState ContentView::state() const {
    return {model_->titleLabel(), model_->formattedTime(), model_->hasEnded(), reels_.angle()};
}

void ContentView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Minimising changes the state of the window, not of this widget.
    window()->removeEventFilter(this);
    window()->installEventFilter(this);
    seenOrNot();
    if (appeared_) return;
    appeared_ = true;
    model_->loadFeed();
}

void ContentView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    seenOrNot();
}

bool ContentView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window() && event->type() == QEvent::WindowStateChange) seenOrNot();
    return QWidget::eventFilter(watched, event);
}

bool ContentView::unseen() const {
    return !isVisible() || window()->isMinimized();
}

void ContentView::seenOrNot() {
    // Nobody sees a hidden or minimised deck: the sound plays on, the
    // drawing stops.
    reels_.setSuspended(unseen());
    if (!unseen() && missedRefresh_) {
        missedRefresh_ = false;
        noticeDrawn_ = model_->hasEnded();
        update();
    }
}

void ContentView::modelWillChange() {
    // Several writes make one update: redraw once, after they are all done.
    if (refreshQueued_) return;
    refreshQueued_ = true;
    QMetaObject::invokeMethod(this, &ContentView::refresh, Qt::QueuedConnection);
}

void ContentView::refresh() {
    refreshQueued_ = false;
    presentAlert();
    if (unseen()) {
        missedRefresh_ = true;
        return;
    }
    // Text and notice change with the model; the reels repaint themselves,
    // except when the notice, which reaches into their frames, comes or goes.
    if (model_->hasEnded() != noticeDrawn_) {
        noticeDrawn_ = model_->hasEnded();
        update();
    } else {
        update(QRegion(rect()).subtracted(reelsArea()));
    }
}

void ContentView::presentAlert() {
    if (!model_->showingAlert()) {
        if (alert_) alert_->close();
        return;
    }
    if (alert_) {
        // Never a second alert: the open one shows the newest message.
        alert_->setInformativeText(model_->errorMessage());
        return;
    }
    alert_ = new QMessageBox(window());
    alert_->setAttribute(Qt::WA_DeleteOnClose);
    configureAlert(*alert_, model_->errorMessage());
    connect(alert_, &QMessageBox::finished, this, [this] {
        // The closed box lives until the loop deletes it; an error that comes
        // before then gets an alert of its own.
        alert_.clear();
        model_->setShowingAlert(false);
    });
    alert_->open();
}

void ContentView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paintDeck(painter, state(), artwork_, kFontFamily, event->region().boundingRect());
}

QImage renderDeck(const DeckState& state, const Artwork& artwork, qreal scale,
                  const std::optional<QString>& alertMessage) {
    const QSize size(qCeil(geometry::kWidth * scale), qCeil(geometry::kHeight * scale));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintDeck(painter, state, artwork, ContentView::kFontFamily);
    if (alertMessage) {
        QMessageBox box;
        configureAlert(box, *alertMessage);
        box.adjustSize();
        const QPixmap picture = box.grab();
        const QSizeF shown = QSizeF(picture.size()) / picture.devicePixelRatio();
        painter.drawPixmap(QPointF((geometry::kWidth - shown.width()) / 2,
                                   (geometry::kHeight - shown.height()) / 2),
                           picture);
    }
    return image;
}

}  // namespace ui
