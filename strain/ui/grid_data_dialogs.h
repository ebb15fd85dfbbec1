// The grid-method window's two file dialogs. `wgfdata` asks for the pair of
// grid point files (before and after deformation), `wgfdataout` for the four
// result files and where the results are placed. Each is made for one showing
// and accepted only through its OK button once its names are complete; the
// window reads the names after it has closed.
#pragma once

#include "strain/core/grid_strain.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace kv {

class GridDataFilesDialog : public QDialog {
    Q_OBJECT
public:
    // Browsing for a file to read shows an open dialog; for a pair about to be
    // written, a save dialog, so that a new name can be chosen.
    enum class Purpose { Read, Write };

    GridDataFilesDialog(QWidget* parent, const QString& caption, Purpose purpose);

    // The names as typed, without surrounding blanks.
    QString initialFile() const;
    QString deformedFile() const;

private:
    void browse(QLineEdit* box);
    void confirm();

    Purpose purpose_;
    QLineEdit* initial_ = nullptr;  // Text1
    QLineEdit* deformed_ = nullptr; // Text2
};

class GridResultFilesDialog : public QDialog {
    Q_OBJECT
public:
    explicit GridResultFilesDialog(QWidget* parent);

    // The four names without surrounding blanks (valid once accepted).
    GridStrainFileNames fileNames() const;
    // The results go to the points before deformation ("初始坐标系") or after.
    bool initialCoords() const;

private:
    void browse(QLineEdit* box);
    void confirm();

    QLineEdit* names_[4] = {}; // Text3..Text6: strain x, strain y, shear, rotation
    QRadioButton* initial_ = nullptr; // Option1
};

} // namespace kv
