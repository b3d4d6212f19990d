// A game window's own files: the settings line and the history file, and how
// the history is filtered.
#include "core/game/gamesettings.h"
#include "core/game/history.h"
#include "core/game/historyview.h"
#include "core/rules/numbermemory.h"
#include "core/text/textfile.h"
#include "testsupport.h"

#include <QtTest>

using namespace kioku;

namespace {

// A settings line with a number, a decimal and a text, like the typing games'.
SettingsFormat mixedFormat()
{
    return SettingsFormat{QStringLiteral("時間差設定.txt"),
                          {SettingField::integer(20, 1, 100), SettingField::real(0.5f, 0.1f, 1.0f),
                           SettingField::text(QStringLiteral("2回"), {QStringLiteral("1回"), QStringLiteral("2回")}),
                           SettingField::integer(1, 0, 1)}};
}

HistoryFormat iconFormat()
{
    return HistoryFormat{QStringLiteral("アイコン衰弱履歴.txt"),
                         {FieldForm::Text, FieldForm::Text, FieldForm::Text, FieldForm::OptionalText, FieldForm::Text,
                          FieldForm::Text, FieldForm::OptionalText, FieldForm::OptionalText}};
}

} // namespace

class tst_GameFiles : public QObject {
    Q_OBJECT
private slots:
    void settingsLineIsReadFieldByField_data();
    void settingsLineIsReadFieldByField();
    void missingSettingsFileReadsAsDefaults();
    void failedSettingsWriteLeavesTheFile();
    void textSettingsAreQuoted();
    void aSpareValueIsWrittenBackAsRead_data();
    void aSpareValueIsWrittenBackAsRead();
    void shortAndBlankHistoryLinesAreTolerated();
    void optionalFieldsAreWrittenAsNothing();
    void filtersMatch_data();
    void filtersMatch();
};

void tst_GameFiles::settingsLineIsReadFieldByField_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("defaulted");
    // A value there that is not valid for its field (a missing one is no fault).
    QTest::addColumn<bool>("garbled");
    QTest::newRow("as written") << "8,0.5,1"
                                << "8,0.5,1" << false << false;
    QTest::newRow("fraction without leading zero") << "8,.2,0"
                                                   << "8,0.2,0" << false << false;
    QTest::newRow("short line keeps what is there") << "5"
                                                    << "5,0.5,1" << true << false;
    QTest::newRow("garbled digit count") << "abc,0.5,0"
                                         << "8,0.5,0" << true << true;
    QTest::newRow("digit count out of range") << "40,1,1"
                                              << "8,1,1" << true << true;
    QTest::newRow("auto-save flag not 0 or 1") << "8,0.5,7"
                                               << "8,0.5,1" << true << true;
    QTest::newRow("a number with trailing text") << "8x,0.5,1"
                                                 << "8,0.5,1" << true << true;
    QTest::newRow("extra fields are ignored") << "8,0.5,1,zzz"
                                              << "8,0.5,1" << false << false;
}

void tst_GameFiles::settingsLineIsReadFieldByField()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QFETCH(bool, defaulted);
    QFETCH(bool, garbled);
    bool d = !defaulted;
    bool g = !garbled;
    const GameSettings s = GameSettings::fromLine(rules::numberMemorySettings(), line, &d, &g);
    QCOMPARE(s.line(), expected);
    QCOMPARE(d, defaulted);
    QCOMPARE(g, garbled);
}

void tst_GameFiles::missingSettingsFileReadsAsDefaults()
{
    TempDataDir dir;
    bool defaulted = false;
    GameSettings s = GameSettings::read(rules::numberMemorySettings(), &defaulted);
    QVERIFY(defaulted);
    QCOMPARE(s.line(), QStringLiteral("8,0.5,1"));
    QVERIFY(!dir.exists(rules::kNumberMemorySettingsFile)); // reading never writes

    // A file of undecodable bytes reads as defaults too.
    QVERIFY(dir.write(rules::kNumberMemorySettingsFile, QByteArray("\x81\xff\x82", 3)));
    s = GameSettings::read(rules::numberMemorySettings(), &defaulted);
    QVERIFY(defaulted);
    QCOMPARE(s.line(), QStringLiteral("8,0.5,1"));

    // Blank lines before the values are skipped.
    QVERIFY(dir.write(rules::kNumberMemorySettingsFile, "\r\n12,3,0\r\n"));
    s = GameSettings::read(rules::numberMemorySettings(), &defaulted);
    QVERIFY(!defaulted);
    QCOMPARE(s.line(), QStringLiteral("12,3,0"));
}

void tst_GameFiles::failedSettingsWriteLeavesTheFile()
{
    TempDataDir dir;
    GameSettings s(rules::numberMemorySettings());
    s.setInt(rules::NumberMemorySetting::DigitCount, 15);
    QVERIFY(s.write());
    QCOMPARE(dir.bytes(rules::kNumberMemorySettingsFile), QByteArray("15,0.5,1\r\n"));
    s.setInt(rules::NumberMemorySetting::DigitCount, 3);
    FileSizeLimit full(4); // the system refuses the line past its fourth byte
    const text::WriteResult r = s.write();
    full.lift();
    QVERIFY(!r.ok);
    QVERIFY(!r.message.isEmpty());
    QCOMPARE(dir.bytes(rules::kNumberMemorySettingsFile), QByteArray("15,0.5,1\r\n"));
}

