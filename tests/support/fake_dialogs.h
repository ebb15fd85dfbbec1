// Scripted answers for every modal dialog. A test queues the answers it expects
// to be asked for; an unexpected question fails the test and gets an empty answer.
#pragma once

#include "platform/ui/dialogs.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace kv::test {

class FakeDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon = MessageIcon::None;
    };

    // Queued answers.
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<QString> inputAnswers;
    // Called with each dialog passed to exec(); returns its result (Accepted/Rejected).
    std::deque<std::function<int(QDialog*)>> execAnswers;

    // What was asked.
    std::vector<Message> messages;
    QStringList openFilters;
    QStringList saveFilters;
    QStringList fileDialogTitles; // of open and save dialogs, in the order asked
    QStringList inputPrompts;

    static FakeDialogs& global() { return *instance(); }
    static void setGlobal(FakeDialogs* f) { instance() = f; }

    // Whether every queued answer was asked for (check at the end of each test).
    bool allAnswersTaken() const
    {
        return openAnswers.empty() && saveAnswers.empty() && inputAnswers.empty() && execAnswers.empty();
    }

    // Clears queued answers and records (call at the start of each test).
    void reset()
    {
        openAnswers.clear();
        saveAnswers.clear();
        inputAnswers.clear();
        execAnswers.clear();
        messages.clear();
        openFilters.clear();
        saveFilters.clear();
        fileDialogTitles.clear();
        inputPrompts.clear();
    }

    QString openFileName(QWidget*, const QString& filter, const QString& title = QString()) override
    {
        openFilters << filter;
        fileDialogTitles << title;
        return take(openAnswers, "open file dialog");
    }
    QString saveFileName(QWidget*, const QString& filter, const QString& title = QString()) override
    {
        saveFilters << filter;
        fileDialogTitles << title;
        return take(saveAnswers, "save file dialog");
    }
    void message(QWidget*, const QString& text, const QString& title,
                 MessageIcon icon = MessageIcon::None) override
    {
        messages.push_back({text, title, icon});
    }
    QString inputBox(QWidget*, const QString& prompt, const QString&, const QString&) override
    {
        inputPrompts << prompt;
        return take(inputAnswers, "input box");
    }
    int exec(QDialog* dialog) override
    {
        if (execAnswers.empty()) {
            ADD_FAILURE() << "unexpected modal dialog " << dialog->objectName().toStdString();
            return QDialog::Rejected;
        }
        auto answer = std::move(execAnswers.front());
        execAnswers.pop_front();
        return answer(dialog);
    }

private:
    static FakeDialogs*& instance()
    {
        static FakeDialogs* f = nullptr;
        return f;
    }
    static QString take(std::deque<QString>& q, const char* what)
    {
        if (q.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return {};
        }
        QString s = q.front();
        q.pop_front();
        return s;
    }
};

} // namespace kv::test
