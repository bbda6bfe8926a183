#include "WritablePages.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace quillon {

void MakeWritable(QImage &image, const std::vector<QRect> &rects)
{
#ifdef MADV_POPULATE_WRITE
    if (image.isNull() || rects.empty())
        return;
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    if (page == 0 || (page & (page - 1)) != 0)
        return;
    // The rows' spans as whole pages, merged into runs: one call for each run.
    uchar *bits = image.bits();
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
#endif
}

} // namespace quillon
