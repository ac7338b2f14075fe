// Splitting bytes into lines at CR LF, a lone CR or a lone LF, in one pass.
#pragma once

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The first CR or LF in [pos, end), or `end`. Sixteen bytes are looked at a time: lines
// in pages are short, and this is the inner loop of loading one.
inline const char *findLineEnd(const char *pos, const char *end)
{
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - pos >= 16; pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pos));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)));
        if (mask != 0)
            return pos + __builtin_ctz(unsigned(mask));
    }
#endif
    for (; pos < end; ++pos) {
        if (*pos == '\r' || *pos == '\n')
            return pos;
    }
    return end;
}

// Calls `line(begin, end)` for every line of [begin, end). Text after the last line end is
// the last line; a final line end adds no empty line. LF CR is two line ends. Returns
// false when `line` asks to stop by returning false.
template <typename LineFn> bool forEachLine(const char *begin, const char *end, LineFn line)
{
    const char *pos = begin;
    while (pos < end) {
        const char *lineEnd = findLineEnd(pos, end);
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
