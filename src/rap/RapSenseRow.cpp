#include "rap/RapSenseRow.h"

namespace orv {

RapSenseRow RapSenseRow::AddRAPSense(const QString& key, const QString& label, qint16 value,
                                     bool check)
{
    QString text = QString::number(value);
    if (check)
        text = text == QLatin1String("1") ? QStringLiteral("ﾚ") : QStringLiteral("ﾁｪｯｸなし");
    return {key, label + QLatin1Char('=') + text};
}

} // namespace orv
