#pragma once
// Objects, components, lists, string lists, collections and streams.
#include "rtl/Sets.h"
#include "rtl/SysUtils.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <utility>
#include <vector>

using NativeInt = std::intptr_t;

RTL_DECLARE_EXCEPTION(EComponentError, Exception)

// Root of the framework's class tree; virtual so objects are freed through it.
//
// "delete" on any object calls BeforeDestruction() first, while the object is
// still whole, and only then runs the destructors (most derived first). That
// is the framework's order: a component is marked as destroying before any
// destructor body sees it.
class TObject {
public:
    virtual ~TObject() = default;

    // The class name without namespaces, as in messages ("TStringList").
    String ClassName() const;
    // Runs once the most-derived constructor is done (NewObject calls it),
    // so that construction steps may call operations a descendant
    // overrides.
    virtual void AfterConstruction() {}
    virtual void BeforeDestruction() {}

    void operator delete(TObject* Obj, std::destroying_delete_t);
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Creates an object as the framework's constructor call does: the C++
// constructors, then AfterConstruction; an exception there frees it again.
template <class T, class... Args>
T* NewObject(Args&&... A)
{
    T* Obj = new T(std::forward<Args>(A)...);
    try {
        Obj->AfterConstruction();
    } catch (...) {
        delete Obj;
        throw;
    }
    return Obj;
}

// A property that only stores its value: Name() reads the field FName and
// SetName(Value) writes it. Used in a public section, which it leaves public.
#define RTL_STORED_PROPERTY(Type, Name, Default)          \
    Type Name() const { return F##Name; }                 \
    void Set##Name(const Type& Value) { F##Name = Value; } \
                                                          \
private:                                                  \
    Type F##Name = Default;                               \
                                                          \
public:

// A property whose writer goes through the class's own Store(Field, Value)
// (one that notifies, for example); otherwise as RTL_STORED_PROPERTY.
#define RTL_PROPERTY_STORED_BY(Store, Type, Name, Default) \
    Type Name() const { return F##Name; }                   \
    void Set##Name(const Type& Value) { Store(F##Name, Value); } \
                                                            \
private:                                                    \
    Type F##Name = Default;                                 \
                                                            \
public:

// ---------------------------------------------------------------- interfaces

// The framework's interfaces are reference-counted abstract classes: an
// interface derives virtually from IInterface, an implementing class from
// TInterfacedObject and its interfaces. Holders keep a TInterfacePtr.
class IInterface {
public:
    virtual Integer _AddRef() = 0;
    // Frees the object when the last reference goes.
    virtual Integer _Release() = 0;

protected:
    virtual ~IInterface() = default;
};

class TInterfacedObject : public TObject, public virtual IInterface {
public:
    Integer _AddRef() override { return ++FRefCount; }
    Integer _Release() override;
    Integer RefCount() const { return FRefCount; }

private:
    Integer FRefCount = 0;
};

// A counted reference to an interface, as an interface variable of the
// framework: copying adds a reference, going away releases one.
template <class T>
class TInterfacePtr {
public:
    TInterfacePtr() = default;
    TInterfacePtr(std::nullptr_t) {}
    TInterfacePtr(T* Intf) : FIntf(Intf) { AddRef(); }
    TInterfacePtr(const TInterfacePtr& Other) : FIntf(Other.FIntf) { AddRef(); }
    TInterfacePtr(TInterfacePtr&& Other) noexcept : FIntf(std::exchange(Other.FIntf, nullptr)) {}
    template <class U>
    TInterfacePtr(const TInterfacePtr<U>& Other) : FIntf(Other.get()) { AddRef(); }
    ~TInterfacePtr() { Release(); }

    TInterfacePtr& operator=(TInterfacePtr Other) noexcept
    {
        std::swap(FIntf, Other.FIntf);
        return *this;
    }

    T* get() const { return FIntf; }
    T* operator->() const { return FIntf; }
    T& operator*() const { return *FIntf; }
    explicit operator bool() const { return FIntf != nullptr; }
    void reset() { TInterfacePtr().swap(*this); }
    void swap(TInterfacePtr& Other) noexcept { std::swap(FIntf, Other.FIntf); }

private:
    void AddRef()
    {
        if (FIntf)
            FIntf->_AddRef();
    }
    void Release()
    {
        if (FIntf)
            FIntf->_Release();
    }

    T* FIntf = nullptr;
};

// An object whose content can be copied from another through Assign.
class TPersistent : public TObject {
public:
    // Copies Source's content. A class that does not know Source asks Source
    // to AssignTo it; if neither knows the other, EConvertError
    // "Cannot assign a TSource to a TDest".
    virtual void Assign(TPersistent* Source);

protected:
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};

// Helpers of Assign: the members named are copied from Source (CopyMembers),
// or everything but them is (AssignExcept).
template <class T, class... M>
void CopyMembers(T& Dest, const T& Source, M T::*... Members)
{
    ((Dest.*Members = Source.*Members), ...);
}

template <class T, class... M>
void AssignExcept(T& Dest, const T& Source, M T::*... Kept)
{
    T Copy = Source;
    CopyMembers(Copy, Dest, Kept...);
    Dest = std::move(Copy);
}

enum TOperation { opInsert, opRemove };

enum TComponentStateItem {
    csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
    csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

// A component is freed by its owner. The owner frees what it owns in reverse
// order of insertion, after its own destructor bodies have run (they may
// still use owned components). Freeing a component that has an owner removes
// it from the owner first, so nothing is freed twice. TComponent knows
// nothing of Qt's parent/child tree: a descendant that wraps a widget
// releases its widget in its own destructor.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    // Marks this component and everything it owns as destroying and tells
    // the components that asked for FreeNotification that it goes away.
    void BeforeDestruction() override;
    void Destroying();
    // Frees the owned components, last inserted first.
    void DestroyComponents();

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    // Takes ownership of AComponent (from its previous owner, if any).
    void InsertComponent(TComponent* AComponent);
    // Gives up ownership of AComponent without freeing it.
    void RemoveComponent(TComponent* AComponent);
    // The owned component of that name, compared without case; null if none.
    TComponent* FindComponent(const String& AName) const;

    const String& Name() const { return FName; }
    // A name is empty or an identifier, unique among the owner's components.
    virtual void SetName(const String& NewName);
    NativeInt Tag() const { return FTag; }
    void SetTag(NativeInt Value) { FTag = Value; }

    TComponentState ComponentState() const { return FComponentState; }

    // AComponent gets Notification(this, opRemove) when this is freed, and
    // the other way round.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Called after the component's properties have been loaded.
    virtual void Loaded();
    // opInsert/opRemove for components inserted into or removed from the
    // owner, passed on to every owned component, and opRemove for components
    // this one asked to be told about. With opRemove, AComponent is being
    // freed: compare the pointer, do not use the object.
    virtual void Notification(TComponent* AComponent, TOperation Operation);

protected:
    void Loading();
    void SetDesigning(bool Value, bool SetChildren = true);
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RemoveNotification(TComponent* AComponent);
    void RemoveFreeNotifications();

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    String FName;
    NativeInt FTag = 0;
    TComponentState FComponentState;
};

// ---------------------------------------------------------------- lists

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
// Negative when Item1 comes first, 0 when equal, positive otherwise.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

// A list of untyped pointers. Index errors raise EListError
// "List index out of bounds (n)". A descendant whose Notify frees items
// calls Clear() in its own destructor (TList's destructor cannot reach it).
class TList : public TObject {
public:
    TList() = default;
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Add(void* Item);
    void Insert(int Index, void* Item);
    void Delete(int Index);
    // Deletes the first occurrence of Item; its former index, or -1.
    int Remove(void* Item);
    // Takes Item out of the list without the deletion notice; Item, or null
    // when it is not in the list.
    void* Extract(void* Item);
    int IndexOf(void* Item) const;
    void* Items(int Index) const;
    void SetItems(int Index, void* Item);
    int Count() const { return static_cast<int>(FList.size()); }
    virtual void Clear();
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    // Stable: items that compare equal keep their order.
    void Sort(const TListSortCompare& Compare);
    // Removes the null items.
    void Pack();
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

protected:
    // Told of every item that enters or leaves the list (null items excepted).
    virtual void Notify(void* Ptr, TListNotification Action);
    void CheckIndex(int Index) const;

private:
    std::vector<void*> FList;
};

// A list of objects that frees them when they leave it, if OwnsObjects.
class TObjectList : public TList {
public:
    explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
    ~TObjectList() override;

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    int Add(TObject* AObject) { return TList::Add(AObject); }
    void Insert(int Index, TObject* AObject) { TList::Insert(Index, AObject); }
    int Remove(TObject* AObject) { return TList::Remove(AObject); }
    TObject* Extract(TObject* Item) { return static_cast<TObject*>(TList::Extract(Item)); }
    int IndexOf(TObject* AObject) const { return TList::IndexOf(AObject); }
    TObject* Items(int Index) const { return static_cast<TObject*>(TList::Items(Index)); }
    void SetItems(int Index, TObject* AObject) { TList::SetItems(Index, AObject); }
    TObject* First() const { return Items(0); }
    TObject* Last() const { return Items(Count() - 1); }

protected:
    void Notify(void* Ptr, TListNotification Action) override;

private:
    bool FOwnsObjects;
};

// ---------------------------------------------------------------- string lists

enum TDuplicates { dupIgnore, dupAccept, dupError };

// A list of strings, each with an object pointer. Descendants provide the
// storage (Get, GetCount, Insert, Delete, Clear, and the object accessors);
// everything else is built on those.
class TStrings : public TPersistent {
public:
    TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    int Count() const { return GetCount(); }
    String Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const String& S) { Put(Index, S); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    virtual int Add(const String& S);
    virtual int AddObject(const String& S, TObject* AObject);
    void AddStrings(TStrings* Strings);
    // Copies the entries and the separators, quote character and line break.
    void Assign(TPersistent* Source) override;
    // Change notices wait for the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    virtual void Insert(int Index, const String& S) = 0;
    virtual void InsertObject(int Index, const String& S, TObject* AObject);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    virtual int IndexOf(const String& S) const;
    int IndexOfName(const String& Name) const;
    int IndexOfObject(TObject* AObject) const;
    // Same strings in the same order, compared exactly; objects are not compared.
    bool Equals(TStrings* Strings) const;

    // UTF-8 (a UTF-8 or UTF-16 byte-order mark is honoured; bytes that are
    // not UTF-8 are read as Latin-1). A file that cannot be opened raises
    // EFOpenError and leaves the list as it was.
    virtual void LoadFromFile(const String& FileName);
    // UTF-8 without byte-order mark, lines ended by LineBreak; the file is
    // replaced atomically (EFCreateError when it cannot be written).
    virtual void SaveToFile(const String& FileName) const;

    // Every entry followed by LineBreak. Setting splits at CR LF, LF or CR
    // (at LineBreak itself when that is not CR LF).
    String Text() const;
    virtual void SetText(const String& Value);
    // DelimitedText with ',' and '"', blanks separating.
    String CommaText() const;
    void SetCommaText(const String& Value);
    // Entries are quoted when they hold the quote character, the delimiter
    // or, unless StrictDelimiter, a blank or control character; a lone empty
    // entry is written as two quote characters.
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);

    Char Delimiter() const { return FDelimiter; }
    void SetDelimiter(Char Value) { FDelimiter = Value; }
    Char QuoteChar() const { return FQuoteChar; }
    void SetQuoteChar(Char Value) { FQuoteChar = Value; }
    bool StrictDelimiter() const { return FStrictDelimiter; }
    void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
    Char NameValueSeparator() const { return FNameValueSeparator; }
    void SetNameValueSeparator(Char Value) { FNameValueSeparator = Value; }
    const String& LineBreak() const { return FLineBreak; }
    void SetLineBreak(const String& Value) { FLineBreak = Value; }

    // "Name=Value" entries: the name before the first separator, empty when
    // the entry has none.
    String Names(int Index) const;
    String Values(const String& Name) const;
    // An empty value removes the entry.
    void SetValues(const String& Name, const String& Value);
    String ValueFromIndex(int Index) const;

protected:
    virtual String Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual TObject* GetObject(int Index) const;
    virtual void Put(int Index, const String& S);
    virtual void PutObject(int Index, TObject* AObject);
    virtual void SetUpdateState(bool Updating);
    // Case-insensitive locale order here; TStringList follows CaseSensitive.
    virtual int CompareStrings(const String& S1, const String& S2) const;
    int UpdateCount() const { return FUpdateCount; }

private:
    int FUpdateCount = 0;
    Char FDelimiter = u',';
    Char FQuoteChar = u'"';
    Char FNameValueSeparator = u'=';
    bool FStrictDelimiter = false;
    String FLineBreak = QStringLiteral("\r\n");
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

// The string list. Sorted lists keep their order on Add and find entries by
// binary search; Insert, SetStrings and Move on them raise EStringListError
// "Operation not allowed on sorted list". Index errors raise
// EStringListError "List index out of bounds (n)".
class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
    ~TStringList() override;

    int Add(const String& S) override;
    // On a sorted list an entry equal to one present is dropped (dupIgnore:
    // the index of the present one is returned and AObject stays the
    // caller's), raises (dupError) or is added before the present ones.
    int AddObject(const String& S, TObject* AObject) override;
    // Also takes Sorted, Duplicates and CaseSensitive from a TStringList.
    void Assign(TPersistent* Source) override;
    void Clear() override;
    void Delete(int Index) override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    // The index of S, or where it would be inserted. On an unsorted list the
    // search is linear and a missing S gives Count().
    bool Find(const String& S, int& Index) const;
    int IndexOf(const String& S) const override;
    void Insert(int Index, const String& S) override;
    void InsertObject(int Index, const String& S, TObject* AObject) override;
    // Both stable; they do nothing on a list that is Sorted already.
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    // Objects are freed when their entries are deleted or the list is freed
    // (not when SetObjects replaces them).
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void Changed();
    virtual void Changing();
    String Get(int Index) const override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    TObject* GetObject(int Index) const override;
    void Put(int Index, const String& S) override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const String& S1, const String& S2) const override;
    virtual void InsertItem(int Index, const String& S, TObject* AObject);

private:
    struct TStringItem {
        String FString;
        TObject* FObject = nullptr;
    };
    void CheckIndex(int Index) const;

    std::vector<TStringItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
    TDuplicates FDuplicates = dupIgnore;
};

// ---------------------------------------------------------------- collections

class TCollection;
class TCollectionItem;
// Makes a new item of the collection's item class in the given collection.
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* Collection)>;

