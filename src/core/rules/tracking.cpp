#include "core/rules/tracking.h"

#include "core/random.h"
#include "core/text/formats.h"

namespace kioku::rules {

QStringList lightingTimeItems()
{
    QStringList items;
    for (int i = 1; i <= 9; ++i)
        items.append(QStringLiteral("0.%1").arg(i));
    items.append(QStringLiteral("1"));
    return items;
}

QString lightingTimeText(float seconds)
{
    return text::shortestFloat(seconds);
}

const SettingsFormat &trackingSettings()
{
    static const SettingsFormat format{gameInfo(Game::Tracking).settingsFile,
                                       {SettingField::kept(QStringLiteral("0")), SettingField::real(0.5f, 0.1f, 1.0f),
                                        SettingField::integer(1, 0, 1)}};
    return format;
}

const HistoryFormat &trackingHistory()
{
    static const HistoryFormat format{gameInfo(Game::Tracking).historyFile,
                                      {FieldForm::Text, FieldForm::Text, FieldForm::Int, FieldForm::Int, FieldForm::Int,
                                       FieldForm::Text, FieldForm::Text}};
    return format;
}

QString panelName(int panel)
{
    static const char *const names[kPanels] = {"左上段", "中央上段", "右上段",   "左中段", "中央中段",
                                               "右中段", "左下段",   "中央下段", "右下段"};
    if (panel < 1 || panel > kPanels)
        return QString();
    return QString::fromUtf8(names[panel - 1]);
}

int drawFirstPanel(RandomSource &random)
{
    random.reseed();
    return qBound(1, int(random.next() * kFirstPanels + 1), kFirstPanels);
}

int drawNextPanel(RandomSource &random)
{
    random.reseed();
    return qBound(1, int(random.next() * kPanels + 1), kPanels);
}

// ---------------------------------------------------------------- the trace

void Trace::begin(int first)
{
    m_panels = {first};
    m_clicks.clear();
    m_right = 0;
    m_ended = false;
}

void Trace::grow(int panel)
{
    m_panels.append(panel);
    m_clicks.clear();
}

Trace::Click Trace::click(int panel)
{
    // Past the end of the trace there is nothing to compare a click with: it
    // is not taken (a click between the last right one and the longer trace).
    if (m_ended || m_panels.isEmpty() || m_clicks.size() >= m_panels.size())
        return Click::Ignored;
    m_clicks.append(panel);
    // The earlier clicks of the turn were right, so the new one decides.
    if (panel != m_panels.at(m_clicks.size() - 1)) {
        m_ended = true;
        return Click::Wrong;
    }
    ++m_right;
    return m_clicks.size() == m_panels.size() ? Click::TurnDone : Click::Right;
}

int Trace::rightInTurn() const
{
    return m_ended ? int(m_clicks.size()) - 1 : int(m_clicks.size());
}

int Trace::expectedAt(int n) const
{
    return n >= 1 && n <= m_panels.size() ? m_panels.at(n - 1) : 0;
}

// ---------------------------------------------------------------- the saved play

QString progressText(int clicks, int length)
{
    return QString::number(clicks) + QStringLiteral(" / ") + QString::number(length);
}

QString trackingSummary(const QString &progress, const QString &lightingText)
{
    return progress + QStringLiteral(" 回  ") + lightingText + QStringLiteral("秒");
}

QString elapsedText(float seconds)
{
    return text::shortestFloat(seconds) + QStringLiteral("秒");
}

HistoryEntry trackingEntry(const TrackingResult &r)
{
    return HistoryEntry({text::dateSlash(r.saved.date()), text::timeText(r.saved.time()), QString::number(r.turns),
                         QString::number(r.progress), QString::number(r.traceCount), r.lightingText,
                         elapsedText(r.seconds)});
}

PlayRecord trackingRecord(const TrackingResult &r)
{
    PlayRecord p;
    p.date = text::dateSlash(r.saved.date());
    p.time = text::timeText(r.saved.time());
    p.item = kTrackingName;
    p.seconds = r.seconds;
    p.comment = trackingSummary(r.progressShown, r.lightingText);
    return p;
}

} // namespace kioku::rules
