#include "OptionsRules.h"
#include "OrientationPictures.h"

#include <QImage>

#include <gtest/gtest.h>

namespace quillon {

using namespace OrientationPictures;

namespace {
// The box of the grid's white sheet in the drawn picture.
QRect SheetBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xFAFAFA)
                box |= QRect(x, y, 1, 1);
    return box;
}
} // namespace

TEST(OrientationPictures, EachPictureShowsTheGridWhereThatOptionPutsIt)
{
    for (const qreal ratio : {1.0, 2.0}) {
        const QRect screen(QPoint(0, 0), ScreenRect(kPictureSize).size() * ratio);
        std::map<int, QRect> boxes;
        for (int position = 0; position < OptionsRules::kPositionCount; ++position) {
            const QPixmap picture = Picture(position, ratio);
            EXPECT_EQ(picture.deviceIndependentSize().toSize(), kPictureSize);
            boxes[position] = SheetBox(picture.toImage());
            ASSERT_FALSE(boxes[position].isEmpty()) << position;
        }
        const QPoint middle = screen.center();
        EXPECT_LT(boxes[OptionsRules::kTopLeft].right(), screen.right() * 2 / 3);
        EXPECT_LT(boxes[OptionsRules::kTopLeft].bottom(), screen.bottom() * 2 / 3);
        EXPECT_GT(boxes[OptionsRules::kTopRight].left(), screen.right() / 3);
        EXPECT_LT(boxes[OptionsRules::kTopRight].bottom(), screen.bottom() * 2 / 3);
        EXPECT_LT(boxes[OptionsRules::kBottomLeft].right(), screen.right() * 2 / 3);
        EXPECT_GT(boxes[OptionsRules::kBottomLeft].top(), screen.bottom() / 3);
        EXPECT_GT(boxes[OptionsRules::kBottomRight].left(), screen.right() / 3);
        EXPECT_GT(boxes[OptionsRules::kBottomRight].top(), screen.bottom() / 3);
        EXPECT_LE((boxes[OptionsRules::kCenter].center() - middle).manhattanLength(), 2 * ratio);
        // Full screen covers nearly the whole desktop.
        EXPECT_GT(boxes[OptionsRules::kFullScreen].width(), screen.width() * 3 / 4);
        EXPECT_GT(boxes[OptionsRules::kFullScreen].height(), screen.height() / 2);
        EXPECT_GT(boxes[OptionsRules::kFullScreen].width(), boxes[OptionsRules::kCenter].width() * 3 / 2);
    }
}

} // namespace quillon