template <typename Item>
TCollectionItemClass CollectionItemClass()
{
    return [](TCollection* Collection) -> TCollectionItem* { return new Item(Collection); };
}

// An item of a collection, owned by it. Freeing the item takes it out.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* ACollection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return FCollection; }
    // Moves the item from its collection into ACollection (or out, for null).
    void SetCollection(TCollection* ACollection);
    // Unique within the collection, never reused: 0, 1, 2 ... in order of insertion.
    int ID() const { return FID; }
    // The position in the collection; -1 outside one.
    int Index() const;
    // Moves the item to that position (EListError when out of bounds).
    virtual void SetIndex(int Value);
    String DisplayName() const { return GetDisplayName(); }
    // Only reports a change here; items that keep a name override it.
    virtual void SetDisplayName(const String& Value);

protected:
    // Tells the collection of a change to this item (or to all items).
    void Changed(bool AllItems);
    // The class name unless a descendant names its items.
    virtual String GetDisplayName() const;

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// An ordered list of items of one class, which it owns and frees.
class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass, TPersistent* AOwner = nullptr);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    // A new item of the item class at the end.
    TCollectionItem* Add();
    // A new item at Index.
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    TCollectionItem* Items(int Index) const;
    // Assigns Value to the item at Index.
    void SetItems(int Index, TCollectionItem* Value);
    int Count() const { return static_cast<int>(FItems.size()); }
    TPersistent* Owner() const { return FOwner; }
    // Rebuilds the items from another collection through each item's Assign.
    void Assign(TPersistent* Source) override;
    // Update waits for the outermost EndUpdate, which sends one for all items.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    // Called after a change to Item, or with null after a change to the
    // collection or to all of its items.
    virtual void Update(TCollectionItem* Item);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);

    TCollectionItemClass FItemClass;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    int FNextID = 0;
};

