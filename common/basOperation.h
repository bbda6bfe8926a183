// Error traps for operations. An operation numbers its steps in tens; when any step
// throws, the trap reports the operation's fixed name with the last step reached and
// returns the operation's failure value. Nothing thrown inside crosses the trap.
//
//   bool OpenThing() {
//       return basOperation::Trap("basThing.OpenThing", false, [&](basOperation::Steps &step) {
//           step(20); ...
//           step(30); if (!ok) throw basOperation::Failure(3051, "Cannot open");
//           return true;
//       });
//   }
#pragma once

#include <QString>

#include <exception>
#include <type_traits>
#include <utility>

namespace quillon {

namespace basOperation {

// An error raised inside an operation: a number and a description, in English for
// error.log, and, where a person reads it, the same in the user's language for the box.
class Failure : public std::exception {
public:
    Failure(int number, QString description, QString shown = QString())
        : m_number(number), m_description(std::move(description)), m_shown(std::move(shown)),
          m_what(m_description.toUtf8()) {}
    int number() const noexcept { return m_number; }
    const QString &description() const noexcept { return m_description; }
    // The box's text: the translated one, or the description where none was given.
    const QString &shown() const noexcept { return m_shown.isEmpty() ? m_description : m_shown; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QString m_shown;
    QByteArray m_what;
};

// The error numbers of our own failures, all of them here so that none is used twice;
// the texts are what the user reads.
inline constexpr int kInvalidProcedureCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDeviceUnavailable = 68;
inline constexpr int kPathFileAccessError = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kProgramFailed = 440;   // a program we started crashed or had to be stopped
inline constexpr int kDuplicateKey = 457;
inline constexpr int kInvalidPicture = 481;
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kDatabaseError = 3146;

[[noreturn]] void ThrowTypeMismatch();
[[noreturn]] void ThrowOverflow();

// The step counter handed to an operation's body.
class Steps {
public:
    void operator()(int step) noexcept { m_last = step; }
    int last() const noexcept { return m_last; }

private:
    int m_last = 0;
};

// Records the failure as the current error and calls ReportError (log on, shown).
void ReportTrapped(const char *name, int step, const std::exception_ptr &error);

template <class Result, class Body>
Result Trap(const char *name, Result failValue, Body &&body) noexcept
{
    Steps step;
    try {
        return std::forward<Body>(body)(step);
    } catch (...) {
        ReportTrapped(name, step.last(), std::current_exception());
    }
    return failValue;
}

// For operations that return nothing.
template <class Body>
void TrapVoid(const char *name, Body &&body) noexcept
{
    Steps step;
    try {
        std::forward<Body>(body)(step);
    } catch (...) {
        ReportTrapped(name, step.last(), std::current_exception());
    }
}

// For the few operations whose failure is silent: the failure value, no report.
template <class Result, class Body>
Result TrapSilently(Result failValue, Body &&body) noexcept
{
    Steps step;
    try {
        return std::forward<Body>(body)(step);
    } catch (...) {
    }
    return failValue;
}

} // namespace basOperation

} // namespace quillon
