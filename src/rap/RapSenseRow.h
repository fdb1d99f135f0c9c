#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace orv {

// One evidence row of table RAPSense: the key and "label=value".
struct RapSenseRow
{
    QString key;
    QString value;
    // Both as UTF-8, as the record file takes them.
    QByteArray keyUtf8;
    QByteArray valueUtf8;

    // The row AddRAPSense writes: the value in decimal, or in check form "ﾚ" for 1 and
    // "ﾁｪｯｸなし" for anything else.
    static RapSenseRow AddRAPSense(const QString& key, const QString& label, qint16 value,
                                   bool check);

    bool operator==(const RapSenseRow& other) const
    {
        return key == other.key && value == other.value;
    }
};

using RapSenseRows = QVector<RapSenseRow>;

} // namespace orv
