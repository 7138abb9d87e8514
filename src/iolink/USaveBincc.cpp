// The image builder's two entries and the images they share.
#include "iolink/USaveBincc.h"

#include "platform/TextCodec.h"
#include "shell/UComon.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <filesystem>
#include <system_error>

namespace {

struct TBin_Images {
    QByteArray Bank1;
    QByteArray Bank2;
};

TBin_Images& Bin_Images()
{
    static TBin_Images Images;
    return Images;
}

// A name in Dir as it is stored there, ignoring case, so an existing "BIN"
// or "BANK1.BIN" of a configuration made elsewhere is used, not doubled.
String Bin_Stored_Name(const String& Dir, const char* Name)
{
    const String Stored = FindExistingName(Dir, QLatin1String(Name));
    return Dir + PathDelim + (Stored.isEmpty() ? QLatin1String(Name) : Stored);
}

std::filesystem::path Bin_Path(const String& Name) { return QFile::encodeName(Name).toStdString(); }

} // namespace

const QByteArray& Bin_Bank1() { return Bin_Images().Bank1; }
const QByteArray& Bin_Bank2() { return Bin_Images().Bank2; }

void Compile_Bin()
{
    TBin_Images& Images = Bin_Images();
    Images = {};
    if (Path_Project.isEmpty())
        throw ESaveBinError(QStringLiteral("No configuration is open"));

    try {
        TGeneral_Block Block;
        TIO_Link_Channels Channels;
        if (FileExists(File_ParGen))
            Read_General_Block(File_ParGen, Block);
        Read_IO_Link_Channels(Channels);
        Block.IOLink_Address = Bank2_Address;
        Block.WebPages_Address = WebPages_Address;
        QByteArray Bank2 = Bank2_Bytes(Channels);
        Block.IOLink_Channels = Used_Channels(Channels);
        Images.Bank1 = Bank1_Bytes(Block);
        Images.Bank2 = std::move(Bank2);
    } catch (const ESaveBinError&) {
        throw;
    } catch (const Exception& E) {
        // An unreadable file: the message names it.
        throw ESaveBinError(E.Message());
    }
}

void Save_Bin()
{
    const TBin_Images& Images = Bin_Images();
    if (Path_Project.isEmpty())
        throw ESaveBinError(QStringLiteral("No configuration is open"));
    if (Images.Bank1.isEmpty())
        throw ESaveBinError(QStringLiteral("No device images have been built"));

    const String Dir = Bin_Stored_Name(Path_Project, "bin");
    if (!DirectoryExists(Dir) && !ForceDirectories(Dir))
        throw ESaveBinError(Format("Cannot create the folder \"%s\"", {Dir}));

    struct TBin_File {
        String Target;
        String Staged;
        const QByteArray* Bytes;
    };
    TBin_File Files[] = {
        {Bin_Stored_Name(Dir, "bank1.bin"), String(), &Images.Bank1},
        {Bin_Stored_Name(Dir, "bank2.bin"), String(), &Images.Bank2},
    };
    // Both images are written beside their targets first and replace them
    // only when both were written, so the pair on disk always belongs
    // together.
    QStringList Failures;
    for (TBin_File& F : Files) {
        const String Staged = F.Target + QStringLiteral(".new");
        if (QFileInfo(F.Target).isDir()) {
            Failures << Format("Cannot write \"%s\": a folder of that name is in the way", {F.Target});
            continue;
        }
        try {
            textcodec::WriteFileAtomically(Staged, *F.Bytes);
            F.Staged = Staged;
        } catch (const Exception& E) {
            Failures << Format("Cannot write \"%s\": %s", {F.Target, E.Message()});
        }
    }
    for (TBin_File& F : Files) {
        if (F.Staged.isEmpty())
            continue;
        if (Failures.isEmpty()) {
            std::error_code Error;
            std::filesystem::rename(Bin_Path(F.Staged), Bin_Path(F.Target), Error);
            if (!Error)
                continue;
            Failures << Format("Cannot write \"%s\": %s", {F.Target, String::fromStdString(Error.message())});
        }
        std::error_code Ignored;
        std::filesystem::remove(Bin_Path(F.Staged), Ignored);
    }
    if (!Failures.isEmpty())
        throw ESaveBinError(Failures.join(u'\n'));
}
