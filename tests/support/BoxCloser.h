#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace orv::test {

// Closes every message box that comes up while it lives, keeping its text; a question is
// answered No.
class BoxCloser : public QObject
{
public:
    BoxCloser();

    QStringList texts;

private:
    QTimer m_timer;
};

} // namespace orv::test
