#pragma once
// The caret and selection of Qt's text editors (the memo's plain one and the
// rich edit's) as the framework counts them: 0-based, clamped to the text.
// Only the control units include this header.
#include "rtl/System.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

template <class TEditor>
void SetEditorSelStart(TEditor* E, Integer Value)
{
    QTextCursor C = E->textCursor();
    C.setPosition(std::clamp(Value, 0, int(E->document()->characterCount()) - 1));
    E->setTextCursor(C);
}

template <class TEditor>
Integer EditorSelLength(const TEditor* E)
{
    const QTextCursor C = E->textCursor();
    return C.selectionEnd() - C.selectionStart();
}

template <class TEditor>
void SetEditorSelLength(TEditor* E, Integer Value)
{
    QTextCursor C = E->textCursor();
    const int Start = C.selectionStart();
    C.setPosition(Start);
    C.setPosition(std::clamp(Start + Value, 0, int(E->document()->characterCount()) - 1), QTextCursor::KeepAnchor);
    E->setTextCursor(C);
}

// Paragraph ends as CR LF.
template <class TEditor>
String EditorSelText(const TEditor* E)
{
    return E->textCursor().selectedText().replace(QChar(0x2029), QStringLiteral("\r\n"));
}