// A collection with an owner, as the design names it where an owner is given.
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass), AOwner)
    {
    }
};

// ---------------------------------------------------------------- streams

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

// A sequence of bytes with a position. Read and Write move as far as they
// can and return how many bytes they moved; ReadBuffer and WriteBuffer move
// all or raise EReadError "Stream read error" / EWriteError "Stream write error".
class TStream : public TObject {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;

    virtual Integer Read(void* Buffer, Integer Count) = 0;
    virtual Integer Write(const void* Buffer, Integer Count) = 0;
    // The new position from the origin; positions past the end are allowed.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
    virtual Int64 Size();
    // Does nothing here; streams that can be resized override it.
    virtual void SetSize(Int64 NewSize);

    void ReadBuffer(void* Buffer, Integer Count);
    void WriteBuffer(const void* Buffer, Integer Count);
    // Copies Count bytes from Source's position; Count <= 0 copies all of
    // Source from its start. Returns the number of bytes copied.
    Int64 CopyFrom(TStream* Source, Int64 Count);
};

// A stream in memory; bytes between the old end and a write past it are zero.
class TMemoryStream : public TStream {
public:
    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 Size() override { return static_cast<Int64>(FData.size()); }
    // Keeps the position unless it would lie past the new end.
    void SetSize(Int64 NewSize) override;

