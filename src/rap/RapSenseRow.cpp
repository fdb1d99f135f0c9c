#include "rap/RapSenseRow.h"

namespace orv {

RapSenseRow RapSenseRow::AddRAPSense(const QString& key, const QString& label, qint16 value,
                                     bool check)
{
    QString text = QString::number(value);
    if (check)
        text = text == QLatin1String("1") ? QStringLiteral("ﾚ") : QStringLiteral("ﾁｪｯｸなし");
    const QString row = label + QLatin1Char('=') + text;
    return {key, row, key.toUtf8(), row.toUtf8()};
}

} // namespace orv
