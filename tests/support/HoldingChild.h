#pragma once

#include <QString>

#include <functional>
#include <sys/types.h>

namespace orv::test {

// Another process that takes something (a lock, an open file) and holds it until this object
// goes or release() is called, as another program or a second start would.
class HoldingChild
{
public:
    // take runs in the child; true once it holds what it took.
    explicit HoldingChild(const std::function<bool()>& take);
    ~HoldingChild();
    HoldingChild(const HoldingChild&) = delete;
    HoldingChild& operator=(const HoldingChild&) = delete;

    bool holds() const { return m_child > 0; }
    pid_t pid() const { return m_child; }
    // Kills the child: what it held, the kernel lets go.
    void release();

    // How a record file is held through SQLite.
    enum class Hold
    {
        Idle,    // opened and read once, then nothing
        Reading, // inside a read transaction
        Writing  // inside a write transaction, uncommitted
    };
    static std::function<bool()> recordFile(const QString& path, Hold hold);

private:
    pid_t m_child = -1;
};

} // namespace orv::test
