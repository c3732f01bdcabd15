#pragma once

#include "triang_export.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
namespace PaceMath {
enum class Box : int;
}

// The pace/time calculator: solves distance, time and pace in miles and kilometres at once.
// In Pace mode the distance and the time are typed and both paces are shown; in Time mode the
// distance and one pace are typed and the time and the other pace are shown. The Distance
// property says which unit the distance (and, in Time mode, the pace) is typed in. Every
// value updates as the person types; nothing typed or pasted makes it fail.
class TRIANG_EXPORT Triangulator : public QWidget {
    Q_OBJECT
    // True: distances are typed in miles; false: in kilometres.
    Q_PROPERTY(bool Distance READ Distance WRITE setDistance NOTIFY DistanceChanged)

  public:
    // Invokable: a host that loads this library when it first needs the calculator makes one
    // through the class's meta-object, and sets its unit through the Distance property.
    Q_INVOKABLE explicit Triangulator(QWidget* parent = nullptr);

    bool Distance() const { return m_miles; }
    void setDistance(bool miles);

  signals:
    void DistanceChanged(bool miles);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Works out the other boxes from the one a person changed.
    void boxChanged(PaceMath::Box changed);
    // The five boxes in the order of PaceMath::Box.
    std::array<QLineEdit*, 5> boxes() const;
    void chkMiles_Click();
    void optPace_Click();
    void optTime_Click();

    // Enables the boxes that take input in the current unit and mode; the rest are shown only.
    void SetEntryFields();
    // Puts the typed rows first: the time row above the paces in Pace mode, below in Time mode.
    void arrangeRows();
    bool paceMode() const;
    QLineEdit* addBox(const char* name, const QString& tooltip);
    QLabel* addLabel(const char* name, const QString& caption, QLineEdit* buddy);

    bool m_miles = true;
    bool m_writing = false;

    QLabel* lblTitle = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* optPace = nullptr;
    QRadioButton* optTime = nullptr;
    QCheckBox* chkMiles = nullptr;
    QLabel* lblMiles = nullptr;
    QLineEdit* txtMiles = nullptr;
    QLabel* lblKM = nullptr;
    QLineEdit* txtKM = nullptr;
    QLabel* lblTime = nullptr;
    QLineEdit* txtTime = nullptr;
    QLabel* lblMilePace = nullptr;
    QLineEdit* txtMilePace = nullptr;
    QLabel* lblKMPace = nullptr;
    QLineEdit* txtKMPace = nullptr;
    QGridLayout* m_rows = nullptr;
};
