#include "platform/mfc/GdiObjects.h"

#include <cstdint>
#include <unordered_map>
#include <variant>

namespace ui::gdi {

namespace {

using Object = std::variant<std::shared_ptr<BitmapImage>, LOGFONT, COLORREF, Pen>;

struct Table {
    // Handles start high and only grow, so they never collide with small integers used as resource
    // ids (MAKEINTRESOURCE) or with the special window handles.
    std::uintptr_t next = 0x10000;
    std::unordered_map<std::uintptr_t, Object> objects;
};

Table& table()
{
    static Table t;
    return t;
}

template <typename Handle>
Handle add(Object object)
{
    Table& t = table();
    const std::uintptr_t key = t.next++;
    t.objects.emplace(key, std::move(object));
    return reinterpret_cast<Handle>(key);
}

template <typename T>
T* find(const void* handle)
{
    auto& objects = table().objects;
    const auto it = objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == objects.end() ? nullptr : std::get_if<T>(&it->second);
}

}  // namespace

HBITMAP addBitmap(std::shared_ptr<BitmapImage> image)
{
    if (!image)
        return nullptr;
    return add<HBITMAP>(std::move(image));
}

std::shared_ptr<BitmapImage> bitmap(HBITMAP handle)
{
    auto* found = find<std::shared_ptr<BitmapImage>>(handle);
    return found ? *found : nullptr;
}

HFONT addFont(const LOGFONT& font)
{
    return add<HFONT>(font);
}

const LOGFONT* font(HFONT handle)
{
    return find<LOGFONT>(handle);
}

HBRUSH addBrush(COLORREF color)
{
    return add<HBRUSH>(color);
}

bool brushColor(HBRUSH handle, COLORREF& color)
{
    const COLORREF* found = find<COLORREF>(handle);
    if (!found)
        return false;
    color = *found;
    return true;
}

HPEN addPen(const Pen& pen)
{
    return add<HPEN>(pen);
}

const Pen* pen(HPEN handle)
{
    return find<Pen>(handle);
}

bool deleteObject(HGDIOBJ handle)
{
    return table().objects.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1;
}

int liveCount()
{
    return int(table().objects.size());
}

}  // namespace ui::gdi

BOOL DeleteObject(HGDIOBJ object)
{
    return ui::gdi::deleteObject(object) ? TRUE : FALSE;
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    return ui::gdi::addBrush(color);
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    return ui::gdi::addPen({style, width, color});
}
