#include "widgets/helpviewer.h"

#include "core/datafolder.h"
#include "core/text/sjis.h"
#include "core/text/textfile.h"
#include "widgets/backcolor.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kioku {

QList<QPointer<HelpViewer>> HelpViewer::s_open;

namespace {

// The text of a help page: the file in the working folder, else the copy the
// program ships. Null when neither exists.
QString helpPageText(const QString &fileName)
{
    QString content;
    const text::ReadResult r = text::readAll(fileName, &content);
    if (r.exists && !r.readError)
        return content.isNull() ? QString(QLatin1String("")) : content;
    const QByteArray shipped = shippedFile(fileName);
    if (!shipped.isEmpty())
        return text::decodeFileBytes(shipped);
    return {};
}

// The pages colour some table cells and rows with a light back colour and
// leave their text to the viewer, whose text is light under a dark desktop
// palette: each such style gets the text colour that reads on its back.
QString withReadableText(const QString &html)
{
    static const QRegularExpression style(QStringLiteral(R"re(\bstyle\s*=\s*"([^"]*)")re"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression back(QStringLiteral(R"((?:^|;)\s*background(?:-color)?\s*:\s*([#\w]+))"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fore(QStringLiteral(R"((?:^|;)\s*color\s*:)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString out;
    out.reserve(html.size() + html.size() / 16);
    qsizetype done = 0;
    for (auto it = style.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString declarations = m.captured(1);
        const QRegularExpressionMatch b = back.match(declarations);
        const QColor colour = b.hasMatch() ? QColor::fromString(b.captured(1)) : QColor();
        if (!colour.isValid() || fore.match(declarations).hasMatch())
            continue;
        QString added = declarations.trimmed();
        if (!added.isEmpty() && !added.endsWith(QLatin1Char(';')))
            added += QLatin1Char(';');
        added += QStringLiteral("color:%1;").arg(readableTextOn(colour).name());
        out += QStringView(html).mid(done, m.capturedStart(1) - done);
        out += added;
        done = m.capturedEnd(1);
    }
    out += QStringView(html).mid(done);
    return out;
}

QString missingPage(const QString &fileName)
{
    return QStringLiteral("<html><body><h3>ヘルプ</h3><p>ヘルプファイル「%1」が見つかりません。</p>"
                          "</body></html>")
        .arg(fileName.toHtmlEscaped());
}

// A text browser that reads the help pages through the program's own file
// access (Shift-JIS, names matched without regard to letter case), so the
// links between pages and to anchors inside a page work as in a web browser.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl &name) override
    {
        const QString file = QFileInfo(name.isLocalFile() ? name.toLocalFile() : name.path()).fileName();
        if (type == QTextDocument::HtmlResource || type == QTextDocument::MarkdownResource) {
            const QString page = helpPageText(file);
            return page.isNull() ? missingPage(file) : withReadableText(page);
        }
        QVariant v = QTextBrowser::loadResource(type, name);
        if (!v.isValid() && !file.isEmpty()) {
            const QByteArray shipped = shippedFile(file);
            if (!shipped.isEmpty())
                v = shipped;
        }
        return v;
    }
};

} // namespace

HelpViewer::HelpViewer(QWidget *owner) : QWidget(owner, Qt::Window), m_browser(new HelpBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("ソラミルプロジェクト３ ヘルプ"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);
    m_browser->document()->setDocumentMargin(10);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_browser);
    resize(760, 560);
}

HelpViewer *HelpViewer::open(QWidget *owner, const QString &fileName)
{
    // The same document for the same owner comes to the front instead of opening twice.
    for (const QPointer<HelpViewer> &v : std::as_const(s_open)) {
        if (v && v->parentWidget() == owner && v->m_fileName.compare(fileName, Qt::CaseInsensitive) == 0) {
            v->m_browser->verticalScrollBar()->setValue(0);
            v->showNormal();
            v->raise();
            v->activateWindow();
            return v;
        }
    }

    auto *v = new HelpViewer(owner);
    v->m_fileName = fileName;
    const QString path = QFileInfo(text::resolve(fileName)).absoluteFilePath();
    v->m_browser->setSearchPaths({QFileInfo(path).absolutePath()});
    v->m_browser->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    if (owner) {
        const QRect g = owner->frameGeometry();
        v->move(g.x() + 40, g.y() + 40);
    }
    s_open.removeAll(QPointer<HelpViewer>());
    s_open.append(v);
    v->show();
    return v;
}

void HelpViewer::closeAll()
{
    const QList<QPointer<HelpViewer>> open = s_open;
    s_open.clear();
    for (const QPointer<HelpViewer> &v : open) {
        if (v) {
            v->close();
            delete v.data();
        }
    }
}

int HelpViewer::openCount()
{
    s_open.removeAll(QPointer<HelpViewer>());
    return int(s_open.size());
}

} // namespace kioku
