#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace orv::test {

// Answers modal dialogs as a person would: each step waits for a visible top-level window of
// its object name, then acts on it. Steps run in the order they were queued.
class ModalDriver : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void(QWidget*)>;

    ModalDriver();
    void when(const QString& objectName, Action action);
    bool done() const { return m_steps.isEmpty(); }
    QString pending() const { return m_steps.isEmpty() ? QString() : m_steps.first().first; }

    // Helpers for the usual acts.
    static void type(QWidget* dialog, const QString& child, const QString& text);
    static void click(QWidget* dialog, const QString& child);

private:
    void poll();
    QTimer m_timer;
    QList<QPair<QString, Action>> m_steps;
};

} // namespace orv::test
