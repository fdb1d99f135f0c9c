#include "RapFixture.h"

#include "TestPaths.h"

#include "common/AnsiText.h"
#include "data/Catalogue.h"
#include "rap/RapItemTable.h"
#include "rap/RapReviewSheet.h"
#include "rap/RtfText.h"
#include "rap/TriggerRuleTable.h"
#include "support/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

using namespace orv;
using namespace orv::test;

namespace {

const QString SaveTitle = QStringLiteral("作成するファイル名を指定してください。");
const QString Unsupported = QStringLiteral("対応していないRAPです\r\n");

// The \'xx escapes of a line read back as CP932 bytes; the other escapes stay.
QString decodeBytes(const QString& rtf)
{
    QByteArray bytes;
    QString out;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.mid(i, 2) == "\\\\") {
            out += fromAnsi(bytes) + "\\\\";
            bytes.clear();
            ++i;
        } else if (rtf.mid(i, 2) == "\\'" && i + 3 < rtf.size()) {
            bytes += char(rtf.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            out += fromAnsi(bytes) + rtf.at(i);
            bytes.clear();
        }
    }
    return out + fromAnsi(bytes);
}

// The sheet's lines read as CP932, Japanese written as escapes of CP932 bytes read back.
QStringList readSheet(const QString& path)
{
    QStringList lines;
    if (!AnsiTextReader::readAll(path, &lines))
        return {"<no file>"};
    for (QString& line : lines)
        line = decodeBytes(line);
    return lines;
}

// Braces that open and close groups, escaped ones aside; -1 when one closes too early.
int braceBalance(const QByteArray& rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.at(i) == '\\') {
            ++i;
            continue;
        }
        if (rtf.at(i) == '{')
            ++depth;
        if (rtf.at(i) == '}' && --depth < 0)
            return -1;
    }
    return depth;
}

// A paragraph of the sheet as a word processor lays it out.
struct RtfParagraph
{
    QString text;
    bool keepWithNext = false;
    bool keepWhole = false;
    int asianFont = 0; // the font of its double-byte text
};

// The paragraphs of an RTF text (its \\'xx escapes decoded), those that end a table cell
// too; destinations such as the font table left out.
QList<RtfParagraph> paragraphsOf(const QString& rtf)
{
    struct State
    {
        RtfParagraph props;
        bool doubleByte = false;
        bool skipped = false;
    };
    QList<State> stack{State{}};
    QList<RtfParagraph> paragraphs;
    QString text;
    static const QRegularExpression word(QStringLiteral("^\\\\([a-z]+)(-?\\d*) ?"));
    for (qsizetype i = 0; i < rtf.size();) {
        const QChar c = rtf.at(i);
        State& state = stack.last();
        if (c == '{' || c == '}') {
            if (c == '{')
                stack.append(state);
            else if (stack.size() > 1)
                stack.removeLast();
            ++i;
            continue;
        }
        const auto match = word.match(QStringView(rtf).mid(i));
        if (c == '\\' && match.hasMatch()) {
            const QString name = match.captured(1);
            const int value = match.captured(2).toInt();
            if (name == "fonttbl" || name == "info")
                state.skipped = true;
            else if (name == "pard")
                state.props.keepWithNext = state.props.keepWhole = false;
            else if (name == "keepn")
                state.props.keepWithNext = true;
            else if (name == "keep")
                state.props.keepWhole = true;
            else if (name == "dbch" || name == "loch" || name == "hich")
                state.doubleByte = name == "dbch";
            else if (name == "f" && state.doubleByte)
                state.props.asianFont = value;
            else if ((name == "par" || name == "cell") && !state.skipped) {
                paragraphs.append(state.props);
                paragraphs.last().text = text.trimmed();
                text.clear();
            }
            i += match.capturedLength();
            continue;
        }
        if (c == '\\' && i + 1 < rtf.size())
            ++i; // an escaped symbol
        if (!state.skipped && c != '\n')
            text += rtf.at(i);
        ++i;
    }
    return paragraphs;
}

