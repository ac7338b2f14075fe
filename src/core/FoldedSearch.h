// A case-blind search of bytes that allocates nothing: the line buffer's FindFirst and the
// streaming merge both look for the marker keywords with it.
#pragma once

#include <QByteArray>
#include <QtAlgorithms>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// The first place in [begin, end) where `needle` (lower case, not empty) occurs, ignoring
// ASCII case; `end` when it does not. Sixteen places are tested at a time on their first
// and last byte; setting the 0x20 bit of both sides lets every real match through, and
// each candidate is then compared in full.
inline const char *findFolded(const char *begin, const char *end, const QByteArray &needle)
{
    const qsizetype m = needle.size();
    if (end - begin < m)
        return end;
    const char *lastStart = end - m;
    const auto matchesAt = [&needle, m](const char *p) {
        for (qsizetype j = 0; j < m; ++j) {
            if (asciiLower(p[j]) != needle[j])
                return false;
        }
        return true;
    };
    const char *p = begin;
#ifdef __SSE2__
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i first = _mm_set1_epi8(char(needle[0] | 0x20));
    const __m128i last = _mm_set1_epi8(char(needle[m - 1] | 0x20));
    for (; lastStart - p >= 15; p += 16) {
        const __m128i a =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p)), caseBit);
        const __m128i b =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + m - 1)), caseBit);
        unsigned mask = unsigned(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        while (mask != 0) {
            const char *candidate = p + qCountTrailingZeroBits(mask);
            if (matchesAt(candidate))
                return candidate;
            mask &= mask - 1;
        }
    }
#endif
    for (; p <= lastStart; ++p) {
        if (asciiLower(*p) == needle[0] && matchesAt(p))
            return p;
    }
    return end;
}
