#include "basShownText.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

namespace quillon {

namespace {

constexpr const char *kForms[] = {"%1: no answer within %2 seconds", "The calendar %1 could not be refreshed: %2",
                                  "%1: %2 failed (HTTP %3)"};

// Forms of another context, as a refresh's message holds a reading's reason.
constexpr const char *kInnerForms[] = {"line %1: %2"};

// German of the forms above, with the words in another order than the English.
class FakeGerman : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "Test") != 0 && qstrcmp(context, "Inner") != 0)
            return QString();
        const QString text = QString::fromUtf8(source);
        if (text == QLatin1String(kForms[0]))
            return QStringLiteral("%1: keine Antwort nach %2 Sekunden");
        if (text == QLatin1String(kForms[1]))
            return QStringLiteral("Aktualisierung von %1 fehlgeschlagen: %2");
        if (text == QLatin1String(kInnerForms[0]))
            return QStringLiteral("Zeile %1: %2");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

TEST(basShownText, StoredEnglishLinesShowTranslatedWithTheirWordsAndTheServersOwnWordsStay)
{
    FakeGerman german;
    ASSERT_TRUE(QCoreApplication::installTranslator(&german));
    const QString stored = QStringLiteral("The calendar Work could not be refreshed: dav.test: no answer within 30 seconds.\n"
                                          "Host requires authentication\n"
                                          "dav.test: PUT failed (HTTP 507)");
    EXPECT_EQ(basShownText::Of(stored, "Test", kForms),
              QStringLiteral("Aktualisierung von Work fehlgeschlagen: dav.test: keine Antwort nach 30 Sekunden.\n"
                             "Host requires authentication\n"
                             "dav.test: PUT failed (HTTP 507)"));
    // Each form is translated in its own context, a word of one group within a line of another.
    const basShownText::Forms groups[] = {{"Test", kForms}, {"Inner", kInnerForms}};
    EXPECT_EQ(basShownText::Of(QStringLiteral("The calendar Work could not be refreshed: line 3: DTSTART is odd"), groups),
              QStringLiteral("Aktualisierung von Work fehlgeschlagen: Zeile 3: DTSTART is odd"));
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(basShownText::Of(stored, "Test", kForms), stored);
}

} // namespace

} // namespace quillon
