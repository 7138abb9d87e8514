#include "rtl/Dialogs.h"

#include "rtl/Forms.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::StandardButton StandardButtonOf(TMsgDlgBtn B)
{
    switch (B) {
    case mbYes: return QMessageBox::Yes;
    case mbNo: return QMessageBox::No;
    case mbOK: return QMessageBox::Ok;
    case mbCancel: return QMessageBox::Cancel;
    case mbAbort: return QMessageBox::Abort;
    case mbRetry: return QMessageBox::Retry;
    case mbIgnore: return QMessageBox::Ignore;
    case mbAll: return QMessageBox::YesToAll;
    case mbNoToAll: return QMessageBox::NoToAll;
    case mbYesToAll: return QMessageBox::YesToAll;
    case mbHelp: return QMessageBox::Help;
    case mbClose: return QMessageBox::Close;
    }
    return QMessageBox::Ok;
}

const TMsgDlgBtn AllButtons[] = {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore,
                                 mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose};

// The window a dialog belongs to and is centred over: the modal window on
// top, else the active one. Without a window manager the active window
// need not be the one in front.
QWidget* DialogParent()
{
    if (QWidget* Modal = QApplication::activeModalWidget())
        return Modal;
    return QApplication::activeWindow();
}

// Shows Qt's message box and file dialogs.
class TQtDialogService : public TDialogService {
public:
    TModalResult MessageBox(const TMessageBoxRequest& R) override
    {
        QMessageBox Box(DialogParent());
        Box.setWindowTitle(R.Caption);
        Box.setText(R.Text);
        switch (R.DlgType) {
        case mtWarning: Box.setIcon(QMessageBox::Warning); break;
        case mtError: Box.setIcon(QMessageBox::Critical); break;
        case mtInformation: Box.setIcon(QMessageBox::Information); break;
        case mtConfirmation: Box.setIcon(QMessageBox::Question); break;
        case mtCustom: Box.setIcon(QMessageBox::NoIcon); break;
        }
        std::vector<std::pair<QAbstractButton*, TMsgDlgBtn>> Map;
        for (TMsgDlgBtn B : AllButtons)
            if (R.Buttons.Contains(B)) {
                QAbstractButton* Button;
                if (B == mbAll)
                    Button = Box.addButton(QStringLiteral("&All"), QMessageBox::AcceptRole);
                else
                    Button = Box.addButton(StandardButtonOf(B));
                Map.emplace_back(Button, B);
                if (B == R.DefaultButton)
                    Box.setDefaultButton(qobject_cast<QPushButton*>(Button));
            }
        Box.exec();
        for (const auto& [Button, B] : Map)
            if (Box.clickedButton() == Button)
                return ModalResultOfButton(B);
        return mrCancel;
    }

    bool FileDialog(TFileDialogRequest& R) override
    {
        QFileDialog Dialog(DialogParent(), R.Title, R.InitialDir);
        QStringList Filters;
        for (const auto& [Text, Patterns] : ParseDialogFilter(R.Filter)) {
            QString P = Patterns;
            P.replace(QLatin1Char(';'), QLatin1Char(' '));
            // Qt reads the patterns from the last parentheses of the text.
            Filters << (Text.endsWith(QLatin1Char(')')) && Text.contains(QLatin1Char('*'))
                            ? Text
                            : Text + QStringLiteral(" (") + P + QLatin1Char(')'));
        }
        if (!Filters.isEmpty()) {
            Dialog.setNameFilters(Filters);
            const int Index = std::clamp(int(R.FilterIndex) - 1, 0, int(Filters.size()) - 1);
            Dialog.selectNameFilter(Filters.at(Index));
        }
        if (R.Kind == fdSave) {
            Dialog.setAcceptMode(QFileDialog::AcceptSave);
            Dialog.setFileMode(QFileDialog::AnyFile);
            if (!R.Options.Contains(ofOverwritePrompt))
                Dialog.setOption(QFileDialog::DontConfirmOverwrite);
        } else {
            Dialog.setAcceptMode(QFileDialog::AcceptOpen);
            Dialog.setFileMode(R.Options.Contains(ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                               : R.Options.Contains(ofFileMustExist) ? QFileDialog::ExistingFile
                                                                      : QFileDialog::AnyFile);
        }
        if (!R.FileName.isEmpty())
            Dialog.selectFile(R.FileName);
        if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
            return false;
        R.Files = Dialog.selectedFiles();
        R.FileName = R.Files.first();
        const int Chosen = int(Filters.indexOf(Dialog.selectedNameFilter()));
        if (Chosen >= 0)
            R.FilterIndex = Chosen + 1;
        return true;
    }
};

std::unique_ptr<TDialogService>& CurrentService()
{
    static std::unique_ptr<TDialogService> Service = std::make_unique<TQtDialogService>();
    return Service;
}

String CaptionOfType(TMsgDlgType T)
{
    switch (T) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    case mtCustom: break;
    }
    return Application->Title();
}

} // namespace

