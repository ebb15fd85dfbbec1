#include "tests/zelquad_ui/zelquad_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace zq::test {

void ZelquadTest::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    dialogs.reset();
    form = std::make_unique<MainForm>();
    form->setCacheFolder(folder.filePath(QStringLiteral("cache")));
    form->setProgramEnd([this] { ++programEnds; });
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
}

void ZelquadTest::TearDown()
{
    form.reset();
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.openAnswers.empty()) << "unused file dialog answers";
}

QString ZelquadTest::writeFile(const QString& name, const std::string& bytes) const
{
    const QString p = folder.filePath(name);
    std::ofstream(p.toStdString(), std::ios::binary) << bytes;
    return p;
}

std::string ZelquadTest::readBytes(const QString& name) const
{
    std::ifstream in(path(name).toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void ZelquadTest::run(const QString& site, const QString& data, const QString& script)
{
    child<QLineEdit>("txtPlace")->setText(site);
    child<QLineEdit>("txtDataFileName")->setText(data);
    child<QLineEdit>("txtOutputFileName")->setText(script);
    QAbstractButton* ok = child<QAbstractButton>("cmdOk");
    ASSERT_TRUE(ok->isEnabled());
    ok->click();
    QApplication::processEvents();
}

std::string threeJointSets(int count)
{
    unsigned seed = 20240611u;
    auto uniform = [&seed](double low, double high) {
        seed = seed * 1664525u + 1013904223u;
        return low + (high - low) * (seed >> 8) / double(1u << 24);
    };
    // Dip direction and dip of each set's mean, and its spread.
    const struct { double dd, dip, spread; } sets[] = {{125, 62, 12}, {215, 38, 9}, {332, 81, 7}};
    std::string text;
    for (int i = 0; i < count; ++i) {
        double dd, dip;
        if (i % 10 == 9) { // scatter
            dd = uniform(0, 360);
            dip = uniform(5, 90);
        } else {
            const auto& s = sets[i % 3];
            dd = s.dd + uniform(-s.spread, s.spread) + uniform(-s.spread, s.spread);
            dip = s.dip + uniform(-s.spread, s.spread) / 1.5;
        }
        dd = dd < 0 ? dd + 360 : dd >= 360 ? dd - 360 : dd;
        dip = dip > 90 ? 180 - dip : dip;
        char line[40];
        std::snprintf(line, sizeof line, "%.1f,%.0f\r\n", dd, dip);
        text += line;
    }
    return text;
}

void saveShot(const QImage& image, const QString& name)
{
    const QByteArray dir = qgetenv("ZQ_SHOT_DIR");
    if (!dir.isEmpty())
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(name));
}

} // namespace zq::test
