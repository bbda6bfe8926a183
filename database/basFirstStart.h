// What a program does about its event database before it opens it: with none yet, it
// asks whether to make one (a copy of the shipped database, or an empty store where
// none was shipped) or to quit; one that cannot be opened it names, with the reason in
// words and the technical report behind "Details". The boxes bear the product's name,
// since the database is the whole suite's. With nobody to ask
// (QUILLON_NONINTERACTIVE) it does nothing, and the program opens the store as before.
#pragma once

#include <QString>

namespace quillon {

namespace basFirstStart {

inline constexpr auto kNoDatabaseQuestion = "Quillon has no event database yet. Create a new one?";
inline constexpr auto kCannotOpenText = "Quillon cannot open its event database.";
inline constexpr auto kCannotCreateText = "Quillon could not make its event database.";

struct Start {
    QString databasePath; // where the store is (the data folder's dbcalndr.sqlite)
    QString shippedPath;  // the database the program came with, which a new store copies
    QString program;      // the program's name as the user knows it ("Quillon Scheduler")
    // The program cannot work without the store: a file that cannot be opened ends it.
    bool needsStore = true;
};
// The usual: the data folder's store, the program folder's shipped copy.
Start ForProgram(const QString &program, bool needsStore);

enum class Outcome { Ready, Quit };
// Ready: the program goes on to open the store (which may fail as before when nobody
// could be asked). Quit: the user chose to, or the store is needed and cannot be had;
// the reason has been shown and logged.
Outcome PrepareStore(const Start &start);

// A new store at path: a copy of shipped when there is such a file, else an empty one of
// the newest version. False with the reason in error; nothing is left at path then.
bool CreateStore(const QString &path, const QString &shipped, QString &error);

} // namespace basFirstStart

} // namespace quillon
