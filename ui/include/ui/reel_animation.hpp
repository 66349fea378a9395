#pragma once

#include <QObject>
#include <QVariantAnimation>

namespace ui {

/// Turns the reels the way the model asks: when an update switches the
/// turning state on, the reels sweep linearly from the old angle to the new
/// one in 4.5 s, over and over, always forwards; when it switches it off they
/// move once to the new angle with a short eased transition. An angle change
/// that comes without a change of the turning state is not animated.
class ReelAnimation final : public QObject {
    Q_OBJECT
public:
    static constexpr int kSweepMilliseconds = 4500;
    static constexpr int kSettleMilliseconds = 350;

    explicit ReelAnimation(QObject* parent = nullptr);

    /// The angle to draw now, in degrees.
    double angle() const noexcept { return angle_; }

    /// One update of the model: the turning state and angle before and after.
    void update(bool wasTurning, double oldAngle, bool turning, double newAngle);

    /// While suspended (nobody can see the reels) the animation stands still;
    /// updates still take effect and run once it resumes.
    void setSuspended(bool suspended);

    /// The running animation; tests drive its clock with setCurrentTime().
    QVariantAnimation& animation() noexcept { return animation_; }

signals:
    void angleChanged(double angle);

private:
    void show(double angle);

    QVariantAnimation animation_;
    double angle_ = 0.0;
    bool suspended_ = false;
};

}  // namespace ui
