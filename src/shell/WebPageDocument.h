#pragma once

#include "data/PageDocument.h"

class QJsonValue;

namespace orv {

class WebBrowser;

// The page a WebBrowser shows, as a PageDocument: one script per read, per fill and per batch
// of changes.
class WebPageDocument : public PageDocument
{
public:
    explicit WebPageDocument(WebBrowser& browser) : m_browser(browser) {}

    bool readElements(QVector<PageElement>* elements, QString* error = nullptr) override;
    bool readValues(QVector<PageElement>* elements, QString* error = nullptr) override;
    bool fill(const BoundTexts& texts, int from, FillStop* stop, QString* error = nullptr) override;
    bool apply(const QVector<ElementChange>& changes, QString* error = nullptr) override;
    bool setStatus(const QString& text, QString* error = nullptr) override;

    static QString readScript();
    static QString applyScript(const QVector<ElementChange>& changes);
    static QString fillScript(const BoundTexts& texts, int from);

private:
    bool run(const QString& script, QJsonValue* data, QString* error);
    bool readRows(const QString& script, QVector<PageElement>* elements, QString* error);

    WebBrowser& m_browser;
};

} // namespace orv
