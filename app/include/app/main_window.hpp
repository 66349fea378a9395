#pragma once

#include <QPoint>
#include <QWidget>

#include <optional>

class QAbstractButton;

namespace app {

/// The one window: frameless and translucent so only the cassette shows, a
/// fixed 400 × 258 (the picture is 400 × 257.5), draggable by any point of its
/// background, with close and minimise controls in the top-left corner.
class MainWindow final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 258;

    /// Takes ownership of `content`, which fills the window under the controls.
    explicit MainWindow(QWidget* content);

    QWidget* content() const noexcept { return content_; }
    QAbstractButton* closeButton() const noexcept { return closeButton_; }
    QAbstractButton* minimizeButton() const noexcept { return minimizeButton_; }

    /// Centres the window on the screen it is on (or the primary screen).
    void centerOnScreen();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* content_;
    QAbstractButton* closeButton_;
    QAbstractButton* minimizeButton_;
    // Where the pointer grabbed the window, when the window manager cannot
    // move it for us and we move it by hand.
    std::optional<QPoint> dragOffset_;
};

}  // namespace app
