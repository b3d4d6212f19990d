#include "core/rules/numbermemory.h"

#include "core/random.h"
#include "core/text/formats.h"

namespace kioku::rules {

const SettingsFormat &numberMemorySettings()
{
    static const SettingsFormat format{kNumberMemorySettingsFile,
                                       {SettingField::integer(8, 1, kDigitPositions),
                                        SettingField::real(0.5f, 0.2f, 30.0f), SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &numberMemoryHistory()
{
    static const HistoryFormat format{kNumberMemoryHistoryFile,
                                      {FieldForm::Text, FieldForm::Text, FieldForm::Text, FieldForm::Int,
                                       FieldForm::Int, FieldForm::Text, FieldForm::Text}};
    return format;
}

QStringList displayTimeItems()
{
    QStringList items{QStringLiteral("0.2"), QStringLiteral("0.5")};
    for (int i = 1; i <= 30; ++i)
        items.append(QString::number(i));
    return items;
}

QStringList digitCountItems()
{
    QStringList items;
    for (int i = 1; i <= kDigitPositions; ++i)
        items.append(QString::number(i));
    return items;
}

QStringList drawDigits(RandomSource &random, int n)
{
    n = qBound(0, n, kDigitPositions);
    random.reseed();
    QStringList digits;
    digits.reserve(n);
    for (int i = 0; i < n; ++i) {
        // Nine values: 9 never comes up.
        const int d = qBound(0, random.below(9), 8);
        digits.append(QString::number(d));
    }
    return digits;
}

DigitJudgement judgeDigits(const QStringList &digits, const QStringList &answers, int n)
{
    DigitJudgement j;
    n = qBound(0, n, kDigitPositions);
    for (int i = 0; i < n; ++i) {
        const QString shown = i < digits.size() ? digits.at(i) : QString();
        const QString typed = i < answers.size() ? answers.at(i) : QString();
        // An empty answer never matches, not even an empty label.
        const bool ok = !typed.isEmpty() && typed == shown;
        j.right.append(ok);
        if (ok)
            ++j.rightCount;
        else
            ++j.wrongCount;
    }
    return j;
}

QString plainDigits(const QString &typed)
{
    QString s = typed;
    for (QChar &c : s)
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QChar(u'0' + (c.unicode() - 0xFF10));
    return s;
}

QString resultMarks(const QStringList &digits, const QStringList &answers, int n)
{
    const DigitJudgement j = judgeDigits(digits, answers, n);
    QString marks;
    for (int i = 0; i < kDigitPositions; ++i) {
        if (i < j.right.size())
            marks += j.right.at(i) ? QStringLiteral("○") : QStringLiteral("×");
        else
            marks += QStringLiteral("－");
    }
    return marks;
}

QString correctRate(int right, int n)
{
    return text::formatPercent(n > 0 ? double(right) / double(n) : 0.0);
}

QString displayTimeText(float seconds)
{
    return text::shortestFloat(seconds) + QStringLiteral("秒");
}

QString summaryText(int right, int wrong, const QString &rate)
{
    return QStringLiteral("暗記数 : ") + QString::number(right + wrong) + QStringLiteral("   正解 : ")
        + QString::number(right) + QStringLiteral("   不正解 : ") + QString::number(wrong)
        + QStringLiteral("   正解率 : ") + rate;
}

HistoryEntry historyEntry(const NumberMemoryResult &r)
{
    return HistoryEntry({text::dateSlash(r.saved.date()), text::timeText(r.saved.time()), r.marks,
                         QString::number(r.right), QString::number(r.wrong), r.rate, displayTimeText(r.displayTime)});
}

PlayRecord playRecord(const NumberMemoryResult &r)
{
    PlayRecord p;
    p.date = text::dateSlash(r.saved.date());
    p.time = text::timeText(r.saved.time());
    p.item = kNumberMemoryName;
    p.seconds = r.displayTime;
    p.comment = summaryText(r.right, r.wrong, r.rate);
    return p;
}

} // namespace kioku::rules
