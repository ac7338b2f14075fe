// Splitting bytes into lines at CR LF, a lone CR or a lone LF, in one pass.
#pragma once

#include <algorithm>
#include <cstring>

// Calls `line(begin, end)` for every line of [begin, end). Text after the last line end is
// the last line; a final line end adds no empty line. LF CR is two line ends. Returns
// false when `line` asks to stop by returning false.
template <typename LineFn>
bool forEachLine(const char *begin, const char *end, LineFn line)
{
    const char *pos = begin;
    // The next CR and LF are cached, so that text with only one kind of line end is
    // still scanned once, not once per line.
    const char *nextCr = nullptr;
    const char *nextLf = nullptr;
    while (pos < end) {
        if (!nextCr || nextCr < pos) {
            nextCr = static_cast<const char *>(std::memchr(pos, '\r', size_t(end - pos)));
            if (!nextCr)
                nextCr = end;
        }
        if (!nextLf || nextLf < pos) {
            nextLf = static_cast<const char *>(std::memchr(pos, '\n', size_t(end - pos)));
            if (!nextLf)
                nextLf = end;
        }
        const char *lineEnd = std::min(nextCr, nextLf);
        if (!line(pos, lineEnd))
            return false;
        if (lineEnd == end)
            break;
        pos = lineEnd + 1;
        if (*lineEnd == '\r' && pos < end && *pos == '\n')
            ++pos;
    }
    return true;
}
