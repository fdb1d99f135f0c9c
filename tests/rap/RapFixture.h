#pragma once

#include "support/TempFolder.h"

#include "common/SaveFileChooser.h"
#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/RecordFinder.h"
#include "data/SchemaBuilder.h"
#include "data/Recordset.h"
#include "rap/TriggerRuleTable.h"

#include <QMap>
#include "support/ScriptedFinder.h"

#include <QQueue>
#include <QtTest>

namespace orv::test {

// Save-dialog double: answers the queued path, empty (cancel) when none.
class ScriptedSaveChooser : public SaveFileChooser
{
public:
    QString chooseSaveFile(const QString& filter, const QString& title) override
    {
        filters << filter;
        titles << title;
        return paths.isEmpty() ? QString() : paths.dequeue();
    }
    QQueue<QString> paths;
    QStringList filters;
    QStringList titles;
};

inline DateValue day(int y, int m, int d)
{
    return DateValue::fromDate(QDate(y, m, d));
}

// A fresh record file of the program's schema, and the state around it.
class RapFixture
{
public:
    RapFixture() : finder(state)
    {
        const QString path = folder.file("Orv21.db");
        QString error;
        if (!SchemaBuilder().createFile(path, &error))
            qFatal("%s", qPrintable(error));
        std::unique_ptr<Database> db = Database::open(path, &error);
        if (!db)
            qFatal("%s", qPrintable(error));
        // Names the sheet tests can predict.
        run(*db, "UPDATE [RAPName] SET [ITEM] = [RAP] || 'の項目'");
        state.Db = std::move(db);
        state.msg = &boxes;
        state.finder = &finder;
        state.saveChooser = &chooser;
        state.folder = ProgramFolder(folder.path());
    }

    Database& db() { return *state.Db; }

    void run(Database& db, const QString& sql, const QVector<Value>& params = {})
    {
        QString error;
        if (!db.execute(sql, params, &error))
            qFatal("%s: %s", qPrintable(sql), qPrintable(error));
    }
    void run(const QString& sql, const QVector<Value>& params = {}) { run(db(), sql, params); }

    // Adds the rows A to P of one assessment through the record store; items as "B4" -> 3,
    // each written to the table of its first letter; the other items the rules read are empty.
    void addAssessment(const QString& id, const DateValue& date,
                       const QMap<QString, Value>& items = {}, const QString& family = "山田",
                       const QString& given = "花子", const QString& leaveOut = QString())
    {
        for (char letter = 'A'; letter <= 'P'; ++letter) {
            const QString table(QChar::fromLatin1(letter));
            if (leaveOut.contains(table))
                continue;
            QString error;
            std::unique_ptr<Recordset> rs = db().openRecordset(table, {}, &error);
            QVERIFY2(rs, qPrintable(error));
            rs->addNew();
            QVERIFY(rs->setValue("ID", id, &error));
            QVERIFY(rs->setValue("基準日", date, &error));
            if (table == "A") {
                QVERIFY(rs->setValue("A1-1", family.isNull() ? Value() : Value(family)));
                QVERIFY(rs->setValue("A1-2", given.isNull() ? Value() : Value(given)));
            }
            // Items not given are empty, whatever default the column has.
            for (const QString& column : TriggerRuleTable::instance().columnsOf(table))
                QVERIFY2(rs->setValue(column, items.value(column), &error), qPrintable(error));
            for (auto it = items.cbegin(); it != items.cend(); ++it) {
                if (it.key().startsWith(table))
                    QVERIFY2(rs->setValue(it.key(), it.value(), &error), qPrintable(error));
            }
            QVERIFY2(rs->update(&error), qPrintable(error));
        }
    }

    QStringList column(const QString& sql, const QVector<Value>& params = {})
    {
        QStringList values;
        std::unique_ptr<Recordset> rs = db().openRecordset(sql, params);
        for (; rs && !rs->eof(); rs->moveNext())
            values << (rs->value(0).isNull() ? QStringLiteral("<null>") : rs->value(0).toText());
        return values;
    }
    // RAPSense as "key:value" in stored order.
    QStringList evidence()
    {
        QStringList rows;
        std::unique_ptr<Recordset> rs =
            db().openRecordset("SELECT [RAPS] || ':' || [VALUE] FROM RAPSense ORDER BY rowid");
        for (; rs && !rs->eof(); rs->moveNext())
            rows << rs->value(0).toText();
        return rows;
    }
    QStringList markedKeys()
    {
        QStringList keys;
        std::unique_ptr<Recordset> rs = db().openRecordset("Trigger");
        for (const QString& key : TriggerRuleTable::instance().keys()) {
            if (rs && !rs->eof() && !NullToStr(rs->value(key)).isEmpty())
                keys << key + "=" + rs->value(key).toText();
        }
        return keys;
    }
    int count(const QString& table)
    {
        return column(QStringLiteral("SELECT count(*) FROM [%1]").arg(table)).value(0).toInt();
    }
    QStringList rapRows()
    {
        return column("SELECT [ID] || ' ' || [記入日] || ' ' || COALESCE([RAP],'<null>') FROM RAP "
                      "ORDER BY [ID], [記入日]");
    }

    TempFolder folder;
    AppState state;
    ScriptedMessageBox boxes;
    ScriptedFinder finder;
    ScriptedSaveChooser chooser;
};

} // namespace orv::test
