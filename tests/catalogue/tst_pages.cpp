#include "support/TestDatabase.h"

#include "TestPaths.h"

#include "data/Catalogue.h"
#include "data/DaoType.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QtTest>

using namespace orv;
using namespace orv::test;

namespace {

// What a test needs to know of one input or button of a page.
struct Element
{
    QString tag;  // input, select, textarea
    QString type; // as the browser reports it: text, checkbox, button, select-one, textarea
    QString name;
    QString cssClass;
    QString onclick;
    QString onchange;
    QString value;
    QString accessKey;
    int maxLength = -1;  // -1 when the input sets none
    QStringList options; // values of a select's options
    bool insideForm = false;
};

struct Page
{
    QString error;
    int forms = 0;
    QString charset;
    QStringList forbidden; // scripts, links and sources of other files
    QVector<Element> elements;

    const Element* element(const QString& name) const
    {
        for (const Element& each : elements) {
            if (each.name == name)
                return &each;
        }
        return nullptr;
    }
};

Page readPage(const QString& path)
{
    Page page;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        page.error = file.errorString();
        return page;
    }
    QXmlStreamReader xml(&file);
    int formDepth = 0;
    Element* select = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("form"))
                --formDepth;
            if (xml.name() == QLatin1String("select"))
                select = nullptr;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        const QString tag = xml.name().toString();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (tag == QLatin1String("script") || tag == QLatin1String("link") ||
            tag == QLatin1String("img") || tag == QLatin1String("iframe") ||
            attributes.hasAttribute(QLatin1String("src")) ||
            attributes.hasAttribute(QLatin1String("href")))
            page.forbidden.append(tag);
        if (tag == QLatin1String("meta"))
            page.charset = attributes.value(QLatin1String("charset")).toString();
        if (tag == QLatin1String("form")) {
            ++page.forms;
            ++formDepth;
        }
        if (tag == QLatin1String("option") && select) {
            select->options.append(attributes.value(QLatin1String("value")).toString());
            continue;
        }
        if (tag != QLatin1String("input") && tag != QLatin1String("select") &&
            tag != QLatin1String("textarea"))
            continue;
        Element element;
        element.tag = tag;
        element.type = tag == QLatin1String("input")
                           ? attributes.value(QLatin1String("type")).toString()
                       : tag == QLatin1String("select") ? QStringLiteral("select-one")
                                                        : QStringLiteral("textarea");
        element.name = attributes.value(QLatin1String("name")).toString();
        element.cssClass = attributes.value(QLatin1String("class")).toString();
        element.onclick = attributes.value(QLatin1String("onclick")).toString();
        element.onchange = attributes.value(QLatin1String("onchange")).toString();
        element.value = attributes.value(QLatin1String("value")).toString();
        element.accessKey = attributes.value(QLatin1String("accesskey")).toString();
        if (attributes.hasAttribute(QLatin1String("maxlength")))
            element.maxLength = attributes.value(QLatin1String("maxlength")).toInt();
        element.insideForm = formDepth > 0;
        page.elements.append(element);
        if (tag == QLatin1String("select"))
            select = &page.elements.last();
    }
    if (xml.hasError())
        page.error = QStringLiteral("%1 (line %2)").arg(xml.errorString()).arg(xml.lineNumber());
    return page;
}

QString formFolder()
{
    return QStringLiteral(ORV_TEST_PROGRAM_DIR "/FORM/");
}

QString columnOf(const QString& elementName)
{
    return elementName.mid(4).replace(QLatin1Char('_'), QLatin1Char('-'));
}

// The text a handler puts into the status: window.status='...';
QStringList postedCommands(const QString& handler)
{
    static const QRegularExpression status(QStringLiteral("window\\.status=([^;]*);"));
    static const QRegularExpression literal(QStringLiteral("'([^']*)'"));
    QStringList commands;
    auto statusMatch = status.globalMatch(handler);
    while (statusMatch.hasNext()) {
        auto literals = literal.globalMatch(statusMatch.next().captured(1));
        while (literals.hasNext())
            commands.append(literals.next().captured(1));
    }
    return commands;
}

QStringList entryPages()
{
    QStringList pages;
    for (const CatalogueSection& section : Catalogue::builtIn().sections())
        pages.append(section.page);
    return pages;
}

const QStringList ComaSections = {"C", "D", "E", "F", "N"};

} // namespace

