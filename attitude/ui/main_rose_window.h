// The joint rose window `mainrose` ("玫瑰花图"): a table of joint attitudes
// (dip direction, dip) and a picture on which the dip-direction, strike and
// dip-angle roses of those joints are drawn. The window shows either the table
// or the picture; Operate > "数据浏览" switches between them.
#pragma once

#include "attitude/core/rose.h"
#include "attitude/core/table_scan.h"
#include "platform/ui/tool_window.h"

#include <cstdint>
#include <vector>

class QAction;

namespace kv {

class DataGrid;
class PictureBox;

class MainRoseWindow : public ToolWindow {
    Q_OBJECT
public:
    explicit MainRoseWindow(QWidget* parent = nullptr);

    PictureBox* picture() const { return picture_; }  // Picture1
    DataGrid* grid() const { return grid_; }          // Grid1
    QAction* dataBrowseItem() const { return dataBrowse_; } // Operate > "数据浏览"

    // The records of the last rose command and what it drew.
    std::int64_t jointnum() const { return jointnum_; }
    std::int64_t maxnum() const { return maxnum_; }
    const std::vector<JointRecord>& jointdata() const { return jointdata_; }

    // Operate > "倾向玫瑰花图", "走向玫瑰花图", "倾角玫瑰花图".
    void operateQingxiangClick();
    void operateZouxiangClick();
    void operateQingjiaoClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void formLoad();
    void createPicture();
    void createTable();
    void createMenus();
    void layOut();

    void readDataFile();
    void showRose(RoseKind kind);
    JointTableScan scanTable() const;

    PictureBox* picture_ = nullptr;
    DataGrid* grid_ = nullptr;
    QAction* dataBrowse_ = nullptr;

    std::int64_t jointnum_ = 0;
    std::int64_t maxnum_ = 0;
    std::vector<JointRecord> jointdata_;
};

} // namespace kv