void tst_GameFiles::textSettingsAreQuoted()
{
    TempDataDir dir;
    GameSettings s = GameSettings::fromLine(mixedFormat(), QStringLiteral("20,.5,\"1回\",0"));
    QCOMPARE(s.text(2), QStringLiteral("1回"));
    QCOMPARE(s.line(), QStringLiteral("20,0.5,\"1回\",0"));
    s.setText(2, QStringLiteral("2回"));
    QVERIFY(s.write());
    QCOMPARE(dir.bytes(QStringLiteral("時間差設定.txt")), sjis(QStringLiteral("20,0.5,\"2回\",0\r\n")));
    // A text that is not one of the offered values reads as the default.
    QCOMPARE(GameSettings::fromLine(mixedFormat(), QStringLiteral("20,0.5,\"3回\",0")).text(2), QStringLiteral("2回"));
}

void tst_GameFiles::aSpareValueIsWrittenBackAsRead_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("written");
    QTest::newRow("a whole number") << "7,0.3,1"
                                    << "7,0.3,1";
    QTest::newRow("a negative number") << "-3,0.3,1"
                                       << "-3,0.3,1";
    QTest::newRow("a decimal") << "2.5,0.3,0"
                               << "2.5,0.3,0";
    QTest::newRow("a text") << "\"abc\",0.3,1"
                            << "\"abc\",0.3,1";
    QTest::newRow("missing") << ""
                             << "0,0.5,1";
}

void tst_GameFiles::aSpareValueIsWrittenBackAsRead()
{
    // The tracking game's first value is a spare: whatever it holds goes back unchanged.
    QFETCH(QString, line);
    QFETCH(QString, written);
    const SettingsFormat format{QStringLiteral("追跡記憶設定.txt"),
                                {SettingField::kept(QStringLiteral("0")), SettingField::real(0.5f, 0.1f, 1.0f),
                                 SettingField::integer(1, 0, 1)}};
    QCOMPARE(GameSettings::fromLine(format, line).line(), written);
}

void tst_GameFiles::shortAndBlankHistoryLinesAreTolerated()
{
    TempDataDir dir;
    QVERIFY(dir.write(rules::kNumberMemoryHistoryFile,
                      sjisLines({"\"2026/12/07\",\"14:05:33\"", "", "   ", "\"2026/12/08\",\"x\",\"○\",abc,2"})));
    const HistoryFile h = readHistory(rules::numberMemoryHistory());
    QCOMPARE(h.entries.size(), 2);
    QCOMPARE(h.entries.at(0).count(), 7);
    QCOMPARE(h.entries.at(0).field(7), QString());
    QCOMPARE(h.entries.at(1).intField(4), 0);
    QCOMPARE(h.entries.at(1).intField(5), 2);
    QCOMPARE(h.entries.at(1).field(99), QString());
}

void tst_GameFiles::optionalFieldsAreWrittenAsNothing()
{
    const HistoryEntry e({"2026/12/07", "14:05:33", "ノーマル", "", "25回", "34.5", "○", ""});
    QCOMPARE(e.line(iconFormat()),
             QStringLiteral("\"2026/12/07\",\"14:05:33\",\"ノーマル\",,\"25回\",\"34.5\",\"○\","));
    const HistoryEntry back = HistoryEntry::parse(e.line(iconFormat()), 8);
    QCOMPARE(back, e);
}

void tst_GameFiles::filtersMatch_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("matches");
    // The entry: 6 right, 2 wrong, "1秒", lag "2".
    const int sum = int(MatchRule::SumEquals);
    const int suffix = int(MatchRule::EqualsWithSuffix);
    const int first = int(MatchRule::EqualsFirstChar);
    const int equals = int(MatchRule::Equals);
    QTest::newRow("right + wrong = 8") << sum << "8" << true;
    QTest::newRow("right + wrong ≠ 6") << sum << "6" << false;
    QTest::newRow("empty choice matches nothing") << sum << "" << false;
    QTest::newRow("1 matches 1秒") << suffix << "1" << true;
    QTest::newRow("1 does not match 10秒 nor 0.1秒") << suffix << "10" << false;
    QTest::newRow("1.0 is not 1") << suffix << "1.0" << false;
    QTest::newRow("2回 matches lag 2") << first << "2回" << true;
    QTest::newRow("1回 does not") << first << "1回" << false;
    QTest::newRow("exact level") << equals << "ハード" << true;
    QTest::newRow("level with a blank") << equals << "ハード " << false;
}

void tst_GameFiles::filtersMatch()
{
    QFETCH(int, rule);
    QFETCH(QString, chosen);
    QFETCH(bool, matches);
    const HistoryEntry e({"2026/12/07", "14:05:33", "ハード", "6", "2", "75.0%", "1秒", "", "", "2"});
    FilterRule r;
    r.rule = MatchRule(rule);
    switch (r.rule) {
    case MatchRule::SumEquals:
        r.field = 4;
        r.field2 = 5;
        break;
    case MatchRule::EqualsWithSuffix:
        r.field = 7;
        r.suffix = QStringLiteral("秒");
        break;
    case MatchRule::EqualsFirstChar:
        r.field = 10;
        break;
    case MatchRule::Equals:
        r.field = 3;
        break;
    }
    QCOMPARE(matchesFilter(e, r, chosen), matches);
}

QTEST_GUILESS_MAIN(tst_GameFiles)
#include "tst_gamefiles.moc"