class TestPages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(m_file.ok(), qPrintable(m_file.error())); }

    void pageParses_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& page : entryPages())
            QTest::newRow(qPrintable(page)) << page;
    }
    void pageParses()
    {
        QFETCH(QString, page);
        const Page read = readPage(formFolder() + page);
        QVERIFY2(read.error.isEmpty(), qPrintable(read.error));
        QCOMPARE(read.forms, 1);
        QCOMPARE(read.charset, QStringLiteral("UTF-8"));
        QVERIFY2(read.forbidden.isEmpty(), qPrintable(read.forbidden.join(' ')));
        for (const Element& element : read.elements)
            QVERIFY2(element.insideForm, qPrintable(element.name));
    }

    void boundElementsMatchTheirTable_data() { pageParses_data(); }
    void boundElementsMatchTheirTable()
    {
        QFETCH(QString, page);
        const CatalogueSection* section = Catalogue::builtIn().section(page);
        QVERIFY(section);
        const Page read = readPage(formFolder() + page);
        std::unique_ptr<Database> db = m_file.open();
        QVERIFY(db);
        const TableSchema* schema = db->schema(section->table);
        QVERIFY(schema);
        static const QStringList boundTypes = {"text", "select-one", "checkbox", "textarea",
                                               "hidden"};
        QSet<QString> names;
        for (const Element& element : read.elements) {
            if (element.name.startsWith(QLatin1String("orv"), Qt::CaseInsensitive)) {
                QVERIFY2(element.name.startsWith(QLatin1String("orv_")), qPrintable(element.name));
                QVERIFY2(boundTypes.contains(element.type), qPrintable(element.name));
                QVERIFY2(!names.contains(element.name), qPrintable(element.name));
                names.insert(element.name);
                const int index = schema->indexOf(columnOf(element.name));
                QVERIFY2(index >= 2, qPrintable(element.name));
                const CatalogueItem* item = Catalogue::builtIn().item(columnOf(element.name));
                QVERIFY(item);
                if (item->kind == ItemKind::Code) {
                    QCOMPARE(element.type, QStringLiteral("select-one"));
                    QStringList codes = {QString()};
                    for (const CatalogueChoice& choice : item->choices)
                        codes.append(choice.code);
                    QCOMPARE(element.options, codes);
                } else if (item->kind == ItemKind::Check) {
                    QCOMPARE(element.type, QStringLiteral("checkbox"));
                }
            } else {
                QCOMPARE(element.type, QStringLiteral("button"));
            }
        }
        int items = 0;
        for (const CatalogueGroup& group : section->groups)
            items += int(group.items.size());
        QCOMPARE(int(names.size()), items);
    }

    // One element per column: the columns of a table, less its key, are the bound elements
    // of its pages.
    void everyColumnHasOneElement_data()
    {
        QTest::addColumn<QString>("table");
        for (const QString& table : Catalogue::builtIn().recordTables())
            QTest::newRow(qPrintable(table)) << table;
    }
    void everyColumnHasOneElement()
    {
        QFETCH(QString, table);
        QStringList elements;
        for (const CatalogueSection& section : Catalogue::builtIn().sections()) {
            if (section.table != table)
                continue;
            for (const Element& element : readPage(formFolder() + section.page).elements) {
                if (element.name.startsWith(QLatin1String("orv")))
                    elements.append(columnOf(element.name));
            }
        }
        std::unique_ptr<Database> db = m_file.open();
        QStringList columns;
        for (const ColumnInfo& column : db->schema(table)->columns)
            columns.append(column.name);
        QCOMPARE(columns.mid(0, 2), QStringList({"ID", "基準日"}));
        columns = columns.mid(2);
        for (const QString& column : columns)
            QVERIFY2(!column.contains(QLatin1Char('_')), qPrintable(column));
        elements.sort();
        columns.sort();
        QCOMPARE(elements, columns);
    }

    void commandsAreWellFormed_data() { pageParses_data(); }
    void commandsAreWellFormed()
    {
        QFETCH(QString, page);
        const Page read = readPage(formFolder() + page);
        const QStringList pages = entryPages();
        static const QRegularExpression jump(
            QStringLiteral("^#([A-Z0-9]+)(?:\\|([A-Z0-9]+\\.HTM))?$"));
        static const QRegularExpression pick(
            QStringLiteral("^!(orv_\\w+)\\|yyyy/mm/dd\\|\\|(orv_\\w+)?$"));
        int closes = 0;
        for (const Element& element : read.elements) {
            QStringList commands = postedCommands(element.onclick);
            if (!element.onchange.isEmpty()) {
                QCOMPARE(element.name, QStringLiteral("orv_B1"));
                const QStringList posted = postedCommands(element.onchange)
                                               .filter(QRegularExpression(QStringLiteral("^\\$")));
                QCOMPARE(posted, QStringList({"$KONSUI", "$NOKONSUI"}));
            }
            if (element.type != QLatin1String("button")) {
                QVERIFY2(commands.isEmpty(), qPrintable(element.name));
                continue;
            }
            QCOMPARE(commands.size(), 1);
            const QString command = commands.first();
            if (command.startsWith('#')) {
                const QRegularExpressionMatch match = jump.match(command);
                QVERIFY2(match.hasMatch(), qPrintable(command));
                const CatalogueSection* to = Catalogue::builtIn().section(match.captured(2));
                if (match.captured(2).isEmpty()) {
                    ++closes;
                    QCOMPARE(match.captured(1), Catalogue::builtIn().section(page)->table);
                } else {
                    QVERIFY2(to, qPrintable(command));
                    QCOMPARE(match.captured(1), to->table);
                    QVERIFY(pages.contains(match.captured(2)));
                }
            } else {
                const QRegularExpressionMatch match = pick.match(command);
                QVERIFY2(match.hasMatch(), qPrintable(command));
                const Element* date = read.element(match.captured(1));
                QVERIFY2(date && date->type == QLatin1String("text"), qPrintable(command));
                if (!match.captured(2).isEmpty()) {
                    const Element* age = read.element(match.captured(2));
                    QVERIFY2(age && age->type == QLatin1String("text"), qPrintable(command));
                }
                const CatalogueItem* item = Catalogue::builtIn().item(columnOf(date->name));
                QCOMPARE(item->kind, ItemKind::Date);
            }
        }
        QCOMPARE(closes, 2); // at the top and at the bottom
    }

    // Every page button can be reached with Alt and its letter, which its caption shows.
    void pageButtonsShowTheirAccessKeys_data() { pageParses_data(); }
    void pageButtonsShowTheirAccessKeys()
    {
        QFETCH(QString, page);
        const Page read = readPage(formFolder() + page);
        int buttons = 0;
        for (const Element& element : read.elements) {
            if (!postedCommands(element.onclick).value(0).startsWith('#'))
                continue;
            ++buttons;
            QCOMPARE(element.accessKey.size(), 1);
            QVERIFY2(element.value.contains(QLatin1Char('(') + element.accessKey.toUpper() +
                                            QLatin1Char(')')),
                     qPrintable(element.value));
        }
        QVERIFY(buttons >= 2);
    }

    // An input lets the user type what its column takes: a text up to its size, a date also
    // in the era form with a time.
    void inputsTakeWhatTheirColumnsTake_data() { pageParses_data(); }
    void inputsTakeWhatTheirColumnsTake()
    {
        QFETCH(QString, page);
        const Page read = readPage(formFolder() + page);
        const QString longestDate = QStringLiteral("平成17年12月31日 23:59:59");
        for (const Element& element : read.elements) {
            const CatalogueItem* item = Catalogue::builtIn().item(columnOf(element.name));
            if (!element.name.startsWith(QLatin1String("orv_")) || !item ||
                element.type != QLatin1String("text"))
                continue;
            if (item->daoType == dbText)
                QCOMPARE(element.maxLength, item->size);
            else if (item->daoType == dbDate)
                QVERIFY2(element.maxLength >= longestDate.size(), qPrintable(element.name));
            else
                QVERIFY2(element.maxLength >= 6, qPrintable(element.name));
        }
    }

    void everyDateHasItsPicker()
    {
        for (const CatalogueSection& section : Catalogue::builtIn().sections()) {
            const Page read = readPage(formFolder() + section.page);
            QStringList picked;
            for (const Element& element : read.elements) {
                for (const QString& command : postedCommands(element.onclick)) {
                    if (command.startsWith('!'))
                        picked.append(command.mid(1).section('|', 0, 0));
                }
            }
            for (const CatalogueGroup& group : section.groups) {
                for (const CatalogueItem& item : group.items) {
                    if (item.kind == ItemKind::Date)
                        QVERIFY2(picked.contains(item.elementName()), qPrintable(item.code));
                }
            }
        }
        const Page face = readPage(formFolder() + "KIHON1.HTM");
        QCOMPARE(postedCommands(face.element("cmdDate_1_3_1")->onclick),
                 QStringList({"!orv_1_3_1|yyyy/mm/dd||orv_1_3_2"}));
    }

    void comaClassesFollowTheColumns_data() { pageParses_data(); }
    void comaClassesFollowTheColumns()
    {
        QFETCH(QString, page);
        const Page read = readPage(formFolder() + page);
        const CatalogueSection* section = Catalogue::builtIn().section(page);
        int marked = 0;
        for (const Element& element : read.elements) {
            if (!element.name.startsWith(QLatin1String("orv")))
                continue;
            const CatalogueItem* item = Catalogue::builtIn().item(columnOf(element.name));
            QCOMPARE(element.cssClass == QLatin1String("KONSUI"), item->comaDependent);
            marked += item->comaDependent ? 1 : 0;
        }
        QCOMPARE(marked > 0, ComaSections.contains(section->id));
    }

    // In the coma state the way from B leads to G and back, past C, D, E and F.
    void comaButtons()
    {
        static const QRegularExpression comaClass(
            QStringLiteral("^KONSUI=([A-Z0-9]+\\|[A-Z0-9]+);([A-Z0-9]+\\|[A-Z0-9]+)$"));
        QHash<QString, QStringList> comaTargets;
        for (const QString& page : entryPages()) {
            for (const Element& element : readPage(formFolder() + page).elements) {
                if (!element.cssClass.startsWith(QLatin1String("KONSUI=")))
                    continue;
                QCOMPARE(element.type, QStringLiteral("button"));
                const QRegularExpressionMatch match = comaClass.match(element.cssClass);
                QVERIFY2(match.hasMatch(), qPrintable(element.cssClass));
                QCOMPARE(postedCommands(element.onclick).first(), "#" + match.captured(1) + ".HTM");
                QVERIFY(Catalogue::builtIn().section(match.captured(2).section('|', 1) + ".HTM"));
                comaTargets[page].append(match.captured(2));
            }
        }
        QCOMPARE(comaTargets.keys().size(), 2);
        QCOMPARE(comaTargets.value("B.HTM"), QStringList({"G|G", "G|G"}));
        QCOMPARE(comaTargets.value("G.HTM"), QStringList({"B|B", "B|B"}));
    }

    void mainMenuHasEveryCommandWord()
    {
        const Page menu = readPage(QStringLiteral(ORV_TEST_PROGRAM_DIR "/MainMenu/MainMenuFr.htm"));
        QVERIFY2(menu.error.isEmpty(), qPrintable(menu.error));
        QCOMPARE(menu.charset, QStringLiteral("UTF-8"));
        QVERIFY(menu.forbidden.isEmpty());
        QStringList words;
        for (const Element& element : menu.elements) {
            QCOMPARE(element.type, QStringLiteral("button"));
            const QStringList commands = postedCommands(element.onclick);
            QCOMPARE(commands.size(), 1);
            QVERIFY(commands.first().startsWith('?'));
            words.append(commands.first().mid(1));
        }
        QCOMPARE(words, QStringList({"FACE_NEW", "FACE_EDIT", "ASS_NEW", "ASS_EDIT", "SAM_NEW",
                                     "SAM_EDIT", "DRAG_NEW", "DRAG_EDIT", "FACE_PRINT", "ASS_PRINT",
                                     "SAM_PRINT", "DRAG_PRINT", "RAP_PRINT", "RAPL_PRINT",
                                     "KENTO_PRINT", "PDF_PRINT", "QUIT"}));
    }

    void generatorKeepsTheUsersRecords()
    {
        const QString generator =
            QStringLiteral(ORV_TEST_PROGRAM_DIR "/../catalogue/orv_catalogue_generator");
        QVERIFY(QFile::exists(generator));
        TempFolder folder;
        folder.write("Orv21.db", "records of a user");
        QCOMPARE(QProcess::execute(generator, {folder.path()}), 0);
        QFile kept(folder.file("Orv21.db"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("records of a user"));
        QVERIFY(QFile::exists(folder.file("FORM/T.HTM")));
        QVERIFY(QFile::exists(folder.file("MainMenu/MainMenuFr.htm")));

        TempFolder empty;
        QCOMPARE(QProcess::execute(generator, {empty.path()}), 0);
        std::unique_ptr<Database> db = Database::open(empty.file("Orv21.db"));
        QVERIFY(db);
        QVERIFY(db->schema("RAPName"));
        QVERIFY(!QFile::exists(empty.file("Orv21.db.partial")));

        TempFolder emptyFile;
        emptyFile.write("Orv21.db", QByteArray());
        QCOMPARE(QProcess::execute(generator, {emptyFile.path()}), 0);
        QVERIFY(QFileInfo(emptyFile.file("Orv21.db")).size() > 0);
    }

private:
    TestDatabase m_file;
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
