#include "zelquad/ui/run_messages.h"

#include "platform/text/number_text.h"

namespace zq {

namespace {

// A record number as a message shows it: a blank in the sign place.
QString recordNumber(std::size_t n)
{
    std::string text = kv::printText(static_cast<std::int64_t>(n));
    text.pop_back();
    return QString::fromStdString(text);
}

QString recordMessage(const RecordFailure& f)
{
    const QString n = recordNumber(f.record);
    switch (f.problem) {
    case RecordProblem::DipDirectionAbove360:
        return QStringLiteral("数据非法，%1号记录裂隙倾向大于360度！\n程序将终止运行。").arg(n);
    case RecordProblem::DipAbove90:
        return QStringLiteral("数据非法，%1号记录裂隙倾角大于90度！\n程序将终止运行。").arg(n);
    case RecordProblem::NotANumber:
        return QStringLiteral("数据非法，%1号记录不是数字，请检查数据文件！").arg(n);
    case RecordProblem::NegativeDipDirection:
        return QStringLiteral("数据非法，%1号记录裂隙倾向小于0度，请检查数据文件！").arg(n);
    case RecordProblem::NegativeDip:
        return QStringLiteral("数据非法，%1号记录裂隙倾角小于0度，请检查数据文件！").arg(n);
    case RecordProblem::MissingDip:
        return QStringLiteral("数据非法，%1号记录缺少裂隙倾角，请检查数据文件！").arg(n);
    case RecordProblem::NoRecords:
        return QStringLiteral("数据文件中没有裂隙产状记录，请检查数据文件！");
    case RecordProblem::TooManyRecords:
        return QStringLiteral("数据文件的记录超过%1条，本程序无法处理！").arg(kMaxRecords);
    }
    return {};
}

} // namespace

QString programTitle() { return QStringLiteral("Zelquad"); }

// Line breaks here stand where the two carriage returns always stood.
QString hintText()
{
    return QStringLiteral("请在上述窗口中输入相应的数据和文件名，输入图形数据文件名时请不要带扩展名。"
                          "数据文件不在当前目录下，请输入相应的路径。\n\n按F1键可获得本程序使用帮助");
}

QString runningText() { return QStringLiteral("程序正在运行中，请稍等侯！"); }

QString finishedText()
{
    return QStringLiteral("程序运行结束，已生成图形数据文件，单击取消按纽可继续进行计算。");
}

QString badDataNameMessage() { return QStringLiteral("您所键入的数据文件名非法!请重新键入合法的文件名。"); }

QString badScriptNameMessage() { return QStringLiteral("您所键入的输出数据文件名非法!请重新键入合法的文件名。"); }

QString failureMessage(const RunFailure& failure, const QString& dataFileName)
{
    const QString script = QString::fromStdString(failure.scriptPath);
    switch (failure.problem) {
    case RunProblem::DataCannotOpen:
        return QStringLiteral("无法打开数据文件“%1”，请检查文件名和路径！").arg(dataFileName);
    case RunProblem::DataTooLarge:
        return QStringLiteral("数据文件“%1”太大，不是裂隙产状数据文件！").arg(dataFileName);
    case RunProblem::DataBadEncoding:
        return QStringLiteral("数据文件“%1”含有无法识别的字符，不是裂隙产状数据文件！").arg(dataFileName);
    case RunProblem::BadRecord:
        return recordMessage(failure.record);
    case RunProblem::SiteCannotEncode:
        return QStringLiteral("工程部位中有无法写入图形数据文件的字符，请修改工程部位！");
    case RunProblem::ScriptIsDataFile:
        return QStringLiteral("图形数据文件“%1”就是数据文件，数据文件不能被覆盖！请重新键入图形数据文件名。")
            .arg(script);
    case RunProblem::ScriptCannotWrite:
        return QStringLiteral("无法写入图形数据文件“%1”，请检查路径和写入权限！").arg(script);
    }
    return {};
}

} // namespace zq
