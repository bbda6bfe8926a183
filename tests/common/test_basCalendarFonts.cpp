#include "QuillonTestEnvironment.h"

#include "basCalendarFonts.h"
#include "basOperation.h"
#include "basQuillon.h"

#include <QLabel>

namespace quillon {

namespace {
using quillontest::QuillonTest;
using namespace basCalendarFonts;

using Fonts = QuillonTest;

TEST_F(Fonts, NoStoredValuesGiveDefaultFontsAndBlack)
{
    const CalendarFontSet Current = LoadCalendarFonts();
    ASSERT_TRUE(Current.MonthNameFont && Current.DayNameFont && Current.DayNumberFont
                && Current.AllDayEventsFont && Current.DayEventsFont);
    EXPECT_EQ(FontToSpec(*Current.MonthNameFont), QStringLiteral("MS Sans Serif,14,-1,0,0,0"));
    EXPECT_EQ(FontToSpec(*Current.DayNumberFont), QStringLiteral("MS Sans Serif,12,-1,0,0,0"));
    EXPECT_EQ(FontToSpec(*Current.AllDayEventsFont), QStringLiteral("MS Sans Serif,8,-1,0,0,0"));
    EXPECT_EQ(FontToSpec(*Current.DayEventsFont), QStringLiteral("MS Sans Serif,8,0,0,0,0"));
    for (int c : {Current.MonthNameColor, Current.DayNameColor, Current.DayNumberColor,
                  Current.AllDayEventsColor, Current.DayEventsColor, Current.CurrentDayColor})
        EXPECT_EQ(c, 0);
}

TEST_F(Fonts, SpecsReadTheirFieldsAndRoundTrip)
{
    const auto italic = SpecToFont(QStringLiteral("Arial,10,0,1,0,0"));
    ASSERT_TRUE(italic);
    EXPECT_EQ(italic->family(), QStringLiteral("Arial"));
    EXPECT_EQ(italic->pointSizeF(), 10.0);
    EXPECT_TRUE(italic->italic());
    EXPECT_FALSE(italic->bold());

    const auto all = SpecToFont(QStringLiteral(" Odd Face ,9,1,-1,7,-1"));
    ASSERT_TRUE(all);
    EXPECT_EQ(all->family(), QStringLiteral(" Odd Face "));
    EXPECT_TRUE(all->bold() && all->italic() && all->strikeOut() && all->underline());
    EXPECT_EQ(FontToSpec(*all), QStringLiteral(" Odd Face ,9,-1,-1,-1,-1"));

    EXPECT_FALSE(SpecToFont(QString()));
    EXPECT_TRUE(SpecToFont(QString(), EmptySpec::DefaultFont));
}

TEST_F(Fonts, SizesAreWrittenWholeWithHalvesToEven)
{
    QFont font(QStringLiteral("Arial"));
    const std::pair<double, const char *> cases[] = {{9.75, "10"}, {10.5, "10"}, {11.5, "12"},
                                                     {10.49999, "10"}, {12.0, "12"}};
    for (const auto &[size, expected] : cases) {
        font.setPointSizeF(size);
        EXPECT_EQ(FontToSpec(font).section(QLatin1Char(','), 1, 1), QLatin1String(expected)) << size;
    }
}

TEST_F(Fonts, BadSpecsFailButABadStoredValueOnlyTakesItsDefault)
{
    EXPECT_THROW(SpecToFont(QStringLiteral("Arial,10")), basOperation::Failure);
    EXPECT_THROW(SpecToFont(QStringLiteral("Arial,big,0,0,0,0")), basOperation::Failure);

    basQuillon::SaveOption(QStringLiteral("MonthNameColor"), QStringLiteral("255"));
    basQuillon::SaveOption(QStringLiteral("DayNameFont"), QStringLiteral(",,,,,"));
    basQuillon::SaveOption(QStringLiteral("DayNameColor"), QStringLiteral("1099511627776"));
    basQuillon::SaveOption(QStringLiteral("DayEventsFont"), QStringLiteral("Arial,11,0,0,0,0"));
    const CalendarFontSet fonts = LoadCalendarFonts();
    EXPECT_EQ(fonts.MonthNameColor, 255);
    EXPECT_EQ(FontToSpec(*fonts.DayNameFont), QStringLiteral("MS Sans Serif,12,-1,0,0,0"));
    EXPECT_EQ(fonts.DayNameColor, 0);
    EXPECT_EQ(fonts.DayEventsFont->family(), QStringLiteral("Arial"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("basCalendarFonts.LoadCalendarFonts")));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("DayNameFont = \",,,,,\"")));
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("DayNameColor = \"1099511627776\"")));
}

TEST_F(Fonts, SaveThenLoadKeepsFontsAndColours)
{
    CalendarFontSet Current = LoadCalendarFonts();
    QFont big(QStringLiteral("DejaVu Serif"));
    big.setPointSizeF(20);
    big.setUnderline(true);
    Current.MonthNameFont = big;
    Current.CurrentDayColor = 255;
    Current.DayEventsColor = -1;
    SaveCalendarFonts(Current);
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("MonthNameFont"), {}), QStringLiteral("DejaVu Serif,20,0,0,0,-1"));
    Current = LoadCalendarFonts();
    EXPECT_EQ(FontToSpec(*Current.MonthNameFont), QStringLiteral("DejaVu Serif,20,0,0,0,-1"));
    EXPECT_EQ(Current.CurrentDayColor, 255);
    EXPECT_EQ(Current.DayEventsColor, -1);
}

TEST_F(Fonts, ApplyFontToLabelKeepsTheFractionAndTheColour)
{
    QLabel label;
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(palette);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(9.75);
    font.setBold(true);
    ApplyFontToLabel(font, label);
    EXPECT_EQ(label.font().pointSizeF(), 9.75);
    EXPECT_TRUE(label.font().bold());
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::red));
}
} // namespace

} // namespace quillon
