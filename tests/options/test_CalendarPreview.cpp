// The options dialog's calendar preview: the renderer's own drawing of what OK saves,
// following a change within 200 ms, and never an error box of its own.
#include "CalendarDrawing.h"
#include "CalendarPreview.h"
#include "EventStore.h"
#include "OptionsFixture.h"
#include "OptionsTexts.h"
#include "basCalendarFonts.h"
#include "basColor.h"
#include "basSchema.h"
#include "frmCalendar.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

namespace quillon {

namespace optionstest {

class CalendarPreviewTest : public OptionsTest {
protected:
    void SetUp() override
    {
        OptionsTest::SetUp();
        SetNow(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        Store("ChangeWallpaper", QLatin1String(OptionsTexts::kNoRotation));
        Store("DisplayCalendarOnDesktop", QStringLiteral("1"));
    }
    void CreateStore()
    {
        QString error;
        ASSERT_TRUE(basSchema::CreateDatabaseFile(basDatabase::EventStore::DatabasePath(), error)) << qPrintable(error);
        basDatabase::EventStore store;
        ASSERT_TRUE(store.OpenDatabaseConnection());
        for (int day : {7, 15, 15, 22}) {
            basDatabase::EventRecord event;
            event.EventName = QStringLiteral("Staff meeting %1").arg(day);
            event.StartTime = event.EndTime = QTime(9, 30);
            qint64 id = 0;
            ASSERT_TRUE(store.AddEventToDatabase(event, {QDate(2026, 12, day)}, id));
        }
    }
    // Waits for the drawing of the latest change.
    void WaitForPreview(int drawingsBefore)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Form().picCalendar->Drawings() > drawingsBefore; }, 2000));
    }
    // The renderer's drawing of the stored values, as its run makes it, reduced like the pane.
    QImage RendererImage()
    {
        basDatabase::EventStore store;
        EXPECT_TRUE(store.OpenDatabaseConnection());
        frmCalendar window(basQuillon::LoadGeneralSettings(), basCalendarFonts::LoadCalendarFonts(), false, nullptr,
                           &store);
        window.Form_Load();
        EXPECT_TRUE(window.FormLoadSuccessful());
        QApplication::processEvents();
        return CalendarDrawing::FitInto(CalendarDrawing::RenderWindow(window), Form().picCalendar->ImageSize());
    }
};

TEST_F(CalendarPreviewTest, ThePreviewIsTheRenderersDrawingOfWhatOkSaves)
{
    CreateStore();
    QImage photo(640, 360, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, ((x ^ y) * 3) % 256));
    const QString picture = TempPath(QStringLiteral("busy.png"));
    ASSERT_TRUE(photo.save(picture));

    struct Scene {
        const char *name;
        QString wallpaper;       // empty: a plain colour
        int position;
        const char *legibility;
    };
    const Scene scenes[] = {
        {"photo, top right, guard on", picture, OptionsRules::kTopRight, basQuillon::kLegibilityAutomatic},
        {"colour, centre, guard off", QString(), OptionsRules::kCenter, basQuillon::kLegibilityOff},
    };
    for (const Scene &scene : scenes) {
        Store("WallpaperFile", scene.wallpaper);
        Store("WallpaperColor", scene.wallpaper.isEmpty() ? QStringLiteral("8421376") : QStringLiteral("-1"));
        frmOptions &form = Open();
        // Values changed in the dialog, not yet saved: the preview draws them.
        const int before = form.picCalendar->Drawings();
        form.optPosition[scene.position]->setChecked(true);
        form.cboLegibility->setCurrentText(QLatin1String(scene.legibility));
        form.cboLegibility_Click();
        form.optElement[frmOptions::kDayNumber]->setChecked(true);
        colorAnswers.push_back(QColor(Qt::white));
        form.cmdFontColor_Click();
        WaitForPreview(before);
        EXPECT_TRUE(form.picCalendar->lblPreviewNote->isHidden()) << scene.name;

        form.cmdApply_Click();
        const QImage expected = RendererImage();
        ASSERT_FALSE(expected.isNull()) << scene.name;
        EXPECT_EQ(form.picCalendar->Shown(), expected) << scene.name;
        m_form.reset();
    }
}

TEST_F(CalendarPreviewTest, ThePaneIsWideEnoughToJudgeAndShowsTodayPixelForPixel)
{
    CreateStore();
    Store("CurrentDayColor", QStringLiteral("255"));
    frmOptions &form = Open();
    WaitForPreview(0);
    EXPECT_GE(form.picCalendar->imgPreview->contentsRect().width(), 480);
    const QImage today = form.picCalendar->ShownToday();
    ASSERT_FALSE(today.isNull());
    EXPECT_EQ(today.size(), form.picCalendar->imgPreviewToday->contentsRect().size()
                                * form.picCalendar->imgPreviewToday->devicePixelRatioF());
    // Unreduced: today's red is there in full, not blended away by the scaling.
    int red = 0;
    for (int y = 0; y < today.height(); ++y)
        for (int x = 0; x < today.width(); ++x)
            red += (today.pixel(x, y) & 0xFFFFFF) == 0xFF0000 ? 1 : 0;
    EXPECT_GT(red, 20);
}

TEST_F(CalendarPreviewTest, AColourChangeIsShownWithin200Ms)
{
    CreateStore();
    frmOptions &form = Open();
    WaitForPreview(0);
    const QImage before = form.picCalendar->Shown();
    const int drawings = form.picCalendar->Drawings();
    form.optElement[frmOptions::kMonthName]->setChecked(true);
    colorAnswers.push_back(QColor(Qt::red));
    QElapsedTimer clock;
    clock.start();
    form.cmdFontColor_Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.picCalendar->Drawings() > drawings; }, 200))
        << "not drawn after " << clock.elapsed() << " ms";
    EXPECT_NE(form.picCalendar->Shown(), before);
}

TEST_F(CalendarPreviewTest, WhatTheRendererWouldNotDrawIsSaidBesideThePreviewNotInABox)
{
    struct Case {
        const char *name;
        bool store;
        QString picture;
        const char *said;
    };
    const Case cases[] = {
        {"no store", false, QString(), "no event database"},
        {"no picture", true, TempPath(QStringLiteral("gone.jpg")), "gone.jpg"},
    };
    for (const Case &c : cases) {
        if (c.store)
            CreateStore();
        Store("WallpaperFile", c.picture);
        frmOptions &form = Load();
        WaitForPreview(0);
        EXPECT_FALSE(form.picCalendar->lblPreviewNote->isHidden()) << c.name;
        EXPECT_TRUE(form.picCalendar->lblPreviewNote->text().contains(QLatin1String(c.said)))
            << c.name << ": " << qPrintable(form.picCalendar->lblPreviewNote->text());
        EXPECT_FALSE(form.picCalendar->Shown().isNull()) << c.name;
        // The dialog reports a missing stored picture itself; the preview adds nothing.
        QTest::qWait(50);
        EXPECT_EQ(ReportCount(), ReportsUnder(QStringLiteral("frmOptions.PopulateControls"))) << c.name;
        m_form.reset();
    }
}

} // namespace optionstest

} // namespace quillon
