#include "support/OtherUser.h"

#include <QDirIterator>
#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

namespace orv::test {

namespace {

constexpr uid_t Nobody = 65534;

} // namespace

bool OtherUser::available()
{
    return ::geteuid() == 0;
}

bool OtherUser::hand(const QString& path)
{
    bool ok = ::chown(QFile::encodeName(path).constData(), Nobody, Nobody) == 0;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ok = ::chown(QFile::encodeName(it.next()).constData(), Nobody, Nobody) == 0 && ok;
    return ok;
}

QByteArray OtherUser::run(const std::function<QByteArray()>& work)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return QByteArray();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        QByteArray result;
        if (::setgid(Nobody) == 0 && ::setuid(Nobody) == 0)
            result = work();
        for (qsizetype done = 0; done < result.size();) {
            const ssize_t n =
                ::write(pipe[1], result.constData() + done, size_t(result.size() - done));
            if (n <= 0)
                break;
            done += n;
        }
        ::_exit(0);
    }
    ::close(pipe[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t n; child > 0 && (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, n);
    ::close(pipe[0]);
    if (child > 0)
        ::waitpid(child, nullptr, 0);
    return output;
}

} // namespace orv::test
