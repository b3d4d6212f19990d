#pragma once
// A folder laid out as the older program left it (names in mixed letter case,
// code page 932 with CR LF, a record cut off at the end of the log, records
// the data folder holds too, a history line that cannot be read, a history in
// UTF-8 with its mark and one in UTF-8 without it), and a data folder to take
// it into. Shared by the tests of the import, its write failures and its window.
#include "testsupport.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

namespace moveinfixture {

inline QByteArray lines(const QStringList &l)
{
    return sjisLines(l);
}

// The play log's lines.
inline const QString kC1 = QStringLiteral("\"2024/03/02\",\"10:00:00\",\"輪廻記憶\",45.5,\"覚えた数 : 12\",\"\"");
inline const QString kC2 = QStringLiteral("\"2025/01/01\",\"12:00:00\",\"数字記憶\",30,\"暗記数 : 8\",");
inline const QString kO1 = QStringLiteral("\"2024/03/01\",\"09:00:00\",\"数字記憶\",30,\"暗記数 : 6\",");
inline const QString kO2 = QStringLiteral("\"2024/03/02\",\"10:00:00\",\"輪廻記憶\",45.5,\"覚えた数 : 12\",");
inline const QString kO4 = QStringLiteral("\"2026/12/01\",\"08:00:00\",\"追跡記憶\",20,\"ステージ : 5\",");
// The number-memory history's lines.
inline const QString kH1 = QStringLiteral("\"2025/01/01\",\"12:00:00\",\"8桁\",8,0,\"1\",\"100.0%\"");
inline const QString kHO1 = QStringLiteral("\"2024/03/01\",\"09:00:00\",\"6桁\",6,0,\"1\",\"100.0%\"");
inline const QString kHBad = QStringLiteral("\"2024/13/45\",\"99:00:00\",\"6桁\",6,0,\"1\",\"100.0%\"");
inline const QString kImageLine = QStringLiteral("\"2024/05/05\",\"15:00:00\",\"5枚\",5,0,\"2\",\"100.0%\"");

inline QByteArray icon(char fill)
{
    return QByteArray("\0\0\1\0\1\0", 6) + QByteArray(40, fill);
}

// Writes the old folder into `dir`.
inline void writeOldFolder(const QString &dir)
{
    const QDir d(dir);
    const auto put = [&](const QString &name, const QByteArray &bytes) {
        QFile f(d.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    };
    // The last record was cut off as it was written: no line end, its time unfinished.
    put(QStringLiteral("データ.TXT"),
        lines({kO1, kO2, QStringLiteral("壊れた行です"), kO4}) + sjis(QStringLiteral("\"2026/12/02\",\"09:1")));
    put(QStringLiteral("数字記憶履歴.TXT"), lines({kHO1, kHBad, kH1}));
    put(QStringLiteral("画像記憶履歴.txt"),
        QByteArray("\xEF\xBB\xBF") + (kImageLine + QStringLiteral("\r\n")).toUtf8());
    // UTF-8 without its mark: full-width brackets are no code page 932.
    put(QStringLiteral("輪廻記憶履歴.txt"),
        QStringLiteral("\"2024/03/02\",\"10:00:00\",\"（輪廻）\",3,\"2\",\"1\"").toUtf8() + "\r\n");
    put(QStringLiteral("アイコン衰弱記録.TXT"),
        lines({QStringLiteral("25,\"45.0\""), QStringLiteral("40,\"60\""), QStringLiteral("こわれた"),
               QStringLiteral("9999,\"9999\"")}));
    put(QStringLiteral("メモ.txt"), lines({QStringLiteral("昔のメモ")}));
    put(QStringLiteral("氏名.TXT"), lines({QStringLiteral("\"氏名\",\"太郎\"")}));
    put(QStringLiteral("設定.TXT"), lines({QStringLiteral("\"ヘルプツアー\",0")}));
    put(QStringLiteral("数字記憶設定.TXT"), lines({QStringLiteral("8,\"0.5\",1")}));
    put(QStringLiteral("時間差辞書.TXT"), lines({QStringLiteral("みかん"), QStringLiteral("ぶどう")}));
    put(QStringLiteral("目標.txt"), lines({QStringLiteral("30")}));
    put(QStringLiteral("文字の大きさ.txt"), lines({QStringLiteral("小")}));
    put(QStringLiteral("フランス.ICO"), icon('F'));
    put(QStringLiteral("ドイツ.ico"), icon('D'));
    put(QStringLiteral("壊れ.ico"), QByteArray("not an icon"));
    put(QStringLiteral("kioku.exe"), QByteArray("MZ\x90\0", 4));
    put(QStringLiteral("SoramiruHelp.html"), QByteArray("<html></html>"));
}

// The data folder's own files, written into the working folder.
inline QMap<QString, QByteArray> currentFiles()
{
    return {
        {QStringLiteral("データ.txt"), lines({kC1, kC2})},
        {QStringLiteral("数字記憶履歴.txt"), lines({kH1})},
        {QStringLiteral("アイコン衰弱記録.txt"),
         lines({QStringLiteral("30,\"40.5\""), QStringLiteral("9999,\"9999\""), QStringLiteral("50,\"80\""),
                QStringLiteral("9999,\"9999\"")})},
        {QStringLiteral("メモ.TXT"), lines({QStringLiteral("今日の目標"), QStringLiteral("毎日続ける")})},
        {QStringLiteral("氏名.txt"), lines({QStringLiteral("\"氏名\",\"花子\"")})},
        {QStringLiteral("設定.txt"), lines({QStringLiteral("\"ヘルプツアー\",1")})},
        {QStringLiteral("時間差辞書.txt"), lines({QStringLiteral("りんご"), QStringLiteral("みかん")})},
        {QStringLiteral("文字の大きさ.txt"), lines({QStringLiteral("大")})},
        {QStringLiteral("フランス.ico"), icon('f')},
    };
}

inline void writeCurrentFolder()
{
    const QMap<QString, QByteArray> files = currentFiles();
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QFile f(QDir::current().filePath(it.key()));
        if (f.open(QIODevice::WriteOnly))
            f.write(it.value());
    }
}

// Name → checksum of every file of `dir` (sub-folders left out).
inline QMap<QString, QByteArray> checksums(const QString &dir)
{
    QMap<QString, QByteArray> sums;
    const QDir d(dir);
    for (const QString &name : d.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile f(d.filePath(name));
        if (f.open(QIODevice::ReadOnly))
            sums.insert(name, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex());
    }
    return sums;
}

} // namespace moveinfixture
