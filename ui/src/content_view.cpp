#include <ui/content_view.hpp>

#include <QPainter>
#include <QPainterPath>

namespace ui {

ContentView::ContentView(std::string feedURL, QWidget* parent)
    : QWidget(parent), feedURL_(std::move(feedURL)) {}

void ContentView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(0, 0, 400, 257.5), 18, 18);
    p.fillPath(body, QColor(38, 36, 40));
    p.setPen(QColor(230, 224, 210));
    p.setFont(QFont(QStringLiteral("Permanent Marker"), 20));
    p.drawText(QRectF(0, 0, 400, 257.5), Qt::AlignCenter, QStringLiteral("Cassivo"));
}

}  // namespace ui
