#include <ui/content_view.hpp>
#include <ui/deck_painter.hpp>

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

using ui::DeckState;
using ui::renderDeck;

// A plain paper-coloured cassette so that ink is easy to find and measure.
const QColor kPaper(214, 196, 160);

ui::Artwork plainArtwork() {
    ui::Artwork artwork = ui::Artwork::fromResources();
    artwork.cassette = QImage(400, 258, QImage::Format_ARGB32_Premultiplied);
    artwork.cassette.fill(kPaper);
    artwork.cassette2x = QImage();
    return artwork;
}

class DeckPainterTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/PermanentMarker-Regular.ttf"));
    }
    QImage render(const DeckState& state) const { return renderDeck(state, artwork, 1.0); }

    // The bounding box of the pixels that differ between two renders.
    static QRect difference(const QImage& a, const QImage& b, const QRect& within) {
        QRect box;
        for (int y = within.top(); y <= within.bottom(); ++y) {
            for (int x = within.left(); x <= within.right(); ++x) {
                if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    }

    ui::Artwork artwork = plainArtwork();
    DeckState blank{QString(), QString(), false, 0.0};
};

TEST_F(DeckPainterTest, LabelLinesStartAtTheirColumnAndCentreOnTheirRows) {
    const QImage empty = render(blank);
    const QRect whole(0, 0, 400, 257);

    DeckState withTime = blank;
    withTime.elapsedTime = QStringLiteral("00:00");
    const QRect time = difference(empty, render(withTime), whole);
    ASSERT_FALSE(time.isEmpty());
    EXPECT_NEAR(time.left(), 310, 3);
    EXPECT_NEAR(time.center().y(), 41, 4);

    // The label's lines against the bare paper: both start at x = 134.
    DeckState withTitle = blank;
    withTitle.titleLabel = QStringLiteral("is Loading ...");
    const QImage labelled = render(withTitle);
    const QImage paper = QImage(artwork.cassette).convertToFormat(labelled.format());
    const QRect line1 = difference(paper, labelled, QRect(0, 28, 300, 24));
    const QRect line2 = difference(paper, labelled, QRect(0, 52, 400, 20));
    ASSERT_FALSE(line1.isEmpty());
    ASSERT_FALSE(line2.isEmpty());
    EXPECT_NEAR(line1.left(), 134, 3);
    EXPECT_NEAR(line2.left(), 134, 3);
    EXPECT_NEAR(line2.center().y(), 61, 4);
    // The title follows "Hissline ": it makes the line longer.
    EXPECT_GT(line2.right(), difference(paper, empty, QRect(0, 52, 400, 20)).right() + 50);
}

TEST_F(DeckPainterTest, WaitNoticeAppearsOnlyBetweenEpisodes) {
    DeckState waiting = blank;
    waiting.hasEnded = true;
    const QImage playing = render(blank);
    const QRect notice = difference(playing, render(waiting), QRect(0, 0, 400, 257));
    ASSERT_FALSE(notice.isEmpty());
    EXPECT_NEAR(notice.center().x(), 200, 4);
    EXPECT_NEAR(notice.center().y(), 132.75, 5);
    // While an episode plays, the paper there stays bare.
    const QImage paper = QImage(artwork.cassette).convertToFormat(playing.format());
    EXPECT_TRUE(difference(paper, playing, notice).isEmpty());
}

TEST_F(DeckPainterTest, TurningTheReelsChangesOnlyTheReels) {
    DeckState turned = blank;
    turned.wheelAngle = 45.0;
    const QRect changed = difference(render(blank), render(turned), QRect(0, 0, 400, 257));
    ASSERT_FALSE(changed.isEmpty());
    const QRect reels = ui::geometry::kLeftWheel.united(ui::geometry::kRightWheel)
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1);
    EXPECT_TRUE(reels.contains(changed))
        << changed.x() << "," << changed.y() << " " << changed.width() << "x" << changed.height();
    // Both reels turn.
    EXPECT_LT(changed.left(), 100);
    EXPECT_GT(changed.right(), 290);
}

TEST_F(DeckPainterTest, TimeIsBurntIntoThePaperInSystemBlue) {
    DeckState withTime = blank;
    withTime.elapsedTime = QStringLiteral("88:88");
    const QImage inked = render(withTime);
    // Colour burn, per channel: 1 - (1 - paper) / ink, clamped; nothing where ink is 0.
    const auto burn = [](int paper, int ink) {
        if (ink == 0) return paper == 255 ? 255 : 0;
        return std::max(0, 255 - (255 - paper) * 255 / ink);
    };
    const QColor blue = QColor::fromRgba(ui::kSystemBlue);
    const QColor expected(burn(kPaper.red(), blue.red()), burn(kPaper.green(), blue.green()),
                          burn(kPaper.blue(), blue.blue()));
    // Inside the strokes the glyphs cover the pixel fully; find the pixel that
    // is furthest from the paper and compare it with the formula.
    QColor inkiest = kPaper;
    int best = 0;
    for (int y = 28; y < 55; ++y) {
        for (int x = 305; x < 400; ++x) {
            const QColor c = inked.pixelColor(x, y);
            const int distance = std::abs(c.red() - kPaper.red()) +
                                 std::abs(c.green() - kPaper.green()) +
                                 std::abs(c.blue() - kPaper.blue());
            if (distance > best) {
                best = distance;
                inkiest = c;
            }
        }
    }
    EXPECT_NEAR(inkiest.red(), expected.red(), 4);
    EXPECT_NEAR(inkiest.green(), expected.green(), 4);
    EXPECT_NEAR(inkiest.blue(), expected.blue(), 4);
}

TEST_F(DeckPainterTest, LongTitleIsCutAtTheRightEdgeAndStaysOnItsLine) {
    DeckState longTitle = blank;
    longTitle.titleLabel = QString(200, QLatin1Char('w'));
    const QImage image = render(longTitle);
    EXPECT_EQ(image.width(), 400);
    // Nothing outside the second line's band changes: no wrapping onto other lines.
    const QImage shortTitle = render(blank);
    EXPECT_TRUE(difference(shortTitle, image, QRect(0, 0, 400, 48)).isEmpty());
    EXPECT_TRUE(difference(shortTitle, image, QRect(0, 78, 400, 179)).isEmpty());
    // It reaches the edge.
    const QRect ink = difference(shortTitle, image, QRect(0, 48, 400, 30));
    EXPECT_GE(ink.right(), 395);
}

// (The twice-size render is checked on the whole program's snapshot.)

}  // namespace
