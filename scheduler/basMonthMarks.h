// The month view's twelve style sets and which of them marks a day: the day's
// liturgical colour (or none) and whether it holds events.
#pragma once

#include <QList>
#include <QString>

#include <cstdint>

namespace quillon {

namespace basMonthMarks {

struct StyleSetDefinition {
    QString name;
    std::int32_t backColor = 0; // colour values
    std::int32_t textColor = 0;
    bool bold = false;
};

// The twelve sets, "NormalEvents" first; buttonFace is the plain day's background.
QList<StyleSetDefinition> StyleSets(std::int32_t buttonFace);

// "<colour or Normal><Events or NoEvents>". The colour is taken as stored, so a name
// other than the five liturgical ones (exact case) names a set that does not exist.
QString StyleSetName(const QString &dateColor, qint64 eventCount);

} // namespace basMonthMarks

} // namespace quillon
