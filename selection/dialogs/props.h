#pragma once

#include "selection/dialogs/orderview.h"
#include "selection/order/framing.h"

#include <QDialog>

class CropFrame;
class QAction;
class ImageControl;
class QComboBox;
class QLabel;
class XpButton;

// The row editor: shows the photo of the grid's current row and edits its
// copies and size, or removes it. "Remove" changes the order itself; what
// "Ok" took is for the caller to store. Created for one showing and filled
// from the grid when created.
class Props : public QDialog {
    Q_OBJECT
public:
    explicit Props(OrderView& controls);

    // How the editor was closed: by its close box, "Ok" or "Remove".
    enum class Outcome { Closed, Ok, Removed };
    Outcome outcome() const { return m_outcome; }
    // What "Ok" took: the copies and the size as typed or picked.
    const QString& chosenCopies() const { return m_copies; }
    const QString& chosenSize() const { return m_size; }
    // The row's framing as the editor opens on it.
    void startFraming(const Framing& framing);
    // How the photo goes on the paper as it was when "Ok" was pressed, and
    // whether the user changed it.
    const Framing& chosenFraming() const { return m_framing; }
    bool framingChanged() const { return m_framingChanged; }

    // Client area 4695 x 2940 twips.
    static constexpr int kWidth = 313;
    static constexpr int kHeight = 196;

    ImageControl* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr; // a PathLabel
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo2 = nullptr;
    ImageControl* Image2 = nullptr;
    XpButton* Command1 = nullptr;
    XpButton* Command2 = nullptr;

    // Laid over Image2: the part of the photo that prints at Combo2's size.
    CropFrame* cropFrame = nullptr;
    // Image2's context menu.
    QAction* fillAction = nullptr;
    QAction* wholeAction = nullptr;
    QAction* centreAction = nullptr;

    // Combo2's sizes, in the list's order.
    static QStringList sizeItems();

    void Form_Load();
    void Command1_Click(); // Remove
    void Command2_Click(); // Ok

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void showPrintFit();
    void createFramingActions();
    void setFraming(const Framing& framing);
    void showFramingMenu(QPoint globalPos);
    // The photo as drawn in Image2, and the print its size names.
    QRect drawnPhoto() const;
    std::optional<PrintSize> paper() const;
    // The cut of `from` moved by `shown` pixels of Image2.
    void moveCut(const Framing& from, QPoint shown);

    OrderView& m_c;
    bool m_placed = false;
    Outcome m_outcome = Outcome::Closed;
    QSize m_pixels; // of the photo shown, empty when it could not be loaded
    QString m_copies;
    QString m_size;
    Framing m_framing;
    Framing m_dragFrom; // as it was when the drag began
    bool m_framingChanged = false;
};
