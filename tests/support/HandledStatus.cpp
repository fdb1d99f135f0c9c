#include "support/HandledStatus.h"

#include "shell/WebBrowser.h"

namespace orv::test {

HandledStatus::HandledStatus(WebBrowser* browser)
{
    connect(browser, &WebBrowser::statusTextChanged, this,
            [this](const QString& text) { m_texts << text; });
}

int HandledStatus::count(const QString& prefix) const
{
    int found = 0;
    for (const QString& text : m_texts)
        found += text.startsWith(prefix) ? 1 : 0;
    return found;
}

} // namespace orv::test
