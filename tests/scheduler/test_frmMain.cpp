// The main window over a real store: the caption, the month marks, the day's tasks,
// the notes, the fact box, the geometry kept between runs, the day change, the refresh
// flag, and the toolbar and menus.
#include "SchedulerFixture.h"

#include "DayCaptionLabel.h"
#include "basColor.h"
#include "basQuillon.h"
#include "views/DayView.h"
#include "views/MonthView.h"

#include <QAction>
#include <QCalendarWidget>
#include <QClipboard>
#include <QFile>
#include <QProcess>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QClipboard>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace quillon {

namespace {

using schedulertest::SchedulerTest;

const QDate kToday(2026, 12, 7);

QString Iso(const QDate &date) { return date.toString(Qt::ISODate); }

int Px(std::int32_t twips) { return static_cast<int>(std::lround(twips / 15.0)); } // 96 DPI offscreen

class MainWindow : public SchedulerTest {
protected:
    void SetColor(const QDate &date, const QString &color)
    {
        Sql(QStringLiteral("UPDATE Dates SET DateColor = ? WHERE DateKey = ?"), {color, Iso(date)});
    }

    void Show(const QDate &date) { quillontest::Find<MonthView>(*window, "SSMonth")->SelectDate(date); }

    // Notes typed into the shown day of a store that reads but refuses every write of
    // them, as a full disk does.
    void TypeNotesTheStoreRefuses()
    {
        Load();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        for (const char *when : {"INSERT", "UPDATE"})
            Sql(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON Dates BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                    .arg(QLatin1String(when)));
        quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->setFocus();
        QTest::keyClicks(quillontest::Find<QPlainTextEdit>(*window, "txtNotes"), QStringLiteral("Call the plumber"));
    }

    void ClickDay(const QDate &date)
    {
        auto *table = quillontest::Find<MonthView>(*window, "SSMonth")->Calendar()->findChild<QTableView *>();
        ASSERT_NE(table, nullptr);
        for (int row = 1; row < table->model()->rowCount(); ++row)
            for (int column = 0; column < table->model()->columnCount(); ++column) {
                const QModelIndex index = table->model()->index(row, column);
                // Only this month's days: the grid repeats day numbers of the next one.
                if (index.data().toInt() == date.day() && (row > 1 || date.day() < 8)
                    && (row < 5 || date.day() > 20)) {
                    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(index).center());
                    return;
                }
            }
        FAIL() << "no cell for " << Iso(date).toStdString();
    }

    DayCaptionLabel *Caption() const { return static_cast<DayCaptionLabel *>(quillontest::Find<QLabel>(*window, "lblDayViewCaption")); }
};

TEST_F(MainWindow, CaptionGrowsWithTheAllDayEventsAndTakesTheDaysColour)
{
    const QDate white(2026, 12, 8), plain(2026, 12, 9), purple(2026, 12, 10);
    SetColor(white, QStringLiteral("White"));
    SetColor(plain, QString());
    SetColor(purple, QStringLiteral("Purple"));
    AddEvent(QStringLiteral("Feast"), {white});
    AddEvent(QStringLiteral("Parish retreat"), {white, purple});
    AddEvent(QStringLiteral("Staff meeting"), {white, purple}, QStringLiteral("9:30 AM"), QStringLiteral("10:30 AM"));
    AddEvent(QStringLiteral("Bazaar"), {purple});
    AddEvent(QStringLiteral("Advent wreath"), {purple});
    Load();

    // No all-day event: one line of the long date.
    Show(plain);
    EXPECT_EQ(window->CaptionHeight(), 600);
    EXPECT_EQ(quillontest::Find<QLabel>(*window, "lblDayViewCaption")->text(), QLocale().toString(plain, QLocale::LongFormat));
    EXPECT_EQ(Caption()->Background(), window->palette().color(QPalette::Button));
    EXPECT_EQ(Caption()->Foreground(), QColor(Qt::black));

    Show(white);
    EXPECT_EQ(window->CaptionHeight(), 1100);
    EXPECT_EQ(quillontest::Find<QLabel>(*window, "lblDayViewCaption")->text().split(QLatin1Char('\n')),
              QStringList({QLocale().toString(white, QLocale::LongFormat), QStringLiteral("Feast"),
                           QStringLiteral("Parish retreat")}));
    EXPECT_EQ(Caption()->Background(), QColor(Qt::white));
    EXPECT_EQ(Caption()->Foreground(), QColor(Qt::black));
    // The time scale starts under the caption; the timed event is a task, not a line.
    EXPECT_EQ(window->SSDay()->y(), Px(1100));
    EXPECT_EQ(window->SSDay()->y() + window->SSDay()->height(), quillontest::Find<QWidget>(*window, "picPanelA")->height());
    EXPECT_EQ(window->SSDay()->TaskCount(), 1);

    Show(purple);
    EXPECT_EQ(window->CaptionHeight(), 1350);
    EXPECT_EQ(window->Page().AllDayEvents().size(), 3);
    EXPECT_EQ(Caption()->Background(), QColor(128, 0, 128));
    EXPECT_EQ(Caption()->Foreground(), QColor(Qt::white));
    EXPECT_EQ(window->SSDay()->y(), Px(1350));

    // Back to a day without: the caption shrinks again.
    Show(plain);
    EXPECT_EQ(window->CaptionHeight(), 600);
    EXPECT_TRUE(window->Page().AllDayEvents().isEmpty());
    EXPECT_TRUE(Reports().isEmpty()) << qPrintable(Reports().join(QLatin1Char(',')));
}

