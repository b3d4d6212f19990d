#pragma once
// The daily goal on the edit screen (fraMokuhyou, 「1日の目標」): what is
// counted (cboMokuhyou: なし, minutes of play, kinds of games), how much
// (spnMokuhyou) and 目標変更 (cmdMokuhyou), which stores it in "目標.txt".
#include "core/goal.h"

#include <QGroupBox>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace kioku {

struct AppContext;

class GoalBox : public QGroupBox {
    Q_OBJECT
public:
    GoalBox(AppContext &ctx, QWidget *parent = nullptr);

    // Shows the stored goal.
    void load();
    // The goal the controls say.
    DailyGoal chosen() const;
    void cmdMokuhyou_Click();

    QComboBox *cboMokuhyou;
    QSpinBox *spnMokuhyou;
    QPushButton *cmdMokuhyou;

signals:
    // A new goal was stored.
    void goalStored();

private:
    void kindChosen();

    AppContext &m_ctx;
};

} // namespace kioku
