#pragma once

#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "support/TestDatabase.h"

#include <QStringList>
#include <QtTest>

namespace orv::test {

// The program's record file with a few residents, and a state whose message boxes are
// scripted.
class DialogsFixture
{
public:
    DialogsFixture()
    {
        if (!file.ok())
            qFatal("%s", qPrintable(file.error()));
        state.Db = file.open();
        if (!state.Db)
            qFatal("cannot open %s", qPrintable(file.path()));
        state.msg = &boxes;
        state.CurTable = QStringLiteral("KIHON1");
    }

    // The size of the ID column of the face sheets.
    int idSize()
    {
        const TableSchema* schema = state.Db->schema(QStringLiteral("KIHON1"));
        return schema->columns.at(schema->indexOf(QStringLiteral("ID"))).size;
    }

    static DateValue day(int year, int month, int dayOfMonth)
    {
        return DateValue::fromDate(QDate(year, month, dayOfMonth));
    }

    void exec(const QString& sql, const QVector<Value>& params)
    {
        QString error;
        if (!state.Db->execute(sql, params, &error))
            qFatal("%s", qPrintable(error));
    }

    void addFaceSheet(const QString& id, const DateValue& kijun, const QString& family,
                      const QString& given, const QString& familyReading = QString(),
                      const QString& givenReading = QString(), const Value& birth = Value())
    {
        exec(
            QStringLiteral("INSERT INTO KIHON1([ID], [基準日], [1-1-1], [1-1-2], [1-1-3], [1-1-4], "
                           "[1-3-1]) VALUES(?, ?, ?, ?, ?, ?, ?)"),
            {id, kijun, family, given, familyReading, givenReading, birth});
    }

    void addAssessment(const QString& id, const DateValue& kijun)
    {
        for (char letter = 'A'; letter <= 'R'; ++letter)
            exec(QStringLiteral("INSERT INTO [%1]([ID], [基準日]) VALUES(?, ?)")
                     .arg(QLatin1Char(letter)),
                 {id, kijun});
    }

    void addRecord(const QString& table, const QString& id, const DateValue& kijun)
    {
        exec(QStringLiteral("INSERT INTO [%1]([ID], [基準日]) VALUES(?, ?)").arg(table),
             {id, kijun});
    }

    void addRap(const QString& id, const DateValue& date)
    {
        exec(QStringLiteral("INSERT INTO RAP([ID], [記入日], [RAP]) VALUES(?, ?, '01')"),
             {id, date});
    }

    int count(const QString& table, const QString& id)
    {
        std::unique_ptr<Recordset> rs = state.Db->openRecordset(
            QStringLiteral("SELECT * FROM [%1] WHERE [ID] = ?").arg(table), {id});
        return rs ? rs->recordCount() : -1;
    }

    TestDatabase file;
    ScriptedMessageBox boxes;
    AppState state;
};

} // namespace orv::test