TEST_F(MainWindow, ManyAllDayEventsLeaveTheTimeScaleInSight)
{
    for (int i = 1; i <= 30; ++i)
        AddEvent(QStringLiteral("Holiday %1").arg(i), {kToday});
    AddEvent(QStringLiteral("Dentist"), {kToday}, QStringLiteral("2:00 PM"), QStringLiteral("3:00 PM"));
    Load();
    EXPECT_EQ(window->Page().AllDayEvents().size(), 30);
    const QStringList lines = quillontest::Find<QLabel>(*window, "lblDayViewCaption")->text().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 3);
    EXPECT_LT(lines.size(), 31);
    EXPECT_EQ(lines[1], QStringLiteral("Holiday 1"));
    EXPECT_EQ(lines.last(), QStringLiteral("and %1 more").arg(30 - (lines.size() - 2)));
    EXPECT_EQ(window->CaptionHeight(), 600 + 250 * (lines.size() - 1));
    EXPECT_GE(window->SSDay()->height(), quillontest::Find<QWidget>(*window, "picPanelA")->height() / 2 - 1);
}

TEST_F(MainWindow, MonthViewMarksEveryDatedDayOfTheDisplayedMonths)
{
    SetColor(QDate(2026, 12, 15), QStringLiteral("Purple"));
    SetColor(QDate(2026, 12, 16), QStringLiteral("Blue"));
    SetColor(QDate(2026, 12, 18), QStringLiteral("Green"));
    SetColor(QDate(2026, 12, 19), QString());
    Sql(QStringLiteral("DELETE FROM Dates WHERE DateKey = ?"), {QStringLiteral("2026-12-17")});
    AddEvent(QStringLiteral("Carols"), {QDate(2026, 12, 15), QDate(2026, 12, 19)}, QStringLiteral("7:00 PM"),
             QStringLiteral("8:00 PM"));
    AddEvent(QStringLiteral("Choir"), {QDate(2026, 11, 30)}, QStringLiteral("7:00 PM"), QStringLiteral("8:00 PM"));
    Load();
    MonthView &month = *quillontest::Find<MonthView>(*window, "SSMonth");

    EXPECT_EQ(month.MarkOf(QDate(2026, 12, 15)), QStringLiteral("PurpleEvents"));
    EXPECT_EQ(month.MarkOf(QDate(2026, 12, 16)), QStringLiteral("BlueNoEvents")); // never defined: drawn plainly
    EXPECT_FALSE(month.StyleSet(QStringLiteral("BlueNoEvents")).has_value());
    EXPECT_EQ(month.MarkOf(QDate(2026, 12, 17)), QString());
    EXPECT_EQ(month.MarkOf(QDate(2026, 12, 18)), QStringLiteral("GreenNoEvents"));
    EXPECT_EQ(month.MarkOf(QDate(2026, 12, 19)), QStringLiteral("NormalEvents"));
    // The months either side that the grid shows are marked too, and the last day of the latest.
    EXPECT_EQ(month.MarkOf(QDate(2026, 11, 30)).endsWith(QStringLiteral("Events")), true);
    EXPECT_FALSE(month.MarkOf(QDate(2026, 11, 30)).endsWith(QStringLiteral("NoEvents")));
    EXPECT_FALSE(month.MarkOf(QDate(2027, 1, 31)).isEmpty());
    EXPECT_TRUE(month.MarkOf(QDate(2027, 2, 1)).isEmpty());
    EXPECT_EQ(month.StyleSets().size(), 12);

    // Moving on a month marks the new months; the shown day stays until one is picked.
    month.Calendar()->showNextMonth();
    EXPECT_FALSE(month.MarkOf(QDate(2027, 2, 28)).isEmpty());
    EXPECT_EQ(month.MarkOf(QDate(2026, 12, 15)), QStringLiteral("PurpleEvents"));
    EXPECT_TRUE(month.MarkOf(QDate(2026, 11, 30)).isEmpty());
    EXPECT_EQ(window->Page().CurrentDate(), kToday);
}

