#pragma once
// A row of graph buttons: each draws one view of a chart, the one drawn last
// is marked by a light back colour, and that colour is what tells which view
// is selected (the windows read it back to redraw the same view after their
// data changed). Used by the game windows' history charts, the today panel's
// day chart and the views' graphs.
#include <QColor>
#include <QHash>
#include <QStringList>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QPushButton;

namespace kioku {

class GraphButtons : public QWidget {
    Q_OBJECT
public:
    // `selected` is the back colour of the selected button; the others have
    // the system button face. The buttons are laid out in a row.
    explicit GraphButtons(const QColor &selected, QWidget *parent = nullptr);

    // Adds a button named `name` (its objectName) that runs `draw` when it is
    // clicked. A button without `draw` is a spare: shown, disabled, drawing nothing.
    QPushButton *add(const QString &name, const QString &caption, std::function<void()> draw);
    QPushButton *button(const QString &name) const;
    QStringList names() const { return m_order; }
    QColor selectedColor() const { return m_selected; }

    // The click of a button: every button back to the face colour, the view
    // drawn, the button marked selected. A spare button does nothing.
    void click(const QString &name);
    // Marks `name` selected without drawing (the view shown when a window opens).
    void markSelected(const QString &name);
    // Gives every button the face colour (resetViewButtons).
    void resetColors();
    // The selected button, read back from the buttons' colours ("" when none).
    QString selected() const;
    // Re-runs the click of each button in `order` whose back colour is not the
    // face colour (only one is marked at a time): the selected view follows
    // new data. Names not among the buttons are a programming error.
    void refreshSelected(const QStringList &order);

    // The layout the buttons are in, for a window that adds more to the row.
    QBoxLayout *row() const { return m_row; }

signals:
    // After a view was drawn by a click (the player's or a refresh).
    void drawn(const QString &name);
    // After the player pressed a button and its view was drawn.
    void pressed(const QString &name);

private:
    QColor m_selected;
    QBoxLayout *m_row;
    QStringList m_order;
    QHash<QString, QPushButton *> m_buttons;
    QHash<QString, std::function<void()>> m_draw;
};

} // namespace kioku
