// Pictures of mini-HTML text: the picture with its GIF frames, the
// container of named pictures and the cache of URL pictures.
#include "grid/base/PictureContainer.h"

#include "rtl/Windows.h"

#include <QFile>

#include <algorithm>

namespace {

// The frame parts of a GIF: a graphic control extension (0x21 0xF9 0x04,
// packed byte, delay word, transparent index, terminator) directly followed
// by an image descriptor (0x2C, left, top, width, height).
constexpr Integer GifDescriptorOffset = 8;
constexpr Integer GifDescriptorSize = 9;
constexpr Integer GifScreenEnd = 10;

[[noreturn]] void PictureLoadError(const char* Message)
{
    throw Exception(QString::fromLatin1(Message));
}

} // namespace

THTMLPicture::THTMLPicture() = default;

THTMLPicture::~THTMLPicture() = default;

// ---------------------------------------------------------------- the data and its decoding

Integer THTMLPicture::DataWord(Integer Offset) const
{
    // Fields the data does not reach read as 0.
    if (Offset < 0 || Offset + 1 >= FDatastream.size())
        return 0;
    return Byte(FDatastream[Offset]) | (Byte(FDatastream[Offset + 1]) << 8);
}

bool THTMLPicture::GetIsGIF() const
{
    return FDatastream.size() >= 5 && FDatastream.startsWith("GIF8");
}

std::vector<THTMLPicture::TFrameInfo> THTMLPicture::ScanFrames() const
{
    std::vector<TFrameInfo> Frames;
    const auto* D = reinterpret_cast<const Byte*>(FDatastream.constData());
    const Integer Size = Integer(FDatastream.size());
    // A frame counts only when its image descriptor ends inside the data.
    for (Integer P = 0; P + GifDescriptorOffset + GifDescriptorSize <= Size; ++P)
        if (D[P] == 0x21 && D[P + 1] == 0xF9 && D[P + 2] == 0x04 && D[P + GifDescriptorOffset] == 0x2C)
            Frames.push_back({P, DataWord(P + 4)});
    return Frames;
}

Integer THTMLPicture::GetFrameCount()
{
    if (FFrameCount < 0 && GetIsGIF())
        FFrameCount = Integer(ScanFrames().size());
    return GetIsGIF() ? FFrameCount : -1;
}

Integer THTMLPicture::GetFrameTime(Integer i) const
{
    if (!GetIsGIF())
        return -1;
    const std::vector<TFrameInfo> Frames = ScanFrames();
    return i >= 1 && i <= Integer(Frames.size()) ? Frames[std::size_t(i - 1)].Delay : -1;
}

void THTMLPicture::LoadPicture()
{
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
    QByteArray Data = FDatastream;
    const std::vector<TFrameInfo> Frames = GetIsGIF() ? ScanFrames() : std::vector<TFrameInfo>();
    if (!Frames.empty()) {
        if (FDatastream.size() >= GifScreenEnd) {
            FAnimMaxX = Word(DataWord(6));
            FAnimMaxY = Word(DataWord(8));
        }
        // The wanted frame becomes the first image of a GIF of its own.
        FFrame = std::clamp(FFrame, 1, Integer(Frames.size()));
        const Integer From = Frames.front().Start;
        const Integer To = Frames[std::size_t(FFrame - 1)].Start;
        Data.remove(From, To - From);
        const Integer Descriptor = To + GifDescriptorOffset;
        FFrameXPos = Word(DataWord(Descriptor + 1));
        FFrameYPos = Word(DataWord(Descriptor + 3));
        FFrameXSize = Word(DataWord(Descriptor + 5));
        FFrameYSize = Word(DataWord(Descriptor + 7));
    }
    gpPicture.reset();
    std::unique_ptr<TGraphic> Decoded = CreateGraphicForData(Data);
    if (!Decoded)
        PictureLoadError("Could not load image. Invalid format");
    try {
        Decoded->LoadFromBytes(Data);
    } catch (const Exception&) {
        PictureLoadError("Could not load image. Invalid format");
    }
    if (Decoded->Empty())
        PictureLoadError("Could not load image");
    gpPicture = std::move(Decoded);
}

void THTMLPicture::ResetAnimation()
{
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrame = 1;
}

void THTMLPicture::LoadData(const QByteArray& Data)
{
    FDatastream = Data;
    ResetAnimation();
    FIsEmpty = false;
    LoadPicture();
    Changed();
}

void THTMLPicture::LoadFromBytes(const QByteArray& Data)
{
    LoadData(Data);
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream)
        return;
    QByteArray Data(qsizetype(std::max<Int64>(Stream->Size() - Stream->Position(), 0)), Qt::Uninitialized);
    Data.resize(Stream->Read(Data.data(), Integer(Data.size())));
    LoadData(Data);
}

void THTMLPicture::LoadFromFile(const String& FileName)
{
    try {
        QFile File(FileName);
        if (!File.open(QIODevice::ReadOnly))
            PictureLoadError("Could not open image file");
        LoadData(File.readAll());
    } catch (const Exception&) {
        FDatastream.clear();
        gpPicture.reset();
        FIsEmpty = true;
    }
}

void THTMLPicture::LoadFromResourceName(const String& ResName)
{
    const String Path = FindExistingPath(QStringLiteral(":/rcdata/") + ResName);
    if (QFile::exists(Path))
        LoadFromFile(Path);
}

