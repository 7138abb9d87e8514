#pragma once
// What the sort comparison reads of a cell. A running sort keeps one key
// per row and column, each reading made on its first use and carried with
// the row (pivot copy included), so that a row's texts are read and
// classified once per sort; comparisons outside a sort read fresh keys.
#include "grid/control/ExGrid.h"

#include <cstdint>
#include <memory>
#include <vector>

// A column's sort style, prefix and suffix as the format hook gives them.
struct TSortColumn {
    TSortStyle Style = ssAutomatic;
    String Prefix;
    String Suffix;
    bool Ignored = false;
};

// One cell's readings; Ready holds the bits of those made. The readings
// few styles need live apart, so the keys of a column stay small.
struct TSortCellKey {
    enum : unsigned {
        kText = 1u << 0, kCheckBox = 1u << 1, kChecked = 1u << 2, kImage = 1u << 3, kKind = 1u << 4,
        kNumber = 1u << 5, kUpper = 1u << 6, kStripped = 1u << 7, kDateTime = 1u << 8, kTime = 1u << 9,
        kDayFirst = 1u << 10, kMonthFirst = 1u << 11, kShape = 1u << 12
    };
    // How the text looks to the automatic style: a date or a time
    // separator at character 2 or 3 between digits.
    enum TShape : unsigned char { shText, shDate, shTime };
    struct TRare {
        std::intptr_t ImageRef = -1;
        String Upper;
        String Stripped;
        double DateTime = 0;
        double Time = 0;
        double DayFirst = 0;
        double MonthFirst = 0;
    };

    String Text;
    double Number = 0;
    std::unique_ptr<TRare> Rare;
    unsigned short Ready = 0;
    signed char NumberKind = 2;
    TShape Shape = shText;
    bool IsCheckBox = false;
    bool Checked = false;
    bool NumberRead = false;
    bool NumberTextEmpty = true;
    bool HasDateSeparator = false;
    bool HasTimeSeparator = false;
};

// A cell of the comparison: its key, read on demand from the grid. The
// readings come from AReadRow, the row the key belongs to (not the pivot
// copy, which the display hooks skip).
class TSortCell {
public:
    TSortCell(TExStringGrid& AGrid, const TSortColumn& AColumn, Integer ACol, Integer ARow, Integer AReadRow,
              TSortCellKey& AKey)
        : Grid(AGrid), Column(AColumn), Col(ACol), Row(ARow), ReadRow(AReadRow), Key(AKey)
    {
    }

    Integer RowIndex() const { return Row; }
    const String& Text();
    bool IsCheckBox();
    bool Checked();
    std::intptr_t ImageRef();
    bool IsNumber();
    // The number after prefix, suffix (and for Financial the thousand
    // separators) are taken off; False when the text does not read.
    bool Number(double& Value, bool& PreparedEmpty, bool Financial);
    const String& Upper();
    const String& Stripped();
    double DateTime();
    double Time();
    double DayFirst();
    double MonthFirst();
    TSortCellKey::TShape Shape();
    bool HasDateSeparator();
    bool HasTimeSeparator();

private:
    bool Needs(unsigned Bit)
    {
        if (Key.Ready & Bit)
            return false;
        Key.Ready = static_cast<unsigned short>(Key.Ready | Bit);
        return true;
    }
    TSortCellKey::TRare& Rare()
    {
        if (!Key.Rare)
            Key.Rare = std::make_unique<TSortCellKey::TRare>();
        return *Key.Rare;
    }
    void ReadShape();

    TExStringGrid& Grid;
    const TSortColumn& Column;
    Integer Col;
    Integer Row;
    Integer ReadRow;
    TSortCellKey& Key;
};

// The style, prefix and suffix of a column as the hook gives them.
TSortColumn ReadSortColumn(TExStringGrid& Grid, Integer ACol);
// CompareCells after the count: 1 when A sorts after B, -1 before, 0 equal.
Integer CompareSortCells(TExStringGrid& Grid, const TSortColumn& Column, Integer ACol, TSortCell& A, TSortCell& B,
                         TSortDirection Direction);

// The keys of a running sort: a key number per display row (spare rows
// included), moved by the row swap and copied with the pivot.
class TExStringGrid::TSortKeys {
public:
    // Keys for Rows rows. The memory of the last sort's keys is used again:
    // its pages are in place already, which spares a page fault per few
    // keys on large grids.
    static std::unique_ptr<TSortKeys> Take(Integer Rows);
    // Back for the next sort, emptied (no cell text stays held).
    static void Give(std::unique_ptr<TSortKeys> Keys);

    bool HasRow(Integer ARow) const { return ARow >= 0 && ARow < Integer(RowKey.size()); }
    void SwapRows(Integer ARow1, Integer ARow2);
    // The pivot copy: To shares From's keys; they stay From's to read.
    void CopyRow(Integer From, Integer To) { RowKey[std::size_t(To)] = RowKey[std::size_t(From)]; }
    // The row whose cells a key of ARow is read from.
    Integer ReadRow(Integer ARow) const { return KeyRow[std::size_t(RowKey[std::size_t(ARow)])]; }
    // The column's hook answer, asked once per sort.
    const TSortColumn& Column(TExStringGrid& Grid, Integer ACol);
    // Made on first use; stays at its place while the sort runs.
    TSortCellKey& Key(Integer ACol, Integer ARow);

private:
    // The keys of the rows compared in this column (a tie-break column
    // may see only a few), found by key number. Room for every row is
    // reserved at once (memory the keys never reach stays untouched), so
    // keys never move.
    struct TColumnKeys {
        bool Asked = false;
        TSortColumn Column;
        std::vector<Integer> Slot;
        std::vector<TSortCellKey> Keys;
    };
    void Reset(Integer Rows);
    void Clear();
    static std::unique_ptr<TSortKeys>& Spare();

    std::vector<Integer> RowKey;
    // The display row of each key's own row.
    std::vector<Integer> KeyRow;
    std::vector<std::unique_ptr<TColumnKeys>> Columns;
};
