#include "widgets/filechooser.h"

#include "widgets/appcontext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>

namespace kioku {

QString QtFileChooser::saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                                    const QString &filter)
{
    // Qt's own words in the dialog (its buttons' tips, its menus) in Japanese
    // where Qt's translations are installed, for as long as the dialog is open.
    QTranslator qtWords;
    const bool translated = qtWords.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(&qtWords);

    QFileDialog dialog(parent, title, QFileInfo(suggested).absolutePath(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The window that asked says whether to replace a file, in its own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("保存する場所："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    const QRegularExpressionMatch suffix = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (suffix.hasMatch())
        dialog.setDefaultSuffix(suffix.captured(1));
    dialog.selectFile(QFileInfo(suggested).fileName());
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();

    if (translated)
        QCoreApplication::removeTranslator(&qtWords);
    return chosen ? dialog.selectedFiles().constFirst() : QString();
}

QString QtFileChooser::chooseFolder(QWidget *parent, const QString &title)
{
    return QFileDialog::getExistingDirectory(parent, title, QDir::homePath(), QFileDialog::ShowDirsOnly);
}

FileChooser &fileChooser(AppContext &ctx)
{
    static QtFileChooser desktop;
    return ctx.fileChooser ? *ctx.fileChooser : desktop;
}

} // namespace kioku
