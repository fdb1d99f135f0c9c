#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace orv {
class WebBrowser;
}

namespace orv::test {

// The texts the pages of a browser assign to window.status, each one seen here once the window
// that owns the browser has run it: made after the window, this listens after the window's own
// handler. A test waits on it for a command to have run to its end, dialogs and all, instead of
// waiting a while for what the command should have done.
class HandledStatus : public QObject
{
public:
    explicit HandledStatus(WebBrowser* browser);

    bool contains(const QString& text) const { return m_texts.contains(text); }
    // How many of the texts begin with prefix, as "#" for the entry page's jumps.
    int count(const QString& prefix) const;
    QStringList texts() const { return m_texts; }
    void clear() { m_texts.clear(); }

private:
    QStringList m_texts;
};

} // namespace orv::test
