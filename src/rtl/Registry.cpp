#include "rtl/Registry.h"

#include <QStandardPaths>

#include <map>
#include <mutex>
#include <vector>

namespace {

struct TRegValue {
    String Name;
    String Data;
};

struct TRegKey {
    String Path;
    std::vector<TRegValue> Values;
};

using TRegTree = std::vector<TRegKey>;

bool SameName(const String& A, const String& B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

// Path lies at or below Root (every path lies below the root's "").
bool AtOrBelow(const String& Path, const String& Root)
{
    return Root.isEmpty() || SameName(Path, Root) ||
           (Path.size() > Root.size() && Path[Root.size()] == u'\\' && SameName(Path.left(Root.size()), Root));
}

String ParentPath(const String& Path)
{
    const qsizetype At = Path.lastIndexOf(QLatin1Char('\\'));
    return At < 0 ? String() : Path.left(At);
}

bool HasLineBreak(const String& S) { return S.contains(QLatin1Char('\r')) || S.contains(QLatin1Char('\n')); }

// The one store behind every TRegistry: the file, the keys that are open and
// the watches on them.
class TRegistryStore {
public:
    static TRegistryStore& Instance()
    {
        static TRegistryStore Store;
        return Store;
    }

    std::mutex Lock;

    TRegTree Load() const
    {
        TRegTree Tree;
        TStringList Lines;
        try {
            Lines.LoadFromFile(RegistryFileName());
        } catch (const Exception&) {
            return Tree;
        }
        TRegKey* Key = nullptr;
        for (Integer I = 0; I < Lines.Count(); ++I) {
            const String Line = Lines.Strings(I).trimmed();
            if (Line.startsWith(QLatin1Char('[')) && Line.endsWith(QLatin1Char(']'))) {
                Key = &KeyOf(Tree, Line.mid(1, Line.size() - 2).trimmed());
            } else if (const qsizetype At = Line.indexOf(QLatin1Char('=')); Key && At >= 0) {
                const String Name = Line.left(At).trimmed();
                if (!FindValue(*Key, Name))
                    Key->Values.push_back({Name, Line.mid(At + 1).trimmed()});
            }
        }
        return Tree;
    }

    void Save(const TRegTree& Tree) const
    {
        TStringList Lines;
        for (const TRegKey& Key : Tree) {
            if (Lines.Count() > 0)
                Lines.Add(String());
            Lines.Add(QLatin1Char('[') + Key.Path + QLatin1Char(']'));
            for (const TRegValue& Value : Key.Values)
                Lines.Add(Value.Name + QLatin1Char('=') + Value.Data);
        }
        const String File = RegistryFileName();
        if (const String Folder = ExtractFileDir(File); !Folder.isEmpty())
            ForceDirectories(Folder);
        Lines.SaveToFile(File);
    }

    static TRegKey* FindKey(TRegTree& Tree, const String& Path)
    {
        for (TRegKey& Key : Tree)
            if (SameName(Key.Path, Path))
                return &Key;
        return nullptr;
    }

    // The key at Path, made when it is not there.
    static TRegKey& KeyOf(TRegTree& Tree, const String& Path)
    {
        if (TRegKey* Key = FindKey(Tree, Path))
            return *Key;
        Tree.push_back({Path, {}});
        return Tree.back();
    }

    static TRegValue* FindValue(TRegKey& Key, const String& Name)
    {
        for (TRegValue& Value : Key.Values)
            if (SameName(Value.Name, Name))
                return &Value;
        return nullptr;
    }

    static bool KeyExists(const TRegTree& Tree, const String& Path)
    {
        for (const TRegKey& Key : Tree)
            if (AtOrBelow(Key.Path, Path))
                return true;
        return Path.isEmpty();
    }

    HKEY OpenHandle(const String& Path)
    {
        const HKEY Handle = FNextHandle++;
        FOpenKeys[Handle] = Path;
        return Handle;
    }

    void CloseHandle(HKEY Handle)
    {
        FOpenKeys.erase(Handle);
        std::erase_if(FWatches, [Handle](const TWatch& W) { return W.Key == Handle; });
    }

    LongInt Watch(HKEY Key, bool Subtree, DWORD Filter, TEvent* Event)
    {
        const auto Open = FOpenKeys.find(Key);
        if (Key != HKEY_CURRENT_USER && Open == FOpenKeys.end())
            return ERROR_INVALID_HANDLE;
        FWatches.push_back({Key, Open == FOpenKeys.end() ? String() : Open->second, Subtree, Filter, Event});
        return ERROR_SUCCESS;
    }

    // A change of kind Change happened to the key at Path: each watch it
    // concerns is told once and ends.
    void Changed(const String& Path, DWORD Change)
    {
        std::erase_if(FWatches, [&](const TWatch& W) {
            const bool Concerned =
                (W.Filter & Change) && (W.Subtree ? AtOrBelow(Path, W.Path) : SameName(Path, W.Path));
            if (Concerned)
                W.Event->SetEvent();
            return Concerned;
        });
    }

private:
    struct TWatch {
        HKEY Key;
        String Path;
        bool Subtree;
        DWORD Filter;
        TEvent* Event;
    };

    // Handles of open keys stay below the predefined roots.
    HKEY FNextHandle = 1;
    std::map<HKEY, String> FOpenKeys;
    std::vector<TWatch> FWatches;
};

// Trims separators so every path reads "A\B\C"; the root is "".
String NormalPath(const String& Path)
{
    String P = Path;
    while (P.startsWith(QLatin1Char('\\')))
        P.remove(0, 1);
    while (P.endsWith(QLatin1Char('\\')))
        P.chop(1);
    return P;
}

[[noreturn]] void RaiseRegistry(const char* Pattern, const String& Name)
{
    throw ERegistryException(Format(QString::fromLatin1(Pattern), {Name}));
}

} // namespace

String RegistryFileName()
{
    const QByteArray Override = qgetenv("CFG_REGISTRY_FILE");
    if (!Override.isEmpty())
        return QString::fromLocal8Bit(Override);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/registry/HKEY_CURRENT_USER.ini");
}

TRegistry::TRegistry(LongWord AAccess) : FAccess(AAccess) {}

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetRootKey(HKEY Value)
{
    CloseKey();
    FRootKey = Value;
}

String TRegistry::PathFor(const String& Key) const
{
    if (Key.startsWith(QLatin1Char('\\')) || FCurrentPath.isEmpty())
        return NormalPath(Key);
    return NormalPath(FCurrentPath + QLatin1Char('\\') + Key);
}

bool TRegistry::OpenAt(const String& Path, bool CanCreate, bool ReadOnly)
{
    if (FRootKey != HKEY_CURRENT_USER)
        return false;
    TRegistryStore& Store = TRegistryStore::Instance();
    std::lock_guard Lock(Store.Lock);
    TRegTree Tree = Store.Load();
    if (!TRegistryStore::KeyExists(Tree, Path)) {
        if (!CanCreate)
            return false;
        TRegistryStore::KeyOf(Tree, Path);
        try {
            Store.Save(Tree);
        } catch (const Exception&) {
            return false;
        }
        Store.Changed(ParentPath(Path), REG_NOTIFY_CHANGE_NAME);
    }
    if (FCurrentKey)
        Store.CloseHandle(FCurrentKey);
    FCurrentKey = Store.OpenHandle(Path);
    FCurrentPath = Path;
    FKeyWritable = !ReadOnly && (FAccess & KEY_WRITE) == KEY_WRITE;
    return true;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate)
{
    return OpenAt(PathFor(Key), CanCreate, false);
}

bool TRegistry::OpenKeyReadOnly(const String& Key)
{
    return OpenAt(PathFor(Key), false, true);
}

void TRegistry::CloseKey()
{
    if (!FCurrentKey)
        return;
    TRegistryStore& Store = TRegistryStore::Instance();
    std::lock_guard Lock(Store.Lock);
    Store.CloseHandle(FCurrentKey);
    FCurrentKey = 0;
    FCurrentPath.clear();
    FKeyWritable = false;
}

bool TRegistry::KeyExists(const String& Key)
{
    if (FRootKey != HKEY_CURRENT_USER)
        return false;
    TRegistryStore& Store = TRegistryStore::Instance();
    std::lock_guard Lock(Store.Lock);
    return TRegistryStore::KeyExists(Store.Load(), PathFor(Key));
}

bool TRegistry::ValueExists(const String& Name)
{
    if (!FCurrentKey)
        return false;
    TRegistryStore& Store = TRegistryStore::Instance();
    std::lock_guard Lock(Store.Lock);
    TRegTree Tree = Store.Load();
    TRegKey* Key = TRegistryStore::FindKey(Tree, FCurrentPath);
    return Key && TRegistryStore::FindValue(*Key, Name);
}

String TRegistry::ReadString(const String& Name)
{
    if (!FCurrentKey)
        return String();
    TRegistryStore& Store = TRegistryStore::Instance();
    std::lock_guard Lock(Store.Lock);
    TRegTree Tree = Store.Load();
    TRegKey* Key = TRegistryStore::FindKey(Tree, FCurrentPath);
    const TRegValue* Value = Key ? TRegistryStore::FindValue(*Key, Name) : nullptr;
    return Value ? Value->Data : String();
}

Integer TRegistry::ReadInteger(const String& Name)
{
    if (!ValueExists(Name))
        RaiseRegistry("Failed to get data for '%s'", Name);
    Integer Value = 0;
    if (!TryStrToInt(ReadString(Name), Value))
        RaiseRegistry("Invalid data type for '%s'", Name);
    return Value;
}

void TRegistry::WriteInteger(const String& Name, Integer Value)
{
    WriteString(Name, IntToStr(Value));
}

void TRegistry::WriteString(const String& Name, const String& Data)
{
    if (!FKeyWritable || HasLineBreak(Name) || HasLineBreak(Data) || Name.contains(QLatin1Char('=')))
        RaiseRegistry("Failed to set data for '%s'", Name);
    const String StoredName = Name.trimmed(), StoredData = Data.trimmed();
    TRegistryStore& Store = TRegistryStore::Instance();
    std::lock_guard Lock(Store.Lock);
    TRegTree Tree = Store.Load();
    TRegKey& Key = TRegistryStore::KeyOf(Tree, FCurrentPath);
    if (TRegValue* Value = TRegistryStore::FindValue(Key, StoredName))
        Value->Data = StoredData;
    else
        Key.Values.push_back({StoredName, StoredData});
    try {
        Store.Save(Tree);
    } catch (const Exception&) {
        RaiseRegistry("Failed to set data for '%s'", Name);
    }
    Store.Changed(FCurrentPath, REG_NOTIFY_CHANGE_LAST_SET);
}

LongInt RegNotifyChangeKeyValue(HKEY Key, bool WatchSubtree, DWORD NotifyFilter, TEvent* Event, bool Asynchronous)
{
    if (!Asynchronous || !Event)
        return ERROR_INVALID_PARAMETER;
    TRegistryStore& Store = TRegistryStore::Instance();
    std::lock_guard Lock(Store.Lock);
    return Store.Watch(Key, WatchSubtree, NotifyFilter, Event);
}
