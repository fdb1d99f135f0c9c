#include "common/StringRoutines.h"

#include "common/MessageBoxService.h"

namespace orv {

namespace {

const QString ArgumentErrorTitle = QStringLiteral("引数のｴﾗｰ");

void warnIf(MessageBoxService* warn, const QString& text, const QString& title)
{
    if (warn)
        warn->show(text, StyleExclamation, title);
}

} // namespace

QString Piece2(const QString& text, int n, const QString& separator, MessageBoxService* warn)
{
    if (separator.size() != 1)
        warnIf(warn, QStringLiteral("Piece2ﾕｰｻﾞｰ関数: 区切り文字は1文字で指定してく出さい"),
               ArgumentErrorTitle);
    if (text.isEmpty())
        return QString();
    if (n < 1) {
        warnIf(warn, QStringLiteral("Piece2ﾕｰｻﾞｰ関数: 何個めかは、1以上を指定して下さい"),
               ArgumentErrorTitle);
        return QString();
    }
    if (separator.isEmpty())
        return n == 1 ? text : QString();

    // Find the separator in front of the wanted field.
    qsizetype found = text.indexOf(separator);
    for (int i = 3; i <= n && found >= 0; ++i)
        found = text.indexOf(separator, found + separator.size());

    QString field;
    if (n == 1) {
        field = found < 0 ? text : text.left(found);
    } else {
        if (found < 0)
            return QString();
        const qsizetype start = found + separator.size();
        const qsizetype next = text.indexOf(separator, start);
        field = next < 0 ? text.mid(start) : text.mid(start, next - start);
    }
    if (field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        warnIf(warn,
               QStringLiteral("このデータはダブルクォーティーションで囲まれています。\r"
                              "余計なスペースが入っていると思われます"),
               QStringLiteral("Piece2"));
    return field;
}

int PieceCnt(const QString& text, const QString& separator, MessageBoxService* warn)
{
    if (separator.size() != 1)
        warnIf(warn, QStringLiteral("PieceCntﾕｰｻﾞｰ関数: 区切り文字は1文字で指定してく出さい"),
               ArgumentErrorTitle);
    if (text.isEmpty() || separator.size() != 1)
        return 0;
    return int(text.count(separator.at(0)));
}

QString StrRep(const QString& text, const QString& search, const QString& replacement,
               MessageBoxService* warn)
{
    if (text.isEmpty())
        return QString();
    if (search.isEmpty()) {
        warnIf(warn, QStringLiteral("StrRepﾕｰｻﾞｰ関数: 検索文字列がありません"),
               QStringLiteral("引数ｴﾗｰ"));
        return QString();
    }
    QString out;
    qsizetype from = 0;
    for (qsizetype hit = text.indexOf(search); hit >= 0; hit = text.indexOf(search, from)) {
        out += text.mid(from, hit - from);
        out += replacement;
        from = hit + search.size();
    }
    out += text.mid(from);
    return out;
}

} // namespace orv
