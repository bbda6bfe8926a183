#include "WritablePages.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace quillon {

void MakeWritable(const QImage &image, const std::vector<QRect> &rects, int part, int parts)
{
#ifdef MADV_POPULATE_WRITE
    if (image.isNull() || rects.empty() || parts < 1 || part < 0 || part >= parts)
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (page == 0 || (page & (page - 1)) != 0)
        return;
    // The rows' spans as whole pages, merged into runs: one call for each run.
    const uchar *bits = image.constBits();
    const qsizetype stride = image.bytesPerLine();
    const int bytesPerPixel = image.depth() / 8;
    const auto first = reinterpret_cast<std::uintptr_t>(bits) & ~(page - 1);
    std::vector<bool> wanted((reinterpret_cast<std::uintptr_t>(bits) + static_cast<std::uintptr_t>(image.sizeInBytes()) - first + page - 1) / page);
    for (const QRect &rect : rects) {
        const QRect r = rect & image.rect();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto from = reinterpret_cast<std::uintptr_t>(bits + y * stride + r.left() * bytesPerPixel);
            const auto to = from + static_cast<std::uintptr_t>(r.width() * bytesPerPixel) - 1;
            for (std::uintptr_t p = (from - first) / page; p <= (to - first) / page; ++p)
                wanted[p] = true;
        }
    }
    // This part's share: the wanted pages from the part-th fraction of their count on.
    const auto count = static_cast<std::size_t>(std::count(wanted.begin(), wanted.end(), true));
    const std::size_t from = count * static_cast<std::size_t>(part) / static_cast<std::size_t>(parts);
    const std::size_t to = count * static_cast<std::size_t>(part + 1) / static_cast<std::size_t>(parts);
    std::size_t seen = 0;
    for (std::size_t p = 0; p < wanted.size(); ++p)
        if (wanted[p]) {
            wanted[p] = seen >= from && seen < to;
            ++seen;
        }
    for (size_t p = 0; p < wanted.size();) {
        if (!wanted[p]) {
            ++p;
            continue;
        }
        size_t end = p;
        while (end < wanted.size() && wanted[end])
            ++end;
        madvise(reinterpret_cast<void *>(first + p * page), (end - p) * page, MADV_POPULATE_WRITE);
        p = end;
    }
#else
    (void)image;
    (void)rects;
    (void)part;
    (void)parts;
#endif
}

} // namespace quillon
