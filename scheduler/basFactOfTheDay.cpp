#include "basFactOfTheDay.h"

#include <QCoreApplication>

namespace quillon {

namespace basFactOfTheDay {

QString WelcomeText()
{
    return QCoreApplication::translate("basFactOfTheDay",
        "Welcome!  We hope that you will enjoy using Quillon, and that you will find it helpful in "
        "managing your valuable time. The purpose of the liturgical calendar is to relive the major "
        "events in Jesus\u2019 life in real time. In this box, we'll display information about the "
        "liturgical church year, special days, and the liturgical colors. The liturgical calendar is "
        "built around six seasons and twelve festival days. Each day in the liturgical calendar has "
        "an associated color, and each color has its own meaning and symbolism. Along the way, we'll "
        "also display some interesting facts about the Carrowan Church and its history. Enjoy the calendar!");
}

QString ColorExplanation(const QString &dateColor)
{
    if (dateColor == QLatin1String("Green"))
        return QCoreApplication::translate("basFactOfTheDay",
            "The liturgical color green is used for 'Ordinary Time', the Sundays of the "
            "church year that are not part of a specific season. Ordinary time "
            "serves to remind the church that God acts within the routine of our "
            "daily lives. The color green is symbolic of spiritual growth.");
    if (dateColor == QLatin1String("Purple"))
        return QCoreApplication::translate("basFactOfTheDay", "The liturgical color purple is used for seasons of preparation, such as "
                              "Lent and Advent.");
    if (dateColor == QLatin1String("Red"))
        return QCoreApplication::translate("basFactOfTheDay",
            "The liturgical color red is used for Pentecost and for ordination services. "
            "Red is symbolic of the 'tongues of fire' that sat on each of the "
            "apostles on the Day of Pentecost and suggests the presence and power "
            "of the Holy Spirit bringing life to the church.");
    if (dateColor == QLatin1String("White"))
        return QCoreApplication::translate("basFactOfTheDay", "The liturgical color white is used for special days in the redemptive work "
                              "of Jesus Christ, such as Christmas and Easter. The color white is "
                              "symbolic of purity and light.");
    if (dateColor == QLatin1String("Gray"))
        return QCoreApplication::translate("basFactOfTheDay", "The liturgical color gray is used only from the end of Maundy Thursday "
                              "until Easter.");
    return QString();
}

QString ComposeText(bool firstRun, const QString &dateText, const QString &fact, const QString &dateColor)
{
    QString text;
    if (firstRun) {
        text = WelcomeText();
    } else {
        text = dateText;
        if (!fact.isEmpty()) {
            if (!text.isEmpty())
                text += QStringLiteral("\n\n");
            text += fact;
        }
    }
    if (text.isEmpty())
        text = ColorExplanation(dateColor);
    return text;
}

} // namespace basFactOfTheDay

} // namespace quillon
