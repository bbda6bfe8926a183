// Test helper standing in for a desktop's wallpaper tool: appends its arguments, one
// line per run and tab-separated, to $FAKE_TOOL_LOG, prints $FAKE_TOOL_OUTPUT_<NAME> and
// exits with $FAKE_TOOL_EXIT_<NAME>, or else $FAKE_TOOL_EXIT.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

namespace quillon {

int Main(int argc, char **argv)
{
    QFile log(QString::fromLocal8Bit(qgetenv("FAKE_TOOL_LOG")));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QByteArray line;
        for (int i = 1; i < argc; ++i)
            line += QByteArray(argv[i]) + (i + 1 < argc ? "\t" : "\n");
        log.write(line);
    }
    // A tool of its own name may answer otherwise ($FAKE_TOOL_EXIT_GDBUS for gdbus).
    const QByteArray name = QByteArray(argv[0]).mid(QByteArray(argv[0]).lastIndexOf('/') + 1).toUpper();
    std::fputs(qgetenv("FAKE_TOOL_OUTPUT_" + name).constData(), stdout);
    const QByteArray own = qgetenv("FAKE_TOOL_EXIT_" + name);
    return own.isEmpty() ? qEnvironmentVariableIntValue("FAKE_TOOL_EXIT") : own.toInt();
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
