// The petrofabric options dialog ("选项"): the thin section's number, the
// mineral, the data type, the grain count (read only), the attitude of the
// section's plane and the two arrow directions. It only shows and collects
// the texts; which of them are stored is the core's decision (acceptedOptions).
#pragma once

#include "attitude/core/petrofabric_settings.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kv {

class PetrofabricOptionDialog : public QDialog {
    Q_OBJECT
public:
    explicit PetrofabricOptionDialog(const PetrofabricOptionFields& fields, QWidget* parent = nullptr);

    // What the fields hold now.
    PetrofabricOptionFields fields() const;

private:
    QLineEdit* sectionNo_ = nullptr;     // Text1
    QLineEdit* mineralName_ = nullptr;   // Text2
    QComboBox* dataType_ = nullptr;      // Combo1
    QLineEdit* grainCount_ = nullptr;    // Text3
    QLineEdit* sectionDipDir_ = nullptr; // Text4
    QLineEdit* sectionDip_ = nullptr;    // Text5
    QLineEdit* arrowAzimuth_ = nullptr;  // Text6
    QLineEdit* stageArrowDir_ = nullptr; // Text7
};

} // namespace kv
