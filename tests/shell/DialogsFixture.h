#pragma once

#include "common/ScriptedMessageBox.h"
#include "data/AppState.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "support/TempFolder.h"

#include <QStringList>
#include <QtTest>

namespace orv::test {

// A record file with the tables the finder and the dialogs read, and a state whose message
// boxes are scripted.
class DialogsFixture
{
public:
    static constexpr int idSize = 10;

    DialogsFixture()
    {
        QString error;
        state.Db = Database::create(folder.file(QStringLiteral("Orv21.db")), &error);
        if (!state.Db)
            qFatal("%s", qPrintable(error));
        QStringList ddl;
        ddl << QStringLiteral(
                   "CREATE TABLE KIHON1([ID] TEXT(%1) NOT NULL, [基準日] DATETIME NOT NULL, "
                   "[1-1-1] TEXT(20), [1-1-2] TEXT(20), [1-1-3] TEXT(40), [1-1-4] TEXT(40), "
                   "[1-3-1] DATETIME, [1-12] TEXT(10))")
                   .arg(idSize);
        for (char letter = 'A'; letter <= 'T'; ++letter) {
            QString extra;
            if (letter == 'A')
                extra = QStringLiteral(
                    ", [A1-1] TEXT(20), [A1-2] TEXT(20), [A3] TEXT(10), [A5] TEXT(10)");
            else if (letter == 'S' || letter == 'T')
                extra = QStringLiteral(", [%1] TEXT(10), [%2] TEXT(40)")
                            .arg(QLatin1Char(letter) + QStringLiteral("0-1"),
                                 QLatin1Char(letter) + QStringLiteral("0-2"));
            ddl << QStringLiteral(
                       "CREATE TABLE [%1]([ID] TEXT(%2) NOT NULL, [基準日] DATETIME NOT NULL%3)")
                       .arg(QLatin1Char(letter))
                       .arg(idSize)
                       .arg(extra);
        }
        ddl << QStringLiteral(
                   "CREATE TABLE RAP([ID] TEXT(%1) NOT NULL, [記入日] DATETIME NOT NULL, "
                   "[RAP] TEXT(255))")
                   .arg(idSize);
        for (const QString& statement : std::as_const(ddl)) {
            if (!state.Db->execute(statement, {}, &error))
                qFatal("%s", qPrintable(error));
        }
        state.msg = &boxes;
        state.CurTable = QStringLiteral("KIHON1");
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

    TempFolder folder;
    ScriptedMessageBox boxes;
    AppState state;
};

} // namespace orv::test
