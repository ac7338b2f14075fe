// Splitting bytes into lines at CR LF, a lone CR or a lone LF, in one pass.
#pragma once

#include <QtGlobal>

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

// The first line end in [pos, limit) that is not CR LF: a CR not followed by LF or an LF
// not preceded by CR, looking no further back than `begin` and no further on than `end`
// (limit <= end); `limit` when there is none. Writing a page with CR LF line ends copies
// the runs between such places as they are.
inline const char *findBareLineEnd(const char *begin, const char *pos, const char *limit,
                                   const char *end)
{
    const auto bareAt = [begin, end](const char *q) {
        return (*q == '\r' && !(end - q > 1 && q[1] == '\n')) ||
               (*q == '\n' && !(q > begin && q[-1] == '\r'));
    };
    if (pos == begin && pos < limit) {
        if (bareAt(pos))
            return pos;
        ++pos;
    }
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; limit - pos >= 16 && end - pos >= 17; pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pos));
        const unsigned crs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)));
        const unsigned lfs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)));
        if ((crs | lfs) == 0)
            continue;
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pos + 1));
        const __m128i prev = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pos - 1));
        const unsigned lfNext = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(next, lf)));
        const unsigned crPrev = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(prev, cr)));
        const unsigned bare = (crs & ~lfNext) | (lfs & ~crPrev);
        if (bare != 0)
            return pos + __builtin_ctz(bare);
    }
#endif
    for (; pos < limit; ++pos) {
        if (bareAt(pos))
            return pos;
    }
    return limit;
}

// The number of line ends in [pos, limit), CR LF counting once, looking no further on than
// `end` (limit <= end) for the LF after a CR.
inline qint64 countLineEnds(const char *pos, const char *limit, const char *end)
{
    qint64 count = 0;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; limit - pos >= 16 && end - pos >= 17; pos += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pos));
        const unsigned crs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)));
        const unsigned lfs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf)));
        if ((crs | lfs) == 0)
            continue;
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pos + 1));
        const unsigned lfNext = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(next, lf)));
        count += __builtin_popcount(crs) + __builtin_popcount(lfs) -
                 __builtin_popcount(crs & lfNext);
    }
#endif
    for (; pos < limit; ++pos) {
        if (*pos == '\n')
            ++count;
        else if (*pos == '\r' && !(end - pos > 1 && pos[1] == '\n'))
            ++count;
    }
    return count;
}