TEST_F(MainWindow, TimedEventsBecomeTasksWithColourTagAndIcon)
{
    basQuillon::SaveOption(QStringLiteral("SchedulerDurationFillColor"), QString::number(0x00FF00));
    const qint64 plain = AddEvent(QStringLiteral("Dentist"), {kToday}, QStringLiteral("2:00 PM"),
                                  QStringLiteral("3:00 PM"));
    const qint64 teal = AddEvent(QStringLiteral("Budget"), {kToday}, QStringLiteral("9:30 AM"),
                                 QStringLiteral("11:00 AM"), QStringLiteral("Purple"), 105);
    Load();
    window->SetEventPresentation(nullptr, [](int number) {
        QPixmap picture(16, 16);
        picture.fill(number == 105 ? Qt::red : Qt::blue);
        return QIcon(picture);
    });
    Show(kToday);

    DayView &day = *window->SSDay();
    ASSERT_EQ(day.TaskCount(), 2);
    const int plainIndex = window->GetTaskIndex(plain);
    const int tealIndex = window->GetTaskIndex(teal);
    ASSERT_GE(plainIndex, 0);
    ASSERT_GE(tealIndex, 0);
    EXPECT_EQ(window->GetTaskIndex(plain + teal + 100), -1);
    EXPECT_EQ(day.TaskText(plainIndex), QStringLiteral("Dentist"));
    EXPECT_EQ(day.DurationBarFillColor(), 0x00FF00);
    EXPECT_EQ(day.Model().Task(plainIndex).color, 0x00FF00);
    EXPECT_EQ(day.Model().Task(tealIndex).color, basQuillon::LiturgicalColorFromName(QStringLiteral("Purple")));
    EXPECT_EQ(day.Model().Task(tealIndex).startMinute, 9 * 60 + 30);
    EXPECT_FALSE(day.TaskPicture(tealIndex).isNull());
    EXPECT_TRUE(day.TaskPicture(plainIndex).isNull());
    EXPECT_TRUE(window->Page().AllDayEvents().isEmpty());
}

TEST_F(MainWindow, AnAllDayEventAddedTwiceIsRefusedAndReported)
{
    const qint64 id = AddEvent(QStringLiteral("Feast"), {kToday});
    Load();
    Event event;
    event.EventID = id;
    event.EventName = QStringLiteral("Feast");
    event.AllDayEvent = true;
    window->AddEventToDayView(event);
    EXPECT_EQ(window->Page().AllDayEvents().size(), 1);
    EXPECT_EQ(Reports(), QStringList{QStringLiteral("frmMain:AddEventToDayView")});
}

// An import made by another program while the window is open shows without a save here.
TEST_F(MainWindow, WhatAnotherProgramStoresShowsWithinSeconds)
{
    storeLookInterval = 200;
    Load();
    QFile calendar(TempPath(QStringLiteral("club.ics")));
    ASSERT_TRUE(calendar.open(QIODevice::WriteOnly));
    calendar.write("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:feast\r\nSUMMARY:Club feast\r\n"
                   "DTSTART;VALUE=DATE:20261207\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
    calendar.close();
    QProcess import;
    import.start(QStringLiteral(QUILLON_PROGRAM_DIR "/quillon-db"), {QStringLiteral("import"), calendar.fileName(), DatabaseFile()});
    ASSERT_TRUE(import.waitForFinished(30000));
    ASSERT_EQ(import.exitCode(), 0) << import.readAllStandardError().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->Page().AllDayEvents().size() == 1; }, 3000));
    EXPECT_TRUE(Reports().isEmpty());
}

