#include "ColumnStreamFuzzBody.h"

#include "grid/control/ExCGrid.h"
#include "rtl/Forms.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzzbodies {

namespace {

void ColumnFuzzExpect(bool Holds, const char* What)
{
    if (Holds)
        return;
    std::fprintf(stderr, "fuzz finding: %s\n", What);
    std::abort();
}

struct TGridOnItsForm {
    TGridOnItsForm() : Form(std::make_unique<TForm>(nullptr)), Grid(new TExColumnGrid(Form.get()))
    {
        Grid->SetParent(Form.get());
        Grid->SetColCount(4);
        Grid->Columns()->Items(2)->SetHeader(QStringLiteral("H"));
        Grid->SetColWidths(1, 31);
        Grid->Loaded();
    }
    std::unique_ptr<TForm> Form;
    TExColumnGrid* Grid;
};

QByteArray Saved(TExColumnGrid& Grid)
{
    TMemoryStream Stream;
    Grid.SaveColumnsToStream(&Stream);
    return QByteArray(static_cast<const char*>(Stream.Memory()), qsizetype(Stream.Size()));
}

// False when the stream is refused.
bool Load(TExColumnGrid& Grid, const QByteArray& Bytes)
{
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes.constData(), Integer(Bytes.size()));
    Stream.SetPosition(0);
    try {
        Grid.LoadColumnsFromStream(&Stream);
        return true;
    } catch (const EReadError&) {
        return false;
    }
}

QStringList Look(TExColumnGrid& Grid)
{
    QStringList Texts{QString::number(Grid.ColCount())};
    for (Integer C = 0; C < Grid.AllColCount(); ++C)
        Texts << QString::number(Grid.AllColWidths(C)) << Grid.Cells(C, 0);
    return Texts;
}

} // namespace

void ColumnStream(const QByteArray& Bytes)
{
    TGridOnItsForm Target;
    const QByteArray Before = Saved(*Target.Grid);
    const QStringList LookBefore = Look(*Target.Grid);
    if (!Load(*Target.Grid, Bytes)) {
        ColumnFuzzExpect(Saved(*Target.Grid) == Before, "a refused stream changed the columns");
        ColumnFuzzExpect(Look(*Target.Grid) == LookBefore, "a refused stream changed the grid");
        return;
    }
    // What a load leaves, saved, loads into a fresh grid and saves the same.
    const QByteArray First = Saved(*Target.Grid);
    TGridOnItsForm Fresh;
    ColumnFuzzExpect(Load(*Fresh.Grid, First), "a saved stream does not load again");
    ColumnFuzzExpect(Saved(*Fresh.Grid) == First, "a load and a save change the stream");
}

} // namespace fuzzbodies