void THTMLPicture::LoadFromResourceID(Integer ResID)
{
    const String Path = QStringLiteral(":/rcdata/") + IntToStr(ResID);
    if (!QFile::exists(Path))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResID));
    LoadFromFile(Path);
}

void THTMLPicture::LoadFromURL(const String& url)
{
    const String Upper = url.toUpper();
    if (Upper.startsWith(QLatin1String("RES://"))) {
        FID = url;
        LoadFromResourceName(url.mid(6));
    } else if (Upper.startsWith(QLatin1String("FILE://"))) {
        FID = url;
        // Mini-HTML hands sources over upper-cased.
        LoadFromFile(FindExistingPath(url.mid(7)));
    } else if (!FThreadBusy || !FAsynch) {
        // No download is made; the cache finds the picture under its URL.
        FURL = url;
        FID = url;
        FThreadBusy = FAsynch;
    }
}

void THTMLPicture::Assign(TPersistent* Source)
{
    FIsEmpty = true;
    gpPicture.reset();
    ResetAnimation();
    const auto* S = dynamic_cast<const THTMLPicture*>(Source);
    if (!S) {
        FDatastream.clear();
        return;
    }
    LoadData(S->FDatastream);
}

// ---------------------------------------------------------------- size and drawing

Integer THTMLPicture::GetWidth() const
{
    return gpPicture ? gpPicture->Width() : 0;
}

Integer THTMLPicture::GetHeight() const
{
    return gpPicture ? gpPicture->Height() : 0;
}

Integer THTMLPicture::GetMaxWidth() const
{
    return FAnimMaxX ? FAnimMaxX : GetWidth();
}

Integer THTMLPicture::GetMaxHeight() const
{
    return FAnimMaxY ? FAnimMaxY : GetHeight();
}

QImage THTMLPicture::ToImage() const
{
    return gpPicture ? gpPicture->ToImage() : QImage();
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (FIsEmpty || !gpPicture)
        return;
    if (FStretched) {
        gpPicture->Draw(ACanvas, Rect);
        return;
    }
    const Integer W = MulDiv(GetWidth(), GetDeviceCaps(ACanvas, LOGPIXELSX), 96);
    const Integer H = MulDiv(GetHeight(), GetDeviceCaps(ACanvas, LOGPIXELSY), 96);
    gpPicture->Draw(ACanvas, Bounds(Rect.Left, Rect.Top, W, H));
}

// ---------------------------------------------------------------- animation

void THTMLPicture::SetFrame(Integer Value)
{
    FFrame = Value;
    if (FDatastream.isEmpty())
        return;
    LoadPicture();
    if (OnFrameChange)
        OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    SetFrame(FFrame >= GetFrameCount() ? 1 : FFrame + 1);
}

void THTMLPicture::FramePrev()
{
    SetFrame(FFrame <= 1 ? GetFrameCount() : FFrame - 1);
}

bool THTMLPicture::Step()
{
    if (GetFrameCount() < 2 || FIsEmpty)
        return false;
    bool Changed = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        FNextCount += GetFrameTime(FFrame);
        Changed = true;
    }
    ++FTimerCount;
    return Changed;
}

// ---------------------------------------------------------------- THTMLPictureCache

THTMLPictureCache::~THTMLPictureCache()
{
    ClearPictures();
}

THTMLPicture* THTMLPictureCache::AddPicture()
{
    auto* Picture = new THTMLPicture();
    Add(Picture);
    return Picture;
}

THTMLPicture* THTMLPictureCache::GetPicture(Integer Index) const
{
    return static_cast<THTMLPicture*>(Items(Index));
}

void THTMLPictureCache::SetPicture(Integer Index, THTMLPicture* Value)
{
    SetItems(Index, Value);
}

THTMLPicture* THTMLPictureCache::FindPicture(const String& ID) const
{
    for (Integer I = 0; I < Count(); ++I)
        if (GetPicture(I)->ID() == ID)
            return GetPicture(I);
    return nullptr;
}

void THTMLPictureCache::ClearPictures()
{
    for (Integer I = 0; I < Count(); ++I)
        delete GetPicture(I);
    Clear();
}

bool THTMLPictureCache::Animate()
{
    bool Changed = false;
    for (Integer I = 0; I < Count(); ++I)
        Changed = GetPicture(I)->Step() || Changed;
    return Changed;
}

// ---------------------------------------------------------------- container

TPictureItem::TPictureItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source)
{
    const auto* S = dynamic_cast<const TPictureItem*>(Source);
    if (!S) {
        TCollectionItem::Assign(Source);
        return;
    }
    FName = S->FName;
    FTag = S->FTag;
    FPicture->Assign(S->FPicture.get());
}

TPictureCollection::TPictureCollection(TPictureContainer* AOwner)
    : TCollection(CollectionItemClass<TPictureItem>(), AOwner), FOwner(AOwner)
{
}

bool TPictureCollection::Animate()
{
    bool Changed = false;
    for (int I = 0; I < Count(); ++I)
        Changed = GetItem(I)->Picture()->Step() || Changed;
    return Changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::SetItems(TPictureCollection* Value)
{
    FItems->Assign(Value);
}

THTMLPicture* TPictureContainer::FindPicture(const String& Name) const
{
    const String Wanted = Name.toUpper();
    for (int I = 0; I < FItems->Count(); ++I)
        if (FItems->GetItem(I)->Name().toUpper() == Wanted)
            return FItems->GetItem(I)->Picture();
    return nullptr;
}