TEST_F(MainWindow, NotesTypedThenAnotherDayClickedAreStoredForTheirDay)
{
    const QDate other(2026, 12, 9);
    ASSERT_TRUE(store->OpenDatabaseConnection());
    ASSERT_TRUE(store->UpdateDateNotes(other, QStringLiteral("Choir at 7")));
    store->CloseDatabaseConnection();
    Load();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    const QString typed = QStringLiteral("Bring the cake | Anna's gift");
    quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->setFocus();
    QTest::keyClicks(quillontest::Find<QPlainTextEdit>(*window, "txtNotes"), typed);
    ClickDay(other);

    EXPECT_EQ(window->Page().CurrentDate(), other);
    EXPECT_EQ(Notes(kToday), typed);
    EXPECT_EQ(Notes(other), QStringLiteral("Choir at 7"));
    EXPECT_EQ(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText(), QStringLiteral("Choir at 7"));

    // Read back whole, bar and apostrophe included.
    Show(kToday);
    EXPECT_EQ(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText(), typed);
}

TEST_F(MainWindow, AFailedDayLoadNeverStoresTheShownNotesForTheNewDay)
{
    ASSERT_TRUE(store->OpenDatabaseConnection());
    ASSERT_TRUE(store->UpdateDateNotes(kToday, QStringLiteral("Dentist at 3")));
    store->CloseDatabaseConnection();
    Load();
    EXPECT_EQ(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText(), QStringLiteral("Dentist at 3"));

    const QDate other(2026, 12, 9);
    store->CloseDatabaseConnection();
    Show(other);
    EXPECT_FALSE(Reports().isEmpty()); // the store said why
    EXPECT_TRUE(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText().isEmpty());
    ASSERT_TRUE(store->OpenDatabaseConnection());
    window->txtNotes_LostFocus();

    EXPECT_EQ(Notes(other), QString());
    EXPECT_EQ(Notes(kToday), QStringLiteral("Dentist at 3"));
}

TEST_F(MainWindow, NotesTheStoreRefusesStayWithTheirDayUntilStored)
{
    TypeNotesTheStoreRefuses();

    // The same day shown again (a save elsewhere reloads it): the text stays, still unsaved.
    window->UpdateDayView();
    EXPECT_FALSE(Reports().isEmpty()); // the store said why
    EXPECT_EQ(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText(), QStringLiteral("Call the plumber"));

    // Another day and back: that day's own notes, then the typed text again.
    const QDate other(2026, 12, 9);
    ClickDay(other);
    EXPECT_TRUE(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText().isEmpty());
    Show(kToday);
    EXPECT_EQ(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText(), QStringLiteral("Call the plumber"));

    // Once the store takes writes again, the text is stored for its day.
    for (const char *when : {"INSERT", "UPDATE"})
        Sql(QStringLiteral("DROP TRIGGER refuse_%1").arg(QLatin1String(when)));
    ClickDay(other);
    EXPECT_EQ(Notes(kToday), QStringLiteral("Call the plumber"));
    EXPECT_EQ(Notes(other), QString());
}

// Closing with notes the store refuses (a full disk) never loses them unasked.
TEST_F(MainWindow, ClosingWithNotesTheStoreRefusesKeepsTheWindowOrCopiesThem)
{
    TypeNotesTheStoreRefuses();

    nextAnswer = basPlatform::MessageResult::Cancel;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->toPlainText(), QStringLiteral("Call the plumber"));
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().text.startsWith(QStringLiteral("The notes for 12/07/2026 could not be stored.")))
        << messages.back().text.toStdString();

    nextAnswer = basPlatform::MessageResult::Yes;
    messages.clear();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("12/07/2026\nCall the plumber"));
    window.reset();
    EXPECT_EQ(Notes(kToday), QString());
    EXPECT_EQ(messages.size(), 2u); // the store's refusal and the question, nothing after
}

TEST_F(MainWindow, NotesBeingTypedAreStoredWhenTheWindowCloses)
{
    Load();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->setFocus();
    QTest::keyClicks(quillontest::Find<QPlainTextEdit>(*window, "txtNotes"), QStringLiteral("Last words"));
    Unload();
    EXPECT_EQ(Notes(kToday), QStringLiteral("Last words"));
}

TEST_F(MainWindow, WelcomeOnlyOnTheFirstRun)
{
    Load();
    EXPECT_TRUE(quillontest::Find<QPlainTextEdit>(*window, "txtFactOfTheDay")->toPlainText().startsWith(QStringLiteral("Welcome!  We hope")));
    EXPECT_FALSE(window->Page().FirstRun());
    Show(QDate(2026, 12, 9)); // the next day shown has its normal content
    EXPECT_FALSE(quillontest::Find<QPlainTextEdit>(*window, "txtFactOfTheDay")->toPlainText().startsWith(QStringLiteral("Welcome!")));
    Unload();

    Load();
    EXPECT_FALSE(quillontest::Find<QPlainTextEdit>(*window, "txtFactOfTheDay")->toPlainText().startsWith(QStringLiteral("Welcome!")));
}

