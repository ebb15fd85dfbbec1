// The start-up picture shown while the program gets ready. It takes no input.
#pragma once

#include <QWidget>

namespace kv {

class Splash : public QWidget {
    Q_OBJECT
public:
    Splash();

protected:
    void paintEvent(QPaintEvent*) override;
};

} // namespace kv
