#include "core/game/gamesettings.h"

#include "core/text/formats.h"
#include "core/text/recordline.h"

#include <QFileInfo>

namespace kioku {

SettingField SettingField::integer(int def, int min, int max)
{
    SettingField f;
    f.type = ValueType::Int;
    f.defaultValue = QString::number(def);
    f.hasRange = true;
    f.min = min;
    f.max = max;
    return f;
}

SettingField SettingField::real(float def, float min, float max)
{
    SettingField f;
    f.type = ValueType::Float;
    f.defaultValue = text::shortestFloat(def);
    f.hasRange = true;
    // The range is compared in single precision, as the values are kept.
    f.min = double(min);
    f.max = double(max);
    return f;
}

SettingField SettingField::text(const QString &def, const QStringList &allowed)
{
    SettingField f;
    f.type = ValueType::Text;
    f.defaultValue = def;
    f.allowed = allowed;
    return f;
}

SettingField SettingField::kept(const QString &def)
{
    SettingField f;
    f.type = ValueType::Kept;
    f.defaultValue = def;
    return f;
}

GameSettings::GameSettings(SettingsFormat format) : m_format(std::move(format))
{
    for (const SettingField &f : std::as_const(m_format.fields))
        m_values.append(f.defaultValue);
}

bool GameSettings::accepts(int i, const QString &raw, QString *normal) const
{
    const SettingField &f = m_format.fields.at(i);
    switch (f.type) {
    case ValueType::Int: {
        if (!text::isPlainNumber(raw, true))
            return false;
        const int v = text::RecordReader(raw).toInt(0);
        if (f.hasRange && (v < f.min || v > f.max))
            return false;
        *normal = QString::number(v);
        return true;
    }
    case ValueType::Float: {
        if (!text::isPlainNumber(raw))
            return false;
        const float v = text::RecordReader(raw).toFloat(0);
        if (f.hasRange && (v < float(f.min) || v > float(f.max)))
            return false;
        *normal = text::shortestFloat(v);
        return true;
    }
    case ValueType::Text:
        if (!f.allowed.isEmpty() && !f.allowed.contains(raw))
            return false;
        *normal = raw;
        return true;
    case ValueType::Kept:
        *normal = raw;
        return true;
    }
    return false;
}

GameSettings GameSettings::fromLine(const SettingsFormat &format, const QString &line, bool *defaulted, bool *garbled)
{
    GameSettings s(format);
    QList<bool> quoted;
    const QStringList fields = text::splitRecord(line, &quoted);
    bool anyDefault = false;
    bool anyInvalid = false;
    for (int i = 0; i < s.count(); ++i) {
        QString normal;
        if (i < fields.size() && s.accepts(i, fields.at(i), &normal)) {
            // A spare value keeps its written form, quotes and all.
            if (format.fields.at(i).type == ValueType::Kept && quoted.value(i))
                normal = QLatin1Char('"') + normal + QLatin1Char('"');
            s.m_values[i] = normal;
        } else {
            anyDefault = true;
            anyInvalid = anyInvalid || i < fields.size();
        }
    }
    if (defaulted)
        *defaulted = anyDefault;
    if (garbled)
        *garbled = anyInvalid;
    return s;
}

GameSettings GameSettings::read(const SettingsFormat &format, bool *defaulted, text::ReadResult *status, bool *garbled)
{
    text::ReadResult read;
    GameSettings s = fromLine(format, text::firstFilledLine(format.fileName, &read), defaulted, garbled);
    if (garbled && !read.clean)
        *garbled = true;
    if (status)
        *status = read;
    return s;
}

int GameSettings::toInt(int i) const
{
    return text::RecordReader(text(i)).toInt(0);
}

float GameSettings::toFloat(int i) const
{
    return text::RecordReader(text(i)).toFloat(0);
}

QString GameSettings::readProblem(const SettingsFormat &format, const text::ReadResult &status, bool garbled)
{
    if (status.readError)
        return text::readFailureMessage(format.fileName, status)
            + QStringLiteral("\r\n設定は既定の値で始めます。ファイルはそのまま残してあります。");
    if (garbled)
        return QStringLiteral("「%1」に読み取れない設定がありました。")
                   .arg(QFileInfo(text::resolve(format.fileName)).fileName())
            + QStringLiteral("\r\nその設定は既定の値で始めます。ファイルはそのまま残してあります。");
    return QString();
}

QString GameSettings::text(int i) const
{
    return i >= 0 && i < m_values.size() ? m_values.at(i) : QString();
}

void GameSettings::setInt(int i, int v)
{
    if (i >= 0 && i < m_values.size())
        m_values[i] = QString::number(v);
}

void GameSettings::setFloat(int i, float v)
{
    if (i >= 0 && i < m_values.size())
        m_values[i] = text::shortestFloat(v);
}

void GameSettings::setText(int i, const QString &v)
{
    if (i >= 0 && i < m_values.size())
        m_values[i] = v;
}

QString GameSettings::line() const
{
    text::RecordWriter w;
    for (int i = 0; i < m_values.size(); ++i) {
        switch (m_format.fields.at(i).type) {
        case ValueType::Int:
            w.number(toInt(i));
            break;
        case ValueType::Float:
            w.number(toFloat(i));
            break;
        case ValueType::Text:
            w.text(m_values.at(i));
            break;
        case ValueType::Kept:
            // Back exactly as it was read: a quoted value with its quotes, a bare one bare.
            w.bare(m_values.at(i));
            break;
        }
    }
    return w.line();
}

text::WriteResult GameSettings::write() const
{
    return text::writeLines(m_format.fileName, {line()});
}

} // namespace kioku
