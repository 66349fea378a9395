#include <app/main_window.hpp>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QShortcut>
#include <QWindow>

namespace app {
namespace {

/// A small round window control with a glyph, drawn to sit on the cassette.
class ControlButton final : public QAbstractButton {
public:
    enum class Glyph { close, minimize };

    ControlButton(Glyph glyph, const QString& name, QWidget* parent)
        : QAbstractButton(parent), glyph_(glyph) {
        setFixedSize(14, 14);
        setCursor(Qt::ArrowCursor);
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(name);
        setToolTip(name);
        setAttribute(Qt::WA_Hover);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const bool hot = underMouse() || isDown();
        const QColor fill = glyph_ == Glyph::close ? QColor(196, 64, 52) : QColor(214, 160, 48);
        p.setPen(QPen(QColor(0, 0, 0, 110), 1.0));
        p.setBrush(hot ? fill.lighter(115) : fill);
        p.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
        if (!hot) return;
        p.setPen(QPen(QColor(40, 20, 10), 1.4, Qt::SolidLine, Qt::RoundCap));
        const QRectF r(4, 4, width() - 8.0, height() - 8.0);
        if (glyph_ == Glyph::close) {
            p.drawLine(r.topLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomLeft());
        } else {
            p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
        }
    }

private:
    Glyph glyph_;
};

}  // namespace

MainWindow::MainWindow(QWidget* content)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      content_(content),
      closeButton_(new ControlButton(ControlButton::Glyph::close, tr("Close"), this)),
      minimizeButton_(new ControlButton(ControlButton::Glyph::minimize, tr("Minimize"), this)) {
    setWindowTitle(QStringLiteral("Cassivo"));
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);

    content_->setParent(this);
    content_->setGeometry(0, 0, kWidth, kHeight);
    content_->lower();

    closeButton_->move(12, 10);
    minimizeButton_->move(32, 10);
    closeButton_->raise();
    minimizeButton_->raise();
    connect(closeButton_, &QAbstractButton::clicked, this, &QWidget::close);
    connect(minimizeButton_, &QAbstractButton::clicked, this, &QWidget::showMinimized);

    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

void MainWindow::centerOnScreen() {
    QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    // The window manager moves the window best (snapping, screen edges); where
    // it cannot, follow the pointer by hand.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        dragOffset_.reset();
    } else {
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *dragOffset_);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

}  // namespace app
