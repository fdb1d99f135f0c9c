#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

namespace orv {

// The ToUnicode map of a PDF font with two-byte codes: which text each character code stands
// for. Reads the bfchar and bfrange sections a writer leaves; writes one entry per code, texts
// beyond the Basic Multilingual Plane as UTF-16 surrogate pairs.
class ToUnicodeCMap
{
public:
    static QMap<quint32, QString> parse(const QByteArray& cmap);
    static QByteArray write(const QMap<quint32, QString>& map);
};

} // namespace orv
