#include "data/FailureMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

#include <cerrno>

namespace orv {

namespace {

using Kind = FailureMessage::Kind;

struct KindText
{
    Kind kind;
    const char* what;   // %1: the file
    const char* wayOut; // %1: the file's name; followed by the retry unless the kind says
    bool backupHelps;
    const char* withoutBackup = ""; // the way out when no sound backup is there; %1: file name
    bool ownRetry = false;          // the way out says itself what to do next
};

const KindText Texts[] = {
    {Kind::Missing, "ファイル '%1' が見つかりません。",
     "プログラムのフォルダーにファイルを置いてから、もう一度起動してください。", true, "", true},
    {Kind::NotAFile, "'%1' はファイルではありません（同じ名前のフォルダーなどがあります）。",
     "それを別の場所へ移してから、もう一度起動してください。", true, "", true},
    {Kind::Damaged, "データベース '%1' は壊れているため使えません。", "", true,
     "ほかに保管しているバックアップがあれば、それを '%1' "
     "という名前で置いてから起動してください。"},
    {Kind::ReadOnly, "'%1' に書き込めません。ファイルかフォルダーが読み取り専用になっています。",
     "読み取り専用の設定を外してから、", false},
    {Kind::ReadOnlyFile, "'%1' は読み取り専用のファイルなので、書き込めません。",
     "ファイルのプロパティの「アクセス権」で書き込みを許可してから、", false},
    {Kind::ReadOnlyDrive,
     "'%1' は読み取り専用の場所（CD や読み取り専用でつないだドライブなど）にあるため、"
     "書き込めません。",
     "プログラムのフォルダーをまるごと書き込みのできる場所へコピーして、そこから起動してくださ"
     "い。",
     false, "", true},
    {Kind::Unchangeable, "'%1' は変更できないように設定されています（変更不可の属性）。",
     "その設定を外してから、", false},
    {Kind::NoAccess, "'%1' を使う権限がありません。",
     "ファイルとフォルダーのアクセス権を確かめてから、", false},
    {Kind::DiskFull, "ディスクの空き容量が足りないため、'%1' に書き込めません。",
     "不要なファイルを削除して空き容量を増やしてから、", false},
    {Kind::InUse, "'%1' はほかのプログラムが使用中です。", "そのプログラムを終了してから、", false},
    {Kind::Unreadable,
     "'%1' を読み書きできません（ディスクの障害や、使用中のファイルの移動・削除などが考えられ"
     "ます）。",
     "プログラムを終了してから、もう一度起動してください。", true, "", true},
    {Kind::PageMissing, "画面のファイル '%1' が見つかりません。",
     "プログラムのフォルダーに画面のファイルを戻すか、プログラムを入れ直してください。", false, "",
     true},
    {Kind::LockUnusable,
     "'%1' を開けないため、ほかにこのプログラムを使っている人がいるかどうか確かめられません。",
     "ほかに使っている人がいないことを確かめてから '%1' を削除し、もう一度起動してください。",
     false, "", true},
    {Kind::Other, "'%1' の処理でエラーが発生しました。", "", false},
};

QString retryText(FailureMessage::Retry retry)
{
    return retry == FailureMessage::Retry::Start ? QStringLiteral("もう一度起動してください。")
                                                 : QStringLiteral("もう一度操作してください。");
}

const KindText& textOf(Kind kind)
{
    for (const KindText& entry : Texts) {
        if (entry.kind == kind)
            return entry;
    }
    return Texts[std::size(Texts) - 1];
}

QString backupPathOf(const QString& file)
{
    const QFileInfo info(file);
    return info.dir().filePath(QLatin1Char('_') + info.fileName());
}

QString backupAdvice(const QString& file, const QString& backup)
{
    const QString name = QFileInfo(file).fileName();
    const QString backupName = QFileInfo(backup).fileName();
    return QStringLiteral("'%1' に、最後に起動した時点のデータが残っています。"
                          "それを使うには、プログラムを終了したまま '%2' を別の名前に変えて残し、"
                          "'%1' をコピーして '%2' という名前にしてから起動してください。")
        .arg(backupName, name);
}

} // namespace

Kind FailureMessage::ofErrno(int error)
{
    switch (error) {
    case ENOENT:
        return Kind::Missing;
    case EISDIR:
    case ENOTDIR:
        return Kind::NotAFile;
    case EACCES:
    case EPERM:
        return Kind::NoAccess;
    case EROFS:
        return Kind::ReadOnly;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return Kind::DiskFull;
    case EBUSY:
    case ETXTBSY:
        return Kind::InUse;
    case EIO:
        return Kind::Unreadable;
    default:
        return Kind::Other;
    }
}

Kind FailureMessage::ofSqlite(int extendedCode, int systemError)
{
    if (extendedCode == SQLITE_READONLY_DBMOVED)
        return Kind::Unreadable;
    switch (extendedCode & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return Kind::Damaged;
    case SQLITE_READONLY:
        return Kind::ReadOnly;
    case SQLITE_FULL:
        return Kind::DiskFull;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Kind::InUse;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return Kind::NoAccess;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR: {
        const Kind kind = ofErrno(systemError);
        return kind == Kind::Other ? Kind::Unreadable : kind;
    }
    default:
        return Kind::Other;
    }
}

QString FailureMessage::text(Kind kind, const QString& file, const QString& technical, Retry retry)
{
    const KindText& entry = textOf(kind);
    QString message = QString::fromUtf8(entry.what).arg(QDir::toNativeSeparators(file));
    if (*entry.wayOut) {
        QString wayOut = QString::fromUtf8(entry.wayOut);
        if (wayOut.contains(QLatin1String("%1")))
            wayOut = wayOut.arg(QFileInfo(file).fileName());
        message += entry.ownRetry ? wayOut : wayOut + retryText(retry);
    }
    if (entry.backupHelps) {
        const QString backup = soundBackupOf(file);
        if (!backup.isEmpty())
            message += QLatin1Char('\n') + backupAdvice(file, backup);
        else if (*entry.withoutBackup)
            message += QString::fromUtf8(entry.withoutBackup).arg(QFileInfo(file).fileName());
    }
    if (!technical.isEmpty())
        message += QLatin1Char('\n') + technical;
    return message;
}

FailureMessage::Kind FailureMessage::kindOf(sqlite3* handle)
{
    return handle ? ofSqlite(sqlite3_extended_errcode(handle), sqlite3_system_errno(handle))
                  : Kind::Other;
}

QString FailureMessage::technicalOf(sqlite3* handle)
{
    if (!handle)
        return QString();
    QString technical = QString::fromUtf8(sqlite3_errmsg(handle));
    const int primary = sqlite3_extended_errcode(handle) & 0xff;
    const int systemError = sqlite3_system_errno(handle);
    if (systemError != 0 && (primary == SQLITE_CANTOPEN || primary == SQLITE_IOERR))
        technical += QStringLiteral(" (%1)").arg(qt_error_string(systemError));
    return technical;
}

QString FailureMessage::ofConnection(sqlite3* handle, const QString& file, Retry retry)
{
    if (!handle)
        return QStringLiteral("データベースが開かれていません。");
    const char* name = sqlite3_db_filename(handle, "main");
    const QString path = name && *name ? QFile::decodeName(name) : file;
    return text(kindOf(handle), path, technicalOf(handle), retry);
}

QString FailureMessage::soundBackupOf(const QString& file)
{
    const QString backup = backupPathOf(file);
    if (file.isEmpty() || !QFileInfo(backup).isFile() || QFileInfo(backup).size() == 0)
        return QString();
    // Immutable: read as it lies, with no lock taken and no journal made beside it.
    const QByteArray uri = QUrl::fromLocalFile(backup).toEncoded() + "?immutable=1";
    sqlite3* handle = nullptr;
    bool sound = false;
    if (sqlite3_open_v2(uri.constData(), &handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, "PRAGMA quick_check(1)", -1, &statement, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            sound = qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                            "ok") == 0;
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(handle);
    return sound ? backup : QString();
}

} // namespace orv
