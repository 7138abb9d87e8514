#include "rtl/IniFiles.h"

#include "rtl/Registry.h"

#include <QFile>

#include <algorithm>
#include <vector>

// ---------------------------------------------------------------- content

// The lines of an INI file as read, with the keys and sections picked out.
class TIniContent {
public:
    struct TLine {
        String Text;
        bool IsKey = false;
        String Key;
        String Value;
    };
    struct TSection {
        String Name;
        String Header;
        std::vector<TLine> Lines;
        bool HasKeys() const
        {
            return std::any_of(Lines.begin(), Lines.end(), [](const TLine& L) { return L.IsKey; });
        }
    };

    void Parse(const TStrings& Source)
    {
        Prelude.clear();
        Sections.clear();
        for (int I = 0; I < Source.Count(); ++I) {
            const String Raw = Source.Strings(I);
            const String T = Trim(Raw);
            if (T.size() >= 2 && T.front() == u'[' && T.back() == u']') {
                Sections.push_back(TSection{Trim(T.mid(1, T.size() - 2)), Raw, {}});
                continue;
            }
            TLine Line;
            Line.Text = Raw;
            const qsizetype Eq = T.indexOf(u'=');
            if (Eq >= 0 && !T.startsWith(u';')) {
                Line.IsKey = true;
                Line.Key = Trim(T.left(Eq));
                Line.Value = Trim(T.mid(Eq + 1));
            }
            (Sections.empty() ? Prelude : Sections.back().Lines).push_back(Line);
        }
    }

    void Store(TStrings& Dest) const
    {
        Dest.BeginUpdate();
        Dest.Clear();
        for (const TLine& L : Prelude)
            Dest.Add(L.Text);
        for (const TSection& S : Sections) {
            Dest.Add(S.Header);
            for (const TLine& L : S.Lines)
                Dest.Add(L.Text);
        }
        Dest.EndUpdate();
    }

    // Only the first section of a name counts, as readers have always done.
    // Names are trimmed in the file, so they are looked up trimmed.
    TSection* Section(const String& Name)
    {
        const String Wanted = Trim(Name);
        for (TSection& S : Sections)
            if (AnsiSameText(S.Name, Wanted))
                return &S;
        return nullptr;
    }

    static TLine* Key(TSection* S, const String& Ident)
    {
        const String Wanted = Trim(Ident);
        if (S)
            for (TLine& L : S->Lines)
                if (L.IsKey && AnsiSameText(L.Key, Wanted))
                    return &L;
        return nullptr;
    }

    TSection& AddSection(const String& Name)
    {
        // A blank line between the last section and the new one.
        std::vector<TLine>& Last = Sections.empty() ? Prelude : Sections.back().Lines;
        const bool Empty = Prelude.empty() && Sections.empty();
        if (!Empty && (Last.empty() || !Trim(Last.back().Text).isEmpty()))
            Last.push_back(TLine{});
        Sections.push_back(TSection{Name, "[" + Name + "]", {}});
        return Sections.back();
    }

    static void AddKey(TSection& S, const String& Ident, const String& Value)
    {
        // After the section's last key, or its last non-blank line, so that
        // blank lines and comments ahead of the next section stay there.
        std::size_t At = S.Lines.size();
        while (At > 0 && !S.Lines[At - 1].IsKey)
            --At;
        if (At == 0) {
            At = S.Lines.size();
            while (At > 0 && Trim(S.Lines[At - 1].Text).isEmpty())
                --At;
        }
        S.Lines.insert(S.Lines.begin() + static_cast<std::ptrdiff_t>(At),
                       TLine{Ident + "=" + Value, true, Ident, Value});
    }

    std::vector<TLine> Prelude;
    std::vector<TSection> Sections;
};

// ---------------------------------------------------------------- TCustomIniFile

namespace {

bool IniHasLineBreak(const String& S) { return S.contains(u'\r') || S.contains(u'\n'); }

// Each key of the section once, in file order, alone or as "Key=Value".
void IniListKeys(TIniContent& Content, const String& Section, TStrings* Strings, bool WithValues)
{
    Strings->BeginUpdate();
    Strings->Clear();
    if (TIniContent::TSection* S = Content.Section(Section))
        for (const TIniContent::TLine& L : S->Lines)
            if (L.IsKey && TIniContent::Key(S, L.Key) == &L)
                Strings->Add(WithValues ? L.Key + "=" + L.Value : L.Key);
    Strings->EndUpdate();
}

} // namespace

TCustomIniFile::TCustomIniFile(const String& AFileName)
    : FFileName(AFileName), FContent(std::make_unique<TIniContent>())
{
}

TCustomIniFile::~TCustomIniFile() = default;

void TCustomIniFile::LoadContent()
{
    TStringList Lines;
    if (QFile::exists(FFileName)) {
        try {
            Lines.LoadFromFile(FFileName);
        } catch (const EFOpenError&) {
            // Gone between the look and the read: as missing.
            if (QFile::exists(FFileName))
                throw;
        }
    }
    FContent->Parse(Lines);
}

void TCustomIniFile::SaveContent()
{
    TStringList Lines;
    FContent->Store(Lines);
    Lines.SaveToFile(FFileName);
}

String TCustomIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    BeforeAccess();
    const TIniContent::TLine* L = TIniContent::Key(FContent->Section(Section), Ident);
    return L ? L->Value : Default;
}

void TCustomIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    const String Key = Trim(Ident);
    if (IniHasLineBreak(Section) || IniHasLineBreak(Ident) || IniHasLineBreak(Value) || Key.contains(u'=')
        || Key.startsWith(u';') || Key.startsWith(u'['))
        throw EIniFileException(QStringLiteral("Cannot write the key \"%1\" of section \"%2\" to %3")
                                    .arg(Ident, Section, FFileName));
    BeforeAccess();
    const String V = Trim(Value);
    TIniContent::TSection* S = FContent->Section(Section);
    if (TIniContent::TLine* L = TIniContent::Key(S, Key)) {
        if (L->Value == V)
            return;
        L->Value = V;
        L->Text = L->Key + "=" + V;
    } else {
        TIniContent::AddKey(S ? *S : FContent->AddSection(Trim(Section)), Key, V);
    }
    AfterChange();
}

Integer TCustomIniFile::ReadInteger(const String& Section, const String& Ident, Integer Default)
{
    return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, Integer Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Name, double Default)
{
    return StrToFloatDef(ReadString(Section, Name, String()), Default, FormatSettings);
}

void TCustomIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    BeforeAccess();
    IniListKeys(*FContent, Section, Strings, false);
}

void TCustomIniFile::ReadSections(TStrings* Strings)
{
    BeforeAccess();
    Strings->BeginUpdate();
    Strings->Clear();
    for (TIniContent::TSection& S : FContent->Sections)
        if (FContent->Section(S.Name) == &S)
            Strings->Add(S.Name);
    Strings->EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    BeforeAccess();
    IniListKeys(*FContent, Section, Strings, true);
}

bool TCustomIniFile::SectionExists(const String& Section)
{
    BeforeAccess();
    const TIniContent::TSection* S = FContent->Section(Section);
    return S && S->HasKeys();
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident)
{
    BeforeAccess();
    return TIniContent::Key(FContent->Section(Section), Ident) != nullptr;
}

void TCustomIniFile::EraseSection(const String& Section)
{
    BeforeAccess();
    auto& Sections = FContent->Sections;
    const std::size_t Before = Sections.size();
    std::erase_if(Sections, [&](const TIniContent::TSection& S) { return AnsiSameText(S.Name, Trim(Section)); });
    if (Sections.size() != Before)
        AfterChange();
}

void TCustomIniFile::DeleteKey(const String& Section, const String& Ident)
{
    BeforeAccess();
    std::size_t Removed = 0;
    for (TIniContent::TSection& S : FContent->Sections)
        if (AnsiSameText(S.Name, Trim(Section)))
            Removed += std::erase_if(S.Lines, [&](const TIniContent::TLine& L) {
                return L.IsKey && AnsiSameText(L.Key, Trim(Ident));
            });
    if (Removed > 0)
        AfterChange();
}

// ---------------------------------------------------------------- TIniFile

TIniFile::TIniFile(const String& AFileName) : TCustomIniFile(AFileName) {}

void TIniFile::BeforeAccess()
{
    const TFileStamp Now = FileStamp(FileName());
    if (FLoaded && Now == FStamp)
        return;
    LoadContent();
    FStamp = Now;
    FLoaded = true;
}

void TIniFile::AfterChange()
{
    try {
        SaveContent();
    } catch (const EFCreateError&) {
        // The content no longer matches the file: read it again next time.
        FLoaded = false;
        throw EIniFileException(QStringLiteral("Unable to write to %1").arg(FileName()));
    }
    FStamp = FileStamp(FileName());
}

// ---------------------------------------------------------------- TMemIniFile

TMemIniFile::TMemIniFile(const String& AFileName) : TCustomIniFile(AFileName) { LoadContent(); }

void TMemIniFile::UpdateFile() { SaveContent(); }

TRegIniFile::TRegIniFile(const String& AKey) : TMemIniFile(RegistryFileName()), FKey(AKey) {}

String TRegIniFile::KeyPath(const String& Section) const
{
    return FKey + QLatin1Char('\\') + Section;
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    return TMemIniFile::ReadString(KeyPath(Section), Ident, Default);
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    TMemIniFile::WriteString(KeyPath(Section), Ident, Value);
}

void TRegIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    TMemIniFile::ReadSection(KeyPath(Section), Strings);
}

void TRegIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    TMemIniFile::ReadSectionValues(KeyPath(Section), Strings);
}

void TRegIniFile::EraseSection(const String& Section)
{
    TMemIniFile::EraseSection(KeyPath(Section));
}

void TRegIniFile::DeleteKey(const String& Section, const String& Ident)
{
    TMemIniFile::DeleteKey(KeyPath(Section), Ident);
}

void TRegIniFile::UpdateFile()
{
    if (const String Folder = ExtractFileDir(FileName()); !Folder.isEmpty())
        ForceDirectories(Folder);
    TMemIniFile::UpdateFile();
}
