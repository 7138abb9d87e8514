#pragma once
// What the grid-run script shares between its commands (Cmd_GridRun.cpp),
// the grid's settings and cell properties (GridSettings.cpp) and the file
// formats of export and import (GridFormats.cpp).
#include "rtl/System.h"

#include <QStringList>

#include <functional>
#include <map>
#include <vector>

class TExStringGrid;

namespace cfgtool {

// A malformed script line or argument: the script stops with exit code 2.
struct TScriptError {
    QString Message;
};

// An option of an export or import: "--NAME", or "--NAME VALUE" when it
// takes a value.
struct TFormatOption {
    QString Name;
    bool HasValue;
};

// The options given to one export or import.
class TFormatOptions {
public:
    // Args are the words after the file; an option that is not Allowed, or
    // lacks its value, raises TScriptError.
    TFormatOptions(const QStringList& Args, const std::vector<TFormatOption>& Allowed);

    bool Has(const QString& Name) const { return FValues.count(Name) != 0; }
    // The value "N,N,...", Count numbers (at least one when Count is 0);
    // empty when the option is absent. TScriptError when malformed.
    std::vector<Integer> Numbers(const QString& Name, int Count) const;
    // One number, or Default when the option is absent.
    Integer Number(const QString& Name, Integer Default) const;
    // The option's value as given, or Default when it is absent.
    QString Text(const QString& Name, const QString& Default) const;

private:
    std::map<QString, QString> FValues;
};

using TGridFileAction =
    std::function<void(TExStringGrid& Grid, const QString& File, const TFormatOptions& Options)>;

// One file format: its export and import with their options; a format
// without one of them leaves that action empty.
struct TGridFormat {
    std::vector<TFormatOption> ExportOptions;
    TGridFileAction Export;
    std::vector<TFormatOption> ImportOptions;
    TGridFileAction Import;
};

// The formats by name, one entry each (GridFormats.cpp).
const std::map<QString, TGridFormat>& GridFormats();

// "set NAME VALUE": Booleans "true"/"false", decimal integers, a character
// as itself or one escape, texts with the escapes of grid-text.
void SetGridSetting(TExStringGrid& Grid, const QString& Name, const QString& Value);
// "prop C R NAME VALUE" on the cell's properties, made on demand.
void SetCellProperty(TExStringGrid& Grid, Integer C, Integer R, const QString& Name, const QString& Value);
// The grid as a script of new, colwidth, rowheight, celltext and prop lines.
void PrintListing(TExStringGrid& Grid);

} // namespace cfgtool
