#pragma once
// A dialog service for tests: answers message boxes and file dialogs from a
// script, without a modal loop, and keeps what was shown. Installed for the
// lifetime of a TScriptedDialogs object.
#include "rtl/Dialogs.h"

#include <deque>
#include <memory>
#include <vector>

class TScriptedDialogService : public TDialogService {
public:
    struct TShownFileDialog {
        TFileDialogRequest Request;
    };

    // Answers, consumed in order; when none is left a message box answers
    // its default button and a file dialog is cancelled.
    std::deque<TModalResult> BoxAnswers;
    // Empty string: the file dialog is cancelled.
    std::deque<String> FileAnswers;

    std::vector<TMessageBoxRequest> Boxes;
    std::vector<TFileDialogRequest> FileDialogs;

    TModalResult MessageBox(const TMessageBoxRequest& Request) override
    {
        Boxes.push_back(Request);
        if (BoxAnswers.empty())
            return ModalResultOfButton(Request.DefaultButton);
        const TModalResult R = BoxAnswers.front();
        BoxAnswers.pop_front();
        return R;
    }

    bool FileDialog(TFileDialogRequest& Request) override
    {
        FileDialogs.push_back(Request);
        if (FileAnswers.empty())
            return false;
        const String Answer = FileAnswers.front();
        FileAnswers.pop_front();
        if (Answer.isEmpty())
            return false;
        Request.FileName = Answer;
        Request.Files = QStringList{Answer};
        return true;
    }
};

// Puts a scripted service in place and the previous one back when it goes.
class TScriptedDialogs {
public:
    TScriptedDialogs()
    {
        auto S = std::make_unique<TScriptedDialogService>();
        FService = S.get();
        FPrevious = SetDialogService(std::move(S));
    }
    ~TScriptedDialogs() { SetDialogService(std::move(FPrevious)); }
    TScriptedDialogs(const TScriptedDialogs&) = delete;
    TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

    TScriptedDialogService* operator->() const { return FService; }
    TScriptedDialogService& operator*() const { return *FService; }

private:
    TScriptedDialogService* FService;
    std::unique_ptr<TDialogService> FPrevious;
};
