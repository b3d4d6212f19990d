#include "testing/scriptedfiles.h"

namespace kioku {

QString ScriptedFileChooser::saveFileName(QWidget *, const QString &title, const QString &suggested,
                                          const QString &filter)
{
    asked.append(Asked{title, suggested, filter});
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

QString ScriptedFileChooser::chooseFolder(QWidget *, const QString &title)
{
    asked.append(Asked{title, QString(), QString()});
    return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
}

} // namespace kioku
