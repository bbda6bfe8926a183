// The scheduler's rules that need no window: geometry, the fact box's text, the month
// marks, the refresh rule, the toolbar pictures and the about box's texts.
#include "QuillonTestEnvironment.h"
#include "basDayCaption.h"
#include "basFactOfTheDay.h"
#include "basMain.h"
#include "basMonthMarks.h"
#include "basToolbarIcons.h"
#include "basWindowGeometry.h"
#include "frmAbout.h"

#include <QImage>
#include <QSet>
#include <QSysInfo>

namespace quillon {

namespace {

using basWindowGeometry::PlaceOnScreens;

TEST(DayCaption, ADayTakesAnyOfTheSixteenEventColours)
{
    const QColor face(240, 240, 240);
    const struct {
        const char *name;
        QColor background, foreground;
    } cases[] = {
        {"Blue", QColor(0, 0, 255), Qt::white},        {"Teal", QColor(0, 128, 128), Qt::white},
        {"Purple", QColor(128, 0, 128), Qt::white},    {"White", Qt::white, Qt::black},
        {"Fuschia", QColor(255, 0, 255), Qt::white},   {"blue", Qt::black, Qt::white},
        {"", face, Qt::black},
    };
    for (const auto &c : cases) {
        const basDayCaption::Caption caption = basDayCaption::BuildCaption(
            QDate(2026, 12, 8), {}, QString::fromLatin1(c.name), QLocale::c(), face);
        EXPECT_EQ(caption.background, c.background) << c.name;
        EXPECT_EQ(caption.foreground, c.foreground) << c.name;
    }
}

TEST(WindowGeometry, APositionOffEveryScreenComesBackOntoThePrimaryOne)
{
    const QRect primary(0, 0, 1920, 1040);
    const QRect second(1920, 0, 1280, 1024);
    const QList<QRect> screens = {primary, second};

    // On a screen, or mostly off it with a grip left: unchanged.
    for (const QRect frame : {QRect(100, 100, 600, 500), QRect(2000, 50, 600, 500), QRect(-500, 10, 600, 500)})
        EXPECT_EQ(PlaceOnScreens(frame, screens, primary), frame);

    // Saved on a screen that is gone, or with only a sliver visible: centred on the primary.
    const QRect gone = PlaceOnScreens(QRect(3500, 200, 600, 500), screens, primary);
    EXPECT_EQ(gone.size(), QSize(600, 500));
    EXPECT_EQ(gone.center(), primary.center());
    const QRect sliver = PlaceOnScreens(QRect(-590, 10, 600, 500), screens, primary);
    EXPECT_TRUE(primary.contains(sliver));
    const QRect above = PlaceOnScreens(QRect(100, -2000, 600, 500), {primary}, primary);
    EXPECT_TRUE(primary.contains(above));

    // Larger than the primary screen: shrunk to it.
    EXPECT_EQ(PlaceOnScreens(QRect(-30000, -30000, 4000, 3000), screens, primary), primary);
}

TEST(WindowGeometry, TwipsStayExactOnWideAndDenseScreens)
{
    const double twipsPerPixel = basWindowGeometry::TwipsPerPixel(96);
    EXPECT_EQ(basWindowGeometry::PixelsToTwips(3840, twipsPerPixel), 57600); // past 16 bits
    EXPECT_EQ(basWindowGeometry::TwipsToPixels(57600, twipsPerPixel), 3840);
    EXPECT_EQ(basWindowGeometry::TwipsToPixels(-15000, twipsPerPixel), -1000);
    // Halves go to the even neighbour.
    EXPECT_EQ(basWindowGeometry::Share(7785, 0.7), 5450);  // 5449.5
    EXPECT_EQ(basWindowGeometry::Share(8385, 0.6), 5031);
    EXPECT_EQ(basWindowGeometry::Share(5, 0.5), 2);
}

TEST(FactOfTheDay, TextByPriority)
{
    using basFactOfTheDay::ComposeText;
    const QString purple = basFactOfTheDay::ColorExplanation(QStringLiteral("Purple"));
    EXPECT_EQ(ComposeText(false, QStringLiteral("Advent 2"), QStringLiteral("A fact."), QStringLiteral("Purple")),
              QStringLiteral("Advent 2\n\nA fact."));
    EXPECT_EQ(ComposeText(false, QString(), QStringLiteral("A fact."), QStringLiteral("Purple")),
              QStringLiteral("A fact."));
    EXPECT_EQ(ComposeText(false, QStringLiteral("Advent 2"), QString(), QString()), QStringLiteral("Advent 2"));
    EXPECT_EQ(ComposeText(false, QString(), QString(), QStringLiteral("Purple")), purple);
    EXPECT_EQ(ComposeText(false, QString(), QString(), QStringLiteral("purple")), QString());
    EXPECT_EQ(ComposeText(false, QString(), QString(), QString()), QString());
    EXPECT_EQ(ComposeText(true, QStringLiteral("Advent 2"), QStringLiteral("A fact."), QStringLiteral("Purple")),
              basFactOfTheDay::WelcomeText());

    const QString welcome = basFactOfTheDay::WelcomeText();
    EXPECT_TRUE(welcome.startsWith(QStringLiteral("Welcome!  We hope")));
    EXPECT_TRUE(welcome.contains(QStringLiteral("Jesus\u2019 life")));
    EXPECT_TRUE(welcome.endsWith(QStringLiteral("Enjoy the calendar!")));
    for (const char *color : {"Green", "Purple", "Red", "White", "Gray"})
        EXPECT_TRUE(basFactOfTheDay::ColorExplanation(QLatin1String(color))
                        .startsWith(QStringLiteral("The liturgical color ") + QString::fromLatin1(color).toLower()))
            << color;
}

TEST(MonthMarks, EveryColourOfTheChurchYearNamesADefinedStyleSet)
{
    const auto sets = basMonthMarks::StyleSets(0xC0C0C0);
    QSet<QString> names;
    for (const auto &set : sets)
        names.insert(set.name);
    EXPECT_EQ(sets.size(), 12);
    EXPECT_EQ(names.size(), 12);
    for (const char *color : {"", "Green", "Purple", "Red", "White", "Gray"}) {
        for (qint64 count : {0, 1, 7}) {
            const QString name = basMonthMarks::StyleSetName(QLatin1String(color), count);
            ASSERT_TRUE(names.contains(name)) << qPrintable(name);
            const auto set = *std::find_if(sets.begin(), sets.end(), [&](const auto &s) { return s.name == name; });
            EXPECT_EQ(set.bold, count > 0) << qPrintable(name);
            // Numbers stay readable: navy on days with events, white on the dark colours.
            EXPECT_NE(set.textColor, set.backColor) << qPrintable(name);
        }
    }
    // A dark style's button face keeps its plain days light and its event days a light blue.
    for (const auto &set : basMonthMarks::StyleSets(0x303030)) {
        if (set.name.startsWith(QStringLiteral("Normal"))) {
            EXPECT_EQ(set.textColor, set.bold ? 135 + 206 * 256 + 250 * 65536 : 0xFFFFFF) << qPrintable(set.name);
        }
    }
    EXPECT_FALSE(names.contains(basMonthMarks::StyleSetName(QStringLiteral("Blue"), 1)));
    EXPECT_FALSE(names.contains(basMonthMarks::StyleSetName(QStringLiteral("green"), 0)));
}

class RefreshRule : public quillontest::QuillonTest {};

TEST_F(RefreshRule, OnlyTheDesktopCalendarsMonthAndYearCount)
{
    SetNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    using basMain::CurrentMonthChanged;
    EXPECT_TRUE(CurrentMonthChanged({QDate(2027, 3, 1), QDate(2026, 12, 31)}));
    EXPECT_FALSE(CurrentMonthChanged({QDate(2025, 12, 7), QDate(2027, 12, 7)}));
    EXPECT_FALSE(CurrentMonthChanged({QDate(), QDate(2026, 11, 30), QDate(2027, 1, 1)}));
    EXPECT_FALSE(CurrentMonthChanged({}));
}

TEST(ToolbarIcons, DrawnAtTheDevicesPixelSize)
{
    for (const QString &key : basToolbarIcons::Keys()) {
        const QIcon icon = basToolbarIcons::ToolbarIcon(key);
        ASSERT_FALSE(icon.isNull()) << qPrintable(key);
        for (const qreal ratio : {1.0, 2.0, 3.0}) {
            const QPixmap pixmap = icon.pixmap(QSize(24, 24), ratio);
            EXPECT_EQ(pixmap.size(), QSize(24, 24) * ratio) << qPrintable(key);
            EXPECT_EQ(pixmap.devicePixelRatio(), ratio) << qPrintable(key);
            const QImage image = pixmap.toImage();
            int inked = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    inked += qAlpha(image.pixel(x, y)) > 0;
            // A picture, not an empty or filled square.
            EXPECT_GT(inked, image.width() * image.height() / 10) << qPrintable(key);
            EXPECT_LT(inked, image.width() * image.height()) << qPrintable(key);
        }
        // Disabled buttons are drawn grey, not in the picture's colours.
        const QImage disabled = icon.pixmap(QSize(24, 24), 1.0, QIcon::Disabled).toImage();
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                if (qAlpha(disabled.pixel(x, y)) == 255) {
                    const QColor c = disabled.pixelColor(x, y);
                    EXPECT_LE(std::abs(c.red() - c.blue()) + std::abs(c.red() - c.green()), 6) << qPrintable(key);
                }
    }
    EXPECT_TRUE(basToolbarIcons::ToolbarIcon(QStringLiteral("Nothing")).isNull());
}

TEST(AboutBox, VersionAndSystemInItsTexts)
{
    EXPECT_EQ(frmAbout::VersionText(), QStringLiteral("Version 1.1.8"));
    const QString expected = QSysInfo::kernelType() == QLatin1String("winnt") ? QStringLiteral("Windows")
                                                                            : QStringLiteral("Linux");
    EXPECT_EQ(frmAbout::DescriptionText(), QStringLiteral("Desktop Calendar/Schedule for ") + expected);
}

} // namespace

} // namespace quillon
