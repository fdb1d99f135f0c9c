#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace orv::test {

// Runs a piece of a test in a child process as another user (nobody), as a second person on
// the same machine would. Only a test run as the administrator can do so.
class OtherUser
{
public:
    static bool available();
    // Gives path, and everything under it, to the other user.
    static bool hand(const QString& path);
    // What work returned, in the child; empty when the child failed.
    static QByteArray run(const std::function<QByteArray()>& work);
};

} // namespace orv::test
