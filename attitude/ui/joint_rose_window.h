// The joint rose window ("玫瑰花图"): a table of joint attitudes (dip
// direction, dip) and a picture on which the dip-direction, strike and
// dip-angle roses of those joints are drawn. The window shows either the table
// or the picture; Operate > "数据浏览" switches between them.
#pragma once

#include "attitude/core/rose.h"
#include "kit/plot_window.h"

#include <cstdint>
#include <vector>

namespace kv {

class JointRoseWindow : public PlotWindow {
    Q_OBJECT
public:
    explicit JointRoseWindow(const ToolEntry& entry, QWidget* parent = nullptr);

    // The records of the last rose command and what it drew.
    std::int64_t jointnum() const { return jointnum_; }
    std::int64_t maxnum() const { return maxnum_; }
    const std::vector<Attitude>& jointdata() const { return jointdata_; }

    void readDataFile() override;
    void saveDataFile() override;

private:
    void showRose(RoseKind kind);

    std::int64_t jointnum_ = 0;
    std::int64_t maxnum_ = 0;
    std::vector<Attitude> jointdata_;
};

} // namespace kv
