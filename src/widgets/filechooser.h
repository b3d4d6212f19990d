#pragma once
// The desktop's file dialog behind a small service, as the message boxes are:
// the program asks the player where to save a file, tests answer for them.
#include <QString>

class QWidget;

namespace kioku {

struct AppContext;

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The file the player chose to save to, "" when they gave up. `suggested`
    // is the path proposed (its folder opened, its name filled in), `filter`
    // the kind of file ("CSV ファイル (*.csv)"), whose suffix a name typed
    // without one gets. Replacing a file that is there is not asked here.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                                 const QString &filter) = 0;
    // The folder the player chose to read from (titled `title`), "" when they gave up.
    virtual QString chooseFolder(QWidget *parent, const QString &title) = 0;
};

// The desktop's save dialog, in Japanese.
class QtFileChooser : public FileChooser {
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                         const QString &filter) override;
    // The desktop's folder dialog, starting in the home folder.
    QString chooseFolder(QWidget *parent, const QString &title) override;
};

// The chooser the context was given, else the desktop's dialog.
FileChooser &fileChooser(AppContext &ctx);

} // namespace kioku