    void* Memory() { return FData.data(); }
    const void* Memory() const { return FData.data(); }
    void Clear();
    // The whole of Stream, read from its start.
    void LoadFromStream(TStream* Stream);
    void LoadFromFile(const String& FileName);
    void SaveToStream(TStream* Stream);
    // Replaces the file atomically; EFCreateError when it cannot be written.
    void SaveToFile(const String& FileName);

private:
    std::vector<Byte> FData;
    Int64 FPosition = 0;
};

// A memory stream over the UTF-8 bytes of a string.
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(const String& AString = String());
    // All the bytes of the stream read as UTF-8.
    String DataString() const;
};

constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
// Sharing modes are accepted and have no effect here.
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A stream on a file. fmCreate makes the file (or empties it) for reading
// and writing; the open modes do not truncate. Failures raise EFCreateError
// 'Cannot create file "name". reason' or EFOpenError 'Cannot open file "name". reason'.
class TFileStream : public TStream {
public:
    TFileStream(const String& AFileName, Word Mode);
    ~TFileStream() override;

    Integer Read(void* Buffer, Integer Count) override;
    Integer Write(const void* Buffer, Integer Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    // Cuts or extends the file; the position moves to the new end.
    void SetSize(Int64 NewSize) override;
    const String& FileName() const { return FFileName; }

private:
    String FFileName;
    int FHandle = -1;
};

// ---------------------------------------------------------------- object records

// The framework's component stream of one record object with no children:
// "TPF0", the class name, an empty name, the properties as name and typed
// value, one zero byte ending the properties and one ending the children.
// Multi-byte numbers are little-endian.
enum TValueType : Byte {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5, vaString = 6, vaIdent = 7,
    vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11, vaLString = 12, vaNil = 13, vaCollection = 14,
    vaWString = 18, vaInt64 = 19, vaUTF8String = 20
};

// Appends records to a byte array.
class TObjectRecordWriter {
public:
    explicit TObjectRecordWriter(QByteArray& Out) : FOut(Out) {}

