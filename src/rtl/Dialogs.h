#pragma once
// Message boxes and file dialogs. Every one of them goes through the dialog
// service, which shows Qt's dialogs by default; tests put in a service that
// answers by script and records what was asked.
#include "rtl/Controls.h"

#include <QStringList>

#include <memory>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll,
    mbHelp, mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result a button gives.
TModalResult ModalResultOfButton(TMsgDlgBtn Button);

enum TOpenOption {
    ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
    ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
    ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
    ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing,
    ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

// What a message box shows.
struct TMessageBoxRequest {
    TMsgDlgType DlgType = mtCustom;
    String Caption;
    String Text;
    TMsgDlgButtons Buttons{mbOK};
    // The button that Enter presses.
    TMsgDlgBtn DefaultButton = mbOK;
};

enum TFileDialogKind { fdOpen, fdSave };

// What a file dialog shows, and what the user chose.
struct TFileDialogRequest {
    TFileDialogKind Kind = fdOpen;
    String Title;
    // The framework's form: "text|patterns|text|patterns", patterns
    // separated by ";".
    String Filter;
    Integer FilterIndex = 1; // 1-based
    String InitialDir;
    String FileName;
    String DefaultExt;
    TOpenOptions Options;
    // Filled by the service when the user chose.
    QStringList Files;
};

class TDialogService {
public:
    virtual ~TDialogService() = default;
    // Shows the box modally and answers the modal result of the button
    // chosen (mrCancel when the box was closed without one).
    virtual TModalResult MessageBox(const TMessageBoxRequest& Request) = 0;
    // Shows the dialog; true when the user chose a file. Then Request.Files
    // holds the chosen files (one unless multi-selection), FileName the first
    // and FilterIndex the filter in use.
    virtual bool FileDialog(TFileDialogRequest& Request) = 0;
};

// The service in use.
TDialogService& DialogService();
// Puts Service in place and returns the one it replaces; nullptr puts the
// default Qt service back.
std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> Service);

// (description, patterns) pairs of a filter string.
std::vector<std::pair<String, String>> ParseDialogFilter(const String& Filter);

// The framework's message dialogs. The caption is the type's ("Warning",
// "Error", "Information", "Confirm"), the application's title for mtCustom.
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, LongInt HelpCtx = 0);
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, LongInt HelpCtx,
                   TMsgDlgBtn DefaultButton);
void ShowMessage(const String& Msg);

// The file dialogs. Execute shows the dialog and tells whether a file was
// chosen; FileName then holds it (with DefaultExt added when it had no
// extension).
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner);

    virtual bool Execute();

    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    const QStringList& Files() const { return FFiles; }
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value) { FFilter = Value; }
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& Value) { FInitialDir = Value; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }

    TNotifyEvent OnShow;
    TNotifyEvent OnClose;

protected:
    bool DoExecute(TFileDialogKind Kind);

private:
    String FFileName;
    QStringList FFiles;
    String FFilter;
    Integer FFilterIndex = 1;
    String FDefaultExt;
    String FInitialDir;
    String FTitle;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
    bool Execute() override;
};
