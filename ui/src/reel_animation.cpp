#include <ui/reel_animation.hpp>

namespace ui {

ReelAnimation::ReelAnimation(QObject* parent) : QObject(parent) {
    connect(&animation_, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { show(value.toDouble()); });
}

void ReelAnimation::update(bool wasTurning, double oldAngle, bool turning, double newAngle) {
    if (wasTurning == turning) {
        if (oldAngle != newAngle) {
            animation_.stop();
            show(newAngle);
        }
        return;
    }
    animation_.stop();
    animation_.setStartValue(oldAngle);
    animation_.setEndValue(newAngle);
    if (turning) {
        // Each loop starts again from the old angle: the reels never run back.
        animation_.setDuration(kSweepMilliseconds);
        animation_.setEasingCurve(QEasingCurve::Linear);
        animation_.setLoopCount(-1);
    } else {
        animation_.setDuration(kSettleMilliseconds);
        animation_.setEasingCurve(QEasingCurve::InOutQuad);
        animation_.setLoopCount(1);
    }
    show(oldAngle);
    animation_.start();
    if (suspended_) animation_.pause();
}

void ReelAnimation::setSuspended(bool suspended) {
    suspended_ = suspended;
    if (suspended && animation_.state() == QAbstractAnimation::Running) animation_.pause();
    if (!suspended && animation_.state() == QAbstractAnimation::Paused) animation_.resume();
}

void ReelAnimation::show(double angle) {
    if (angle == angle_) return;
    angle_ = angle;
    emit angleChanged(angle);
}

}  // namespace ui
