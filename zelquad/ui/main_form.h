// The program's dialog: the data file, the project site and the script name;
// OK runs the generator and shows the plots, Cancel starts over, Quit ends.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kv {
class PictureBox;
}

namespace zq {

class ResultWindow;
struct RunFailure;

class MainForm : public QWidget {
    Q_OBJECT
public:
    explicit MainForm(QWidget* parent = nullptr);

    // Where the triangulation of the density plot is kept between runs.
    void setCacheFolder(const QString& folder) { cacheFolder_ = folder; }
    // What Quit and a record beyond the upper limits (dip direction above 360,
    // dip above 90) do: the program ends.
    void setProgramEnd(std::function<void()> end) { endProgram_ = std::move(end); }

    // The names the last OK took (the script name with its extension once run).
    const QString& projectSite() const { return projectSite_; }
    const QString& dataFileName() const { return dataFileName_; }
    const QString& scriptFileName() const { return scriptFileName_; }

    // The result window while it is open.
    ResultWindow* resultWindow() const;

    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdQuit_Click();
    void browseDataFile();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layOut();
    void connectControls();
    void updateOkEnabled();
    void dataNameChanged(const QString& text);
    void showWelcomePicture();
    void runGenerator();
    void refuseRun(const RunFailure& failure);

    QLabel* lblPlace_;
    QLineEdit* txtPlace_;
    QLabel* lblDataFile_;
    QLineEdit* txtDataFileName_;
    QLabel* lblOutputFile_;
    QLineEdit* txtOutputFileName_;
    QToolButton* cmdPreview_;
    QPushButton* cmdOk_;
    QPushButton* cmdCancel_;
    QPushButton* cmdQuit_;
    QGroupBox* fraComment_;
    QLabel* lblMessage_;
    kv::PictureBox* pctOutput_;
    QPointer<ResultWindow> result_;

    QString projectSite_;
    QString dataFileName_;
    QString scriptFileName_;
    QString lastBrowsed_; // what a cancelled browse writes back
    QString cacheFolder_;
    std::function<void()> endProgram_;
};

} // namespace zq
