#pragma once
// アイコン衰弱 (icon concentration): pairs of flag icons. Forty face-down
// pieces hide two, four, ten or twenty different icons; two turned pieces
// with the same icon are removed, two different ones are turned back after a
// short delay. The board is cleared in as few turns and seconds as possible.
#include "core/rules/iconconcentration.h"
#include "core/rules/icons.h"
#include "games/frame/gameframe.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QStringList>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace kioku {

// What its frame is made of.
GameDescription iconConcentrationDescription();

class IconConcentrationWindow : public kioku::GameFrame {
    Q_OBJECT
public:
    static constexpr int kPieces = kioku::rules::kBoardPieces;
    // The width of a piece's cell at the standard text size (its name fits in it).
    static constexpr int kCellWidth = 86;

    explicit IconConcentrationWindow(kioku::AppContext &ctx, QWidget *parent = nullptr);

    // ---- handlers ----
    void cboMondai_Click();
    void chkNamae_Click();
    void cboHide_Click();
    void cboDel_Click();
    // A face-down piece (1 … 40) is turned.
    void cmdKoma_Click(int index);

    // ---- state ----
    // The icon names of the folder, in listing order (the name table).
    const QStringList &iconNames() const { return m_names; }
    // The icon of a position (1 … 40) in the game dealt last.
    QString boardName(int index) const { return m_board.value(index - 1); }
    int turns() const { return m_turns; }
    int piecesLeft() const { return m_left; }
    int misses() const { return m_misses; }
    int pairs() const { return m_pairs; }
    // The piece turned first in this turn (0: none).
    int openPiece() const { return m_open; }
    // A turn-back or removal delay is running: no piece can be turned.
    bool delaying() const { return m_delaying; }
    const kioku::rules::IconRecords &records() const { return m_records; }

    // ---- controls ----
    QAbstractButton *cmdKoma(int index) const { return m_cmdKoma.value(index - 1); }
    QLabel *imgKoma(int index) const { return m_imgKoma.value(index - 1); }
    QLabel *lblKoma(int index) const { return m_lblKoma.value(index - 1); }
    QGroupBox *fraBan() const { return m_fraBan; }
    QComboBox *cboMondai() const { return m_cboMondai; }
    QComboBox *cboHide() const { return m_cboHide; }
    QComboBox *cboDel() const { return m_cboDel; }
    QCheckBox *chkNamae() const { return m_chkNamae; }

protected:
    std::optional<OpenRefusal> openRefusal() override;
    void loadGame() override;
    void prepareBoard() override;
    void beginPlay() override;
    std::optional<SavedPlay> result(const QDateTime &now) const override;
    bool backUpBeforeClear() override;
    void historyCleared() override;

private:
    enum class Face { Down, Up, Removed };

    void buildPlayArea();
    void loadPictures();
    QPixmap pictureOf(const QString &name) const;
    void fillDelayBox(QComboBox *box, int setting);
    void takeDelay(QComboBox *box, int setting);
    void showRecords(const QString &level);
    void enableBacks(bool on);
    void endGame();

    QList<kioku::rules::IconFile> m_icons; // as listed when the window opened
    QStringList m_names;
    QHash<QString, QPixmap> m_pictures;
    kioku::rules::IconRecords m_records;

    // The game dealt last.
    QString m_playLevel;
    QStringList m_board;
    QList<Face> m_face;
    int m_turns = 0;
    int m_left = kPieces;
    int m_misses = 0;
    int m_pairs = 0;
    int m_open = 0;
    bool m_delaying = false;
    bool m_namesUsed = false; // the names were on at some time during the game
    QString m_clearSeconds;
    kioku::rules::RecordsBroken m_broken;

    QGroupBox *m_fraBan = nullptr;
    QList<QAbstractButton *> m_cmdKoma;
    QList<QLabel *> m_imgKoma;
    QList<QLabel *> m_lblKoma;
    QComboBox *m_cboMondai = nullptr;
    QComboBox *m_cboHide = nullptr;
    QComboBox *m_cboDel = nullptr;
    QCheckBox *m_chkNamae = nullptr;
    QLabel *m_lblTrun = nullptr;
    QLabel *m_lblZan = nullptr;
    QLabel *m_lblNg = nullptr;
    QLabel *m_lblSaitan = nullptr;
    QLabel *m_lblKiroku = nullptr;
    QLabel *m_lblKirokuByou = nullptr;
};

} // namespace kioku
