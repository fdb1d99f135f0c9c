#include "common/HalfWidth.h"

namespace orv {

QString toHalfWidth(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        const char16_t code = c.unicode();
        if (code >= 0xFF01 && code <= 0xFF5E)
            c = QChar(char16_t(code - 0xFF01 + 0x21));
        else if (code == 0x3000)
            c = QLatin1Char(' ');
    }
    return out;
}

} // namespace orv