    // The signature, the class name (UTF-8, at most 255 bytes) and the empty name.
    void BeginRecord(QByteArrayView ClassName);
    // The two closing zero bytes.
    void EndRecord();
    // The smallest of types 2, 3 and 4 that holds the value; type 19
    // (8 bytes) beyond 32 bits.
    void WriteInteger(QByteArrayView Name, Int64 Value);
    void WriteBoolean(QByteArrayView Name, bool Value);
    // Type 18 when the UTF-8 form has at least twice as many bytes as the
    // text has UTF-16 units (so the empty text), else 20 when a byte is 128
    // or more, else 12 from 256 bytes on and 6 below.
    void WriteString(QByteArrayView Name, const String& Value);
    // An enumeration value, colour name or reference (type 7).
    void WriteIdent(QByteArrayView Name, QByteArrayView Ident);
    // Type 11: the names in the order given, then an empty name.
    void WriteSet(QByteArrayView Name, const std::vector<QByteArray>& Elements);
    void WriteBinary(QByteArrayView Name, QByteArrayView Data);
    // 80-bit extended precision (type 5).
    void WriteFloat(QByteArrayView Name, double Value);
    // A list (type 1) of strings, ended by type 0.
    void WriteStringList(QByteArrayView Name, const QStringList& Items);
    // A collection (type 14): per item BeginItem, its properties and
    // EndList, then one more EndList.
    void BeginCollection(QByteArrayView Name);
    void BeginItem() { WriteByte(vaList); }
    void EndList() { WriteByte(vaNull); }

private:
    void WriteName(QByteArrayView Name);
    void WriteStringValue(const String& Value);
    void WriteRaw(QByteArrayView Bytes) { FOut.append(Bytes); }
    void WriteByte(Byte Value) { FOut.append(char(Value)); }
    template <typename T>
    void WriteLittleEndian(T Value);

