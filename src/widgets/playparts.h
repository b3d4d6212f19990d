#pragma once
// Parts the play areas of the games share: a caption before a value, a value
// box for a result, an answer box coloured by its judgement, and the time bar
// that shrinks on its track while a display runs.
#include <QColor>
#include <QWidget>

class QBoxLayout;
class QLabel;
class QLineEdit;

namespace kioku {

class Shape;

// A caption that stands right-aligned before its value.
QLabel *captionLabel(const QString &text, QWidget *parent);
// A result value: a sunken box with a large bold number, named `name`.
QLabel *valueLabel(const QString &name, QWidget *parent);
// Gives an existing label the look of a result value.
void styleValueLabel(QLabel *label);
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
