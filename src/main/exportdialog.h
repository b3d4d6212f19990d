#pragma once
// The export window (frmExport, 記録の書き出し): the play log as a CSV file
// for spreadsheets (optCsv, with every game's history beside it: chkRireki),
// or one month's report as a PDF file for paper (optPdf, the month in
// cboTsuki). 書き出す (cmdKakidasu) asks where through the file chooser of
// the context and writes; キャンセル (cmdCancel) closes it.
#include "core/stats/aggregates.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kioku {

struct AppContext;

class ExportDialog : public QDialog {
    Q_OBJECT
public:
    // `span` (the first and last play) gives the months offered for a report;
    // the files are read again when the export is written.
    ExportDialog(AppContext &ctx, const LogSpan &span, QWidget *parent = nullptr);

    QRadioButton *optCsv, *optPdf;
    QCheckBox *chkRireki;
    QComboBox *cboTsuki; // the months, newest first; item data: the first day of the month
    QPushButton *cmdKakidasu, *cmdCancel;

    // Asks where, writes, tells the result; true when the files were written.
    bool cmdKakidasu_Click();

private:
    void updateChoices();

    AppContext &m_ctx;
    QLabel *m_about;
};

// The box of the edit screen that opens the export window (cmdKakidashi,
// 書き出し): the window opens over `panel`'s window, with the months of `span()`.
QGroupBox *exportBox(AppContext &ctx, QWidget *panel, std::function<LogSpan()> span);

} // namespace kioku
