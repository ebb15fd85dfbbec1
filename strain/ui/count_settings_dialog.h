// "统计设置" (`countset`): the number of parallel counting lines and the step
// by which they turn. It opens on its own defaults, "13" and "10", whatever
// the window holds now; OK checks the two texts and closes only on values the
// count can use. Closing it any other way changes nothing.
#pragma once

#include "strain/core/count_settings.h"

#include <QDialog>

class QComboBox;

namespace kv {

class CountSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CountSettingsDialog(QWidget* parent = nullptr);

    // The values accepted by OK; meaningful once the dialog was accepted.
    const CountSettings& settings() const { return settings_; }

private:
    void confirm();

    QComboBox* lines_ = nullptr; // Combo1
    QComboBox* step_ = nullptr;  // Combo2
    CountSettings settings_;
};

} // namespace kv
