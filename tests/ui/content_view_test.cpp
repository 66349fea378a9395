#include "player/fakes.hpp"

#include <ui/content_view.hpp>
#include <ui/reel_animation.hpp>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <tuple>

namespace {

using ui::ReelAnimation;

void pumpEvents() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// ---- reel motion --------------------------------------------------------------

struct Sample {
    int milliseconds;
    double angle;
};

TEST(ReelAnimation, StartingToTurnSweepsLinearlyAndRestartsFromTheOldAngle) {
    ReelAnimation reels;
    reels.update(false, 0.0, true, -360.0);
    QVariantAnimation& a = reels.animation();
    for (const Sample s :
         {Sample{0, 0.0}, Sample{1125, -90.0}, Sample{2250, -180.0}, Sample{4499, -359.92},
          Sample{4500, 0.0}, Sample{6750, -180.0}, Sample{45000 + 1125, -90.0}}) {
        a.setCurrentTime(s.milliseconds);
        EXPECT_NEAR(reels.angle(), s.angle, 0.1) << "at " << s.milliseconds << " ms";
    }
    EXPECT_EQ(a.loopCount(), -1);
}

TEST(ReelAnimation, StoppingMovesOnceWithAShortEasedTransition) {
    ReelAnimation reels;
    reels.update(true, 3000.0, false, 0.0);
    QVariantAnimation& a = reels.animation();
    EXPECT_EQ(a.loopCount(), 1);
    EXPECT_LE(a.duration(), 1000);
    a.setCurrentTime(0);
    EXPECT_NEAR(reels.angle(), 3000.0, 1e-9);
    a.setCurrentTime(a.duration() / 4);
    // Eased: a quarter of the time covers less than a quarter of the way.
    EXPECT_GT(reels.angle(), 3000.0 - 750.0);
    a.setCurrentTime(a.duration());
    EXPECT_NEAR(reels.angle(), 0.0, 1e-9);
}

TEST(ReelAnimation, AngleChangeWithoutATurningChangeIsNotAnimated) {
    ReelAnimation reels;
    reels.update(false, 0.0, true, -360.0);
    reels.animation().setCurrentTime(1000);
    reels.update(true, -360.0, true, 3000.0);
    EXPECT_EQ(reels.animation().state(), QAbstractAnimation::Stopped);
    EXPECT_EQ(reels.angle(), 3000.0);
    // Same values again: nothing changes, a running sweep keeps running.
    reels.update(false, 0.0, true, -360.0);
    reels.update(true, -360.0, true, -360.0);
    EXPECT_EQ(reels.animation().state(), QAbstractAnimation::Running);
}

// ---- the view with its model -----------------------------------------------------

class ContentViewTest : public testing::Test {
protected:
    ContentViewTest() {
        feedSource.next = [] { return syndra::Result(syndra::ParserError::feedNotFound()); };
        player::PlayerServices services;
        services.scheduler = &time;
        services.clock = &time;
        services.feedSource = &feedSource;
        services.players = &players;
        services.print = [](std::string_view) {};
        view = std::make_unique<ui::ContentView>(std::move(services));
        view->resize(400, 258);
    }
    ~ContentViewTest() override {
        if (view->alert()) view->alert()->close();
    }

    // Shows the deck with a three-episode feed, one second into playing.
    void showPlaying() {
        feedSource.next = [] { return syndra::Result(syndra::Feed(fakes::numberedFeed(3))); };
        view->show();
        time.drain();
        players.current->events.ready(true);
        time.advance(1.0);
        pumpEvents();
    }

    fakes::VirtualTime time{double(player::kScheduleEpoch) + 4000.0};
    fakes::FakeFeedSource feedSource{time};
    fakes::FakeAudioPlayerFactory players{time};
    std::unique_ptr<ui::ContentView> view;
};

TEST_F(ContentViewTest, LoadsTheFeedOnceWhenFirstShown) {
    EXPECT_EQ(feedSource.loads, 0);
    view->show();
    view->hide();
    view->show();
    EXPECT_EQ(feedSource.loads, 1);
}

TEST_F(ContentViewTest, ShowsOneAlertAndDismissingItWritesFalse) {
    view->show();
    time.drain();  // the parse fails
    pumpEvents();
    ASSERT_TRUE(view->model().showingAlert());
    QMessageBox* alert = view->alert();
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->windowTitle(), "Error");
    EXPECT_EQ(alert->informativeText(), "Feed not found");
    ASSERT_EQ(alert->buttons().size(), 1);
    EXPECT_EQ(alert->buttons().first()->text(), "OK");

