// The pages of a bitmap under a region made writable in one step, before a painter
// blends there. The picture under the month is a private mapping of its cache file:
// its first write to each page copies that page, and Qt blends a large fill on its
// worker threads, where each such copy also stops the other core to flush its view of
// the page. Asked for up front, the kernel copies them in a batch.
#pragma once

#include <QImage>
#include <QRect>

#include <vector>

namespace quillon {

// The rectangles in image's device pixels (they may overlap). The pixels are unchanged;
// where the system cannot do this, the pages are copied as they are written, as before.
// With parts, only the part-th share of the pages (by count): two threads that each take
// one share copy them in about half the time. image must not be shared with another
// QImage (this does not detach it).
void MakeWritable(const QImage &image, const std::vector<QRect> &rects, int part = 0, int parts = 1);

} // namespace quillon
