#include "shell/ULanguage.h"

#include "platform/TextCodec.h"
#include "shell/UComon.h"

TStringList Lang;
Integer Lang_Count = 0;

namespace {

constexpr char16_t Lang_Pilcrow = u'\u00B6';

// Applies one line of a language file; lines that do not fit change nothing.
void Lang_Apply_Line(const String& Line)
{
    const String S = Trim(Line);
    if (!S.startsWith(QLatin1String("STR")))
        return;
    const qsizetype Equal = S.indexOf(u'=');
    if (Equal < 0)
        return;
    // Everything between "STR" and the first "=" is the number, so both
    // "STR12 = Text" and "STR12=Text" set text 12.
    Integer Number = 0;
    if (!TryStrToInt(Trim(S.mid(3, Equal - 3)), Number))
        return;
    if (Number < 0 || Number >= Lang_Count || Number >= Lang.Count())
        return;
    String Text = Trim(S.mid(Equal + 1));
    if (Text.isEmpty())
        return;
    const qsizetype Comment = Text.indexOf(QLatin1String("/#/"));
    if (Comment >= 0) {
        Text = Trim(Text.left(Comment));
        if (Text.isEmpty())
            return;
    }
    if (Text.startsWith(QChar(Lang_Pilcrow)))
        Text.remove(0, 1);
    const qsizetype Quote = Text.indexOf(QChar(Lang_Pilcrow));
    if (Quote >= 0)
        Text.truncate(Quote);
    Lang.SetStrings(Number, Text);
}

// A language name that names a file in the language folder and nothing else.
bool Lang_Is_Plain_Name(const String& Name)
{
    if (Name.isEmpty() || Name == QLatin1String(".") || Name == QLatin1String(".."))
        return false;
    for (QChar C : Name)
        if (C == u'/' || C == u'\\' || C < u' ')
            return false;
    return true;
}

// The language file of Name in the language folders, or empty when there
// is none. Names are matched ignoring case, as the settings may come from a
// file system that ignores it.
String Lang_File_Of(const String& Name)
{
    if (!Lang_Is_Plain_Name(Name))
        return String();
    return Find_In_Folders(Language_Folders(), Name + QStringLiteral(".lng"));
}

} // namespace

void Load_Lang_English()
{
    Lang.BeginUpdate();
    Lang.Clear();
    for (Integer I = 0; I < Lang_English_Count; ++I)
        Lang.Add(Lang_English(I));
    Lang.EndUpdate();
    Lang_Count = Lang_English_Count;
}

void Read_Lang_File(const String& FileName)
{
    QStringList Lines;
    try {
        Lines = textcodec::ReadTextLines(FileName);
    } catch (const Exception&) {
        return;   // an unreadable file leaves the texts as they are
    }
    for (const String& Line : Lines)
        Lang_Apply_Line(Line);
}

void Load_Language()
{
    Load_Lang_English();
    const String FileName = Lang_File_Of(Language_Name);
    if (!FileName.isEmpty()) {
        Read_Lang_File(FileName);
        return;
    }
    Language_Name = QString::fromLatin1(C_Default_Language);
    const String English = Lang_File_Of(Language_Name);
    if (!English.isEmpty())
        Read_Lang_File(English);
}

String LangFormat(Integer Index, std::initializer_list<TVarRec> Args)
{
    return LangFormat(Index, std::span<const TVarRec>(Args.begin(), Args.size()));
}

String LangFormat(Integer Index, std::span<const TVarRec> Args)
{
    if (Index < 0 || Index >= Lang_English_Count)
        throw EStringListError(Format("List index out of bounds (%d)", {Index}));
    String Result;
    if (Index < Lang.Count() && TryFormat(Lang.Strings(Index), Args, Result))
        return Result;
    return Format(Lang_English(Index), Args);
}

QStringList Lang_Dump()
{
    QStringList Lines;
    Lines.reserve(Lang.Count());
    for (Integer I = 0; I < Lang.Count(); ++I) {
        String Text = Lang.Strings(I);
        Text.replace(u'\r', QLatin1String("\\r"));
        Text.replace(u'\n', QLatin1String("\\n"));
        Lines.append(IntToStr(I) + u'\t' + Text);
    }
    return Lines;
}
