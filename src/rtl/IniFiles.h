#pragma once
// Settings in INI files: "[Section]" headers and "Key=Value" lines.
#include "rtl/Classes.h"
#include "rtl/FileStamp.h"

#include <memory>

class TIniContent;

// Sections and keys are found without regard to case; keys and values are
// read trimmed; lines without "=" are ignored. Blank lines, ";" comments and
// the order of the lines are kept when the file is written again. A file
// that does not exist reads as empty; one that exists but cannot be read
// raises EFOpenError. The file is written in UTF-8 with
// CR LF, through a temporary file in the same folder that replaces it, so a
// failed write leaves the old file as it was.
class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(const String& AFileName);
    ~TCustomIniFile() override;

    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& Section, const String& Ident, const String& Default);
    // Section, Ident and Value may hold no line break, and Ident no "="
    // nor a leading ";" or "[": they would not read back (EIniFileException).
    virtual void WriteString(const String& Section, const String& Ident, const String& Value);
    // Decimal, or hex after "$" or "0x"; Default when the value is no integer.
    Integer ReadInteger(const String& Section, const String& Ident, Integer Default);
    void WriteInteger(const String& Section, const String& Ident, Integer Value);
    // An integer other than 0 is true; Default when the value is no integer.
    bool ReadBool(const String& Section, const String& Ident, bool Default);
    // "1" or "0".
    void WriteBool(const String& Section, const String& Ident, bool Value);
    // With the decimal separator of FormatSettings; Default when no number.
    double ReadFloat(const String& Section, const String& Name, double Default);

    // The keys of the section, each once, in file order.
    virtual void ReadSection(const String& Section, TStrings* Strings);
    virtual void ReadSections(TStrings* Strings);
    // "Key=Value" for each key of the section.
    virtual void ReadSectionValues(const String& Section, TStrings* Strings);
    // Whether the section holds at least one key.
    bool SectionExists(const String& Section);
    bool ValueExists(const String& Section, const String& Ident);
    virtual void EraseSection(const String& Section);
    virtual void DeleteKey(const String& Section, const String& Ident);
    virtual void UpdateFile() = 0;

protected:
    // Called before every access to the content and after every change.
    virtual void BeforeAccess() {}
    virtual void AfterChange() {}
    // Reads the file into the content; a missing file gives empty content.
    void LoadContent();
    // Writes the content to the file (EFCreateError when it cannot).
    void SaveContent();

private:
    String FFileName;
    std::unique_ptr<TIniContent> FContent;
};

// Writes every change to the file at once and reads the file again when it
// was changed by someone else. A failed write raises EIniFileException
// "Unable to write to <file>" and forgets the change.
class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const String& AFileName);
    // Every change is in the file already.
    void UpdateFile() override {}

protected:
    void BeforeAccess() override;
    void AfterChange() override;

private:
    TFileStamp FStamp;
    bool FLoaded = false;
};

// Reads the file once and keeps the changes in memory until UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const String& AFileName);
    // Writes the content to the file (EFCreateError when it cannot).
    void UpdateFile() override;
};

// INI-style access to the per-user registry (rtl/Registry.h): the sections
// are the subkeys of AKey, that is "AKey\Section" in the file that stands
// for the registry. Read once; UpdateFile writes the changes back.
class TRegIniFile : public TMemIniFile {
public:
    explicit TRegIniFile(const String& AKey);

    String ReadString(const String& Section, const String& Ident, const String& Default) override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSection(const String& Section, TStrings* Strings) override;
    void ReadSectionValues(const String& Section, TStrings* Strings) override;
    void EraseSection(const String& Section) override;
    void DeleteKey(const String& Section, const String& Ident) override;
    // Makes the registry's folder first.
    void UpdateFile() override;

private:
    String KeyPath(const String& Section) const;

    String FKey;
};
