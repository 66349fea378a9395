#pragma once

#include <QWidget>

#include <string>

namespace ui {

/// The tape deck: the window's whole picture.
class ContentView final : public QWidget {
    Q_OBJECT
public:
    explicit ContentView(std::string feedURL, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string feedURL_;
};

}  // namespace ui
