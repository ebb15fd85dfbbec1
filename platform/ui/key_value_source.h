// Named values kept under keys by the operating system, as the About box reads
// them to find the system-information program. This system keeps no such store,
// so the installed source finds nothing unless a test installs one of its own.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace kv {

// The top-level keys, numbered by the operating system's own handle values.
enum class KeyRoot : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    Users = 0x80000003u,
};

// Value types of the store: text and 32-bit number; others exist and are read as bytes.
constexpr int textValueType = 1;
constexpr int numberValueType = 4;

struct KeyValue {
    int type = 0;
    // The stored bytes as they come back: text values are UTF-8 and may carry a
    // terminating zero and bytes after it; numbers are little-endian.
    QByteArray data;
};

class KeyValueSource {
public:
    virtual ~KeyValueSource() = default;
    // The value valueName under keyPath ("A\B\C") of root; nothing when the key
    // cannot be opened or the value cannot be read.
    virtual std::optional<KeyValue> lookup(KeyRoot root, const QString& keyPath,
                                           const QString& valueName) = 0;
};

// The installed source (one that finds nothing until another is installed).
KeyValueSource& keyValueSource();
// Installs s (not owned) and returns the previous one; nullptr restores the default.
KeyValueSource* installKeyValueSource(KeyValueSource* s);

} // namespace kv
