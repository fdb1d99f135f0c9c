#pragma once

#include <QBitArray>
#include <QString>
#include <QStringList>

namespace orv {

// The trigger marks of one run: which of the 79 keys hold "○".
class TriggerMarks
{
public:
    TriggerMarks();
    static TriggerMarks fromKeys(const QStringList& keys);

    void mark(int keyIndex) { m_set.setBit(keyIndex); }
    bool isSet(int keyIndex) const { return keyIndex >= 0 && m_set.testBit(keyIndex); }
    // A name that is not a trigger key is never set.
    bool isSet(const QString& key) const;
    QStringList setKeys() const;

private:
    QBitArray m_set;
};

} // namespace orv
