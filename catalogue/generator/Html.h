#pragma once

#include <QString>

// Small pieces of markup, written so that the pages also read as well-formed XML.
namespace Html {

QString escape(const QString& text);
// A button that posts a command through the page's status text.
QString commandButton(const QString& name, const QString& caption, const QString& command,
                      const QString& extraAttributes = {});
// The head of a page with its style sheet, up to and including <body>.
QString pageHead(const QString& title, const QString& styleSheet);
QString pageTail();

} // namespace Html
