#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace ui {

/// What the tape deck shows at one moment.
struct DeckState {
    QString titleLabel;
    QString elapsedTime;
    bool hasEnded = false;
    double wheelAngle = 0.0;  // degrees, clockwise
};

/// The pictures, at 1x and 2x; a missing one leaves its layer empty.
struct Artwork {
    QImage cassette, cassette2x;
    QImage wheel, wheel2x;

    /// The images compiled into the app.
    static Artwork fromResources();
};

/// The picture's geometry, in points of the 400 × 257.5 content area.
namespace geometry {
inline constexpr double kWidth = 400.0;
inline constexpr double kHeight = 257.5;
inline constexpr double kWheelSize = 43.5;
inline const QRectF kLeftWheel(92.0, 95.0, kWheelSize, kWheelSize);
inline const QRectF kRightWheel(260.5, 95.0, kWheelSize, kWheelSize);
inline constexpr double kLabelX = 134.0;
inline constexpr double kLine1Y = 41.0;
inline constexpr double kLine2Y = 61.0;
inline constexpr double kTimeX = 310.0;
inline const QPointF kNoticeCenter(200.0, 132.75);
}  // namespace geometry

/// The text colour of the elapsed time and the wait notice (system blue).
inline constexpr unsigned kSystemBlue = 0xFF007AFF;

/// Paints the whole deck in content coordinates, back to front: cassette,
/// wheels, the label's two lines, the elapsed time and, between episodes, the
/// wait notice. `fontFamily` is the hand-lettered font's family. Layers that
/// do not reach into `dirty` are skipped (the reels repaint many times a
/// second; the text need not be laid out each time).
void paintDeck(QPainter& painter, const DeckState& state, const Artwork& artwork,
               const QString& fontFamily,
               const QRectF& dirty = QRectF(0, 0, geometry::kWidth, geometry::kHeight));

}  // namespace ui
