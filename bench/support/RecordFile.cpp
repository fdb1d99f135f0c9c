#include "RecordFile.h"

#include "data/DaoType.h"
#include "data/Database.h"
#include "data/SchemaBuilder.h"

#include <QRandomGenerator>
#include <QStringList>

#include <memory>

namespace orv::bench {

namespace {

const char* const Families[] = {"山田", "佐藤", "鈴木", "高橋", "田中", "渡辺", "伊藤",
                                "中村", "小林", "加藤", "吉田", "山本", "松本", "井上",
                                "木村", "林",   "清水", "山崎", "森",   "池田"};
const char* const FamilyReadings[] = {"やまだ",   "さとう",   "すずき",   "たかはし", "たなか",
                                      "わたなべ", "いとう",   "なかむら", "こばやし", "かとう",
                                      "よしだ",   "やまもと", "まつもと", "いのうえ", "きむら",
                                      "はやし",   "しみず",   "やまざき", "もり",     "いけだ"};
const char* const Givens[] = {"花子", "一郎", "太郎", "幸子", "和子",
                              "次郎", "節子", "清",   "茂",   "トメ"};
const char* const GivenReadings[] = {"はなこ", "いちろう", "たろう", "さちこ", "かずこ",
                                     "じろう", "せつこ",   "きよし", "しげる", "とめ"};
constexpr int FamilyCount = int(std::size(Families));
constexpr int GivenCount = int(std::size(Givens));

// The record's own date and the resident's name where the program puts them when it makes
// the row; everything else as a user enters it.
struct Record
{
    int resident = 0;
    DateValue date;
};

Value nameColumn(const QString& column, const Record& record)
{
    static const QStringList faceSheet = {"1-1-1", "1-1-2", "1-1-3", "1-1-4"};
    static const QStringList sectionA = {"A1-1", "A1-2", "A1-3", "A1-4"};
    int part = int(faceSheet.indexOf(column));
    if (part < 0)
        part = int(sectionA.indexOf(column));
    switch (part) {
    case 0:
        return familyName(record.resident);
    case 1:
        return givenName(record.resident);
    case 2:
        return familyReading(record.resident);
    case 3:
        return givenReading(record.resident);
    default:
        return Value();
    }
}

Value valueFor(const ColumnInfo& column, const Record& record, QRandomGenerator& random)
{
    static const QStringList dateTexts = {"1-12", "A3", "S0-1", "T0-1"};
    if (column.name == QLatin1String("ID"))
        return residentId(record.resident);
    if (column.name == QStringLiteral("基準日"))
        return record.date;
    if (dateTexts.contains(column.name))
        return record.date.date().toString(QStringLiteral("yyyy/MM/dd"));
    const Value name = nameColumn(column.name, record);
    if (!name.isNull())
        return name;
    switch (column.type) {
    case dbByte:
    case dbInteger:
    case dbLong: {
        // Mostly 0, as most items of an assessment are.
        const int draw = int(random.bounded(10));
        return Value(qint64(draw < 6 ? 0 : draw - 5));
    }
    case dbSingle:
    case dbDouble:
        return Value(random.bounded(1000) / 10.0);
    case dbDate:
        return DateValue::fromDate(QDate(1925, 1, 1).addDays(random.bounded(20000)));
    case dbText:
        return QStringLiteral("記入%1").arg(random.bounded(100)).left(column.size);
    case dbMemo:
        return QStringLiteral("特記事項なし");
    default:
        return Value();
    }
}

// Inserts rows of one table with every column given.
class RowWriter
{
public:
    RowWriter(Database& db, const QString& table) : m_db(db), m_schema(*db.schema(table))
    {
        m_sql = QStringLiteral("INSERT INTO [%1] VALUES(?%2)")
                    .arg(table, QStringLiteral(",?").repeated(m_schema.columns.size() - 1));
    }

    bool write(const Record& record, QRandomGenerator& random, QString* error)
    {
        QVector<Value> values;
        values.reserve(m_schema.columns.size());
        for (const ColumnInfo& column : m_schema.columns)
            values.append(valueFor(column, record, random));
        return m_db.execute(m_sql, values, error);
    }

private:
    Database& m_db;
    const TableSchema m_schema;
    QString m_sql;
};

} // namespace

QString residentId(int resident)
{
    return QStringLiteral("R%1").arg(resident, 6, 10, QLatin1Char('0'));
}

DateValue assessmentDate(int assessment)
{
    return DateValue::fromDate(QDate(2005, 4, 1).addMonths(3 * assessment));
}

QString familyName(int resident)
{
    return QString::fromUtf8(Families[resident % FamilyCount]);
}

QString givenName(int resident)
{
    return QString::fromUtf8(Givens[(resident / FamilyCount) % GivenCount]);
}

QString familyReading(int resident)
{
    return QString::fromUtf8(FamilyReadings[resident % FamilyCount]);
}

QString givenReading(int resident)
{
    return QString::fromUtf8(GivenReadings[(resident / FamilyCount) % GivenCount]);
}

bool buildRecordFile(const QString& path, int assessments, Records records, QString* error)
{
    QString failure;
    if (!error)
        error = &failure;
    if (!SchemaBuilder().createFile(path, error))
        return false;
    auto db = Database::open(path, error);
    if (!db)
        return false;
    RowWriter faceSheet(*db, QStringLiteral("KIHON1"));
    QVector<std::shared_ptr<RowWriter>> writers;
    const char last = records == Records::AssessmentsAndSummaries ? 'T' : 'R';
    for (char table = 'A'; table <= last; ++table)
        writers.append(std::make_shared<RowWriter>(*db, QString(QLatin1Char(table))));
    const QString rapRow = QStringLiteral("INSERT INTO [RAP] ([ID],[記入日],[RAP]) VALUES (?,?,?)");
    QRandomGenerator random(20050817);
    TransactionGuard transaction(*db);
    for (int n = 0; n < assessments; ++n) {
        const Record record{n / AssessmentsEach, assessmentDate(n % AssessmentsEach)};
        bool ok = n % AssessmentsEach != 0 || faceSheet.write(record, random, error);
        for (const auto& writer : std::as_const(writers))
            ok = ok && writer->write(record, random, error);
        ok = ok && db->execute(rapRow,
                               {residentId(record.resident), record.date,
                                QStringLiteral("01,05a,10b,17,20")},
                               error);
        if (!ok)
            return false;
    }
    return transaction.commit(error);
}

} // namespace orv::bench
