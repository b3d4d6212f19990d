#pragma once
// An option button whose round indicator stands out from the back it is drawn
// on (contrast at least 3:1) under any desktop palette: the style draws the
// button, and its ring is drawn again in a shade that stands out where the
// style's own would all but vanish (Fusion under a dark palette, where an
// unselected option shows nothing but its caption).
#include <QRadioButton>

namespace kioku {

class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *e) override;
};

} // namespace kioku