TEST_F(MainWindow, FactBoxShowsTheDaysTextAndFactSeparatedByOneEmptyLine)
{
    Sql(QStringLiteral("UPDATE Dates SET DateText = 'Second Sunday in Advent', DateColor = 'Purple' WHERE DateKey = ?"),
        {Iso(kToday)});
    Sql(QStringLiteral("DELETE FROM FactOfTheDay"));
    Sql(QStringLiteral("INSERT INTO FactOfTheDay (MonthDay, FactOfTheDay) VALUES (?, 'A fact.')"),
        {QStringLiteral("12-07")});
    SetGeneral("MainWindowLeft", QStringLiteral("1500")); // not a first run
    Load();
    EXPECT_EQ(quillontest::Find<QPlainTextEdit>(*window, "txtFactOfTheDay")->toPlainText(), QStringLiteral("Second Sunday in Advent\n\nA fact."));
    // A day with neither shows what its colour means.
    Sql(QStringLiteral("UPDATE Dates SET DateText = '', DateColor = 'Gray' WHERE DateKey = ?"), {Iso(QDate(2026, 12, 9))});
    Show(QDate(2026, 12, 9));
    EXPECT_TRUE(quillontest::Find<QPlainTextEdit>(*window, "txtFactOfTheDay")->toPlainText().startsWith(QStringLiteral("The liturgical color gray")));
}

TEST_F(MainWindow, GeometryIsKeptBetweenRuns)
{
    Load();
    window->move(40, 60);
    window->resize(700, 600);
    QTest::qWait(10);
    quillontest::Find<QSplitter>(*window, "Pane A over Pane D")->setSizes({300, 200});
    quillontest::Find<QSplitter>(*window, "SSSplitter")->setSizes({380, 300});
    quillontest::Find<QSplitter>(*window, "Pane B over Pane C")->setSizes({260, 240});
    const QPoint position = window->pos();
    const std::int32_t pane0Height = window->Pane0Height();
    const std::int32_t pane0Width = window->Pane0Width();
    const std::int32_t pane2Height = window->Pane2Height();
    Unload();
    EXPECT_EQ(General("MainWindowWidth"), QStringLiteral("10500"));
    EXPECT_EQ(General("MainWindowHeight"), QStringLiteral("9000"));
    EXPECT_EQ(General("Pane0Height"), QString::number(pane0Height));

    Load();
    EXPECT_EQ(window->pos(), position);
    EXPECT_EQ(window->size(), QSize(700, 600));
    EXPECT_EQ(window->Pane0Height(), pane0Height);
    EXPECT_EQ(window->Pane0Width(), pane0Width);
    EXPECT_EQ(window->Pane2Height(), pane2Height);
    EXPECT_FALSE(quillontest::Find<QPlainTextEdit>(*window, "txtFactOfTheDay")->toPlainText().startsWith(QStringLiteral("Welcome!")));

    // Maximised, the stored geometry stays as it was.
    window->showMaximized();
    QTest::qWait(10);
    Unload();
    EXPECT_EQ(General("MainWindowWidth"), QStringLiteral("10500"));
    EXPECT_EQ(General("Pane0Height"), QString::number(pane0Height));
}

TEST_F(MainWindow, FirstStartSplitsThePanesByTheirShares)
{
    Load();
    EXPECT_TRUE(General("MainWindowLeft").isEmpty());
    const double height = window->height();
    const double width = window->width();
    EXPECT_NEAR(quillontest::Find<QSplitter>(*window, "Pane A over Pane D")->sizes().value(0), height * 0.7, 2);
    EXPECT_NEAR(quillontest::Find<QSplitter>(*window, "SSSplitter")->sizes().value(0), width * 0.6, 2);
    EXPECT_NEAR(quillontest::Find<QSplitter>(*window, "Pane B over Pane C")->sizes().value(0), height * 0.6, 2);
}

TEST_F(MainWindow, APositionOffEveryScreenComesBack)
{
    SetGeneral("MainWindowLeft", QStringLiteral("300000"));
    SetGeneral("MainWindowTop", QStringLiteral("-90000"));
    Load();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(window->frameGeometry()));
    EXPECT_TRUE(screen.contains(window->pos()));
}

