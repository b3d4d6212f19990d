#pragma once
// The settings line of a game window: one comma-separated line of values in a
// fixed order, read once when the window opens and rewritten whole whenever the
// player changes one of them. A missing file, a short line or a value that is
// not what the field expects reads as that field's default, so a window always
// opens with usable settings.
#include "core/text/textfile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {

enum class ValueType {
    Int,
    Float,
    Text,
    Kept, // a spare value: written back exactly as it was read, whatever it holds
};

// One value of the line.
struct SettingField {
    ValueType type = ValueType::Int;
    QString defaultValue;  // in its written form: "8", "0.5", "ノーマル"
    bool hasRange = false; // numbers: only min..max are accepted
    double min = 0;
    double max = 0;
    QStringList allowed; // texts: only these are accepted (empty: any text)

    static SettingField integer(int def, int min, int max);
    static SettingField real(float def, float min, float max);
    static SettingField text(const QString &def, const QStringList &allowed = {});
    static SettingField kept(const QString &def);
};

struct SettingsFormat {
    QString fileName;
    QList<SettingField> fields;
};

class GameSettings {
public:
    GameSettings() = default;
    // All fields at their defaults.
    explicit GameSettings(SettingsFormat format);

    // Reads the file; `defaulted` (when given) tells whether any field fell back to its default,
    // `status` (when given) whether the file could be read, `garbled` (when given) whether
    // the file holds something that is not a setting: a value there that is not valid for
    // its field, or bytes that are not code page 932 (a line shorter than the fields, as
    // an older file may be, is not garbled: its missing fields simply take their defaults).
    static GameSettings read(const SettingsFormat &format, bool *defaulted = nullptr,
                             text::ReadResult *status = nullptr, bool *garbled = nullptr);
    // What the player is told about a settings file that read(format) found
    // unreadable (`status`) or `garbled`; empty when neither.
    static QString readProblem(const SettingsFormat &format, const text::ReadResult &status, bool garbled);
    static GameSettings fromLine(const SettingsFormat &format, const QString &line, bool *defaulted = nullptr,
                                 bool *garbled = nullptr);

    const SettingsFormat &format() const { return m_format; }
    int count() const { return int(m_values.size()); }

    int toInt(int i) const;
    float toFloat(int i) const;
    QString text(int i) const;

    void setInt(int i, int v);
    void setFloat(int i, float v);
    void setText(int i, const QString &v);

    // The line in its written form (numbers unquoted, texts quoted).
    QString line() const;
    // Rewrites the settings file with the whole line.
    text::WriteResult write() const;

    bool operator==(const GameSettings &o) const { return m_values == o.m_values; }

private:
    bool accepts(int i, const QString &raw, QString *normal) const;

    SettingsFormat m_format;
    QStringList m_values; // numbers in their shortest decimal text, texts as they are
};

} // namespace kioku
