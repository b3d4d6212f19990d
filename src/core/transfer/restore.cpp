#include "core/transfer/restore.h"

#include "core/backup.h"
#include "core/playlog/playlog.h"
#include "core/rules/iconconcentration.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "core/transfer/fileset.h"
#include "core/transfer/scanfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>

namespace kioku::transfer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

struct CopyName {
    QString fileName;
    QDateTime at;
    int number = 1;
};

// "データ_20261208-141503_2.txt" → データ.txt, 2026/12/08 14:15:03, 2.
bool parseCopyName(const QString &copy, CopyName *out)
{
    static const QRegularExpression pattern(QStringLiteral("^(.+)_(\\d{8}-\\d{6})(?:_(\\d+))?(\\.[^._]+)?$"));
    const QRegularExpressionMatch m = pattern.match(copy);
    if (!m.hasMatch())
        return false;
    out->fileName = m.captured(1) + m.captured(4);
    out->at = QDateTime::fromString(m.captured(2), QStringLiteral("yyyyMMdd-HHmmss"));
    out->number = m.captured(3).isEmpty() ? 1 : m.captured(3).toInt();
    return out->at.isValid();
}

bool isPlayLog(const QString &name)
{
    return name.compare(kPlayLogFile, Qt::CaseInsensitive) == 0;
}

bool isHistory(const QString &name)
{
    return std::any_of(historyFileNames().begin(), historyFileNames().end(),
                       [&](const QString &h) { return h.compare(name, Qt::CaseInsensitive) == 0; });
}

bool isPicture(const QString &name)
{
    return name.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive);
}

// What the copies of a file were made before when no note says it: each kind
// of file is copied by one kind of change.
QString usualReason(const QString &name)
{
    if (isPlayLog(name))
        return QStringLiteral("記録の削除・書き換えの前");
    if (isHistory(name))
        return QStringLiteral("履歴のクリアの前");
    if (name.compare(rules::kIconRecordsFile, Qt::CaseInsensitive) == 0)
        return QStringLiteral("記録のリセットの前");
    return QString();
}

QString number(qsizetype n)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(qlonglong(n));
}

// The lines of raw bytes, without CR LF; blank ones left out.
QList<QByteArrayView> linesOf(const QByteArray &bytes)
{
    QList<QByteArrayView> lines;
    QByteArrayView all(bytes);
    if (text::hasUtf8Mark(all))
        all = all.sliced(3);
    qsizetype from = 0;
    while (from < all.size()) {
        qsizetype lf = all.indexOf('\n', from);
        if (lf < 0)
            lf = all.size();
        QByteArrayView line = all.sliced(from, lf - from);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            lines.append(line);
        from = lf + 1;
    }
    return lines;
}

// Why a copy cannot be put back, "" when it can.
QString damageOf(const QString &fileName, const QByteArray &bytes)
{
    if (isPicture(fileName))
        return bytes.startsWith(QByteArray("\0\0\1\0", 4)) ? QString()
                                                           : QStringLiteral("アイコンの形式ではないため、戻せません。");
    const ScannedText t = decodeText(bytes);
    if (!t.readable)
        return QStringLiteral("Shift-JIS（または BOM 付きの UTF-8）として読めないため、戻せません。");
    if (isPlayLog(fileName)) {
        const bool any =
            std::any_of(t.lines.begin(), t.lines.end(), [](const QString &l) { return isPlayLogRecord(l); });
        if (!any)
            return QStringLiteral("プレイ記録として読める行が一つもないため、戻せません。");
    }
    return QString();
}

} // namespace

QString BackupCopy::difference() const
{
    if (currentMissing)
        return QStringLiteral("今はファイルがありません");
    if (added == 0 && removed == 0)
        return QStringLiteral("今と同じ内容");
    return QStringLiteral("+%1 行 / −%2 行").arg(number(added), number(removed));
}

