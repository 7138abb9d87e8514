#pragma once
// The per-user registry, kept in one INI file: a key's path is its section
// ("[Software\Vendor\Key]"), a value a "Name=Data" line. The file is
// $CFG_REGISTRY_FILE, else registry/HKEY_CURRENT_USER.ini in the user's
// configuration folder ($XDG_CONFIG_HOME or ~/.config). A file that is
// missing, unreadable or no INI file reads as empty. Only HKEY_CURRENT_USER
// holds keys. Keys and names ignore case; names and data are trimmed, as INI
// files trim them. All TRegistry objects of the
// process share the store, and a write can set the events that wait for a
// change under a key (RegNotifyChangeKeyValue).
#include "rtl/SyncObjs.h"

#include <cstdint>

RTL_DECLARE_EXCEPTION(ERegistryException, Exception)

// A root key or a key opened by a TRegistry.
using HKEY = std::uintptr_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

constexpr LongWord KEY_READ = 0x20019;
constexpr LongWord KEY_WRITE = 0x20006;
constexpr LongWord KEY_ALL_ACCESS = 0xF003F;

// What a change notification waits for: keys made under the key, values set.
constexpr DWORD REG_NOTIFY_CHANGE_NAME = 0x1;
constexpr DWORD REG_NOTIFY_CHANGE_ATTRIBUTES = 0x2;
constexpr DWORD REG_NOTIFY_CHANGE_LAST_SET = 0x4;
constexpr DWORD REG_NOTIFY_CHANGE_SECURITY = 0x8;

constexpr LongInt ERROR_SUCCESS = 0;
constexpr LongInt ERROR_INVALID_HANDLE = 6;
constexpr LongInt ERROR_INVALID_PARAMETER = 87;

// The file that stands for the registry now (the environment is read at each use).
String RegistryFileName();

// Keys are named by paths of "\"-separated parts; a path with a leading "\"
// starts at the root, others at the key that is open.
class TRegistry : public TObject {
public:
    explicit TRegistry(LongWord AAccess = KEY_ALL_ACCESS);
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return FRootKey; }
    // Closes the open key.
    void SetRootKey(HKEY Value);
    LongWord Access() const { return FAccess; }
    void SetAccess(LongWord Value) { FAccess = Value; }
    // The open key (0 when none) and its path from the root.
    HKEY CurrentKey() const { return FCurrentKey; }
    const String& CurrentPath() const { return FCurrentPath; }

    // Opens the key, making it (and the keys above it) when CanCreate.
    bool OpenKey(const String& Key, bool CanCreate);
    // Opens an existing key for reading only.
    bool OpenKeyReadOnly(const String& Key);
    void CloseKey();
    bool KeyExists(const String& Key);
    // About values of the open key.
    bool ValueExists(const String& Name);
    // ERegistryException "Failed to get data for 'Name'" when the value is
    // missing, "Invalid data type for 'Name'" when it is no integer.
    Integer ReadInteger(const String& Name);
    // Empty when the value is missing.
    String ReadString(const String& Name);
    // ERegistryException "Failed to set data for 'Name'" without an open key
    // writable by this object, for a name or data with a line break (or a
    // name with "="), and when the file cannot be written.
    void WriteInteger(const String& Name, Integer Value);
    void WriteString(const String& Name, const String& Data);

private:
    String PathFor(const String& Key) const;
    bool OpenAt(const String& Path, bool CanCreate, bool ReadOnly);

    HKEY FRootKey = HKEY_CURRENT_USER;
    HKEY FCurrentKey = 0;
    String FCurrentPath;
    LongWord FAccess;
    bool FKeyWritable = false;
};

// Sets Event once, when after this call a value of Key (or, with
// WatchSubtree, of a key below it) is set through any TRegistry of the
// process (REG_NOTIFY_CHANGE_LAST_SET), or a key is made under it
// (REG_NOTIFY_CHANGE_NAME); closing Key ends the watch. Only asynchronous
// watches are offered: ERROR_INVALID_PARAMETER otherwise, ERROR_INVALID_HANDLE
// for a key that is not open.
LongInt RegNotifyChangeKeyValue(HKEY Key, bool WatchSubtree, DWORD NotifyFilter, TEvent* Event,
                                bool Asynchronous);
