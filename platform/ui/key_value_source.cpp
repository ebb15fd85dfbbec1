#include "platform/ui/key_value_source.h"

namespace kv {

namespace {

// No settings store on this system: every key is missing.
class EmptyKeyValueSource : public KeyValueSource {
public:
    std::optional<KeyValue> lookup(KeyRoot, const QString&, const QString&) override { return std::nullopt; }
};

EmptyKeyValueSource& emptySource()
{
    static EmptyKeyValueSource empty;
    return empty;
}

KeyValueSource* installed = nullptr;

} // namespace

KeyValueSource& keyValueSource() { return installed ? *installed : emptySource(); }

KeyValueSource* installKeyValueSource(KeyValueSource* s)
{
    KeyValueSource* previous = installed;
    installed = s;
    return previous;
}

} // namespace kv
