#include "platform/linux/x11_property.h"

namespace x11_property {

std::optional<std::vector<long>> longs(Display* d, Window window, Atom property, Atom type)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<std::vector<long>> values;
    if (XGetWindowProperty(d, window, property, 0, 1024, False, type, &actual, &format, &count,
            &after, &data) == Success &&
        actual == type && format == 32 && data)
        values.emplace(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    if (data)
        XFree(data);
    return values;
}

}  // namespace x11_property
