// The XML layer against the parser alone, on the largest published IO-Link
// device description: load the file, then walk every node as the device
// description reader does (children by index, names, every attribute by name,
// texts).
#include "platform/XmlDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstring>

namespace {

constexpr unsigned kBenchParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_declaration |
                                        pugi::parse_pi | pugi::parse_doctype;

QString LargestDeviceDescription()
{
    const QDir dir(QStringLiteral(CFG_SHARED_DATA_DIR "/iodd"));
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.xml")}, QDir::Files, QDir::Size);
    for (const QFileInfo& file : files) {
        if (!file.fileName().startsWith(QLatin1String("IODD-StandardDefinitions"), Qt::CaseInsensitive))
            return file.filePath();
    }
    return QString();
}

struct TWalkTotals {
    std::int64_t Elements = 0;
    std::int64_t Attributes = 0;
    std::int64_t Characters = 0;
};

void WalkLayer(const xml::TXMLNode& Node, TWalkTotals& Totals)
{
    const int count = Node.ChildCount();
    for (int i = 0; i < count; ++i) {
        const xml::TXMLNode child = Node.Child(i);
        switch (child.NodeType()) {
        case xml::TNodeType::ntElement: {
            ++Totals.Elements;
            Totals.Characters += child.NodeName().size();
            const int attributes = child.AttributeCount();
            for (int a = 0; a < attributes; ++a) {
                const String name = child.AttributeName(a);
                Totals.Characters += name.size() + child.Attribute(name)->size();
                ++Totals.Attributes;
            }
            WalkLayer(child, Totals);
            break;
        }
        case xml::TNodeType::ntText:
        case xml::TNodeType::ntCData:
            Totals.Characters += child.Text().size();
            break;
        default:
            break;
        }
    }
}

// The same walk on the parser's nodes, with the same conversions to QString.
void WalkParser(pugi::xml_node Node, TWalkTotals& Totals)
{
    for (pugi::xml_node child = Node.first_child(); child; child = child.next_sibling()) {
        switch (child.type()) {
        case pugi::node_element:
            ++Totals.Elements;
            Totals.Characters += QString::fromUtf8(child.name()).size();
            for (pugi::xml_attribute attr = child.first_attribute(); attr; attr = attr.next_attribute()) {
                const QString name = QString::fromUtf8(attr.name());
                Totals.Characters += name.size() + QString::fromUtf8(child.attribute(attr.name()).value()).size();
                ++Totals.Attributes;
            }
            WalkParser(child, Totals);
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            Totals.Characters += QString::fromUtf8(child.value()).size();
            break;
        default:
            break;
        }
    }
}

// The parser alone without any conversion: the floor (counts UTF-8 bytes).
void WalkParserRaw(pugi::xml_node Node, TWalkTotals& Totals)
{
    for (pugi::xml_node child = Node.first_child(); child; child = child.next_sibling()) {
        switch (child.type()) {
        case pugi::node_element:
            ++Totals.Elements;
            Totals.Characters += std::strlen(child.name());
            for (pugi::xml_attribute attr = child.first_attribute(); attr; attr = attr.next_attribute()) {
                Totals.Characters += std::strlen(attr.name()) + std::strlen(child.attribute(attr.name()).value());
                ++Totals.Attributes;
            }
            WalkParserRaw(child, Totals);
            break;
        case pugi::node_pcdata:
        case pugi::node_cdata:
            Totals.Characters += std::strlen(child.value());
            break;
        default:
            break;
        }
    }
}

// The file, or a reason to skip.
bool BenchFile(benchmark::State& State, QString& FileName)
{
    FileName = LargestDeviceDescription();
    if (FileName.isEmpty()) {
        State.SkipWithError("no device description in " CFG_SHARED_DATA_DIR "/iodd");
        return false;
    }
    State.SetLabel(QFileInfo(FileName).fileName().toStdString());
    return true;
}

void Report(benchmark::State& State, const QString& FileName, const TWalkTotals& Totals)
{
    State.SetBytesProcessed(State.iterations() * QFileInfo(FileName).size());
    State.counters["elements"] = double(Totals.Elements);
    State.counters["attributes"] = double(Totals.Attributes);
}

void BM_XmlLayer_LoadAndWalk(benchmark::State& State)
{
    QString fileName;
    if (!BenchFile(State, fileName))
        return;
    TWalkTotals totals;
    for (auto _ : State) {
        xml::TXMLDocument doc;
        doc.LoadFromFile(fileName);
        totals = TWalkTotals();
        WalkLayer(doc.Node(), totals);
        benchmark::DoNotOptimize(totals);
    }
    Report(State, fileName, totals);
}

void BM_Pugixml_LoadAndWalk(benchmark::State& State)
{
    QString fileName;
    if (!BenchFile(State, fileName))
        return;
    const QByteArray path = QFile::encodeName(fileName);
    TWalkTotals totals;
    for (auto _ : State) {
        pugi::xml_document doc;
        if (!doc.load_file(path.constData(), kBenchParseOptions)) {
            State.SkipWithError("the parser refused the file");
            return;
        }
        totals = TWalkTotals();
        WalkParser(doc, totals);
        benchmark::DoNotOptimize(totals);
    }
    Report(State, fileName, totals);
}

void BM_XmlLayer_Walk(benchmark::State& State)
{
    QString fileName;
    if (!BenchFile(State, fileName))
        return;
    xml::TXMLDocument doc;
    doc.LoadFromFile(fileName);
    TWalkTotals totals;
    for (auto _ : State) {
        totals = TWalkTotals();
        WalkLayer(doc.Node(), totals);
        benchmark::DoNotOptimize(totals);
    }
    Report(State, fileName, totals);
}

// Walks a document the parser loaded once, with Walk, on every iteration.
void PugixmlWalkBench(benchmark::State& State, void (*Walk)(pugi::xml_node, TWalkTotals&))
{
    QString fileName;
    if (!BenchFile(State, fileName))
        return;
    pugi::xml_document doc;
    if (!doc.load_file(QFile::encodeName(fileName).constData(), kBenchParseOptions)) {
        State.SkipWithError("the parser refused the file");
        return;
    }
    TWalkTotals totals;
    for (auto _ : State) {
        totals = TWalkTotals();
        Walk(doc, totals);
        benchmark::DoNotOptimize(totals);
    }
    Report(State, fileName, totals);
}

void BM_Pugixml_Walk(benchmark::State& State) { PugixmlWalkBench(State, WalkParser); }

void BM_Pugixml_WalkWithoutConversion(benchmark::State& State) { PugixmlWalkBench(State, WalkParserRaw); }

} // namespace

BENCHMARK(BM_XmlLayer_LoadAndWalk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pugixml_LoadAndWalk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_XmlLayer_Walk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pugixml_Walk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pugixml_WalkWithoutConversion)->Unit(benchmark::kMicrosecond);
