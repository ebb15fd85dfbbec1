#include "kit/tool_catalogue.h"

namespace kv {

const ToolEntry* ToolCatalogue::byTask(int task) const
{
    for (const ToolEntry& e : entries_)
        if (e.task == task)
            return &e;
    return nullptr;
}

const ToolEntry* ToolCatalogue::byWindow(const QString& name) const
{
    for (const ToolEntry& e : entries_)
        if (name == QLatin1String(e.window))
            return &e;
    return nullptr;
}

} // namespace kv