    // A second error while it is open: still one alert, with the new message.
    feedSource.next = [] {
        return syndra::Result(syndra::Feed(fakes::makeFeed({{{{"audio/mpeg", "not a url"}}}})));
    };
    time.advance(5.0);  // the feed comes back, with an episode that cannot play
    pumpEvents();
    EXPECT_EQ(view->alert(), alert);
    EXPECT_EQ(alert->informativeText(), "Could not convert file to load to a URL");
    const auto widgets = QApplication::topLevelWidgets();
    EXPECT_EQ(
        std::count_if(widgets.begin(), widgets.end(),
                      [](QWidget* w) { return qobject_cast<QMessageBox*>(w) && w->isVisible(); }),
        1);

    alert->buttons().first()->click();
    EXPECT_FALSE(view->model().showingAlert());
    // An error right after "OK", before the closed box is gone, still shows:
    // the next slot's episode cannot play either.
    time.advance(3600.0);
    pumpEvents();
    ASSERT_NE(view->alert(), nullptr);
    EXPECT_TRUE(view->alert()->isVisible());
    view->alert()->buttons().first()->click();
    pumpEvents();
    EXPECT_FALSE(view->model().showingAlert());
    EXPECT_EQ(view->alert(), nullptr);
}

TEST_F(ContentViewTest, DrawsTheModelsState) {
    feedSource.next = [] { return syndra::Result(syndra::Feed(fakes::numberedFeed(3))); };
    view->show();
    time.drain();
    players.current->events.ready(true);
    time.drain();
    players.current->events.metadataLoaded(QVariant(QStringLiteral("Show #9")));
    time.advance(1.0);
    pumpEvents();
    const ui::DeckState state = view->state();
    EXPECT_EQ(state.titleLabel, "9");
    EXPECT_EQ(state.elapsedTime, view->model().formattedTime());
    EXPECT_FALSE(state.hasEnded);
    // The first tick started the reels turning.
    EXPECT_EQ(view->reels().animation().state(), QAbstractAnimation::Running);
}

}  // namespace

namespace {
// The window as the screen has it: what the widget's own repaints put in its
// backing store, not a fresh render of the whole deck.
QImage onScreen(QWidget& widget) {
    return widget.screen()
        ->grabWindow(widget.winId())
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST_F(ContentViewTest, TheNoticeIsDrawnDuringTheCountdownAndErasedAfter) {
    showPlaying();
    const QRect notice(140, 118, 116, 30);  // between the reels
    const QImage playing = onScreen(*view).copy(notice);

    players.current->events.endOfMedia();
    time.drain();
    pumpEvents();
    // The whole deck inside its rounded corners: the notice reaches into the
    // reels' frames, which repaint only with the reels.
    const QRect deck = QRect(0, 0, 400, 258).adjusted(12, 12, -12, -12);
    EXPECT_EQ(onScreen(*view).copy(deck),
              ui::renderDeck(view->state(), ui::Artwork::fromResources(), 1.0).copy(deck));
    EXPECT_NE(onScreen(*view).copy(notice), playing);

    time.advance(3600.0);  // the next slot plays
    players.current->events.ready(true);
    time.advance(1.0);
    pumpEvents();
    EXPECT_EQ(onScreen(*view).copy(notice), playing);
}

// Counts the paint events a widget gets.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(ContentViewTest, NothingIsDrawnWhileNobodySeesTheDeckButTheSoundPlaysOn) {
    showPlaying();
    PaintCounter counter;
    view->installEventFilter(&counter);
    for (const auto& [name, hide, unhide] :
         {std::tuple<const char*, void (QWidget::*)(), void (QWidget::*)()>{
              "minimised", &QWidget::showMinimized, &QWidget::showNormal},
          {"hidden", &QWidget::hide, &QWidget::show}}) {
        (view.get()->*hide)();
        pumpEvents();
        counter.paints = 0;
        time.advance(5.0);
        pumpEvents();
        EXPECT_EQ(counter.paints, 0) << name;
        EXPECT_EQ(view->reels().animation().state(), QAbstractAnimation::Paused) << name;
        EXPECT_TRUE(players.current->playing) << name;
        (view.get()->*unhide)();
        pumpEvents();
        EXPECT_GT(counter.paints, 0) << name;
        EXPECT_EQ(view->reels().animation().state(), QAbstractAnimation::Running) << name;
    }
    view->removeEventFilter(&counter);
}
}  // namespace