TEST_F(MainWindow, AStoredSizeThatIsNoNumberIsReportedAndTheOthersApplied)
{
    SetGeneral("MainWindowLeft", QStringLiteral("1500"));
    SetGeneral("MainWindowTop", QStringLiteral("twelve"));
    SetGeneral("MainWindowWidth", QStringLiteral("9000"));
    SetGeneral("Pane0Height", QStringLiteral("1e99"));
    SetGeneral("Pane2Height", QStringLiteral("3000"));
    Load();
    EXPECT_EQ(Reports(), QStringList({QStringLiteral("frmMain:SetWindowDimensions"),
                                      QStringLiteral("frmMain:SetSplitterDimensions")}));
    EXPECT_EQ(window->pos().x(), 100);
    EXPECT_EQ(window->width(), 600);
    EXPECT_EQ(quillontest::Find<QSplitter>(*window, "Pane B over Pane C")->sizes().value(0), 200);
    EXPECT_NEAR(quillontest::Find<QSplitter>(*window, "Pane A over Pane D")->sizes().value(0), window->height() * 0.7, 2);
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.front().text.contains(QStringLiteral("MainWindowTop = \"twelve\"")));
}

TEST_F(MainWindow, StoredSizesNoScreenCanShowAreBroughtWithinReach)
{
    SetGeneral("MainWindowLeft", QStringLiteral("0"));
    SetGeneral("MainWindowTop", QStringLiteral("0"));
    SetGeneral("MainWindowWidth", QStringLiteral("-75"));
    SetGeneral("MainWindowHeight", QStringLiteral("2147483647"));
    SetGeneral("Pane0Height", QStringLiteral("-3000"));
    SetGeneral("Pane0Width", QStringLiteral("2000000000"));
    Load();
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_GE(window->width(), window->minimumSizeHint().width());
    EXPECT_LE(window->height(), screen.height());
    for (const QSplitter *splitter : {quillontest::Find<QSplitter>(*window, "Pane A over Pane D"), quillontest::Find<QSplitter>(*window, "SSSplitter")})
        for (int size : splitter->sizes())
            EXPECT_GT(size, 0); // every pane stays in sight
    EXPECT_TRUE(Reports().isEmpty());
}

TEST_F(MainWindow, TheTimerMovesTheViewsToTheNewDayAfterMidnight)
{
    Load();
    EXPECT_EQ(quillontest::Find<QTimer>(*window, "Timer")->interval(), 60000);
    EXPECT_TRUE(quillontest::Find<QTimer>(*window, "Timer")->isActive());
    Show(QDate(2026, 12, 20)); // the user looks at another day
    SetNow(QDateTime(QDate(2026, 12, 7), QTime(23, 59, 59)));
    window->Timer_Timer();
    EXPECT_EQ(window->Page().CurrentDate(), QDate(2026, 12, 20));

    // Notes being typed when the day changes stay with the day they were typed on.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    quillontest::Find<QPlainTextEdit>(*window, "txtNotes")->setFocus();
    QTest::keyClicks(quillontest::Find<QPlainTextEdit>(*window, "txtNotes"), QStringLiteral("Wrap the presents"));
    SetNow(QDateTime(QDate(2026, 12, 8), QTime(0, 0, 40)));
    window->Timer_Timer();
    EXPECT_EQ(Notes(QDate(2026, 12, 20)), QStringLiteral("Wrap the presents"));
    EXPECT_EQ(Notes(QDate(2026, 12, 8)), QString());
    EXPECT_EQ(window->Page().CurrentDate(), QDate(2026, 12, 8));
    EXPECT_EQ(quillontest::Find<MonthView>(*window, "SSMonth")->Date(), QDate(2026, 12, 8));
    EXPECT_EQ(window->Page().LastKnownToday(), QDate(2026, 12, 8));

    // A clock set back changes nothing.
    Show(QDate(2026, 12, 20));
    SetNow(QDateTime(QDate(2026, 12, 7), QTime(12, 0)));
    window->Timer_Timer();
    EXPECT_EQ(window->Page().CurrentDate(), QDate(2026, 12, 20));

    // Into a new month: the month view moves and marks it.
    SetNow(QDateTime(QDate(2027, 1, 1), QTime(0, 0, 30)));
    window->Timer_Timer();
    EXPECT_EQ(window->Page().CurrentDate(), QDate(2027, 1, 1));
    EXPECT_EQ(quillontest::Find<MonthView>(*window, "SSMonth")->DisplayedMonth(1).month, 1);
    EXPECT_FALSE(quillontest::Find<MonthView>(*window, "SSMonth")->MarkOf(QDate(2027, 2, 10)).isEmpty());
    EXPECT_TRUE(Reports().isEmpty());
}

