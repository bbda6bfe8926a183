// Test helper standing in for a desktop's wallpaper tool: appends its arguments, one
// line per run and tab-separated, to $FAKE_TOOL_LOG and exits with $FAKE_TOOL_EXIT.
#include <QByteArray>
#include <QFile>
#include <QString>

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
    return qEnvironmentVariableIntValue("FAKE_TOOL_EXIT");
}

} // namespace quillon

int main(int argc, char **argv)
{
    return quillon::Main(argc, argv);
}
