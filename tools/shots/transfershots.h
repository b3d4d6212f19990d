#pragma once
// The screens of moving data for kioku_shots: 以前のデータを取り込む with the
// preview of an older folder, and バックアップから戻す with its copies.
#include <functional>

class QString;
class QWidget;

namespace kioku {

struct AppContext;

// Sets up an older folder beside the working (data) folder, takes it in once
// (so that the backup folder holds copies) and hands each window to `shoot`
// with its file name. False when the folder could not be set up.
bool shootTransferWindows(AppContext &ctx, const std::function<void(QWidget *, const QString &)> &shoot);

} // namespace kioku