TEST_F(MainWindow, RefreshFlagSurvivesALaterChangeOfAnotherMonth)
{
    Load();
    EXPECT_FALSE(window->Page().CalendarRefreshNeeded());
    window->NoteEventDatesChanged({QDate(2025, 12, 12)}); // same month, another year
    EXPECT_FALSE(window->Page().CalendarRefreshNeeded());
    window->NoteEventDatesChanged({QDate(2027, 3, 1), QDate(2026, 12, 12)});
    EXPECT_TRUE(window->Page().CalendarRefreshNeeded());
    window->NoteEventDatesChanged({QDate(2027, 3, 3)});
    EXPECT_TRUE(window->Page().CalendarRefreshNeeded());

    // With the desktop calendar off, Refresh only clears it.
    window->EnableRefreshButton();
    EXPECT_FALSE(quillontest::Find<QAction>(*window, "Toolbar_Refresh")->isEnabled());
    window->Refresh();
    EXPECT_FALSE(window->Page().CalendarRefreshNeeded());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, ClosingStartsTheCalendarOnlyWhenNeededAndSwitchedOn)
{
    // The tests' program folder holds no calendar: a start shows why it failed.
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("1"));
    basQuillon::SaveOption(QStringLiteral("CheckForConflicts"), QStringLiteral("1"));
    Load();
    window->Settings().CheckForConflicts = false;
    Unload();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("CheckForConflicts"), QString()), QStringLiteral("0"));

    Load();
    window->NoteEventDatesChanged({kToday});
    window->EnableRefreshButton();
    EXPECT_TRUE(quillontest::Find<QAction>(*window, "Toolbar_Refresh")->isEnabled());
    window->Refresh(); // fails to start: the flag stays
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Error starting program 'calendar")));
    EXPECT_TRUE(window->Page().CalendarRefreshNeeded());
    window->Settings().CheckForConflicts = true;
    Unload();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].title, QStringLiteral("Quillon Error"));
    EXPECT_EQ(basQuillon::GetOption(QStringLiteral("CheckForConflicts"), QString()), QStringLiteral("-1"));

    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("0"));
    Load();
    window->NoteEventDatesChanged({kToday});
    Unload();
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(MainWindow, ATrueFlagOfTheOriginalSettingsFormatCountsAsOn)
{
    // "-1" read as a number is below 1; the desktop calendar is on all the same.
    basQuillon::SaveOption(QStringLiteral("DisplayCalendarOnDesktop"), QStringLiteral("-1"));
    Load();
    window->NoteEventDatesChanged({kToday});
    window->EnableRefreshButton();
    EXPECT_TRUE(quillontest::Find<QAction>(*window, "Toolbar_Refresh")->isEnabled());
    window->Refresh(); // the tests' program folder holds no calendar: the start was tried
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Error starting program 'calendar")));
}

