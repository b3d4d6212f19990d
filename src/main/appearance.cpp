#include "appearance.h"

#include "widgets/pictures.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>

namespace kioku {

void applyAppearance()
{
    const QStringList families = QFontDatabase::families();
    QFont font = QApplication::font();
    for (const QString &name : {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                QStringLiteral("IPAPGothic"), QStringLiteral("IPAPゴシック")}) {
        if (families.contains(name)) {
            font.setFamily(name);
            break;
        }
    }
    if (font.pointSizeF() < 10)
        font.setPointSizeF(10);
    QApplication::setFont(font);

    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(pictures::appIcon(size));
    QApplication::setWindowIcon(icon);
}

} // namespace kioku
