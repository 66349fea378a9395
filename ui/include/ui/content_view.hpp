#pragma once

#include <player/podcast_view_model.hpp>
#include <ui/deck_painter.hpp>
#include <ui/reel_animation.hpp>

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace ui {

/// The tape deck: the window's whole picture, drawn from the player model it
/// owns. It starts the broadcast the first time it is shown, repaints when
/// the model changes (only the reels while they turn), and shows the model's
/// errors in an alert.
class ContentView final : public QWidget {
    Q_OBJECT
public:
    /// The family the registered hand-lettered font goes by.
    static inline const QString kFontFamily = QStringLiteral("Permanent Marker");

    explicit ContentView(player::PlayerServices services,
                         Artwork artwork = Artwork::fromResources(), QWidget* parent = nullptr);
    ~ContentView() override;

    player::PodcastViewModel& model() noexcept { return *model_; }
    /// The state drawn now.
    DeckState state() const;
    /// The open alert, if any.
    QMessageBox* alert() const noexcept { return alert_; }
    ReelAnimation& reels() noexcept { return reels_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void modelWillChange();
    void refresh();
    void presentAlert();

    std::unique_ptr<player::PodcastViewModel> model_;
    Artwork artwork_;
    ReelAnimation reels_;
    QPointer<QMessageBox> alert_;
    QTimer reelFrame_;  // paces reel repaints
    bool refreshQueued_ = false;
    bool appeared_ = false;
};

/// The deck as a picture at `scale`, with an alert over it when
/// `alertMessage` is given; for screenshots and tests, no model involved.
QImage renderDeck(const DeckState& state, const Artwork& artwork, qreal scale,
                  const std::optional<QString>& alertMessage = std::nullopt);

}  // namespace ui
