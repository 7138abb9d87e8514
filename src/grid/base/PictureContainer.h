#pragma once
// The pictures that mini-HTML text shows: THTMLPicture keeps an image file's
// bytes and decodes them through the runtime's picture classes (a GIF frame
// by frame, each frame rebuilt as a GIF of its own); TPictureContainer holds
// named pictures, THTMLPictureCache the pictures loaded for URLs.
#include "rtl/Graphics.h"

#include <memory>
#include <vector>

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;

    // From another THTMLPicture: its bytes, decoded again from frame 1; a
    // null source or any other leaves the picture empty.
    void Assign(TPersistent* Source) override;
    // Stretched into Rect, or at its top-left in the decoded size scaled to
    // the canvas's resolution.
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;
    bool Empty() const override { return GetEmpty(); }
    bool GetEmpty() const { return FIsEmpty; }
    // The decoded size in pixels; 0 without a decoded picture.
    Integer Width() const override { return GetWidth(); }
    Integer Height() const override { return GetHeight(); }
    Integer GetWidth() const;
    Integer GetHeight() const;
    // The size follows the data: setting it does nothing.
    void SetWidth(Integer) override {}
    void SetHeight(Integer) override {}
    // As LoadFromStream (the runtime's graphic loading comes through here).
    void LoadFromBytes(const QByteArray& Data) override;
    // The file's bytes as loaded.
    QByteArray SaveToBytes() override { return FDatastream; }
    QImage ToImage() const override;

    // A failure leaves the picture empty and is not reported.
    void LoadFromFile(const String& FileName);
    // Data no decoder reads raise "Could not load image. Invalid format",
    // data giving an empty picture "Could not load image". A null stream
    // does nothing.
    void LoadFromStream(TStream* Stream);
    // The program's resource ":/rcdata/<name>"; nothing when there is none.
    void LoadFromResourceName(const String& ResName);
    // The same by number; EResNotFound when there is none.
    void LoadFromResourceID(Integer ResID);
    // "RES://name" and "FILE://path" load (names looked up ignoring case);
    // other URLs are only recorded, as no download is made.
    void LoadFromURL(const String& url);

    bool Stretched() const { return FStretched; }
    void SetStretched(bool Value) { FStretched = Value; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    const String& ID() const { return FID; }
    void SetID(const String& Value) { FID = Value; }
    const String& URL() const { return FURL; }
    bool ThreadBusy() const { return FThreadBusy; }

    // GIF animation. A GIF: at least 5 bytes starting "GIF8".
    bool IsGIF() const { return GetIsGIF(); }
    bool GetIsGIF() const;
    // -1 when not a GIF.
    Integer FrameCount() { return GetFrameCount(); }
    Integer GetFrameCount();
    // Delay of frame i (from 1) in hundredths of a second; -1 without it.
    Integer GetFrameTime(Integer i) const;
    Integer Frame() const { return FFrame; }
    // Clamped to 1 .. the frame count; decodes that frame.
    void SetFrame(Integer Value);
    void FrameNext();
    void FramePrev();
    // One tick of the owner's animation timer (a tick counts as 10
    // hundredths); true when the frame changed.
    bool Step();
    // The GIF's logical screen, else the decoded size.
    Integer GetMaxWidth() const;
    Integer GetMaxHeight() const;
    Integer FrameXPos() const { return FFrameXPos; }
    Integer FrameYPos() const { return FFrameYPos; }
    Integer FrameXSize() const { return FFrameXSize; }
    Integer FrameYSize() const { return FFrameYSize; }

    TNotifyEvent OnFrameChange;

private:
    struct TFrameInfo {
        Integer Start;  // the graphic control extension
        Integer Delay;
    };
    // The frames of the data, bounds-checked.
    std::vector<TFrameInfo> ScanFrames() const;
    Integer DataWord(Integer Offset) const;
    // Decodes the data (of the current frame) into gpPicture.
    void LoadPicture();
    void LoadData(const QByteArray& Data);
    void ResetAnimation();

    QByteArray FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    std::unique_ptr<TGraphic> gpPicture;
    String FURL;
    String FID;
    bool FAsynch = true;
    bool FThreadBusy = false;
    Integer FFrame = 1;
    Integer FFrameCount = -1;
    Word FFrameXPos = 0;
    Word FFrameYPos = 0;
    Word FFrameXSize = 0;
    Word FFrameYSize = 0;
    Word FAnimMaxX = 0;
    Word FAnimMaxY = 0;
    Integer FNextCount = -1;
    Integer FTimerCount = -1;
};

// The pictures a grid loaded for URLs; owns them.
class THTMLPictureCache : public TList {
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() override;

    THTMLPicture* AddPicture();
    // The first picture loaded for exactly that ID (case counts).
    THTMLPicture* FindPicture(const String& ID) const;
    THTMLPicture* Picture(Integer Index) const { return GetPicture(Index); }
    THTMLPicture* GetPicture(Integer Index) const;
    void SetPicture(Integer Index, THTMLPicture* Value);
    void ClearPictures();
    // Step on every picture; true when any changed its frame.
    bool Animate();
};

class TPictureContainer;

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* ACollection);
    ~TPictureItem() override;

    // Name, tag and picture.
    void Assign(TPersistent* Source) override;

    THTMLPicture* Picture() const { return FPicture.get(); }
    // Copies the picture.
    void SetPicture(THTMLPicture* Value) { FPicture->Assign(Value); }
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    const String& Name() const { return FName; }
    void SetName(const String& Value) { FName = Value; }

private:
    std::unique_ptr<THTMLPicture> FPicture;
    Integer FTag = 0;
    String FName;
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TPictureContainer* AOwner);

    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
    TPictureItem* Items(int Index) const { return GetItem(Index); }
    TPictureItem* GetItem(int Index) const { return static_cast<TPictureItem*>(TCollection::Items(Index)); }
    void SetItem(int Index, TPictureItem* Value) { SetItems(Index, Value); }
    TPictureContainer* GetOwner() const { return FOwner; }
    bool Animate();

private:
    TPictureContainer* FOwner;
};

// Named pictures for "<IMG SRC=" names.
class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;

    TPictureCollection* Items() const { return FItems.get(); }
    // Copies the items in.
    void SetItems(TPictureCollection* Value);
    // The first picture of that name, case ignored.
    virtual THTMLPicture* FindPicture(const String& Name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
