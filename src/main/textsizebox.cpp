#include "main/textsizebox.h"

#include "core/backup.h"
#include "core/clock.h"
#include "core/textsize.h"
#include "views/panel.h"
#include "widgets/appcontext.h"
#include "widgets/messages.h"
#include "widgets/textscale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

#include <cmath>

namespace kioku {

namespace {
const QString kCrLf = QStringLiteral("\r\n");

int storedStep()
{
    const double scale = readTextSize();
    const QList<TextSizeStep> &steps = textSizeSteps();
    for (int i = 0; i < steps.size(); ++i)
        if (std::abs(steps.at(i).scale - scale) < 1e-6)
            return i;
    return 0;
}
} // namespace

TextSizeBox::TextSizeBox(AppContext &ctx, QWidget *parent)
    : QGroupBox(QStringLiteral("文字の大きさ"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraMoji"));
    auto *h = new QHBoxLayout(this);
    const QList<TextSizeStep> &steps = textSizeSteps();
    for (int i = 0; i < steps.size(); ++i) {
        auto *o = new QRadioButton(steps.at(i).caption, this);
        o->setObjectName(QStringLiteral("optMoji%1").arg(i));
        connect(o, &QRadioButton::clicked, this, [this, i] { optMoji_Click(i); });
        h->addWidget(o);
        m_options.append(o);
    }
    h->addSpacing(12);
    auto *when = new QLabel(QStringLiteral("次に開く画面から、この大きさで表示します"), this);
    when->setObjectName(QStringLiteral("lblMojiNote"));
    h->addWidget(when);
    h->addStretch(1);
}

void TextSizeBox::showStored()
{
    m_options.at(storedStep())->setChecked(true);
}

void TextSizeBox::optMoji_Click(int step)
{
    const int before = storedStep();
    if (step < 0 || step >= m_options.size() || step == before)
        return;
    const TextSizeStep &chosen = textSizeSteps().at(step);
    // The file is copied before it changes; a copy or a write that fails
    // leaves the size as it was, and the choice shown with it.
    const BackupResult copy = backUpFile(kTextSizeFile, m_ctx.clock.now());
    if (reportWriteFailure(m_ctx.messages, window(), copy.asWrite())
        || reportWriteFailure(m_ctx.messages, window(), writeTextSize(chosen.scale))) {
        m_options.at(before)->setChecked(true);
        return;
    }
}

void applyStoredTextSize()
{
    setTextScale(readTextSize());
}

void tellTextSizeProblem(AppContext &ctx, QWidget *parent)
{
    text::ReadResult status;
    bool garbled = false;
    readTextSize(&status, &garbled);
    if (status.readError && ctx.session.tellOnce(QStringLiteral("read:") + kTextSizeFile)) {
        ctx.messages.warn(parent,
                          text::readFailureMessage(kTextSizeFile, status) + kCrLf
                              + QStringLiteral("文字の大きさは標準で表示します。"),
                          QStringLiteral("読み込みエラー"));
    } else if (garbled && ctx.session.tellOnce(QStringLiteral("garbled:") + kTextSizeFile)) {
        ctx.messages.warn(parent,
                          QStringLiteral("「%1」の内容を読み取れませんでした。").arg(kTextSizeFile) + kCrLf
                              + QStringLiteral("文字の大きさは標準で表示します。ファイルはそのまま残してあります。"),
                          QStringLiteral("読み込みエラー"));
    }
}

} // namespace kioku
