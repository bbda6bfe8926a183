// Shows one of the editor's windows over a small temporary store, for looking at it:
//   quillon_editor_demo details|recurrence|repeat|palette|conflict|icons [seconds]
// The window closes by itself after the given seconds (default 8).
#include "EventStore.h"
#include "SubscriptionStore.h"
#include "basEventIcons.h"
#include "basQuillon.h"
#include "basSchema.h"
#include "frmConflict.h"
#include "frmEvent.h"
#include "views/YearView.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace quillon {

int Main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("details");
    const int seconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 8;
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);

    QTemporaryDir folder;
    qputenv("QUILLON_DATA_DIR", folder.path().toLocal8Bit());
    QString error;
    const QString path = folder.filePath(QStringLiteral("dbcalndr.sqlite"));
    basDatabase::EventStore store;
    if (!basSchema::CreateDatabaseFile(path, error) || !store.OpenDatabaseConnection(path))
        return 1;
    // A calendar the user may write to, so that the choice of calendar shows.
    basDatabase::Subscription work;
    work.Address = QStringLiteral("http://127.0.0.1:5232/anna/work/");
    work.Type = basDatabase::Subscription::Kind::CalDav;
    work.DisplayName = QStringLiteral("Work");
    work.Writable = true;
    basDatabase::SubscriptionStore(store).AddSubscription(work);
    EventService events(store);
    basQuillon::GeneralSettingsRecord settings;
    const QDate day = QDate::currentDate().addDays(1);

    std::unique_ptr<QWidget> shown;
    if (what == QLatin1String("icons")) {
        auto sheet = std::make_unique<QWidget>();
        auto *grid = new QGridLayout(sheet.get());
        for (int i = 0; i < basEventIcons::kIconCount; ++i) {
            const int number = basEventIcons::kFirstIcon + i;
            auto *cell = new QLabel;
            cell->setPixmap(basEventIcons::EventIcon(number).pixmap(QSize(48, 48), sheet->devicePixelRatioF()));
            cell->setToolTip(basEventIcons::EventIconTitle(number));
            grid->addWidget(cell, 2 * (i / 8), i % 8, Qt::AlignCenter);
            grid->addWidget(new QLabel(QStringLiteral("%1 %2").arg(number).arg(basEventIcons::EventIconTitle(number))),
                            2 * (i / 8) + 1, i % 8, Qt::AlignCenter);
        }
        shown = std::move(sheet);
    } else if (what == QLatin1String("conflict")) {
        auto dialog = std::make_unique<frmConflict>();
        dialog->SetEventConflicts({QStringLiteral("5-Jan-2027  9:00 AM - 10:30 AM  Staff meeting"),
                                   QStringLiteral("12-Jan-2027  9:00 AM - 10:30 AM  Staff meeting"),
                                   QStringLiteral("12-Jan-2027  9:30 AM - 11:00 AM  Call with O'Brien's office")});
        dialog->Form_Load();
        shown = std::move(dialog);
    } else {
        auto editor = std::make_unique<frmEvent>(events, settings, nullptr);
        editor->SetEventID(0);
        editor->SetEventSubject(QStringLiteral("Choir practice"));
        editor->SetEventLocation(QStringLiteral("Church hall, room 2"));
        editor->SetEventDate(day);
        editor->SetEventStartTime(QTime(19, 0));
        editor->SetEventColor(QStringLiteral("Teal"));
        editor->SetEventIconIndex(128);
        editor->SetEventNotes(QStringLiteral("Bring the Advent carols.\nRoom 2, upstairs."));
        if (what == QLatin1String("recurrence")) {
            editor->SetEventRecurring(true);
            for (int week = 1; week < 6; ++week)
                editor->findChild<YearView *>(QStringLiteral("SSYear1"))->AddDate(day.addDays(7 * week));
            editor->findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
        }
        if (what == QLatin1String("repeat")) {
            Recurrence rule;
            rule.Freq = Recurrence::Frequency::Weekly;
            rule.Weekdays = {Qt::Tuesday, Qt::Thursday};
            rule.Until = day.addMonths(4);
            editor->SetEventRule(rule);
            editor->findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
        }
        frmEvent *raw = editor.get();
        if (what == QLatin1String("palette"))
            QTimer::singleShot(300, raw, [raw] { raw->cmdIcon_Click(); });
        shown = std::move(editor);
    }
    shown->move(20, 20);
    shown->show();
    return app.exec();
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