QList<BackupCopy> listBackups(bool *notesClean)
{
    QList<BackupCopy> list;
    if (notesClean)
        *notesClean = true;
    const QDir folder(QDir::current().filePath(kBackupFolder));
    if (!folder.exists())
        return list;
    const QHash<QString, QString> notes = readNotes(notesClean);
    QHash<QString, QByteArray> currents; // each data file read once
    QList<int> numbers;
    const QStringList entries = folder.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : entries) {
        CopyName name;
        if (entry.startsWith(QLatin1Char('.')) || !parseCopyName(entry, &name))
            continue;
        BackupCopy c;
        c.copyName = entry;
        const QString path = text::resolve(name.fileName);
        c.fileName = QFileInfo(path).exists() ? QFileInfo(path).fileName() : name.fileName;
        c.at = name.at;
        c.reason = notes.value(entry, usualReason(name.fileName));
        QByteArray bytes, now;
        QString reason;
        if (!readWhole(folder.filePath(entry), &bytes, &reason)) {
            c.damaged = true;
            c.problem = reason;
        } else {
            c.problem = damageOf(name.fileName, bytes);
            c.damaged = !c.problem.isEmpty();
        }
        bool existed = false;
        if (!currents.contains(c.fileName)) {
            readCurrent(path, &existed, &now, false);
            currents.insert(c.fileName, now);
        }
        now = currents.value(c.fileName);
        c.currentMissing = !QFileInfo::exists(path);
        if (isPicture(name.fileName)) {
            c.holds = QStringLiteral("%1 バイト").arg(number(bytes.size()));
            c.added = bytes == now ? 0 : 1;
            c.removed = c.added;
        } else {
            const QList<QByteArrayView> mine = linesOf(bytes), theirs = linesOf(now);
            const bool records = isPlayLog(name.fileName) || isHistory(name.fileName);
            c.holds =
                QStringLiteral("%1 %2").arg(number(mine.size()), records ? QStringLiteral("件") : QStringLiteral("行"));
            QHash<QByteArrayView, int> counts;
            counts.reserve(theirs.size());
            for (const QByteArrayView &l : theirs)
                ++counts[l];
            for (const QByteArrayView &l : mine) {
                auto it = counts.find(l);
                if (it != counts.end() && it.value() > 0)
                    --it.value();
                else
                    ++c.added;
            }
            for (auto it = counts.cbegin(); it != counts.cend(); ++it)
                c.removed += it.value();
        }
        list.append(c);
        numbers.append(name.number);
    }
    // The newest first; copies of one second by their number.
    QList<int> order(list.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (list.at(a).at != list.at(b).at)
            return list.at(a).at > list.at(b).at;
        return numbers.at(a) > numbers.at(b);
    });
    QList<BackupCopy> sorted;
    for (int i : order)
        sorted.append(list.at(i));
    return sorted;
}

text::WriteResult restoreBackup(const QString &copyName, const QDateTime &at)
{
    CopyName name;
    const QDir folder(QDir::current().filePath(kBackupFolder));
    if (!parseCopyName(copyName, &name) || copyName.contains(QLatin1Char('/')))
        return text::WriteResult{false, QStringLiteral("「%1」はバックアップのコピーではありません。").arg(copyName)};
    QByteArray bytes;
    QString reason;
    if (!readWhole(folder.filePath(copyName), &bytes, &reason))
        return text::WriteResult{false,
                                 QStringLiteral("コピー「%1」を読み込めませんでした。").arg(copyName) + kCrLf + reason};
    const QString damage = damageOf(name.fileName, bytes);
    if (!damage.isEmpty())
        return text::WriteResult{false,
                                 QStringLiteral("コピー「%1」は傷んでいます。").arg(copyName) + kCrLf + damage + kCrLf
                                     + QStringLiteral("今のファイルはそのまま残してあります。")};
    FileChange change;
    const QString path = text::resolve(name.fileName);
    change.name = QFileInfo(path).fileName();
    const ScannedText current = readCurrent(path, &change.existed, &change.oldBytes, false);
    if (change.existed && !current.readable)
        return text::WriteResult{false,
                                 QStringLiteral("今の「%1」を読み込めないため、戻せません。").arg(change.name) + kCrLf
                                     + current.problem};
    change.bytes = bytes;
    if (change.existed && change.oldBytes == bytes)
        return text::WriteResult(); // already so
    return replaceFiles({change}, at, QStringLiteral("バックアップから戻す前"));
}

} // namespace kioku::transfer