    QByteArray& FOut;
};

// Reads records from bytes held by the caller. Every length is checked
// against the bytes that remain before anything is made of it: a record
// that does not begin with "TPF0", a length beyond the end, a value of
// another type than asked or a child record raise EReadError "Invalid
// stream format"; bytes missing in a fixed-size value raise EReadError
// "Stream read error".
class TObjectRecordReader {
public:
    explicit TObjectRecordReader(QByteArrayView Data, qsizetype Position = 0) : FData(Data), FPos(Position) {}

    qsizetype Position() const { return FPos; }
    qsizetype Size() const { return FData.size(); }
    qsizetype Remaining() const { return FData.size() - FPos; }

    // The signature and the names; answers the class name.
    QByteArrayView BeginRecord();
    // The next property's name into Name; false at the end of the
    // properties, after the two closing zero bytes.
    bool NextProperty(QByteArrayView& Name);
    TValueType NextValueType() const;
    // Types 2, 3, 4 and 19.
    Int64 ReadInteger();
    bool ReadBoolean();
    // Types 6, 12, 18 and 20.
    String ReadString();
    QByteArrayView ReadIdent();
    std::vector<QByteArrayView> ReadSet();
    QByteArrayView ReadBinary();
    double ReadFloat();
    QStringList ReadStringList();
    // Type 14; then NextItem answers whether another item follows (its
    // list begins) or the collection ended, and NextItemProperty reads the
    // item's property names until its end.
    void BeginCollection();
    bool NextItem();
    bool NextItemProperty(QByteArrayView& Name);

    [[noreturn]] static void InvalidFormat();

private:
    Byte ReadByte();
    QByteArrayView ReadBytes(qsizetype Count);
    QByteArrayView ReadShortName();
    String ReadStringOfType(TValueType Type);
    void Expect(TValueType Type);
    template <typename T>
    T ReadLittleEndian();

    QByteArrayView FData;
    qsizetype FPos;
};

// 80-bit extended precision: sign and 15-bit exponent (bias 16383) over a
// 64-bit mantissa with its leading bit, as ten little-endian bytes.
std::array<Byte, 10> DoubleToExtended(double Value);
double ExtendedToDouble(const Byte* Bytes);

// ---------------------------------------------------------------- threads

using TThreadID = std::uint32_t;

// A thread of the process running Execute. It is always made suspended
// (Execute cannot run before the derived object is whole) and runs from
// Start. Terminate only sets Terminated, which Execute asks. With
// FreeOnTerminate the object frees itself when Execute is done (and must not
// be waited for); otherwise freeing a running thread terminates it and waits.
// An exception out of Execute ends the thread.
class TThread : public TObject {
public:
    TThread();
    ~TThread() override;
    void BeforeDestruction() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Start();
    void Terminate();
    bool Terminated() const { return FTerminated.load(); }
    bool Finished() const { return FFinished.load(); }
    bool Suspended() const { return !FStarted; }
    bool FreeOnTerminate() const { return FFreeOnTerminate.load(); }
    void SetFreeOnTerminate(bool Value) { FFreeOnTerminate.store(Value); }
    // The system's id of the running thread; 0 before it runs.
    TThreadID ThreadID() const { return FThreadID.load(); }
    // Waits until Execute is done (at once for a thread never started). On
    // the main thread it runs the methods other threads synchronize with it
    // meanwhile, so a thread that sends a message to a window can end.
    void WaitFor();

    // Runs Method on the main thread and waits for it; on the main thread
    // (or without an application object) it runs at once. An exception out
    // of Method is raised again in the calling thread.
    static void Synchronize(const std::function<void()>& Method);

protected:
    virtual void Execute() = 0;

private:
    struct TState;
    static void Run(TThread* Thread);

    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FFreeOnTerminate{false};
    std::atomic<TThreadID> FThreadID{0};
    bool FStarted = false;
    std::unique_ptr<TState> FState;
};

// Runs the methods other threads wait on in Synchronize; called on the main
// thread (its event loop does it by itself). True when one ran.
bool CheckSynchronize();
// Whether the caller is the main (GUI) thread.
bool IsMainThread();