// The first place where the text of a review sheet, page by page, splits what belongs together:
// a heading at a page's foot, a RAP block (heading to its notes' caption) over two pages that
// would have fitted on one, an item's name at a page's foot and its value at the next page's top.
// Counts the blocks that are longer than a page: they open a page and go on over the next.
QString splitRap(const QString& text, const QSet<QString>& names, int* longer)
{
    QList<QStringList> pages;
    for (const QString& page : text.split('\f')) {
        QStringList lines = page.split('\n');
        for (QString& line : lines)
            line = line.trimmed();
        lines.removeAll(QString());
        if (!lines.isEmpty())
            pages << lines;
    }
    static const QRegularExpression heading(QStringLiteral("^\\d+．"));
    QSet<int> breaksInLongBlocks;
    int first = -1;
    bool opensPage = false;
    for (int page = 0; page < pages.size(); ++page) {
        for (int i = 0; i < pages.at(page).size(); ++i) {
            const QString& line = pages.at(page).at(i);
            if (heading.match(line).hasMatch()) {
                first = page;
                opensPage = i == 0;
            } else if (line.startsWith(QStringLiteral("検討内容")) && first >= 0 && first < page) {
                if (!opensPage)
                    return QStringLiteral("RAP over pages %1 and %2").arg(first + 1).arg(page + 1);
                ++*longer;
                for (int broken = first; broken < page; ++broken)
                    breaksInLongBlocks << broken;
            }
        }
    }
    for (int page = 0; page + 1 < pages.size(); ++page) {
        const QString last = pages.at(page).last();
        const QString next = pages.at(page + 1).first();
        const QString where = QStringLiteral("page %1: %2 / %3").arg(page + 1).arg(last, next);
        if (heading.match(last).hasMatch())
            return "heading at the foot of " + where;
        if (!breaksInLongBlocks.contains(page) && names.contains(last) && next.contains('='))
            return "name and value parted at " + where;
    }
    return QString();
}

} // namespace

class TestRapReviewSheet : public QObject
{
    Q_OBJECT

    // Plain templates so each line of the sheet can be compared.
    static void plainTemplates(RapFixture& f, const QString& head = "{HEAD ∈利用者名∋}")
    {
        f.folder.write("RAP_BEGIN_RTF.DAT", toAnsi(head + "\r\n"));
        f.folder.write("RAP_BOTTOM_RTF.DAT", toAnsi("{TAIL}\r\n"));
        f.folder.write("Orv21.PRA", toAnsi("[RTF]\r\nBEGIN_ITEM\t<∈RAP名∋|∈トリガー名∋>\r\n"
                                           "APPEND_LINE\t----\r\n"));
        f.state.profile.SetPrivateAppBuf(f.folder.file("Orv21.PRA"), &f.boxes);
    }

    // The templates and profile the program ships with.
    static void shippedTemplates(RapFixture& f)
    {
        f.state.folder = ProgramFolder(ORV_TEST_PROGRAM_DIR);
        f.state.profile.SetPrivateAppBuf(f.state.folder.file("Orv21.PRA"), &f.boxes);
        QCOMPARE(f.boxes.count(), 0);
    }

    static void prepare(RapFixture& f, const QString& list, const QStringList& sense,
                        const QString& family = "山田", const QString& given = "花子")
    {
        f.run("INSERT INTO KIHON1 ([ID],[基準日],[1-1-1],[1-1-2]) VALUES ('R001','2005-01-01',?,?)",
              {family, given});
        f.run("INSERT INTO RAP ([ID],[記入日],[RAP]) VALUES ('R001','2005-08-17',?)", {list});
        for (const QString& row : sense)
            f.run("INSERT INTO RAPSense ([RAPS],[VALUE]) VALUES (?,?)",
                  {row.section(':', 0, 0), row.section(':', 1)});
        f.chooser.paths.enqueue(f.folder.file("sheet.rtf"));
    }

private slots:
    // The 22 RAP items written out once more, apart from the table; 17 lists O1 to O3 first.
    void itemTable()
    {
        const QStringList expected{
            "01 1．せん妄 B4,B5,E5,E9",
            "02 2．認知障害／痴呆 B1,B2,C3",
            "03 3．視覚機能 D1,D2,I4",
            "04 4．コミュニケーション C1,C2,C3",
            "05A 5．ADL／リハビリ(A) G1,G3,G6",
            "05B 5．ADL／維持(B) B3",
            "06 6．尿失禁と留置カテ H1,H5",
            "07 7．心理面と対人関係 E3,F1,F2,F3,F4,F5",
            "08 8．気分の状態 E1,E4",
            "09 9．問題行動 E7,E8",
            "10A 10．アクティビティ(A) N3,N4",
            "10B 10．アクティビティ(B) N1,N2",
            "11 11．転倒 E6,J2,J8,O2,O3,P1",
            "12 12．栄養状態 K3,K4,K5,K7,M1",
            "13 13．経管栄養 K6",
            "14 14．脱水／水分維持 I5,I6,J1,J3,J5,K5,K6,O4",
            "15 15．口腔ケア K2,L1,L2",
            "16 16．褥瘡 G2,G5,H2,I2,M2,M3,M4,P2",
            "17 17．向精神薬 O1,O2,O3,B4,B5,C4,E2,E5,E9,G4,H3,H4,I1,I3,J2,J4,J6,J7,J8,J9,K1",
            "18 18．身体抑制 P1,P3",
            "19 19．痛みの管理 OJ1",
            "20 20．排便の管理 OH1,OH2,OH3",
        };
        QStringList actual;
        for (const RapItem& item : RapItemTable::instance().items())
            actual << item.entry + " " + item.title() + " " + item.keys;
        QCOMPARE(actual, expected);
    }

