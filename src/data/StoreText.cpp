#include "data/StoreText.h"

#include <algorithm>

namespace orv {

const QString StoreText::UnstorableCharacter =
    QStringLiteral("保存できない文字（対になっていないサロゲート文字）が含まれています。"
                   "その文字を消して、入力し直してください。");

bool StoreText::hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return true;
    }
    return false;
}

QString StoreText::countingNote(const QString& text)
{
    const bool countsTwice =
        std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isHighSurrogate(); });
    if (!countsTwice)
        return QString();
    return QStringLiteral(
               "\n𠮷などの一部の文字は、1文字で2文字分と数えます（入力された文字数：%1）。")
        .arg(length(text));
}

} // namespace orv
