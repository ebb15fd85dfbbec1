#include "platform/ui/dialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace kv {

namespace {

QString translatedFilter(const QString& pairs, bool anyNameForAllFiles)
{
    const QStringList parts = pairs.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';');
        for (QString& pattern : patterns)
            if (anyNameForAllFiles && pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace

QString qtFilterFromPairs(const QString& pairs) { return translatedFilter(pairs, false); }

QString fileDialogFilter(const QString& pairs) { return translatedFilter(pairs, true); }

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The file dialogs list each file type by its description alone: the
// descriptions already show their patterns, so the dialog adds them no second time.
class RealDialogs : public Dialogs {
public:
    QString openFileName(QWidget* parent, const QString& filter, const QString& title) override
    {
        return QFileDialog::getOpenFileName(parent, title, QString(), fileDialogFilter(filter), nullptr,
                                            QFileDialog::HideNameFilterDetails);
    }
    QString saveFileName(QWidget* parent, const QString& filter, const QString& title) override
    {
        // The program names the file exactly as typed; the dialog adds nothing.
        QFileDialog dlg(parent, title, QString(), fileDialogFilter(filter));
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
        dlg.setOption(QFileDialog::HideNameFilterDetails);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return {};
        return dlg.selectedFiles().first();
    }
    void message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon) override
    {
        QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, parent);
        box.exec();
    }
    QString inputBox(QWidget* parent, const QString& prompt, const QString& title,
                     const QString& initial) override
    {
        bool ok = false;
        const QString s = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, initial, &ok);
        return ok ? s : QString();
    }
    int exec(QDialog* dialog) override { return dialog->exec(); }
};

RealDialogs& realDialogs()
{
    static RealDialogs real;
    return real;
}

Dialogs* installed = nullptr;

} // namespace

Dialogs& dialogs() { return installed ? *installed : realDialogs(); }

Dialogs* installDialogs(Dialogs* d)
{
    Dialogs* previous = installed;
    installed = d;
    return previous;
}

} // namespace kv