    void sheets_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("sense");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("01と05a") << "01,05a"
                                 << QStringList{"G1:G1a=2", "B5:B6=2", "B4:B5b=2", "B4:B5e=2"}
                                 << QStringList{"{HEAD 山田花子}",
                                                "<1．せん妄|B4の項目\\par  B5b=2\\par  B5e=2"
                                                "\\par\\par B5の項目\\par  B6=2>",
                                                "----",
                                                "<5．ADL／リハビリ(A)|G1の項目\\par  G1a=2>",
                                                "{TAIL}"};
        QTest::newRow("根拠のないRAP")
            << "04" << QStringList{"G1:G1a=2"}
            << QStringList{"{HEAD 山田花子}", "<4．コミュニケーション|>", "{TAIL}"};
        QTest::newRow("最初のキーに行がない")
            << "03" << QStringList{"I4:I1ll=ﾁｪｯｸなし", "I4:I1nn=ﾚ"}
            << QStringList{"{HEAD 山田花子}",
                           "<3．視覚機能|I4の項目\\par  "
                           "I1ll=ﾁｪｯｸなし\\par  I1nn=ﾚ>",
                           "{TAIL}"};
        QTest::newRow("17はO群が先") << "17" << QStringList{"B4:B5a=2", "O3:O4c=1"}
                                     << QStringList{"{HEAD 山田花子}",
                                                    "<17．向精神薬|O3の項目\\par  O4c=1\\par\\par "
                                                    "B4の項目\\par  B5a=2>",
                                                    "{TAIL}"};
        QTest::newRow("小文字の05b") << "05b,10B" << QStringList{}
                                     << QStringList{"{HEAD 山田花子}", "<5．ADL／維持(B)|>", "----",
                                                    "<10．アクティビティ(B)|>", "{TAIL}"};
    }
    void sheets()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, sense);
        QFETCH(QStringList, lines);
        RapFixture f;
        plainTemplates(f);
        prepare(f, list, sense);
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        QCOMPARE(f.chooser.titles, QStringList{SaveTitle});
        QCOMPARE(f.chooser.filters, QStringList{"RTFファイル|*.rtf|すべてのファイル|*.*"});
        QCOMPARE(f.boxes.texts(), QStringList{"RAP検討用紙を作成しました。"});
        QCOMPARE(f.boxes.last().style, int(StyleInformation));
        QCOMPARE(readSheet(f.folder.file("sheet.rtf")), lines);
        QVERIFY(!f.state.RapRs);
    }

    void nameTwiceOnALineAndEscaped()
    {
        RapFixture f;
        plainTemplates(f, "{\\b ∈利用者名∋} {∈利用者名∋}");
        prepare(f, "13", {"K6:K5b=ﾚ"}, "山{田", "花}子\\");
        f.run("UPDATE RAPName SET [ITEM]='経管{栄養}' WHERE [RAP]='K6'");
        f.run("UPDATE RAPSense SET [VALUE]='K5b=\\1'");
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        QFile file(f.folder.file("sheet.rtf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(braceBalance(bytes), 0);
        QVERIFY(bytes.contains("\\{"));
        QCOMPARE(readSheet(f.folder.file("sheet.rtf")),
                 (QStringList{"{\\b 山\\{田花\\}子\\\\} {山\\{田花\\}子\\\\}",
                              "<13．経管栄養|経管\\{栄養\\}\\par  K5b=\\\\1>", "{TAIL}"}));
    }

    void dateWithATimeOfDayFindsTheRow()
    {
        RapFixture f;
        plainTemplates(f);
        prepare(f, "13", {});
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet(
            "R001", DateValue::fromDateTime(QDate(2005, 8, 17), QTime(10, 0))));
        QCOMPARE(readSheet(f.folder.file("sheet.rtf")),
                 (QStringList{"{HEAD 山田花子}", "<13．経管栄養|>", "{TAIL}"}));
    }

    void verdictListGivesHeadAndTail()
    {
        RapFixture f;
        plainTemplates(f);
        prepare(f, "×,○,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,×,○", {"B1:B2a=1"});
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        QCOMPARE(f.boxes.count(), 23);
        for (int i = 0; i < 22; ++i) {
            QCOMPARE(f.boxes.shown().at(i).text, Unsupported);
            QCOMPARE(f.boxes.shown().at(i).style, int(StyleCritical));
            QCOMPARE(f.boxes.shown().at(i).title, QStringLiteral("内部エラー"));
        }
        QCOMPARE(readSheet(f.folder.file("sheet.rtf")), (QStringList{"{HEAD 山田花子}", "{TAIL}"}));
    }

    void missingItemName()
    {
        RapFixture f;
        plainTemplates(f);
        prepare(f, "19", {"OJ1:J2a=1"});
        f.run("DELETE FROM RAPName WHERE [RAP]='OJ1'");
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        QCOMPARE(f.boxes.shown().at(0).text, QStringLiteral("Trigger名が間違っています"));
        QCOMPARE(f.boxes.shown().at(0).title, QStringLiteral("内部エラー"));
        QCOMPARE(readSheet(f.folder.file("sheet.rtf")).at(1),
                 QStringLiteral("<19．痛みの管理|●\\par  J2a=1>"));
    }

    void nothingWritten_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("空のリスト")
            << ""
            << "sheet.rtf" << QString()
            << "RAPされた項目はありませんでしたので、RTFファイルは出力されませ"
               "んでした。"
            << 0;
        QTest::newRow("キャンセル") << "01"
                                    << "" << QString() << "" << 1;
        QTest::newRow("書けない場所")
            << "01"
            << "no/such/folder/sheet.rtf" << QString() << "エラーが発生しました" << 1;
        QTest::newRow("頭のひな形がない") << "01"
                                          << "sheet.rtf"
                                          << "RAP_BEGIN_RTF.DAT"
                                          << "エラーが発生しました" << 1;
        QTest::newRow("末尾のひな形がない") << "01"
                                            << "sheet.rtf"
                                            << "RAP_BOTTOM_RTF.DAT"
                                            << "エラーが発生しました" << 1;
    }
    void nothingWritten()
    {
        QFETCH(QString, list);
        QFETCH(QString, target);
        QFETCH(QString, removed);
        QFETCH(QString, box);
        QFETCH(int, dialogs);
        RapFixture f;
        plainTemplates(f);
        prepare(f, list, {"B4:B5a=2"});
        f.chooser.paths.clear();
        f.chooser.paths.enqueue(target.isEmpty() ? QString() : f.folder.file(target));
        if (!removed.isEmpty())
            QVERIFY(QFile::remove(f.folder.file(removed)));

        QVERIFY(!RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        QCOMPARE(f.chooser.titles.size(), dialogs);
        QCOMPARE(f.boxes.count(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty()) {
            const ScriptedMessageBox::Shown shown = f.boxes.last();
            QVERIFY(shown.text == box || shown.title == box);
            if (target.startsWith("no/"))
                QVERIFY(shown.text.startsWith("ファイル " + f.folder.file(target) +
                                              " に書き込めません。"));
            QCOMPARE(shown.style,
                     int(box == "エラーが発生しました" ? StyleCritical : StyleInformation));
        }
        QVERIFY(!QFile::exists(f.folder.file("sheet.rtf")));
    }

    void existingFileRewritten()
    {
        RapFixture f;
        plainTemplates(f);
        f.folder.write("sheet.rtf", QByteArray(5000, 'x'));
        prepare(f, "13", {});
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        QCOMPARE(readSheet(f.folder.file("sheet.rtf")),
                 (QStringList{"{HEAD 山田花子}", "<13．経管栄養|>", "{TAIL}"}));
    }

    void failureLeavesExistingFileAlone()
    {
        RapFixture f;
        plainTemplates(f);
        f.folder.write("sheet.rtf", "{\\rtf1 earlier}");
        prepare(f, "13", {});
        QVERIFY(QFile::remove(f.folder.file("RAP_BOTTOM_RTF.DAT")));
        QVERIFY(!RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        QCOMPARE(readSheet(f.folder.file("sheet.rtf")), QStringList{"{\\rtf1 earlier}"});
        QVERIFY(f.boxes.last().text.contains("RAP_BOTTOM_RTF.DAT"));
    }

    void shippedTemplatesMakeRtf()
    {
        RapFixture f;
        shippedTemplates(f);
        prepare(f, "01,03,05a,17", {"B4:B5a=2", "I4:I1ll=ﾁｪｯｸなし", "I4:I1nn=ﾚ", "G1:G1a=3"},
                "能登{表}", "ソ\\十");
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));

        QFile file(f.folder.file("sheet.rtf"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("{\\rtf1\\ansi\\ansicpg932"));
        QVERIFY(bytes.contains("\\fcharset128"));
        QCOMPARE(braceBalance(bytes), 0);
        QVERIFY(bytes.trimmed().endsWith('}'));
        // Every byte is ASCII: 0x5C trail bytes (能, 表, ソ, 十) never reach the file raw.
        for (const char byte : bytes)
            QVERIFY(uchar(byte) < 0x80);
        const QString text = readSheet(f.folder.file("sheet.rtf")).join('\n');
        for (const QString& expected : QStringList{
                 "RAP検討用紙", "能登\\{表\\}ソ\\\\十", "1．せん妄", "3．視覚機能", "I1ll=ﾁｪｯｸなし",
                 "I1nn=ﾚ", "5．ADL／リハビリ(A)", "17．向精神薬", "B4の項目"})
            QVERIFY2(text.contains(expected), qPrintable(expected));
        QVERIFY(!text.contains("∈"));

        // Word processors set Japanese in the font a paragraph names for double-byte text: the
        // headings name a Japanese gothic face.
        const auto gothic =
            QRegularExpression(
                "\\\\f(\\d+)\\\\fmodern\\\\fcharset128[^ ]* [^;{]*(Sans CJK JP|ゴシック)")
                .match(text);
        QVERIFY2(gothic.hasMatch(), qPrintable(text.left(400)));
        const QList<RtfParagraph> paragraphs = paragraphsOf(text);
        auto find = [&](const QString& start) {
            return std::find_if(paragraphs.cbegin(), paragraphs.cend(),
                                [&](const RtfParagraph& p) { return p.text.startsWith(start); });
        };
        for (const char* heading :
             {"RAP検討用紙", "1．せん妄", "17．向精神薬", "チームの検討のまとめ"}) {
            const auto paragraph = find(heading);
            QVERIFY2(paragraph != paragraphs.cend(), heading);
            QCOMPARE(paragraph->asianFont, gothic.captured(1).toInt());
        }
        // A RAP's title stays with its evidence, its notes' caption with their lines.
        for (const char* heading : {"1．せん妄", "17．向精神薬", "検討内容"}) {
            QVERIFY2(find(heading) != paragraphs.cend() && find(heading)->keepWithNext, heading);
            QVERIFY2(std::next(find(heading))->keepWhole, heading);
        }
        // The team's summary, its box and the date line stay on one page.
        auto summary = find("チームの検討のまとめ");
        const auto dateLine = find("検討日");
        QVERIFY(summary < dateLine);
        for (; summary != dateLine; ++summary)
            QVERIFY(summary->keepWithNext);
    }

    // A RAP's heading, its evidence, its notes' caption and their lines stay on one page: every
    // paragraph of the block but its last is kept with the next.
    void rapBlockKeptTogether()
    {
        RapFixture f;
        shippedTemplates(f);
        prepare(f, "01,03",
                {"B4:B5a=2", "D1:D1=2", "D2:D2a=ﾚ", "D2:D2b=ﾚ", "I4:I1ll=ﾚ", "I4:I1nn=ﾚ"});
        QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
        const QList<RtfParagraph> paragraphs =
            paragraphsOf(readSheet(f.folder.file("sheet.rtf")).join('\n'));
        auto find = [&](const QString& start) {
            return std::find_if(paragraphs.cbegin(), paragraphs.cend(),
                                [&](const RtfParagraph& p) { return p.text.startsWith(start); });
        };
        const auto heading = find("3．視覚機能");
        const auto summary = find("チームの検討のまとめ");
        QVERIFY(heading < summary);
        QStringList texts;
        for (auto p = heading; p != summary; ++p)
            texts << p->text;
        QCOMPARE(texts.mid(0, 12),
                 (QStringList{"3．視覚機能", "D1の項目", "D1=2", "", "D2の項目", "D2a=ﾚ", "D2b=ﾚ",
                              "", "I4の項目", "I1ll=ﾚ", "I1nn=ﾚ", "検討内容："}));
        for (auto p = heading; p != std::prev(summary); ++p)
            QVERIFY2(p->keepWithNext, qPrintable(QString::number(p - heading)));
        // The last line of the block lets the next RAP begin on another page.
        QVERIFY(!std::prev(summary)->keepWithNext);
        QVERIFY(!std::prev(find("3．視覚機能"), 2)->keepWithNext);
    }

    // Sheets set by LibreOffice, with evidence for every item of every key: every RAP, 18 of
    // them, and three on the first pages. A heading never ends a page, a RAP that fits on a page
    // is whole, and no item's name ends a page whose next page opens with its value. RAP 17 with
    // all its 21 keys is longer than a page: it opens a page of its own and goes on over the next.
    void sheetsInLibreOffice()
    {
        const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (office.isEmpty())
            QSKIP("LibreOffice is not installed");
        RapFixture f;
        shippedTemplates(f);
        QStringList sense;
        for (const TriggerRule& rule : TriggerRuleTable::instance().rules()) {
            for (const TriggerItem& item : rule.items)
                sense << rule.key + ':' + rule.evidence(item, qint16(rule.condition.low)).value;
        }
        prepare(f, QString(), sense);
        f.chooser.paths.clear();
        QSet<QString> names;
        for (const TriggerKeyName& key : Catalogue::builtIn().triggerKeys()) {
            f.run("UPDATE RAPName SET [ITEM]=? WHERE [RAP]=?", {key.item, key.key});
            names << key.item;
        }
        QStringList every;
        for (const RapItem& rap : RapItemTable::instance().items())
            every << rap.entry;
        QStringList eighteen = every;
        for (const char* left : {"13", "17", "18", "20"})
            eighteen.removeOne(QString::fromLatin1(left));
        const QList<QPair<QString, QStringList>> sheets = {
            {"every", every}, {"eighteen", eighteen}, {"three", {"03", "11", "19"}}};
        QStringList arguments{"-env:UserInstallation=" +
                                  QUrl::fromLocalFile(f.folder.file("profile")).toString(),
                              "--headless",
                              "--convert-to",
                              "pdf",
                              "--outdir",
                              f.folder.path()};
        for (const auto& [name, raps] : sheets) {
            f.run("UPDATE RAP SET [RAP]=?", {raps.join(',')});
            f.chooser.paths.enqueue(f.folder.file(name + ".rtf"));
            QVERIFY(RapReviewSheet(f.state).WriteRapReviewSheet("R001", day(2005, 8, 17)));
            arguments << f.folder.file(name + ".rtf");
        }
        QProcess convert;
        convert.start(office, arguments);
        QVERIFY(convert.waitForFinished(60000));

        for (const auto& [name, raps] : sheets) {
            const QString pdf = f.folder.file(name + ".pdf");
            QVERIFY2(QFile::exists(pdf), convert.readAllStandardError().constData());
            int longer = 0;
            const QString fault = splitRap(PdfText::text(pdf), names, &longer);
            QVERIFY2(fault.isEmpty(), qPrintable(name + ": " + fault));
            QCOMPARE(longer, raps.contains("17") ? 1 : 0);
        }
    }

    void escapes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rtf");
        QTest::newRow("記号") << "a\\b{c}"
                              << "a\\\\b\\{c\\}";
        QTest::newRow("能") << "能"
                            << "\\'94\\'5c";
        QTest::newRow("半角カナ") << "ﾚ"
                                  << "\\'da";
        QTest::newRow("CP932にない字") << "😀"
                                       << "\\u-10179?\\u-8704?";
        // the code page writes U+FFFD as FC FC, which is no character of it
        QTest::newRow("置換文字") << QString(QChar(0xFFFD)) << "\\u-3?";
        QTest::newRow("波ダッシュ") << "〜"
                                    << "\\u12316?";
    }
    void escapes()
    {
        QFETCH(QString, text);
        QFETCH(QString, rtf);
        QCOMPARE(RtfText::escape(text), rtf);
        if (!rtf.contains("\\u"))
            QCOMPARE(decodeBytes(rtf).replace("\\\\", "\\").replace("\\{", "{").replace("\\}", "}"),
                     text);
    }
};

QTEST_GUILESS_MAIN(TestRapReviewSheet)
#include "tst_rapreviewsheet.moc"
