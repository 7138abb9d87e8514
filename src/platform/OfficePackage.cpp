#include "platform/OfficePackage.h"

#include <QFile>

#include <zip.h>

#include <sstream>
#include <vector>

namespace platform {

bool HasZipSignature(const String& FileName)
{
    QFile File(FileName);
    return File.open(QIODevice::ReadOnly) && File.read(4) == QByteArray("PK\x03\x04", 4);
}

TOfficePackage::TOfficePackage(const String& FileName, TMode Mode) : FFileName(FileName)
{
    int Flags = ZIP_RDONLY;
    if (Mode == TMode::pmEdit)
        Flags = 0;
    else if (Mode == TMode::pmCreate)
        Flags = ZIP_CREATE | ZIP_TRUNCATE;
    int Error = 0;
    FZip = zip_open(QFile::encodeName(FileName).constData(), Flags, &Error);
    if (!FZip) {
        zip_error_t Err;
        zip_error_init_with_code(&Err, Error);
        const String Reason = String::fromUtf8(zip_error_strerror(&Err));
        zip_error_fini(&Err);
        Fail(Reason);
    }
}

TOfficePackage::~TOfficePackage()
{
    if (FZip)
        zip_discard(FZip);
}

void TOfficePackage::Fail(const String& Reason) const
{
    throw EOfficeFileError(FFileName + QStringLiteral(": ") + Reason);
}

bool TOfficePackage::Has(const std::string& Part) const
{
    return zip_name_locate(FZip, Part.c_str(), 0) >= 0;
}

QByteArray TOfficePackage::Read(const std::string& Part) const
{
    zip_stat_t Stat;
    zip_stat_init(&Stat);
    if (zip_stat(FZip, Part.c_str(), 0, &Stat) != 0 || !(Stat.valid & ZIP_STAT_SIZE))
        Fail(QStringLiteral("part %1 is missing").arg(String::fromStdString(Part)));
    if (Stat.size > zip_uint64_t(OfficeMaxPartBytes))
        Fail(QStringLiteral("part %1 inflates beyond %2 bytes").arg(String::fromStdString(Part)).arg(OfficeMaxPartBytes));
    zip_file_t* File = zip_fopen(FZip, Part.c_str(), 0);
    if (!File)
        Fail(QStringLiteral("part %1 cannot be read").arg(String::fromStdString(Part)));
    QByteArray Bytes(qsizetype(Stat.size), Qt::Uninitialized);
    const zip_int64_t Got = zip_fread(File, Bytes.data(), Stat.size);
    zip_fclose(File);
    if (Got < 0 || zip_uint64_t(Got) != Stat.size)
        Fail(QStringLiteral("part %1 cannot be read").arg(String::fromStdString(Part)));
    return Bytes;
}

pugi::xml_document TOfficePackage::ReadXml(const std::string& Part) const
{
    const QByteArray Bytes = Read(Part);
    pugi::xml_document Doc;
    const pugi::xml_parse_result Result = Doc.load_buffer(Bytes.constData(), size_t(Bytes.size()), pugi::parse_default);
    if (!Result)
        Fail(QStringLiteral("part %1 is not well-formed XML (%2)")
                 .arg(String::fromStdString(Part), String::fromUtf8(Result.description())));
    return Doc;
}

void TOfficePackage::Write(const std::string& Part, const QByteArray& Bytes)
{
    void* Copy = malloc(size_t(std::max<qsizetype>(1, Bytes.size())));
    if (!Copy)
        throw std::bad_alloc();
    memcpy(Copy, Bytes.constData(), size_t(Bytes.size()));
    // The source owns the copy from here (freed by libzip).
    zip_source_t* Source = zip_source_buffer(FZip, Copy, zip_uint64_t(Bytes.size()), 1);
    if (!Source) {
        free(Copy);
        Fail(QStringLiteral("part %1 cannot be written").arg(String::fromStdString(Part)));
    }
    if (zip_file_add(FZip, Part.c_str(), Source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(Source);
        Fail(QStringLiteral("part %1 cannot be written").arg(String::fromStdString(Part)));
    }
}

void TOfficePackage::WriteXml(const std::string& Part, const pugi::xml_document& Doc)
{
    std::ostringstream Out;
    Doc.save(Out, "", pugi::format_raw, pugi::encoding_utf8);
    const std::string Text = Out.str();
    Write(Part, QByteArray(Text.data(), qsizetype(Text.size())));
}

void TOfficePackage::Remove(const std::string& Part)
{
    const zip_int64_t Index = zip_name_locate(FZip, Part.c_str(), 0);
    if (Index >= 0)
        zip_delete(FZip, zip_uint64_t(Index));
}

void TOfficePackage::Commit()
{
    if (zip_close(FZip) != 0) {
        const String Reason = String::fromUtf8(zip_strerror(FZip));
        Fail(Reason);
    }
    FZip = nullptr;
}

std::string PartFolder(const std::string& Part)
{
    const size_t Slash = Part.rfind('/');
    return Slash == std::string::npos ? std::string() : Part.substr(0, Slash + 1);
}

std::string ResolvePartTarget(const std::string& Folder, const std::string& Target)
{
    const std::string Joined = !Target.empty() && Target[0] == '/' ? Target.substr(1) : Folder + Target;
    std::vector<std::string> Segments;
    std::istringstream In(Joined);
    for (std::string Segment; std::getline(In, Segment, '/');) {
        if (Segment == "..") {
            if (!Segments.empty())
                Segments.pop_back();
        } else if (!Segment.empty() && Segment != ".") {
            Segments.push_back(Segment);
        }
    }
    std::string Part;
    for (const std::string& Segment : Segments)
        Part += (Part.empty() ? "" : "/") + Segment;
    return Part;
}

std::string RelationshipsPart(const std::string& Part)
{
    const std::string Folder = PartFolder(Part);
    return Folder + "_rels/" + Part.substr(Folder.size()) + ".rels";
}

} // namespace platform
