#pragma once
// The program's own pictures, drawn with QPainter so they are crisp at any size:
// the four faces of the today panel, the three countdown pictures, the game icons.
#include <QPixmap>

namespace kioku::pictures {

enum class Face { Nashi, Kana, Niko, Wara }; // 無し, ムスッ, ニコ, 笑い
QPixmap face(Face f, int size);
// Countdown pictures 1..3 (3, 2, 1 counting down to the start).
QPixmap countdown(int index, int size);
// The picture of game button 1..7 in launcher order (数字記憶, 画像記憶, 神経衰弱,
// 追跡記憶, 時間差, 輪廻, バラバラ); 8 is the 戻る button.
QPixmap gameIcon(int position, int size);
// The picture of the help-tour switch: a round badge with a question mark,
// coloured while the tour is on and grey while it is off.
QPixmap helpBadge(bool on, int size);
// The application icon.
QPixmap appIcon(int size);
// The picture of an icon file of the working folder at `size` pixels (the
// nearest size the file holds, scaled smoothly); a null pixmap when the file
// cannot be read as a picture.
QPixmap iconFilePicture(const QString &fileName, int size);

} // namespace kioku::pictures
