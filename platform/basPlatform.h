// What the programs need from the operating system, behind one small interface:
// folders, the clock, message boxes, the previous-instance test, the settings file,
// the version data and starting programs. Only this folder knows which system it runs on.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace quillon {

namespace basPlatform {

// --- Version data ---------------------------------------------------------------
QString CompanyName();   // "Velmora Software"
QString ProductName();   // "Quillon Desktop Calendar"
QString FileVersion();   // "1.1.0.8"

// --- Folders --------------------------------------------------------------------
inline constexpr auto kDatabaseFileName = "dbcalndr.sqlite";
inline constexpr auto kWallpaperFileName = "wallpaper.bmp";
inline constexpr auto kErrorLogFileName = "error.log";

// The folder of the running executable; the sibling programs are started from here.
QString ProgramFolder();
// A program's file name on this system ("scheduler", "scheduler.exe").
QString ExecutableFileName(const QString &programName);
// The running executable's name without extension ("calendar").
QString ExecutableName();
// Where the database, wallpaper.bmp and error.log live: QUILLON_DATA_DIR when set;
// the program folder when it is writable and holds the database; otherwise the
// per-user data folder, seeded with the program folder's database on first use.
QString DataFolder();
QString DataFile(const QString &fileName);
// Takes every permission of group and others from a file or folder (Unix; elsewhere
// the folder's own rules stand): events are private. The owner's bits stay as they are.
void MakeOwnerOnly(const QString &path);
// Which file a path names: the same for as long as that very file is there, another
// one once the path names a file put in its place. Nothing when no file is there.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileId &) const = default;
};
std::optional<FileId> FileIdentity(const QString &path);

// --- Clock ----------------------------------------------------------------------
// Every "today" and "now" of the suite. QUILLON_TODAY=YYYY-MM-DD and
// QUILLON_NOW=YYYY-MM-DDTHH:MM[:SS] fix them.
QDate Today();
QDateTime Now();

// --- Messages -------------------------------------------------------------------
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageResult { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageResult defaultButton = MessageResult::Ok;
    // The technical report, behind the box's "Show Details..."; empty for none.
    QString details;
    // Captions of the buttons in their order ("&Create", "&Quit" for OkCancel); the
    // standard ones where empty.
    QStringList buttonTexts;
};

// Shows a modal message box and returns the button pressed. With
// QUILLON_NONINTERACTIVE=1, or in a program without a presenter (no widgets), the text
// goes to stderr and the default answer comes back; a handler installed by
// SetMessageHandler (tests) answers instead of either.
MessageResult ShowMessage(const QString &text, const QString &title, MessageIcon icon,
                          MessageButtons buttons,
                          MessageResult defaultButton = MessageResult::Ok);
// The same, with details and button captions.
MessageResult ShowMessage(const MessageRequest &request);
using MessageHandler = std::function<MessageResult(const MessageRequest &)>;
MessageHandler SetMessageHandler(MessageHandler handler); // returns the previous one
bool IsNonInteractive();
// How a GUI program shows the box (basMessageBox::Install sets a QMessageBox).
void SetMessagePresenter(MessageHandler presenter);

// --- Previous instance ----------------------------------------------------------
// True when another process of this user already runs the program. Otherwise this
// process takes the program's lock and keeps it until it ends. A lock file naming no
// owner is taken over; when neither the runtime nor the temporary folder can hold a
// lock, it says so on stderr and answers true, so the program ends.
bool PreviousInstanceRunning(const QString &programName);
// The same test, telling "another copy runs" from "no lock can be had here"; why names
// the folders tried and what went wrong in each (in English, for error.log), shownWhy the
// same in the user's language.
enum class InstanceLock { Taken, HeldByAnother, Unavailable };
InstanceLock TakeInstanceLock(const QString &programName, QString *why = nullptr, QString *shownWhy = nullptr);
void ReleaseInstanceLock(const QString &programName);

// --- Settings -------------------------------------------------------------------
// Where the settings store is: the registry key of the current user on Windows, the
// .conf file under $XDG_CONFIG_HOME elsewhere (worked out afresh each time, so a changed
// XDG_CONFIG_HOME is honoured). The store itself is common/settings' (basRegistry).
QString SettingsLocation();
// True where the store is the system's own (the registry), false where it is our file.
bool SettingsInRegistry();

// --- Processes ------------------------------------------------------------------
// Starts a program without a shell and without waiting. Returns 0 when started,
// otherwise an error number: 53 when the file is missing, 75 when it cannot be run.
int StartDetached(const QString &program, const QStringList &arguments);
// What a program that crashed died of, from the exit code Qt gives for it: the signal
// on Unix ("signal 11, Segmentation fault"), the status on Windows ("status c0000005").
QString CrashDescription(int exitCode);

// Whether the desktop has something to show a web page with: a browser, or a handler
// that xdg-open knows for HTML. False where a page handed over would come to nothing on
// screen; then a program shows it itself.
bool CanShowWebPages();

// The runtime folder for locks and other per-session files. One that others may write
// to (or that is not ours) is passed over like a missing one: a file planted there could
// stand in for a lock or a marker.
QString RuntimeFolder();
// This user's folder under the system's temporary folder: where a lock goes when the
// runtime folder cannot hold one. Made private to the user when it is made.
QString TemporaryFolder();
// True when folder is a real folder (no link), owned by this user and writable by no one
// else: only then may per-session files be trusted there.
bool IsPrivateFolder(const QString &folder);
// The first maxBytes of path when it is a regular file of this user's, read without
// following a link and without waiting (a FIFO or a device planted in its place is
// refused, never opened for reading); nullopt otherwise.
std::optional<QByteArray> ReadOwnFile(const QString &path, qint64 maxBytes);

} // namespace basPlatform

} // namespace quillon
