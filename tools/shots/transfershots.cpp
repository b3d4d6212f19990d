#include "transfershots.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/transfer/import.h"
#include "main/importdialog.h"
#include "main/restoredialog.h"
#include "widgets/appcontext.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace kioku {

namespace {

bool put(const QDir &dir, const QString &name, const QStringList &lines, const QByteArray &tail = QByteArray())
{
    QByteArray bytes;
    if (!transfer::encodeLines(lines, &bytes))
        return false;
    QFile f(dir.filePath(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes + tail) == bytes.size() + tail.size();
}

// An older folder as the older program left it: a few years of plays, a
// garbled line and a record cut off at the end, histories, settings, a memo.
bool writeOldFolder(const QDir &dir)
{
    QStringList log;
    const QStringList items = {QStringLiteral("数字記憶"), QStringLiteral("追跡記憶"), QStringLiteral("輪廻記憶")};
    for (int i = 0; i < 240; ++i)
        log.append(QStringLiteral("\"%1/%2/%3\",\"09:%4:00\",\"%5\",%6,\"\",")
                       .arg(2019 + i / 60)
                       .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                       .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                       .arg(i % 60, 2, 10, QLatin1Char('0'))
                       .arg(items.at(i % 3))
                       .arg(30 + i % 40));
    log.insert(57, QStringLiteral("（ここは手で書き足しました）"));
    bool ok = put(dir, QStringLiteral("データ.TXT"), log, QByteArray("\"2022/12/30\",\"09:1"));
    ok = put(dir, QStringLiteral("数字記憶履歴.TXT"),
             {QStringLiteral("\"2019/01/01\",\"09:00:00\",\"6桁\",6,0,\"1\",\"100.0%\""),
              QStringLiteral("\"2019/13/01\",\"09:00:00\",\"6桁\",6,0,\"1\",\"100.0%\""),
              QStringLiteral("\"2019/02/02\",\"09:00:00\",\"7桁\",6,1,\"1\",\"85.7%\"")})
        && ok;
    ok = put(dir, QStringLiteral("アイコン衰弱記録.TXT"),
             {QStringLiteral("22,\"31.5\""), QStringLiteral("30,\"52.0\""), QStringLiteral("9999,\"9999\""),
              QStringLiteral("9999,\"9999\"")})
        && ok;
    ok = put(dir, QStringLiteral("メモ.TXT"), {QStringLiteral("毎朝ひとつ遊ぶ")}) && ok;
    ok = put(dir, QStringLiteral("氏名.TXT"), {QStringLiteral("\"氏名\",\"花子\"")}) && ok;
    ok = put(dir, QStringLiteral("設定.TXT"), {QStringLiteral("\"ヘルプツアー\",0")}) && ok;
    ok = put(dir, QStringLiteral("時間差辞書.TXT"), {QStringLiteral("りんご"), QStringLiteral("みかん")}) && ok;
    QFile utf8(dir.filePath(QStringLiteral("輪廻記憶履歴.txt")));
    ok = utf8.open(QIODevice::WriteOnly) && utf8.write(QStringLiteral("（UTF-8 の履歴）\r\n").toUtf8()) > 0 && ok;
    return ok;
}

} // namespace

bool shootTransferWindows(AppContext &ctx, const std::function<void(QWidget *, const QString &)> &shoot)
{
    QTemporaryDir old;
    if (!old.isValid() || !writeOldFolder(QDir(old.path())))
        return false;
    const transfer::Preview preview = transfer::scan(old.path());
    {
        auto *dialog = new ImportDialog(ctx, preview);
        dialog->show();
        // The offscreen screen is narrower than a desktop's: the window at the
        // width a desktop gives it, every column in sight.
        dialog->resize(1240, 560);
        shoot(dialog, QStringLiteral("import_preview.png"));
        dialog->close();
    }
    if (!transfer::apply(transfer::plan(preview, transfer::Mode::Merge), ctx.clock.now()).ok)
        return false;
    // A copy that a disk error left damaged, to show how such a copy is listed.
    QFile damaged(QDir(kBackupFolder).filePath(QStringLiteral("数字記憶履歴_20261130-101500.txt")));
    if (!damaged.open(QIODevice::WriteOnly) || damaged.write("\x85\x40\x85\x40\r\n") != 6)
        return false;
    damaged.close();
    {
        auto *dialog = new RestoreDialog(ctx);
        dialog->show();
        dialog->resize(980, 520);
        shoot(dialog, QStringLiteral("restore_list.png"));
        dialog->close();
    }
    return true;
}

} // namespace kioku
