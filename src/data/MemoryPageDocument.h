#pragma once

#include "data/PageDocument.h"

#include <QStringList>

namespace orv {

// A page held in memory: the document the binding and the coma display work on in tests and
// in headless runs. Counts its round trips and can be told to fail.
class MemoryPageDocument : public PageDocument
{
public:
    MemoryPageDocument() = default;
    explicit MemoryPageDocument(const QVector<PageElement>& elements) : m_elements(elements) {}

    bool readElements(QVector<PageElement>* elements, QString* error = nullptr) override;
    bool apply(const QVector<ElementChange>& changes, QString* error = nullptr) override;
    bool setStatus(const QString& text, QString* error = nullptr) override;

    // Builders for tests: an input of the first form.
    PageElement& add(const QString& name, const QString& type, const QString& value = QString(),
                     const QString& className = QString());
    void setElements(const QVector<PageElement>& elements) { m_elements = elements; }
    const QVector<PageElement>& elements() const { return m_elements; }
    PageElement& element(const QString& name);
    int focusedIndex() const;

    QString status() const { return m_status; }
    int readCount() const { return m_reads; }
    int applyCount() const { return m_applies; }
    // Every change applied so far, in order ("focus orv_A1", "backgroundColor orv_A1 #ff0000").
    const QStringList& changeLog() const { return m_log; }
    void clearLog();

    void setFailing(bool failing) { m_failing = failing; }

private:
    QVector<PageElement> m_elements;
    QString m_status;
    QStringList m_log;
    int m_reads = 0;
    int m_applies = 0;
    bool m_failing = false;
};

} // namespace orv
