#include "app/kavrinol_tools.h"

#include "attitude/ui/joint_rose_window.h"
#include "attitude/ui/petrofabric_window.h"
#include "attitude/ui/preferred_orientation_window.h"
#include "fold/ui/beta_diagram_window.h"
#include "fold/ui/pi_diagram_window.h"
#include "fold/ui/rheometer_window.h"
#include "fold/ui/three_point_window.h"
#include "fold/ui/true_thickness_window.h"
#include "strain/ui/curvature_window.h"
#include "strain/ui/fry_window.h"
#include "strain/ui/grid_strain_window.h"
#include "strain/ui/reverse_wheel_window.h"

namespace kv {

namespace {

// The shared commands' traits of the plotting windows. The two bitmap filters
// in use differ in the all-files entry.
const char* const filterA = "位图文件(*.bmp)|*.bmp|所有文件|*.*";

PlotTraits jointRoseTraits()
{
    PlotTraits t;
    t.printsOnlyShownPicture = true;
    t.pictureFilter = filterA;
    t.viewCommands = ViewCommands::DataBrowseCheck;
    t.names.savePicture = "MFileSavepicture";
    return t;
}

PlotTraits reverseWheelTraits()
{
    PlotTraits t;
    t.printCaption = "打印图片";
    t.pictureFilter = filterA;
    t.names.savePicture = "MFileSavepicture";
    t.names.helpContents = "MHelpContexts";
    return t;
}

PlotTraits fryTraits()
{
    PlotTraits t;
    t.printCaption = "打印图象";
    t.printFailureTitle = "提醒";
    t.names.saveData = "MFileSaveAs";
    t.names.savePicture = "MFileSavepicture";
    t.names.helpContents = "MHelpContexts";
    return t;
}

PlotTraits foldRheometerTraits()
{
    PlotTraits t;
    t.printsOnlyShownPicture = true;
    t.printFailureText = "打印出错！";
    t.viewCommands = ViewCommands::ShowTable;
    t.dataFileCaption = "打开数据";
    t.names = {"FileMenu",    "FileMenuOpen", "FileMenuSave", "FileMenuSavePicture", "FileMenuPrint",
               "FileMenuExit", "OperateMenu", "HelpMenu",     "HelpMenuContent",     "HelpMenuAbout"};
    return t;
}

PlotTraits preferredOrientationTraits()
{
    PlotTraits t;
    t.resetsPanel3OnClose = true;
    t.printFailureTitle = "提醒";
    t.pictureFilter = filterA;
    t.pictureViewCaption = "图片结果";
    return t;
}

PlotTraits petrofabricTraits()
{
    PlotTraits t;
    t.resetsPanel3OnClose = true;
    return t;
}

PlotTraits betaDiagramTraits()
{
    PlotTraits t;
    t.printCaption = "打印图片";
    return t;
}

// No print command; picking writes the pointer readout but closing leaves it.
PlotTraits gridStrainTraits()
{
    PlotTraits t;
    t.hasPrintItem = false;
    t.pictureFilter = filterA;
    t.dataFileCaption = "打开数据";
    t.names.dataFile = "MFileOpenData";
    return t;
}

// No print command; closing gives the pointer readout back to the Num Lock indicator.
PlotTraits curvatureTraits()
{
    PlotTraits t;
    t.hasPrintItem = false;
    t.resetsPanel3OnClose = true;
    t.names.exit = "MFileOpenExit";
    t.pictureSaveTitle = "保存图象";
    return t;
}

template <class Window> ToolWindowBuilder buildWith()
{
    return [](const ToolEntry& entry) -> ToolWindow* { return new Window(entry); };
}

std::vector<ToolEntry> rows()
{
    return {
        {0, "isw", "反向轮法", "反向轮法测应变", ToolIcon::ChordWheel, 1, 1, buildWith<ReverseWheelWindow>(),
         reverseWheelTraits()},
        {1, "fry", "FRY法", "FRY法测应变", ToolIcon::FryCentres, 2, 1, buildWith<FryWindow>(), fryTraits()},
        {2, "wgf", "网格法", "网格法测应变场", ToolIcon::ShearedGrid, 3, 1, buildWith<GridStrainWindow>(),
         gridStrainTraits()},
        {3, "joint", "产状优势方位", "产状优势方位", ToolIcon::NetContours, 1, 2,
         buildWith<PreferredOrientationWindow>(), preferredOrientationTraits()},
        {4, "mainrose", "玫瑰花图", "节理玫瑰花图", ToolIcon::Rose, 2, 2, buildWith<JointRoseWindow>(),
         jointRoseTraits()},
        {5, "threedots", "三点法", "三点法求产状", ToolIcon::ThreePoints, 1, 3, buildWith<ThreePointWindow>(), {}},
        {6, "curvature", "线条曲率", "线条曲率", ToolIcon::CurvedLine, 3, 3, buildWith<CurvatureWindow>(),
         curvatureTraits()},
        {7, "depth", "岩层真厚度", "岩层真厚度", ToolIcon::Thickness, 2, 3, buildWith<TrueThicknessWindow>(), {}},
        {8, "fold", "能干层褶皱流变计", "褶皱流变计", ToolIcon::FoldedLayer, 1, 4, buildWith<RheometerWindow>(),
         foldRheometerTraits()},
        {9, "yanzu", "岩组", "岩组图", ToolIcon::Petrofabric, 3, 2, buildWith<PetrofabricWindow>(),
         petrofabricTraits()},
        {10, "pai_diagram", "褶皱Pi图解", "褶皱π图解", ToolIcon::PiNet, 2, 4, buildWith<PiDiagramWindow>(),
         PlotTraits{}},
        {11, "beta_diagram", "褶皱Beta图解", "褶皱β图解", ToolIcon::BetaNet, 3, 4, buildWith<BetaDiagramWindow>(),
         betaDiagramTraits()},
    };
}

} // namespace

const ToolCatalogue& kavrinolTools()
{
    static const ToolCatalogue catalogue(rows());
    return catalogue;
}

} // namespace kv
