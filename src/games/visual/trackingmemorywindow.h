#pragma once
// 追跡記憶 (tracking memory): nine panels light up in a growing sequence (the
// trace); the player clicks them back in the same order. Each time the whole
// trace is reproduced one more panel is added and the whole trace is shown
// again; the first wrong click ends the game.
#include "core/rules/tracking.h"
#include "games/frame/gamedescription.h"
#include "games/frame/gameframe.h"

#include <QColor>
#include <QList>

class QComboBox;
class QGroupBox;
class QLabel;

namespace kioku {
class FlexGrid;
class Shape;

// What its frame is made of.
GameDescription trackingDescription();

class TrackingMemoryWindow : public kioku::GameFrame {
    Q_OBJECT
public:
    // The panels: dark, lit, and the panel clicked wrong.
    static const QColor kDark;  // RGB(0,0,0)
    static const QColor kLit;   // RGB(0,255,0)
    static const QColor kWrong; // RGB(255,0,0)
    // The back colours of lblHint: no game, a trace on show, the player answering.
    static const QColor kHintIdle;      // RGB(192,192,0)
    static const QColor kHintShowing;   // RGB(192,0,0)
    static const QColor kHintAnswering; // RGB(0,128,0)
    // The pause after the last right click of a turn, and again before the longer trace.
    static constexpr double kTurnPauseMs = 300;

    explicit TrackingMemoryWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);

    // ---- handlers ----
    void cboJikan_Click();
    // A press on panel 1 … 9 (the light of the click), and the click itself.
    void cmdKey_MouseDown(int index);
    void cmdKey_Click(int index);
    // A press released away from its panel: no click, the light goes out again.
    void cmdKey_Cancel(int index);

    // ---- state ----
    const kioku::rules::Trace &trace() const { return m_trace; }
    // Clicks are taken (a turn is being answered).
    bool answering() const { return m_answering; }
    // The lighting time of the game under way or last played, in seconds.
    float playLighting() const { return m_lighting; }
    QColor panelColor(int index) const;

    // ---- controls ----
    kioku::Shape *cmdKey(int index) const; // 1 … 9
    QGroupBox *fraKey() const { return m_fraKey; }
    kioku::FlexGrid *msgInp() const { return m_msgInp; }
    QLabel *lblMoji_T() const { return m_lblMoji_T; }
    QLabel *lblOk() const { return m_lblOk; }
    QLabel *lblbun() const { return m_lblbun; }
    QLabel *lblHint() const { return m_lblHint; }
    QComboBox *cboJikan() const { return m_cboJikan; }

protected:
    void loadGame() override;
    void prepareBoard() override;
    void beginPlay() override;
    std::optional<SavedPlay> result(const QDateTime &now) const override;

private:
    void buildPlayArea();
    void showHint(const QString &text, const QColor &back);
    void setPanel(int index, const QColor &c);
    void darkenPanels();
    void setPanelsEnabled(bool on);
    void resetAnswerGrid();
    void addAnswerRow(int panel);
    // A wait on the clock while the board takes no clicks.
    WaitEnd pause(double ms);
    double lightingMs() const;
    // The player's turn begins: the trace length shown, the panels take clicks.
    void openTurn();
    // The whole trace reproduced: one panel more, shown whole.
    void nextTurn();
    // Panel `clicked` was not the one the trace has next.
    void endGame(int clicked);

    kioku::rules::Trace m_trace;
    bool m_answering = false;
    float m_lighting = 0.5f; // of the game under way: read when it begins
    QString m_lightingText;
    bool m_hasResult = false;
    kioku::rules::TrackingResult m_result;

    QGroupBox *m_fraKey = nullptr;
    QList<kioku::Shape *> m_cmdKey;
    kioku::FlexGrid *m_msgInp = nullptr;
    QLabel *m_lblMoji_T = nullptr;
    QLabel *m_lblOk = nullptr;
    QLabel *m_lblbun = nullptr;
    QLabel *m_lblHint = nullptr;
    QComboBox *m_cboJikan = nullptr;
};

} // namespace kioku