TEST_F(MainWindow, ToolbarMenusAndTheirStates)
{
    AddEvent(QStringLiteral("Feast & fair"), {kToday});
    AddEvent(QStringLiteral("Retreat"), {kToday});
    AddEvent(QStringLiteral("Bazaar"), {kToday});
    AddEvent(QStringLiteral("Dentist"), {kToday}, QStringLiteral("8:00 AM"), QStringLiteral("9:00 AM"));
    Load();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quillon Scheduler"));

    QStringList tips;
    for (QAction *action : quillontest::Find<QToolBar>(*window, "Toolbar")->actions())
        tips << (action->isSeparator() ? QStringLiteral("-") : action->toolTip());
    EXPECT_EQ(tips, QStringList({QStringLiteral("New Event"), QStringLiteral("Edit Event"),
                                 QStringLiteral("Delete Event"), QStringLiteral("-"),
                                 QStringLiteral("Refresh Desktop Calendar"), QStringLiteral("-"),
                                 QStringLiteral("Help")}));
    auto enabled = [&](const char *key) {
        return quillontest::Find<QAction>(*window, qPrintable(QStringLiteral("Toolbar_") + QLatin1String(key)))->isEnabled();
    };
    EXPECT_TRUE(enabled("New"));
    EXPECT_FALSE(enabled("Edit"));
    EXPECT_FALSE(enabled("Delete"));
    EXPECT_FALSE(enabled("Refresh"));
    EXPECT_TRUE(enabled("Help"));

    // A click on the task enables Edit and Delete; a click on empty time disables them.
    DayView &day = *window->SSDay();
    day.ScrollToSlot(14);
    const QRect task = day.TaskRect(0);
    // The status bar says which event is selected.
    auto *status = window->findChild<QLabel *>(QStringLiteral("StatusBar_Text"));
    ASSERT_NE(status, nullptr);
    QTest::mouseClick(day.viewport(), Qt::LeftButton, {}, day.viewport()->mapFrom(&day, task.center()));
    EXPECT_TRUE(enabled("Edit"));
    EXPECT_TRUE(enabled("Delete"));
    EXPECT_EQ(status->text(), QStringLiteral("8:00 AM - 9:00 AM  Dentist"));
    const QRect empty = day.SlotRect(20);
    QTest::mouseClick(day.viewport(), Qt::LeftButton, {}, day.viewport()->mapFrom(&day, empty.center()));
    EXPECT_FALSE(enabled("Edit"));
    EXPECT_TRUE(status->text().isEmpty());

    // The Edit menu lists the day's all-day events, in order.
    window->mnuEdit_Click();
    QStringList items;
    for (QAction *item : quillontest::Find<QMenu>(*window, "mnuEditDeleteAllDayEvent")->actions())
        items << item->text();
    EXPECT_EQ(items, QStringList({QStringLiteral("Feast && fair"), QStringLiteral("Retreat"), QStringLiteral("Bazaar")}));
    EXPECT_TRUE(quillontest::Find<QMenu>(*window, "mnuEditDeleteAllDayEvent")->isEnabled());
    EXPECT_FALSE(quillontest::Find<QAction>(*window, "mnuEditEditEvent")->isEnabled());

    // Help from the toolbar and from the menu open the same page.
    QList<QUrl> opened;
    window->SetUrlOpener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    quillontest::Find<QAction>(*window, "Toolbar_Help")->trigger();
    quillontest::Find<QAction>(*window, "mnuHelpContents")->trigger();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], opened[1]);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith(QStringLiteral("/help/index.html")));

    // One about box, without owner; the main window stays usable.
    quillontest::Find<QAction>(*window, "mnuHelpAbout")->trigger();
    // The about box has no owner: it is found among the top-level windows.
    auto aboutBox = [] {
        frmAbout *found = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<frmAbout *>(top); box && box->isVisible())
                found = found ? nullptr : box; // exactly one
        return found;
    };
    QPointer<frmAbout> about = aboutBox();
    ASSERT_TRUE(about);
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Quillon Desktop Calendar"));
    quillontest::Find<QAction>(*window, "mnuHelpAbout")->trigger();
    EXPECT_EQ(aboutBox(), about.data());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    quillontest::Find<QPushButton>(*about, "cmdOK")->click();
    QTest::qWait(10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(about);
}

TEST_F(MainWindow, ARightClickSelectsWhatItHitsAndOffersTheFittingItems)
{
    AddEvent(QStringLiteral("Dentist"), {kToday}, QStringLiteral("8:00 AM"), QStringLiteral("9:00 AM"));
    Load();
    DayView &day = *window->SSDay();
    day.ScrollToSlot(14);
    auto rightClick = [&](const QRect &where) {
        QTest::mouseClick(day.viewport(), Qt::RightButton, {}, day.viewport()->mapFrom(&day, where.center()));
        quillontest::Find<QMenu>(*window, "mnuPopup")->hide();
    };

    rightClick(day.SlotRect(22)); // 11:00 AM, empty
    EXPECT_EQ(day.SelectedTimeSlot(), 22);
    EXPECT_TRUE(quillontest::Find<QAction>(*window, "mnuPopupNewEvent")->isEnabled());
    EXPECT_FALSE(quillontest::Find<QAction>(*window, "mnuPopupEditEvent")->isEnabled());
    EXPECT_FALSE(quillontest::Find<QAction>(*window, "mnuPopupDeleteEvent")->isEnabled());

    rightClick(day.TaskRect(0));
    EXPECT_EQ(day.SelectedTask(), 0);
    EXPECT_FALSE(quillontest::Find<QAction>(*window, "mnuPopupNewEvent")->isEnabled());
    EXPECT_TRUE(quillontest::Find<QAction>(*window, "mnuPopupEditEvent")->isEnabled());
    EXPECT_TRUE(quillontest::Find<QAction>(*window, "mnuPopupDeleteEvent")->isEnabled());
    EXPECT_TRUE(Reports().isEmpty());
}

} // namespace

} // namespace quillon