TModalResult ModalResultOfButton(TMsgDlgBtn Button)
{
    switch (Button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrHelp;
    case mbClose: return mrClose;
    }
    return mrNone;
}

TDialogService& DialogService()
{
    return *CurrentService();
}

std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> Service)
{
    std::unique_ptr<TDialogService> Old = std::move(CurrentService());
    CurrentService() = Service ? std::move(Service) : std::make_unique<TQtDialogService>();
    return Old;
}

std::vector<std::pair<String, String>> ParseDialogFilter(const String& Filter)
{
    std::vector<std::pair<String, String>> Result;
    const QStringList Parts = Filter.split(QLatin1Char('|'));
    for (qsizetype I = 0; I + 1 < Parts.size(); I += 2)
        Result.emplace_back(Parts[I], Parts[I + 1]);
    return Result;
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, LongInt HelpCtx)
{
    // Enter presses the first of OK, Yes, then the first button shown.
    TMsgDlgBtn Default = mbOK;
    if (Buttons.Contains(mbOK))
        Default = mbOK;
    else if (Buttons.Contains(mbYes))
        Default = mbYes;
    else
        for (TMsgDlgBtn B : AllButtons)
            if (Buttons.Contains(B)) {
                Default = B;
                break;
            }
    return MessageDlg(Msg, DlgType, Buttons, HelpCtx, Default);
}

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, LongInt, TMsgDlgBtn DefaultButton)
{
    TMessageBoxRequest R;
    R.DlgType = DlgType;
    R.Caption = CaptionOfType(DlgType);
    R.Text = Msg;
    R.Buttons = Buttons;
    R.DefaultButton = DefaultButton;
    return DialogService().MessageBox(R);
}

void ShowMessage(const String& Msg)
{
    TMessageBoxRequest R;
    R.DlgType = mtCustom;
    R.Caption = Application->Title();
    R.Text = Msg;
    R.Buttons = TMsgDlgButtons{mbOK};
    DialogService().MessageBox(R);
}

// ---------------------------------------------------------------- file dialogs

TOpenDialog::TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TOpenDialog::Execute()
{
    return DoExecute(fdOpen);
}

bool TSaveDialog::Execute()
{
    return DoExecute(fdSave);
}

bool TOpenDialog::DoExecute(TFileDialogKind Kind)
{
    TFileDialogRequest R;
    R.Kind = Kind;
    R.Title = FTitle;
    R.Filter = FFilter;
    R.FilterIndex = FFilterIndex;
    R.InitialDir = FInitialDir;
    R.FileName = FFileName;
    R.DefaultExt = FDefaultExt;
    R.Options = FOptions;
    if (OnShow)
        OnShow(this);
    const bool Chosen = DialogService().FileDialog(R);
    if (OnClose)
        OnClose(this);
    if (!Chosen)
        return false;
    // A default extension given as "*.ext" or ".ext" means "ext".
    String Ext = FDefaultExt;
    while (Ext.startsWith(QLatin1Char('*')) || Ext.startsWith(QLatin1Char('.')))
        Ext.remove(0, 1);
    QStringList Files = R.Files.isEmpty() ? QStringList{R.FileName} : R.Files;
    if (!Ext.isEmpty())
        for (QString& F : Files)
            if (QFileInfo(F).suffix().isEmpty() && !F.endsWith(QLatin1Char('.')))
                F += QLatin1Char('.') + Ext;
    FFiles = Files;
    FFileName = Files.first();
    FFilterIndex = R.FilterIndex;
    return true;
}
