#pragma once
// A plain shape control (rectangle, rounded rectangle or circle) with a fill
// colour and a border: the lamps, the cover over the digits, the time bar.
#include <QColor>
#include <QWidget>

namespace kioku {

class Shape : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Rectangle, RoundedRectangle, Circle };
    explicit Shape(Kind kind = Kind::Rectangle, QWidget *parent = nullptr);
    void setFillColor(const QColor &c);
    QColor fillColor() const { return m_fill; }
    void setBorderColor(const QColor &c);
    void setBorderWidth(int w);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Kind m_kind;
    QColor m_fill = Qt::white;
    QColor m_border = Qt::darkGray;
    int m_borderWidth = 1;
};

} // namespace kioku
