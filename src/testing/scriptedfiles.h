#pragma once
// The save dialog for tests and tools: nothing is shown, every question is
// recorded and answered from a queue (an empty answer is the player giving up).
#include "widgets/filechooser.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kioku {

class ScriptedFileChooser : public FileChooser {
public:
    struct Asked {
        QString title;
        QString suggested;
        QString filter;
    };
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                         const QString &filter) override;
    // Answered from the same queue as the save dialog.
    QString chooseFolder(QWidget *parent, const QString &title) override;
    void answerNext(const QString &path) { m_answers.append(path); }
    QList<Asked> asked;

private:
    QStringList m_answers;
};

} // namespace kioku
