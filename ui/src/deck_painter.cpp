#include <ui/deck_painter.hpp>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

namespace ui {
namespace {

const QImage& pick(const QImage& normal, const QImage& doubled, const QPainter& painter) {
    const qreal scale = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    return scale > 1.0 && !doubled.isNull() ? doubled : normal;
}

QFont marker(const QString& family, double pixels) {
    QFont font(family);
    // Sizes are in points of the picture, which are logical pixels here.
    font.setPixelSize(qRound(pixels));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Draws `text` starting at x, its line box centred on y.
void drawLine(QPainter& p, const QString& text, const QFont& font, double x, double y) {
    const QFontMetricsF metrics(font);
    p.setFont(font);
    p.drawText(QPointF(x, y - metrics.height() / 2.0 + metrics.ascent()), text);
}

void drawWheel(QPainter& p, const QImage& image, const QRectF& frame, double angle) {
    if (image.isNull()) return;
    p.save();
    p.setClipRect(frame, Qt::IntersectClip);
    p.translate(frame.center());
    p.rotate(angle);
    p.translate(-frame.center());
    // Fit: keep the aspect ratio inside the square frame.
    QSizeF size = image.size();
    size.scale(frame.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), size);
    target.moveCenter(frame.center());
    p.drawImage(target, image);
    p.restore();
}

}  // namespace

Artwork Artwork::fromResources() {
    return {QImage(QStringLiteral(":/images/k7.png")), QImage(QStringLiteral(":/images/k7@2x.png")),
            QImage(QStringLiteral(":/images/wheel.png")),
            QImage(QStringLiteral(":/images/wheel@2x.png"))};
}

void paintDeck(QPainter& p, const DeckState& state, const Artwork& artwork,
               const QString& fontFamily, const QRectF& dirty) {
    using namespace geometry;
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area(0, 0, kWidth, kHeight);

    // 1. The cassette fills the area (aspect kept, overflow cut).
    if (const QImage& cassette = pick(artwork.cassette, artwork.cassette2x, p);
        !cassette.isNull()) {
        QSizeF size = cassette.size();
        size.scale(area.size(), Qt::KeepAspectRatioByExpanding);
        QRectF target(QPointF(), size);
        target.moveCenter(area.center());
        p.save();
        p.setClipRect(area, Qt::IntersectClip);
        p.drawImage(target, cassette);
        p.restore();
    }

    // 2. Both reels turn by the same angle.
    const QImage& wheel = pick(artwork.wheel, artwork.wheel2x, p);
    drawWheel(p, wheel, kLeftWheel, state.wheelAngle);
    drawWheel(p, wheel, kRightWheel, state.wheelAngle);

    // 3–6 live in the label's rows and around the notice; the reels alone
    // repainting while they turn need none of them.
    const QRectF textRows(0, kLine1Y - 20, kWidth, kLine2Y - kLine1Y + 40);
    const QRectF noticeArea(kNoticeCenter.x() - 90, kNoticeCenter.y() - 20, 180, 40);
    if (!dirty.intersects(textRows) && !(state.hasEnded && dirty.intersects(noticeArea))) return;

    // 3–4. The label, hand-lettered; anything past the right edge is cut.
    p.save();
    p.setClipRect(area, Qt::IntersectClip);
    const QFont label = marker(fontFamily, 20);
    p.setPen(Qt::black);
    drawLine(p, QStringLiteral("Velling's"), label, kLabelX, kLine1Y);
    drawLine(p, QStringLiteral("Hissline ") + state.titleLabel, label, kLabelX, kLine2Y);

    // 5–6. Time and notice in blue, burnt into the paper like ink.
    p.setCompositionMode(QPainter::CompositionMode_ColorBurn);
    p.setPen(QColor::fromRgba(kSystemBlue));
    drawLine(p, state.elapsedTime, label, kTimeX, kLine1Y);
    if (state.hasEnded) {
        const QFont notice = marker(fontFamily, 19);
        const QFontMetricsF metrics(notice);
        const QString text = QStringLiteral("Please wait...");
        drawLine(p, text, notice, kNoticeCenter.x() - metrics.horizontalAdvance(text) / 2.0,
                 kNoticeCenter.y());
    }
    p.restore();
}

}  // namespace ui
