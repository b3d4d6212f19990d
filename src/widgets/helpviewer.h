#pragma once
// The help document (HTML, in the working folder) in a help window of the
// program's own, owned by the window that opened it.
#include <QPointer>
#include <QWidget>

class QTextBrowser;

namespace kioku {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // Opens `fileName` (resolved in the working folder; the shipped copy when missing)
    // in a new help window owned by `owner`, at its first topic. When that owner
    // already shows the same document, that window comes to the front instead.
    static HelpViewer *open(QWidget *owner, const QString &fileName);
    // Closes every help window the program opened.
    static void closeAll();
    static int openCount();

    QTextBrowser *browser() const { return m_browser; }

private:
    explicit HelpViewer(QWidget *owner);
    QTextBrowser *m_browser;
    QString m_fileName;
    static QList<QPointer<HelpViewer>> s_open;
};

} // namespace kioku
