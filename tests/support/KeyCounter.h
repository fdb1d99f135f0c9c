#pragma once

#include <QKeyEvent>
#include <QObject>

namespace orv::test {

// Counts the key presses (of one key, or of any) that reach a widget it is installed on, past
// every filter of the application: a key swallowed on the way is not counted.
class KeyCounter : public QObject
{
public:
    explicit KeyCounter(int key = 0) : m_key(key) {}
    int presses = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            (m_key == 0 || static_cast<QKeyEvent*>(event)->key() == m_key))
            ++presses;
        return false;
    }

private:
    int m_key;
};

} // namespace orv::test
