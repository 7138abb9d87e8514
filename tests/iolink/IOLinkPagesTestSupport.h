#pragma once
// The IO-Link window with its pages built, over a project folder of its
// own (SetAccessTestEnv): its core filled directly, a port's pages shown
// with Show_Data_IODD, and the cells of the page grids read back.
#include "SetAccessTestEnv.h"

#include "iolink/UIO_Link_Set_Access_Form.h"
#include "shell/ULanguage.h"

#include <QApplication>

#include <memory>
#include <ostream>
#include <vector>

// Cell texts readable in failures.
inline void PrintTo(const QString& Text, std::ostream* Out) { *Out << '"' << Text.toStdString() << '"'; }

namespace pages_test {

using setaccess_test::CatalogFile;
using setaccess_test::SwitchFile;
using setaccess_test::ValveFile;

// Ports of variant "-A1-2A-2B": 1 and 2 are class B, 3 and 4 class A
// (indices from 0 here).
inline const QString Variant_2A_2B = QStringLiteral("GV52303-A1-2A-2B");
constexpr Integer PortB = 0;
constexpr Integer PortA = 2;

class TPagesWindow {
public:
    TPagesWindow()
    {
        Load_Lang_English();
        W = new TFIO_Link_Set_Access(nullptr);
        Owned.reset(W);
        W->DoCreate();
        // Until the window's creation builds its pages.
        if (!W->PageControl1)
            W->Create_Pages();
        W->Set_Lang_Pages();
        W->Core.OnMessage = [this](TIOLink_MsgKind Kind, const String& Text) { Env.Messages.push_back({Kind, Text}); };
        Env.WriteParGen(Variant_2A_2B);
        W->Core.Create_Channels();
    }

    // The description File of the catalog inserted into Port and its pages shown.
    void Insert(Integer Port, const QString& File)
    {
        ASSERT_TRUE(W->Core.Insert_IODD_File(Port, CatalogFile(File)));
        W->Show_Data_IODD(Port);
    }

    TChannel_IOLink& Ch(Integer Port) { return *W->Core.Channels.at(std::size_t(Port)); }

    // The texts of real columns Cols of display row Row.
    static std::vector<String> Row(TExStringGrid* Grid, Integer Row, std::initializer_list<Integer> Cols)
    {
        std::vector<String> Texts;
        for (const Integer C : Cols)
            Texts.push_back(Grid->Cells(C, Row));
        return Texts;
    }

    setaccess_test::TSetAccessEnv Env;
    TFIO_Link_Set_Access* W = nullptr;

private:
    std::unique_ptr<TFIO_Link_Set_Access> Owned;
};

inline std::vector<String> S(std::initializer_list<const char*> Texts)
{
    std::vector<String> Out;
    for (const char* T : Texts)
        Out.push_back(QString::fromUtf8(T));
    return Out;
}

} // namespace pages_test
