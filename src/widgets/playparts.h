#pragma once
// Parts the play areas of the games share: a caption before a value, a value
// box for a result, an answer box coloured by its judgement, and the time bar
// that shrinks on its track while a display runs.
#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QStringList>
#include <QWidget>

class QBoxLayout;
class QLineEdit;

namespace kioku {

class Shape;

// A result value's box. It is never narrower than the widest values it is
// told its game can show ("100.0%", "99.99/秒"), so a value never pushes its
// neighbours about and is never cut off; a value wider still widens it.
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    explicit ValueLabel(QWidget *parent = nullptr);
    void setWidestValues(const QStringList &texts);
    QStringList widestValues() const { return m_widest; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    // The size the box needs to show `text` whole, in its own font and frame.
    QSize sizeFor(const QString &text) const;
    QSize reservedSize() const;
    QStringList m_widest;
};

// The widest values the games' result boxes show, for the boxes' widths.
namespace widest {
inline const QString kCount = QStringLiteral("9999");         // turns, answers, clicks
inline const QString kTenths = QStringLiteral("9999.9");      // seconds in tenths ("0.0")
inline const QString kRate = QStringLiteral("100.0%");        // a rate ("0.0%")
inline const QString kPerSecond = QStringLiteral("99.99/秒"); // characters a second ("0.00/秒")
inline const QString kNone = QStringLiteral("-----");         // no value (yet)
} // namespace widest

// A caption that stands right-aligned before its value.
QLabel *captionLabel(const QString &text, QWidget *parent);
// A result value: a sunken box with a large bold number, named `name`, as
// wide as the widest of `widest` needs.
ValueLabel *valueLabel(const QString &name, QWidget *parent, const QStringList &widest = {});
// Gives an existing label the look of a result value (and, when it is a
// ValueLabel, room for the widest of `widest`).
void styleValueLabel(QLabel *label, const QStringList &widest = {});
// A label that shows a value as a text box does, in the desktop's field colours
// (white with black text on a light desktop, dark with light text on a dark one).
void showAsField(QLabel *label);
// A row of result values, each after its caption: the captions are made here,
// the values are the labels given (already made, so the window keeps them).
void addCaptionedValues(QBoxLayout *row, const QList<QPair<QString, QLabel *>> &values);

// The judgement colours of an answer box: RGB(192,255,192) right, RGB(255,192,192) wrong.
inline const QColor kAnswerRight(192, 255, 192);
inline const QColor kAnswerWrong(255, 192, 192);
// The back colour of an answer box (white before judging).
void setAnswerColor(QLineEdit *box, const QColor &c);
QColor answerColor(const QLineEdit *box);

// A check box that keeps the room of its widest caption whichever it shows.
class WideCheckBox : public QCheckBox {
    Q_OBJECT
public:
    WideCheckBox(const QString &widestCaption, QWidget *parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QString m_widest;
};

// The time bar: a coloured bar (shpJikanK) on a track of its full width
// (the track is named `trackName`). Its width is set in pixels, 0 to full.
class TimeBar : public QWidget {
    Q_OBJECT
public:
    TimeBar(int fullWidth, int height, QWidget *parent, const QString &trackName = QStringLiteral("fraJikan"));
    int fullWidth() const { return m_fullWidth; }
    void setBarWidth(int width);
    int barWidth() const;
    Shape *bar() const { return m_bar; }

private:
    int m_fullWidth;
    int m_height;
    Shape *m_bar;
};

} // namespace kioku
